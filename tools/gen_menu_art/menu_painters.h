/** @file menu_painters.h The pictures of the main menu and the workplace frame, drawn with QPainter. */
#pragma once

#include <QImage>
#include <QString>

#include <vector>

/** One picture: its file name without extension and its image. */
struct MenuPicture {
    QString name;
    QImage image;
};

/** @return every picture, in a fixed order: buttons, column, slides, settings, overview and marker. */
std::vector<MenuPicture> menuPictures();
