/** @file option_guard.h The guard of the handlers that the error options govern. */
#pragma once

#include <QString>

#include <functional>

class App;

namespace core {

/**
 * Runs a handler's body under its guard, governed by the options: on a
 * failure the code is shown only while `A1.NCK` is ticked, and the failure
 * is passed on to the default report only while `A1.NCD` is ticked;
 * otherwise it is swallowed.
 */
void optionGuard(App &app, const QString &code, const std::function<void()> &fn);

} // namespace core
