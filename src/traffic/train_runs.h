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
 * `TimerVlakBDo`, `TimerVlakCDo`): the train pulls out of the track the
 * line's route named when the run began, crosses the box's overview and
 * hands its running time to the neighbours' side.
 */
void DepartureRunTimer(App &app, int line);

/**
 * Starts the departure run of line `line` at `speed` with its first tick
 * `interval` ms away: from standstill after a second when the track view
 * dispatches a train, at 400 and 10 ms when an arrival hands a passing
 * train on. The run takes its station track on its first tick.
 */
void StartDepartureRun(App &app, int line, int speed, int interval);

} // namespace traffic
