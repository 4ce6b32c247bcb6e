/** @file hostile_pictures_test.cpp Pictures that promise huge sizes or endless drawing in a few bytes: refused early and cheaply. */
#include "platform/bitmap_check.h"
#include "platform/files.h"
#include "platform/jpeg_decoder.h"
#include "platform/metafile.h"
#include "platform/wave_bytes.h"
#include "failure_text.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <ctime>

using testing_support::failureOf;

namespace {

/** @return the path of a file of tests/data/hostile. */
QString hostile(const char *name)
{
    return QStringLiteral(KAMENNA_HOSTILE_DIR "/") + QLatin1String(name);
}

/** @return the bytes of a file of tests/data/hostile. */
QByteArray hostileBytes(const char *name)
{
    QFile f(hostile(name));
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << name;
    return f.readAll();
}

/** @return the processor seconds this process has used. */
double cpuSeconds()
{
    return double(std::clock()) / CLOCKS_PER_SEC;
}

constexpr qint64 kMegabyte = 1024 * 1024;

/** Writes bytes to a file. */
void writeFile(const QString &path, const QByteArray &content)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(content);
}

/** @return an icon's bitmap image one row high: 1 bit a pixel, two colours, the colour row and the mask row. */
QByteArray bitmapIconImage(int width)
{
    const int row = (width + 31) / 32 * 4;
    const QByteArray header = leBytes(40, 4) + leBytes(uint32_t(width), 4) + leBytes(2, 4) + leBytes(1, 2)
                              + leBytes(1, 2) + leBytes(0, 4) + leBytes(0, 4) + leBytes(0, 8) + leBytes(2, 4)
                              + leBytes(0, 4);
    return header + leBytes(0, 4) + leBytes(0x00FFFFFF, 4) + QByteArray(row * 2, '\0');
}

/** @return the start of a PNG file of the given width, one row high: its signature and header chunk. */
QByteArray pngHeaderOf(int width)
{
    auto be = [](uint32_t v) {
        QByteArray b;
        for (int shift = 24; shift >= 0; shift -= 8)
            b.append(char(v >> shift & 0xFF));
        return b;
    };
    return QByteArray("\x89PNG\r\n\x1a\n", 8) + be(13) + "IHDR" + be(uint32_t(width)) + be(1)
           + QByteArray("\x08\x02\x00\x00\x00", 5) + be(0);
}

/** @return an icon file of one image. */
QByteArray iconOf(const QByteArray &image)
{
    return leBytes(0, 2) + leBytes(1, 2) + leBytes(1, 2) + QByteArray("\0\0\0\0", 4) + leBytes(1, 2) + leBytes(1, 2)
           + leBytes(uint32_t(image.size()), 4) + leBytes(22, 4) + image;
}

} // namespace

TEST(HostilePictures, JpegBombsAreRefusedBeforeLibjpegAllocates)
{
    for (const char *name : {"bomb_progressive_8000.jpg", "bomb_progressive_18000.jpg"}) {
        const QByteArray bomb = hostileBytes(name);
        EXPECT_LT(bomb.size(), 1600) << name;
        platform::JpegMemory memory;
        EXPECT_NE(failureOf([&] { platform::decodeJpeg(bomb, &memory); }), "no error") << name;
        EXPECT_GT(memory.libraryPeak, 0) << name << ": libjpeg's count is read";
        EXPECT_LT(memory.libraryPeak + memory.picture, 100 * kMegabyte) << name;
        EXPECT_EQ(memory.picture, 0) << name;
        EXPECT_EQ(failureOf([&] { platform::loadPicture(hostile(name)); }), "Obrázek je poškozený: " + hostile(name));
    }
}

TEST(HostilePictures, LibjpegsOwnMemoryLimitRefusesWhatTheSizeAllows)
{
    /* 4096 x 4096 in three progressive components would hold 96 MB of coefficients. */
    platform::JpegMemory memory;
    EXPECT_NE(failureOf([&] { platform::decodeJpeg(hostileBytes("progressive_4096_over_memory.jpg"), &memory); }),
              "no error");
    EXPECT_LT(memory.libraryPeak, platform::kMaxJpegMemory);
    /* A small progressive picture of the same making decodes, and the count sees its coefficients. */
    const QImage small = platform::decodeJpeg(hostileBytes("progressive_small.jpg"), &memory);
    EXPECT_EQ(small.size(), QSize(16, 16));
    EXPECT_GT(memory.libraryPeak, 16 * 16 * 3 * 2);
    EXPECT_EQ(memory.picture, small.sizeInBytes());
}

TEST(HostilePictures, EveryKindIsRefusedByTheSizeItsHeaderGives)
{
    const QString rle = hostile("rle_5000.bmp");
    EXPECT_EQ(hostileBytes("rle_5000.bmp").size(), 64);
    EXPECT_EQ(failureOf([&] { platform::loadPicture(rle); }), "Obrázek je poškozený: " + rle);

    /* One pixel past the limit is refused, the limit itself is not. */
    QTemporaryDir dir;
    const QString path = dir.filePath("wide.bmp");
    for (const int side : {int(platform::kMaxPictureSide), int(platform::kMaxPictureSide) + 1}) {
        QImage wide(side, 1, QImage::Format_Indexed8);
        wide.setColorTable({qRgb(0, 0, 0)});
        wide.fill(0);
        ASSERT_TRUE(wide.save(path, "BMP"));
        const bool fits = side <= platform::kMaxPictureSide;
        EXPECT_EQ(failureOf([&] { platform::loadPicture(path); }),
                  fits ? QStringLiteral("no error") : "Obrázek je poškozený: " + path) << side;
    }
    /* An icon of one bitmap image and one PNG image, each a pixel too wide. */
    const QString icon = dir.filePath("wide.ico");
    writeFile(icon, iconOf(bitmapIconImage(int(platform::kMaxPictureSide) + 1)));
    EXPECT_EQ(failureOf([&] { platform::loadPicture(icon); }), "Obrázek je poškozený: " + icon);
    writeFile(icon, iconOf(bitmapIconImage(16)));
    EXPECT_EQ(platform::loadPicture(icon).size(), QSize(16, 1));
    writeFile(icon, iconOf(pngHeaderOf(int(platform::kMaxPictureSide) + 1)));
    EXPECT_EQ(failureOf([&] { platform::loadPicture(icon); }), "Obrázek je poškozený: " + icon);
}

TEST(HostilePictures, SlowMetafilesAreRefusedWithinTheirWorkBudget)
{
    for (const char *name : {"slow_ellipses.wmf", "slow_ellipses.emf"}) {
        const QByteArray bytes = hostileBytes(name);
        EXPECT_LT(bytes.size(), 2048) << name;
        const double start = cpuSeconds();
        const QString failure = failureOf([&] {
            QString(name).endsWith(".wmf") ? platform::decodeWmf(bytes) : platform::decodeEmf(bytes);
        });
        EXPECT_LT(cpuSeconds() - start, 1.0) << name;
        EXPECT_EQ(failure, "Metasoubor je poškozený: příliš mnoho kreslení") << name;
        EXPECT_EQ(failureOf([&] { platform::loadPicture(hostile(name)); }), "Obrázek je poškozený: " + hostile(name));
    }
}

TEST(HostilePictures, TheShippedMetafilesFitTheBudgetManyTimesOver)
{
    /* Drawn eight times over in one file, each still fits: every record repeated eightfold. */
    QFile f(QStringLiteral(KAMENNA_SOURCE_DATA_DIR "/Vozidla/lok_714.emf"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray emf = f.readAll();
    const qsizetype first = platform::le32(emf.constData() + 4);
    qsizetype last = first;
    while (platform::le32(emf.constData() + last) != 14)
        last += platform::le32(emf.constData() + last + 4);
    QByteArray eightfold = emf.left(first);
    for (int i = 0; i < 8; ++i)
        eightfold += emf.mid(first, last - first);
    eightfold += emf.mid(last);
    EXPECT_EQ(platform::decodeEmf(eightfold).size(), platform::decodeEmf(emf).size());
}

TEST(HostilePictures, ABitmapSourceRectanglePastTheLargestNumberIsDrawnSafely)
{
    /* Without its own sums the source rectangle would overflow; here it covers nothing of the bitmap. */
    const QImage picture = platform::decodeEmf(hostileBytes("overflow_source.emf"));
    EXPECT_EQ(picture.size(), QSize(32, 32));
    EXPECT_EQ(picture.pixel(5, 5), qRgba(0, 0, 0, 0));
}
