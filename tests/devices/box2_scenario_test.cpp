/** @file box2_scenario_test.cpp A line-C train's entry to track 3 set, locked and cleared on box 2, then restored. */
#include "box2_fixture.h"

#include <gtest/gtest.h>

using namespace box2_test;

namespace {

/** Lets the box's block work while a lever is held until the field reaches the value; at most ten seconds. */
void holdUntil(Harness &h, const QString &field, int value)
{
    for (int ms = 0; ms < 10000 && h.value(field) != value; ms += 100)
        h.advanceMs(100);
}

/** Lets a point motor run to its end. */
void waitForMotor(Harness &h, const QString &timer)
{
    for (int ms = 0; ms < 10000 && h.timerEnabled(timer); ms += 148)
        h.advanceMs(148);
}

} // namespace

TEST(Box2Scenario, ALineCTrainsEntryToTrack3IsSetLockedClearedAndRestored)
{
    Harness h;
    h.click("A0.H9");
    /* The desk chose track 3 for line C and released the entry signal. */
    setFields(h, {{"A1.CestaC", 3}, {"A1.KolejC", 3}, {"A1.NavCHOdSt", 6}, {"A1.NavCHOd", 5}, {"A1.HrCHOd", 1}});
    h.control("A6.KnoflikC").setTop(topOf(h, "A6.Blok") + 812);

    /* Points 13 to their end -10 for the route of track 3. */
    turnRight(h, "A8.IY");
    turnRight(h, "A8.IY");
    EXPECT_TRUE(h.visible("A8.Amp1"));
    waitForMotor(h, "A8.TimerVymena13");
    EXPECT_EQ(h.value("A1.Vymena13"), -10);
    EXPECT_TRUE(h.visible("A8.V13Zluta"));
    EXPECT_TRUE(h.visible("A8.Amp0"));

    /* The route lock of track 3, then the crossing closed. */
    turnLeft(h, "A8.I4");
    EXPECT_EQ(leftOf(h, "A8.I4"), 1059);
    h.click("A8.G5");
    EXPECT_EQ(h.text("A1.PZZ"), "Uzavíraný");
    setWords(h, {{"A1.PZZ", "Uzavřený"}}); // the crossing's countdown has run out

    /* The route lever held until the route is locked in the box. */
    h.press("A8.PakaZavCH", 5, 5);
    EXPECT_TRUE(h.visible("A8.CisloCH3"));
    holdUntil(h, "A1.ZavCHSt", 5);
    h.release(5, 5);
    ASSERT_EQ(h.value("A1.ZavCHSt"), 5);
    /* A locked route holds its route lock and the crossing. */
    turnRight(h, "A8.I4");
    EXPECT_EQ(leftOf(h, "A8.I4"), 1059);
    h.click("A8.G5");
    EXPECT_EQ(h.text("A1.PZZ"), "Uzavřený");
    h.click("A8.G5");

    /* The entry signal S cleared. */
    turnRight(h, "A8.NavCH");
    EXPECT_EQ(h.text("A1.C09"), "40 a výstraha");
    EXPECT_EQ(h.color("A1.C10"), QColor(0, 255, 0));

    /* The train is in: S back to "Stůj", the lock given back, the route and crossing freed, the points back. */
    turnLeft(h, "A8.NavCH");
    EXPECT_EQ(h.text("A1.C09"), "Stůj");
    EXPECT_EQ(h.color("A1.C10"), QColor(255, 0, 0));
    setFields(h, {{"A1.ZavCHSt", 1}}); // the desk's route-lock lever took the lock back
    turnRight(h, "A8.I4");
    EXPECT_EQ(leftOf(h, "A8.I4"), 1078);
    EXPECT_FALSE(h.visible("A8.CisloCH3"));
    h.click("A8.G5");
    EXPECT_EQ(h.text("A1.PZZ"), "Otevíraný");
    h.press("A8.G6", 3, 3);
    h.release(3, 3);
    EXPECT_EQ(h.text("A1.PZZ"), "Otevřený");
    turnLeft(h, "A8.IY");
    turnLeft(h, "A8.IY");
    waitForMotor(h, "A8.TimerVymena13");
    EXPECT_EQ(h.value("A1.Vymena13"), 10);
    EXPECT_TRUE(h.visible("A8.V13Zelena"));
    EXPECT_FALSE(h.visible("A8.V13Cervena"));
}
