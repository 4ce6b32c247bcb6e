/** @file stock_vehicles.cpp The timetable window's own vehicle pictures, drawn in the style of the vehicle files. */
#include "core/stock_vehicles.h"

#include <QPainter>

namespace {

constexpr int kHeight = 64;              ///< Height of every vehicle picture.
/**
 * Ground around the vehicles: one flat colour no vehicle uses. The track view
 * shows vehicle pictures with their bottom-left colour see-through, so only
 * the vehicle covers the station behind it.
 */
const QColor kGround{255, 0, 255};
const QColor kWheel{96, 96, 96};         ///< Wheels.
const QColor kFrame{70, 70, 70};         ///< Underframe and buffers.
const QColor kGlass{168, 192, 204};      ///< Windows.
const QColor kRoof{112, 112, 108};       ///< Roofs.

/** @return a picture of the given width holding only the see-through ground. */
QImage emptyGround(int width)
{
    QImage img(width, kHeight, QImage::Format_RGB32);
    img.fill(kGround);
    return img;
}

/** Draws a two-axle bogie whose left wheel starts at x. */
void bogie(QPainter &p, int x)
{
    p.setPen(Qt::NoPen);
    p.setBrush(kWheel);
    p.drawEllipse(QRect(x, 49, 9, 9));
    p.drawEllipse(QRect(x + 12, 49, 9, 9));
    p.fillRect(x + 2, 48, 18, 2, kFrame);
}

/** Draws the underframe and the buffers of a body from x0 to x1. */
void underframe(QPainter &p, int x0, int x1)
{
    p.fillRect(x0, 44, x1 - x0, 4, kFrame);
    p.fillRect(x0 - 3, 41, 3, 3, kFrame);
    p.fillRect(x1, 41, 3, 3, kFrame);
}

/**
 * Draws a vehicle's box from x0 to x1: the underframe with its buffers, the
 * body from top down to the underframe, and on it a 4 px roof inset by
 * roofInset at both ends.
 */
void carBody(QPainter &p, int x0, int x1, int top, int roofInset, const QColor &colour)
{
    underframe(p, x0, x1);
    p.fillRect(x0, top, x1 - x0, 44 - top, colour);
    p.fillRect(x0 + roofInset, top - 4, x1 - x0 - 2 * roofInset, 4, kRoof);
}

} // namespace

QImage stockLocomotive()
{
    QImage img = emptyGround(179);
    QPainter p(&img);
    carBody(p, 5, 174, 16, 7, QColor(176, 34, 34));
    /* Cabs at both ends with their windows, a cream stripe and the grilles. */
    p.fillRect(10, 19, 16, 9, kGlass);
    p.fillRect(153, 19, 16, 9, kGlass);
    p.fillRect(5, 32, 169, 3, QColor(232, 216, 170));
    for (int x = 40; x < 140; x += 6)
        p.fillRect(x, 19, 2, 10, QColor(120, 20, 20));
    p.fillRect(7, 38, 6, 3, QColor(250, 240, 200));
    p.fillRect(166, 38, 6, 3, QColor(250, 240, 200));
    bogie(p, 22);
    bogie(p, 136);
    return img;
}

QImage stockCoach()
{
    QImage img = emptyGround(247);
    QPainter p(&img);
    carBody(p, 4, 243, 17, 4, QColor(32, 86, 52));
    /* Doors at both ends, a row of windows between them. */
    p.fillRect(10, 20, 8, 20, QColor(24, 66, 40));
    p.fillRect(229, 20, 8, 20, QColor(24, 66, 40));
    for (int x = 26; x + 14 <= 222; x += 18)
        p.fillRect(x, 21, 14, 11, kGlass);
    bogie(p, 24);
    bogie(p, 202);
    return img;
}
