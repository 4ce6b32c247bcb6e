/** @file main.cpp gen_telephone: draws the pictures of the desk's telephone set into a folder. */
#include "telephone_painter.h"

#include <QDir>
#include <QGuiApplication>

#include <cstdio>
#include <functional>

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: gen_telephone <output folder>\n");
        return 2;
    }
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    if (!dir.mkpath(".")) {
        std::fprintf(stderr, "gen_telephone: cannot create %s\n", argv[1]);
        return 1;
    }
    const std::pair<const char *, std::function<QImage()>> pictures[] = {
        {"Telefon.bmp", telephoneart::telephoneSet},
        {"Sluchatko.bmp", telephoneart::handset},
        {"Volic.bmp", telephoneart::dialButton},
    };
    for (const auto &[name, paint] : pictures) {
        const QImage img = paint();
        if (img.pixel(0, img.height() - 1) != telephoneart::KeyColour) {
            std::fprintf(stderr, "gen_telephone: %s has no key colour in its bottom-left pixel\n", name);
            return 1;
        }
        if (!img.convertToFormat(QImage::Format_RGB888).save(dir.filePath(name), "BMP")) {
            std::fprintf(stderr, "gen_telephone: cannot write %s\n", name);
            return 1;
        }
    }
    return 0;
}
