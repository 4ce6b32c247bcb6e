/** @file run_wiring.cpp Wires the run timers, and gives the desk and the boxes the pictures the lines work. */
#include "traffic/train_runs.h"

#include "core/app.h"
#include "core/form_a1.h"
#include "devices/form_a7.h"
#include "devices/form_a8.h"
#include "traffic/chain.h"
#include "traffic/line_cells.h"

namespace traffic {

namespace {

/** A lamp picture that is dark (hidden) at rest. */
void darkLamp(ui::Form &form, ui::Control *parent, const QString &name, const QRect &design)
{
    if (form.find(name))
        return;
    findOrMake<ui::Image>(form, parent, name, design)->setVisible(false);
}

} // namespace

void wireA1(App &app)
{
    TA1 &a1 = app.A1();
    ui::Timer *arrivals[3] = {a1.TimerVlakAOd, a1.TimerVlakBOd, a1.TimerVlakCOd};
    ui::Timer *departures[3] = {a1.TimerVlakADo, a1.TimerVlakBDo, a1.TimerVlakCDo};
    for (int x = LineA; x <= LineC; ++x) {
        arrivals[x]->setOnTimer([&app, x] { ArrivalRunTimer(app, x); });
        departures[x]->setOnTimer([&app, x] { DepartureRunTimer(app, x); });
    }
}

void wireA7(App &app)
{
    TA7 &a7 = app.A7();
    previewChain(a7, a7.Nahled, "VlakA", 300);
    previewChain(a7, a7.Nahled, "VlakB", 420);
    const int knobTop = a7.Ram->top() + 20;
    findOrMake<ui::Image>(a7, a7.frame.D5, "NavB", QRect(a7.Ram->left() + 196, knobTop, 33, 33));
    findOrMake<ui::Image>(a7, a7.frame.D5, "NavM", QRect(a7.Ram->left() + 581, knobTop, 33, 33));
    darkLamp(a7, a7.frame.D5, "PrL", QRect(a7.Ram->left() + 140, knobTop - 20, 6, 6));
    darkLamp(a7, a7.frame.D5, "PrML", QRect(a7.Ram->left() + 520, knobTop - 20, 6, 6));
}

void wireA8(App &app)
{
    TA8 &a8 = app.A8();
    previewChain(a8, a8.Nahled, "VlakC", 360);
    findOrMake<ui::Image>(a8, a8.frame.D5, "NavCH", QRect(a8.I0->left() + 1136, a8.I0->top() + 20, 33, 33));
    darkLamp(a8, a8.frame.D5, "FC", QRect(a8.I0->left() + 1100, a8.I0->top(), 6, 6));
    darkLamp(a8, a8.frame.D5, "F4", QRect(a8.I0->left() + 1110, a8.I0->top(), 6, 6));
}

} // namespace traffic
