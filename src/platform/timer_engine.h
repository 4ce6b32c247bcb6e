/** @file timer_engine.h Millisecond timers that fire only between events. */
#pragma once

#include <QtGlobal>

#include <functional>

namespace platform {

/**
 * The timers of the windowing system. A timer fires its callback once per
 * period, only between events; a period missed while a handler ran is not
 * made up and a timer never has more than one firing pending.
 */
class TimerEngine {
public:
    virtual ~TimerEngine() = default;

    /** Registers a timer. @return its id, used for the calls below. */
    virtual int create(std::function<void()> fire) = 0;
    /** Starts (or restarts) a timer with a fresh whole period from now. */
    virtual void start(int id, int intervalMs) = 0;
    /** Stops a timer; it does not fire again until started. */
    virtual void stop(int id) = 0;
    /** Forgets a timer for good. */
    virtual void destroy(int id) = 0;
    /** @return the engine's clock in milliseconds. */
    virtual qint64 nowMs() const = 0;
};

} // namespace platform
