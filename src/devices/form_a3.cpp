/** @file form_a3.cpp Picture store A3: the stock pictures that the devices copy into their images. */
#include "devices/form_a3.h"

#include "platform/jpeg_decoder.h"
#include "ui/sim_error.h"

#include <QFile>

#include <algorithm>
#include <climits>
#include <vector>

/** Registers the embedded pictures; the library is static, so nothing else would pull them in. */
static void initArtResources()
{
    Q_INIT_RESOURCE(art);
}

namespace {

/** Form size of the store. */
constexpr int kFormWidth = 708;
constexpr int kFormHeight = 554;
/** Space left between images in the layout. */
constexpr int kGap = 2;

/** File format of a stock picture. */
enum class StockFormat { Bmp, Jpeg };

/** One image of the store: where it is kept, its name, listed size and format. */
struct StockPicture {
    ui::Image *TA3::*member; ///< The member that holds the image.
    const char *name;        ///< Control name and file base name.
    int width;               ///< Listed width in pixels.
    int height;              ///< Listed height in pixels.
    StockFormat format;      ///< Bitmap or JPEG picture.
    bool transparent;        ///< The bottom-left pixel's colour is see-through.
};

/** The store in its order of creation. */
const StockPicture kStock[] = {
    {&TA3::Klicka0, "Klicka0", 19, 58, StockFormat::Bmp, true},
    {&TA3::KlickaL, "KlickaL", 42, 55, StockFormat::Bmp, true},
    {&TA3::KlickaP, "KlickaP", 42, 55, StockFormat::Bmp, true},
    {&TA3::TelBilaOff, "TelBilaOff", 16, 14, StockFormat::Bmp, false},
    {&TA3::TelBilaOn, "TelBilaOn", 16, 14, StockFormat::Bmp, false},
    {&TA3::ClonkaB, "ClonkaB", 23, 23, StockFormat::Jpeg, false},
    {&TA3::ClonkaC, "ClonkaC", 23, 23, StockFormat::Jpeg, false},
    {&TA3::ClonkaR, "ClonkaR", 23, 23, StockFormat::Jpeg, false},
    {&TA3::ClonkaZ, "ClonkaZ", 23, 23, StockFormat::Jpeg, false},
    {&TA3::ClonkaBR1, "ClonkaBR1", 23, 23, StockFormat::Jpeg, false},
    {&TA3::ClonkaBR2, "ClonkaBR2", 23, 23, StockFormat::Jpeg, false},
    {&TA3::ClonkaBR3, "ClonkaBR3", 23, 23, StockFormat::Jpeg, false},
    {&TA3::ClonkaBZ1, "ClonkaBZ1", 23, 23, StockFormat::Jpeg, false},
    {&TA3::ClonkaBZ2, "ClonkaBZ2", 23, 23, StockFormat::Jpeg, false},
    {&TA3::ClonkaBZ3, "ClonkaBZ3", 23, 23, StockFormat::Jpeg, false},
    {&TA3::ClonkaCB1, "ClonkaCB1", 23, 23, StockFormat::Jpeg, false},
    {&TA3::ClonkaCB2, "ClonkaCB2", 23, 23, StockFormat::Jpeg, false},
    {&TA3::ClonkaCB3, "ClonkaCB3", 23, 23, StockFormat::Jpeg, false},
    {&TA3::ClonkaRB1, "ClonkaRB1", 23, 23, StockFormat::Jpeg, false},
    {&TA3::ClonkaRB2, "ClonkaRB2", 23, 23, StockFormat::Jpeg, false},
    {&TA3::ClonkaRB3, "ClonkaRB3", 23, 23, StockFormat::Jpeg, false},
    {&TA3::ClonkaZB1, "ClonkaZB1", 23, 23, StockFormat::Jpeg, false},
    {&TA3::ClonkaZB2, "ClonkaZB2", 23, 23, StockFormat::Jpeg, false},
    {&TA3::ClonkaZB3, "ClonkaZB3", 23, 23, StockFormat::Jpeg, false},
    {&TA3::ClonkaBC1, "ClonkaBC1", 23, 23, StockFormat::Jpeg, false},
    {&TA3::ClonkaBC2, "ClonkaBC2", 23, 23, StockFormat::Jpeg, false},
    {&TA3::ClonkaBC3, "ClonkaBC3", 23, 23, StockFormat::Jpeg, false},
    {&TA3::ZapadkaB, "ZapadkaB", 14, 14, StockFormat::Jpeg, false},
    {&TA3::ZapadkaC, "ZapadkaC", 14, 14, StockFormat::Jpeg, false},
    {&TA3::ZapadkaR, "ZapadkaR", 14, 14, StockFormat::Jpeg, false},
    {&TA3::ClonkaBz, "ClonkaBz", 23, 23, StockFormat::Jpeg, false},
    {&TA3::ClonkaCz, "ClonkaCz", 23, 23, StockFormat::Jpeg, false},
    {&TA3::ClonkaRz, "ClonkaRz", 23, 23, StockFormat::Jpeg, false},
    {&TA3::ClonkaZz, "ClonkaZz", 23, 23, StockFormat::Jpeg, false},
    {&TA3::ClonkaCB1z, "ClonkaCB1z", 23, 23, StockFormat::Jpeg, false},
    {&TA3::ClonkaCB2z, "ClonkaCB2z", 23, 23, StockFormat::Jpeg, false},
    {&TA3::ClonkaCB3z, "ClonkaCB3z", 23, 23, StockFormat::Jpeg, false},
    {&TA3::ClonkaRB1z, "ClonkaRB1z", 23, 23, StockFormat::Jpeg, false},
    {&TA3::ClonkaRB2z, "ClonkaRB2z", 23, 23, StockFormat::Jpeg, false},
    {&TA3::ClonkaRB3z, "ClonkaRB3z", 23, 23, StockFormat::Jpeg, false},
    {&TA3::ClonkaZB1z, "ClonkaZB1z", 23, 23, StockFormat::Jpeg, false},
    {&TA3::ClonkaZB2z, "ClonkaZB2z", 23, 23, StockFormat::Jpeg, false},
    {&TA3::ClonkaZB3z, "ClonkaZB3z", 23, 23, StockFormat::Jpeg, false},
    {&TA3::ZapadkaBz, "ZapadkaBz", 14, 14, StockFormat::Jpeg, false},
    {&TA3::ZapadkaRz, "ZapadkaRz", 14, 14, StockFormat::Jpeg, false},
    {&TA3::Zavernik0, "Zavernik0", 19, 58, StockFormat::Bmp, true},
    {&TA3::ZavernikL, "ZavernikL", 42, 55, StockFormat::Bmp, true},
    {&TA3::ZavernikP, "ZavernikP", 42, 55, StockFormat::Bmp, true},
    {&TA3::RadicL2, "RadicL2", 16, 23, StockFormat::Bmp, true},
    {&TA3::RadicL1, "RadicL1", 15, 24, StockFormat::Bmp, true},
    {&TA3::Radic0, "Radic0", 12, 24, StockFormat::Bmp, true},
    {&TA3::RadicP1, "RadicP1", 15, 24, StockFormat::Bmp, true},
    {&TA3::RadicP2, "RadicP2", 16, 23, StockFormat::Bmp, true},
    {&TA3::Tl, "Tl", 12, 14, StockFormat::Bmp, true},
    {&TA3::Tl2, "Tl2", 22, 17, StockFormat::Bmp, false},
    {&TA3::Tl3, "Tl3", 26, 21, StockFormat::Bmp, false},
    {&TA3::PakaH, "PakaH", 48, 418, StockFormat::Bmp, true},
    {&TA3::PakaD, "PakaD", 48, 418, StockFormat::Bmp, true},
    {&TA3::PakaS, "PakaS", 48, 26, StockFormat::Bmp, true},
    {&TA3::Paka1, "Paka1", 31, 274, StockFormat::Jpeg, false},
    {&TA3::Paka2, "Paka2", 31, 274, StockFormat::Jpeg, false},
    {&TA3::Paka3, "Paka3", 31, 274, StockFormat::Jpeg, false},
    {&TA3::Paka4, "Paka4", 31, 274, StockFormat::Jpeg, false},
    {&TA3::Paka5, "Paka5", 31, 274, StockFormat::Jpeg, false},
    {&TA3::KlicOff, "KlicOff", 25, 7, StockFormat::Bmp, true},
    {&TA3::Klic0, "Klic0", 7, 25, StockFormat::Bmp, true},
    {&TA3::KlicOn, "KlicOn", 25, 7, StockFormat::Bmp, true},
    {&TA3::VozidloPrazdne, "VozidloPrazdne", 1, 64, StockFormat::Bmp, false},
    {&TA3::NVTOff, "NVTOff", 12, 34, StockFormat::Bmp, true},
    {&TA3::NVTOn, "NVTOn", 12, 34, StockFormat::Bmp, true},
    {&TA3::NVTStop, "NVTStop", 12, 35, StockFormat::Bmp, true},
    {&TA3::NVTStop2, "NVTStop2", 12, 39, StockFormat::Bmp, true},
    {&TA3::NVZ, "NVZ", 12, 14, StockFormat::Bmp, true},
    {&TA3::NVZStop, "NVZStop", 20, 20, StockFormat::Bmp, true},
    {&TA3::Klika2Off, "Klika2Off", 76, 117, StockFormat::Jpeg, false},
    {&TA3::Klika2On, "Klika2On", 76, 117, StockFormat::Jpeg, false},
    {&TA3::KlikaLOff, "KlikaLOff", 76, 117, StockFormat::Jpeg, false},
    {&TA3::KlikaLOn, "KlikaLOn", 76, 117, StockFormat::Jpeg, false},
    {&TA3::KlikaPOff, "KlikaPOff", 76, 117, StockFormat::Jpeg, false},
    {&TA3::KlikaPOn, "KlikaPOn", 76, 117, StockFormat::Jpeg, false},};

/** @return the picture of the file at path; throws ui::SimError when it cannot be read or decoded. */
QImage loadPicture(const QString &path, StockFormat format)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw ui::SimError(QStringLiteral("cannot open %1: %2").arg(path, file.errorString()));
    const QByteArray data = file.readAll();
    if (format == StockFormat::Jpeg)
        return platform::decodeJpeg(data);
    QImage picture;
    if (!picture.loadFromData(data, "BMP"))
        throw ui::SimError(QStringLiteral("%1 is not a readable bitmap").arg(path));
    return picture;
}

/** @return a blank picture of the listed size, all one colour, so a transparent image shows nothing. */
QImage blankPicture(const StockPicture &stock)
{
    QImage blank(stock.width, stock.height, QImage::Format_RGB32);
    blank.fill(QColor(128, 128, 128));
    return blank;
}

/**
 * Places the images inside the form, each where it stands highest on the
 * ones placed before it (leftmost among equals), so tall levers and small
 * windows pack together.
 */
void layOut(const std::vector<ui::Image *> &images)
{
    std::vector<int> skyline(kFormWidth, 0);
    for (ui::Image *img : images) {
        const int w = std::min(img->width(), kFormWidth);
        int bestX = 0, bestTop = INT_MAX;
        for (int x = 0; x + w <= kFormWidth; ++x) {
            const int top = *std::max_element(skyline.begin() + x, skyline.begin() + x + w);
            if (top < bestTop) {
                bestTop = top;
                bestX = x;
            }
        }
        img->setBounds(bestX, bestTop, img->width(), img->height());
        const int end = std::min(bestX + w + kGap, kFormWidth);
        std::fill(skyline.begin() + bestX, skyline.begin() + end, bestTop + img->height() + kGap);
    }
}

} // namespace

TA3::TA3(platform::Platform &platform) : TA3(platform, QStringLiteral(":/art"))
{
}

TA3::TA3(platform::Platform &platform, const QString &pictureDir) : ui::Form(QStringLiteral("A3"), platform)
{
    setCaption(QStringLiteral("A3"));
    setBounds(0, 0, kFormWidth, kFormHeight);
    build(pictureDir);
}

void TA3::build(const QString &pictureDir)
{
    /* Once per program: the store is built once, tests build it often. */
    static const bool registered = (initArtResources(), true);
    (void)registered;
    std::vector<ui::Image *> images;
    for (const StockPicture &stock : kStock) {
        const QString name = QString::fromLatin1(stock.name);
        ui::Image *img = make<ui::Image>(nullptr, name);
        this->*stock.member = img;
        img->setAutoSize(true);
        img->setTransparent(stock.transparent);
        const QString file = name + (stock.format == StockFormat::Jpeg ? ".jpg" : ".bmp");
        QImage picture;
        try {
            picture = loadPicture(pictureDir + '/' + file, stock.format);
            if (picture.width() != stock.width || picture.height() != stock.height)
                throw ui::SimError(QStringLiteral("%1 is %2 x %3 pixels instead of %4 x %5")
                                       .arg(file).arg(picture.width()).arg(picture.height())
                                       .arg(stock.width).arg(stock.height));
        } catch (const std::exception &e) {
            /* A wrong size would break every stage read from this image, so
               the blank of the listed size stands in for any failure. */
            m_loadErrors << QStringLiteral("A3.%1: %2").arg(name, ui::failureText(e));
            picture = blankPicture(stock);
        }
        img->setPicture(picture);
        images.push_back(img);
    }
    layOut(images);
}
