/** @file signalling_handlers.h The handlers of the signalling cells of the state store. */
#pragma once

#include <QString>

class App;

namespace signalling {

/** Wires the signalling handlers to a newly created A1. */
void wireA1(App &app);

/* Signals (aspects.cpp). */

/**
 * An aspect word changed: selects the matching row of the signal's aspect
 * list and sets the list's colour (red for "Stůj" and "Porucha", white for
 * "Posun dovolen", lime for every other aspect), then shows the signal on
 * the display: its name into `A1.C49` and a press of `A1.C60`.
 * @param signal index into `TA1::Aspect`.
 */
void AspectChange(App &app, int signal);
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

/**
 * A block field changed; redraws its window and latch.
 * @param field the field's cell name ("HrBOd"); `A1.TSCH2` comes as "TSCH".
 */
void BlockFieldChange(App &app, const QString &field);
/** A line section or the crossing post changed (`IKA`, `IKB`, `IKLada`). */
void SectionChange(App &app, const QString &section);
/** A track circuit of signal box 2 changed (`KO11`, `KO12`, `KO13`, `KOS`, `KO1a`). */
void TrackCircuitChange(App &app, const QString &circuit);
/** The approach device `A1.VUD` changed. */
void VUDChange(App &app);
/** The level crossing's state word `A1.PZZ` changed. */
void PZZChange(App &app);
/** The speed word `A1.Rychlost` changed. */
void RychlostChange(App &app);
/** The warning `A1.Varovani` changed: a non-empty warning starts the countdown `A1.VarovaniT` at 6. */
void VarovaniChange(App &app);
/**
 * A device timer of A1 fired.
 * @param timer its cell name: "Blikac", "Kmitac", "Induktor", "Klika", "ZaverDK", "ZaverSt1",
 * "ZaverSt2", "ZaverCH", "SignalistaA", "SignalistaB" or "SignalistaC".
 */
void DeviceTimer(App &app, const QString &timer);
/** A button or lever of the neighbour panels was pressed (`TSM`, `ZSM`, `ODHLM`, `VZM`, `PakaTSJ`, `PakaNavJOd`). */
void NeighbourPress(App &app, const QString &part);
/** A button or lever of the neighbour panels was released. */
void NeighbourRelease(App &app, const QString &part);
/** `A1.ScrollBar1` moved: scrolls Vrbská's panel `A1.CHBlok` inside `A1.Panel1`. */
void ScrollBar1Change(App &app);
/** "zavřít": closes A1 and gives the menu item "Sousední dopravny" its normal picture back. */
void Label1Click(App &app);

} // namespace signalling
