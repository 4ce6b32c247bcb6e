/** @file device_handlers.h The handlers of the dispatcher's desk devices and the desk's lock engine. */
#pragma once

#include <QString>

class App;
class TA6;

namespace ui {
class Image;
}

namespace devices {

/** Wires the device handlers to a newly created desk A6 and gives its devices their stock pictures. */
void wireA6(App &app);

/**
 * One tick of the desk's lock timer `A1.ZaverDK`: the first tick after a
 * press starts the hum, the magneto or the crank (Interval 300 becomes
 * 200); every later tick steps the block fields of the held device.
 * Called by the timer's handler only; it never switches the timer off.
 */
void ZaverDKStep(App &app);

/** The devices the lock engine acts for; the first eleven are the levers, in the desk's order. */
enum class HeldDevice {
    PakaNavBOd, PakaZavB, PakaNavBDo, PakaSouLc1, PakaNavMOd, PakaZavM, PakaNavMDo, PakaNavCHDo, PakaZavCH,
    PakaNavCHOd, PakaTSCH, NRB, NRM, NRCH, ZvonekA, ZvonekB, ZvonekC, ZvonekD,
};
/** Number of levers at the head of `HeldDevice`. */
constexpr int LeverCount = 11;

/** @return whether a device is held: its Top against that of its neighbour device. */
bool isHeld(const TA6 &a6, HeldDevice device);
/**
 * @return the magneto turned with the held device: magneto A for the
 * levers of lines A and B, bells A and B and `NRB`, otherwise magneto B.
 */
ui::Image *magnetoOfHeld(const TA6 &a6);

/* Track knobs (0 A, 1 B, 2 C) and route locks (0 A .. 4 E); y and x within the device's picture. */
/** Takes a track knob, only while its line's route lock is at rest. */
void KnobDragStart(App &app, int knob, int y);
/** Moves a taken knob one stop of 4 px when the mouse has gone past the threshold, under the lines' rules. */
void KnobDragMove(App &app, int knob, int y);
/** Lets a knob go where it stands. */
void KnobDragEnd(App &app, int knob);
/** Takes a route lock, only while its line's fields rest and its knob stands on an open track. */
void LockDragStart(App &app, int lock, int x);
/** Turns a taken lock past the threshold: to a side from rest, writing the route, or back to rest. */
void LockDragMove(App &app, int lock, int x);
/** Lets a lock go where it stands. */
void LockDragEnd(App &app, int lock);

/* Levers (index into `HeldDevice`, 0 .. 10) and magnetos (0 A, 1 B). */
/** Presses a lever: it dips, and goes right down and starts the lock timer when its interlocking allows. */
void LeverMouseDown(App &app, int lever);
/** Lets a lever go: the lock timer, magneto glow and crank stop and the lever returns to rest. */
void LeverMouseUp(App &app, int lever);
/** Turns a magneto: the magneto becomes the current source. */
void InduktorMouseDown(App &app, int magneto);
/** Lets a magneto go back to rest. */
void InduktorMouseUp(App &app, int magneto);

/* Bells (0 A .. 3 D), cranks (0 L, 1 P) and lever tags (0 BOd, BDo, MOd, MDo, CHDo, 5 CHOd). */
/** Presses a bell: the lock timer runs and its engine calls the box while the bell is held. */
void ZvonekMouseDown(App &app, int bell);
/** Lets a bell go: bell and magneto back to rest, the lock timer stopped. */
void ZvonekMouseUp(App &app, int bell);
/** Turns a crank: the crank becomes the current source. */
void KlikaMouseDown(App &app);
/** Lets a crank go. */
void KlikaMouseUp(App &app);
/** Hangs a tag on its lever. */
void CedDblClick(App &app, int tag);
/** Takes a tag off its lever. */
void CedulkaDblClick(App &app, int tag);

/* Line release buttons (0 NRB, 1 NRM, 2 NRCH) and emergency stepping buttons (0 .. 9 in lever order). */
/** Presses a line release button: it counts the use and starts the lock timer. */
void NRMouseDown(App &app, int button);
/** Lets a line release button go: the lock timer stops and the magneto returns. */
void NRMouseUp(App &app, int button);
/** @return the counter text after one more use: five digits, 99999 wraps to 00000; throws on a text that is not five digits. */
QString nextCounterText(const QString &text);
/** Works an emergency button: breaks its seal, starts a cycle, or steps its field one step. */
void NVZDblClick(App &app, int button);

/* Drop tablets (0 A .. 3 D), keys (0 A, 1 B, 2 C) and the approach-device buttons. */
/** Takes a tablet (or its handle) at y. */
void TabletDown(App &app, int tablet, int y);
/** Pulls a taken tablet down or pushes it up, in steps that shrink towards the bottom. */
void TabletMove(App &app, int tablet, int y);
/** Lets a tablet go: a partial one drops; a click raises a dropped one or drops a raised one. */
void TabletUp(App &app, int tablet, int y);
/** Takes a key at x. */
void KeyDragStart(App &app, int key, int x);
/** Turns a taken key one position per 20 px, while its line's exit release rests. */
void KeyDragMove(App &app, int key, int x);
/** Lets a key go where it stands. */
void KeyDragEnd(App &app, int key);
/** @return position + 1 past 20 px right of the anchor, position - 1 past 20 px left of it, else position. */
int DeadZoneStep(int x, int anchor, int position);
/** Presses the approach button: "Otevřený" becomes "Přibližovací". */
void VudTlvDown(App &app);
/** Presses the opening button: "Přibližovací" becomes "Otevřený". */
void VudTloDown(App &app);
/** Lets an approach-device button back up. */
void VudButtonUp(App &app, bool tlv);

/* Call-on buttons (0 PNL, 1 PNML, 2 PNS). */
/** Breaks a call-on button's seal, or seals an open one again and puts its lamp out. */
void PNDblClick(App &app, int button);
/** Presses an open call-on button: counts and lights the box's permission, or puts it out again. */
void PNMouseDown(App &app, int button);
/** Advances a use counter through the counter library of the data directory; throws on any failure. */
QString advanceUseCounter(App &app, const QString &counterText);

/* Switches; the bell cut-outs are 0 `VZM`, 1 `VZIKLada`, 2 `VZ`. */
/** Switches day and night: the track view's lamps dimmed or bright. */
void DNClick(App &app);
/** Takes the dimming button's cover or seal off, one stage a double click. */
void ZatemneniDblClick(App &app);
/** Presses the open dimming button: dims the lamps, or brightens them and seals the button again. */
void ZatemneniMouseDown(App &app);
/** Presses a bell cut-out: its bells are switched off. */
void BellCutOutDown(App &app, int button);
/** Lets a bell cut-out back up. */
void BellCutOutUp(App &app, int button);
/** Presses or releases the fault acknowledge; the fault bell follows it and the fault lamp. */
void PorIsStMouseDown(App &app);

/* Line-B block buttons. */
/** Gives Struhy the line-B consent it asked for. */
void TSMMouseDown(App &app);
/** Lets the consent button back up. */
void TSMMouseUp(App &app);
/** Asks Struhy for the consent back; Struhy answers after 5 to 9 seconds. */
void ZSMMouseDown(App &app);
/** Lets the ask-back button back up. */
void ZSMMouseUp(App &app);
/** Sends the arrival report of a train from line B, which frees the line under the block. */
void ODHLMMouseDown(App &app);
/** Lets the arrival-report button back down to its row. */
void ODHLMMouseUp(App &app);

} // namespace devices
