/** @file shunting_run.cpp The shunting run: a unit drives out of its track onto a box's overview panel and back. */
#include "trackview/shunting.h"

#include "core/app.h"
#include "core/form_a1.h"
#include "devices/form_a3.h"
#include "devices/form_a7.h"
#include "devices/form_a8.h"
#include "trackview/form_a5.h"
#include "traffic/chain.h"
#include "ui/sim_error.h"

#include <algorithm>
#include <iterator>

namespace trackview {

namespace {

using traffic::Chain;

const QString Volna = QStringLiteral("Volná");
const QString PosunDil = QStringLiteral("posun.díl");

/** The ten images of a shunting chain on a box (`PosunAa` .. `PosunAj`); @return false when the box lacks one. */
bool chainOf(const ui::Form &box, const QString &stem, Chain &out)
{
    for (int k = 0; k < 10; ++k) {
        out[k] = dynamic_cast<ui::Image *>(box.find(stem + QChar('a' + k)));
        if (!out[k])
            return false;
    }
    return true;
}

/**
 * @return whether a box-1 chain holds a unit beyond side A/B: it stands at
 * the panel, or its unit was sent on past the panel's left edge. A chain
 * whose unit came home waits out of sight right of the panel, and one that
 * never took a unit waits left of it without pictures.
 */
bool holdsUnit(const Chain &c, int screen)
{
    if (c[0]->left() > screen)
        return false;
    return c[9]->left() + c[9]->width() > 0
           || std::any_of(c.begin(), c.end(), [](const ui::Image *img) { return !img->picture().isNull(); });
}

/** A box-1 chain that belongs to the track while its line's route is laid to it. */
struct BoxChain {
    Chain images{};
    ui::Edit *posun = nullptr; ///< `A5.PosunA` or `A5.PosunB`.
    ui::Control *consent = nullptr; ///< `A7.SPA` or `A7.SPB`.
    char side = 'A'; ///< 'A' or 'B': the line whose chain it is.
    bool routed = false; ///< The route of the chain's line is laid to the track.
};

/** Everything one tick of one track works on, found afresh for each tick. */
struct Tick {
    App &app;
    TrackRow &row;
    ui::Timer *timer;
    int direction;        ///< -1 for the L timer, +1 for the P timer.
    int screen;           ///< The right edge of all three panels.
    const ui::Image *empty;
    bool alone;           ///< The loco runs alone (PosunN yellow).
    std::vector<BoxChain> box1; ///< Chains A and/or B this tick moves and hands the unit over with.
    std::vector<BoxChain> held; ///< Chains A and/or B holding a unit beyond side A/B: the unit's own.
    Chain chainC{};
    bool hasChainC = false;
    bool blocked = false; ///< Running out towards a side that cannot take the unit now.

    int stage() const { return row.shuntStage->value(); }
    void setStage(int s) const { row.shuntStage->setValue(s); }
    bool isEmpty(const ui::Image *img) const { return img->width() == empty->width(); }
    bool holdsVehicle(const ui::Image *img) const { return img->width() > empty->width(); }
};

ui::ComboBox *occupation(TA1 &a1, int track)
{
    switch (track) {
    case 1: return a1.Kolej1;
    case 2: return a1.Kolej2;
    case 3: return a1.Kolej3;
    case 5: return a1.Kolej5;
    default: return a1.Kolej7;
    }
}

/** Moves a chain one pixel: image a moves and the others are laid again to its right. */
void moveChain(const Chain &c, int direction)
{
    c[0]->setLeft(c[0]->left() + direction);
    traffic::layRightOfFirst(c);
}

/**
 * The unit stands beyond the station and waits for its consent again: no
 * run, no loco on its track, and the label of the chain holding it shown
 * whatever the routes name now, which keeps the side in use.
 */
void waitBeyond(Tick &t)
{
    const bool sideC = t.stage() < 0;
    t.setStage(0);
    t.row.posun->setText(QStringLiteral("0"));
    if (sideC) {
        if (auto *spc = t.app.A8().find(QStringLiteral("SPC")))
            spc->show();
        return;
    }
    for (const BoxChain &b : t.held)
        b.consent->show();
}

/** Stops the unit where it stands: no speed left, its timer off. */
void halt(Tick &t)
{
    t.row.speed->setValue(0);
    t.row.shuntStage->setColor(phase::White);
    t.timer->setEnabledFlag(false);
}

/** Step 1: speed up, brake or stop by the drive phase. */
void drivePhase(Tick &t)
{
    ui::SpinEdit *speed = t.row.speed;
    const QColor colour = t.row.shuntStage->color();
    const int step = t.alone ? 5 : 2;
    if (colour == phase::Lime) {
        if (speed->value() >= 300) {
            t.row.shuntStage->setColor(phase::White);
            return;
        }
        speed->setValue(speed->value() + step);
    } else if (colour == phase::Red) {
        if (speed->value() < 1) {
            t.row.shuntStage->setColor(phase::White);
            t.timer->setEnabledFlag(false);
            switch (t.stage()) {
            case 1:
            case -1: t.setStage(0); break;
            case 3:
            case -3:
                /* A unit braked on its way back still waits beyond the station: the consent must bring it again. */
                waitBeyond(t);
                break;
            default: break; // 2 and -2: the unit rests across the end of the track
            }
            return;
        }
        speed->setValue(speed->value() - step);
    } else {
        return;
    }
    t.timer->setInterval(500 / (speed->value() / 10 + 1));
}

/** Step 3: the unit's cars move one pixel each, without being laid again. */
void moveSlots(Tick &t)
{
    const QString loco = t.row.posun->text();
    if (loco != QLatin1String("1") && loco != QLatin1String("10"))
        return;
    auto &cars = t.row.vehicleSlots;
    if (t.alone) {
        ui::Image *own = loco == QLatin1String("1") ? cars[0] : cars[9];
        own->setLeft(own->left() + t.direction);
        return;
    }
    for (ui::Image *s : cars)
        s->setLeft(s->left() + t.direction);
}

/**
 * Moves a vehicle carried at the leading image behind an empty one to the
 * station end of the chain, so it comes back first. The station end must
 * be empty: a vehicle there would otherwise be lost.
 */
void leadVehicleToStationEnd(const Tick &t, const Chain &c, int lead, int behind, int stationEnd, ui::Edit *posun,
                             const QString &slot)
{
    if (t.holdsVehicle(c[lead]) && t.isEmpty(c[behind]) && t.isEmpty(c[stationEnd])) {
        c[stationEnd]->assignPicture(*c[lead]);
        c[lead]->assignPicture(*t.empty);
        posun->setText(slot);
    }
}

/**
 * @return whether the unit on its track runs towards an edge of the view
 * where nothing takes it over: on its way back or turned round on the
 * track (stage 1 under the P timer, -1 under the L timer), or a loco
 * alone driven from its far end, uncoupled from the vehicles it pushed.
 * Only the slot at the side's end of the track (slot 1 towards side A/B,
 * slot 10 towards side C) hands over, and a loco alone hands over only
 * itself: from its far end nothing, though a pull has taken the empty slot
 * at the side's end past the edge.
 */
bool noHandOverAhead(const Tick &t)
{
    const int out = t.direction < 0 ? 1 : -1;
    if (t.stage() == -out)
        return true;
    const QLatin1String leadingEnd(t.direction < 0 ? "1" : "10");
    return t.stage() == out && t.alone && t.row.posun->text() != leadingEnd;
}

/** L step 5: slot 1 has passed the left edge, and the unit appears at the right of box 1's panel. */
void outTowardsAB(Tick &t)
{
    if (t.stage() != 1 || t.blocked || noHandOverAhead(t) || t.row.vehicleSlots[0]->left() >= 0)
        return;
    t.setStage(2);
    const auto &cars = t.row.vehicleSlots;
    for (const BoxChain &b : t.box1) {
        if (t.alone) {
            for (int k = 0; k < 9; ++k)
                b.images[k]->assignPicture(*t.empty);
            b.images[9]->assignPicture(*cars[0]);
            b.posun->setText(QStringLiteral("10"));
        } else {
            for (int k = 0; k < 10; ++k)
                b.images[k]->assignPicture(*cars[k]);
            b.posun->setText(t.row.posun->text());
        }
        leadVehicleToStationEnd(t, b.images, 0, 1, 9, b.posun, QStringLiteral("10"));
        b.images[0]->setLeft(t.screen);
        traffic::layRightOfFirst(b.images);
    }
}

/**
 * L step 6 and P step 9: the unit stands wholly on a box panel (stage 3
 * or -3) and brakes by itself. It is on the chain now, so no copy of it
 * stays in the slots for the pulls to drag back into view: a loco alone
 * empties its own slot (slot 1 towards side A/B, slot 10 towards side C),
 * a coupled unit all ten and frees the track (towards side C from track 1
 * or 2 also section 1a). A unit whose brake stopped it on this very tick,
 * with its last move, has no tick left to stop beyond the station: it
 * waits for its consent at once, as a stop there does.
 */
void whollyOnBox(Tick &t, int stage)
{
    t.setStage(stage);
    t.row.shuntStage->setColor(phase::Red);
    t.row.posun->setText(QStringLiteral("0"));
    if (t.alone) {
        t.row.vehicleSlots[stage > 0 ? 0 : 9]->assignPicture(*t.empty);
    } else {
        emptySlots(t.row, *t.empty);
        TA1 &a1 = t.app.A1();
        occupation(a1, t.row.number)->setText(Volna);
        if (stage < 0 && (t.row.number == 1 || t.row.number == 2))
            a1.Kolej1a->setText(Volna);
    }
    if (!t.timer->enabledFlag()) {
        t.row.shuntStage->setColor(phase::White);
        waitBeyond(t);
    }
}

/**
 * @return how many pixels sooner a unit that its brake stops on this tick
 * counts as across a panel's edge than a running one. A running unit
 * crosses on the tick after its image reaches the edge; a stopped one has
 * no tick left and is taken as it rests: an image ending at the edge
 * stands wholly on its panel, one starting at the edge wholly off it.
 */
int edgePixelAtRest(const Tick &t)
{
    return t.timer->enabledFlag() ? 0 : 1;
}

/** L step 6: image j of the unit's chain stands wholly on box 1's panel. */
void whollyOnBox1(Tick &t)
{
    if (t.stage() != 2)
        return;
    for (const BoxChain &b : t.box1) {
        const ui::Image *j = b.images[9];
        if (t.screen - j->width() + edgePixelAtRest(t) > j->left())
            whollyOnBox(t, 3);
    }
}

/** L step 7: chain C's image a passes the left edge of box 2's panel, and the unit comes onto the track at the right. */
void backInFromC(Tick &t)
{
    if (t.stage() != -3 || !t.hasChainC || t.chainC[0]->left() >= 0)
        return;
    t.setStage(-2);
    auto &cars = t.row.vehicleSlots;
    if (t.alone) {
        cars[9]->assignPicture(*t.chainC[0]);
        cars[9]->setLeft(t.screen);
        t.row.posun->setText(QStringLiteral("10"));
        return;
    }
    for (int k = 0; k < 10; ++k)
        cars[k]->assignPicture(*t.chainC[k]);
    cars[0]->setLeft(t.screen);
    traffic::layRightOfFirst(cars);
    occupation(t.app.A1(), t.row.number)->setText(PosunDil);
    t.row.posun->setText(t.app.A5().tracks.PosunC->text());
}

/**
 * The unit has wholly left a box panel on its way home (stage 2 to 1, -2 to
 * -1). A unit whose brake stopped it on this very tick, with its last move,
 * rests on its track: no run is left, and its stage reads 0.
 */
void whollyOnTrack(Tick &t, int stage)
{
    t.setStage(t.timer->enabledFlag() ? stage : 0);
}

/** L steps 8 and 9: off box 2's panel, then braking before the vehicles or the end of the track. */
void homeFromC(Tick &t)
{
    if (t.stage() == -2 && t.hasChainC && -t.chainC[9]->width() + edgePixelAtRest(t) > t.chainC[9]->left())
        whollyOnTrack(t, -1);
    if (t.stage() != -1)
        return;
    const auto &cars = t.row.vehicleSlots;
    const bool brake = t.alone ? cars[8]->left() + cars[8]->width() + 70 > cars[9]->left()
                               : cars[0]->left() < 200;
    if (brake)
        t.row.shuntStage->setColor(phase::Red);
}

/**
 * The unit has come back onto its track from box 1's panel on the chain of
 * line `bringer`. Sent out while both routes A and B were laid to its
 * track, it was handed to both chains and both labels were shown: one
 * unit is beyond side A/B at a time, so any other chain still holding it
 * holds a copy of the unit now home, wherever that chain stands. The copy
 * is let go out of sight right of the panel and takes no further part in
 * the run, and every label is hidden, which frees the side: no consent
 * brings the unit a second time.
 */
void homeFromBothChains(Tick &t, char bringer)
{
    const auto copy = [bringer](const BoxChain &b) { return b.side != bringer; };
    for (const BoxChain &b : t.held) {
        b.consent->hide();
        if (!copy(b))
            continue;
        for (ui::Image *img : b.images)
            img->assignPicture(*t.empty);
        b.images[0]->setLeft(t.screen + 1);
        traffic::layRightOfFirst(b.images);
    }
    std::erase_if(t.box1, copy);
    std::erase_if(t.held, copy);
}

/** P step 5: image j has passed the right edge of box 1's panel, and the unit comes onto the track at the left. */
void backInFromAB(Tick &t)
{
    if (t.stage() != 3)
        return;
    const auto first = std::find_if(t.box1.begin(), t.box1.end(), [&t](const BoxChain &b) {
        const ui::Image *j = b.images[9];
        return t.screen - j->width() < j->left();
    });
    if (first == t.box1.end())
        return;
    const BoxChain b = *first;
    t.setStage(2);
    auto &cars = t.row.vehicleSlots;
    if (t.alone) {
        cars[0]->assignPicture(*b.images[9]);
        cars[0]->setLeft(-cars[0]->width());
        t.row.posun->setText(QStringLiteral("1"));
    } else {
        for (int k = 0; k < 10; ++k)
            cars[k]->assignPicture(*b.images[k]);
        cars[9]->setLeft(-cars[9]->width());
        traffic::layLeftOfLast(cars);
        occupation(t.app.A1(), t.row.number)->setText(PosunDil);
        t.row.posun->setText(b.posun->text());
    }
    homeFromBothChains(t, b.side);
}

/** P steps 6 and 7: off box 1's panel, then braking before the vehicles or the end of the track. */
void homeFromAB(Tick &t)
{
    if (t.stage() == 2)
        for (const BoxChain &b : t.box1)
            if (b.images[0]->left() + edgePixelAtRest(t) > t.screen) {
                whollyOnTrack(t, 1);
                /* Resting at the edge pixel, the chain is let go beyond it, where a chain that brought its unit
                   home waits: one at the edge still holds a unit. */
                if (b.images[0]->left() <= t.screen) {
                    b.images[0]->setLeft(t.screen + 1);
                    traffic::layRightOfFirst(b.images);
                }
            }
    if (t.stage() != 1)
        return;
    const auto &cars = t.row.vehicleSlots;
    const bool brake = t.alone ? cars[1]->left() - cars[0]->width() - 70 < cars[0]->left()
                               : t.screen - cars[9]->width() - 200 < cars[9]->left();
    if (brake)
        t.row.shuntStage->setColor(phase::Red);
}

/** P step 8: slot 10 has passed the right edge, and the unit appears at the left of box 2's panel. */
void outTowardsC(Tick &t)
{
    const auto &cars = t.row.vehicleSlots;
    if (t.stage() != -1 || t.blocked || noHandOverAhead(t) || !(t.screen - cars[9]->width() < cars[9]->left()))
        return;
    t.setStage(-2);
    if (!t.hasChainC)
        return;
    ui::Edit *posunC = t.app.A5().tracks.PosunC;
    const Chain &c = t.chainC;
    if (t.alone) {
        c[0]->assignPicture(*cars[9]);
        for (int k = 1; k < 10; ++k)
            c[k]->assignPicture(*t.empty);
        posunC->setText(QStringLiteral("1"));
    } else {
        for (int k = 0; k < 10; ++k)
            c[k]->assignPicture(*cars[k]);
        posunC->setText(t.row.posun->text());
    }
    leadVehicleToStationEnd(t, c, 9, 8, 0, posunC, QStringLiteral("1"));
    c[9]->setLeft(-c[9]->width());
    traffic::layLeftOfLast(c);
}

/** P step 9: chain C's image a has passed the left edge of box 2's panel. */
void whollyOnBox2(Tick &t)
{
    if (t.stage() == -2 && t.hasChainC && t.chainC[0]->left() + edgePixelAtRest(t) > 0)
        whollyOnBox(t, -3);
}

/**
 * @return whether the unit runs out on its track (stage 1 under the L
 * timer, -1 under the P timer) towards a side that cannot take it: the
 * side's route is no longer laid to the track, or another unit holds the
 * side.
 */
bool blockedOut(const Tick &t)
{
    const int n = t.row.number;
    if (t.direction < 0)
        return t.stage() == 1 && (t.box1.empty() || ShuntSideInUse(t.app, n, false));
    return t.stage() == -1 && (t.app.A1().KolejC->value() != n || ShuntSideInUse(t.app, n, true));
}

/**
 * Halts a unit that cannot leave the view where it runs (blocked, or no
 * hand-over ahead) once its leading vehicle would leave the view with this
 * tick's move: it stops where it stands, every vehicle on its track.
 * @return whether it halted.
 */
bool haltAtEdge(Tick &t)
{
    const auto &cars = t.row.vehicleSlots;
    const ui::Image *lead = t.direction < 0 ? cars[0] : cars[9];
    if (t.alone)
        lead = t.row.posun->text() == QLatin1String("10") ? cars[9] : cars[0];
    if (!leavesView(*lead, t.direction, t.screen))
        return false;
    halt(t);
    t.setStage(0);
    return true;
}

/**
 * On its way back from beyond the station (stage 3 under the P timer, -3
 * under the L timer) the unit comes onto its track only while the track
 * can take it. A train that has begun to arrive on the track since the
 * consent fills its slots from its first tick: the unit then stops beyond
 * the station and waits for its consent label again, as the label waits
 * for a track that cannot take the unit.
 * @return whether the unit stopped.
 */
bool waitsForItsTrack(Tick &t)
{
    const int back = t.direction > 0 ? 3 : -3;
    if (t.stage() != back)
        return false;
    bool takes = true;
    if (back < 0)
        takes = ShuntTrackTakes(t.app, t.row.number, 'C');
    else
        for (const BoxChain &b : t.held)
            takes = takes && ShuntTrackTakes(t.app, t.row.number, b.side);
    if (takes)
        return false;
    halt(t);
    waitBeyond(t);
    return true;
}

void shuntTick(Tick &t, bool right)
{
    if (waitsForItsTrack(t))
        return;
    /* A unit that can no longer leave brakes at once and never crosses the edge of the view. */
    t.blocked = blockedOut(t);
    if (t.blocked)
        t.row.shuntStage->setColor(phase::Red);
    drivePhase(t);
    if (t.stage() < -1 && t.hasChainC)
        moveChain(t.chainC, t.direction);
    /* The tick that stops the unit on its track still moves it, but not past the edge of the view: at
       rest nothing takes it over there. */
    const bool stoppedOnTrack = t.stage() == 0 && !t.timer->enabledFlag();
    if (t.stage() >= -2 && t.stage() <= 2 && !((t.blocked || noHandOverAhead(t) || stoppedOnTrack) && haltAtEdge(t)))
        moveSlots(t);
    if (t.stage() >= 2)
        for (const BoxChain &b : t.box1)
            moveChain(b.images, t.direction);
    if (right) {
        backInFromAB(t);
        homeFromAB(t);
        outTowardsC(t);
        whollyOnBox2(t);
    } else {
        outTowardsAB(t);
        whollyOnBox1(t);
        backInFromC(t);
        homeFromC(t);
    }
}

} // namespace

bool leavesView(const ui::Image &img, int direction, int screen)
{
    return direction < 0 ? img.left() - 1 < 0 : img.left() + img.width() + 1 > screen;
}

bool ShuntTrackTakes(App &app, int track, char side)
{
    const TrackRow *row = app.A5().tracks.track(track);
    if (!row)
        return true;
    const int emptyWidth = app.A3().VozidloPrazdne->width();
    /* A slot that never received a picture keeps its design width and holds nothing. */
    const auto holdsVehicle = [emptyWidth](const ui::Image *slot) {
        return !slot->picture().isNull() && slot->width() > emptyWidth;
    };
    const auto &cars = row->vehicleSlots;
    if (row->posun->color() != unit::Alone)
        return std::none_of(cars.begin(), cars.end(), holdsVehicle);
    Chain c{};
    const bool sideC = side == 'C';
    const ui::Form &box = sideC ? static_cast<const ui::Form &>(app.A8()) : app.A7();
    if (!chainOf(box, QStringLiteral("Posun") + side, c))
        throw ui::SimError(QStringLiteral("Missing shunting chain Posun") + QLatin1Char(side));
    const int stationEnd = sideC ? 0 : 9;
    for (int k = 0; k < 10; ++k)
        if (k != stationEnd && c[k]->width() > emptyWidth)
            return false;
    return !holdsVehicle(cars[sideC ? 9 : 0]);
}

void ShuntTimer(App &app, int track, bool right)
{
    TA5 &a5 = app.A5();
    TrackRow *row = a5.tracks.track(track);
    if (!row)
        return;
    TA1 &a1 = app.A1();
    TA7 &a7 = app.A7();
    Tick t{app, *row, right ? row->shuntRight : row->shuntLeft, right ? 1 : -1, app.ScreenWidth,
           app.A3().VozidloPrazdne, row->posun->color() == unit::Alone, {}, {}, {}};

    /* Chains A and B follow the routes of lines A and B as they stand at this tick. */
    const std::pair<ui::SpinEdit *, QChar> lines[2] = {{a1.KolejA, 'A'}, {a1.KolejB, 'B'}};
    std::vector<BoxChain> routed;
    for (const auto &[route, side] : lines) {
        BoxChain b;
        b.posun = side == 'A' ? a5.tracks.PosunA : a5.tracks.PosunB;
        b.consent = a7.find(QStringLiteral("SP") + side);
        b.side = side.toLatin1();
        if (!b.consent || !chainOf(a7, QStringLiteral("Posun") + side, b.images))
            continue;
        b.routed = route->value() == track;
        if (b.routed)
            routed.push_back(b);
        if (holdsUnit(b.images, t.screen))
            t.held.push_back(b);
    }
    /*
     * Once the unit is on a chain (crossing the end of its track, or beyond
     * it), it keeps to the chain that took it, whatever the routes do: the
     * run ends wholly on that chain, with that chain's consent label, or
     * back on the track, and the pictures of another chain never reach the
     * track. One unit at a time is beyond side A/B, so the chain holding a
     * unit, at the panel or sent on past its left edge, is this unit's.
     * Coming back from beyond the station it still waits for its own line's
     * route.
     */
    const int stage = row->shuntStage->value();
    if (stage == 2 || (stage == 3 && !right))
        t.box1 = t.held;
    else if (stage == 3)
        std::copy_if(t.held.begin(), t.held.end(), std::back_inserter(t.box1),
                     [](const BoxChain &b) { return b.routed; });
    else
        t.box1 = routed;
    t.hasChainC = chainOf(app.A8(), QStringLiteral("PosunC"), t.chainC);

    /* A failing tick stops its timer: the failure is reported once, not on every tick. */
    try {
        shuntTick(t, right);
    } catch (...) {
        t.timer->setEnabledFlag(false);
        throw;
    }
}

} // namespace trackview
