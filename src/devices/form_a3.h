/** @file form_a3.h Picture store A3: the stock pictures that the devices copy into their images. */
#pragma once

#include "ui/controls.h"

#include <QStringList>

/**
 * The picture store: a form that is never shown, holding the stock
 * pictures of the workplace devices. A device changes its look by copying
 * a store picture and tells its stage by comparing its own height or width
 * with a store image's, so every image has exactly its listed size, even
 * when its picture could not be loaded.
 */
class TA3 : public ui::Form {
public:
    /** Builds the store from the pictures embedded in the program. */
    explicit TA3(platform::Platform &platform);
    /**
     * Builds the store from the pictures in another folder.
     * @param pictureDir folder with the files "<name>.bmp" and "<name>.jpg".
     */
    TA3(platform::Platform &platform, const QString &pictureDir);

    /**
     * @return one text per picture that could not be loaded, for the caller
     * to report; each such image holds a blank picture of its listed size.
     */
    const QStringList &loadErrors() const { return m_loadErrors; }

    ui::Image *Klicka0 = nullptr;        ///< Rotary knob of the signal boxes at rest.
    ui::Image *KlickaL = nullptr;        ///< Rotary knob turned left.
    ui::Image *KlickaP = nullptr;        ///< Rotary knob turned right.
    ui::Image *TelBilaOff = nullptr;     ///< White telephone lamp, dark.
    ui::Image *TelBilaOn = nullptr;      ///< White telephone lamp, lit.
    ui::Image *ClonkaB = nullptr;        ///< Block window white.
    ui::Image *ClonkaC = nullptr;        ///< Block window black.
    ui::Image *ClonkaR = nullptr;        ///< Block window red.
    ui::Image *ClonkaZ = nullptr;        ///< Block window green.
    ui::Image *ClonkaBR1 = nullptr;      ///< Block window going white to red, frame 1 of 3.
    ui::Image *ClonkaBR2 = nullptr;      ///< Block window going white to red, frame 2 of 3.
    ui::Image *ClonkaBR3 = nullptr;      ///< Block window going white to red, frame 3 of 3.
    ui::Image *ClonkaBZ1 = nullptr;      ///< Block window going white to green, frame 1 of 3.
    ui::Image *ClonkaBZ2 = nullptr;      ///< Block window going white to green, frame 2 of 3.
    ui::Image *ClonkaBZ3 = nullptr;      ///< Block window going white to green, frame 3 of 3.
    ui::Image *ClonkaCB1 = nullptr;      ///< Block window going black to white, frame 1 of 3.
    ui::Image *ClonkaCB2 = nullptr;      ///< Block window going black to white, frame 2 of 3.
    ui::Image *ClonkaCB3 = nullptr;      ///< Block window going black to white, frame 3 of 3.
    ui::Image *ClonkaRB1 = nullptr;      ///< Block window going red to white, frame 1 of 3.
    ui::Image *ClonkaRB2 = nullptr;      ///< Block window going red to white, frame 2 of 3.
    ui::Image *ClonkaRB3 = nullptr;      ///< Block window going red to white, frame 3 of 3.
    ui::Image *ClonkaZB1 = nullptr;      ///< Block window going green to white, frame 1 of 3.
    ui::Image *ClonkaZB2 = nullptr;      ///< Block window going green to white, frame 2 of 3.
    ui::Image *ClonkaZB3 = nullptr;      ///< Block window going green to white, frame 3 of 3.
    ui::Image *ClonkaBC1 = nullptr;      ///< Block window going white to black (no user), frame 1 of 3.
    ui::Image *ClonkaBC2 = nullptr;      ///< Block window going white to black (no user), frame 2 of 3.
    ui::Image *ClonkaBC3 = nullptr;      ///< Block window going white to black (no user), frame 3 of 3.
    ui::Image *ZapadkaB = nullptr;       ///< Latch of a block window, white.
    ui::Image *ZapadkaC = nullptr;       ///< Latch of a block window, black.
    ui::Image *ZapadkaR = nullptr;       ///< Latch of a block window, red.
    ui::Image *ClonkaBz = nullptr;       ///< Darkened block window white (no user).
    ui::Image *ClonkaCz = nullptr;       ///< Darkened block window black (no user).
    ui::Image *ClonkaRz = nullptr;       ///< Darkened block window red (no user).
    ui::Image *ClonkaZz = nullptr;       ///< Darkened block window green (no user).
    ui::Image *ClonkaCB1z = nullptr;     ///< Darkened block window going black to white (no user), frame 1 of 3.
    ui::Image *ClonkaCB2z = nullptr;     ///< Darkened block window going black to white (no user), frame 2 of 3.
    ui::Image *ClonkaCB3z = nullptr;     ///< Darkened block window going black to white (no user), frame 3 of 3.
    ui::Image *ClonkaRB1z = nullptr;     ///< Darkened block window going red to white (no user), frame 1 of 3.
    ui::Image *ClonkaRB2z = nullptr;     ///< Darkened block window going red to white (no user), frame 2 of 3.
    ui::Image *ClonkaRB3z = nullptr;     ///< Darkened block window going red to white (no user), frame 3 of 3.
    ui::Image *ClonkaZB1z = nullptr;     ///< Darkened block window going green to white (no user), frame 1 of 3.
    ui::Image *ClonkaZB2z = nullptr;     ///< Darkened block window going green to white (no user), frame 2 of 3.
    ui::Image *ClonkaZB3z = nullptr;     ///< Darkened block window going green to white (no user), frame 3 of 3.
    ui::Image *ZapadkaBz = nullptr;      ///< Darkened latch, white (no user).
    ui::Image *ZapadkaRz = nullptr;      ///< Darkened latch, red (no user).
    ui::Image *Zavernik0 = nullptr;      ///< Desk route lock at rest.
    ui::Image *ZavernikL = nullptr;      ///< Desk route lock turned left.
    ui::Image *ZavernikP = nullptr;      ///< Desk route lock turned right.
    ui::Image *RadicL2 = nullptr;        ///< Small switch far left.
    ui::Image *RadicL1 = nullptr;        ///< Small switch left.
    ui::Image *Radic0 = nullptr;         ///< Small switch in the middle.
    ui::Image *RadicP1 = nullptr;        ///< Small switch right.
    ui::Image *RadicP2 = nullptr;        ///< Small switch far right.
    ui::Image *Tl = nullptr;             ///< Push button, bare (its height 14 means open).
    ui::Image *Tl2 = nullptr;            ///< Push button, sealed (height 17).
    ui::Image *Tl3 = nullptr;            ///< Push button, covered (height 21).
    ui::Image *PakaH = nullptr;          ///< Box 1 lever handle, up.
    ui::Image *PakaD = nullptr;          ///< Box 1 lever handle, down.
    ui::Image *PakaS = nullptr;          ///< Box 1 lever handle held in the hand.
    ui::Image *Paka1 = nullptr;          ///< Lever base at rest.
    ui::Image *Paka2 = nullptr;          ///< Lever base, lever in the hand.
    ui::Image *Paka3 = nullptr;          ///< Lever base, levers 9 and 11 or a lock lever in the hand.
    ui::Image *Paka4 = nullptr;          ///< Lever base, levers 9 and 11 down or a lock lever locked.
    ui::Image *Paka5 = nullptr;          ///< Lever base, lock lever in the hand while locked.
    ui::Image *KlicOff = nullptr;        ///< Desk key off.
    ui::Image *Klic0 = nullptr;          ///< Desk key half turned.
    ui::Image *KlicOn = nullptr;         ///< Desk key on.
    ui::Image *VozidloPrazdne = nullptr; ///< The empty vehicle: a slot showing it is empty (width 1).
    ui::Image *NVTOff = nullptr;         ///< Emergency train-passed button ready (height 34).
    ui::Image *NVTOn = nullptr;          ///< Emergency train-passed button pressed (height 34).
    ui::Image *NVTStop = nullptr;        ///< Emergency train-passed button, seal broken (height 35).
    ui::Image *NVTStop2 = nullptr;       ///< Emergency train-passed button sealed (height 39; no user).
    ui::Image *NVZ = nullptr;            ///< Emergency lock release, unsealed.
    ui::Image *NVZStop = nullptr;        ///< Stop button (no user).
    ui::Image *Klika2Off = nullptr;      ///< Crank of box 2, first phase.
    ui::Image *Klika2On = nullptr;       ///< Crank of box 2, second phase.
    ui::Image *KlikaLOff = nullptr;      ///< Left crank of the desk and box 1, first phase.
    ui::Image *KlikaLOn = nullptr;       ///< Left crank of the desk and box 1, second phase.
    ui::Image *KlikaPOff = nullptr;      ///< Right crank of the desk and box 1, first phase.
    ui::Image *KlikaPOn = nullptr;       ///< Right crank of the desk and box 1, second phase.
private:
    /** Creates the images in the store's order, loads their pictures and lays them out. */
    void build(const QString &pictureDir);

    QStringList m_loadErrors; ///< Pictures that could not be loaded, one text each.
};
