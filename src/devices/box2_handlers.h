/** @file box2_handlers.h The handlers of signal box 2's devices: knobs, block levers, point motors, buttons. */
#pragma once

#include "devices/box2_state.h"

#include <QString>

class App;
class TA8;

namespace devices {

/* Creation and wiring (box2_devices.cpp, box2_wiring.cpp). */

/**
 * Creates the devices of a newly created box 2 at their design places and
 * in their start state: knobs, point controllers, buttons, switches, the
 * ammeter, the point motors' timers, tags and the consent label. Runs
 * before the signalling adds its lamps, so that it finds these.
 */
void addBox2Devices(App &app, TA8 &a8);
/** Wires the handlers of box 2's devices and lights the points' end lamps; runs once the box has all its parts. */
void wireA8(App &app);

/* The handlers, apart from the desk's and box 1's of the same names. */
namespace box2 {

/* Knobs and point controllers (box2_knobs.cpp). */

/** The twelve rotary knobs of box 2, in the order of their flags. */
enum class Knob { NavCH, I1, I4, I7, IK, IA, ID, IH, IO, IR, IV, IY };

/** A knob was pressed at X: it may be dragged from there ("Error A8NCH-A" ...). */
void KnobMouseDown(App &app, Knob knob, int x);
/** The mouse moved to X over a pressed knob: the drag rule turns it one step at most ("-B"). */
void KnobMouseMove(App &app, Knob knob, int x);
/** A knob was let go ("-C"). */
void KnobMouseUp(App &app, Knob knob);
/** @return the knob's name on A8, "NavCH". */
QString knobName(Knob knob);

/* Block levers (box2_levers.cpp). */

/** The four block levers of box 2. */
enum class Lever { SouLc1, NavCHDo, ZavCH, NavCHOd };

/** A block lever pressed: 2 px down, and 5 px further with its write when its condition holds. */
void LeverMouseDown(App &app, Lever lever);
/** A block lever released: the block stops and the lever springs back level with its partner. */
void LeverMouseUp(App &app, Lever lever);

/* Point motors, crossing and switches (box2_points.cpp). */

/**
 * One tick of a point motor: the points move one step towards the end
 * their controller stands for, and the run ends at that end.
 * @param motor 10 (points 9 and 10), 11, 12 or 13.
 */
void TimerVymenaTimer(App &app, int motor);
/** `A8.Ampermetr` changed: the needle stands deflected while it counts a motor. */
void AmpermetrChange(App &app);
/** The motor cut-out switch clicked: in or out. */
void NVPClick(App &app);
/** A double click on an emergency point button: covered becomes sealed, sealed becomes bare. */
void NPVDblClick(App &app, int motor);
/** An emergency point button pressed: a bare one starts its motor (or pushes the points off their end). */
void NPVMouseDown(App &app, int motor);
/** An emergency point button released: back up; buttons 11 .. 13 are sealed again. */
void NPVMouseUp(App &app, int motor);
/** The crossing's close button `G5` clicked. */
void G5Click(App &app);
/** The crossing's open button `G6` pressed. */
void G6MouseDown(App &app);
/** The crossing's open button `G6` released. */
void G6MouseUp(App &app);
/** The repeater button of Lc1 pressed: gives or takes back "Opak.výstrahy". */
void Lc1MouseDown(App &app);
/** The repeater button of Lc1 released. */
void Lc1MouseUp(App &app);
/** The call-on button of the entry signal S pressed: "PN" while held, when the desk has released it. */
void G8MouseDown(App &app);
/** The call-on button released: "PN" goes back to "Stůj". */
void G8MouseUp(App &app);
/** The switch `G4` clicked: it turns and its lamp `G3` follows it. */
void G4Click(App &app);

/* Auxiliary devices (box2_aux.cpp, box2_tablet.cpp). */

/** The tablet (or its handle) pressed at Y ("Error 80DsA-Md"). */
void DestickaAMouseDown(App &app, int y);
/** The mouse moved to Y over the pressed tablet ("Error 80DsA-Mm"). */
void DestickaAMouseMove(App &app, int y);
/** The tablet let go at Y ("Error 80DsA-Mu"). */
void DestickaAMouseUp(App &app, int y);
/** The bell to the desk pressed: the block timer runs and drops the desk's tablet of line C. */
void ZvonekMouseDown(App &app);
/** The bell released. */
void ZvonekMouseUp(App &app);
/** The crank taken: its animation turns. */
void KlikaMouseDown(App &app);
/** The crank let go. */
void KlikaMouseUp(App &app);
/** A double click on an emergency lock release; field 0 is `NVZSouLc1`, 1 `NVZZavCH`. */
void NVZDblClick(App &app, int which);
/** A double click on an emergency train-passed button; 0 is `NVTCHDo`, 1 `NVTCHOd`. */
void NVTDblClick(App &app, int which);
/** An emergency train-passed button pressed: a ready one sets its train-passed field. */
void NVTMouseDown(App &app, int which);
/** An emergency train-passed button released: it needs another double click before its next use. */
void NVTMouseUp(App &app, int which);
/** The bell cut-out switch clicked. */
void VZClick(App &app);
/** A push button `NKO`, `NNP` or `ONP` pressed; `ONP` counts its use. */
void PushButtonMouseDown(App &app, const QString &button);
/** A push button `NKO`, `NNP` or `ONP` released. */
void PushButtonMouseUp(App &app, const QString &button);
/** A double click on the sealed button `NTCH` breaks its seal. */
void NTCHDblClick(App &app);
/** The bare `NTCH` pressed. */
void NTCHMouseDown(App &app);
/** `NTCH` released: up, and sealed again. */
void NTCHMouseUp(App &app);
/** A double click on a tag's holder hangs the tag; 0 is the exit lever's, 1 the entry lever's. */
void CedDblClick(App &app, int which);
/** A double click on a hanging tag takes it off. */
void CedulkaDblClick(App &app, int which);
/** The consent to shunt clicked: the unit waiting on side C comes back onto its track. */
void SPCClick(App &app);

} // namespace box2

} // namespace devices
