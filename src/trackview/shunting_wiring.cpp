/** @file shunting_wiring.cpp Wires the shunting timers, builds the shunting panel and the boxes' shunting chains. */
#include "trackview/shunting.h"

#include "core/app.h"
#include "devices/form_a7.h"
#include "devices/form_a8.h"
#include "trackview/form_a5.h"
#include "traffic/chain.h"

namespace trackview {

namespace {

/** One button label of the shunting panel. */
ui::Label *panelButton(ui::Form &a5, ui::Control *panel, const QString &name, const QRect &design,
                       const QString &caption, std::function<void()> click)
{
    auto *l = traffic::findOrMake<ui::Label>(a5, panel, name, design);
    l->setCaption(caption);
    l->setColor(QColor(0, 0, 128));
    l->setFont(ui::Font{QStringLiteral("Verdana"), 19, false, false, Qt::black});
    l->setAlignment(ui::Align::Center);
    l->onClick = std::move(click);
    return l;
}

} // namespace

void wireShunting(App &app)
{
    TA5 &a5 = app.A5();
    for (TrackRow &row : a5.tracks.rows) {
        const int n = row.number;
        row.shuntLeft->setOnTimer([&app, n] { ShuntTimer(app, n, false); });
        row.shuntRight->setOnTimer([&app, n] { ShuntTimer(app, n, true); });
    }

    auto *panel = traffic::findOrMake<ui::Panel>(a5, a5.find(QStringLiteral("Panel")), QStringLiteral("PanelB"),
                                        QRect(87, 0, 466, 81));
    panel->setColor(Qt::black);
    panel->setVisible(false);
    const char *const tracks[5] = {"2.kolej", "1.kolej", "3.kolej", "5.kolej", "7.kolej"};
    for (int k = 1; k <= 5; ++k)
        panelButton(a5, panel, QStringLiteral("PB0%1").arg(k), QRect(1 + 93 * (k - 1), 0, 92, 23),
                    QString::fromUtf8(tracks[k - 1]), [&app, k] { ShuntChooseTrack(app, k); });
    auto *line = traffic::findOrMake<ui::Shape>(a5, panel, QStringLiteral("PB06"), QRect(1, 24, 464, 1));
    line->setPenColor(QColor(0, 0, 128));
    panelButton(a5, panel, QStringLiteral("PB07"), QRect(1, 26, 154, 25), QStringLiteral("<    posun"),
                [&app] { ShuntLeftClick(app); });
    panelButton(a5, panel, QStringLiteral("PB08"), QRect(156, 26, 154, 25), QStringLiteral("stůj"),
                [&app] { ShuntBrakeClick(app); });
    panelButton(a5, panel, QStringLiteral("PB09"), QRect(311, 26, 154, 25), QStringLiteral("přiblížit    >"),
                [&app] { ShuntRightClick(app); });
    panelButton(a5, panel, QStringLiteral("PB10"), QRect(1, 52, 154, 25), QStringLiteral("< popotáhnout"),
                [&app] { ShuntPullClick(app, -10); });
    panelButton(a5, panel, QStringLiteral("PB11"), QRect(156, 52, 154, 25), QStringLiteral("odvěsit"),
                [&app] { ShuntCoupleClick(app); });
    panelButton(a5, panel, QStringLiteral("PB12"), QRect(311, 52, 154, 25), QStringLiteral("popotáhnout >"),
                [&app] { ShuntPullClick(app, 10); });
}

void addShuntingA7(App &app)
{
    TA7 &a7 = app.A7();
    traffic::previewChain(a7, a7.Nahled, QStringLiteral("PosunA"), 180);
    traffic::previewChain(a7, a7.Nahled, QStringLiteral("PosunB"), 600);
}

void addShuntingA8(App &app)
{
    TA8 &a8 = app.A8();
    traffic::previewChain(a8, a8.Nahled, QStringLiteral("PosunC"), 480);
    if (a8.find(QStringLiteral("SPC")))
        return;
    auto *consent = traffic::findOrMake<ui::Label>(a8, a8.Nahled, QStringLiteral("SPC"), QRect(20, 460, 150, 20));
    consent->setCaption(QStringLiteral("souhlas k posunu"));
    consent->setColor(QColor(0, 90, 0));
    consent->setFont(ui::Font{QStringLiteral("Arial"), 13, true, false, Qt::white});
    consent->hide();
}

} // namespace trackview
