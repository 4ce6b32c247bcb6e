/** @file signal_panels.cpp The lamps, block windows and indicators that the signalling shows on the four views. */
#include "signalling/signal_panels.h"

#include "core/app.h"
#include "devices/device_builder.h"
#include "devices/form_a3.h"
#include "devices/form_a6.h"
#include "devices/form_a7.h"
#include "devices/form_a8.h"
#include "devices/panel_art.h"
#include "signalling/signalling_handlers.h"
#include "ui/sim_error.h"

#include <QPainter>

namespace signalling {

namespace {

/* Lamp colours. Where a lamp's colour is not given by its name, free or normal is white and occupied red. */
const QColor White(255, 255, 255);
const QColor Red(255, 0, 0);
const QColor Green(0, 255, 0);
const QColor Yellow(255, 255, 0);

constexpr QSize LampSize(6, 6);
constexpr QSize WindowSize(23, 23);
constexpr QSize LatchSize(14, 14);
constexpr int LampPitch = 10; ///< Distance of neighbouring lamps of one signal.

/** @return the dark socket of a lamp, 10 x 10, on the key colour. */
QImage lampSocket()
{
    QImage img(10, 10, QImage::Format_RGB32);
    img.fill(panelart::KeyColour);
    QPainter p(&img);
    p.setPen(QColor(150, 150, 140));
    p.setBrush(QColor(24, 24, 22));
    p.drawEllipse(0, 0, 9, 9);
    p.end();
    return img;
}

/** Creates the signalling's parts of one view on one of its panels. */
class PanelBuilder {
public:
    PanelBuilder(const App &app, ui::Form &form, ui::Control *parent) : m_app(app), m_form(form), m_parent(parent) {}

    /** A 6 x 6 lamp, dark, in its socket, which shows while the lamp is dark. */
    void lamp(const QString &name, const QColor &colour, QPoint at)
    {
        static const QImage socket = lampSocket();
        devices::deviceImage(m_form, m_parent, QString(), at - QPoint(2, 2), socket);
        devices::deviceImage(m_form, m_parent, name, at, panelart::lamp(colour, LampSize), false)->hide();
    }
    /** A signal's lamps in a row with the signal's name engraved above them. */
    void signalGroup(const QString &caption, const QStringList &names, const QList<QColor> &colours, QPoint at)
    {
        engrave(caption, at + QPoint(-3, -15));
        lampRow(names, colours, at);
    }
    /** A small engraved name on the panel. */
    void engrave(const QString &text, QPoint at)
    {
        auto *l = m_form.make<ui::Label>(m_parent, QString());
        l->setCaption(text);
        l->setBounds(QRect(at, QSize(40, 12)));
        l->setTransparent(true);
        l->setFont(ui::Font{QStringLiteral("Arial"), 10, true, false, QColor(236, 232, 214)});
    }
    /** A row of lamps from left to right, LampPitch apart. */
    void lampRow(const QStringList &names, const QList<QColor> &colours, QPoint at)
    {
        for (int k = 0; k < names.size(); ++k)
            lamp(names[k], colours[k], at + QPoint(k * LampPitch, 0));
    }
    /** A block window; its picture is drawn from its field afterwards. */
    void window(const QString &name, QPoint at)
    {
        devices::deviceImage(m_form, m_parent, name, QRect(at, WindowSize), false);
    }
    /** A block window over a lever, with its latch under it when latch is given. */
    void windowOverLever(const QString &name, const QString &latch, int leverLeft, int top)
    {
        window(name, QPoint(leverLeft + 2, top));
        if (!latch.isEmpty())
            devices::deviceImage(m_form, m_parent, latch, QRect(QPoint(leverLeft + 7, top + 26), LatchSize), false);
    }
    /** A latch at its own place. */
    void latch(const QString &name, QPoint at)
    {
        devices::deviceImage(m_form, m_parent, name, QRect(at, LatchSize), false);
    }
    /** A device picture in its rest place, taking a store picture. */
    void device(const QString &name, QPoint at, const ui::Image &stock, bool transparent = true)
    {
        devices::deviceImage(m_form, m_parent, name, at, stock.picture(), transparent);
    }
    /** A bell button at rest. */
    void bell(const QString &name, QPoint at)
    {
        devices::deviceImage(m_form, m_parent, name, at, panelart::pushButton(QSize(16, 16)));
    }
    /** A round 4 px lamp of the track view or an 8 px crossing light. */
    void shape(const QString &name, const QColor &colour, const QRect &r, bool lit)
    {
        auto *s = m_form.make<ui::Shape>(m_parent, name);
        s->setShape(ui::ShapeType::Circle);
        s->setBrushColor(colour);
        s->setPenColor(colour.darker(150));
        s->setBounds(r);
        s->setVisible(lit);
    }

    const TA3 &store() const { return m_app.A3(); }

private:
    const App &m_app;
    ui::Form &m_form;
    ui::Control *m_parent;
};

/* The desk A6: block instrument columns of lines A (1262), B (1650), C (1880) and the Lc1 consent (1556). */

void addDeskLamps(PanelBuilder &b)
{
    const QList<QColor> entry{White, Red, Green, Yellow};
    b.signalGroup("L", {"LBila", "LCervena", "LZelena", "LZluta"}, entry, {1280, 104});
    b.signalGroup("ML", {"MLBila", "MLCervena", "MLZelena", "MLZluta"}, entry, {1668, 104});
    b.signalGroup("S", {"SBila", "SCervena", "SZelena", "SZluta"}, entry, {1898, 104});
    const char *const sideAB[] = {"S1", "S2", "S3", "S5", "S7"};
    for (int k = 0; k < 5; ++k)
        b.signalGroup(sideAB[k], {QString(sideAB[k]) + "Bila", QString(sideAB[k]) + "Zelena"}, {White, Green},
                      {1280 + 36 * k, 144});
    const char *const sideC[] = {"L1a", "Lc1", "Lc2", "L3", "L5", "L7"};
    for (int k = 0; k < 6; ++k) {
        QStringList names{QString(sideC[k]) + "Bila", QString(sideC[k]) + "Zelena"};
        QList<QColor> colours{White, Green};
        if (k == 1) {
            names << "Lc1Zluta";
            colours << Yellow;
        }
        b.signalGroup(sideC[k], names, colours, {1898 + 34 * k, 144});
    }
    b.signalGroup("40", {"Kmitac"}, {White}, {1595, 104});
    b.signalGroup("IK", {"IKLada"}, {Red}, {1450, 104});
    b.lamp("VUDZluta", Yellow, {1752, 248});
}

void addDeskWindows(PanelBuilder &b)
{
    constexpr int top = 340;
    b.windowOverLever("NavBOd", {}, 1290, top);
    b.windowOverLever("ZavB", {}, 1330, top);
    b.windowOverLever("NavBDo", {}, 1370, top);
    b.windowOverLever("SouLc1", {}, 1584, top);
    b.windowOverLever("NavMOd", {}, 1675, top);
    b.windowOverLever("ZavM", {}, 1715, top);
    b.windowOverLever("NavMDo", {}, 1755, top);
    b.windowOverLever("PHCHDo", {}, 1912, top);
    b.windowOverLever("NavCHDo", {}, 1960, top);
    b.windowOverLever("ZavCH", {}, 2000, top);
    b.windowOverLever("NavCHOd", {}, 2040, top);
    b.windowOverLever("PHCHOd", "ZapCHOd", 2072, top);
    b.windowOverLever("TSCH", "ZapCH", 2250, top);
}

void addDeskParts(PanelBuilder &b)
{
    addDeskLamps(b);
    addDeskWindows(b);
}

/* Signal box 1 A7: block instrument at (1000, 160), line A column from 1140, line B from 1330. */

void addBox1Parts(PanelBuilder &b)
{
    const QList<QColor> entry{White, Red, Green, Yellow};
    b.signalGroup("L", {"LBila", "LCervena", "LZelena", "LZluta"}, entry, {1150, 222});
    b.signalGroup("PřL", {"PrL"}, {Green}, {1200, 222});
    b.signalGroup("IKA", {"IKA"}, {Red}, {1240, 222});
    b.signalGroup("ML", {"MLBila", "MLCervena", "MLZelena", "MLZluta"}, entry, {1340, 222});
    b.signalGroup("PřML", {"PrML"}, {Green}, {1390, 222});
    b.signalGroup("IKB", {"IKB"}, {Red}, {1430, 222});
    const char *const exits[] = {"S1", "S2", "S3", "S5", "S7"};
    for (int k = 0; k < 5; ++k)
        b.signalGroup(exits[k], {QString(exits[k]) + "Bila", QString(exits[k]) + "Zelena"}, {White, Green},
                      {1150 + 40 * k + (k > 2 ? 70 : 0), 352});

    constexpr int windows = 430, hr = 392;
    b.window("HrBOd", {1162, hr});
    b.window("HrBDo", {1252, hr});
    b.window("HrMDo", {1352, hr});
    b.window("HrMOd", {1442, hr});
    b.windowOverLever("NavBOd", "ZapBOd", 1160, windows);
    b.windowOverLever("ZavB", {}, 1205, windows);
    b.windowOverLever("NavBDo", "ZapBDo", 1250, windows);
    b.windowOverLever("NavMDo", "ZapMDo", 1350, windows);
    b.windowOverLever("ZavM", {}, 1395, windows);
    b.windowOverLever("NavMOd", "ZapMOd", 1440, windows);

    b.device("KlikaL", {880, 420}, *b.store().KlikaLOff, false);
    b.device("KlikaP", {1575, 420}, *b.store().KlikaPOff, false);
}

/* Signal box 2 A8: block instrument at (80, 160); diagram H0 and knob panel I0 where the box puts them. */

/**
 * Box 2's lamps on its station diagram H0 (tracks 7, 5, 3, 1, 2 at 65 .. 185
 * px down, line C coming in from the left along 125): the entry signal on
 * the line, the exit signals at the tracks' left ends, the track circuits in
 * the throat and on track 1, the crossing on the line. The point lamps stand
 * on the knob panel I0, beside their controllers.
 */
void addBox2Lamps(PanelBuilder &b, const TA8 &a8)
{
    const QPoint h0 = a8.H0->bounds().topLeft();
    b.signalGroup("S", {"FB", "FA", "F9", "F8"}, {White, Red, Green, Yellow}, h0 + QPoint(110, 105));
    b.signalGroup("PřS", {"FC"}, {Green}, h0 + QPoint(160, 105));
    b.signalGroup("PZZ", {"F2", "F3", "F4"}, {White, Red, Red}, h0 + QPoint(40, 140));
    const char *const exits[] = {"L7", "L5", "L3", "Lc1", "Lc2", "L1a"};
    const QStringList lamps[] = {{"E9", "EA"}, {"EC", "ED"}, {"EH", "EI"}, {"EM", "EN", "EO"}, {"EW", "EX"},
                                 {"ET", "EU"}};
    const QList<QColor> exitColours{White, Green, Yellow};
    const int trackY[] = {65, 95, 125, 155, 185, 155};
    for (int k = 0; k < 6; ++k)
        b.signalGroup(exits[k], lamps[k], exitColours.mid(0, lamps[k].size()),
                      h0 + QPoint(k == 5 ? 340 : 280, trackY[k] - 11));
    const char *const circuits[] = {"KOS", "KO13", "KO12", "KO11", "KO1a"};
    const QStringList circuitLamps[] = {{"F6", "F7"}, {"F0", "F1"}, {"EJ", "EK"}, {"EE", "EF"}, {"ER", "ES"}};
    const QPoint circuitAt[] = {{60, 105}, {200, 140}, {160, 175}, {160, 55}, {420, 140}};
    for (int k = 0; k < 5; ++k)
        b.signalGroup(circuits[k], circuitLamps[k], {White, Red}, h0 + circuitAt[k]);
    /* Point lamps beside the controllers: red while moving, green and yellow at the ends. */
    for (int p = 0; p < 4; ++p) {
        const QString n = QString::number(10 + p);
        b.signalGroup("V" + n, {"V" + n + "Cervena", "V" + n + "Zelena", "V" + n + "Zluta"}, {Red, Green, Yellow},
                      {1400 + 96 * p, a8.I0->top() + 30});
    }
}

void addBox2Parts(PanelBuilder &b, const TA8 &a8)
{
    addBox2Lamps(b, a8);
    constexpr int windows = 430, hr = 392;
    b.window("HrCHDo", {282, hr});
    b.window("HrCHOd", {382, hr});
    b.windowOverLever("SouLc1", {}, 230, windows);
    b.windowOverLever("NavCHDo", "ZapCHDo", 280, windows);
    b.windowOverLever("ZavCH", {}, 330, windows);
    b.windowOverLever("NavCHOd", "ZapCHOd", 380, windows);
    b.bell("Zvonek", {110, 439});
    b.device("Klika", {110, 470}, *b.store().Klika2Off, false);
}

/** @return a crossing post with its white-and-red cross. */
QImage crossingPost()
{
    QImage img(14, 60, QImage::Format_RGB32);
    img.fill(panelart::KeyColour);
    QPainter p(&img);
    p.fillRect(6, 8, 3, 52, QColor(90, 90, 90));
    p.setPen(QPen(Qt::red, 2));
    p.drawLine(0, 0, 14, 10);
    p.drawLine(0, 10, 14, 0);
    p.end();
    return img;
}

/** @return a striped barrier arm, standing up beside its post. */
QImage barrierArm(int length)
{
    QImage img(5, length, QImage::Format_RGB32);
    for (int y = 0; y < length; ++y)
        for (int x = 0; x < 5; ++x)
            img.setPixelColor(x, y, (y / 8) % 2 ? Qt::white : Qt::red);
    return img;
}

/** The level crossing on box 2's overview, by the road that the box builds: posts, barriers and lights. */
void addCrossing(const App &app, ui::Form &a8, ui::Control *nahled)
{
    static const QImage post = crossingPost();
    static const QImage arm = barrierArm(60);
    devices::deviceImage(a8, nahled, "PZZ2", QPoint(769, 420), post);
    devices::deviceImage(a8, nahled, "PZZ2a", QPoint(777, 420), arm, false);
    devices::deviceImage(a8, nahled, "PZZ1", QPoint(866, 290), post);
    devices::deviceImage(a8, nahled, "PZZ1a", QPoint(874, 290), arm, false);
    PanelBuilder b(app, a8, nahled);
    b.shape("PZZCervenaL", Red, QRect(868, 312, 8, 8), false);
    b.shape("PZZCervenaP", Red, QRect(878, 312, 8, 8), false);
    b.shape("PZZBila", White, QRect(873, 302, 8, 8), false);
}

} // namespace

void partMissing(const ui::Form &form, const QString &name)
{
    throw ui::SimError(QStringLiteral("Prvek %1.%2 neexistuje").arg(form.name(), name));
}

void addSignalPanels(App &app, ui::Form &view)
{
    if (auto *a6 = dynamic_cast<TA6 *>(&view)) {
        PanelBuilder b(app, view, a6->frame.D5);
        addDeskParts(b);
    } else if (auto *a7 = dynamic_cast<TA7 *>(&view)) {
        PanelBuilder b(app, view, a7->frame.D5);
        addBox1Parts(b);
    } else if (auto *a8 = dynamic_cast<TA8 *>(&view)) {
        PanelBuilder b(app, view, a8->frame.D5);
        addBox2Parts(b, *a8);
        addCrossing(app, view, a8->Nahled);
    }
    drawBlockFields(app, view);
}

} // namespace signalling
