/** @file arrival_run_test.cpp The arrival run onto a station track, and the hand-over of passing trains. */
#include "traffic/traffic_fixture.h"

#include "devices/form_a7.h"
#include "devices/form_a8.h"

namespace {

class ArrivalRun : public TrafficTest {
protected:
    /** Line x's train of row 1 at the end of its approach, as the inbound routine leaves it. */
    void arrive(int line, const RowTrain &t)
    {
        put(1, t);
        row(1).neighbourDeparture->setColor(progress::Lime);
        a1().Trat(line)->setText(t.number);
        loadPreview(line);
        a1().StavVlak(line)->setValue(35);
        ui::Timer *timers[3] = {a1().TimerVlakAOd, a1().TimerVlakBOd, a1().TimerVlakCOd};
        ui::SpinEdit *speeds[3] = {a1().VlakAOd, a1().VlakBOd, a1().VlakCOd};
        speeds[line]->setValue(400);
        timers[line]->setInterval(10);
        timers[line]->setEnabledFlag(true);
    }
    /** Puts the box's signal knob of the line into its entry position. */
    void knobToEntry(int line)
    {
        if (line == 2)
            h.as<ui::Image>("A8.NavCH").setLeft(h.app().A8().I0->left() + 1132);
        else
            h.as<ui::Image>(line == 0 ? "A7.NavB" : "A7.NavM").setLeft(h.app().A7().Ram->left() + (line == 0 ? 177 : 562));
    }
    /** Lets the run go until its timer stops (or a minute of virtual time has passed). */
    void runToStop(const QString &timer)
    {
        for (int i = 0; i < 600 && h.timerEnabled(timer); ++i)
            h.advanceMs(100);
    }
    ui::Image &slot(const QString &name) { return h.as<ui::Image>("A5." + name); }
};

TEST_F(ArrivalRun, ALineATrainPassesItsEntrySignalAndStopsAtTheMarker)
{
    arrive(0, {.track = "1"});
    knobToEntry(0);
    h.type("A1.C03", "Výstraha");
    h.as<ui::Image>("A5.Stop1").show();
    h.advanceMs(10);
    EXPECT_EQ(h.value("A1.StavVlakA"), 0);
    EXPECT_EQ(h.value("A1.KolejVlakA"), 1);
    EXPECT_EQ(h.text("A1.KolejCisloA"), "5401");
    EXPECT_EQ(h.value("A1.KolejStavA"), 3);
    EXPECT_EQ(h.text("A1.C03"), "Stůj");
    EXPECT_EQ(h.value("A1.HrBOd"), 5);
    EXPECT_EQ(h.text("A1.IKA"), "Obsazená");
    EXPECT_EQ(slot("L5").width(), 40);
    EXPECT_EQ(slot("LE").left(), -70);
    EXPECT_EQ(slot("L5").left(), -70 - 9 * 30 - 10);
    EXPECT_EQ(h.as<ui::Image>("A7.VlakAj").left(), -69);
    while (h.value("A1.KolejStavA") == 3)
        h.advanceMs(12);
    EXPECT_EQ(h.text("A1.Kolej1"), "5401");
    EXPECT_EQ(h.text("A5.Posun1"), "10");
    runToStop("A1.TimerVlakAOd");
    EXPECT_EQ(h.value("A1.KolejStavA"), 0);
    EXPECT_EQ(h.value("A1.VlakAOd"), 0);
    EXPECT_EQ(slot("LE").left() + slot("LE").width(), h.as<ui::Image>("A5.Stop1").left() - 2);
    EXPECT_EQ(slot("LD").left() + slot("LD").width(), slot("LE").left());
    EXPECT_EQ(h.text("A1.IKA"), "Volná");
    EXPECT_EQ(row(1).neighbourDeparture->color(), progress::Fuchsia);
    EXPECT_EQ(h.text("A1.TratA"), "5401");
    EXPECT_EQ(h.interval("A1.TimerVlakAOd"), 500);
    EXPECT_TRUE(h.messages().isEmpty());
}

TEST_F(ArrivalRun, AKnobAwayFromItsEntryPositionLeavesSignalFieldAndSectionAlone)
{
    arrive(1, {.from = "Struhy", .track = "3"});
    a1().KolejB->setValue(3);
    h.type("A1.C06", "Výstraha");
    h.advanceMs(10);
    EXPECT_EQ(h.text("A1.C06"), "Výstraha");
    EXPECT_EQ(h.value("A1.HrMOd"), 1);
    EXPECT_EQ(h.text("A1.IKB"), "Volná");
    runToStop("A1.TimerVlakBOd");
    /* Without a marker the train stops 20 px before the far signal. */
    EXPECT_EQ(slot("JE").left() + slot("JE").width(), h.as<ui::Image>("A5.KA").left() - 20);
    EXPECT_EQ(h.text("A1.Kolej3"), "5401");
}

TEST_F(ArrivalRun, ALineCTrainStepsTheTrackCircuitsAndFreesThemAll)
{
    arrive(2, {.from = "Vrbská", .track = "5"});
    a1().Vymena13->setValue(-10);
    a1().Vymena12->setValue(-10);
    a1().KolejC->setValue(5);
    knobToEntry(2);
    h.type("A1.C09", "Výstraha");
    h.type("A1.PHCHOd", "6");
    h.advanceMs(10);
    EXPECT_EQ(h.text("A1.KOS"), "Obsazená");
    EXPECT_EQ(slot("H5").left(), h.app().A5().width() + 40);
    std::vector<QString> seen;
    for (int i = 0; i < 4000 && h.value("A1.KolejStavC") >= 2; ++i) {
        h.advanceMs(12);
        for (const char *c : {"KO13", "KO12", "KO11"})
            if (h.text(QString("A1.") + c) == "Obsazená" && std::find(seen.begin(), seen.end(), c) == seen.end())
                seen.push_back(c);
    }
    EXPECT_EQ(seen, (std::vector<QString>{"KO13", "KO12", "KO11"}));
    EXPECT_EQ(h.text("A1.C09"), "Stůj");
    EXPECT_EQ(h.value("A1.HrCHOd"), 5);
    EXPECT_EQ(h.text("A5.Posun5"), "1");
    EXPECT_EQ(h.value("A1.PHCHOd"), 1);
    for (const char *c : {"KOS", "KO13", "KO12", "KO11", "KO1a"})
        EXPECT_EQ(h.text(QString("A1.") + c), "Volná") << c;
    runToStop("A1.TimerVlakCOd");
    EXPECT_EQ(slot("H5").left(), h.as<ui::Image>("A5.H0").left() + h.as<ui::Image>("A5.H0").width() + 20);
    EXPECT_EQ(row(1).neighbourDeparture->color(), progress::Fuchsia);
}

TEST_F(ArrivalRun, ARouteWithoutAStationTrackKeepsTheTrainAtTheEntry)
{
    arrive(0, {.track = "1"});
    a1().KolejA->setValue(0);
    h.advanceMs(200);
    EXPECT_EQ(h.value("A1.StavVlakA"), 35);
    EXPECT_EQ(h.value("A1.KolejStavA"), 0);
    a1().KolejA->setValue(7);
    h.advanceMs(20);
    EXPECT_EQ(h.value("A1.StavVlakA"), 0);
    EXPECT_EQ(h.value("A1.KolejVlakA"), 7);
}

TEST_F(ArrivalRun, ARouteReLaidUnderTheRunKeepsTheRunsOwnTrack)
{
    arrive(2, {.from = "Vrbská", .track = "1"});
    h.advanceMs(10);
    a1().KolejC->setValue(5);
    runToStop("A1.TimerVlakCOd");
    EXPECT_EQ(h.text("A1.Kolej1"), "5401");
    EXPECT_EQ(h.text("A1.Kolej5"), "Volná");
    EXPECT_EQ(slot("H5").width(), 9);
    for (const char *c : {"KOS", "KO13", "KO12", "KO11", "KO1a"})
        EXPECT_EQ(h.text(QString("A1.") + c), "Volná") << c;
}

TEST_F(ArrivalRun, TheStopColoursTheRunsOwnTrainNotADepartureAgreedOnTheLineMeanwhile)
{
    arrive(2, {.from = "Vrbská", .track = "1", .to = "Horní Lom"});
    knobToEntry(2);
    h.advanceMs(10);
    ASSERT_EQ(h.text("A1.KolejCisloC"), "5401");
    /* While the train rolls in, a departure to Vrbská is agreed: the line names that train now. */
    put(2, {.number = "2622", .from = "", .neighbourDeparture = "", .track = "3", .to = "Vrbská"});
    row(2).departure->setColor(progress::Yellow);
    a1().TratC->setText("2622");
    runToStop("A1.TimerVlakCOd");
    ASSERT_FALSE(h.timerEnabled("A1.TimerVlakCOd"));
    EXPECT_EQ(row(1).neighbourDeparture->color(), progress::Fuchsia);
    EXPECT_EQ(row(2).neighbourDeparture->color(), progress::White);
    EXPECT_EQ(row(2).departure->color(), progress::Yellow);
}

TEST_F(ArrivalRun, ARowFreedByTheBlockBeforeTheStopKeepsItsWhite)
{
    arrive(2, {.from = "Vrbská", .track = "1", .to = "Horní Lom"});
    knobToEntry(2);
    h.advanceMs(10);
    /* Box 2 gives the block back while the train still brakes on its track: the inbound half goes. */
    row(1).clearInbound();
    runToStop("A1.TimerVlakCOd");
    ASSERT_FALSE(h.timerEnabled("A1.TimerVlakCOd"));
    EXPECT_EQ(row(1).neighbourDeparture->color(), progress::White);
    EXPECT_EQ(row(1).trainNumber->text(), "5401");
}

TEST_F(ArrivalRun, UnderRepeatedCautionATrainRunsOnPastLc1AndLetsSection1aGoWhenItStops)
{
    arrive(0, {.track = "1"});
    h.type("A1.C19", "Opak.výstrahy");
    bool occupied10 = false;
    bool occupied1a = false;
    for (int i = 0; i < 6000 && h.timerEnabled("A1.TimerVlakAOd"); ++i) {
        h.advanceMs(12);
        occupied10 = occupied10 || h.text("A1.KO10") == "Obsazená";
        occupied1a = occupied1a || h.text("A1.KO1a") == "Obsazená";
    }
    EXPECT_TRUE(occupied10);
    EXPECT_TRUE(occupied1a);
    EXPECT_EQ(h.text("A1.KO10"), "Volná");
    EXPECT_EQ(h.text("A1.KO1a"), "Volná");
    EXPECT_GT(slot("LE").left(), h.as<ui::Image>("A5.MA").left() + 150);
}

TEST_F(ArrivalRun, APassingTrainIsHandedToLineCWhenItsExitSignalShowsProceed)
{
    arrive(0, {.track = "1", .departure = "pr."});
    a1().TratC->setText("5401");
    h.setClock(13, 7, 0);
    h.type("A1.C19", "Volno");
    while (h.value("A1.VlakAOd") == 400)
        h.advanceMs(12);
    h.advanceMs(100);
    EXPECT_FALSE(h.timerEnabled("A1.TimerVlakAOd"));
    EXPECT_EQ(h.value("A1.KolejStavA"), 0);
    EXPECT_EQ(h.value("A1.VlakCDo"), 400);
    EXPECT_TRUE(h.timerEnabled("A1.TimerVlakCDo"));
    EXPECT_EQ(h.interval("A1.TimerVlakCDo"), 10);
    EXPECT_EQ(row(1).departure->color(), progress::Lime);
    EXPECT_EQ(row(1).agreedTime->text(), "13:07");
    EXPECT_EQ(row(1).neighbourDeparture->color(), progress::Fuchsia);
}

TEST_F(ArrivalRun, RepeatedCautionIsNoProceedForAPassingTrain)
{
    arrive(0, {.track = "1", .departure = "pr."});
    h.as<ui::Image>("A5.Stop1").show();
    h.type("A1.C19", "Opak.výstrahy");
    runToStop("A1.TimerVlakAOd");
    EXPECT_EQ(h.value("A1.StavVlakC"), 0);
    EXPECT_FALSE(h.timerEnabled("A1.TimerVlakCDo"));
    EXPECT_EQ(slot("LE").left() + slot("LE").width(), h.as<ui::Image>("A5.Stop1").left() - 2);
}

TEST_F(ArrivalRun, ALineCPassingTrainGoesOutOnEveryLineRoutedToItsTrack)
{
    arrive(2, {.from = "Vrbská", .track = "1", .departure = "pr."});
    a1().KolejA->setValue(1);
    a1().KolejB->setValue(1);
    a1().TratA->setText("5401");
    h.type("A1.C34", "Volno");
    while (h.value("A1.VlakCOd") == 400)
        h.advanceMs(12);
    h.advanceMs(50);
    EXPECT_LT(h.value("A1.StavVlakA"), 0);
    EXPECT_TRUE(h.timerEnabled("A1.TimerVlakADo"));
    EXPECT_TRUE(h.timerEnabled("A1.TimerVlakBDo"));
    EXPECT_EQ(h.value("A1.VlakBDo"), 400);
    EXPECT_FALSE(h.timerEnabled("A1.TimerVlakCOd"));
}

TEST_F(ArrivalRun, ALineCPassingTrainRoutedToNoOutgoingLineStillEndsItsArrivalThere)
{
    arrive(2, {.from = "Vrbská", .track = "1", .departure = "pr."});
    a1().KolejA->setValue(3);
    a1().KolejB->setValue(5);
    h.type("A1.C34", "Volno");
    while (h.value("A1.VlakCOd") == 400)
        h.advanceMs(12);
    h.advanceMs(50);
    EXPECT_FALSE(h.timerEnabled("A1.TimerVlakCOd"));
    EXPECT_EQ(h.value("A1.VlakCOd"), 0);
    EXPECT_FALSE(h.timerEnabled("A1.TimerVlakADo"));
    EXPECT_FALSE(h.timerEnabled("A1.TimerVlakBDo"));
    EXPECT_EQ(row(1).neighbourDeparture->color(), progress::Fuchsia);
}

TEST_F(ArrivalRun, AnOddSpeedWrittenByHandStillEndsTheRun)
{
    arrive(0, {.track = "2"});
    a1().KolejA->setValue(2);
    h.advanceMs(10);
    a1().VlakAOd->setValue(399);
    runToStop("A1.TimerVlakAOd");
    EXPECT_FALSE(h.timerEnabled("A1.TimerVlakAOd"));
    EXPECT_LE(h.value("A1.VlakAOd"), 0);
    EXPECT_EQ(h.interval("A1.TimerVlakAOd"), 500);
    EXPECT_EQ(row(1).neighbourDeparture->color(), progress::Fuchsia);
}

} // namespace
