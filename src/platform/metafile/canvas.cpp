/** @file canvas.cpp The device context of a metafile: its picture, object table, saved states, transforms and pens. */
#include "platform/metafile/canvas.h"

#include "platform/metafile.h"
#include "platform/picture_memory.h"

#include <algorithm>
#include <cmath>

namespace platform::metafile {

Canvas::Canvas(QSize size, const QTransform &deviceToPicture)
    : m_image(newPicture(size.width(), size.height(), QImage::Format_ARGB32_Premultiplied)),
      m_deviceToPicture(deviceToPicture), m_budget(m_image.rect())
{
    m_image.fill(Qt::transparent);
    m_painter.begin(&m_image);
}

Canvas::~Canvas()
{
    if (m_painter.isActive())
        m_painter.end();
    if (m_whitePainter.isActive())
        m_whitePainter.end();
}

QImage Canvas::take()
{
    m_painter.end();
    if (!m_kept.isEmpty())
        join();
    return m_image;
}

double Canvas::deviceHeight(double logical) const
{
    const QTransform t = logicalToPicture();
    return std::abs(logical) * std::hypot(t.m21(), t.m22());
}

void Canvas::create(int64_t index, Object object)
{
    if (index < 0) {
        /* A freed index that has been taken again since (EMF names its own) is let go. */
        while (!m_freed.empty() && (m_freed.top() >= int64_t(m_objects.size()) || m_objects[size_t(m_freed.top())]))
            m_freed.pop();
        index = int64_t(m_objects.size());
        if (!m_freed.empty()) {
            index = m_freed.top();
            m_freed.pop();
        }
    }
    if (index > 65535)
        throw broken("index objektu");
    if (index >= int64_t(m_objects.size()))
        m_objects.resize(size_t(index) + 1);
    m_objects[size_t(index)] = std::move(object);
}

void Canvas::remove(int64_t index)
{
    if (index >= 0 && index < int64_t(m_objects.size()) && m_objects[size_t(index)]) {
        m_objects[size_t(index)].reset();
        m_freed.push(index);
    }
}

void Canvas::select(int64_t index)
{
    if (index < 0 || index >= int64_t(m_objects.size()) || !m_objects[size_t(index)])
        return; // selecting nothing leaves the context as it is
    const Object &o = *m_objects[size_t(index)];
    if (const QPen *pen = std::get_if<QPen>(&o))
        m_dc.pen = *pen;
    else if (const QBrush *brush = std::get_if<QBrush>(&o))
        m_dc.brush = *brush;
    else
        m_dc.font = std::get<LogFont>(o);
}

void Canvas::selectStock(uint32_t which)
{
    static const QColor greys[] = {Qt::white, QColor(192, 192, 192), QColor(128, 128, 128),
                                   QColor(64, 64, 64), Qt::black};
    if (which <= 4)
        m_dc.brush = QBrush(greys[which]);
    else if (which == 5)
        m_dc.brush = QBrush(Qt::NoBrush);
    else if (which == 6 || which == 7)
        m_dc.pen = QPen(which == 6 ? Qt::white : Qt::black, 0);
    else if (which == 8)
        m_dc.pen = QPen(Qt::NoPen);
    else if (which >= 10 && which <= 17)
        m_dc.font = LogFont{.face = QStringLiteral("Arial"), .height = -12};
}

void Canvas::save()
{
    if (m_saved.size() >= kMaxSavedStates)
        throw broken("uložené stavy");
    m_saved.push_back(m_dc);
}

void Canvas::restore(int64_t which)
{
    /* Negative: that many levels back; positive: the level of that number. */
    const int64_t level = which < 0 ? int64_t(m_saved.size()) + which : which - 1;
    if (level < 0 || level >= int64_t(m_saved.size()))
        return;
    m_dc = m_saved[size_t(level)];
    m_saved.resize(size_t(level));
}

void Canvas::setWorld(const QTransform &given, int how)
{
    QTransform world;
    if (how == kWorldIdentity)
        world = QTransform();
    else if (how == kWorldFirst)
        world = given * m_dc.world;
    else if (how == kWorldLast)
        world = m_dc.world * given;
    else if (how == kWorldSet)
        world = given;
    else
        return;
    for (const double v : {world.m11(), world.m12(), world.m21(), world.m22(), world.dx(), world.dy()})
        if (!std::isfinite(v) || std::abs(v) > kMaxWorldEntry)
            return;
    const double determinant = world.m11() * world.m22() - world.m12() * world.m21();
    if (!std::isfinite(determinant) || determinant == 0)
        return;
    m_dc.world = world;
}

QPen Canvas::devicePen() const
{
    QPen pen = m_dc.pen;
    if (pen.style() == Qt::NoPen)
        return pen;
    const QTransform t = logicalToPicture();
    const double logical = pen.widthF();
    const double scaled = logical * std::sqrt(std::abs(t.m11() * t.m22() - t.m12() * t.m21()));
    const double width = logical <= 1 || !std::isfinite(scaled) ? 0 : std::min<double>(scaled, kMaxMetafileSide);
    if (pen.style() == Qt::CustomDashLine) {
        /* Its lengths are in widths of the pen, a pixel for a pen of a pixel. */
        const double pixels = logical <= 1 ? 1 : width;
        QList<qreal> pattern = pen.dashPattern();
        for (qreal &length : pattern)
            length = std::max(length * pixels, 1.0) / std::max(width, 1.0);
        pen.setDashPattern(pattern);
    }
    pen.setWidthF(width <= 1 ? 0 : width);
    /* The context's miter limit is a miter's whole length over the width; Qt's reaches from the join. */
    pen.setMiterLimit(m_dc.miterLimit / 2);
    return pen;
}

QRectF Canvas::deviceRect(QPointF at, QSizeF size) const
{
    return deviceRect(at, at + QPointF(size.width(), size.height()));
}

QRectF Canvas::deviceSized(QPointF at, QSizeF size) const
{
    const QPointF corner = device(at);
    const QPointF across(size.width() * std::abs(m_deviceToPicture.m11()),
                         size.height() * std::abs(m_deviceToPicture.m22()));
    return QRectF(corner, onPixels(corner + across)).normalized();
}

} // namespace platform::metafile
