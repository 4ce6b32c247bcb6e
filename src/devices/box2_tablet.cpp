/** @file box2_tablet.cpp Box 2's drop tablet, pulled down or pushed up by the player, or dropped and raised by a click. */
#include "core/sounds.h"
#include "devices/box2_parts.h"
#include "devices/device_guards.h"

namespace devices::box2 {

namespace {

constexpr int Raised = 1;
constexpr int Dropped = 85;

/** @return the shade of a tablet of this height: grey while raised, white once dropped. */
QColor shadeOf(int height)
{
    if (height < 11)
        return QColor(0xBB, 0xBB, 0xBB);
    if (height < 32)
        return QColor(0xCC, 0xCC, 0xCC);
    if (height < 53)
        return QColor(0xDD, 0xDD, 0xDD);
    if (height < 74)
        return QColor(0xEE, 0xEE, 0xEE);
    return QColor(0xFF, 0xFF, 0xFF);
}

ui::Control &tablet(const App &app)
{
    return a8(app, "DestickaA");
}

/** Drops the tablet all the way, with its sound. */
void drop(App &app, ui::Control &t)
{
    t.setHeight(Dropped);
    t.setColor(shadeOf(Dropped));
    core::playSound(app, app.A1().SndDestickaOn);
}

/** Raises the tablet all the way, with its sound. */
void raise(App &app, ui::Control &t)
{
    t.setHeight(Raised);
    t.setColor(shadeOf(Raised));
    core::playSound(app, app.A1().SndDestickaOff);
}

} // namespace

void DestickaAMouseDown(App &app, int y)
{
    unitGuard(app, QStringLiteral("Error 80DsA-Md"), [&] {
        DragState &d = dragState(app);
        d.tabletAnchor = y;
        d.tabletPress = y;
        d.tablet = true;
    });
}

void DestickaAMouseMove(App &app, int y)
{
    unitGuard(app, QStringLiteral("Error 80DsA-Mm"), [&] {
        DragState &d = dragState(app);
        if (!d.tablet)
            return;
        ui::Control &t = tablet(app);
        /* Steps shrink as the tablet hangs lower: 6 px from the top, 2 px near the bottom. */
        if (y > d.tabletAnchor + 2) {
            if (t.height() < Dropped)
                t.setHeight(std::min(Dropped, t.height() + 2 + (Dropped - t.height()) / 20));
            d.tabletAnchor = y;
        }
        if (y < d.tabletAnchor - 2) {
            if (t.height() > Raised)
                t.setHeight(std::max(Raised, t.height() - 2 - (Dropped - t.height()) / 20));
            d.tabletAnchor = y;
        }
        t.setColor(shadeOf(t.height()));
    });
}

void DestickaAMouseUp(App &app, int y)
{
    unitGuard(app, QStringLiteral("Error 80DsA-Mu"), [&] {
        DragState &d = dragState(app);
        d.tablet = false;
        ui::Control &t = tablet(app);
        if (t.height() >= 2 && t.height() <= 84)
            drop(app, t);
        if (y > d.tabletPress - 2 && y < d.tabletPress + 2) {
            if (t.height() > Raised)
                raise(app, t);
            else
                drop(app, t);
        }
    });
}

} // namespace devices::box2
