/** @file trackview_painters.cpp Draws the station overview, the signal images, the stop marker and the boards. */
#include "trackview_painters.h"

#include "canvas.h"

namespace art {

namespace {

/** Row tops of tracks 7, 5, 3, 1, 2 inside the track view's content, and their numbers. */
constexpr int kRowTops[] = {96, 168, 240, 312, 384};
constexpr int kTrackNumbers[] = {7, 5, 3, 1, 2};

const QColor kBallast(118, 108, 96);
const QColor kSleeper(72, 56, 44);
const QColor kPlatform(196, 196, 190);
const QColor kPlatformEdge(250, 250, 250);

/** The station seen from above: ballast beds, the throats, the platforms and the station building. */
QImage paintOverview()
{
    QImage img = makeCanvas(746, 559);
    QPainter p(&img);
    setupPainter(p);
    p.setPen(Qt::NoPen);

    /* Both throats: every track's bed runs to the main line of track 1 at the view's ends. */
    const double mainY = 312 + 66;
    QPen bed(kBallast, 12, Qt::SolidLine, Qt::FlatCap);
    p.setPen(bed);
    for (int top : kRowTops) {
        const double y = top + 66;
        p.drawLine(QPointF(150, y), QPointF(40, mainY));
        p.drawLine(QPointF(596, y), QPointF(706, mainY));
    }
    p.setPen(Qt::NoPen);
    for (int top : kRowTops) {
        p.setBrush(kBallast);
        p.drawRect(QRectF(100, top + 60, 546, 12));
        p.setBrush(kSleeper);
        for (int x = 102; x < 644; x += 8)
            p.drawRect(QRectF(x, top + 62, 4, 9));
    }
    p.setBrush(kBallast);
    p.drawRect(QRectF(0, mainY - 6, 746, 12));

    /* Platforms: the house platform by track 7 and the island platforms between the tracks. */
    auto platform = [&p](const QRectF &r) {
        p.setBrush(kPlatform);
        p.drawRect(r);
        p.setBrush(kPlatformEdge);
        p.drawRect(QRectF(r.left(), r.top(), r.width(), 1.5));
        p.drawRect(QRectF(r.left(), r.bottom() - 1.5, r.width(), 1.5));
    };
    platform(QRectF(170, 80, 400, 14));
    platform(QRectF(200, 236, 340, 4));
    platform(QRectF(200, 380, 340, 4));
    platform(QRectF(170, 456, 400, 14));

    /* The station building behind the house platform. */
    p.setBrush(QColor(226, 212, 172));
    p.drawRect(QRectF(300, 26, 150, 52));
    p.setBrush(QColor(150, 52, 40));
    QPolygonF roof;
    roof << QPointF(292, 28) << QPointF(320, 8) << QPointF(430, 8) << QPointF(458, 28);
    p.drawPolygon(roof);
    p.setBrush(QColor(40, 56, 90));
    for (int x = 312; x < 440; x += 24)
        p.drawRect(QRectF(x, 40, 12, 16));
    p.setBrush(QColor(92, 60, 36));
    p.drawRect(QRectF(367, 56, 16, 22));

    /* Track numbers at the left of the beds. */
    const QPen digits(Qt::white, 2);
    for (int i = 0; i < 5; ++i)
        drawDigit(p, kTrackNumbers[i], QRectF(108, kRowTops[i] + 40, 8, 14), digits);
    p.end();
    return keyed(img);
}

/** A signal with its head (width w) at headX, lamp places of diameter lampW x lampH at lampX and the offsets. */
QImage paintSignal(int w, double headX, double headW, double lampX, QSizeF lamp, const int (&offsets)[4])
{
    QImage img = makeCanvas(w, 64);
    QPainter p(&img);
    setupPainter(p);
    p.setPen(Qt::NoPen);
    const double mastX = headX + headW / 2 - 1.5;
    p.setBrush(QColor(120, 120, 120));
    p.drawRect(QRectF(mastX, 34, 3, 28));
    p.setBrush(QColor(80, 80, 80));
    p.drawRect(QRectF(mastX - 3, 60, 9, 4));
    p.setBrush(QColor(20, 20, 20));
    p.drawRoundedRect(QRectF(headX, 0.5, headW, 35), 3, 3);
    p.setBrush(QColor(70, 70, 70));
    for (int off : offsets)
        p.drawEllipse(QRectF(lampX, off, lamp.width(), lamp.height()));
    p.end();
    return keyed(img);
}

/** The stop marker: a red disc with a white rim on a stand. */
QImage paintStop()
{
    QImage img = makeCanvas(17, 21);
    QPainter p(&img);
    setupPainter(p);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(90, 90, 90));
    p.drawRect(QRectF(7.5, 14, 2, 7));
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(8.5, 7.5), 7.5, 7.5);
    p.setBrush(QColor(210, 0, 0));
    p.drawEllipse(QPointF(8.5, 7.5), 5.5, 5.5);
    p.end();
    return keyed(img);
}

/** A target-station board: white with an orange frame on two legs; mark 0 is blank, 1 .. 7 a digit. */
QImage paintBoard(int mark)
{
    QImage img = makeCanvas(23, 21);
    QPainter p(&img);
    setupPainter(p);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(70, 70, 70));
    p.drawRect(QRectF(4, 12, 2, 9));
    p.drawRect(QRectF(17, 12, 2, 9));
    p.setBrush(Qt::white);
    p.setPen(QPen(QColor(255, 128, 0), 2));
    p.drawRect(QRectF(1.5, 1.5, 20, 11));
    if (mark > 0)
        drawDigit(p, mark, QRectF(9, 3.5, 5, 7), QPen(Qt::black, 1.5));
    p.end();
    return keyed(img);
}

} // namespace

std::vector<TrackViewPicture> trackViewPictures()
{
    static constexpr int kLeft[4] = {4, 11, 22, 29};
    static constexpr int kSmall[4] = {3, 11, 19, 27};
    std::vector<TrackViewPicture> out = {
        {"Prehled", 746, 559, paintOverview},
        {"NavestidloL", 25, 64, [] { return paintSignal(25, 14, 11, 17, QSizeF(4, 4), kLeft); }},
        {"NavestidloP", 13, 64, [] { return paintSignal(13, 1, 10, 3, QSizeF(4, 5), kSmall); }},
        {"NavestidloLc", 25, 64, [] { return paintSignal(25, 2, 11, 5, QSizeF(4, 4), kLeft); }},
        {"Stop", 17, 21, paintStop},
    };
    const char *const boards[] = {"CilDefault", "CilRadosov", "CilKunratov", "CilOstrohy",
                                  "CilSkala",   "CilTuchov",  "CilSedlec",   "CilBystrany"};
    for (int i = 0; i < 8; ++i)
        out.push_back({boards[i], 23, 21, [i] { return paintBoard(i); }});
    return out;
}

} // namespace art
