/** @file timetable_placing.h The progress states of a timetable file's train lines. */
#pragma once

#include <QtGlobal>

namespace core {

/** Progress of one train line, the elements of `TimetableTrainStates`. */
enum TrainLineState : quint8 {
    LineWaiting = 0, ///< Not yet due; every line starts here at the game start.
    LineDue = 1,     ///< Its time lies five minutes ahead: waits for a free row of its group.
    LinePlaced = 2,  ///< Written into a row; never comes again in this game.
    LineRefused = 3, ///< Bad data: reported once, takes no row, never tried again in this game.
};

} // namespace core
