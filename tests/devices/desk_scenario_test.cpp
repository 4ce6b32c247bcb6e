/** @file desk_scenario_test.cpp The dispatcher gives and takes back releases with the desk alone, the boxes' side written as they would. */
#include "desk_fixture.h"

using DeskScenario = Desk;

TEST_F(DeskScenario, AnArrivalFromLineAToTrack1AndADepartureToLineBFromTrack1)
{
    h.check("A1.KodSt1", false);

    /* Arrival from line A onto track 1: track, route lock to the entry, the box called, the release given. */
    knobTo("A", 828);
    ASSERT_EQ(rel("A6.KnoflikA"), 828);
    dragLock("A", -30);
    ASSERT_EQ(h.value("A1.CestaA"), 1);
    hold("A6.ZvonekA", 550);
    EXPECT_TRUE(h.visible("A7.CisloB1"));
    EXPECT_EQ(h.control("A7.DestickaA").height(), 85);
    hold("A6.PakaNavBOd", 1150);
    EXPECT_EQ(h.value("A1.NavBOd"), 5);
    EXPECT_EQ(h.value("A1.NavBOdSt"), 6) << "box 1's copy of the release, its latch open";

    /* Box 1 takes the release, locks the route and, after the train, gives the release back. */
    h.type("A1.NavBOdSt", "5");
    h.type("A1.ZavBSt", "5");
    h.type("A1.ZavB", "5");
    h.type("A1.NavBOdSt", "1");
    h.type("A1.NavBOd", "1");

    /* The dispatcher takes the route back and frees the lock. */
    dragLock("A", 30);
    EXPECT_EQ(left("A6.ZavernikA"), 1329) << "the route lock holds while the route is locked";
    h.press("A6.PakaZavB", 5, 5);
    h.advanceMs(1150);
    EXPECT_EQ(h.value("A1.ZavBSt"), 1);
    EXPECT_EQ(h.value("A1.ZavB"), 5) << "the box copy comes down first";
    h.advanceMs(800);
    h.release(5, 5);
    EXPECT_EQ(h.value("A1.ZavB"), 1);
    dragLock("A", 30);
    EXPECT_EQ(left("A6.ZavernikA"), 1348);
    EXPECT_EQ(h.value("A1.CestaA"), 0);

    /* Departure to line B from track 1. */
    knobTo("A", 836);
    knobTo("B", 828);
    ASSERT_EQ(rel("A6.KnoflikB"), 828);
    dragLock("B", 30);
    ASSERT_EQ(h.value("A1.CestaB"), 1);
    hold("A6.ZvonekB", 550);
    EXPECT_TRUE(h.visible("A7.CisloM1"));
    hold("A6.PakaNavMDo", 1150);
    EXPECT_EQ(h.value("A1.NavMDo"), 5);
    EXPECT_EQ(h.value("A1.NavMDoSt"), 6);
    h.drag("A6.KlicB", {5, 3}, {50, 3});
    EXPECT_EQ(relLeft("A6.KlicB"), 724) << "the key is held while the exit release is given";

    h.type("A1.NavMDoSt", "5");
    h.type("A1.ZavMSt", "5");
    h.type("A1.ZavM", "5");
    h.type("A1.NavMDoSt", "1");
    h.type("A1.NavMDo", "1");
    hold("A6.PakaZavM", 1950);
    EXPECT_EQ(h.value("A1.ZavMSt"), 1);
    EXPECT_EQ(h.value("A1.ZavM"), 1);
    dragLock("B", -30);
    EXPECT_EQ(h.value("A1.CestaB"), 0);
    EXPECT_EQ(rel("A6.InduktorA"), 269);
    EXPECT_TRUE(h.messages().isEmpty()) << h.messages().join(" | ").toStdString();
}
