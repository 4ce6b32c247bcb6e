/** @file drop_tablet.cpp The drop tablets' mechanics: pulled down, pushed up, dropped or raised by a click. */
#include "devices/drop_tablet.h"

#include "core/app.h"
#include "core/form_a1.h"
#include "core/sounds.h"
#include "ui/control.h"

#include <algorithm>

namespace devices {

namespace {

/** Heights of a raised and a dropped tablet. */
constexpr int Raised = 1, Dropped = 85;

/** @return the shade of a tablet of this height: grey when raised, white when dropped. */
QColor shade(int height)
{
    const int v = height < 11 ? 0xBB : height < 32 ? 0xCC : height < 53 ? 0xDD : height < 74 ? 0xEE : 0xFF;
    return QColor(v, v, v);
}

void drop(App &app, ui::Control &tablet)
{
    tablet.setHeight(Dropped);
    tablet.setColor(shade(Dropped));
    core::playSound(app, app.A1().SndDestickaOn);
}

} // namespace

void tabletDown(TabletDrag &drag, bool &dragging, int y)
{
    drag.anchor = y;
    drag.press = y;
    dragging = true;
}

void tabletMove(ui::Control &tablet, TabletDrag &drag, bool dragging, int y)
{
    if (!dragging)
        return;
    if (y > drag.anchor + 2) {
        if (tablet.height() < Dropped)
            tablet.setHeight(std::min(Dropped, tablet.height() + 2 + (Dropped - tablet.height()) / 20));
        drag.anchor = y;
    }
    if (y < drag.anchor - 2) {
        if (tablet.height() > Raised)
            tablet.setHeight(std::max(Raised, tablet.height() - 2 - (Dropped - tablet.height()) / 20));
        drag.anchor = y;
    }
    tablet.setColor(shade(tablet.height()));
}

void tabletUp(App &app, ui::Control &tablet, const TabletDrag &drag, bool &dragging, int y)
{
    dragging = false;
    if (tablet.height() >= 2 && tablet.height() <= Dropped - 1)
        drop(app, tablet);
    if (drag.press - 2 < y && y < drag.press + 2) {
        if (tablet.height() > Raised) {
            tablet.setHeight(Raised);
            tablet.setColor(shade(Raised));
            core::playSound(app, app.A1().SndDestickaOff);
        } else {
            drop(app, tablet);
        }
    }
}

} // namespace devices
