/** @file vehicle_painter.cpp Drawing parts shared by the vehicle pictures: track, running gear, bodies. */
#include "vehicle_painter.h"

namespace gen {

VehiclePainter::VehiclePainter(QImage &image)
    : m_painter(&image), m_width(image.width())
{
    m_painter.setRenderHint(QPainter::Antialiasing, false);
    m_painter.setPen(Qt::NoPen);
    background();
}

void VehiclePainter::background()
{
    box(0, 0, m_width - 1, kPictureHeight - 1, colours::kBackground);
}

void VehiclePainter::box(int left, int top, int right, int bottom, const QColor &colour)
{
    m_painter.fillRect(QRect(QPoint(left, top), QPoint(right, bottom)), colour);
}

void VehiclePainter::polygon(std::initializer_list<QPoint> corners, const QColor &colour)
{
    m_painter.setPen(Qt::NoPen);
    m_painter.setBrush(colour);
    m_painter.drawPolygon(QPolygon(QList<QPoint>(corners)));
    m_painter.setBrush(Qt::NoBrush);
}

void VehiclePainter::line(int x1, int y1, int x2, int y2, const QColor &colour)
{
    m_painter.setPen(QPen(colour, 1));
    m_painter.drawLine(x1, y1, x2, y2);
    m_painter.setPen(Qt::NoPen);
}

void VehiclePainter::disc(int centreX, int centreY, int radius, const QColor &colour)
{
    m_painter.setPen(Qt::NoPen);
    m_painter.setBrush(colour);
    m_painter.drawEllipse(QPoint(centreX, centreY), radius, radius);
    m_painter.setBrush(Qt::NoBrush);
}

void VehiclePainter::frame()
{
    box(2, kFrameTop, m_width - 3, kFrameTop + 3, colours::kSteel);
    /* Buffers stick out to the picture's edge, so coupled pictures touch. */
    box(0, kFrameTop, 1, kFrameTop + 2, colours::kBuffer);
    box(m_width - 2, kFrameTop, m_width - 1, kFrameTop + 2, colours::kBuffer);
}

void VehiclePainter::wheel(int centreX)
{
    disc(centreX, kRailTop - 5, 5, colours::kWheel);
    disc(centreX, kRailTop - 5, 1, colours::kHub);
}

void VehiclePainter::bogie(int centreX)
{
    box(centreX - 11, kFrameTop + 4, centreX + 11, kFrameTop + 8, colours::kSteel);
    wheel(centreX - 6);
    wheel(centreX + 6);
    box(centreX - 2, kFrameTop + 5, centreX + 2, kFrameTop + 7, colours::kHub);
}

void VehiclePainter::axle(int centreX)
{
    box(centreX - 7, kFrameTop + 4, centreX + 7, kFrameTop + 5, colours::kSteel);
    wheel(centreX);
}

void VehiclePainter::windows(int left, int right, int top, int height, int count,
                             const QColor &glass)
{
    if (count <= 0)
        return;
    const int pitch = (right - left + 1) / count;
    const int gap = pitch / 4 < 2 ? 2 : pitch / 4;
    for (int i = 0; i < count; ++i) {
        const int x = left + i * pitch + gap / 2;
        box(x, top, x + pitch - gap - 1, top + height - 1, glass);
    }
}

void VehiclePainter::door(int left, int width, int top, const QColor &colour, const QColor &glass)
{
    box(left, top, left + width - 1, kFrameTop - 1, colour);
    box(left + 2, top + 3, left + width - 3, top + 10, glass);
}

void VehiclePainter::pantograph(int centreX, int roofTop)
{
    const QColor arm{150, 150, 150};
    box(centreX - 6, roofTop - 2, centreX + 6, roofTop - 1, colours::kHub);
    line(centreX - 5, roofTop - 3, centreX + 3, roofTop - 9, arm);
    line(centreX + 3, roofTop - 9, centreX - 3, roofTop - 15, arm);
    box(centreX - 9, roofTop - 16, centreX + 5, roofTop - 16, colours::kBuffer);
}

void VehiclePainter::headLamps(int left, int right, int y)
{
    box(left, y, left + 2, y + 2, colours::kLamp);
    box(right - 2, y, right, y + 2, colours::kLamp);
}

} // namespace gen
