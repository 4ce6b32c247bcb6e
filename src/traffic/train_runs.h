/** @file train_runs.h The arrival and departure runs of the three lines, and their wiring. */
#pragma once

class App;

namespace traffic {

/** Wires the six run timers of a newly created A1 to their runs. */
void wireA1(App &app);

/**
 * One tick of the arrival run of line `line` (timers `A1.TimerVlakAOd`,
 * `TimerVlakBOd`, `TimerVlakCOd`): the train crosses the box preview, runs
 * onto its station track, brakes and stops, or is handed over to the
 * departure run of its outgoing line when it passes through.
 */
void ArrivalRunTimer(App &app, int line);

/**
 * One tick of the departure run of line `line` (timers `A1.TimerVlakADo`,
 * `TimerVlakBDo`, `TimerVlakCDo`): the train pulls out of the track named
 * by the line's route, crosses the box's overview and hands its running
 * time to the neighbours' side.
 */
void DepartureRunTimer(App &app, int line);

} // namespace traffic
