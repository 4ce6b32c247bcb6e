/** @file box2_knobs_test.cpp Box 2's knobs: dragging, the signal knob's aspects, route locks, shunting knobs, controllers. */
#include "box2_fixture.h"

#include <gtest/gtest.h>

using namespace box2_test;

namespace {

/** Locks line C's route in the box and releases its entry signal, as the desk and the block would. */
void entryReleased(Harness &h, int track)
{
    setFields(h, {{"A1.ZavCHSt", 5}, {"A1.NavCHOdSt", 6}, {"A1.HrCHOd", 1}, {"A1.CestaC", track}});
}

/** Locks line C's route in the box and releases its exit signals. */
void exitReleased(Harness &h, int track)
{
    setFields(h, {{"A1.ZavCHSt", 5}, {"A1.NavCHDoSt", 6}, {"A1.HrCHDo", 1}, {"A1.TSCH", 1}, {"A1.CestaC", track}});
}

} // namespace

TEST(Box2Knobs, TheSignalKnobIsGraspedOnlyWhileTheRouteIsLockedInTheBox)
{
    Harness h;
    h.click("A0.H9"); // a game: signals at "Stůj", sounds open
    entryReleased(h, 3);
    h.as<ui::SpinEdit>("A1.ZavCHSt").setValue(4);
    turnRight(h, "A8.NavCH");
    EXPECT_EQ(leftOf(h, "A8.NavCH"), 2056);
    h.as<ui::SpinEdit>("A1.ZavCHSt").setValue(5);
    turnRight(h, "A8.NavCH");
    EXPECT_EQ(leftOf(h, "A8.NavCH"), 2052);
    EXPECT_EQ(h.control("A8.NavCH").width(), 42); // the turned picture
    /* Once the lock field has dropped the player cannot take the knob back either. */
    h.as<ui::SpinEdit>("A1.ZavCHSt").setValue(4);
    turnLeft(h, "A8.NavCH");
    EXPECT_EQ(leftOf(h, "A8.NavCH"), 2052);
    EXPECT_EQ(h.text("A1.C09"), "40 a výstraha");
}

TEST(Box2Knobs, ADragStepsOnlyPastItsThresholdAndTheOriginFollowsEveryTry)
{
    Harness h;
    h.click("A0.H9"); // a game: signals at "Stůj", sounds open
    h.press("A8.IA", 100, 10);
    h.move(120, 10); // exactly the threshold: nothing, and the origin stays at 100
    EXPECT_EQ(leftOf(h, "A8.IA"), 1318);
    h.move(121, 10);
    EXPECT_EQ(leftOf(h, "A8.IA"), 1314);
    EXPECT_EQ(h.text("A1.C31"), "Posun dovolen");
    h.move(142, 10); // tried right again: no further position, but the origin moves to 142
    EXPECT_EQ(leftOf(h, "A8.IA"), 1314);
    h.move(122, 10); // 20 px back from 142: nothing
    EXPECT_EQ(leftOf(h, "A8.IA"), 1314);
    h.move(121, 10);
    EXPECT_EQ(leftOf(h, "A8.IA"), 1318);
    EXPECT_EQ(h.text("A1.C31"), "Stůj");
    h.release(121, 10);
    h.move(60, 10); // released: the knob no longer follows
    EXPECT_EQ(leftOf(h, "A8.IA"), 1318);
    /* A larger threshold from the store is read at every move. */
    h.as<ui::SpinEdit>("A1.Se21").setValue(40);
    turn(h, "A8.IA", -30);
    EXPECT_EQ(leftOf(h, "A8.IA"), 1318);
    turn(h, "A8.IA", -41);
    EXPECT_EQ(leftOf(h, "A8.IA"), 1299);
    EXPECT_EQ(h.text("A1.C16"), "Posun dovolen");
}

TEST(Box2Knobs, TheEntryTurnClearsSByTheRouteAndTheRoutesMeetingIt)
{
    Harness h;
    h.click("A0.H9"); // a game: signals at "Stůj", sounds open
    entryReleased(h, 3);
    const qsizetype mark = h.sounds().size();
    turnRight(h, "A8.NavCH");
    EXPECT_EQ(h.text("A1.C09"), "40 a výstraha");
    EXPECT_EQ(soundsSince(h, mark), QStringList{"play Zavernik.wav"});
    turnLeft(h, "A8.NavCH");
    EXPECT_EQ(h.text("A1.C09"), "Stůj");

    /* Track 1 straight through: "Výstraha"; line B's exit S3 on the same track raises it. */
    setFields(h, {{"A1.CestaC", 1}, {"A1.CestaA", 0}, {"A1.CestaB", 0}});
    turnRight(h, "A8.NavCH");
    EXPECT_EQ(h.text("A1.C09"), "Výstraha");
    turnLeft(h, "A8.NavCH");
    setFields(h, {{"A1.CestaC", 3}, {"A1.CestaB", 3}});
    setWords(h, {{"A1.C40", "Volno"}});
    turnRight(h, "A8.NavCH");
    EXPECT_EQ(h.text("A1.C09"), "40 a volno");
    turnLeft(h, "A8.NavCH");
    /* Line A on the same track: S3 "40 a volno" gives "40 a 40". */
    setFields(h, {{"A1.CestaB", 0}, {"A1.CestaA", 3}});
    setWords(h, {{"A1.C40", "40 a volno"}});
    turnRight(h, "A8.NavCH");
    EXPECT_EQ(h.text("A1.C09"), "40 a 40");
    turnLeft(h, "A8.NavCH");
    EXPECT_EQ(h.text("A1.C09"), "Stůj");
}

TEST(Box2Knobs, TheEntryTurnLeavesACallOnAndNeedsTheReleasedLatch)
{
    Harness h;
    h.click("A0.H9"); // a game: signals at "Stůj", sounds open
    entryReleased(h, 3);
    setWords(h, {{"A1.C09", "PN"}});
    turnRight(h, "A8.NavCH");
    EXPECT_EQ(leftOf(h, "A8.NavCH"), 2052);
    EXPECT_EQ(h.text("A1.C09"), "PN");
    turnLeft(h, "A8.NavCH");
    EXPECT_EQ(h.text("A1.C09"), "PN");
    setWords(h, {{"A1.C09", "Stůj"}});
    setFields(h, {{"A1.NavCHOdSt", 5}});
    turnRight(h, "A8.NavCH");
    EXPECT_EQ(leftOf(h, "A8.NavCH"), 2056);
    setFields(h, {{"A1.NavCHOdSt", 6}, {"A1.HrCHOd", 2}});
    turnRight(h, "A8.NavCH");
    EXPECT_EQ(leftOf(h, "A8.NavCH"), 2056);
}

TEST(Box2Knobs, TheExitTurnClearsTheRoutesSignalsAndRaisesLineAsEntry)
{
    Harness h;
    h.click("A0.H9"); // a game: signals at "Stůj", sounds open
    exitReleased(h, 2);
    setFields(h, {{"A1.CestaA", 2}});
    setWords(h, {{"A1.C03", "40 a výstraha"}});
    turnLeft(h, "A8.NavCH");
    EXPECT_EQ(leftOf(h, "A8.NavCH"), 2037);
    EXPECT_EQ(h.text("A1.C16"), "Volno");
    EXPECT_EQ(h.text("A1.C22"), "40 a volno");
    EXPECT_EQ(h.text("A1.C03"), "40 a 40");
    turnRight(h, "A8.NavCH");
    EXPECT_EQ(h.text("A1.C16"), "Stůj");
    EXPECT_EQ(h.text("A1.C22"), "Stůj");
    EXPECT_EQ(h.text("A1.C03"), "40 a výstraha");

    /* Track 3 with line B's entry on it: "Výstraha" becomes "40 a 40" and back. */
    setFields(h, {{"A1.CestaC", 3}, {"A1.CestaA", 0}, {"A1.CestaB", 3}});
    setWords(h, {{"A1.C06", "Výstraha"}});
    turnLeft(h, "A8.NavCH");
    EXPECT_EQ(h.text("A1.C25"), "40 a volno");
    EXPECT_EQ(h.text("A1.C06"), "40 a 40");
    turnRight(h, "A8.NavCH");
    EXPECT_EQ(h.text("A1.C25"), "Stůj");
    EXPECT_EQ(h.text("A1.C06"), "Výstraha");
}

TEST(Box2Knobs, WithoutTheDesksConsentTheExitKnobTurnsButNothingClears)
{
    Harness h;
    h.click("A0.H9"); // a game: signals at "Stůj", sounds open
    exitReleased(h, 1);
    setFields(h, {{"A1.TSCH", 2}});
    turnLeft(h, "A8.NavCH");
    EXPECT_EQ(leftOf(h, "A8.NavCH"), 2037);
    EXPECT_EQ(h.text("A1.C19"), "Stůj");
    EXPECT_EQ(h.text("A1.C16"), "Stůj");
    /* The return tests no consent: a signal cleared otherwise goes back too. */
    setWords(h, {{"A1.C19", "Volno"}});
    turnRight(h, "A8.NavCH");
    EXPECT_EQ(h.text("A1.C19"), "Stůj");
}

TEST(Box2Knobs, RouteLocksFollowTheControllersAndReturnOnlyWithTheLockFieldAtRest)
{
    Harness h;
    h.click("A0.H9"); // a game: signals at "Stůj", sounds open
    const qsizetype mark = h.sounds().size();
    turnRight(h, "A8.I1"); // IO left, IH in the middle: allowed
    EXPECT_EQ(leftOf(h, "A8.I1"), 978);
    EXPECT_EQ(soundsSince(h, mark), QStringList{"play Zavernik.wav"});
    h.control("A8.CisloCH1").show();
    setFields(h, {{"A1.ZavCHSt", 5}});
    turnLeft(h, "A8.I1");
    EXPECT_EQ(leftOf(h, "A8.I1"), 978);
    EXPECT_TRUE(h.visible("A8.CisloCH1"));
    setFields(h, {{"A1.ZavCHSt", 1}});
    turnLeft(h, "A8.I1");
    EXPECT_EQ(leftOf(h, "A8.I1"), 982);
    EXPECT_FALSE(h.visible("A8.CisloCH1"));

    /* I1's left turn needs IO right and IH in the middle: refused with IO left. */
    turnLeft(h, "A8.I1");
    EXPECT_EQ(leftOf(h, "A8.I1"), 982);
    /* With IY out of its left position I1 does not move at all. */
    turnRight(h, "A8.IY");
    EXPECT_EQ(leftOf(h, "A8.IY"), 1707);
    turnRight(h, "A8.I1");
    EXPECT_EQ(leftOf(h, "A8.I1"), 982);
    turnLeft(h, "A8.IY");

    /* I7 turns left only with the controllers set for it: IR and IV right, IY right. */
    turnLeft(h, "A8.I7");
    EXPECT_EQ(leftOf(h, "A8.I7"), 1174);
    for (const char *c : {"A8.IR", "A8.IV", "A8.IY"}) {
        turnRight(h, c);
        turnRight(h, c);
    }
    turnLeft(h, "A8.I7");
    EXPECT_EQ(leftOf(h, "A8.I7"), 1155);
    /* Now IR cannot leave its right position. */
    turnLeft(h, "A8.IR");
    EXPECT_EQ(leftOf(h, "A8.IR"), 1511);
}

TEST(Box2Knobs, TheLc1RouteLockNeedsTheConsentToTurnAndItsRestToReturn)
{
    Harness h;
    h.click("A0.H9"); // a game: signals at "Stůj", sounds open
    setFields(h, {{"A1.SouLc1St", 4}});
    turnRight(h, "A8.IK");
    EXPECT_EQ(leftOf(h, "A8.IK"), 1654);
    setFields(h, {{"A1.SouLc1St", 5}});
    turnRight(h, "A8.IK");
    EXPECT_EQ(leftOf(h, "A8.IK"), 1650);
    /* IK turned holds I1 and gives IH no left turn. */
    turnRight(h, "A8.I1");
    EXPECT_EQ(leftOf(h, "A8.I1"), 982);
    turnLeft(h, "A8.IH");
    EXPECT_EQ(leftOf(h, "A8.IH"), 1510);
    setFields(h, {{"A1.ZavCHSt", 1}, {"A1.SouLc1St", 2}});
    turnLeft(h, "A8.IK");
    EXPECT_EQ(leftOf(h, "A8.IK"), 1650);
    setFields(h, {{"A1.SouLc1St", 1}});
    turnLeft(h, "A8.IK");
    EXPECT_EQ(leftOf(h, "A8.IK"), 1654);
}

TEST(Box2Knobs, ShuntingKnobsGiveAndTakeBackPosunDovolenOnlyFromStuj)
{
    Harness h;
    h.click("A0.H9"); // a game: signals at "Stůj", sounds open
    const qsizetype mark = h.sounds().size();
    turnLeft(h, "A8.IH");
    EXPECT_EQ(h.text("A1.C19"), "Posun dovolen");
    turnRight(h, "A8.IH");
    EXPECT_EQ(h.text("A1.C19"), "Stůj");
    EXPECT_TRUE(soundsSince(h, mark).isEmpty()); // shunting knobs turn silently
    setWords(h, {{"A1.C25", "40 a volno"}});
    turnRight(h, "A8.ID");
    EXPECT_EQ(leftOf(h, "A8.ID"), 1410);
    EXPECT_EQ(h.text("A1.C25"), "40 a volno");
    turnLeft(h, "A8.ID");
    EXPECT_EQ(h.text("A1.C25"), "40 a volno");
    /* With a route lock turned the shunting knobs of its area are held. */
    turnRight(h, "A8.I1");
    turnLeft(h, "A8.ID");
    EXPECT_EQ(leftOf(h, "A8.ID"), 1414);
    EXPECT_EQ(h.text("A1.C28"), "Stůj");
}

TEST(Box2Knobs, AControllerTurnedFromTheMiddleStartsItsMotorWhenTheSectionIsFree)
{
    Harness h;
    h.click("A0.H9"); // a game: signals at "Stůj", sounds open
    turnRight(h, "A8.IR"); // left to the middle: commands nothing
    EXPECT_EQ(leftOf(h, "A8.IR"), 1515);
    EXPECT_FALSE(h.timerEnabled("A8.TimerVymena11"));
    turnRight(h, "A8.IR");
    EXPECT_EQ(leftOf(h, "A8.IR"), 1511);
    EXPECT_TRUE(h.timerEnabled("A8.TimerVymena11"));
    EXPECT_EQ(h.value("A8.Ampermetr"), 1);
    EXPECT_FALSE(h.visible("A8.V11Zelena"));
    EXPECT_TRUE(h.visible("A8.Amp1"));
    EXPECT_FALSE(h.visible("A8.Amp0"));

    /* An occupied section: the knob turns, no motor, the lamps stay. */
    setWords(h, {{"A1.KO12", "Obsazená"}});
    turnRight(h, "A8.IV");
    turnRight(h, "A8.IV");
    EXPECT_EQ(leftOf(h, "A8.IV"), 1607);
    EXPECT_FALSE(h.timerEnabled("A8.TimerVymena12"));
    EXPECT_TRUE(h.visible("A8.V12Zelena"));

    /* The cut-out pressed in: no motor, points at the end pushed one step off it. */
    h.click("A8.NVP");
    turnRight(h, "A8.IY");
    turnRight(h, "A8.IY");
    EXPECT_FALSE(h.timerEnabled("A8.TimerVymena13"));
    EXPECT_EQ(h.value("A1.Vymena13"), 9);
    EXPECT_EQ(h.value("A8.Ampermetr"), 1);
    /* IO turns without a motor of its own. */
    turnRight(h, "A8.IO");
    turnRight(h, "A8.IO");
    EXPECT_EQ(leftOf(h, "A8.IO"), 1415);
    EXPECT_FALSE(h.timerEnabled("A8.TimerVymena10"));
}
