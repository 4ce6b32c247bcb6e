/** @file metafile_test.cpp WMF and EMF pictures: shipped ones and drawing tools' drawn, cut and lying ones refused. */
#include "platform/bitmap_check.h"
#include "platform/cp1250.h"
#include "platform/files.h"
#include "platform/metafile.h"
#include "platform/metafile_bytes.h"
#include "platform/picture_read.h"
#include "platform/wave_bytes.h"
#include "failure_text.h"
#include "support/processor_clock.h"
#include "view/qt_app.h"

#include <QDir>
#include <QFile>
#include <QPainter>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <cstring>
#include <tuple>
#include <vector>

using testing_support::failureOf;

namespace {

/** @return the bytes of a shipped vehicle picture. */
QByteArray shipped(const char *name)
{
    QFile f(QStringLiteral(KAMENNA_SOURCE_DATA_DIR "/Vozidla/") + QLatin1String(name));
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << name;
    return f.readAll();
}

/** @return the bytes of a file. */
QByteArray bytesOf(const QString &path)
{
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << path.toStdString();
    return f.readAll();
}

/**
 * @return the share of the pixels either picture draws (those not see-through)
 *         that the other draws within a pixel of them in a colour alike: no
 *         channel more than 40 apart.
 */
double drawnAlike(const QImage &first, const QImage &second)
{
    const QImage a = first.convertToFormat(QImage::Format_ARGB32);
    const QImage b = second.convertToFormat(QImage::Format_ARGB32);
    int64_t drawn = 0;
    int64_t alike = 0;
    for (const auto &[from, in] : {std::pair(&a, &b), std::pair(&b, &a)}) {
        for (int y = 0; y < from->height(); ++y) {
            for (int x = 0; x < from->width(); ++x) {
                const QRgb c = from->pixel(x, y);
                if (qAlpha(c) == 0)
                    continue;
                ++drawn;
                bool found = false;
                for (int dy = -1; dy <= 1 && !found; ++dy) {
                    for (int dx = -1; dx <= 1 && !found; ++dx) {
                        if (!in->rect().contains(x + dx, y + dy))
                            continue;
                        const QRgb d = in->pixel(x + dx, y + dy);
                        found = qAlpha(d) != 0 && std::abs(qRed(c) - qRed(d)) <= 40
                                && std::abs(qGreen(c) - qGreen(d)) <= 40 && std::abs(qBlue(c) - qBlue(d)) <= 40;
                    }
                }
                alike += found;
            }
        }
    }
    return drawn > 0 ? double(alike) / double(drawn) : 0;
}

/** @return whether decoding fails with the system's own error, never anything else. */
template <typename Decode>
bool refused(Decode decode, const QByteArray &bytes)
{
    try {
        return decode(bytes).isNull();
    } catch (const ui::SimError &) {
        return true;
    }
}

/** @return the offset of the first EMF record of a type, after the header; -1 when there is none. */
qsizetype emfRecord(const QByteArray &emf, uint32_t type)
{
    for (qsizetype at = platform::le32(emf.constData() + 4); at + 8 <= emf.size();) {
        if (platform::le32(emf.constData() + at) == type)
            return at;
        at += platform::le32(emf.constData() + at + 4);
    }
    return -1;
}

/** @return the offset of the first WMF record of a function; -1 when there is none. */
qsizetype wmfRecord(const QByteArray &wmf, uint16_t function)
{
    for (qsizetype at = 22 + 18; at + 6 <= wmf.size();) {
        if (platform::le16(wmf.constData() + at + 4) == function)
            return at;
        at += qsizetype(platform::le32(wmf.constData() + at)) * 2;
    }
    return -1;
}

/** @return a pixel of a picture as it is kept: premultiplied ARGB. */
QRgb kept(const QImage &picture, int x, int y)
{
    return reinterpret_cast<const QRgb *>(picture.constScanLine(y))[x];
}

/** @return an EMF of 32 x 32 pixels holding the records. */
QByteArray emf32(const QByteArray &records)
{
    int count = 0;
    for (qsizetype at = 0; at + 8 <= records.size(); at += platform::le32(records.constData() + at + 4))
        ++count;
    return emfOf(records, count, 32, 32);
}

/** @return EMF records selecting a new solid brush of a colour (0x00BBGGRR) and no pen. */
QByteArray emfBrush(uint32_t colour)
{
    return emfRecord(39, leBytes(2, 4) + leBytes(0, 4) + leBytes(colour, 4) + leBytes(0, 4))
           + emfRecord(37, leBytes(2, 4)) + emfRecord(37, leBytes(0x80000008, 4));
}

/** @return an EMF record of a rectangle (43), or of a chord (46) or pie (47) of the ellipse in it between two rays. */
QByteArray emfBox(uint32_t type, const QRect &box, QPoint from = {}, QPoint to = {})
{
    QByteArray body = leBytes(uint32_t(box.left()), 4) + leBytes(uint32_t(box.top()), 4)
                      + leBytes(uint32_t(box.right() + 1), 4) + leBytes(uint32_t(box.bottom() + 1), 4);
    if (type != 43)
        body += leBytes(uint32_t(from.x()), 4) + leBytes(uint32_t(from.y()), 4) + leBytes(uint32_t(to.x()), 4)
                + leBytes(uint32_t(to.y()), 4);
    return emfRecord(type, body);
}

/** @return an EMF block transfer (BITBLT) without a bitmap over a rectangle by a raster operation. */
QByteArray emfBlt(const QRect &target, uint32_t rop)
{
    return emfRecord(76, leBytes(0, 16) + leBytes(uint32_t(target.x()), 4) + leBytes(uint32_t(target.y()), 4)
                             + leBytes(uint32_t(target.width()), 4) + leBytes(uint32_t(target.height()), 4)
                             + leBytes(rop, 4) + leBytes(0, 8 + 24 + 8 + 16));
}

/** @return an EMF record setting the world transform. */
QByteArray emfWorld(float m11, float m12, float m21, float m22, float dx, float dy)
{
    QByteArray body;
    for (const float v : {m11, m12, m21, m22, dx, dy}) {
        uint32_t bits = 0;
        std::memcpy(&bits, &v, sizeof bits);
        body += leBytes(bits, 4);
    }
    return emfRecord(35, body);
}

/** @return a bitmap four pixels wide of 8 bits a pixel: its colours (0x00RRGGBB), its rows in hex, top first. */
QByteArray strip(const QList<uint32_t> &colours, const char *top, const char *bottom = "")
{
    const QByteArray rows = QByteArray::fromHex(bottom) + QByteArray::fromHex(top);
    return dib8(4, int(rows.size() / 4), 0, colours, rows);
}

/** @return a picture shown over white, with what is white there made see-through: its ink. */
QImage inkOverWhite(const QImage &picture)
{
    QImage ink(picture.size(), QImage::Format_ARGB32);
    ink.fill(Qt::white);
    QPainter painter(&ink);
    painter.drawImage(0, 0, picture);
    painter.end();
    for (int y = 0; y < ink.height(); ++y) {
        auto *row = reinterpret_cast<QRgb *>(ink.scanLine(y));
        for (int x = 0; x < ink.width(); ++x)
            if (qRed(row[x]) > 240 && qGreen(row[x]) > 240 && qBlue(row[x]) > 240)
                row[x] = 0;
    }
    return ink;
}

/**
 * @return the EMF with each of its single-byte texts (EXTTEXTOUTA) made the
 *         same text of UTF-16 characters (EXTTEXTOUTW), its bytes read as
 *         Windows-1250, or, when `keep` is false, made a comment.
 */
QByteArray wideTexts(const QByteArray &emf, bool keep = true)
{
    QByteArray out = emf.left(platform::le32(emf.constData() + 4));
    for (qsizetype at = out.size(); at + 8 <= emf.size();) {
        const char *r = emf.constData() + at;
        const uint32_t size = platform::le32(r + 4);
        QByteArray record = emf.mid(at, size);
        at += size;
        if (platform::le32(r) != 83) {
            out += record;
            continue;
        }
        if (!keep) {
            record.replace(0, 4, leBytes(70, 4));
            out += record;
            continue;
        }
        const uint32_t chars = platform::le32(r + 44);
        const QString text = platform::decodeCp1250(QByteArray(r + platform::le32(r + 48), int(chars)));
        QByteArray string(reinterpret_cast<const char *>(text.utf16()), text.size() * 2);
        string += QByteArray((4 - string.size() % 4) % 4, '\0');
        const uint32_t dx = platform::le32(r + 72);
        QByteArray body = QByteArray(r + 8, 68);
        body.replace(48 - 8, 4, leBytes(76, 4));
        body.replace(72 - 8, 4, leBytes(dx != 0 ? uint32_t(76 + string.size()) : 0, 4));
        out += emfRecord(84, body + string + (dx != 0 ? QByteArray(r + dx, int(chars) * 4) : QByteArray()));
    }
    out.replace(48, 4, leBytes(uint32_t(out.size()), 4));
    return out;
}

/** @return the pixels of a picture unlike another's in any channel by more than a step of a glyph's edge. */
int unlikePixels(const QImage &a, const QImage &b)
{
    int unlike = 0;
    for (int y = 0; y < std::min(a.height(), b.height()); ++y)
        for (int x = 0; x < std::min(a.width(), b.width()); ++x) {
            const QRgb p = kept(a, x, y);
            const QRgb q = kept(b, x, y);
            unlike += std::abs(qAlpha(p) - qAlpha(q)) > 32 || std::abs(qRed(p) - qRed(q)) > 32
                      || std::abs(qGreen(p) - qGreen(q)) > 32 || std::abs(qBlue(p) - qBlue(q)) > 32;
        }
    return unlike;
}

} // namespace

TEST(Metafiles, TheShippedPicturesAreDrawnAtTheirSizes)
{
    const QImage locomotive = platform::decodeEmf(shipped("lok_714.emf"));
    ASSERT_EQ(locomotive.size(), QSize(84, 64));
    /* See-through ground, the red hood, a wheel, and the owner's plate from the embedded bitmap. */
    EXPECT_EQ(locomotive.pixelColor(40, 2), QColor(255, 0, 255));
    EXPECT_EQ(locomotive.pixelColor(12, 38), QColor(176, 34, 34));
    EXPECT_EQ(locomotive.pixelColor(12, 52), QColor(96, 96, 96));
    EXPECT_EQ(locomotive.pixelColor(36, 25), QColor(24, 60, 140));
    EXPECT_EQ(locomotive.pixelColor(20, 33), QColor(226, 214, 176)); // cream band

    const QImage coach = platform::decodeWmf(shipped("vuz_Bt.wmf"));
    ASSERT_EQ(coach.size(), QSize(100, 64));
    EXPECT_EQ(coach.pixelColor(50, 2), QColor(255, 0, 255));
    EXPECT_EQ(coach.pixelColor(30, 40), QColor(40, 104, 64));   // green body
    EXPECT_EQ(coach.pixelColor(17, 25), QColor(168, 192, 204)); // a window
    EXPECT_EQ(coach.pixelColor(44, 33), QColor(24, 60, 140));   // the plate
    EXPECT_EQ(coach.pixelColor(70, 36), QColor(32, 86, 52));    // the line along the side
    EXPECT_EQ(coach.pixelColor(0, 63), QColor(255, 0, 255));    // ground under the wheels
}

TEST(Metafiles, EveryCutOfAShippedFileIsRefusedNeverDrawnHalf)
{
    for (const char *name : {"lok_714.emf", "vuz_Bt.wmf"}) {
        const QByteArray whole = shipped(name);
        const bool emf = QByteArray(name).endsWith("emf");
        auto decode = [emf](const QByteArray &b) { return emf ? platform::decodeEmf(b) : platform::decodeWmf(b); };
        for (qsizetype keep = 0; keep < whole.size(); ++keep)
            EXPECT_TRUE(refused(decode, whole.left(keep))) << name << " cut at " << keep;
    }
}

TEST(Metafiles, RecordsThatLieAboutTheirContentsAreRefused)
{
    const QByteArray emf = shipped("lok_714.emf");
    /* A polygon claiming more points than its record holds. */
    const qsizetype polygon = emfRecord(emf, 86);
    ASSERT_GT(polygon, 0);
    QByteArray manyPoints = emf;
    manyPoints.replace(polygon + 24, 4, QByteArray("\xff\xff\x00\x00", 4));
    EXPECT_TRUE(refused(platform::decodeEmf, manyPoints));
    /* A record longer than the file. */
    QByteArray longRecord = emf;
    longRecord.replace(polygon + 4, 4, QByteArray("\x00\x00\x10\x00", 4));
    EXPECT_TRUE(refused(platform::decodeEmf, longRecord));
    /* An embedded bitmap whose pixels lie beyond its record. */
    const qsizetype bitmap = emfRecord(emf, 81);
    ASSERT_GT(bitmap, 0);
    QByteArray farPixels = emf;
    farPixels.replace(bitmap + 56, 4, QByteArray("\x00\x00\x01\x00", 4));
    EXPECT_TRUE(refused(platform::decodeEmf, farPixels));
    /* A picture of absurd size (its frame) is too large, not broken. */
    QByteArray huge = emf;
    huge.replace(32, 4, QByteArray("\x00\x00\x00\x40", 4));
    EXPECT_THROW(platform::decodeEmf(huge), platform::PictureTooLarge);

    const QByteArray wmf = shipped("vuz_Bt.wmf");
    const qsizetype wmfPolygon = wmfRecord(wmf, 0x0324);
    ASSERT_GT(wmfPolygon, 0);
    QByteArray wmfMany = wmf;
    wmfMany.replace(wmfPolygon + 6, 2, QByteArray("\xff\x7f", 2));
    EXPECT_TRUE(refused(platform::decodeWmf, wmfMany));
    const qsizetype stretch = wmfRecord(wmf, 0x0F43);
    ASSERT_GT(stretch, 0);
    QByteArray wmfBitmap = wmf;
    wmfBitmap.replace(stretch + 6 + 22 + 8, 4, QByteArray("\x00\x10\x00\x00", 4)); // bitmap height 4096
    EXPECT_TRUE(refused(platform::decodeWmf, wmfBitmap));
}

TEST(Metafiles, TheKindsAreToldApartByTheirHeaders)
{
    EXPECT_TRUE(platform::looksLikeEmf(shipped("lok_714.emf")));
    EXPECT_FALSE(platform::looksLikeWmf(shipped("lok_714.emf")));
    EXPECT_TRUE(platform::looksLikeWmf(shipped("vuz_Bt.wmf")));
    EXPECT_FALSE(platform::looksLikeEmf(shipped("vuz_Bt.wmf")));
    EXPECT_FALSE(platform::looksLikeEmf(shipped("lok_754.bmp")));
    EXPECT_FALSE(platform::looksLikeWmf(shipped("lok_754.bmp")));
    /* A WMF without its placeable header takes its size from its window. */
    const QByteArray plain = shipped("vuz_Bt.wmf").mid(22);
    EXPECT_EQ(platform::decodeWmf(plain).size(), QSize(100, 64));

    /* The smallest placeable file: its headers, a rectangle from (4, 4) to (28, 20) and its end, 60 bytes. */
    QByteArray placeable = leBytes(0x9AC6CDD7, 4) + leBytes(0, 2) + leBytes(0, 4) + leBytes(32, 2) + leBytes(24, 2)
                           + leBytes(96, 2) + leBytes(0, 4);
    uint16_t checksum = 0;
    for (int i = 0; i < 20; i += 2)
        checksum ^= platform::le16(placeable.constData() + i);
    const QByteArray records = leBytes(7, 4) + leBytes(0x041B, 2) + leBytes(20, 2) + leBytes(28, 2) + leBytes(4, 2)
                               + leBytes(4, 2) + leBytes(3, 4) + leBytes(0, 2);
    const QByteArray smallest = placeable + leBytes(checksum, 2) + leBytes(1, 2) + leBytes(9, 2) + leBytes(0x0300, 2)
                                + leBytes(19, 4) + leBytes(0, 2) + leBytes(7, 4) + leBytes(0, 2) + records;
    ASSERT_EQ(smallest.size(), 60);
    ASSERT_TRUE(platform::looksLikeWmf(smallest));
    /* Drawn as Qt draws the rectangle: the context's first pen (black, a pixel) along its inner edge, white within. */
    QImage expected(32, 24, QImage::Format_ARGB32_Premultiplied);
    expected.fill(Qt::transparent);
    QPainter painter(&expected);
    painter.setPen(QPen(Qt::black, 0));
    painter.setBrush(Qt::white);
    painter.drawRect(QRect(4, 4, 23, 15));
    painter.end();
    EXPECT_EQ(platform::decodeWmf(smallest), expected);
}

TEST(Metafiles, DrawingToolsEmfsAreDrawnAsTheirWmfsAtTheirDrawingsSizes)
{
    /*
     * Vehicle drawings (scripts/make-drawings: fills, curves, wheels, strokes
     * of 1-6 pixels with their caps and joins, dashes, a number, transformed
     * groups, an embedded bitmap, a clip) as Inkscape 1.2 and LibreOffice
     * Draw 7.4 export them: the EMF is drawn at the drawing's size as the
     * same tool's WMF draws it. Inkscape's EMF holds paths of Béziers in
     * geometric pens, world transforms and clip paths; LibreOffice's filled
     * paths of Béziers and polygons of 32-bit points. Inkscape exports the
     * drawing's own size (its frame rounded up to a millimetre); LibreOffice
     * leaves a margin of the drawing out, in both formats alike. Inkscape
     * writes the number as its glyphs' outlines, LibreOffice as a text with
     * its characters' advances in the EMF and without them in the WMF: it
     * is drawn where fonts are, as here. LibreOffice's embedded bitmap is a
     * pair of transfers, its mask's (SRCPAINT) and its own (SRCAND).
     */
    ASSERT_NE(qtApp(), nullptr);
    const QDir dir(QStringLiteral(KAMENNA_DRAWINGS_DIR));
    const QStringList drawings = dir.entryList({QStringLiteral("*.svg")});
    ASSERT_EQ(drawings.size(), 27);
    const QRegularExpression sizeOfSvg(QStringLiteral("<svg [^>]*width=\"(\\d+)\" height=\"(\\d+)\""));
    for (const QString &svg : drawings) {
        const QRegularExpressionMatch size = sizeOfSvg.match(QString::fromUtf8(bytesOf(dir.filePath(svg))));
        ASSERT_TRUE(size.hasMatch()) << svg.toStdString();
        const QSize drawing(size.captured(1).toInt(), size.captured(2).toInt());
        for (const char *tool : {"inkscape", "libreoffice"}) {
            const QString name = svg.chopped(4) + QLatin1Char('_') + QLatin1String(tool);
            const std::string what = name.toStdString();
            const QByteArray emfBytes = bytesOf(dir.filePath(name + QStringLiteral(".emf")));
            ProcessorClock clock;
            const QImage emf = platform::decodeEmf(emfBytes);
            /* A bound far above the millisecond or so each takes, not a measure of it (the benchmark's). */
            EXPECT_LT(clock.elapsed(), 100) << what;
            const QImage wmf = platform::decodeWmf(bytesOf(dir.filePath(name + QStringLiteral(".wmf"))));
            const QSize exported = QLatin1String(tool) == QLatin1String("inkscape") ? drawing : wmf.size();
            EXPECT_LE(std::abs(emf.width() - exported.width()), 3) << what << " " << emf.width();
            EXPECT_LE(std::abs(emf.height() - exported.height()), 3) << what << " " << emf.height();
            EXPECT_LE(std::abs(wmf.width() - emf.width()), 3) << what;
            EXPECT_LE(std::abs(wmf.height() - emf.height()), 3) << what;
            EXPECT_GE(drawnAlike(emf, wmf), 0.85) << what;
        }
    }
}

TEST(Metafiles, GnuplotsAndPstoeditsEmfsAreDrawnAsOtherWritersDrawThemAndTheirTextsAsWideOnes)
{
    /*
     * scripts/make-drawings --plots: gnuplot's plot of a title, axis and
     * key labels, written as single-byte texts, one of them turned; its
     * bars filled with monochrome patterns (CREATEMONOBRUSH) in their
     * colours on white, beside gnuplot's own PNG of them; pstoedit's picture
     * of shapes and texts beside ghostscript's PNG of its PostScript.
     */
    ASSERT_NE(qtApp(), nullptr);
    const QDir dir(QStringLiteral(KAMENNA_DRAWINGS_DIR));
    const QImage bars = platform::decodeEmf(bytesOf(dir.filePath("gnuplot_bars.emf")));
    EXPECT_GE(drawnAlike(inkOverWhite(bars), inkOverWhite(QImage(dir.filePath("gnuplot_bars.png")))), 0.9);
    const QByteArray pstoedit = bytesOf(dir.filePath("pstoedit_picture.emf"));
    EXPECT_GE(drawnAlike(platform::decodeEmf(pstoedit), QImage(dir.filePath("pstoedit_picture.png"))), 0.9);
    for (const QByteArray &emf : {bytesOf(dir.filePath("gnuplot_texts.emf")), pstoedit}) {
        const QImage picture = platform::decodeEmf(emf);
        EXPECT_EQ(unlikePixels(picture, platform::decodeEmf(wideTexts(emf))), 0);
        EXPECT_GT(unlikePixels(picture, platform::decodeEmf(wideTexts(emf, false))), 300);
    }
}

TEST(Metafiles, PatternBrushesFillInTheirColoursAndASelectOfNoObjectChangesNothing)
{
    /* An 8 x 8 checker of a bit a pixel, rows padded to four bytes; and 2 x 2 of blue and yellow in 24 bits. */
    QByteArray checker;
    for (int row = 0; row < 8; ++row)
        checker += leBytes(row % 2 ? 0x55 : 0xAA, 4);
    const QByteArray monoHeader = leBytes(40, 4) + leBytes(8, 4) + leBytes(8, 4) + leBytes(1, 2) + leBytes(1, 2)
                                  + leBytes(0, 4) + leBytes(32, 4) + leBytes(0, 16);
    const auto pattern = [](uint32_t type, const QByteArray &header, const QByteArray &bits) {
        return emfRecord(type, leBytes(3, 4) + leBytes(type == 93 ? 2 : 0, 4) + leBytes(32, 4)
                                   + leBytes(uint32_t(header.size()), 4) + leBytes(uint32_t(32 + header.size()), 4)
                                   + leBytes(uint32_t(bits.size()), 4) + header + bits);
    };
    const QByteArray mono = pattern(93, monoHeader, checker);
    const QByteArray colours = pattern(
        94,
        leBytes(40, 4) + leBytes(2, 4) + leBytes(2, 4) + leBytes(1, 2) + leBytes(24, 2) + leBytes(0, 4) + leBytes(16, 4)
            + leBytes(0, 16),
        QByteArray::fromHex("FF0000" "00FFFF" "0000" "00FFFF" "FF0000" "0000"));
    const QByteArray redOnWhite = emfRecord(24, leBytes(0x0000FF, 4)) + emfRecord(25, leBytes(0xFFFFFF, 4));
    const QByteArray selectIt = emfRecord(37, leBytes(3, 4)) + emfRecord(37, leBytes(0x80000008u, 4));
    const QByteArray box = emfBox(43, QRect(0, 0, 32, 32));
    const auto count = [](const QImage &picture, QRgb colour) {
        int n = 0;
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                n += kept(picture, x, y) == colour;
        return n;
    };
    /* The checker in the text and background colours: red and white, half and half, by shapes and by PATCOPY. */
    for (const QByteArray &fill : {box, emfBlt(QRect(0, 0, 32, 32), 0x00F00021)}) {
        const QImage checkered = platform::decodeEmf(emf32(redOnWhite + mono + selectIt + fill));
        EXPECT_EQ(count(checkered, 0xFFFF0000), 512);
        EXPECT_EQ(count(checkered, 0xFFFFFFFF), 512);
        EXPECT_NE(kept(checkered, 0, 0), kept(checkered, 1, 0));
        EXPECT_EQ(kept(checkered, 0, 0), kept(checkered, 1, 1));
    }
    /* The bitmap's own colours, repeated from the picture's corner. */
    const QImage own = platform::decodeEmf(emf32(colours + selectIt + box));
    EXPECT_EQ(count(own, 0xFF0000FF), 512);
    EXPECT_EQ(count(own, 0xFFFFFF00), 512);
    EXPECT_EQ(kept(own, 0, 0), kept(own, 2, 2));
    /* A select of an object never made, or of one deleted, leaves the red brush selected before it. */
    const QByteArray selectNothing = emfRecord(37, leBytes(7, 4)) + emfRecord(40, leBytes(3, 4)) + selectIt;
    const QImage red = platform::decodeEmf(emf32(emfBrush(0x0000FF) + mono + emfRecord(40, leBytes(3, 4))
                                                 + selectNothing + box));
    EXPECT_EQ(count(red, 0xFFFF0000), 1024);
}

TEST(Metafiles, RasterOperationsTextsAndShapesAreDrawnAsTheSystemDrawsThem)
{
    /* Texts are drawn where fonts are, as in the program. */
    ASSERT_NE(qtApp(), nullptr);
    /*
     * Pictures of 32 x 32 pixels. The raster operations' ones have their
     * left half red and their right half not drawn; the bitmaps are
     * stretched over the whole picture, four columns of 8 pixels each. A
     * pixel the operations leave as it was where nothing is drawn stays
     * see-through, one of the background inverted is as over white, one a
     * grey mask lets half through half see-through (kept premultiplied).
     */
    const QByteArray redLeft = emfBrush(0x0000FF) + emfBox(43, QRect(0, 0, 16, 32));
    const QRect all(0, 0, 32, 32);
    const QList<uint32_t> maskColours{0x000000, 0xFFFFFF, 0x808080};
    const QList<uint32_t> colours{0xFFFFFF, 0x0000FF, 0x00FF00, 0xFFFF00};
    const QByteArray maskPair = emfStretchDib(strip(maskColours, "01000100", "02020202"), 3, all, 0x00EE0086)
                                + emfStretchDib(strip(colours, "01000100", "02020202"), 4, all, 0x008800C6);
    const QByteArray image = emfStretchDib(strip(colours, "01030103"), 4, all, 0x00660046);
    const QByteArray xorTrick = image + emfStretchDib(strip(maskColours, "00010001"), 3, all, 0x008800C6) + image;
    const QByteArray xorRectangle = emfRecord(20, leBytes(7, 4)) + emfBrush(0x00FFFF) + emfBox(43, all);
    /* A WMF's red left half, and a transfer of a monochrome bitmap (text colour, background colour) ANDed over it. */
    const QByteArray wmfRed = wmfRecord(0x02FC, leBytes(0, 2) + leBytes(0x0000FF, 4) + leBytes(0, 2))
                              + wmfRecord(0x012D, leBytes(0, 2)) + wmfRecord(0x02FA, leBytes(5, 2) + leBytes(0, 8))
                              + wmfRecord(0x012D, leBytes(1, 2))
                              + wmfRecord(0x041B, leBytes(32, 2) + leBytes(16, 2) + leBytes(0, 4));
    const QByteArray wmfMask =
        wmfRecord(0x0B23, leBytes(0x008800C6, 4) + leBytes(1, 2) + leBytes(2, 2) + leBytes(0, 4) + leBytes(32, 2)
                              + leBytes(32, 2) + leBytes(0, 4) + leBytes(0, 2) + leBytes(2, 2) + leBytes(1, 2)
                              + leBytes(2, 2) + leBytes(0x0101, 2) + leBytes(0x40, 2));
    /* Texts: one in a font 16 pixels high, and one drawn through transforms onto the same pixels. */
    const QString face = QStringLiteral("DejaVu Sans");
    const QByteArray selectFont = emfRecord(37, leBytes(1, 4));
    const QByteArray text =
        emfFont(-16, face) + selectFont + emfText(QStringLiteral("714007"), 2, 4, {9, 9, 9, 9, 9, 9});
    const QByteArray twelfths = emfWorld(1.0f / 12, 0, 0, 1.0f / 12, 0, 0) + emfFont(-192, face) + selectFont
                                + emfText(QStringLiteral("714007"), 24, 48, {108, 108, 108, 108, 108, 108});
    const QByteArray turned = emfFont(-16, face, 900) + selectFont + emfText(QStringLiteral("714"), 4, 28, {9, 9, 9});
    const QByteArray turnedByWorld = emfWorld(0, -1, 1, 0, 0, 32) + emfFont(-16, face) + selectFont
                                     + emfText(QStringLiteral("714"), 4, 4, {9, 9, 9}, 2);
    /* Single-byte texts in their fonts' character sets, several texts in one record, and a small one. */
    const QByteArray bytesText =
        emfFont(-16, face) + selectFont + emfTextA("714\x8A\x9E", 2, 4, {9, 9, 9, 9, 9});
    const QByteArray wideBytes =
        emfFont(-16, face) + selectFont + emfText(QStringLiteral("714Šž"), 2, 4, {9, 9, 9, 9, 9});
    QByteArray cyrillicFont = emfFont(-16, face);
    cyrillicFont[35] = char(204);
    const QByteArray cyrillic = cyrillicFont + selectFont + emfTextA("\xCF\xF0\xE0\xE3\xE0", 2, 4, {});
    const QByteArray wideCyrillic = emfFont(-16, face) + selectFont + emfText(QStringLiteral("Прага"), 2, 4);
    const QByteArray twoTexts = emfFont(-16, face) + selectFont + emfText(QStringLiteral("71"), 2, 4, {9, 9})
                                + emfText(QStringLiteral("40"), 4, 18, {9, 9});
    QByteArray polyText = emfFont(-16, face) + selectFont;
    {
        /* The strings after the record's header and its two EMRTEXTs, each followed by its advances. */
        QByteArray texts = leBytes(0, 16) + leBytes(1, 4) + leBytes(0, 8) + leBytes(2, 4);
        const uint32_t first = 8 + 32 + 2 * 40;
        const std::pair<QPoint, QString> strings[] = {{QPoint(2, 4), QStringLiteral("71")},
                                                      {QPoint(4, 18), QStringLiteral("40")}};
        QByteArray tail;
        for (const auto &[at, text] : strings) {
            const uint32_t stringAt = first + uint32_t(tail.size());
            tail += QByteArray(reinterpret_cast<const char *>(text.utf16()), 4) + leBytes(9, 4) + leBytes(9, 4);
            texts += leBytes(uint32_t(at.x()), 4) + leBytes(uint32_t(at.y()), 4) + leBytes(2, 4) + leBytes(stringAt, 4)
                     + leBytes(0, 4) + leBytes(0, 16) + leBytes(stringAt + 4, 4);
        }
        polyText += emfRecord(97, texts + tail);
    }
    /* SMALLTEXTOUT of bytes without a rectangle (ETO_SMALL_CHARS, ETO_NO_RECT), placed by the font. */
    const QByteArray smallText = emfFont(-16, face) + selectFont
                                 + emfRecord(108, leBytes(2, 4) + leBytes(4, 4) + leBytes(4, 4) + leBytes(0x300, 4)
                                                      + leBytes(1, 4) + leBytes(0, 8) + QByteArray("7140"));
    QByteArray placedByFont = emfText(QStringLiteral("7140"), 2, 4);
    placedByFont.replace(72, 4, leBytes(0, 4)); // no spacing array
    const QByteArray wideSmall = emfFont(-16, face) + selectFont + placedByFont;
    struct Case {
        const char *what;
        QByteArray file;
        std::vector<std::tuple<int, int, QRgb>> pixels = {}; ///< Pixels as they are kept.
        void (*qtDraws)(QPainter &) = nullptr;              ///< What the picture is drawn as by QPainter.
        QByteArray sameAs = {};                              ///< A file drawn the same.
        bool taller = false;                            ///< Whether what it draws is taller than wide.
    };
    const Case cases[] = {
        {.what = "a bitmap's mask (SRCPAINT), then the bitmap (SRCAND), a grey mask's row below",
         .file = emf32(redLeft + maskPair),
         .pixels = {{4, 4, 0xFF0000FF}, {12, 4, 0xFFFF0000}, {20, 4, 0xFF0000FF}, {28, 4, 0},
                    {4, 20, 0xFF008000}, {28, 20, 0x80008000}}},
        {.what = "the bitmap ORed with its ground (SRCINVERT), ANDed with its mask, ORed again",
         .file = emf32(redLeft + xorTrick),
         .pixels = {{4, 4, 0xFF0000FF}, {12, 4, 0xFFFF0000}, {20, 4, 0xFF0000FF}, {28, 4, 0}}},
        {.what = "a bitmap inverted (NOTSRCCOPY)",
         .file = emf32(redLeft + emfStretchDib(strip(colours, "01030103"), 4, all, 0x00330008)),
         .pixels = {{4, 4, 0xFFFFFF00}, {12, 4, 0xFF0000FF}, {20, 4, 0xFFFFFF00}, {28, 4, 0xFF0000FF}}},
        {.what = "what lies below inverted (DSTINVERT)",
         .file = emf32(redLeft + emfBlt(all, 0x00550009)),
         .pixels = {{4, 4, 0xFF00FFFF}, {20, 4, 0xFF000000}}},
        {.what = "the brush (PATCOPY)",
         .file = emf32(redLeft + emfBrush(0x00FF00) + emfBlt(QRect(8, 0, 16, 32), 0x00F00021)),
         .pixels = {{4, 4, 0xFFFF0000}, {12, 4, 0xFF00FF00}, {20, 4, 0xFF00FF00}, {28, 4, 0}}},
        {.what = "a yellow rectangle of a pen and brush that XOR (R2_XORPEN)",
         .file = emf32(redLeft + xorRectangle),
         .pixels = {{4, 4, 0xFF00FF00}, {20, 4, 0xFF0000FF}}},
        {.what = "the same XORed twice",
         .file = emf32(redLeft + xorRectangle + emfBox(43, all)),
         .pixels = {{4, 4, 0xFFFF0000}, {20, 4, 0}}},
        {.what = "a WMF's monochrome bitmap ANDed in its text and background colours (StretchBlt)",
         .file = wmfOf(wmfRed + wmfMask, 32),
         .pixels = {{4, 4, 0xFF000000}, {20, 4, 0}, {20, 20, 0}}},
        {.what = "a pie of a quarter, counter-clockwise from the right",
         .file = emf32(emfBrush(0xFF0000) + emfBox(47, all, QPoint(32, 16), QPoint(16, 0))),
         .pixels = {{22, 10, 0xFF0000FF}, {10, 10, 0}, {10, 22, 0}, {22, 22, 0}},
         .qtDraws = [](QPainter &painter) {
             painter.setPen(Qt::NoPen);
             painter.setBrush(Qt::blue);
             painter.drawPie(QRectF(0, 0, 32, 32), 0, 90 * 16);
         }},
        {.what = "a chord of the same quarter",
         .file = emf32(emfBrush(0xFF0000) + emfBox(46, all, QPoint(32, 16), QPoint(16, 0))),
         .pixels = {{27, 6, 0xFF0000FF}, {22, 10, 0}},
         .qtDraws = [](QPainter &painter) {
             painter.setPen(Qt::NoPen);
             painter.setBrush(Qt::blue);
             painter.drawChord(QRectF(0, 0, 32, 32), 0, 90 * 16);
         }},
        {.what = "a band down the left turned a quarter counter-clockwise by the world transform",
         .file = emf32(emfWorld(0, -1, 1, 0, 0, 32) + emfBrush(0xFF0000) + emfBox(43, QRect(0, 0, 8, 32))),
         .pixels = {{16, 28, 0xFF0000FF}, {4, 16, 0}}},
        {.what = "a text in a font 192 units high through a world transform of a twelfth",
         .file = emf32(twelfths),
         .sameAs = emf32(text)},
        {.what = "a text turned a quarter by its font's escapement",
         .file = emf32(turned),
         .sameAs = emf32(turnedByWorld),
         .taller = true},
        {.what = "a text of Windows-1250 bytes", .file = emf32(bytesText), .sameAs = emf32(wideBytes)},
        {.what = "a text of Windows-1251 bytes in a Cyrillic font",
         .file = emf32(cyrillic),
         .sameAs = emf32(wideCyrillic)},
        {.what = "two texts of one record (POLYTEXTOUTW)", .file = emf32(polyText), .sameAs = emf32(twoTexts)},
        {.what = "a small text of bytes (SMALLTEXTOUT)", .file = emf32(smallText), .sameAs = emf32(wideSmall)},
    };
    for (const Case &c : cases) {
        const QImage picture =
            platform::looksLikeEmf(c.file) ? platform::decodeEmf(c.file) : platform::decodeWmf(c.file);
        ASSERT_EQ(picture.size(), QSize(32, 32)) << c.what;
        for (const auto &[x, y, expected] : c.pixels)
            EXPECT_EQ(kept(picture, x, y), expected)
                << c.what << " at " << x << "," << y << ": " << std::hex << kept(picture, x, y);
        if (c.qtDraws != nullptr) {
            QImage drawn(32, 32, QImage::Format_ARGB32_Premultiplied);
            drawn.fill(Qt::transparent);
            QPainter painter(&drawn);
            c.qtDraws(painter);
            painter.end();
            EXPECT_GE(drawnAlike(picture, drawn), 0.95) << c.what;
        }
        if (c.sameAs.isEmpty())
            continue;
        /* Both drawn alike, pixel for pixel but for a step of the glyphs' edges, and something drawn at all. */
        const QImage same = platform::decodeEmf(c.sameAs);
        QRect inked;
        int unlike = 0;
        for (int y = 0; y < 32; ++y) {
            for (int x = 0; x < 32; ++x) {
                if (qAlpha(kept(picture, x, y)) != 0)
                    inked |= QRect(x, y, 1, 1);
                unlike += std::abs(qAlpha(kept(picture, x, y)) - qAlpha(kept(same, x, y))) > 32;
            }
        }
        EXPECT_GT(inked.width() * inked.height(), 40) << c.what;
        EXPECT_LE(unlike, 4) << c.what;
        if (c.taller) {
            EXPECT_GT(inked.height(), inked.width()) << c.what;
        }
    }
}

TEST(Metafiles, AbsurdAmountsAreRefusedOrBounded)
{
    const QByteArray emf = shipped("lok_714.emf");
    const qsizetype firstRecord = platform::le32(emf.constData() + 4);
    /* Three hundred saved states, one after another. */
    QByteArray saves;
    for (int i = 0; i < 300; ++i)
        saves += QByteArray("\x21\0\0\0\x08\0\0\0", 8);
    QByteArray manySaves = emf;
    manySaves.insert(firstRecord, saves);
    EXPECT_EQ(failureOf([&] { platform::decodeEmf(manySaves); }), "Metasoubor je poškozený: uložené stavy");
    /* A pen as wide as the number allows is drawn no wider than a picture may be. */
    const qsizetype pen = emfRecord(emf, 38);
    ASSERT_GT(pen, 0);
    QByteArray widePen = emf;
    widePen.replace(pen + 12, 8, QByteArray("\0\0\0\0\xff\xff\xff\x7f", 8)); // solid, width 2^31 - 1
    EXPECT_EQ(platform::decodeEmf(widePen).size(), QSize(84, 64));
}
