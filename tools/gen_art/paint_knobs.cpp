/** @file paint_knobs.cpp Rotary knobs, route locks, small switches and desk keys. */
#include "canvas.h"
#include "painters.h"

#include <QLinearGradient>
#include <QTransform>

#include <algorithm>

namespace art {

namespace {

/** Angle of a turned knob or route lock, in degrees from upright. */
constexpr double kKnobTurn = 40.0;
/** Height of the pivot in every knob picture; Top is shared by all three. */
constexpr double kKnobPivotY = 38.5;
/** Pivot across the picture turned left and right, so that the box's
    Left offsets (-19 and -4 from rest) keep the pivot in one place. */
constexpr double kPivotLeftTurn = 28.5;
constexpr double kPivotRightTurn = 13.5;

/** @return the degrees of a turn: negative is anticlockwise. */
double turnAngle(Turn turn)
{
    switch (turn) {
    case Turn::Left:
        return -kKnobTurn;
    case Turn::Right:
        return kKnobTurn;
    case Turn::Rest:
        break;
    }
    return 0.0;
}

/** @return the preferred pivot x of a knob picture of width w. */
double preferredPivotX(Turn turn, int w)
{
    switch (turn) {
    case Turn::Left:
        return kPivotLeftTurn;
    case Turn::Right:
        return kPivotRightTurn;
    case Turn::Rest:
        break;
    }
    return w / 2.0;
}

/**
 * @return the pivot nearest to wanted that keeps outline, rotated by
 * angle, inside a picture of the given size with half a pixel to spare.
 */
QPointF fitPivot(const QPainterPath &outline, double angle, QPointF wanted, QSize size)
{
    const QRectF box = QTransform().rotate(angle).map(outline).boundingRect();
    const double lo = 0.5, hiX = size.width() - 0.5, hiY = size.height() - 0.5;
    const double x = std::clamp(wanted.x(), lo - box.left(), hiX - box.right());
    const double y = std::clamp(wanted.y(), lo - box.top(), hiY - box.bottom());
    return {x, y};
}

/** Gradient across a bar along the y axis: a lit left edge, dark right edge. */
QLinearGradient barGradient(double halfWidth, const QColor &lit, const QColor &mid, const QColor &dark)
{
    QLinearGradient g(-halfWidth, 0, halfWidth, 0);
    g.setColorAt(0.0, lit);
    g.setColorAt(0.35, mid);
    g.setColorAt(1.0, dark);
    return g;
}

/** Draws the black bakelite knob with its white pointer, pivot at the origin. */
void drawBakeliteKnob(QPainter &p)
{
    p.setPen(QPen(QColor(84, 84, 84), 0.9));
    litDisc(p, {0, 0}, 8.5, QColor(96, 96, 96), QColor(10, 10, 10));
    p.setPen(QPen(QColor(8, 8, 8), 0.8));
    p.setBrush(barGradient(4.5, QColor(88, 88, 88), QColor(26, 26, 26), QColor(4, 4, 4)));
    p.drawPath(capsule({0, 14}, 4.5, {0, -33.5}, 3.5));
    p.setPen(QPen(QColor(250, 250, 245), 1.7, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(0, -6), QPointF(0, -31.5));
}

/** Draws the chrome route lock: barrel with keyway, steel handle, black grip. */
void drawRouteLock(QPainter &p)
{
    p.setPen(QPen(QColor(45, 45, 45), 0.8));
    p.setBrush(barGradient(3.6, QColor(250, 250, 250), QColor(176, 178, 182), QColor(92, 94, 98)));
    p.drawPath(capsule({0, 12}, 3.6, {0, -27}, 3.0));
    p.setBrush(barGradient(3.9, QColor(90, 90, 90), QColor(20, 20, 20), QColor(4, 4, 4)));
    p.drawPath(capsule({0, -23}, 3.9, {0, -33.5}, 3.5));
    p.setBrush(QColor(36, 36, 36));
    p.drawEllipse(QPointF(0, 0), 8.5, 8.5);
    p.setPen(Qt::NoPen);
    litDisc(p, {0, 0}, 7.2, QColor(255, 255, 255), QColor(118, 120, 126));
    p.setBrush(QColor(20, 20, 20));
    p.drawEllipse(QPointF(0, -1.6), 1.7, 1.7);
    p.drawRect(QRectF(-0.8, -1.6, 1.6, 4.6));
    p.setPen(QPen(QColor(60, 60, 60), 0.9, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(0, -9.5), QPointF(0, -21.5));
}

/** @return the outline used to fit a knob into its picture. */
QPainterPath knobOutline()
{
    QPainterPath outline = capsule({0, 14}, 4.5, {0, -33.5}, 3.5);
    outline.addEllipse(QPointF(0, 0), 8.5, 8.5);
    return outline;
}

/** Draws the small switch: chrome rose, black lever and ball, pivot at the origin. */
void drawSmallSwitch(QPainter &p, double angle)
{
    p.setPen(QPen(QColor(50, 50, 50), 0.7));
    litDisc(p, {0, 0}, 5.0, QColor(245, 245, 245), QColor(110, 112, 116));
    p.rotate(angle);
    p.setBrush(barGradient(1.8, QColor(96, 96, 96), QColor(24, 24, 24), QColor(2, 2, 2)));
    p.setPen(QPen(QColor(6, 6, 6), 0.6));
    p.drawPath(capsule({0, 0}, 2.2, {0, -13}, 1.4));
    litDisc(p, {0, -13.0}, 2.6, QColor(120, 120, 120), QColor(6, 6, 6));
}

/** Draws the brass key lying along the x axis, bow to the left, its tip at the origin. */
void drawKey(QPainter &p)
{
    const QColor brass(214, 176, 74), brassDark(120, 90, 30);
    p.setPen(QPen(QColor(30, 30, 30), 0.7));
    p.setBrush(QColor(28, 28, 28));
    p.drawEllipse(QPointF(0, 0), 3.0, 3.0);
    p.setPen(QPen(brassDark, 0.6));
    QLinearGradient g(0, -1.6, 0, 1.6);
    g.setColorAt(0, brass.lighter(130));
    g.setColorAt(1, brassDark);
    p.setBrush(g);
    p.drawRect(QRectF(-15.5, -1.1, 15.0, 2.2));
    p.drawRect(QRectF(-6.5, 0.8, 4.0, 2.0));
    QPainterPath bow;
    bow.setFillRule(Qt::OddEvenFill);
    bow.addEllipse(QPointF(-18.0, 0), 3.4, 3.4);
    bow.addEllipse(QPointF(-18.0, 0), 1.3, 1.3);
    p.drawPath(bow);
}

} // namespace

QImage paintKnob(KnobStyle style, Turn turn, QSize size)
{
    QImage img = makeCanvas(size.width(), size.height());
    const double angle = turnAngle(turn);
    const QPointF pivot =
        fitPivot(knobOutline(), angle, {preferredPivotX(turn, size.width()), kKnobPivotY}, size);
    QPainter p(&img);
    setupPainter(p);
    p.translate(pivot);
    p.rotate(angle);
    if (style == KnobStyle::Bakelite)
        drawBakeliteKnob(p);
    else
        drawRouteLock(p);
    p.end();
    return keyed(img);
}

QImage paintSmallSwitch(int step, QSize size)
{
    /* Pivot places follow the Left shifts of the switches (3 and 4 px)
       and the one-pixel Top shift of the far-right picture. */
    static constexpr double kAngle[] = {-30.0, -20.0, 0.0, 20.0, 30.0};
    static constexpr double kPivotX[] = {10.0, 9.0, 6.0, 6.0, 6.0};
    static constexpr double kPivotY[] = {17.5, 18.5, 18.5, 18.5, 17.5};
    const int i = std::clamp(step, -2, 2) + 2;
    QImage img = makeCanvas(size.width(), size.height());
    QPainter p(&img);
    setupPainter(p);
    p.translate(kPivotX[i], kPivotY[i]);
    drawSmallSwitch(p, kAngle[i]);
    p.end();
    return keyed(img);
}

QImage paintKey(int stage, QSize size)
{
    QImage img = makeCanvas(size.width(), size.height());
    QPainter p(&img);
    setupPainter(p);
    /* The keyhole stays in one place on the desk while the key turns over
       through upright: off has the bow left, on has it right. */
    switch (stage) {
    case 0:
        p.translate(size.width() - 3.5, 3.5);
        break;
    case 1:
        p.translate(3.5, size.height() - 3.5);
        p.rotate(90);
        break;
    default:
        p.translate(3.5, 3.5);
        p.rotate(180);
        break;
    }
    drawKey(p);
    p.end();
    return keyed(img);
}

} // namespace art
