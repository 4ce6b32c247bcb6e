/** @file box_indicators.cpp The signs of the signal boxes that the dispatcher's desk sets. */
#include "devices/box_indicators.h"

#include "devices/device_builder.h"
#include "devices/form_a7.h"
#include "devices/form_a8.h"
#include "devices/desk_pictures.h"

namespace devices {

namespace {

/** Font of the route labels: a black digit on a white plate. */
const ui::Font LabelFont{QStringLiteral("Verdana"), 12, true, false, Qt::black};

/** Creates a hidden route label showing a track number. */
void routeLabel(ui::Form &form, ui::Control *parent, const QString &name, const QString &track, QPoint at)
{
    auto *l = form.make<ui::Label>(parent, name);
    l->setBounds(QRect(at, QSize(16, 16)));
    l->setColor(QColor(250, 250, 244));
    l->setAlignment(ui::Align::Center);
    l->setFont(LabelFont);
    l->setCaption(track);
    l->setVisible(false);
}

/** Creates a raised drop tablet, 51 px wide, with its handle above it. */
void tablet(ui::Form &form, ui::Control *parent, const QString &name, QPoint at)
{
    auto *t = form.make<ui::Label>(parent, name);
    t->setBounds(QRect(at, QSize(51, 1)));
    t->setColor(QColor(0xBB, 0xBB, 0xBB));
    auto *grip = form.make<ui::Label>(parent, name + "2");
    grip->setBounds(at.x() + 23, at.y() - 26, 5, 25);
    grip->setColor(QColor(60, 60, 60));
}

/** Creates a dark (hidden) 6 x 6 permission lamp. */
void permissionLamp(ui::Form &form, ui::Control *parent, const QString &name, QPoint at)
{
    const QImage &lit = deskPicture(QStringLiteral("SvetloBile.bmp"), QSize(6, 6));
    ui::Image *img = deviceImage(form, parent, name, at, lit, false);
    img->setVisible(false);
}

} // namespace

void buildBox1Indicators(TA7 &a7)
{
    ui::Control *D5 = a7.frame.D5;
    /* Each route lock of the knob row carries two labels, left and right of it. */
    const int ram = a7.Ram->left(), top = 896;
    const char *pairs[6][2] = {{"B2", "B1"}, {"B3", "B5"}, {"B7", "B4"}, {"M2", "M1"}, {"M3", "M5"}, {"M7", "M4"}};
    for (int lock = 0; lock < 6; ++lock) {
        const int left = ram + 1473 + 96 * lock;
        for (int side = 0; side < 2; ++side) {
            const QString id = QString::fromLatin1(pairs[lock][side]);
            routeLabel(a7, D5, "Cislo" + id, id.mid(1), QPoint(side == 0 ? left - 20 : left + 23, top));
        }
    }
    tablet(a7, D5, QStringLiteral("DestickaA"), QPoint(a7.Blok->left() + 160, 230));
    tablet(a7, D5, QStringLiteral("DestickaB"), QPoint(a7.Blok->left() + 350, 230));
    permissionLamp(a7, D5, QStringLiteral("PNL2"), QPoint(a7.Blok->left() + 180, 640));
    permissionLamp(a7, D5, QStringLiteral("PNML2"), QPoint(a7.Blok->left() + 370, 640));
}

void buildBox2Indicators(TA8 &a8)
{
    ui::Control *D5 = a8.frame.D5;
    const int i0 = a8.I0->left(), top = a8.I0->top() - 20;
    const std::pair<const char *, int> labels[] = {{"CH1", 40}, {"CH2", 85}, {"CH3", 136}, {"CH5", 181}, {"CH7", 232}};
    for (const auto &[id, offset] : labels)
        routeLabel(a8, D5, QStringLiteral("Cislo") + id, QString::fromLatin1(id).mid(2), QPoint(i0 + offset, top));
    tablet(a8, D5, QStringLiteral("DestickaA"), QPoint(a8.Blok->left() + 400, 230));
    permissionLamp(a8, D5, QStringLiteral("G7"), QPoint(a8.E0->left() + 300, a8.E0->top() + 330));
}

} // namespace devices
