/** @file canvas.h Drawing surfaces, key colour, palette and small shapes shared by the painters. */
#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QString>

#include <cstdint>

namespace art {

/** The see-through colour of transparent bitmaps; the bottom-left pixel carries it. */
inline const QColor kKey(255, 0, 255);
/** Panel paint behind the opaque button and lamp pictures. */
inline const QColor kPanel(156, 160, 152);
/** Colour that half-covered edge pixels of transparent pictures are blended towards. */
inline const QColor kEdge(40, 40, 40);

/** @return an empty premultiplied ARGB surface, clear or filled with fill. */
QImage makeCanvas(int w, int h, const QColor &fill = Qt::transparent);

/** Turns on the smooth drawing that every picture uses. */
void setupPainter(QPainter &p);

/**
 * Turns a drawn ARGB picture into an opaque one for a transparent bitmap:
 * mostly clear pixels become the key colour, the rest are blended towards
 * the edge colour, no drawn pixel keeps the exact key colour, and the
 * bottom-left pixel is the key.
 */
QImage keyed(const QImage &drawn);

/** @return the picture as opaque RGB32, drawn over bg where it is clear. */
QImage flattened(const QImage &drawn, const QColor &bg);

/** Darkens every pixel to factor (0..1) of its brightness, as a blinded lamp panel does. */
QImage dimmed(const QImage &img, double factor);

/** A small deterministic generator for casting grain and texture. */
class Grain {
public:
    explicit Grain(const QString &seedText);
    /** @return a number in -range .. range. */
    int next(int range);

private:
    std::uint32_t m_state; ///< Current state of the generator.
};

/** Adds grain of the given strength to every opaque pixel inside rect. */
void addGrain(QImage &img, const QRect &rect, const QString &seedText, int strength);

/** @return the colour c with every channel scaled by f and clamped. */
QColor shade(const QColor &c, double f);

/** Draws the digit d (0..9) as strokes inside box with the given pen. */
void drawDigit(QPainter &p, int d, const QRectF &box, const QPen &pen);

/** Fills a disc with a lit-from-top-left radial gradient. */
void litDisc(QPainter &p, QPointF centre, double r, const QColor &light, const QColor &dark);

/** @return the capsule from a to b with the two radii (a tapered bar with round ends). */
QPainterPath capsule(QPointF a, double ra, QPointF b, double rb);

} // namespace art
