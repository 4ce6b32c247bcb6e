/** @file budget.cpp What drawing a metafile costs: shapes, dashes, scan conversion and texts, as measured on Qt. */
#include "platform/metafile/budget.h"

#include "platform/picture_limits.h"

#include <QChar>
#include <QLineF>

#include <algorithm>
#include <cmath>

namespace platform::metafile {

namespace {

/** @return whether a character is laid out together with the one before it: a mark or a format character. */
bool joinsThePrevious(char32_t c)
{
    switch (QChar::category(c)) {
    case QChar::Mark_NonSpacing:
    case QChar::Mark_SpacingCombining:
    case QChar::Mark_Enclosing:
    case QChar::Other_Format: // joiners, direction controls, tags
        return true;
    default:
        return false;
    }
}

} // namespace

void WorkBudget::chargeShape(const QRectF &box, int64_t points, double outline, double scan, const QPen &pen)
{
    const bool stroked = pen.style() != Qt::NoPen;
    const double width = stroked ? std::max(1.0, pen.widthF()) : 0;
    /* A mitred join reaches out by its limit (in widths from the join), any other end or join by half the width. */
    const double reach = width * (pen.joinStyle() == Qt::MiterJoin ? std::max(0.5, pen.miterLimit()) : 0.5) + 1;
    const QRectF covered =
        box.normalized().adjusted(-reach, -reach, reach, reach).intersected(QRectF(m_picture));
    const double fill = std::max(0.0, covered.width()) * std::max(0.0, covered.height());
    double stroke = 0;
    if (stroked && pen.widthF() <= 1)
        stroke = outline * kThinLineWork;
    else if (stroked)
        stroke = outline * width + dashesOf(pen, outline) * kDashWork;
    chargeArea(int64_t(std::min(fill + stroke + scan, 1e15)) + 1);
    chargePoints(points);
}

double WorkBudget::dashesPerPixel(const QPen &pen)
{
    if (pen.style() == Qt::NoPen || pen.style() == Qt::SolidLine || pen.widthF() <= 1)
        return 0;
    /* The pattern is dashes and gaps by turns, in pen widths. */
    const QList<qreal> pattern = pen.dashPattern();
    double period = 0;
    for (const qreal length : pattern)
        period += std::max<qreal>(0, length);
    return double(pattern.size() / 2) / std::max(period * pen.widthF(), 1.0);
}

double WorkBudget::dashesOf(const QPen &pen, double length)
{
    const double perPixel = dashesPerPixel(pen);
    return perPixel > 0 ? length * perPixel + double(pen.dashPattern().size() / 2) : 0;
}

double WorkBudget::scanWork(const std::vector<Figure> &figures, bool filled, const QPen &pen)
{
    const bool outlined = pen.style() != Qt::NoPen && pen.widthF() > 0;
    if (!filled && !outlined)
        return 0;
    const double dashes = dashesPerPixel(pen);
    const double width = pen.widthF();
    /* How many edges begin and end crossing each row, at its pixels' centres; the dashes' ends apart. */
    const int rows = m_picture.height();
    m_rowEdges.resize(size_t(rows) + 1);
    m_rowEnds.resize(size_t(rows) + 1);
    int low = rows;
    int high = 0;
    auto rowOf = [rows](double y) { return int(std::clamp(std::ceil(y - 0.5), 0.0, double(rows))); };
    for (const Figure &figure : figures) {
        const QPolygonF &polygon = figure.points;
        const qsizetype n = polygon.size();
        const bool closed = filled || figure.closed;
        for (qsizetype i = 0; i < (closed ? n : n - 1); ++i) {
            const QPointF a = polygon[i];
            const QPointF b = polygon[(i + 1) % n];
            if (!std::isfinite(a.y()) || !std::isfinite(b.y()))
                continue;
            const double length = dashes > 0 ? lengthOf(b - a) : 0;
            if (length > 0 && std::isfinite(length)) {
                /* Two ends a dash, each counted as half an edge of the outline (whose stroke has two). */
                const double top = std::min(a.y(), b.y()) - width / 2;
                const double bottom = std::max(a.y(), b.y()) + width / 2;
                const double across = width * std::abs(b.x() - a.x()) / length;
                const double perRow = length * dashes * across / (bottom - top);
                const int from = rowOf(top);
                const int to = rowOf(bottom);
                if (from < to) {
                    m_rowEnds[size_t(from)] += perRow;
                    m_rowEnds[size_t(to)] -= perRow;
                    low = std::min(low, from);
                    high = std::max(high, to);
                }
            }
            const int from = rowOf(std::min(a.y(), b.y()));
            const int to = rowOf(std::max(a.y(), b.y()));
            if (from >= to)
                continue;
            ++m_rowEdges[size_t(from)];
            --m_rowEdges[size_t(to)];
            low = std::min(low, from);
            high = std::max(high, to);
        }
    }
    double fill = 0;
    double stroke = 0;
    int64_t crossing = 0;
    double ends = 0;
    const double widest = m_picture.width() + 2;
    for (int row = low; row <= high; ++row) {
        crossing += m_rowEdges[size_t(row)];
        ends += m_rowEnds[size_t(row)];
        m_rowEdges[size_t(row)] = 0; // left all zero for the next shape
        m_rowEnds[size_t(row)] = 0;
        const double edges = double(crossing);
        const double stroked = edges + std::max(0.0, ends);
        fill += edges * std::min(edges, widest);
        stroke += stroked * std::min(stroked, widest);
    }
    return (filled ? fill : 0) + (outlined ? 4 * stroke : 0);
}

double WorkBudget::outlineOf(const QPolygonF &points, bool closed)
{
    double length = 0;
    for (qsizetype i = 1; i < points.size(); ++i)
        length += lengthOf(points[i] - points[i - 1]);
    if (closed && points.size() > 2)
        length += lengthOf(points.first() - points.last());
    return length;
}

void WorkBudget::chargeText(const QString &text, const FontKey &font, double width, const std::vector<double> &starts)
{
    const int64_t glyph = std::max(font.pixelSize, kCharacterSide);
    const int64_t glyphWidth = std::max(glyph, int64_t(std::min(2 * width, double(kMaxMetafileSide))));
    int64_t joined = 0;
    int64_t run = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        char32_t c = text[i].unicode();
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            c = QChar::surrogateToUcs4(text[i], text[i + 1]);
            ++i;
        }
        /* A run of n characters costs n squared: each one added costs twice the run before it, and one. */
        run = joinsThePrevious(c) ? run + 1 : 1;
        joined += 2 * run - 1;
    }
    int64_t work = kTextWork + joined * kJoinedWork;
    const int64_t square = glyph * glyphWidth;
    if (glyph == kCharacterSide && glyphWidth == kCharacterSide) {
        work += int64_t(text.size()) * square;
    } else {
        /* Glyphs drawn as outlines: each as often again as other glyphs overlap it (within a glyph's width). */
        int64_t overlaps = 0;
        if (starts.size() == size_t(text.size())) {
            std::vector<double> sorted = starts;
            std::sort(sorted.begin(), sorted.end());
            const double reach = double(glyphWidth);
            for (const double x : starts) {
                const auto from = std::upper_bound(sorted.begin(), sorted.end(), x - reach);
                const auto to = std::lower_bound(sorted.begin(), sorted.end(), x + reach);
                overlaps += std::min<int64_t>(std::max<int64_t>(to - from - 1, 0), kMostOverlaps);
            }
        }
        work += (int64_t(text.size()) + overlaps) * std::min<int64_t>(square * kOutlineGlyphWork, kMaxMetafileArea);
    }
    if (m_fontsMade.insert(font).second)
        work += kFontWork;
    chargeArea(std::min(work, kMaxMetafileArea + 1));
    chargePoints(text.size());
}

} // namespace platform::metafile
