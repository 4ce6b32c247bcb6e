/** @file box2_tablet.cpp Box 2's drop tablet, worked by the mechanics all drop tablets share. */
#include "devices/box2_parts.h"
#include "devices/device_guards.h"
#include "devices/drop_tablet.h"

namespace devices::box2 {

void DestickaAMouseDown(App &app, int y)
{
    unitGuard(app, QStringLiteral("Error 80DsA-Md"), [&] {
        DragState &d = dragState(app);
        tabletDown(d.tabletDrag, d.tablet, y);
    });
}

void DestickaAMouseMove(App &app, int y)
{
    unitGuard(app, QStringLiteral("Error 80DsA-Mm"), [&] {
        DragState &d = dragState(app);
        tabletMove(a8(app, "DestickaA"), d.tabletDrag, d.tablet, y);
    });
}

void DestickaAMouseUp(App &app, int y)
{
    unitGuard(app, QStringLiteral("Error 80DsA-Mu"), [&] {
        DragState &d = dragState(app);
        tabletUp(app, a8(app, "DestickaA"), d.tabletDrag, d.tablet, y);
    });
}

} // namespace devices::box2
