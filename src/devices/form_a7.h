/** @file form_a7.h Signal box 1 A7. */
#pragma once

#include "devices/box1_state.h"
#include "frame/workplace_frame.h"

#include <array>

/**
 * Signal box 1, mechanical: levers, route locks, signal knobs. Its content
 * lies in the frame's D5: the block instrument `Blok` on its wall board,
 * and below it the lever frame `Ram` with the knob row and the eleven
 * levers. Device positions are measured from these pictures.
 */
class TA7 : public ui::Form {
public:
    explicit TA7(platform::Platform &platform);

    WorkplaceFrame frame;  ///< The workplace frame; its D5 holds the box.

    ui::Shape *Shape1 = nullptr;   ///< The lower, darker part of the box's wall.
    ui::Image *Ciselnik = nullptr; ///< The locking table chart on the wall.
    ui::Image *Deska = nullptr;    ///< The wooden wall board that carries the block instrument.
    ui::Image *Blok = nullptr;     ///< The block instrument (Top 160): reference of its levers and magneto.
    ui::Label *Popis = nullptr;    ///< The box's name plate.
    ui::Image *Ram = nullptr;      ///< The lever frame (Left 86): reference of the knob row.

    /* Block levers in one row; the signal levers rest at Top 499, the route levers at 501. */
    ui::Image *PakaNavBOd = nullptr; ///< Line A, entry signal release.
    ui::Image *PakaZavB = nullptr;   ///< Line A, route lock.
    ui::Image *PakaNavBDo = nullptr; ///< Line A, exit signal release.
    ui::Image *PakaNavMDo = nullptr; ///< Line B, exit signal release.
    ui::Image *PakaZavM = nullptr;   ///< Line B, route lock.
    ui::Image *PakaNavMOd = nullptr; ///< Line B, entry signal release.
    ui::Image *Induktor = nullptr;   ///< Magneto handle, 40 x 40 (rest Top 394, held 396).
    ui::Image *Induktor2 = nullptr;  ///< Glow of the magneto, 6 x 6, hidden = dark.

    /* The eleven mechanical levers: plate, head (its Top is the lever's state) and base (Top 1010). */
    ui::Image *Paka1a = nullptr, *Paka2a = nullptr, *Paka3a = nullptr, *Paka4a = nullptr, *Paka5a = nullptr,
              *Paka6a = nullptr, *Paka7a = nullptr, *Paka8a = nullptr, *Paka9a = nullptr, *Paka10a = nullptr,
              *Paka11a = nullptr; ///< Lever plates; Paka1a holds the plate picture.
    ui::Image *Paka1b = nullptr, *Paka2b = nullptr, *Paka3b = nullptr, *Paka4b = nullptr, *Paka5b = nullptr,
              *Paka6b = nullptr, *Paka7b = nullptr, *Paka8b = nullptr, *Paka9b = nullptr, *Paka10b = nullptr,
              *Paka11b = nullptr; ///< Lever heads, 48 x 418: up at Top 719 (levers 3, 7, 9), down at 1157.
    ui::Image *Paka1c = nullptr, *Paka2c = nullptr, *Paka3c = nullptr, *Paka4c = nullptr, *Paka5c = nullptr,
              *Paka6c = nullptr, *Paka7c = nullptr, *Paka8c = nullptr, *Paka9c = nullptr, *Paka10c = nullptr,
              *Paka11c = nullptr; ///< Lever bases, 31 x 274.

    ui::Panel *Nahled;     ///< Overview panel of lines A and B with the train preview.
    /** The train of line A on the overview, vehicles `VlakAa` .. `VlakAj`; each takes its picture's size. */
    std::array<ui::Image *, 10> VlakA{};
    /** The train of line B on the overview, vehicles `VlakBa` .. `VlakBj`. */
    std::array<ui::Image *, 10> VlakB{};

    devices::Box1State box1; ///< What the box's devices remember during one gesture.

private:
    void buildPanels();
    void buildBlock();
    void buildLeverFrame();
};
