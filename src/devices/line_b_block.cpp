/** @file line_b_block.cpp The desk's line-B block buttons: giving and asking back the consent, the arrival report. */
#include "core/app.h"
#include "core/form_a1.h"
#include "core/form_a2.h"
#include "devices/device_handlers.h"
#include "devices/form_a6.h"

namespace devices {

namespace {

/* The line-B consent, held in the colour of `A1.SmerB` (RGB). */
const QColor ConsentAsked(0xFF, 0xFF, 0x00);   ///< Struhy asks for it.
const QColor ConsentGiven(0xFF, 0x00, 0x00);   ///< Given to Struhy.
const QColor ConsentAskedBack(0x00, 0x00, 0xFF); ///< Asked back from Struhy.

} // namespace

void TSMMouseDown(App &app)
{
    TA1 &a1 = app.A1();
    DeskDevices &d = app.A6().devices;
    d.TSM->setTop(d.TSM->top() + 2);
    if (a1.SmerB->color().rgb() != ConsentAsked.rgb())
        return;
    a1.SmerB->setColor(ConsentGiven);
    d.PSM->hide();
    d.USM->show();
    a1.USM->hide();
    a1.VTM->show();
    a1.PSM->show();
}

void TSMMouseUp(App &app)
{
    ui::Image *button = app.A6().devices.TSM;
    button->setTop(button->top() - 2);
}

void ZSMMouseDown(App &app)
{
    TA1 &a1 = app.A1();
    DeskDevices &d = app.A6().devices;
    d.ZSM->setTop(d.ZSM->top() + 2);
    if (!d.VTM->visible() || a1.SmerB->color().rgb() != ConsentGiven.rgb())
        return;
    a1.SmerB->setColor(ConsentAskedBack);
    a1.TSMOn->setValue(5 + a1.Sekunda->text().toInt() / 12);
}

void ZSMMouseUp(App &app)
{
    ui::Image *button = app.A6().devices.ZSM;
    button->setTop(button->top() - 2);
}

void ODHLMMouseDown(App &app)
{
    TA1 &a1 = app.A1();
    DeskDevices &d = app.A6().devices;
    d.ODHLM->setTop(d.ZSM->top() - 2);
    if (!d.EVM->visible())
        return;
    d.EVM->hide();
    d.VTM->show();
    d.VOM->show();
    a1.VTM->show();
    if (a1.SmerB->text() != QStringLiteral("Poloautoblok"))
        return;
    bool matched = false;
    for (int r = 1; r <= 16; ++r) {
        TimetableRow &row = app.A2().row(r);
        if (row.trainNumber->text() != a1.TratB->text())
            continue;
        row.clearInbound();
        matched = true;
    }
    if (matched) {
        a1.TratB->setText(QStringLiteral("Volná"));
        a1.StavVlakB->setValue(0);
    }
}

void ODHLMMouseUp(App &app)
{
    DeskDevices &d = app.A6().devices;
    d.ODHLM->setTop(d.ZSM->top());
}

} // namespace devices
