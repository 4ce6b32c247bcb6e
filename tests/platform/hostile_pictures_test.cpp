/** @file hostile_pictures_test.cpp Pictures that promise huge sizes or endless drawing in a few bytes: refused early and cheaply. */
#include "core/vehicle_pictures.h"
#include "platform/bitmap_check.h"
#include "platform/files.h"
#include "platform/helper_process.h"
#include "platform/jpeg_decoder.h"
#include "platform/metafile.h"
#include "platform/picture_limits.h"
#include "platform/picture_read.h"
#include "platform/picture_reader.h"
#include "platform/metafile_bytes.h"
#include "platform/wave_bytes.h"
#include "failure_text.h"
#include "view/qt_app.h"

#include <QBuffer>
#include <QtEndian>
#include <QDir>
#include <QElapsedTimer>
#include <QFontDatabase>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <zlib.h>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <linux/capability.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <bit>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <ctime>
#include <limits>
#include <random>
#include <set>
#include <tuple>
#include <utility>
#include <vector>

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

/** @return the processor seconds the game has used: this process, and its picture readers on its pictures. */
double cpuSeconds()
{
    return double(std::clock()) / CLOCKS_PER_SEC
           + std::chrono::duration<double>(platform::PictureReader::instance().timeSpent()).count();
}

constexpr qint64 kMegabyte = 1024 * 1024;

/**
 * The most processor seconds a picture read on its own may take the game: a
 * second, or its reading's own time and a little where that is longer (in
 * the sanitizers' build, where all runs slower).
 */
const double kPictureSeconds = std::max(1.0, std::chrono::duration<double>(platform::kMaxPictureReadTime).count() + 0.2);

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

/** @return a 32-bit big-endian number's bytes. */
QByteArray beBytes(uint32_t v)
{
    return leBytes(qFromBigEndian(v), 4);
}

/** @return a PNG chunk: its length, its type, its data and their check. */
QByteArray pngChunk(const char *type, const QByteArray &data)
{
    const QByteArray body = QByteArray(type, 4) + data;
    return beBytes(uint32_t(data.size())) + body
           + beBytes(uint32_t(crc32(0, reinterpret_cast<const Bytef *>(body.constData()), uInt(body.size()))));
}

/** A PNG image to make: its header's fields, and its palette and transparency chunks (none when empty). */
struct PngShape {
    int width = 13;
    int height = 7;
    int colourType = 2; ///< Grey 0, RGB 2, palette 3, grey and alpha 4, RGBA 6.
    int depth = 8;
    bool interlaced = false;
    QByteArray palette;
    QByteArray transparency;

    /** @return the samples of a pixel. */
    int channels() const { return colourType == 2 ? 3 : colourType == 4 ? 2 : colourType == 6 ? 4 : 1; }
    /** @return sample `channel` of the pixel at x, y: all values of the depth, in no order. */
    int sample(int x, int y, int channel) const
    {
        return int((uint32_t(x * 7 + y * 13 + channel * 5 + 1) * 2654435761u >> 9) % (1u << depth));
    }
};

/** @return the bytes of a PNG image whose rows are filtered by each of the five filters in turn. */
QByteArray pngOf(const PngShape &shape)
{
    static constexpr int kAdam7[7][4] = {{0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8}, {2, 0, 4, 4},
                                         {0, 2, 2, 4}, {1, 0, 2, 2}, {0, 1, 1, 2}};
    static constexpr int kWhole[4] = {0, 0, 1, 1};
    const int step = std::max(1, shape.channels() * shape.depth / 8);
    QByteArray rows;
    int filter = 0;
    for (int p = 0; p < (shape.interlaced ? 7 : 1); ++p) {
        const int *pass = shape.interlaced ? kAdam7[p] : kWhole;
        const int columns = shape.width > pass[0] ? (shape.width - pass[0] + pass[2] - 1) / pass[2] : 0;
        const int stride = (columns * shape.channels() * shape.depth + 7) / 8;
        QByteArray above(stride, '\0');
        for (int y = pass[1]; columns > 0 && y < shape.height; y += pass[3]) {
            QByteArray row(stride, '\0');
            for (int c = 0; c < columns; ++c) {
                for (int ch = 0; ch < shape.channels(); ++ch) {
                    const int v = shape.sample(pass[0] + c * pass[2], y, ch);
                    const qsizetype bit = qsizetype(c * shape.channels() + ch) * shape.depth;
                    if (shape.depth == 16) {
                        row[bit / 8] = char(v >> 8);
                        row[bit / 8 + 1] = char(v & 0xFF);
                    } else {
                        row[bit / 8] = char(uint8_t(row.at(bit / 8)) | v << (8 - shape.depth - bit % 8));
                    }
                }
            }
            QByteArray filtered(stride, '\0');
            for (qsizetype i = 0; i < stride; ++i) {
                const int a = i >= step ? uint8_t(row.at(i - step)) : 0;
                const int b = uint8_t(above.at(i));
                const int c = i >= step ? uint8_t(above.at(i - step)) : 0;
                const int pa = std::abs(b - c), pb = std::abs(a - c), pc = std::abs(a + b - 2 * c);
                const int predicted[5] = {0, a, b, (a + b) / 2, pa <= pb && pa <= pc ? a : pb <= pc ? b : c};
                filtered[i] = char(uint8_t(row.at(i)) - predicted[filter]);
            }
            rows += char(filter) + filtered;
            filter = (filter + 1) % 5;
            above = row;
        }
    }
    const QByteArray header = beBytes(uint32_t(shape.width)) + beBytes(uint32_t(shape.height)) + char(shape.depth)
                              + char(shape.colourType) + QByteArray(2, '\0') + char(shape.interlaced ? 1 : 0);
    return QByteArray("\x89PNG\r\n\x1a\n", 8) + pngChunk("IHDR", header)
           + (shape.palette.isEmpty() ? QByteArray() : pngChunk("PLTE", shape.palette))
           + (shape.transparency.isEmpty() ? QByteArray() : pngChunk("tRNS", shape.transparency))
           + pngChunk("IDAT", qCompress(rows).mid(4)) + pngChunk("IEND", {});
}

/** @return an icon file of one image. */
QByteArray iconOf(const QByteArray &image)
{
    return leBytes(0, 2) + leBytes(1, 2) + leBytes(1, 2) + QByteArray("\0\0\0\0", 4) + leBytes(1, 2) + leBytes(1, 2)
           + leBytes(uint32_t(image.size()), 4) + leBytes(22, 4) + image;
}

/** @return an icon file whose directory lists the images in turn, `entries` times over. */
QByteArray iconOf(const QList<QByteArray> &images, int entries)
{
    const int count = int(images.size()) * entries;
    QByteArray directory = leBytes(0, 2) + leBytes(1, 2) + leBytes(uint32_t(count), 2);
    QByteArray pixels;
    QList<uint32_t> at;
    for (const QByteArray &image : images) {
        at.append(uint32_t(6 + 16 * count + pixels.size()));
        pixels += image;
    }
    for (int i = 0; i < count; ++i)
        directory += QByteArray("\0\0\0\0", 4) + leBytes(1, 2) + leBytes(1, 2)
                     + leBytes(uint32_t(images[i % images.size()].size()), 4) + leBytes(at[i % images.size()], 4);
    return directory + pixels;
}

/** @return the bytes of a picture as Qt writes it in the format, at the quality (-1: Qt's own). */
QByteArray encoded(const QImage &picture, const char *format, int quality = -1)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    EXPECT_TRUE(buffer.open(QIODevice::WriteOnly));
    EXPECT_TRUE(picture.save(&buffer, format, quality));
    return bytes;
}

/** @return the chunks of a PNG that lie whole after its signature, each with its length, type and check. */
QList<QByteArray> pngChunks(const QByteArray &png)
{
    QList<QByteArray> chunks;
    for (qsizetype at = 8; at + 12 <= png.size();) {
        const qsizetype bytes = 12 + qsizetype(qFromBigEndian<quint32>(png.constData() + at));
        chunks.append(png.mid(at, bytes));
        at += bytes;
    }
    return chunks;
}

/** @return an EMF record that draws an 8-bit bitmap of `colours` colours over side x side pixels at the top left. */
QByteArray stretchDib(const QByteArray &dib, int side, int colours)
{
    return emfStretchDib(dib, colours, QRect(0, 0, side, side));
}

/** @return an icon's side x side image of 8 bits a pixel and two colours, every pixel of the given index. */
QByteArray iconImage8(int side, char index)
{
    const int maskRow = (side + 31) / 32 * 4;
    return dib8(side, 2 * side, 0, {0x00000000, 0x00FFFFFF},
                QByteArray(side * side, index) + QByteArray(maskRow * side, '\0'));
}

/** @return a BMP file of a device-independent bitmap whose pixels follow its colour table. */
QByteArray bmpOf(const QByteArray &dib, int colours)
{
    return "BM" + leBytes(uint32_t(14 + dib.size()), 4) + leBytes(0, 4) + leBytes(uint32_t(14 + 40 + 4 * colours), 4)
           + dib;
}

/**
 * @return the memory a process holds in RAM, or the most it has held since
 *         the last resetPeakResidentBytes, in bytes, as its /proc status
 *         tells it; 0 when there is no such process.
 */
qint64 residentBytesOf(const QString &process, bool peak)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(process));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray key = peak ? "VmHWM:" : "VmRSS:";
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith(key))
            return line.mid(key.size()).trimmed().split(' ').value(0).toLongLong() * 1024;
    return 0;
}

/** @return the processes of the game: this one, and its picture readers. */
QStringList gameProcesses()
{
    QStringList processes{QStringLiteral("self")};
    for (const pid_t reader : platform::PictureReader::instance().pids())
        processes << QString::number(reader);
    return processes;
}

/** @return whether a process of this one's is ended and reaped within a second: no such process is left. */
bool reapedSoon(pid_t pid)
{
    QElapsedTimer waited;
    waited.start();
    while (::kill(pid, 0) == 0 && waited.elapsed() < 1000)
        ::usleep(1000);
    return ::kill(pid, 0) != 0 && errno == ESRCH;
}

/**
 * @return the memory the game holds in RAM (or the most it has held), in
 *         bytes: this process and its readers, or only the processes named
 *         (the game's before a picture, so that a reader started ahead as
 *         the picture is read, which reads nothing of it, is not counted).
 */
qint64 residentBytes(bool peak = false, const QStringList &processes = gameProcesses())
{
    qint64 bytes = 0;
    for (const QString &process : processes)
        bytes += residentBytesOf(process, peak);
    return bytes;
}

/** Brings the most memory the game's processes have held in RAM down to what they hold now. */
void resetPeakResidentBytes()
{
    for (const QString &process : gameProcesses()) {
        QFile clear(QStringLiteral("/proc/%1/clear_refs").arg(process));
        /* A reader may be ending. */
        if (!clear.open(QIODevice::WriteOnly) && process != QLatin1String("self"))
            continue;
        ASSERT_TRUE(clear.isOpen());
        ASSERT_EQ(clear.write("5"), 1);
    }
}

/**
 * @return the most memory this process held in RAM while `run` ran, above
 *         what it held before, as the peak /proc/self/status tells once it
 *         is set back to the memory held now.
 */
template <typename Run>
qint64 peakGrowthDuring(Run run)
{
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    EXPECT_TRUE(clear.open(QIODevice::WriteOnly));
    clear.write("5");
    clear.close();
    const qint64 before = residentBytes();
    run();
    QFile status(QStringLiteral("/proc/self/status"));
    EXPECT_TRUE(status.open(QIODevice::ReadOnly));
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong() * 1024 - before;
    return -1;
}

/** Leaves freed memory of small blocks full of a pattern, so that a pixel nobody writes would show it. */
void soilFreedMemory()
{
    std::vector<QByteArray> dirt;
    for (int size = 256; size <= 16384; size += 256)
        dirt.emplace_back(size, char(0xA5));
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
        EXPECT_EQ(failureOf([&] { platform::loadPicture(hostile(name)); }), "Obrázek je příliš velký: " + hostile(name));
    }
}

TEST(HostilePictures, LibjpegsOwnMemoryLimitLetsThroughWhatTheSizeAllowsAndEndlessScansAreRefused)
{
    /* 4096 x 4096 in three or four progressive components holds 96 or 128 MB of coefficients: within the limit,
       so a header of that size with a few bytes of scans gets as far as its scans, which are refused as cut. */
    const std::pair<const char *, int> cuts[] = {{"progressive_4096_cut.jpg", 3}, {"progressive_4096_cmyk_cut.jpg", 4}};
    for (const auto &[name, components] : cuts) {
        platform::JpegMemory memory;
        const double start = cpuSeconds();
        EXPECT_TRUE(failureOf([&] { platform::decodeJpeg(hostileBytes(name), &memory); })
                        .startsWith(QStringLiteral("Poškozený obrázek JPEG")))
            << name;
        EXPECT_LT(cpuSeconds() - start, 0.2) << name;
        EXPECT_GE(memory.libraryPeak, components * 4096 * 4096 * 2) << name;
        EXPECT_LT(memory.libraryPeak, platform::kMaxJpegMemory) << name;
        EXPECT_EQ(memory.picture, 0) << name;
    }
    /* A small progressive picture of the same making decodes, and the count sees its coefficients. */
    platform::JpegMemory memory;
    const QByteArray small = hostileBytes("progressive_small.jpg");
    const QImage picture = platform::decodeJpeg(small, &memory);
    EXPECT_EQ(picture.size(), QSize(16, 16));
    EXPECT_GT(memory.libraryPeak, 16 * 16 * 3 * 2);
    EXPECT_EQ(memory.picture, picture.sizeInBytes());
    /* Its scan over and over: past the most scans it is refused, however little memory and time each takes. */
    const qsizetype at = small.indexOf("\xFF\xDA");
    auto scans = [&](int count) { return small.left(at) + small.mid(at, small.size() - 2 - at).repeated(count) + small.right(2); };
    EXPECT_EQ(failureOf([&] { platform::decodeJpeg(scans(platform::kMaxJpegScans + 10)); }),
              "Poškozený obrázek JPEG: too many scans");
    EXPECT_EQ(platform::decodeJpeg(scans(10)).size(), QSize(16, 16));
}

TEST(HostilePictures, EveryKindIsRefusedByTheSizeItsHeaderGives)
{
    /* Too large, and said so: never reported as broken. */
    const QString rle = hostile("rle_5000.bmp");
    EXPECT_EQ(hostileBytes("rle_5000.bmp").size(), 64);
    EXPECT_EQ(failureOf([&] { platform::loadPicture(rle); }), "Obrázek je příliš velký: " + rle);

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
                  fits ? QStringLiteral("no error") : "Obrázek je příliš velký: " + path) << side;
    }
    /* A file over the cap of a picture file is too large too, before its header is seen; the largest allowed picture
       at 32 bits is read. */
    const std::tuple<int, int, int, qint64> files[] = {{5000, 4500, 24, 0}, {4096, 4096, 32, 0},
                                                       {4096, 4096, 32, 2 * kMegabyte}};
    for (const auto &[width, height, bits, past] : files) {
        const qint64 rows = qint64(width) * bits / 8 * height;
        const QByteArray header = "BM" + leBytes(uint32_t(54 + rows), 4) + leBytes(0, 4) + leBytes(54, 4)
                                  + leBytes(40, 4) + leBytes(uint32_t(width), 4) + leBytes(uint32_t(height), 4)
                                  + leBytes(1, 2) + leBytes(uint32_t(bits), 2) + leBytes(0, 24);
        const QString bmp = dir.filePath("velky.bmp");
        writeFile(bmp, header);
        QFile sparse(bmp);
        ASSERT_TRUE(sparse.resize(54 + rows + past)); // sparse: no disk is spent
        const bool fits = width <= platform::kMaxPictureSide && 54 + rows + past <= platform::kMaxPictureFileSize;
        EXPECT_EQ(failureOf([&] { platform::loadPicture(bmp); }),
                  fits ? QStringLiteral("no error") : "Obrázek je příliš velký: " + bmp) << width << " " << past;
    }
    /* An icon of one bitmap image and one PNG image, each a pixel too wide. */
    const QString icon = dir.filePath("wide.ico");
    writeFile(icon, iconOf(bitmapIconImage(int(platform::kMaxPictureSide) + 1)));
    EXPECT_EQ(failureOf([&] { platform::loadPicture(icon); }), "Obrázek je příliš velký: " + icon);
    writeFile(icon, iconOf(bitmapIconImage(16)));
    EXPECT_EQ(platform::loadPicture(icon).size(), QSize(16, 1));
    for (const int side : {int(platform::kMaxPictureSide) + 1, 65535}) {
        writeFile(icon, iconOf(pngHeaderOf(side)));
        EXPECT_EQ(failureOf([&] { platform::loadPicture(icon); }), "Obrázek je příliš velký: " + icon) << side;
    }
    /* A 16-bit PNG decodes to 64 bits a pixel: within the sides, past the memory of the largest picture. */
    for (const int side : {16, 2900}) {
        QImage deep(side, side, QImage::Format_RGBA64);
        deep.fill(Qt::red);
        const QByteArray png = encoded(deep, "PNG", 50);
        ASSERT_EQ(png[24], char(16));
        writeFile(icon, iconOf(png));
        const double start = cpuSeconds();
        const QString failure = failureOf([&] { platform::loadPicture(icon); });
        EXPECT_LT(cpuSeconds() - start, kPictureSeconds);
        EXPECT_EQ(failure, side == 16 ? QStringLiteral("no error") : "Obrázek je příliš velký: " + icon);
    }
}

TEST(HostilePictures, AnIconsImageIsCheckedWhereItIsShownNotOncePerEntry)
{
    /*
     * 65,535 entries that name one 4096 x 4096 bitmap of 1 bit a pixel and
     * one colour (refused as an icon is shown), then one 256 x 256 bitmap of
     * 8 bits a pixel and two colours, the largest an icon is shown at.
     */
    const QString large = hostile("icon_65535_entries.ico");
    EXPECT_LT(hostileBytes("icon_65535_entries.ico").size(), 6 * kMegabyte);
    double start = cpuSeconds();
    EXPECT_EQ(failureOf([&] { platform::loadPicture(large); }), "Obrázek je příliš velký: " + large);
    EXPECT_LT(cpuSeconds() - start, kPictureSeconds);
    QTemporaryDir dir;
    const QString icon = dir.filePath("ikona.ico");
    writeFile(icon, iconOf({iconImage8(256, 0)}, 65535));
    start = cpuSeconds();
    EXPECT_EQ(platform::loadPicture(icon).size(), QSize(256, 256));
    EXPECT_LT(cpuSeconds() - start, kPictureSeconds);
    /* The first image is the one shown: its colours are checked, those of the others are not. */
    const QByteArray whole = iconImage8(16, 1);
    const QByteArray pastItsColours = iconImage8(16, 2);
    writeFile(icon, iconOf({whole, pastItsColours}, 1));
    EXPECT_EQ(platform::loadPicture(icon).size(), QSize(16, 16));
    writeFile(icon, iconOf({pastItsColours, whole}, 1));
    EXPECT_EQ(failureOf([&] { platform::loadPicture(icon); }), "Obrázek je poškozený: " + icon);
}

TEST(HostilePictures, AnIconsBitmapOf32BitsNeedsNoMaskAsItsAlphaIsItsMask)
{
    /* 4 x 4 pixels of 32 bits, each of its own alpha, and no mask rows after them: the height still counts them. */
    QByteArray pixels;
    for (int i = 0; i < 16; ++i)
        pixels += leBytes(uint32_t(i * 16) << 24 | uint32_t(i * 10) << 16 | 0x3000u | uint32_t(255 - i), 4);
    const QByteArray image = leBytes(40, 4) + leBytes(4, 4) + leBytes(8, 4) + leBytes(1, 2) + leBytes(32, 2)
                             + leBytes(0, 24) + pixels;
    QTemporaryDir dir;
    const QString icon = dir.filePath("ikona.ico");
    writeFile(icon, iconOf(image));
    const QImage picture = platform::loadPicture(icon);
    const QImage qts = QImage::fromData(iconOf(image), "ICO");
    ASSERT_FALSE(qts.isNull());
    EXPECT_EQ(picture, qts);
    EXPECT_EQ(qAlpha(picture.pixel(0, 3)), 0);
    EXPECT_EQ(qAlpha(picture.pixel(3, 0)), 15 * 16);
    /* One of fewer bits has no alpha: it still needs its mask. */
    const QByteArray eightBits = iconImage8(16, 1);
    writeFile(icon, iconOf(eightBits.left(eightBits.size() - 4 * 16)));
    EXPECT_EQ(failureOf([&] { platform::loadPicture(icon); }), "Obrázek je poškozený: " + icon);
}

TEST(HostilePictures, AnIconsPngIsReadWithoutItsTextsAndProfileAndRefusedWhenItsChunksAreBroken)
{
    /*
     * A 16 x 16 red PNG with 16 compressed texts (zTXt, iTXt) each inflating
     * to 7.9 MB, or with a colour profile (iCCP) of 7.9 MB: Qt's reader would
     * inflate and keep them all. The picture itself is fine.
     */
    for (const char *name : {"icon_png_ztxt.ico", "icon_png_itxt.ico", "icon_png_iccp.ico"}) {
        EXPECT_LT(hostileBytes(name).size(), 128 * 1024) << name;
        const qint64 before = residentBytes();
        const double start = cpuSeconds();
        const QImage picture = platform::loadPicture(hostile(name));
        EXPECT_LT(cpuSeconds() - start, kPictureSeconds) << name;
        EXPECT_LT(residentBytes() - before, 256 * kMegabyte) << name;
        EXPECT_EQ(picture.size(), QSize(16, 16)) << name;
        EXPECT_EQ(picture.pixel(7, 7), qRgb(200, 30, 30)) << name;
    }
    /* A PNG as Qt writes it, whole and with its chunks broken. */
    QImage red(16, 16, QImage::Format_RGB32);
    red.fill(qRgb(200, 30, 30));
    const QByteArray png = encoded(red, "PNG");
    const QByteArray signature = png.left(8);
    const QList<QByteArray> chunks = pngChunks(png);
    ASSERT_EQ(chunks.first().mid(4, 4), "IHDR");
    ASSERT_EQ(chunks.last().mid(4, 4), "IEND");
    QByteArray pixels;
    QByteArray others;
    for (const QByteArray &chunk : chunks.mid(1, chunks.size() - 2))
        (chunk.mid(4, 4) == "IDAT" ? pixels : others) += chunk;
    ASSERT_FALSE(pixels.isEmpty());
    const QByteArray header = chunks.first();
    const QByteArray end = chunks.last();
    QTemporaryDir dir;
    const QString icon = dir.filePath("ikona.ico");
    writeFile(icon, iconOf(signature + header + others + pixels + end));
    EXPECT_EQ(platform::loadPicture(icon), red.convertToFormat(platform::loadPicture(icon).format()));
    QByteArray pastItsEnd = signature + header + others + pixels + end;
    pastItsEnd.replace(pastItsEnd.size() - 12, 4, "\x00\x00\x00\x01");
    const std::pair<const char *, QByteArray> broken[] = {
        {"a chunk past its end", pastItsEnd},
        {"no header first", signature + others + header + pixels + end},
        {"no end", signature + header + others + pixels},
        {"no pixels", signature + header + others + end},
        {"more compressed pixels than its rows need", signature + header + others + pixels.repeated(100) + end},
    };
    for (const auto &[what, bytes] : broken) {
        writeFile(icon, iconOf(bytes));
        EXPECT_EQ(failureOf([&] { platform::loadPicture(icon); }), "Obrázek je poškozený: " + icon) << what;
    }
}

TEST(HostilePictures, AnIconsPngReadsAsQtsReaderReadsItInEveryColourTypeDepthAndTransparency)
{
    const std::pair<int, QList<int>> depthsOfTypes[] = {{0, {1, 2, 4, 8, 16}}, {2, {8, 16}}, {3, {1, 2, 4, 8}},
                                                        {4, {8, 16}}, {6, {8, 16}}};
    int cases = 0;
    for (const auto &[colourType, depths] : depthsOfTypes) {
        for (const int depth : depths) {
            for (const bool interlaced : {false, true}) {
                /* Grey and RGB with and without a transparent colour; a palette with and without alphas. */
                for (const bool transparent : {false, true}) {
                    if (transparent && (colourType == 4 || colourType == 6))
                        continue;
                    PngShape shape{13, 7, colourType, depth, interlaced, {}, {}};
                    if (colourType == 3) {
                        /* One colour fewer than the depth names (one for 1 bit): an index past them is read too. */
                        for (int i = 0; i < std::max(1, (1 << depth) - 1); ++i)
                            shape.palette += QByteArray(1, char(i * 3)) + char(255 - i) + char(i * 7);
                        const int alphas = std::min(2, int(shape.palette.size() / 3));
                        shape.transparency = transparent ? QByteArray("\x10\x80", alphas) : QByteArray();
                    } else if (transparent) {
                        /* The colour of the second pixel of the top row. */
                        for (int ch = 0; ch < shape.channels(); ++ch)
                            shape.transparency += leBytes(qFromBigEndian(uint16_t(shape.sample(1, 0, ch))), 2);
                    }
                    const QByteArray png = pngOf(shape);
                    const QImage picture = platform::decodeIco(iconOf(png));
                    const QImage qts = QImage::fromData(png, "PNG");
                    const std::string what = QStringLiteral("type %1, %2 bits%3%4").arg(colourType).arg(depth)
                                                 .arg(interlaced ? ", interlaced" : "", transparent ? ", tRNS" : "")
                                                 .toStdString();
                    ++cases;
                    ASSERT_FALSE(picture.isNull()) << what;
                    if (colourType == 2 && depth == 16 && transparent) {
                        /* Qt's reader reads this one wrong: the key's pixels are transparent, the others opaque. */
                        ASSERT_EQ(picture.format(), QImage::Format_RGBA64) << what;
                        for (int y = 0; y < shape.height; ++y) {
                            for (int x = 0; x < shape.width; ++x) {
                                const QRgba64 pixel = picture.pixelColor(x, y).rgba64();
                                const bool key = shape.sample(x, y, 0) == shape.sample(1, 0, 0)
                                                 && shape.sample(x, y, 1) == shape.sample(1, 0, 1)
                                                 && shape.sample(x, y, 2) == shape.sample(1, 0, 2);
                                EXPECT_EQ(pixel, QRgba64::fromRgba64(shape.sample(x, y, 0), shape.sample(x, y, 1),
                                                                     shape.sample(x, y, 2), key ? 0 : 0xFFFF))
                                    << what << " at " << x << "," << y;
                            }
                        }
                        continue;
                    }
                    ASSERT_FALSE(qts.isNull()) << what;
                    EXPECT_EQ(picture.format(), qts.format()) << what;
                    EXPECT_EQ(picture.colorTable(), qts.colorTable()) << what;
                    EXPECT_EQ(picture, qts) << what;
                    for (int y = 0; !qts.colorTable().isEmpty() && y < shape.height; ++y)
                        for (int x = 0; x < shape.width; ++x)
                            ASSERT_EQ(picture.pixelIndex(x, y), qts.pixelIndex(x, y)) << what << " at " << x << ","
                                                                                       << y;
                }
            }
        }
    }
    EXPECT_EQ(cases, 2 * (5 * 2 + 2 * 2 + 4 * 2 + 2 + 2));
}

TEST(HostilePictures, AnIconsPngPaletteOrTransparencyLongerThanItsColoursIsRefusedBeforeItIsCopied)
{
    /* A 16 x 16 RGB picture whose palette or transparency, before its pixels, is 64 MB of zeros. */
    QImage red(16, 16, QImage::Format_RGB32);
    red.fill(qRgb(200, 30, 30));
    const QByteArray png = encoded(red, "PNG");
    const QList<QByteArray> chunks = pngChunks(png);
    ASSERT_EQ(chunks.first().mid(4, 4), "IHDR");
    QTemporaryDir dir;
    const QString icon = dir.filePath("ikona.ico");
    for (const char *type : {"PLTE", "tRNS"}) {
        {
            const QByteArray huge = png.left(8) + chunks.first() + pngChunk(type, QByteArray(64000002, '\0'))
                                    + png.mid(8 + chunks.first().size());
            writeFile(icon, iconOf(huge));
        }
        QString failure;
        const qint64 peak = peakGrowthDuring([&] { failure = failureOf([&] { platform::loadPicture(icon); }); });
        EXPECT_EQ(failure, "Obrázek je poškozený: " + icon) << type;
        /* The file once, read into a buffer of its size, and nothing of it copied. */
        EXPECT_LT(peak, 64000000 + 32 * kMegabyte) << type;
    }
    /* The longest each may be is read; a byte more is broken. */
    const QByteArray header = png.left(8) + chunks.first();
    const QByteArray rest = png.mid(header.size());
    const std::pair<QByteArray, bool> cases[] = {
        {pngChunk("PLTE", QByteArray(3 * 256, '\1')), true},
        {pngChunk("PLTE", QByteArray(3 * 256 + 3, '\1')), false},
        {pngChunk("PLTE", QByteArray(4, '\1')), false},
        {pngChunk("tRNS", QByteArray(6, '\1')), true},
        {pngChunk("tRNS", QByteArray(7, '\1')), false},
    };
    for (const auto &[chunk, whole] : cases) {
        writeFile(icon, iconOf(header + chunk + rest));
        const QString expected = whole ? QStringLiteral("no error") : "Obrázek je poškozený: " + icon;
        EXPECT_EQ(failureOf([&] { platform::loadPicture(icon); }), expected) << chunk.mid(4, 4).data() << " "
                                                                             << chunk.size() - 12;
    }
    /* A palette image's transparency holds no more alphas than its palette has colours, a grey one's key 2 bytes. */
    const std::tuple<PngShape, int, bool> transparencies[] = {
        {PngShape{8, 8, 3, 4, false, QByteArray(3 * 5, '\1'), {}}, 5, true},
        {PngShape{8, 8, 3, 4, false, QByteArray(3 * 5, '\1'), {}}, 6, false},
        {PngShape{8, 8, 0, 8, false, {}, {}}, 2, true},
        {PngShape{8, 8, 0, 8, false, {}, {}}, 3, false},
    };
    for (auto [shape, bytes, whole] : transparencies) {
        shape.transparency = QByteArray(bytes, '\1');
        EXPECT_EQ(platform::decodeIco(iconOf(pngOf(shape))).isNull(), !whole) << shape.colourType << " " << bytes;
    }
}

TEST(HostilePictures, AnIconsPngIsInflatedNoFurtherThanItsRows)
{
    /*
     * 400 x 400: its rows, then 0.7 GB of zeros deflated within the bytes the
     * rows allow, its check right. 1,600 x 1,600: the tail of its rows one
     * byte to a block, each block with code tables of its own.
     */
    for (const char *name : {"icon_png_past_rows_400.ico", "icon_png_dear_bytes_1600.ico"}) {
        const qint64 before = residentBytes();
        const double start = cpuSeconds();
        const QString failure = failureOf([&] { platform::loadPicture(hostile(name)); });
        EXPECT_LT(cpuSeconds() - start, kPictureSeconds) << name;
        EXPECT_LT(residentBytes() - before, 256 * kMegabyte) << name;
        /* The first is broken; the second is read or refused for its time, each within it. */
        const bool pastRows = QByteArray(name).contains("past_rows");
        EXPECT_TRUE(pastRows ? failure == "Obrázek je poškozený: " + hostile(name)
                             : failure == "no error" || failure == "Obrázek je příliš velký: " + hostile(name))
            << failure.toStdString();
    }
    /* A 16 x 16 picture after 5 million empty chunks of no known kind (60 MB): its chunks are walked on the clock. */
    QImage red(16, 16, QImage::Format_RGB32);
    red.fill(qRgb(200, 30, 30));
    const QList<QByteArray> chunks = pngChunks(encoded(red, "PNG"));
    QByteArray pixels;
    for (const QByteArray &chunk : chunks)
        pixels += chunk.mid(4, 4) == "IDAT" ? chunk : QByteArray();
    const QByteArray head = QByteArray("\x89PNG\r\n\x1a\n", 8) + chunks.first();
    const QByteArray empty("\0\0\0\0prAz\x44\xBC\x25\xD8", 12);
    QTemporaryDir dir;
    const QString icon = dir.filePath("ikona.ico");
    writeFile(icon, iconOf(head + empty.repeated(5000000) + pixels + chunks.last()));
    double start = cpuSeconds();
    const QString failure = failureOf([&] { platform::loadPicture(icon); });
    EXPECT_LT(cpuSeconds() - start, kPictureSeconds);
    EXPECT_TRUE(failure == "no error" || failure == "Obrázek je příliš velký: " + icon) << failure.toStdString();
    /* Pixels that end short of the rows, go on past them, or fail the check of their chunk. */
    auto pixelsOf = [](const QImage &picture) {
        QByteArray idat;
        for (const QByteArray &chunk : pngChunks(encoded(picture, "PNG")))
            idat += chunk.mid(4, 4) == "IDAT" ? chunk : QByteArray();
        return idat;
    };
    QByteArray badCheck = pixels;
    badCheck[badCheck.size() - 1] = char(badCheck.back() ^ 1);
    const std::pair<const char *, QByteArray> broken[] = {
        {"short", pixelsOf(red.copy(0, 0, 16, 15))},
        {"past its rows", pixelsOf(red.copy(0, 0, 16, 17))},
        {"a broken check", badCheck},
    };
    for (const auto &[what, bytes] : broken) {
        writeFile(icon, iconOf(head + bytes + chunks.last()));
        EXPECT_EQ(failureOf([&] { platform::loadPicture(icon); }), "Obrázek je poškozený: " + icon) << what;
    }
    writeFile(icon, iconOf(head + pixels + chunks.last()));
    EXPECT_EQ(platform::loadPicture(icon), red.convertToFormat(platform::loadPicture(icon).format()));
}

TEST(HostilePictures, OneFileIsOnePictureHoweverItsPathIsSpelled)
{
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir("Vozidla"));
    /* A few bytes that declare the largest picture. */
    const QByteArray big = wmfOf(wmfRecord(0x0102, leBytes(1, 2)).repeated(4), int(platform::kMaxPictureSide));
    ASSERT_LT(big.size(), 128);
    for (const char *name : {"big.wmf", "big2.wmf", "big3.wmf", "big4.wmf", "big5.wmf"})
        writeFile(dir.filePath(QStringLiteral("Vozidla/") + name), big);
    QStringList spellings{"Vozidla/big.wmf", "Vozidla\\big.wmf", "VOZIDLA/BIG.WMF", "vozidla\\Big.Wmf",
                          "Vozidla/../Vozidla/big.wmf", "Vozidla/./BIG.wmf"};
    for (int k = 2; spellings.size() < 40; ++k) {
        spellings << "Vozidla" + QString(k, '/') + "big.wmf" << QString("./").repeated(k) + "Vozidla\\big.wmf";
    }
    VehiclePictures pictures;
    /* With a reader started ahead and ready, as the program has one. */
    platform::PictureReader::instance().nextPid();
    const qint64 before = residentBytes();
    for (const QString &spelling : spellings)
        EXPECT_EQ(pictures.picture(dir.path(), spelling).width(), platform::kMaxPictureSide) << spelling.toStdString();
    EXPECT_LT(residentBytes() - before, platform::kMaxKeptPictureBytes);
    EXPECT_EQ(pictures.picturesRead(), 1);
    EXPECT_EQ(pictures.picturesKept(), 1);

    /* Other files are other pictures, up to the total: while the four are shown, a fifth is refused for its size. */
    std::vector<QImage> shown{pictures.picture(dir.path(), "Vozidla/big.wmf")};
    for (const char *name : {"Vozidla/big2.wmf", "Vozidla/big3.wmf", "Vozidla/big4.wmf"}) {
        shown.push_back(pictures.picture(dir.path(), name));
        EXPECT_FALSE(shown.back().isNull()) << name;
    }
    EXPECT_EQ(pictures.bytesKept(), platform::kMaxKeptPictureBytes);
    PictureRefusal why = PictureRefusal::None;
    const double start = cpuSeconds();
    EXPECT_TRUE(pictures.picture(dir.path(), "Vozidla/big5.wmf", &why).isNull());
    EXPECT_LT(cpuSeconds() - start, kPictureSeconds);
    EXPECT_EQ(why, PictureRefusal::TooLarge);
    /* One shown no more is let go for it: the refusal was the moment's, not the file's. */
    shown.erase(shown.begin() + 2);
    EXPECT_FALSE(pictures.picture(dir.path(), "Vozidla//big5.wmf", &why).isNull());
    EXPECT_EQ(why, PictureRefusal::None);
    EXPECT_EQ(pictures.picturesRead(), 6);
    EXPECT_EQ(pictures.bytesKept(), platform::kMaxKeptPictureBytes);
    EXPECT_FALSE(pictures.picture(dir.path(), "Vozidla\\big.wmf").isNull()) << "a shown picture is kept";
    EXPECT_EQ(pictures.picturesRead(), 6);
}

TEST(HostilePictures, SlowMetafilesAreRefusedWithinTheirWorkBudget)
{
    /*
     * Ellipses over the largest picture in the widest dashed pen; polylines
     * and polygons back and forth along a row in a dotted, dashed, dash-dot
     * or dash-dot-dot pen 2 or 3 pixels wide, of 16- and 32-bit points (1 to
     * 5 s and 0.5 to 1.4 GB in Qt's stroker); a polyline up and down a tall
     * picture in a one-pixel pen, solid or dotted (0.6 to 1.2 s); rectangles
     * over the largest picture that XOR with what lies below, and a hatched
     * brush XORed with it by block transfers (5 to 11 s). Then what Qt would
     * ask for past the reader's memory and write through: a clip of squares
     * of a pixel, 128 rows crossed with 128 columns on a picture of 1,024 a
     * side and 64 by 64 on one of 4,096 (250 MB of spans), and a polyline of
     * 65,000 points back and forth by a pixel in a round pen two pixels
     * wide, solid or dashed (150 MB in Qt's stroker).
     */
    const std::pair<const char *, int> files[] = {
        {"slow_ellipses.wmf", 2048},                {"slow_ellipses.emf", 2048},
        {"zigzag_dot.emf", 264 * 1024},             {"zigzags_dot.wmf", 264 * 1024},
        {"zigzag_dash.emf", 132 * 1024},            {"zigzag_dash_dot.emf", 132 * 1024},
        {"zigzag_dash_dot_dot.emf", 132 * 1024},    {"zigzag_dot_32bit.emf", 264 * 1024},
        {"zigzag_polygons_dot.emf", 264 * 1024},    {"zigzag_thin.emf", 66 * 1024},
        {"zigzag_thin_dot.emf", 66 * 1024},         {"slow_xor_rectangles.emf", 8 * 1024},
        {"slow_patinvert.emf", 32 * 1024},         {"clip_squares_1024.emf", 5 * 1024},
        {"clip_squares_4096.emf", 3 * 1024},       {"zigzag_pixel.emf", 264 * 1024},
        {"zigzag_pixel_dash.emf", 264 * 1024},
    };
    for (const auto &[name, most] : files) {
        const QByteArray bytes = hostileBytes(name);
        EXPECT_LT(bytes.size(), most) << name;
        platform::PictureReader::instance().nextPid();
        resetPeakResidentBytes();
        const QStringList game = gameProcesses();
        const qint64 before = residentBytes(false, game);
        const double start = cpuSeconds();
        const QString failure = failureOf([&] {
            QString(name).endsWith(".wmf") ? platform::decodeWmf(bytes) : platform::decodeEmf(bytes);
        });
        EXPECT_EQ(failure, "Metasoubor je poškozený: příliš mnoho kreslení") << name;
        /* Read as a game reads it, in the picture reader: the same refusal, the time and memory counted of both. */
        EXPECT_EQ(failureOf([&] { platform::loadPicture(hostile(name)); }), "Obrázek je poškozený: " + hostile(name));
        EXPECT_LT(cpuSeconds() - start, kPictureSeconds) << name;
        EXPECT_LT(residentBytes(true, game) - before, 256 * kMegabyte) << name;
    }
    /* Texts in every installed font family, then a polygon of 15 million points, on a small picture and on the
       largest, whose canvas is the reader's pixel window: however the reader's memory is taken (the fonts' files
       mapped, the window, the points), the game's processes grow by less than 256 MB, the reader's end too. */
    ASSERT_NE(qtApp(), nullptr);
    QByteArray fonts;
    for (const QString &family : QFontDatabase::families()) {
        QByteArray face = family.toLatin1().left(31);
        face.resize(32, '\0');
        fonts += wmfRecord(0x02FB, leBytes(uint16_t(-40), 2) + leBytes(0, 6) + leBytes(400, 2) + leBytes(0, 8) + face);
        fonts += wmfRecord(0x012D, leBytes(0, 2)) + wmfRecord(0x0521, leBytes(4, 2) + "Wxyz" + leBytes(0, 4));
        fonts += wmfRecord(0x01F0, leBytes(0, 2));
    }
    constexpr int kPoints = 15000000;
    QByteArray counts;
    for (int left = kPoints; left > 0; left -= 65535)
        counts += leBytes(uint32_t(std::min(left, 65535)), 2);
    QByteArray points(qsizetype(kPoints) * 4, '\0');
    for (int i = 0; i < kPoints; ++i)
        points[qsizetype(i) * 4 + (i % 2) * 2] = char(i % 200);
    const QByteArray polygon = wmfRecord(0x0538, leBytes(uint32_t(counts.size() / 2), 2) + counts + points);
    for (const int side : {256, int(platform::kMaxPictureSide)}) {
        QTemporaryDir dir;
        const QString path = dir.filePath("pisma.wmf");
        writeFile(path, wmfOf(fonts + polygon, side));
        /* A reader ready, where it stands between two pictures. */
        ASSERT_FALSE(platform::loadPicture(QStringLiteral(KAMENNA_SOURCE_DATA_DIR "/Vozidla/lok_754.bmp")).isNull());
        platform::PictureReader::instance().nextPid();
        resetPeakResidentBytes();
        const QStringList game = gameProcesses();
        const qint64 self = residentBytesOf("self", false);
        const qint64 reader = residentBytes(false, game) - self;
        const QString failure = failureOf([&] { platform::loadPicture(path); });
        EXPECT_TRUE(failure.startsWith("Obrázek je")) << failure.toStdString();
        /* A reader that ended of it is counted by the most it held. */
        const qint64 readerPeak = std::max<qint64>(residentBytes(true, game) - residentBytesOf("self", true),
                                                   platform::PictureReader::instance().mostResidentOfEnded());
        EXPECT_LT(residentBytesOf("self", true) - self + readerPeak - reader, 256 * kMegabyte) << side;
    }
    /* A vehicle's outlines in every dashed style, two and three pixels wide, are drawn dash by dash. */
    QByteArray records;
    for (const uint32_t style : {1, 2, 3, 4}) {
        for (const uint32_t width : {2, 3}) {
            records += emfRecord(38, leBytes(1, 4) + leBytes(style, 4) + leBytes(width, 4) + leBytes(0, 4)
                                         + leBytes(0xFF0000, 4)); // blue
            records += emfRecord(37, leBytes(1, 4)) + emfRecord(37, leBytes(0x80000005u, 4)); // the null brush
            records += emfRecord(43, leBytes(0, 4) + leBytes(0, 4) + leBytes(256, 4) + leBytes(64, 4));
            records += emfRecord(42, leBytes(0, 4) + leBytes(0, 4) + leBytes(256, 4) + leBytes(64, 4));
            QByteArray zigzag = leBytes(0, 16) + leBytes(40, 4);
            for (int i = 0; i < 40; ++i)
                zigzag += leBytes(uint32_t(i * 6), 2) + leBytes(i % 2 ? 40 : 10, 2);
            records += emfRecord(87, zigzag);
        }
    }
    /* Last, a dotted line two pixels wide along row 60: a dot, then a gap. */
    records += emfRecord(38, leBytes(1, 4) + leBytes(2, 4) + leBytes(2, 4) + leBytes(0, 4) + leBytes(0xFF0000, 4));
    records += emfRecord(37, leBytes(1, 4)) + emfRecord(27, leBytes(0, 4) + leBytes(60, 4));
    records += emfRecord(54, leBytes(255, 4) + leBytes(60, 4));
    const QImage outlines = platform::decodeEmf(emfOf(records, 8 * 6 + 3, 256, 64));
    ASSERT_EQ(outlines.size(), QSize(256, 64));
    EXPECT_EQ(outlines.pixel(1, 60), qRgb(0, 0, 255));
    EXPECT_EQ(outlines.pixel(4, 60), qRgba(0, 0, 0, 0));
    /* A clip of 32 by 32 squares of a pixel on a picture of 1,024 a side (16 MB of spans) is drawn: the squares
       white, nothing between them. */
    QList<QRect> rows;
    QList<QRect> columns;
    for (int i = 0; i < 32; ++i) {
        rows << QRect(0, i * 32, 1024, 1);
        columns << QRect(i * 32, 0, 1, 1024);
    }
    const QByteArray squares = emfClipRegion(5, rows) + emfClipRegion(1, columns)
                               + emfRecord(37, leBytes(0x80000008u, 4)) + emfRecord(37, leBytes(0x80000000u, 4))
                               + emfRecord(43, leBytes(0, 8) + leBytes(1024, 4) + leBytes(1024, 4));
    const QImage clipped = platform::decodeEmf(emfOf(squares, 5, 1024, 1024));
    ASSERT_EQ(clipped.size(), QSize(1024, 1024));
    int white = 0;
    int drawn = 0;
    for (int y = 0; y < clipped.height(); ++y) {
        for (int x = 0; x < clipped.width(); ++x) {
            white += clipped.pixel(x, y) == qRgb(255, 255, 255) ? 1 : 0;
            drawn += qAlpha(clipped.pixel(x, y)) != 0 ? 1 : 0;
        }
    }
    EXPECT_EQ(white, 32 * 32);
    EXPECT_EQ(drawn, 32 * 32);
}

TEST(HostilePictures, TextIsChargedForItsGlyphsWhereverItFallsWithOrWithoutADisplay)
{
    /* Text far outside a small picture, in a font of the given height: the first one some 6 MB of it. */
    auto textFile = [](int fontHeight, int texts) {
        const QByteArray records = emfFont(-fontHeight, QStringLiteral("Arial")) + emfRecord(37, leBytes(1, 4))
                                   + emfText(QString(16, QChar('W')), 100000, 100000).repeated(texts);
        return emfOf(records, texts + 2, 256, 64);
    };
    const QByteArray large = textFile(2000, 37000);
    EXPECT_GT(large.size(), 6 * kMegabyte);
    const double start = cpuSeconds();
    EXPECT_EQ(failureOf([&] { platform::decodeEmf(large); }), "Metasoubor je poškozený: příliš mnoho kreslení");
    EXPECT_LT(cpuSeconds() - start, kPictureSeconds);
    /* The same text in a vehicle's font is no work worth refusing. */
    EXPECT_EQ(platform::decodeEmf(textFile(12, 40)).size(), QSize(256, 64));
}

TEST(HostilePictures, ATextOfLargeGlyphsIsChargedBeforeAnyGlyphIsDrawn)
{
    /* Qt fills glyphs larger than it keeps drawn as outlines; those over one another cross the same rows. */
    ASSERT_NE(qtApp(), nullptr);
    auto textFile = [](int letters, int size, int advance, int side = 256) {
        const QList<int> advances(letters, advance);
        const QByteArray records = emfFont(-size, QStringLiteral("Arial")) + emfRecord(37, leBytes(1, 4))
                                   + emfText(QString(letters, QChar('W')), 0, size, advances);
        return emfOf(records, 3, side, side);
    };
    /* 200 letters of 200 pixels and 3,000 of 100, each an eighth of a glyph after the one before: 1.5 and 18 KB. */
    for (const auto &[letters, size] : {std::pair(200, 200), std::pair(3000, 100)}) {
        const QByteArray text = textFile(letters, size, size / 8);
        EXPECT_LT(text.size(), 19 * 1024);
        const double start = cpuSeconds();
        EXPECT_EQ(failureOf([&] { platform::decodeEmf(text); }), "Metasoubor je poškozený: příliš mnoho kreslení")
            << letters;
        EXPECT_LT(cpuSeconds() - start, kPictureSeconds) << letters;
    }
    /* A title of 100 pixels, its letters side by side, is drawn. */
    const QImage title = platform::decodeEmf(textFile(20, 100, 80, 1024));
    EXPECT_EQ(title.size(), QSize(1024, 1024));
    EXPECT_NE(title.pixel(40, 150), qRgba(0, 0, 0, 0));
    /* A glyph of 64 pixels under a shear of 1,000 keeps its area, but Qt draws it from its cache as a bitmap of
       its box, 64,000 pixels high, which FreeType does not draw, and then copies the bitmap it did not draw. */
    const QString sheared = hostile("sheared_glyph.emf");
    const double start = cpuSeconds();
    EXPECT_EQ(failureOf([&] { platform::decodeEmf(hostileBytes("sheared_glyph.emf")); }),
              "Metasoubor je poškozený: příliš mnoho kreslení");
    EXPECT_LT(cpuSeconds() - start, kPictureSeconds);
    EXPECT_EQ(failureOf([&] { platform::loadPicture(sheared); }), "Obrázek je poškozený: " + sheared);
    /* A text of 12 pixels slanted by a shear of 4 is drawn, each letter 48 rows lower than the one before it. */
    const auto f32 = [](float v) { return leBytes(std::bit_cast<uint32_t>(v), 4); };
    const QByteArray slanted = emfRecord(35, f32(1) + f32(4) + f32(0) + f32(1) + f32(0) + f32(0))
                               + emfFont(-12, QStringLiteral("Arial")) + emfRecord(37, leBytes(1, 4))
                               + emfText(QStringLiteral("WWW"), 0, 20, {12, 12, 12}, 2);
    const QImage slant = platform::decodeEmf(emfOf(slanted, 4, 256, 256));
    int top = slant.height();
    int bottom = -1;
    for (int y = 0; y < slant.height(); ++y) {
        for (int x = 0; x < slant.width(); ++x) {
            if (qAlpha(slant.pixel(x, y)) != 0) {
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    }
    EXPECT_GT(bottom - top, 2 * 48);
}

TEST(HostilePictures, NumbersAtTheEndsOfTheirRangeAreDrawnOrRefusedWithoutAFault)
{
    /*
     * A bitmap of four colours stretched from -2^31, the window's origin,
     * twice the largest number on, over the picture and far past it, by
     * operations that read its pixels and by a plain copy.
     */
    const QByteArray bitmap = dib8(4, 1, 0, {0x0000FF, 0x00FF00, 0xFF0000, 0xFFFFFF}, QByteArray("\0\1\2\3", 4));
    const int32_t lowest = std::numeric_limits<int32_t>::min();
    const int32_t highest = std::numeric_limits<int32_t>::max();
    const QByteArray twice = emfRecord(17, leBytes(8, 4)) + emfRecord(9, leBytes(1, 4) + leBytes(1, 4))
                             + emfRecord(11, leBytes(2, 4) + leBytes(2, 4));
    const std::pair<QByteArray, QRect> targets[] = {
        {emfRecord(10, leBytes(0, 4) + leBytes(uint32_t(lowest), 4)), QRect(QPoint(0, lowest), QSize(16, highest))},
        {emfRecord(10, leBytes(uint32_t(lowest), 4) + leBytes(0, 4)), QRect(QPoint(lowest, 0), QSize(highest, 16))}};
    for (const uint32_t rop : {0x00660046u, 0x00440328u, 0x00CC0020u}) { // SRCINVERT, SRCERASE, SRCCOPY
        for (const auto &[origin, target] : targets) {
            const QImage picture =
                platform::decodeEmf(emfOf(twice + origin + emfStretchDib(bitmap, 4, target, rop), 5, 32, 32));
            ASSERT_EQ(picture.size(), QSize(32, 32)) << rop;
            EXPECT_EQ(qAlpha(picture.pixel(4, 4)), 255) << std::hex << rop; // the bitmap's first pixel, over it all
        }
    }
    /* A font of the lowest height and escapement. */
    QByteArray font = emfFont(lowest, QStringLiteral("Arial"), lowest, lowest);
    const QByteArray text = font + emfRecord(37, leBytes(1, 4)) + emfText(QStringLiteral("714"), 2, 2, {9, 9, 9});
    EXPECT_TRUE(QStringList({"no error", "Metasoubor je poškozený: příliš mnoho kreslení"})
                    .contains(failureOf([&] { platform::decodeEmf(emfOf(text, 2, 32, 32)); })));
    /* A clip region of 65,536 rectangles: 2,048 columns down the largest picture, each half a pixel of the device. */
    const int side = int(platform::kMaxPictureSide);
    QByteArray rects;
    for (int i = 0; i < 65536; ++i)
        rects += leBytes(uint32_t(i % 2048 * 2), 4) + leBytes(0, 4) + leBytes(uint32_t(i % 2048 * 2 + 1), 4)
                 + leBytes(uint32_t(side), 4);
    const QByteArray region = leBytes(32, 4) + leBytes(1, 4) + leBytes(65536, 4) + leBytes(uint32_t(rects.size()), 4)
                              + leBytes(0, 16) + rects;
    const QByteArray clipped = emfRecord(75, leBytes(uint32_t(region.size()), 4) + leBytes(5, 4) + region)
                               + emfRecord(37, leBytes(0x80000000u, 4))
                               + emfRecord(43, leBytes(0, 8) + leBytes(uint32_t(side), 4) + leBytes(uint32_t(side), 4));
    QTemporaryDir dir;
    const QString path = dir.filePath("sloupce.emf");
    writeFile(path, emfOf(clipped, 3, side, side));
    const double start = cpuSeconds();
    EXPECT_EQ(failureOf([&] { platform::loadPicture(path); }), "Obrázek je poškozený: " + path);
    EXPECT_LT(cpuSeconds() - start, kPictureSeconds);
}

TEST(HostilePictures, TextIsChargedForItsJoinedCharactersAndFontsWhereQtLaysItOut)
{
    /* Qt shapes and draws text only in an application with a display, as the program is. */
    ASSERT_NE(qtApp(), nullptr);
    /*
     * 243 texts of a letter with 4,095 accents in an 8-pixel font; 33,000
     * fonts of new faces, each drawn with for a text of no characters; both.
     */
    for (const char *name : {"accent_clusters.emf", "font_faces.emf", "accents_and_faces.emf"}) {
        const QByteArray bytes = hostileBytes(name);
        EXPECT_LT(bytes.size(), 13 * kMegabyte) << name;
        const double start = cpuSeconds();
        EXPECT_EQ(failureOf([&] { platform::decodeEmf(bytes); }), "Metasoubor je poškozený: příliš mnoho kreslení")
            << name;
        EXPECT_LT(cpuSeconds() - start, kPictureSeconds) << name;
        EXPECT_EQ(failureOf([&] { platform::loadPicture(hostile(name)); }), "Obrázek je poškozený: " + hostile(name));
    }
    /* A vehicle's captions, in a few faces, with their accents and a joiner: drawn. */
    QByteArray records;
    for (const char *face : {"Arial", "Verdana", "Tahoma", "Courier New"}) {
        records += emfFont(-12, QString::fromLatin1(face)) + emfRecord(37, leBytes(1, 4));
        records += emfText(QStringLiteral("Bt 285 Cze\u0301ske\u0301 dra\u0301hy \u200D 4\u00B7\u0306"), 2, 2)
                       .repeated(25);
    }
    const QImage captions = platform::decodeEmf(emfOf(records, 4 * 27, 256, 64));
    EXPECT_EQ(captions.size(), QSize(256, 64));
    EXPECT_NE(captions.pixel(4, 6), qRgba(0, 0, 0, 0)) << "the text's opaque ground";
}

TEST(HostilePictures, ATextInScriptsItsFontLacksLooksForNoOtherFont)
{
    ASSERT_NE(qtApp(), nullptr);
    /*
     * Texts of a letter of each of a dozen scripts that no usual font has,
     * each in a font of a new face or size: the first two files within the
     * work budget, the last two past it.
     */
    const std::pair<const char *, bool> files[] = {{"uncovered_scripts_10.emf", true},
                                                   {"uncovered_scripts_180.emf", true},
                                                   {"uncovered_scripts_220.emf", false},
                                                   {"uncovered_scripts_265.emf", false}};
    for (const auto &[name, fits] : files) {
        const QByteArray bytes = hostileBytes(name);
        EXPECT_LT(bytes.size(), 72 * 1024) << name;
        const double start = cpuSeconds();
        EXPECT_EQ(failureOf([&] { platform::decodeEmf(bytes); }),
                  fits ? QStringLiteral("no error") : QStringLiteral("Metasoubor je poškozený: příliš mnoho kreslení"))
            << name;
        EXPECT_LT(cpuSeconds() - start, kPictureSeconds) << name;
    }
}

TEST(HostilePictures, AReadingPastItsProcessorTimeIsRefusedWhateverItsRecords)
{
    /* A run-length coded bitmap, a progressive JPEG and the shipped metafiles, each read within a reading whose time is up. */
    QTemporaryDir dir;
    const QString rle = dir.filePath("rle.bmp");
    writeFile(rle, bmpOf(dib8(32, 32, 1, {0x00FF0000, 0x0000FF00}, QByteArray("\x03\x01\x00\x01", 4)), 2));
    const QStringList paths{rle, hostile("progressive_small.jpg"),
                            QStringLiteral(KAMENNA_SOURCE_DATA_DIR "/Vozidla/lok_714.emf"),
                            QStringLiteral(KAMENNA_SOURCE_DATA_DIR "/Vozidla/vuz_Bt.wmf")};
    /* The reader's own work, as it reads a picture within the time its reading has. */
    for (const QString &path : paths) {
        {
            /* A bitmap or a JPEG stopped by its time is too large; a metafile costs more than its work budget. */
            const platform::PictureRead spent(std::chrono::nanoseconds(0));
            EXPECT_EQ(failureOf([&] { platform::readPictureFile(path); }),
                      (path.endsWith("mf") ? "Obrázek je poškozený: " : "Obrázek je příliš velký: ") + path);
        }
        EXPECT_FALSE(platform::readPictureFile(path).isNull()) << path.toStdString();
    }
    /* A picture begun within another reading has no more than the time left to it, and the outer's is left after it. */
    {
        const platform::PictureRead outer(std::chrono::hours(1));
        {
            const platform::PictureRead spent(std::chrono::nanoseconds(0));
            EXPECT_EQ(failureOf([&] { platform::readPictureFile(paths[2]); }), "Obrázek je poškozený: " + paths[2]);
        }
        EXPECT_FALSE(platform::readPictureFile(paths[2]).isNull());
    }
    /* A train's pictures each have their own time in the reader, whatever the train's other pictures took: a train
       with no processor time left still reads them. Once its wall-clock time is spent, no picture is sent: not read
       in time, no verdict on the file, and the next train reads it. */
    {
        QImage small(16, 16, QImage::Format_ARGB32);
        small.fill(qRgb(200, 30, 30));
        writeFile(dir.filePath("ikona.ico"), iconOf(encoded(small, "PNG")));
        VehiclePictures pictures;
        const std::pair<QString, QString> named[] = {{KAMENNA_SOURCE_DATA_DIR, "Vozidla/lok_714.emf"},
                                                     {dir.path(), "ikona.ico"}};
        for (const auto &[folder, entry] : named) {
            {
                const platform::PictureRead noTimeLeft(std::chrono::nanoseconds(0));
                pictures.beginTrain(1);
                EXPECT_FALSE(pictures.picture(folder, entry).isNull()) << entry.toStdString();
                pictures.forgetTrain();
                pictures.endTrain();
            }
            const pid_t before = platform::PictureReader::instance().nextPid();
            {
                const platform::PictureRead wallSpent(std::chrono::hours(1), std::chrono::nanoseconds(0));
                pictures.beginTrain(2);
                PictureRefusal why = PictureRefusal::None;
                EXPECT_TRUE(pictures.picture(folder, entry, &why).isNull());
                EXPECT_EQ(why, PictureRefusal::OutOfTime) << entry.toStdString();
            }
            EXPECT_EQ(platform::PictureReader::instance().nextPid(), before) << "no reader was given the picture";
            pictures.beginTrain(3);
            EXPECT_FALSE(pictures.picture(folder, entry).isNull());
            pictures.forgetTrain();
        }
        EXPECT_EQ(pictures.picturesRead(), 6);
    }
    /* A metafile is refused as one that costs more than its work budget. */
    QFile emf(paths[2]);
    ASSERT_TRUE(emf.open(QIODevice::ReadOnly));
    const QByteArray bytes = emf.readAll();
    const platform::PictureRead spent(std::chrono::nanoseconds(0));
    EXPECT_EQ(failureOf([&] { platform::decodeEmf(bytes); }), "Metasoubor je poškozený: příliš mnoho kreslení");
}

TEST(HostilePictures, APictureReaderThatIsKilledOrDiesLeavesTheGameReadingTheNextPicture)
{
    const QString vehicle = QStringLiteral(KAMENNA_SOURCE_DATA_DIR "/Vozidla/lok_754.bmp");
    const QString metafile = QStringLiteral(KAMENNA_SOURCE_DATA_DIR "/Vozidla/lok_714.emf");
    platform::PictureReader &reader = platform::PictureReader::instance();
    const QImage expected = platform::readPictureFile(vehicle);
    ASSERT_FALSE(expected.isNull());
    EXPECT_EQ(platform::loadPicture(vehicle), expected) << "read in the reader as in the program";
    /* Larger pictures, read again into memory kept from the first: one the reader's own decoder writes into the
       pixel window, one of a colour table that Qt's reader decodes, which the reader copies into the window. */
    QTemporaryDir dir;
    const QString large = dir.filePath("velky.bmp");
    writeFile(large, encoded(expected.scaled(1000, 256).convertToFormat(QImage::Format_Indexed8), "BMP"));
    const QString photo = dir.filePath("velky.jpg");
    writeFile(photo, platform::encodeJpeg(expected.scaled(1000, 256), 90));
    for (const QString &path : {large, photo}) {
        const QImage whole = platform::readPictureFile(path);
        for (int again = 0; again < 2; ++again)
            EXPECT_EQ(platform::loadPicture(path), whole) << again;
    }

    /* The reader started ahead, ended from outside before it has a picture, or dead of a fault of its own (as a
       failed check ends it): reaped at once, and another reads the next picture. */
    for (int signal : {SIGKILL, SIGABRT}) {
        const pid_t ahead = reader.nextPid();
        ASSERT_GT(ahead, 0);
        ASSERT_EQ(::kill(ahead, signal), 0);
        EXPECT_TRUE(reapedSoon(ahead)) << signal;
        EXPECT_EQ(platform::loadPicture(vehicle), expected) << signal;
        EXPECT_NE(reader.pid(), ahead);
    }

    /* A reader that stops as it reads (stopped, as a debugger, a suspended job or a starved machine may leave it)
       is waited for no longer than the reading's wall-clock time: the picture is not read in time, no fault of its
       file, and stays with its reader. Once its reader has made no progress for a while, another reads it. */
    {
        const platform::PictureGroup group(platform::PictureGroup::next());
        const pid_t stopped = reader.nextPid();
        ASSERT_GT(stopped, 0);
        ASSERT_EQ(::kill(stopped, SIGSTOP), 0);
        QElapsedTimer waited;
        waited.start();
        {
            const platform::PictureRead train(platform::kMaxPlacingTime, platform::kMaxPlacingTime);
            EXPECT_EQ(failureOf([&] { platform::loadPicture(metafile); }), "Obrázek se nestihl načíst: " + metafile);
        }
        EXPECT_LT(waited.elapsed(), platform::kMaxPlacingTime.count() + 300);
        EXPECT_EQ(reader.pid(), stopped) << "the picture stays with its reader";
        QImage read;
        while (read.isNull() && waited.elapsed() < 2 * platform::PictureReader::kNoProgressTime.count()) {
            const platform::PictureRead tick(platform::kMaxPlacingTime, platform::kMaxPlacingTime);
            try {
                read = platform::loadPicture(metafile);
            } catch (const platform::PictureNotReadInTime &) {
            }
        }
        EXPECT_EQ(read, platform::readPictureFile(metafile));
        EXPECT_GE(waited.elapsed(), platform::PictureReader::kNoProgressTime.count());
        EXPECT_NE(reader.pid(), stopped);
        EXPECT_TRUE(reapedSoon(stopped)) << "the stopped reader is ended";
        reader.endGroup(platform::PictureGroup::current());
    }
}

namespace {

/** @return how many descriptors this process holds open. */
qsizetype openDescriptors()
{
    return QDir(QStringLiteral("/proc/self/fd")).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot).size();
}

} // namespace

TEST(HostilePictures, APictureReaderThatLiesOrMisbehavesIsRefusedWithinThePicturesTimeAndTheNextReadByAnother)
{
    platform::PictureReader &reader = platform::PictureReader::instance();
    QTemporaryDir dir;
    QImage dot(8, 8, QImage::Format_RGB32);
    dot.fill(qRgb(10, 120, 200));
    const QString lie = dir.filePath("lez.bmp");
    const QString next = dir.filePath("dalsi.bmp");
    writeFile(lie, encoded(dot, "BMP"));
    writeFile(next, encoded(dot.scaled(16, 16).transformed(QTransform().rotate(90)), "BMP"));
    const QImage honest = platform::readPictureFile(lie);
    const QImage expectedNext = platform::readPictureFile(next);
    /* Read once in a reader: the pixel window, which every reader is given, is made. */
    ASSERT_EQ(platform::loadPicture(next), expectedNext);
    const QString broken = "Obrázek je poškozený: " + lie;
    const QString late = "Obrázek se nestihl načíst: " + lie;
    /*
     * Each way the reader lies, said from its start or in its answer to "lez.bmp": the refusal (a picture two
     * readers in a row lie about is broken), the wall-clock time the picture had (a train's, or a short one for a
     * reader that says nothing more), and whether it lies from its start (the next picture is read by the real
     * reader).
     */
    struct Lie {
        const char *way;
        QString failure;
        std::chrono::milliseconds time;
        bool fromStart;
    };
    const auto train = platform::kMaxPlacingTime;
    const std::chrono::milliseconds shortTime(300);
    const Lie lies[] = {
        {"indexed-no-colours", broken, train, false},
        {"indexed-past-colours", broken, train, false},
        {"mono-past-colours", broken, train, false},
        {"too-many-colours", broken, train, false},
        {"unknown-format", broken, train, false},
        {"past-the-window", broken, train, false},
        {"pixels-in-its-own-memory", broken, train, false},
        {"text-past-its-most", broken, train, false},
        {"other-id", broken, train, false},
        {"zeros", broken, train, false},
        {"half-then-end", broken, train, false},
        {"half-then-nothing", broken, train, false},
        {"other-group", late, shortTime, false},
        {"bytes-after-the-answer", QStringLiteral("no error"), train, false},
        {"lingering-socket", QStringLiteral("no error"), train, false},
        {"descriptor-flood", QStringLiteral("no error"), train, false},
        {"hello-short", late, shortTime, true},
        {"hello-never", late, shortTime, true},
        {"hello-wrong", "Čtečka obrázků kamenna-pictures-liar se nespustila, obrázek nelze přečíst: " + lie, train, true},
    };
    for (const Lie &l : lies) {
        reader.useProgram("kamenna-pictures-liar", {QByteArray("--lie=") + l.way});
        reader.start();
        const qsizetype descriptors = l.fromStart ? 0 : (reader.nextPid(), openDescriptors());
        QElapsedTimer waited;
        waited.start();
        QImage read;
        QString failure;
        {
            const platform::PictureRead reading(l.time, l.time);
            failure = failureOf([&] { read = platform::loadPicture(lie); });
        }
        EXPECT_EQ(failure.toStdString(), l.failure.toStdString()) << l.way;
        if (failure == "no error") {
            EXPECT_EQ(read, honest) << l.way;
        }
        /* Within the picture's time, and the moments its readers need to be ended and others started. */
        EXPECT_LT(waited.elapsed(), l.time.count() + 300) << l.way;
        const std::vector<pid_t> liars = reader.pids();
        if (l.fromStart)
            reader.useProgram("kamenna-pictures");
        EXPECT_EQ(platform::loadPicture(next), expectedNext) << l.way;
        /* Every lying reader is ended and reaped; with them, what they held of the program's. */
        reader.endGroup(0);
        for (const pid_t liar : liars)
            EXPECT_TRUE(reapedSoon(liar)) << l.way << ": the lying reader is ended and reaped";
        if (!l.fromStart) {
            reader.nextPid();
            EXPECT_LE(openDescriptors(), descriptors) << l.way << ": no descriptor taken from the reader";
        }
    }
    /* A reader that, once it has answered, spends processor time while it has no picture is ended at once, and
       its train goes on with another. */
    for (const char *way : {"spin-after-answer"}) {
        reader.useProgram("kamenna-pictures-liar", {QByteArray("--lie=") + way});
        const platform::PictureGroup group(platform::PictureGroup::next());
        EXPECT_EQ(platform::loadPicture(lie), honest) << way;
        const pid_t answered = reader.pid();
        ASSERT_GT(answered, 0) << way;
        EXPECT_TRUE(reapedSoon(answered)) << way;
        EXPECT_EQ(platform::loadPicture(next), expectedNext) << way;
        EXPECT_NE(reader.pid(), answered) << way;
        reader.endGroup(platform::PictureGroup::current());
    }
    /* A train of more costly pictures than one reader's time holds is read whole: each picture by a reader with
       its time left, none refused for the time its reader spent on those before it. */
    reader.useProgram("kamenna-pictures-liar", {QByteArray("--lie=costly")});
    {
        const platform::PictureGroup group(platform::PictureGroup::next());
        std::set<pid_t> readers;
        for (int i = 0; i < 15; ++i) {
            QImage read;
            EXPECT_NO_THROW(read = platform::loadPicture(next)) << "picture " << i;
            EXPECT_EQ(read, expectedNext) << "picture " << i;
            readers.insert(reader.pid());
        }
        EXPECT_GE(readers.size(), 2u);
        reader.endGroup(platform::PictureGroup::current());
    }
    reader.useProgram("kamenna-pictures");
}

namespace {

/** @return the lines of a file of a process's in /proc; none when it is gone. */
QStringList procLines(pid_t pid, const char *file)
{
    QFile proc(QStringLiteral("/proc/%1/%2").arg(pid).arg(QLatin1String(file)));
    if (!proc.open(QIODevice::ReadOnly))
        return {};
    return QString::fromLatin1(proc.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

/** @return the threads a process runs; -1 when it is gone. */
int threadsOf(pid_t pid)
{
    for (const QString &line : procLines(pid, "status"))
        if (line.startsWith(QLatin1String("Threads:")))
            return line.mid(8).trimmed().toInt();
    return -1;
}

/** @return the processes and threads the machine runs, as its load average counts them. */
int machineThreads()
{
    const QStringList load = procLines(::getpid(), "../loadavg");
    return load.isEmpty() ? -1 : load.first().section(QLatin1Char(' '), 3, 3).section(QLatin1Char('/'), 1).toInt();
}

/**
 * @return what is wrong with a reader's session or limits: empty when it
 *         leads a session of its own that holds no terminal, and its hard
 *         limits of processor time, address space, descriptors and core
 *         files are finite and its soft ones.
 */
std::string sessionAndLimitsWrong(pid_t pid)
{
    std::string wrong;
    if (::getsid(pid) != pid || ::getsid(pid) == ::getsid(0))
        wrong += "not a session of its own; ";
    const QStringList stat = procLines(pid, "stat");
    /* The terminal is the seventh field, the name in parentheses aside. */
    if (stat.isEmpty() || stat.first().mid(stat.first().lastIndexOf(QLatin1Char(')')) + 2).section(QLatin1Char(' '), 4, 4) != "0")
        wrong += "a terminal; ";
    for (const char *limit : {"Max cpu time", "Max address space", "Max open files", "Max core file size"}) {
        QStringList held;
        for (const QString &line : procLines(pid, "limits"))
            if (line.startsWith(QLatin1String(limit)))
                held = line.mid(26).split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (held.size() < 2 || held[0] != held[1] || held[1] == "unlimited")
            wrong += std::string(limit) + ": " + held.join(QLatin1Char(' ')).toStdString() + "; ";
    }
    return wrong;
}

/** @return a set of capabilities a process's status gives, "CapEff:" and the like; all when it gives none. */
uint64_t capabilitySet(const QStringList &status, const char *set)
{
    for (const QString &line : status)
        if (line.startsWith(QLatin1String(set)))
            return line.mid(int(std::strlen(set))).trimmed().toULongLong(nullptr, 16);
    return ~uint64_t(0);
}

/**
 * @return the capabilities a reader's threads hold: empty when none holds
 *         any, nor any in its bounding set where the reader could empty it
 *         (it was started with CAP_SETPCAP).
 */
std::string capabilitiesLeft(pid_t pid)
{
    const bool boundingToo = capabilitySet(procLines(::getpid(), "status"), "CapEff:") & (uint64_t(1) << CAP_SETPCAP);
    const QStringList threads =
        QDir(QStringLiteral("/proc/%1/task").arg(pid)).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    std::string left = threads.isEmpty() ? "no threads; " : "";
    for (const QString &thread : threads) {
        const QStringList status = procLines(pid, qPrintable(QStringLiteral("task/%1/status").arg(thread)));
        for (const char *set : {"CapInh:", "CapPrm:", "CapEff:", "CapAmb:", "CapBnd:"})
            if (capabilitySet(status, set) != 0 && (boundingToo || std::strcmp(set, "CapBnd:") != 0))
                left += thread.toStdString() + ' ' + set + "; ";
    }
    return left;
}

/** The signals the kernel was made to send this process, by their number. */
volatile sig_atomic_t g_signalled[NSIG];

void countSignal(int signal)
{
    g_signalled[signal] = g_signalled[signal] + 1;
}

} // namespace

TEST(HostilePictures, APictureReaderTakenOverCanReadFilesAndNothingMore)
{
    platform::PictureReader &reader = platform::PictureReader::instance();
    QTemporaryDir dir;
    const QString marker = dir.filePath("znacka.txt");
    writeFile(marker, "znacka");
    const QString picture = QStringLiteral(KAMENNA_SOURCE_DATA_DIR "/Vozidla/lok_754.bmp");
    const QImage expected = platform::readPictureFile(picture);
    /* The picture that takes the reader over, in the test-only reader. */
    const QString lie = dir.filePath("lez.bmp");
    writeFile(lie, encoded(expected, "BMP"));
    /* The real reader: a session of its own, no terminal, finite limits, and its threads all started. */
    reader.useProgram("kamenna-pictures");
    ASSERT_EQ(platform::loadPicture(picture), expected);
    EXPECT_EQ(sessionAndLimitsWrong(reader.pid()), "");
    EXPECT_EQ(capabilitiesLeft(reader.pid()), "");
    const int readerThreads = threadsOf(reader.pid());
    EXPECT_GE(readerThreads, 1);
    /* A terminal of the test's, which the reader holds from its start, as one it was given (its errors, in the
       sanitizers' build): its size and its settings stay as they are. */
    const int terminal = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    const bool haveTerminal = terminal >= 0 && ::grantpt(terminal) == 0 && ::unlockpt(terminal) == 0;
    const QByteArray terminalPath = haveTerminal ? QByteArray(::ptsname(terminal)) : QByteArray();
    const winsize size{24, 80, 0, 0};
    termios settings{};
    if (haveTerminal) {
        ASSERT_EQ(::ioctl(terminal, TIOCSWINSZ, &size), 0);
        ASSERT_EQ(::tcgetattr(terminal, &settings), 0);
        ASSERT_TRUE(settings.c_lflag & ECHO);
    }
    /* What reads the program's memory and environment through /proc, or opens a terminal by its path, is refused by
       Landlock, where the kernel has it. */
    const bool landlock = ::syscall(SYS_landlock_create_ruleset, nullptr, 0, 1) >= 1;
    /* Where the test may mount (CAP_SYS_ADMIN: as root), so may its readers, which cover /proc in a mount namespace
       of their own: the program's files there are closed to them without Landlock too. */
    const bool mounts = capabilitySet(procLines(::getpid(), "status"), "CapEff:") & (uint64_t(1) << CAP_SYS_ADMIN);
#ifdef KAMENNA_INSTRUMENTED
    /* The sanitizers' allocator maps at fixed addresses: there the reader chooses its mappings' addresses. */
    const bool addressRules = false;
#else
    const bool addressRules = true;
#endif
    /* Signals the kernel may be made to send the program for a descriptor, a terminal or a lease. */
    const int watched[] = {SIGIO, SIGURG, SIGUSR2, SIGWINCH, SIGHUP, SIGCONT, SIGTTOU};
    struct sigaction counting {}, before[std::size(watched)];
    counting.sa_handler = countSignal;
    for (size_t i = 0; i < std::size(watched); ++i) {
        g_signalled[watched[i]] = 0;
        ::sigaction(watched[i], &counting, &before[i]);
    }
    enum Needs { Nothing, Landlock, Terminal, LandlockAndTerminal, Mounts, AddressRules };
    const std::pair<const char *, Needs> ways[] = {
        {"fork", Nothing},
        {"process-clone", Nothing},
        {"clone3", Nothing},
        {"thread", Nothing},
        {"thread-bomb", Nothing},
        {"run-program", Nothing},
        {"new-session", Nothing},
        {"other-group", Nothing},
        {"signal-program", Nothing},
        {"signal-program-thread", Nothing},
        {"signal-everyone", Nothing},
        {"descriptor-owner", Nothing},
        {"descriptor-owner-ex", Nothing},
        {"descriptor-signal", Nothing},
        {"descriptor-async", Nothing},
        {"descriptor-signals-program", Nothing},
        {"descriptor-async-by-request", Nothing},
        {"descriptor-owner-by-request", Nothing},
        {"socket-group", Nothing},
        {"lease", Nothing},
        {"lock-picture", Nothing},
        {"lock-picture-shared", Nothing},
        {"lock-file", Nothing},
        {"lock-file-waiting", Nothing},
        {"lock-open-file", Nothing},
        {"lock-open-file-waiting", Nothing},
        {"folder-notification", Nothing},
        {"trace-program", Nothing},
        {"read-program-memory", Nothing},
        {"program-memory-file", Landlock},
        {"program-environment", Landlock},
        {"on-decoder-thread:program-environment", Landlock},
        {"without-landlock:program-environment", Mounts},
        {"without-landlock:program-maps", Mounts},
        {"without-landlock:program-command-line", Mounts},
        {"without-landlock:on-decoder-thread:program-command-line", Mounts},
        {"on-decoder-thread:write-file", Nothing},
        {"on-decoder-thread:signal-program", Nothing},
        {"program-descriptor", Nothing},
        {"network", Nothing},
        {"local-socket", Nothing},
        {"write-file", Nothing},
        {"truncate-file", Nothing},
        {"create-file", Nothing},
        {"remove-file", Nothing},
        {"memory-file", Nothing},
        {"memory-segment", Nothing},
        {"shared-memory", Nothing},
        {"other-message-queue", Nothing},
        {"async-io", Nothing},
        {"notification-instance", Nothing},
        {"queued-signals", Nothing},
        {"memory-past-limit", Nothing},
        {"mapping-at-address", AddressRules},
        {"mapping-at-free-address", AddressRules},
        {"mapping-near-address", AddressRules},
        {"mapping-moved-to-address", AddressRules},
        {"mapping-moved-and-kept", AddressRules},
        {"file-pages-moved", AddressRules},
        {"window-paged-out", Nothing},
        {"window-cold", Nothing},
        {"raise-limit", Nothing},
        {"processor-limit", Nothing},
        {"processor-limit-old-call", Nothing},
        {"parent-death-signal", Nothing},
        {"processors", Nothing},
        {"priority", Nothing},
        {"real-time", Nothing},
        {"real-time-attributes", Nothing},
        {"disk-priority", Nothing},
        {"change-user", Nothing},
        {"capabilities-left", Nothing},
        {"on-decoder-thread:capabilities-left", Nothing},
        {"new-namespace", Nothing},
        {"kernel-log", Nothing},
        {"own-terminal", Nothing},
        {"open-terminal", LandlockAndTerminal},
        {"on-decoder-thread:open-terminal", LandlockAndTerminal},
        {"terminal-input", Terminal},
        {"terminal-size", Terminal},
        {"terminal-echo", Terminal},
        {"terminal-foreground", Terminal},
        {"terminal-hangup", Terminal},
    };
    for (const auto &[way, needs] : ways) {
        if (((needs == Landlock || needs == LandlockAndTerminal) && !landlock)
            || ((needs == Terminal || needs == LandlockAndTerminal) && !haveTerminal) || (needs == Mounts && !mounts)
            || (needs == AddressRules && !addressRules))
            continue;
        const int machine = machineThreads();
        reader.useProgram("kamenna-pictures-liar", {QByteArray("--escape=") + way, "--marker=" + QFile::encodeName(marker),
                                                    "--terminal=" + terminalPath});
        {
            const platform::PictureRead reading(platform::kMaxPictureReadTime);
            EXPECT_EQ(failureOf([&] { platform::loadPicture(lie); }).toStdString(), std::string("odmítnuto: ") + way);
        }
        const pid_t liar = reader.pid();
        EXPECT_EQ(threadsOf(liar), readerThreads) << way;
        EXPECT_EQ(sessionAndLimitsWrong(liar), "") << way;
        EXPECT_EQ(capabilitiesLeft(liar), "") << way;
        /* The next picture, read right by it or by the next. */
        EXPECT_EQ(platform::loadPicture(picture), expected) << way;
        reader.useProgram("kamenna-pictures");
        EXPECT_EQ(::kill(liar, 0), -1) << way;
        /* Some processes come and go on the machine meanwhile; a bomb's thousands of threads would stay. */
        EXPECT_LT(machineThreads(), machine + 1000) << way;
    }
    for (size_t i = 0; i < std::size(watched); ++i) {
        ::sigaction(watched[i], &before[i], nullptr);
        EXPECT_EQ(g_signalled[watched[i]], 0) << watched[i];
    }
    if (haveTerminal) {
        winsize now{};
        ASSERT_EQ(::ioctl(terminal, TIOCGWINSZ, &now), 0);
        EXPECT_EQ(std::pair(now.ws_row, now.ws_col), std::pair(size.ws_row, size.ws_col));
        termios nowSettings{};
        ASSERT_EQ(::tcgetattr(terminal, &nowSettings), 0);
        EXPECT_EQ(nowSettings.c_lflag, settings.c_lflag);
    }
    if (terminal >= 0)
        ::close(terminal);
    QFile kept(marker);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), "znacka");
    EXPECT_FALSE(QFile::exists(marker + ".new"));
}

TEST(HostilePictures, APictureReaderHoldsNoDescriptorNorVariableOfTheProgram)
{
    QTemporaryDir dir;
    const QString secret = dir.filePath("tajne.txt");
    writeFile(secret, "tajne");
    /* Open without close-on-exec, as a descriptor the program inherited from whatever started it. */
    const int inherited = ::open(QFile::encodeName(secret).constData(), O_RDONLY);
    ASSERT_GE(inherited, 0);
    qputenv("KAMENNA_TAJNE", "heslo");
    platform::PictureReader &reader = platform::PictureReader::instance();
    reader.useProgram("kamenna-pictures");
    EXPECT_FALSE(platform::loadPicture(QStringLiteral(KAMENNA_SOURCE_DATA_DIR "/Vozidla/lok_754.bmp")).isNull());
    const QString process = QString::number(reader.pid());
    /* A session of its own, so no terminal of the program's. */
    EXPECT_EQ(::getsid(reader.pid()), reader.pid());
    EXPECT_NE(::getsid(reader.pid()), ::getsid(0));
    /* Past its three standard ones, nothing it holds is anything the program holds. */
    const auto file = [](const QString &path) {
        struct stat st {};
        return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? std::pair(st.st_dev, st.st_ino)
                                                                       : std::pair(dev_t(0), ino_t(0));
    };
    std::set<std::pair<dev_t, ino_t>> programs;
    const QDir own(QStringLiteral("/proc/self/fd"));
    for (const QString &fd : own.entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot))
        if (!QFile::symLinkTarget(own.filePath(fd)).contains(QLatin1String("anon_inode")))
            programs.insert(file(own.filePath(fd)));
    ASSERT_TRUE(programs.count(file(secret)));
    const QDir readers(QStringLiteral("/proc/%1/fd").arg(process));
    const QStringList held = readers.entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot);
    ASSERT_FALSE(held.isEmpty());
    for (const QString &fd : held)
        if (fd.toInt() > 2) {
            EXPECT_FALSE(programs.count(file(readers.filePath(fd))))
                << QFile::symLinkTarget(readers.filePath(fd)).toStdString();
        }
    QFile environment(QStringLiteral("/proc/%1/environ").arg(process));
    ASSERT_TRUE(environment.open(QIODevice::ReadOnly));
    const QByteArray variables = environment.readAll();
    EXPECT_FALSE(variables.contains("KAMENNA_TAJNE"));
    if (!qEnvironmentVariableIsEmpty("HOME")) {
        EXPECT_TRUE(variables.contains("HOME=")) << "what it needs, it has";
    }
    qunsetenv("KAMENNA_TAJNE");
    ::close(inherited);
    /* Where the kernel has no Landlock to keep a reader out of /proc, the program's files there are closed to it by
       the program being non-dumpable; where it has, the program stays dumpable. */
    platform::closeProcessFilesToHelpers();
    EXPECT_EQ(::prctl(PR_GET_DUMPABLE), ::syscall(SYS_landlock_create_ruleset, nullptr, 0, 1) >= 1 ? 1 : 0);
    ::prctl(PR_SET_DUMPABLE, 1);
}

TEST(HostilePictures, QtsReadersAreHandedOnlyPicturesThatFitTheTimeLeftToTheirReading)
{
    /* An uncompressed BMP and a bitmap in a metafile, each a few milliseconds of Qt's work. */
    QTemporaryDir dir;
    QImage photo(512, 512, QImage::Format_RGB32);
    for (int y = 0; y < photo.height(); ++y)
        for (int x = 0; x < photo.width(); ++x)
            photo.setPixel(x, y, qRgb(x % 256, y % 256, (x * y) % 256));
    const QString bmp = dir.filePath("obrazek.bmp");
    writeFile(bmp, encoded(photo.scaled(1024, 1024), "BMP"));
    const QString emf = dir.filePath("obrazek.emf");
    QList<uint32_t> greys;
    for (uint32_t i = 0; i < 256; ++i)
        greys.append(i * 0x010101);
    writeFile(emf, emfOf(stretchDib(dib8(1024, 1024, 0, greys, QByteArray(1024 * 1024, '\1')), 1024, 256), 1,
                         1024, 1024));
    for (const QString &path : {bmp, emf}) {
        {
            const platform::PictureRead little(std::chrono::milliseconds(8) * platform::kInstrumentedSlowdown);
            EXPECT_EQ(failureOf([&] { platform::readPictureFile(path); }), "Obrázek je příliš velký: " + path);
        }
        EXPECT_EQ(platform::loadPicture(path).size(), QSize(1024, 1024));
    }
}

TEST(HostilePictures, AnIconsPngIsDecodedOnTheClockAndReadWhenItFitsItsTime)
{
    /* 1,600 x 1,600 pixels of RGBA noise: read whole, as Qt's reader reads it, in some 70 ms. */
    QImage noise(1600, 1600, QImage::Format_ARGB32);
    std::mt19937 random(7);
    for (int y = 0; y < noise.height(); ++y)
        for (int x = 0; x < noise.width(); ++x)
            noise.setPixel(x, y, random());
    const QByteArray png = encoded(noise, "PNG");
    QTemporaryDir dir;
    const QString icon = dir.filePath("ikona.ico");
    writeFile(icon, iconOf(png));
    double start = cpuSeconds();
    EXPECT_EQ(platform::loadPicture(icon), QImage::fromData(png, "PNG"));
    const double whole = cpuSeconds() - start;
    /* Given 2 ms, it is refused soon after them. */
    {
        const platform::PictureRead little(std::chrono::milliseconds(2));
        start = cpuSeconds();
        EXPECT_EQ(failureOf([&] { platform::readPictureFile(icon); }), "Obrázek je příliš velký: " + icon);
        EXPECT_LT(cpuSeconds() - start, whole / 4);
    }
    /* A 4096 x 4096 interlaced PNG of 60 KB, its rows filtered by Paeth: read, or refused once its time is up. */
    const QString interlaced = hostile("icon_png_4096_interlaced.ico");
    EXPECT_LT(hostileBytes("icon_png_4096_interlaced.ico").size(), 64 * 1024);
    const qint64 before = residentBytes();
    start = cpuSeconds();
    const QString failure = failureOf([&] { platform::loadPicture(interlaced); });
    const QString tooLarge = "Obrázek je příliš velký: " + interlaced;
    EXPECT_TRUE(failure == "no error" || failure == tooLarge) << failure.toStdString();
    EXPECT_LT(cpuSeconds() - start, kPictureSeconds);
    EXPECT_LT(residentBytes() - before, 256 * kMegabyte);
    /* Ten of them in one placing hold it no longer than its time: each is read, refused, or left to its reader. */
    QElapsedTimer placing;
    placing.start();
    {
        const platform::PictureRead train(platform::kMaxPlacingTime, platform::kMaxPlacingTime);
        const platform::PictureGroup group(platform::PictureGroup::next());
        for (int i = 0; i < 10; ++i) {
            const QString each = failureOf([&] { platform::loadPicture(interlaced); });
            EXPECT_TRUE(each == "no error" || each == tooLarge || each == "Obrázek se nestihl načíst: " + interlaced)
                << each.toStdString();
        }
    }
    EXPECT_LT(placing.elapsed(), std::chrono::milliseconds(platform::kMaxPlacingTime).count() + 200);
}

TEST(HostilePictures, ARunLengthWalkLooksAtTheClockWithinAMillisecondOfWork)
{
    /* A bitmap one pixel wide whose every row's runs of 255 pixels run on down through all the rows below it,
       each row a pixel and three of padding: read whole in some 40 ms. */
    QByteArray stream;
    for (int y = 0; y < 4096; ++y)
        stream += QByteArray("\xFF\x01", 2).repeated((4 * y + 1 + 254) / 255) + QByteArray(2, '\0');
    stream += QByteArray("\x00\x01", 2);
    QTemporaryDir dir;
    const QString rle = dir.filePath("rle.bmp");
    writeFile(rle, bmpOf(dib8(1, 4096, 1, {0x00FF0000, 0x0000FF00}, stream), 2));
    double start = cpuSeconds();
    ASSERT_FALSE(platform::loadPicture(rle).isNull());
    const double whole = cpuSeconds() - start;
    /* Given 2 ms, it is refused soon after them. */
    const platform::PictureRead little(std::chrono::milliseconds(2));
    start = cpuSeconds();
    EXPECT_EQ(failureOf([&] { platform::readPictureFile(rle); }), "Obrázek je příliš velký: " + rle);
    EXPECT_LT(cpuSeconds() - start, whole / 4);
}

TEST(HostilePictures, AMetafileLooksAtTheClockWithinAMillisecondOfWorkWhateverItsRecordsCost)
{
    /* 50 polygons of 64 points zigzagging down a 256 x 256 picture, filled: each about a millisecond. */
    QByteArray polygon = leBytes(0, 16) + leBytes(64, 4);
    for (int i = 0; i < 64; ++i)
        polygon += leBytes(uint32_t(i * 4), 2) + leBytes(i % 2 ? 255 : 0, 2);
    QByteArray records = emfRecord(37, leBytes(0x80000008u, 4)) + emfRecord(37, leBytes(0x80000000u, 4));
    for (int i = 0; i < 50; ++i)
        records += emfRecord(86, polygon);
    const QByteArray zigzags = emfOf(records, 52, 256, 256);
    double start = cpuSeconds();
    ASSERT_EQ(platform::decodeEmf(zigzags).size(), QSize(256, 256));
    const double whole = cpuSeconds() - start;
    /* Given an eighth of that, it is refused soon after, not 64 records later. */
    const platform::PictureRead little(std::chrono::nanoseconds(int64_t(whole * 1e9 / 8)));
    start = cpuSeconds();
    EXPECT_EQ(failureOf([&] { platform::decodeEmf(zigzags); }), "Metasoubor je poškozený: příliš mnoho kreslení");
    EXPECT_LT(cpuSeconds() - start, whole / 2);
}

TEST(HostilePictures, TheShippedVehiclesReadAsBeforeWithinOneTrainsTime)
{
    const QDir vehicles(QStringLiteral(KAMENNA_SOURCE_DATA_DIR "/Vozidla"));
    const QStringList names = vehicles.entryList(QDir::Files);
    ASSERT_GE(names.size(), 18);
    const platform::PictureRead train(platform::kMaxPlacingTime);
    const platform::PictureGroup group(platform::PictureGroup::next());
    for (const QString &name : names) {
        const QString path = vehicles.filePath(name);
        const QImage picture = platform::loadPicture(path);
        ASSERT_FALSE(picture.isNull()) << name.toStdString();
        /* A bitmap is the picture Qt's reader makes of the whole file. */
        if (name.endsWith(QLatin1String(".bmp"))) {
            EXPECT_EQ(picture, QImage(path, "BMP")) << name.toStdString();
        }
    }
}

TEST(HostilePictures, FillsAreChargedForTheirEdgesWithoutAPenToo)
{
    /* Fifteen polygons of 65,535 points zigzagging over the picture, with the null pen or a thin one. */
    QByteArray polygon = leBytes(0, 16) + leBytes(65535, 4);
    for (int i = 0; i < 65535; ++i)
        polygon += leBytes(uint32_t(i * 256 / 65535), 2) + leBytes(i % 2 ? 255 : 0, 2);
    for (const uint32_t pen : {0x80000008u, 0x80000007u}) { // the null pen, the black pen
        QByteArray records = emfRecord(37, leBytes(pen, 4)) + emfRecord(37, leBytes(0x80000000u, 4));
        for (int i = 0; i < 15; ++i)
            records += emfRecord(86, polygon);
        const QByteArray zigzags = emfOf(records, 17, 256, 256);
        const double start = cpuSeconds();
        EXPECT_EQ(failureOf([&] { platform::decodeEmf(zigzags); }), "Metasoubor je poškozený: příliš mnoho kreslení")
            << pen;
        EXPECT_LT(cpuSeconds() - start, kPictureSeconds) << pen;
    }
}

TEST(HostilePictures, EveryPolygonOfAPolyPolygonCostsARecordEvenWithoutPoints)
{
    /* Two records of 65,535 polygons of no points: more than the records of the largest picture allowed. */
    const QString empty = hostile("empty_polygons.wmf");
    const double start = cpuSeconds();
    EXPECT_EQ(failureOf([&] { platform::decodeWmf(hostileBytes("empty_polygons.wmf")); }),
              "Metasoubor je poškozený: příliš mnoho kreslení");
    EXPECT_LT(cpuSeconds() - start, kPictureSeconds);
    EXPECT_EQ(failureOf([&] { platform::loadPicture(empty); }), "Obrázek je poškozený: " + empty);
    /* One such record still fits, and a polygon drawn after it is drawn. */
    const QByteArray polygons = wmfRecord(0x0538, leBytes(65535, 2) + QByteArray(2 * 65535, '\0'));
    const QByteArray square = wmfRecord(0x0324, leBytes(4, 2) + leBytes(0, 4) + leBytes(32, 2) + leBytes(0, 2)
                                                    + leBytes(32, 2) + leBytes(32, 2) + leBytes(0, 2) + leBytes(32, 2));
    const QByteArray blue = wmfRecord(0x02FC, leBytes(0, 2) + leBytes(0xFF0000, 4) + leBytes(0, 2));
    const QImage picture = platform::decodeWmf(wmfOf(polygons + blue + wmfRecord(0x012D, leBytes(0, 2)) + square, 32));
    EXPECT_EQ(picture.pixelColor(16, 16), QColor(Qt::blue));
}

TEST(HostilePictures, AFullObjectTableFindsItsLowestFreeSlotAtOnce)
{
    /* 65,000 null pens, then 17,000 times the last one deleted and made anew: each takes the last slot. */
    const QByteArray nullPen = wmfRecord(0x02FA, leBytes(5, 2) + leBytes(0, 4) + leBytes(0, 4));
    QByteArray records;
    for (int i = 0; i < 65000; ++i)
        records += nullPen;
    for (int i = 0; i < 17000; ++i)
        records += wmfRecord(0x01F0, leBytes(64999, 2)) + nullPen;
    /* A slot freed low in the table is the one the next object takes. */
    records += wmfRecord(0x012D, leBytes(64999, 2)) + wmfRecord(0x01F0, leBytes(7, 2));
    records += wmfRecord(0x02FC, leBytes(0, 2) + leBytes(0xFF0000, 4) + leBytes(0, 2)); // blue brush
    records += wmfRecord(0x012D, leBytes(7, 2)) + wmfRecord(0x041B, leBytes(32, 2) + leBytes(32, 2) + leBytes(0, 4));
    const QByteArray wmf = wmfOf(records, 32);
    EXPECT_GT(wmf.size(), 1400 * 1024);
    const double start = cpuSeconds();
    const QImage picture = platform::decodeWmf(wmf);
    EXPECT_LT(cpuSeconds() - start, kPictureSeconds);
    EXPECT_EQ(picture.pixelColor(16, 16), QColor(Qt::blue));
}

TEST(HostilePictures, RunLengthBitmapsLeaveNoPixelUnsetAndNoIndexPastThePalette)
{
    const QList<uint32_t> palette{0x00FF0000, 0x0000FF00}; // red, green
    /* Three green pixels on the bottom row, a jump, two more, and the end long before the last row. */
    const QByteArray stream("\x03\x01\x00\x02\x0A\x05\x02\x01\x00\x01", 10);
    QImage expected(32, 32, QImage::Format_RGB32);
    expected.fill(qRgb(255, 0, 0));
    for (const QPoint p : {QPoint(0, 31), QPoint(1, 31), QPoint(2, 31), QPoint(13, 26), QPoint(14, 26)})
        expected.setPixel(p, qRgb(0, 255, 0));
    QTemporaryDir dir;
    const QString path = dir.filePath("rle.bmp");
    writeFile(path, bmpOf(dib8(32, 32, 1, palette, stream), 2));
    for (int run = 0; run < 3; ++run) {
        soilFreedMemory();
        const QImage picture = platform::loadPicture(path);
        ASSERT_EQ(picture.format(), QImage::Format_Indexed8);
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                ASSERT_LT(picture.pixelIndex(x, y), picture.colorCount()) << x << "," << y;
        EXPECT_EQ(picture.convertToFormat(QImage::Format_RGB32), expected) << run;
    }
    /* Inside a metafile: a bitmap whose stream ends at once is drawn in the first colour. */
    const QByteArray empty = dib8(32, 32, 1, palette, QByteArray("\x00\x01", 2));
    const QByteArray emf = emfOf(stretchDib(empty, 32, 2), 1, 32, 32);
    EXPECT_LT(emf.size(), 300);
    for (int run = 0; run < 3; ++run) {
        soilFreedMemory();
        const QImage drawn = platform::decodeEmf(emf);
        for (int y = 0; y < drawn.height(); ++y)
            for (int x = 0; x < drawn.width(); ++x)
                ASSERT_EQ(drawn.pixel(x, y), qRgb(255, 0, 0)) << x << "," << y;
    }
    /* A colour index past the table is refused, coded or not. */
    writeFile(path, bmpOf(dib8(32, 32, 1, palette, QByteArray("\x03\x05\x00\x01", 4)), 2));
    EXPECT_EQ(failureOf([&] { platform::loadPicture(path); }), "Obrázek je poškozený: " + path);
    QByteArray rows(32 * 32, '\1');
    rows[500] = char(200);
    writeFile(path, bmpOf(dib8(32, 32, 0, palette, rows), 2));
    EXPECT_EQ(failureOf([&] { platform::loadPicture(path); }), "Obrázek je poškozený: " + path);
    rows[500] = char(1);
    writeFile(path, bmpOf(dib8(32, 32, 0, palette, rows), 2));
    EXPECT_EQ(platform::loadPicture(path).pixel(0, 0), qRgb(0, 255, 0));
}

TEST(HostilePictures, BitmapsOf24BitsReadAsQtsReaderReadsThem)
{
    /* A file of 24-bit rows: its header's resolution, height (negative: top-down), planes, colours used, and where
       its rows begin past the headers and the table. */
    const auto bmp24 = [](int width, int height, int dpm, int planes, int coloursUsed, int gap) {
        QByteArray rows;
        for (int y = 0; y < std::abs(height); ++y) {
            for (int x = 0; x < width; ++x)
                rows += char(7 * x + y) + QByteArray(1, char(31 * y + x)) + QByteArray(1, char(x * y + 200));
            rows += QByteArray((4 - 3 * width % 4) % 4, char(0xEE));
        }
        const QByteArray dib = leBytes(40, 4) + leBytes(uint32_t(width), 4) + leBytes(uint32_t(height), 4)
                               + leBytes(uint32_t(planes), 2) + leBytes(24, 2) + leBytes(0, 4)
                               + leBytes(uint32_t(rows.size()), 4) + leBytes(uint32_t(dpm), 4)
                               + leBytes(uint32_t(2 * dpm), 4) + leBytes(uint32_t(coloursUsed), 4) + leBytes(0, 4)
                               + QByteArray(4 * coloursUsed + gap, char(0x55)) + rows;
        return "BM" + leBytes(uint32_t(14 + dib.size()), 4) + leBytes(0, 4)
               + leBytes(uint32_t(14 + 40 + 4 * coloursUsed + gap), 4) + dib;
    };
    std::vector<QByteArray> files;
    for (const int width : {1, 2, 3, 4, 5, 17})
        for (const int height : {1, 3, -3})
            files.push_back(bmp24(width, height, 3937, 1, 0, 0));
    for (const int dpm : {0, -5})
        files.push_back(bmp24(6, 4, dpm, 1, 0, 0));
    files.push_back(bmp24(6, 4, 3937, 1, 0, 12)); // rows further on
    files.push_back(bmp24(6, 4, 3937, 1, 2, 0));  // a colour table before them
    files.push_back(bmp24(6, 4, 3937, 2, 0, 0));  // two planes: Qt's reader reads none
    for (const QString &name : QDir(QStringLiteral(KAMENNA_SOURCE_DATA_DIR "/Vozidla")).entryList({"*.bmp"})) {
        QFile file(QStringLiteral(KAMENNA_SOURCE_DATA_DIR "/Vozidla/") + name);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        files.push_back(file.readAll());
    }
    for (const QByteArray &file : files) {
        QImage qts;
        qts.loadFromData(file, "BMP");
        const QImage ours = platform::decodeBmp(file);
        ASSERT_EQ(ours.isNull(), qts.isNull()) << file.toHex().left(80).constData();
        EXPECT_EQ(ours.format(), qts.format()) << file.toHex().left(80).constData();
        EXPECT_EQ(ours, qts) << file.toHex().left(80).constData();
        EXPECT_EQ(ours.dotsPerMeterX(), qts.dotsPerMeterX()) << file.toHex().left(80).constData();
        EXPECT_EQ(ours.dotsPerMeterY(), qts.dotsPerMeterY()) << file.toHex().left(80).constData();
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
