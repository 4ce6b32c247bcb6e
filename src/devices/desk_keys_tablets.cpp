/** @file desk_keys_tablets.cpp The desk's line keys, drop tablets and the buttons of the approach device. */
#include "core/app.h"
#include "core/form_a1.h"
#include "devices/device_guards.h"
#include "devices/device_handlers.h"
#include "devices/form_a6.h"

namespace devices {

namespace {

const char *const TabletCodes[4][3] = {{"Error 62B1", "Error 62B2", "Error 62B3"},
                                       {"Error 62B4", "Error 62B5", "Error 62B6"},
                                       {"Error 62B7", "Error 62B8", "Error 62B9"},
                                       {"Error 62C0", "Error 62C1", "Error 62C2"}};
const char *const KeyCodes[3][3] = {{"Error 62D1", "Error 62D2", "Error 62D3"},
                                    {"Error 62D4", "Error 62D5", "Error 62D6"},
                                    {"Error 62D7", "Error 62D8", "Error 62D9"}};
/** Rest Lefts of the keys relative to Blok.Left; turned they stand 18 px further right. */
const int KeyRest[3] = {339, 724, 839};

ui::Image *key(TA6 &a6, int k)
{
    return k == 0 ? a6.devices.KlicA : k == 1 ? a6.devices.KlicB : a6.devices.KlicC;
}

/** @return a key's position: 1 at rest, 2 turned half, 3 turned. */
int keyPosition(TA6 &a6, int k)
{
    ui::Image *img = key(a6, k);
    if (img->left() - a6.Blok->left() == KeyRest[k])
        return 1;
    return img->top() - a6.Blok->top() == 213 ? 2 : 3;
}

} // namespace

void TabletDown(App &app, int t, int y)
{
    unitGuard(app, TabletCodes[t][0], [&] {
        DeskDevices &d = app.A6().devices;
        tabletDown(d.tablets, d.tabletDragging[t], y);
    });
}

void TabletMove(App &app, int t, int y)
{
    unitGuard(app, TabletCodes[t][1], [&] {
        DeskDevices &d = app.A6().devices;
        tabletMove(*d.Desticka[t], d.tablets, d.tabletDragging[t], y);
    });
}

void TabletUp(App &app, int t, int y)
{
    unitGuard(app, TabletCodes[t][2], [&] {
        DeskDevices &d = app.A6().devices;
        tabletUp(app, *d.Desticka[t], d.tablets, d.tabletDragging[t], y);
    });
}

int DeadZoneStep(int x, int anchor, int position)
{
    if (x > anchor + 20)
        return position + 1;
    if (x < anchor - 20)
        return position - 1;
    return position;
}

void KeyDragStart(App &app, int k, int x)
{
    unitGuard(app, KeyCodes[k][0], [&] {
        DeskDevices &d = app.A6().devices;
        d.keyAnchor = x;
        d.keyDragging[k] = true;
    });
}

void KeyDragMove(App &app, int k, int x)
{
    unitGuard(app, KeyCodes[k][1], [&] {
        TA1 &a1 = app.A1();
        TA6 &a6 = app.A6();
        DeskDevices &d = a6.devices;
        ui::SpinEdit *gates[3] = {a1.NavBDo, a1.NavMDo, a1.NavCHDo};
        if (!d.keyDragging[k] || gates[k]->value() != 1)
            return;
        const int p = keyPosition(a6, k);
        const int q = DeadZoneStep(x, d.keyAnchor, p);
        if (q == p || q < 1 || q > 3)
            return;
        d.keyAnchor = x;
        ui::Image *img = key(a6, k);
        takeStockPicture(app, *img, q == 1 ? QStringLiteral("KlicOff") : q == 2 ? QStringLiteral("Klic0")
                                                                                : QStringLiteral("KlicOn"));
        img->setLeft(a6.Blok->left() + KeyRest[k] + (q == 1 ? 0 : 18));
        img->setTop(a6.Blok->top() + (q == 2 ? 213 : 231));
        if (q != 2)
            d.keyDragging[k] = false;
    });
}

void KeyDragEnd(App &app, int k)
{
    unitGuard(app, KeyCodes[k][2], [&] { app.A6().devices.keyDragging[k] = false; });
}

void VudTlvDown(App &app)
{
    unitGuard(app, QStringLiteral("Error 62C6"), [&] {
        TA6 &a6 = app.A6();
        a6.VUDTlv->setTop(a6.Blok->top() + 200);
        if (app.A1().VUD->text() == QStringLiteral("Otevřený"))
            app.A1().VUD->setText(QStringLiteral("Přibližovací"));
    });
}

void VudTloDown(App &app)
{
    unitGuard(app, QStringLiteral("Error 62C8"), [&] {
        TA6 &a6 = app.A6();
        a6.VUDTlo->setTop(a6.Blok->top() + 200);
        if (app.A1().VUD->text() == QStringLiteral("Přibližovací"))
            app.A1().VUD->setText(QStringLiteral("Otevřený"));
    });
}

void VudButtonUp(App &app, bool tlv)
{
    unitGuard(app, tlv ? QStringLiteral("Error 62C7") : QStringLiteral("Error 62C9"), [&] {
        TA6 &a6 = app.A6();
        (tlv ? a6.VUDTlv : a6.VUDTlo)->setTop(a6.Blok->top() + 198);
    });
}

} // namespace devices
