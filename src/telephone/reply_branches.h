/** @file reply_branches.h The neighbour's replies by message kind, which the reply routine chooses between. */
#pragma once

#include "telephone/telephone_lines.h"

class App;

namespace telephone {

/** How the player asks for the line for his own departing train. */
enum class Agreement {
    Offer,      ///< "Nabídka vlaku", under telephone working.
    Prediction, ///< "Předvídaný odjezd", under the block.
};

/**
 * The neighbour agrees to the chosen train leaving towards it, or refuses
 * while the line holds a train: the line is booked, the row marked agreed
 * with the time of `A6.G3`.
 */
void agreeOutgoingTrain(App &app, Line line, Agreement kind);
/** The neighbour takes back the agreement of the chosen train: the line is free, the row due again. */
void cancelOutgoingTrain(App &app, Line line, Agreement kind);
/** The neighbour acknowledges the arrival of its train here: the row's inbound half is cleared, the line freed. */
void replyToArrivalReport(App &app, Line line);
/** The neighbour acknowledges the departure of the chosen train, when its line holds it. */
void replyToDepartureNotice(App &app, Line line);

} // namespace telephone
