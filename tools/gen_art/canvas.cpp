/** @file canvas.cpp Drawing surfaces, key colour, palette and small shapes shared by the painters. */
#include "canvas.h"

#include <QLineF>
#include <QRadialGradient>

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace art {

namespace {

/** Pixels at least this opaque are kept when a transparent bitmap is keyed. */
constexpr int kKeepAlpha = 110;

/** @return the channel value c, clamped to 0..255. */
int clampChannel(double c)
{
    return std::clamp(static_cast<int>(std::lround(c)), 0, 255);
}

} // namespace

QImage makeCanvas(int w, int h, const QColor &fill)
{
    QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
    img.fill(fill);
    return img;
}

void setupPainter(QPainter &p)
{
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::SmoothPixmapTransform, true);
}

QImage keyed(const QImage &drawn)
{
    const QImage src = drawn.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QImage out(src.size(), QImage::Format_RGB32);
    const QRgb key = kKey.rgb();
    for (int y = 0; y < src.height(); ++y) {
        const auto *in = reinterpret_cast<const QRgb *>(src.constScanLine(y));
        auto *to = reinterpret_cast<QRgb *>(out.scanLine(y));
        for (int x = 0; x < src.width(); ++x) {
            const int a = qAlpha(in[x]);
            if (a < kKeepAlpha) {
                to[x] = key;
                continue;
            }
            /* Premultiplied colour plus the edge colour for the uncovered part. */
            const double rest = (255 - a) / 255.0;
            QRgb c = qRgb(clampChannel(qRed(in[x]) + kEdge.red() * rest),
                          clampChannel(qGreen(in[x]) + kEdge.green() * rest),
                          clampChannel(qBlue(in[x]) + kEdge.blue() * rest));
            if (c == key)
                c = qRgb(255, 1, 255);
            to[x] = c;
        }
    }
    out.setPixel(0, out.height() - 1, key);
    return out;
}

QImage flattened(const QImage &drawn, const QColor &bg)
{
    QImage out(drawn.size(), QImage::Format_RGB32);
    out.fill(bg);
    QPainter p(&out);
    p.drawImage(0, 0, drawn);
    p.end();
    return out;
}

QImage dimmed(const QImage &img, double factor)
{
    QImage out = img.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < out.height(); ++y) {
        auto *row = reinterpret_cast<QRgb *>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x)
            row[x] = qRgb(clampChannel(qRed(row[x]) * factor), clampChannel(qGreen(row[x]) * factor),
                          clampChannel(qBlue(row[x]) * factor));
    }
    return out;
}

Grain::Grain(const QString &seedText) : m_state(2166136261u)
{
    /* FNV-1a of the text: the same name always gives the same grain. */
    for (QChar ch : seedText) {
        m_state ^= ch.unicode();
        m_state *= 16777619u;
    }
}

int Grain::next(int range)
{
    m_state = m_state * 1664525u + 1013904223u;
    if (range <= 0)
        return 0;
    return static_cast<int>((m_state >> 16) % static_cast<std::uint32_t>(2 * range + 1)) - range;
}

void addGrain(QImage &img, const QRect &rect, const QString &seedText, int strength)
{
    Grain grain(seedText);
    const QRect r = rect.intersected(img.rect());
    for (int y = r.top(); y <= r.bottom(); ++y) {
        auto *row = reinterpret_cast<QRgb *>(img.scanLine(y));
        for (int x = r.left(); x <= r.right(); ++x) {
            const int a = qAlpha(row[x]);
            const int d = grain.next(strength);
            if (a < 255)
                continue;
            row[x] = qRgba(std::clamp(qRed(row[x]) + d, 0, 255), std::clamp(qGreen(row[x]) + d, 0, 255),
                           std::clamp(qBlue(row[x]) + d, 0, 255), a);
        }
    }
}

QColor shade(const QColor &c, double f)
{
    return QColor(clampChannel(c.red() * f), clampChannel(c.green() * f), clampChannel(c.blue() * f));
}

void drawDigit(QPainter &p, int d, const QRectF &box, const QPen &pen)
{
    /* Each digit is a list of strokes on a 4 x 6 grid. */
    using Stroke = std::vector<QPointF>;
    static const std::array<std::vector<Stroke>, 10> kStrokes = {{
        {{{0, 0}, {4, 0}, {4, 6}, {0, 6}, {0, 0}}},
        {{{1, 1.5}, {2.5, 0}, {2.5, 6}}, {{1, 6}, {4, 6}}},
        {{{0, 1}, {1, 0}, {3, 0}, {4, 1}, {4, 2.3}, {0, 6}, {4, 6}}},
        {{{0, 0}, {4, 0}, {2, 2.5}, {3, 2.5}, {4, 3.5}, {4, 5}, {3, 6}, {0, 6}}},
        {{{3, 6}, {3, 0}, {0, 4}, {4, 4}}},
        {{{4, 0}, {0, 0}, {0, 2.6}, {3, 2.6}, {4, 3.5}, {4, 5}, {3, 6}, {0, 6}}},
        {{{4, 0}, {1, 0}, {0, 1}, {0, 6}, {4, 6}, {4, 3}, {0, 3}}},
        {{{0, 0}, {4, 0}, {1.5, 6}}},
        {{{0, 0}, {4, 0}, {4, 6}, {0, 6}, {0, 0}}, {{0, 3}, {4, 3}}},
        {{{4, 3}, {0, 3}, {0, 0}, {4, 0}, {4, 5}, {3, 6}, {0, 6}}},
    }};
    if (d < 0 || d > 9)
        return;
    p.save();
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    const double sx = box.width() / 4.0;
    const double sy = box.height() / 6.0;
    for (const Stroke &s : kStrokes[static_cast<size_t>(d)]) {
        QPainterPath path;
        for (size_t i = 0; i < s.size(); ++i) {
            const QPointF pt(box.left() + s[i].x() * sx, box.top() + s[i].y() * sy);
            if (i == 0)
                path.moveTo(pt);
            else
                path.lineTo(pt);
        }
        p.drawPath(path);
    }
    p.restore();
}

void litDisc(QPainter &p, QPointF centre, double r, const QColor &light, const QColor &dark)
{
    QRadialGradient g(centre, r, centre + QPointF(-r * 0.4, -r * 0.4));
    g.setColorAt(0.0, light);
    g.setColorAt(1.0, dark);
    p.setBrush(g);
    p.drawEllipse(centre, r, r);
}

QPainterPath capsule(QPointF a, double ra, QPointF b, double rb)
{
    /* United piece by piece: overlapping subpaths of one path would cancel
       each other where their windings differ. */
    QPainterPath endA, endB, body;
    endA.addEllipse(a, ra, ra);
    endB.addEllipse(b, rb, rb);
    const QLineF axis(a, b);
    if (axis.length() > 0) {
        const QPointF n(-axis.dy() / axis.length(), axis.dx() / axis.length());
        QPolygonF quad;
        quad << a + n * ra << b + n * rb << b - n * rb << a - n * ra << a + n * ra;
        body.addPolygon(quad);
    }
    return endA.united(endB).united(body);
}

} // namespace art
