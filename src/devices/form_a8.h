/** @file form_a8.h Signal box 2 A8. */
#pragma once

#include "devices/box2_state.h"
#include "frame/workplace_frame.h"

#include <array>

/**
 * Signal box 2, electric: point controllers, level crossing, sealed
 * buttons. Its content lies in the frame's D5: the console `E0`, the
 * station diagram `H0` on it, the block instrument `Blok` and the
 * knob panel `I0`. Device positions are measured from these pictures.
 */
class TA8 : public ui::Form {
public:
    explicit TA8(platform::Platform &platform);

    WorkplaceFrame frame;  ///< The workplace frame; its D5 holds the box.

    ui::Image *E0 = nullptr;    ///< The console (Top 416): reference of the buttons and switches.
    ui::Image *H0 = nullptr;    ///< The station diagram of side C, over the knob panel.
    ui::Image *Blok = nullptr;  ///< The block instrument (Top 160): reference of the block levers.
    ui::Label *Popis = nullptr; ///< The box's name plate.
    ui::Image *I0 = nullptr;    ///< The knob panel (Left 920): reference of the knobs' positions.

    /* Block levers; the signal levers rest at Top 499, the consent and route levers at 501. */
    ui::Image *PakaSouLc1 = nullptr;  ///< Consent for the repeater signal Lc1; its picture is the route lever's.
    ui::Image *PakaNavCHDo = nullptr; ///< Exit signal release towards line C; its picture is the signal lever's.
    ui::Image *PakaZavCH = nullptr;   ///< Route lock of line C; takes PakaSouLc1's picture.
    ui::Image *PakaNavCHOd = nullptr; ///< Entry signal release from line C; takes PakaNavCHDo's picture.

    ui::Panel *Nahled;     ///< Overview panel of line C with the train preview.
    /** The train of line C on the overview, vehicles `VlakCa` .. `VlakCj`; each takes its picture's size. */
    std::array<ui::Image *, 10> VlakC{};

    devices::box2::DragState drag; ///< What the devices remember between the events of one drag.

private:
    void buildPanels();
    void buildBlockLevers();
};
