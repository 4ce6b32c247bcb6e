/** @file tick_hooks.cpp Per-tick routines of the core whose work is not built yet; the tick calls them in order. */
#include "core/core_handlers.h"

namespace core {

void RunUpkeep(App &) {}
void RunFaultSimulation(App &) {}
void MarkDueTimetableLines(App &) {}
void MarkDueBuiltinTrains(App &) {}
void PlaceTimetableTrains(App &) {}
void PlaceBuiltinTrains(App &, int) {}
void copyStartPictures(App &) {}

} // namespace core
