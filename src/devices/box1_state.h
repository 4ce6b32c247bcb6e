/** @file box1_state.h What signal box 1's devices remember between the events of one gesture. */
#pragma once

#include "devices/drop_tablet.h"

#include <array>

namespace devices {

/** The knobs of box 1 in the order of their row: signal knobs, shunting-signal knobs, route locks. */
enum Box1Knob { KnobNavB, KnobNavM, KnobSe1, KnobSe2, KnobSe3, Lock1, Lock2, Lock3, Lock4, Lock5, Lock6, KnobCount };

/**
 * The drag and hand state of box 1, kept with the form so that a new game
 * starts with nothing held.
 */
struct Box1State {
    std::array<bool, KnobCount> knobDragging{}; ///< One flag per knob while the player drags it.
    int knobOrigin = 0;                          ///< X of the last press or step, shared by all knobs.
    /**
     * The mechanical lever in the hand: 0 none; an ordinary lever 1 taken
     * from its lower end (lever 9 from its upper), 2 from the other; the
     * lock levers 3 and 7 use 1 .. 6.
     */
    int leverInHand = 0;
    std::array<bool, 2> tabletDragging{}; ///< Tablets A and B.
    TabletDrag tablets;                   ///< The drag shared by both tablets.
    std::array<int, 2> nvzDirection{};    ///< Emergency route-lock buttons B, M: 1 stepping down, 2 up.
};

} // namespace devices
