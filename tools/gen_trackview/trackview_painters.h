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

/** Width of each throat picture: the strip between the view's edge and the platforms' ends. */
inline constexpr int kThroatWidth = 50;

/** @return the points at one end of the station (rightHand: side C), with the tracks' number boards. */
QImage paintThroat(bool rightHand, int width);

/** @return signal box 1's or 2's building for its overview panel, in the station building's colours. */
QImage paintSignalBox(int box);

/** @return every picture of the track view, in a fixed order. */
std::vector<TrackViewPicture> trackViewPictures();

} // namespace art
