/** @file box1_levers.cpp Signal box 1's mechanical lever frame, its call-on buttons and its switch DN. */
#include "core/app.h"
#include "core/form_a1.h"
#include "devices/box1_handlers.h"
#include "devices/box1_positions.h"
#include "devices/device_guards.h"
#include "devices/form_a3.h"
#include "devices/form_a6.h"
#include "devices/form_a7.h"
#include "signalling/signal_panels.h"

namespace devices {

using signalling::part;

namespace {

/* Head and label places from the lever's base Top. */
constexpr int HeadUp = -291, HeadDown = 147, HeadInHand = 124;
constexpr int LabelUp = -126, LabelDown = 372;
/** A refusal counter at or above this sends a lever back where it came from. */
constexpr int Refuses = 50;

ui::Control &label(const TA7 &a7, int n)
{
    return part<ui::Control>(a7, QStringLiteral("Paka%1d").arg(n));
}

ui::Edit &lockEdit(const TA7 &a7, int lever)
{
    return part<ui::Edit>(a7, QStringLiteral("Paka%1e").arg(lever));
}

ui::SpinEdit &refusals(const TA1 &a1, int n)
{
    ui::SpinEdit *const counters[11] = {a1.Paka1, a1.Paka2, a1.Paka3, a1.Paka4,  a1.Paka5, a1.Paka6,
                                        a1.Paka7, a1.Paka8, a1.Paka9, a1.Paka10, a1.Paka11};
    return *counters[n - 1];
}

bool inHand(const TA7 &a7, int n)
{
    return leverHead(a7, n).top() == leverBase(a7, n).top() + HeadInHand;
}

/** @return whether ordinary lever n may be taken, by its locking with the lock levers and the route locks. */
bool mayTake(const TA7 &a7, int n)
{
    switch (n) {
    case 1:
    case 2: return lockText(a7, 3).isEmpty();
    case 4: return allAtRest(a7, {Lock1, Lock4});
    case 5: return lockText(a7, 7).isEmpty() && !turned(a7, Lock2, KnobPosition::Left);
    case 6: return lockText(a7, 7).isEmpty() && allAtRest(a7, {Lock2, Lock3, Lock5, Lock6});
    case 8: return leverUp(a7, 9) && allAtRest(a7, {Lock2, Lock3, Lock4, Lock5, Lock6});
    case 9: return leverDown(a7, 8) && !turned(a7, Lock5, KnobPosition::Left);
    case 10:
        return !turned(a7, Lock2, KnobPosition::Right) && atRest(a7, Lock3) && !turned(a7, Lock5, KnobPosition::Right)
               && atRest(a7, Lock6);
    case 11: return allAtRest(a7, {Lock1, Lock2, Lock3});
    case 3: return allAtRest(a7, {Lock1, Lock2, Lock3, Lock4, Lock5, Lock6});
    case 7:
        return !turned(a7, Lock1, KnobPosition::Right) && atRest(a7, Lock4) && !turned(a7, Lock5, KnobPosition::Left);
    default: return false;
    }
}

/** Puts the head in the hand: held picture, the base's picture, the label hidden. */
void takeInHand(App &app, int n, const ui::Image *base)
{
    const TA7 &a7 = app.A7();
    const TA3 &a3 = app.A3();
    ui::Image &head = leverHead(a7, n);
    head.setTop(leverBase(a7, n).top() + HeadInHand);
    head.assignPicture(*a3.PakaS);
    if (base)
        leverBase(a7, n).assignPicture(*base);
    label(a7, n).hide();
}

/** Throws the head to its upper or lower end, with its label beside it. */
void throwTo(App &app, int n, bool down)
{
    const TA7 &a7 = app.A7();
    const TA3 &a3 = app.A3();
    const int base = leverBase(a7, n).top();
    ui::Image &head = leverHead(a7, n);
    head.setTop(base + (down ? HeadDown : HeadUp));
    head.assignPicture(down ? *a3.PakaD : *a3.PakaH);
    ui::Control &l = label(a7, n);
    l.setTop(base + (down ? LabelDown : LabelUp));
    l.show();
}

/** The lock levers 3 and 7: the point levers they lock and their lock text. */
struct LockLever {
    int first, second;
};

LockLever locked(int n)
{
    return n == 3 ? LockLever{1, 2} : LockLever{5, 6};
}

void takeLockLever(App &app, int n)
{
    const TA7 &a7 = app.A7();
    const TA3 &a3 = app.A3();
    Box1State &s = app.A7().box1;
    const LockLever l = locked(n);
    const bool empty = lockText(a7, n).isEmpty();
    const ui::Image *base = nullptr;
    if (leverUp(a7, n)) {
        if (!empty) {
            s.leverInHand = 5;
            base = a3.Paka5;
        } else if (leverDown(a7, l.first) && leverDown(a7, l.second)) {
            s.leverInHand = 3;
            base = a3.Paka3;
        } else {
            s.leverInHand = 1;
        }
    } else {
        if (!empty) {
            s.leverInHand = 4;
            base = a3.Paka3;
        } else if (leverUp(a7, l.first) && leverUp(a7, l.second)) {
            s.leverInHand = 6;
            base = a3.Paka5;
        } else {
            s.leverInHand = 2;
        }
    }
    takeInHand(app, n, base);
}

void releaseLockLever(App &app, int n)
{
    const TA7 &a7 = app.A7();
    const TA3 &a3 = app.A3();
    Box1State &s = app.A7().box1;
    if (!inHand(a7, n))
        return;
    /* State: where the head goes, the base's picture (null: unchanged), and the lock text (null: unchanged). */
    struct Let {
        bool down;
        const ui::Image *base;
        const char *text;
    };
    const Let lets[6] = {{true, nullptr, nullptr}, {false, nullptr, nullptr}, {true, a3.Paka4, "Z+"},
                         {false, a3.Paka1, ""},    {true, a3.Paka1, ""},      {false, a3.Paka4, "Z-"}};
    if (s.leverInHand < 1 || s.leverInHand > 6)
        return;
    const Let &let = lets[s.leverInHand - 1];
    throwTo(app, n, let.down);
    if (let.base)
        leverBase(a7, n).assignPicture(*let.base);
    if (let.text)
        lockEdit(a7, n).setText(QString::fromLatin1(let.text));
    s.leverInHand = 0;
}

QString code(int n, const char *event)
{
    return QStringLiteral("Error 70Pk%1-%2").arg(n).arg(QLatin1String(event));
}

/** The call-on buttons: the button, its partner at the same rest, its permission lamp, the desk's button, the entry signal. */
struct CallOn {
    const char *button, *partner, *lamp, *desk;
    ui::Edit *TA1::*entry;
};
const CallOn CallOns[2] = {{"PNL", "PNML", "PNL2", "PNL", &TA1::C03}, {"PNML", "PNL", "PNML2", "PNML", &TA1::C06}};

} // namespace

void PakaMouseDown(App &app, int n)
{
    unitGuard(app, code(n, "Md"), [&] {
        const TA7 &a7 = app.A7();
        if (!mayTake(a7, n))
            return;
        if (n == 3 || n == 7) {
            takeLockLever(app, n);
            return;
        }
        const TA3 &a3 = app.A3();
        const bool lower = n == 9 ? leverUp(a7, n) : leverDown(a7, n);
        app.A7().box1.leverInHand = lower ? 1 : 2;
        takeInHand(app, n, n == 9 || n == 11 ? a3.Paka3 : a3.Paka2);
    });
}

void PakaMouseUp(App &app, int n)
{
    unitGuard(app, code(n, "Mu"), [&] {
        if (n == 3 || n == 7) {
            releaseLockLever(app, n);
            return;
        }
        const TA7 &a7 = app.A7();
        const TA3 &a3 = app.A3();
        Box1State &s = app.A7().box1;
        ui::SpinEdit &counter = refusals(app.A1(), n);
        if (counter.value() >= Refuses && (s.leverInHand == 1 || s.leverInHand == 2))
            s.leverInHand = 3 - s.leverInHand;
        if (!inHand(a7, n))
            return;
        /* State 1 sends lever 9 down and every other lever up; state 2 the reverse. */
        const bool down = (s.leverInHand == 1) == (n == 9);
        throwTo(app, n, down);
        leverBase(a7, n).assignPicture(down && (n == 9 || n == 11) ? *a3.Paka4 : *a3.Paka1);
        s.leverInHand = 0;
        if (counter.value() >= 5)
            counter.setValue(counter.value() - 5);
    });
}

void Box1PNDown(App &app, int button)
{
    const CallOn &c = CallOns[button];
    TA7 &a7 = app.A7();
    part<ui::Control>(a7, QLatin1String(c.button)).setTop(part<ui::Control>(a7, QLatin1String(c.partner)).top() + 2);
    ui::Control &lamp = part<ui::Control>(a7, QLatin1String(c.lamp));
    if (!lamp.visible())
        return;
    ui::Edit *entry = app.A1().*(c.entry);
    if (entry->text() == QStringLiteral("Stůj"))
        entry->setText(QStringLiteral("PN"));
    /* The desk's button is sealed again: one permission gives one call-on aspect. */
    auto &desk = part<ui::Image>(app.A6(), QLatin1String(c.desk));
    desk.assignPicture(*app.A3().Tl2);
    desk.setTransparent(false);
    desk.setTop(desk.top() - 2);
    lamp.hide();
}

void Box1PNUp(App &app, int button)
{
    const CallOn &c = CallOns[button];
    TA7 &a7 = app.A7();
    part<ui::Control>(a7, QLatin1String(c.button)).setTop(part<ui::Control>(a7, QLatin1String(c.partner)).top());
    ui::Edit *entry = app.A1().*(c.entry);
    if (entry->text() == QStringLiteral("PN"))
        entry->setText(QStringLiteral("Stůj"));
}

void Box1DNClick(App &app)
{
    TA7 &a7 = app.A7();
    auto &dn = part<ui::Image>(a7, "DN");
    ui::Control &lamp = part<ui::Control>(a7, "DN2");
    if (!lamp.visible()) {
        lamp.show();
        dn.assignPicture(*app.A3().RadicP2);
        dn.setTop(dn.top() + 1);
    } else {
        lamp.hide();
        dn.assignPicture(*app.A3().Radic0);
        dn.setTop(dn.top() - 1);
    }
}

} // namespace devices
