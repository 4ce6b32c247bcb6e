/** @file box2_points.cpp Box 2's point motors and ammeter, emergency point buttons, crossing buttons and switches. */
#include "devices/box2_parts.h"
#include "devices/device_guards.h"
#include "devices/form_a3.h"
#include "devices/form_a6.h"

namespace devices::box2 {

namespace {

/** Motor speed of every set of points; nothing changes it. */
constexpr int Speed = 100;

/** One point motor: its timer, controller, lamps and the points it moves, the first moved first. */
struct Motor {
    int number;
    const char *controller;  ///< Controller image; its middle Left, right is 4 px less, left 19 px less.
    int middle;
    ui::SpinEdit *TA1::*points[2]; ///< Points moved, in order; the second is null for a single set.
};

const Motor Motors[4] = {
    {10, "IO", 1419, {&TA1::Vymena10, &TA1::Vymena9}},
    {11, "IR", 1515, {&TA1::Vymena11, nullptr}},
    {12, "IV", 1611, {&TA1::Vymena12, nullptr}},
    {13, "IY", 1707, {&TA1::Vymena13, nullptr}},
};

const Motor &motorOf(int number)
{
    return Motors[number - 10];
}

QString lampName(int motor, const char *colour)
{
    return QStringLiteral("V%1%2").arg(motor).arg(QLatin1String(colour));
}

QString timerName(int motor)
{
    return QStringLiteral("TimerVymena%1").arg(motor);
}

/** The run is over: the timer stops, the end's lamp lights, the others go out, the ammeter falls back. */
void endRun(App &app, const Motor &m, bool atPlus)
{
    a8<ui::Timer>(app, timerName(m.number)).setEnabledFlag(false);
    a8(app, lampName(m.number, "Zelena")).setVisible(atPlus);
    a8(app, lampName(m.number, "Zluta")).setVisible(!atPlus);
    a8(app, lampName(m.number, "Cervena")).hide();
    auto &amp = a8<ui::SpinEdit>(app, "Ampermetr");
    if (amp.value() > 0)
        amp.setValue(0);
}

/** @return the emergency button's reference: `NPV11` for `NPV10`, `NPV10` for the others. */
ui::Control &npvReference(const App &app, int motor)
{
    return a8(app, motor == 10 ? QStringLiteral("NPV11") : QStringLiteral("NPV10"));
}

QString npvName(int motor)
{
    return QStringLiteral("NPV%1").arg(motor);
}

QString npvCode(int motor, const char *event)
{
    return QStringLiteral("Error 80NPV%1-%2").arg(motor).arg(QLatin1String(event));
}

} // namespace

void startMotor(App &app, int motor)
{
    a8<ui::Timer>(app, timerName(motor)).setEnabledFlag(true);
    auto &amp = a8<ui::SpinEdit>(app, "Ampermetr");
    amp.setValue(amp.value() + 1);
}

void TimerVymenaTimer(App &app, int motor)
{
    const Motor &m = motorOf(motor);
    TA1 &a1 = app.A1();
    /* Points 9 and 10 share their motor, which runs at their mean speed. */
    const int speed = m.points[1] ? (Speed + Speed) / 2 : Speed;
    a8<ui::Timer>(app, timerName(motor)).setInterval(15000 / (speed + 1));
    const int left = leftOf(app, m.controller);
    if (left != m.middle - 19 && left != m.middle - 4)
        return;
    const bool towardsPlus = left == m.middle - 19;
    const int end = towardsPlus ? 10 : -10;
    for (ui::SpinEdit *TA1::*field : m.points) {
        if (!field)
            break;
        ui::SpinEdit *points = a1.*field;
        if (points->value() != end) {
            points->setValue(points->value() + (towardsPlus ? 1 : -1));
            return;
        }
    }
    endRun(app, m, towardsPlus);
}

void AmpermetrChange(App &app)
{
    const bool running = a8<ui::SpinEdit>(app, "Ampermetr").value() >= 1;
    a8(app, "Amp0").setVisible(!running);
    a8(app, "Amp1").setVisible(running);
}

void NVPClick(App &app)
{
    ui::Control &nvp = a8(app, "NVP");
    const int e0 = app.A8().E0->top();
    nvp.setTop(nvp.top() == e0 + 442 ? e0 + 444 : e0 + 442);
}

void NPVDblClick(App &app, int motor)
{
    unitGuard(app, npvCode(motor, "Db"), [&] {
        const TA3 &a3 = app.A3();
        auto &button = a8<ui::Image>(app, npvName(motor));
        /* The sealed stage is tested first, so one double click makes one step. */
        if (button.height() == a3.Tl2->height()) {
            button.assignPicture(*a3.Tl);
            button.setTransparent(true);
        } else if (button.height() == a3.Tl3->height()) {
            button.assignPicture(*a3.Tl2);
        }
    });
}

void NPVMouseDown(App &app, int motor)
{
    unitGuard(app, npvCode(motor, "Md"), [&] {
        auto &button = a8<ui::Image>(app, npvName(motor));
        if (button.height() != app.A3().Tl->height())
            return;
        button.setTop(npvReference(app, motor).top() + 2);
        a8(app, lampName(motor, "Zelena")).hide();
        a8(app, lampName(motor, "Zluta")).hide();
        if (cutOutOut(app)) {
            startMotor(app, motor);
        } else if (cutOutIn(app)) {
            ui::SpinEdit *points = app.A1().*motorOf(motor).points[0];
            pushOffEnd(points, 10);
            pushOffEnd(points, -10);
        }
    });
}

void NPVMouseUp(App &app, int motor)
{
    unitGuard(app, npvCode(motor, "Mu"), [&] {
        const TA3 &a3 = app.A3();
        auto &button = a8<ui::Image>(app, npvName(motor));
        if (button.height() != a3.Tl->height())
            return;
        button.setTop(npvReference(app, motor).top());
        if (motor != 10) {
            button.assignPicture(*a3.Tl2);
            button.setTransparent(false);
        }
    });
}

void G5Click(App &app)
{
    TA1 &a1 = app.A1();
    ui::Control &g5 = a8(app, "G5");
    const int base = a8(app, "G5a").top();
    const QString word = a1.PZZ->text();
    if (word == QStringLiteral("Otevíraný") || word == QStringLiteral("Otevřený")
        || word == QStringLiteral("Uzavíraný2")) {
        g5.setTop(base + 2);
        a1.PZZ->setText(QStringLiteral("Uzavíraný"));
        a1.PZZ2->setValue(21);
        return;
    }
    g5.setTop(g5.top() == base ? base + 2 : g5.top() - 2);
    replaceWord(a1.PZZ, QStringLiteral("Uzavíraný"), QStringLiteral("Uzavíraný2"));
    if (a1.ZavCHSt->value() == 1)
        replaceWord(a1.PZZ, QStringLiteral("Uzavřený"), QStringLiteral("Otevíraný"));
}

void G6MouseDown(App &app)
{
    TA1 &a1 = app.A1();
    a8(app, "G6").setTop(a8(app, "G6a").top() + 2);
    replaceWord(a1.PZZ, QStringLiteral("Otevíraný"), QStringLiteral("Otevřený"));
    replaceWord(a1.PZZ, QStringLiteral("Uzavíraný2"), QStringLiteral("Otevřený"));
}

void G6MouseUp(App &app)
{
    a8(app, "G6").setTop(a8(app, "G6a").top());
}

void Lc1MouseDown(App &app)
{
    TA1 &a1 = app.A1();
    ui::Control &lc1 = a8(app, "Lc1");
    const int base = a8(app, "Lc1a").top();
    const QString repeat = QStringLiteral("Opak.výstrahy");
    if (a1.C19->text() == repeat) {
        lc1.setTop(base - 2);
        a1.C19->setText(QStringLiteral("Stůj"));
        return;
    }
    lc1.setTop(base + 2);
    if (a1.SouLc1St->value() == 5 && leftOf(app, "IK") == 1650)
        replaceWord(a1.C19, QStringLiteral("Stůj"), repeat);
}

void Lc1MouseUp(App &app)
{
    a8(app, "Lc1").setTop(a8(app, "Lc1a").top());
}

void G8MouseDown(App &app)
{
    a8(app, "G8").setTop(a8(app, "G8a").top() + 2);
    ui::Control &latch = a8(app, "G7");
    if (!latch.visible())
        return;
    replaceWord(app.A1().C09, QStringLiteral("Stůj"), QStringLiteral("PN"));
    /* Each use takes the desk's release: its call-on button is sealed again. */
    auto &pns = signalling::part<ui::Image>(app.A6(), "PNS");
    pns.assignPicture(*app.A3().Tl2);
    pns.setTransparent(false);
    pns.setTop(pns.top() - 2);
    latch.hide();
}

void G8MouseUp(App &app)
{
    a8(app, "G8").setTop(a8(app, "G8a").top());
    replaceWord(app.A1().C09, QStringLiteral("PN"), QStringLiteral("Stůj"));
}

void G4Click(App &app)
{
    const TA3 &a3 = app.A3();
    auto &g4 = a8<ui::Image>(app, "G4");
    ui::Control &lamp = a8(app, "G3");
    if (lamp.visible()) {
        lamp.hide();
        g4.assignPicture(*a3.RadicL2);
        g4.setLeft(g4.left() - 4);
    } else {
        lamp.show();
        g4.assignPicture(*a3.RadicP2);
        g4.setLeft(g4.left() + 4);
    }
}

} // namespace devices::box2
