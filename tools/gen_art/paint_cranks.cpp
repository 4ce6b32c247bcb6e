/** @file paint_cranks.cpp The hand cranks in their two phases, and the empty vehicle slot. */
#include "canvas.h"
#include "painters.h"

#include <QLinearGradient>

#include <cmath>

namespace art {

namespace {

/** Distance from the crank's spindle to its handle. */
constexpr double kArm = 38.0;

/** @return the panel paint behind a crank: the desk and box 1 share one, box 2 is lighter. */
QColor crankPanel(CrankKind kind)
{
    return kind == CrankKind::Box2 ? QColor(182, 178, 164) : QColor(84, 100, 88);
}

/** @return the arm's angle in degrees from upright, clockwise, for a kind and phase. */
double armAngle(CrankKind kind, bool on)
{
    double up = 0.0;
    if (kind == CrankKind::Left)
        up = -28.0;
    else if (kind == CrankKind::Right)
        up = 28.0;
    /* The second phase shows the handle half a turn further round. */
    return on ? up + 180.0 : up;
}

/** Draws the round flange with its four screws. */
void drawFlange(QPainter &p, QPointF c)
{
    p.setPen(QPen(QColor(26, 26, 28), 0.8));
    litDisc(p, c, 21.0, QColor(168, 170, 176), QColor(54, 56, 62));
    for (int k = 0; k < 4; ++k) {
        const double a = (45.0 + 90.0 * k) * M_PI / 180.0;
        litDisc(p, c + QPointF(15.5 * std::cos(a), 15.5 * std::sin(a)), 2.0, QColor(210, 210, 214),
                QColor(60, 60, 64));
    }
}

/** Draws the arm from the spindle (origin) upwards and the black handle at its end. */
void drawArmAndHandle(QPainter &p)
{
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 80));
    p.drawPath(capsule({2.5, 2.5}, 6.5, {2.5, -kArm + 2.5}, 4.5));
    p.drawEllipse(QPointF(3.0, -kArm + 3.0), 8.0, 8.0);
    QLinearGradient steel(-6.5, 0, 6.5, 0);
    steel.setColorAt(0, QColor(236, 236, 240));
    steel.setColorAt(0.4, QColor(170, 172, 178));
    steel.setColorAt(1, QColor(70, 72, 78));
    p.setPen(QPen(QColor(30, 30, 34), 0.8));
    p.setBrush(steel);
    p.drawPath(capsule({0, 0}, 6.5, {0, -kArm}, 4.5));
    litDisc(p, {0, 0}, 5.0, QColor(120, 122, 128), QColor(28, 28, 32));
    p.setPen(QPen(QColor(6, 6, 6), 0.8));
    litDisc(p, {0, -kArm}, 7.8, QColor(104, 104, 104), QColor(6, 6, 6));
    p.setPen(QPen(QColor(70, 70, 70), 0.7));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(0, -kArm), 4.6, 4.6);
}

} // namespace

QImage paintCrank(CrankKind kind, bool on, QSize size)
{
    const QColor panel = crankPanel(kind);
    QImage img = makeCanvas(size.width(), size.height(), panel);
    addGrain(img, img.rect(), QStringLiteral("crank"), 5);
    QPainter p(&img);
    setupPainter(p);
    const QPointF centre(size.width() / 2.0, size.height() / 2.0);
    drawFlange(p, centre);
    p.translate(centre);
    p.rotate(armAngle(kind, on));
    drawArmAndHandle(p);
    p.end();
    return flattened(img, panel);
}

QImage paintEmptyVehicle(QSize size)
{
    /* One plain colour from top to bottom: a transparent slot showing it is
       wholly see-through, and an opaque one is a hair of dark ground. */
    QImage img(size, QImage::Format_RGB32);
    img.fill(QColor(30, 30, 30));
    return img;
}

} // namespace art
