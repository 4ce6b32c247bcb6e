/** @file box1_handlers.h The handlers of signal box 1's devices. */
#pragma once

#include "devices/box1_state.h"

class App;
class TA7;

namespace devices {

/** Creates the devices of box 1 that its form does not hold yet, at their places. */
void buildBox1Devices(TA7 &a7);
/** Wires the device handlers to a newly created box 1 and gives its devices their stock pictures. */
void wireA7(App &app);

/* Signal knobs, shunting-signal knobs and route locks; x within the knob's picture. */

/** Grasps a knob: the signal knobs only while their line's route is locked in the box. */
void Box1KnobDown(App &app, Box1Knob knob, int x);
/** Drags a grasped knob: each crossing of its threshold tries one step. */
void Box1KnobMove(App &app, Box1Knob knob, int x);
/** Lets a knob go. */
void Box1KnobUp(App &app, Box1Knob knob);

/* Block levers, in the row's order: 0 PakaNavBOd, ZavB, NavBDo, NavMDo, ZavM, 5 PakaNavMOd. */

/** A block lever pressed: 2 px down, and home when its line allows it, starting the box's block. */
void Box1LeverDown(App &app, int lever);
/** A block lever let go: the block stops and the lever springs back level with its partner. */
void Box1LeverUp(App &app, int lever);
/**
 * The block's part of a release of a block lever or a bell: the crank timer
 * stops at rest, the magneto's glows go out and the animations stop.
 */
void stopBox1Block(App &app);
/** The magneto pressed: the block's current source. */
void Box1InduktorDown(App &app);
/** The magneto let go. */
void Box1InduktorUp(App &app);

/* Mechanical levers 1 .. 11, the call-on buttons (0 PNL, 1 PNML) and the switch DN. */

/** Takes mechanical lever n in the hand, when its locking allows it. */
void PakaMouseDown(App &app, int n);
/** Lets go of mechanical lever n: thrown over, or back where it came from. */
void PakaMouseUp(App &app, int n);
/** A call-on button pressed: with its permission lit, the entry signal shows "PN". */
void Box1PNDown(App &app, int button);
/** A call-on button let go: "PN" back to "Stůj". */
void Box1PNUp(App &app, int button);
/** The switch DN: its lamp on or off. */
void Box1DNClick(App &app);

/* Auxiliary devices: tablets and bells 0 A, 1 B; cranks; emergency buttons; tags 0 BOd, BDo, MOd, 3 MDo. */

void Box1TabletDown(App &app, int tablet, int y);
void Box1TabletMove(App &app, int tablet, int y);
void Box1TabletUp(App &app, int tablet, int y);
void Box1ZvonekDown(App &app, int bell);
void Box1ZvonekUp(App &app, int bell);
void Box1KlikaDown(App &app);
void Box1KlikaUp(App &app);
/** An emergency route-lock button (0 NVZZavB, 1 NVZZavM) double-clicked: unseal, arm, or one step. */
void Box1NVZDblClick(App &app, int button);
/** Emergency train-passed buttons, 0 NVTBOd, NVTBDo, NVTMOd, 3 NVTMDo. */
void Box1NVTDblClick(App &app, int button);
void Box1NVTDown(App &app, int button);
void Box1NVTUp(App &app, int button);
/** The trailing-points bell switch VZ. */
void Box1VZClick(App &app);
/** A tag's holder double-clicked: the tag hangs. */
void Box1CedDblClick(App &app, int tag);
/** A hanging tag double-clicked: it is taken off. */
void Box1CedulkaDblClick(App &app, int tag);
/** A consent to shunt back clicked (0 SPA side A, 1 SPB side B). */
void Box1SPClick(App &app, int side);

} // namespace devices
