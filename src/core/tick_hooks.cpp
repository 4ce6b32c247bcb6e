/** @file tick_hooks.cpp Per-tick upkeep and fault simulation; their work is not built yet, the tick calls them in order. */
#include "core/core_handlers.h"

namespace core {

void RunUpkeep(App &) {}
void RunFaultSimulation(App &) {}

} // namespace core
