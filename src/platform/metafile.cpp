/** @file metafile.cpp Windows metafile pictures (WMF and EMF): records checked by libUEMF, drawn with QPainter. */
#include "platform/metafile.h"

#include "platform/bitmap_check.h"
#include "platform/cp1250.h"
#include "platform/picture_memory.h"
#include "platform/picture_read.h"
#include "ui/sim_error.h"

#include <QFont>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QRawFont>
#include <QRegion>
#include <QTransform>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>
#include <optional>
#include <queue>
#include <set>
#include <tuple>
#include <variant>
#include <vector>

#include <uemf.h>
#include <uemf_safe.h>
#include <uwmf.h>

namespace platform {

namespace {

/** More points in one shape, characters in one text or saved states are refused: no vehicle needs them. */
constexpr int64_t kMaxPoints = 65536;
constexpr int64_t kMaxChars = 4096;
constexpr size_t kMaxSavedStates = 256;

/*
 * Curves are drawn as lines, each no further from its curve than
 * kBezierTolerance pixels of the picture, at most kMaxBezierSegments of
 * them a cubic piece (a quarter of an ellipse 4,096 pixels across takes
 * some 80); the lines are what the work budget charges.
 */
constexpr double kBezierTolerance = 0.2;
constexpr int kMaxBezierSegments = 256;

/**
 * What a rectangle of a clip region costs, in the pixels of the work
 * budget, each time regions are combined or a region is made the
 * painter's clip: both walk the rectangles of every region they touch.
 */
constexpr int64_t kRegionRectWork = 16;

/** The longest miter (over the pen's width) joins are drawn with: the system's default is 10, drawing tools write 4. */
constexpr double kMaxMiterLimit = 16;

/** A world transform with a larger number than this is passed over: it would put every point off any picture. */
constexpr double kMaxWorldEntry = 1e9;

/*
 * What laying out and drawing a text costs, in the pixels of the work
 * budget (kMaxMetafileArea), as measured where Qt really shapes and draws
 * text (an application with a display), at about a nanosecond a pixel:
 * - every text, even one of no characters, has its font made and is laid
 *   out: kTextWork (10 to 30 microseconds);
 * - every character is shaped and its glyph drawn: its square at the
 *   font's size, and never less than a square of kCharacterSide (up to
 *   5 microseconds for a text that changes script and direction at every
 *   character);
 * - a character joined to the one before it (a combining mark, a joiner,
 *   a direction control) is laid out again with the whole run it belongs
 *   to: a run of n characters costs n squared times kJoinedWork (a letter
 *   with 4,095 accents takes some 0.15 s);
 * - a font that no text of the picture drew with before is looked up
 *   among the system's fonts and loaded: kFontWork (0.2 to 0.5 ms, also
 *   for a text in a dozen scripts it lacks: no other font stands in).
 * So the whole budget spent on text takes a small part of a second.
 */
constexpr int64_t kTextWork = 16384;
constexpr int64_t kCharacterSide = 64;
constexpr int64_t kJoinedWork = 8;
constexpr int64_t kFontWork = 262144;

/*
 * What stroking an outline costs beyond the pixels its stroke covers, in
 * the pixels of the work budget (a nanosecond or so each), as measured on
 * Qt's raster engine:
 * - a pen of one pixel (width 0 or 1 on the picture), dashed or not, is
 *   drawn pixel by pixel along its outline, each pixel blended on its own,
 *   and a dash pattern is stepped through there too: kThinLineWork for
 *   each pixel of its length (12 to 27 nanoseconds, solid and vertical the
 *   slowest, dotted the fastest);
 * - a wider pen with dashes (dots, dashes and their mixes) is stroked by
 *   Qt's stroker into a polygon of its own for each dash, all the dashes
 *   of a record made and kept in one call that nothing stops halfway, then
 *   filled as one path: each dash costs kDashWork (0.7 to 1.7 microseconds
 *   and 0.5 to 1 KB with its points, caps and edges), and its two ends
 *   cross the rows of the picture the pen's width across (scanWork), up to
 *   5 microseconds a dash where a record's dashes lie along one row.
 * Each is twice the worst measured or more, so the whole budget spent on
 * dashes makes some 16,000 of them: a few tens of milliseconds and MB.
 */
constexpr int64_t kThinLineWork = 64;
constexpr int64_t kDashWork = 4096;

/*
 * What the work charged to a metafile is reckoned to take, in nanoseconds,
 * so that its reading looks at the clock by what its records cost
 * (PictureRead::overdue), whatever their number: a record that draws
 * nothing (measured at up to 130 ns), a point of a shape (read, placed and
 * stroked with its join: up to 600 ns, along a polyline of one-pixel steps)
 * and a pixel of the work budget (up to 2.6 ns, texts in scripts their font
 * lacks; fills, scan conversion, lines and dashes 0.2 to 0.8 ns). Each is
 * twice the worst measured.
 */
constexpr double kRecordTime = 260;
constexpr double kPointTime = 1200;
constexpr double kWorkUnitTime = 5.2;

/*
 * What a raster operation costs, in the pixels of the work budget, for each
 * pixel it combines with what lies below, on the picture over black and
 * over white (1.4 ns with neither source nor hatches, up to 3.4 ns with
 * hatches, a bitmap's pixels looked up or a shape drawn into a layer of its
 * own), and for each pixel of the picture kept over white when it is made
 * or joined to the picture over black again (0.8 ns each; see
 * Canvas::keepOverWhite): twice the worst measured, at a nanosecond a unit.
 */
constexpr int64_t kRasterOpWork = 7;
constexpr int64_t kSeparateWork = 2;

/** The system's copying mix mode of pens and brushes (R2_COPYPEN), and its plain copying block transfer (SRCCOPY). */
constexpr int kCopyPen = 13;
constexpr uint32_t kSourceCopy = 0x00CC0020;

/**
 * A raster operation of the system: each bit of a pixel's colour a
 * function of that bit of the pattern (the brush), of the source (the
 * bitmap) and of the destination (what lies below), given by its truth
 * table: bit 4p + 2s + d of the table is the result for pattern bit p,
 * source bit s and destination bit d.
 */
class RasterOp {
public:
    /** The operation of a block transfer's code (ROP3): its truth table is the third byte. */
    static RasterOp ofTransfer(uint32_t code) { return RasterOp(uint8_t(code >> 16)); }
    /**
     * The operation of a mix mode of pens and brushes (ROP2, 1 to 16): its
     * table over the pen's bit p and the destination's bit d is bit 2p + d
     * of the mode less one; the source is none.
     */
    static RasterOp ofMix(int mode)
    {
        const unsigned mix = unsigned(mode - 1) & 0xF;
        uint8_t table = 0;
        for (unsigned i = 0; i < 8; ++i) {
            if (mix >> ((i >> 2) * 2 + (i & 1)) & 1)
                table = uint8_t(table | 1u << i);
        }
        return RasterOp(table);
    }

    uint8_t table() const { return m_table; }
    bool usesSource() const { return (m_table >> 2 & 0x33) != (m_table & 0x33); }
    bool usesDestination() const { return (m_table >> 1 & 0x55) != (m_table & 0x55); }
    bool usesPattern() const { return (m_table >> 4) != (m_table & 0x0F); }

    /** The operation with its pattern given: a function of the source and the destination. */
    struct WithPattern {
        uint32_t d1s1, d1s0, d0s1, d0s0; ///< The result's bits for each destination and source bit.
        uint32_t operator()(uint32_t s, uint32_t d) const { return mux(d, mux(s, d1s1, d1s0), mux(s, d0s1, d0s0)); }
    };
    WithPattern withPattern(uint32_t p) const
    {
        return {mux(p, m_bits[7], m_bits[3]), mux(p, m_bits[5], m_bits[1]), mux(p, m_bits[6], m_bits[2]),
                mux(p, m_bits[4], m_bits[0])};
    }
    uint32_t operator()(uint32_t p, uint32_t s, uint32_t d) const { return withPattern(p)(s, d); }

private:
    explicit RasterOp(uint8_t table) : m_table(table)
    {
        for (unsigned i = 0; i < 8; ++i)
            m_bits[i] = (table >> i & 1) != 0 ? ~0u : 0u;
    }
    /** @return the bits of a where x has ones, of b where it has zeros. */
    static uint32_t mux(uint32_t x, uint32_t a, uint32_t b) { return b ^ ((a ^ b) & x); }

    uint8_t m_table;
    uint32_t m_bits[8]; ///< Each entry of the table as a whole word of its bit.
};

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

/** @return a failure of a broken metafile. */
ui::SimError broken(const char *why)
{
    return ui::SimError(QStringLiteral("Metasoubor je poškozený: %1").arg(QString::fromUtf8(why)));
}

/** @return the signed 16-bit number at p. */
int s16(const char *p)
{
    return int16_t(le16(p));
}

/** @return the signed 32-bit number at p. */
int64_t s32(const char *p)
{
    return int32_t(le32(p));
}

/** @return the colour of a COLORREF (0x00BBGGRR). */
QColor colourOf(uint32_t ref)
{
    return QColor(int(ref & 0xFF), int(ref >> 8 & 0xFF), int(ref >> 16 & 0xFF));
}

/** A logical font of a metafile. */
struct LogFont {
    QString face;       ///< Face name.
    int height = 0;     ///< Height in logical units; negative: the character height.
    int width = 0;      ///< Average character width in logical units; 0: the face's own for the height.
    int escapement = 0; ///< The baseline's angle in tenths of degrees, counter-clockwise.
    int weight = 400;   ///< 400 normal, 700 bold.
    bool italic = false;
};

/** A graphics object of a metafile's object table. */
using Object = std::variant<QPen, QBrush, LogFont>;

/** A figure of a shape or a path, on the picture: its points, and whether its last point joins its first. */
struct Figure {
    QPolygonF points;
    bool closed = false;
};

/** What a context clips its drawing to: pixels of the picture, as the system keeps its clip regions. */
struct Clip {
    bool on = false; ///< Whether it clips at all.
    QRegion region;  ///< The pixels drawn on, when it clips.
    uint64_t id = 0; ///< Its own number: another clip, or the same one set again, is set anew.
};

/** What SaveDC keeps. */
struct DcState {
    QPen pen{Qt::black};
    QBrush brush{Qt::white};
    LogFont font;
    QColor textColour{Qt::black};
    bool opaqueBackground = true;
    QColor background{Qt::white};
    unsigned textAlign = 0;
    Qt::FillRule fillRule = Qt::OddEvenFill;
    QPointF windowOrigin{0, 0};
    QSizeF windowExtent{1, 1};
    QPointF viewportOrigin{0, 0};
    QSizeF viewportExtent{1, 1};
    bool scaled = false; ///< Window and viewport extents apply (anisotropic and isotropic modes).
    QPointF position{0, 0};
    QTransform world;          ///< The world transform, applied before the window and viewport.
    double miterLimit = 10;    ///< A miter's length over the pen's width beyond which the join is bevelled.
    bool clockwise = false;    ///< The direction arcs are drawn in.
    int mix = kCopyPen;        ///< How pens and brushes combine with what lies below (ROP2).
    Clip clip;
};

/**
 * @return a point on the picture moved to the nearest corner of its
 *         pixels: the system draws with whole device pixels, so a shape
 *         whose units are a little off the picture's pixels covers the
 *         pixels it would cover at their size.
 */
QPointF onPixels(QPointF p)
{
    return QPointF(std::round(p.x()), std::round(p.y()));
}

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

/** @return the even pieces a cubic Bézier curve is cut into: no piece further than kBezierTolerance from the curve. */
int cubicPieces(QPointF from, QPointF c1, QPointF c2, QPointF to)
{
    /* Cut into n even pieces, a cubic strays from them by at most 3/4 of its largest second difference over n². */
    const QPointF d1 = from - 2 * c1 + c2;
    const QPointF d2 = c1 - 2 * c2 + to;
    const double bend = std::max(std::hypot(d1.x(), d1.y()), std::hypot(d2.x(), d2.y()));
    const double pieces = std::ceil(std::sqrt(0.75 * bend / kBezierTolerance));
    return std::isfinite(pieces) ? int(std::clamp(pieces, 1.0, double(kMaxBezierSegments))) : 1;
}

/** Appends the ends of the n even pieces of a cubic Bézier curve from `from` on (not `from` itself). */
void appendCubic(QPolygonF &points, int n, QPointF from, QPointF c1, QPointF c2, QPointF to)
{
    for (int i = 1; i < n; ++i) {
        const double t = double(i) / n;
        const double s = 1 - t;
        points << onPixels(s * s * s * from + 3 * s * s * t * c1 + 3 * s * t * t * c2 + t * t * t * to);
    }
    points << onPixels(to);
}

/** A curve of a shape in logical units: its first point, then the control points and end of each cubic piece. */
struct Curve {
    QPointF start;
    std::vector<QPointF> pieces; ///< Three points a piece.
};

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

/**
 * The drawing of one metafile: the picture, the object table and the
 * device context state, with the primitives both formats share.
 */
class Canvas {
public:
    /** A picture of the size; the metafile's device units become its pixels through deviceToPicture. */
    Canvas(QSize size, const QTransform &deviceToPicture)
        : m_image(newPicture(size.width(), size.height(), QImage::Format_ARGB32_Premultiplied)),
          m_deviceToPicture(deviceToPicture)
    {
        m_image.fill(Qt::transparent);
        m_painter.begin(&m_image);
    }
    ~Canvas()
    {
        if (m_painter.isActive())
            m_painter.end();
        if (m_whitePainter.isActive())
            m_whitePainter.end();
    }

    /** @return the picture drawn. @throws ui::SimError past the budget. */
    QImage take()
    {
        m_painter.end();
        if (!m_kept.isEmpty())
            join();
        return m_image;
    }

    DcState &dc() { return m_dc; }

    /** Charges one record to the picture's work budget. @throws ui::SimError past it. */
    void chargeRecord()
    {
        if (++m_records > kMaxMetafileRecords)
            throw tooMuchWork();
    }
    /**
     * Charges the next record of the file, and refuses the picture once its
     * reading has taken its processor time, whatever its records cost.
     * @throws ui::SimError past either.
     */
    void beginRecord()
    {
        chargeRecord();
        if (PictureRead::overdue(workSinceAsked()))
            throw tooMuchWork();
    }
    /**
     * @return the processor time the work charged since the last call is
     *         reckoned to have taken: the records, points and pixels of the
     *         work budget at their measured rates (kRecordTime).
     */
    std::chrono::nanoseconds workSinceAsked()
    {
        const double time = double(m_records - m_asked.records) * kRecordTime
                            + double(m_points - m_asked.points) * kPointTime
                            + double(m_area - m_asked.area) * kWorkUnitTime;
        m_asked = {m_records, m_points, m_area};
        return std::chrono::nanoseconds(int64_t(std::min(time, 1e15)));
    }
    /** Charges points of shapes to the work budget. @throws ui::SimError past it. */
    void chargePoints(int64_t points)
    {
        m_points += points;
        if (m_points > kMaxMetafilePoints)
            throw tooMuchWork();
    }
    /**
     * Charges a shape to the work budget: its points, the area it covers on
     * the picture (its box widened by the pen, clipped), its outline
     * wherever it runs (a pen of a pixel costs each pixel of its length, a
     * wider one its length times its width and each dash it makes: a pen
     * costs its stroke, not just the pixels it leaves) and the scan
     * conversion of its polygons (scanWork).
     * @param outline the length of the shape's one outline (one subpath).
     * @param pen the pen it is drawn with, on the picture.
     * @throws ui::SimError past the budget.
     */
    void chargeShape(const QRectF &box, int64_t points, double outline, double scan, const QPen &pen)
    {
        const bool stroked = pen.style() != Qt::NoPen;
        const double width = stroked ? std::max(1.0, pen.widthF()) : 0;
        /* A mitred join reaches out by its limit (in widths from the join), any other end or join by half the width. */
        const double reach = width * (pen.joinStyle() == Qt::MiterJoin ? std::max(0.5, pen.miterLimit()) : 0.5) + 1;
        const QRectF covered =
            box.normalized().adjusted(-reach, -reach, reach, reach).intersected(QRectF(m_image.rect()));
        const double fill = std::max(0.0, covered.width()) * std::max(0.0, covered.height());
        double stroke = 0;
        if (stroked && pen.widthF() <= 1)
            stroke = outline * kThinLineWork;
        else if (stroked)
            stroke = outline * width + dashesOf(pen, outline) * kDashWork;
        chargeArea(int64_t(std::min(fill + stroke + scan, 1e15)) + 1);
        chargePoints(points);
    }
    void chargeShape(const QRectF &box, int64_t points, double outline, double scan = 0)
    {
        chargeShape(box, points, outline, scan, devicePen());
    }
    /**
     * @return the dashes Qt's stroker makes of a pixel of outline with the
     *         pen (as a polygon each): none for a solid pen or one of a
     *         pixel, which is drawn pixel by pixel, dashed or not.
     */
    static double dashesPerPixel(const QPen &pen)
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
    /** @return the dashes the pen makes along one outline of that length: its pattern begins again at each. */
    static double dashesOf(const QPen &pen, double length)
    {
        const double perPixel = dashesPerPixel(pen);
        return perPixel > 0 ? length * perPixel + double(pen.dashPattern().size() / 2) : 0;
    }
    /**
     * @return the work of scan converting figures (on the picture, as one
     *         path): once for the brush's fill and four times more for a pen
     *         that is not a one-pixel line (its stroke is filled as a
     *         polygon with two edges for each edge). Filling keeps the edges
     *         that cross a row in order, so on every row of the picture each
     *         edge that crosses it costs as many steps as there are such
     *         edges, up to the picture's width, whether the pixels it leaves
     *         are few or many. A dashed pen's stroke has two edges more for
     *         each dash, its ends, each crossing the rows the pen's width
     *         across the edge spans: the dashes along an edge cross the rows
     *         of its stroke evenly.
     * @param filled whether the figures are filled (all of them closed then).
     * @param pen the pen they are stroked with, on the picture.
     */
    double scanWork(const std::vector<Figure> &figures, bool filled, const QPen &pen)
    {
        const bool outlined = pen.style() != Qt::NoPen && pen.widthF() > 0;
        if (!filled && !outlined)
            return 0;
        const double dashes = dashesPerPixel(pen);
        const double width = pen.widthF();
        /* How many edges begin and end crossing each row, at its pixels' centres; the dashes' ends apart. */
        const int rows = m_image.height();
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
                const double length = QLineF(a, b).length();
                if (dashes > 0 && length > 0 && std::isfinite(length)) {
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
        const double widest = m_image.width() + 2;
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
    /** @return the length of a polygon's outline on the picture, closed or open. */
    static double outlineOf(const QPolygonF &points, bool closed)
    {
        double length = 0;
        for (qsizetype i = 1; i < points.size(); ++i)
            length += QLineF(points[i - 1], points[i]).length();
        if (closed && points.size() > 2)
            length += QLineF(points.last(), points.first()).length();
        return length;
    }
    /** Charges pixels that are decoded or painted to the work budget. @throws ui::SimError past it. */
    void chargeArea(int64_t pixels)
    {
        m_area += pixels;
        if (m_area > kMaxMetafileArea)
            throw tooMuchWork();
    }

    /**
     * @return the transform from the page (after the world transform) to
     *         the picture: window, viewport and device, a scale and a shift
     *         along each axis.
     */
    QTransform pageToPicture() const
    {
        double kx = 1;
        double ky = 1;
        if (m_dc.scaled && m_dc.windowExtent.width() != 0 && m_dc.windowExtent.height() != 0) {
            kx = m_dc.viewportExtent.width() / m_dc.windowExtent.width();
            ky = m_dc.viewportExtent.height() / m_dc.windowExtent.height();
        }
        const QTransform &d = m_deviceToPicture;
        return QTransform(kx * d.m11(), 0, 0, ky * d.m22(),
                          (m_dc.viewportOrigin.x() - m_dc.windowOrigin.x() * kx) * d.m11() + d.dx(),
                          (m_dc.viewportOrigin.y() - m_dc.windowOrigin.y() * ky) * d.m22() + d.dy());
    }
    /** @return the transform from logical units to the picture. */
    QTransform logicalToPicture() const
    {
        return m_dc.world.isIdentity() ? pageToPicture() : m_dc.world * pageToPicture();
    }
    /** @return a logical point on the picture, at a corner of its pixels as the system puts it. */
    QPointF device(QPointF logical) const
    {
        const QTransform t = pageToPicture();
        const QPointF p = m_dc.world.isIdentity() ? logical : m_dc.world.map(logical);
        return onPixels(QPointF(p.x() * t.m11() + t.dx(), p.y() * t.m22() + t.dy()));
    }
    /** @return logical points on the picture, each at a corner of its pixels. */
    QPolygonF device(const QPolygonF &logical) const
    {
        QPolygonF points = logicalToPicture().map(logical);
        for (QPointF &p : points)
            p = onPixels(p);
        return points;
    }
    /** @return logical points on the picture where they fall, between its pixels' corners: a curve's control points. */
    QPolygonF exact(const QPolygonF &logical) const { return logicalToPicture().map(logical); }
    QPointF exact(QPointF logical) const { return logicalToPicture().map(logical); }
    /** @return the size of a logical length on the picture, along y. */
    double deviceHeight(double logical) const
    {
        const QTransform t = logicalToPicture();
        return std::abs(logical) * std::hypot(t.m21(), t.m22());
    }
    /** @return a logical rectangle (corners as given) on the picture. */
    QRectF deviceRect(QPointF a, QPointF b) const { return QRectF(device(a), device(b)).normalized(); }
    /** @return whether logical rectangles stay rectangles on the picture (no rotation or shear). */
    bool keepsRectangles() const { return m_dc.world.type() <= QTransform::TxScale; }

    /**
     * Puts an object into the table at index; when index is negative, at
     * the lowest free index: the lowest of the freed ones, else the end of
     * the table. It is found in a few steps, never by a walk over the table.
     */
    void create(int64_t index, Object object)
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
    void remove(int64_t index)
    {
        if (index >= 0 && index < int64_t(m_objects.size()) && m_objects[size_t(index)]) {
            m_objects[size_t(index)].reset();
            m_freed.push(index);
        }
    }
    void select(int64_t index)
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
    /** Selects one of the stock objects of EMF. */
    void selectStock(uint32_t which)
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

    void save()
    {
        if (m_saved.size() >= kMaxSavedStates)
            throw broken("uložené stavy");
        m_saved.push_back(m_dc);
    }
    void restore(int64_t which)
    {
        /* Negative: that many levels back; positive: the level of that number. */
        const int64_t level = which < 0 ? int64_t(m_saved.size()) + which : which - 1;
        if (level < 0 || level >= int64_t(m_saved.size()))
            return;
        m_dc = m_saved[size_t(level)];
        m_saved.resize(size_t(level));
    }

    /**
     * Sets the world transform: replaced, or combined with the one before
     * (the new one applied first or last). One that is not finite, or so
     * large that the picture's coordinates would lose all meaning, is passed
     * over, as the system refuses a transform it cannot invert.
     */
    void setWorld(const QTransform &given, int how)
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
    static constexpr int kWorldIdentity = 1;
    static constexpr int kWorldFirst = 2; ///< The given transform is applied before the world transform.
    static constexpr int kWorldLast = 3;  ///< The given transform is applied after the world transform.
    static constexpr int kWorldSet = 4;

    /**
     * @return the pen with its width taken to the picture: one of a
     *         pixel or less is drawn a pixel wide, as the system draws
     *         every pen at least. A pattern of the file's own has its
     *         dashes and gaps a pixel long at least.
     */
    QPen devicePen() const
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

    /**
     * Sets the painters' clip to the context's, when it is not so already:
     * that costs its rectangles and the picture's rows.
     * @throws ui::SimError past the budget.
     */
    void applyClip()
    {
        const Clip &clip = m_dc.clip;
        if (clip.id == m_appliedClip)
            return;
        m_appliedClip = clip.id;
        if (!clip.on) {
            onCanvases([](QPainter &painter) { painter.setClipping(false); });
            return;
        }
        chargeArea(int64_t(clip.region.rectCount()) * kRegionRectWork * (m_kept.isEmpty() ? 1 : 2) + m_image.height());
        onCanvases([&clip](QPainter &painter) { painter.setClipRegion(clip.region); });
    }
    /** The ways a new region is combined with the clip. */
    enum ClipMode { ClipAnd = 1, ClipOr = 2, ClipXor = 3, ClipDiff = 4, ClipCopy = 5 };
    /**
     * Combines the clip with a region of the picture's pixels. Combining
     * regions costs the rectangles of both and of what they make.
     * @throws ui::SimError past the budget.
     */
    void clipWith(int mode, const QRegion &region)
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
        made.id = ++m_clips;
        m_dc.clip = std::move(made);
    }
    /** @return the pixels of a rectangle on the picture (the picture's own, and a pixel around it, at most). */
    QRegion regionOf(const QRectF &r) const
    {
        const QRectF near = r.normalized().intersected(QRectF(m_image.rect()).adjusted(-1, -1, 1, 1));
        if (near.isEmpty())
            return QRegion();
        return QRegion(QRect(QPoint(int(std::round(near.left())), int(std::round(near.top()))),
                             QPoint(int(std::round(near.right())) - 1, int(std::round(near.bottom())) - 1)));
    }
    /**
     * @return the pixels closed figures on the picture enclose under the
     *         fill rule (the figures cut to the picture first), as the
     *         system makes a region of a path; what that costs is charged
     *         as filling them is.
     * @throws ui::SimError past the budget.
     */
    QRegion regionOf(const std::vector<Figure> &figures, Qt::FillRule rule)
    {
        chargeArea(int64_t(std::min(scanWork(figures, true, QPen(Qt::NoPen)), 1e15)));
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
    /** Combines the clip with a logical rectangle (corners as given), or takes it out of the clip. */
    void clipToRectangle(QPointF a, QPointF b, bool exclude)
    {
        const int mode = exclude ? ClipDiff : ClipAnd;
        if (keepsRectangles())
            clipWith(mode, regionOf(deviceRect(a, b)));
        else
            clipWith(mode, regionOf({{device(QPolygonF(QRectF(a, b).normalized()).first(4)), true}}, Qt::WindingFill));
    }
    /**
     * Combines the clip with a region of rectangles in device units, united
     * two by two, then the unions two by two, and so on: each rectangle is
     * walked about as often as the number of rounds.
     */
    void clipToRegion(int mode, const std::vector<QRectF> &rects)
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
    /** Clips to nothing more: the whole picture is drawn on again. */
    void unclip()
    {
        m_dc.clip = Clip();
        m_dc.clip.id = ++m_clips;
    }
    /** Moves the clip by a logical offset. */
    void offsetClip(QPointF logical)
    {
        Clip &clip = m_dc.clip;
        if (!clip.on)
            return;
        const QPointF by = device(logical) - device(QPointF(0, 0));
        /* Moved off the picture, it clips everything away. */
        if (std::abs(by.x()) > kMaxPictureSide || std::abs(by.y()) > kMaxPictureSide)
            clip.region = QRegion();
        else
            clip.region.translate(int(by.x()), int(by.y()));
        chargeArea(int64_t(clip.region.rectCount()) * kRegionRectWork);
        clip.id = ++m_clips;
    }

    void polygon(const QPolygonF &logical, bool closed)
    {
        const QPolygonF points = device(logical);
        if (m_inPath) {
            chargePoints(points.size());
            addFigure(points, closed);
            return;
        }
        const QPen pen = devicePen();
        const double scan = scanWork({{points, closed}}, closed && m_dc.brush.style() != Qt::NoBrush, pen);
        chargeShape(points.boundingRect(), points.size(), outlineOf(points, closed), scan, pen);
        const Qt::FillRule rule = m_dc.fillRule;
        paintShape([&points] { return points.boundingRect(); }, pen, closed ? m_dc.brush : QBrush(Qt::NoBrush),
                   [&points, closed, rule](QPainter &painter) {
                       if (closed)
                           painter.drawPolygon(points, rule);
                       else
                           painter.drawPolyline(points);
                   });
    }
    /** Draws polygons as one shape: closed and filled, or open polylines. */
    void polyPolygon(const std::vector<QPolygonF> &polygons, bool closed = true)
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
            chargeShape(points.boundingRect(), points.size(), outlineOf(points, closed), 0, pen);
            shapes.push_back({std::move(points), closed});
        }
        if (m_inPath)
            return;
        /* Drawn as one path: its polygons' edges cross the rows together. */
        chargeArea(int64_t(std::min(scanWork(shapes, closed && m_dc.brush.style() != Qt::NoBrush, pen), 1e15)));
        paint(shapes, closed, pen);
    }
    void moveTo(QPointF logical)
    {
        m_dc.position = logical;
        m_newFigure = true;
    }
    void lineTo(QPointF logical)
    {
        if (m_inPath) {
            chargePoints(1);
            continueFigure(QPolygonF{device(logical)});
            m_dc.position = logical;
            return;
        }
        const QLineF line(device(m_dc.position), device(logical));
        const QPen pen = devicePen();
        chargeShape(QRectF(line.p1(), line.p2()), 2, line.length(), 0, pen);
        paintShape([&line] { return QRectF(line.p1(), line.p2()); }, pen, QBrush(Qt::NoBrush),
                   [&line](QPainter &painter) { painter.drawLine(line); });
        m_dc.position = logical;
    }
    /**
     * Lines, or cubic Bézier pieces (two control points and an end each),
     * from the current position on, which moves to their end.
     */
    void polyTo(const QPolygonF &logical, bool bezier)
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
    /** Cubic Bézier pieces from their first point on; the current position stays. */
    void polyBezier(const QPolygonF &logical)
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
    /**
     * @return a rectangle's outline on the picture, the corners given as
     *         logical points, rounded by a corner ellipse of that logical
     *         size; its points charged to the budget.
     */
    QPolygonF rectangleOutline(QPointF a, QPointF b, double cornerW, double cornerH)
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
    void rectangle(QPointF a, QPointF b, double cornerW = 0, double cornerH = 0)
    {
        if (m_inPath || !keepsRectangles()) {
            shape(rectangleOutline(a, b, cornerW, cornerH));
            return;
        }
        const auto [r, pen] = shapeRect(a, b);
        const QRectF box = r;
        const double rx = deviceHeight(cornerW) / 2;
        const double ry = deviceHeight(cornerH) / 2;
        const bool rounded = cornerW > 0 && cornerH > 0;
        paintShape([&box] { return box; }, pen, m_dc.brush, [&box, rx, ry, rounded](QPainter &painter) {
            if (rounded)
                painter.drawRoundedRect(box, rx, ry);
            else
                painter.drawRect(box);
        });
    }
    void ellipse(QPointF a, QPointF b)
    {
        if (m_inPath || !keepsRectangles()) {
            shape(curvePoints(ellipticArc(QRectF(a, b).normalized(), 0, 2 * std::numbers::pi)));
            return;
        }
        const auto [r, pen] = shapeRect(a, b);
        const QRectF box = r;
        paintShape([&box] { return box; }, pen, m_dc.brush, [&box](QPainter &painter) { painter.drawEllipse(box); });
    }
    /** What an arc record draws of its ellipse: the arc, the arc from the current position, a chord or a pie. */
    enum class ArcKind { Arc, ArcTo, Chord, Pie };
    /**
     * Draws an arc of the ellipse in the box (logical corners a and b),
     * from the ray through `from` to the ray through `to`, in the
     * context's direction; the whole ellipse when the rays are one.
     */
    void arc(QPointF a, QPointF b, QPointF from, QPointF to, ArcKind kind)
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
    /**
     * Draws a line from the current position to the circle's point at the
     * angle `from` (degrees, counter-clockwise), then its arc through
     * `sweep` degrees; the current position moves to the arc's end.
     */
    void angleArc(QPointF centre, double radius, double from, double sweep)
    {
        if (!std::isfinite(from) || !std::isfinite(sweep))
            return;
        const QRectF box(centre - QPointF(radius, radius), centre + QPointF(radius, radius));
        constexpr double radians = std::numbers::pi / 180;
        arcCurve(ellipticArc(box, std::fmod(from, 360) * radians, std::clamp(sweep, -360.0, 360.0) * radians),
                 ArcKind::ArcTo);
    }

    /** Begins a path: the shapes that follow make its figures instead of being drawn. */
    void beginPath()
    {
        m_path.clear();
        m_inPath = true;
        m_newFigure = true;
    }
    void endPath() { m_inPath = false; }
    void abortPath()
    {
        m_path.clear();
        m_inPath = false;
    }
    /** Closes the path's last figure: what follows begins another. */
    void closeFigure()
    {
        if (m_inPath && !m_path.empty()) {
            m_path.back().closed = true;
            m_newFigure = true;
        }
    }
    /**
     * Fills the path ended last (every figure closed for it), strokes it,
     * or both, and lets it go. While a path is still open this does
     * nothing, as the system does.
     */
    void drawPath(bool fill, bool stroke)
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
    /** Combines the clip with the area the path ended last encloses, and lets the path go. */
    void clipToPath(int mode)
    {
        if (m_inPath)
            return;
        std::vector<Figure> figures;
        figures.swap(m_path);
        clipWith(mode, regionOf(figures, m_dc.fillRule));
    }

    /**
     * Draws a text at a logical reference point as the system does: its
     * font made at its size on the picture (the height mapped through the
     * world and page transforms) and its glyphs drawn at that size, the
     * baseline turned by the font's escapement, a width of the font's own
     * making its glyphs wider or narrower, the characters placed by the
     * record's advances where it gives them (logical units along the
     * baseline), else by the font's own. A text of the compatible graphics
     * mode stands upright and reads from left to right whatever the
     * transforms, as the system draws it; one of the advanced mode is
     * turned, slanted and mirrored with them. Text ignores the mix mode.
     * @param advances the advance after each of the text's UTF-16 units; empty: the font's own.
     * @param advanced whether the text is of the advanced graphics mode.
     */
    void text(QPointF logical, const QString &text, const std::vector<double> &advances = {}, bool advanced = false)
    {
        const LogFont &lf = m_dc.font;
        const QTransform t = logicalToPicture();
        /* The baseline's turn, counter-clockwise as the picture shows it (y down). */
        const QTransform turn = QTransform().rotate(-lf.escapement / 10.0);
        /*
         * From the glyphs' own pixels (x along the baseline, y down through
         * the glyphs) to the picture, and how many of those pixels a logical
         * unit along the baseline and across it is.
         */
        QTransform glyphs = turn;
        double along = std::hypot(t.m11(), t.m12());
        double across = std::hypot(t.m21(), t.m22());
        if (advanced) {
            const QTransform axes = turn * QTransform(t.m11(), t.m12(), t.m21(), t.m22(), 0, 0);
            across = std::hypot(axes.m21(), axes.m22());
            along = across;
            glyphs = QTransform(axes.m11() / across, axes.m12() / across, axes.m21() / across, axes.m22() / across, 0,
                                0);
        }
        /* A text mapped onto no height at all, or far past any, draws nothing. */
        if (!(across > 0) || !std::isfinite(across) || !std::isfinite(along))
            return;
        /* A negative height is the character height; a positive one the cell height. */
        const double height = std::abs(lf.height == 0 ? 12 : lf.height) * across;
        const int64_t pixelSize =
            std::max<int64_t>(1, std::lround(std::min<double>(lf.height > 0 ? height * 0.8 : height, kMaxMetafileSide)));
        /* The width of the font's own: its average character's, on the picture. */
        const double width = lf.width == 0 ? 0 : std::clamp(std::abs(lf.width) * along, 1.0, double(kMaxMetafileSide));
        const FontKey key{lf.face.isEmpty() ? QStringLiteral("Arial") : lf.face, pixelSize, lf.weight >= 600,
                          lf.italic};
        /* Wherever it lands, and with or without a display, before any of it is drawn. */
        chargeText(text, key, width);
        /* Fonts need a GUI application; a headless run (tests, benchmark) draws no text. Nor does a path take it. */
        if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance()) || m_inPath)
            return;
        QFont font(key.face);
        font.setPixelSize(int(key.pixelSize));
        font.setWeight(key.bold ? QFont::Bold : QFont::Normal);
        font.setItalic(key.italic);
        /*
         * A character the font lacks is drawn as the font draws a missing
         * character: looking for another font that has it would search all
         * the system's fonts for each script the font lacks, for every new font.
         */
        font.setStyleStrategy(QFont::NoFontMerging);
        const QFontMetricsF metrics(font);
        /* A font of a width of its own is the face's glyphs made that much wider, advances and all. */
        const double natural = metrics.averageCharWidth();
        const double stretch = width > 0 && natural > 0 ? std::clamp(width / natural, 1.0 / 64, 64.0) : 1;
        /* Where each character begins along the baseline, in the glyphs' pixels before they are made wider. */
        std::vector<double> starts;
        double total = metrics.horizontalAdvance(text);
        if (advances.size() == size_t(text.size())) {
            starts.reserve(advances.size());
            double x = 0;
            for (const double advance : advances) {
                starts.push_back(x);
                x += advance * along / stretch;
            }
            total = x;
        }
        double x = 0;
        const unsigned horizontal = m_dc.textAlign & 6;
        if (horizontal == 6)
            x = -total / 2; // TA_CENTER
        else if (horizontal == 2)
            x = -total; // TA_RIGHT
        double y = 0;
        const unsigned vertical = m_dc.textAlign & 24;
        if (vertical == 0)
            y = metrics.ascent(); // TA_TOP
        else if (vertical == 8)
            y = -metrics.descent(); // TA_BOTTOM
        /* The glyphs are placed from the reference point on the picture's pixels, as the system places them. */
        const QPointF at = device(logical);
        const QTransform frame = QTransform::fromScale(stretch, 1) * glyphs * QTransform::fromTranslate(at.x(), at.y());
        const QRawFont raw =
            starts.size() == size_t(text.size()) && !starts.empty() ? QRawFont::fromFont(font) : QRawFont();
        QGlyphRun run;
        if (raw.isValid()) {
            /* One glyph a character; a pair of surrogates is one character, placed at its first unit's start. */
            QList<quint32> indexes(text.size());
            int count = int(indexes.size());
            if (!raw.glyphIndexesForChars(text.constData(), int(text.size()), indexes.data(), &count))
                count = 0;
            QList<QPointF> positions;
            positions.reserve(count);
            for (qsizetype i = 0; i < text.size() && positions.size() < count; ++i) {
                positions << QPointF(x + starts[size_t(i)], y);
                if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
                    ++i;
            }
            indexes.resize(positions.size());
            run.setRawFont(raw);
            run.setGlyphIndexes(indexes);
            run.setPositions(positions);
        }
        applyClip();
        onCanvases([&](QPainter &painter) {
            painter.setTransform(frame);
            painter.setFont(font);
            if (m_dc.opaqueBackground)
                painter.fillRect(QRectF(x, y - metrics.ascent(), total, metrics.height()), m_dc.background);
            painter.setPen(m_dc.textColour);
            if (raw.isValid())
                painter.drawGlyphRun(QPointF(0, 0), run);
            else
                painter.drawText(QPointF(x, y), text);
            painter.setWorldTransform(QTransform()); // the window stays
        });
    }
    /** The font Qt makes for a text: its face, pixel size, boldness and slant. */
    struct FontKey {
        QString face;
        int64_t pixelSize = 0;
        bool bold = false;
        bool italic = false;
        bool operator<(const FontKey &o) const
        {
            return std::tie(face, pixelSize, bold, italic) < std::tie(o.face, o.pixelSize, o.bold, o.italic);
        }
    };
    /**
     * Charges a text to the work budget (see kTextWork): the text itself,
     * its characters at the font's size, the runs of characters joined to
     * the one before them, and the font when no text drew with it before.
     * A font of a width of its own has its glyphs charged as wide as twice
     * that width where that is wider than they are high.
     * @param width the font's average character width on the picture; 0: the face's own.
     * @throws ui::SimError past the budget.
     */
    void chargeText(const QString &text, const FontKey &font, double width = 0)
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
        int64_t work = kTextWork + int64_t(text.size()) * glyph * glyphWidth + joined * kJoinedWork;
        if (m_fontsMade.insert(font).second)
            work += kFontWork;
        chargeArea(work);
        chargePoints(text.size());
    }
    /** @return a logical rectangle (corner and size as given) on the picture. */
    QRectF deviceRect(QPointF at, QSizeF size) const
    {
        return deviceRect(at, at + QPointF(size.width(), size.height()));
    }
    /** @return a rectangle of a logical corner and a size in the metafile's device units, on the picture. */
    QRectF deviceSized(QPointF at, QSizeF size) const
    {
        const QPointF corner = device(at);
        const QPointF across(size.width() * std::abs(m_deviceToPicture.m11()),
                             size.height() * std::abs(m_deviceToPicture.m22()));
        return QRectF(corner, onPixels(corner + across)).normalized();
    }
    /**
     * A block transfer of a device-independent bitmap (header, colours,
     * pixels) to a rectangle of the picture (see transfer). The bitmap is
     * read only when the operation uses a source: one that uses none
     * (filling with the brush, black or white, inverting) needs none, and
     * one that uses a source draws nothing without one (null `dib`).
     * @param source the bitmap's pixels taken (top-down); invalid: all of them.
     * @param rop the raster operation (ROP3): SRCCOPY draws the bitmap over what lies below.
     * @throws ui::SimError when the bitmap is broken, or past the budget.
     */
    void dibTransfer(const char *dib, int64_t size, int64_t pixelsAt, const QRectF &target, QRect source,
                     uint32_t rop)
    {
        if (!RasterOp::ofTransfer(rop).usesSource() || dib == nullptr) {
            blockTransfer(nullptr, target, source, rop);
            return;
        }
        if (!dibIsWhole(dib, size, pixelsAt, 1))
            throw broken("vložený obrázek");
        /* Decoding it costs its own pixels, wherever it is drawn. */
        chargeArea(dibPixels(dib, size));
        const QImage picture = decodeDib(dib, size, pixelsAt);
        if (picture.isNull())
            throw broken("vložený obrázek");
        blockTransfer(&picture, target, source, rop);
    }
    /**
     * A block transfer of a bitmap's pixels (its `source` rectangle, all of
     * it when invalid) stretched over a rectangle of the picture, combined
     * with the brush and what lies below by a raster operation (see
     * transfer); a plain copy (SRCCOPY) draws the bitmap over what lies
     * below, its colours as they are.
     * @param picture the bitmap, decoded and charged; null: none.
     * @throws ui::SimError past the budget.
     */
    void blockTransfer(const QImage *picture, const QRectF &target, QRect source, uint32_t rop)
    {
        const RasterOp op = RasterOp::ofTransfer(rop);
        chargeShape(target, 4, 0);
        if (!op.usesSource() || picture == nullptr) {
            transfer(target.toAlignedRect(), nullptr, QRect(), op);
            return;
        }
        const QRect from = source.isValid() ? source.intersected(picture->rect()) : picture->rect();
        /* A source wholly outside the bitmap draws nothing (QPainter would take an empty one as all of it). */
        if (from.isEmpty())
            return;
        if (op.table() == RasterOp::ofTransfer(kSourceCopy).table()) {
            applyClip();
            onCanvases([&](QPainter &painter) { painter.drawImage(target, *picture, from); });
            return;
        }
        const QImage pixels = picture->convertToFormat(QImage::Format_RGB32);
        transfer(target.toAlignedRect(), &pixels, from, op);
    }

private:
    /** @return the failure of a picture that would cost more work than any vehicle. */
    static ui::SimError tooMuchWork() { return broken("příliš mnoho kreslení"); }

    /*
     * Raster operations combine the bits of colours with what lies below,
     * but where nothing is drawn the picture is see-through: what lies
     * below there is whatever the picture is shown over. So where
     * operations that read what lies below reach, the picture is kept
     * twice from the first of them on: as it shows over black (m_image,
     * made opaque there) and as it shows over white (m_white, over the box
     * m_kept, which grows as they reach further); all drawing is done on
     * both, each operation on each with its own destination. At the end
     * the two are made one again (join): a pixel alike on both is opaque in
     * that colour; where the one over white is darker in any channel (the
     * background inverted there), it is opaque as over white; else, where
     * it is lighter, the background shows through by the most a channel
     * lightens, in the colour over black. So a pixel that the operations
     * left as it was, as the masks of the usual transparency tricks leave
     * what they do not cover, is see-through again, and a mask's grey lets
     * some of the background through. A picture without such operations is
     * drawn once, as before.
     */
    /** Does the drawing on the picture, and on the picture over white where it is kept. */
    template <typename Draw>
    void onCanvases(Draw draw)
    {
        draw(m_painter);
        if (!m_kept.isEmpty())
            draw(m_whitePainter);
    }
    /**
     * Keeps the picture over white within an area too. The box kept grows
     * to hold it, at least twice as wide and high as it was once it has to
     * grow again, so operations spread over the picture one small piece
     * after another make it grow a few times only; what it comes to hold
     * anew is made of the picture there (then made opaque) and charged.
     * @throws ui::SimError past the budget.
     */
    void keepOverWhite(const QRect &area)
    {
        if (m_kept.contains(area))
            return;
        QRect kept = area;
        if (!m_kept.isEmpty()) {
            kept = m_kept.united(area);
            kept = kept.adjusted(-m_kept.width() / 2, -m_kept.height() / 2, m_kept.width() / 2, m_kept.height() / 2)
                       .intersected(m_image.rect());
        }
        chargeArea(int64_t(kept.width()) * kept.height() * kSeparateWork);
        QImage white(kept.size(), QImage::Format_RGB32);
        if (white.isNull())
            throw tooMuchWork();
        for (int y = kept.top(); y <= kept.bottom(); ++y) {
            auto *black = reinterpret_cast<QRgb *>(m_image.scanLine(y));
            auto *row = reinterpret_cast<QRgb *>(white.scanLine(y - kept.top()));
            const bool keptRow = y >= m_kept.top() && y <= m_kept.bottom();
            const auto *keptWhite =
                keptRow ? reinterpret_cast<const QRgb *>(m_white.constScanLine(y - m_kept.top())) : nullptr;
            for (int x = kept.left(); x <= kept.right(); ++x) {
                if (keptRow && x >= m_kept.left() && x <= m_kept.right()) {
                    row[x - kept.left()] = keptWhite[x - m_kept.left()];
                    continue;
                }
                /* Premultiplied: over black the colour as it is, over white the colour and what it lets through. */
                const QRgb c = black[x];
                row[x - kept.left()] = (c + (255 - qAlpha(c)) * 0x010101u) | 0xFF000000u;
                black[x] = c | 0xFF000000u;
            }
        }
        if (m_whitePainter.isActive())
            m_whitePainter.end();
        m_white = std::move(white);
        m_kept = kept;
        m_whitePainter.begin(&m_white);
        m_whitePainter.setWindow(m_kept); // drawn on in the picture's coordinates
        m_appliedClip = ~uint64_t(0);     // set on both painters anew
    }
    /** Makes the picture over black and over white one picture again (see keepOverWhite). */
    void join()
    {
        m_whitePainter.end();
        chargeArea(int64_t(m_kept.width()) * m_kept.height() * kSeparateWork);
        for (int y = m_kept.top(); y <= m_kept.bottom(); ++y) {
            auto *black = reinterpret_cast<QRgb *>(m_image.scanLine(y));
            const auto *white = reinterpret_cast<const QRgb *>(m_white.constScanLine(y - m_kept.top()));
            for (int x = m_kept.left(); x <= m_kept.right(); ++x) {
                const QRgb b = black[x];
                const QRgb w = white[x - m_kept.left()];
                if (qRed(w) < qRed(b) || qGreen(w) < qGreen(b) || qBlue(w) < qBlue(b)) {
                    black[x] = w; // the background inverted in some channel: as over white
                    continue;
                }
                const int alpha = 255 - std::max({qRed(w) - qRed(b), qGreen(w) - qGreen(b), qBlue(w) - qBlue(b)});
                black[x] =
                    qRgba(std::min(qRed(b), alpha), std::min(qGreen(b), alpha), std::min(qBlue(b), alpha), alpha);
            }
        }
        m_white = QImage();
        m_kept = QRect();
    }

    /**
     * Paints a shape with a pen and a brush as the context's mix mode
     * combines them with what lies below: `draw` paints it with a painter's
     * pen and brush, `box` gives its box on the picture without the pen. The
     * brush fills first, then the pen strokes, each combined on its own.
     * @throws ui::SimError past the budget.
     */
    template <typename Box, typename Draw>
    void paintShape(Box box, const QPen &pen, const QBrush &brush, Draw draw)
    {
        applyClip();
        const auto paint = [&](const QPen &shapePen, const QBrush &shapeBrush) {
            onCanvases([&](QPainter &painter) {
                painter.setPen(shapePen);
                painter.setBrush(shapeBrush);
                draw(painter);
            });
        };
        if (m_dc.mix == kCopyPen) {
            paint(pen, brush);
            return;
        }
        const RasterOp mix = RasterOp::ofMix(m_dc.mix);
        if (!mix.usesDestination()) {
            /* Black, white, or the colours inverted: drawn as they come out. */
            QPen colouredPen = pen;
            QBrush colouredBrush = brush;
            colouredPen.setColor(QColor::fromRgb(mix(pen.color().rgb(), 0, 0) | 0xFF000000u));
            colouredBrush.setColor(QColor::fromRgb(mix(brush.color().rgb(), 0, 0) | 0xFF000000u));
            paint(colouredPen, colouredBrush);
            return;
        }
        if (mix.table() == 0xAA)
            return; // what lies below is left as it is
        const QRectF shapeBox = box();
        if (brush.style() != Qt::NoBrush)
            mixShape(shapeBox, QPen(Qt::NoPen), brush, draw, mix);
        if (pen.style() != Qt::NoPen)
            mixShape(shapeBox, pen, QBrush(Qt::NoBrush), draw, mix);
    }
    /**
     * Combines a rectangle of the picture (within the clip) with a source
     * bitmap and the brush by a raster operation, as the system's block
     * transfers do. The source's rectangle `from` is stretched over the
     * target, each target pixel taking the source pixel under its centre;
     * a hatched brush's pattern is its hatches on the background colour.
     * An operation of the pattern with a null brush leaves the picture as
     * it is.
     * @param source the source's pixels (RGB); null: the operation uses none.
     * @throws ui::SimError past the budget.
     */
    void transfer(const QRect &target, const QImage *source, const QRect &from, RasterOp op)
    {
        const QRect area = target.intersected(m_image.rect());
        if (area.isEmpty() || (source != nullptr && from.isEmpty()) || (op.usesSource() && source == nullptr))
            return;
        const QBrush &brush = m_dc.brush;
        if (op.usesPattern() && brush.style() == Qt::NoBrush)
            return;
        chargeArea(int64_t(area.width()) * area.height() * kRasterOpWork);
        if (op.usesDestination())
            keepOverWhite(area);
        /* A hatched brush's pattern: eight pixels square, repeated from the picture's corner on. */
        QImage pattern;
        if (op.usesPattern() && brush.style() != Qt::SolidPattern) {
            pattern = QImage(8, 8, QImage::Format_RGB32);
            pattern.fill(m_dc.background);
            QPainter painter(&pattern);
            painter.fillRect(pattern.rect(), brush);
        }
        const RasterOp::WithPattern solid = op.withPattern(brush.color().rgb());
        /* The source's column and row under each target pixel's centre. */
        std::vector<int> columns(size_t(area.width()));
        std::vector<int> rows(size_t(area.height()));
        if (source != nullptr) {
            const auto under = [](int at, int start, int length, int first, int count) {
                const int64_t i = (2 * int64_t(at - start) + 1) * count / (2 * int64_t(length));
                return first + int(std::clamp<int64_t>(i, 0, count - 1));
            };
            for (int x = 0; x < area.width(); ++x)
                columns[size_t(x)] = under(area.left() + x, target.left(), target.width(), from.left(), from.width());
            for (int y = 0; y < area.height(); ++y)
                rows[size_t(y)] = under(area.top() + y, target.top(), target.height(), from.top(), from.height());
        }
        /* Combines pixels from..to of a row of the picture whose pixel x is line[x - offset]. */
        const auto combine = [&](QRgb *line, int offset, int y, int from, int to) {
            const int row = y - area.top();
            const auto *sourceRow =
                source != nullptr ? reinterpret_cast<const QRgb *>(source->constScanLine(rows[size_t(row)])) : nullptr;
            const auto *patternRow =
                pattern.isNull() ? nullptr : reinterpret_cast<const QRgb *>(pattern.constScanLine(y & 7));
            QRgb *d = line + (from - offset);
            const int *column = columns.data() + (from - area.left());
            const int n = to - from + 1;
            if (patternRow != nullptr) {
                RasterOp::WithPattern ops[8];
                for (int i = 0; i < 8; ++i)
                    ops[i] = op.withPattern(patternRow[i]);
                for (int i = 0; i < n; ++i)
                    d[i] = ops[(from + i) & 7](sourceRow != nullptr ? sourceRow[column[i]] : 0, d[i]) | 0xFF000000u;
            } else if (sourceRow != nullptr) {
                for (int i = 0; i < n; ++i)
                    d[i] = solid(sourceRow[column[i]], d[i]) | 0xFF000000u;
            } else {
                for (int i = 0; i < n; ++i)
                    d[i] = solid(0, d[i]) | 0xFF000000u;
            }
        };
        const QRegion region = m_dc.clip.on ? m_dc.clip.region.intersected(area) : QRegion(area);
        for (const QRect &part : region) {
            const QRect kept = part.intersected(m_kept);
            for (int y = part.top(); y <= part.bottom(); ++y) {
                combine(reinterpret_cast<QRgb *>(m_image.scanLine(y)), 0, y, part.left(), part.right());
                if (y >= kept.top() && y <= kept.bottom())
                    combine(reinterpret_cast<QRgb *>(m_white.scanLine(y - m_kept.top())), m_kept.left(), y,
                            kept.left(), kept.right());
            }
        }
    }
    /**
     * Paints a shape with one pen and brush into a layer of its own, then
     * combines each pixel it covers with what lies below by a mix mode.
     * @throws ui::SimError past the budget.
     */
    template <typename Draw>
    void mixShape(const QRectF &box, const QPen &pen, const QBrush &brush, Draw draw, RasterOp mix)
    {
        const double width = pen.style() == Qt::NoPen ? 0 : std::max(1.0, pen.widthF());
        const double reach = width * (pen.joinStyle() == Qt::MiterJoin ? std::max(0.5, pen.miterLimit()) : 0.5) + 2;
        const QRect area =
            box.normalized().adjusted(-reach, -reach, reach, reach).toAlignedRect().intersected(m_image.rect());
        if (area.isEmpty())
            return;
        chargeArea(int64_t(area.width()) * area.height() * kRasterOpWork);
        keepOverWhite(area);
        QImage layer(area.size(), QImage::Format_ARGB32_Premultiplied);
        if (layer.isNull())
            throw tooMuchWork();
        layer.fill(Qt::transparent);
        {
            QPainter painter(&layer);
            painter.translate(-area.topLeft());
            if (m_dc.clip.on)
                painter.setClipRegion(m_dc.clip.region);
            painter.setPen(pen);
            painter.setBrush(brush);
            draw(painter);
        }
        for (int y = 0; y < area.height(); ++y) {
            const auto *covered = reinterpret_cast<const QRgb *>(layer.constScanLine(y));
            auto *black = reinterpret_cast<QRgb *>(m_image.scanLine(area.top() + y)) + area.left();
            auto *white = reinterpret_cast<QRgb *>(m_white.scanLine(area.top() + y - m_kept.top()))
                          + (area.left() - m_kept.left());
            for (int x = 0; x < area.width(); ++x) {
                if (qAlpha(covered[x]) == 0)
                    continue;
                black[x] = mix(covered[x], 0, black[x]) | 0xFF000000u;
                white[x] = mix(covered[x], 0, white[x]) | 0xFF000000u;
            }
        }
    }

    /** Adds a straight piece to a curve: a cubic whose control points lie on it, flattened into one line. */
    static void straightTo(Curve &curve, QPointF to)
    {
        const QPointF from = curve.pieces.empty() ? curve.start : curve.pieces.back();
        curve.pieces.insert(curve.pieces.end(), {from + (to - from) / 3, from + (to - from) * 2 / 3, to});
    }
    /**
     * @return the points of cubic pieces (three points each) from `from`
     *         on, flattened (without `from`); each piece's points are
     *         charged to the budget before they are made.
     */
    QPolygonF flattened(QPointF from, const QPolygonF &pieces)
    {
        QPolygonF points;
        for (qsizetype i = 0; i + 2 < pieces.size(); i += 3) {
            const int n = cubicPieces(from, pieces[i], pieces[i + 1], pieces[i + 2]);
            chargePoints(n);
            appendCubic(points, n, from, pieces[i], pieces[i + 1], pieces[i + 2]);
            from = pieces[i + 2];
        }
        return points;
    }
    /** @return a logical curve on the picture, flattened; its points charged to the budget. */
    QPolygonF curvePoints(const Curve &curve)
    {
        const QPointF start = exact(curve.start);
        chargePoints(1);
        QPolygonF points =
            flattened(start, exact(QPolygonF(QList<QPointF>(curve.pieces.begin(), curve.pieces.end()))));
        points.prepend(onPixels(start));
        return points;
    }
    /** Draws an arc's curve as its kind does, or adds it to the path. */
    void arcCurve(const Curve &curve, ArcKind kind)
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
    /** Draws a closed shape on the picture, filled and stroked, or adds it to the path. */
    void shape(QPolygonF points)
    {
        if (m_inPath)
            addFigure(std::move(points), true);
        else
            drawFigures({{std::move(points), true}}, true, true);
    }
    /** Adds a figure of points on the picture (already charged) to the open path. */
    void addFigure(QPolygonF points, bool closed)
    {
        m_path.push_back({std::move(points), closed});
        m_newFigure = true;
    }
    /** Continues the path's figure with points on the picture (already charged), or begins one at the position. */
    void continueFigure(const QPolygonF &points)
    {
        if (m_newFigure || m_path.empty()) {
            chargePoints(1);
            m_path.push_back({QPolygonF{device(m_dc.position)}, false});
            m_newFigure = false;
        }
        m_path.back().points += points;
    }
    /**
     * Draws figures on the picture: filled with the brush (each closed
     * for it), stroked with the pen, or both. Their points are charged
     * already; their area, outlines and scan conversion are charged here.
     * @throws ui::SimError past the budget.
     */
    void drawFigures(const std::vector<Figure> &figures, bool fill, bool stroke)
    {
        const QPen pen = stroke ? devicePen() : QPen(Qt::NoPen);
        for (const Figure &figure : figures)
            chargeShape(figure.points.boundingRect(), 0, outlineOf(figure.points, fill || figure.closed), 0, pen);
        const bool filled = fill && m_dc.brush.style() != Qt::NoBrush;
        chargeArea(int64_t(std::min(scanWork(figures, filled, pen), 1e15)));
        if (filled || pen.style() != Qt::NoPen)
            paint(figures, fill, pen);
    }
    /** Paints figures already charged: filled with the brush when `fill` (each closed for it), stroked with the pen. */
    void paint(const std::vector<Figure> &figures, bool fill, const QPen &pen)
    {
        const QBrush brush = fill ? m_dc.brush : QBrush(Qt::NoBrush);
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
    /**
     * @return the rectangle to give QPainter for a shape whose right and
     *         bottom edges lie outside it (without a pen the fill covers it
     *         exactly, a pen's outline runs along its inner edge), and the
     *         pen on the picture; the shape charged to the budget.
     */
    std::pair<QRectF, QPen> shapeRect(QPointF a, QPointF b)
    {
        const QRectF r = deviceRect(a, b);
        const QPen pen = devicePen();
        /* A dashed pen's dashes along the box cross its rows as they would along the shape. */
        const double scan =
            dashesPerPixel(pen) > 0 ? scanWork({{QPolygonF(r), true}}, m_dc.brush.style() != Qt::NoBrush, pen) : 0;
        chargeShape(r, 4, 2 * (r.width() + r.height()), scan, pen);
        return {m_dc.pen.style() == Qt::NoPen ? r : r.adjusted(0, 0, -1, -1), pen};
    }

    QImage m_image;
    QPainter m_painter;
    QRect m_kept;              ///< Where the picture is kept over black and over white (see keepOverWhite).
    QImage m_white;            ///< The picture over white there.
    QPainter m_whitePainter;
    QTransform m_deviceToPicture; ///< From the metafile's device units to the picture's pixels.
    int64_t m_records = 0; ///< Records drawn so far.
    int64_t m_points = 0;  ///< Points of the shapes drawn so far.
    int64_t m_area = 0;    ///< Pixels covered by the shapes drawn so far, counted once per shape.
    /** The records, points and pixels charged when workSinceAsked was last called. */
    struct {
        int64_t records = 0;
        int64_t points = 0;
        int64_t area = 0;
    } m_asked;
    DcState m_dc;
    std::vector<DcState> m_saved;
    std::vector<std::optional<Object>> m_objects;
    std::vector<Figure> m_path;  ///< The figures of the path, on the picture.
    bool m_inPath = false;       ///< Whether a path is open: shapes make its figures.
    bool m_newFigure = true;     ///< Whether the next line of the path begins a figure at the current position.
    uint64_t m_clips = 0;        ///< The clips made so far (their numbers).
    uint64_t m_appliedClip = 0;  ///< The number of the clip the painter has.
    std::vector<int64_t> m_rowEdges; ///< Per row of the picture, for scanWork; all zero between shapes.
    std::vector<double> m_rowEnds;   ///< Per row of the picture, the dashes' ends for scanWork; all zero between shapes.
    std::set<FontKey> m_fontsMade;   ///< The fonts texts were drawn with so far.
    /** Freed indices, lowest on top: every free index below the table's end is among them. */
    std::priority_queue<int64_t, std::vector<int64_t>, std::greater<>> m_freed;
};

/**
 * @return the source rectangle of a bitmap record: its corner and size
 *         held apart as 64-bit numbers, so that no sum overflows; an empty
 *         size gives an invalid rectangle (the whole bitmap), edges far
 *         outside any bitmap are brought near it without changing what
 *         part of the bitmap the rectangle covers.
 */
QRect sourceRect(int64_t x, int64_t y, int64_t width, int64_t height)
{
    if (width <= 0 || height <= 0)
        return QRect();
    auto near = [](int64_t v) { return int(std::clamp<int64_t>(v, -1, kMaxPictureSide + 1)); };
    return QRect(QPoint(near(x), near(y)), QPoint(near(x + width - 1), near(y + height - 1)));
}

/**
 * @return a pen of a metafile's pen style, width (logical) and colour.
 *         A wide pen's ends and joins are round unless its style names
 *         others, as the system draws them (WMF and EMF alike).
 */
QPen penOf(uint32_t style, double width, uint32_t colour)
{
    /* Solid, dash, dot, dash-dot, dash-dot-dot, null, inside the frame, the file's own pattern, every other pixel. */
    static const Qt::PenStyle styles[] = {Qt::SolidLine,      Qt::DashLine, Qt::DotLine,
                                          Qt::DashDotLine,    Qt::DashDotDotLine,
                                          Qt::NoPen,          Qt::SolidLine,
                                          Qt::SolidLine,      Qt::DotLine};
    QPen pen(colourOf(colour));
    const uint32_t kind = style & 0xF;
    pen.setStyle(kind < std::size(styles) ? styles[kind] : Qt::SolidLine);
    pen.setWidthF(std::clamp(width, 0.0, double(kMaxMetafileSide)));
    const uint32_t cap = style & 0xF00;
    pen.setCapStyle(cap == 0x100 ? Qt::SquareCap : cap == 0x200 ? Qt::FlatCap : Qt::RoundCap);
    const uint32_t join = style & 0xF000;
    pen.setJoinStyle(join == 0x1000 ? Qt::BevelJoin : join == 0x2000 ? Qt::MiterJoin : Qt::RoundJoin);
    return pen;
}

/** @return a brush of a metafile's brush style (solid, null or hatched) and colour. */
QBrush brushOf(uint32_t style, uint32_t colour, uint32_t hatch)
{
    if (style == 1)
        return QBrush(Qt::NoBrush);
    if (style == 2) {
        static const Qt::BrushStyle hatches[] = {Qt::HorPattern, Qt::VerPattern, Qt::FDiagPattern,
                                                 Qt::BDiagPattern, Qt::CrossPattern, Qt::DiagCrossPattern};
        return QBrush(colourOf(colour), hatches[std::min<uint32_t>(hatch, 5)]);
    }
    return QBrush(colourOf(colour));
}

/** @return the picture size, refused when empty or far too large. */
QSize checkedSize(int64_t width, int64_t height)
{
    if (width <= 0 || height <= 0)
        throw broken("rozměry obrázku");
    if (width > kMaxMetafileSide || height > kMaxMetafileSide)
        throw PictureTooLarge(QStringLiteral("Obrázek je příliš velký: %1 × %2").arg(width).arg(height));
    return QSize(int(width), int(height));
}

/* ------------------------------------------------------------------ EMF */

constexpr uint32_t kEmfSignature = 0x464D4520; // " EMF"

/** @return whether drawEmf reads records of this type. */
bool isDrawnEmfRecord(uint32_t type)
{
    switch (type) {
    case U_EMR_HEADER: case U_EMR_EOF: case U_EMR_POLYGON16: case U_EMR_POLYLINE16: case U_EMR_POLYGON:
    case U_EMR_POLYLINE: case U_EMR_POLYPOLYGON16: case U_EMR_RECTANGLE: case U_EMR_ELLIPSE:
    case U_EMR_ROUNDRECT: case U_EMR_MOVETOEX: case U_EMR_LINETO: case U_EMR_SETWINDOWEXTEX:
    case U_EMR_SETWINDOWORGEX: case U_EMR_SETVIEWPORTEXTEX: case U_EMR_SETVIEWPORTORGEX:
    case U_EMR_SETMAPMODE: case U_EMR_SETBKMODE: case U_EMR_SETPOLYFILLMODE: case U_EMR_SETTEXTALIGN:
    case U_EMR_SETTEXTCOLOR: case U_EMR_SETBKCOLOR: case U_EMR_SELECTOBJECT: case U_EMR_DELETEOBJECT:
    case U_EMR_RESTOREDC: case U_EMR_SAVEDC: case U_EMR_CREATEPEN: case U_EMR_CREATEBRUSHINDIRECT:
    case U_EMR_EXTCREATEFONTINDIRECTW: case U_EMR_EXTTEXTOUTW: case U_EMR_STRETCHDIBITS:
    case U_EMR_POLYBEZIER: case U_EMR_POLYBEZIERTO: case U_EMR_POLYLINETO: case U_EMR_POLYPOLYLINE:
    case U_EMR_POLYPOLYGON: case U_EMR_POLYBEZIER16: case U_EMR_POLYBEZIERTO16: case U_EMR_POLYLINETO16:
    case U_EMR_POLYPOLYLINE16: case U_EMR_SETWORLDTRANSFORM: case U_EMR_MODIFYWORLDTRANSFORM:
    case U_EMR_INTERSECTCLIPRECT: case U_EMR_EXCLUDECLIPRECT: case U_EMR_EXTSELECTCLIPRGN:
    case U_EMR_OFFSETCLIPRGN: case U_EMR_SELECTCLIPPATH: case U_EMR_BEGINPATH: case U_EMR_ENDPATH:
    case U_EMR_CLOSEFIGURE: case U_EMR_ABORTPATH: case U_EMR_FILLPATH: case U_EMR_STROKEPATH:
    case U_EMR_STROKEANDFILLPATH: case U_EMR_ARC: case U_EMR_ARCTO: case U_EMR_CHORD: case U_EMR_PIE:
    case U_EMR_ANGLEARC: case U_EMR_SETARCDIRECTION: case U_EMR_SETMITERLIMIT: case U_EMR_EXTCREATEPEN:
    case U_EMR_BITBLT: case U_EMR_STRETCHBLT: case U_EMR_SETDIBITSTODEVICE: case U_EMR_SETROP2:
        return true;
    default:
        return false;
    }
}

/** @return the 32-bit float at p. */
double f32(const char *p)
{
    const uint32_t bits = le32(p);
    float v;
    std::memcpy(&v, &bits, sizeof v);
    return double(v);
}

/** Draws the EMF records of data onto the canvas, each checked first. */
void drawEmf(const QByteArray &data, Canvas &canvas)
{
    const char *base = data.constData();
    const int64_t end = data.size();
    int64_t at = 0;
    while (at + 8 <= end) {
        const char *r = base + at;
        const uint32_t type = le32(r);
        const int64_t size = le32(r + 4);
        if (size < 8 || size % 4 != 0 || at + size > end)
            throw broken("délka záznamu");
        /* libUEMF checks the records drawn here; the others are passed over unread. */
        if (isDrawnEmfRecord(type) && !U_emf_record_safe(r))
            throw broken("obsah záznamu");
        canvas.beginRecord();
        at += size;
        /** @return whether the record holds n bytes from offset on. */
        auto holds = [size](int64_t offset, int64_t n) { return offset >= 0 && n >= 0 && offset + n <= size; };
        auto pointl = [r](int offset) { return QPointF(double(s32(r + offset)), double(s32(r + offset + 4))); };
        /**
         * @return the bitmap of a block transfer whose header's and pixels'
         *         offsets and sizes are at `fields`: none when it has no
         *         header. @throws ui::SimError when it lies outside the record.
         */
        auto dibAt = [r, &holds](int64_t fields) {
            struct {
                const char *at = nullptr; ///< Its header, colours and pixels.
                int64_t size = 0;
                int64_t pixelsAt = 0;
            } dib;
            const int64_t bmiAt = le32(r + fields);
            const int64_t bmiSize = le32(r + fields + 4);
            const int64_t bitsAt = le32(r + fields + 8);
            const int64_t bitsSize = le32(r + fields + 12);
            if (bmiSize == 0)
                return dib;
            if (!holds(bmiAt, bmiSize) || !holds(bitsAt, bitsSize) || bitsAt < bmiAt + bmiSize)
                throw broken("obrázek");
            dib = {r + bmiAt, bitsAt + bitsSize - bmiAt, bitsAt - bmiAt};
            return dib;
        };
        /** @return count points from offset on: pairs of 32-bit or of 16-bit numbers. */
        auto points = [r](int64_t offset, int64_t count, bool wide) {
            QPolygonF list;
            list.reserve(count);
            for (int64_t i = 0; i < count; ++i) {
                const char *p = r + offset + i * (wide ? 8 : 4);
                list << (wide ? QPointF(double(s32(p)), double(s32(p + 4))) : QPointF(s16(p), s16(p + 2)));
            }
            return list;
        };
        DcState &dc = canvas.dc();
        switch (type) {
        case U_EMR_EOF: return;
        case U_EMR_POLYGON16:
        case U_EMR_POLYLINE16:
        case U_EMR_POLYGON:
        case U_EMR_POLYLINE:
        case U_EMR_POLYBEZIER:
        case U_EMR_POLYBEZIER16:
        case U_EMR_POLYBEZIERTO:
        case U_EMR_POLYBEZIERTO16:
        case U_EMR_POLYLINETO:
        case U_EMR_POLYLINETO16: {
            if (!holds(24, 4))
                throw broken("mnohoúhelník");
            const int64_t count = le32(r + 24);
            const bool wide = type == U_EMR_POLYGON || type == U_EMR_POLYLINE || type == U_EMR_POLYBEZIER
                              || type == U_EMR_POLYBEZIERTO || type == U_EMR_POLYLINETO;
            if (count > kMaxPoints || !holds(28, count * (wide ? 8 : 4)))
                throw broken("mnohoúhelník");
            const QPolygonF list = points(28, count, wide);
            if (type == U_EMR_POLYGON16 || type == U_EMR_POLYGON || type == U_EMR_POLYLINE16 || type == U_EMR_POLYLINE)
                canvas.polygon(list, type == U_EMR_POLYGON16 || type == U_EMR_POLYGON);
            else if (type == U_EMR_POLYBEZIER || type == U_EMR_POLYBEZIER16)
                canvas.polyBezier(list);
            else
                canvas.polyTo(list, type == U_EMR_POLYBEZIERTO || type == U_EMR_POLYBEZIERTO16);
            break;
        }
        case U_EMR_POLYPOLYGON16:
        case U_EMR_POLYPOLYGON:
        case U_EMR_POLYPOLYLINE16:
        case U_EMR_POLYPOLYLINE: {
            if (!holds(24, 8))
                throw broken("mnohoúhelníky");
            const int64_t polygons = le32(r + 24);
            const int64_t total = le32(r + 28);
            const bool wide = type == U_EMR_POLYPOLYGON || type == U_EMR_POLYPOLYLINE;
            if (total > kMaxPoints || polygons > kMaxPoints || !holds(32, polygons * 4 + total * (wide ? 8 : 4)))
                throw broken("mnohoúhelníky");
            std::vector<QPolygonF> list;
            int64_t p = 32 + polygons * 4;
            int64_t used = 0;
            for (int64_t k = 0; k < polygons; ++k) {
                const int64_t n = le32(r + 32 + k * 4);
                if (used + n > total)
                    throw broken("mnohoúhelníky");
                list.push_back(points(p, n, wide));
                p += n * (wide ? 8 : 4);
                used += n;
            }
            canvas.polyPolygon(list, type == U_EMR_POLYPOLYGON16 || type == U_EMR_POLYPOLYGON);
            break;
        }
        case U_EMR_RECTANGLE:
        case U_EMR_ELLIPSE:
        case U_EMR_ROUNDRECT: {
            if (!holds(8, type == U_EMR_ROUNDRECT ? 24 : 16))
                throw broken("obdélník");
            if (type == U_EMR_ELLIPSE)
                canvas.ellipse(pointl(8), pointl(16));
            else if (type == U_EMR_ROUNDRECT)
                canvas.rectangle(pointl(8), pointl(16), double(s32(r + 24)), double(s32(r + 28)));
            else
                canvas.rectangle(pointl(8), pointl(16));
            break;
        }
        case U_EMR_ARC:
        case U_EMR_ARCTO:
        case U_EMR_CHORD:
        case U_EMR_PIE: {
            if (!holds(8, 32))
                throw broken("oblouk");
            const Canvas::ArcKind kind = type == U_EMR_ARC     ? Canvas::ArcKind::Arc
                                         : type == U_EMR_ARCTO ? Canvas::ArcKind::ArcTo
                                         : type == U_EMR_CHORD ? Canvas::ArcKind::Chord
                                                               : Canvas::ArcKind::Pie;
            canvas.arc(pointl(8), pointl(16), pointl(24), pointl(32), kind);
            break;
        }
        case U_EMR_ANGLEARC:
            if (!holds(8, 20))
                throw broken("oblouk");
            canvas.angleArc(pointl(8), double(le32(r + 16)), f32(r + 20), f32(r + 24));
            break;
        case U_EMR_MOVETOEX:
        case U_EMR_LINETO:
        case U_EMR_SETWINDOWEXTEX:
        case U_EMR_SETWINDOWORGEX:
        case U_EMR_SETVIEWPORTEXTEX:
        case U_EMR_SETVIEWPORTORGEX:
        case U_EMR_OFFSETCLIPRGN: {
            if (!holds(8, 8))
                throw broken("souřadnice");
            const QPointF p = pointl(8);
            if (type == U_EMR_MOVETOEX)
                canvas.moveTo(p);
            else if (type == U_EMR_LINETO)
                canvas.lineTo(p);
            else if (type == U_EMR_SETWINDOWEXTEX)
                dc.windowExtent = QSizeF(p.x(), p.y());
            else if (type == U_EMR_SETWINDOWORGEX)
                dc.windowOrigin = p;
            else if (type == U_EMR_SETVIEWPORTEXTEX)
                dc.viewportExtent = QSizeF(p.x(), p.y());
            else if (type == U_EMR_SETVIEWPORTORGEX)
                dc.viewportOrigin = p;
            else
                canvas.offsetClip(p);
            break;
        }
        case U_EMR_SETMAPMODE:
        case U_EMR_SETBKMODE:
        case U_EMR_SETPOLYFILLMODE:
        case U_EMR_SETTEXTALIGN:
        case U_EMR_SETTEXTCOLOR:
        case U_EMR_SETBKCOLOR:
        case U_EMR_SELECTOBJECT:
        case U_EMR_DELETEOBJECT:
        case U_EMR_RESTOREDC:
        case U_EMR_SETARCDIRECTION:
        case U_EMR_SETMITERLIMIT:
        case U_EMR_SETROP2:
        case U_EMR_SELECTCLIPPATH: {
            if (!holds(8, 4))
                throw broken("nastavení");
            const uint32_t v = le32(r + 8);
            if (type == U_EMR_SETMAPMODE)
                dc.scaled = v == 7 || v == 8; // isotropic, anisotropic
            else if (type == U_EMR_SETBKMODE)
                dc.opaqueBackground = v == 2;
            else if (type == U_EMR_SETPOLYFILLMODE)
                dc.fillRule = v == 2 ? Qt::WindingFill : Qt::OddEvenFill;
            else if (type == U_EMR_SETTEXTALIGN)
                dc.textAlign = v;
            else if (type == U_EMR_SETTEXTCOLOR)
                dc.textColour = colourOf(v);
            else if (type == U_EMR_SETBKCOLOR)
                dc.background = colourOf(v);
            else if (type == U_EMR_SELECTOBJECT)
                (v & 0x80000000u) ? canvas.selectStock(v & 0x7FFFFFFFu) : canvas.select(v);
            else if (type == U_EMR_DELETEOBJECT)
                canvas.remove(v);
            else if (type == U_EMR_RESTOREDC)
                canvas.restore(int32_t(v));
            else if (type == U_EMR_SETARCDIRECTION)
                dc.clockwise = v == 2;
            else if (type == U_EMR_SETMITERLIMIT)
                dc.miterLimit = std::clamp(double(v), 1.0, kMaxMiterLimit);
            else if (type == U_EMR_SETROP2)
                dc.mix = v >= 1 && v <= 16 ? int(v) : dc.mix;
            else
                canvas.clipToPath(int(v));
            break;
        }
        case U_EMR_SAVEDC: canvas.save(); break;
        case U_EMR_BEGINPATH: canvas.beginPath(); break;
        case U_EMR_ENDPATH: canvas.endPath(); break;
        case U_EMR_ABORTPATH: canvas.abortPath(); break;
        case U_EMR_CLOSEFIGURE: canvas.closeFigure(); break;
        case U_EMR_FILLPATH: canvas.drawPath(true, false); break;
        case U_EMR_STROKEPATH: canvas.drawPath(false, true); break;
        case U_EMR_STROKEANDFILLPATH: canvas.drawPath(true, true); break;
        case U_EMR_SETWORLDTRANSFORM:
        case U_EMR_MODIFYWORLDTRANSFORM: {
            if (!holds(8, type == U_EMR_SETWORLDTRANSFORM ? 24 : 28))
                throw broken("transformace");
            const QTransform given(f32(r + 8), f32(r + 12), f32(r + 16), f32(r + 20), f32(r + 24), f32(r + 28));
            canvas.setWorld(given, type == U_EMR_SETWORLDTRANSFORM ? Canvas::kWorldSet : int(le32(r + 32)));
            break;
        }
        case U_EMR_INTERSECTCLIPRECT:
        case U_EMR_EXCLUDECLIPRECT:
            if (!holds(8, 16))
                throw broken("ořez");
            canvas.clipToRectangle(pointl(8), pointl(16), type == U_EMR_EXCLUDECLIPRECT);
            break;
        case U_EMR_EXTSELECTCLIPRGN: {
            if (!holds(8, 8))
                throw broken("ořez");
            const int64_t regionSize = le32(r + 8);
            const int mode = int(le32(r + 12));
            if (regionSize == 0) {
                /* No region: only a copy means anything, the whole picture drawn on again. */
                if (mode == Canvas::ClipCopy)
                    canvas.unclip();
                break;
            }
            if (regionSize < 32 || !holds(16, regionSize))
                throw broken("ořez");
            const int64_t count = le32(r + 16 + 8);
            if (count > kMaxPoints || !holds(48, count * 16))
                throw broken("ořez");
            std::vector<QRectF> rects;
            rects.reserve(size_t(count));
            for (int64_t i = 0; i < count; ++i)
                rects.push_back(QRectF(pointl(int(48 + i * 16)), pointl(int(56 + i * 16))));
            canvas.clipToRegion(mode, rects);
            break;
        }
        case U_EMR_CREATEPEN:
            if (!holds(8, 20))
                throw broken("pero");
            canvas.create(le32(r + 8), penOf(le32(r + 12), double(s32(r + 16)), le32(r + 24)));
            break;
        case U_EMR_EXTCREATEPEN: {
            if (!holds(8, 44))
                throw broken("pero");
            const uint32_t style = le32(r + 28);
            /* A cosmetic pen is a pixel wide whatever the transform; a geometric one has a logical width. */
            const bool geometric = (style & 0xF0000) == 0x10000;
            /* Its brush: solid or hatched in its colour, null, or a pattern, which is drawn black. */
            const uint32_t brush = le32(r + 36);
            QPen pen = penOf(style, geometric ? double(le32(r + 32)) : 0, brush == 0 || brush == 2 ? le32(r + 40) : 0);
            if (brush == 1)
                pen.setStyle(Qt::NoPen);
            const int64_t entries = le32(r + 48);
            if (!holds(52, entries * 4))
                throw broken("pero");
            if ((style & 0xF) == 7 && pen.style() != Qt::NoPen) {
                /* The file's own dashes and gaps, in logical units (pixels for a cosmetic pen): at most 16. */
                QList<qreal> pattern;
                double total = 0;
                for (int64_t i = 0; i < std::min<int64_t>(entries, 16); ++i) {
                    pattern << double(le32(r + 52 + i * 4)) / std::max(1.0, pen.widthF());
                    total += pattern.back();
                }
                if (pattern.size() % 2 != 0)
                    pattern += pattern; // an odd pattern runs twice, dashes and gaps swapped the second time
                if (total > 0)
                    pen.setDashPattern(pattern);
            }
            canvas.create(le32(r + 8), pen);
            break;
        }
        case U_EMR_CREATEBRUSHINDIRECT:
            if (!holds(8, 16))
                throw broken("štětec");
            canvas.create(le32(r + 8), brushOf(le32(r + 12), le32(r + 16), le32(r + 20)));
            break;
        case U_EMR_EXTCREATEFONTINDIRECTW: {
            if (!holds(12, 92))
                throw broken("písmo");
            LogFont font;
            font.height = int(s32(r + 12));
            font.width = int(s32(r + 16));
            font.escapement = int(s32(r + 20));
            font.weight = int(s32(r + 28));
            font.italic = r[32] != 0;
            font.face = QString::fromUtf16(reinterpret_cast<const char16_t *>(r + 40), 32);
            font.face.truncate(font.face.indexOf(QChar(0)) < 0 ? 32 : font.face.indexOf(QChar(0)));
            canvas.create(le32(r + 8), font);
            break;
        }
        case U_EMR_EXTTEXTOUTW: {
            if (!holds(36, 40))
                throw broken("text");
            const int64_t chars = le32(r + 44);
            const int64_t offset = le32(r + 48);
            if (chars > kMaxChars || !holds(offset, chars * 2))
                throw broken("text");
            QString text(int(chars), Qt::Uninitialized);
            for (int64_t i = 0; i < chars; ++i)
                text[int(i)] = QChar(le16(r + offset + i * 2));
            /* The characters' advances, when the record has them; with ETO_PDY each is followed by a vertical one. */
            const int64_t advancesAt = le32(r + 72);
            const int64_t step = (le32(r + 52) & 0x2000) != 0 ? 8 : 4;
            std::vector<double> advances;
            if (advancesAt != 0 && holds(advancesAt, chars * step)) {
                advances.reserve(size_t(chars));
                for (int64_t i = 0; i < chars; ++i)
                    advances.push_back(double(s32(r + advancesAt + i * step)));
            }
            canvas.text(pointl(36), text, advances, le32(r + 24) == 2);
            break;
        }
        case U_EMR_STRETCHDIBITS: {
            if (!holds(8, 72))
                throw broken("obrázek");
            const auto dib = dibAt(48);
            const QRect source = sourceRect(s32(r + 32), s32(r + 36), s32(r + 40), s32(r + 44));
            canvas.dibTransfer(dib.at, dib.size, dib.pixelsAt,
                               canvas.deviceRect(pointl(24), QSizeF(double(s32(r + 72)), double(s32(r + 76)))),
                               source, le32(r + 68));
            break;
        }
        case U_EMR_SETDIBITSTODEVICE: {
            if (!holds(8, 68))
                throw broken("obrázek");
            const auto dib = dibAt(48);
            if (dib.pixelsAt < 12)
                throw broken("obrázek");
            /* The bitmap's rows from iStartScan on, cScans of them: only a band of all its rows is drawn. */
            const int64_t rows = le32(dib.at) == 12 ? s16(dib.at + 6) : s32(dib.at + 8);
            if (le32(r + 68) != 0 || int64_t(le32(r + 72)) < std::abs(rows))
                break;
            /* Pixels copied as they are, the source's corner its lower left one (bottom-up as the rows lie). */
            const int64_t width = s32(r + 40);
            const int64_t height = s32(r + 44);
            const int64_t top = rows > 0 ? rows - s32(r + 36) - height : s32(r + 36);
            canvas.dibTransfer(dib.at, dib.size, dib.pixelsAt,
                               canvas.deviceSized(pointl(24), QSizeF(double(width), double(height))),
                               sourceRect(s32(r + 32), top, width, height), kSourceCopy);
            break;
        }
        case U_EMR_BITBLT:
        case U_EMR_STRETCHBLT: {
            const bool stretched = type == U_EMR_STRETCHBLT;
            if (!holds(8, stretched ? 100 : 92))
                throw broken("obrázek");
            const QRectF target = canvas.deviceRect(pointl(24), QSizeF(double(s32(r + 32)), double(s32(r + 36))));
            /* Without a bitmap the brush, black, white or what lies below make the rectangle. */
            const auto dib = dibAt(84);
            /* A plain transfer takes as many of the bitmap's pixels as it covers. */
            const int64_t width = stretched ? s32(r + 100) : s32(r + 32);
            const int64_t height = stretched ? s32(r + 104) : s32(r + 36);
            const QRect source = sourceRect(s32(r + 44), s32(r + 48), width, height);
            canvas.dibTransfer(dib.at, dib.size, dib.pixelsAt, target, source, le32(r + 40));
            break;
        }
        default: break; // records that draw nothing a vehicle needs
        }
    }
    throw broken("chybí konec");
}

/* ------------------------------------------------------------------ WMF */

constexpr uint32_t kPlaceableKey = 0x9AC6CDD7;

/** The WMF record functions drawn here. */
enum WmfFunction : uint16_t {
    WmfEof = 0x0000,
    WmfSaveDc = 0x001E,
    WmfSetBkMode = 0x0102,
    WmfSetPolyFillMode = 0x0106,
    WmfRestoreDc = 0x0127,
    WmfSelectObject = 0x012D,
    WmfSetTextAlign = 0x012E,
    WmfDeleteObject = 0x01F0,
    WmfSetBkColor = 0x0201,
    WmfSetTextColor = 0x0209,
    WmfSetWindowOrg = 0x020B,
    WmfSetWindowExt = 0x020C,
    WmfSetViewportOrg = 0x020D,
    WmfSetViewportExt = 0x020E,
    WmfLineTo = 0x0213,
    WmfMoveTo = 0x0214,
    WmfCreatePen = 0x02FA,
    WmfCreateFont = 0x02FB,
    WmfCreateBrush = 0x02FC,
    WmfSetMapMode = 0x0103,
    WmfExcludeClipRect = 0x0415,
    WmfArc = 0x0817,
    WmfPie = 0x081A,
    WmfChord = 0x0830,
    WmfIntersectClipRect = 0x0416,
    WmfPolygon = 0x0324,
    WmfPolyline = 0x0325,
    WmfEllipse = 0x0418,
    WmfRectangle = 0x041B,
    WmfTextOut = 0x0521,
    WmfPolyPolygon = 0x0538,
    WmfRoundRect = 0x061C,
    WmfExtTextOut = 0x0A32,
    WmfDibStretchBlt = 0x0B41,
    WmfStretchDib = 0x0F43,
    WmfSetRop2 = 0x0104,
    WmfPatBlt = 0x061D,
    WmfBitBlt = 0x0922,
    WmfStretchBlt = 0x0B23,
    WmfDibBitBlt = 0x0940,
    WmfSetDibToDev = 0x0D33,
};

/**
 * @return the pixels of a WMF block transfer's device-dependent bitmap
 *         (its type, width, height, bytes a row, planes and bits a pixel,
 *         then its rows top-down): one of a bit a pixel in the text colour
 *         (0) and the background colour (1), as the system turns a
 *         monochrome bitmap into colours, one of 24 or 32 bits a pixel as
 *         it is; null for any other, which is passed over. Its pixels are
 *         charged to the budget before they are made.
 * @throws ui::SimError when its rows lie beyond the record, or past the budget.
 */
QImage bitmap16(const char *p, int64_t size, QColor text, QColor background, Canvas &canvas)
{
    if (size < 10)
        throw broken("obrázek");
    const int64_t width = s16(p + 2);
    const int64_t height = s16(p + 4);
    const int64_t rowBytes = le16(p + 6);
    const int bits = uint8_t(p[9]);
    if (uint8_t(p[8]) != 1 || (bits != 1 && bits != 24 && bits != 32) || width <= 0 || height <= 0)
        return QImage();
    if (rowBytes * 8 < width * bits || 10 + rowBytes * height > size)
        throw broken("obrázek");
    canvas.chargeArea(width * height);
    QImage pixels(int(width), int(height), QImage::Format_RGB32);
    if (pixels.isNull())
        throw broken("obrázek");
    const QRgb colours[2] = {text.rgb(), background.rgb()};
    for (int64_t y = 0; y < height; ++y) {
        const auto *row = reinterpret_cast<const uint8_t *>(p + 10 + y * rowBytes);
        auto *line = reinterpret_cast<QRgb *>(pixels.scanLine(int(y)));
        for (int64_t x = 0; x < width; ++x) {
            if (bits == 1)
                line[x] = colours[row[x / 8] >> (7 - x % 8) & 1];
            else
                line[x] = qRgb(row[x * bits / 8 + 2], row[x * bits / 8 + 1], row[x * bits / 8]);
        }
    }
    return pixels;
}

/** Where a WMF's records begin and how large its picture is. */
struct WmfLayout {
    int64_t recordsAt = 0;      ///< First record after the headers.
    QRect bounds;               ///< Placeable bounding box in logical units; null without one.
    int inch = 0;               ///< Logical units per inch of the placeable header.
};

/**
 * Reads the headers: the placeable one when the file begins with its key
 * (22 bytes), then the metafile header of 9 words, in memory or on disk.
 * The records follow at once: the smallest whole file is a few bytes
 * longer, its end record.
 * @throws ui::SimError when they are cut or wrong.
 */
WmfLayout wmfLayout(const QByteArray &data)
{
    const char *base = data.constData();
    const bool placeable = data.size() >= 4 && le32(base) == kPlaceableKey;
    const int64_t headerAt = placeable ? 22 : 0;
    if (data.size() < headerAt + 18)
        throw broken("hlavička");
    const char *header = base + headerAt;
    if ((le16(header) != 1 && le16(header) != 2) || le16(header + 2) != 9)
        throw broken("hlavička");
    WmfLayout layout;
    layout.recordsAt = headerAt + 18;
    if (placeable) {
        layout.bounds = QRect(QPoint(s16(base + 6), s16(base + 8)), QPoint(s16(base + 10), s16(base + 12)));
        layout.inch = le16(base + 14);
    }
    return layout;
}

/** Draws the WMF records of data from layout.recordsAt on onto the canvas, each checked first. */
void drawWmf(const QByteArray &data, int64_t from, Canvas &canvas)
{
    const char *base = data.constData();
    const char *limit = base + data.size();
    int64_t at = from;
    while (at + 6 <= data.size()) {
        const char *r = base + at;
        const int64_t size = int64_t(le32(r)) * 2;
        if (size < 6 || at + size > data.size())
            throw broken("délka záznamu");
        if (U_WMRRECSAFE_get(r, limit) == 0)
            throw broken("obsah záznamu");
        canvas.beginRecord();
        at += size;
        const uint16_t function = le16(r + 4);
        const char *p = r + 6;
        const int64_t params = size - 6;
        /** @return whether the record holds n bytes of parameters. */
        auto holds = [params](int64_t n) { return n >= 0 && n <= params; };
        /** @return the point of two words, y first as WMF keeps them. */
        auto yx = [](const char *q) { return QPointF(s16(q + 2), s16(q)); };
        auto need = [&](int64_t n, const char *what) {
            if (!holds(n))
                throw broken(what);
        };
        DcState &dc = canvas.dc();
        switch (function) {
        case WmfEof: return;
        case WmfSaveDc: canvas.save(); break;
        case WmfRestoreDc: need(2, "stav"); canvas.restore(s16(p)); break;
        case WmfSetBkMode: need(2, "nastavení"); dc.opaqueBackground = le16(p) == 2; break;
        case WmfSetMapMode: need(2, "nastavení"); dc.scaled = le16(p) == 7 || le16(p) == 8; break;
        case WmfSetPolyFillMode:
            need(2, "nastavení");
            dc.fillRule = le16(p) == 2 ? Qt::WindingFill : Qt::OddEvenFill;
            break;
        case WmfSetTextAlign: need(2, "nastavení"); dc.textAlign = le16(p); break;
        case WmfSetRop2:
            need(2, "nastavení");
            dc.mix = le16(p) >= 1 && le16(p) <= 16 ? le16(p) : dc.mix;
            break;
        case WmfSetBkColor: need(4, "barva"); dc.background = colourOf(le32(p)); break;
        case WmfSetTextColor: need(4, "barva"); dc.textColour = colourOf(le32(p)); break;
        case WmfSetWindowOrg: need(4, "okno"); dc.windowOrigin = yx(p); break;
        case WmfSetWindowExt: need(4, "okno"); dc.windowExtent = QSizeF(yx(p).x(), yx(p).y()); break;
        case WmfSetViewportOrg: need(4, "okno"); dc.viewportOrigin = yx(p); break;
        case WmfSetViewportExt: need(4, "okno"); dc.viewportExtent = QSizeF(yx(p).x(), yx(p).y()); break;
        case WmfMoveTo: need(4, "souřadnice"); canvas.moveTo(yx(p)); break;
        case WmfLineTo: need(4, "souřadnice"); canvas.lineTo(yx(p)); break;
        case WmfSelectObject: need(2, "objekt"); canvas.select(le16(p)); break;
        case WmfDeleteObject: need(2, "objekt"); canvas.remove(le16(p)); break;
        case WmfCreatePen:
            need(10, "pero");
            canvas.create(-1, penOf(le16(p), s16(p + 2), le32(p + 6)));
            break;
        case WmfCreateBrush:
            need(8, "štětec");
            canvas.create(-1, brushOf(le16(p), le32(p + 2), le16(p + 6)));
            break;
        case WmfCreateFont: {
            need(18, "písmo");
            LogFont font;
            font.height = s16(p);
            font.width = s16(p + 2);
            font.escapement = s16(p + 4);
            font.weight = s16(p + 8);
            font.italic = p[10] != 0;
            const int64_t faceBytes = std::min<int64_t>(32, params - 18);
            QByteArray face(p + 18, int(faceBytes));
            face.truncate(face.indexOf('\0') < 0 ? face.size() : face.indexOf('\0'));
            font.face = decodeCp1250(face);
            canvas.create(-1, font);
            break;
        }
        case WmfPolygon:
        case WmfPolyline: {
            need(2, "mnohoúhelník");
            const int64_t count = le16(p);
            need(2 + count * 4, "mnohoúhelník");
            QPolygonF points;
            for (int64_t i = 0; i < count; ++i)
                points << QPointF(s16(p + 2 + i * 4), s16(p + 4 + i * 4));
            canvas.polygon(points, function == WmfPolygon);
            break;
        }
        case WmfPolyPolygon: {
            need(2, "mnohoúhelníky");
            const int64_t polygons = le16(p);
            need(2 + polygons * 2, "mnohoúhelníky");
            int64_t total = 0;
            for (int64_t k = 0; k < polygons; ++k)
                total += le16(p + 2 + k * 2);
            need(2 + polygons * 2 + total * 4, "mnohoúhelníky");
            std::vector<QPolygonF> list;
            const char *q = p + 2 + polygons * 2;
            for (int64_t k = 0; k < polygons; ++k) {
                QPolygonF points;
                for (int n = le16(p + 2 + k * 2); n > 0; --n, q += 4)
                    points << QPointF(s16(q), s16(q + 2));
                list.push_back(points);
            }
            canvas.polyPolygon(list);
            break;
        }
        case WmfRectangle:
        case WmfEllipse:
            need(8, "obdélník");
            /* Bottom, right, top, left. */
            if (function == WmfEllipse)
                canvas.ellipse(QPointF(s16(p + 6), s16(p + 4)), QPointF(s16(p + 2), s16(p)));
            else
                canvas.rectangle(QPointF(s16(p + 6), s16(p + 4)), QPointF(s16(p + 2), s16(p)));
            break;
        case WmfArc:
        case WmfPie:
        case WmfChord: {
            need(16, "oblouk");
            /* The end's and start's radial points, then the box: bottom, right, top, left; each y first. */
            const Canvas::ArcKind kind = function == WmfArc   ? Canvas::ArcKind::Arc
                                         : function == WmfPie ? Canvas::ArcKind::Pie
                                                              : Canvas::ArcKind::Chord;
            canvas.arc(QPointF(s16(p + 14), s16(p + 12)), QPointF(s16(p + 10), s16(p + 8)), yx(p + 4), yx(p), kind);
            break;
        }
        case WmfIntersectClipRect:
        case WmfExcludeClipRect:
            need(8, "ořez");
            /* Bottom, right, top, left. */
            canvas.clipToRectangle(QPointF(s16(p + 6), s16(p + 4)), QPointF(s16(p + 2), s16(p)),
                                   function == WmfExcludeClipRect);
            break;
        case WmfRoundRect:
            need(12, "obdélník");
            canvas.rectangle(QPointF(s16(p + 10), s16(p + 8)), QPointF(s16(p + 6), s16(p + 4)), s16(p + 2), s16(p));
            break;
        case WmfTextOut: {
            need(2, "text");
            const int64_t length = le16(p);
            const int64_t padded = (length + 1) / 2 * 2;
            need(2 + padded + 4, "text");
            canvas.text(yx(p + 2 + padded), decodeCp1250(QByteArray(p + 2, int(length))));
            break;
        }
        case WmfExtTextOut: {
            need(8, "text");
            const int64_t length = le16(p + 4);
            const bool rect = (le16(p + 6) & 0x0006) != 0; // opaque or clipped: a rectangle follows
            const int64_t textAt = 8 + (rect ? 8 : 0);
            need(textAt + length, "text");
            /* The characters' advances follow the text (padded to a word), when the record has them. */
            const int64_t advancesAt = textAt + (length + 1) / 2 * 2;
            std::vector<double> advances;
            if (holds(advancesAt + length * 2)) {
                advances.reserve(size_t(length));
                for (int64_t i = 0; i < length; ++i)
                    advances.push_back(s16(p + advancesAt + i * 2));
            }
            canvas.text(yx(p), decodeCp1250(QByteArray(p + textAt, int(length))), advances);
            break;
        }
        case WmfPatBlt:
            /* The raster operation, then the rectangle's height, width, top and left. */
            need(12, "obrázek");
            canvas.dibTransfer(nullptr, 0, 0,
                               canvas.deviceRect(QPointF(s16(p + 10), s16(p + 8)), QSizeF(s16(p + 6), s16(p + 4))),
                               QRect(), le32(p));
            break;
        case WmfBitBlt:
        case WmfStretchBlt:
        case WmfDibBitBlt:
        case WmfDibStretchBlt:
        case WmfStretchDib: {
            /*
             * The raster operation (StretchDIB's followed by a usage word),
             * the source's size when stretched, its top and left, the
             * target's size, top and left, then the bitmap: a device-
             * independent one, or a device-dependent one for BitBlt and
             * StretchBlt. A record without a bitmap ends with the target.
             */
            const bool stretched = function != WmfBitBlt && function != WmfDibBitBlt;
            const int64_t sizesAt = function == WmfStretchDib ? 6 : 4;
            const int64_t fields = sizesAt + (stretched ? 16 : 12);
            need(4, "obrázek");
            const uint32_t rop = le32(p);
            if (function != WmfStretchDib && size / 2 == (function >> 8) + 3) {
                need(12, "obrázek");
                const char *q = p + params - 8;
                canvas.dibTransfer(nullptr, 0, 0, canvas.deviceRect(yx(q + 4), QSizeF(s16(q + 2), s16(q))), QRect(),
                                   rop);
                break;
            }
            need(fields + 10, "obrázek");
            const char *q = p + sizesAt + (stretched ? 4 : 0);
            const QRect source = stretched ? sourceRect(s16(q + 2), s16(q), s16(p + sizesAt + 2), s16(p + sizesAt))
                                           : sourceRect(s16(q + 2), s16(q), s16(q + 6), s16(q + 4));
            const QRectF target = canvas.deviceRect(yx(q + 8), QSizeF(s16(q + 6), s16(q + 4)));
            if (function == WmfBitBlt || function == WmfStretchBlt) {
                const QImage pixels = RasterOp::ofTransfer(rop).usesSource()
                                          ? bitmap16(p + fields, params - fields, dc.textColour, dc.background, canvas)
                                          : QImage();
                canvas.blockTransfer(pixels.isNull() ? nullptr : &pixels, target, source, rop);
            } else {
                canvas.dibTransfer(p + fields, params - fields, -1, target, source, rop);
            }
            break;
        }
        case WmfSetDibToDev: {
            /* Usage, scans, first scan, the source's lower left corner, its size, the target's corner, the bitmap. */
            need(18 + 12, "obrázek");
            const char *dib = p + 18;
            const int64_t rows = le32(dib) == 12 ? s16(dib + 6) : s32(dib + 8);
            if (le16(p + 4) != 0 || le16(p + 2) < std::abs(rows))
                break; // a band of the bitmap's rows: passed over
            const int64_t width = s16(p + 12);
            const int64_t height = s16(p + 10);
            const int64_t top = rows > 0 ? rows - s16(p + 6) - height : s16(p + 6);
            canvas.dibTransfer(dib, params - 18, -1, canvas.deviceSized(yx(p + 14), QSizeF(width, height)),
                               sourceRect(s16(p + 8), top, width, height), kSourceCopy);
            break;
        }
        default: break; // records that draw nothing a vehicle needs
        }
    }
    throw broken("chybí konec");
}

} // namespace

bool looksLikeWmf(const QByteArray &data)
{
    if (data.size() >= 4 && le32(data.constData()) == kPlaceableKey)
        return true;
    return data.size() >= 18 && (le16(data.constData()) == 1 || le16(data.constData()) == 2)
           && le16(data.constData() + 2) == 9;
}

bool looksLikeEmf(const QByteArray &data)
{
    return data.size() >= 88 && le32(data.constData()) == U_EMR_HEADER && le32(data.constData() + 40) == kEmfSignature;
}

QImage decodeWmf(const QByteArray &data)
{
    const PictureRead read;
    if (!looksLikeWmf(data))
        throw broken("hlavička");
    const WmfLayout layout = wmfLayout(data);
    QSize size;
    QRectF window;
    if (!layout.bounds.isNull()) {
        /* The box's right and bottom edges lie just outside the picture. */
        const QRectF b = QRectF(QPointF(layout.bounds.left(), layout.bounds.top()),
                                QPointF(layout.bounds.right(), layout.bounds.bottom())).normalized();
        const int inch = layout.inch > 0 ? layout.inch : 1440;
        size = checkedSize(std::lround(b.width() * 96.0 / inch), std::lround(b.height() * 96.0 / inch));
        window = b;
    } else {
        /* No placeable header: the first window extent and origin give the picture. */
        const char *base = data.constData();
        QPointF origin;
        for (int64_t at = layout.recordsAt; at + 10 <= data.size();) {
            const int64_t recordSize = int64_t(le32(base + at)) * 2;
            if (recordSize < 6 || at + recordSize > data.size())
                break;
            const uint16_t function = le16(base + at + 4);
            if (recordSize >= 10 && function == WmfSetWindowOrg)
                origin = QPointF(s16(base + at + 8), s16(base + at + 6));
            if (recordSize >= 10 && function == WmfSetWindowExt) {
                window = QRectF(origin, QSizeF(s16(base + at + 8), s16(base + at + 6)));
                break;
            }
            at += recordSize;
        }
        size = checkedSize(std::lround(window.width()), std::lround(window.height()));
    }
    Canvas canvas(size, QTransform());
    /* Until the file sets its own window, the bounds map onto the picture. */
    DcState &dc = canvas.dc();
    dc.scaled = true;
    dc.windowOrigin = window.topLeft();
    dc.windowExtent = window.size();
    dc.viewportExtent = QSizeF(size);
    drawWmf(data, layout.recordsAt, canvas);
    return canvas.take();
}

QImage decodeEmf(const QByteArray &data)
{
    const PictureRead read;
    if (!looksLikeEmf(data))
        throw broken("hlavička");
    const char *h = data.constData();
    const int64_t headerSize = le32(h + 4);
    if (headerSize < 88 || headerSize > data.size())
        throw broken("hlavička");
    /* The bounds in device units, the frame in hundredths of a millimetre: both with their right and bottom edges. */
    auto rectAt = [h](int offset) {
        return QRectF(QPointF(double(s32(h + offset)), double(s32(h + offset + 4))),
                      QPointF(double(s32(h + offset + 8)), double(s32(h + offset + 12))));
    };
    const QRectF bounds = rectAt(8);
    const QRectF frame = rectAt(24);
    /*
     * The picture is the frame at 96 dots per inch: the whole pixels it
     * covers, a tenth of a pixel spared for the writer's rounding of its
     * hundredths. The frame is mapped onto it as the system maps it onto
     * the rectangle a picture is drawn in, through the reference device's
     * size in device units and in millimetres (micrometres where the
     * header has them). A frame of less than a pixel leaves the bounds
     * the picture, a device unit its pixel.
     */
    constexpr double kPixelsPerHundredth = 96 / 2540.0;
    const int64_t frameWidth = int64_t(std::floor(frame.width() * kPixelsPerHundredth + 0.1));
    const int64_t frameHeight = int64_t(std::floor(frame.height() * kPixelsPerHundredth + 0.1));
    QSize size;
    QTransform deviceToPicture;
    if (frameWidth >= 1 && frameHeight >= 1) {
        size = checkedSize(frameWidth, frameHeight);
        double millimetresX = s32(h + 80);
        double millimetresY = s32(h + 84);
        if (headerSize >= 108 && s32(h + 100) > 0 && s32(h + 104) > 0) {
            millimetresX = s32(h + 100) / 1000.0;
            millimetresY = s32(h + 104) / 1000.0;
        }
        const double devicesX = s32(h + 72);
        const double devicesY = s32(h + 76);
        const double perMillimetreX = devicesX > 0 && millimetresX > 0 ? devicesX / millimetresX : 96 / 25.4;
        const double perMillimetreY = devicesY > 0 && millimetresY > 0 ? devicesY / millimetresY : 96 / 25.4;
        /* The frame in device units. */
        const QRectF device(frame.left() / 100 * perMillimetreX, frame.top() / 100 * perMillimetreY,
                            frame.width() / 100 * perMillimetreX, frame.height() / 100 * perMillimetreY);
        deviceToPicture = QTransform::fromTranslate(-device.left(), -device.top())
                          * QTransform::fromScale(size.width() / device.width(), size.height() / device.height());
    } else {
        size = checkedSize(int64_t(bounds.width()) + 1, int64_t(bounds.height()) + 1);
        deviceToPicture = QTransform::fromTranslate(-bounds.left(), -bounds.top());
    }
    Canvas canvas(size, deviceToPicture);
    drawEmf(data, canvas);
    return canvas.take();
}

} // namespace platform
