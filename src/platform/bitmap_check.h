/** @file bitmap_check.h Checks that a BMP, ICO or device-independent bitmap holds all the pixels its header promises, and decodes BMPs. */
#pragma once

#include <QByteArray>
#include <QImage>

#include <cstdint>

namespace platform {

/** @return the unsigned 16-bit little-endian number at @p at; the caller has checked that it lies inside. */
inline uint16_t le16(const char *p)
{
    return uint16_t(uint8_t(p[0]) | uint8_t(p[1]) << 8);
}

/** @return the unsigned 32-bit little-endian number at @p p; the caller has checked that it lies inside. */
inline uint32_t le32(const char *p)
{
    return uint32_t(le16(p)) | uint32_t(le16(p + 2)) << 16;
}

/** Writes an unsigned 32-bit little-endian number at @p p. */
inline void putLe32(char *p, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        p[i] = char(v >> (8 * i) & 0xFF);
}

/**
 * @return where the colour table of a device-independent bitmap ends
 *         (its header, colour masks and colours), counted from @p dib; -1
 *         when the header is no known one or the table runs past @p size.
 */
int64_t dibColourTableEnd(const char *dib, int64_t size);

/**
 * Checks a device-independent bitmap (a BITMAPINFOHEADER or
 * BITMAPCOREHEADER, its colour table and its pixels) that lies in
 * @p size bytes from @p dib on.
 * @param pixelsAt where the pixels begin, counted from @p dib; -1 when they
 *        follow the colour table directly.
 * @param heightRows 1 for a plain bitmap, 2 for an icon's image (its
 *        height counts the colour and the mask rows together, and the
 *        1-bit mask follows the colour rows; one of 32 bits may leave the
 *        mask out, as its alpha is its mask).
 * @return true when the header is sane, every pixel row lies inside, a
 *         run-length coded stream ends with its end mark and never codes
 *         pixels past the picture's last row (a run past a row's end is
 *         taken as Qt's BMP reader takes it), and every pixel of a picture
 *         with a colour table names a colour of the table.
 * @throws PictureTooLarge when its header gives it more than
 *         kMaxPictureSide pixels a side, or its stream takes the reading's
 *         processor time before it ends.
 */
bool dibIsWhole(const char *dib, int64_t size, int64_t pixelsAt, int heightRows);

/** @return the pixels (width × height) its header gives a bitmap; -1 when the header is no known one. */
int64_t dibPixels(const char *dib, int64_t size);

/** @return true when a BMP file's header is sane and all its pixel data lies inside the file. @throws PictureTooLarge as dibIsWhole does. */
bool bmpIsWhole(const QByteArray &data);

/**
 * Decodes the first image of an ICO file whose directory is sane and whose
 * every image lies inside it; the other images are never decoded. Its
 * first image must be whole: a bitmap (dibIsWhole), which Qt's icon reader
 * is handed alone, or a PNG, which decodePng decodes here.
 * @return the picture, or a null picture when the file is refused.
 * @throws PictureTooLarge when its header gives it more pixels than the
 *         limits (a bitmap more than kMaxIconBitmapSide a side), when Qt's
 *         reader would take more processor time for a bitmap's pixels than
 *         is left to the reading (kQtBitmapPixelTime), or when the reading
 *         takes its processor time first.
 */
QImage decodeIco(const QByteArray &data);

/**
 * Decodes a BMP file that passes bmpIsWhole. A run-length coded one is
 * decoded here, 8 bits a pixel, and every pixel its stream leaves out (it
 * ends or jumps early) takes colour index 0: no pixel is left unset.
 * @return the picture, or a null picture when the file is refused.
 * @throws PictureTooLarge as dibIsWhole does, and when its rows are not
 *         coded and Qt's reader would take more processor time for them
 *         than is left to the reading.
 */
QImage decodeBmp(const QByteArray &data);

/**
 * Decodes a device-independent bitmap, as dibIsWhole with one row set
 * takes it, the way decodeBmp decodes a file.
 * @return the picture, or a null picture when it is refused.
 * @throws PictureTooLarge as decodeBmp does.
 */
QImage decodeDib(const char *dib, int64_t size, int64_t pixelsAt);

} // namespace platform
