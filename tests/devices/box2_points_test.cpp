/** @file box2_points_test.cpp Box 2's point motors, ammeter, emergency point buttons, crossing, repeater and call-on buttons. */
#include "box2_fixture.h"

#include <gtest/gtest.h>

using namespace box2_test;

namespace {

/** Turns a controller from its start (left) through the middle to the right. */
void controllerRight(Harness &h, const QString &controller)
{
    turnRight(h, controller);
    turnRight(h, controller);
}

} // namespace

TEST(Box2Points, AMotorThrowsItsPointsInTwentyStepsAndEndsOnTheNextTick)
{
    Harness h;
    controllerRight(h, "A8.IR");
    h.advanceMs(150);
    EXPECT_EQ(h.value("A1.Vymena11"), 9);
    EXPECT_EQ(h.interval("A8.TimerVymena11"), 148);
    h.advanceMs(148 * 19);
    EXPECT_EQ(h.value("A1.Vymena11"), -10);
    EXPECT_TRUE(h.timerEnabled("A8.TimerVymena11"));
    EXPECT_FALSE(h.visible("A8.V11Zluta"));
    h.advanceMs(148);
    EXPECT_FALSE(h.timerEnabled("A8.TimerVymena11"));
    EXPECT_TRUE(h.visible("A8.V11Zluta"));
    EXPECT_FALSE(h.visible("A8.V11Zelena"));
    EXPECT_FALSE(h.visible("A8.V11Cervena"));
    EXPECT_EQ(h.value("A8.Ampermetr"), 0);
    EXPECT_TRUE(h.visible("A8.Amp0"));
    EXPECT_FALSE(h.visible("A8.Amp1"));
}

TEST(Box2Points, ThePairNineAndTenMovesTenFirstThenNine)
{
    Harness h;
    turnRight(h, "A8.IO");
    turnRight(h, "A8.IO");
    h.press("A8.NPV10", 3, 3); // bare from the start
    EXPECT_EQ(topOf(h, "A8.NPV10"), topOf(h, "A8.NPV11") + 2);
    h.release(3, 3);
    EXPECT_EQ(topOf(h, "A8.NPV10"), topOf(h, "A8.NPV11"));
    EXPECT_EQ(h.control("A8.NPV10").height(), 14); // stays bare
    h.advanceMs(150 + 148 * 19);
    EXPECT_EQ(h.value("A1.Vymena10"), -10);
    EXPECT_EQ(h.value("A1.Vymena9"), 10);
    h.advanceMs(148 * 20);
    EXPECT_EQ(h.value("A1.Vymena9"), -10);
    EXPECT_TRUE(h.timerEnabled("A8.TimerVymena10"));
    h.advanceMs(148);
    EXPECT_FALSE(h.timerEnabled("A8.TimerVymena10"));
    EXPECT_TRUE(h.visible("A8.V10Zluta"));
}

TEST(Box2Points, AMotorWithItsControllerInTheMiddlePausesAndTheAmmeterCountsStarts)
{
    Harness h;
    turnRight(h, "A8.IR"); // to the middle
    h.press("A8.NPV11", 3, 3); // covered: a press does nothing
    h.release(3, 3);
    EXPECT_EQ(h.control("A8.NPV11").height(), 21);
    h.doubleClick("A8.NPV11"); // covered to sealed; the second press finds it sealed
    EXPECT_EQ(h.control("A8.NPV11").height(), 17);
    EXPECT_FALSE(h.timerEnabled("A8.TimerVymena11"));
    h.doubleClick("A8.NPV11"); // bare, and its second press starts the motor; the release seals it again
    EXPECT_EQ(h.control("A8.NPV11").height(), 17);
    EXPECT_EQ(topOf(h, "A8.NPV11"), topOf(h, "A8.NPV10"));
    EXPECT_TRUE(h.timerEnabled("A8.TimerVymena11"));
    EXPECT_EQ(h.value("A8.Ampermetr"), 1);
    h.advanceMs(2000);
    EXPECT_EQ(h.value("A1.Vymena11"), 10);
    EXPECT_TRUE(h.timerEnabled("A8.TimerVymena11"));
    EXPECT_FALSE(h.visible("A8.V11Zelena"));
    /* A second motor: the ammeter counts two, and the first end clears it while the other runs. */
    controllerRight(h, "A8.IV");
    EXPECT_EQ(h.value("A8.Ampermetr"), 2);
    turnLeft(h, "A8.IR"); // the paused motor heads for +10, where its points already stand
    EXPECT_EQ(h.value("A8.Ampermetr"), 3);
    h.advanceMs(148);
    EXPECT_FALSE(h.timerEnabled("A8.TimerVymena11"));
    EXPECT_TRUE(h.visible("A8.V11Zelena"));
    EXPECT_EQ(h.value("A8.Ampermetr"), 0);
    EXPECT_TRUE(h.timerEnabled("A8.TimerVymena12"));
    EXPECT_TRUE(h.visible("A8.Amp0"));
}

TEST(Box2Points, WithTheCutOutInNothingStartsAndPointsAreLeftOffTheirEnd)
{
    Harness h;
    h.click("A0.H9");
    h.click("A8.NVP");
    EXPECT_EQ(topOf(h, "A8.NVP"), topOf(h, "A8.E0") + 444);
    controllerRight(h, "A8.IR");
    EXPECT_FALSE(h.timerEnabled("A8.TimerVymena11"));
    EXPECT_EQ(h.value("A1.Vymena11"), 9);
    EXPECT_EQ(h.value("A8.Ampermetr"), 0);
    h.advanceMs(1000);
    EXPECT_EQ(h.value("A1.Vymena11"), 9);
    EXPECT_TRUE(h.visible("A8.V11Cervena")); // the flasher shows points off their end
    /* The emergency button pushes the other way too, and starts nothing. */
    h.press("A8.NPV10", 3, 3);
    h.release(3, 3);
    EXPECT_EQ(h.value("A1.Vymena10"), 9);
    EXPECT_FALSE(h.timerEnabled("A8.TimerVymena10"));
    /* Out again: the next command runs the motor back to an end. */
    h.click("A8.NVP");
    EXPECT_EQ(topOf(h, "A8.NVP"), topOf(h, "A8.E0") + 442);
    turnLeft(h, "A8.IR");
    turnLeft(h, "A8.IR");
    h.advanceMs(150 + 148);
    EXPECT_EQ(h.value("A1.Vymena11"), 10);
    h.advanceMs(148);
    EXPECT_FALSE(h.timerEnabled("A8.TimerVymena11"));
    EXPECT_TRUE(h.visible("A8.V11Zelena"));
}

TEST(Box2Points, TheCrossingClosesByG5AndOpensByG6)
{
    Harness h;
    const int base = topOf(h, "A8.G5a");
    setWords(h, {{"A1.PZZ", "Otevřený"}});
    h.click("A8.G5");
    EXPECT_EQ(h.text("A1.PZZ"), "Uzavíraný");
    EXPECT_EQ(h.value("A1.PZZ2"), 21);
    EXPECT_EQ(topOf(h, "A8.G5"), base + 2);
    h.click("A8.G5"); // while closing: the button springs back and the closing is held
    EXPECT_EQ(topOf(h, "A8.G5"), base);
    EXPECT_EQ(h.text("A1.PZZ"), "Uzavíraný2");
    h.press("A8.G6", 3, 3);
    EXPECT_EQ(topOf(h, "A8.G6"), topOf(h, "A8.G6a") + 2);
    EXPECT_EQ(h.text("A1.PZZ"), "Otevřený");
    h.release(3, 3);
    EXPECT_EQ(topOf(h, "A8.G6"), topOf(h, "A8.G6a"));

    /* Closed with the route locked: G5 only toggles; with the lock at rest it opens. */
    setWords(h, {{"A1.PZZ", "Uzavřený"}});
    setFields(h, {{"A1.ZavCHSt", 5}});
    h.click("A8.G5");
    EXPECT_EQ(h.text("A1.PZZ"), "Uzavřený");
    EXPECT_EQ(topOf(h, "A8.G5"), base + 2);
    setFields(h, {{"A1.ZavCHSt", 1}});
    h.click("A8.G5");
    EXPECT_EQ(h.text("A1.PZZ"), "Otevíraný");
    h.press("A8.G6", 3, 3);
    h.release(3, 3);
    EXPECT_EQ(h.text("A1.PZZ"), "Otevřený");
}

TEST(Box2Points, TheRepeaterGivesOpakVystrahyOnlyWithTheConsentAndIKRight)
{
    Harness h;
    h.click("A0.H9");
    const int base = topOf(h, "A8.Lc1a");
    setFields(h, {{"A1.SouLc1St", 5}});
    h.press("A8.Lc1", 3, 3);
    EXPECT_EQ(topOf(h, "A8.Lc1"), base + 2);
    EXPECT_EQ(h.text("A1.C19"), "Stůj");
    h.release(3, 3);
    EXPECT_EQ(topOf(h, "A8.Lc1"), base);
    turnRight(h, "A8.IK");
    h.press("A8.Lc1", 3, 3);
    EXPECT_EQ(h.text("A1.C19"), "Opak.výstrahy");
    h.release(3, 3);
    h.press("A8.Lc1", 3, 3);
    EXPECT_EQ(topOf(h, "A8.Lc1"), base - 2);
    EXPECT_EQ(h.text("A1.C19"), "Stůj");
    h.release(3, 3);
    EXPECT_EQ(topOf(h, "A8.Lc1"), base);
}

TEST(Box2Points, TheCallOnShowsPNOnlyWhileHeldAndTakesTheDesksRelease)
{
    Harness h;
    h.click("A0.H9");
    /* No release from the desk: only the button moves; its release still ends any "PN". */
    h.press("A8.G8", 3, 3);
    EXPECT_EQ(topOf(h, "A8.G8"), topOf(h, "A8.G8a") + 2);
    EXPECT_EQ(h.text("A1.C09"), "Stůj");
    setWords(h, {{"A1.C09", "PN"}});
    h.release(3, 3);
    EXPECT_EQ(h.text("A1.C09"), "Stůj");

    /* The desk opens its call-on button of line C; the double click's second press releases the call-on. */
    h.doubleClick("A6.PNS");
    ASSERT_TRUE(h.visible("A8.G7"));
    const int deska = topOf(h, "A6.Deska");
    EXPECT_EQ(topOf(h, "A6.PNS"), deska + 336);
    h.press("A8.G8", 3, 3);
    EXPECT_EQ(h.text("A1.C09"), "PN");
    EXPECT_FALSE(h.visible("A8.G7"));
    EXPECT_EQ(h.control("A6.PNS").height(), 17);
    EXPECT_EQ(topOf(h, "A6.PNS"), deska + 334);
    h.release(3, 3);
    EXPECT_EQ(h.text("A1.C09"), "Stůj");
    /* Each use needs a new release. */
    h.press("A8.G8", 3, 3);
    EXPECT_EQ(h.text("A1.C09"), "Stůj");
    h.release(3, 3);
    EXPECT_TRUE(h.messages().isEmpty());
}

TEST(Box2Points, TheSwitchG4TurnsWithItsLamp)
{
    Harness h;
    const int left = leftOf(h, "A8.G4");
    h.click("A8.G4");
    EXPECT_TRUE(h.visible("A8.G3"));
    EXPECT_EQ(leftOf(h, "A8.G4"), left + 4);
    EXPECT_EQ(h.as<ui::Image>("A8.G4").picture(), h.as<ui::Image>("A3.RadicP2").picture());
    h.click("A8.G4");
    EXPECT_FALSE(h.visible("A8.G3"));
    EXPECT_EQ(leftOf(h, "A8.G4"), left);
    EXPECT_EQ(h.as<ui::Image>("A8.G4").picture(), h.as<ui::Image>("A3.RadicL2").picture());
}
