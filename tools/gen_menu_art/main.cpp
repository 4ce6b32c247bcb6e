/** @file main.cpp Writes the menu's pictures as PNG files into the folder given as the only argument. */
#include "menu_painters.h"

#include <QDir>
#include <QGuiApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: gen_menu_art <output folder>\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    if (!QDir().mkpath(out)) {
        std::fprintf(stderr, "cannot create %s\n", argv[1]);
        return 1;
    }
    for (const MenuPicture &p : menuPictures()) {
        if (!p.image.save(out + QLatin1Char('/') + p.name + QStringLiteral(".png"), "PNG")) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(p.name));
            return 1;
        }
    }
    return 0;
}
