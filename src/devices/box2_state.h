/** @file box2_state.h What box 2's devices remember between the events of one drag. */
#pragma once

#include "devices/drop_tablet.h"

namespace devices::box2 {

/** Number of box 2's rotary knobs; their order is `devices::box2::Knob`. */
constexpr int KnobCount = 12;

/**
 * The drag state of box 2's devices: the knobs' flags and their shared
 * origin, the tablet's flag, anchor and press point, and the emergency
 * lock releases' directions. The box holds it, so it starts afresh with
 * every box.
 */
struct DragState {
    bool knob[KnobCount] = {};  ///< The knob is being dragged.
    int x0 = 0;                 ///< Origin of the knob drag, shared by all knobs.
    bool tablet = false;        ///< The tablet is being dragged.
    TabletDrag tabletDrag;      ///< The tablet's anchor and press place.
    int nvzDirection[2] = {};   ///< `NVZSouLc1`, `NVZZavCH`: 0 none, 1 stepping down, 2 stepping up.
};

} // namespace devices::box2
