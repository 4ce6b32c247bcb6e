/** @file box1_positions.h Where signal box 1's knobs and levers stand, read from their pictures. */
#pragma once

#include "devices/box1_state.h"

#include <QString>

#include <initializer_list>

class App;
class TA7;

namespace ui {
class Image;
}

namespace devices {

/** A knob's position: at rest, turned right (rest - 4), turned left (rest - 19), or anywhere else. */
enum class KnobPosition { Rest, Right, Left, Other };

/** @return the knob's image on box 1; throws a failure of the caller when it is missing. */
ui::Image &box1Knob(const TA7 &a7, Box1Knob knob);
/** @return the knob's rest Left. */
int box1KnobRest(Box1Knob knob);
/** @return where the knob stands, compared exactly with its three places. */
KnobPosition box1KnobPosition(const TA7 &a7, Box1Knob knob);
/** @return whether the knob stands at rest. */
bool atRest(const TA7 &a7, Box1Knob knob);
/** @return whether all these knobs stand at rest. */
bool allAtRest(const TA7 &a7, std::initializer_list<Box1Knob> knobs);
/** @return whether the knob stands turned to this side. */
bool turned(const TA7 &a7, Box1Knob knob, KnobPosition side);

/** @return the head of mechanical lever n (1 .. 11). */
ui::Image &leverHead(const TA7 &a7, int n);
/** @return the base of mechanical lever n, the reference of its head. */
ui::Image &leverBase(const TA7 &a7, int n);
/** @return whether lever n stands down: its head at its base's Top + 147. */
bool leverDown(const TA7 &a7, int n);
/** @return whether lever n stands up: its head at its base's Top - 291. */
bool leverUp(const TA7 &a7, int n);
/** @return the lock text of lock lever 3 or 7: "", "Z+" or "Z-". */
QString lockText(const TA7 &a7, int lever);

} // namespace devices
