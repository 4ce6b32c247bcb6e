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

/** Menu item "Sousední dopravny": shows A1's neighbour-stations face. */
void J3Click(App &app);
/** Menu item "Diagnostika": shows A1's diagnostics face. */
void J9Click(App &app);

} // namespace frame
