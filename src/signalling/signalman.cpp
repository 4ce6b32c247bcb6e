/** @file signalman.cpp The state machine that the three automatic signalmen share. */
#include "signalling/signalman.h"

#include "core/app.h"
#include "core/form_a1.h"
#include "devices/form_a3.h"
#include "devices/form_a6.h"
#include "devices/form_a7.h"
#include "signalling/signal_panels.h"

namespace signalling {

namespace {

/** The interval a crank timer starts and rests at. */
constexpr int CrankStart = 300;

const QString Stuj = QStringLiteral("Stůj");

/** @return whether an entry signal shows one of the proceed aspects that the knob's return takes back. */
bool entryProceeds(const QString &aspect)
{
    static const QStringList Proceed{QStringLiteral("Volno"), QStringLiteral("Výstraha"), QStringLiteral("40 a volno"),
                                     QStringLiteral("40 a výstraha"), QStringLiteral("40 a 40")};
    return Proceed.contains(aspect);
}

} // namespace

void replaceAspect(ui::Edit *signal, const char *from, const char *to)
{
    if (signal->text() == QString::fromUtf8(from))
        signal->setText(QString::fromUtf8(to));
}

void stepAspect(ui::Edit *signal, const AspectStep &step, bool clear)
{
    if (clear)
        replaceAspect(signal, step.before, step.after);
    else
        replaceAspect(signal, step.after, step.before);
}

ui::Image &imagePart(const ui::Form &form, const QString &name)
{
    return part<ui::Image>(form, name);
}

Signalman::Signalman(App &app) : m_app(app), m_a1(&app.A1()) {}

void Signalman::tick()
{
    if (endWhenRouteTakenBack())
        return;
    if (state() == AwaitExit)
        waitFor(m_exitRelease, m_exitPassed, 1);
    if (state() == AwaitEntry)
        waitFor(m_entryRelease, m_entryPassed, 1);
    if (state() == AwaitLock)
        waitFor(m_lockField, m_lockField, 5);
    if (state() == Working)
        work();
    if (state() == KnobsBack) {
        setState(Working);
        returnRouteKnobs();
    }
    if (state() == Armed) {
        setState(KnobsBack);
        acknowledge();
    }
}

int Signalman::state() const
{
    return m_timer->interval();
}

void Signalman::setState(State s)
{
    m_timer->setInterval(s);
}

/** A waiting state: keeps the crank turning, and goes to work once both fields read the value. */
void Signalman::waitFor(ui::SpinEdit *a, ui::SpinEdit *b, int value)
{
    m_crank->setEnabledFlag(true);
    if (a->value() == value && b->value() == value)
        setState(Working);
}

void Signalman::acknowledge()
{
    ui::Control &tablet = part<ui::Control>(m_app.A6(), m_tablet);
    tablet.setHeight(85);
    tablet.setColor(QColor(255, 255, 255));
    if (m_app.A6().visible() && m_a1->Zvuky->checked())
        m_tabletSound->play();
}

void Signalman::turnKnob(ui::Image *knob, const ui::Image &picture, int left)
{
    knob->assignPicture(picture);
    knob->setLeft(left);
}

void Signalman::returnRouteKnobs()
{
    const ui::Image &rest = *m_app.A3().Klicka0;
    for (const RouteKnob &k : m_routeKnobs) {
        if (k.knob->width() == rest.width())
            continue;
        turnKnob(k.knob, rest, k.rest);
        for (const QString &label : k.labels)
            part<ui::Control>(*m_box, label).hide();
    }
}

bool Signalman::routeKnobTurned() const
{
    const int rest = m_app.A3().Zavernik0->width();
    for (const RouteKnob &k : m_routeKnobs)
        if (k.knob->width() != rest)
            return true;
    return false;
}

bool Signalman::releaseGiven() const
{
    const TA6 &a6 = m_app.A6();
    return m_entryRelease->value() == 6 || m_exitRelease->value() == 6
           || part<ui::Control>(a6, m_deskKey).left() == a6.Blok->left() + m_deskKeyLeft;
}

void Signalman::turnRouteKnob(int knob, bool right)
{
    const TA3 &a3 = m_app.A3();
    ui::Image *k = m_routeKnobs[knob].knob;
    if (right)
        turnKnob(k, *a3.KlickaP, k->left() - 4);
    else
        turnKnob(k, *a3.KlickaL, k->left() - 19);
}

bool Signalman::allFieldsAtRest() const
{
    return m_entryRelease->value() == 1 && m_entryPassed->value() == 1 && m_exitRelease->value() == 1
           && m_exitPassed->value() == 1;
}

void Signalman::pressLever(ui::Image *lever, int top, State waiting)
{
    lever->setTop(top);
    m_crank->setInterval(CrankStart);
    m_crank->setEnabledFlag(true);
    setState(waiting);
}

void Signalman::lockRoute()
{
    pressLever(m_lockLever, m_entryLever->top() + 9, AwaitLock);
}

void Signalman::stopCrank()
{
    TA1 &a1 = *m_a1;
    TA6 &a6 = m_app.A6();
    TA7 &a7 = m_app.A7();
    if (m_crank == a1.ZaverSt1)
        a7.Induktor->setTop(a7.Blok->top() + 234);
    m_crank->setEnabledFlag(false);
    m_crank->setInterval(CrankStart);
    a1.Induktor->setEnabledFlag(false);
    a1.Klika->setEnabledFlag(false);
    a1.InduktorA2->hide();
    a7.Induktor2->hide();
    part<ui::Control>(a6, "InduktorA2").hide();
    part<ui::Control>(a6, "InduktorB2").hide();
    if (a1.Zvuky->checked()) {
        m_crankSound->stop();
        a1.SndKlika->stop();
    }
}

void Signalman::work()
{
    if (m_lockField->value() != 5)
        workUnlocked();
    else
        workLocked();
}

void Signalman::workUnlocked()
{
    if (endWhileUnlocked())
        return;
    if (!routeKnobTurned()) {
        setRouteStep();
        return;
    }
    if (releaseGiven())
        lockRoute();
    /* With a knob turned and no release, the signalman waits. */
}

void Signalman::workLocked()
{
    if (m_lockLever->top() != m_lockLeverRest) {
        m_lockLever->setTop(m_entryLever->top() + 2);
        stopCrank();
        return;
    }
    if (allFieldsAtRest())
        fieldsAtRest();
    if (m_entryRelease->value() == 6)
        entryPart();
    if (m_exitRelease->value() == 6)
        exitPart();
}

void Signalman::entryPart()
{
    const bool knobAtRest = m_signalKnob->width() == m_app.A3().Klicka0->width();
    if (m_entryPassed->value() == 1) {
        turnKnob(m_signalKnob, *m_entryPicture, m_knobEntry);
        if (m_entrySignal->text() == Stuj) {
            m_entrySignal->setText(QString::fromUtf8(entryAspect()));
            raiseEntry();
        }
    } else if (knobAtRest) {
        pressLever(m_entryLever, m_exitLever->top() + 7, AwaitEntry);
    } else if (lineClear()) {
        turnKnob(m_signalKnob, *m_app.A3().Klicka0, m_knobRest);
        if (entryProceeds(m_entrySignal->text()))
            m_entrySignal->setText(Stuj);
    }
}

void Signalman::exitPart()
{
    const bool knobAtRest = m_signalKnob->width() == m_app.A3().Klicka0->width();
    if (m_exitPassed->value() == 1) {
        if (!exitAllowed())
            return;
        turnKnob(m_signalKnob, *m_exitPicture, m_knobExit);
        exitKnobTurned();
        stepExit(true);
    } else if (knobAtRest) {
        pressLever(m_exitLever, m_entryLever->top() + 7, AwaitExit);
    } else if (lineClear()) {
        turnKnob(m_signalKnob, *m_app.A3().Klicka0, m_knobRest);
        stepExit(false);
    }
}

} // namespace signalling
