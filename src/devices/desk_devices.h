/** @file desk_devices.h The working devices of the dispatcher's desk and the drag state of their device unit. */
#pragma once

#include "devices/drop_tablet.h"
#include "ui/controls.h"

#include <array>

class TA6;

/**
 * The devices of the desk that the player works beyond the levers, knobs
 * and route locks of the form itself: bells, cranks, lever tags, line
 * release buttons with their counters, sealed emergency buttons, keys,
 * drop tablets, call-on buttons, switches and the line-B block buttons
 * with their lamps. Each keeps its state in its own geometry, picture or
 * visibility; the drag state of the device unit lives beside them.
 */
struct DeskDevices {
    /* Bells (rest Top = Blok.Top + 314, pressed + 316) and cranks. */
    ui::Image *ZvonekA = nullptr; ///< Bell to signal box 1, line A.
    ui::Image *ZvonekB = nullptr; ///< Bell to signal box 1, line B.
    ui::Image *ZvonekC = nullptr; ///< Bell to signal box 2, line C.
    ui::Image *ZvonekD = nullptr; ///< Bell asking Vrbská for the line-C consent.
    ui::Image *KlikaL = nullptr;  ///< Left crank handle, 76 x 117.
    ui::Image *KlikaP = nullptr;  ///< Right crank handle, 76 x 117.

    /* Lever tags: anchors over the lever feet and the tags (hidden at start). */
    ui::Label *CedBOd = nullptr, *CedBDo = nullptr, *CedMOd = nullptr, *CedMDo = nullptr, *CedCHDo = nullptr,
              *CedCHOd = nullptr; ///< Tag anchors.
    ui::Image *CedulkaBOd = nullptr, *CedulkaBDo = nullptr, *CedulkaMOd = nullptr, *CedulkaMDo = nullptr,
              *CedulkaCHDo = nullptr, *CedulkaCHOd = nullptr; ///< Tags hanging on the six signal levers.

    /* Line release buttons (rest Top 368, pressed 366) and their five-digit counters. */
    ui::Image *NRB = nullptr, *NRM = nullptr, *NRCH = nullptr; ///< Release buttons of lines A, B, C.
    ui::Label *NRB2 = nullptr, *NRM2 = nullptr, *NRCH2 = nullptr; ///< Their use counters, "00000" at start.

    /** The ten sealed emergency stepping buttons, in the order of the levers they sit under. */
    std::array<ui::Image *, 10> NVZ{};

    /* Keys and drop tablets. */
    ui::Image *KlicA = nullptr, *KlicB = nullptr, *KlicC = nullptr; ///< Line keys, at rest Left Blok + 339, 724, 839.
    std::array<ui::Label *, 4> Desticka{};  ///< Drop tablets A .. D: Height 1 raised .. 85 dropped.
    std::array<ui::Label *, 4> Desticka2{}; ///< Their handles, 5 x 25.
    ui::Image *VUDTlx = nullptr;  ///< Hidden button of the approach device, without effect.
    ui::Image *VUDStop = nullptr; ///< Hidden stop picture of the approach device, without effect.

    /* Call-on buttons (up Top Deska + 334, pressed + 336) and their counters. */
    ui::Image *PNL = nullptr, *PNML = nullptr, *PNS = nullptr;    ///< Sealed call-on buttons of L, ML and S.
    ui::Label *PNL2 = nullptr, *PNML2 = nullptr, *PNS2 = nullptr; ///< Their use counters.

    /* Switches. */
    ui::Image *DN = nullptr;         ///< Day/night switch.
    ui::Image *DN2 = nullptr;        ///< Its lamp, lit = dimmed.
    ui::Image *Zatemneni = nullptr;  ///< Sealed dimming button (covered at start).
    ui::Image *Zatemneni2 = nullptr; ///< Its lamp.
    ui::Image *VZM = nullptr;        ///< Cut-out of the line-B block bell (up Top 403).
    ui::Image *VZIKLada = nullptr;   ///< Cut-out of the IK Lada bell (up Top 606).
    ui::Image *VZ = nullptr;         ///< Cut-out of all three desk bells (up Top 630).
    ui::Image *PorIsSt = nullptr;    ///< Latching acknowledge of the track-section fault (up Top 606).
    ui::Image *PorIsSt2 = nullptr;   ///< The track-section fault lamp.

    /* Line-B block: buttons in one row at Top 403 and the lamps, visible = lit. */
    ui::Image *TSM = nullptr, *ZSM = nullptr, *ODHLM = nullptr; ///< Give, ask back, arrival report.
    ui::Image *EVM = nullptr, *VTM = nullptr, *VOM = nullptr, *USM = nullptr, *PSM = nullptr; ///< Block lamps.

    /* Drag state of the device unit: one device is dragged at a time. */
    std::array<bool, 3> knobDragging{};  ///< Track knobs A, B, C.
    std::array<bool, 5> lockDragging{};  ///< Route locks A .. E.
    int knobAnchor = 0;                  ///< Vertical anchor shared by the knobs.
    int lockAnchor = 0;                  ///< Horizontal anchor shared by the locks.
    std::array<bool, 3> keyDragging{};   ///< Keys A, B, C.
    int keyAnchor = 0;                   ///< Horizontal anchor shared by the keys.
    std::array<bool, 4> tabletDragging{}; ///< Tablets A .. D.
    devices::TabletDrag tablets;         ///< The drag shared by the tablets.
};

namespace devices {

/** Creates the desk devices above at their design places, with their pictures and start states. */
void buildDeskDevices(TA6 &a6);

} // namespace devices
