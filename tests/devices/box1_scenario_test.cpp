/** @file box1_scenario_test.cpp A train from line A into track 3, worked on signal box 1 from the desk's release to the restoring. */
#include "devices/box1_fixture.h"

#include <gtest/gtest.h>

using namespace box1;

TEST(Box1Scenario, ALineATrainsRouteIsLockedItsEntryClearedAndAllRestored)
{
    Harness h;
    h.click("A0.H9");
    /* The desk: route lock A turned to track 3, the entry from line A released into the box. */
    setFields(h, {{"A1.CestaA", 3}, {"A1.KolejA", 3}, {"A1.NavBOd", 5}, {"A1.NavBOdSt", 6}});

    /* The signalman sets the points for track 3 and locks them "Z-": lever 1 up, lock lever 3 down, lever 2 up, lock lever 3 up. */
    throwLever(h, 1);
    throwLever(h, 3);
    throwLever(h, 2);
    throwLever(h, 3);
    ASSERT_EQ(h.text("A7.Paka3e"), "Z-");
    turn(h, "A7.Zavernik2", -1);
    ASSERT_EQ(position(h, "A7.Zavernik2", 1655), -1);

    /* The route lever held under the magneto until the route is locked on the desk and in the box. */
    h.press("A7.Induktor", 5, 5);
    h.release(5, 5);
    h.press("A7.PakaZavB", 5, 5);
    h.advanceMs(300 + 9 * 200);
    EXPECT_EQ(h.value("A1.ZavB"), 5);
    EXPECT_EQ(h.value("A1.ZavBSt"), 5);
    EXPECT_TRUE(h.visible("A7.CisloB3"));
    h.release(5, 5);
    EXPECT_FALSE(h.timerEnabled("A1.ZaverSt1"));
    EXPECT_EQ(h.control("A7.Induktor").top(), h.control("A7.Blok").top() + 234);

    /* The entry signal L cleared into the station. */
    turn(h, "A7.NavB", -1);
    EXPECT_EQ(h.text("A1.C03"), "40 a výstraha");
    EXPECT_EQ(h.color("A1.C04"), QColor(0, 255, 0));
    EXPECT_FALSE(h.visible("A7.LCervena"));
    /* The route cannot be taken apart under the cleared signal. */
    turn(h, "A7.Zavernik2", 1);
    EXPECT_EQ(position(h, "A7.Zavernik2", 1655), -1);
    throwLever(h, 3);
    EXPECT_EQ(h.text("A7.Paka3e"), "Z-");

    /* The train has passed the entry signal. */
    setFields(h, {{"A1.HrBOd", 5}});
    turn(h, "A7.NavB", 1);
    EXPECT_EQ(h.text("A1.C03"), "Stůj");
    EXPECT_TRUE(h.visible("A7.LCervena"));
    h.press("A7.PakaNavBOd", 5, 5);
    h.advanceMs(300 + 4 * 200);
    h.release(5, 5);
    EXPECT_EQ(h.value("A1.NavBOd"), 1);
    EXPECT_EQ(h.value("A1.NavBOdSt"), 1);
    EXPECT_EQ(h.value("A1.HrBOd"), 1);

    /* The desk takes its route lock back; the box frees the route and its points. */
    setFields(h, {{"A1.ZavB", 1}, {"A1.ZavBSt", 1}});
    turn(h, "A7.Zavernik2", 1);
    EXPECT_EQ(position(h, "A7.Zavernik2", 1655), 0);
    EXPECT_FALSE(h.visible("A7.CisloB3"));
    throwLever(h, 3);
    EXPECT_EQ(h.text("A7.Paka3e"), "");
    throwLever(h, 1);
    throwLever(h, 2);
    EXPECT_EQ(head(h, 1), 147);
    EXPECT_EQ(head(h, 2), 147);
    EXPECT_EQ(head(h, 3), 147);
    EXPECT_TRUE(h.messages().isEmpty()) << h.messages().join("; ").toStdString();
}

TEST(Box1Scenario, ANewGameFindsTheBoxAtRestAndWorking)
{
    Harness h;
    h.click("A0.H9");
    setFields(h, {{"A1.ZavBSt", 5}, {"A1.NavBOdSt", 6}});
    /* Any mouse button drags a knob. */
    h.press("A7.NavB", 10, 10, ui::MouseButton::Right);
    h.move(-11, 10);
    EXPECT_EQ(position(h, "A7.NavB", 282), -1);
    throwLever(h, 1);
    h.press("A7.Paka2b", 20, 20);
    ASSERT_EQ(head(h, 2), 124);

    h.click("A0.H5"); // "Ukončit hru", with lever 2 still in the hand
    h.click("A0.H9");
    EXPECT_EQ(position(h, "A7.NavB", 282), 0);
    EXPECT_EQ(head(h, 1), 147);
    EXPECT_EQ(head(h, 2), 147);
    turn(h, "A7.Se1", 1);
    EXPECT_EQ(h.text("A1.C43"), "Posun dovolen");
    throwLever(h, 2);
    EXPECT_EQ(head(h, 2), -291);
    EXPECT_TRUE(h.messages().isEmpty()) << h.messages().join("; ").toStdString();
}
