/** @file shunting_wiring.cpp Wires the shunting timers and builds the boxes' shunting chains. */
#include "trackview/shunting.h"

#include "core/app.h"
#include "devices/form_a7.h"
#include "devices/form_a8.h"
#include "trackview/form_a5.h"
#include "traffic/chain.h"

namespace trackview {

void wireShunting(App &app)
{
    TA5 &a5 = app.A5();
    for (TrackRow &row : a5.tracks.rows) {
        const int n = row.number;
        row.shuntLeft->setOnTimer([&app, n] { ShuntTimer(app, n, false); });
        row.shuntRight->setOnTimer([&app, n] { ShuntTimer(app, n, true); });
    }
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
