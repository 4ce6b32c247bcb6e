/** @file panel_pictures.h Pictures of the neighbour stations' block panels, drawn at run time. */
#pragma once

#include <QColor>
#include <QImage>
#include <QList>
#include <QRect>

/**
 * The drawn parts that only the neighbour stations' block panels have: the
 * grey panel, block windows, latches and the magneto's glow. Their lamps,
 * push buttons, levers and magneto are the desk's (devices/panel_art.h).
 * The glow ring has corners of the key colour (the bottom-left pixel), so
 * an image that shows it transparent lets the magneto through.
 */
namespace panel_pictures {

/**
 * @return a grey panel with a raised edge, a name plate where plate says,
 * dark round sockets where lamps and buttons sit and dark frames around
 * windows and lever slots.
 */
QImage background(QSize size, const QRect &plate, const QList<QRect> &sockets, const QList<QRect> &frames);
/** @return a block window showing this colour. */
QImage blockWindow(const QColor &colour, QSize size);
/** @return a latch bar under a block window. */
QImage latch(QSize size);
/** @return the glow ring of a running magneto. */
QImage magnetoGlow(int diameter);

} // namespace panel_pictures
