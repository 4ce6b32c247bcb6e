/** @file jpeg_test.cpp Tests of JPEG decoding and encoding through libjpeg. */
#include "platform/jpeg_decoder.h"
#include "ui/sim_error.h"

#include <QImage>
#include <QPainter>
#include <QRandomGenerator>

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

#include <jpeglib.h>

namespace {

/** @return a picture whose left half is red and right half blue. */
QImage redAndBlue(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(qRgb(255, 0, 0));
    for (int y = 0; y < height; ++y) {
        for (int x = width / 2; x < width; ++x)
            image.setPixel(x, y, qRgb(0, 0, 255));
    }
    return image;
}

/** @return whether two colours differ by at most tolerance in each channel. */
bool near(QRgb a, QRgb b, int tolerance = 24)
{
    return std::abs(qRed(a) - qRed(b)) <= tolerance && std::abs(qGreen(a) - qGreen(b)) <= tolerance
           && std::abs(qBlue(a) - qBlue(b)) <= tolerance;
}

/** How libjpeg writes a test picture, set as the tools that write such files set it. */
struct JpegWriting {
    J_COLOR_SPACE file = JCS_YCbCr; ///< JCS_YCbCr of RGB samples, or JCS_CMYK or JCS_YCCK of CMYK ones.
    bool adobeMarker = true;        ///< Adobe's marker, which libjpeg writes for CMYK and YCCK.
    bool progressive = false;
    int sampling = 1;               ///< 2: the colours (not Y nor K) at half the resolution both ways (4:2:0).
};

/**
 * @return a JPEG file of width x height pixels written by libjpeg at quality
 *         90, whose samples (three or four a pixel) of row y row(y, samples) gives.
 */
QByteArray libjpegFile(int width, int height, const JpegWriting &how,
                       const std::function<void(int, unsigned char *)> &row)
{
    const bool inks = how.file == JCS_CMYK || how.file == JCS_YCCK;
    jpeg_compress_struct info;
    jpeg_error_mgr error;
    info.err = jpeg_std_error(&error);
    jpeg_create_compress(&info);
    unsigned char *out = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &out, &size);
    info.image_width = JDIMENSION(width);
    info.image_height = JDIMENSION(height);
    info.input_components = inks ? 4 : 3;
    info.in_color_space = inks ? JCS_CMYK : JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_colorspace(&info, how.file);
    info.write_Adobe_marker = inks && how.adobeMarker;
    for (int c = 0; c < info.num_components; ++c) {
        const bool full = c == 0 || c == 3;
        info.comp_info[c].h_samp_factor = info.comp_info[c].v_samp_factor = full ? how.sampling : 1;
    }
    jpeg_set_quality(&info, 90, TRUE);
    if (how.progressive)
        jpeg_simple_progression(&info);
    jpeg_start_compress(&info, TRUE);
    std::vector<unsigned char> samples(size_t(width) * size_t(info.input_components));
    while (info.next_scanline < info.image_height) {
        row(int(info.next_scanline), samples.data());
        JSAMPROW rows = samples.data();
        jpeg_write_scanlines(&info, &rows, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    const QByteArray file(reinterpret_cast<const char *>(out), qsizetype(size));
    std::free(out);
    return file;
}

/** @return the largest difference of a channel between two pictures of one size, after both are made RGB32. */
int largestDifference(const QImage &a, const QImage &b)
{
    const QImage one = a.convertToFormat(QImage::Format_RGB32);
    const QImage other = b.convertToFormat(QImage::Format_RGB32);
    int largest = 0;
    for (int y = 0; y < one.height(); ++y) {
        const auto *p = reinterpret_cast<const QRgb *>(one.constScanLine(y));
        const auto *q = reinterpret_cast<const QRgb *>(other.constScanLine(y));
        for (int x = 0; x < one.width(); ++x)
            largest = std::max({largest, std::abs(qRed(p[x]) - qRed(q[x])), std::abs(qGreen(p[x]) - qGreen(q[x])),
                                std::abs(qBlue(p[x]) - qBlue(q[x]))});
    }
    return largest;
}

/** @return whether decoding data throws ui::SimError. */
bool failsToDecode(const QByteArray &data)
{
    try {
        platform::decodeJpeg(data);
    } catch (const ui::SimError &) {
        return true;
    }
    return false;
}

} // namespace

TEST(Jpeg, ColourPictureDecodesToItsSizeAndColours)
{
    const QImage image = platform::decodeJpeg(platform::encodeJpeg(redAndBlue(40, 30), 90));
    EXPECT_EQ(image.size(), QSize(40, 30));
    EXPECT_EQ(image.format(), QImage::Format_RGB32);
    EXPECT_TRUE(near(image.pixel(5, 15), qRgb(255, 0, 0)));
    EXPECT_TRUE(near(image.pixel(35, 15), qRgb(0, 0, 255)));
    EXPECT_EQ(qAlpha(image.pixel(35, 15)), 255);
}

TEST(Jpeg, GrayscalePictureDecodesToEqualChannels)
{
    QImage gray(17, 9, QImage::Format_Grayscale8);
    gray.fill(100);
    const QImage image = platform::decodeJpeg(platform::encodeJpeg(gray, 90));
    EXPECT_EQ(image.size(), QSize(17, 9));
    const QRgb pixel = image.pixel(8, 4);
    EXPECT_EQ(qRed(pixel), qGreen(pixel));
    EXPECT_EQ(qGreen(pixel), qBlue(pixel));
    EXPECT_NEAR(qRed(pixel), 100, 3);
}

TEST(Jpeg, QualityIsClampedAndChangesTheSize)
{
    QImage noisy(64, 64, QImage::Format_RGB32);
    QRandomGenerator random(7);
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 64; ++x)
            noisy.setPixel(x, y, random.generate() | 0xFF000000u);
    }
    const QByteArray low = platform::encodeJpeg(noisy, -5);
    const QByteArray high = platform::encodeJpeg(noisy, 500);
    EXPECT_LT(low.size(), high.size());
    EXPECT_EQ(platform::decodeJpeg(low).size(), QSize(64, 64));
    EXPECT_EQ(platform::decodeJpeg(high).size(), QSize(64, 64));
}

TEST(Jpeg, EveryTruncationIsAnError)
{
    const QByteArray jpeg = platform::encodeJpeg(redAndBlue(16, 16), 75);
    for (qsizetype length = 0; length < jpeg.size(); ++length)
        EXPECT_TRUE(failsToDecode(jpeg.left(length))) << "length " << length;
}

TEST(Jpeg, RandomBytesAreAnError)
{
    QRandomGenerator random(1250);
    for (int round = 0; round < 50; ++round) {
        QByteArray data(200 + round * 13, '\0');
        for (char &b : data)
            b = static_cast<char>(random.bounded(256));
        EXPECT_TRUE(failsToDecode(data)) << round;
        /* A JPEG start followed by noise gets further into libjpeg. */
        EXPECT_TRUE(failsToDecode(QByteArray("\xFF\xD8\xFF\xE0", 4) + data)) << round;
    }
}

TEST(Jpeg, DamagedDataGivesAPictureOrAnError)
{
    const QByteArray jpeg = platform::encodeJpeg(redAndBlue(32, 32), 75);
    QRandomGenerator random(6112);
    for (int round = 0; round < 200; ++round) {
        QByteArray damaged = jpeg;
        for (int i = 0; i < 4; ++i) {
            const int at = random.bounded(2, static_cast<int>(damaged.size()));
            damaged[at] = static_cast<char>(random.bounded(256));
        }
        /* Damage in the header may change the size: only a picture or an error counts. */
        try {
            const QImage image = platform::decodeJpeg(damaged);
            EXPECT_FALSE(image.isNull()) << round;
            EXPECT_EQ(image.format(), QImage::Format_RGB32) << round;
        } catch (const ui::SimError &e) {
            EXPECT_TRUE(e.text().startsWith(QStringLiteral("Poškozený obrázek JPEG"))
                        || e.text().startsWith(QStringLiteral("Obrázek JPEG je příliš velký")))
                << e.text().toStdString();
        }
    }
}

TEST(Jpeg, NullPictureCannotBeEncoded)
{
    EXPECT_THROW(platform::encodeJpeg(QImage(), 90), ui::SimError);
}

TEST(Jpeg, CmykAndYcckPicturesReadAsQtsReaderReadsThem)
{
    /* Inks as Adobe's writers store them, inverted (255 for none): red on the left, on the right blue with less
       magenta each column, and more black each row down. */
    auto inks = [](int y, unsigned char *samples) {
        for (int x = 0; x < 48; ++x, samples += 4) {
            const bool red = x < 24;
            samples[0] = red ? 255 : 0;
            samples[1] = red ? 0 : uchar((x - 24) * 4);
            samples[2] = red ? 0 : 255;
            samples[3] = uchar(255 - y);
        }
    };
    struct Case {
        const char *name;
        JpegWriting how;
    };
    const Case cases[] = {
        {"CMYK as Pillow writes it", {JCS_CMYK, true, false, 1}},
        {"YCCK as ImageMagick writes CMYK", {JCS_YCCK, true, false, 1}},
        {"YCCK, its colours at half resolution", {JCS_YCCK, true, false, 2}},
        {"CMYK without Adobe's marker", {JCS_CMYK, false, false, 1}},
        {"progressive CMYK", {JCS_CMYK, true, true, 1}},
    };
    for (const Case &c : cases) {
        const QByteArray file = libjpegFile(48, 32, c.how, inks);
        const QImage qts = QImage::fromData(file, "JPEG");
        ASSERT_EQ(qts.size(), QSize(48, 32)) << c.name;
        const QImage image = platform::decodeJpeg(file);
        ASSERT_EQ(image.size(), QSize(48, 32)) << c.name;
        EXPECT_LE(largestDifference(image, qts), 2) << c.name;
        EXPECT_TRUE(near(image.pixel(4, 1), qRgb(255, 0, 0))) << c.name;
        EXPECT_TRUE(near(image.pixel(44, 1), qRgb(0, 80, 255))) << c.name;
    }
}

TEST(Jpeg, ProgressivePicturesAsLargeAsTheSizeAllowsReadAsQtsReaderReadsThem)
{
    /* Their coefficients, kept whole until the last scan, take 52 MB (3,000 x 3,000, colours at full resolution)
       and 48 MB (4,096 x 4,096, 4:2:0). */
    for (const auto &[side, sampling] : {std::pair{3000, 1}, std::pair{4096, 2}}) {
        const QByteArray file = libjpegFile(side, side, {JCS_YCbCr, false, true, sampling}, [side](int y, uchar *rgb) {
            for (int x = 0; x < side; ++x, rgb += 3) {
                rgb[0] = uchar(x * 255 / side);
                rgb[1] = uchar(y * 255 / side);
                rgb[2] = uchar((x / 64 + y / 64) % 2 * 200);
            }
        });
        platform::JpegMemory memory;
        const QImage image = platform::decodeJpeg(file, &memory);
        ASSERT_EQ(image.size(), QSize(side, side)) << side;
        EXPECT_GT(memory.libraryPeak, 48 * 1024 * 1024) << side;
        EXPECT_LE(largestDifference(image, QImage::fromData(file, "JPEG")), 2) << side;
    }
}
