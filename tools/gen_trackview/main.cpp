/** @file main.cpp gen_trackview: draws the track view's pictures into a folder as 24-bit BMP files. */
#include "image_writers.h"
#include "trackview_painters.h"

#include <QDir>
#include <QGuiApplication>

#include <cstdio>

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: gen_trackview <output folder>\n");
        return 2;
    }
    QDir dir(QString::fromLocal8Bit(argv[1]));
    if (!dir.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "gen_trackview: cannot create %s\n", argv[1]);
        return 1;
    }
    for (const art::TrackViewPicture &pic : art::trackViewPictures()) {
        const QImage img = pic.paint();
        if (img.width() != pic.width || img.height() != pic.height || img.pixel(0, img.height() - 1) != qRgb(255, 0, 255)) {
            std::fprintf(stderr, "gen_trackview: %s drawn wrong (size or key colour)\n", qPrintable(pic.name));
            return 1;
        }
        const QString fault = art::writeFile(dir.filePath(pic.name + ".bmp"), art::encodeBmp(img));
        if (!fault.isEmpty()) {
            std::fprintf(stderr, "gen_trackview: %s\n", qPrintable(fault));
            return 1;
        }
    }
    return 0;
}
