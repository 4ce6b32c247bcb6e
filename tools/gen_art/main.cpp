/** @file main.cpp gen_art: draws the picture store's stock images into a folder. */
#include "catalogue.h"
#include "contact_sheet.h"
#include "image_writers.h"

#include <QDir>
#include <QGuiApplication>

#include <cstdio>
#include <vector>

namespace {

/** Prints a line to standard error. */
void complain(const QString &text)
{
    std::fprintf(stderr, "gen_art: %s\n", qPrintable(text));
}

/** @return what is wrong with a drawn picture, or an empty text. */
QString faultOf(const art::Picture &pic, const QImage &img)
{
    if (img.width() != pic.width || img.height() != pic.height)
        return QStringLiteral("%1 drawn %2x%3, listed %4x%5")
            .arg(pic.name)
            .arg(img.width())
            .arg(img.height())
            .arg(pic.width)
            .arg(pic.height);
    if (pic.transparent && img.pixel(0, img.height() - 1) != qRgb(255, 0, 255))
        return pic.name + QStringLiteral(" has no key colour in its bottom-left pixel");
    return {};
}

/** Draws, checks and writes every picture. @return the drawn pictures, or none on a failure. */
std::vector<QImage> writePictures(const std::vector<art::Picture> &pictures, const QDir &dir)
{
    std::vector<QImage> images;
    for (const art::Picture &pic : pictures) {
        const QImage img = pic.paint();
        QString fault = faultOf(pic, img);
        if (fault.isEmpty()) {
            const QByteArray data = pic.format == art::Format::Bmp ? art::encodeBmp(img) : art::encodeJpeg(img);
            fault = art::writeFile(dir.filePath(pic.fileName()), data);
        }
        if (!fault.isEmpty()) {
            complain(fault);
            return {};
        }
        images.push_back(img);
    }
    return images;
}

} // namespace

int main(int argc, char **argv)
{
    /* No window is ever opened; fonts for the sheet's captions are all it needs. */
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        complain(QStringLiteral("usage: gen_art <output folder>"));
        return 1;
    }
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    if (!QDir().mkpath(dir.path())) {
        complain(QStringLiteral("cannot create %1").arg(dir.path()));
        return 1;
    }
    const std::vector<art::Picture> pictures = art::catalogue();
    const std::vector<QImage> images = writePictures(pictures, dir);
    if (images.size() != pictures.size())
        return 1;
    const QString sheetPath = dir.filePath(QStringLiteral("contact_sheet.png"));
    if (!art::contactSheet(pictures, images).save(sheetPath, "PNG")) {
        complain(QStringLiteral("cannot write %1").arg(sheetPath));
        return 1;
    }
    std::printf("gen_art: wrote %zu pictures and contact_sheet.png to %s\n", pictures.size(),
                qPrintable(dir.path()));
    return 0;
}
