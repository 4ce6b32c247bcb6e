/** @file departure_run_test.cpp The departure run: off the station track, across the overview, onto the line. */
#include "traffic/traffic_fixture.h"

#include "devices/form_a7.h"
#include "devices/form_a8.h"

namespace {

class DepartureRun : public TrafficTest {
protected:
    /** A train of ten vehicles standing on track n from Left 100, dispatched on line x as the track view does. */
    void dispatch(int line, int track, const RowTrain &t)
    {
        put(1, t);
        a1().Trat(line)->setText(t.number);
        a1().KolejLine(line)->setValue(track);
        TrackRow &r = *a5().tracks.track(track);
        int left = 100;
        for (int k = 0; k < 10; ++k) {
            QImage img(k == 0 ? 40 : 30, 64, QImage::Format_RGB32);
            img.fill(QColor(20 * k, 100, 40));
            r.vehicleSlots[k]->setPicture(img);
            r.vehicleSlots[k]->setLeft(left);
            left += img.width();
        }
        r.posun->setText("1");
        h.as<ui::ComboBox>("A1.Kolej" + QString::number(track)).setText(t.number);
        ui::Timer *timers[3] = {a1().TimerVlakADo, a1().TimerVlakBDo, a1().TimerVlakCDo};
        timers[line]->setEnabledFlag(true);
        timers[line]->setInterval(1000);
        ui::SpinEdit *speeds[3] = {a1().VlakADo, a1().VlakBDo, a1().VlakCDo};
        speeds[line]->setValue(0);
        a1().StavVlak(line)->setValue(-1);
        row(1).departure->setColor(progress::Lime);
    }
    void runToEnd(const QString &timer)
    {
        for (int i = 0; i < 600 && h.timerEnabled(timer); ++i)
            h.advanceMs(100);
    }
};

TEST_F(DepartureRun, ATrainFromTrack3LeavesForLineAAndLoadsItsRunningTime)
{
    dispatch(0, 3, {.track = "3", .runningTimeTo = "6", .to = "Horní Lom"});
    h.type("A1.C40", "40 a volno");
    h.as<ui::Image>("A7.NavB").setLeft(h.app().A7().Ram->left() + 192);
    h.advanceMs(999);
    EXPECT_EQ(h.as<ui::Image>("A5.J5").left(), 100);
    h.advanceMs(1);
    EXPECT_EQ(h.as<ui::Image>("A5.J5").left(), 99);
    EXPECT_EQ(h.value("A1.VlakADo"), 2);
    EXPECT_EQ(h.interval("A1.TimerVlakADo"), 500);
    EXPECT_EQ(h.as<ui::Image>("A5.J6").left(), 139);
    while (h.value("A1.StavVlakA") == -1)
        h.advanceMs(50);
    EXPECT_EQ(h.text("A1.C40"), "Stůj");
    EXPECT_EQ(h.value("A1.HrBDo"), 5);
    EXPECT_EQ(h.text("A1.IKA"), "Obsazená");
    EXPECT_EQ(h.as<ui::Image>("A7.VlakAa").width(), 40);
    EXPECT_EQ(h.as<ui::Image>("A7.VlakAa").left(), h.app().A7().Nahled->width() + 39);
    while (h.value("A1.StavVlakA") == -2)
        h.advanceMs(12);
    EXPECT_EQ(h.text("A1.Kolej3"), "Volná");
    EXPECT_EQ(h.text("A5.Posun3"), "0");
    runToEnd("A1.TimerVlakADo");
    EXPECT_EQ(h.value("A1.StavVlakA"), -360);
    EXPECT_EQ(h.color("A1.StavVlakA"), progress::Aqua);
    EXPECT_EQ(h.text("A1.IKA"), "Volná");
    EXPECT_EQ(h.value("A1.VlakADo"), 400);
    EXPECT_TRUE(h.messages().isEmpty());
    /* From here the neighbours' side counts it to the neighbour. */
    traffic::RunOutgoingTrains(h.app());
    EXPECT_EQ(h.value("A1.StavVlakA"), -359);
}

TEST_F(DepartureRun, OnlyTheTracksOwnProceedAspectIsPutBackAndAKnobAwayRegistersNothing)
{
    dispatch(1, 5, {.track = "5", .to = "Struhy"});
    h.type("A1.C43", "Volno");
    h.check("A1.Zvuky", true);
    h.app().A7().show();
    runToEnd("A1.TimerVlakBDo");
    EXPECT_EQ(h.text("A1.C43"), "Volno");
    EXPECT_EQ(h.value("A1.HrMDo"), 1);
    EXPECT_EQ(h.text("A1.IKB"), "Volná");
    EXPECT_EQ(h.sounds().filter("play IK").size(), 1);
    EXPECT_EQ(h.sounds().filter("play Zarazka").size(), 0);
}

TEST_F(DepartureRun, ALineCTrainFromTrack1StepsTheThroatsCircuitsAndPutsL1aBack)
{
    dispatch(2, 1, {.track = "1", .runningTimeTo = "5"});
    h.type("A1.C19", "Volno");
    h.type("A1.C16", "Volno");
    h.as<ui::Image>("A8.NavCH").setLeft(h.app().A8().I0->left() + 1117);
    std::vector<QString> seen;
    for (int i = 0; i < 6000 && h.timerEnabled("A1.TimerVlakCDo"); ++i) {
        h.advanceMs(12);
        for (const char *c : {"KO1a", "KO13", "KOS", "KO12", "KO11"})
            if (h.text(QString("A1.") + c) == "Obsazená" && std::find(seen.begin(), seen.end(), c) == seen.end())
                seen.push_back(c);
    }
    EXPECT_EQ(seen, (std::vector<QString>{"KO1a", "KO13", "KOS"}));
    EXPECT_EQ(h.text("A1.C19"), "Stůj");
    EXPECT_EQ(h.text("A1.C16"), "Stůj");
    EXPECT_EQ(h.value("A1.HrCHDo"), 5);
    for (const char *c : {"KO1a", "KO13", "KOS"})
        EXPECT_EQ(h.text(QString("A1.") + c), "Volná") << c;
    EXPECT_EQ(h.value("A1.StavVlakC"), -300);
    EXPECT_EQ(h.text("A1.Kolej1"), "Volná");
}

TEST_F(DepartureRun, ATrainWithoutARowEndsCleanlyAndIsReportedOnce)
{
    dispatch(0, 2, {.track = "2"});
    row(1).trainNumber->setText(QString());
    runToEnd("A1.TimerVlakADo");
    EXPECT_FALSE(h.timerEnabled("A1.TimerVlakADo"));
    EXPECT_EQ(h.value("A1.StavVlakA"), 0);
    EXPECT_EQ(h.color("A1.StavVlakA"), progress::Aqua);
    EXPECT_EQ(h.text("A1.Kolej2"), "Volná");
    h.advanceMs(5000);
    EXPECT_EQ(h.messages(), QStringList{"'' is not a valid integer value"});
    /* The neighbours' side finishes the train: the line is reported arrived. */
    traffic::RunOutgoingTrains(h.app());
    EXPECT_EQ(h.value("A1.StavVlakA"), -5);
    EXPECT_EQ(h.text("A1.ZpravaA"), "Telefonická odhláška 5401");
}

TEST_F(DepartureRun, AHandedOverTrainKeepsItsPaceOfTenMilliseconds)
{
    dispatch(2, 7, {.track = "7"});
    a1().VlakCDo->setValue(400);
    a1().TimerVlakCDo->setInterval(10);
    for (int i = 0; i < 50; ++i)
        h.advanceMs(10);
    EXPECT_EQ(h.as<ui::Image>("A5.FE").left(), 100 + 310 - 30 + 50);
    EXPECT_EQ(h.interval("A1.TimerVlakCDo"), 10);
    EXPECT_EQ(h.value("A1.VlakCDo"), 400);
}

/** Trains that keep their own tracks while routes are laid anew under their departure runs. */
class DepartureOwnTrack : public TrafficTest {
protected:
    /** Train `number` standing on track n from Left 100, ten vehicles of `shade`, its row r due to leave for `to`. */
    void standing(int r, int n, const QString &number, const QString &to, int shade)
    {
        put(r, {.number = number, .track = QString::number(n), .to = to});
        row(r).departure->setColor(progress::Aqua);
        h.type("A1.Kolej" + QString::number(n), number);
        TrackRow &t = *a5().tracks.track(n);
        int left = 100;
        for (ui::Image *s : t.vehicleSlots) {
            QImage img(30, 64, QImage::Format_RGB32);
            img.fill(QColor(shade, 100, 40));
            s->setPicture(img);
            s->setLeft(left);
            left += 30;
        }
        t.posun->setText("10");
    }
    /** @return the Lefts of track n's ten slots. */
    std::vector<int> lefts(int n)
    {
        std::vector<int> out;
        for (ui::Image *s : a5().tracks.track(n)->vehicleSlots)
            out.push_back(s->left());
        return out;
    }
    void runToEnd(const QString &timer)
    {
        for (int i = 0; i < 600 && h.timerEnabled(timer); ++i)
            h.advanceMs(100);
    }
};

TEST_F(DepartureOwnTrack, ARouteReLaidUnderADepartingTrainLeavesTheOtherTracksTrainStanding)
{
    standing(1, 3, "5401", "Horní Lom", 20);
    standing(2, 5, "5403", "Horní Lom", 200);
    h.type("A1.KolejA", "3");
    h.type("A1.TratA", "5401");
    h.type("A1.C40", "40 a volno");
    h.click("A5.J7");
    ASSERT_TRUE(h.timerEnabled("A1.TimerVlakADo"));
    h.advanceMs(1500);
    ASSERT_EQ(h.value("A1.StavVlakA"), -1);
    const std::vector<int> standingTrain = lefts(5);
    /* The route of line A is laid anew to track 5 while the train pulls out of track 3. */
    h.type("A1.KolejA", "5");
    runToEnd("A1.TimerVlakADo");
    EXPECT_EQ(h.value("A1.StavVlakA"), -360) << "the run ended and loaded its running time";
    EXPECT_EQ(lefts(5), standingTrain);
    EXPECT_EQ(h.text("A1.Kolej5"), "5403");
    EXPECT_EQ(h.text("A5.Posun5"), "10");
    EXPECT_EQ(h.text("A1.Kolej3"), "Volná");
    EXPECT_EQ(h.text("A5.Posun3"), "0");
    EXPECT_LT(h.as<ui::Image>("A5.JE").left() + 30, 0) << "the whole train left the view";
    EXPECT_TRUE(h.messages().isEmpty());

    /* The next departure takes the route as it now stands. */
    h.type("A1.TratA", "5403");
    h.type("A1.C43", "40 a volno");
    h.click("A5.H7");
    ASSERT_TRUE(h.timerEnabled("A1.TimerVlakADo"));
    runToEnd("A1.TimerVlakADo");
    EXPECT_EQ(h.text("A1.Kolej5"), "Volná");
    EXPECT_LT(h.as<ui::Image>("A5.HE").left() + 30, 0);
    EXPECT_TRUE(h.messages().isEmpty());
}

TEST_F(DepartureOwnTrack, AHandedOverTrainKeepsItsTrackWhenLineCsRouteIsLaidAnew)
{
    put(1, {.number = "5401", .track = "1", .departure = "pr."});
    row(1).neighbourDeparture->setColor(progress::Lime);
    a1().TratA->setText("5401");
    a1().TratC->setText("5401");
    loadPreview(0);
    h.type("A1.KolejA", "1");
    h.type("A1.KolejC", "1");
    h.type("A1.C19", "Volno");
    standing(2, 5, "5403", "Vrbská", 200);
    const std::vector<int> standingTrain = lefts(5);
    a1().StavVlakA->setValue(35);
    a1().VlakAOd->setValue(400);
    a1().TimerVlakAOd->setInterval(10);
    a1().TimerVlakAOd->setEnabledFlag(true);
    for (int i = 0; i < 6000 && !h.timerEnabled("A1.TimerVlakCDo"); ++i)
        h.advanceMs(10);
    ASSERT_TRUE(h.timerEnabled("A1.TimerVlakCDo"));
    h.advanceMs(30);
    /* Box 2 lays line C's route to track 5 while the passing train rolls on from track 1. */
    h.type("A1.KolejC", "5");
    runToEnd("A1.TimerVlakCDo");
    EXPECT_EQ(h.color("A1.StavVlakC"), progress::Aqua);
    EXPECT_EQ(lefts(5), standingTrain);
    EXPECT_EQ(h.text("A1.Kolej5"), "5403");
    EXPECT_EQ(h.text("A1.Kolej1"), "Volná");
    EXPECT_GT(h.as<ui::Image>("A5.L5").left(), a5().frame.D5->width());
}

} // namespace
