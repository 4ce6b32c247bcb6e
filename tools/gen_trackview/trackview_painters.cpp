/** @file trackview_painters.cpp Draws the station overview, the signal images, the stop marker and the boards. */
#include "trackview_painters.h"

#include "canvas.h"

namespace art {

namespace {

/**
 * The ground behind the station: only the station building. The rows,
 * the platforms and both throats are controls of their own, laid out with
 * the view's width.
 */
QImage paintOverview()
{
    QImage img = makeCanvas(746, 559);
    QPainter p(&img);
    setupPainter(p);
    p.setPen(Qt::NoPen);
    /* The building stands on the house platform's back edge, at 118. */
    p.setBrush(QColor(226, 212, 172));
    p.drawRect(QRectF(300, 66, 150, 52));
    p.setBrush(QColor(150, 52, 40));
    QPolygonF roof;
    roof << QPointF(292, 68) << QPointF(320, 48) << QPointF(430, 48) << QPointF(458, 68);
    p.drawPolygon(roof);
    p.setBrush(QColor(40, 56, 90));
    for (int x = 312; x < 440; x += 24)
        p.drawRect(QRectF(x, 80, 12, 16));
    p.setBrush(QColor(92, 60, 36));
    p.drawRect(QRectF(367, 96, 16, 22));
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
        {"ZhlaviL", kThroatWidth, 559, [] { return paintThroat(false, kThroatWidth); }},
        {"ZhlaviP", kThroatWidth, 559, [] { return paintThroat(true, kThroatWidth); }},
        {"Stavedlo1", 150, 112, [] { return paintSignalBox(1); }},
        {"Stavedlo2", 150, 112, [] { return paintSignalBox(2); }},
    };
    const char *const boards[] = {"CilDefault", "CilRadosov", "CilKunratov", "CilOstrohy",
                                  "CilSkala",   "CilTuchov",  "CilSedlec",   "CilBystrany"};
    for (int i = 0; i < 8; ++i)
        out.push_back({boards[i], 23, 21, [i] { return paintBoard(i); }});
    return out;
}

} // namespace art
