/** @file raster.cpp A metafile's raster operations: block transfers and mix modes combined with what lies below. */
#include "platform/metafile/canvas.h"

#include <algorithm>

namespace platform::metafile {

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

void Canvas::dibTransfer(const char *dib, int64_t size, int64_t pixelsAt, const QRectF &target, QRect source,
                         uint32_t rop)
{
    if (!RasterOp::ofTransfer(rop).usesSource() || dib == nullptr) {
        blockTransfer(nullptr, target, source, rop);
        return;
    }
    const QImage picture = bitmap(dib, size, pixelsAt, "vložený obrázek");
    blockTransfer(&picture, target, source, rop);
}

void Canvas::blockTransfer(const QImage *picture, const QRectF &target, QRect source, uint32_t rop)
{
    const RasterOp op = RasterOp::ofTransfer(rop);
    chargeShape(target, 4, 0);
    if (!op.usesSource() || picture == nullptr) {
        transfer(target, nullptr, QRect(), op);
        return;
    }
    const QRect from = source.isValid() ? source.intersected(picture->rect()) : picture->rect();
    /* A source wholly outside the bitmap draws nothing (QPainter would take an empty one as all of it). */
    if (from.isEmpty())
        return;
    if (op.table() == RasterOp::ofTransfer(kSourceCopy).table()) {
        /* A target far past the picture is cut to the picture first, and its source with it, before Qt sees it. */
        constexpr double kFar = 1 << 20;
        QRectF to = target.normalized();
        QRectF part = from;
        if (to.left() < -kFar || to.top() < -kFar || to.right() > kFar || to.bottom() > kFar) {
            const QRectF cut = to.intersected(QRectF(m_image.rect()).adjusted(-1, -1, 1, 1));
            if (cut.isEmpty())
                return;
            const double kx = part.width() / to.width();
            const double ky = part.height() / to.height();
            part = QRectF(part.left() + (cut.left() - to.left()) * kx, part.top() + (cut.top() - to.top()) * ky,
                          cut.width() * kx, cut.height() * ky);
            to = cut;
        }
        applyClip();
        onCanvases([&](QPainter &painter) { painter.drawImage(to, *picture, part); });
        return;
    }
    const QImage pixels = picture->convertToFormat(QImage::Format_RGB32);
    transfer(target, &pixels, from, op);
}

void Canvas::keepOverWhite(const QRect &area)
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
        throw WorkBudget::tooMuchWork();
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
    m_budget.holdMemory(white.sizeInBytes() - m_white.sizeInBytes());
    m_white = std::move(white);
    m_kept = kept;
    m_whitePainter.begin(&m_white);
    m_whitePainter.setWindow(m_kept); // drawn on in the picture's coordinates
    m_appliedClip = ~uint64_t(0);     // set on both painters anew
}

void Canvas::join()
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

void Canvas::transfer(const QRectF &target, const QImage *source, const QRect &from, RasterOp op)
{
    /* The target may lie far past any number of pixels: only the part on the picture is made whole pixels. */
    const QRectF onPicture = target.normalized().intersected(QRectF(m_image.rect()));
    if (onPicture.isEmpty() || (source != nullptr && from.isEmpty()) || (op.usesSource() && source == nullptr))
        return;
    const QRect area = onPicture.toAlignedRect().intersected(m_image.rect());
    if (area.isEmpty())
        return;
    const QBrush brush = fillBrush();
    if (op.usesPattern() && brush.style() == Qt::NoBrush)
        return;
    chargeArea(int64_t(area.width()) * area.height() * kRasterOpWork);
    if (op.usesDestination())
        keepOverWhite(area);
    /*
     * The brush's pattern, repeated from the picture's corner on: a hatched
     * brush's hatches on the background colour, eight pixels square, or a
     * pattern brush's bitmap.
     */
    QImage pattern;
    if (op.usesPattern() && brush.style() == Qt::TexturePattern) {
        pattern = brush.textureImage().convertToFormat(QImage::Format_RGB32);
    } else if (op.usesPattern() && brush.style() != Qt::SolidPattern) {
        pattern = QImage(8, 8, QImage::Format_RGB32);
        pattern.fill(m_dc.background);
        QPainter painter(&pattern);
        painter.fillRect(pattern.rect(), brush);
    }
    const RasterOp::WithPattern solid = op.withPattern(brush.color().rgb());
    /* The source's column and row under each target pixel's centre, reckoned past the ends of int. */
    std::vector<int> columns(size_t(area.width()));
    std::vector<int> rows(size_t(area.height()));
    if (source != nullptr) {
        const QRectF whole = target.normalized();
        const auto under = [](int at, double start, double length, int first, int count) {
            const double i = std::floor((2 * (at - start) + 1) * count / (2 * length));
            return first + int(std::clamp(i, 0.0, double(count - 1)));
        };
        for (int x = 0; x < area.width(); ++x)
            columns[size_t(x)] = under(area.left() + x, whole.left(), whole.width(), from.left(), from.width());
        for (int y = 0; y < area.height(); ++y)
            rows[size_t(y)] = under(area.top() + y, whole.top(), whole.height(), from.top(), from.height());
    }
    /* Combines pixels from..to of a row of the picture whose pixel x is line[x - offset]. */
    const auto combine = [&](QRgb *line, int offset, int y, int from, int to) {
        const int row = y - area.top();
        const auto *sourceRow =
            source != nullptr ? reinterpret_cast<const QRgb *>(source->constScanLine(rows[size_t(row)])) : nullptr;
        const auto *patternRow =
            pattern.isNull() ? nullptr : reinterpret_cast<const QRgb *>(pattern.constScanLine(y % pattern.height()));
        QRgb *d = line + (from - offset);
        const int *column = columns.data() + (from - area.left());
        const int n = to - from + 1;
        if (patternRow != nullptr && pattern.width() != 8) {
            const int side = pattern.width();
            for (int i = 0; i < n; ++i)
                d[i] = op.withPattern(patternRow[(from + i) % side])(sourceRow != nullptr ? sourceRow[column[i]] : 0,
                                                                     d[i])
                       | 0xFF000000u;
        } else if (patternRow != nullptr) {
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

} // namespace platform::metafile
