/** @file menu_painters.cpp Drawing of the menu's buttons, column pictures, intro slides and the station overview. */
#include "menu_painters.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>

namespace {

const QColor Navy(0, 0, 128);
const QColor Blue(0, 0, 255);
const QColor SlideBlue(0, 153, 255);

QImage canvas(int w, int h, const QColor &fill)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(fill);
    return img;
}

/** A square button seen from the front: a bevelled cap, optionally with a lamp in its middle. */
QImage buttonPicture(const QColor &face, bool pressed, const QColor &lamp)
{
    QImage img = canvas(128, 128, Qt::black);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF outer(6, 6, 116, 116);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 40, 48));
    p.drawRoundedRect(outer, 18, 18);
    QLinearGradient cap(0, 10, 0, 118);
    cap.setColorAt(0, pressed ? face.darker(160) : face.lighter(190));
    cap.setColorAt(1, pressed ? face.lighter(120) : face.darker(140));
    p.setBrush(cap);
    const QRectF inner = pressed ? QRectF(16, 18, 96, 96) : QRectF(14, 12, 100, 100);
    p.drawRoundedRect(inner, 14, 14);
    p.setPen(QPen(QColor(255, 255, 255, pressed ? 40 : 110), 3));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(inner.adjusted(4, 4, -4, -4), 11, 11);
    if (lamp.isValid()) {
        QRadialGradient glow(64, 60, 30, 56, 52);
        glow.setColorAt(0, lamp.lighter(170));
        glow.setColorAt(1, lamp.darker(130));
        p.setPen(QPen(QColor(20, 20, 20), 3));
        p.setBrush(glow);
        p.drawEllipse(QPointF(64, 62), 26, 26);
    }
    return img;
}

/** Rails running into the distance from the bottom edge towards a vanishing point. */
void drawPerspectiveTrack(QPainter &p, QPointF vanish, double bottomY, double halfGauge, double left, const QColor &rail)
{
    const double centre = left;
    for (int k = 0; k < 14; ++k) {
        const double t = std::pow(0.8, k);
        const double y = vanish.y() + (bottomY - vanish.y()) * t;
        const double x = vanish.x() + (centre - vanish.x()) * t;
        const double half = halfGauge * t * 1.5;
        p.setPen(QPen(QColor(110, 80, 50), std::max(1.0, 8 * t)));
        p.drawLine(QPointF(x - half, y), QPointF(x + half, y));
    }
    p.setPen(QPen(rail, 4));
    p.drawLine(QPointF(centre - halfGauge, bottomY), vanish);
    p.drawLine(QPointF(centre + halfGauge, bottomY), vanish);
}

/** A semaphore-like light signal: mast, head and lamps from the top. */
void drawSignal(QPainter &p, QPointF foot, double height, const QList<QColor> &lamps)
{
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(60, 60, 60));
    p.drawRect(QRectF(foot.x() - 3, foot.y() - height, 6, height));
    const double headH = 18.0 * lamps.size() + 8;
    const QRectF head(foot.x() - 14, foot.y() - height - headH, 28, headH);
    p.setBrush(QColor(20, 20, 20));
    p.drawRoundedRect(head, 6, 6);
    for (int k = 0; k < lamps.size(); ++k) {
        p.setBrush(lamps[k]);
        p.drawEllipse(QPointF(head.center().x(), head.top() + 13 + 18 * k), 7, 7);
    }
}

QImage topPicture()
{
    QImage img = canvas(700, 200, Qt::black);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, 200);
    sky.setColorAt(0, QColor(0, 0, 40));
    sky.setColorAt(1, QColor(0, 20, 90));
    p.fillRect(img.rect(), sky);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(10, 10, 30));
    QPainterPath hills;
    hills.moveTo(0, 200);
    for (int x = 0; x <= 700; x += 20)
        hills.lineTo(x, 150 - 25 * std::sin(x / 90.0) - 10 * std::sin(x / 23.0));
    hills.lineTo(700, 200);
    p.drawPath(hills);
    drawPerspectiveTrack(p, QPointF(520, 150), 200, 60, 430, QColor(170, 170, 190));
    drawSignal(p, QPointF(600, 190), 90, {QColor(0, 220, 0), QColor(60, 0, 0)});
    p.setPen(QPen(Navy.lighter(250), 3));
    p.drawLine(QPointF(0, 196), QPointF(700, 196));
    return img;
}

QImage sidePicture()
{
    QImage img = canvas(200, 700, Qt::black);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient band(0, 0, 200, 0);
    band.setColorAt(0, QColor(0, 0, 90));
    band.setColorAt(1, QColor(0, 0, 10));
    p.fillRect(img.rect(), band);
    /* A rail seen from above running down the column, with its sleepers. */
    for (int y = 10; y < 700; y += 36) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(90, 65, 40));
        p.drawRect(QRectF(40, y, 120, 14));
    }
    p.setBrush(QColor(180, 180, 200));
    p.drawRect(QRectF(62, 0, 8, 700));
    p.drawRect(QRectF(130, 0, 8, 700));
    p.setPen(QPen(Navy.lighter(250), 3));
    p.drawLine(QPointF(196, 0), QPointF(196, 700));
    return img;
}

QImage bottomPicture()
{
    QImage img = canvas(700, 200, Qt::black);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient ground(0, 0, 0, 200);
    ground.setColorAt(0, QColor(0, 10, 60));
    ground.setColorAt(1, QColor(0, 0, 10));
    p.fillRect(img.rect(), ground);
    /* A points junction: the straight track and the branch curving away. */
    p.setPen(QPen(QColor(170, 170, 190), 5));
    p.drawLine(QPointF(0, 80), QPointF(700, 80));
    p.drawLine(QPointF(0, 120), QPointF(700, 120));
    QPainterPath branch;
    branch.moveTo(200, 120);
    branch.cubicTo(380, 120, 480, 170, 700, 170);
    p.setBrush(Qt::NoBrush);
    p.drawPath(branch);
    QPainterPath branch2;
    branch2.moveTo(240, 80);
    branch2.cubicTo(400, 85, 500, 130, 700, 130);
    p.drawPath(branch2);
    p.setPen(QPen(Navy.lighter(250), 3));
    p.drawLine(QPointF(0, 4), QPointF(700, 4));
    return img;
}

/** The first slide: a track running to the horizon under a clear signal, on white. */
QImage firstSlide()
{
    QImage img = canvas(800, 600, Qt::white);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(225, 235, 250));
    p.drawRect(QRectF(0, 0, 800, 330));
    drawPerspectiveTrack(p, QPointF(420, 300), 600, 170, 400, Navy);
    drawSignal(p, QPointF(640, 520), 220, {QColor(0, 200, 0), QColor(230, 230, 230), QColor(230, 230, 230)});
    p.setBrush(Navy);
    p.drawRect(QRectF(60, 40, 680, 14));
    p.setBrush(Blue);
    p.drawRect(QRectF(60, 62, 440, 8));
    return img;
}

/** The second slide: the station building with its platform, on white. */
QImage secondSlide()
{
    QImage img = canvas(738, 227, Qt::white);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Navy, 3));
    p.setBrush(QColor(235, 225, 200));
    p.drawRect(QRectF(250, 60, 240, 110));
    QPolygonF roof{{235, 62}, {370, 12}, {505, 62}};
    p.setBrush(QColor(150, 40, 30));
    p.drawPolygon(roof);
    p.setBrush(QColor(120, 170, 230));
    for (int k = 0; k < 4; ++k)
        p.drawRect(QRectF(272 + 56 * k, 86, 30, 40));
    p.setBrush(QColor(110, 70, 40));
    p.drawRect(QRectF(356, 130, 28, 40));
    p.setPen(QPen(Navy, 4));
    for (int y : {185, 205})
        p.drawLine(QPointF(0, y), QPointF(738, y));
    p.setPen(QPen(QColor(140, 140, 140), 8));
    p.drawLine(QPointF(0, 174), QPointF(738, 174));
    return img;
}

/** The third slide: the station's plan, three lines meeting at five tracks, on blue. */
QImage thirdSlide()
{
    QImage img = canvas(738, 379, SlideBlue);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::white, 5));
    const int ys[5] = {110, 150, 190, 230, 270};
    for (int y : ys)
        p.drawLine(QPointF(220, y), QPointF(520, y));
    /* Lines A and B leave to the left, line C to the right. */
    p.drawLine(QPointF(0, 150), QPointF(150, 190));
    p.drawLine(QPointF(0, 300), QPointF(150, 190));
    p.drawLine(QPointF(150, 190), QPointF(220, 190));
    for (int y : ys)
        p.drawLine(QPointF(180, 190), QPointF(220, y));
    for (int y : ys)
        p.drawLine(QPointF(520, y), QPointF(570, 190));
    p.drawLine(QPointF(570, 190), QPointF(738, 190));
    p.setPen(Qt::NoPen);
    p.setBrush(Navy);
    p.drawRect(QRectF(330, 300, 80, 40));
    p.setBrush(QColor(255, 255, 255));
    p.drawRect(QRectF(60, 60, 44, 30));
    p.drawRect(QRectF(630, 60, 44, 30));
    return img;
}

/** The small picture of the settings' first tab: a rail with sleepers. */
QImage settingsPicture()
{
    QImage img = canvas(227, 13, QColor(212, 208, 200));
    QPainter p(&img);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(110, 80, 50));
    for (int x = 2; x < 227; x += 9)
        p.drawRect(QRect(x, 1, 4, 11));
    p.setBrush(Navy);
    p.drawRect(QRect(0, 3, 227, 2));
    p.drawRect(QRect(0, 8, 227, 2));
    return img;
}

/** A small building of the overview: walls, roof and two windows. */
void drawHouse(QPainter &p, QRectF walls, const QColor &roof)
{
    p.setPen(QPen(QColor(200, 200, 200), 1));
    p.setBrush(QColor(90, 90, 110));
    p.drawRect(walls);
    p.setBrush(roof);
    p.drawPolygon(QPolygonF{{walls.left() - 4, walls.top()},
                            {walls.center().x(), walls.top() - 14},
                            {walls.right() + 4, walls.top()}});
    p.setBrush(QColor(250, 220, 90));
    p.drawRect(QRectF(walls.left() + 6, walls.top() + 6, 8, 8));
    p.drawRect(QRectF(walls.right() - 14, walls.top() + 6, 8, 8));
}

/**
 * The station overview of the position panel, 373 x 100: from left to
 * right signal box 1, the station tracks, the dispatcher's office and
 * signal box 2, each in the 85 px column of its hotspot.
 */
QImage stationOverview()
{
    QImage img = canvas(373, 100, Qt::black);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(150, 150, 170), 2));
    p.drawLine(QPointF(0, 60), QPointF(373, 60));
    for (int k = 0; k < 5; ++k)
        p.drawLine(QPointF(100, 22 + 12 * k), QPointF(180, 22 + 12 * k));
    p.drawLine(QPointF(86, 60), QPointF(100, 22));
    p.drawLine(QPointF(180, 70), QPointF(196, 60));
    drawHouse(p, QRectF(20, 30, 46, 30), QColor(150, 40, 30));
    drawHouse(p, QRectF(206, 62, 60, 30), QColor(30, 110, 40));
    drawHouse(p, QRectF(308, 30, 46, 30), QColor(150, 40, 30));
    p.setPen(QPen(QColor(0, 0, 128), 1, Qt::DotLine));
    for (int x : {90, 186, 282})
        p.drawLine(QPointF(x, 0), QPointF(x, 100));
    return img;
}

/** The marker of the view's own place: a red square with a yellow centre. */
QImage marker()
{
    QImage img = canvas(6, 6, QColor(200, 0, 0));
    img.setPixelColor(2, 2, QColor(255, 230, 0));
    img.setPixelColor(3, 2, QColor(255, 230, 0));
    img.setPixelColor(2, 3, QColor(255, 230, 0));
    img.setPixelColor(3, 3, QColor(255, 230, 0));
    return img;
}

} // namespace

std::vector<MenuPicture> menuPictures()
{
    return {
        {"Tl1", buttonPicture(Navy, false, QColor())},
        {"Tl2", buttonPicture(Navy, true, QColor())},
        {"Tl3", buttonPicture(Navy, false, QColor(0, 210, 0))},
        {"Tl4", buttonPicture(Navy, false, QColor(120, 0, 0))},
        {"Tl5", buttonPicture(Blue, false, QColor(255, 255, 255))},
        {"F1", topPicture()},
        {"F2", sidePicture()},
        {"F3", bottomPicture()},
        {"E5", firstSlide()},
        {"E6", secondSlide()},
        {"E7", thirdSlide()},
        {"C0", settingsPicture()},
        {"C2", stationOverview()},
        {"C8", marker()},
    };
}
