/** @file window_closing.cpp Wiring of A1 and A2, and what closing them does. */
#include "core/app.h"
#include "core/core_handlers.h"
#include "core/form_a1.h"
#include "core/form_a2.h"
#include "devices/form_a6.h"
#include "devices/form_a7.h"
#include "devices/form_a8.h"
#include "frame/form_a0.h"
#include "frame/form_a9.h"
#include "trackview/form_a5.h"

namespace core {

void wireA1(App &app)
{
    TA1 &a1 = app.A1();
    a1.Hodiny->setOnTimer([&app] { HodinyTimer(app); });
    a1.onClose = [&app] { TA1FormClose(app); };
}

void wireA2(App &app)
{
    app.A2().onClose = [&app] {
        ui::guarded(app.A2(), QStringLiteral("Error 20A2."), [&app] { TA2FormClose(app); });
    };
}

void TA1FormClose(App &app)
{
    app.A1().hide();
    TA0 &a0 = app.A0();
    if (!a0.enabled()) {
        a0.setEnabled(true);
        a0.J9->setPicture(a0.Tl1->picture());
    }
    for (ui::Form *view : {static_cast<ui::Form *>(&app.A6()), static_cast<ui::Form *>(&app.A7()),
                           static_cast<ui::Form *>(&app.A8())})
        if (!view->enabled())
            view->setEnabled(true);
}

void TA2FormClose(App &app)
{
    app.A2().hide();
    for (ui::Form *view : {static_cast<ui::Form *>(&app.A5()), static_cast<ui::Form *>(&app.A6()),
                           static_cast<ui::Form *>(&app.A7()), static_cast<ui::Form *>(&app.A8()),
                           static_cast<ui::Form *>(&app.A9())}) {
        if (!view->enabled()) {
            view->setEnabled(true);
            view->show();
            view->bringToFront();
        }
    }
}

} // namespace core
