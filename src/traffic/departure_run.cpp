/** @file departure_run.cpp The departure run: off the station track, across the box's overview, onto the line. */
#include "traffic/train_runs.h"

#include "core/app.h"
#include "core/form_a1.h"
#include "core/form_a2.h"
#include "devices/form_a3.h"
#include "trackview/form_a5.h"
#include "traffic/chain.h"
#include "traffic/line_cells.h"
#include "ui/sim_error.h"

namespace traffic {

namespace {

/** The exit signal of a track towards one side and the proceed aspects that the run puts back. */
struct ExitSignal {
    ui::Edit *word;
    std::array<const char *, 2> proceed; ///< One or two words; an unused place is null.
};

ExitSignal exitSignal(TA1 &a1, int line, int track)
{
    if (line == LineC) {
        switch (track) {
        case 1: return {a1.C19, {"Volno", nullptr}};
        case 2: return {a1.C22, {"40 a volno", nullptr}};
        case 3: return {a1.C25, {"40 a volno", nullptr}};
        case 5: return {a1.C28, {"40 a volno", nullptr}};
        default: return {a1.C31, {"40 a volno", nullptr}};
        }
    }
    switch (track) {
    case 1: return {a1.C34, {"Volno", "40 a volno"}};
    case 2: return {a1.C37, {"40 a volno", nullptr}};
    case 3: return {a1.C40, {"Volno", "40 a volno"}};
    case 5: return {a1.C43, {"40 a volno", nullptr}};
    default: return {a1.C46, {"40 a volno", nullptr}};
    }
}

/** @return the first track circuit that a line-C departure from `track` occupies. */
ui::Edit *firstCircuit(TA1 &a1, int track)
{
    if (track == 1 || track == 2)
        return a1.KO1a;
    return track == 3 ? a1.KO12 : a1.KO11;
}

/** Step 2: the leading vehicle leaves the track view; the train appears on the box's overview. */
void leaveTrackView(App &app, const LineCells &l, TrackRow &row)
{
    TA1 &a1 = app.A1();
    const ExitSignal exit = exitSignal(a1, l.line, row.number);
    for (const char *word : exit.proceed)
        if (word && exit.word->text() == QString::fromUtf8(word)) {
            exit.word->setText(QStringLiteral("Stůj"));
            break;
        }
    if (l.line == LineC)
        shiftWord(firstCircuit(a1, row.number), u"Volná", u"Obsazená");
    l.stav->setValue(-2);
    if (l.knobAtExit()) {
        l.passedOut->setValue(5);
        if (l.section)
            shiftWord(l.section, u"Volná", u"Obsazená");
        playIf(app, a1.SndZarazka, l.box);
    }
    for (int k = 0; k < kTrainVehicles; ++k)
        l.chain[k]->assignPicture(*row.vehicleSlots[k]);
    if (l.line == LineC) {
        l.chain[9]->setLeft(-40 - l.chain[9]->width());
        layLeftOfLast(l.chain);
    } else {
        l.chain[0]->setLeft(l.preview->width() + 40);
        layRightOfFirst(l.chain);
    }
}

/** Step 3, line C: the throat's track circuits from the head and tail on the overview. */
void lineCOverviewCircuits(TA1 &a1, const LineCells &l, int track)
{
    const int w = l.preview->width();
    const int head = l.chain[9]->left() + l.chain[9]->width();
    const int tail = l.chain[0]->left();
    const bool toSide = track == 5 || track == 7;
    if (head > w / 4 && a1.KO12->text() == QStringLiteral("Volná") && toSide)
        a1.KO12->setText(QStringLiteral("Obsazená"));
    if (tail > w / 4 && a1.KO11->text() == QStringLiteral("Obsazená") && toSide)
        a1.KO11->setText(QStringLiteral("Volná"));
    if (head > w / 2) {
        shiftWord(a1.KO13, u"Volná", u"Obsazená");
        shiftWord(a1.C16, u"Volno", u"Stůj");
    }
    if (tail > w / 2) {
        if (track == 3 || toSide)
            shiftWord(a1.KO12, u"Obsazená", u"Volná");
        if (track == 1 || track == 2)
            shiftWord(a1.KO1a, u"Obsazená", u"Volná");
    }
    if (head > 3 * w / 4)
        shiftWord(a1.KOS, u"Volná", u"Obsazená");
    if (tail > 3 * w / 4)
        shiftWord(a1.KO13, u"Obsazená", u"Volná");
    if (tail > w)
        shiftWord(a1.KOS, u"Obsazená", u"Volná");
}

/**
 * Step 5: the train has left the overview; the counter takes the running time to the
 * neighbour. A train whose row is gone, or whose running time is no whole number,
 * still ends its run: the timer stops first and the counter takes 0, so that the
 * neighbours' side finishes the train; then the failure is reported once.
 */
void endRun(App &app, const LineCells &l, TrackRow *row)
{
    TA1 &a1 = app.A1();
    if (l.section) {
        shiftWord(l.section, u"Obsazená", u"Volná");
        playIf(app, a1.SndIK, l.box);
    }
    QString minutes;
    forRowsNumbered(app.A2(), l.trat->text(), [&minutes](TimetableRow &r) { minutes = r.runningTimeTo->text(); });
    bool ok = false;
    const int runningTime = minutes.toInt(&ok);
    if (!ok)
        l.timerDo->setEnabledFlag(false);
    l.stav->setValue(ok ? -60 * runningTime : 0);
    l.stav->setColor(progress::Aqua);
    if (row)
        trackOccupation(app, row->number)->setText(QStringLiteral("Volná"));
    l.timerDo->setEnabledFlag(false);
    a1.runs.departureTrack[l.line] = 0;
    if (!ok)
        wholeNumber(minutes);
}

/**
 * @return the run's own station track: the one the line's route names on the
 * run's first tick (or the first tick after that which names one), kept to
 * the end, so a route laid anew for another train never moves or frees
 * that train's track.
 */
TrackRow *runTrack(App &app, const LineCells &l)
{
    int &taken = app.A1().runs.departureTrack[l.line];
    if (taken == 0 && stationTrack(app, l.kolej->value()))
        taken = l.kolej->value();
    return stationTrack(app, taken);
}

void departureTick(App &app, const LineCells &l)
{
    TA1 &a1 = app.A1();
    const int phase = l.stav->value();
    if (phase != -1 && phase != -2 && phase != -3)
        return;
    TrackRow *row = runTrack(app, l);
    const bool fromC = l.line == LineC;
    const int viewWidth = app.A5().frame.D5->width();

    if (phase == -1 || phase == -2) {
        if (l.vlakDo->value() < 400) {
            l.vlakDo->setValue(l.vlakDo->value() + 2);
            l.timerDo->setInterval(500 / (l.vlakDo->value() / 10 + 1));
        }
        if (row) {
            if (fromC) {
                row->vehicleSlots[9]->setLeft(row->vehicleSlots[9]->left() + 1);
                layLeftOfLast(row->vehicleSlots);
            } else {
                row->vehicleSlots[0]->setLeft(row->vehicleSlots[0]->left() - 1);
                layRightOfFirst(row->vehicleSlots);
            }
        }
    }
    if (row && l.stav->value() == -1) {
        ui::Image *lead = fromC ? row->vehicleSlots[9] : row->vehicleSlots[0];
        if (fromC ? lead->left() + lead->width() > viewWidth : lead->left() < 0)
            leaveTrackView(app, l, *row);
    }
    if (l.stav->value() == -2 || l.stav->value() == -3) {
        if (fromC) {
            l.chain[9]->setLeft(l.chain[9]->left() + 1);
            layLeftOfLast(l.chain);
            if (row)
                lineCOverviewCircuits(a1, l, row->number);
        } else {
            l.chain[0]->setLeft(l.chain[0]->left() - 1);
            layRightOfFirst(l.chain);
        }
    }
    /* The tail has left the view: the track is free, and its slots keep no copy of the train. */
    if (row && l.stav->value() == -2) {
        ui::Image *tail = fromC ? row->vehicleSlots[0] : row->vehicleSlots[9];
        if (fromC ? tail->left() > viewWidth : tail->left() + tail->width() < 0) {
            l.stav->setValue(-3);
            trackOccupation(app, row->number)->setText(QStringLiteral("Volná"));
            row->posun->setText(QStringLiteral("0"));
            emptySlots(*row, *app.A3().VozidloPrazdne);
        }
    }
    if (l.stav->value() == -3) {
        const bool gone = fromC ? l.chain[0]->left() > l.preview->width()
                                : l.chain[9]->left() + l.chain[9]->width() < 0;
        if (gone)
            endRun(app, l, row);
    }
}

} // namespace

void DepartureRunTimer(App &app, int line)
{
    departureTick(app, lineCells(app, line));
}

void StartDepartureRun(App &app, int line, int speed, int interval)
{
    const LineCells &l = lineCells(app, line, false);
    l.vlakDo->setValue(speed);
    l.timerDo->setInterval(interval);
    l.timerDo->setEnabledFlag(true);
    l.stav->setValue(-1);
    app.A1().runs.departureTrack[line] = 0;
}

} // namespace traffic
