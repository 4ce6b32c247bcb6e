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
void KnobDragStart(App &app, int knob, int y);
void KnobDragMove(App &app, int knob, int y);
void KnobDragEnd(App &app, int knob);
void LockDragStart(App &app, int lock, int x);
void LockDragMove(App &app, int lock, int x);
void LockDragEnd(App &app, int lock);

/* Levers (index into `HeldDevice`, 0 .. 10) and magnetos (0 A, 1 B). */
void LeverMouseDown(App &app, int lever);
void LeverMouseUp(App &app, int lever);
void InduktorMouseDown(App &app, int magneto);
void InduktorMouseUp(App &app, int magneto);

/* Bells (0 A .. 3 D), cranks (0 L, 1 P) and lever tags (0 BOd, BDo, MOd, MDo, CHDo, 5 CHOd). */
void ZvonekMouseDown(App &app, int bell);
void ZvonekMouseUp(App &app, int bell);
void KlikaMouseDown(App &app);
void KlikaMouseUp(App &app);
void CedDblClick(App &app, int tag);
void CedulkaDblClick(App &app, int tag);

/* Line release buttons (0 NRB, 1 NRM, 2 NRCH) and emergency stepping buttons (0 .. 9 in lever order). */
void NRMouseDown(App &app, int button);
void NRMouseUp(App &app, int button);
/** @return the counter text after one more use: five digits, 99999 wraps to 00000; throws on a text that is not five digits. */
QString nextCounterText(const QString &text);
void NVZDblClick(App &app, int button);

/* Drop tablets (0 A .. 3 D), keys (0 A, 1 B, 2 C) and the approach-device buttons. */
void TabletDown(App &app, int tablet, int y);
void TabletMove(App &app, int tablet, int y);
void TabletUp(App &app, int tablet, int y);
void KeyDragStart(App &app, int key, int x);
void KeyDragMove(App &app, int key, int x);
void KeyDragEnd(App &app, int key);
/** @return position + 1 past 20 px right of the anchor, position - 1 past 20 px left of it, else position. */
int DeadZoneStep(int x, int anchor, int position);
void VudTlvDown(App &app);
void VudTloDown(App &app);
void VudButtonUp(App &app, bool tlv);

/* Call-on buttons (0 PNL, 1 PNML, 2 PNS). */
void PNDblClick(App &app, int button);
void PNMouseDown(App &app, int button);
/** Advances a use counter through the counter library of the data directory; throws on any failure. */
QString advanceUseCounter(App &app, const QString &counterText);

/* Switches. */
void DNClick(App &app);
void ZatemneniDblClick(App &app);
void ZatemneniMouseDown(App &app);
void BellCutOutDown(App &app, int button);
void BellCutOutUp(App &app, int button);
void PorIsStMouseDown(App &app);

/* Line-B block buttons. */
void TSMMouseDown(App &app);
void TSMMouseUp(App &app);
void ZSMMouseDown(App &app);
void ZSMMouseUp(App &app);
void ODHLMMouseDown(App &app);
void ODHLMMouseUp(App &app);

} // namespace devices
