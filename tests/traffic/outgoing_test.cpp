/** @file outgoing_test.cpp Outbound trains on the line: due, ready, counted to the neighbour, reported or freed. */
#include "traffic/traffic_fixture.h"

#include "devices/form_a6.h"

namespace {

using Outgoing = TrafficTest;

/** An outbound train of row r on line x that has just left the station: count -60 x running time, aqua. */
void onTheLine(TrafficTest &t, TA1 &a1, TimetableRow &w, int line)
{
    a1.Trat(line)->setText(w.trainNumber->text());
    a1.StavVlak(line)->setValue(-60 * w.runningTimeTo->text().toInt());
    a1.StavVlak(line)->setColor(progress::Aqua);
    w.departure->setColor(progress::Lime);
    (void)t;
}

TEST_F(Outgoing, DeparturesAreDueFiveMinutesAheadAndReadyAtTheAgreedTime)
{
    h.setClock(12, 15, 30);
    put(1, {.departure = "12:20"});
    put(2, {.number = "5403", .departure = "pr."});
    put(3, {.number = "5405", .departure = "12:20"});
    row(3).departure->setColor(progress::Yellow);
    row(3).agreedTime->setText("12:15");
    put(4, {.number = "5407", .departure = "12:15"});
    row(4).departure->setColor(progress::Orange);
    row(4).agreedTime->setText("12:15");
    traffic::RunOutgoingTrains(h.app());
    EXPECT_EQ(row(1).departure->color(), progress::Orange);
    EXPECT_EQ(row(2).departure->color(), progress::White);
    EXPECT_EQ(row(3).departure->color(), progress::Aqua);
    EXPECT_EQ(row(4).departure->color(), progress::Orange);
}

TEST_F(Outgoing, UnderTelephoneDispatchingTheNeighbourReportsTheArrivalUntilAcknowledged)
{
    put(1, {.runningTimeTo = "1"});
    onTheLine(*this, a1(), row(1), 0);
    trafficTicks(55);
    EXPECT_EQ(h.text("A1.ZpravaA"), "");
    trafficTicks(1);
    EXPECT_EQ(h.value("A1.StavVlakA"), -5);
    EXPECT_EQ(row(1).departure->color(), progress::Fuchsia);
    EXPECT_EQ(h.text("A1.ZpravaA"), "Telefonická odhláška 5401");
    EXPECT_EQ(h.color("A1.ZpravaA"), progress::Red);
    /* Answered (yellow): no second report; released unacknowledged: reported again. */
    a1().ZpravaA->setColor(progress::Yellow);
    a1().ZpravaA->setText(QString());
    trafficTicks(3);
    EXPECT_EQ(h.text("A1.ZpravaA"), "");
    a1().ZpravaA->setColor(progress::White);
    trafficTicks(1);
    EXPECT_EQ(h.text("A1.ZpravaA"), "Telefonická odhláška 5401");
    EXPECT_EQ(h.text("A1.TratA"), "5401");
}

TEST_F(Outgoing, UnderTheBlockLinesAAndBAreFreedAtOnce)
{
    put(1, {.runningTimeTo = "1"});
    put(2, {.number = "5401", .from = ""});
    h.type("A1.SmerA", "Poloautoblok");
    onTheLine(*this, a1(), row(1), 0);
    for (const char *lamp : {"A6.VTM", "A6.VOM", "A1.VTM"})
        h.control(lamp).hide();
    trafficTicks(56);
    EXPECT_EQ(h.text("A1.TratA"), "Volná");
    EXPECT_EQ(h.value("A1.StavVlakA"), 0);
    EXPECT_EQ(h.color("A1.StavVlakA"), progress::White);
    /* A row that came from a neighbour keeps its number; one that started here is freed. */
    EXPECT_EQ(row(1).trainNumber->text(), "5401");
    EXPECT_EQ(row(1).departure->text(), "");
    EXPECT_EQ(row(1).departure->color(), progress::White);
    EXPECT_EQ(row(2).trainNumber->text(), "");
    EXPECT_FALSE(h.visible("A6.VTM"));
    EXPECT_EQ(h.text("A1.ZpravaA"), "");
    put(3, {.number = "6001", .from = "", .runningTimeTo = "1", .to = "Struhy"});
    onTheLine(*this, a1(), row(3), 1);
    trafficTicks(56);
    EXPECT_EQ(h.text("A1.TratB"), "Volná");
    EXPECT_EQ(row(3).trainNumber->text(), "");
    EXPECT_TRUE(h.visible("A6.VTM"));
    EXPECT_TRUE(h.visible("A6.VOM"));
    EXPECT_TRUE(h.visible("A1.VTM"));
}

TEST_F(Outgoing, ACountOfMinusFourWithoutAquaOnlyMarksTheRows)
{
    put(1);
    a1().TratA->setText("5401");
    a1().StavVlakA->setValue(-4);
    traffic::RunOutgoingTrains(h.app());
    EXPECT_EQ(h.value("A1.StavVlakA"), -5);
    EXPECT_EQ(row(1).departure->color(), progress::Fuchsia);
    EXPECT_EQ(h.text("A1.ZpravaA"), "");
}

TEST_F(Outgoing, ARunningTimeOfZeroIsHandedToTheNeighbourAtOnce)
{
    put(1, {.runningTimeTo = "0"});
    h.type("A1.SmerA", "Poloautoblok");
    onTheLine(*this, a1(), row(1), 0);
    trafficTicks(1);
    EXPECT_EQ(h.text("A1.TratA"), "Volná");
    EXPECT_EQ(h.value("A1.StavVlakA"), 0);
}

TEST_F(Outgoing, ALineCTrainWithARunningTimeOfZeroStillReleasesVrbskasEntryField)
{
    put(1, {.from = "", .runningTimeTo = "0"});
    onTheLine(*this, a1(), row(1), 2);
    h.type("A1.PHCHDo", "5");
    const int rest = a1().PakaTSJ->top();
    trafficTicks(1);
    EXPECT_EQ(h.value("A1.NavJOd"), 6);
    EXPECT_EQ(h.value("A1.StavVlakC"), -5);
    EXPECT_EQ(row(1).departure->color(), progress::Fuchsia);
    EXPECT_EQ(a1().PakaNavJOd->top(), rest + 7);
    /* The release does not come again while the count cycles at the neighbour. */
    h.type("A1.NavJOd", "3");
    trafficTicks(4);
    EXPECT_EQ(h.value("A1.NavJOd"), 3);
}

TEST_F(Outgoing, LineCPressesVrbskasLeverOnceAnnouncedAndReleasesItWhenFree)
{
    put(1, {.from = "", .runningTimeTo = "1"});
    onTheLine(*this, a1(), row(1), 2);
    const int rest = a1().PakaTSJ->top();
    trafficTicks(50);
    EXPECT_EQ(h.value("A1.NavJOd"), 6);
    trafficTicks(6);
    EXPECT_EQ(h.value("A1.StavVlakC"), -5);
    /* Without a pre-announcement the line stays occupied and the lever at rest. */
    EXPECT_EQ(a1().PakaNavJOd->top(), rest);
    h.type("A1.PHCHDo", "5");
    trafficTicks(2);
    EXPECT_EQ(a1().PakaNavJOd->top(), rest + 7);
    EXPECT_TRUE(h.timerEnabled("A1.ZaverCH"));
    EXPECT_EQ(h.interval("A1.ZaverCH"), 300);
    /* What the crank leaves when it has freed the line. */
    a1().ZaverCH->setEnabledFlag(false);
    h.type("A1.NavJOd", "1");
    a1().StavVlakC->setValue(0);
    a1().StavVlakC->setColor(progress::White);
    a1().ZaverCH->setEnabledFlag(true);
    trafficTicks(1);
    EXPECT_EQ(a1().PakaNavJOd->top(), rest);
    EXPECT_FALSE(h.timerEnabled("A1.ZaverCH"));
    EXPECT_FALSE(h.timerEnabled("A1.Klika"));
}

TEST_F(Outgoing, BeforeAGameAPassChangesNothing)
{
    traffic::RunOutgoingTrains(h.app());
    for (const char *cell : {"A1.StavVlakA", "A1.StavVlakB", "A1.StavVlakC"})
        EXPECT_EQ(h.value(cell), 0);
    EXPECT_EQ(h.text("A1.ZpravaC"), "");
    EXPECT_EQ(h.value("A1.NavJOd"), 1);
}

} // namespace
