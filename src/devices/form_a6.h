/** @file form_a6.h The dispatcher's desk A6. */
#pragma once

#include "devices/desk_devices.h"
#include "frame/workplace_frame.h"

#include <array>

/**
 * The dispatcher's desk: telephone, block instruments, levers and keys.
 * Its content lies in the frame's D5: the desk board on the left, the
 * block instrument on the right. Device positions are measured from the
 * block instrument's picture `Blok` and the board's picture `Deska`,
 * which never move.
 */
class TA6 : public ui::Form {
public:
    explicit TA6(platform::Platform &platform);

    WorkplaceFrame frame; ///< The workplace frame; its D5 holds the desk.

    ui::Image *Deska = nullptr;     ///< The desk board (Top 272): telephone, call-on buttons, switches.
    ui::Image *Blok = nullptr;      ///< The block instrument (Left 1064, Top 45): reference of the devices.
    ui::Label *PopisA = nullptr;    ///< Caption of line A's column.
    ui::Label *PopisB = nullptr;    ///< Caption of line B's column.
    ui::Label *PopisC = nullptr;    ///< Caption of line C's column.
    ui::Image *TelLom;              ///< Desk picture that belongs to the Horní Lom names of line A.

    /* The telephone set and its panel "Telefon"; the line keys stand on the set, 2 px lower while down. */
    ui::Image *E0 = nullptr;        ///< The telephone set (240 x 204); the line keys are placed from its Top.
    ui::Image *E1 = nullptr;        ///< The handset lying on the set; a click lifts it.
    ui::Image *E2 = nullptr;        ///< The dial button, 2 px lower while pressed.
    ui::Image *F0 = nullptr;        ///< Line key of line A (up at E0 Top + 78, down at + 80).
    ui::Image *F1 = nullptr;        ///< Line key of line C.
    ui::Image *F2 = nullptr;        ///< Line key of line B.
    ui::GroupBox *G0 = nullptr;     ///< Panel "Telefon", shown while the handset is lifted.
    ui::Memo *G1;                   ///< Conversation memo, one sentence a line.
    ui::ListBox *G2;                ///< The list of messages the player can say.
    ui::Edit *G3 = nullptr;         ///< Time of the player's sentence, H:MM.
    ui::ScrollBar *G4 = nullptr;    ///< Minutes ahead, 1 .. 5.
    ui::Button *G5 = nullptr;       ///< "Sdělit": sends the sentence.
    ui::Button *G6 = nullptr;       ///< "Zavěsit": puts the handset down.
    /** The train labels `G7` .. `I2`: the numbers of timetable rows 1 .. 16 as read at lifting. */
    std::array<ui::Label *, 16> TrainLabels{};
    ui::GroupBox *I3 = nullptr;     ///< "Možnosti vaší odpovědi": answers to a neighbour's call; covers the panel's controls.
    ui::Label *I6 = nullptr;        ///< Yellow answer: acknowledges a notice (beneath I4).
    ui::Label *I4 = nullptr;        ///< Lime answer: accepts an offered or predicted train.
    ui::Label *I5 = nullptr;        ///< Red answer: refuses it.

    ui::Image *VUDTlv = nullptr;    ///< Approach device of line B: button towards "Přibližovací" (Top 243).
    ui::Image *VUDTlo = nullptr;    ///< Approach device: button back to "Otevřený"; takes VUDTlv's picture.
    ui::Image *VUDL1 = nullptr;     ///< Approach device lamp 1, hidden = dark.
    ui::Image *VUDL2 = nullptr;     ///< Approach device lamp 2, hidden = dark; takes VUDL1's picture.
    ui::Image *InduktorA = nullptr;  ///< Magneto of lines A and B (rest Top 314, turned 316).
    ui::Image *InduktorA2 = nullptr; ///< Glow of magneto A, hidden = dark.
    ui::Image *InduktorB = nullptr;  ///< Magneto of line C; takes InduktorA's picture.
    ui::Image *InduktorB2 = nullptr; ///< Glow of magneto B, hidden = dark; takes InduktorA2's picture.

    /* Block levers, in the desk's order; rest Top 421, the line-C signal levers 419. */
    ui::Image *PakaNavBOd = nullptr;  ///< Entry release from line A; its picture is the common lever's.
    ui::Image *PakaZavB = nullptr;    ///< Takes back route lock A.
    ui::Image *PakaNavBDo = nullptr;  ///< Exit release towards line A.
    ui::Image *PakaSouLc1 = nullptr;  ///< Consent for signal Lc1 of signal box 2.
    ui::Image *PakaNavMOd = nullptr;  ///< Entry release from line B.
    ui::Image *PakaZavM = nullptr;    ///< Takes back route lock B.
    ui::Image *PakaNavMDo = nullptr;  ///< Exit release towards line B.
    ui::Image *PakaNavCHDo = nullptr; ///< Exit release towards line C; its picture is the signal lever's.
    ui::Image *PakaZavCH = nullptr;   ///< Takes back route lock C.
    ui::Image *PakaNavCHOd = nullptr; ///< Entry release from line C.
    ui::Image *PakaTSCH = nullptr;    ///< Gives the line-C consent to Vrbská.

    /* Route locks (Top 760), by their rest Left; E starts turned right. */
    ui::Image *ZavernikA = nullptr; ///< Route lock of line A (rest Left 1348).
    ui::Image *ZavernikB = nullptr; ///< Route lock of line B (rest Left 1733).
    ui::Image *ZavernikC = nullptr; ///< Route lock of line C (rest Left 2041).
    ui::Image *ZavernikD = nullptr; ///< Two-position lock of the Lc1 consent (rest Left 1586).
    ui::Image *ZavernikE = nullptr; ///< Two-position lock of track 2 on line C (turned right, Left 2287).
    /* Sliding track knobs; the Top is the chosen track. */
    ui::Image *KnoflikA = nullptr; ///< Track knob of line A (start Top 881, between stops).
    ui::Image *KnoflikB = nullptr; ///< Track knob of line B (start Top 865); takes KnoflikA's picture.
    ui::Image *KnoflikC = nullptr; ///< Track knob of line C (start Top 881); takes KnoflikA's picture.

    DeskDevices devices; ///< Bells, cranks, buttons, keys, tablets, switches and the line-B block.

private:
    void buildPanels();
    void buildTelephone();
    void buildApproachDevice();
    void buildMagnetos();
    void buildLevers();
    void buildRouteLocks();
    void buildTrackKnobs();
};
