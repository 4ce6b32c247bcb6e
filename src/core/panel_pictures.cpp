/** @file panel_pictures.cpp Drawing of the block-panel pictures with QPainter; shapes only, no text, no files. */
#include "core/panel_pictures.h"

#include "devices/panel_art.h"

#include <QPainter>

namespace panel_pictures {

namespace {

const QColor PanelGrey(150, 150, 150);
const QColor Dark(40, 40, 40);

/** @return a picture filled with the key colour; drawing on it stays without smoothing, so no edge mixes with the key. */
QImage keyed(QSize size)
{
    QImage img(size, QImage::Format_RGB32);
    img.fill(panelart::KeyColour);
    return img;
}

} // namespace

QImage background(QSize size, const QRect &plate, const QList<QRect> &sockets, const QList<QRect> &frames)
{
    QImage img(size, QImage::Format_RGB32);
    img.fill(PanelGrey);
    QPainter p(&img);
    const QRect edge(0, 0, size.width() - 1, size.height() - 1);
    p.setPen(QColor(220, 220, 220));
    p.drawLine(edge.topLeft(), edge.topRight());
    p.drawLine(edge.topLeft(), edge.bottomLeft());
    p.setPen(QColor(80, 80, 80));
    p.drawLine(edge.bottomLeft(), edge.bottomRight());
    p.drawLine(edge.topRight(), edge.bottomRight());
    /* The name plate. */
    p.setPen(QColor(200, 200, 200));
    p.setBrush(QColor(60, 60, 70));
    p.drawRect(plate);
    p.setBrush(Dark);
    p.setPen(QColor(110, 110, 110));
    for (const QRect &r : sockets)
        p.drawEllipse(r.adjusted(-3, -3, 2, 2));
    p.setPen(Qt::black);
    for (const QRect &r : frames)
        p.drawRect(r.adjusted(-3, -3, 2, 2));
    return img;
}

QImage blockWindow(const QColor &colour, QSize size)
{
    QImage img(size, QImage::Format_RGB32);
    img.fill(Dark);
    QPainter p(&img);
    p.fillRect(QRect(QPoint(0, 0), size).adjusted(3, 3, -3, -3), colour);
    return img;
}

QImage latch(QSize size)
{
    QImage img(size, QImage::Format_RGB32);
    img.fill(QColor(70, 70, 70));
    QPainter p(&img);
    p.fillRect(size.width() / 2 - 2, 2, 4, size.height() - 4, QColor(20, 20, 20));
    return img;
}

QImage magnetoGlow(int diameter)
{
    QImage img = keyed(QSize(diameter, diameter));
    QPainter p(&img);
    p.setPen(QPen(QColor(255, 160, 0), 4));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(2, 2, diameter - 5, diameter - 5);
    return img;
}

} // namespace panel_pictures
