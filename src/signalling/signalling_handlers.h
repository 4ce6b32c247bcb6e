/** @file signalling_handlers.h The handlers of the signalling cells of the state store. */
#pragma once

#include <QString>

class App;
namespace ui {
class Form;
class Timer;
}

namespace signalling {

/** Wires the signalling handlers to a newly created A1. */
void wireA1(App &app);

/* Signals (aspects.cpp). */

/**
 * An aspect word changed: darkens the signal's lamps on the desk, its box
 * and the track view, lights those of the new word, selects the matching
 * row of the signal's aspect list and sets the list's colour (red for
 * "Stůj", "Porucha" and any word the signal does not have, white for
 * "Posun dovolen", lime for every other aspect), then shows the signal on
 * the display: its name into `A1.C49` and a press of `A1.C60`. An entry
 * signal also lights or darkens its distant-signal repeater by its fault
 * box and starts `A1.Kmitac`.
 * @param signal index into `TA1::Aspect`.
 */
void AspectChange(App &app, int signal);
/**
 * Shows or hides a signal's lamps of the given colours on the desk and on
 * its box, and on the track view when withTrackView is set.
 * @param colours a set of `LampColour` bits.
 */
void setSignalLamps(App &app, int signal, int colours, bool lit, bool withTrackView);
/**
 * The player clicked a row of an aspect list: the row's word becomes the
 * signal's aspect. Selecting a row from code runs nothing.
 * @param signal index into `TA1::AspectList`.
 */
void AspectListClick(App &app, int signal);
/** The player picked a signal in `A1.C49`: presses `A1.C60`. */
void C49Change(App &app);
/** "Obnov": shows on `A1.C51` .. `A1.C55` the lamps of the aspect of the signal named in `A1.C49`. */
void C60Click(App &app);

/* The other cells of the store (signalling_hooks.cpp). */

/* Block fields (block_fields.cpp). */

/**
 * A block field changed; redraws its window and latch from its value. The
 * redraws of the desk's and the boxes' fields report their own code and
 * pass a failure on.
 * @param field the field's cell name ("HrBOd"); `A1.TSCH2` comes as "TSCH".
 */
void BlockFieldChange(App &app, const QString &field);
/** Draws every block field that a newly created view shows (the desk also those of Vrbská's panel). */
void drawBlockFields(App &app, const ui::Form &view);

/* Block crank timers (crank_timers.cpp). */

/** The block of signal box 1 while a lever or bell is held; "Error A1ZSt1". */
void ZaverSt1Timer(App &app);
/** The block of signal box 2 while a lever or bell is held; "Error A1ZSt2". */
void ZaverSt2Timer(App &app);
/** The crank of Vrbská's panel; "Error A1ZDK". */
void ZaverCHTimer(App &app);
/** The magnetos' glow, blinking while the desk's or box 1's block runs. */
void InduktorTimer(App &app);
/** The crank handles, turning while their block runs. */
void KlikaTimer(App &app);
/** Vrbská's consent lever pressed: 7 px down, `TSJ` from 6 to 5, the crank turning. */
void PakaTSJMouseDown(App &app);
/** Vrbská's consent lever released: level with the other lever, the crank and its animations stopped. */
void PakaTSJMouseUp(App &app);
/** Vrbská's entry-release lever pressed. */
void PakaNavJOdMouseDown(App &app);
/** Vrbská's entry-release lever released. */
void PakaNavJOdMouseUp(App &app);
/**
 * The block's part of a lever's or bell's release: the crank timer stops
 * at Interval 300 and the magneto glow and crank animation stop; for box 1
 * the magneto returns to its rest, `A7.Blok`.Top + 234.
 * @param crank `A1.ZaverSt1`, `A1.ZaverSt2` or `A1.ZaverDK`.
 */
void StopBlockCrank(App &app, ui::Timer &crank);

/* Automatic signalmen (signalman*.cpp). */

/** Line A's signalman of signal box 1, timer `A1.SignalistaA`; "Error 10SigA". */
void SignalistaATimer(App &app);
/** Line B's signalman of signal box 1, timer `A1.SignalistaB`; "Error 10SigB". */
void SignalistaBTimer(App &app);
/** Line C's signalman of signal box 2, timer `A1.SignalistaC`; "Error 10SigC". */
void SignalistaCTimer(App &app);

/* Flasher (flasher.cpp). */

/** One phase of the flasher `A1.Blikac`: 500 runs a lit phase and sets 501, 501 a dark one and sets 500. */
void BlikacTimer(App &app);
/** The one-shot refresh of the desk's lamp `A6.Kmitac`, lit while an entry signal shows a 40 aspect or "PN". */
void KmitacTimer(App &app);

/* Indicators (indicators.cpp). */

/** A line section or the crossing post changed (`IKA`, `IKB`, `IKLada`): "Volná" hides its lamp, any other word shows it. */
void SectionChange(App &app, const QString &section);
/** A track circuit of signal box 2 changed (`KO11`, `KO12`, `KO13`, `KOS`, `KO1a`): its free or occupied lamp lights. */
void TrackCircuitChange(App &app, const QString &circuit);
/** The approach device `A1.VUD` changed; "L1" and "L2" pick its lamp and turn into "Otevřený". */
void VUDChange(App &app);
/** The level crossing's state word `A1.PZZ` changed: its lamps on box 2 and its road lights. */
void PZZChange(App &app);
/** The speed word `A1.Rychlost` changed: the views' speed labels, and the pause signs centred or hidden. */
void RychlostChange(App &app);
/**
 * The warning `A1.Varovani` changed: shown centred on the four views, and
 * a non-empty warning starts the countdown `A1.VarovaniT` at 6; an empty one hides it.
 */
void VarovaniChange(App &app);
/**
 * @return the handler of a device timer of A1, or null for another name.
 * @param timer its cell name: "Blikac", "Kmitac", "Induktor", "Klika", "ZaverDK", "ZaverSt1",
 * "ZaverSt2", "ZaverCH", "SignalistaA", "SignalistaB" or "SignalistaC".
 */
void (*deviceTimerHandler(const QString &timer))(App &);
/** A button or lever of the neighbour panels was pressed (`TSM`, `ZSM`, `ODHLM`, `VZM`, `PakaTSJ`, `PakaNavJOd`). */
void NeighbourPress(App &app, const QString &part);
/** A button or lever of the neighbour panels was released. */
void NeighbourRelease(App &app, const QString &part);
/* Struhy's buttons and the line-B consent (line_b_consent.cpp). */

/** Struhy's `TSM` pressed: it gives the line-B consent back while this station asks for it (blue to lime). */
void TSMMouseDown(App &app);
/** Struhy's `ZSM` pressed: it asks for the line-B consent while its `VTM` lamp is lit and the consent is here (lime to yellow). */
void ZSMMouseDown(App &app);
/** Struhy's `VZM` pressed: only its look. */
void VZMMouseDown(App &app);
/** Struhy's `ODHLM` pressed: only its look; it goes up. */
void ODHLMMouseDown(App &app);
/** A button of Struhy released: back level with its row. */
void StruhyButtonUp(App &app, const QString &button);
/**
 * The lamps of the line-B consent returned to this station: on Struhy's
 * panel `PSM` dark and `USM` lit, on the desk `USM` dark, `VTM` and `PSM` lit.
 */
void showConsentReturned(App &app);

/** `A1.ScrollBar1` moved: scrolls Vrbská's panel `A1.CHBlok` inside `A1.Panel1`. */
void ScrollBar1Change(App &app);
/** "zavřít": closes A1 and gives the menu item "Sousední dopravny" its normal picture back. */
void Label1Click(App &app);

} // namespace signalling
