/** @file incoming_test.cpp Inbound trains: due marking, re-offers, the neighbours' departure countdowns and the approach. */
#include "traffic/traffic_fixture.h"

#include "devices/form_a6.h"

namespace {

using Incoming = TrafficTest;

TEST_F(Incoming, RowsBecomeDueFiveMinutesBeforeTheNeighboursDeparture)
{
    h.setClock(12, 0, 10);
    put(1, {.number = "5401", .neighbourDeparture = "12:05"});
    put(2, {.number = "5403", .neighbourDeparture = "12:05", .departure = "pr."});
    row(2).neighbourDeparture->setColor(progress::Yellow);
    put(3, {.number = "5405", .neighbourDeparture = "12:06"});
    traffic::RunIncomingTrains(h.app());
    EXPECT_EQ(row(1).neighbourDeparture->color(), progress::Orange);
    EXPECT_EQ(row(1).minutesAhead->text(), "5");
    EXPECT_EQ(row(1).trainNumber->color(), progress::Orange);
    /* Only a white cell is marked; a passing row's departure cell is marked all the same. */
    EXPECT_EQ(row(2).neighbourDeparture->color(), progress::Yellow);
    EXPECT_EQ(row(2).minutesAhead->text(), "");
    EXPECT_EQ(row(2).departure->color(), progress::Orange);
    EXPECT_EQ(row(3).neighbourDeparture->color(), progress::White);
}

TEST_F(Incoming, MinutesAheadFallAtEachMinuteChangeButNotBelowOne)
{
    put(1);
    put(2, {.number = "5403"});
    row(1).neighbourDeparture->setColor(progress::Orange);
    row(1).minutesAhead->setText("2");
    row(2).neighbourDeparture->setColor(progress::Red);
    row(2).minutesAhead->setText("1");
    row(2).reofferCountdown->setText("30");
    h.setClock(12, 1, 0);
    traffic::RunIncomingTrains(h.app());
    EXPECT_EQ(row(1).minutesAhead->text(), "1");
    EXPECT_EQ(row(2).minutesAhead->text(), "1");
    h.setClock(12, 1, 1);
    traffic::RunIncomingTrains(h.app());
    EXPECT_EQ(row(1).minutesAhead->text(), "1");
}

TEST_F(Incoming, ARefusedTrainIsDueAgainInTheSixtiethTick)
{
    put(1);
    row(1).neighbourDeparture->setColor(progress::Red);
    row(1).minutesAhead->setText("3");
    row(1).reofferCountdown->setText("60");
    h.setClock(12, 0, 1);
    trafficTicks(59);
    EXPECT_EQ(row(1).neighbourDeparture->color(), progress::Red);
    EXPECT_EQ(row(1).reofferCountdown->text(), "1");
    trafficTicks(1);
    EXPECT_EQ(row(1).neighbourDeparture->color(), progress::Orange);
    EXPECT_EQ(row(1).reofferCountdown->text(), "");
    /* Offered again on the next tick. */
    trafficTicks(1);
    EXPECT_EQ(h.text("A1.ZpravaA"), "Nabídka vlaku 5401");
}

TEST_F(Incoming, AnUnreadableCountFailsThePassWithItsCode)
{
    put(1);
    row(1).neighbourDeparture->setColor(progress::Red);
    EXPECT_THROW(traffic::RunIncomingTrains(h.app()), std::exception);
    EXPECT_EQ(h.messages().value(0), "Error A1H-VO");
}

TEST_F(Incoming, TheBlockHoldsLinesAAndBAtTwoMinutes)
{
    put(1);
    accept(1, 0);
    h.type("A1.SmerA", "Poloautoblok");
    traffic();
    EXPECT_EQ(h.value("A1.OdjezdA"), 120);
    trafficTicks(10);
    EXPECT_EQ(h.value("A1.OdjezdA"), 120);
    /* The consent with the neighbour (red) lets the train go. */
    a1().SmerA->setColor(progress::Red);
    trafficTicks(10);
    EXPECT_EQ(h.value("A1.OdjezdA"), 110);
}

TEST_F(Incoming, LineBUnderTheBlockPutsOutItsLampsBelowHundred)
{
    put(1, {.from = "Struhy"});
    accept(1, 1, 2);
    a1().SmerB->setColor(progress::Red);
    a1().VTM->show();
    h.as<ui::Image>("A6.VTM").show();
    trafficTicks(20);
    EXPECT_EQ(h.value("A1.OdjezdB"), 100);
    EXPECT_TRUE(h.visible("A1.VTM"));
    trafficTicks(1);
    EXPECT_FALSE(h.visible("A1.VTM"));
    EXPECT_FALSE(h.visible("A6.VTM"));
}

TEST_F(Incoming, LineCDropsTheTabletEverySixteenTicksUntilVrbskaHoldsTheConsent)
{
    put(1, {.from = "Vrbská"});
    accept(1, 2);
    h.app().A6().show();
    h.check("A1.Zvuky", true);
    const auto drops = [this] { return h.sounds().filter("play Desticka4").size(); };
    traffic();
    EXPECT_EQ(h.value("A1.OdjezdC"), 135);
    EXPECT_EQ(h.as<ui::Label>("A6.DestickaD").height(), 85);
    EXPECT_EQ(h.color("A6.DestickaD"), progress::White);
    EXPECT_EQ(drops(), 1);
    trafficTicks(15);
    EXPECT_EQ(h.value("A1.OdjezdC"), 120);
    trafficTicks(1);
    EXPECT_EQ(h.value("A1.OdjezdC"), 135);
    EXPECT_EQ(drops(), 2);
    h.type("A1.TSJ", "6");
    trafficTicks(36);
    EXPECT_EQ(h.value("A1.OdjezdC"), 99);
    EXPECT_EQ(h.value("A1.PHJDo"), 5);
}

TEST_F(Incoming, LineCUnderTelephoneDispatchingIsNotHeldButPreAnnounced)
{
    put(1, {.from = "Vrbská"});
    accept(1, 2, 2);
    h.type("A1.SmerC", "Telefonika");
    trafficTicks(20);
    EXPECT_EQ(h.value("A1.OdjezdC"), 100);
    EXPECT_EQ(h.value("A1.PHJDo"), 1);
    trafficTicks(1);
    EXPECT_EQ(h.value("A1.PHJDo"), 5);
}

TEST_F(Incoming, TheCountdownEndsInTheNoticeAndTheApproachBeginsTheSameTick)
{
    put(1, {.runningTimeFrom = "8"});
    accept(1, 0);
    trafficTicks(59);
    EXPECT_EQ(h.value("A1.OdjezdA"), 0);
    EXPECT_EQ(h.text("A1.ZpravaA"), "Oznámení odjezdu 5401");
    EXPECT_EQ(h.value("A1.StavVlakA"), 479);
}

TEST_F(Incoming, LineAApproachWorksTheCrossingPostWarnsAndStandsAtARedEntrySignal)
{
    put(1, {.runningTimeFrom = "8"});
    accept(1, 0);
    a1().StavVlakA->setColor(progress::Lime);
    ASSERT_EQ(h.color("A1.C04"), progress::Red);
    trafficTicks(230);
    EXPECT_EQ(h.value("A1.StavVlakA"), 250);
    EXPECT_EQ(h.text("A1.IKLada"), "Obsazená");
    EXPECT_TRUE(h.checked("A1.ZvonekIKLada"));
    trafficTicks(40);
    EXPECT_FALSE(h.checked("A1.ZvonekIKLada"));
    trafficTicks(40);
    EXPECT_EQ(h.text("A1.IKLada"), "Volná");
    trafficTicks(50);
    EXPECT_EQ(h.text("A1.Varovani"), " Vlak 5401 minul předvěst s návěstí Výstraha ! ");
    trafficTicks(59);
    EXPECT_EQ(h.text("A1.Varovani"), " Vlak 5401 stojí u vjezového návěstidla ! ");
    trafficTicks(30);
    EXPECT_EQ(h.value("A1.StavVlakA"), 60);
    EXPECT_EQ(row(1).trainNumber->color(), progress::Yellow);
    /* The entry signal cleared: the number turns lime at 59 and the run starts at 35. */
    h.type("A1.C03", "Výstraha");
    trafficTicks(1);
    EXPECT_EQ(row(1).trainNumber->color(), progress::Lime);
    trafficTicks(23);
    EXPECT_FALSE(h.timerEnabled("A1.TimerVlakAOd"));
    trafficTicks(1);
    EXPECT_EQ(h.value("A1.StavVlakA"), 35);
    EXPECT_EQ(h.color("A1.StavVlakA"), progress::White);
    EXPECT_TRUE(h.timerEnabled("A1.TimerVlakAOd"));
    EXPECT_EQ(h.interval("A1.TimerVlakAOd"), 10);
    EXPECT_EQ(h.value("A1.VlakAOd"), 400);
}

TEST_F(Incoming, LineBApproachWorksTheApproachDeviceAndShortRunsSkipEvents)
{
    put(1, {.from = "Struhy", .runningTimeFrom = "5"});
    accept(1, 1);
    a1().StavVlakB->setColor(progress::Lime);
    trafficTicks(50);
    EXPECT_EQ(h.text("A1.VUD"), "Přibližovací");
    trafficTicks(40);
    EXPECT_EQ(h.text("A1.VUD"), "Vzdalovací");
    trafficTicks(40);
    EXPECT_EQ(h.text("A1.VUD"), "Otevřený");
    /* A four-minute run on line A skips the post's occupation; only the bell is unchecked. */
    put(2, {.number = "5403", .runningTimeFrom = "4"});
    accept(2, 0);
    a1().StavVlakA->setColor(progress::Lime);
    trafficTicks(100);
    EXPECT_EQ(h.text("A1.IKLada"), "Volná");
}

TEST_F(Incoming, ARunningTimeOfZeroOrLessStandsAtTheEntrySignalAsAOneMinuteRun)
{
    /* "0" and "-9" minutes: the count starts at 0 or -540, never reaching the run's start by itself. */
    put(1, {.runningTimeFrom = "0"});
    accept(1, 0);
    a1().StavVlakA->setColor(progress::Lime);
    put(2, {.number = "5403", .from = "Vrbská", .runningTimeFrom = "-9"});
    accept(2, 2);
    a1().StavVlakC->setColor(progress::Lime);
    trafficTicks(30);
    for (const char *line : {"A", "C"}) {
        EXPECT_EQ(h.value(QStringLiteral("A1.StavVlak") + line), 60) << line;
        EXPECT_FALSE(h.timerEnabled(QStringLiteral("A1.TimerVlak") + line + "Od")) << line;
    }
    /* Its entry signal cleared, the train comes in as a one-minute run does. */
    h.type("A1.C03", "Výstraha");
    trafficTicks(1);
    EXPECT_EQ(row(1).trainNumber->color(), progress::Lime);
    trafficTicks(24);
    EXPECT_EQ(h.value("A1.StavVlakA"), 35);
    EXPECT_EQ(h.color("A1.StavVlakA"), progress::White);
    EXPECT_TRUE(h.timerEnabled("A1.TimerVlakAOd"));
    EXPECT_EQ(h.value("A1.StavVlakC"), 60);
}

} // namespace
