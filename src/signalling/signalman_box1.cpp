/** @file signalman_box1.cpp The automatic signalmen of signal box 1: line A and line B. */
#include "core/app.h"
#include "core/form_a1.h"
#include "core/option_guard.h"
#include "devices/form_a3.h"
#include "devices/form_a6.h"
#include "devices/form_a7.h"
#include "signalling/signal_panels.h"
#include "signalling/signalling_handlers.h"
#include "signalling/signalman.h"

#include <array>
#include <vector>

namespace signalling {

namespace {

/** How the signalman marks a lock lever of the route. */
enum class Mark {
    None,
    Locked, ///< found in place: base `Paka4` and its text "Z+" (down) or "Z-" (up)
    Thrown, ///< thrown by the signalman: base `Paka4`
};

/** One lever of a route with its wanted position. */
struct LeverStep {
    int lever; ///< 1 .. 11
    bool down;
    Mark mark = Mark::None;
};

/** The levers of one route, in the order the signalman throws them, and the route-lock knob turned last. */
struct LeverRoute {
    int route;
    std::vector<LeverStep> levers;
    int knob; ///< 0 .. 2 among the line's route-lock knobs
    bool right;
};

/** The exit signal that a route clears, its proceed aspect, and the step of line C's entry signal. */
struct ExitRow {
    int route;
    ui::Edit *TA1::*signal;
    const char *proceed;
    AspectStep entryC;
};

/** Everything that tells line A's signalman from line B's. */
struct Box1Line {
    const char *code;
    ui::Timer *TA1::*timer;
    ui::SpinEdit *TA1::*route;
    ui::SpinEdit *TA1::*lockField, *TA1::*entryRelease, *TA1::*entryPassed, *TA1::*exitRelease, *TA1::*exitPassed;
    const char *entryLever, *lockLever, *exitLever;
    const char *signalKnob;
    int knobRest, knobEntry, knobExit; ///< from `A7.Ram`.Left
    int firstRouteKnob;                ///< `Zavernik1` or `Zavernik4`
    int routeKnobRest[3];              ///< from `A7.Ram`.Left
    const char *routeLabels[3][2];
    const char *deskKey;
    int deskKeyLeft;
    ui::Edit *TA1::*entrySignal;
    ui::Edit *TA1::*section;
    const char *tablet;
    std::vector<LeverRoute> routes;
    std::vector<ExitRow> exits;
    /** Exit signals of box 2 that raise this entry to "40 a 40" on a through run. */
    std::vector<ui::Edit *TA1::*> throughExits;
};

constexpr LeverStep D(int lever, Mark mark = Mark::None)
{
    return {lever, true, mark};
}
constexpr LeverStep U(int lever, Mark mark = Mark::None)
{
    return {lever, false, mark};
}
constexpr Mark Lock = Mark::Locked;
constexpr Mark Throw = Mark::Thrown;

const AspectStep WarnTo40And40{"40 a výstraha", "40 a 40"};

const Box1Line LineA{
    "Error 10SigA",
    &TA1::SignalistaA,
    &TA1::CestaA,
    &TA1::ZavBSt,
    &TA1::NavBOdSt,
    &TA1::HrBOd,
    &TA1::NavBDoSt,
    &TA1::HrBDo,
    "PakaNavBOd",
    "PakaZavB",
    "PakaNavBDo",
    "NavB",
    196,
    177,
    192,
    1,
    {1473, 1569, 1665},
    {{"CisloB2", "CisloB1"}, {"CisloB3", "CisloB5"}, {"CisloB7", nullptr}},
    "KlicA",
    357,
    &TA1::C03,
    &TA1::IKA,
    "DestickaA",
    {
        {1, {D(1), D(2), D(3, Lock), D(4), D(5), D(6), D(7, Lock), D(11, Throw)}, 0, true},
        {2, {D(1), D(2), D(3, Lock), U(4), D(11, Throw)}, 0, false},
        {3, {U(1), U(2), U(3, Lock), D(5), D(6), D(8), D(11, Throw)}, 1, false},
        {5, {U(1), U(2), U(3, Lock), D(5), D(6), U(8), U(10), D(11, Throw)}, 1, true},
        {7, {U(1), U(2), U(3, Lock), D(5), D(6), U(8), D(10), D(11, Throw)}, 2, false},
    },
    {
        {1, &TA1::C34, "Volno", {"Výstraha", "Volno"}},
        {2, &TA1::C37, "40 a volno", WarnTo40And40},
        {3, &TA1::C40, "40 a volno", WarnTo40And40},
        {5, &TA1::C43, "40 a volno", WarnTo40And40},
        {7, &TA1::C46, "40 a volno", WarnTo40And40},
    },
    {&TA1::C22, &TA1::C25, &TA1::C28, &TA1::C31},
};

const Box1Line LineB{
    "Error 10SigB",
    &TA1::SignalistaB,
    &TA1::CestaB,
    &TA1::ZavMSt,
    &TA1::NavMOdSt,
    &TA1::HrMOd,
    &TA1::NavMDoSt,
    &TA1::HrMDo,
    "PakaNavMOd",
    "PakaZavM",
    "PakaNavMDo",
    "NavM",
    581,
    562,
    577,
    4,
    {1761, 1857, 1953},
    {{"CisloM1", nullptr}, {"CisloM3", "CisloM5"}, {"CisloM7", nullptr}},
    "KlicB",
    742,
    &TA1::C06,
    &TA1::IKB,
    "DestickaB",
    {
        {1, {D(1), D(2), D(3, Lock), U(4), U(5), U(6), U(7, Lock), D(8)}, 0, true},
        {3, {D(1), D(2), D(3, Lock), D(5), D(6), D(7, Lock), D(8), D(9, Throw)}, 1, false},
        {5, {D(1), D(2), D(3, Lock), D(6), U(8), U(10)}, 1, true},
        {7, {D(1), D(2), D(3, Lock), D(6), U(8), D(10)}, 2, false},
    },
    {
        {1, &TA1::C34, "40 a volno", {"Výstraha", "40 a 40"}},
        {3, &TA1::C40, "Volno", {"40 a výstraha", "40 a volno"}},
        {5, &TA1::C43, "40 a volno", WarnTo40And40},
        {7, &TA1::C46, "40 a volno", WarnTo40And40},
    },
    {&TA1::C25, &TA1::C28, &TA1::C31},
};

/** Writes a lock lever's text field, whether the box made it a label or an edit. */
void writeLockText(ui::Control &field, const QString &text)
{
    if (auto *edit = dynamic_cast<ui::Edit *>(&field))
        edit->setText(text);
    else
        field.setCaption(text);
}

/** A line's devices on box 1, found by name; they stay for the box form's life. */
struct Box1Devices {
    quint64 boxSerial = 0; ///< The box form they were found on; 0: none yet.
    ui::Image *entryLever = nullptr, *lockLever = nullptr, *exitLever = nullptr, *signalKnob = nullptr;
    std::array<ui::Image *, 3> routeKnobs{};
    std::array<QStringList, 3> routeLabels; ///< Labels that go dark with each route-lock knob.
    QString deskKey, tablet;
};

/** @return line's devices on a7, looked up by name only when a7 is another form than last time. */
const Box1Devices &box1Devices(const TA7 &a7, const Box1Line &line)
{
    static std::array<Box1Devices, 2> found;
    Box1Devices &d = found[&line == &LineB ? 1 : 0];
    if (d.boxSerial == a7.serial())
        return d;
    d.entryLever = &imagePart(a7, line.entryLever);
    d.lockLever = &imagePart(a7, line.lockLever);
    d.exitLever = &imagePart(a7, line.exitLever);
    d.signalKnob = &imagePart(a7, line.signalKnob);
    for (int k = 0; k < 3; ++k) {
        d.routeKnobs[k] = &imagePart(a7, QStringLiteral("Zavernik%1").arg(line.firstRouteKnob + k));
        d.routeLabels[k].clear();
        for (const char *label : line.routeLabels[k])
            if (label)
                d.routeLabels[k] << QString::fromLatin1(label);
    }
    d.deskKey = QString::fromLatin1(line.deskKey);
    d.tablet = QString::fromLatin1(line.tablet);
    d.boxSerial = a7.serial();
    return d;
}

/** The signalman of one line of signal box 1. */
class Box1Signalman : public Signalman {
public:
    Box1Signalman(App &app, const Box1Line &line) : Signalman(app), m_line(line)
    {
        TA1 &a1 = *m_a1;
        TA7 &a7 = app.A7();
        const TA3 &a3 = app.A3();
        /* Made for every tick: the box's devices are found once per box. */
        const Box1Devices &devices = box1Devices(a7, line);
        m_timer = a1.*line.timer;
        m_route = a1.*line.route;
        m_lockField = a1.*line.lockField;
        m_entryRelease = a1.*line.entryRelease;
        m_entryPassed = a1.*line.entryPassed;
        m_exitRelease = a1.*line.exitRelease;
        m_exitPassed = a1.*line.exitPassed;
        m_crank = a1.ZaverSt1;
        m_crankSound = a1.SndZaverSt1;
        m_tabletSound = a1.SndDestickaSt1;
        m_box = &a7;
        m_entryLever = devices.entryLever;
        m_lockLever = devices.lockLever;
        m_exitLever = devices.exitLever;
        m_lockLeverRest = a7.Blok->top() + 341;
        const int ram = a7.Ram->left();
        m_signalKnob = devices.signalKnob;
        m_knobRest = ram + line.knobRest;
        m_knobEntry = ram + line.knobEntry;
        m_knobExit = ram + line.knobExit;
        m_entryPicture = a3.KlickaL;
        m_exitPicture = a3.KlickaP;
        for (int k = 0; k < 3; ++k) {
            RouteKnob &rk = m_routeKnobs[k];
            rk.knob = devices.routeKnobs[k];
            rk.rest = ram + line.routeKnobRest[k];
            rk.labels = devices.routeLabels[k];
        }
        m_deskKey = devices.deskKey;
        m_deskKeyLeft = line.deskKeyLeft;
        m_entrySignal = a1.*line.entrySignal;
        m_tablet = devices.tablet;
    }

protected:
    void setRouteStep() override;
    bool endWhenRouteTakenBack() override;
    void fieldsAtRest() override;
    bool lineClear() const override { return (m_a1->*m_line.section)->text() == QStringLiteral("Volná"); }
    bool exitAllowed() const override;
    void exitKnobTurned() override;
    const char *entryAspect() const override;
    void raiseEntry() override;
    void stepExit(bool clear) override;

private:
    bool lineB() const { return &m_line == &LineB; }
    /** @return whether a lever stands where the step wants it; marks a lock lever found in place. */
    bool leverInPlace(const LeverStep &step) const;
    void throwLever(const LeverStep &step);

    const Box1Line &m_line;
};

bool Box1Signalman::leverInPlace(const LeverStep &step) const
{
    const TA7 &a7 = m_app.A7();
    const QString n = QString::number(step.lever);
    const int base = imagePart(a7, "Paka" + n + "c").top();
    const int wanted = step.down ? base + 147 : base - 291;
    if (imagePart(a7, "Paka" + n + "b").top() != wanted)
        return false;
    if (step.mark == Mark::Locked) {
        imagePart(a7, "Paka" + n + "c").assignPicture(*m_app.A3().Paka4);
        writeLockText(part<ui::Control>(a7, "Paka" + n + "e"), step.down ? QStringLiteral("Z+") : QStringLiteral("Z-"));
    }
    return true;
}

void Box1Signalman::throwLever(const LeverStep &step)
{
    const TA7 &a7 = m_app.A7();
    const TA3 &a3 = m_app.A3();
    const QString n = QString::number(step.lever);
    ui::Image &base = imagePart(a7, "Paka" + n + "c");
    ui::Image &head = imagePart(a7, "Paka" + n + "b");
    ui::Control &label = part<ui::Control>(a7, "Paka" + n + "d");
    if (step.down) {
        head.setTop(base.top() + 147);
        label.setTop(base.top() + 372);
        head.assignPicture(*a3.PakaD);
    } else {
        head.setTop(base.top() - 291);
        label.setTop(base.top() - 126);
        head.assignPicture(*a3.PakaH);
    }
    if (step.mark == Mark::Thrown)
        base.assignPicture(*a3.Paka4);
}

void Box1Signalman::setRouteStep()
{
    const int route = m_route->value();
    for (const LeverRoute &r : m_line.routes) {
        if (r.route != route)
            continue;
        for (const LeverStep &step : r.levers)
            if (!leverInPlace(step)) {
                throwLever(step);
                return;
            }
        turnRouteKnob(r.knob, r.right);
        return;
    }
    /* A route the line does not serve sets nothing. */
}

/**
 * A route that the desk takes back (its route word 0) after the signalman
 * has set it but before the box locked it ends his run: left running, he
 * would hold the route-lock lever down, and the crank he keeps turning would
 * step the fields of the next route's release.
 */
bool Box1Signalman::endWhenRouteTakenBack()
{
    if (m_route->value() != 0 || m_lockField->value() == 5)
        return false;
    if (state() != AwaitLock && !(state() == Working && routeKnobTurned()))
        return false;
    m_timer->setEnabledFlag(false);
    m_lockLever->setTop(m_lockLeverRest);
    m_entryLever->setTop(m_lockLeverRest - 2);
    m_exitLever->setTop(m_lockLeverRest - 2);
    stopCrank();
    return true;
}

void Box1Signalman::fieldsAtRest()
{
    m_timer->setEnabledFlag(false);
    const int released = m_lockLever->top() - 2;
    m_entryLever->setTop(released);
    m_exitLever->setTop(released);
    stopCrank();
}

bool Box1Signalman::exitAllowed() const
{
    if (!lineB())
        return true;
    const TA6 &a6 = m_app.A6();
    return part<ui::Control>(a6, "PSM").visible() && part<ui::Control>(a6, "VTM").visible();
}

void Box1Signalman::exitKnobTurned()
{
    if (!lineB())
        return;
    const TA6 &a6 = m_app.A6();
    part<ui::Control>(a6, "VTM").hide();
    part<ui::Control>(a6, "VOM").hide();
    m_a1->VTM->hide();
}

const char *Box1Signalman::entryAspect() const
{
    return lineB() && m_route->value() == 3 ? "Výstraha" : "40 a výstraha";
}

void Box1Signalman::raiseEntry()
{
    TA1 &a1 = *m_a1;
    if (m_route->value() != a1.CestaC->value())
        return;
    /* Later matches overwrite earlier ones. */
    if (a1.C19->text() == QStringLiteral("Volno"))
        m_entrySignal->setText(QStringLiteral("40 a volno"));
    for (ui::Edit *TA1::*exit : m_line.throughExits)
        if ((a1.*exit)->text() == QStringLiteral("40 a volno"))
            m_entrySignal->setText(QStringLiteral("40 a 40"));
}

void Box1Signalman::stepExit(bool clear)
{
    TA1 &a1 = *m_a1;
    const int route = m_route->value();
    for (const ExitRow &row : m_line.exits) {
        if (row.route != route)
            continue;
        stepAspect(a1.*row.signal, {"Stůj", row.proceed}, clear);
        if (a1.CestaC->value() == route)
            stepAspect(a1.C09, row.entryC, clear);
    }
}

} // namespace

void SignalistaATimer(App &app)
{
    core::optionGuard(app, QString::fromLatin1(LineA.code), [&app] { Box1Signalman(app, LineA).tick(); });
}

void SignalistaBTimer(App &app)
{
    core::optionGuard(app, QString::fromLatin1(LineB.code), [&app] { Box1Signalman(app, LineB).tick(); });
}

} // namespace signalling
