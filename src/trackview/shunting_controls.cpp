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

/**
 * Creeps the loco alone of a track one pixel towards its vehicles: the one
 * at slot 10 to the left (`direction` -1), the one at slot 1 to the right.
 * Only a loco alone at that slot creeps: a coupled loco would run into its
 * own vehicles, and a track without a loco there has nothing to creep.
 * Creeping hands nothing over, so a slot at an edge of the view stays
 * there: a loco alone halted at the edge is never crept out of sight. A
 * loco resting across the end of its track is held by its box panel's
 * chain as well, so it creeps only at rest on its track, as the pulls pull.
 */
void creep(App &app, TrackRow &row, int direction)
{
    const bool fromSlot10 = direction < 0;
    if (row.posun->color() != unit::Alone || row.posun->text() != QLatin1String(fromSlot10 ? "10" : "1"))
        return;
    ui::Image &slot = *row.vehicleSlots[fromSlot10 ? 9 : 0];
    if (row.shuntStage->value() == 0 && !leavesView(slot, direction, app.ScreenWidth))
        slot.setLeft(slot.left() + direction);
}

/**
 * @return whether pulling a row by `delta` pixels, laid edge to edge from
 * slot 1 again, would take a vehicle of it further across either edge of
 * the view: laid again, a vehicle that stood over its neighbour moves
 * against the pull. A pull hands nothing over, so, as the creep, it never
 * takes a vehicle out of sight.
 */
bool pullLeavesView(App &app, const TrackRow &row, int delta)
{
    const int screen = app.ScreenWidth;
    int left = row.vehicleSlots[0]->left() + delta;
    for (const ui::Image *slot : row.vehicleSlots) {
        const int right = left + slot->width();
        if (occupied(app, slot) && !slot->picture().isNull()) {
            if (left < 0 && left < slot->left())
                return true;
            if (right > screen && right > slot->left() + slot->width())
                return true;
        }
        left = right;
    }
    return false;
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

/**
 * @return whether the unit of a track at rest may start towards a side: a
 * unit stands on the track, a loco alone stands at its leading end (slot
 * 1 towards side A/B, slot 10 towards side C), the one place from which it
 * hands over to the box panel, and no other unit holds that side.
 */
bool mayLeave(App &app, const TrackRow &row, bool sideC)
{
    const QString &loco = row.posun->text();
    if (loco != QLatin1String("1") && loco != QLatin1String("10"))
        return false;
    if (row.posun->color() == unit::Alone && loco != (sideC ? QLatin1String("10") : QLatin1String("1")))
        return false;
    return !ShuntSideInUse(app, row.number, sideC);
}

/**
 * Starts or resumes a run towards side A/B or side C: the other
 * direction's timer stops, this one runs, the unit accelerates, and a run
 * from rest begins at stage 1 or -1 once its unit may leave. A refused
 * start changes nothing; a run paused across the end of the track resumes.
 */
void startRun(App &app, TrackRow &row, bool sideC)
{
    if (row.shuntStage->value() == 0 && !mayLeave(app, row, sideC))
        return;
    (sideC ? row.shuntLeft : row.shuntRight)->setEnabledFlag(false);
    (sideC ? row.shuntRight : row.shuntLeft)->setEnabledFlag(true);
    row.shuntStage->setColor(phase::Lime);
    if (row.shuntStage->value() == 0)
        row.shuntStage->setValue(sideC ? -1 : 1);
}

} // namespace

bool ShuntSideInUse(App &app, int track, bool sideC)
{
    const auto shown = [](const ui::Form &box, const char *name) {
        const ui::Control *consent = box.find(QString::fromLatin1(name));
        return consent && consent->visible();
    };
    if (sideC ? shown(app.A8(), "SPC") : shown(app.A7(), "SPA") || shown(app.A7(), "SPB"))
        return true;
    const int near = sideC ? -2 : 2;
    const int far = sideC ? -3 : 3;
    for (const TrackRow &other : app.A5().tracks.rows) {
        const int stage = other.shuntStage->value();
        if (other.number != track && (stage == near || stage == far))
            return true;
    }
    return false;
}

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
        const TrackRow &row = *app.A5().tracks.track(LabelTracks[label - 1]);
        ui::Control &couple = panelControl(app, QStringLiteral("PB11"));
        if (row.posun->color() != unit::Alone) {
            ShuntRunCaptions(app, row);
            couple.setCaption(QStringLiteral("odvěsit"));
            return;
        }
        couple.setCaption(QStringLiteral("svěsit"));
        ShuntRunCaptions(app, row);
    });
}

void ShuntRunCaptions(App &app, const TrackRow &row)
{
    ui::Control &left = panelControl(app, QStringLiteral("PB07"));
    ui::Control &right = panelControl(app, QStringLiteral("PB09"));
    if (row.posun->color() != unit::Alone) {
        left.setCaption(LeftRun);
        right.setCaption(RightRun);
        return;
    }
    const auto &cars = row.vehicleSlots;
    if (row.posun->text() == QLatin1String("1")) {
        left.setCaption(LeftRun);
        right.setCaption(occupied(app, cars[1]) ? RightCreep : RightRun);
    } else if (row.posun->text() == QLatin1String("10")) {
        right.setCaption(RightRun);
        left.setCaption(occupied(app, cars[8]) ? LeftCreep : LeftRun);
    }
}

void ShuntLeftClick(App &app)
{
    core::optionGuard(app, QStringLiteral("Error 50PB07"), [&] {
        TA1 &a1 = app.A1();
        const bool run = panelControl(app, QStringLiteral("PB07")).caption() == LeftRun;
        forChosenTracks(app, [&](TrackRow &row) {
            if (!run) {
                creep(app, row, -1);
                return;
            }
            const int n = row.number;
            const bool routed = a1.KolejA->value() == n || a1.KolejB->value() == n;
            if (routed && leftExitList(a1, n)->color() == ListWhite)
                startRun(app, row, false);
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
                creep(app, row, 1);
                return;
            }
            if (a1.KolejC->value() == row.number && rightExitsShunt(a1, row.number))
                startRun(app, row, true);
        });
    });
}

void ShuntPullClick(App &app, int delta)
{
    core::optionGuard(app, delta < 0 ? QStringLiteral("Error 50PB10") : QStringLiteral("Error 50PB12"), [&] {
        forChosenTracks(app, [&app, delta](TrackRow &row) {
            if (row.posun->color() != unit::Coupled || row.shuntStage->value() != 0 || pullLeavesView(app, row, delta))
                return;
            row.vehicleSlots[0]->setLeft(row.vehicleSlots[0]->left() + delta);
            traffic::layRightOfFirst(row.vehicleSlots);
        });
    });
}

} // namespace trackview
