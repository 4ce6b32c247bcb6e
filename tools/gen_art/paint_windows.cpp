/** @file paint_windows.cpp Block windows with their shutters, and the latches of the block fields. */
#include "canvas.h"
#include "painters.h"

#include <QLinearGradient>

namespace art {

namespace {

/** Casing of the block instrument around the windows. */
const QColor kCasing(46, 42, 38);

/** @return the colour of a block window letter: B white, C black, R red, Z green. */
QColor fieldColour(QChar letter)
{
    switch (letter.unicode()) {
    case 'B':
        return QColor(244, 244, 236);
    case 'C':
        return QColor(18, 18, 18);
    case 'R':
        return QColor(204, 28, 28);
    case 'Z':
        return QColor(24, 150, 62);
    default:
        return QColor(128, 128, 128);
    }
}

/** Draws a nickel frame with rounded corners around outer. */
void drawFrame(QPainter &p, const QRectF &outer, double radius, const QColor &light, const QColor &dark)
{
    QLinearGradient g(outer.topLeft(), outer.bottomRight());
    g.setColorAt(0, light);
    g.setColorAt(1, dark);
    p.setPen(QPen(QColor(14, 14, 14), 0.8));
    p.setBrush(g);
    p.drawRoundedRect(outer, radius, radius);
}

/** Draws the glass glint and the shadow of the frame's upper edge over a pane. */
void drawGlass(QPainter &p, const QRectF &pane)
{
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 70));
    p.drawRect(QRectF(pane.left(), pane.top(), pane.width(), 1.2));
    QPainterPath glint;
    glint.moveTo(pane.left() + 1.5, pane.bottom() - 4.0);
    glint.lineTo(pane.left() + 6.0, pane.top() + 1.5);
    glint.lineTo(pane.left() + 8.5, pane.top() + 1.5);
    glint.lineTo(pane.left() + 4.0, pane.bottom() - 4.0);
    p.setBrush(QColor(255, 255, 255, 60));
    p.drawPath(glint);
}

} // namespace

QImage paintBlockWindow(QChar from, QChar to, int step, QSize size)
{
    QImage img = makeCanvas(size.width(), size.height(), kCasing);
    addGrain(img, img.rect(), QStringLiteral("casing"), 4);
    QPainter p(&img);
    setupPainter(p);
    drawFrame(p, QRectF(1.5, 1.5, size.width() - 3.0, size.height() - 3.0), 4.5, QColor(236, 236, 232),
              QColor(92, 92, 96));
    const QRectF pane(4.5, 4.5, size.width() - 9.0, size.height() - 9.0);
    QPainterPath window;
    window.addRoundedRect(pane, 2.5, 2.5);
    p.setClipPath(window);
    p.fillRect(pane, fieldColour(from));
    if (step > 0) {
        /* The shutter of the new colour slides down over the old one. */
        const double covered = pane.height() * step / 4.0;
        p.fillRect(QRectF(pane.left(), pane.top(), pane.width(), covered), fieldColour(to));
        p.setPen(QPen(QColor(60, 60, 60), 0.9));
        p.drawLine(QPointF(pane.left(), pane.top() + covered), QPointF(pane.right(), pane.top() + covered));
    }
    drawGlass(p, pane);
    p.setClipping(false);
    p.setPen(QPen(QColor(20, 20, 20), 0.8));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(pane, 2.5, 2.5);
    p.end();
    return flattened(img, kCasing);
}

QImage paintLatch(QChar colour, QSize size)
{
    QImage img = makeCanvas(size.width(), size.height(), kCasing);
    QPainter p(&img);
    setupPainter(p);
    drawFrame(p, QRectF(0.5, 0.5, size.width() - 1.0, size.height() - 1.0), 3.0, QColor(236, 206, 120),
              QColor(122, 88, 30));
    /* The flap hangs from a pin along its upper edge. */
    const QRectF flap(3.0, 3.5, size.width() - 6.0, size.height() - 6.5);
    p.setPen(QPen(QColor(20, 20, 20), 0.7));
    p.setBrush(fieldColour(colour));
    p.drawRoundedRect(flap, 1.2, 1.2);
    p.setPen(QPen(QColor(70, 50, 20), 1.1));
    p.drawLine(QPointF(2.5, 3.2), QPointF(size.width() - 2.5, 3.2));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 70));
    p.drawRect(QRectF(flap.left() + 1.0, flap.top() + 1.0, 2.0, flap.height() - 2.0));
    p.end();
    return flattened(img, kCasing);
}

} // namespace art
