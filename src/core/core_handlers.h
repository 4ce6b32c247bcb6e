/** @file core_handlers.h The handlers and per-tick routines of the simulation core. */
#pragma once

#include <QColor>
#include <QString>

class App;

namespace core {

/** Wires the core's handlers to a newly created A1. */
void wireA1(App &app);
/** Wires the core's handlers to a newly created A2. */
void wireA2(App &app);

/** The clock tick: one simulated second (timer `A1.Hodiny`). */
void HodinyTimer(App &app);
/**
 * The speed written (`A1.Rychlost`): the clock, asleep through a pause,
 * ticks 1 ms later at the new speed, as its look every millisecond would
 * have found it.
 */
void ClockSpeedChange(App &app);
/** Closing A1: hides it and gives the menu and the views back their input. */
void TA1FormClose(App &app);
/** Closing A2: hides it and brings back the view that opened it. */
void TA2FormClose(App &app);
/** Game start's first step: opens the sound players and gives the devices their start pictures. */
void Start(App &app);

/* Per-tick routines of the core, called by the tick in this order. */
/** Upkeep of crossing, blocks and dialling. */
void RunUpkeep(App &app);
/**
 * Vrbská lets its lever go: its crank timer stops and is set back to its
 * first interval, the magneto and crank animations stop, the glows go
 * dark and the crank sound stops (whether or not sounds are on).
 */
void StopVrbskaCrank(App &app);
/** Technical fault simulation. */
void RunFaultSimulation(App &app);
/** Marks the timetable file's lines that fall due in five minutes. */
void MarkDueTimetableLines(App &app);
/** Marks the built-in timetable's trains whose trigger time has come. */
void MarkDueBuiltinTrains(App &app);
/** Brings one due timetable line into a free row. */
void PlaceTimetableTrains(App &app);
/** Brings a due built-in train into timetable row `row` (1 .. 9). */
void PlaceBuiltinTrains(App &app, int row);
/** @return whether some built-in train is due and waits for a row. */
bool BuiltinTrainsDue(const App &app);

/** @return the background colour of the views for a minute key ("3:00"), or an invalid colour between rows. */
QColor shadeForMinuteKey(const QString &key);
/** @return the background colour of the views at the start of a game at this hour. */
QColor shadeForHour(int hour);

} // namespace core

namespace core {
/** Gives the devices of the desk and both signal boxes their start pictures, in their fixed order. */
void copyStartPictures(App &app);
}
