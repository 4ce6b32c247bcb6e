/** @file departure_click.cpp The departure of a train from its station track, started by a click on its vehicles. */
#include "trackview/trackview_handlers.h"

#include "core/app.h"
#include "core/form_a1.h"
#include "core/form_a2.h"
#include "trackview/form_a5.h"
#include "traffic/train_runs.h"

namespace trackview {

namespace {

/** The colour of an aspect list that shows a proceed aspect. */
const QColor Proceed(0, 255, 0);

/** The exit signals of one station track and the words of its order registers. */
struct TrackExits {
    ui::ComboBox *occupation;  ///< `A1.KolejN`.
    ui::ListBox *leftList;     ///< Side A/B exit signal's list (S1 .. S7).
    QString leftName;          ///< Its name, as an order register holds it.
    ui::ListBox *rightList;    ///< Side C exit signal's list (Lc1, Lc2, L3, L5, L7).
    QString rightName;         ///< Its name.
    ui::ListBox *throatList;   ///< L1a's list behind Lc1 and Lc2; null on tracks 3, 5, 7.
};

TrackExits exitsOf(TA1 &a1, int track)
{
    switch (track) {
    case 1: return {a1.Kolej1, a1.C35, "S1", a1.C20, "Lc1", a1.C17};
    case 2: return {a1.Kolej2, a1.C38, "S2", a1.C23, "Lc2", a1.C17};
    case 3: return {a1.Kolej3, a1.C41, "S3", a1.C26, "L3", nullptr};
    case 5: return {a1.Kolej5, a1.C44, "S5", a1.C29, "L5", nullptr};
    default: return {a1.Kolej7, a1.C47, "S7", a1.C32, "L7", nullptr};
    }
}

bool proceeds(const ui::ListBox *list) { return list->color() == Proceed; }

/** @return whether the train may pass the side-C exit: by the signals, a written order, or both. */
bool sideCAllowed(const TrackExits &x, const QString &order)
{
    if (!x.throatList)
        return proceeds(x.rightList) || order == x.rightName;
    /* Tracks 1 and 2: Lc1 or Lc2, then L1a; an order may stand in for either or both. */
    const bool lc = proceeds(x.rightList);
    const bool l1a = proceeds(x.throatList);
    return (lc && l1a) || (lc && order == QLatin1String("L1a")) || (order == x.rightName && l1a) ||
           order == x.rightName + QLatin1String(", L1a");
}

/**
 * Starts the departure run of line x for the row, in the order the run
 * expects: its first step one second after the start, from standstill.
 */
void startRun(App &app, int x, TimetableRow &row)
{
    traffic::StartDepartureRun(app, x, 0, 1000);
    row.departure->setColor(progress::Lime);
}

} // namespace

void DepartFromTrack(App &app, int track)
{
    TA1 &a1 = app.A1();
    TA2 &a2 = app.A2();
    TrackRow *row = app.A5().tracks.track(track);
    if (!row)
        return;
    const TrackExits x = exitsOf(a1, track);
    /* A run already under way is never restarted: that would put its train
       back to standstill with its vehicles half off the track. Two rows of
       one train due on the same line still both turn departed. */
    const bool running[3] = {a1.TimerVlakADo->enabledFlag(), a1.TimerVlakBDo->enabledFlag(), a1.TimerVlakCDo->enabledFlag()};
    auto start = [&](int line, TimetableRow &r) {
        if (running[line])
            return;
        startRun(app, line, r);
    };
    for (int r = 1; r <= 16; ++r) {
        TimetableRow &w = a2.row(r);
        if (w.trainNumber->text() != x.occupation->text() || !w.departure->colorIs(progress::Aqua))
            continue;
        const QString direction = w.leavesFor->text();
        if (proceeds(x.leftList) || row->orderLeft->text() == x.leftName) {
            if (a1.KolejA->value() == track && direction == a1.StaniceA1->text())
                start(0, w);
            if (a1.KolejB->value() == track && direction == a1.StaniceB1->text())
                start(1, w);
        }
        /* The run of line C pulls out the train of the track its route is
           laid to, so the train leaves only when that is its own track. */
        if (sideCAllowed(x, row->orderRight->text()) && a1.KolejC->value() == track &&
            direction == a1.StaniceC1->text())
            start(2, w);
    }
}

} // namespace trackview
