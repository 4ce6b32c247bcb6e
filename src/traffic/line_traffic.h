/** @file line_traffic.h The neighbour stations' side of lines A, B and C, run once per tick. */
#pragma once

class App;

namespace traffic {

/** The neighbours offer their due trains. */
void OfferIncomingTrains(App &app);
/** Accepted trains count down towards the station. */
void RunIncomingTrains(App &app);
/** Departed trains count down towards the neighbour. */
void RunOutgoingTrains(App &app);

} // namespace traffic
