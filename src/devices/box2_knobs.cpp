/** @file box2_knobs.cpp Box 2's signal knob, route locks, shunting-signal knobs and point controllers. */
#include "core/sounds.h"
#include "devices/box2_parts.h"
#include "devices/form_a3.h"

namespace devices::box2 {

namespace {

/** One knob: its place in the middle, which turns it has, its drag threshold and its error codes. */
struct KnobEntry {
    const char *name;                 ///< Image on A8.
    int middle;                       ///< Left in the middle; right is 4 px less, left 19 px less.
    bool hasRight;                    ///< It has a right position.
    bool hasLeft;                     ///< It has a left position.
    ui::SpinEdit *TA1::*threshold;    ///< Drag threshold in pixels.
    const char *code;                 ///< Error code without its event suffix, "Error A8NCH".
    bool sounds;                      ///< Its turns click (signal knob and route locks).
};

const KnobEntry Knobs[KnobCount] = {
    {"NavCH", 2056, true, true, &TA1::NavCH, "Error A8NCH", true},
    {"I1", 982, true, true, &TA1::Zavernik21, "Error A8I1", true},
    {"I4", 1078, true, true, &TA1::Zavernik22, "Error A8I4", true},
    {"I7", 1174, false, true, &TA1::Zavernik23, "Error A8I7", true},
    {"IK", 1654, true, false, &TA1::Zavernik24, "Error A8IK", true},
    {"IA", 1318, true, true, &TA1::Se21, "Error A8IA", false},
    {"ID", 1414, true, true, &TA1::Se22, "Error A8ID", false},
    {"IH", 1510, true, true, &TA1::Se23, "Error A8IH", false},
    {"IO", 1419, true, true, &TA1::Radic1, "Error A8IO", false},
    {"IR", 1515, true, true, &TA1::Radic2, "Error A8IR", false},
    {"IV", 1611, true, true, &TA1::Radic3, "Error A8IV", false},
    {"IY", 1707, true, true, &TA1::Radic4, "Error A8Ra4", false},
};

/** A step of a knob between two of its positions. */
enum class Step { MiddleToRight, MiddleToLeft, RightToMiddle, LeftToMiddle };

const KnobEntry &knobEntry(Knob k)
{
    return Knobs[static_cast<int>(k)];
}

/** @return whether the part of box 2 stands at this Left. */
bool at(const App &app, const char *part, int left)
{
    return leftOf(app, part) == left;
}

const QString Stuj = QStringLiteral("Stůj");
const QString Volno = QStringLiteral("Volno");
const QString Vystraha = QStringLiteral("Výstraha");
const QString V40Volno = QStringLiteral("40 a volno");
const QString V40Vystraha = QStringLiteral("40 a výstraha");
const QString V40_40 = QStringLiteral("40 a 40");
const QString PosunDovolen = QStringLiteral("Posun dovolen");

/* The signal knob. */

/** Entry signal S cleared by the knob turned right: its word by the route and the routes meeting it. */
void clearEntry(App &app)
{
    TA1 &a1 = app.A1();
    if (a1.C09->text() != Stuj)
        return;
    a1.C09->setText(a1.CestaC->value() == 1 ? Vystraha : V40Vystraha);
    if (a1.CestaA->value() == a1.CestaC->value()) {
        if (a1.C34->text() == Volno)
            a1.C09->setText(Volno);
        for (ui::Edit *exit : {a1.C37, a1.C40, a1.C43, a1.C46})
            if (exit->text() == V40Volno)
                a1.C09->setText(V40_40);
    }
    if (a1.CestaB->value() == a1.CestaC->value()) {
        if (a1.C34->text() == V40Volno)
            a1.C09->setText(V40_40);
        if (a1.C40->text() == Volno)
            a1.C09->setText(V40Volno);
        if (a1.C43->text() == V40Volno)
            a1.C09->setText(V40_40);
        if (a1.C46->text() == V40Volno)
            a1.C09->setText(V40_40);
    }
}

/** Entry signal S back to "Stůj" when it shows a proceed aspect; "PN" and "Porucha" stay. */
void restoreEntry(App &app)
{
    ui::Edit *s = app.A1().C09;
    for (const QString &word : {Volno, Vystraha, V40Volno, V40Vystraha, V40_40})
        if (s->text() == word) {
            s->setText(Stuj);
            return;
        }
}

/** A change of one aspect word: the word it needs and the word it gets. */
struct Change {
    ui::Edit *TA1::*signal;
    const char *from;
    const char *to;
};

/** The exit towards line C from one station track: its signals and the entries of lines A and B into it. */
struct ExitRoute {
    int track;
    Change exits[2];   ///< Exit signals; a null signal is none.
    Change lineA;      ///< Entry signal L, when line A's route ends on the same track.
    Change lineB;      ///< Entry signal ML, when line B's route ends there; a null signal is none.
};

const ExitRoute ExitRoutes[5] = {
    {1, {{&TA1::C19, "Stůj", "Volno"}, {&TA1::C16, "Stůj", "Volno"}}, {&TA1::C03, "40 a výstraha", "40 a volno"},
     {&TA1::C06, "40 a výstraha", "40 a volno"}},
    {2, {{&TA1::C22, "Stůj", "40 a volno"}, {&TA1::C16, "Stůj", "Volno"}}, {&TA1::C03, "40 a výstraha", "40 a 40"},
     {nullptr, nullptr, nullptr}},
    {3, {{&TA1::C25, "Stůj", "40 a volno"}, {nullptr, nullptr, nullptr}}, {&TA1::C03, "40 a výstraha", "40 a 40"},
     {&TA1::C06, "Výstraha", "40 a 40"}},
    {5, {{&TA1::C28, "Stůj", "40 a volno"}, {nullptr, nullptr, nullptr}}, {&TA1::C03, "40 a výstraha", "40 a 40"},
     {&TA1::C06, "40 a výstraha", "40 a 40"}},
    {7, {{&TA1::C31, "Stůj", "40 a volno"}, {nullptr, nullptr, nullptr}}, {&TA1::C03, "40 a výstraha", "40 a 40"},
     {&TA1::C06, "40 a výstraha", "40 a 40"}},
};

/** Applies a change, or its reverse when restoring. */
void apply(TA1 &a1, const Change &c, bool restore)
{
    if (!c.signal)
        return;
    const QString from = QString::fromUtf8(restore ? c.to : c.from);
    const QString to = QString::fromUtf8(restore ? c.from : c.to);
    replaceWord(a1.*c.signal, from, to);
}

/** The exit signals of line C's route cleared (restore false) or set back (restore true). */
void switchExit(App &app, bool restore)
{
    TA1 &a1 = app.A1();
    const int track = a1.CestaC->value();
    for (const ExitRoute &r : ExitRoutes) {
        if (r.track != track)
            continue;
        for (const Change &c : r.exits)
            apply(a1, c, restore);
        if (a1.CestaA->value() == track)
            apply(a1, r.lineA, restore);
        if (a1.CestaB->value() == track)
            apply(a1, r.lineB, restore);
    }
}

/* Shunting-signal knobs. */

/** @return the aspect word of the shunting signal a knob works on its side. */
ui::Edit *shuntingSignal(const TA1 &a1, Knob k, bool right)
{
    switch (k) {
    case Knob::IA: return right ? a1.C31 : a1.C16;
    case Knob::ID: return right ? a1.C25 : a1.C28;
    default: return right ? a1.C22 : a1.C19;
    }
}

/* Point controllers. */

/** A point controller's motor: its section, points field, end lamps and motor number. */
struct Controller {
    ui::Edit *TA1::*section;
    ui::SpinEdit *TA1::*points;
    const char *green;
    const char *yellow;
    int motor;
};

Controller controller(Knob k)
{
    switch (k) {
    case Knob::IR: return {&TA1::KO11, &TA1::Vymena11, "V11Zelena", "V11Zluta", 11};
    case Knob::IV: return {&TA1::KO12, &TA1::Vymena12, "V12Zelena", "V12Zluta", 12};
    default: return {&TA1::KO13, &TA1::Vymena13, "V13Zelena", "V13Zluta", 13};
    }
}

/**
 * A controller turned from the middle to a side commands its points: with
 * the section free, the lamp of the end they leave goes out and the motor
 * starts, or, with the cut-out in, points standing at that end move one step off it.
 */
void commandPoints(App &app, Knob k, bool right)
{
    if (k == Knob::IO)
        return;
    TA1 &a1 = app.A1();
    const Controller c = controller(k);
    if ((a1.*c.section)->text() != QStringLiteral("Volná"))
        return;
    a8(app, QLatin1String(right ? c.green : c.yellow)).hide();
    if (cutOutOut(app))
        startMotor(app, c.motor);
    else if (cutOutIn(app))
        pushOffEnd(a1.*c.points, right ? 10 : -10);
}

/* The interlocking of the knobs. */

/** @return whether a knob may be moved at all now. */
bool wholeMove(const App &app, Knob k)
{
    switch (k) {
    case Knob::I1:
        return at(app, "IA", 1318) && at(app, "ID", 1414) && at(app, "IK", 1654) && at(app, "IY", 1688);
    case Knob::I4:
        return at(app, "IA", 1318) && at(app, "ID", 1414) && at(app, "IY", 1703);
    case Knob::IA:
    case Knob::ID:
        return at(app, "I1", 982) && at(app, "I4", 1078) && at(app, "I7", 1174);
    case Knob::IO:
        return at(app, "I1", 982);
    default:
        return true;
    }
}

/** @return whether the route lock of line C is back at rest, which every route lock's return needs. */
bool routeLockAtRest(const App &app)
{
    return app.A1().ZavCHSt->value() == 1;
}

/** @return whether this step of the knob is allowed now. */
bool mayStep(const App &app, Knob k, Step s)
{
    const TA1 &a1 = app.A1();
    switch (k) {
    case Knob::NavCH:
        if (s == Step::MiddleToRight)
            return a1.NavCHOdSt->value() == 6 && a1.HrCHOd->value() == 1;
        if (s == Step::MiddleToLeft)
            return a1.NavCHDoSt->value() == 6 && a1.HrCHDo->value() == 1;
        return true;
    case Knob::I1:
        if (s == Step::MiddleToRight)
            return !at(app, "IH", 1491) && at(app, "IO", 1400);
        if (s == Step::MiddleToLeft)
            return at(app, "IH", 1510) && at(app, "IO", 1415);
        return routeLockAtRest(app);
    case Knob::I4:
        if (s == Step::MiddleToRight)
            return at(app, "IR", 1496) && at(app, "IV", 1607);
        if (s == Step::MiddleToLeft)
            return at(app, "IV", 1592);
        return routeLockAtRest(app);
    case Knob::I7:
        if (s == Step::MiddleToLeft)
            return at(app, "IA", 1318) && at(app, "ID", 1414) && at(app, "IR", 1511) && at(app, "IV", 1607)
                   && at(app, "IY", 1703);
        return routeLockAtRest(app);
    case Knob::IK:
        if (s == Step::MiddleToRight)
            return at(app, "I1", 982) && !at(app, "IH", 1491) && at(app, "IO", 1400) && a1.SouLc1St->value() == 5;
        return a1.SouLc1St->value() == 1;
    case Knob::IH:
        if (s == Step::MiddleToRight)
            return !at(app, "I1", 963);
        if (s == Step::MiddleToLeft)
            return at(app, "I1", 982) && at(app, "IK", 1654);
        return true;
    case Knob::IO:
        return s != Step::LeftToMiddle || at(app, "IK", 1654);
    case Knob::IR:
        if (s == Step::RightToMiddle)
            return at(app, "I7", 1174);
        return s != Step::LeftToMiddle || !at(app, "I4", 1074);
    case Knob::IV:
        if (s == Step::RightToMiddle)
            return at(app, "I4", 1078) && at(app, "I7", 1174);
        return s != Step::LeftToMiddle || !at(app, "I4", 1059);
    case Knob::IY:
        if (s == Step::RightToMiddle)
            return at(app, "I4", 1078) && at(app, "I7", 1174);
        return s != Step::LeftToMiddle || at(app, "I1", 982);
    default:
        return true;
    }
}

/** Hides the route label that a route lock's return takes back. */
void hideRouteLabel(App &app, Knob k, Step s)
{
    const char *label = nullptr;
    if (k == Knob::I1)
        label = s == Step::RightToMiddle ? "CisloCH1" : "CisloCH2";
    else if (k == Knob::I4)
        label = s == Step::RightToMiddle ? "CisloCH5" : "CisloCH3";
    else if (k == Knob::I7)
        label = "CisloCH7";
    if (label)
        a8(app, QLatin1String(label)).hide();
}

/** What a step writes once the knob has turned. */
void afterStep(App &app, Knob k, Step s)
{
    const bool away = s == Step::MiddleToRight || s == Step::MiddleToLeft;
    const bool right = s == Step::MiddleToRight || s == Step::RightToMiddle;
    switch (k) {
    case Knob::NavCH:
        if (s == Step::MiddleToRight)
            clearEntry(app);
        else if (s == Step::RightToMiddle)
            restoreEntry(app);
        else if (s == Step::MiddleToLeft) {
            if (app.A1().TSCH->value() == 1)
                switchExit(app, false);
        } else
            switchExit(app, true);
        return;
    case Knob::I1:
    case Knob::I4:
    case Knob::I7:
        if (!away)
            hideRouteLabel(app, k, s);
        return;
    case Knob::IA:
    case Knob::ID:
    case Knob::IH: {
        ui::Edit *signal = shuntingSignal(app.A1(), k, right);
        if (away)
            replaceWord(signal, Stuj, PosunDovolen);
        else
            replaceWord(signal, PosunDovolen, Stuj);
        return;
    }
    case Knob::IO:
    case Knob::IR:
    case Knob::IV:
    case Knob::IY:
        if (away)
            commandPoints(app, k, right);
        return;
    default:
        return;
    }
}

/** Turns the knob's picture and place to a position: 0 middle, 1 right, 2 left. */
void setPosition(App &app, Knob k, int position)
{
    const KnobEntry &ks = knobEntry(k);
    const TA3 &a3 = app.A3();
    auto &img = a8<ui::Image>(app, QLatin1String(ks.name));
    const ui::Image *pictures[3] = {a3.Klicka0, a3.KlickaP, a3.KlickaL};
    img.assignPicture(*pictures[position]);
    img.setLeft(ks.middle - (position == 1 ? 4 : position == 2 ? 19 : 0));
}

/** Tries one step of the drag towards the right (or the left): away from the middle or back to it. */
void tryStep(App &app, Knob k, bool towardsRight)
{
    const KnobEntry &ks = knobEntry(k);
    const int left = leftOf(app, ks.name);
    Step s;
    int position;
    if (left == ks.middle && (towardsRight ? ks.hasRight : ks.hasLeft)) {
        s = towardsRight ? Step::MiddleToRight : Step::MiddleToLeft;
        position = towardsRight ? 1 : 2;
    } else if (left == ks.middle - (towardsRight ? 19 : 4)) {
        s = towardsRight ? Step::LeftToMiddle : Step::RightToMiddle;
        position = 0;
    } else {
        return;
    }
    if (!mayStep(app, k, s))
        return;
    setPosition(app, k, position);
    if (ks.sounds)
        core::playSound(app, app.A1().SndZavernik);
    afterStep(app, k, s);
}

} // namespace

QString knobName(Knob knob)
{
    return QLatin1String(knobEntry(knob).name);
}

void KnobMouseDown(App &app, Knob knob, int x)
{
    ui::guarded(app.A8(), QLatin1String(knobEntry(knob).code) + "-A", [&] {
        if (knob == Knob::NavCH && app.A1().ZavCHSt->value() != 5)
            return;
        DragState &d = dragState(app);
        d.knob[static_cast<int>(knob)] = true;
        d.x0 = x;
    });
}

void KnobMouseMove(App &app, Knob knob, int x)
{
    ui::guarded(app.A8(), QLatin1String(knobEntry(knob).code) + "-B", [&] {
        DragState &d = dragState(app);
        if (!d.knob[static_cast<int>(knob)] || !wholeMove(app, knob))
            return;
        const int t = (app.A1().*knobEntry(knob).threshold)->value();
        if (x > d.x0 + t) {
            /* The origin moves whether or not the knob turned; a failing step leaves it where it was. */
            tryStep(app, knob, true);
            d.x0 = x;
        } else if (x < d.x0 - t) {
            tryStep(app, knob, false);
            d.x0 = x;
        }
    });
}

void KnobMouseUp(App &app, Knob knob)
{
    ui::guarded(app.A8(), QLatin1String(knobEntry(knob).code) + "-C",
                [&] { dragState(app).knob[static_cast<int>(knob)] = false; });
}

} // namespace devices::box2
