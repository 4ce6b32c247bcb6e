/** @file offers_test.cpp The neighbours' offers of due trains and their departure notices. */
#include "traffic/traffic_fixture.h"

namespace {

using Offers = TrafficTest;

TEST_F(Offers, TheLowestDueRowOfTheLineIsOfferedWordedByTheLineMode)
{
    put(3, {.number = "5403"});
    put(2, {.number = "5402"});
    put(4, {.number = "851", .from = "Vrbská"});
    put(5, {.number = "852", .from = ""});
    for (int r : {2, 3, 4, 5})
        row(r).neighbourDeparture->setColor(progress::Orange);
    traffic::OfferIncomingTrains(h.app());
    EXPECT_EQ(h.text("A1.ZpravaA"), "Nabídka vlaku 5402");
    EXPECT_EQ(h.color("A1.ZpravaA"), progress::Red);
    EXPECT_EQ(h.text("A1.ZpravaB"), "");
    EXPECT_EQ(h.color("A1.ZpravaB"), progress::White);
    EXPECT_EQ(h.text("A1.ZpravaC"), "Předvídaný odjezd 851");
    /* The offer leaves the row as it was. */
    EXPECT_EQ(row(2).neighbourDeparture->color(), progress::Orange);
}

TEST_F(Offers, AnOccupiedLineOrATakenTelephoneGetsNoOffer)
{
    put(1);
    row(1).neighbourDeparture->setColor(progress::Orange);
    a1().TratA->setText("5400");
    traffic::OfferIncomingTrains(h.app());
    EXPECT_EQ(h.text("A1.ZpravaA"), "");
    a1().TratA->setText("Volná");
    a1().ZpravaA->setColor(progress::Yellow);
    traffic::OfferIncomingTrains(h.app());
    EXPECT_EQ(h.text("A1.ZpravaA"), "");
    EXPECT_EQ(h.color("A1.ZpravaA"), progress::Yellow);
}

TEST_F(Offers, AWaitingCallRingsAndSlowsTheClockOncePerTick)
{
    h.check("A1.Zvuky", true);
    h.check("A1.KodRychTel", true);
    h.type("A1.Rychlost", "64");
    a1().ZpravaB->setColor(progress::Red);
    a1().ZpravaC->setColor(progress::Red);
    const auto rings = [this] { return h.sounds().filter("play Telefon").size(); };
    const qsizetype before = rings();
    traffic::OfferIncomingTrains(h.app());
    EXPECT_EQ(rings(), before + 1);
    EXPECT_EQ(h.text("A1.Rychlost"), "1");
    /* Without sounds no ring, the slow-down still applies; without the option the speed stays. */
    h.check("A1.Zvuky", false);
    h.type("A1.Rychlost", "64");
    traffic::OfferIncomingTrains(h.app());
    EXPECT_EQ(rings(), before + 1);
    EXPECT_EQ(h.text("A1.Rychlost"), "1");
    h.check("A1.KodRychTel", false);
    h.type("A1.Rychlost", "64");
    traffic::OfferIncomingTrains(h.app());
    EXPECT_EQ(h.text("A1.Rychlost"), "64");
}

TEST_F(Offers, TheDepartureNoticeMarksTheRowAndStartsTheApproachCount)
{
    put(1, {.number = "5401"});
    accept(1, 0);
    h.setClock(9, 5, 30);
    a1().OdjezdA->setValue(1);
    traffic::AnnounceNeighbourDeparture(h.app());
    EXPECT_EQ(h.value("A1.OdjezdA"), 0);
    EXPECT_EQ(row(1).trainNumber->color(), progress::Yellow);
    EXPECT_EQ(row(1).neighbourDeparture->color(), progress::Lime);
    EXPECT_EQ(row(1).agreedTime->text(), "9:05");
    EXPECT_EQ(h.text("A1.ZpravaA"), "Oznámení odjezdu 5401");
    EXPECT_EQ(h.color("A1.ZpravaA"), progress::Red);
    EXPECT_EQ(h.color("A1.StavVlakA"), progress::Lime);
    EXPECT_EQ(h.value("A1.StavVlakA"), 240);
}

TEST_F(Offers, ANoticeWithoutARowStillRaisesTheCallAndLeavesOtherCountdownsAlone)
{
    a1().TratB->setText("999");
    a1().ZpravaB->setText("staré");
    a1().OdjezdB->setValue(1);
    a1().OdjezdC->setValue(2);
    traffic::AnnounceNeighbourDeparture(h.app());
    EXPECT_EQ(h.text("A1.ZpravaB"), "staré");
    EXPECT_EQ(h.color("A1.ZpravaB"), progress::Red);
    EXPECT_EQ(h.color("A1.StavVlakB"), progress::Lime);
    EXPECT_EQ(h.value("A1.OdjezdC"), 2);
    EXPECT_EQ(h.color("A1.ZpravaC"), progress::White);
}

} // namespace
