/** @file wmf.cpp WMF pictures: the placeable header's box made the picture, each record checked and drawn. */
#include "platform/metafile.h"

#include "platform/cp1250.h"
#include "platform/metafile/canvas.h"
#include "platform/picture_read.h"

#include <algorithm>
#include <cmath>

#include <uwmf.h>

namespace platform {

namespace metafile {

namespace {

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
    WmfDibCreatePatternBrush = 0x0142,
    WmfCreatePalette = 0x00F7,
    WmfCreatePatternBrush = 0x01F9,
    WmfCreateRegion = 0x06FF,
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
            font.charset = uint8_t(p[13]);
            const int64_t faceBytes = std::min<int64_t>(32, params - 18);
            QByteArray face(p + 18, int(faceBytes));
            face.truncate(face.indexOf('\0') < 0 ? face.size() : face.indexOf('\0'));
            font.face = decodeCp1250(face);
            canvas.create(-1, font);
            break;
        }
        case WmfDibCreatePatternBrush:
            /* Its style and colour use, then the bitmap: drawn in its own colours. */
            need(4 + 12, "vzorek");
            canvas.createPattern(-1, p + 4, params - 4, -1, false);
            break;
        case WmfCreatePalette:
        case WmfCreatePatternBrush:
        case WmfCreateRegion:
            /* Objects not drawn with take their place in the table all the same: the later ones keep their numbers. */
            canvas.create(-1, OtherObject{});
            break;
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
            canvas.text(yx(p + 2 + padded), textOfBytes(QByteArray(p + 2, int(length)), dc.font.charset));
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
            canvas.text(yx(p), textOfBytes(QByteArray(p + textAt, int(length)), dc.font.charset), advances);
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

} // namespace metafile

using namespace metafile;

bool looksLikeWmf(const QByteArray &data)
{
    if (data.size() >= 4 && le32(data.constData()) == kPlaceableKey)
        return true;
    return data.size() >= 18 && (le16(data.constData()) == 1 || le16(data.constData()) == 2)
           && le16(data.constData() + 2) == 9;
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
    Canvas canvas(size, QTransform(), data.size());
    /* Until the file sets its own window, the bounds map onto the picture. */
    DcState &dc = canvas.dc();
    dc.scaled = true;
    dc.windowOrigin = window.topLeft();
    dc.windowExtent = window.size();
    dc.viewportExtent = QSizeF(size);
    drawWmf(data, layout.recordsAt, canvas);
    return canvas.take();
}

} // namespace platform
