/** @file signalling_handlers.h The handlers of the signalling cells of the state store. */
#pragma once

class App;

namespace signalling {

/** Wires the signalling handlers to a newly created A1. */
void wireA1(App &app);

/**
 * An aspect word changed: selects the matching row of the signal's aspect
 * list and sets the list's colour (red for "Stůj" and "Porucha", white for
 * "Posun dovolen", lime for every other aspect).
 */
void AspectChange(App &app, int signal);

} // namespace signalling
