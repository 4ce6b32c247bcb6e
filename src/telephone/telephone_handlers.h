/** @file telephone_handlers.h The handlers of the dispatcher's telephone on the desk A6. */
#pragma once

#include "telephone/telephone_lines.h"

class App;

namespace telephone {

/** Wires the telephone's handlers to a newly created A6 and gives the line keys their lamp. */
void wireA6(App &app);

/* The line keys and the answers to a neighbour's call (line_keys.cpp, answers.cpp). */

/**
 * A line key pressed (`TA6.F0Click` A, `TA6.F2Click` B, `TA6.F1Click` C):
 * hangs an active line up, answers a ringing one and takes it, or takes a
 * silent one for the player's own call. Guarded by "60F0", "60F2", "60F1".
 */
void LineKeyClick(App &app, Line line);
/** The lime answer `A6.I4`: every active line accepts its offered or predicted train. */
void I4Click(App &app);
/**
 * Accepts the train that the line's call offers: books the line, loads its
 * two countdowns, marks the row accepted and puts the train's vehicles
 * beside the signal box's overview. Guarded by "60I4/A", "60I4/B", "60I4/C".
 */
void AcceptIncomingTrain(App &app, Line line);
/** The red answer `A6.I5`: refuses the train whose acceptance `A6.I4` still reads. Guarded by "60I5". */
void I5Click(App &app);
/** The yellow answer `A6.I6`: acknowledges the neighbours' notices; an arrival notice frees its line. */
void I6Click(App &app);

/* The telephone panel (telephone_panel.cpp). */

/** Lifts the handset `A6.E1`: shows the panel with the train numbers of the timetable rows. */
void E1Click(App &app);
/** The dial button `A6.E2` pressed: dials the neighbour of every active line. */
void E2MouseDown(App &app);
/** The dial button released. */
void E2MouseUp(App &app);
/** The clock's telephone duty: counts the dialling down and connects the call. */
void RunDialling(App &app);
/** "Sdělit" `A6.G5`: every active line's neighbour replies to the sentence. */
void G5Click(App &app);
/** "Zavěsit" `A6.G6`: puts the handset down. */
void G6Click(App &app);

/* The player's sentence (call_text.cpp). */

/** A message kind chosen in `A6.G2`. */
void G2Click(App &app);
/** A train label clicked (`TA6.G7Click` .. `TA6.I2Click`); row 1 .. 16. */
void TrainLabelClick(App &app, int row);
/** The minutes bar `A6.G4` moved by the player. */
void G4Change(App &app);
/** Writes the player's sentence for the chosen kind, train and minutes, with its time into `A6.G3`. */
void ComposeCallText(App &app);

/* The neighbour's reply (neighbour_reply.cpp, outgoing_agreement.cpp). */

/** The neighbour of one line replies to the player's sentence. Guarded by "Error A6T-SA", "-SB", "-SC". */
void NeighbourReply(App &app, Line line);

} // namespace telephone
