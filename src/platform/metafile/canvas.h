/** @file canvas.h The device context a metafile draws through: its objects, transforms, clip and picture. */
#pragma once

#include "platform/metafile/budget.h"
#include "platform/metafile/records.h"

#include <QBrush>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPen>
#include <QPolygonF>
#include <QRegion>
#include <QTransform>

#include <cmath>
#include <cstdint>
#include <optional>
#include <queue>
#include <utility>
#include <variant>
#include <vector>

namespace platform::metafile {

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

/** A logical font of a metafile. */
struct LogFont {
    QString face;       ///< Face name.
    int height = 0;     ///< Height in logical units; negative: the character height.
    int width = 0;      ///< Average character width in logical units; 0: the face's own for the height.
    int escapement = 0; ///< The baseline's angle in tenths of degrees, counter-clockwise.
    int weight = 400;   ///< 400 normal, 700 bold.
    bool italic = false;
    int charset = 1;    ///< The character set its texts' bytes are in (textOfBytes); 1: the system's own.
};

/**
 * A brush of a monochrome pattern: its bits drawn in the context's text
 * colour (0) and background colour (1) when it fills, as the system draws a
 * monochrome pattern. A pattern of the bitmap's own colours is a QBrush of
 * its image.
 */
struct MonoPattern {
    QImage bits; ///< QImage::Format_Mono, its first row the pattern's top.
};

/** An object the player does not draw with (a palette, a region, an old bitmap brush): it holds its place. */
struct OtherObject {};

/** A graphics object of a metafile's object table. */
using Object = std::variant<QPen, QBrush, LogFont, MonoPattern, OtherObject>;

/** What a context clips its drawing to: pixels of the picture, as the system keeps its clip regions. */
struct Clip {
    bool on = false; ///< Whether it clips at all.
    QRegion region;  ///< The pixels drawn on, when it clips.
    int64_t spans = 0; ///< Its rectangles' rows (see kMaxRegionSpans).
    uint64_t id = 0; ///< Its own number: another clip, or the same one set again, is set anew.
};

/** What SaveDC keeps. */
struct DcState {
    QPen pen{Qt::black};
    QBrush brush{Qt::white};
    QImage monoPattern; ///< The brush's bits when it is a monochrome pattern (then `brush` stands for it); null else.
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
 * @return a number rounded to the nearest whole one, halves away from
 *         zero, as std::round rounds it, in a few instructions: the
 *         players round every point they place.
 */
inline double rounded(double v)
{
    /* From 2^52 on every number is whole (and what is not a number stays so). */
    if (!(std::abs(v) < 4503599627370496.0))
        return v;
    const double whole = double(int64_t(v)); // towards zero
    const double part = v - whole;           // exactly
    return std::copysign(part >= 0.5 ? whole + 1 : part <= -0.5 ? whole - 1 : whole, v);
}

/**
 * @return a point on the picture moved to the nearest corner of its
 *         pixels: the system draws with whole device pixels, so a shape
 *         whose units are a little off the picture's pixels covers the
 *         pixels it would cover at their size.
 */
inline QPointF onPixels(QPointF p)
{
    return QPointF(rounded(p.x()), rounded(p.y()));
}

/** A curve of a shape in logical units: its first point, then the control points and end of each cubic piece. */
struct Curve {
    QPointF start;
    std::vector<QPointF> pieces; ///< Three points a piece.
};

/**
 * The drawing of one metafile: the picture, the object table and the
 * device context state, with the primitives both formats share.
 */
class Canvas {
public:
    /**
     * A picture of the size; the metafile's device units become its pixels
     * through deviceToPicture. The file read for it takes fileBytes of the
     * reader's memory meanwhile.
     */
    Canvas(QSize size, const QTransform &deviceToPicture, int64_t fileBytes = 0);
    ~Canvas();

    /** @return the picture drawn. @throws ui::SimError past the budget. */
    QImage take();

    DcState &dc() { return m_dc; }

    /** The picture's work budget. */
    WorkBudget &budget() { return m_budget; }
    /** Charges one record to the picture's work budget. @throws ui::SimError past it. */
    void chargeRecord() { m_budget.chargeRecord(); }
    /** Charges the next record of the file (see WorkBudget::beginRecord). @throws ui::SimError past the budget. */
    void beginRecord() { m_budget.beginRecord(); }
    /** Charges points of shapes to the work budget. @throws ui::SimError past it. */
    void chargePoints(int64_t points) { m_budget.chargePoints(points); }
    /** Charges pixels that are decoded or painted to the work budget. @throws ui::SimError past it. */
    void chargeArea(int64_t pixels) { m_budget.chargeArea(pixels); }
    /**
     * Charges a shape to the work budget (see WorkBudget::chargeShape), its
     * outline turning at each of its points. @throws ui::SimError past it.
     */
    void chargeShape(const QRectF &box, int64_t points, double outline, double scan, const QPen &pen)
    {
        m_budget.chargeShape(box, points, outline, scan, pen, points);
    }
    /** Charges a shape drawn with the context's pen. */
    void chargeShape(const QRectF &box, int64_t points, double outline, double scan = 0)
    {
        chargeShape(box, points, outline, scan, devicePen());
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
    double deviceHeight(double logical) const;
    /** @return a logical rectangle (corners as given) on the picture. */
    QRectF deviceRect(QPointF a, QPointF b) const { return QRectF(device(a), device(b)).normalized(); }
    /** @return whether logical rectangles stay rectangles on the picture (no rotation or shear). */
    bool keepsRectangles() const { return m_dc.world.type() <= QTransform::TxScale; }

    /**
     * Puts an object into the table at index; when index is negative, at
     * the lowest free index: the lowest of the freed ones, else the end of
     * the table. It is found in a few steps, never by a walk over the table.
     */
    void create(int64_t index, Object object);
    void remove(int64_t index);
    void select(int64_t index);
    /**
     * Makes a pattern brush of a device-independent bitmap (header,
     * colours, pixels) and puts it into the table (see create): a
     * monochrome one of a bit a pixel drawn in the context's text and
     * background colours, any other of the bitmap's own colours. Its pixels
     * are charged to the budget before they are made.
     * @throws ui::SimError when the bitmap is broken, or past the budget.
     */
    void createPattern(int64_t index, const char *dib, int64_t size, int64_t pixelsAt, bool mono);
    /**
     * @return a device-independent bitmap (header, colours, pixels)
     *         decoded, its pixels charged to the budget before.
     * @param what what the record calls it, for the failure.
     * @throws ui::SimError when it is broken, or past the budget.
     */
    QImage bitmap(const char *dib, int64_t size, int64_t pixelsAt, const char *what);
    /**
     * @return the brush shapes are filled with: the context's, a monochrome
     *         pattern in its text and background colours (made again only
     *         when they change, its pixels charged then).
     * @throws ui::SimError past the budget.
     */
    QBrush fillBrush();
    /** Selects one of the stock objects of EMF. */
    void selectStock(uint32_t which);

    void save();
    void restore(int64_t which);

    /**
     * Sets the world transform: replaced, or combined with the one before
     * (the new one applied first or last). One that is not finite, or so
     * large that the picture's coordinates would lose all meaning, is passed
     * over, as the system refuses a transform it cannot invert.
     */
    void setWorld(const QTransform &given, int how);
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
    QPen devicePen() const;

    /**
     * Sets the painters' clip to the context's, when it is not so already:
     * that costs its rectangles and the picture's rows, and the memory each
     * painter asks for to clip with it is held from then on
     * (WorkBudget::clipBytes).
     * @throws ui::SimError past the budget.
     */
    void applyClip();
    /** The ways a new region is combined with the clip. */
    enum ClipMode { ClipAnd = 1, ClipOr = 2, ClipXor = 3, ClipDiff = 4, ClipCopy = 5 };
    /**
     * Combines the clip with a region of the picture's pixels. Combining
     * regions costs the rectangles of both and of what they make.
     * @throws ui::SimError past the budget.
     */
    void clipWith(int mode, const QRegion &region);
    /** @return the pixels of a rectangle on the picture (the picture's own, and a pixel around it, at most). */
    QRegion regionOf(const QRectF &r) const;
    /**
     * @return the pixels closed figures on the picture enclose under the
     *         fill rule (the figures cut to the picture first), as the
     *         system makes a region of a path; what that costs is charged
     *         as filling them is.
     * @throws ui::SimError past the budget.
     */
    QRegion regionOf(const std::vector<Figure> &figures, Qt::FillRule rule);
    /** Combines the clip with a logical rectangle (corners as given), or takes it out of the clip. */
    void clipToRectangle(QPointF a, QPointF b, bool exclude);
    /**
     * Combines the clip with a region of rectangles in device units, united
     * two by two, then the unions two by two, and so on: each rectangle is
     * walked about as often as the number of rounds.
     */
    void clipToRegion(int mode, const std::vector<QRectF> &rects);
    /** Clips to nothing more: the whole picture is drawn on again. */
    void unclip();
    /** Moves the clip by a logical offset. */
    void offsetClip(QPointF logical);

    void polygon(const QPolygonF &logical, bool closed);
    /** Draws polygons as one shape: closed and filled, or open polylines. */
    void polyPolygon(const std::vector<QPolygonF> &polygons, bool closed = true);
    void moveTo(QPointF logical);
    void lineTo(QPointF logical);
    /**
     * Lines, or cubic Bézier pieces (two control points and an end each),
     * from the current position on, which moves to their end.
     */
    void polyTo(const QPolygonF &logical, bool bezier);
    /** Cubic Bézier pieces from their first point on; the current position stays. */
    void polyBezier(const QPolygonF &logical);
    /**
     * @return a rectangle's outline on the picture, the corners given as
     *         logical points, rounded by a corner ellipse of that logical
     *         size; its points charged to the budget.
     */
    QPolygonF rectangleOutline(QPointF a, QPointF b, double cornerW, double cornerH);
    void rectangle(QPointF a, QPointF b, double cornerW = 0, double cornerH = 0);
    void ellipse(QPointF a, QPointF b);
    /** What an arc record draws of its ellipse: the arc, the arc from the current position, a chord or a pie. */
    enum class ArcKind { Arc, ArcTo, Chord, Pie };
    /**
     * Draws an arc of the ellipse in the box (logical corners a and b),
     * from the ray through `from` to the ray through `to`, in the
     * context's direction; the whole ellipse when the rays are one.
     */
    void arc(QPointF a, QPointF b, QPointF from, QPointF to, ArcKind kind);
    /**
     * Draws a line from the current position to the circle's point at the
     * angle `from` (degrees, counter-clockwise), then its arc through
     * `sweep` degrees; the current position moves to the arc's end.
     */
    void angleArc(QPointF centre, double radius, double from, double sweep);

    /** Begins a path: the shapes that follow make its figures instead of being drawn. */
    void beginPath();
    void endPath() { m_inPath = false; }
    void abortPath();
    /** Closes the path's last figure: what follows begins another. */
    void closeFigure();
    /**
     * Fills the path ended last (every figure closed for it), strokes it,
     * or both, and lets it go. While a path is still open this does
     * nothing, as the system does.
     */
    void drawPath(bool fill, bool stroke);
    /** Combines the clip with the area the path ended last encloses, and lets the path go. */
    void clipToPath(int mode);

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
    void text(QPointF logical, const QString &text, const std::vector<double> &advances = {}, bool advanced = false);
    /** @return a logical rectangle (corner and size as given) on the picture. */
    QRectF deviceRect(QPointF at, QSizeF size) const;
    /** @return a rectangle of a logical corner and a size in the metafile's device units, on the picture. */
    QRectF deviceSized(QPointF at, QSizeF size) const;
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
                     uint32_t rop);
    /**
     * A block transfer of a bitmap's pixels (its `source` rectangle, all of
     * it when invalid) stretched over a rectangle of the picture, combined
     * with the brush and what lies below by a raster operation (see
     * transfer); a plain copy (SRCCOPY) draws the bitmap over what lies
     * below, its colours as they are.
     * @param picture the bitmap, decoded and charged; null: none.
     * @throws ui::SimError past the budget.
     */
    void blockTransfer(const QImage *picture, const QRectF &target, QRect source, uint32_t rop);

private:
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
    void keepOverWhite(const QRect &area);
    /** Makes the picture over black and over white one picture again (see keepOverWhite). */
    void join();

    /**
     * Paints a shape with a pen and a brush as the context's mix mode
     * combines them with what lies below: `draw` paints it with a painter's
     * pen and brush, `box` gives its box on the picture without the pen. The
     * brush fills first, then the pen strokes, each combined on its own.
     * @throws ui::SimError past the budget.
     */
    template <typename Box, typename Draw>
    void paintShape(Box box, const QPen &pen, const QBrush &brush, Draw draw);
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
    void transfer(const QRectF &target, const QImage *source, const QRect &from, RasterOp op);
    /**
     * Paints a shape with one pen and brush into a layer of its own, then
     * combines each pixel it covers with what lies below by a mix mode.
     * @param stroke the memory its stroke takes (WorkBudget::takeStroke).
     * @throws ui::SimError past the budget.
     */
    template <typename Draw>
    void mixShape(const QRectF &box, const QPen &pen, const QBrush &brush, Draw draw, RasterOp mix, double stroke);

    /** Adds a straight piece to a curve: a cubic whose control points lie on it, flattened into one line. */
    static void straightTo(Curve &curve, QPointF to);
    /**
     * @return the points of cubic pieces (three points each) from `from`
     *         on, flattened (without `from`); each piece's points are
     *         charged to the budget before they are made.
     */
    QPolygonF flattened(QPointF from, const QPolygonF &pieces);
    /** @return a logical curve on the picture, flattened; its points charged to the budget. */
    QPolygonF curvePoints(const Curve &curve);
    /** Draws an arc's curve as its kind does, or adds it to the path. */
    void arcCurve(const Curve &curve, ArcKind kind);
    /** Draws a closed shape on the picture, filled and stroked, or adds it to the path. */
    void shape(QPolygonF points);
    /** Adds a figure of points on the picture (already charged) to the open path. */
    void addFigure(QPolygonF points, bool closed);
    /** Continues the path's figure with points on the picture (already charged), or begins one at the position. */
    void continueFigure(const QPolygonF &points);
    /**
     * Draws figures on the picture: filled with the brush (each closed
     * for it), stroked with the pen, or both. Their points are charged
     * already; their area, outlines and scan conversion are charged here.
     * @throws ui::SimError past the budget.
     */
    void drawFigures(const std::vector<Figure> &figures, bool fill, bool stroke);
    /** Paints figures already charged: filled with the brush when `fill` (each closed for it), stroked with the pen. */
    void paint(const std::vector<Figure> &figures, bool fill, const QPen &pen);
    /**
     * @return the rectangle to give QPainter for a shape whose right and
     *         bottom edges lie outside it (without a pen the fill covers it
     *         exactly, a pen's outline runs along its inner edge), and the
     *         pen on the picture; the shape charged to the budget.
     * @param curved whether Qt draws the shape of curves (an ellipse, rounded
     *        corners), which it cuts into lines where a dash runs along them.
     */
    std::pair<QRectF, QPen> shapeRect(QPointF a, QPointF b, bool curved);

    QImage m_image;
    QPainter m_painter;
    QRect m_kept;              ///< Where the picture is kept over black and over white (see keepOverWhite).
    int64_t m_clipBytes = 0;   ///< The memory the painters hold for their clip (see applyClip).
    QImage m_white;            ///< The picture over white there.
    QPainter m_whitePainter;
    QTransform m_deviceToPicture; ///< From the metafile's device units to the picture's pixels.
    WorkBudget m_budget;
    DcState m_dc;
    std::vector<DcState> m_saved;
    std::vector<std::optional<Object>> m_objects;
    std::vector<Figure> m_path;  ///< The figures of the path, on the picture.
    bool m_inPath = false;       ///< Whether a path is open: shapes make its figures.
    bool m_newFigure = true;     ///< Whether the next line of the path begins a figure at the current position.
    uint64_t m_clips = 0;        ///< The clips made so far (their numbers).
    uint64_t m_appliedClip = 0;  ///< The number of the clip the painter has.
    /** Freed indices, lowest on top: every free index below the table's end is among them. */
    std::priority_queue<int64_t, std::vector<int64_t>, std::greater<>> m_freed;
    /** The monochrome pattern last coloured: its bits' key, its colours and the brush made of them. */
    struct {
        qint64 bits = 0;
        QRgb text = 0;
        QRgb background = 0;
        QBrush brush;
    } m_coloured;
};

template <typename Box, typename Draw>
void Canvas::paintShape(Box box, const QPen &pen, const QBrush &brush, Draw draw)
{
    applyClip();
    /* The outline Qt's stroker makes of all that was charged for it, beside all the drawing holds. */
    const double stroke = m_budget.takeStroke();
    const auto paint = [&](const QPen &shapePen, const QBrush &shapeBrush) {
        m_budget.chargeMemory(stroke);
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
        mixShape(shapeBox, QPen(Qt::NoPen), brush, draw, mix, 0);
    if (pen.style() != Qt::NoPen)
        mixShape(shapeBox, pen, QBrush(Qt::NoBrush), draw, mix, stroke);
}

template <typename Draw>
void Canvas::mixShape(const QRectF &box, const QPen &pen, const QBrush &brush, Draw draw, RasterOp mix,
                      double stroke)
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
        throw WorkBudget::tooMuchWork();
    layer.fill(Qt::transparent);
    /* The layer, and what its painter asks for to clip, are held while the shape is drawn on it. */
    m_budget.holdMemory(layer.sizeInBytes());
    const int64_t clipped = m_dc.clip.on ? WorkBudget::clipBytes(m_dc.clip.region, area) : 0;
    m_budget.chargeMemory(double(clipped));
    m_budget.holdMemory(clipped);
    m_budget.chargeMemory(stroke);
    {
        QPainter painter(&layer);
        painter.translate(-area.topLeft());
        if (m_dc.clip.on) {
            chargeArea(m_dc.clip.spans);
            painter.setClipRegion(m_dc.clip.region);
        }
        painter.setPen(pen);
        painter.setBrush(brush);
        draw(painter);
    }
    m_budget.holdMemory(-(layer.sizeInBytes() + clipped));
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

} // namespace platform::metafile
