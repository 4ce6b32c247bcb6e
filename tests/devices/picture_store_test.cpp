/** @file picture_store_test.cpp The picture store A3: its 80 stock images, their sizes, see-through colour and failure handling. */
#include "devices/form_a3.h"
#include "platform/jpeg_decoder.h"
#include "platform/platform.h"
#include "platform/test_platform.h"
#include "platform/virtual_timer_engine.h"
#include "ui/controls.h"
#include "ui/sim_error.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <vector>

namespace {

/** The test platform the forms are built on. */
using Bench = platform::TestPlatform;

/** A family of store images sharing one size and transparency. */
struct Family {
    QStringList names; ///< Image names in store order.
    QSize size;        ///< Listed size of each.
    bool transparent;  ///< Whether the images are drawn see-through.
};

/** The store's list, family by family, in store order. */
const std::vector<Family> kFamilies = {
    {{"Klicka0"}, {19, 58}, true},
    {{"KlickaL", "KlickaP"}, {42, 55}, true},
    {{"TelBilaOff", "TelBilaOn"}, {16, 14}, false},
    {{"ClonkaB", "ClonkaC", "ClonkaR", "ClonkaZ", "ClonkaBR1", "ClonkaBR2", "ClonkaBR3", "ClonkaBZ1", "ClonkaBZ2",
      "ClonkaBZ3", "ClonkaCB1", "ClonkaCB2", "ClonkaCB3", "ClonkaRB1", "ClonkaRB2", "ClonkaRB3", "ClonkaZB1",
      "ClonkaZB2", "ClonkaZB3", "ClonkaBC1", "ClonkaBC2", "ClonkaBC3"},
     {23, 23}, false},
    {{"ZapadkaB", "ZapadkaC", "ZapadkaR"}, {14, 14}, false},
    {{"ClonkaBz", "ClonkaCz", "ClonkaRz", "ClonkaZz", "ClonkaCB1z", "ClonkaCB2z", "ClonkaCB3z", "ClonkaRB1z",
      "ClonkaRB2z", "ClonkaRB3z", "ClonkaZB1z", "ClonkaZB2z", "ClonkaZB3z"},
     {23, 23}, false},
    {{"ZapadkaBz", "ZapadkaRz"}, {14, 14}, false},
    {{"Zavernik0"}, {19, 58}, true},
    {{"ZavernikL", "ZavernikP"}, {42, 55}, true},
    {{"RadicL2"}, {16, 23}, true},
    {{"RadicL1"}, {15, 24}, true},
    {{"Radic0"}, {12, 24}, true},
    {{"RadicP1"}, {15, 24}, true},
    {{"RadicP2"}, {16, 23}, true},
    {{"Tl"}, {12, 14}, true},
    {{"Tl2"}, {22, 17}, false},
    {{"Tl3"}, {26, 21}, false},
    {{"PakaH", "PakaD"}, {48, 418}, true},
    {{"PakaS"}, {48, 26}, true},
    {{"Paka1", "Paka2", "Paka3", "Paka4", "Paka5"}, {31, 274}, false},
    {{"KlicOff"}, {25, 7}, true},
    {{"Klic0"}, {7, 25}, true},
    {{"KlicOn"}, {25, 7}, true},
    {{"VozidloPrazdne"}, {1, 64}, false},
    {{"NVTOff", "NVTOn"}, {12, 34}, true},
    {{"NVTStop"}, {12, 35}, true},
    {{"NVTStop2"}, {12, 39}, true},
    {{"NVZ"}, {12, 14}, true},
    {{"NVZStop"}, {20, 20}, true},
    {{"Klika2Off", "Klika2On", "KlikaLOff", "KlikaLOn", "KlikaPOff", "KlikaPOn"}, {76, 117}, false},
};

/** @return the store image of this name; fails the test when there is none. */
ui::Image &image(const TA3 &store, const QString &name)
{
    auto *img = dynamic_cast<ui::Image *>(store.find(name));
    if (!img)
        throw std::runtime_error("no image A3." + name.toStdString());
    return *img;
}

/** @return how many pixels of the picture have exactly the colour c. */
int countColour(const QImage &picture, QRgb c)
{
    int n = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            n += (picture.pixel(x, y) | 0xFF000000u) == (c | 0xFF000000u);
    return n;
}

/** Copies every embedded stock picture into dir. */
void copyEmbeddedPictures(const QString &dir)
{
    for (const QString &file : QDir(":/art").entryList(QDir::Files))
        ASSERT_TRUE(QFile::copy(":/art/" + file, dir + '/' + file)) << file.toStdString();
}

/** Overwrites a file with the given bytes. */
void overwrite(const QString &path, const QByteArray &data)
{
    QFile::remove(path);
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(data);
}

} // namespace

TEST(PictureStore, HoldsEightyImagesByNameInOrderWithTheirListedSizes)
{
    Bench b;
    TA3 store(b.platform);
    EXPECT_TRUE(store.loadErrors().isEmpty()) << store.loadErrors().join('\n').toStdString();
    EXPECT_EQ(store.caption(), "A3");
    EXPECT_EQ(store.width(), 708);
    EXPECT_EQ(store.height(), 554);
    EXPECT_FALSE(store.visible());
    ASSERT_EQ(store.controls().size(), 80u);
    size_t order = 0;
    for (const Family &f : kFamilies) {
        for (const QString &name : f.names) {
            SCOPED_TRACE(name.toStdString());
            EXPECT_EQ(store.controls()[order++]->name(), name);
            const ui::Image &img = image(store, name);
            ASSERT_FALSE(img.picture().isNull());
            EXPECT_TRUE(img.autoSize());
            EXPECT_EQ(img.picture().size(), f.size);
            EXPECT_EQ(QSize(img.width(), img.height()), f.size);
            EXPECT_EQ(img.transparent(), f.transparent);
        }
    }
    EXPECT_EQ(order, 80u);
    /* The members are the named images. */
    EXPECT_EQ(store.Klicka0, &image(store, "Klicka0"));
    EXPECT_EQ(store.VozidloPrazdne, &image(store, "VozidloPrazdne"));
    EXPECT_EQ(store.KlikaPOn, &image(store, "KlikaPOn"));
}

TEST(PictureStore, ImagesLieInsideTheFormWithoutOverlapping)
{
    Bench b;
    TA3 store(b.platform);
    const QRect form(0, 0, store.width(), store.height());
    for (size_t i = 0; i < store.controls().size(); ++i) {
        const ui::Control &a = *store.controls()[i];
        EXPECT_TRUE(form.contains(a.bounds())) << a.name().toStdString();
        for (size_t j = i + 1; j < store.controls().size(); ++j)
            EXPECT_FALSE(a.bounds().intersects(store.controls()[j]->bounds()))
                << a.name().toStdString() << " " << store.controls()[j]->name().toStdString();
    }
}

TEST(PictureStore, TransparentPicturesShowADeviceAroundTheirSeeThroughColour)
{
    Bench b;
    TA3 store(b.platform);
    for (const Family &f : kFamilies) {
        if (!f.transparent)
            continue;
        for (const QString &name : f.names) {
            SCOPED_TRACE(name.toStdString());
            const QImage &pic = image(store, name).picture();
            const QRgb key = pic.pixel(0, pic.height() - 1);
            const int seeThrough = countColour(pic, key);
            EXPECT_GT(seeThrough, 0);
            EXPECT_LT(seeThrough, pic.width() * pic.height() * 9 / 10) << "the device is hardly visible";
        }
    }
    /* The empty vehicle is one colour from top to bottom, so a see-through
       slot showing it shows nothing at all. */
    const QImage &empty = store.VozidloPrazdne->picture();
    EXPECT_EQ(countColour(empty, empty.pixel(0, 63)), 64);
}

TEST(PictureStore, EveryStagePictureDiffersFromEveryOther)
{
    /* Devices show their stage by the picture they copy; two equal pictures
       would make two stages look alike (NVTOff and NVTOn share a size). */
    Bench b;
    TA3 store(b.platform);
    const auto &all = store.controls();
    for (size_t i = 0; i < all.size(); ++i)
        for (size_t j = i + 1; j < all.size(); ++j)
            EXPECT_NE(static_cast<const ui::Image &>(*all[i]).picture(), static_cast<const ui::Image &>(*all[j]).picture())
                << all[i]->name().toStdString() << " = " << all[j]->name().toStdString();
}

TEST(PictureStore, SealingABareButtonGivesItTheSealedSizeThatTellsTheStage)
{
    Bench b;
    TA3 store(b.platform);
    ui::Form desk("A6", b.platform);
    auto *button = desk.make<ui::Image>(nullptr, "PNL");
    button->setAutoSize(true);
    button->setLeft(100);
    button->setTop(606);
    button->assignPicture(*store.Tl);
    EXPECT_EQ(QSize(button->width(), button->height()), QSize(12, 14));
    button->assignPicture(*store.Tl2);
    EXPECT_EQ(QSize(button->width(), button->height()), QSize(22, 17));
    EXPECT_EQ(button->height(), store.Tl2->height());
    EXPECT_NE(button->height(), store.Tl->height());
    EXPECT_EQ(button->top(), 606) << "sizing keeps the place";
    /* The store keeps its own picture. */
    EXPECT_EQ(QSize(store.Tl->width(), store.Tl->height()), QSize(12, 14));
}

TEST(PictureStore, CorruptJpegDataIsRefusedWithSimError)
{
    Bench b;
    TA3 store(b.platform);
    QFile file(":/art/ClonkaR.jpg");
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray good = file.readAll();
    ASSERT_NO_THROW(platform::decodeJpeg(good));
    EXPECT_THROW(platform::decodeJpeg(good.left(good.size() / 2)), ui::SimError);
    QByteArray scrambled = good;
    for (qsizetype i = 20; i < scrambled.size() - 2; i += 3)
        scrambled[i] = static_cast<char>(0xFF);
    EXPECT_THROW(platform::decodeJpeg(scrambled), ui::SimError);
    EXPECT_THROW(platform::decodeJpeg(QByteArray("BM not a jpeg at all")), ui::SimError);
}

TEST(PictureStore, BrokenOrMissingPicturesBecomeBlanksOfTheListedSizeAndAreReported)
{
    Bench b;
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    copyEmbeddedPictures(dir.path());
    QFile good(dir.filePath("ClonkaB.jpg"));
    ASSERT_TRUE(good.open(QIODevice::ReadOnly));
    overwrite(dir.filePath("ClonkaB.jpg"), good.readAll().left(200));
    overwrite(dir.filePath("PakaH.bmp"), QByteArray(500, 'x'));
    ASSERT_TRUE(QFile::remove(dir.filePath("Tl2.bmp")));
    QImage wrongSize(13, 14, QImage::Format_RGB32);
    wrongSize.fill(Qt::black);
    QByteArray bmp;
    QBuffer buffer(&bmp);
    buffer.open(QIODevice::WriteOnly);
    wrongSize.save(&buffer, "BMP");
    overwrite(dir.filePath("Tl.bmp"), bmp);

    TA3 store(b.platform, dir.path());
    const QStringList errors = store.loadErrors();
    ASSERT_EQ(errors.size(), 4) << errors.join('\n').toStdString();
    for (const QString name : {"ClonkaB", "PakaH", "Tl2", "Tl"})
        EXPECT_EQ(errors.filter("A3." + name + ":").size(), 1) << name.toStdString();
    EXPECT_EQ(QSize(store.ClonkaB->width(), store.ClonkaB->height()), QSize(23, 23));
    EXPECT_EQ(QSize(store.PakaH->width(), store.PakaH->height()), QSize(48, 418));
    EXPECT_EQ(QSize(store.Tl2->width(), store.Tl2->height()), QSize(22, 17));
    EXPECT_EQ(QSize(store.Tl->width(), store.Tl->height()), QSize(12, 14));
    EXPECT_FALSE(store.Tl2->picture().isNull());
    /* The others load as usual. */
    Bench b2;
    TA3 embedded(b2.platform);
    EXPECT_EQ(store.Klicka0->picture(), embedded.Klicka0->picture());
    EXPECT_EQ(store.ClonkaC->picture(), embedded.ClonkaC->picture());
}
