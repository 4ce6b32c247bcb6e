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

/**
 * @return the bytes of the bitmap of one glyph of a text as Qt draws it
 *         from its cache: its box under the transform, a byte a pixel; 0
 *         when Qt draws the text's glyphs as outlines (see chargeText).
 * @throws ui::SimError when a glyph would reach past kMaxGlyphReach.
 */
double cachedGlyphBytes(const FontKey &font, double width, const QTransform &glyphs)
{
    /*
     * A width of the font's own makes its glyphs as much wider as that
     * width is to the face's average character, which lies between a
     * quarter of the font's size and twice it.
     */
    const double size = double(font.pixelSize);
    const double narrowest = width > 0 ? std::clamp(width / (2 * size), 1.0 / 64, 64.0) : 1;
    const double widest = width > 0 ? std::clamp(4 * width / size, 1.0 / 64, 64.0) : 1;
    const QTransform linear(glyphs.m11(), glyphs.m12(), glyphs.m21(), glyphs.m22(), 0, 0);
    const double determinant = std::abs(linear.determinant());
    if (!(size * size * narrowest * determinant <= double(kCharacterSide * kCharacterSide)))
        return 0;
    /* Where any glyph may reach (twice its size every way), and its own square, on the picture. */
    const QTransform t = QTransform::fromScale(widest, 1) * linear;
    const QRectF reach = t.mapRect(QRectF(-2 * size, -2 * size, 4 * size, 4 * size));
    if (!(std::max({-reach.left(), reach.right(), -reach.top(), reach.bottom()}) <= kMaxGlyphReach))
        throw WorkBudget::tooMuchWork();
    const QRectF box = t.mapRect(QRectF(0, -size, size, size));
    return (std::ceil(box.width()) + 1) * (std::ceil(box.height()) + 1);
}

} // namespace

void WorkBudget::chargeShape(const QRectF &box, int64_t points, double outline, double scan, const QPen &pen,
                             int64_t corners)
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
    m_stroke = std::min(m_stroke + strokeBytes(pen, outline, corners), 1e18);
}

double WorkBudget::strokeBytes(const QPen &pen, double outline, int64_t corners)
{
    if (pen.style() == Qt::NoPen || pen.widthF() <= 1 || !(outline > 0))
        return 0;
    /* A round join or cap: the lines of its arc, and the join's own. */
    const double arc = kArcPoints + kArcPointsPerRoot * std::sqrt(pen.widthF());
    const double join = pen.joinStyle() == Qt::RoundJoin ? arc : kCornerPoints;
    const double cap = pen.capStyle() == Qt::RoundCap ? arc : kCornerPoints;
    /* On either side of a corner, a line to it and its join; at either end of a figure, a line and a cap. */
    const double figures = std::max(1.0, dashesOf(pen, outline));
    const double points = double(std::max<int64_t>(corners, 0)) * 2 * (1 + join) + figures * 2 * (1 + cap);
    return std::min(points, 1e15) * kStrokePointBytes;
}

int64_t WorkBudget::clipBytes(const QRegion &region, const QRect &painted)
{
    /* A line for each row of the painter's picture and a span at least; a region of one rectangle needs no more. */
    const int64_t rows = painted.height();
    const QRect on = region.boundingRect().intersected(painted);
    const int64_t spans = region.rectCount() > 1 ? int64_t(on.height()) * region.rectCount() : 0;
    return (2 * rows + spans) * kSpanBytes;
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

void WorkBudget::chargeText(const QString &text, const FontKey &font, double width, const std::vector<double> &starts,
                            const QTransform &glyphs)
{
    const double bitmap = cachedGlyphBytes(font, width, glyphs);
    /* As wide as the transform makes a glyph along the baseline, or as twice the font's own width. */
    const double widened = double(font.pixelSize) * std::hypot(glyphs.m11(), glyphs.m12()) / 2;
    const double wide = std::max(width, std::isfinite(widened) ? widened : 0.0);
    const int64_t glyph = std::max(font.pixelSize, kCharacterSide);
    const int64_t glyphWidth = std::max(glyph, int64_t(std::min(2 * wide, double(kMaxMetafileSide))));
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
        work += int64_t(text.size()) * std::max(square, int64_t(bitmap));
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
        work += (int64_t(text.size()) + overlaps) * std::min<int64_t>(square * kOutlineGlyphWork, kMaxMetafileArea)
                + int64_t(text.size()) * int64_t(bitmap);
    }
    if (m_fontsMade.insert(font).second)
        work += kFontWork;
    chargeArea(std::min(work, kMaxMetafileArea + 1));
    chargePoints(text.size());
    /* Qt keeps its copy of each glyph's bitmap; the last is FreeType's bitmap and Qt's copy at once. */
    chargeMemory(double(text.size() + 1) * bitmap);
    holdMemory(int64_t(text.size()) * int64_t(bitmap));
}

} // namespace platform::metafile
