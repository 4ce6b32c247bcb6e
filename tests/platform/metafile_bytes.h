/** @file metafile_bytes.h WMF and EMF files built record by record for the tests. */
#pragma once

#include "platform/bitmap_check.h"
#include "platform/wave_bytes.h"

#include <QByteArray>
#include <QList>
#include <QRect>
#include <QString>

#include <cmath>
#include <cstdint>

/** @return a WMF record: its size in words, its function, its parameters. */
inline QByteArray wmfRecord(uint16_t function, const QByteArray &params = {})
{
    return leBytes(uint32_t(6 + params.size()) / 2, 4) + leBytes(function, 2) + params;
}

/** @return a WMF of its placeable header's size in pixels, holding the records and an end record. */
inline QByteArray wmfOf(const QByteArray &records, int side)
{
    QByteArray placeable = leBytes(0x9AC6CDD7, 4) + leBytes(0, 2) + leBytes(0, 2) + leBytes(0, 2)
                           + leBytes(uint32_t(side), 2) + leBytes(uint32_t(side), 2) + leBytes(96, 2) + leBytes(0, 4);
    uint16_t checksum = 0;
    for (int i = 0; i < 20; i += 2)
        checksum ^= platform::le16(placeable.constData() + i);
    placeable += leBytes(checksum, 2);
    const QByteArray all = records + wmfRecord(0x0000);
    return placeable + leBytes(1, 2) + leBytes(9, 2) + leBytes(0x0300, 2) + leBytes(uint32_t(18 + all.size()) / 2, 4)
           + leBytes(65535, 2) + leBytes(16, 4) + leBytes(0, 2) + all;
}

/** @return an EMF record: its type, its size and its body, padded to four bytes. */
inline QByteArray emfRecord(uint32_t type, const QByteArray &body)
{
    const QByteArray padded = body + QByteArray((4 - body.size() % 4) % 4, '\0');
    return leBytes(type, 4) + leBytes(uint32_t(8 + padded.size()), 4) + padded;
}

/** @return an EMF of width x height pixels holding the records (count of them) and an end record. */
inline QByteArray emfOf(const QByteArray &records, int count, int width, int height)
{
    const QByteArray all = records + emfRecord(14, leBytes(0, 4) + leBytes(16, 4) + leBytes(20, 4));
    const QByteArray bounds = leBytes(0, 8) + leBytes(uint32_t(width - 1), 4) + leBytes(uint32_t(height - 1), 4);
    /* The frame in hundredths of a millimetre: the picture's size at 96 dots per inch. */
    const QByteArray frame = leBytes(0, 8) + leBytes(uint32_t(std::lround(width * 2540 / 96.0)), 4)
                             + leBytes(uint32_t(std::lround(height * 2540 / 96.0)), 4);
    const uint32_t total = 88 + uint32_t(all.size());
    return emfRecord(1, bounds + frame + leBytes(0x464D4520, 4) + leBytes(0x10000, 4) + leBytes(total, 4)
                            + leBytes(uint32_t(count + 2), 4) + leBytes(16, 2) + leBytes(0, 2) + leBytes(0, 12)
                            + leBytes(1024, 4) + leBytes(768, 4) + leBytes(270, 4) + leBytes(203, 4))
           + all;
}

/**
 * @return an EMF record combining the clip with a region of rectangles of
 *         device units, by a mode (1 intersection ... 5 copy).
 */
inline QByteArray emfClipRegion(uint32_t mode, const QList<QRect> &rects)
{
    QByteArray data;
    QRect bounds;
    for (const QRect &r : rects) {
        data += leBytes(uint32_t(r.left()), 4) + leBytes(uint32_t(r.top()), 4)
                + leBytes(uint32_t(r.left() + r.width()), 4) + leBytes(uint32_t(r.top() + r.height()), 4);
        bounds |= r;
    }
    const QByteArray region = leBytes(32, 4) + leBytes(1, 4) + leBytes(uint32_t(rects.size()), 4)
                              + leBytes(uint32_t(data.size()), 4) + leBytes(uint32_t(bounds.left()), 4)
                              + leBytes(uint32_t(bounds.top()), 4) + leBytes(uint32_t(bounds.right() + 1), 4)
                              + leBytes(uint32_t(bounds.bottom() + 1), 4) + data;
    return emfRecord(75, leBytes(uint32_t(region.size()), 4) + leBytes(mode, 4) + region);
}

/**
 * @return an EMF record making font 1: its height (negative: the character
 *         height), face, baseline's angle (tenths of degrees) and width.
 */
inline QByteArray emfFont(int height, const QString &face, int escapement = 0, int width = 0)
{
    const QByteArray name(reinterpret_cast<const char *>(face.utf16()), face.size() * 2);
    const QByteArray font = leBytes(1, 4) + leBytes(uint32_t(height), 4) + leBytes(uint32_t(width), 4)
                            + leBytes(uint32_t(escapement), 4) + leBytes(uint32_t(escapement), 4) + leBytes(400, 4)
                            + leBytes(0, 8) + name;
    return emfRecord(82, font + QByteArray(4 + 92 - font.size(), '\0'));
}

/**
 * @return an EMF record of a text at a point, of a graphics mode (1
 *         compatible, 2 advanced), with its spacing array: each
 *         character's advance, all zero when none are given.
 */
inline QByteArray emfText(const QString &text, int x = 0, int y = 0, const QList<int> &advances = {}, int mode = 1)
{
    QByteArray string(reinterpret_cast<const char *>(text.utf16()), text.size() * 2);
    string += QByteArray(string.size() % 4, '\0');
    QByteArray spacing;
    for (qsizetype i = 0; i < text.size(); ++i)
        spacing += leBytes(uint32_t(i < advances.size() ? advances[i] : 0), 4);
    return emfRecord(84, leBytes(0, 16) + leBytes(uint32_t(mode), 4) + leBytes(0, 8) + leBytes(uint32_t(x), 4)
                             + leBytes(uint32_t(y), 4) + leBytes(uint32_t(text.size()), 4) + leBytes(76, 4)
                             + leBytes(0, 4) + leBytes(0, 16) + leBytes(uint32_t(76 + string.size()), 4) + string
                             + spacing);
}

/**
 * @return an EMF record of a text of single bytes (EXTTEXTOUTA, the
 *         selected font's character set) at a point, with its spacing array.
 */
inline QByteArray emfTextA(const QByteArray &bytes, int x, int y, const QList<int> &advances)
{
    const QByteArray string = bytes + QByteArray((4 - bytes.size() % 4) % 4, '\0');
    QByteArray spacing;
    for (qsizetype i = 0; i < bytes.size(); ++i)
        spacing += leBytes(uint32_t(i < advances.size() ? advances[i] : 0), 4);
    return emfRecord(83, leBytes(0, 16) + leBytes(1, 4) + leBytes(0, 8) + leBytes(uint32_t(x), 4)
                             + leBytes(uint32_t(y), 4) + leBytes(uint32_t(bytes.size()), 4) + leBytes(76, 4)
                             + leBytes(0, 4) + leBytes(0, 16) + leBytes(uint32_t(76 + string.size()), 4) + string
                             + spacing);
}

/** @return a device-independent bitmap of 8 bits a pixel: its header, its colour table and its pixels. */
inline QByteArray dib8(int width, int height, uint32_t compression, const QList<uint32_t> &colours,
                       const QByteArray &pixels)
{
    QByteArray table;
    for (const uint32_t c : colours)
        table += leBytes(c, 4);
    return leBytes(40, 4) + leBytes(uint32_t(width), 4) + leBytes(uint32_t(height), 4) + leBytes(1, 2) + leBytes(8, 2)
           + leBytes(compression, 4) + leBytes(uint32_t(pixels.size()), 4) + leBytes(0, 8)
           + leBytes(uint32_t(colours.size()), 4) + leBytes(0, 4) + table + pixels;
}

/**
 * @return an EMF record that draws a bitmap of 8 bits a pixel and `colours`
 *         colours (all of it) over a rectangle by a raster operation.
 */
inline QByteArray emfStretchDib(const QByteArray &dib, int colours, const QRect &target, uint32_t rop = 0x00CC0020)
{
    const uint32_t table = 40 + 4 * uint32_t(colours);
    return emfRecord(81, leBytes(0, 16) + leBytes(uint32_t(target.x()), 4) + leBytes(uint32_t(target.y()), 4)
                             + leBytes(0, 8) + QByteArray(dib.constData() + 4, 8) + leBytes(80, 4) + leBytes(table, 4)
                             + leBytes(80 + table, 4) + leBytes(uint32_t(dib.size()) - table, 4) + leBytes(0, 4)
                             + leBytes(rop, 4) + leBytes(uint32_t(target.width()), 4)
                             + leBytes(uint32_t(target.height()), 4) + dib);
}
