/** @file signalman_parts.cpp The box devices that the automatic signalmen work, for a box that lacks them. */
#include "core/app.h"
#include "core/form_a1.h"
#include "devices/device_builder.h"
#include "devices/form_a3.h"
#include "devices/form_a8.h"
#include "devices/panel_art.h"
#include "signalling/signalling_handlers.h"

namespace signalling {

namespace {

/** Makes a control only when the form has none of that name. */
bool missing(const ui::Form &form, const QString &name)
{
    return form.find(name) == nullptr;
}

/** A knob of the store's picture at its place; it takes the size of every picture it gets later. */
void knob(ui::Form &box, ui::Control *parent, const QString &name, QPoint at, const ui::Image &stock)
{
    if (missing(box, name))
        devices::deviceImage(box, parent, name, at, stock.picture());
}

/** Box 2: route-lock knobs, signal knob, point controllers with their point machines, the crossing's close button. */
void addBox2Parts(const App &app, TA8 &a8)
{
    ui::Control *d5 = a8.frame.D5;
    const TA3 &a3 = app.A3();
    const TA1 &a1 = app.A1();
    const int i0 = a8.I0->left();
    const int row1 = a8.I0->top() + 39, row2 = a8.I0->top() + 119;
    knob(a8, d5, QStringLiteral("I1"), {i0 + 62, row1}, *a3.Klicka0);
    knob(a8, d5, QStringLiteral("I4"), {i0 + 158, row1}, *a3.Klicka0);
    knob(a8, d5, QStringLiteral("I7"), {i0 + 254, row1}, *a3.Klicka0);
    knob(a8, d5, QStringLiteral("NavCH"), {i0 + 1136, row1}, *a3.Klicka0);
    /* Controllers stand where their points stand: left at +10, right at -10. */
    const struct {
        const char *name;
        int left, right;
        bool atLeft;
    } controllers[4] = {{"IO", 480, 495, a1.Vymena9->value() + a1.Vymena10->value() >= 0},
                        {"IR", 576, 591, a1.Vymena11->value() >= 0},
                        {"IV", 672, 687, a1.Vymena12->value() >= 0},
                        {"IY", 768, 783, a1.Vymena13->value() >= 0}};
    for (const auto &c : controllers)
        knob(a8, d5, QString::fromLatin1(c.name), {i0 + (c.atLeft ? c.left : c.right), row2},
             c.atLeft ? *a3.KlickaL : *a3.KlickaP);
    for (int n = 10; n <= 13; ++n) {
        const QString name = QStringLiteral("TimerVymena%1").arg(n);
        if (missing(a8, name)) {
            auto *t = a8.make<ui::Timer>(nullptr, name);
            t->setEnabledFlag(false);
            t->setInterval(200);
        }
    }
    static const QImage base = panelart::pushButton(QSize(22, 22));
    static const QImage button = panelart::pushButton(QSize(16, 16));
    const QPoint at(a8.E0->left() + 600, a8.E0->top() + 300);
    if (missing(a8, "G5a"))
        devices::deviceImage(a8, d5, QStringLiteral("G5a"), at, base);
    if (missing(a8, "G5"))
        devices::deviceImage(a8, d5, QStringLiteral("G5"), {at.x() + 3, a8.find("G5a")->top()}, button);
}

} // namespace

void addSignalmanParts(App &app, ui::Form &box)
{
    if (auto *a8 = dynamic_cast<TA8 *>(&box))
        addBox2Parts(app, *a8);
}

} // namespace signalling
