/** @file frame_handlers.h The handlers of the main menu, the workplace frame and the small windows A4, A9. */
#pragma once

#include <QString>

namespace ui {
class Form;
}
class App;

namespace frame {

/** Wires every handler of A0: launcher, settings, intro, layout, menu pages and game set-up. */
void wireA0(App &app);
/** Wires the frame's handlers to a newly created workplace view (A5 .. A8). */
void wireWorkplace(App &app, ui::Form &view);
/** Wires the view switcher A9 and the traffic log A4. */
void wireSmallWindows(App &app);

/* Launcher, settings, intro and layout. */
/** Wires the launcher, the settings dialog, the slides and the layout timer, then runs the creation handler. */
void wireLauncher(App &app);
/** Creation of A0: the launcher's size and the two first settings ticked. */
void FormCreate(App &app);
/** "Start": the window covers the screen and the intro slides begin. */
void B1Click(App &app);
/** "Možnosti": the settings dialog over the launcher. */
void B2Click(App &app);
/** "Konec" of the launcher: ends the program. */
void B3Click(App &app);
/** "OK" of the settings: back to the centred launcher. */
void E4Click(App &app);
/** One step of the slide show: the next slide, or the loading screen after the last. */
void X5Timer(App &app);
/** One layout step of the loading screen; the hundredth shows the menu. */
void X6Timer(App &app);
/** A character on A0: Enter steps the slide show. */
void FormKeyPress(App &app, QChar ch);
/** Lays out the controls of one layout step (1 .. 82) from the screen size stored at start. */
void layoutMenuStep(App &app, int step);

/* Menu pages. */
/** Wires the left items, the rows' hover, the toggles, the page buttons, the in-game page and the quit page. */
void wireMenuPages(App &app);
/** Returns every highlighted caption, frame and edit of the menu to navy. */
void ResetMenuHover(App &app);
/** The pointer over a row's image, frame, edit, track or knob: the row lights up. */
void rowMouseMove(App &app, const QString &trigger);
/** "Uvolnit náhr.západky": releases the substitute latches of the block fields. */
void J1Click(App &app);
/** Menu item "Sousední dopravny": shows A1's neighbour-stations face. */
void J3Click(App &app);
/** Menu item "Diagnostika": shows A1's diagnostics face. */
void J9Click(App &app);

/* Game set-up. */
/** The start item: starts a game while it reads "Spustit hru", else returns to the desk. */
void H9Click(App &app);
/** The end item "Ukončit hru": throws the game away by creating the game's forms anew. */
void H5Click(App &app);
/** Start hour + 1, wrapping after 23. */
void H1Click(App &app);
/** Start minutes + 5, wrapping after 55. */
void H3Click(App &app);
/** Freight trains on or off. */
void G8Click(App &app);
/** Wires the game page's clicks. */
void wireGameSetup(App &app);
/**
 * The timetable choice: while its label shows the hover colour and no game
 * runs, moves to the next timetable file of the folder "Gvd", or to none
 * after the last, and loads it with its vehicles file.
 */
void G6Click(App &app);

} // namespace frame
