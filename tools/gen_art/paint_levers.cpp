/** @file paint_levers.cpp Box 1 lever handles, the handle held in the hand and the cast-iron lever bases. */
#include "canvas.h"
#include "painters.h"

#include <QLinearGradient>

namespace art {

namespace {

const QColor kLeverRed(196, 34, 36);
const QColor kLeverWhite(238, 236, 228);

/** @return a gradient across a vertical bar from x0 to x1, lit on the left. */
QLinearGradient roundBar(double x0, double x1, const QColor &base)
{
    QLinearGradient g(x0, 0, x1, 0);
    g.setColorAt(0.0, shade(base, 0.75));
    g.setColorAt(0.25, base.lighter(135));
    g.setColorAt(0.55, base);
    g.setColorAt(1.0, shade(base, 0.45));
    return g;
}

/** Draws the painted lever rod from top to bottom: white under the grip, red below. */
void drawRod(QPainter &p, double top, double bottom)
{
    const double x0 = 18.0, x1 = 30.0;
    p.setPen(QPen(QColor(50, 16, 16), 0.8));
    p.setBrush(roundBar(x0, x1, kLeverRed));
    p.drawRect(QRectF(x0, top, x1 - x0, bottom - top));
    p.setPen(QPen(QColor(90, 90, 84), 0.8));
    p.setBrush(roundBar(x0, x1, kLeverWhite));
    p.drawRect(QRectF(x0, top, x1 - x0, 70.0));
    p.drawRect(QRectF(x0, top + 230.0, x1 - x0, 14.0));
    /* The catch rod that runs down beside the lever to the latch. */
    p.setPen(QPen(QColor(40, 40, 40), 0.5));
    p.setBrush(roundBar(30.5, 33.5, QColor(150, 152, 156)));
    p.drawRect(QRectF(30.5, top + 10.0, 3.0, bottom - top - 10.0));
}

/** Draws the steel grip and, beside it on the right, the catch handle that is squeezed with it. */
void drawGripUp(QPainter &p)
{
    const QColor steel(176, 178, 184);
    p.setPen(QPen(QColor(40, 40, 44), 0.8));
    /* Catch handle: hinged at the grip's top, linked to the catch rod below. */
    p.setBrush(roundBar(35.0, 41.0, steel));
    p.drawPath(capsule({38.0, 16.0}, 3.0, {38.0, 62.0}, 3.0));
    p.drawRect(QRectF(31.0, 12.0, 7.0, 4.0));
    p.drawRect(QRectF(31.0, 76.0, 9.0, 4.0));
    p.drawRect(QRectF(36.5, 62.0, 3.0, 16.0));
    p.setBrush(roundBar(15.0, 33.0, steel));
    p.drawPath(capsule({24.0, 12.0}, 8.0, {24.0, 62.0}, 7.0));
    p.setBrush(roundBar(14.0, 34.0, QColor(70, 72, 76)));
    p.drawRoundedRect(QRectF(14.0, 64.0, 20.0, 10.0), 2.0, 2.0);
}

} // namespace

QImage paintLeverHead(bool up, QSize size)
{
    QImage img = makeCanvas(size.width(), size.height());
    QPainter p(&img);
    setupPainter(p);
    drawRod(p, 72.0, size.height() + 1.0);
    drawGripUp(p);
    p.end();
    /* The lever thrown down shows the same handle upside down: grip and
       catch handle at the bottom. */
    if (!up)
        img = img.mirrored(false, true);
    return keyed(img);
}

QImage paintLeverHeld(QSize size)
{
    QImage img = makeCanvas(size.width(), size.height());
    QPainter p(&img);
    setupPainter(p);
    const QColor steel(176, 178, 184);
    p.setPen(QPen(QColor(50, 16, 16), 0.8));
    p.setBrush(roundBar(18.0, 30.0, kLeverRed));
    p.drawRect(QRectF(18.0, 12.0, 12.0, size.height()));
    /* Grip across, seen from its side while the hand draws the lever over. */
    QLinearGradient across(0, 2.0, 0, 16.0);
    across.setColorAt(0.0, shade(steel, 0.7));
    across.setColorAt(0.3, steel.lighter(135));
    across.setColorAt(1.0, shade(steel, 0.45));
    p.setPen(QPen(QColor(40, 40, 44), 0.8));
    p.setBrush(across);
    p.drawPath(capsule({6.5, 9.0}, 6.0, {41.5, 9.0}, 6.0));
    QLinearGradient catchBar(0, 16.0, 0, 22.0);
    catchBar.setColorAt(0.0, steel.lighter(125));
    catchBar.setColorAt(1.0, shade(steel, 0.5));
    p.setBrush(catchBar);
    p.drawPath(capsule({10.0, 19.0}, 2.6, {38.0, 19.0}, 2.6));
    p.end();
    return keyed(img);
}

QImage paintLeverBase(int variant, QSize size)
{
    const int w = size.width(), h = size.height();
    QImage img = makeCanvas(w, h, QColor(58, 62, 68));
    addGrain(img, img.rect(), QStringLiteral("Paka%1").arg(variant), 7);
    QPainter p(&img);
    setupPainter(p);
    /* Cast edge: lit top-left, shaded bottom-right. */
    p.setPen(QPen(QColor(98, 104, 112), 1.0));
    p.drawLine(QPointF(0.5, 0.5), QPointF(w - 0.5, 0.5));
    p.drawLine(QPointF(0.5, 0.5), QPointF(0.5, h - 0.5));
    p.setPen(QPen(QColor(24, 26, 30), 1.0));
    p.drawLine(QPointF(w - 0.5, 0.5), QPointF(w - 0.5, h - 0.5));
    p.drawLine(QPointF(0.5, h - 0.5), QPointF(w - 0.5, h - 0.5));
    /* Bolts in the four corners. */
    p.setPen(QPen(QColor(20, 20, 22), 0.6));
    for (QPointF b : {QPointF(5, 6), QPointF(w - 5, 6), QPointF(5, h - 6), QPointF(w - 5, h - 6)})
        litDisc(p, b, 2.6, QColor(150, 154, 160), QColor(40, 42, 46));
    /* The slot the lever runs in, with the catch's notches at both ends. */
    p.setPen(QPen(QColor(90, 94, 100), 0.8));
    p.setBrush(QColor(12, 12, 14));
    p.drawRoundedRect(QRectF(11.5, 14.0, 8.0, 192.0), 3.0, 3.0);
    p.setBrush(QColor(12, 12, 14));
    p.drawRect(QRectF(9.0, 22.0, 13.0, 4.0));
    p.drawRect(QRectF(9.0, 192.0, 13.0, 4.0));
    /* The catch block: in its lower notch at rest, lifted while in the
       hand, in the upper notch when locked down. */
    static constexpr double kCatchTop[] = {188.0, 104.0, 104.0, 20.0, 104.0};
    const double catchTop = kCatchTop[(variant - 1) % 5];
    QLinearGradient steel(9.0, 0, 22.0, 0);
    steel.setColorAt(0, QColor(210, 212, 216));
    steel.setColorAt(1, QColor(84, 86, 92));
    p.setPen(QPen(QColor(20, 20, 22), 0.7));
    p.setBrush(steel);
    p.drawRoundedRect(QRectF(9.0, catchTop, 13.0, 10.0), 1.5, 1.5);
    /* Indicator window: its colour tells the base pictures apart at a glance. */
    static const QColor kIndicator[] = {QColor(16, 16, 16), QColor(236, 236, 230), QColor(246, 196, 20),
                                        QColor(206, 30, 30), QColor(40, 90, 200)};
    p.setPen(QPen(QColor(20, 20, 22), 0.8));
    p.setBrush(kIndicator[(variant - 1) % 5]);
    p.drawRect(QRectF(10.5, 214.0, 10.0, 12.0));
    /* Enamel number plate of the casting. */
    p.setPen(QPen(QColor(20, 20, 22), 0.8));
    p.setBrush(QColor(240, 238, 226));
    p.drawRoundedRect(QRectF(7.5, 236.0, 16.0, 20.0), 2.0, 2.0);
    drawDigit(p, variant, QRectF(12.5, 239.5, 6.0, 13.0),
              QPen(QColor(16, 16, 16), 1.7, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.end();
    return flattened(img, Qt::black);
}

} // namespace art
