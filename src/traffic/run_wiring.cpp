/** @file run_wiring.cpp Wires the run timers of the three lines. */
#include "traffic/train_runs.h"

#include "core/app.h"
#include "core/form_a1.h"
#include "traffic/line_cells.h"

namespace traffic {

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

} // namespace traffic
