/** @file panel_art.cpp The drawn pictures of the desk and the signal boxes: panels and the devices they hold from the start. */
#include "devices/panel_art.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <algorithm>
#include <cmath>

namespace panelart {

namespace {

/** Drawn pixels less opaque than this become the key colour of a transparent picture. */
constexpr int KeepAlpha = 110;
/** The colour that half-covered edge pixels are blended towards. */
const QColor EdgeColour(36, 36, 36);

/** @return an empty premultiplied surface, clear or filled. */
QImage surface(QSize size, const QColor &fill = Qt::transparent)
{
    QImage img(size, QImage::Format_ARGB32_Premultiplied);
    img.fill(fill);
    return img;
}

/** Starts smooth drawing on an image. */
void smooth(QPainter &p)
{
    p.setRenderHint(QPainter::Antialiasing, true);
}

/** @return the drawn picture made opaque, its clear pixels in the key colour (bottom-left included). */
QImage keyed(const QImage &drawn)
{
    QImage out(drawn.size(), QImage::Format_RGB32);
    const QRgb key = KeyColour.rgb();
    for (int y = 0; y < drawn.height(); ++y) {
        const auto *in = reinterpret_cast<const QRgb *>(drawn.constScanLine(y));
        auto *to = reinterpret_cast<QRgb *>(out.scanLine(y));
        for (int x = 0; x < drawn.width(); ++x) {
            const int a = qAlpha(in[x]);
            if (a < KeepAlpha) {
                to[x] = key;
                continue;
            }
            /* Premultiplied colour plus the edge colour for the part left uncovered. */
            const double rest = (255 - a) / 255.0;
            QRgb c = qRgb(std::min(255, int(qRed(in[x]) + EdgeColour.red() * rest)),
                          std::min(255, int(qGreen(in[x]) + EdgeColour.green() * rest)),
                          std::min(255, int(qBlue(in[x]) + EdgeColour.blue() * rest)));
            if (c == key)
                c = qRgb(254, 0, 255);
            to[x] = c;
        }
    }
    out.setPixel(0, out.height() - 1, key);
    return out;
}

/**
 * @return a device picture with a shape of its own: draw paints it
 * smoothly on a clear surface, and what it leaves clear becomes the key colour.
 */
template <class Draw>
QImage keyedDrawing(QSize size, Draw draw)
{
    QImage img = surface(size);
    QPainter p(&img);
    smooth(p);
    draw(p);
    p.end();
    return keyed(img);
}

/** @return the picture as opaque RGB32. */
QImage opaque(const QImage &drawn)
{
    return drawn.convertToFormat(QImage::Format_RGB32);
}

/** Draws a raised (or, with sunken, a pressed-in) edge of the given width inside rect. */
void bevel(QPainter &p, const QRect &rect, int width, const QColor &face, bool sunken)
{
    const QColor light = face.lighter(150), dark = face.darker(220);
    for (int i = 0; i < width; ++i) {
        const QRect r = rect.adjusted(i, i, -i - 1, -i - 1);
        p.setPen(sunken ? dark : light);
        p.drawLine(r.topLeft(), r.topRight());
        p.drawLine(r.topLeft(), r.bottomLeft());
        p.setPen(sunken ? light : dark);
        p.drawLine(r.bottomLeft(), r.bottomRight());
        p.drawLine(r.topRight(), r.bottomRight());
    }
}

/** Draws a slotted screw head centred on c. */
void screw(QPainter &p, QPointF c, double r)
{
    QRadialGradient g(c - QPointF(r / 3, r / 3), r * 1.6);
    g.setColorAt(0, QColor(214, 214, 206));
    g.setColorAt(1, QColor(86, 86, 80));
    p.setPen(QPen(QColor(30, 30, 28), 0.8));
    p.setBrush(g);
    p.drawEllipse(c, r, r);
    p.setPen(QPen(QColor(40, 40, 36), 1.2));
    p.drawLine(c + QPointF(-r * 0.7, r * 0.3), c + QPointF(r * 0.7, -r * 0.3));
}

/** Draws the digit d (0..9) as seven-segment strokes inside box. */
void digit(QPainter &p, int d, const QRectF &box)
{
    /* Segments a..g as bits 0..6, the usual seven-segment order. */
    static constexpr int Segments[10] = {0x3F, 0x06, 0x5B, 0x4F, 0x66, 0x6D, 0x7D, 0x07, 0x7F, 0x6F};
    const double l = box.left(), r = box.right(), t = box.top(), b = box.bottom(), m = box.center().y();
    const QLineF lines[7] = {{l, t, r, t}, {r, t, r, m}, {r, m, r, b}, {l, b, r, b},
                             {l, m, l, b}, {l, t, l, m}, {l, m, r, m}};
    const int bits = Segments[std::clamp(d, 0, 9)];
    for (int s = 0; s < 7; ++s)
        if (bits & (1 << s))
            p.drawLine(lines[s]);
}

/** @return a vertical gradient across a bar from x0 to x1, lit on the left. */
QLinearGradient roundBar(double x0, double x1, const QColor &base)
{
    QLinearGradient g(x0, 0, x1, 0);
    g.setColorAt(0.0, base.darker(130));
    g.setColorAt(0.3, base.lighter(150));
    g.setColorAt(0.6, base);
    g.setColorAt(1.0, base.darker(220));
    return g;
}

/** Draws a round knob lit from the top left. */
void knob(QPainter &p, QPointF c, double r, const QColor &base)
{
    QRadialGradient g(c - QPointF(r / 2.5, r / 2.5), r * 1.5);
    g.setColorAt(0, base.lighter(210));
    g.setColorAt(0.45, base);
    g.setColorAt(1, base.darker(260));
    p.setPen(QPen(base.darker(300), 0.8));
    p.setBrush(g);
    p.drawEllipse(c, r, r);
}

} // namespace

QImage panel(QSize size, const QColor &face)
{
    QImage img = surface(size, face);
    QPainter p(&img);
    bevel(p, img.rect(), 4, face, false);
    smooth(p);
    const double inset = 12.0;
    for (QPointF c : {QPointF(inset, inset), QPointF(size.width() - inset, inset), QPointF(inset, size.height() - inset),
                      QPointF(size.width() - inset, size.height() - inset)})
        screw(p, c, 4.5);
    p.end();
    return opaque(img);
}

void addRecesses(QImage &panel, const std::vector<Recess> &recesses)
{
    QPainter p(&panel);
    for (const Recess &r : recesses) {
        p.fillRect(r.rect, r.face);
        bevel(p, r.rect, 2, r.face, true);
    }
}

void addTrackScale(QImage &panel, int x, int slotTop, int slotBottom, const std::vector<std::pair<int, int>> &stops)
{
    QPainter p(&panel);
    p.fillRect(QRect(x - 3, slotTop, 6, slotBottom - slotTop), QColor(16, 16, 14));
    bevel(p, QRect(x - 4, slotTop - 1, 8, slotBottom - slotTop + 2), 1, QColor(90, 90, 84), true);
    smooth(p);
    p.setPen(QPen(QColor(236, 234, 220), 1.1, Qt::SolidLine, Qt::RoundCap));
    /* Neighbouring stops are only 8 px apart: their numbers stand in two staggered columns. */
    for (size_t i = 0; i < stops.size(); ++i) {
        const auto &[y, track] = stops[i];
        p.drawLine(QPointF(x - 24, y + 0.5), QPointF(x - 8, y + 0.5));
        digit(p, track, QRectF(x - 33 - (i % 2) * 9, y - 3, 4, 6));
    }
}

void addRail(QImage &panel, const QRect &rect)
{
    QPainter p(&panel);
    QLinearGradient g(0, rect.top(), 0, rect.bottom());
    g.setColorAt(0, QColor(150, 152, 150));
    g.setColorAt(0.5, QColor(104, 106, 104));
    g.setColorAt(1, QColor(58, 60, 58));
    p.fillRect(rect, g);
    smooth(p);
    for (int x = rect.left() + 14; x < rect.right() - 8; x += 60)
        screw(p, QPointF(x, rect.center().y() + 0.5), 3.0);
}

QImage lockingTable(QSize size)
{
    QImage img = panel(size, QColor(70, 58, 44));
    QPainter p(&img);
    const QRect paper = img.rect().adjusted(24, 24, -24, -24);
    p.fillRect(paper, QColor(242, 238, 222));
    p.setPen(QPen(QColor(60, 60, 60), 1));
    p.drawRect(paper.adjusted(0, 0, -1, -1));
    const int columns = 12, rows = 16;
    for (int c = 1; c < columns; ++c) {
        const int x = paper.left() + paper.width() * c / columns;
        p.drawLine(x, paper.top(), x, paper.bottom());
    }
    for (int r = 1; r < rows; ++r) {
        const int y = paper.top() + paper.height() * r / rows;
        p.drawLine(paper.left(), y, paper.right(), y);
    }
    /* Filled cells: the locks of each route, as the chart marks them. */
    for (int r = 1; r < rows; ++r)
        for (int c = 1; c < columns; ++c)
            if ((r * 7 + c * 3) % 5 == 0) {
                const int x = paper.left() + paper.width() * c / columns;
                const int y = paper.top() + paper.height() * r / rows;
                p.fillRect(QRect(x + 4, y + 4, paper.width() / columns - 8, paper.height() / rows - 8), QColor(40, 40, 40));
            }
    p.end();
    return img;
}

QImage trackDiagram(QSize size)
{
    QImage img = panel(size, QColor(46, 54, 50));
    QPainter p(&img);
    smooth(p);
    const int w = size.width(), h = size.height();
    const int mid = h / 2;
    p.setPen(QPen(QColor(236, 232, 210), 4, Qt::SolidLine, Qt::FlatCap));
    const int tracks[] = {mid - 60, mid - 30, mid, mid + 30, mid + 60};
    for (int y : tracks)
        p.drawLine(QPointF(w * 0.18, y), QPointF(w * 0.82, y));
    p.drawLine(QPointF(30, mid), QPointF(w * 0.18, mid));
    p.drawLine(QPointF(w * 0.82, mid), QPointF(w - 30, mid));
    /* The ladder of points that fans the line out onto the tracks, at both ends. */
    for (int y : tracks) {
        if (y == mid)
            continue;
        p.drawLine(QPointF(w * 0.18 - std::abs(y - mid) * 1.5, mid), QPointF(w * 0.18, y));
        p.drawLine(QPointF(w * 0.82, y), QPointF(w * 0.82 + std::abs(y - mid) * 1.5, mid));
    }
    p.setPen(QPen(QColor(210, 40, 30), 5));
    p.drawLine(QPointF(w - 30, mid - 10), QPointF(w - 30, mid + 10));
    p.end();
    return img;
}

QImage leverFrame(QSize size, int beamTop, int beamHeight)
{
    QImage img = panel(size, QColor(64, 68, 70));
    QPainter p(&img);
    /* The lever bed: a dark pit between the two side cheeks. */
    const QRect bed(20, beamTop + beamHeight, size.width() - 40, size.height() - beamTop - beamHeight - 20);
    QLinearGradient pit(0, bed.top(), 0, bed.bottom());
    pit.setColorAt(0, QColor(30, 32, 34));
    pit.setColorAt(1, QColor(52, 54, 56));
    p.fillRect(bed, pit);
    bevel(p, bed, 2, QColor(64, 68, 70), true);
    p.end();
    addRail(img, QRect(8, beamTop, size.width() - 16, beamHeight));
    return img;
}

QSize leverSize(LeverLook look)
{
    const bool signal = look == LeverLook::DeskSignal || look == LeverLook::Box2Signal;
    return QSize(28, signal ? 112 : 110);
}

QImage lever(LeverLook look)
{
    return lever(look, leverSize(look));
}

QImage lever(LeverLook look, QSize size)
{
    const bool red = look == LeverLook::DeskSignal || look == LeverLook::Box2Signal;
    const bool brass = look == LeverLook::Box2Route || look == LeverLook::Box2Signal;
    const QColor knobColour = red ? QColor(196, 30, 28) : brass ? QColor(200, 160, 60) : QColor(40, 40, 42);
    return keyedDrawing(size, [&](QPainter &p) {
        const double w = size.width(), h = size.height(), cx = w / 2.0, r = w / 2.0 - 1.0;
        /* The plunger rod with its guide collar near the foot. */
        p.setPen(QPen(QColor(30, 30, 30), 0.8));
        p.setBrush(roundBar(cx - 4, cx + 4, QColor(170, 172, 176)));
        p.drawRect(QRectF(cx - 4, r, 8, h - r - 1));
        p.setBrush(roundBar(cx - 9, cx + 9, brass ? QColor(190, 150, 60) : QColor(120, 122, 126)));
        p.drawRoundedRect(QRectF(cx - 9, h - 22, 18, 12), 2, 2);
        knob(p, QPointF(cx, r + 1), r, knobColour);
    });
}

QImage magneto(QSize size)
{
    return keyedDrawing(size, [&](QPainter &p) {
        const double w = size.width(), h = size.height();
        const QPointF c(w / 2, h / 2);
        /* The handle's knob keeps 2 px clear of the top edge at every size. */
        const double tipRadius = w / 8, tipY = tipRadius + 2;
        knob(p, c, w / 2 - 1, QColor(44, 46, 48));
        p.setPen(QPen(QColor(20, 20, 20), 0.8));
        p.setBrush(roundBar(w / 2 - 3, w / 2 + 3, QColor(190, 190, 186)));
        p.drawRoundedRect(QRectF(w / 2 - 3, tipY - 3, 6, h / 2 + 5 - tipY), 2, 2);
        knob(p, c, w / 6, QColor(170, 170, 166));
        knob(p, QPointF(w / 2, tipY), tipRadius, QColor(30, 30, 30));
    });
}

QImage lamp(const QColor &lit, QSize size)
{
    QImage img = surface(size, QColor(30, 30, 28));
    QPainter p(&img);
    smooth(p);
    const QPointF c(size.width() / 2.0, size.height() / 2.0);
    const double r = std::min(size.width(), size.height()) / 2.0;
    QRadialGradient g(c, r);
    g.setColorAt(0, lit.lighter(170));
    g.setColorAt(0.6, lit);
    g.setColorAt(1, lit.darker(160));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawEllipse(c, r, r);
    p.end();
    return opaque(img);
}

QImage trackKnob(QSize size)
{
    return keyedDrawing(size, [&](QPainter &p) {
        const QRectF body(0.5, 0.5, size.width() - 1.0, size.height() - 1.0);
        QLinearGradient g(0, body.top(), 0, body.bottom());
        g.setColorAt(0, QColor(110, 110, 112));
        g.setColorAt(0.4, QColor(40, 40, 42));
        g.setColorAt(1, QColor(12, 12, 14));
        p.setPen(QPen(QColor(8, 8, 8), 0.8));
        p.setBrush(g);
        p.drawRoundedRect(body, 4, 4);
        p.setPen(QPen(QColor(240, 240, 232), 1.4));
        p.drawLine(QPointF(2, body.center().y()), QPointF(size.width() - 2, body.center().y()));
    });
}

QImage pushButton(QSize size)
{
    return keyedDrawing(size, [&](QPainter &p) {
        const QPointF c(size.width() / 2.0, size.height() / 2.0);
        const double r = std::min(size.width(), size.height()) / 2.0 - 0.5;
        knob(p, c, r, QColor(150, 150, 146));
        knob(p, c, r * 0.65, QColor(30, 30, 32));
    });
}

QImage leverPlate(QSize size)
{
    QImage img = surface(size, QColor(236, 234, 222));
    QPainter p(&img);
    p.setPen(QPen(QColor(30, 30, 30), 1));
    p.drawRect(img.rect().adjusted(0, 0, -1, -1));
    p.setPen(QPen(QColor(20, 50, 120), 2));
    p.drawRect(img.rect().adjusted(3, 3, -4, -4));
    smooth(p);
    screw(p, QPointF(size.width() / 2.0, 7), 2.5);
    screw(p, QPointF(size.width() / 2.0, size.height() - 7), 2.5);
    p.end();
    return opaque(img);
}

QImage bellPush(QSize size)
{
    return keyedDrawing(size, [&](QPainter &p) {
        const QPointF c(size.width() / 2.0, size.height() / 2.0);
        const double r = std::min(size.width(), size.height()) / 2.0 - 0.5;
        knob(p, c, r, QColor(24, 24, 26));
        knob(p, c, r * 0.7, QColor(200, 160, 60));
        knob(p, c, r * 0.25, QColor(230, 200, 110));
    });
}

QImage leverTag(QSize size)
{
    return keyedDrawing(size, [&](QPainter &p) {
        const double w = size.width(), h = size.height();
        p.setPen(QPen(QColor(40, 40, 40), 1.2));
        p.drawLine(QPointF(w / 2, 0), QPointF(w / 2, 8));
        const QRectF plate(1, 8, w - 2, h - 9);
        p.setBrush(QColor(245, 245, 240));
        p.drawRect(plate);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(200, 24, 24));
        p.drawRect(QRectF(plate.left() + 3, plate.top() + plate.height() / 3, plate.width() - 6, plate.height() / 3));
    });
}

QImage sealedButton(QSize size)
{
    return keyedDrawing(size, [&](QPainter &p) {
        const double w = size.width(), h = size.height();
        knob(p, QPointF(w / 2, w / 2), w / 2 - 1, QColor(150, 150, 146));
        knob(p, QPointF(w / 2, w / 2), w / 4, QColor(30, 30, 32));
        p.setPen(QPen(QColor(90, 90, 96), 0.8));
        p.drawLine(QPointF(2, w / 2), QPointF(w / 2, h - 5));
        p.drawLine(QPointF(w - 2, w / 2), QPointF(w / 2, h - 5));
        knob(p, QPointF(w / 2, h - 4), 3.2, QColor(120, 124, 130));
    });
}

QImage squareButton(QSize size, const QColor &face)
{
    return keyedDrawing(size, [&](QPainter &p) {
        const QRect r(0, 0, size.width(), size.height());
        p.fillRect(r.adjusted(0, 0, 0, -1), face);
        bevel(p, r.adjusted(0, 0, 0, -1), 2, face, false);
    });
}

} // namespace panelart
