/** @file trackview_painters.h The drawing of the track view's pictures. */
#pragma once

#include <QImage>
#include <QString>

#include <functional>
#include <vector>

namespace art {

/** One picture of the track view: its file's base name, size and painter. */
struct TrackViewPicture {
    QString name;                  ///< Base name; the file is name + ".bmp".
    int width = 0;                 ///< Width in pixels.
    int height = 0;                ///< Height in pixels.
    std::function<QImage()> paint; ///< Draws the keyed picture (key colour bottom-left).
};

/** @return every picture of the track view, in a fixed order. */
std::vector<TrackViewPicture> trackViewPictures();

} // namespace art
