/** @file line_traffic.cpp The neighbour stations' per-tick work on the lines (not built yet: no traffic). */
#include "traffic/line_traffic.h"

namespace traffic {

void OfferIncomingTrains(App &) {}
void RunIncomingTrains(App &) {}
void RunOutgoingTrains(App &) {}

} // namespace traffic
