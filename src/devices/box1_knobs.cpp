/** @file box1_knobs.cpp Signal box 1's signal knobs, shunting-signal knobs and route locks. */
#include "core/app.h"
#include "core/form_a1.h"
#include "core/sounds.h"
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

const QString Stuj = QStringLiteral("Stůj");
const QString PosunDovolen = QStringLiteral("Posun dovolen");

/** One knob of the row: its name, rest Left, threshold cell and the letters of its error codes. */
struct KnobSpec {
    const char *name;
    int rest;
    ui::SpinEdit *TA1::*threshold;
    const char *code; ///< "NB" for "Error A7NB-A".
};

const KnobSpec Knobs[KnobCount] = {
    {"NavB", 282, &TA1::NavB, "NB"},           {"NavM", 667, &TA1::NavM, "NM"},
    {"Se1", 1079, &TA1::Se11, "Se1"},          {"Se2", 1175, &TA1::Se12, "Se2"},
    {"Se3", 1271, &TA1::Se13, "Se3"},          {"Zavernik1", 1559, &TA1::Zavernik11, "Zav1"},
    {"Zavernik2", 1655, &TA1::Zavernik12, "Zav2"}, {"Zavernik3", 1751, &TA1::Zavernik13, "Zav3"},
    {"Zavernik4", 1847, &TA1::Zavernik14, "Zav4"}, {"Zavernik5", 1943, &TA1::Zavernik15, "Zav5"},
    {"Zavernik6", 2039, &TA1::Zavernik16, "Zav6"},
};

/** Shifts of a turned knob's Left from its rest. */
constexpr int RightShift = 4, LeftShift = 19;

/** Writes `to` into an aspect word only while it reads exactly `from`. */
void replaceWord(ui::Edit *word, const QString &from, const QString &to)
{
    if (word->text() == from)
        word->setText(to);
}

/** An exit towards a line: the exit signal of a track, its proceed word, and how the entry S is raised with it. */
struct ExitRow {
    int track;
    ui::Edit *TA1::*exit;
    const char *proceed;
    const char *entryBefore; ///< S (`C09`) before the raise.
    const char *entryRaised; ///< S after it.
};

const ExitRow ExitsA[] = {
    {1, &TA1::C34, "Volno", "Výstraha", "Volno"},
    {2, &TA1::C37, "40 a volno", "40 a výstraha", "40 a 40"},
    {3, &TA1::C40, "40 a volno", "40 a výstraha", "40 a 40"},
    {5, &TA1::C43, "40 a volno", "40 a výstraha", "40 a 40"},
    {7, &TA1::C46, "40 a volno", "40 a výstraha", "40 a 40"},
};
const ExitRow ExitsB[] = {
    {1, &TA1::C34, "40 a volno", "Výstraha", "40 a 40"},
    {3, &TA1::C40, "Volno", "40 a výstraha", "40 a volno"},
    {5, &TA1::C43, "40 a volno", "40 a výstraha", "40 a 40"},
    {7, &TA1::C46, "40 a volno", "40 a výstraha", "40 a 40"},
};

/** @return the row of the route's track, or null when the line has no exit from it. */
template <size_t N> const ExitRow *exitRow(const ExitRow (&rows)[N], int track)
{
    for (const ExitRow &r : rows)
        if (r.track == track)
            return &r;
    return nullptr;
}

/**
 * Clears the exit of the line's route (back = false) or sets it back
 * (back = true): the exit signal between "Stůj" and its proceed word, and,
 * when line C's route ends on the same track, the entry signal S raised
 * or lowered with it.
 */
template <size_t N> void setExit(TA1 &a1, const ExitRow (&rows)[N], int track, bool back)
{
    const ExitRow *r = exitRow(rows, track);
    if (!r)
        return;
    const QString proceed = QString::fromUtf8(r->proceed);
    const QString before = QString::fromUtf8(r->entryBefore), raised = QString::fromUtf8(r->entryRaised);
    if (back)
        replaceWord(a1.*(r->exit), proceed, Stuj);
    else
        replaceWord(a1.*(r->exit), Stuj, proceed);
    if (a1.CestaC->value() == track) {
        if (back)
            replaceWord(a1.C09, raised, before);
        else
            replaceWord(a1.C09, before, raised);
    }
}

/** An entry signal back to "Stůj" from any of its proceed words; "PN" and "Porucha" stay. */
void entryBack(ui::Edit *entry)
{
    static const QStringList Proceed{QStringLiteral("Volno"), QStringLiteral("Výstraha"),
                                     QStringLiteral("40 a volno"), QStringLiteral("40 a výstraha"),
                                     QStringLiteral("40 a 40")};
    if (Proceed.contains(entry->text()))
        entry->setText(Stuj);
}

/** One far exit signal that raises the entry of a through route: when it reads `far`, the entry becomes `entry`. */
struct ThroughRow {
    ui::Edit *TA1::*exit;
    const char *far;
    const char *entry;
};

/** Clears entry signal L from line A: "40 a výstraha", raised along a through route to line C. */
void entryL(TA1 &a1)
{
    if (a1.C03->text() != Stuj)
        return;
    a1.C03->setText(QStringLiteral("40 a výstraha"));
    if (a1.CestaA->value() != a1.CestaC->value())
        return;
    static const ThroughRow Through[] = {{&TA1::C19, "Volno", "40 a volno"}, {&TA1::C22, "40 a volno", "40 a 40"},
                                         {&TA1::C25, "40 a volno", "40 a 40"}, {&TA1::C28, "40 a volno", "40 a 40"},
                                         {&TA1::C31, "40 a volno", "40 a 40"}};
    for (const ThroughRow &t : Through)
        if ((a1.*(t.exit))->text() == QString::fromUtf8(t.far))
            a1.C03->setText(QString::fromUtf8(t.entry));
}

/** Clears entry signal ML from line B: "Výstraha" into track 3, else "40 a výstraha", raised along a through route. */
void entryML(TA1 &a1)
{
    if (a1.C06->text() != Stuj)
        return;
    a1.C06->setText(QStringLiteral("40 a výstraha"));
    if (a1.CestaB->value() == 3)
        a1.C06->setText(QStringLiteral("Výstraha"));
    if (a1.CestaB->value() != a1.CestaC->value())
        return;
    static const ThroughRow Through[] = {{&TA1::C19, "Volno", "40 a volno"}, {&TA1::C25, "40 a volno", "40 a 40"},
                                         {&TA1::C28, "40 a volno", "40 a 40"}, {&TA1::C31, "40 a volno", "40 a 40"}};
    for (const ThroughRow &t : Through)
        if ((a1.*(t.exit))->text() == QString::fromUtf8(t.far))
            a1.C06->setText(QString::fromUtf8(t.entry));
}

/** Line B's exit: the aspects change only while Struhy's consent lamps PSM and VTM are lit, and VTM goes out. */
void exitLineB(App &app)
{
    TA1 &a1 = app.A1();
    const TA6 &a6 = app.A6();
    if (!part<ui::Control>(a6, "PSM").visible() || !part<ui::Control>(a6, "VTM").visible())
        return;
    part<ui::Control>(a6, "VTM").hide();
    part<ui::Control>(a6, "VOM").hide();
    a1.VTM->hide();
    setExit(a1, ExitsB, a1.CestaB->value(), false);
}

/* Conditions of the row, by the places of the knobs and levers. */

bool rest(const TA7 &a7, Box1Knob k)
{
    return atRest(a7, k);
}
bool turnedRight(const TA7 &a7, Box1Knob k)
{
    return turned(a7, k, KnobPosition::Right);
}
bool turnedLeft(const TA7 &a7, Box1Knob k)
{
    return turned(a7, k, KnobPosition::Left);
}
bool z(const TA7 &a7, int lever, const char *text)
{
    return lockText(a7, lever) == QLatin1String(text);
}

/** @return whether the knob may move at all (both turns and returns). */
bool mayMove(const TA7 &a7, Box1Knob k)
{
    switch (k) {
    case KnobSe1: return allAtRest(a7, {Lock2, Lock3, Lock4, Lock5, Lock6});
    case KnobSe2: return allAtRest(a7, {Lock2, Lock3, Lock4});
    case Lock1: return rest(a7, KnobSe3);
    case Lock2: return allAtRest(a7, {KnobSe1, KnobSe2, KnobSe3});
    case Lock5: return rest(a7, KnobSe1) && !turnedLeft(a7, KnobSe2);
    default: return true;
    }
}

/** @return whether the knob, at rest, may turn right. */
bool mayTurnRight(const App &app, Box1Knob k)
{
    const TA1 &a1 = app.A1();
    const TA7 &a7 = app.A7();
    switch (k) {
    case KnobNavB: return a1.NavBDoSt->value() == 6 && a1.HrBDo->value() == 1;
    case KnobNavM: return a1.NavMDoSt->value() == 6 && a1.HrMDo->value() == 1;
    case KnobSe1: return true;
    case KnobSe2: return !turnedRight(a7, Lock1);
    case Lock1:
        return !turnedRight(a7, KnobSe2) && z(a7, 3, "Z+") && leverDown(a7, 4) && z(a7, 7, "Z+") && leverDown(a7, 11);
    case Lock2: return z(a7, 3, "Z-") && leverDown(a7, 6) && leverUp(a7, 8) && leverUp(a7, 10) && leverDown(a7, 11);
    case Lock4: return allAtRest(a7, {KnobSe1, KnobSe2}) && z(a7, 3, "Z+") && z(a7, 7, "Z-") && leverDown(a7, 8);
    case Lock5: return z(a7, 3, "Z+") && leverDown(a7, 6) && leverUp(a7, 8) && leverUp(a7, 10);
    default: return false; // Se3, locks 3 and 6 never turn right
    }
}

/** @return whether the knob, at rest, may turn left. */
bool mayTurnLeft(const App &app, Box1Knob k)
{
    const TA1 &a1 = app.A1();
    const TA7 &a7 = app.A7();
    switch (k) {
    case KnobNavB: return a1.NavBOdSt->value() == 6 && a1.HrBOd->value() == 1;
    case KnobNavM: return a1.NavMOdSt->value() == 6 && a1.HrMOd->value() == 1;
    case KnobSe1: return true;
    case KnobSe2: return allAtRest(a7, {Lock5, Lock6});
    case KnobSe3: return allAtRest(a7, {Lock1, Lock2, Lock3});
    case Lock1: return z(a7, 3, "Z+") && leverUp(a7, 4) && leverDown(a7, 11);
    case Lock2:
        return z(a7, 3, "Z-") && leverDown(a7, 5) && leverDown(a7, 6) && leverDown(a7, 8) && leverDown(a7, 11);
    case Lock3:
        return allAtRest(a7, {KnobSe1, KnobSe2, KnobSe3}) && z(a7, 3, "Z-") && leverDown(a7, 6) && leverUp(a7, 8)
               && leverDown(a7, 10) && leverDown(a7, 11);
    case Lock5: return z(a7, 3, "Z+") && z(a7, 7, "Z+") && leverDown(a7, 9);
    case Lock6:
        return rest(a7, KnobSe1) && !turnedLeft(a7, KnobSe2) && z(a7, 3, "Z+") && leverDown(a7, 6) && leverUp(a7, 8)
               && leverDown(a7, 10);
    default: return false; // lock 4 never turns left
    }
}

/** @return whether a route lock may come back: its line's box route field must be free (1). */
bool mayReturn(const App &app, Box1Knob k)
{
    if (k < Lock1)
        return true;
    const TA1 &a1 = app.A1();
    return (k <= Lock3 ? a1.ZavBSt : a1.ZavMSt)->value() == 1;
}

/** The route labels a route lock hides on its return: from the right, from the left. */
const char *const ReturnLabels[6][2] = {{"CisloB1", "CisloB2"}, {"CisloB5", "CisloB3"}, {nullptr, "CisloB7"},
                                        {"CisloM1", nullptr},       {"CisloM5", "CisloM3"}, {nullptr, "CisloM7"}};

/** Sets the knob's picture and place for a position; signal knobs and route locks sound. */
void place(App &app, Box1Knob k, KnobPosition to)
{
    const TA3 &a3 = app.A3();
    ui::Image &img = box1Knob(app.A7(), k);
    const int rest = Knobs[k].rest;
    if (to == KnobPosition::Right) {
        img.assignPicture(*a3.KlickaP);
        img.setLeft(rest - RightShift);
    } else if (to == KnobPosition::Left) {
        img.assignPicture(*a3.KlickaL);
        img.setLeft(rest - LeftShift);
    } else {
        img.assignPicture(*a3.Klicka0);
        img.setLeft(rest);
    }
    if (k <= KnobNavM || k >= Lock1)
        core::playSound(app, app.A1().SndZavernik);
}

/** The shunting signal a shunting knob works on each side, or null. */
ui::Edit *shuntSignal(TA1 &a1, Box1Knob k, KnobPosition side)
{
    const bool right = side == KnobPosition::Right;
    switch (k) {
    case KnobSe1: return right ? a1.C43 : a1.C46;
    case KnobSe2: return right ? a1.C34 : a1.C40;
    case KnobSe3: return right ? nullptr : a1.C37;
    default: return nullptr;
    }
}

/** A knob turned from rest to a side: the knob moves, then its signals. */
void turn(App &app, Box1Knob k, KnobPosition side)
{
    place(app, k, side);
    TA1 &a1 = app.A1();
    const bool right = side == KnobPosition::Right;
    switch (k) {
    case KnobNavB:
        if (right)
            setExit(a1, ExitsA, a1.CestaA->value(), false);
        else
            entryL(a1);
        break;
    case KnobNavM:
        if (right)
            exitLineB(app);
        else
            entryML(a1);
        break;
    case KnobSe1:
    case KnobSe3:
        replaceWord(shuntSignal(a1, k, side), Stuj, PosunDovolen);
        break;
    case KnobSe2:
        /* S1 is a shunting signal only while route lock 1 is at rest. */
        if (!right || rest(app.A7(), Lock1))
            replaceWord(shuntSignal(a1, k, side), Stuj, PosunDovolen);
        break;
    case Lock1:
        if (!right)
            replaceWord(a1.C34, PosunDovolen, Stuj);
        break;
    default:
        break;
    }
}

/** A knob brought back to rest from a side. */
void back(App &app, Box1Knob k, KnobPosition from)
{
    place(app, k, KnobPosition::Rest);
    TA1 &a1 = app.A1();
    TA7 &a7 = app.A7();
    const bool right = from == KnobPosition::Right;
    switch (k) {
    case KnobNavB:
        if (right)
            setExit(a1, ExitsA, a1.CestaA->value(), true);
        else
            entryBack(a1.C03);
        break;
    case KnobNavM:
        if (right)
            setExit(a1, ExitsB, a1.CestaB->value(), true);
        else
            entryBack(a1.C06);
        break;
    case KnobSe1:
    case KnobSe2:
    case KnobSe3:
        replaceWord(shuntSignal(a1, k, from), PosunDovolen, Stuj);
        break;
    default: {
        if (const char *label = ReturnLabels[k - Lock1][right ? 0 : 1])
            part<ui::Control>(a7, QLatin1String(label)).hide();
        if (k == Lock1 && !right && turnedRight(a7, KnobSe2))
            replaceWord(a1.C34, Stuj, PosunDovolen);
        break;
    }
    }
}

QString code(Box1Knob k, char event)
{
    return QStringLiteral("Error A7%1-%2").arg(QLatin1String(Knobs[k].code)).arg(QLatin1Char(event));
}

} // namespace

ui::Image &box1Knob(const TA7 &a7, Box1Knob knob)
{
    return part<ui::Image>(a7, QLatin1String(Knobs[knob].name));
}

int box1KnobRest(Box1Knob knob)
{
    return Knobs[knob].rest;
}

KnobPosition box1KnobPosition(const TA7 &a7, Box1Knob knob)
{
    const int left = box1Knob(a7, knob).left(), rest = Knobs[knob].rest;
    if (left == rest)
        return KnobPosition::Rest;
    if (left == rest - RightShift)
        return KnobPosition::Right;
    if (left == rest - LeftShift)
        return KnobPosition::Left;
    return KnobPosition::Other;
}

bool atRest(const TA7 &a7, Box1Knob knob)
{
    return box1KnobPosition(a7, knob) == KnobPosition::Rest;
}

bool allAtRest(const TA7 &a7, std::initializer_list<Box1Knob> knobs)
{
    for (Box1Knob k : knobs)
        if (!atRest(a7, k))
            return false;
    return true;
}

bool turned(const TA7 &a7, Box1Knob knob, KnobPosition side)
{
    return box1KnobPosition(a7, knob) == side;
}

ui::Image &leverHead(const TA7 &a7, int n)
{
    return part<ui::Image>(a7, QStringLiteral("Paka%1b").arg(n));
}

ui::Image &leverBase(const TA7 &a7, int n)
{
    return part<ui::Image>(a7, QStringLiteral("Paka%1c").arg(n));
}

bool leverDown(const TA7 &a7, int n)
{
    return leverHead(a7, n).top() == leverBase(a7, n).top() + 147;
}

bool leverUp(const TA7 &a7, int n)
{
    return leverHead(a7, n).top() == leverBase(a7, n).top() - 291;
}

QString lockText(const TA7 &a7, int lever)
{
    return part<ui::Edit>(a7, QStringLiteral("Paka%1e").arg(lever)).text();
}

void Box1KnobDown(App &app, Box1Knob knob, int x)
{
    ui::guarded(app.A7(), code(knob, 'A'), [&] {
        const TA1 &a1 = app.A1();
        if (knob == KnobNavB && a1.ZavBSt->value() != 5)
            return;
        if (knob == KnobNavM && a1.ZavMSt->value() != 5)
            return;
        Box1State &s = app.A7().box1;
        s.knobDragging[knob] = true;
        s.knobOrigin = x;
    });
}

void Box1KnobMove(App &app, Box1Knob knob, int x)
{
    ui::guarded(app.A7(), code(knob, 'B'), [&] {
        TA7 &a7 = app.A7();
        Box1State &s = a7.box1;
        if (!s.knobDragging[knob] || !mayMove(a7, knob))
            return;
        const int threshold = (app.A1().*(Knobs[knob].threshold))->value();
        if (x > s.knobOrigin + threshold) {
            if (atRest(a7, knob) && mayTurnRight(app, knob))
                turn(app, knob, KnobPosition::Right);
            if (box1KnobPosition(a7, knob) == KnobPosition::Left && mayReturn(app, knob))
                back(app, knob, KnobPosition::Left);
            s.knobOrigin = x;
        }
        if (x < s.knobOrigin - threshold) {
            if (atRest(a7, knob) && mayTurnLeft(app, knob))
                turn(app, knob, KnobPosition::Left);
            if (box1KnobPosition(a7, knob) == KnobPosition::Right && mayReturn(app, knob))
                back(app, knob, KnobPosition::Right);
            s.knobOrigin = x;
        }
    });
}

void Box1KnobUp(App &app, Box1Knob knob)
{
    ui::guarded(app.A7(), code(knob, 'C'), [&] { app.A7().box1.knobDragging[knob] = false; });
}

} // namespace devices
