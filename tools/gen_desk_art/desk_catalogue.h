/** @file desk_catalogue.h The pictures of the dispatcher's desk: file names, sizes and painters. */
#pragma once

#include <QImage>
#include <QString>

#include <functional>
#include <vector>

namespace deskart {

/** One picture of the desk. */
struct DeskPicture {
    QString file;                  ///< File name, ".jpg" for the panels and ".bmp" for the devices.
    QSize size;                    ///< Size in pixels.
    bool transparent = false;      ///< Bottom-left pixel is the see-through colour.
    std::function<QImage()> paint; ///< Draws the finished picture.
};

/** @return every picture of the desk, panels first. */
std::vector<DeskPicture> catalogue();

} // namespace deskart
