/** @file box1_devices.cpp The devices of signal box 1 beyond its block levers and lever heads, at their places. */
#include "devices/box1_handlers.h"
#include "devices/box1_positions.h"
#include "devices/device_builder.h"
#include "devices/form_a7.h"
#include "devices/panel_art.h"

#include <QPainter>

namespace devices {

namespace {

/** Knob row: the signal knobs at Top 986, the others at 918; each knob's rest Left. */
constexpr int SignalKnobTop = 986, KnobTop = 918;
const QSize KnobSize(19, 58);
/** Lever heads and their number labels, from the base Top. */
constexpr int BaseTop = 1010;
const char *const LeverPlates[11] = {"1", "3", "Z 1/3", "2", "6", "8", "Z 6/8", "4", "Z4", "5", "Z7/ Vk1"};

/** @return a sealed emergency button: a black button under a wire with a lead seal, 12 x 26. */
QImage sealedButton()
{
    QImage img(12, 26, QImage::Format_RGB32);
    img.fill(panelart::KeyColour);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QColor(90, 90, 86));
    p.setBrush(QColor(28, 28, 30));
    p.drawEllipse(QRectF(0.5, 0.5, 11, 11));
    p.setPen(QPen(QColor(180, 150, 60), 1));
    p.drawLine(QPointF(6, 8), QPointF(6, 19));
    p.setPen(QColor(60, 60, 60));
    p.setBrush(QColor(150, 150, 156));
    p.drawEllipse(QRectF(2, 17, 8, 8));
    p.end();
    img.setPixel(0, img.height() - 1, panelart::KeyColour.rgb());
    return img;
}

/** @return a tag hung on a block lever: a white plate with a red border and a black bar, on a hook. */
QImage leverTag()
{
    QImage img(118, 131, QImage::Format_RGB32);
    img.fill(panelart::KeyColour);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(QColor(60, 60, 60), 2));
    p.drawLine(QPointF(59, 0), QPointF(59, 20));
    p.setPen(QPen(QColor(200, 20, 20), 6));
    p.setBrush(QColor(246, 244, 236));
    p.drawRect(QRectF(6, 22, 106, 104));
    p.fillRect(QRectF(20, 66, 78, 16), QColor(20, 20, 20));
    p.end();
    img.setPixel(0, img.height() - 1, panelart::KeyColour.rgb());
    return img;
}

/** Builds the devices of box 1 on its panel. */
class Box1Builder {
public:
    explicit Box1Builder(TA7 &a7) : m_form(a7), m_parent(a7.frame.D5) {}

    ui::Image *image(const QString &name, const QRect &at, bool transparent = true)
    {
        return deviceImage(m_form, m_parent, name, at, transparent);
    }
    ui::Image *image(const QString &name, QPoint at, const QImage &picture, bool transparent = true)
    {
        return deviceImage(m_form, m_parent, name, at, picture, transparent);
    }
    void lamp(const QString &name, QPoint at, const QColor &colour)
    {
        deviceImage(m_form, m_parent, name, at, panelart::lamp(colour, QSize(6, 6)), false)->hide();
    }
    ui::Label *label(const QString &name, const QRect &at, const QString &caption, ui::Control *parent = nullptr)
    {
        auto *l = m_form.make<ui::Label>(parent ? parent : m_parent, name);
        l->setBounds(at);
        l->setCaption(caption);
        return l;
    }
    void hiddenEdit(const QString &name)
    {
        auto *e = m_form.make<ui::Edit>(m_parent, name);
        e->setBounds(0, 0, 40, 21);
        e->hide();
    }

private:
    TA7 &m_form;
    ui::Control *m_parent;
};

void buildKnobRow(Box1Builder &b)
{
    for (int k = 0; k < KnobCount; ++k) {
        const Box1Knob knob = Box1Knob(k);
        const int top = k <= KnobNavM ? SignalKnobTop : KnobTop;
        static const char *const Names[KnobCount] = {"NavB",      "NavM",      "Se1",       "Se2",
                                                     "Se3",       "Zavernik1", "Zavernik2", "Zavernik3",
                                                     "Zavernik4", "Zavernik5", "Zavernik6"};
        b.image(QLatin1String(Names[k]), QRect(QPoint(box1KnobRest(knob), top), KnobSize));
    }
}

void buildLeverParts(Box1Builder &b, TA7 &a7)
{
    const ui::Font plateFont{QStringLiteral("Arial"), 11, true, false, QColor(20, 20, 20)};
    for (int n = 1; n <= 11; ++n) {
        const ui::Control *head = a7.find(QStringLiteral("Paka%1b").arg(n));
        const bool up = head && head->top() == BaseTop - 291;
        const int left = head ? head->left() : 0;
        const QRect at(left, BaseTop + (up ? -126 : 372), 48, 16);
        ui::Label *l = b.label(QStringLiteral("Paka%1d").arg(n), at, QLatin1String(LeverPlates[n - 1]));
        l->setAlignment(ui::Align::Center);
        l->setColor(QColor(236, 234, 222));
        l->setFont(plateFont);
    }
    b.hiddenEdit("Paka3e");
    b.hiddenEdit("Paka7e");
}

/** Call-on buttons (their permission lamps are among the box's indicators), the switch DN with its lamp. */
void buildButtons(Box1Builder &b, const TA7 &a7)
{
    const int blok = a7.Blok->left();
    static const QImage button = panelart::pushButton(QSize(14, 14));
    b.image("PNL", QPoint(blok + 176, 655), button);
    b.image("PNML", QPoint(blok + 366, 655), button);
    b.image("DN", QRect(blok + 480, 600, 21, 21));
    b.lamp("DN2", QPoint(blok + 487, 588), Qt::white);
}

void buildAuxiliary(Box1Builder &b, TA7 &a7)
{
    const int blok = a7.Blok->left(), blokTop = a7.Blok->top();
    static const QImage bell = panelart::pushButton(QSize(27, 27));
    b.image("ZvonekA", QPoint(blok + 36, blokTop + 279), bell);
    b.image("ZvonekB", QPoint(blok + 86, blokTop + 279), bell);
    static const QImage sealed = sealedButton();
    b.image("NVZZavB", QPoint(a7.PakaZavB->left() + 4, blokTop + 455), sealed);
    b.image("NVZZavM", QPoint(a7.PakaZavM->left() + 4, blokTop + 455), sealed);
    const std::pair<const char *, const ui::Image *> nvt[4] = {
        {"NVTBOd", a7.PakaNavBOd}, {"NVTBDo", a7.PakaNavBDo}, {"NVTMOd", a7.PakaNavMOd}, {"NVTMDo", a7.PakaNavMDo}};
    for (const auto &[name, lever] : nvt)
        b.image(QLatin1String(name), QRect(lever->left() + 4, blokTop + 420, 12, 39));
    static const QImage vz = panelart::pushButton(QSize(16, 16));
    b.image("VZ", QPoint(a7.Deska->left() + 1100, a7.Deska->top() + 333), vz);

    static const QImage tag = leverTag();
    const std::pair<const char *, const ui::Image *> tags[4] = {
        {"BOd", a7.PakaNavBOd}, {"BDo", a7.PakaNavBDo}, {"MOd", a7.PakaNavMOd}, {"MDo", a7.PakaNavMDo}};
    for (const auto &[id, lever] : tags) {
        b.label(QStringLiteral("Ced") + id, QRect(lever->left(), lever->top() + 60, lever->width(), 20), QString())
            ->setTransparent(true);
        b.image(QStringLiteral("Cedulka") + id, QPoint(lever->left() + lever->width() / 2 - 59, lever->top() + 27), tag)
            ->hide();
    }

    const ui::Font consentFont{QStringLiteral("Arial"), 13, true, false, Qt::white};
    const std::pair<const char *, int> consents[2] = {{"SPA", 300}, {"SPB", 500}};
    for (const auto &[name, top] : consents) {
        ui::Label *l = b.label(QLatin1String(name), QRect(20, top, 150, 20), QStringLiteral("souhlas k posunu"), a7.Nahled);
        l->setColor(QColor(0, 90, 0));
        l->setFont(consentFont);
        l->hide();
    }
}

} // namespace

void buildBox1Devices(TA7 &a7)
{
    Box1Builder b(a7);
    buildKnobRow(b);
    buildLeverParts(b, a7);
    buildButtons(b, a7);
    buildAuxiliary(b, a7);
}

} // namespace devices
