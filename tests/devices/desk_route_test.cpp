/** @file desk_route_test.cpp The desk's track knobs and route locks, worked by dragging them. */
#include "desk_fixture.h"

using DeskRoute = Desk;

TEST_F(DeskRoute, KnobAMovesBetweenTrack7AndTrack2WhileKnobBWaitsBetweenStops)
{
    EXPECT_EQ(rel("A6.KnoflikA"), 836);
    EXPECT_EQ(rel("A6.KnoflikB"), 820);
    dragKnob("A", -80);
    EXPECT_EQ(rel("A6.KnoflikA"), 796);
    dragKnob("A", 200);
    EXPECT_EQ(rel("A6.KnoflikA"), 844) << "track 4 stays closed without its option";
    h.check("A1.Kod4kolej", true);
    dragKnob("A", 20);
    EXPECT_EQ(rel("A6.KnoflikA"), 852);
}

TEST_F(DeskRoute, KnobsAAndBKeepApartUnlessTheRoutesMayCross)
{
    knobTo("B", 812);
    EXPECT_EQ(rel("A6.KnoflikB"), 812);
    dragKnob("A", -80);
    EXPECT_EQ(rel("A6.KnoflikA"), 828) << "knob A stops below knob B on track 3";
    knobTo("B", 828);
    EXPECT_EQ(rel("A6.KnoflikB"), 820) << "knob B waits at 820 while knob A stands above 836";
    knobTo("A", 836);
    knobTo("B", 844);
    EXPECT_EQ(rel("A6.KnoflikB"), 828) << "track 2 stays closed to knob B without its option";
    dragKnob("A", -40);
    EXPECT_EQ(rel("A6.KnoflikA"), 836) << "knob A cannot go up past knob B";
    h.check("A1.Kod2kolej", true);
    knobTo("B", 844);
    EXPECT_EQ(rel("A6.KnoflikB"), 844);
    dragKnob("A", 40);
    EXPECT_EQ(rel("A6.KnoflikA"), 836) << "knob A cannot go down with knob B on track 2";
    h.check("A1.KodKrizeni", true);
    dragKnob("A", -80);
    EXPECT_EQ(rel("A6.KnoflikA"), 796);
}

TEST_F(DeskRoute, AMoveWithinTheThresholdChangesNothingAndTravelAddsUp)
{
    dragKnob("C", 3);
    EXPECT_EQ(rel("A6.KnoflikC"), 836);
    h.press("A6.KnoflikC", 5, 20);
    h.move(5, 22);
    h.move(5, 23);
    EXPECT_EQ(rel("A6.KnoflikC"), 836);
    h.move(5, 24);
    EXPECT_EQ(rel("A6.KnoflikC"), 840) << "the anchor stays put until a step is made";
    /* The knob went 4 px down under the pointer, so the hand goes 8 px for the next step. */
    h.move(5, 31);
    EXPECT_EQ(rel("A6.KnoflikC"), 840);
    h.move(5, 32);
    EXPECT_EQ(rel("A6.KnoflikC"), 844) << "a knob travels half as far as the hand";
    h.move(5, 24);
    h.release(5, 24);
    h.move(5, 40);
    EXPECT_EQ(rel("A6.KnoflikC"), 840) << "a released knob does not follow the mouse";
    h.type("A1.KnoflikC", "10");
    dragKnob("C", -10);
    EXPECT_EQ(rel("A6.KnoflikC"), 840);
    dragKnob("C", -11);
    EXPECT_EQ(rel("A6.KnoflikC"), 836);
}

TEST_F(DeskRoute, ALockTurnsBothWaysWritingTheRouteAndHoldsItsKnob)
{
    dragLock("A", -30);
    EXPECT_EQ(left("A6.ZavernikA"), 1348) << "knob A between stops: the lock does not turn";
    EXPECT_EQ(h.value("A1.CestaA"), 0);

    knobTo("A", 812);
    const qsizetype mark = h.sounds().size();
    dragLock("A", -19);
    EXPECT_EQ(left("A6.ZavernikA"), 1348) << "within the threshold";
    dragLock("A", -21);
    EXPECT_EQ(left("A6.ZavernikA"), 1329);
    EXPECT_EQ(h.control("A6.ZavernikA").width(), 42);
    EXPECT_EQ(h.value("A1.CestaA"), 3);
    EXPECT_TRUE(heard("play Zavernik.wav", mark));

    dragKnob("A", 40);
    EXPECT_EQ(rel("A6.KnoflikA"), 812) << "a knob is held while its lock is turned";
    dragLock("A", 30);
    EXPECT_EQ(left("A6.ZavernikA"), 1348) << "a turned lock goes back to rest first";
    EXPECT_EQ(h.value("A1.CestaA"), 0);
    EXPECT_EQ(h.control("A6.ZavernikA").width(), 19);
    dragLock("A", -30);
    /* Back at rest the lock stands 19 px further right, under the hand: the hand goes 21 + 19 + 21 px. */
    dragLock("A", 60);
    EXPECT_EQ(left("A6.ZavernikA"), 1348) << "the lock moved under the pointer on its way to rest";
    dragLock("A", -30);
    dragLock("A", 61);
    EXPECT_EQ(left("A6.ZavernikA"), 1344) << "through rest to the right in one drag";
    EXPECT_EQ(h.value("A1.CestaA"), 3);

    dragLock("A", -30);
    h.type("A1.ZavB", "2");
    dragLock("A", -30);
    EXPECT_EQ(left("A6.ZavernikA"), 1348) << "a lock whose line is not at rest cannot be taken";
}

TEST_F(DeskRoute, LocksRefuseRoutesThatMeetOnOneTrack)
{
    knobTo("A", 812);
    knobTo("C", 812);
    dragLock("C", 30);
    ASSERT_EQ(left("A6.ZavernikC"), 2037);
    EXPECT_EQ(h.value("A1.CestaC"), 3);
    dragLock("A", -30);
    EXPECT_EQ(left("A6.ZavernikA"), 1348) << "left refused: line C's entry lies on track 3";
    dragLock("A", 30);
    EXPECT_EQ(left("A6.ZavernikA"), 1344);
    EXPECT_EQ(h.value("A1.CestaA"), 3);

    dragLock("C", -30);
    dragLock("A", -60);
    ASSERT_EQ(left("A6.ZavernikA"), 1329);
    dragLock("C", 30);
    EXPECT_EQ(left("A6.ZavernikC"), 2041) << "right refused: line A's entry lies on track 3";
    dragLock("C", -30);
    EXPECT_EQ(left("A6.ZavernikC"), 2022) << "a left turn of lock C is never refused";
}

TEST_F(DeskRoute, LockCDependsOnLocksDAndE)
{
    EXPECT_EQ(left("A6.ZavernikE"), 2287) << "lock E starts turned right";
    dragLock("D", 30);
    ASSERT_EQ(left("A6.ZavernikD"), 1582);
    knobTo("C", 828);
    dragLock("C", 30);
    EXPECT_EQ(left("A6.ZavernikC"), 2041) << "track 1 is closed while lock D is turned";
    dragLock("D", -30);
    EXPECT_EQ(left("A6.ZavernikD"), 1586);
    dragLock("C", 30);
    EXPECT_EQ(h.value("A1.CestaC"), 1);
    dragLock("D", 30);
    EXPECT_EQ(left("A6.ZavernikD"), 1586) << "lock D cannot be taken while line C's route is on track 1";
    dragLock("C", -30);

    knobTo("C", 844);
    dragLock("E", -30);
    ASSERT_EQ(left("A6.ZavernikE"), 2291);
    dragLock("C", 30);
    EXPECT_EQ(left("A6.ZavernikC"), 2041) << "track 2 is closed while lock E is at rest";
    dragLock("E", 30);
    dragLock("C", 30);
    EXPECT_EQ(h.value("A1.CestaC"), 2);
    dragLock("E", -30);
    EXPECT_EQ(left("A6.ZavernikE"), 2287) << "lock E cannot be taken while line C's route is on track 2";
    h.type("A1.SouLc1", "2");
    dragLock("C", -30);
    dragLock("D", 30);
    EXPECT_EQ(left("A6.ZavernikD"), 1586) << "lock D needs the Lc1 consent at rest";
    EXPECT_TRUE(h.messages().isEmpty());
}

TEST_F(DeskRoute, LinesAAndBRefuseEachOthersTrackWhileTheOtherRouteIsLocked)
{
    h.check("A1.KodKrizeni", true);
    knobTo("A", 812);
    knobTo("B", 812);
    ASSERT_EQ(rel("A6.KnoflikB"), 812);
    dragLock("B", 30);
    ASSERT_EQ(left("A6.ZavernikB"), 1729);
    dragLock("A", 30);
    EXPECT_EQ(left("A6.ZavernikA"), 1348) << "lock A right: line B holds track 3";
    dragLock("A", -30);
    EXPECT_EQ(left("A6.ZavernikA"), 1348) << "lock A left: line B holds track 3";
    dragLock("B", -30);
    dragLock("A", -30);
    ASSERT_EQ(left("A6.ZavernikA"), 1329);
    dragLock("B", 30);
    EXPECT_EQ(left("A6.ZavernikB"), 1733) << "lock B right: line A holds track 3";
    dragLock("A", 30);

    knobTo("C", 812);
    dragLock("C", 30);
    ASSERT_EQ(left("A6.ZavernikC"), 2037);
    dragLock("B", -30);
    EXPECT_EQ(left("A6.ZavernikB"), 1733) << "lock B left: line C's entry lies on track 3";
    dragLock("B", 30);
    EXPECT_EQ(left("A6.ZavernikB"), 1729) << "lock B right is free of line C";
    EXPECT_EQ(h.value("A1.CestaB"), 3);
}

TEST_F(DeskRoute, TracksTwoAndFourOpenToTheirKnobsAndLocksByTheOptions)
{
    knobTo("C", 860);
    EXPECT_EQ(rel("A6.KnoflikC"), 844) << "knob C ends on track 2";
    h.check("A1.Kod2kolej", true);
    h.check("A1.Kod4kolej", true);
    knobTo("B", 860);
    EXPECT_EQ(rel("A6.KnoflikB"), 852);
    dragLock("B", -30);
    EXPECT_EQ(h.value("A1.CestaB"), 4);
    dragLock("B", 30);
    h.check("A1.Kod4kolej", false);
    dragLock("B", -30);
    EXPECT_EQ(h.value("A1.CestaB"), 0) << "track 4 closed again: the lock refuses to start";
    knobTo("B", 844);
    dragLock("B", -30);
    EXPECT_EQ(h.value("A1.CestaB"), 2);
}
