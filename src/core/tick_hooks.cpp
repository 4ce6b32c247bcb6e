/** @file tick_hooks.cpp Per-tick upkeep (so far the telephone's dialling) and fault simulation. */
#include "core/core_handlers.h"
#include "telephone/telephone_handlers.h"

namespace core {

void RunUpkeep(App &app)
{
    telephone::RunDialling(app);
}
void RunFaultSimulation(App &) {}

} // namespace core
