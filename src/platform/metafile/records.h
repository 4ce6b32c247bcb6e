/** @file records.h What the WMF and EMF records share: their numbers, colours, pens, brushes, bitmaps and failures. */
#pragma once

#include "platform/bitmap_check.h"
#include "platform/metafile.h"
#include "ui/sim_error.h"

#include <QBrush>
#include <QColor>
#include <QPen>
#include <QRect>
#include <QSize>
#include <QString>

#include <cstdint>

namespace platform::metafile {

/** More points in one shape, characters in one text or saved states are refused: no vehicle needs them. */
constexpr int64_t kMaxPoints = 65536;
constexpr int64_t kMaxChars = 4096;
constexpr size_t kMaxSavedStates = 256;

/** The longest miter (over the pen's width) joins are drawn with: the system's default is 10, drawing tools write 4. */
constexpr double kMaxMiterLimit = 16;

/** A world transform with a larger number than this is passed over: it would put every point off any picture. */
constexpr double kMaxWorldEntry = 1e9;

/** The system's copying mix mode of pens and brushes (R2_COPYPEN), and its plain copying block transfer (SRCCOPY). */
constexpr int kCopyPen = 13;
constexpr uint32_t kSourceCopy = 0x00CC0020;

/** @return a failure of a broken metafile. */
ui::SimError broken(const char *why);

/** @return the signed 16-bit number at p. */
inline int s16(const char *p)
{
    return int16_t(le16(p));
}

/** @return the signed 32-bit number at p. */
inline int64_t s32(const char *p)
{
    return int32_t(le32(p));
}

/**
 * @return the text of single-byte (or double-byte) characters in a font's
 *         character set, as the system reads them: the system's own (ANSI,
 *         default) and East European ones as Windows-1250, as every WMF text
 *         is read; a symbol font's bytes as they are; the OEM set as the
 *         Czech system's (852); the other sets in their Windows code pages,
 *         Windows-1250 where none is at hand.
 */
QString textOfBytes(const QByteArray &bytes, int charset);

/** @return the colour of a COLORREF (0x00BBGGRR). */
QColor colourOf(uint32_t ref);

/**
 * @return the source rectangle of a bitmap record: its corner and size
 *         held apart as 64-bit numbers, so that no sum overflows; an empty
 *         size gives an invalid rectangle (the whole bitmap), edges far
 *         outside any bitmap are brought near it without changing what
 *         part of the bitmap the rectangle covers.
 */
QRect sourceRect(int64_t x, int64_t y, int64_t width, int64_t height);

/**
 * @return a pen of a metafile's pen style, width (logical) and colour.
 *         A wide pen's ends and joins are round unless its style names
 *         others, as the system draws them (WMF and EMF alike).
 */
QPen penOf(uint32_t style, double width, uint32_t colour);

/** @return a brush of a metafile's brush style (solid, null or hatched) and colour. */
QBrush brushOf(uint32_t style, uint32_t colour, uint32_t hatch);

/** @return the picture size, refused when empty or far too large. */
QSize checkedSize(int64_t width, int64_t height);

} // namespace platform::metafile
