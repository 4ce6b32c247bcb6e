/** @file paint_buttons.cpp Push buttons (bare, sealed, covered), emergency buttons and the telephone lamp. */
#include "canvas.h"
#include "painters.h"

#include <QLinearGradient>

namespace art {

namespace {

/** Colours of a button cap: lit side, shaded side and the top face. */
struct CapColours {
    QColor lit;  ///< Left, lit side of the cap.
    QColor dark; ///< Right, shaded side.
    QColor top;  ///< The cap's top face.
};

const CapColours kBlackCap{QColor(90, 90, 90), QColor(4, 4, 4), QColor(58, 58, 58)};
const CapColours kRedCap{QColor(255, 110, 96), QColor(120, 6, 6), QColor(222, 40, 32)};
const QColor kSealWire(210, 20, 24);

/** Draws a chrome collar with a round cap standing in it; centre is the collar's middle. */
void drawButtonCap(QPainter &p, QPointF centre, const CapColours &cap)
{
    p.setPen(QPen(QColor(50, 50, 50), 0.6));
    QLinearGradient chrome(centre.x() - 5.6, 0, centre.x() + 5.6, 0);
    chrome.setColorAt(0, QColor(250, 250, 250));
    chrome.setColorAt(0.5, QColor(170, 172, 176));
    chrome.setColorAt(1, QColor(96, 98, 102));
    p.setBrush(chrome);
    p.drawEllipse(centre, 5.6, 3.3);

    QLinearGradient side(centre.x() - 4.2, 0, centre.x() + 4.2, 0);
    side.setColorAt(0, cap.lit);
    side.setColorAt(0.4, cap.top);
    side.setColorAt(1, cap.dark);
    p.setPen(QPen(shade(cap.dark, 0.6), 0.6));
    p.setBrush(side);
    QPainterPath body;
    body.addRect(QRectF(centre.x() - 4.2, centre.y() - 6.8, 8.4, 6.8));
    body.addEllipse(QPointF(centre.x(), centre.y()), 4.2, 2.0);
    p.drawPath(body.simplified());
    p.setBrush(cap.top);
    p.drawEllipse(QPointF(centre.x(), centre.y() - 6.8), 4.2, 2.3);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 110));
    p.drawEllipse(QPointF(centre.x() - 1.6, centre.y() - 7.3), 1.5, 0.8);
}

/** Fills the picture with the panel paint and a faint bevel at its edges. */
void drawPanel(QPainter &p, QSize size)
{
    p.fillRect(QRect(QPoint(0, 0), size), kPanel);
    p.setPen(QPen(kPanel.lighter(112), 1));
    p.drawLine(0, 0, size.width() - 1, 0);
    p.setPen(QPen(kPanel.darker(112), 1));
    p.drawLine(0, size.height() - 1, size.width() - 1, size.height() - 1);
}

/** Draws the lead seal at centre hanging from a wire loop whose ends are at left and right. */
void drawLeadSeal(QPainter &p, QPointF centre, double r, QPointF left, QPointF right)
{
    p.setPen(QPen(kSealWire, 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawLine(left, centre);
    p.drawLine(right, centre);
    p.setPen(QPen(QColor(40, 42, 46), 0.6));
    litDisc(p, centre, r, QColor(168, 172, 180), QColor(62, 66, 72));
}

/** Draws the steel plunger rod of an emergency button between two heights. */
void drawPlunger(QPainter &p, double top, double bottom)
{
    QLinearGradient g(4, 0, 8, 0);
    g.setColorAt(0, QColor(190, 190, 190));
    g.setColorAt(1, QColor(70, 70, 70));
    p.setPen(QPen(QColor(40, 40, 40), 0.5));
    p.setBrush(g);
    p.drawRect(QRectF(4.0, top, 4.0, bottom - top));
}

/** Draws the red mushroom cap whose rim lies at the given height. */
void drawMushroom(QPainter &p, double rimY, bool pressed)
{
    const QColor light = pressed ? QColor(190, 50, 44) : QColor(255, 120, 104);
    const QColor dark = pressed ? QColor(80, 4, 4) : QColor(140, 8, 8);
    p.setPen(QPen(QColor(70, 0, 0), 0.6));
    QLinearGradient rim(0.8, 0, 11.2, 0);
    rim.setColorAt(0, light);
    rim.setColorAt(1, dark);
    p.setBrush(rim);
    p.drawRoundedRect(QRectF(0.8, rimY - 2.0, 10.4, 3.6), 1.2, 1.2);
    QPainterPath dome;
    dome.moveTo(0.8, rimY - 1.2);
    dome.cubicTo(0.8, rimY - 8.5, 11.2, rimY - 8.5, 11.2, rimY - 1.2);
    dome.closeSubpath();
    p.drawPath(dome);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 120));
    p.drawEllipse(QPointF(4.2, rimY - 4.6), 1.6, 1.0);
}

/** Draws the chrome housing that the plunger goes into, from top to bottom. */
void drawHousing(QPainter &p, double top, double bottom)
{
    QLinearGradient g(1.5, 0, 10.5, 0);
    g.setColorAt(0, QColor(236, 236, 236));
    g.setColorAt(0.5, QColor(160, 162, 166));
    g.setColorAt(1, QColor(86, 88, 92));
    p.setPen(QPen(QColor(44, 44, 44), 0.6));
    p.setBrush(g);
    p.drawRoundedRect(QRectF(1.5, top, 9.0, bottom - top), 1.5, 1.5);
    p.setPen(QPen(QColor(30, 30, 30), 1.0));
    p.drawLine(QPointF(3.5, top + 1.5), QPointF(8.5, top + 1.5));
}

/** Draws the yellow-and-black stop clip that keeps the plunger out. */
void drawStopClip(QPainter &p, double top)
{
    p.setPen(QPen(QColor(30, 30, 30), 0.6));
    p.setBrush(QColor(250, 204, 20));
    p.drawRect(QRectF(2.5, top, 7.0, 5.0));
    p.setPen(QPen(QColor(20, 20, 20), 1.2));
    p.drawLine(QPointF(3.5, top + 4.5), QPointF(6.0, top + 0.5));
    p.drawLine(QPointF(6.5, top + 4.5), QPointF(9.0, top + 0.5));
}

/** @return a lone button in its collar, nothing around it, on the key colour. */
QImage paintLoneButton(QSize size, const CapColours &cap)
{
    QImage img = makeCanvas(size.width(), size.height());
    QPainter p(&img);
    setupPainter(p);
    drawButtonCap(p, {size.width() / 2.0, size.height() - 3.8}, cap);
    p.end();
    return keyed(img);
}

} // namespace

QImage paintBareButton(QSize size)
{
    return paintLoneButton(size, kBlackCap);
}

QImage paintSealedButton(QSize size)
{
    QImage img = makeCanvas(size.width(), size.height());
    QPainter p(&img);
    setupPainter(p);
    drawPanel(p, size);
    const double cx = size.width() / 2.0;
    p.setPen(QPen(QColor(84, 86, 82), 0.8));
    p.setBrush(kPanel.lighter(108));
    p.drawRoundedRect(QRectF(1.5, 1.5, size.width() - 3.0, size.height() - 3.0), 2.5, 2.5);
    drawButtonCap(p, {cx, 10.5}, kBlackCap);
    /* Eyelets left and right, the wire drawn over the cap so it cannot be pressed. */
    p.setPen(QPen(QColor(60, 60, 60), 0.8));
    p.setBrush(QColor(200, 200, 200));
    p.drawEllipse(QPointF(3.8, 9.5), 1.3, 1.3);
    p.drawEllipse(QPointF(size.width() - 3.8, 9.5), 1.3, 1.3);
    QPainterPath wire;
    wire.moveTo(3.8, 9.5);
    wire.quadTo(cx, 1.0, size.width() - 3.8, 9.5);
    p.setPen(QPen(kSealWire, 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawPath(wire);
    drawLeadSeal(p, {cx + 5.5, 13.2}, 2.4, {cx + 3.5, 8.5}, {cx + 7.5, 9.0});
    p.end();
    return flattened(img, kPanel);
}

QImage paintCoveredButton(QSize size)
{
    QImage img = makeCanvas(size.width(), size.height());
    QPainter p(&img);
    setupPainter(p);
    drawPanel(p, size);
    const double cx = size.width() / 2.0;
    drawButtonCap(p, {cx, 13.0}, kBlackCap);
    /* The hinged cover: a steel frame with a glass pane over the button. */
    QPainterPath frame;
    frame.setFillRule(Qt::OddEvenFill);
    frame.addRoundedRect(QRectF(1.5, 2.5, size.width() - 3.0, size.height() - 4.0), 3, 3);
    const QRectF glass(4.0, 5.0, size.width() - 8.0, size.height() - 10.0);
    frame.addRoundedRect(glass, 1.5, 1.5);
    QLinearGradient steel(0, 2.5, 0, size.height());
    steel.setColorAt(0, QColor(214, 216, 220));
    steel.setColorAt(1, QColor(92, 94, 100));
    p.setPen(QPen(QColor(48, 48, 52), 0.8));
    p.setBrush(steel);
    p.drawPath(frame);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(190, 220, 235, 90));
    p.drawRect(glass);
    QPainterPath glint;
    glint.moveTo(glass.left() + 1, glass.bottom() - 2);
    glint.lineTo(glass.left() + 6, glass.top() + 1);
    glint.lineTo(glass.left() + 8, glass.top() + 1);
    glint.lineTo(glass.left() + 3, glass.bottom() - 2);
    p.setBrush(QColor(255, 255, 255, 130));
    p.drawPath(glint);
    /* Hinge on top, clasp at the bottom. */
    p.setPen(QPen(QColor(40, 40, 40), 0.6));
    p.setBrush(QColor(150, 150, 154));
    p.drawRoundedRect(QRectF(5.0, 0.5, 5.0, 3.0), 1.2, 1.2);
    p.drawRoundedRect(QRectF(size.width() - 10.0, 0.5, 5.0, 3.0), 1.2, 1.2);
    p.setBrush(QColor(60, 60, 64));
    p.drawRect(QRectF(cx - 2.0, size.height() - 3.0, 4.0, 2.5));
    p.end();
    return flattened(img, kPanel);
}

QImage paintTelephoneLamp(bool lit, QSize size)
{
    QImage img = makeCanvas(size.width(), size.height());
    QPainter p(&img);
    setupPainter(p);
    drawPanel(p, size);
    const QPointF c(size.width() / 2.0, size.height() / 2.0);
    p.setPen(QPen(QColor(60, 60, 60), 0.6));
    litDisc(p, c, 6.6, QColor(70, 70, 70), QColor(6, 6, 6));
    p.setPen(Qt::NoPen);
    if (lit) {
        litDisc(p, c, 5.2, QColor(255, 255, 255), QColor(255, 236, 170));
        p.setPen(QPen(QColor(255, 250, 220, 200), 0.8));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(c, 5.8, 5.8);
    } else {
        litDisc(p, c, 5.2, QColor(205, 205, 196), QColor(112, 112, 104));
    }
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, lit ? 230 : 120));
    p.drawEllipse(c + QPointF(-1.8, -1.9), 1.4, 1.0);
    p.end();
    return flattened(img, kPanel);
}

QImage paintTrainPassedButton(NvtStage stage, QSize size)
{
    QImage img = makeCanvas(size.width(), size.height());
    QPainter p(&img);
    setupPainter(p);
    const bool pressed = stage == NvtStage::Pressed;
    const double rim = pressed ? 15.5 : 8.5;
    drawPlunger(p, rim, 22.0);
    drawHousing(p, 21.0, 32.5);
    if (stage == NvtStage::SealBroken || stage == NvtStage::Sealed)
        drawStopClip(p, 12.5);
    drawMushroom(p, rim, pressed);
    if (stage == NvtStage::SealBroken) {
        /* What is left of the wire after the seal was torn off. */
        p.setPen(QPen(kSealWire, 0.9));
        p.drawLine(QPointF(3.5, 31.5), QPointF(2.6, 34.5));
        p.drawLine(QPointF(8.5, 31.5), QPointF(9.6, 34.3));
    } else if (stage == NvtStage::Sealed) {
        drawLeadSeal(p, {6.0, size.height() - 3.2}, 2.6, {3.0, 31.5}, {9.0, 31.5});
    }
    p.end();
    return keyed(img);
}

QImage paintReleaseButton(QSize size)
{
    return paintLoneButton(size, kRedCap);
}

QImage paintStopButton(QSize size)
{
    QImage img = makeCanvas(size.width(), size.height());
    QPainter p(&img);
    setupPainter(p);
    const QPointF c(size.width() / 2.0, size.height() / 2.0);
    p.setPen(QPen(QColor(20, 20, 20), 0.8));
    p.setBrush(QColor(250, 204, 20));
    p.drawEllipse(c, 9.3, 9.3);
    p.setPen(QPen(QColor(80, 0, 0), 0.6));
    litDisc(p, c, 6.2, QColor(255, 120, 104), QColor(130, 6, 6));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 220));
    p.drawRoundedRect(QRectF(c.x() - 4.0, c.y() - 1.0, 8.0, 2.0), 0.8, 0.8);
    p.end();
    return keyed(img);
}

} // namespace art
