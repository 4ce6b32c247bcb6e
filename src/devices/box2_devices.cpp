/** @file box2_devices.cpp The devices of signal box 2 at their design places, and the pictures only the box has. */
#include "devices/box2_parts.h"
#include "devices/device_builder.h"
#include "devices/form_a3.h"
#include "devices/panel_art.h"

#include <QPainter>

#include <cmath>

namespace devices {

namespace {

/* Rows of the knob panel I0, down from its Top: the point controllers, then the route locks and signal knobs. */
constexpr int ControllerRow = 40;
constexpr int KnobRow = 118;
/** Row of the crossing, repeater, call-on and switch buttons on the knob panel's lowest rail. */
constexpr int ButtonRow = 212;

const QColor Green(0, 255, 0);
const QColor Yellow(255, 255, 0);
const QColor White(255, 255, 255);

/** @return a picture of the size on the key colour, drawn by paint; hard edges, so no edge takes on the key colour. */
QImage keyed(QSize size, const std::function<void(QPainter &)> &paint)
{
    QImage img(size, QImage::Format_RGB32);
    img.fill(panelart::KeyColour);
    QPainter p(&img);
    paint(p);
    p.end();
    return img;
}

/** @return the ammeter of the point motors: a round dial, its needle at rest or deflected. */
QImage ammeter(bool deflected)
{
    return keyed(QSize(64, 64), [deflected](QPainter &p) {
        p.setPen(QPen(QColor(40, 40, 40), 3));
        p.setBrush(QColor(236, 232, 214));
        p.drawEllipse(3, 3, 57, 57);
        p.setPen(QPen(QColor(60, 60, 60), 1));
        for (int k = 0; k <= 8; ++k) {
            const double a = (210.0 - 30.0 * k / 2.0) * M_PI / 180.0;
            p.drawLine(QPointF(32 + 20 * std::cos(a), 34 - 20 * std::sin(a)),
                       QPointF(32 + 25 * std::cos(a), 34 - 25 * std::sin(a)));
        }
        const double a = (deflected ? 60.0 : 150.0) * M_PI / 180.0;
        p.setPen(QPen(QColor(170, 20, 20), 2));
        p.drawLine(QPointF(32, 34), QPointF(32 + 22 * std::cos(a), 34 - 22 * std::sin(a)));
        p.setBrush(QColor(30, 30, 30));
        p.drawEllipse(QPointF(32, 34), 3, 3);
    });
}

/** @return a sealed emergency release: its button under a wire with a lead seal, 26 px high. */
QImage sealedRelease()
{
    return keyed(QSize(20, 26), [](QPainter &p) {
        p.setPen(QPen(QColor(30, 30, 30), 1));
        p.setBrush(QColor(150, 30, 30));
        p.drawEllipse(3, 2, 14, 14);
        p.setPen(QPen(QColor(120, 120, 120), 1));
        p.drawLine(10, 9, 10, 20);
        p.setBrush(QColor(110, 110, 120));
        p.drawEllipse(6, 18, 8, 7);
    });
}

/** @return a lever tag: a red-bordered plate hung by its hook. */
QImage leverTag()
{
    return keyed(QSize(118, 131), [](QPainter &p) {
        p.setPen(QPen(QColor(90, 90, 90), 2));
        p.drawLine(59, 0, 59, 14);
        p.setPen(QPen(QColor(190, 20, 20), 6));
        p.setBrush(White);
        p.drawRect(6, 16, 106, 108);
        p.setPen(QPen(QColor(190, 20, 20), 10));
        p.drawLine(24, 34, 94, 106);
        p.drawLine(94, 34, 24, 106);
    });
}

/** A hidden 6 x 6 lamp of the box. */
ui::Image *lamp(TA8 &a8, const char *name, const QColor &colour, QPoint at)
{
    ui::Image *l = deviceImage(a8, a8.frame.D5, QLatin1String(name), at, panelart::lamp(colour, QSize(6, 6)), false);
    l->hide();
    return l;
}

/** A round push button at rest. */
ui::Image *button(TA8 &a8, const char *name, QPoint at)
{
    static const QImage picture = panelart::pushButton(QSize(16, 16));
    return deviceImage(a8, a8.frame.D5, QLatin1String(name), at, picture);
}

/** A push button with its hidden base, which marks its rest place. */
void buttonWithBase(TA8 &a8, const char *name, const char *base, QPoint at)
{
    button(a8, base, at)->hide();
    button(a8, name, at);
}

/** A small text label of the box. */
ui::Label *label(TA8 &a8, ui::Control *parent, const char *name, const QString &caption, const QRect &r)
{
    auto *l = a8.make<ui::Label>(parent, QLatin1String(name));
    l->setCaption(caption);
    l->setBounds(r);
    l->setAlignment(ui::Align::Center);
    l->setFont(ui::Font{QStringLiteral("Arial"), 9, false, false, Qt::black});
    return l;
}

void addKnobs(TA8 &a8, const TA3 &a3)
{
    const int i0 = a8.I0->top();
    const std::pair<const char *, int> knobs[] = {{"NavCH", 2056}, {"I1", 982},   {"I4", 1078}, {"I7", 1174},
                                                 {"IK", 1654},    {"IA", 1318},  {"ID", 1414}, {"IH", 1510}};
    for (auto [name, left] : knobs)
        deviceImage(a8, a8.frame.D5, QLatin1String(name), QPoint(left, i0 + KnobRow), a3.Klicka0->picture());
    /* The controllers start turned left, as the points start at their end +10. */
    const std::pair<const char *, int> controllers[] = {{"IO", 1400}, {"IR", 1496}, {"IV", 1592}, {"IY", 1688}};
    for (auto [name, left] : controllers)
        deviceImage(a8, a8.frame.D5, QLatin1String(name), QPoint(left, i0 + ControllerRow), a3.KlickaL->picture());
}

void addPointMotors(TA8 &a8, const TA3 &a3)
{
    const int i0 = a8.I0->top();
    for (int motor = 10; motor <= 13; ++motor) {
        auto *t = a8.make<ui::Timer>(nullptr, QStringLiteral("TimerVymena%1").arg(motor));
        t->setEnabledFlag(false);
        t->setInterval(150);
        /* Emergency point buttons beside their controllers: 10 bare, the others covered. */
        const QPoint at(1455 + 96 * (motor - 10), i0 + 56);
        const bool bare = motor == 10;
        deviceImage(a8, a8.frame.D5, QStringLiteral("NPV%1").arg(motor), at, (bare ? a3.Tl : a3.Tl3)->picture(),
                    bare);
    }
    static const QImage atRest = ammeter(false);
    static const QImage deflected = ammeter(true);
    deviceImage(a8, a8.frame.D5, "Amp0", QPoint(1800, i0 + 150), atRest);
    deviceImage(a8, a8.frame.D5, "Amp1", QPoint(1800, i0 + 150), deflected)->hide();
    auto *amp = a8.make<ui::SpinEdit>(a8.frame.D5, "Ampermetr");
    amp->setBounds(1800, i0 + 220, 40, 20);
    amp->setValue(0);
    amp->hide();
    /* On the console beside the bell cut-out VZ, clear of the knob panel. */
    button(a8, "NVP", QPoint(820, a8.E0->top() + 442));
}

void addCrossingAndSwitches(TA8 &a8, const TA3 &a3)
{
    const int row = a8.I0->top() + ButtonRow;
    buttonWithBase(a8, "G5", "G5a", QPoint(1000, row));
    buttonWithBase(a8, "G6", "G6a", QPoint(1040, row));
    buttonWithBase(a8, "Lc1", "Lc1a", QPoint(1300, row));
    buttonWithBase(a8, "G8", "G8a", QPoint(1360, row));
    deviceImage(a8, a8.frame.D5, "G4", QPoint(1500, row), a3.RadicL2->picture());
    lamp(a8, "G3", Green, QPoint(1530, row + 8));
}

void addAuxiliaryDevices(TA8 &a8, const TA3 &a3)
{
    const int blok = a8.Blok->top();
    const int e0 = a8.E0->top();
    static const QImage sealed = sealedRelease();
    deviceImage(a8, a8.frame.D5, "NVZSouLc1", QPoint(234, blok + 455), sealed);
    deviceImage(a8, a8.frame.D5, "NVZZavCH", QPoint(334, blok + 455), sealed);
    deviceImage(a8, a8.frame.D5, "NVTCHDo", QPoint(312, 380), a3.NVTStop2->picture());
    deviceImage(a8, a8.frame.D5, "NVTCHOd", QPoint(412, 380), a3.NVTStop2->picture());
    button(a8, "VZ", QPoint(700, e0 + 442));
    deviceImage(a8, a8.frame.D5, "NTCH", QPoint(760, e0 + 442), a3.Tl2->picture(), false);
    button(a8, "NKO", QPoint(640, e0 + 89));
    button(a8, "NNP", QPoint(640, e0 + 331));
    button(a8, "ONP", QPoint(700, e0 + 331));
    ui::Label *g2 = label(a8, a8.frame.D5, "G2", QStringLiteral("00000"), QRect(684, e0 + 352, 48, 14));
    g2->setHint(g2->caption());
    g2->setColor(QColor(236, 232, 214));

    /* Lever tags hang 27 px below their lever's Top; their holders are see-through over the levers' feet. */
    static const QImage tag = leverTag();
    const int signalRest = blok + 339;
    deviceImage(a8, a8.frame.D5, "CedulkaCHDo", QPoint(235, signalRest + 27), tag)->hide();
    deviceImage(a8, a8.frame.D5, "CedulkaCHOd", QPoint(335, signalRest + 27), tag)->hide();
    const std::pair<const char *, const ui::Image *> holders[2] = {{"CedCHDo", a8.PakaNavCHDo},
                                                                   {"CedCHOd", a8.PakaNavCHOd}};
    for (const auto &[name, lever] : holders)
        label(a8, a8.frame.D5, name, QString(), QRect(lever->left(), lever->top() + 60, lever->width(), 20))
            ->setTransparent(true);

    ui::Label *spc = label(a8, a8.Nahled, "SPC", QStringLiteral("souhlas k posunu"), QRect(440, 20, 140, 18));
    spc->setColor(Yellow);
    spc->setFont(ui::Font{QStringLiteral("Arial"), 13, true, false, Qt::black});
    spc->hide();
}

} // namespace

void addBox2Devices(App &app, TA8 &a8)
{
    const TA3 &a3 = app.A3();
    addKnobs(a8, a3);
    addPointMotors(a8, a3);
    addCrossingAndSwitches(a8, a3);
    addAuxiliaryDevices(a8, a3);
}

} // namespace devices
