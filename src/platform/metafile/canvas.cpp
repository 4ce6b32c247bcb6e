/** @file canvas.cpp The device context of a metafile: its picture, object table, saved states, transforms and pens. */
#include "platform/metafile/canvas.h"

#include "platform/metafile.h"
#include "platform/picture_memory.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace platform::metafile {

Canvas::Canvas(QSize size, const QTransform &deviceToPicture, int64_t fileBytes)
    : m_image(newPicture(size.width(), size.height(), QImage::Format_ARGB32_Premultiplied)),
      m_deviceToPicture(deviceToPicture), m_budget(m_image.rect(), fileBytes)
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
    if (const QPen *pen = std::get_if<QPen>(&o)) {
        m_dc.pen = *pen;
    } else if (const QBrush *brush = std::get_if<QBrush>(&o)) {
        m_dc.brush = *brush;
        m_dc.monoPattern = QImage();
    } else if (const MonoPattern *pattern = std::get_if<MonoPattern>(&o)) {
        m_dc.brush = QBrush(Qt::black, Qt::Dense4Pattern); // stands for the pattern: see fillBrush
        m_dc.monoPattern = pattern->bits;
    } else if (const LogFont *font = std::get_if<LogFont>(&o)) {
        m_dc.font = *font;
    }
}

void Canvas::selectStock(uint32_t which)
{
    static const QColor greys[] = {Qt::white, QColor(192, 192, 192), QColor(128, 128, 128),
                                   QColor(64, 64, 64), Qt::black};
    if (which <= 5)
        m_dc.monoPattern = QImage();
    if (which <= 4)
        m_dc.brush = QBrush(greys[which]);
    else if (which == 5)
        m_dc.brush = QBrush(Qt::NoBrush);
    else if (which == 6 || which == 7)
        m_dc.pen = QPen(which == 6 ? Qt::white : Qt::black, 0);
    else if (which == 8)
        m_dc.pen = QPen(Qt::NoPen);
    else if (which >= 10 && which <= 17)
        m_dc.font = LogFont{.face = QStringLiteral("Arial"), .height = -12, .charset = 0};
}

void Canvas::createPattern(int64_t index, const char *dib, int64_t size, int64_t pixelsAt, bool mono)
{
    /* A monochrome bitmap's rows: a bit a pixel, each padded to four bytes, bottom-up unless its height is negative. */
    const int64_t header = size >= 4 ? le32(dib) : 0;
    const bool core = header == 12;
    if (mono && (core || header >= 40) && size >= header) {
        const int64_t width = core ? s16(dib + 4) : s32(dib + 4);
        const int64_t height = core ? s16(dib + 6) : s32(dib + 8);
        const int bits = le16(dib + (core ? 10 : 14));
        const bool plain = core || le32(dib + 16) == 0;
        const int64_t rows = height < 0 ? -height : height;
        const int64_t stride = (width + 31) / 32 * 4;
        if (bits == 1 && plain && width > 0 && width <= kMaxPictureSide && rows > 0 && rows <= kMaxPictureSide) {
            if (pixelsAt < header || pixelsAt + stride * rows > size)
                throw broken("vzorek");
            chargeArea(width * rows);
            QImage pattern(int(width), int(rows), QImage::Format_Mono);
            if (pattern.isNull())
                throw WorkBudget::tooMuchWork();
            for (int64_t y = 0; y < rows; ++y)
                std::memcpy(pattern.scanLine(int(height < 0 ? y : rows - 1 - y)), dib + pixelsAt + y * stride,
                            size_t(std::min<int64_t>(stride, pattern.bytesPerLine())));
            create(index, MonoPattern{std::move(pattern)});
            return;
        }
    }
    create(index, QBrush(bitmap(dib, size, pixelsAt, "vzorek").convertToFormat(QImage::Format_RGB32)));
}

QImage Canvas::bitmap(const char *dib, int64_t size, int64_t pixelsAt, const char *what)
{
    if (!dibIsWhole(dib, size, pixelsAt, 1))
        throw broken(what);
    /* Decoding it costs its own pixels, wherever it is drawn. */
    chargeArea(dibPixels(dib, size));
    QImage picture = decodeDib(dib, size, pixelsAt);
    if (picture.isNull())
        throw broken(what);
    return picture;
}

QBrush Canvas::fillBrush()
{
    const QImage &bits = m_dc.monoPattern;
    if (bits.isNull())
        return m_dc.brush;
    const QRgb text = m_dc.textColour.rgb();
    const QRgb background = m_dc.background.rgb();
    if (m_coloured.bits != bits.cacheKey() || m_coloured.text != text || m_coloured.background != background) {
        chargeArea(int64_t(bits.width()) * bits.height());
        QImage coloured = bits;
        coloured.setColorTable({text, background});
        m_coloured = {bits.cacheKey(), text, background, QBrush(coloured.convertToFormat(QImage::Format_RGB32))};
    }
    return m_coloured.brush;
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
