/** @file desk_switches.cpp The desk's switches: day and night, dimming, the bell cut-outs and the fault acknowledge. */
#include "core/app.h"
#include "core/form_a1.h"
#include "devices/device_guards.h"
#include "devices/device_handlers.h"
#include "devices/form_a6.h"
#include "trackview/form_a5.h"

namespace devices {

namespace {

/** The track view's lamp shapes of one colour, with their bright and dimmed brush colours. */
struct LampColour {
    QColor bright, dimmed;
    const char *shapes[10];
};
const LampColour LampColours[4] = {
    {QColor(0x00, 0xFF, 0x00), QColor(0x00, 0x80, 0x00), {"F1", "H1", "J1", "L1", "N1", "MC", "OB", "KB", "IB", "GB"}},
    {QColor(0xFF, 0x00, 0x00), QColor(0x80, 0x00, 0x00), {"F2", "H2", "J2", "L2", "N2", "MD", "OD", "KC", "IC", "GC"}},
    {QColor(0xFF, 0xFF, 0xFF), QColor(0xC0, 0xC0, 0xC0), {"F3", "H3", "J3", "L3", "N3", "ME", "OC", "KD", "ID", "GD"}},
    {QColor(0xFF, 0xFF, 0x00), QColor(0x80, 0x80, 0x00), {"F4", "H4", "J4", "L4", "N4", "MB", "OE", "KE", "IE", "GE"}},
};

/** Sets the brush of the track view's 40 lamp shapes to their dimmed or bright colour. */
void shadeTrackLamps(App &app, bool dimmed)
{
    for (const LampColour &c : LampColours) {
        for (const char *name : c.shapes) {
            if (auto *shape = dynamic_cast<ui::Shape *>(app.A5().find(QLatin1String(name))))
                shape->setBrushColor(dimmed ? c.dimmed : c.bright);
        }
    }
}

/** The momentary cut-out buttons: the button, its up Top relative to Deska, its codes. */
struct CutOut {
    ui::Image *DeskDevices::*button;
    int up;
    const char *downCode, *upCode;
};
const CutOut CutOuts[3] = {
    {&DeskDevices::VZM, 131, "Error 60VZM-Md", "Error 60VZM-Mu"},
    {&DeskDevices::VZIKLada, 334, "Error 60VZIKL-Md", "Error 60VZIKL-Mu"},
    {&DeskDevices::VZ, 358, "Error 60VZ-Md", "Error 60VZ-Mu"},
};

} // namespace

void DNClick(App &app)
{
    DeskDevices &d = app.A6().devices;
    const bool dim = !d.DN2->visible();
    d.DN2->setVisible(dim);
    takeStockPicture(app, *d.DN, dim ? QStringLiteral("RadicP1") : QStringLiteral("RadicL1"));
    d.DN->setLeft(d.DN->left() + (dim ? 3 : -3));
    shadeTrackLamps(app, dim);
}

void ZatemneniDblClick(App &app)
{
    ui::Image *button = app.A6().devices.Zatemneni;
    if (button->height() == 17) {
        takeStockPicture(app, *button, QStringLiteral("Tl"));
        button->setTransparent(true);
    }
    if (button->height() == 21)
        takeStockPicture(app, *button, QStringLiteral("Tl2"));
}

void ZatemneniMouseDown(App &app)
{
    TA6 &a6 = app.A6();
    DeskDevices &d = a6.devices;
    if (d.Zatemneni->height() != 14)
        return;
    if (d.Zatemneni->top() == a6.Deska->top() + 358) {
        d.Zatemneni->setTop(a6.Deska->top() + 360);
        d.Zatemneni2->show();
        shadeTrackLamps(app, true);
    } else {
        d.Zatemneni->setTop(a6.Deska->top() + 358);
        d.Zatemneni->setTransparent(false);
        takeStockPicture(app, *d.Zatemneni, QStringLiteral("Tl2"));
        d.Zatemneni2->hide();
        shadeTrackLamps(app, false);
    }
}

void BellCutOutDown(App &app, int b)
{
    const CutOut &c = CutOuts[b];
    unitGuard(app, QString::fromLatin1(c.downCode), [&] {
        TA1 &a1 = app.A1();
        TA6 &a6 = app.A6();
        (a6.devices.*c.button)->setTop(a6.Deska->top() + c.up + 2);
        if (b == 1) {
            a1.ZvonekIKLada->setChecked(false);
            return;
        }
        a1.ZvonekTSM->setChecked(false);
        if (b == 2) {
            a1.ZvonekIKLada->setChecked(false);
            a1.ZvonekPorIsSt->setChecked(false);
        }
    });
}

void BellCutOutUp(App &app, int b)
{
    const CutOut &c = CutOuts[b];
    unitGuard(app, QString::fromLatin1(c.upCode), [&] {
        TA6 &a6 = app.A6();
        (a6.devices.*c.button)->setTop(a6.Deska->top() + c.up);
    });
}

void PorIsStMouseDown(App &app)
{
    unitGuard(app, QStringLiteral("Error 60PoIS"), [&] {
        TA6 &a6 = app.A6();
        DeskDevices &d = a6.devices;
        const int up = a6.Deska->top() + 334;
        const bool pressed = d.PorIsSt->top() != up + 2;
        d.PorIsSt->setTop(pressed ? up + 2 : up);
        app.A1().ZvonekPorIsSt->setChecked(pressed != d.PorIsSt2->visible());
    });
}

} // namespace devices
