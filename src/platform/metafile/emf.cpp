/** @file emf.cpp EMF pictures: the header's frame made the picture, each record checked and drawn on the canvas. */
#include "platform/metafile.h"

#include "platform/metafile/canvas.h"
#include "platform/picture_read.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include <uemf.h>
#include <uemf_safe.h>

namespace platform {

namespace metafile {

namespace {

constexpr uint32_t kEmfSignature = 0x464D4520; // " EMF"

/**
 * @return whether drawEmf reads records of this type and libUEMF checks
 *         them first. The texts of POLYTEXTOUT (which libUEMF cannot check)
 *         and SMALLTEXTOUT (which it takes to hold a rectangle even where the
 *         record leaves it out) are checked by drawEmf alone.
 */
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
    case U_EMR_EXTTEXTOUTA: case U_EMR_CREATEMONOBRUSH: case U_EMR_CREATEDIBPATTERNBRUSHPT:
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

/** @return count UTF-16 units from p on. */
QString wideText(const char *p, int64_t count)
{
    QString text(int(count), Qt::Uninitialized);
    for (int64_t i = 0; i < count; ++i)
        text[int(i)] = QChar(le16(p + i * 2));
    return text;
}

/**
 * Draws the text of an EMRTEXT at offset `at` of a record of `size` bytes:
 * its reference point, its characters (UTF-16, or bytes in the selected
 * font's character set) and their advances where it has them.
 * @throws ui::SimError when its characters or advances lie outside the record.
 */
void drawText(const char *r, int64_t size, int64_t at, bool wide, bool advanced, Canvas &canvas)
{
    const auto holds = [size](int64_t offset, int64_t n) { return offset >= 0 && n >= 0 && offset + n <= size; };
    if (!holds(at, 40))
        throw broken("text");
    const int64_t chars = le32(r + at + 8);
    const int64_t offset = le32(r + at + 12);
    if (chars > kMaxChars || !holds(offset, chars * (wide ? 2 : 1)))
        throw broken("text");
    const QString text = wide ? wideText(r + offset, chars)
                              : textOfBytes(QByteArray(r + offset, int(chars)), canvas.dc().font.charset);
    /* The characters' advances, when the record has them; with ETO_PDY each is followed by a vertical one. */
    const int64_t advancesAt = le32(r + at + 36);
    const int64_t step = (le32(r + at + 16) & 0x2000) != 0 ? 8 : 4;
    std::vector<double> advances;
    if (advancesAt != 0 && holds(advancesAt, chars * step)) {
        /* One a byte: a text of fewer characters than bytes is placed by its font. */
        advances.reserve(size_t(chars));
        for (int64_t i = 0; i < chars; ++i)
            advances.push_back(double(s32(r + advancesAt + i * step)));
    }
    canvas.text(QPointF(double(s32(r + at)), double(s32(r + at + 4))), text, advances, advanced);
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
        case U_EMR_CREATEMONOBRUSH:
        case U_EMR_CREATEDIBPATTERNBRUSHPT: {
            if (!holds(8, 24))
                throw broken("vzorek");
            const auto dib = dibAt(16);
            if (dib.at == nullptr)
                throw broken("vzorek");
            canvas.createPattern(le32(r + 8), dib.at, dib.size, dib.pixelsAt, type == U_EMR_CREATEMONOBRUSH);
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
            font.charset = uint8_t(r[35]);
            font.face = QString::fromUtf16(reinterpret_cast<const char16_t *>(r + 40), 32);
            font.face.truncate(font.face.indexOf(QChar(0)) < 0 ? 32 : font.face.indexOf(QChar(0)));
            canvas.create(le32(r + 8), font);
            break;
        }
        case U_EMR_EXTTEXTOUTW:
        case U_EMR_EXTTEXTOUTA:
            if (!holds(36, 40))
                throw broken("text");
            drawText(r, size, 36, type == U_EMR_EXTTEXTOUTW, le32(r + 24) == 2, canvas);
            break;
        case U_EMR_POLYTEXTOUTW:
        case U_EMR_POLYTEXTOUTA: {
            /* Texts of one graphics mode, each as an extended text would draw it. */
            if (!holds(8, 32))
                throw broken("text");
            const int64_t strings = le32(r + 36);
            if (strings > kMaxChars || !holds(40, strings * 40))
                throw broken("text");
            for (int64_t i = 0; i < strings; ++i) {
                canvas.chargeRecord();
                drawText(r, size, 40 + i * 40, type == U_EMR_POLYTEXTOUTW, le32(r + 24) == 2, canvas);
            }
            break;
        }
        case U_EMR_SMALLTEXTOUT: {
            /* Point, characters, options, graphics mode; a rectangle unless ETO_NO_RECT; bytes if ETO_SMALL_CHARS. */
            if (!holds(8, 28))
                throw broken("text");
            const int64_t chars = le32(r + 16);
            const uint32_t options = le32(r + 20);
            const int64_t at = (options & 0x100) != 0 ? 36 : 52;
            const bool narrow = (options & 0x200) != 0;
            if (chars > kMaxChars || !holds(at, chars * (narrow ? 1 : 2)))
                throw broken("text");
            canvas.text(pointl(8), narrow ? textOfBytes(QByteArray(r + at, int(chars)), dc.font.charset)
                                          : wideText(r + at, chars),
                        {}, le32(r + 24) == 2);
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

} // namespace

} // namespace metafile

using namespace metafile;

bool looksLikeEmf(const QByteArray &data)
{
    return data.size() >= 88 && le32(data.constData()) == U_EMR_HEADER && le32(data.constData() + 40) == kEmfSignature;
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
    Canvas canvas(size, deviceToPicture, data.size());
    drawEmf(data, canvas);
    return canvas.take();
}

} // namespace platform
