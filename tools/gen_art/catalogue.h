/** @file catalogue.h The stock pictures of the picture store: names, sizes, formats and painters. */
#pragma once

#include <QImage>
#include <QString>

#include <functional>
#include <vector>

namespace art {

/** File format of a stock picture. */
enum class Format { Bmp, Jpeg };

/** One stock picture. */
struct Picture {
    QString name;                 ///< Image name in the store; also the file's base name.
    int width = 0;                ///< Width in pixels.
    int height = 0;               ///< Height in pixels.
    Format format = Format::Bmp;  ///< File format.
    bool transparent = false;     ///< Bottom-left pixel is the see-through colour.
    std::function<QImage()> paint; ///< Draws the finished picture.

    /** @return the file name: name plus ".bmp" or ".jpg". */
    QString fileName() const;
};

/** @return the 80 stock pictures in the store's order. */
std::vector<Picture> catalogue();

} // namespace art
