/** @file clip.cpp What a metafile's drawing is clipped to: regions of the picture's pixels, as the system's. */
#include "platform/metafile/canvas.h"

#include "platform/picture_limits.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace platform::metafile {

namespace {

/**
 * @return a closed polygon cut to a box (one edge of the box after the
 *         other): inside the box it encloses each point as often, and so
 *         fills it by either rule, as the whole polygon does.
 */
QPolygonF cutToBox(const QPolygonF &polygon, const QRectF &box)
{
    QPolygonF points = polygon;
    /* Each side of the box: whether a point lies inside it, and where a line from a to b crosses it. */
    const auto cut = [&points](auto inside, auto crossing) {
        QPolygonF kept;
        for (qsizetype i = 0; i < points.size(); ++i) {
            const QPointF a = points[(i + points.size() - 1) % points.size()];
            const QPointF b = points[i];
            if (inside(b)) {
                if (!inside(a))
                    kept << crossing(a, b);
                kept << b;
            } else if (inside(a)) {
                kept << crossing(a, b);
            }
        }
        points = std::move(kept);
    };
    const auto atX = [](double x) {
        return [x](QPointF a, QPointF b) {
            return QPointF(x, a.y() + (b.y() - a.y()) * (x - a.x()) / (b.x() - a.x()));
        };
    };
    const auto atY = [](double y) {
        return [y](QPointF a, QPointF b) {
            return QPointF(a.x() + (b.x() - a.x()) * (y - a.y()) / (b.y() - a.y()), y);
        };
    };
    cut([&box](QPointF p) { return p.x() >= box.left(); }, atX(box.left()));
    cut([&box](QPointF p) { return p.x() <= box.right(); }, atX(box.right()));
    cut([&box](QPointF p) { return p.y() >= box.top(); }, atY(box.top()));
    cut([&box](QPointF p) { return p.y() <= box.bottom(); }, atY(box.bottom()));
    return points;
}

} // namespace

void Canvas::applyClip()
{
    const Clip &clip = m_dc.clip;
    if (clip.id == m_appliedClip)
        return;
    m_appliedClip = clip.id;
    /* What the painters held for the clip before, they let go as they are given another. */
    m_budget.holdMemory(-std::exchange(m_clipBytes, 0));
    if (!clip.on) {
        onCanvases([](QPainter &painter) { painter.setClipping(false); });
        return;
    }
    chargeArea((int64_t(clip.region.rectCount()) * kRegionRectWork + clip.spans) * (m_kept.isEmpty() ? 1 : 2)
               + m_image.height());
    const int64_t bytes = WorkBudget::clipBytes(clip.region, m_image.rect())
                          + (m_kept.isEmpty() ? 0 : WorkBudget::clipBytes(clip.region, m_kept));
    m_budget.chargeMemory(double(bytes));
    m_budget.holdMemory(bytes);
    m_clipBytes = bytes;
    onCanvases([&clip](QPainter &painter) { painter.setClipRegion(clip.region); });
}

void Canvas::clipWith(int mode, const QRegion &region)
{
    if (mode < ClipAnd || mode > ClipCopy)
        return;
    const Clip &clip = m_dc.clip;
    const QRegion current = clip.on ? clip.region : QRegion(m_image.rect()); // no clip is the whole picture
    chargeArea(int64_t(current.rectCount() + region.rectCount()) * kRegionRectWork);
    Clip made;
    made.on = true;
    if (mode == ClipAnd)
        made.region = current.intersected(region);
    else if (mode == ClipOr)
        made.region = current.united(region);
    else if (mode == ClipXor)
        made.region = current.xored(region);
    else if (mode == ClipDiff)
        made.region = current.subtracted(region);
    else
        made.region = region;
    chargeArea(int64_t(made.region.rectCount()) * kRegionRectWork);
    for (const QRect &r : made.region)
        made.spans += r.height();
    if (made.spans > kMaxRegionSpans)
        throw WorkBudget::tooMuchWork();
    made.id = ++m_clips;
    m_dc.clip = std::move(made);
}

QRegion Canvas::regionOf(const QRectF &r) const
{
    const QRectF near = r.normalized().intersected(QRectF(m_image.rect()).adjusted(-1, -1, 1, 1));
    if (near.isEmpty())
        return QRegion();
    return QRegion(QRect(QPoint(int(std::round(near.left())), int(std::round(near.top()))),
                         QPoint(int(std::round(near.right())) - 1, int(std::round(near.bottom())) - 1)));
}

QRegion Canvas::regionOf(const std::vector<Figure> &figures, Qt::FillRule rule)
{
    chargeArea(int64_t(std::min(m_budget.scanWork(figures, true, QPen(Qt::NoPen)), 1e15)));
    /* One polygon through every figure: the lines joining them run there and back, and enclose nothing. */
    QPolygonF all;
    for (const Figure &figure : figures) {
        if (figure.points.isEmpty())
            continue;
        all += figure.points;
        all << figure.points.first();
        if (all.first() != figure.points.first())
            all << all.first();
    }
    all = cutToBox(all, QRectF(m_image.rect()).adjusted(-1, -1, 1, 1));
    chargePoints(all.size());
    return QRegion(all.toPolygon(), rule);
}

void Canvas::clipToRectangle(QPointF a, QPointF b, bool exclude)
{
    const int mode = exclude ? ClipDiff : ClipAnd;
    if (keepsRectangles())
        clipWith(mode, regionOf(deviceRect(a, b)));
    else
        clipWith(mode, regionOf({{device(QPolygonF(QRectF(a, b).normalized()).first(4)), true}}, Qt::WindingFill));
}

void Canvas::clipToRegion(int mode, const std::vector<QRectF> &rects)
{
    std::vector<QRegion> parts;
    parts.reserve(rects.size());
    for (const QRectF &r : rects)
        parts.push_back(regionOf(QRectF(onPixels(m_deviceToPicture.map(r.topLeft())),
                                        onPixels(m_deviceToPicture.map(r.bottomRight())))));
    while (parts.size() > 1) {
        std::vector<QRegion> unions;
        unions.reserve(parts.size() / 2 + 1);
        for (size_t i = 0; i + 1 < parts.size(); i += 2) {
            chargeArea(int64_t(parts[i].rectCount() + parts[i + 1].rectCount()) * kRegionRectWork);
            unions.push_back(parts[i].united(parts[i + 1]));
            chargeArea(int64_t(unions.back().rectCount()) * kRegionRectWork);
        }
        if (parts.size() % 2 != 0)
            unions.push_back(parts.back());
        parts.swap(unions);
    }
    clipWith(mode, parts.empty() ? QRegion() : parts.front());
}

void Canvas::unclip()
{
    m_dc.clip = Clip();
    m_dc.clip.id = ++m_clips;
}

void Canvas::offsetClip(QPointF logical)
{
    Clip &clip = m_dc.clip;
    if (!clip.on)
        return;
    const QPointF by = device(logical) - device(QPointF(0, 0));
    /* Moved off the picture, it clips everything away. */
    if (std::abs(by.x()) > kMaxPictureSide || std::abs(by.y()) > kMaxPictureSide) {
        clip.region = QRegion();
        clip.spans = 0;
    } else
        clip.region.translate(int(by.x()), int(by.y()));
    chargeArea(int64_t(clip.region.rectCount()) * kRegionRectWork);
    clip.id = ++m_clips;
}

} // namespace platform::metafile
