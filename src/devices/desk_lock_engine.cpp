/** @file desk_lock_engine.cpp The desk's lock engine: one tick of the lock timer turns the held device into block-field steps. */
#include "core/app.h"
#include "core/form_a1.h"
#include "core/sounds.h"
#include "devices/device_guards.h"
#include "devices/device_handlers.h"
#include "devices/form_a6.h"
#include "devices/form_a7.h"
#include "devices/form_a8.h"
#include "ui/sim_error.h"

namespace devices {

namespace {

/** Raises a field by one below its top value. */
void raise(ui::SpinEdit *field, int top)
{
    if (field->value() < top)
        field->setValue(field->value() + 1);
}

/** Raises a desk release field to 5 and its box copy to 6; the copy passes 5 and latches at 6 at once. */
void raiseRelease(ui::SpinEdit *desk, ui::SpinEdit *box)
{
    raise(desk, 5);
    raise(box, 6);
    if (box->value() == 5)
        box->setValue(6);
}

/** Lowers a route lock: the box copy first, the desk field from the tick after the copy reached 1. */
void lowerRouteLock(ui::SpinEdit *desk, ui::SpinEdit *box)
{
    if (box->value() == 1 && desk->value() > 1)
        desk->setValue(desk->value() - 1);
    if (box->value() > 1)
        box->setValue(box->value() - 1);
}

/** Sets a train-passed field to 5 while the box copy of its release stands latched at 6. */
void freeTrainPassed(ui::SpinEdit *copy, ui::SpinEdit *field)
{
    if (copy->value() == 6)
        field->setValue(5);
}

/** @return a control of a signal box by its name; a missing one fails the engine's tick. */
ui::Control &boxControl(ui::Form &box, const QString &name)
{
    ui::Control *c = box.find(name);
    if (!c)
        throw ui::SimError(QStringLiteral("%1.%2 neexistuje").arg(box.name(), name));
    return *c;
}

/** A desk bell to a signal box: arms the box's signalman, shows the route label of the knob's track, drops its tablet. */
void ringBox(App &app, ui::Timer *signalman, bool armed, ui::Image *knob, ui::Form &box, const QString &labelPrefix,
             bool withTrack4, const QString &tabletName)
{
    signalman->setInterval(5000);
    if (armed)
        signalman->setEnabledFlag(true);
    const int at = knob->top() - app.A6().Blok->top();
    const std::pair<int, const char *> stops[] = {{796, "7"}, {804, "5"}, {812, "3"}, {828, "1"}, {844, "2"},
                                                  {852, "4"}};
    for (const auto &[stop, track] : stops) {
        if (at == stop && (stop != 852 || withTrack4))
            boxControl(box, labelPrefix + QLatin1String(track)).show();
    }
    ui::Control &tablet = boxControl(box, tabletName);
    tablet.setHeight(85);
    tablet.setColor(QColor(0xFF, 0xFF, 0xFF));
}

/** The step section: every held device moves its fields one step. */
void stepFields(App &app)
{
    TA1 &a1 = app.A1();
    TA6 &a6 = app.A6();
    if (isHeld(a6, HeldDevice::PakaNavBOd))
        raiseRelease(a1.NavBOd, a1.NavBOdSt);
    if (isHeld(a6, HeldDevice::PakaZavB))
        lowerRouteLock(a1.ZavB, a1.ZavBSt);
    if (isHeld(a6, HeldDevice::PakaNavBDo))
        raiseRelease(a1.NavBDo, a1.NavBDoSt);
    if (isHeld(a6, HeldDevice::PakaSouLc1)) {
        raise(a1.SouLc1, 5);
        if (a1.SouLc1St->value() < 5)
            a1.SouLc1St->setValue(a1.SouLc1->value() + 1);
    }
    if (isHeld(a6, HeldDevice::PakaNavMOd))
        raiseRelease(a1.NavMOd, a1.NavMOdSt);
    if (isHeld(a6, HeldDevice::PakaZavM))
        lowerRouteLock(a1.ZavM, a1.ZavMSt);
    if (isHeld(a6, HeldDevice::PakaNavMDo))
        raiseRelease(a1.NavMDo, a1.NavMDoSt);
    if (isHeld(a6, HeldDevice::PakaNavCHDo)) {
        raiseRelease(a1.NavCHDo, a1.NavCHDoSt);
        raise(a1.PHCHDo, 5);
    }
    if (isHeld(a6, HeldDevice::PakaZavCH)) {
        if (a1.ZavCHSt->value() == 1) {
            if (a1.ZavCH->value() > 1)
                a1.ZavCH->setValue(a1.ZavCH->value() - 1);
            if (a1.SignalistaC->enabledFlag())
                a1.PZZOpen->setValue(20);
        }
        if (a1.ZavCHSt->value() > 1)
            a1.ZavCHSt->setValue(a1.ZavCHSt->value() - 1);
    }
    if (isHeld(a6, HeldDevice::PakaNavCHOd)) {
        raiseRelease(a1.NavCHOd, a1.NavCHOdSt);
        raise(a1.PHCHOd, 6);
    }
    if (isHeld(a6, HeldDevice::PakaTSCH)) {
        raise(a1.TSCH, 6);
        raise(a1.TSJ, 5);
        if (a1.TSJ->value() == 5)
            a1.TSJ->setValue(6);
    }
    if (isHeld(a6, HeldDevice::NRB)) {
        freeTrainPassed(a1.NavBOdSt, a1.HrBOd);
        freeTrainPassed(a1.NavBDoSt, a1.HrBDo);
    }
    if (isHeld(a6, HeldDevice::NRM)) {
        freeTrainPassed(a1.NavMOdSt, a1.HrMOd);
        freeTrainPassed(a1.NavMDoSt, a1.HrMDo);
    }
    if (isHeld(a6, HeldDevice::NRCH)) {
        freeTrainPassed(a1.NavCHOdSt, a1.HrCHOd);
        freeTrainPassed(a1.NavCHDoSt, a1.HrCHDo);
    }
    const bool box1 = a1.KodSt1->checked(), box2 = a1.KodSt2->checked();
    if (isHeld(a6, HeldDevice::ZvonekA))
        ringBox(app, a1.SignalistaA, box1, a6.KnoflikA, app.A7(), "CisloB", true, "DestickaA");
    if (isHeld(a6, HeldDevice::ZvonekB))
        ringBox(app, a1.SignalistaB, box1, a6.KnoflikB, app.A7(), "CisloM", true, "DestickaB");
    if (isHeld(a6, HeldDevice::ZvonekC))
        ringBox(app, a1.SignalistaC, box2, a6.KnoflikC, app.A8(), "CisloCH", false, "DestickaA");
    if (isHeld(a6, HeldDevice::ZvonekD))
        a1.TSCHOn->setValue(10);
}

/** The start section: the engine runs from now on; hum, magneto and crank start with it. */
void startEngine(App &app)
{
    TA1 &a1 = app.A1();
    TA6 &a6 = app.A6();
    a1.ZaverDK->setInterval(200);
    bool lever = false;
    for (int i = 0; i < LeverCount; ++i)
        lever = lever || isHeld(a6, static_cast<HeldDevice>(i));
    if (lever && a1.Zvuky->checked()) {
        a1.SndZaverDK->rewind();
        a1.SndZaverDK->play();
    }
    if (a1.Proud->text() == QStringLiteral("I")) {
        ui::Image *magneto = magnetoOfHeld(a6);
        magneto->setTop(magneto->top() + 2);
        a1.Induktor->setEnabledFlag(true);
    }
    if (a1.Proud->text() == QStringLiteral("K")) {
        core::playSound(app, a1.SndKlika);
        a1.Klika->setEnabledFlag(true);
    }
}

} // namespace

void ZaverDKStep(App &app)
{
    unitGuard(app, QStringLiteral("Error 62B0"), [&] {
        /* The first tick after a press only starts; every later one only steps. */
        TA1 &a1 = app.A1();
        if (a1.ZaverDK->interval() == 200)
            stepFields(app);
        if (a1.ZaverDK->interval() != 200)
            startEngine(app);
    });
}

} // namespace devices
