/** @file records.cpp What the WMF and EMF records share: texts, colours, pens, brushes, rectangles and the size. */
#include "platform/metafile/records.h"

#include "platform/cp1250.h"
#include "platform/metafile.h"
#include "platform/picture_limits.h"
#include "platform/picture_read.h"

#include <QStringDecoder>

#include <algorithm>
#include <iterator>

namespace platform::metafile {

ui::SimError broken(const char *why)
{
    return ui::SimError(QStringLiteral("Metasoubor je poškozený: %1").arg(QString::fromUtf8(why)));
}

QString textOfBytes(const QByteArray &bytes, int charset)
{
    /* The character sets of the system's fonts and their code pages. */
    static const std::pair<int, const char *> pages[] = {
        {128, "Shift_JIS"},    {129, "windows-949"},  {134, "GBK"},          {136, "Big5"},
        {161, "windows-1253"}, {162, "windows-1254"}, {163, "windows-1258"}, {177, "windows-1255"},
        {178, "windows-1256"}, {186, "windows-1257"}, {204, "windows-1251"}, {222, "windows-874"},
        {255, "IBM852"},
    };
    if (charset == 2)
        return QString::fromLatin1(bytes); // a symbol font: each byte its own glyph
    for (const auto &[set, page] : pages) {
        if (set != charset)
            continue;
        QStringDecoder decoder(page);
        if (decoder.isValid())
            return decoder.decode(bytes);
    }
    return decodeCp1250(bytes);
}

QColor colourOf(uint32_t ref)
{
    return QColor(int(ref & 0xFF), int(ref >> 8 & 0xFF), int(ref >> 16 & 0xFF));
}

QRect sourceRect(int64_t x, int64_t y, int64_t width, int64_t height)
{
    if (width <= 0 || height <= 0)
        return QRect();
    auto near = [](int64_t v) { return int(std::clamp<int64_t>(v, -1, kMaxPictureSide + 1)); };
    return QRect(QPoint(near(x), near(y)), QPoint(near(x + width - 1), near(y + height - 1)));
}

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

QSize checkedSize(int64_t width, int64_t height)
{
    if (width <= 0 || height <= 0)
        throw broken("rozměry obrázku");
    if (width > kMaxMetafileSide || height > kMaxMetafileSide)
        throw PictureTooLarge(QStringLiteral("Obrázek je příliš velký: %1 × %2").arg(width).arg(height));
    return QSize(int(width), int(height));
}

} // namespace platform::metafile
