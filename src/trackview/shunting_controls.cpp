/** @file shunting_controls.cpp The shunting panel of the track view: choose a track, start, brake, creep and pull. */
#include "trackview/shunting.h"

#include "core/app.h"
#include "core/form_a1.h"
#include "core/option_guard.h"
#include "ui/sim_error.h"
#include "devices/form_a3.h"
#include "devices/form_a7.h"
#include "devices/form_a8.h"
#include "trackview/form_a5.h"
#include "traffic/chain.h"

namespace trackview {

namespace {

const QColor Blue(0, 0, 255);
const QColor Navy(0, 0, 128);
const QColor ListWhite(255, 255, 255);

/** Tracks chosen by the labels `PB01` .. `PB05`. */
constexpr int LabelTracks[5] = {2, 1, 3, 5, 7};

const QString LeftRun = QStringLiteral("<    posun");
const QString LeftCreep = QStringLiteral("<    přiblížit");
const QString RightRun = QStringLiteral("posun    >");
const QString RightCreep = QStringLiteral("přiblížit    >");

ui::Control &panelControl(App &app, const QString &name)
{
    ui::Control *c = app.A5().find(name);
    if (!c)
        throw ui::SimError(QStringLiteral("Missing control A5.%1").arg(name));
    return *c;
}

QString labelName(int k)
{
    return QStringLiteral("PB%1").arg(k, 2, 10, QLatin1Char('0'));
}

/** @return whether a slot holds a vehicle: its width differs from the empty picture's. */
bool occupied(App &app, const ui::Image *slot)
{
    return slot->width() != app.A3().VozidloPrazdne->width();
}

/** @return the aspect list of the side-A/B exit signal of a track. */
ui::ListBox *leftExitList(TA1 &a1, int track)
{
    switch (track) {
    case 1: return a1.C35;
    case 2: return a1.C38;
    case 3: return a1.C41;
    case 5: return a1.C44;
    default: return a1.C47;
    }
}

/** @return whether every side-C exit signal of a track shows "Posun dovolen" (tracks 1 and 2: also L1a). */
bool rightExitsShunt(TA1 &a1, int track)
{
    switch (track) {
    case 1: return a1.C17->color() == ListWhite && a1.C20->color() == ListWhite;
    case 2: return a1.C17->color() == ListWhite && a1.C23->color() == ListWhite;
    case 3: return a1.C26->color() == ListWhite;
    case 5: return a1.C29->color() == ListWhite;
    default: return a1.C32->color() == ListWhite;
    }
}

/** Starts or resumes a run: the timer runs, the unit accelerates, and a run from rest begins at `firstStage`. */
void startRun(TrackRow &row, ui::Timer *timer, int firstStage)
{
    timer->setEnabledFlag(true);
    row.shuntStage->setColor(phase::Lime);
    if (row.shuntStage->value() == 0)
        row.shuntStage->setValue(firstStage);
}

/**
 * @return whether a box chain still holds a unit other than the one of
 * `track`: its consent label shows a unit waiting beyond the station, or
 * another track's unit is passing onto or standing on the panel (stage
 * `near` or `far`, while `route` names that track; null for side C, which
 * has one chain). A new run out would overwrite that unit's pictures.
 */
bool chainTaken(App &app, int track, ui::Control *consent, int near, int far, const ui::SpinEdit *route)
{
    if (consent && consent->visible())
        return true;
    for (const TrackRow &other : app.A5().tracks.rows) {
        const int stage = other.shuntStage->value();
        if (other.number != track && (stage == near || stage == far) && (!route || route->value() == other.number))
            return true;
    }
    return false;
}

} // namespace

void forChosenTracks(App &app, const std::function<void(TrackRow &)> &fn)
{
    for (int k = 1; k <= 5; ++k)
        if (panelControl(app, labelName(k)).color() == Blue)
            if (TrackRow *row = app.A5().tracks.track(LabelTracks[k - 1]))
                fn(*row);
}

void ShuntChooseTrack(App &app, int label)
{
    core::optionGuard(app, "Error 50" + labelName(label), [&] {
        for (int k = 1; k <= 5; ++k)
            panelControl(app, labelName(k)).setColor(k == label ? Blue : Navy);
        TrackRow *row = app.A5().tracks.track(LabelTracks[label - 1]);
        ui::Control &left = panelControl(app, QStringLiteral("PB07"));
        ui::Control &right = panelControl(app, QStringLiteral("PB09"));
        ui::Control &couple = panelControl(app, QStringLiteral("PB11"));
        if (row->posun->color() != unit::Alone) {
            left.setCaption(LeftRun);
            right.setCaption(RightRun);
            couple.setCaption(QStringLiteral("odvěsit"));
            return;
        }
        couple.setCaption(QStringLiteral("svěsit"));
        const auto &cars = row->vehicleSlots;
        if (row->posun->text() == QLatin1String("1")) {
            left.setCaption(LeftRun);
            right.setCaption(occupied(app, cars[1]) ? RightCreep : RightRun);
        } else if (row->posun->text() == QLatin1String("10")) {
            right.setCaption(RightRun);
            left.setCaption(occupied(app, cars[8]) ? LeftCreep : LeftRun);
        }
    });
}

void ShuntLeftClick(App &app)
{
    core::optionGuard(app, QStringLiteral("Error 50PB07"), [&] {
        TA1 &a1 = app.A1();
        const bool run = panelControl(app, QStringLiteral("PB07")).caption() == LeftRun;
        forChosenTracks(app, [&](TrackRow &row) {
            if (!run) {
                row.vehicleSlots[9]->setLeft(row.vehicleSlots[9]->left() - 1);
                return;
            }
            const int n = row.number;
            const bool routed = a1.KolejA->value() == n || a1.KolejB->value() == n;
            if (!routed || leftExitList(a1, n)->color() != ListWhite)
                return;
            /* One unit at a time on each chain of box 1: a new run must not overwrite a unit beyond. */
            if (row.shuntStage->value() == 0) {
                TA7 &a7 = app.A7();
                if (a1.KolejA->value() == n && chainTaken(app, n, a7.find(QStringLiteral("SPA")), 2, 3, a1.KolejA))
                    return;
                if (a1.KolejB->value() == n && chainTaken(app, n, a7.find(QStringLiteral("SPB")), 2, 3, a1.KolejB))
                    return;
            }
            startRun(row, row.shuntLeft, 1);
        });
    });
}

void ShuntBrakeClick(App &app)
{
    core::optionGuard(app, QStringLiteral("Error 50PB08"), [&] {
        forChosenTracks(app, [](TrackRow &row) { row.shuntStage->setColor(phase::Red); });
    });
}

void ShuntRightClick(App &app)
{
    core::optionGuard(app, QStringLiteral("Error 50PB09"), [&] {
        TA1 &a1 = app.A1();
        const bool run = panelControl(app, QStringLiteral("PB09")).caption() == RightRun;
        forChosenTracks(app, [&](TrackRow &row) {
            if (!run) {
                row.vehicleSlots[0]->setLeft(row.vehicleSlots[0]->left() + 1);
                return;
            }
            if (a1.KolejC->value() != row.number || !rightExitsShunt(a1, row.number))
                return;
            /* One unit at a time on box 2's chain. */
            if (row.shuntStage->value() == 0
                && chainTaken(app, row.number, app.A8().find(QStringLiteral("SPC")), -2, -3, nullptr))
                return;
            startRun(row, row.shuntRight, -1);
        });
    });
}

void ShuntPullClick(App &app, int delta)
{
    core::optionGuard(app, delta < 0 ? QStringLiteral("Error 50PB10") : QStringLiteral("Error 50PB12"), [&] {
        forChosenTracks(app, [delta](TrackRow &row) {
            if (row.posun->color() != unit::Coupled || row.shuntStage->value() != 0)
                return;
            row.vehicleSlots[0]->setLeft(row.vehicleSlots[0]->left() + delta);
            traffic::layRightOfFirst(row.vehicleSlots);
        });
    });
}

} // namespace trackview
