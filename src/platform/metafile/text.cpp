/** @file text.cpp A metafile's texts: fonts made at their size on the picture, glyphs placed as the system's. */
#include "platform/metafile/canvas.h"

#include "platform/metafile.h"

#include <QFontMetricsF>
#include <QGlyphRun>
#include <QGuiApplication>
#include <QRawFont>

#include <algorithm>
#include <cmath>

namespace platform::metafile {

void Canvas::text(QPointF logical, const QString &text, const std::vector<double> &advances, bool advanced)
{
    const LogFont &lf = m_dc.font;
    const QTransform t = logicalToPicture();
    /* The baseline's turn, counter-clockwise as the picture shows it (y down). */
    const QTransform turn = QTransform().rotate(-double(lf.escapement) / 10.0);
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
    const double height = std::abs(lf.height == 0 ? 12.0 : double(lf.height)) * across;
    const int64_t pixelSize =
        std::max<int64_t>(1, std::lround(std::min<double>(lf.height > 0 ? height * 0.8 : height, kMaxMetafileSide)));
    /* The width of the font's own: its average character's, on the picture. */
    const double width =
        lf.width == 0 ? 0 : std::clamp(std::abs(double(lf.width)) * along, 1.0, double(kMaxMetafileSide));
    const FontKey key{lf.face.isEmpty() ? QStringLiteral("Arial") : lf.face, pixelSize, lf.weight >= 600,
                      lf.italic};
    /*
     * Wherever it lands, and with or without a display, before any of it
     * is drawn: its glyphs under the advanced mode's transform, where each
     * begins along the baseline when the record says.
     */
    std::vector<double> onPicture;
    if (advances.size() == size_t(text.size())) {
        onPicture.reserve(advances.size());
        double x = 0;
        for (const double advance : advances) {
            onPicture.push_back(x);
            x += advance * along;
        }
    }
    m_budget.chargeText(text, key, width, onPicture, glyphs);
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

} // namespace platform::metafile
