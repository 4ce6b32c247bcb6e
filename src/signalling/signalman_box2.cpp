/** @file signalman_box2.cpp The automatic signalman of signal box 2: line C, its points and its level crossing. */
#include "core/app.h"
#include "core/form_a1.h"
#include "core/option_guard.h"
#include "devices/form_a3.h"
#include "devices/form_a6.h"
#include "devices/form_a8.h"
#include "signalling/signal_panels.h"
#include "signalling/signalling_handlers.h"
#include "signalling/signalman.h"

#include <array>
#include <vector>

namespace signalling {

namespace {

const QString Code = QStringLiteral("Error 10SigC");
const QString Closed = QStringLiteral("Uzavřený");
const QString Free = QStringLiteral("Volná");

/** A point controller of box 2 and the points it drives: to +10 turned left, to -10 turned right. */
struct Controller {
    const char *name;
    int left, right;         ///< its Left from `A8.I0`.Left in each position
    const char *leftLamp;    ///< the end lamp that goes dark when it is turned left
    const char *rightLamp;   ///< and when it is turned right
    const char *machine;     ///< the point machine's timer on A8
};

enum Points { Points9and10, Points11, Points12, Points13 };

const Controller Controllers[4] = {
    {"IO", 480, 495, "V10Zluta", "V10Zelena", "TimerVymena10"},
    {"IR", 576, 591, "V11Zluta", "V11Zelena", "TimerVymena11"},
    {"IV", 672, 687, "V12Zluta", "V12Zelena", "TimerVymena12"},
    {"IY", 768, 783, "V13Zluta", "V13Zelena", "TimerVymena13"},
};

/** Points of a route with the side their controller is turned to. */
struct PointStep {
    Points points;
    bool left;
};

struct PointRoute {
    int route;
    std::vector<PointStep> points;
    int knob; ///< 0 .. 2: `I1`, `I4`, `I7`
    bool right;
};

const std::vector<PointRoute> Routes = {
    {1, {{Points9and10, true}, {Points13, true}}, 0, true},
    {2, {{Points9and10, false}, {Points13, true}}, 0, false},
    {3, {{Points12, true}, {Points13, false}}, 1, false},
    {5, {{Points11, true}, {Points12, false}, {Points13, false}}, 1, true},
    {7, {{Points11, false}, {Points12, false}, {Points13, false}}, 2, false},
};

/** An exit signal of line C's route with its proceed aspect. */
struct ExitSignal {
    ui::Edit *TA1::*signal;
    const char *proceed;
};

/** What clearing the exit of a route writes: the exit signals and the entry signals of lines A and B. */
struct ExitRow {
    int route;
    std::vector<ExitSignal> exits;
    AspectStep entryA;
    AspectStep entryB; ///< no change when `before` is null
};

const AspectStep WarnTo40And40{"40 a výstraha", "40 a 40"};

/*
 * Line B's entry before a raise is "40 a výstraha" for track 1 and
 * "Výstraha" for track 3; the exit's clearing raises it as line B's own
 * signalman would, so returning the exit gives back what clearing replaced.
 */
const std::vector<ExitRow> Exits = {
    {1, {{&TA1::C19, "Volno"}, {&TA1::C16, "Volno"}}, {"40 a výstraha", "40 a volno"}, {"40 a výstraha", "40 a volno"}},
    {2, {{&TA1::C22, "40 a volno"}, {&TA1::C16, "Volno"}}, WarnTo40And40, {nullptr, nullptr}},
    {3, {{&TA1::C25, "40 a volno"}}, WarnTo40And40, {"Výstraha", "40 a 40"}},
    {5, {{&TA1::C28, "40 a volno"}}, WarnTo40And40, WarnTo40And40},
    {7, {{&TA1::C31, "40 a volno"}}, WarnTo40And40, WarnTo40And40},
};

/** Box 2's signal knob and route-lock knobs, found by name; they stay for the box form's life. */
struct Box2Knobs {
    quint64 boxSerial = 0; ///< The box form they were found on; 0: none yet.
    ui::Image *signalKnob = nullptr;
    std::array<ui::Image *, 3> routeKnobs{};
};

/** @return the knobs of a8, looked up by name only when a8 is another form than last time. */
const Box2Knobs &box2Knobs(const TA8 &a8)
{
    static Box2Knobs found;
    if (found.boxSerial == a8.serial())
        return found;
    found.signalKnob = &imagePart(a8, "NavCH");
    found.routeKnobs = {&imagePart(a8, "I1"), &imagePart(a8, "I4"), &imagePart(a8, "I7")};
    found.boxSerial = a8.serial();
    return found;
}

/** The signalman of signal box 2. */
class Box2Signalman : public Signalman {
public:
    explicit Box2Signalman(App &app) : Signalman(app)
    {
        TA1 &a1 = *m_a1;
        TA8 &a8 = app.A8();
        const TA3 &a3 = app.A3();
        m_timer = a1.SignalistaC;
        m_route = a1.CestaC;
        m_lockField = a1.ZavCHSt;
        m_entryRelease = a1.NavCHOdSt;
        m_entryPassed = a1.HrCHOd;
        m_exitRelease = a1.NavCHDoSt;
        m_exitPassed = a1.HrCHDo;
        m_crank = a1.ZaverSt2;
        m_crankSound = a1.SndZaverSt2;
        m_tabletSound = a1.SndDestickaSt2;
        m_box = &a8;
        m_entryLever = a8.PakaNavCHOd;
        m_lockLever = a8.PakaZavCH;
        m_exitLever = a8.PakaNavCHDo;
        m_lockLeverRest = a8.Blok->top() + 341;
        const int i0 = a8.I0->left();
        /* Made for every tick: the knobs are found once per box. */
        const Box2Knobs &knobs = box2Knobs(a8);
        m_signalKnob = knobs.signalKnob;
        m_knobRest = i0 + 1136;
        /* Box 2's knob turns right for the entry and left for the exit. */
        m_knobEntry = i0 + 1132;
        m_knobExit = i0 + 1117;
        m_entryPicture = a3.KlickaP;
        m_exitPicture = a3.KlickaL;
        static const QStringList labels[3] = {{"CisloCH2", "CisloCH1"}, {"CisloCH3", "CisloCH5"}, {"CisloCH7"}};
        m_routeKnobs[0] = {knobs.routeKnobs[0], i0 + 62, labels[0]};
        m_routeKnobs[1] = {knobs.routeKnobs[1], i0 + 158, labels[1]};
        m_routeKnobs[2] = {knobs.routeKnobs[2], i0 + 254, labels[2]};
        m_deskKey = QStringLiteral("KlicC");
        m_deskKeyLeft = 857;
        m_entrySignal = a1.C09;
        m_tablet = QStringLiteral("DestickaC");
    }

protected:
    void acknowledge() override;
    bool endWhileUnlocked() override;
    void lockRoute() override;
    void setRouteStep() override;
    void fieldsAtRest() override;
    bool lineClear() const override;
    bool exitAllowed() const override { return m_a1->TSCH->value() == 1; }
    const char *entryAspect() const override { return m_route->value() == 1 ? "Výstraha" : "40 a výstraha"; }
    void raiseEntry() override;
    void stepExit(bool clear) override;

private:
    int pointValue(Points p) const;
    void turnController(const Controller &c, bool left);
    /** Presses (2 px down) or releases the crossing's close button over its base. */
    void closeButton(bool pressed);
};

void Box2Signalman::closeButton(bool pressed)
{
    const TA8 &a8 = m_app.A8();
    part<ui::Control>(a8, "G5").setTop(part<ui::Control>(a8, "G5a").top() + (pressed ? 2 : 0));
}

void Box2Signalman::acknowledge()
{
    Signalman::acknowledge();
    TA1 &a1 = *m_a1;
    if (a1.PZZ->text() == Closed)
        return;
    closeButton(true);
    a1.PZZ->setText(QStringLiteral("Uzavíraný"));
    a1.PZZ2->setValue(21);
}

bool Box2Signalman::endWhileUnlocked()
{
    TA1 &a1 = *m_a1;
    if (!allFieldsAtRest() || a1.PZZOpen->value() != 1)
        return false;
    closeButton(false);
    a1.PZZ->setText(QStringLiteral("Otevřený"));
    a1.PZZOpen->setValue(0);
    m_timer->setEnabledFlag(false);
    /* A block lever still down (the route unlocked from the desk before the locked
       step could let it go) comes up with the crank, or a later turn of the crank
       would free line C of whatever train it holds by then. */
    const int rest = m_lockLeverRest - 2;
    if (m_entryLever->top() != rest || m_exitLever->top() != rest) {
        m_entryLever->setTop(rest);
        m_exitLever->setTop(rest);
        stopCrank();
    }
    /* Once off, the signalman sets nothing more: no point or knob moves after the end. */
    return true;
}

void Box2Signalman::lockRoute()
{
    TA1 &a1 = *m_a1;
    if (a1.PZZ->text() != Closed)
        return;
    if (a1.KolejC->value() == a1.CestaC->value())
        Signalman::lockRoute();
    else
        setState(KnobsBack); // the tick's next check returns the knobs, and the route is set again
}

int Box2Signalman::pointValue(Points p) const
{
    const TA1 &a1 = *m_a1;
    switch (p) {
    case Points9and10:
        return a1.Vymena9->value() + a1.Vymena10->value();
    case Points11:
        return a1.Vymena11->value();
    case Points12:
        return a1.Vymena12->value();
    case Points13:
        return a1.Vymena13->value();
    }
    return 0;
}

void Box2Signalman::turnController(const Controller &c, bool left)
{
    const TA8 &a8 = m_app.A8();
    const TA3 &a3 = m_app.A3();
    const int i0 = a8.I0->left();
    turnKnob(&imagePart(a8, c.name), left ? *a3.KlickaL : *a3.KlickaP, i0 + (left ? c.left : c.right));
    part<ui::Control>(a8, left ? c.leftLamp : c.rightLamp).hide();
    part<ui::Timer>(a8, c.machine).setEnabledFlag(true);
}

void Box2Signalman::setRouteStep()
{
    const int route = m_route->value();
    for (const PointRoute &r : Routes) {
        if (r.route != route)
            continue;
        /* The points' values count, not the controllers: moving points keep the signalman on them. */
        for (const PointStep &step : r.points) {
            const int end = step.points == Points9and10 ? 20 : 10;
            if (pointValue(step.points) != (step.left ? end : -end)) {
                turnController(Controllers[step.points], step.left);
                return;
            }
        }
        turnRouteKnob(r.knob, r.right);
        return;
    }
}

void Box2Signalman::fieldsAtRest()
{
    /* Box 2 does not end here: it waits for the route to be unlocked and the crossing to open. */
    const int released = m_lockLever->top() - 2;
    m_entryLever->setTop(released);
    m_exitLever->setTop(released);
    stopCrank();
}

bool Box2Signalman::lineClear() const
{
    const TA1 &a1 = *m_a1;
    const bool throat = a1.KO11->text() == Free && a1.KO12->text() == Free && a1.KO13->text() == Free;
    if (m_route->value() > 3)
        return throat;
    return throat && a1.KO10->text() == Free && a1.KO1a->text() == Free;
}

void Box2Signalman::raiseEntry()
{
    TA1 &a1 = *m_a1;
    const QString volno = QStringLiteral("Volno"), volno40 = QStringLiteral("40 a volno");
    const QString both40 = QStringLiteral("40 a 40");
    const int route = a1.CestaC->value();
    /* Later matches overwrite earlier ones. */
    if (a1.CestaA->value() == route) {
        if (a1.C34->text() == volno)
            m_entrySignal->setText(volno);
        for (ui::Edit *exit : {a1.C37, a1.C40, a1.C43, a1.C46})
            if (exit->text() == volno40)
                m_entrySignal->setText(both40);
    }
    if (a1.CestaB->value() == route) {
        if (a1.C34->text() == volno40)
            m_entrySignal->setText(both40);
        if (a1.C40->text() == volno)
            m_entrySignal->setText(volno40);
        for (ui::Edit *exit : {a1.C43, a1.C46})
            if (exit->text() == volno40)
                m_entrySignal->setText(both40);
    }
}

void Box2Signalman::stepExit(bool clear)
{
    TA1 &a1 = *m_a1;
    const int route = m_route->value();
    for (const ExitRow &row : Exits) {
        if (row.route != route)
            continue;
        for (const ExitSignal &exit : row.exits)
            stepAspect(a1.*exit.signal, {"Stůj", exit.proceed}, clear);
        if (a1.CestaA->value() == route)
            stepAspect(a1.C03, row.entryA, clear);
        if (a1.CestaB->value() == route && row.entryB.before)
            stepAspect(a1.C06, row.entryB, clear);
    }
}

} // namespace

void SignalistaCTimer(App &app)
{
    core::optionGuard(app, Code, [&app] { Box2Signalman(app).tick(); });
}

} // namespace signalling
