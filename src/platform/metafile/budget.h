/** @file budget.h What drawing a metafile costs: its records, points and pixels, charged before they are drawn. */
#pragma once

#include "platform/metafile/records.h"
#include "platform/picture_read.h"

#include <QPen>
#include <QPolygonF>
#include <QRect>
#include <QRegion>
#include <QString>
#include <QTransform>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <set>
#include <tuple>
#include <utility>
#include <vector>

namespace platform::metafile {

/**
 * What a rectangle of a clip region costs, in the pixels of the work
 * budget, each time regions are combined or a region is made the
 * painter's clip: both walk the rectangles of every region they touch.
 */
constexpr int64_t kRegionRectWork = 16;

/**
 * The most rows of rectangles a clip region may hold (each rectangle once
 * for each row of pixels it covers): Qt's painter keeps a clip region as
 * such spans, some 16 bytes each, for each painter it clips. A region of
 * more is refused before any painter is given it (a picture's own regions
 * hold a few thousand); the spans of a clip given a painter are charged
 * at a unit of work each.
 */
constexpr int64_t kMaxRegionSpans = int64_t(1) << 20;

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
 * - a glyph larger than kCharacterSide is not kept ready drawn by Qt: it
 *   is filled as an outline each time, all the glyphs of a text as one
 *   path, and costs kOutlineGlyphWork for each pixel of its square (4 to 8
 *   ns), and as much again for each other glyph of the text that overlaps
 *   it along the baseline, up to kMostOverlaps of them (their edges cross
 *   the same rows: 35 to 51 ns a pixel where 8 overlap, up to 130 where 32
 *   do, no more where more do);
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
constexpr int64_t kOutlineGlyphWork = 8;
constexpr int64_t kMostOverlaps = 32;

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
 * What Qt's raster painter asks for and writes through without looking at
 * what it got: past the picture reader's memory (kMaxPictureReaderMemory)
 * the reader dies of it. So each is reckoned in bytes before Qt is called,
 * as measured on Qt 6.4, and held to the room the reader has for it
 * (WorkBudget::chargeMemory):
 * - a clip region of more than one rectangle, in each painter it clips:
 *   kSpanBytes for each of its rectangles on each row of its bounding box on
 *   that painter's picture (not only on the rows the rectangle covers: 128
 *   rows of one pixel crossed with 128 columns of one pixel ask for 250 MB on
 *   a picture of 1,024 a side), and for each row of that picture twice, made
 *   when the painter first paints with it and kept until it clips otherwise;
 * - a stroke of a pen wider than a pixel, all of its figures and dashes
 *   together: Qt's stroker makes the whole outline at once, and the outline
 *   is cut into lines and scan converted at once, kStrokePointBytes for each
 *   point of it (measured at up to 140 with the player's own, the buffers
 *   grown by doubling; the sanitizers' build copies each buffer it grows).
 *   Each corner of a figure is joined on both of its sides and each end of a
 *   figure or a dash is capped: a round join or cap is an arc cut into lines
 *   no further than a quarter of a pixel from it, up to kArcPoints and
 *   kArcPointsPerRoot more for each square root of the pen's width (a pen of
 *   4,096 makes some 340); any other join or cap kCornerPoints. A polyline of
 *   65,000 points back and forth by a pixel in a round pen asks for 150 MB;
 * - a glyph Qt draws from its cache (see chargeText) is drawn by FreeType
 *   into a bitmap of its whole box under the painter's transform, a byte a
 *   pixel, which Qt copies and keeps for the font and transform: a shear
 *   keeps the glyph's area but not its box. FreeType draws no glyph that
 *   reaches further than kMaxGlyphReach pixels from its origin, and Qt then
 *   copies the bitmap it did not draw, which crashes it.
 */
constexpr int64_t kSpanBytes = 16;
constexpr int64_t kStrokePointBytes = 256;
constexpr double kArcPoints = 6;
constexpr double kArcPointsPerRoot = 5.2;
constexpr double kCornerPoints = 4;
constexpr double kMaxGlyphReach = 32767;

/**
 * What of the picture reader's memory is kept for all it holds besides the
 * pixel window, the file and what WorkBudget::holdMemory is told of: the
 * fonts' files it maps, Qt's own buffers and the objects the records make.
 */
constexpr int64_t kPaintReserve = int64_t(32) << 20;

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

/** @return the length of a line's run (its end less its start), by the square root of its squares. */
inline double lengthOf(QPointF run)
{
    return std::sqrt(run.x() * run.x() + run.y() * run.y());
}

/** A figure of a shape or a path, on the picture: its points, and whether its last point joins its first. */
struct Figure {
    QPolygonF points;
    bool closed = false;
};

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
 * The work budget of one metafile (kMaxMetafileRecords, kMaxMetafilePoints,
 * kMaxMetafileArea): every record, every point of its shapes and every
 * pixel its drawing costs are charged before they are drawn, and the
 * picture is refused as soon as any of them passes its limit or its
 * reading's processor time is spent.
 */
class WorkBudget {
public:
    /**
     * A budget for a picture of these pixels, read from a file of that many
     * bytes: what Qt asks for unchecked has the reader's memory but for the
     * pixel window, the file and kPaintReserve.
     */
    explicit WorkBudget(const QRect &picture, int64_t fileBytes = 0)
        : m_picture(picture),
          m_room(int64_t(kMaxPictureReaderMemory) - kMaxPictureBytes - std::max<int64_t>(fileBytes, 0) - kPaintReserve)
    {
    }

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
     *         work budget at their measured rates (kRecordTime). Asked
     *         between every two records, so kept in the header.
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
     * conversion of its polygons (scanWork). What its stroke takes of
     * memory (strokeBytes) is added to the stroke painted next (takeStroke).
     * @param outline the length of the shape's one outline (one subpath).
     * @param pen the pen it is drawn with, on the picture.
     * @param corners the points its outline turns at.
     * @throws ui::SimError past the budget.
     */
    void chargeShape(const QRectF &box, int64_t points, double outline, double scan, const QPen &pen,
                     int64_t corners);

    /**
     * @return the memory Qt's stroker takes for one outline with the pen
     *         (see kStrokePointBytes): each corner joined on both sides and
     *         its two ends capped, or each of its dashes a figure of its own
     *         capped at both ends, every corner taken to lie in a dash. A
     *         pen of a pixel, drawn pixel by pixel, takes none.
     */
    static double strokeBytes(const QPen &pen, double outline, int64_t corners);

    /**
     * @return the memory of the strokes charged since the last call
     *         (chargeShape), which are painted as one: the figures of a
     *         shape, or the shape charged last.
     */
    double takeStroke() { return std::exchange(m_stroke, 0.0); }

    /**
     * @return the memory a painter of a picture (its pixels) asks for to
     *         clip with a region (see kSpanBytes): the region's rectangles
     *         taken all to lie on it, on each row of the region's bounding
     *         box there.
     */
    static int64_t clipBytes(const QRegion &region, const QRect &painted);

    /**
     * Charges memory Qt is about to ask for without checking what it gets
     * (see kSpanBytes), against what the reader has room for beside what
     * the drawing holds (holdMemory). @throws ui::SimError past it.
     */
    void chargeMemory(double bytes) const
    {
        if (!(bytes <= double(m_room - m_held)))
            throw tooMuchWork();
    }

    /** Notes memory the drawing holds from now on (the picture over white, a clip's spans, glyphs), or lets go of it. */
    void holdMemory(int64_t bytes) { m_held += bytes; }

    /**
     * @return the dashes Qt's stroker makes of a pixel of outline with the
     *         pen (as a polygon each): none for a solid pen or one of a
     *         pixel, which is drawn pixel by pixel, dashed or not.
     */
    static double dashesPerPixel(const QPen &pen);

    /** @return the dashes the pen makes along one outline of that length: its pattern begins again at each. */
    static double dashesOf(const QPen &pen, double length);

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
    double scanWork(const std::vector<Figure> &figures, bool filled, const QPen &pen);

    /** @return the length of a polygon's outline on the picture, closed or open. */
    static double outlineOf(const QPolygonF &points, bool closed);

    /** Charges pixels that are decoded or painted to the work budget. @throws ui::SimError past it. */
    void chargeArea(int64_t pixels)
    {
        m_area += pixels;
        if (m_area > kMaxMetafileArea)
            throw tooMuchWork();
    }

    /**
     * Charges a text to the work budget (see kTextWork): the text itself,
     * its characters at the font's size, the runs of characters joined to
     * the one before them, and the font when no text drew with it before.
     * A font of a width of its own has its glyphs charged as wide as twice
     * that width where that is wider than they are high, and so has a
     * transform that widens them along the baseline. Glyphs Qt draws
     * from its cache (their pixel size squared times the transform's
     * determinant no more than kCharacterSide squared, as Qt decides) cost
     * at least their box under the whole transform, in work and in memory
     * (see kSpanBytes), and one that reaches past kMaxGlyphReach is
     * refused. All of it is charged before any glyph is drawn, wherever the
     * text falls.
     * @param width the font's average character width on the picture; 0: the face's own.
     * @param starts where each UTF-16 unit begins along the baseline, in
     *        the picture's pixels; empty: placed by the font, none over another.
     * @param glyphs from the glyphs' own pixels (x along the baseline, y
     *        down) to the picture's, before a width of the font's own.
     * @throws ui::SimError past the budget.
     */
    void chargeText(const QString &text, const FontKey &font, double width = 0, const std::vector<double> &starts = {},
                    const QTransform &glyphs = QTransform());

    /** @return the failure of a picture that would cost more work than any vehicle. */
    static ui::SimError tooMuchWork() { return broken("příliš mnoho kreslení"); }
private:
    QRect m_picture;       ///< The picture's pixels: what a shape can cover.
    int64_t m_room;        ///< The reader's memory Qt may ask for unchecked (see kPaintReserve).
    int64_t m_held = 0;    ///< The memory the drawing holds of it (holdMemory).
    double m_stroke = 0;   ///< The memory of the strokes charged since takeStroke.
    int64_t m_records = 0; ///< Records drawn so far.
    int64_t m_points = 0;  ///< Points of the shapes drawn so far.
    int64_t m_area = 0;    ///< Pixels covered by the shapes drawn so far, counted once per shape.
    /** The records, points and pixels charged when workSinceAsked was last called. */
    struct {
        int64_t records = 0;
        int64_t points = 0;
        int64_t area = 0;
    } m_asked;
    std::vector<int64_t> m_rowEdges; ///< Per row of the picture, for scanWork; all zero between shapes.
    std::vector<double> m_rowEnds;   ///< Per row, the dashes' ends for scanWork; all zero between shapes.
    std::set<FontKey> m_fontsMade;   ///< The fonts texts were drawn with so far.
};

} // namespace platform::metafile
