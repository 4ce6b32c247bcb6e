/** @file picture_warm_up.cpp A picture of each kind, and drawings of what vehicles are drawn with, read before the first picture. */
#include "platform/files.h"

#include "platform/bitmap_check.h"
#include "platform/jpeg_decoder.h"
#include "platform/metafile.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cstdint>
#include <exception>

namespace platform {

namespace {

/** @return a number's bytes, little-endian first, as both metafile kinds keep their numbers; zeros past its four. */
QByteArray le(uint32_t value, int bytes)
{
    QByteArray out;
    for (int i = 0; i < bytes; ++i)
        out.append(char(i < 4 ? value >> (8 * i) : 0));
    return out;
}

/** @return a picture encoded by Qt in a format. */
QByteArray encodedAs(const QImage &picture, const char *format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, format);
    return bytes;
}

/** @return a WMF record: its size in words, its function, its parameters. */
QByteArray wmfRecord(uint16_t function, const QByteArray &parameters)
{
    return le(uint32_t(6 + parameters.size()) / 2, 4) + le(function, 2) + parameters;
}

/** @return an EMF record: its type, its size and its body, padded to four bytes. */
QByteArray emfRecord(uint32_t type, QByteArray body)
{
    body += QByteArray((4 - body.size() % 4) % 4, '\0');
    return le(type, 4) + le(uint32_t(8 + body.size()), 4) + body;
}

/** A bitmap of 4 x 4 pixels, 24 bits a pixel, as drawings keep their photos: its header and pixels. */
const QByteArray &smallBitmap()
{
    static const QByteArray dib = le(40, 4) + le(4, 4) + le(4, 4) + le(1, 2) + le(24, 2) + le(0, 4) + le(48, 4)
                                  + le(0, 16) + QByteArray(48, char(0x5A));
    return dib;
}

/** The text the drawings write: digits and letters, as vehicles' numbers and names are. */
const QByteArray kText("0123456789 ABCDEFGHIJKLMNOPQRSTUVWXYZ");

/**
 * @return a WMF of 100 x 40 pixels drawn as vehicle drawings are: a wide
 *         pen, a brush, a rectangle, an ellipse, a polygon, a line, a
 *         bitmap stretched, and a text on its baseline in a small bold
 *         Arial of the Central European characters.
 */
QByteArray vehicleWmf()
{
    QByteArray placeable = le(0x9AC6CDD7, 4) + le(0, 6) + le(100, 2) + le(40, 2) + le(96, 2) + le(0, 4);
    uint16_t checksum = 0;
    for (int i = 0; i < 20; i += 2)
        checksum ^= uint16_t(uchar(placeable[i]) | uchar(placeable[i + 1]) << 8);
    placeable += le(checksum, 2);
    QByteArray face("Arial");
    face.resize(32, '\0');
    const QByteArray parts[] = {
        wmfRecord(0x02FA, le(0, 2) + le(2, 2) + le(0, 2) + le(0x00102030, 4)),            // a pen of 2 pixels
        wmfRecord(0x02FC, le(0, 2) + le(0x00A0B0C0, 4) + le(0, 2)),                       // a solid brush
        wmfRecord(0x012D, le(0, 2)), wmfRecord(0x012D, le(1, 2)),                         // both selected
        wmfRecord(0x041B, le(30, 2) + le(90, 2) + le(10, 2) + le(10, 2)),                 // a rectangle
        wmfRecord(0x0418, le(38, 2) + le(30, 2) + le(28, 2) + le(20, 2)),                 // an ellipse
        wmfRecord(0x0324, le(3, 2) + le(40, 2) + le(5, 2) + le(60, 2) + le(35, 2) + le(50, 2) + le(20, 2)),
        wmfRecord(0x0214, le(36, 2) + le(2, 2)), wmfRecord(0x0213, le(36, 2) + le(98, 2)), // a line
        wmfRecord(0x0F43, le(0x00CC0020, 4) + le(0, 2) + le(4, 2) + le(4, 2) + le(0, 2) + le(0, 2) + le(8, 2)
                              + le(8, 2) + le(2, 2) + le(2, 2) + smallBitmap()),        // a bitmap, stretched
        wmfRecord(0x02FB, le(uint16_t(-6), 2) + le(0, 6) + le(700, 2) + le(0, 3) + le(238, 1) + le(0, 4) + face),
        wmfRecord(0x012D, le(2, 2)), wmfRecord(0x0209, le(0x00000000, 4)), wmfRecord(0x0102, le(1, 2)),
        wmfRecord(0x012E, le(24, 2)),
        wmfRecord(0x0521, le(uint32_t(kText.size()), 2) + kText + QByteArray(kText.size() % 2, '\0') + le(12, 2)
                              + le(12, 2)),
        wmfRecord(0x01F0, le(0, 2)), wmfRecord(0x01F0, le(1, 2)), wmfRecord(0x01F0, le(2, 2)),
        wmfRecord(0x0000, {}),
    };
    QByteArray records;
    qsizetype largest = 0;
    for (const QByteArray &part : parts) {
        records += part;
        largest = std::max(largest, part.size());
    }
    return placeable + le(1, 2) + le(9, 2) + le(0x0300, 2) + le(uint32_t(18 + records.size()) / 2, 4) + le(3, 2)
           + le(uint32_t(largest / 2), 4) + le(0, 2) + records;
}

/** @return an EMF of 100 x 40 pixels drawn as vehicleWmf's is. */
QByteArray vehicleEmf()
{
    const QByteArray &dib = smallBitmap();
    const uint32_t table = 40;
    QByteArray face(reinterpret_cast<const char *>(u"Arial"), 10);
    face.resize(64, '\0');
    QByteArray text;
    for (const char c : kText)
        text += le(uchar(c), 2);
    text += QByteArray(text.size() % 4, '\0');
    QByteArray spacing;
    for (qsizetype i = 0; i < kText.size(); ++i)
        spacing += le(4, 4);
    const QByteArray records =
        emfRecord(38, le(1, 4) + le(0, 4) + le(2, 4) + le(0, 4) + le(0x00102030, 4))      // a pen of 2 pixels
        + emfRecord(39, le(2, 4) + le(0, 4) + le(0x00A0B0C0, 4) + le(0, 4))               // a solid brush
        + emfRecord(37, le(1, 4)) + emfRecord(37, le(2, 4))                               // both selected
        + emfRecord(43, le(10, 4) + le(10, 4) + le(90, 4) + le(30, 4))                    // a rectangle
        + emfRecord(42, le(20, 4) + le(28, 4) + le(30, 4) + le(38, 4))                    // an ellipse
        + emfRecord(86, le(0, 16) + le(3, 4) + le(40, 2) + le(5, 2) + le(60, 2) + le(35, 2) + le(50, 2) + le(20, 2))
        + emfRecord(27, le(2, 4) + le(36, 4)) + emfRecord(54, le(98, 4) + le(36, 4))      // a line
        + emfRecord(81, le(0, 16) + le(2, 4) + le(2, 4) + le(0, 8) + le(4, 4) + le(4, 4) + le(80, 4) + le(table, 4)
                            + le(80 + table, 4) + le(uint32_t(dib.size()) - table, 4) + le(0, 4) + le(0x00CC0020, 4)
                            + le(8, 4) + le(8, 4) + dib)                                  // a bitmap, stretched
        + emfRecord(82, le(3, 4) + le(uint32_t(-6), 4) + le(0, 12) + le(700, 4) + le(0, 3) + le(238, 1) + le(0, 4)
                            + face)
        + emfRecord(37, le(3, 4)) + emfRecord(22, le(24, 4))
        + emfRecord(84, le(0, 16) + le(1, 4) + le(0, 8) + le(12, 4) + le(12, 4) + le(uint32_t(kText.size()), 4)
                            + le(76, 4) + le(0, 4) + le(0, 16) + le(uint32_t(76 + text.size()), 4) + text + spacing)
        + emfRecord(40, le(1, 4)) + emfRecord(40, le(2, 4)) + emfRecord(40, le(3, 4));
    const QByteArray end = emfRecord(14, le(0, 4) + le(16, 4) + le(20, 4));
    const int count = 19; // the header, 17 records and the end
    return emfRecord(1, le(0, 8) + le(99, 4) + le(39, 4) + le(0, 8) + le(2646, 4) + le(1058, 4) + le(0x464D4520, 4)
                            + le(0x10000, 4) + le(uint32_t(88 + records.size() + end.size()), 4) + le(count, 4)
                            + le(4, 2) + le(0, 2) + le(0, 12) + le(1024, 4) + le(768, 4) + le(270, 4) + le(203, 4))
           + records + end;
}

/**
 * Draws the text of vehicleWmf, in its font, at each quarter of a pixel
 * along the baseline: Qt keeps a glyph drawn at each quarter apart, so
 * the metafile alone leaves a drawing's number, at a place of its own,
 * glyphs to make and shape (some 0.05 ms a drawing). Numbers alone too,
 * which are shaped apart from a text of letters. Nothing is drawn without
 * the system's fonts.
 */
void warmUpGlyphs()
{
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        return;
    QImage canvas(200, 40, QImage::Format_ARGB32_Premultiplied);
    canvas.fill(0);
    QPainter painter(&canvas);
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(6);
    font.setWeight(QFont::Bold);
    font.setStyleStrategy(QFont::NoFontMerging);
    painter.setFont(font);
    const QString digits = QString::fromLatin1(kText.left(10));
    for (int quarter = 0; quarter < 4; ++quarter) {
        painter.drawText(QPointF(2 + quarter / 4.0, 8 + 8 * quarter), QString::fromLatin1(kText));
        painter.drawText(QPointF(160 + quarter / 4.0, 8 + 8 * quarter), digits);
    }
}

} // namespace

void warmUpPictureReading()
{
    QImage tiny(8, 8, QImage::Format_RGB32);
    tiny.fill(qRgb(40, 90, 160));
    const QByteArray png = encodedAs(tiny, "PNG");
    warmUpGlyphs();
    try {
        decodeBmp(encodedAs(tiny, "BMP"));
        decodeBmp(encodedAs(tiny.convertToFormat(QImage::Format_Indexed8), "BMP"));
        decodeJpeg(encodeJpeg(tiny, 90));
        decodeIco(encodedAs(tiny, "ICO"));
        /* An icon whose image is a PNG, as large icons are. */
        decodeIco(le(0, 2) + le(1, 2) + le(1, 2) + le(8, 1) + le(8, 1) + le(0, 2) + le(1, 2) + le(32, 2)
                  + le(uint32_t(png.size()), 4) + le(22, 4) + png);
        decodeWmf(vehicleWmf());
        decodeEmf(vehicleEmf());
    } catch (const std::exception &) {
        /* Only a first use: what it read tells nothing. */
    }
}

} // namespace platform
