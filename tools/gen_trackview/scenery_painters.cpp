/** @file scenery_painters.cpp Draws the station's throats and the signal boxes' buildings. */
#include "trackview_painters.h"

#include "canvas.h"

#include <QPainterPath>

namespace art {

namespace {

/** Row tops of tracks 7, 5, 3, 1, 2 inside the track view's content, and their numbers. */
constexpr int kRowTops[] = {96, 168, 240, 312, 384};
constexpr int kTrackNumbers[] = {7, 5, 3, 1, 2};
/** Height of a track view picture; the throats cover the whole content height. */
constexpr int kViewHeight = 559;

const QColor kBallast(118, 108, 96);
const QColor kSleeper(72, 56, 44);
const QColor kBar(128, 0, 0);
const QColor kRail(192, 192, 192);

/** @return the middle of track row i's bar (row top + 65, 5 px high). */
double barMiddle(int i)
{
    return kRowTops[i] + 67.5;
}

/** How far a turnout's diverging track drops (or rises) across the throat. */
constexpr double kLegDrop = 30;

/** Draws one diagonal of the throat as the rows are drawn: maroon bed, silver rail, sleepers across. */
void drawDiagonal(QPainter &p, QPointF from, QPointF to)
{
    const QLineF line(from, to);
    const QLineF normal = line.normalVector().unitVector();
    const QPointF across(normal.dx() * 6, normal.dy() * 6);
    p.setPen(QPen(kSleeper, 2, Qt::SolidLine, Qt::FlatCap));
    for (double t = 0.04; t < 1.0; t += 6.0 / line.length()) {
        const QPointF at = line.pointAt(t);
        p.drawLine(at - across, at + across);
    }
    p.setPen(QPen(kBar, 5, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(line);
    p.setPen(QPen(kRail, 2, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(line.translated(0, -1.5));
}

/** Draws a track-number board: a white plate with a black digit on a short post. */
void drawTrackBoard(QPainter &p, double x, double y, int number)
{
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(80, 80, 80));
    p.drawRect(QRectF(x + 5, y + 16, 2, 6));
    p.setBrush(Qt::white);
    p.setPen(QPen(QColor(30, 30, 30), 1));
    p.drawRect(QRectF(x + 0.5, y + 0.5, 11, 16));
    drawDigit(p, number, QRectF(x + 3, y + 3.5, 6, 10), QPen(Qt::black, 1.6));
}

} // namespace

QImage paintThroat(bool rightHand, int width)
{
    QImage img = makeCanvas(width, kViewHeight);
    QPainter p(&img);
    setupPainter(p);
    /* The gravel of the points, across all rows, from the view's edge to where the platforms begin. */
    p.setPen(Qt::NoPen);
    p.setBrush(kBallast);
    p.drawRect(QRectF(0, barMiddle(0) - 12, width, barMiddle(4) - barMiddle(0) + 22));
    p.end();
    addGrain(img, img.rect(), rightHand ? QStringLiteral("ZhlaviP") : QStringLiteral("ZhlaviL"), 10);

    /* Drawn as the left-hand throat; the right-hand one is its mirror, its boards read the right way. */
    p.begin(&img);
    setupPainter(p);
    if (rightHand) {
        p.translate(width, 0);
        p.scale(-1, 1);
    }
    /* Tracks 7, 5 and 3 turn off towards the main track 1 below them, track 2 towards it above. */
    for (int i : {0, 1, 2})
        drawDiagonal(p, QPointF(width, barMiddle(i)), QPointF(0, barMiddle(i) + kLegDrop));
    drawDiagonal(p, QPointF(width, barMiddle(4)), QPointF(0, barMiddle(4) - kLegDrop));
    p.resetTransform();
    /* Each track's number board stands between its exit signal and the platform's end. */
    for (int i = 0; i < 5; ++i) {
        const double x = rightHand ? width - 48 : 36;
        drawTrackBoard(p, x, kRowTops[i] + (i == 4 ? 36 : 42), kTrackNumbers[i]);
    }
    p.end();
    return keyed(img);
}

QImage paintSignalBox(int box)
{
    QImage img = makeCanvas(150, 112);
    QPainter p(&img);
    setupPainter(p);
    p.setPen(Qt::NoPen);
    const QColor wall(226, 212, 172);
    const QColor window(40, 56, 90);
    const QColor roof(150, 52, 40);

    /* The ground floor with the relay room's small windows and the door. */
    p.setBrush(shade(wall, 0.92));
    p.drawRect(QRectF(22, 58, 106, 54));
    p.setBrush(window);
    for (double x : {32.0, 52.0, 98.0, 114.0})
        p.drawRect(QRectF(x, 72, 8, 12));
    p.setBrush(QColor(92, 60, 36));
    p.drawRect(QRectF(68, 84, 16, 28));
    /* The box's number on a plate over the door. */
    p.setBrush(Qt::white);
    p.setPen(QPen(QColor(30, 30, 30), 1));
    p.drawRect(QRectF(70.5, 66.5, 11, 14));
    drawDigit(p, box, QRectF(73, 69, 6, 9), QPen(Qt::black, 1.6));
    p.setPen(Qt::NoPen);

    /* The operating room above, wider than the ground floor and glazed all round. */
    p.setBrush(wall);
    p.drawRect(QRectF(12, 26, 126, 32));
    p.setBrush(QColor(200, 188, 150));
    p.drawRect(QRectF(10, 56, 130, 4));
    for (int k = 0; k < 7; ++k) {
        const QRectF pane(18 + k * 17.4, 31, 13, 21);
        p.setBrush(Qt::white);
        p.drawRect(pane.adjusted(-1.5, -1.5, 1.5, 1.5));
        p.setBrush(window);
        p.drawRect(pane);
        p.setBrush(QColor(90, 110, 150));
        p.drawRect(QRectF(pane.left() + 2, pane.top() + 2, 3, 8));
    }

    /* The hipped roof with its chimney. */
    p.setBrush(QColor(110, 40, 30));
    p.drawRect(QRectF(104, 2, 8, 14));
    QPolygonF hip;
    hip << QPointF(4, 28) << QPointF(34, 8) << QPointF(116, 8) << QPointF(146, 28);
    p.setBrush(roof);
    p.drawPolygon(hip);
    p.setBrush(shade(roof, 0.75));
    p.drawRect(QRectF(4, 26, 142, 3));
    p.end();
    return keyed(img);
}

} // namespace art
