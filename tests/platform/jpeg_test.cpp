/** @file jpeg_test.cpp Tests of JPEG decoding and encoding through libjpeg. */
#include "platform/jpeg_decoder.h"
#include "ui/sim_error.h"

#include <QImage>
#include <QPainter>
#include <QRandomGenerator>

#include <gtest/gtest.h>

#include <cstdlib>

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
