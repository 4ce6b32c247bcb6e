/** @file desk_bells.cpp The desk's bells, crank handles and lever tags. */
#include "core/app.h"
#include "core/form_a1.h"
#include "core/sounds.h"
#include "devices/device_guards.h"
#include "devices/device_handlers.h"
#include "devices/form_a6.h"

namespace devices {

namespace {

ui::Image *bell(TA6 &a6, int b)
{
    DeskDevices &d = a6.devices;
    return b == 0 ? d.ZvonekA : b == 1 ? d.ZvonekB : b == 2 ? d.ZvonekC : d.ZvonekD;
}

QString bellCode(int b, const char *event)
{
    return QStringLiteral("Error A6Zvk%1-%2").arg(QChar('A' + b)).arg(QLatin1String(event));
}

/** The tags and their anchors, in the order BOd, BDo, MOd, MDo, CHDo, CHOd. */
ui::Image *tagOf(TA6 &a6, int t)
{
    DeskDevices &d = a6.devices;
    ui::Image *tags[6] = {d.CedulkaBOd, d.CedulkaBDo, d.CedulkaMOd, d.CedulkaMDo, d.CedulkaCHDo, d.CedulkaCHOd};
    return tags[t];
}

} // namespace

void ZvonekMouseDown(App &app, int b)
{
    deskGuard(app, bellCode(b, "Md"), [&] {
        TA1 &a1 = app.A1();
        TA6 &a6 = app.A6();
        bell(a6, b)->setTop(a6.Blok->top() + 316);
        a1.ZaverDK->setEnabledFlag(true);
        core::playSound(app, a1.SndZvonekOn);
    });
}

void ZvonekMouseUp(App &app, int b)
{
    deskGuard(app, bellCode(b, "Mu"), [&] {
        TA1 &a1 = app.A1();
        TA6 &a6 = app.A6();
        bell(a6, b)->setTop(a6.Blok->top() + 314);
        (b < 2 ? a6.InduktorA : a6.InduktorB)->setTop(a6.Blok->top() + 269);
        a1.Induktor->setEnabledFlag(false);
        hideMagnetoGlows(app, true);
        a1.ZaverDK->setEnabledFlag(false);
        a1.ZaverDK->setInterval(300);
        core::playSound(app, a1.SndZvonekOff);
        core::stopSound(app, a1.SndKlika);
        a1.Klika->setEnabledFlag(false);
    });
}

void KlikaMouseDown(App &app)
{
    app.A1().Klika->setEnabledFlag(true);
    app.A1().Proud->setText(QStringLiteral("K"));
}

void KlikaMouseUp(App &app)
{
    app.A1().Klika->setEnabledFlag(false);
    core::stopSound(app, app.A1().SndKlika);
}

void CedDblClick(App &app, int t)
{
    tagOf(app.A6(), t)->show();
}

void CedulkaDblClick(App &app, int t)
{
    tagOf(app.A6(), t)->hide();
}

} // namespace devices
