/** @file metafile.h Windows metafile pictures (WMF and EMF) drawn with Qt by the player of metafile/. */
#pragma once

#include "platform/picture_limits.h"

#include <QByteArray>
#include <QImage>

namespace platform {

/** Metafiles drawing larger pictures than this (in pixels per side) are refused. */
inline constexpr int kMaxMetafileSide = int(kMaxPictureSide);

/** @return whether the bytes start like a WMF file: a placeable header or a plain metafile header. */
bool looksLikeWmf(const QByteArray &data);

/** @return whether the bytes start like an EMF file: a header record with the " EMF" signature. */
bool looksLikeEmf(const QByteArray &data);

/**
 * Draws a WMF picture as the Windows graphics interface draws it: pens
 * (with their dashes, ends and joins), brushes, fonts, lines, polygons,
 * rectangles, ellipses, arcs, chords, pies, clip rectangles, text and
 * embedded bitmaps, combined with what lies below by their raster
 * operations and mix modes. Its size in pixels is the placeable header's
 * bounding box at 96 dots per inch (without that header, the window
 * extent). Where nothing is drawn it is transparent, and where raster
 * operations leave what lies below as it was.
 * Every record is checked against the file's end and its own size first.
 * @return the picture in QImage::Format_ARGB32_Premultiplied.
 * @throws ui::SimError when the file is cut, a record lies about its
 *         size or contents, the picture is empty or far too large, or
 *         drawing it costs more than its work budget or its reading's
 *         processor time (kMaxPictureReadTime); PictureTooLarge when an
 *         embedded bitmap would take Qt's reader more time than is left.
 */
QImage decodeWmf(const QByteArray &data);

/**
 * Draws an EMF picture, with the records of decodeWmf and those drawing
 * tools write besides: paths (filled, stroked, clipped to), Béziers and
 * poly-lines of 16- and 32-bit points, geometric and cosmetic pens of
 * their own dash patterns, world transforms, clip regions and block
 * transfers. Its size in pixels is the header's frame at 96 dots per inch
 * (the bounds rectangle where the frame is under a pixel).
 * @return the picture in QImage::Format_ARGB32_Premultiplied.
 * @throws ui::SimError as decodeWmf does.
 */
QImage decodeEmf(const QByteArray &data);

} // namespace platform
