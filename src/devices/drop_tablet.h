/** @file drop_tablet.h The drop tablets' mechanics: pulled down, pushed up, dropped or raised by a click. */
#pragma once

class App;

namespace ui {
class Control;
}

namespace devices {

/** The drag of a group of tablets: one anchor and press place shared by the group, a flag per tablet. */
struct TabletDrag {
    int anchor = 0; ///< Y the tablet last moved from.
    int press = 0;  ///< Y of the press.
};

/** A press on a tablet or its grip: the drag starts at y. */
void tabletDown(TabletDrag &drag, bool &dragging, int y);
/**
 * A move while the tablet is dragged: beyond 2 px from the anchor it grows
 * or shrinks by a step that gets smaller as it drops, and takes the shade
 * of its height.
 */
void tabletMove(ui::Control &tablet, TabletDrag &drag, bool dragging, int y);
/**
 * The release: a tablet left half way drops all the way; then a click
 * (released within 2 px of the press) raises a dropped tablet or drops a
 * raised one. Dropping and raising sound.
 */
void tabletUp(App &app, ui::Control &tablet, const TabletDrag &drag, bool &dragging, int y);

} // namespace devices
