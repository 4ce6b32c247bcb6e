/** @file vehicle_painter.h Drawing parts shared by the vehicle pictures: track, running gear, bodies. */
#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPolygon>
#include <QRect>

#include <initializer_list>

namespace gen {

/** Height of every vehicle picture, in pixels. */
inline constexpr int kPictureHeight = 64;

/** Top of the track view's rail; wheels stand on it. */
inline constexpr int kRailTop = 58;

/** Top of the buffers and of the underframe. */
inline constexpr int kFrameTop = 44;

/**
 * Paints one vehicle side view onto an opaque picture. Everything is drawn
 * with solid colours and without antialiasing, so that the same program
 * gives the same bytes on every machine.
 */
class VehiclePainter {
public:
    /** Starts painting on @p image and fills it with the see-through colour. */
    explicit VehiclePainter(QImage &image);

    /** @return the picture's width. */
    int width() const { return m_width; }

    /** Fills a rectangle given by its edges, both inclusive. */
    void box(int left, int top, int right, int bottom, const QColor &colour);
    /** Fills a polygon given by its corners. */
    void polygon(std::initializer_list<QPoint> corners, const QColor &colour);
    /** Draws a one-pixel line. */
    void line(int x1, int y1, int x2, int y2, const QColor &colour);
    /** Fills a circle given by its centre and radius. */
    void disc(int centreX, int centreY, int radius, const QColor &colour);

    /** Draws the buffers at both ends and the underframe between them. */
    void frame();
    /** Draws a two-axle bogie centred at @p centreX. */
    void bogie(int centreX);
    /** Draws one wheelset with its axle box at @p centreX. */
    void axle(int centreX);
    /** Draws one wheel at @p centreX standing on the rail. */
    void wheel(int centreX);
    /**
     * Draws a row of equal windows between @p left and @p right.
     * @param count number of windows, spread evenly.
     */
    void windows(int left, int right, int top, int height, int count, const QColor &glass);
    /** Draws a door with a small window, @p width wide, from @p top down to the frame. */
    void door(int left, int width, int top, const QColor &colour, const QColor &glass);
    /** Draws a raised single-arm pantograph standing on the roof at @p roofTop. */
    void pantograph(int centreX, int roofTop);
    /** Draws a pair of head lamps at a cab front between @p left and @p right. */
    void headLamps(int left, int right, int y);

private:
    void background();

    QPainter m_painter; ///< Painter on the picture.
    int m_width;        ///< Width of the picture.
};

/** Colours shared by several vehicles. */
namespace colours {
/**
 * Ground around the vehicle. The pictures are shown transparent: the colour
 * of the bottom-left pixel is see-through, so the ground is one flat colour
 * that no vehicle uses, and the track view's own rails show under the wheels.
 */
inline const QColor kBackground{255, 0, 255};
inline const QColor kSteel{70, 70, 70};        ///< Frames and bogies.
inline const QColor kWheel{96, 96, 96};        ///< Wheel discs.
inline const QColor kHub{40, 40, 40};          ///< Wheel hubs and axle boxes.
inline const QColor kBuffer{170, 170, 170};    ///< Buffer heads.
inline const QColor kRoof{112, 112, 108};      ///< Roofs of coaches and locomotives.
inline const QColor kGlass{168, 192, 204};     ///< Window glass.
inline const QColor kDarkGlass{70, 88, 100};   ///< Glass in shade.
inline const QColor kCoachGreen{40, 104, 64};  ///< Coach green.
inline const QColor kDoorGreen{32, 86, 52};    ///< Door panels of green coaches.
inline const QColor kFirstClass{236, 200, 30}; ///< Stripe of first class.
inline const QColor kRed{176, 34, 34};         ///< Red of locomotives and railbuses.
inline const QColor kCream{226, 214, 176};     ///< Cream bands.
inline const QColor kCargoBlue{28, 62, 138};   ///< Blue of freight locomotives.
inline const QColor kCargoYellow{240, 196, 24};///< Yellow of freight locomotives.
inline const QColor kWagonBrown{124, 64, 40};  ///< Freight wagon brown.
inline const QColor kLamp{250, 246, 210};      ///< Head lamps.
} // namespace colours

} // namespace gen
