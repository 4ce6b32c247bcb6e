/** @file form_a0.h The main menu A0: data directory, timetable choice, start time, start and end of a game. */
#pragma once

#include "ui/controls.h"

/** The main menu and game set-up; the main window of the program. */
class TA0 : public ui::Form {
public:
    explicit TA0(platform::Platform &platform);

    ui::DirectoryList *C3; ///< The data directory.
    ui::FileList *GVD1;    ///< Timetable files "*.t6g" of the folder "Gvd".
    ui::Memo *GVD2;        ///< Working copy of the file names.
    ui::Memo *Vozidla;     ///< Lines of the chosen timetable's vehicles file.
    ui::Image *Tl1;        ///< Normal picture of a menu button.
    ui::Image *Tl5;        ///< Selected picture of a menu button.
    ui::Label *G6;         ///< Timetable choice; shows the chosen timetable's title.
    ui::Label *G8;         ///< Freight-trains option.
    ui::Label *H1;         ///< Start hour.
    ui::Label *H2;         ///< ":".
    ui::Label *H3;         ///< Start minutes.
    ui::Label *H4;         ///< Caption "Ukončit hru".
    ui::Image *H5;         ///< End item.
    ui::Label *H8;         ///< Caption of the start item: "Spustit hru" or "Pokračovat".
    ui::Image *H9;         ///< Start item.
    ui::Image *J3;         ///< Menu item "Sousední dopravny".
    ui::Image *J9;         ///< Menu item "Diagnostika".
    ui::Label *L0;         ///< Option "Poruchy".
    ui::Edit *M5;          ///< The player's surname, signing his telephone sentences.
    ui::Edit *M8;          ///< Surname of the line-A neighbour's dispatcher.
    ui::Edit *N1;          ///< Surname of the line-B neighbour's dispatcher.
    ui::Edit *N4;          ///< Surname of the line-C neighbour's dispatcher.
};
