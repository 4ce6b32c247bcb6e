/** @file panel_art.h The drawn pictures of the desk and the signal boxes: panels and the devices they hold from the start. */
#pragma once

#include <QColor>
#include <QImage>
#include <QRect>
#include <QSize>

#include <vector>

/*
 * Every picture is drawn with shapes only (no text, so no font is needed
 * and a headless program draws the same pixels). Device pictures with a
 * shape of their own have the key colour in their bottom-left pixel, so an
 * image control showing them with its transparent property set lets the
 * panel behind show through.
 */
namespace panelart {

/** The colour that transparent device pictures leave see-through. */
inline const QColor KeyColour(255, 0, 255);

/** The look of a block lever's handle. */
enum class LeverLook {
    DeskRoute,   ///< Black knob: the desk's route levers and most of its levers.
    DeskSignal,  ///< Red knob, 2 px longer: the desk's line-C signal levers.
    Box2Route,   ///< Brass knob: the electric box's consent and route levers.
    Box2Signal,  ///< Red knob with a brass collar, 2 px longer: the electric box's signal levers.
};

/** A recessed area of a panel: its place in the panel and its own face colour. */
struct Recess {
    QRect rect;   ///< Place inside the panel.
    QColor face;  ///< Colour of its face.
};

/** @return a painted steel panel with a bevelled edge and a screw in each corner. */
QImage panel(QSize size, const QColor &face);
/** Draws recessed areas with a sunken edge onto a panel. */
void addRecesses(QImage &panel, const std::vector<Recess> &recesses);
/**
 * Draws the scale of a sliding track knob: a slot from slotTop to
 * slotBottom at centre x, and for each stop a tick and its track number
 * on the left of the slot.
 * @param stops pairs of (y of the stop's centre, track number 0..9).
 */
void addTrackScale(QImage &panel, int x, int slotTop, int slotBottom, const std::vector<std::pair<int, int>> &stops);
/** Draws a horizontal rail with rivets, on which a row of levers or knobs is mounted. */
void addRail(QImage &panel, const QRect &rect);

/** @return a white locking table chart with its grid of rows and columns, on a dark board. */
QImage lockingTable(QSize size);
/** @return a board with the track diagram of a station end: tracks, points and a buffer stop. */
QImage trackDiagram(QSize size);
/** @return the frame of a mechanical lever row: a knob beam above the lever bed. */
QImage leverFrame(QSize size, int beamTop, int beamHeight);

/**
 * @return the size of a block lever's handle. The signal levers' handle is
 * 2 px longer, so that they rest 2 px higher on the same foot.
 */
QSize leverSize(LeverLook look);
/** @return a block lever's handle in its own size, standing on the key colour. */
QImage lever(LeverLook look);
/** @return a block lever's handle of another size (at least 20 x 40), standing on the key colour. */
QImage lever(LeverLook look, QSize size);
/** @return the magneto's crank: a round body and its handle, on the key colour. */
QImage magneto(QSize size);
/** @return a small round lamp, lit in the given colour. */
QImage lamp(const QColor &lit, QSize size);
/** @return the grip of a sliding track knob with its index line, on the key colour. */
QImage trackKnob(QSize size);
/** @return a round black push button in its bezel, on the key colour. */
QImage pushButton(QSize size);
/** @return an enamel lever plate with its two screws. */
QImage leverPlate(QSize size);
/** @return a bell push: a brass dome in a black ring, on the key colour. */
QImage bellPush(QSize size);
/** @return a reminder tag hung on a lever: a red and white plate with its hook. */
QImage leverTag(QSize size);
/** @return a sealed emergency button: a small button under a wired lead seal, on the key colour. */
QImage sealedButton(QSize size);
/** @return a small square push button with a light face, on the key colour. */
QImage squareButton(QSize size, const QColor &face);

} // namespace panelart
