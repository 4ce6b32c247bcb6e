/** @file form_a0.h The main window A0: launcher, settings, intro slides and the screen-filling menu. */
#pragma once

#include "ui/controls.h"

/**
 * The main window. It opens as a small launcher; "Start" turns it into the
 * intro slides, the loading screen and then the menu `F0`, whose pages are
 * laid over the right half of the screen. Every control is named by its
 * grid code; the ones the code reaches often are members, the rest are
 * found by name with `get`.
 */
class TA0 : public ui::Form {
public:
    explicit TA0(platform::Platform &platform);

    /** @return the control of this name as type T; throws SimError when there is none. */
    template <class T> T &get(const QString &name) const
    {
        T *c = dynamic_cast<T *>(find(name));
        if (!c)
            throwMissing(name);
        return *c;
    }

    /* Button pictures (hidden group `GroupBox1`). */
    ui::Image *Tl1; ///< Normal.
    ui::Image *Tl2; ///< Pressed.
    ui::Image *Tl3; ///< Option on.
    ui::Image *Tl4; ///< Option off.
    ui::Image *Tl5; ///< Selected item, or the in-game button whose window is open.

    /* Launcher. */
    ui::Image *B0; ///< Background, receives the pointer.
    ui::Label *B1; ///< "Start".
    ui::Label *B2; ///< "Možnosti".
    ui::Label *B3; ///< "Konec".
    /* Settings dialog. */
    ui::GroupBox *B4;       ///< The dialog laid over the launcher.
    ui::PageControl *B5;    ///< Its tabs.
    ui::Image *C0;          ///< Small picture of the tab "Obecné".
    ui::DriveBox *C2;       ///< Drive of the data directory.
    ui::DirectoryList *C3;  ///< The data directory.
    ui::Label *C4;          ///< Path of the data directory.
    ui::CheckListBox *D5;   ///< Options; item 2 offers "Diagnostika".
    ui::Button *E4;         ///< "OK".
    /* Intro and loading. */
    ui::Image *E5, *E6, *E7; ///< The three slides.
    ui::Image *E8;           ///< Loading screen.
    ui::ProgressBar *E9;     ///< Loading progress, 0 .. 100.
    ui::Timer *X5;           ///< Slide step, 5000 ms.
    ui::Timer *X6;           ///< Layout step, 10 ms.
    ui::Timer *MenuReturn;   ///< Shows the menu again just after a workplace view was closed; off.

    /* Menu. */
    ui::Panel *F0;          ///< The menu over the whole screen.
    ui::Image *F1, *F2, *F3; ///< Top, side and bottom pictures of the left column.

    /* Game page G4. */
    ui::Shape *G5;  ///< Frame of the timetable row.
    ui::Label *G6;  ///< Timetable choice; shows the chosen timetable's title.
    ui::Shape *G7;  ///< Frame of the freight row.
    ui::Label *G8;  ///< Freight-trains option.
    ui::Label *G9;  ///< "Počáteční čas".
    ui::Shape *H0;  ///< Frame of the start time.
    ui::Label *H1;  ///< Start hour.
    ui::Label *H2;  ///< ":".
    ui::Label *H3;  ///< Start minutes.
    ui::Label *H4;  ///< Caption "Ukončit hru".
    ui::Image *H5;  ///< End item.
    ui::Label *H8;  ///< Caption of the start item: "Spustit hru" or "Pokračovat".
    ui::Image *H9;  ///< Start item.
    ui::FileList *GVD1; ///< Timetable files "*.t6g" of the folder "Gvd".
    ui::Memo *GVD2;     ///< Working copy of the file names.
    ui::Memo *Vozidla;  ///< Lines of the chosen timetable's vehicles file.

    /* In-game page I9. */
    ui::Image *J1; ///< "Uvolnit náhr.západky".
    ui::Image *J3; ///< "Sousední dopravny".
    ui::Label *J8; ///< Caption "Diagnostika".
    ui::Image *J9; ///< "Diagnostika".
    ui::Image *L0; ///< Option "Technické poruchy".

    /* Names page M2. */
    ui::Edit *M5; ///< The player's surname.
    ui::Edit *M8; ///< Line A's neighbour dispatcher.
    ui::Edit *N1; ///< Line B's neighbour dispatcher.
    ui::Edit *N4; ///< Line C's neighbour dispatcher.

private:
    [[noreturn]] static void throwMissing(const QString &name);
};
