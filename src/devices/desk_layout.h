/** @file desk_layout.h Where the desk's panels and devices stand: shared by the desk form and the generator of its pictures. */
#pragma once

#include <QColor>
#include <QPoint>
#include <QRect>
#include <QSize>

#include <array>
#include <utility>

namespace desklayout {

/** Where the block instrument's picture stands; every device position is measured from it. */
inline const QPoint BlokAt(1064, 45);
/** Size of the block instrument's picture. */
inline const QSize BlokSize(1280, 987);
/** Where the desk board's picture stands. */
inline const QPoint DeskaAt(0, 272);
/** Size of the desk board's picture. */
inline const QSize DeskaSize(1064, 760);

/** Face colours of the desk. */
inline const QColor BoardFace(128, 134, 122);
inline const QColor BlokFace(62, 84, 70);
inline const QColor ColumnFace(52, 72, 60);

/** The columns of the block instrument, in form coordinates: magneto A, lines A, D, B, C, and the right end. */
inline const std::array<QRect, 6> Columns = {QRect(1084, 65, 80, 947),  QRect(1262, 65, 208, 947),
                                             QRect(1556, 65, 84, 947),  QRect(1650, 65, 208, 947),
                                             QRect(1880, 65, 220, 947), QRect(2130, 65, 194, 947)};
/** A line's caption over its column of the block instrument: the label's name, its text and its column. */
struct ColumnCaption {
    const char *name;
    const char *text;
    int column; ///< Index into Columns.
};
/** The captions of lines A, B and C, over their columns. */
inline const std::array<ColumnCaption, 3> ColumnCaptions = {
    {{"PopisA", "Trať A", 1}, {"PopisB", "Trať B", 3}, {"PopisC", "Trať C", 4}}};
/**
 * Top of the line captions: under the route keys, above the block windows,
 * low enough to be in sight where the desk opens, which shows its content
 * from about 260 px down.
 */
inline constexpr int ColumnCaptionTop = 298;
/** The rail the levers stand on, in form coordinates. */
inline const QRect LeverRail(1074, 504, 1260, 22);
/**
 * The recesses of the desk board, in the board's own coordinates: telephone
 * and buttons. The buttons' board ends short of the 1024 px screen's right
 * edge where the desk opens, so it and its captions show whole.
 */
inline const std::array<QRect, 2> DeskaRecesses = {QRect(270, 100, 460, 260), QRect(750, 100, 280, 420)};

/** Size of the track knobs' grip. */
inline const QSize KnobSize(23, 12);
/** Start Lefts and Tops of the track knobs A, B and C. */
inline const std::array<QPoint, 3> KnobAt = {QPoint(1346, 881), QPoint(1731, 865), QPoint(2039, 881)};
/** The knob Tops of the track stops and their track numbers. */
inline const std::array<std::pair<int, int>, 6> TrackStops = {
    std::pair{841, 7}, std::pair{849, 5}, std::pair{857, 3}, std::pair{873, 1}, std::pair{889, 2}, std::pair{897, 4}};

} // namespace desklayout
