/** @file line_traffic.h The neighbour stations' side of lines A, B and C, run once per tick. */
#pragma once

class App;

namespace traffic {

/**
 * The neighbours offer their due trains: on each free line whose telephone
 * is idle the lowest due row of that neighbour is offered by a waiting call;
 * while any call waits the telephone rings and time is slowed to real speed.
 */
void OfferIncomingTrains(App &app);
/**
 * The neighbours report the departure of every accepted train whose
 * countdown stands at 1: the call, the row's colours and actual time, and
 * the start of the train's approach count.
 */
void AnnounceNeighbourDeparture(App &app);
/**
 * Inbound trains: minutes ahead, due rows, re-offers, the neighbours'
 * departure countdowns under the block, and the approach counts with their
 * events, warnings, stand at a red entry signal and start of the arrival run.
 */
void RunIncomingTrains(App &app);
/**
 * Outbound trains: due and ready rows, the counts to the neighbour, and the
 * neighbour's arrival report or the block's freeing of the line.
 */
void RunOutgoingTrains(App &app);
/**
 * Lights or puts out line B's "VT" and "VO" lamps on the desk and "VT" on
 * Struhy's panel: lit while line B is free for a train of this station.
 */
void showLineBLamps(App &app, bool lit);

} // namespace traffic
