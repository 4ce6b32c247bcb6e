/** @file arrival_run.cpp The arrival run: across the box preview onto a station track, and the hand-over of passing trains. */
#include "traffic/train_runs.h"

#include "core/app.h"
#include "core/form_a1.h"
#include "core/form_a2.h"
#include "devices/form_a6.h"
#include "trackview/form_a5.h"
#include "traffic/chain.h"
#include "traffic/line_cells.h"

#include <utility>

namespace traffic {

namespace {

const QString Volna = QStringLiteral("Volná");
const QString Obsazena = QStringLiteral("Obsazená");

Chain slotsOf(TrackRow &row)
{
    return row.vehicleSlots;
}

/** Frees a line section and plays its sound while box 1 is shown. */
void freeSection(App &app, const LineCells &l)
{
    if (l.section->text() != Obsazena)
        return;
    l.section->setText(Volna);
    playIf(app, app.A1().SndIK, l.box);
}

/** Line C lets the line section go: `PHCHOd` 6 falls to 1. */
void releaseLineC(App &app)
{
    TA1 &a1 = app.A1();
    if (a1.PHCHOd->value() != 6)
        return;
    a1.PHCHOd->setValue(1);
    playIf(app, a1.SndZarazka, &app.A6());
}

/** Frees every box-2 track circuit that a line-C arrival to `track` occupies once its tail has passed. */
void freeLineCCircuits(TA1 &a1, int track)
{
    shiftWord(a1.KOS, u"Obsazená", u"Volná");
    shiftWord(a1.KO13, u"Obsazená", u"Volná");
    if (track == 3 || track == 5 || track == 7)
        shiftWord(a1.KO12, u"Obsazená", u"Volná");
    if (track == 5 || track == 7)
        shiftWord(a1.KO11, u"Obsazená", u"Volná");
    if (track == 1 || track == 2)
        shiftWord(a1.KO1a, u"Obsazená", u"Volná");
}

/** Step 1: the run starts on the first tick that finds the count at 35 and a station track in the route. */
bool startRun(App &app, const LineCells &l)
{
    TA1 &a1 = app.A1();
    if (l.stav->value() != 35)
        return true;
    /* A route that names no station track keeps the train waiting at the entry. */
    TrackRow *row = stationTrack(app, l.kolej->value());
    if (!row)
        return false;
    l.kolejVlak->setValue(l.kolej->value());
    l.kolejCislo->setText(l.trat->text());
    l.kolejStav->setValue(3);
    l.stav->setValue(0);
    if (l.line != LineC) {
        a1.runs.occupiedKO10[l.line] = false;
        a1.runs.occupiedKO1a[l.line] = false;
    }

    const Chain cars = slotsOf(*row);
    if (l.line == LineC) {
        l.chain[0]->setLeft(l.preview->width() + 40);
        layRightOfFirst(l.chain);
    } else {
        l.chain[9]->setLeft(-40 - l.chain[9]->width());
        layLeftOfLast(l.chain);
    }
    for (int k = 0; k < kTrainVehicles; ++k)
        cars[k]->assignPicture(*l.chain[k]);
    if (l.line == LineC) {
        cars[0]->setLeft(app.ScreenWidth + 40);
        layRightOfFirst(cars);
        shiftWord(a1.KOS, u"Volná", u"Obsazená");
    } else {
        cars[9]->setLeft(-40 - cars[9]->width());
        layLeftOfLast(cars);
        if (l.knobAtEntry()) {
            if (l.entryList->colorIs(progress::Lime) && l.entryWord->text() != QLatin1String("PN"))
                l.entryWord->setText(QStringLiteral("Stůj"));
            l.passedIn->setValue(5);
            shiftWord(l.section, u"Volná", u"Obsazená");
            playIf(app, a1.SndZarazka, l.box);
        }
    }
    return true;
}

/** Step 3, line C: the box-2 track circuits and the entry step, from the preview positions. */
void lineCPreviewCircuits(App &app, const LineCells &l)
{
    TA1 &a1 = app.A1();
    const int w = l.preview->width();
    const int front = l.chain[0]->left();
    const int rear = l.chain[9]->left() + l.chain[9]->width();
    const int track = l.kolejVlak->value();
    const bool toSide = track == 5 || track == 7;
    if (rear < 3 * w / 4)
        shiftWord(a1.KOS, u"Obsazená", u"Volná");
    if (front < 3 * w / 4) {
        shiftWord(a1.KO13, u"Volná", u"Obsazená");
        if (l.knobAtEntry()) {
            if (l.entryList->colorIs(progress::Lime) && l.entryWord->text() != QLatin1String("PN"))
                l.entryWord->setText(QStringLiteral("Stůj"));
            if (l.passedIn->value() == 1)
                playIf(app, a1.SndZarazka, l.box);
            l.passedIn->setValue(5);
        }
    }
    if (rear < w / 2)
        shiftWord(a1.KO13, u"Obsazená", u"Volná");
    if (front < w / 2) {
        if (track == 3 || toSide)
            shiftWord(a1.KO12, u"Volná", u"Obsazená");
        if (track == 1 || track == 2)
            shiftWord(a1.KO1a, u"Volná", u"Obsazená");
    }
    if (rear < w / 4 && toSide)
        shiftWord(a1.KO12, u"Obsazená", u"Volná");
    if (front < w / 4 && toSide)
        shiftWord(a1.KO11, u"Volná", u"Obsazená");
    if (rear < 0) {
        if (toSide)
            shiftWord(a1.KO11, u"Obsazená", u"Volná");
        if (track == 3)
            shiftWord(a1.KO12, u"Obsazená", u"Volná");
        if (track == 1 || track == 2)
            shiftWord(a1.KO1a, u"Obsazená", u"Volná");
    }
}

/** Step 6: the train moves on the track view; @return whether it brakes in this tick. */
bool moveOnTrack(App &app, const LineCells &l, TrackRow &row)
{
    TA1 &a1 = app.A1();
    const Chain cars = slotsOf(row);
    if (l.line == LineC) {
        cars[0]->setLeft(cars[0]->left() - 1);
        layRightOfFirst(cars);
        const int l1 = cars[0]->left();
        if (row.stop->visible())
            return l1 < row.stop->left() + row.stop->width() + 202;
        return l1 < row.leftSignal->left() + row.leftSignal->width() + 220;
    }
    cars[9]->setLeft(cars[9]->left() + 1);
    layLeftOfLast(cars);
    const int l10 = cars[9]->left();
    const int w10 = cars[9]->width();
    if (row.stop->visible())
        return l10 > row.stop->left() - 202 - w10;
    if (row.number != 1 || a1.C19->text() != QStringLiteral("Opak.výstrahy"))
        return l10 > row.rightSignal->left() - 220 - w10;
    /* Past signal Lc1 under its repeated caution: the train runs on into section 1a.
       The run remembers the circuits it occupied itself, the only ones it frees. */
    const int viewWidth = app.A5().frame.D5->width();
    if (l10 + w10 > viewWidth && a1.KO10->text() == Volna) {
        a1.KO10->setText(Obsazena);
        a1.runs.occupiedKO10[l.line] = true;
    }
    if (l10 > viewWidth + 100 && a1.KO1a->text() == Volna) {
        a1.KO1a->setText(Obsazena);
        a1.runs.occupiedKO1a[l.line] = true;
    }
    return l10 > row.rightSignal->left() + 150;
}

/** @return whether the exit signal of `track` towards the outgoing line of `line` shows proceed. */
bool exitClear(TA1 &a1, int line, int track)
{
    const bool fromC = line == LineC;
    switch (track) {
    case 1: return fromC ? a1.C35->colorIs(progress::Lime) : a1.C19->text() == QLatin1String("Volno");
    case 2: return (fromC ? a1.C38 : a1.C23)->colorIs(progress::Lime);
    case 3: return (fromC ? a1.C41 : a1.C26)->colorIs(progress::Lime);
    case 5: return (fromC ? a1.C44 : a1.C29)->colorIs(progress::Lime);
    case 7: return (fromC ? a1.C47 : a1.C32)->colorIs(progress::Lime);
    default: return false;
    }
}

/** Starts the departure run of line y at full speed, as a passing train rolls on. */
void startPassingDeparture(App &app, int y)
{
    StartDepartureRun(app, y, 400, 10);
    const LineCells &out = lineCells(app, y, false);
    const QString now = clockText(app, 0);
    forRowsNumbered(app.A2(), out.trat->text(), [&now](TimetableRow &row) {
        row.departure->setColor(progress::Lime);
        row.agreedTime->setText(now);
    });
}

/** Step 8: a passing train whose exit signal shows proceed is handed over without a stop. */
void handOver(App &app, const LineCells &l)
{
    TA1 &a1 = app.A1();
    bool passing = false;
    forRowsNumbered(app.A2(), l.kolejCislo->text(), [&passing](TimetableRow &row) {
        if (row.departure->text() == QLatin1String("pr."))
            passing = true;
    });
    const int track = l.kolejVlak->value();
    if (!passing || !exitClear(a1, l.line, track))
        return;
    l.vlakOd->setValue(0);
    if (l.line == LineC) {
        if (track == a1.KolejA->value())
            startPassingDeparture(app, LineA);
        if (track == a1.KolejB->value())
            startPassingDeparture(app, LineB);
        return;
    }
    freeSection(app, l);
    startPassingDeparture(app, LineC);
}

/** Step 9: the train has stopped; the run ends and the row shows it arrived. */
void stopRun(App &app, const LineCells &l)
{
    TA1 &a1 = app.A1();
    const bool onPreview = l.kolejStav->value() == 2;
    if (onPreview) {
        if (l.line == LineC) {
            l.chain[0]->setLeft(l.preview->width() + 40);
            layRightOfFirst(l.chain);
        } else {
            l.chain[0]->setLeft(-40 - l.chain[0]->width());
            for (int k = 1; k < kTrainVehicles; ++k)
                l.chain[k]->setLeft(l.chain[k - 1]->left() - l.chain[k]->width());
        }
    }
    l.kolejStav->setValue(0);
    l.timerOd->setEnabledFlag(false);
    if (l.line == LineC) {
        releaseLineC(app);
        /* The tail is past every circuit now that the train stands on its track. */
        if (onPreview)
            freeLineCCircuits(a1, l.kolejVlak->value());
    } else {
        freeSection(app, l);
        /* A run through track 1 past Lc1 lets go of the circuits it occupied when it stops;
           a train of line C may hold them as well. */
        if (std::exchange(a1.runs.occupiedKO10[l.line], false))
            shiftWord(a1.KO10, u"Obsazená", u"Volná");
        if (std::exchange(a1.runs.occupiedKO1a[l.line], false))
            shiftWord(a1.KO1a, u"Obsazená", u"Volná");
    }
    /* The rows of the train that made this run, whatever the line names by now:
       a departure agreed on the line meanwhile keeps its own colours. A row
       whose inbound half the block has already freed stays as it was left. */
    forRowsNumbered(app.A2(), l.kolejCislo->text(), [](TimetableRow &row) {
        if (!row.comesFrom->text().isEmpty())
            row.neighbourDeparture->setColor(progress::Fuchsia);
    });
}

void arrivalTick(App &app, const LineCells &l)
{
    TA1 &a1 = app.A1();
    if (!startRun(app, l))
        return;
    const int w = l.preview->width();
    const bool fromC = l.line == LineC;
    if (l.kolejStav->value() == 3 &&
        (fromC ? l.chain[0]->left() < 0 : l.chain[9]->left() + l.chain[9]->width() > w)) {
        l.kolejStav->setValue(2);
        const int n = l.kolejVlak->value();
        if (ui::ComboBox *occupation = trackOccupation(app, n))
            occupation->setText(l.kolejCislo->text());
        if (TrackRow *row = stationTrack(app, n))
            row->posun->setText(fromC ? QStringLiteral("1") : QStringLiteral("10"));
    }
    if (l.kolejStav->value() == 2 || l.kolejStav->value() == 3) {
        if (fromC) {
            l.chain[0]->setLeft(l.chain[0]->left() - 1);
            layRightOfFirst(l.chain);
            lineCPreviewCircuits(app, l);
        } else {
            l.chain[9]->setLeft(l.chain[9]->left() + 1);
            layLeftOfLast(l.chain);
        }
    }
    if (l.kolejStav->value() == 2 && (fromC ? l.chain[9]->left() < 0 : l.chain[0]->left() > w)) {
        l.kolejStav->setValue(1);
        if (fromC) {
            releaseLineC(app);
            freeLineCCircuits(a1, l.kolejVlak->value());
        } else {
            freeSection(app, l);
        }
    }
    if (l.kolejStav->value() != 1 && l.kolejStav->value() != 2)
        return;
    if (TrackRow *row = stationTrack(app, l.kolejVlak->value()))
        if (moveOnTrack(app, l, *row))
            l.vlakOd->setValue(l.vlakOd->value() - 2);
    l.timerOd->setInterval(500 / (std::max(l.vlakOd->value(), 0) / 10 + 1));
    if (l.vlakOd->value() < 400)
        handOver(app, l);
    if (l.vlakOd->value() <= 0)
        stopRun(app, l);
}

} // namespace

void ArrivalRunTimer(App &app, int line)
{
    const LineCells &l = lineCells(app, line);
    ui::guarded(app.A1(), l.errorCode, [&app, &l] { arrivalTick(app, l); });
}

} // namespace traffic
