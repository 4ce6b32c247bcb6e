/** @file box1_knobs_test.cpp Signal box 1's signal knobs, shunting-signal knobs and route locks, by the player's drags. */
#include "devices/box1_fixture.h"

#include <gtest/gtest.h>

using namespace box1;

namespace {

constexpr int NavB = 282, NavM = 667, Se1 = 1079, Se2 = 1175, Se3 = 1271;
constexpr int Zav1 = 1559, Zav2 = 1655, Zav5 = 1943;

/** Line A's exit and entry released and its route locked in the box, as the desk and the block leave them. */
void lineAReady(Harness &h)
{
    setFields(h, {{"A1.ZavBSt", 5}, {"A1.NavBDoSt", 6}, {"A1.NavBOdSt", 6}});
}

/** Sets the lock levers 3 and 7's texts as the lever frame leaves them. */
void lockTexts(Harness &h, const char *three, const char *seven)
{
    h.as<ui::Edit>("A7.Paka3e").setText(QLatin1String(three));
    h.as<ui::Edit>("A7.Paka7e").setText(QLatin1String(seven));
}

} // namespace

TEST(Box1Knobs, ASignalKnobTurnsOnlyWithItsRouteLockedAndByWholeThresholds)
{
    Harness h;
    h.click("A0.H9"); // the game start sets every signal to "Stůj"
    setFields(h, {{"A1.ZavBSt", 4}, {"A1.NavBDoSt", 6}});
    turn(h, "A7.NavB", 1);
    EXPECT_EQ(position(h, "A7.NavB", NavB), 0) << "grasped while the box's route field is 4";

    setFields(h, {{"A1.ZavBSt", 5}});
    h.press("A7.NavB", 10, 10);
    h.move(30, 10);
    EXPECT_EQ(position(h, "A7.NavB", NavB), 0) << "20 px is not yet a step";
    h.move(31, 10);
    EXPECT_EQ(position(h, "A7.NavB", NavB), 1);
    EXPECT_EQ(h.text("A7.NavB"), QString());
    h.move(60, 10);
    EXPECT_EQ(position(h, "A7.NavB", NavB), 1) << "no further step to the right";
    h.move(39, 10);
    EXPECT_EQ(position(h, "A7.NavB", NavB), 0) << "21 px back from the last step returns it";
    h.release(39, 10);
    EXPECT_EQ(played(h, "Zavernik.wav"), 2);
}

TEST(Box1Knobs, TheExitKnobOfLineAClearsTheRoutesExitAndRaisesAThroughEntry)
{
    Harness h;
    h.click("A0.H9");
    lineAReady(h);
    setFields(h, {{"A1.CestaA", 3}, {"A1.CestaC", 3}});
    setWords(h, {{"A1.C09", "40 a výstraha"}});
    turn(h, "A7.NavB", 1);
    EXPECT_EQ(h.text("A1.C40"), "40 a volno");
    EXPECT_EQ(h.color("A1.C41"), QColor(0, 255, 0));
    EXPECT_EQ(h.text("A1.C09"), "40 a 40");
    turn(h, "A7.NavB", -1);
    EXPECT_EQ(position(h, "A7.NavB", NavB), 0);
    EXPECT_EQ(h.text("A1.C40"), "Stůj");
    EXPECT_EQ(h.text("A1.C09"), "40 a výstraha");

    /* Track 1 is the straight road: plain proceed, and S from caution to proceed. */
    setFields(h, {{"A1.CestaA", 1}, {"A1.CestaC", 1}});
    setWords(h, {{"A1.C09", "Výstraha"}});
    turn(h, "A7.NavB", 1);
    EXPECT_EQ(h.text("A1.C34"), "Volno");
    EXPECT_EQ(h.text("A1.C09"), "Volno");
    turn(h, "A7.NavB", -1);
    EXPECT_EQ(h.text("A1.C34"), "Stůj");
    EXPECT_EQ(h.text("A1.C09"), "Výstraha");
}

TEST(Box1Knobs, TheExitKnobLeavesForeignWordsAndUnknownTracksAlone)
{
    Harness h;
    h.click("A0.H9");
    lineAReady(h);
    setFields(h, {{"A1.CestaA", 4}});
    turn(h, "A7.NavB", 1);
    EXPECT_EQ(position(h, "A7.NavB", NavB), 1) << "a four-track route turns the knob all the same";
    for (const char *exit : {"A1.C34", "A1.C37", "A1.C40", "A1.C43", "A1.C46"})
        EXPECT_EQ(h.text(exit), "Stůj") << exit;
    turn(h, "A7.NavB", -1);

    setFields(h, {{"A1.CestaA", 2}, {"A1.CestaC", 2}});
    setWords(h, {{"A1.C37", "PN"}, {"A1.C09", "40 a výstraha"}});
    turn(h, "A7.NavB", 1);
    EXPECT_EQ(h.text("A1.C37"), "PN");
    EXPECT_EQ(h.text("A1.C09"), "40 a 40");
    turn(h, "A7.NavB", -1);
    EXPECT_EQ(h.text("A1.C37"), "PN") << "the return resets only its own word";

    /* A train still marked as passed refuses the turn, and the refused step still moves the origin. */
    setFields(h, {{"A1.HrBDo", 2}});
    h.press("A7.NavB", 10, 10);
    h.move(31, 10);
    EXPECT_EQ(position(h, "A7.NavB", NavB), 0);
    setFields(h, {{"A1.HrBDo", 1}});
    h.move(40, 10);
    EXPECT_EQ(position(h, "A7.NavB", NavB), 0);
    h.move(52, 10);
    EXPECT_EQ(position(h, "A7.NavB", NavB), 1);
    h.release(52, 10);
}

TEST(Box1Knobs, TheEntryKnobOfLineAClearsLAndRaisesItAlongAThroughRoute)
{
    Harness h;
    h.click("A0.H9");
    lineAReady(h);
    turn(h, "A7.NavB", -1);
    EXPECT_EQ(position(h, "A7.NavB", NavB), -1);
    EXPECT_EQ(h.text("A1.C03"), "40 a výstraha");
    turn(h, "A7.NavB", 1);
    EXPECT_EQ(h.text("A1.C03"), "Stůj");

    /* Through to line C: each far exit that matches overwrites the last. */
    setFields(h, {{"A1.CestaA", 1}, {"A1.CestaC", 1}});
    setWords(h, {{"A1.C19", "Volno"}});
    turn(h, "A7.NavB", -1);
    EXPECT_EQ(h.text("A1.C03"), "40 a volno");
    turn(h, "A7.NavB", 1);
    setWords(h, {{"A1.C31", "40 a volno"}});
    turn(h, "A7.NavB", -1);
    EXPECT_EQ(h.text("A1.C03"), "40 a 40");
    turn(h, "A7.NavB", 1);

    setWords(h, {{"A1.C03", "Porucha"}});
    turn(h, "A7.NavB", -1);
    EXPECT_EQ(position(h, "A7.NavB", NavB), -1);
    EXPECT_EQ(h.text("A1.C03"), "Porucha");
    turn(h, "A7.NavB", 1);
    EXPECT_EQ(h.text("A1.C03"), "Porucha");

    setFields(h, {{"A1.NavBOdSt", 5}});
    turn(h, "A7.NavB", -1);
    EXPECT_EQ(position(h, "A7.NavB", NavB), 0) << "an entry not released by the desk";
}

TEST(Box1Knobs, TheExitOfLineBNeedsStruhysConsentLampsAndPutsThemOut)
{
    Harness h;
    h.click("A0.H9");
    setFields(h, {{"A1.ZavMSt", 5}, {"A1.NavMDoSt", 6}, {"A1.NavMOdSt", 6}, {"A1.CestaB", 3}});
    /* The game starts with the line free (VT lit) and the consent with Struhy (PS dark): the knob
       turns, the exit stays. */
    turn(h, "A7.NavM", 1);
    EXPECT_EQ(position(h, "A7.NavM", NavM), 1);
    EXPECT_EQ(h.text("A1.C40"), "Stůj") << "PS is dark";
    EXPECT_TRUE(h.visible("A6.VTM"));
    turn(h, "A7.NavM", -1);
    EXPECT_EQ(h.text("A1.C40"), "Stůj");
    /* PS lit (the consent back) while VT is dark (a train on the line) is not enough either. */
    h.control("A6.PSM").show();
    h.control("A6.VTM").hide();
    turn(h, "A7.NavM", 1);
    EXPECT_EQ(h.text("A1.C40"), "Stůj") << "VT is dark";
    turn(h, "A7.NavM", -1);
    EXPECT_EQ(h.text("A1.C40"), "Stůj");

    h.control("A6.VTM").show();
    turn(h, "A7.NavM", 1);
    EXPECT_EQ(h.text("A1.C40"), "Volno");
    EXPECT_FALSE(h.visible("A6.VTM"));
    EXPECT_FALSE(h.visible("A6.VOM"));
    EXPECT_FALSE(h.visible("A1.VTM"));
    EXPECT_TRUE(h.visible("A6.PSM"));
    turn(h, "A7.NavM", -1);
    EXPECT_EQ(h.text("A1.C40"), "Stůj");
    EXPECT_FALSE(h.visible("A6.VTM")) << "the return lights nothing again";

    /* The entry ML: straight into track 3 it is plain caution. */
    turn(h, "A7.NavM", -1);
    EXPECT_EQ(h.text("A1.C06"), "Výstraha");
    turn(h, "A7.NavM", 1);
    setFields(h, {{"A1.CestaB", 5}});
    turn(h, "A7.NavM", -1);
    EXPECT_EQ(h.text("A1.C06"), "40 a výstraha");
}

TEST(Box1Knobs, ShuntingKnobsSwitchTheirExitsUnderTheRouteLocks)
{
    Harness h;
    h.click("A0.H9");
    turn(h, "A7.Se1", 1);
    EXPECT_EQ(h.text("A1.C43"), "Posun dovolen");
    EXPECT_EQ(h.color("A1.C44"), QColor(255, 255, 255));
    turn(h, "A7.Se1", -1);
    EXPECT_EQ(h.text("A1.C43"), "Stůj");
    turn(h, "A7.Se1", -1);
    EXPECT_EQ(h.text("A1.C46"), "Posun dovolen");
    turn(h, "A7.Se1", 1);
    EXPECT_EQ(h.text("A1.C46"), "Stůj");
    EXPECT_EQ(played(h, "Zavernik.wav"), 0) << "shunting knobs are silent";

    turn(h, "A7.Se3", 1);
    EXPECT_EQ(position(h, "A7.Se3", Se3), 0) << "Se3 has no right position";
    turn(h, "A7.Se3", -1);
    EXPECT_EQ(h.text("A1.C37"), "Posun dovolen");
    turn(h, "A7.Se3", 1);

    /* S1 is shunting only while route lock 1 rests. */
    placeKnob(h, "A7.Zavernik1", Zav1, -1);
    turn(h, "A7.Se2", 1);
    EXPECT_EQ(position(h, "A7.Se2", Se2), 1);
    EXPECT_EQ(h.text("A1.C34"), "Stůj");
    turn(h, "A7.Se2", -1);
    placeKnob(h, "A7.Zavernik1", Zav1, 1);
    turn(h, "A7.Se2", 1);
    EXPECT_EQ(position(h, "A7.Se2", Se2), 0);

    /* A turned route lock 2 holds Se1 and Se2 where they are. */
    placeKnob(h, "A7.Zavernik1", Zav1, 0);
    placeKnob(h, "A7.Zavernik2", Zav2, -1);
    turn(h, "A7.Se1", 1);
    turn(h, "A7.Se2", -1);
    EXPECT_EQ(position(h, "A7.Se1", Se1), 0);
    EXPECT_EQ(position(h, "A7.Se2", Se2), 0);
}

TEST(Box1Knobs, ARouteLockTurnsByTheLeversAndComesBackOnlyWithItsRouteFree)
{
    Harness h;
    h.click("A0.H9");
    turn(h, "A7.Zavernik2", 1);
    EXPECT_EQ(position(h, "A7.Zavernik2", Zav2), 0) << "the points are not locked";

    /* Track 5 from line A: points locked "Z-", lever 6 down, 8 and 10 up, 11 down. */
    lockTexts(h, "Z-", "");
    placeLever(h, 8, false);
    placeLever(h, 10, false);
    turn(h, "A7.Zavernik2", 1);
    EXPECT_EQ(position(h, "A7.Zavernik2", Zav2), 1);
    EXPECT_EQ(played(h, "Zavernik.wav"), 1);

    h.control("A7.CisloB5").show();
    setFields(h, {{"A1.ZavBSt", 2}});
    turn(h, "A7.Zavernik2", -1);
    EXPECT_EQ(position(h, "A7.Zavernik2", Zav2), 1) << "the route is still locked in the box";
    EXPECT_TRUE(h.visible("A7.CisloB5"));
    setFields(h, {{"A1.ZavBSt", 1}});
    turn(h, "A7.Zavernik2", -1);
    EXPECT_EQ(position(h, "A7.Zavernik2", Zav2), 0);
    EXPECT_FALSE(h.visible("A7.CisloB5"));
    EXPECT_EQ(played(h, "Zavernik.wav"), 2);

    /* Line B's lock 5 to track 3 needs both lock texts "Z+" and lever 9 down. */
    lockTexts(h, "Z+", "Z+");
    turn(h, "A7.Zavernik5", -1);
    EXPECT_EQ(position(h, "A7.Zavernik5", Zav5), 0);
    placeLever(h, 9, true);
    turn(h, "A7.Zavernik5", -1);
    EXPECT_EQ(position(h, "A7.Zavernik5", Zav5), -1);
}

TEST(Box1Knobs, RouteLockOneTakesTheShuntingAspectOfS1AndGivesItBack)
{
    Harness h;
    h.click("A0.H9");
    turn(h, "A7.Se2", 1);
    EXPECT_EQ(h.text("A1.C34"), "Posun dovolen");
    /* Track 2 from line A: "Z+", lever 4 up, lever 11 down. */
    lockTexts(h, "Z+", "");
    placeLever(h, 4, false);
    turn(h, "A7.Zavernik1", -1);
    EXPECT_EQ(position(h, "A7.Zavernik1", Zav1), -1);
    EXPECT_EQ(h.text("A1.C34"), "Stůj");
    turn(h, "A7.Zavernik1", 1);
    EXPECT_EQ(position(h, "A7.Zavernik1", Zav1), 0);
    EXPECT_EQ(h.text("A1.C34"), "Posun dovolen") << "Se2 still stands turned right";

    /* Se3 turned holds lock 1. */
    turn(h, "A7.Se3", -1);
    turn(h, "A7.Zavernik1", -1);
    EXPECT_EQ(position(h, "A7.Zavernik1", Zav1), 0);
}
