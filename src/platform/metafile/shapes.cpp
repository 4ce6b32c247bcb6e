/** @file shapes.cpp A metafile's shapes: lines, polygons, rectangles, ellipses, arcs, Béziers and paths. */
#include "platform/metafile/canvas.h"

#include <QLineF>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace platform::metafile {

namespace {

/*
 * Curves are drawn as lines, each no further from its curve than
 * kBezierTolerance pixels of the picture, at most kMaxBezierSegments of
 * them a cubic piece (a quarter of an ellipse 4,096 pixels across takes
 * some 80); the lines are what the work budget charges.
 */
constexpr double kBezierTolerance = 0.2;
constexpr int kMaxBezierSegments = 256;

/** @return the even pieces a cubic Bézier curve is cut into: no piece further than kBezierTolerance from the curve. */
int cubicPieces(QPointF from, QPointF c1, QPointF c2, QPointF to)
{
    /* Cut into n even pieces, a cubic strays from them by at most 3/4 of its largest second difference over n². */
    const QPointF d1 = from - 2 * c1 + c2;
    const QPointF d2 = c1 - 2 * c2 + to;
    const double bend = std::max(lengthOf(d1), lengthOf(d2));
    const double pieces = std::ceil(std::sqrt(0.75 * bend / kBezierTolerance));
    return std::isfinite(pieces) ? int(std::clamp(pieces, 1.0, double(kMaxBezierSegments))) : 1;
}

/** Appends the ends of the n even pieces of a cubic Bézier curve from `from` on (not `from` itself). */
void appendCubic(QPolygonF &points, int n, QPointF from, QPointF c1, QPointF c2, QPointF to)
{
    for (int i = 1; i < n; ++i) {
        const double t = double(i) / n;
        const double s = 1 - t;
        points.append(onPixels(s * s * s * from + 3 * s * s * t * c1 + 3 * s * t * t * c2 + t * t * t * to));
    }
    points.append(onPixels(to));
}

/**
 * @return an elliptic arc inside a box, from the angle `from` (radians,
 *         counter-clockwise from the box's right, as the picture shows
 *         it: y down) through `sweep` (counter-clockwise when positive),
 *         in cubic pieces of a quarter turn at most.
 */
Curve ellipticArc(const QRectF &box, double from, double sweep)
{
    const QPointF centre = box.center();
    const double rx = box.width() / 2;
    const double ry = box.height() / 2;
    auto at = [&](double a) { return centre + QPointF(rx * std::cos(a), -ry * std::sin(a)); };
    auto tangent = [&](double a) { return QPointF(-rx * std::sin(a), -ry * std::cos(a)); };
    sweep = std::clamp(sweep, -2 * std::numbers::pi, 2 * std::numbers::pi);
    const int n = std::max(1, int(std::ceil(std::abs(sweep) / (std::numbers::pi / 2) - 1e-9)));
    const double step = sweep / n;
    const double k = 4.0 / 3.0 * std::tan(step / 4);
    Curve curve{at(from), {}};
    for (int i = 0; i < n; ++i) {
        const double a = from + step * i;
        const double b = a + step;
        curve.pieces.insert(curve.pieces.end(), {at(a) + k * tangent(a), at(b) - k * tangent(b), at(b)});
    }
    return curve;
}

/** @return the angle (as ellipticArc takes it) of the ellipse's point on the ray from its centre through p. */
double angleOnEllipse(const QRectF &box, QPointF p)
{
    const QPointF d = p - box.center();
    const double rx = std::max(box.width() / 2, 1e-9);
    const double ry = std::max(box.height() / 2, 1e-9);
    return std::atan2(-d.y() / ry, d.x() / rx);
}

} // namespace

void Canvas::polygon(const QPolygonF &logical, bool closed)
{
    const QPolygonF points = device(logical);
    if (m_inPath) {
        chargePoints(points.size());
        addFigure(points, closed);
        return;
    }
    const QPen pen = devicePen();
    const double scan = m_budget.scanWork({{points, closed}}, closed && m_dc.brush.style() != Qt::NoBrush, pen);
    chargeShape(points.boundingRect(), points.size(), WorkBudget::outlineOf(points, closed), scan, pen);
    const Qt::FillRule rule = m_dc.fillRule;
    paintShape([&points] { return points.boundingRect(); }, pen, closed ? fillBrush() : QBrush(Qt::NoBrush),
               [&points, closed, rule](QPainter &painter) {
                   if (closed)
                       painter.drawPolygon(points, rule);
                   else
                       painter.drawPolyline(points);
               });
}

void Canvas::polyPolygon(const std::vector<QPolygonF> &polygons, bool closed)
{
    std::vector<Figure> shapes;
    shapes.reserve(polygons.size());
    const QPen pen = devicePen();
    for (const QPolygonF &logical : polygons) {
        /* Each polygon, even one of no points, costs what a record of its own does. */
        chargeRecord();
        QPolygonF points = device(logical);
        if (m_inPath) {
            chargePoints(points.size());
            addFigure(std::move(points), closed);
            continue;
        }
        chargeShape(points.boundingRect(), points.size(), WorkBudget::outlineOf(points, closed), 0, pen);
        shapes.push_back({std::move(points), closed});
    }
    if (m_inPath)
        return;
    /* Drawn as one path: its polygons' edges cross the rows together. */
    chargeArea(int64_t(std::min(m_budget.scanWork(shapes, closed && m_dc.brush.style() != Qt::NoBrush, pen), 1e15)));
    paint(shapes, closed, pen);
}

void Canvas::moveTo(QPointF logical)
{
    m_dc.position = logical;
    m_newFigure = true;
}

void Canvas::lineTo(QPointF logical)
{
    if (m_inPath) {
        chargePoints(1);
        continueFigure(QPolygonF{device(logical)});
        m_dc.position = logical;
        return;
    }
    const QLineF line(device(m_dc.position), device(logical));
    const QPen pen = devicePen();
    chargeShape(QRectF(line.p1(), line.p2()), 2, lengthOf(line.p2() - line.p1()), 0, pen);
    paintShape([&line] { return QRectF(line.p1(), line.p2()); }, pen, QBrush(Qt::NoBrush),
               [&line](QPainter &painter) { painter.drawLine(line); });
    m_dc.position = logical;
}

void Canvas::polyTo(const QPolygonF &logical, bool bezier)
{
    const qsizetype used = bezier ? logical.size() / 3 * 3 : logical.size();
    if (used == 0)
        return;
    const QPointF start = device(m_dc.position);
    QPolygonF points;
    if (bezier) {
        points = flattened(exact(m_dc.position), exact(logical.first(used)));
    } else {
        points = device(logical.first(used));
        chargePoints(points.size());
    }
    if (m_inPath) {
        continueFigure(points);
    } else {
        points.prepend(start);
        drawFigures({{std::move(points), false}}, false, true);
    }
    m_dc.position = logical[used - 1];
}

void Canvas::polyBezier(const QPolygonF &logical)
{
    if (logical.isEmpty())
        return;
    const QPolygonF all = exact(logical.first(1 + (logical.size() - 1) / 3 * 3));
    chargePoints(1);
    QPolygonF points = flattened(all.first(), all.mid(1));
    points.prepend(onPixels(all.first()));
    if (m_inPath)
        addFigure(std::move(points), false);
    else
        drawFigures({{std::move(points), false}}, false, true);
}

QPolygonF Canvas::rectangleOutline(QPointF a, QPointF b, double cornerW, double cornerH)
{
    const QRectF r = QRectF(a, b).normalized();
    const double rx = std::min(std::abs(cornerW) / 2, r.width() / 2);
    const double ry = std::min(std::abs(cornerH) / 2, r.height() / 2);
    if (rx <= 0 || ry <= 0) {
        chargePoints(4);
        return device(QPolygonF(r).first(4));
    }
    /* Four quarter ellipses, counter-clockwise from the top right one, joined by the straight sides. */
    const QRectF boxes[] = {QRectF(r.right() - 2 * rx, r.top(), 2 * rx, 2 * ry),
                            QRectF(r.left(), r.top(), 2 * rx, 2 * ry),
                            QRectF(r.left(), r.bottom() - 2 * ry, 2 * rx, 2 * ry),
                            QRectF(r.right() - 2 * rx, r.bottom() - 2 * ry, 2 * rx, 2 * ry)};
    Curve curve{QPointF(r.right(), r.top() + ry), {}};
    for (int i = 0; i < 4; ++i) {
        const Curve quarter = ellipticArc(boxes[i], std::numbers::pi / 2 * i, std::numbers::pi / 2);
        if (i > 0)
            straightTo(curve, quarter.start);
        curve.pieces.insert(curve.pieces.end(), quarter.pieces.begin(), quarter.pieces.end());
    }
    return curvePoints(curve);
}

void Canvas::rectangle(QPointF a, QPointF b, double cornerW, double cornerH)
{
    if (m_inPath || !keepsRectangles()) {
        shape(rectangleOutline(a, b, cornerW, cornerH));
        return;
    }
    const bool rounded = cornerW > 0 && cornerH > 0;
    const auto [r, pen] = shapeRect(a, b, rounded);
    const QRectF box = r;
    const double rx = deviceHeight(cornerW) / 2;
    const double ry = deviceHeight(cornerH) / 2;
    paintShape([&box] { return box; }, pen, fillBrush(), [&box, rx, ry, rounded](QPainter &painter) {
        if (rounded)
            painter.drawRoundedRect(box, rx, ry);
        else
            painter.drawRect(box);
    });
}

void Canvas::ellipse(QPointF a, QPointF b)
{
    if (m_inPath || !keepsRectangles()) {
        shape(curvePoints(ellipticArc(QRectF(a, b).normalized(), 0, 2 * std::numbers::pi)));
        return;
    }
    const auto [r, pen] = shapeRect(a, b, true);
    const QRectF box = r;
    paintShape([&box] { return box; }, pen, fillBrush(), [&box](QPainter &painter) { painter.drawEllipse(box); });
}

void Canvas::arc(QPointF a, QPointF b, QPointF from, QPointF to, ArcKind kind)
{
    const QRectF box = QRectF(a, b).normalized();
    const double start = angleOnEllipse(box, from);
    double sweep = angleOnEllipse(box, to) - start;
    if (m_dc.clockwise)
        sweep = sweep >= 0 ? sweep - 2 * std::numbers::pi : sweep;
    else
        sweep = sweep <= 0 ? sweep + 2 * std::numbers::pi : sweep;
    Curve curve = ellipticArc(box, start, sweep);
    if (kind == ArcKind::Pie) {
        Curve pie{box.center(), {}};
        straightTo(pie, curve.start);
        pie.pieces.insert(pie.pieces.end(), curve.pieces.begin(), curve.pieces.end());
        curve = std::move(pie);
    }
    arcCurve(curve, kind);
}

void Canvas::angleArc(QPointF centre, double radius, double from, double sweep)
{
    if (!std::isfinite(from) || !std::isfinite(sweep))
        return;
    const QRectF box(centre - QPointF(radius, radius), centre + QPointF(radius, radius));
    constexpr double radians = std::numbers::pi / 180;
    arcCurve(ellipticArc(box, std::fmod(from, 360) * radians, std::clamp(sweep, -360.0, 360.0) * radians),
             ArcKind::ArcTo);
}

void Canvas::beginPath()
{
    m_path.clear();
    m_inPath = true;
    m_newFigure = true;
}

void Canvas::abortPath()
{
    m_path.clear();
    m_inPath = false;
}

void Canvas::closeFigure()
{
    if (m_inPath && !m_path.empty()) {
        m_path.back().closed = true;
        m_newFigure = true;
    }
}

void Canvas::drawPath(bool fill, bool stroke)
{
    if (m_inPath)
        return;
    std::vector<Figure> figures;
    figures.swap(m_path);
    if (fill) {
        for (Figure &figure : figures)
            figure.closed = true;
    }
    drawFigures(figures, fill, stroke);
}

void Canvas::clipToPath(int mode)
{
    if (m_inPath)
        return;
    std::vector<Figure> figures;
    figures.swap(m_path);
    clipWith(mode, regionOf(figures, m_dc.fillRule));
}

void Canvas::straightTo(Curve &curve, QPointF to)
{
    const QPointF from = curve.pieces.empty() ? curve.start : curve.pieces.back();
    curve.pieces.insert(curve.pieces.end(), {from + (to - from) / 3, from + (to - from) * 2 / 3, to});
}

QPolygonF Canvas::flattened(QPointF from, const QPolygonF &pieces)
{
    /* Every piece's lines counted and charged first, then made into a polygon of that many points. */
    const qsizetype cubics = pieces.size() / 3;
    std::vector<int> counts(static_cast<size_t>(cubics));
    int64_t total = 0;
    QPointF start = from;
    for (qsizetype k = 0; k < cubics; ++k) {
        counts[size_t(k)] = cubicPieces(start, pieces[3 * k], pieces[3 * k + 1], pieces[3 * k + 2]);
        total += counts[size_t(k)];
        start = pieces[3 * k + 2];
    }
    chargePoints(total);
    QPolygonF points;
    points.reserve(total);
    for (qsizetype k = 0; k < cubics; ++k) {
        appendCubic(points, counts[size_t(k)], from, pieces[3 * k], pieces[3 * k + 1], pieces[3 * k + 2]);
        from = pieces[3 * k + 2];
    }
    return points;
}

QPolygonF Canvas::curvePoints(const Curve &curve)
{
    const QPointF start = exact(curve.start);
    chargePoints(1);
    QPolygonF points =
        flattened(start, exact(QPolygonF(QList<QPointF>(curve.pieces.begin(), curve.pieces.end()))));
    points.prepend(onPixels(start));
    return points;
}

void Canvas::arcCurve(const Curve &curve, ArcKind kind)
{
    QPolygonF points = curvePoints(curve);
    if (kind == ArcKind::ArcTo) {
        /* A line from the current position to the arc's start, then the arc: one stroke. */
        if (m_inPath) {
            continueFigure(points);
        } else {
            points.prepend(device(m_dc.position));
            drawFigures({{std::move(points), false}}, false, true);
        }
        m_dc.position = curve.pieces.empty() ? curve.start : curve.pieces.back();
    } else if (kind == ArcKind::Chord || kind == ArcKind::Pie) {
        shape(std::move(points));
    } else if (m_inPath) {
        addFigure(std::move(points), false);
    } else {
        drawFigures({{std::move(points), false}}, false, true);
    }
}

void Canvas::shape(QPolygonF points)
{
    if (m_inPath)
        addFigure(std::move(points), true);
    else
        drawFigures({{std::move(points), true}}, true, true);
}

void Canvas::addFigure(QPolygonF points, bool closed)
{
    m_path.push_back({std::move(points), closed});
    m_newFigure = true;
}

void Canvas::continueFigure(const QPolygonF &points)
{
    if (m_newFigure || m_path.empty()) {
        chargePoints(1);
        m_path.push_back({QPolygonF{device(m_dc.position)}, false});
        m_newFigure = false;
    }
    m_path.back().points += points;
}

void Canvas::drawFigures(const std::vector<Figure> &figures, bool fill, bool stroke)
{
    const QPen pen = stroke ? devicePen() : QPen(Qt::NoPen);
    for (const Figure &figure : figures)
        m_budget.chargeShape(figure.points.boundingRect(), 0,
                             WorkBudget::outlineOf(figure.points, fill || figure.closed), 0, pen,
                             figure.points.size());
    const bool filled = fill && m_dc.brush.style() != Qt::NoBrush;
    chargeArea(int64_t(std::min(m_budget.scanWork(figures, filled, pen), 1e15)));
    if (filled || pen.style() != Qt::NoPen)
        paint(figures, fill, pen);
}

void Canvas::paint(const std::vector<Figure> &figures, bool fill, const QPen &pen)
{
    const QBrush brush = fill ? fillBrush() : QBrush(Qt::NoBrush);
    const Qt::FillRule rule = m_dc.fillRule;
    const auto box = [&figures] {
        QRectF all;
        for (const Figure &figure : figures)
            all |= figure.points.boundingRect();
        return all;
    };
    if (figures.size() == 1 && figures.front().points.size() >= 2) {
        const Figure &figure = figures.front();
        const bool closed = fill || figure.closed;
        paintShape(box, pen, brush, [&figure, closed, rule](QPainter &painter) {
            if (closed)
                painter.drawPolygon(figure.points, rule);
            else
                painter.drawPolyline(figure.points);
        });
        return;
    }
    QPainterPath path;
    path.setFillRule(rule);
    for (const Figure &figure : figures) {
        if (figure.points.size() < 2)
            continue; // a single point draws nothing
        path.addPolygon(figure.points);
        if (fill || figure.closed)
            path.closeSubpath();
    }
    paintShape(box, pen, brush, [&path](QPainter &painter) { painter.drawPath(path); });
}

std::pair<QRectF, QPen> Canvas::shapeRect(QPointF a, QPointF b, bool curved)
{
    const QRectF r = deviceRect(a, b);
    const QPen pen = devicePen();
    /* A dashed pen's dashes along the box cross its rows as they would along the shape. */
    const double scan =
        WorkBudget::dashesPerPixel(pen) > 0
            ? m_budget.scanWork({{QPolygonF(r), true}}, m_dc.brush.style() != Qt::NoBrush, pen)
            : 0;
    /* Curves are cut into lines no further than a quarter of a pixel from them: some 16 by the root of the radius. */
    const double radius = (std::max(r.width(), r.height()) + pen.widthF()) / 2;
    const int64_t corners = curved ? 4 + int64_t(std::min(16 * std::sqrt(radius), 1e9)) : 4;
    m_budget.chargeShape(r, 4, 2 * (r.width() + r.height()), scan, pen, corners);
    return {m_dc.pen.style() == Qt::NoPen ? r : r.adjusted(0, 0, -1, -1), pen};
}

} // namespace platform::metafile
