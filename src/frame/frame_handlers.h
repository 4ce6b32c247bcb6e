/** @file frame_handlers.h The handlers of the main menu and the workplace frame. */
#pragma once

namespace ui {
class Form;
}
class App;

namespace frame {

/** Wires the menu's handlers to A0. */
void wireA0(App &app);
/** Wires the frame's handlers to a newly created workplace view (A5 .. A8). */
void wireWorkplace(App &app, ui::Form &view);

/** The start item: starts a game while it reads "Spustit hru", else returns to the desk. */
void H9Click(App &app);
/** The end item "Ukončit hru": throws the game away by creating the game's forms anew. */
void H5Click(App &app);

/** Wires the timetable choice `A0.G6`: its click and its hover. */
void wireTimetableChoice(App &app);
/**
 * The timetable choice: while its label shows the hover colour and no game
 * runs, moves to the next timetable file of the folder "Gvd", or to none
 * after the last, and loads it with its vehicles file.
 */
void G6Click(App &app);
/** The pointer over the timetable choice: its resting navy label turns blue. */
void G6MouseMove(App &app);

/** Menu item "Sousední dopravny": shows A1's neighbour-stations face. */
void J3Click(App &app);
/** Menu item "Diagnostika": shows A1's diagnostics face. */
void J9Click(App &app);

} // namespace frame
