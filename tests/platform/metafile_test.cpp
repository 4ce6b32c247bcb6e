/** @file metafile_test.cpp WMF and EMF pictures: shipped ones and drawing tools' drawn, cut and lying ones refused. */
#include "platform/bitmap_check.h"
#include "platform/files.h"
#include "platform/metafile.h"
#include "platform/picture_read.h"
#include "platform/wave_bytes.h"
#include "failure_text.h"
#include "support/processor_clock.h"

#include <QDir>
#include <QFile>
#include <QPainter>
#include <QRegularExpression>

#include <gtest/gtest.h>

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
     * leaves a margin of the drawing out, in both formats alike. Texts are
     * drawn on neither side here (no display).
     */
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
