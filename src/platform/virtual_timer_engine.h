/** @file virtual_timer_engine.h Timers on virtual time, for tests and benchmarks. */
#pragma once

#include "platform/timer_engine.h"

#include <queue>
#include <vector>

namespace platform {

/**
 * Timers that fire only when the owner advances the virtual clock; due
 * timers fire in time order (ties in the order they were started), each
 * at its own due time. Advancing may nest, as a message box's loop does.
 */
class VirtualTimerEngine : public TimerEngine {
public:
    int create(std::function<void()> fire) override;
    void start(int id, int intervalMs) override;
    void stop(int id) override;
    void destroy(int id) override;
    qint64 nowMs() const override { return m_now; }

    /** Moves the clock ms forward, firing every timer that falls due. */
    void advance(qint64 ms);
    /** Moves the clock forward until the given timer has fired n times (at most limitMs). */
    void advanceUntil(const std::function<bool()> &done, qint64 limitMs);
    /** @return the number of running timers. */
    int runningCount() const;

private:
    struct Slot {
        std::function<void()> fire;
        int interval = 0;
        bool running = false;
        quint64 generation = 0; ///< Bumped by every start and stop.
    };
    struct Due {
        qint64 at;
        quint64 seq;
        int id;
        quint64 generation;
        bool operator>(const Due &o) const { return at != o.at ? at > o.at : seq > o.seq; }
    };
    bool fireNext(qint64 until);

    std::vector<Slot> m_slots;
    std::vector<int> m_free;
    std::priority_queue<Due, std::vector<Due>, std::greater<Due>> m_queue;
    qint64 m_now = 0;
    quint64 m_seq = 0;
};

} // namespace platform
