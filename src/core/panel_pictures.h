/** @file panel_pictures.h Pictures of the neighbour stations' block panels, drawn at run time. */
#pragma once

#include <QColor>
#include <QImage>
#include <QList>
#include <QRect>

/**
 * Small drawn pictures of a block panel: a grey panel, lamps, push
 * buttons, block windows, latches, levers and a magneto. Round pictures
 * have corners of the key colour (the bottom-left pixel), so an image
 * that shows them transparent lets the panel through.
 */
namespace panel_pictures {

/**
 * @return a grey panel with a raised edge and a name plate, dark round
 * sockets where lamps and buttons sit and dark frames around windows and
 * lever slots.
 */
QImage background(QSize size, const QList<QRect> &sockets, const QList<QRect> &frames);
/** @return a lit lamp of this colour. */
QImage lamp(const QColor &colour, int diameter);
/** @return a black push button with a grey collar. */
QImage pushButton(int diameter);
/** @return a block window showing this colour. */
QImage blockWindow(const QColor &colour, QSize size);
/** @return a latch bar under a block window. */
QImage latch(QSize size);
/** @return a lever: a dark handle with a knob on top. */
QImage lever(QSize size);
/** @return a magneto: a wheel with its crank. */
QImage magneto(int diameter);
/** @return the glow ring of a running magneto. */
QImage magnetoGlow(int diameter);

} // namespace panel_pictures
