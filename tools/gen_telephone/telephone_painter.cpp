/** @file telephone_painter.cpp Drawing of the desk's telephone set, its handset and its dial button. */
#include "telephone_painter.h"

#include <QPainter>
#include <QPainterPath>

namespace telephoneart {

namespace {

/* Places on the set, in the set's own pixels; the desk puts the line keys
   and the dial button over the sockets drawn here. */
const QRect KeySockets[3] = {{22, 76, 20, 20}, {41, 76, 20, 20}, {60, 76, 20, 20}}; ///< Lines A, C, B.
const QRect DialSocket(22, 42, 20, 18);

const QColor Bakelite(38, 36, 32);
const QColor BakeliteLight(92, 88, 80);
const QColor Plate(176, 168, 146);
const QColor PlateEdge(112, 104, 88);
const QColor Ink(40, 36, 30);

/** @return a see-through picture of this size, ready to draw on. */
QImage blank(int w, int h)
{
    QImage img(w, h, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    return img;
}

/**
 * @return the drawing on the key colour: a pixel at least half covered
 * keeps its own colour at full strength, any other becomes the key colour,
 * so no smoothed edge is tinted by the key colour.
 */
QImage onKeyColour(const QImage &drawn)
{
    QImage out(drawn.size(), QImage::Format_RGB32);
    for (int y = 0; y < drawn.height(); ++y)
        for (int x = 0; x < drawn.width(); ++x) {
            const QRgb px = drawn.pixel(x, y);
            out.setPixel(x, y, qAlpha(px) >= 128 ? (px | 0xFF000000u) : KeyColour);
        }
    return out;
}

/** Sets the painter up for smooth shapes. */
void smooth(QPainter &p)
{
    p.setRenderHint(QPainter::Antialiasing, true);
}

/** Draws the body: a rounded block, wider at its foot, shaded from the top. */
void drawBody(QPainter &p)
{
    QPainterPath body;
    body.moveTo(22, 22);
    body.lineTo(218, 22);
    body.quadTo(232, 22, 234, 36);
    body.lineTo(238, 186);
    body.quadTo(238, 198, 226, 198);
    body.lineTo(14, 198);
    body.quadTo(2, 198, 2, 186);
    body.lineTo(6, 36);
    body.quadTo(8, 22, 22, 22);
    QLinearGradient shade(0, 22, 0, 198);
    shade.setColorAt(0, BakeliteLight);
    shade.setColorAt(0.25, Bakelite);
    shade.setColorAt(1, Bakelite.darker(140));
    p.setPen(QPen(QColor(12, 12, 10), 1.5));
    p.setBrush(shade);
    p.drawPath(body);
}

/** Draws the two forks of the cradle on which the handset lies. */
void drawCradle(QPainter &p)
{
    for (int x : {44, 176}) {
        QPainterPath fork;
        fork.moveTo(x, 30);
        fork.lineTo(x + 2, 6);
        fork.quadTo(x + 10, 14, x + 20, 6);
        fork.lineTo(x + 22, 30);
        fork.closeSubpath();
        p.setPen(QPen(QColor(10, 10, 8), 1));
        p.setBrush(QColor(58, 56, 50));
        p.drawPath(fork);
        p.setBrush(QColor(150, 140, 120));
        p.drawRect(QRectF(x + 6, 24, 10, 3));
    }
}

/** Draws a sunken socket with a dark well for a key or a button. */
void drawSocket(QPainter &p, const QRect &r)
{
    p.setPen(QPen(PlateEdge.darker(130), 1));
    p.setBrush(QColor(24, 22, 20));
    p.drawRoundedRect(QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
    p.setPen(QPen(QColor(230, 224, 206), 1));
    p.drawLine(QPointF(r.left() + 2, r.bottom() + 0.5), QPointF(r.right() - 2, r.bottom() + 0.5));
}

/** Draws the letter of a line above its key: A, B or C, as strokes. */
void drawLetter(QPainter &p, char letter, QPointF at)
{
    p.setPen(QPen(Ink, 1.3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    QPainterPath path;
    switch (letter) {
    case 'A':
        path.moveTo(at + QPointF(0, 8));
        path.lineTo(at + QPointF(3, 0));
        path.lineTo(at + QPointF(6, 8));
        path.moveTo(at + QPointF(1.2, 5));
        path.lineTo(at + QPointF(4.8, 5));
        break;
    case 'B':
        path.moveTo(at + QPointF(0.5, 0));
        path.lineTo(at + QPointF(0.5, 8));
        path.moveTo(at + QPointF(0.5, 0));
        path.cubicTo(at + QPointF(6, 0), at + QPointF(6, 4), at + QPointF(0.5, 4));
        path.cubicTo(at + QPointF(7, 4), at + QPointF(7, 8), at + QPointF(0.5, 8));
        break;
    default:
        path.moveTo(at + QPointF(6, 1.5));
        path.cubicTo(at + QPointF(2, -1.5), at + QPointF(-1.5, 3), at + QPointF(0.5, 6));
        path.cubicTo(at + QPointF(2, 8.5), at + QPointF(5, 8.5), at + QPointF(6, 6.5));
        break;
    }
    p.drawPath(path);
}

/** Draws the key plate: the sockets of the dial button and of the three line keys with their letters. */
void drawKeyPlate(QPainter &p)
{
    const QRectF plate(14, 36, 120, 68);
    p.setPen(QPen(PlateEdge, 1.5));
    p.setBrush(Plate);
    p.drawRoundedRect(plate, 4, 4);
    for (QPointF screw : {QPointF(19, 41), QPointF(129, 41), QPointF(19, 99), QPointF(129, 99)}) {
        p.setPen(QPen(PlateEdge.darker(120), 0.8));
        p.setBrush(QColor(200, 194, 176));
        p.drawEllipse(screw, 2.2, 2.2);
        p.drawLine(screw + QPointF(-1.5, 0), screw + QPointF(1.5, 0));
    }
    drawSocket(p, DialSocket);
    const char letters[3] = {'A', 'C', 'B'};
    for (int i = 0; i < 3; ++i) {
        drawSocket(p, KeySockets[i]);
        drawLetter(p, letters[i], QPointF(KeySockets[i].left() + 7, 65));
    }
}

/** Draws the round grille of the loudspeaker on the right of the set. */
void drawGrille(QPainter &p)
{
    const QPointF centre(184, 70);
    p.setPen(QPen(QColor(14, 14, 12), 1));
    p.setBrush(QColor(54, 52, 46));
    p.drawEllipse(centre, 34, 34);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(16, 16, 14));
    for (int row = -3; row <= 3; ++row)
        for (int col = -3; col <= 3; ++col)
            if (row * row + col * col <= 10)
                p.drawEllipse(centre + QPointF(col * 8, row * 8), 2.2, 2.2);
}

/** Draws the name plate and the cord outlet at the foot of the set. */
void drawFoot(QPainter &p)
{
    p.setPen(QPen(PlateEdge, 1));
    p.setBrush(QColor(196, 176, 120));
    p.drawRoundedRect(QRectF(60, 150, 120, 24), 3, 3);
    p.setPen(QPen(QColor(120, 100, 60), 1));
    for (int y = 156; y <= 168; y += 4)
        p.drawLine(QPointF(72, y), QPointF(168, y));
    p.setPen(QPen(QColor(10, 10, 8), 1));
    p.setBrush(QColor(30, 30, 28));
    p.drawRoundedRect(QRectF(14, 120, 28, 14), 6, 6);
}

} // namespace

QImage telephoneSet()
{
    QImage img = blank(240, 204);
    QPainter p(&img);
    smooth(p);
    drawCradle(p);
    drawBody(p);
    drawKeyPlate(p);
    drawGrille(p);
    drawFoot(p);
    p.end();
    return onKeyColour(img);
}

QImage handset()
{
    QImage img = blank(186, 47);
    QPainter p(&img);
    smooth(p);
    QPainterPath grip;
    grip.moveTo(22, 20);
    grip.cubicTo(60, 2, 126, 2, 164, 20);
    grip.lineTo(160, 30);
    grip.cubicTo(124, 16, 62, 16, 26, 30);
    grip.closeSubpath();
    QLinearGradient shade(0, 4, 0, 30);
    shade.setColorAt(0, QColor(110, 106, 96));
    shade.setColorAt(0.4, QColor(34, 32, 28));
    shade.setColorAt(1, QColor(18, 18, 16));
    p.setPen(QPen(QColor(8, 8, 6), 1.2));
    p.setBrush(shade);
    p.drawPath(grip);
    for (qreal x : {24.0, 162.0}) {
        QRadialGradient cup(QPointF(x - 4, 26), 22);
        cup.setColorAt(0, QColor(96, 92, 84));
        cup.setColorAt(1, QColor(20, 20, 18));
        p.setBrush(cup);
        p.drawEllipse(QPointF(x, 30), 20, 14);
        p.setBrush(QColor(10, 10, 8));
        p.drawEllipse(QPointF(x, 33), 9, 5);
    }
    p.end();
    return onKeyColour(img);
}

QImage dialButton()
{
    QImage img = blank(16, 14);
    QPainter p(&img);
    smooth(p);
    QRadialGradient cap(QPointF(6, 5), 8);
    cap.setColorAt(0, QColor(120, 120, 116));
    cap.setColorAt(1, QColor(14, 14, 12));
    p.setPen(QPen(QColor(4, 4, 4), 1));
    p.setBrush(cap);
    p.drawEllipse(QRectF(2, 1.5, 12, 11));
    p.end();
    return onKeyColour(img);
}

} // namespace telephoneart
