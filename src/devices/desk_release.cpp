/** @file desk_release.cpp The desk's line release buttons with their counters, and the sealed emergency stepping buttons. */
#include "core/app.h"
#include "core/form_a1.h"
#include "core/sounds.h"
#include "devices/device_guards.h"
#include "devices/device_handlers.h"
#include "devices/form_a6.h"
#include "ui/sim_error.h"

#include <array>

namespace devices {

namespace {

struct ReleaseButton {
    ui::Image *DeskDevices::*button;
    ui::Label *DeskDevices::*counter;
    bool magnetoA;
    const char *pressCode, *releaseCode;
};
const ReleaseButton ReleaseButtons[3] = {
    {&DeskDevices::NRB, &DeskDevices::NRB2, true, "Error A6NRB-A", "Error A6NRB-B"},
    {&DeskDevices::NRM, &DeskDevices::NRM2, false, "Error A6NRM-A", "Error A6NRM-B"},
    {&DeskDevices::NRCH, &DeskDevices::NRCH2, false, "Error A6NRCH-A", "Error A6NRCH-B"},
};

/** The desk field each emergency button steps, in lever order. */
ui::SpinEdit *nvzField(TA1 &a1, int i)
{
    ui::SpinEdit *fields[10] = {a1.NavBOd, a1.ZavB,    a1.NavBDo, a1.SouLc1, a1.NavMOd,
                                a1.ZavM,   a1.NavMDo,  a1.NavCHDo, a1.ZavCH, a1.NavCHOd};
    return fields[i];
}

/** Direction of each emergency button's working cycle: 0 never chosen, 1 down, 2 up. Outlives a game. */
std::array<int, 10> NvzDirection{};

} // namespace

QString nextCounterText(const QString &text)
{
    if (text.size() != 5)
        throw ui::SimError(QStringLiteral("'%1' není platné celé číslo").arg(text));
    int d[5];
    for (int i = 0; i < 5; ++i) {
        if (!text[i].isDigit() || text[i].unicode() > '9')
            throw ui::SimError(QStringLiteral("'%1' není platné celé číslo").arg(text[i]));
        d[i] = text[i].unicode() - '0';
    }
    d[4] += 1;
    for (int i = 4; i > 0; --i) {
        if (d[i] > 9) {
            d[i - 1] += 1;
            d[i] -= 10;
        }
    }
    if (d[0] > 9)
        d[0] -= 10;
    QString next;
    for (int v : d)
        next += QString::number(v);
    return next;
}

void NRMouseDown(App &app, int b)
{
    const ReleaseButton &r = ReleaseButtons[b];
    deskGuard(app, QString::fromLatin1(r.pressCode), [&] {
        TA1 &a1 = app.A1();
        DeskDevices &d = app.A6().devices;
        ui::Image *button = d.*r.button;
        ui::Label *counter = d.*r.counter;
        button->setTop(button->top() - 2);
        a1.ZaverDK->setEnabledFlag(true);
        const QString next = nextCounterText(counter->caption());
        if (!a1.KodMavex->checked())
            counter->setCaption(next);
        counter->setHint(counter->caption());
    });
}

void NRMouseUp(App &app, int b)
{
    const ReleaseButton &r = ReleaseButtons[b];
    deskGuard(app, QString::fromLatin1(r.releaseCode), [&] {
        TA1 &a1 = app.A1();
        TA6 &a6 = app.A6();
        ui::Image *button = a6.devices.*r.button;
        button->setTop(button->top() + 2);
        a1.ZaverDK->setEnabledFlag(false);
        if (a1.ZaverDK->interval() == 200 && a1.Proud->text() == QStringLiteral("I"))
            (r.magnetoA ? a6.InduktorA : a6.InduktorB)->setTop(a6.Blok->top() + 269);
        a1.ZaverDK->setInterval(300);
        a1.Induktor->setEnabledFlag(false);
        hideMagnetoGlows(app, false);
        a1.Klika->setEnabledFlag(false);
        core::stopSound(app, a1.SndKlika);
    });
}

void NVZDblClick(App &app, int i)
{
    TA6 &a6 = app.A6();
    ui::Image *button = a6.devices.NVZ[i];
    ui::SpinEdit *field = nvzField(app.A1(), i);
    const int rest = a6.Blok->top() + 490, working = a6.Blok->top() + 488;
    if (button->height() == 26) {
        takeStockPicture(app, *button, QStringLiteral("NVZ"));
        return;
    }
    if (button->top() == rest) {
        button->setTop(working);
        NvzDirection[i] = field->value() == 1 ? 2 : 1;
        return;
    }
    if (NvzDirection[i] == 1) {
        if (field->value() > 1)
            field->setValue(field->value() - 1);
        if (field->value() == 1)
            button->setTop(rest);
    } else if (NvzDirection[i] == 2) {
        if (field->value() < 5)
            field->setValue(field->value() + 1);
        if (field->value() == 5)
            button->setTop(rest);
    }
}

} // namespace devices
