/** @file desk_route.cpp The desk's track knobs and route locks: choosing the track of each line's route and locking it. */
#include "core/app.h"
#include "core/form_a1.h"
#include "core/sounds.h"
#include "devices/device_guards.h"
#include "devices/device_handlers.h"
#include "devices/form_a6.h"

namespace devices {

namespace {

/* Knob Tops relative to Blok.Top of the track stops. */
constexpr int Stop7 = 796, Stop5 = 804, Stop3 = 812, Stop1 = 828, Stop2 = 844, Stop4 = 852;

/** Error codes of a device's start, move and end routines. */
struct Codes {
    const char *start, *move, *end;
};
const Codes KnobCodes[3] = {{"Error 63B0", "Error 63B1", "Error 63B2"},
                            {"Error 63B3", "Error 63B4", "Error 63B5"},
                            {"Error 63C2", "Error 63C3", "Error 63C4"}};
const Codes LockCodes[5] = {{"Error 63C5", "Error 63C6", "Error 63C7"},
                            {"Error 63D1", "Error 63D2", "Error 63D3"},
                            {"Error 63D4", "Error 63D5", "Error 63D6"},
                            {"Error 63C8", "Error 63C9", "Error 63D0"},
                            {"Error 63D7", "Error 63D8", "Error 63D9"}};

/** Lock positions relative to Blok.Left: at rest, turned right, turned left (0: no such turn). */
struct LockPlaces {
    int rest, right, left;
};
const LockPlaces Places[5] = {{284, 280, 265}, {669, 665, 650}, {977, 973, 958}, {522, 518, 0}, {1227, 1223, 0}};

ui::Image *knob(TA6 &a6, int k)
{
    return k == 0 ? a6.KnoflikA : k == 1 ? a6.KnoflikB : a6.KnoflikC;
}

ui::Image *lock(TA6 &a6, int l)
{
    ui::Image *locks[5] = {a6.ZavernikA, a6.ZavernikB, a6.ZavernikC, a6.ZavernikD, a6.ZavernikE};
    return locks[l];
}

/** @return a knob's position: its Top relative to the block instrument's. */
int knobAt(TA6 &a6, int k)
{
    return knob(a6, k)->top() - a6.Blok->top();
}

/** @return a lock's position: its Left relative to the block instrument's. */
int lockAt(TA6 &a6, int l)
{
    return lock(a6, l)->left() - a6.Blok->left();
}

/** @return the track of a knob stop, 0 between stops. */
int trackOf(int stop)
{
    switch (stop) {
    case Stop7: return 7;
    case Stop5: return 5;
    case Stop3: return 3;
    case Stop1: return 1;
    case Stop2: return 2;
    case Stop4: return 4;
    default: return 0;
    }
}

ui::SpinEdit *route(TA1 &a1, int l)
{
    return l == 0 ? a1.CestaA : l == 1 ? a1.CestaB : a1.CestaC;
}

/** Moves a knob one step (4 px) down the scale if its line's rules allow it. */
void knobDown(TA1 &a1, TA6 &a6, int k)
{
    const int ta = knobAt(a6, 0), tb = knobAt(a6, 1), tc = knobAt(a6, 2);
    bool down = false;
    if (k == 0) {
        if (tb <= Stop1 || a1.KodKrizeni->checked())
            down = a1.Kod4kolej->checked() ? ta < Stop4 : ta < Stop2;
    } else if (k == 1) {
        const int limit = !a1.Kod2kolej->checked() ? Stop1 : a1.Kod4kolej->checked() ? Stop4 : Stop2;
        if (tb < limit)
            down = tb < 820 || ta >= 836;
    } else {
        down = tc < Stop2;
    }
    if (down)
        knob(a6, k)->setTop(knob(a6, k)->top() + 4);
}

/** Moves a knob one step (4 px) up the scale if its line's rules allow it. */
void knobUp(TA1 &a1, TA6 &a6, int k)
{
    const int ta = knobAt(a6, 0), tb = knobAt(a6, 1), tc = knobAt(a6, 2);
    bool up = false;
    if (k == 0) {
        if (ta > Stop7) {
            if (ta > 836)
                up = true;
            else if (a1.KodKrizeni->checked())
                up = true;
            else
                up = tb == 820 || (tb < 820 && ta > Stop1);
        }
    } else if (k == 1) {
        if (tb > Stop7)
            up = ta >= Stop1 || a1.KodKrizeni->checked();
    } else {
        up = tc > Stop7;
    }
    if (up)
        knob(a6, k)->setTop(knob(a6, k)->top() - 4);
}

/** @return whether a route lock may be taken: its line's fields at rest and its knob on an open stop. */
bool lockMayStart(TA1 &a1, TA6 &a6, int l)
{
    const int at = l < 3 ? knobAt(a6, l) : 0;
    const bool four = a1.Kod4kolej->checked(), two = a1.Kod2kolej->checked();
    const bool usual = at == Stop7 || at == Stop5 || at == Stop3;
    switch (l) {
    case 0:
        return a1.ZavB->value() + a1.NavBOd->value() + a1.NavBDo->value() == 3 &&
               (usual || at == Stop1 || at == Stop2 || (at == Stop4 && four));
    case 1:
        return a1.ZavM->value() + a1.NavMOd->value() + a1.NavMDo->value() == 3 &&
               (usual || at == Stop1 || (at == Stop2 && two) || (at == Stop4 && two && four));
    case 2: {
        const bool dAtRest = lockAt(a6, 3) == Places[3].rest;
        return a1.ZavCH->value() + a1.NavCHOd->value() + a1.NavCHDo->value() == 3 &&
               (usual || (at == Stop1 && dAtRest) || (at == Stop2 && dAtRest && lockAt(a6, 4) == Places[4].right));
    }
    case 3:
        return a1.SouLc1->value() == 1 && a1.CestaC->value() != 1 && a1.CestaC->value() != 2;
    default:
        return a1.CestaC->value() != 2;
    }
}

/** @return whether turning lock A, B or C to the right (or left) is refused by another line's route. */
bool turnRefused(TA6 &a6, int l, bool toRight)
{
    const int ka = a6.KnoflikA->top(), kb = a6.KnoflikB->top(), kc = a6.KnoflikC->top();
    const int la = lockAt(a6, 0), lb = lockAt(a6, 1), lc = lockAt(a6, 2);
    switch (l) {
    case 0:
        return (ka == kb && lb != Places[1].rest) || (!toRight && ka == kc && lc == Places[2].right);
    case 1:
        return (kb == ka && la != Places[0].rest) || (!toRight && kb == kc && lc == Places[2].right);
    default:
        return toRight && ((kc == ka && la == Places[0].left) || (kc == kb && lb == Places[1].left));
    }
}

/** Turns a lock: its picture, its Left relative to the block instrument, its line's route word and the sound. */
void turn(App &app, int l, const char *picture, int place, int track)
{
    TA6 &a6 = app.A6();
    ui::Image *img = lock(a6, l);
    takeStockPicture(app, *img, QString::fromLatin1(picture));
    img->setLeft(a6.Blok->left() + place);
    if (l < 3)
        route(app.A1(), l)->setValue(track);
    core::playSound(app, app.A1().SndZavernik);
}

} // namespace

void KnobDragStart(App &app, int k, int y)
{
    unitGuard(app, KnobCodes[k].start, [&] {
        TA6 &a6 = app.A6();
        if (lockAt(a6, k) != Places[k].rest)
            return;
        a6.devices.knobDragging[k] = true;
        a6.devices.knobAnchor = y;
    });
}

void KnobDragMove(App &app, int k, int y)
{
    unitGuard(app, KnobCodes[k].move, [&] {
        TA1 &a1 = app.A1();
        TA6 &a6 = app.A6();
        DeskDevices &d = a6.devices;
        if (!d.knobDragging[k])
            return;
        ui::SpinEdit *thresholds[3] = {a1.KnoflikA, a1.KnoflikB, a1.KnoflikC};
        const int s = thresholds[k]->value();
        const int before = knob(a6, k)->top();
        if (y > d.knobAnchor + s)
            knobDown(a1, a6, k);
        if (y < d.knobAnchor - s)
            knobUp(a1, a6, k);
        if (knob(a6, k)->top() != before)
            d.knobAnchor = y;
    });
}

void KnobDragEnd(App &app, int k)
{
    unitGuard(app, KnobCodes[k].end, [&] { app.A6().devices.knobDragging[k] = false; });
}

void LockDragStart(App &app, int l, int x)
{
    unitGuard(app, LockCodes[l].start, [&] {
        TA6 &a6 = app.A6();
        if (!lockMayStart(app.A1(), a6, l))
            return;
        a6.devices.lockDragging[l] = true;
        a6.devices.lockAnchor = x;
    });
}

void LockDragMove(App &app, int l, int x)
{
    unitGuard(app, LockCodes[l].move, [&] {
        TA1 &a1 = app.A1();
        TA6 &a6 = app.A6();
        DeskDevices &d = a6.devices;
        if (!d.lockDragging[l])
            return;
        ui::SpinEdit *thresholds[5] = {a1.ZavernikA, a1.ZavernikB, a1.ZavernikC, a1.ZavernikD, a1.ZavernikE};
        const int s = thresholds[l]->value();
        const LockPlaces &p = Places[l];
        if (l >= 3) {
            /* The two-position locks: the anchor moves only when the lock turns. */
            if (x > d.lockAnchor + s && lockAt(a6, l) == p.rest) {
                turn(app, l, "ZavernikP", p.right, 0);
                d.lockAnchor = x;
            } else if (x < d.lockAnchor - s && lockAt(a6, l) == p.right) {
                turn(app, l, "Zavernik0", p.rest, 0);
                d.lockAnchor = x;
            }
            return;
        }
        const int track = trackOf(knobAt(a6, l));
        if (x > d.lockAnchor + s) {
            if (lockAt(a6, l) == p.rest && !turnRefused(a6, l, true))
                turn(app, l, "ZavernikP", p.right, track);
            if (lockAt(a6, l) == p.left)
                turn(app, l, "Zavernik0", p.rest, 0);
            d.lockAnchor = x;
        }
        if (x < d.lockAnchor - s) {
            if (lockAt(a6, l) == p.rest && !turnRefused(a6, l, false))
                turn(app, l, "ZavernikL", p.left, track);
            if (lockAt(a6, l) == p.right)
                turn(app, l, "Zavernik0", p.rest, 0);
            d.lockAnchor = x;
        }
    });
}

void LockDragEnd(App &app, int l)
{
    unitGuard(app, LockCodes[l].end, [&] { app.A6().devices.lockDragging[l] = false; });
}

} // namespace devices
