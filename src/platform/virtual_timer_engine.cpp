/** @file virtual_timer_engine.cpp Timers on virtual time. */
#include "platform/virtual_timer_engine.h"

namespace platform {

int VirtualTimerEngine::create(std::function<void()> fire)
{
    int id;
    if (!m_free.empty()) {
        id = m_free.back();
        m_free.pop_back();
    } else {
        id = static_cast<int>(m_slots.size());
        m_slots.emplace_back();
    }
    Slot &s = m_slots[id];
    s.fire = std::move(fire);
    s.running = false;
    ++s.generation;
    return id;
}

void VirtualTimerEngine::start(int id, int intervalMs)
{
    Slot &s = m_slots.at(id);
    s.interval = intervalMs;
    s.running = true;
    ++s.generation;
    m_queue.push(Due{m_now + intervalMs, m_seq++, id, s.generation});
}

void VirtualTimerEngine::stop(int id)
{
    Slot &s = m_slots.at(id);
    if (!s.running)
        return;
    s.running = false;
    ++s.generation;
}

void VirtualTimerEngine::destroy(int id)
{
    Slot &s = m_slots.at(id);
    s.running = false;
    s.fire = nullptr;
    ++s.generation;
    m_free.push_back(id);
}

bool VirtualTimerEngine::fireNext(qint64 until)
{
    while (!m_queue.empty()) {
        const Due d = m_queue.top();
        if (d.at > until)
            return false;
        m_queue.pop();
        Slot &s = m_slots[d.id];
        if (!s.running || s.generation != d.generation)
            continue; // stopped or restarted since
        if (d.at > m_now)
            m_now = d.at;
        /* The next period is booked before the handler runs; a handler
           that restarts or stops its own timer replaces this booking. */
        m_queue.push(Due{d.at + s.interval, m_seq++, d.id, s.generation});
        auto fire = s.fire; // the slot may be reused while it runs
        fire();
        return true;
    }
    return false;
}

void VirtualTimerEngine::advance(qint64 ms)
{
    const qint64 until = m_now + ms;
    while (fireNext(until)) {
    }
    if (until > m_now)
        m_now = until;
}

void VirtualTimerEngine::advanceUntil(const std::function<bool()> &done, qint64 limitMs)
{
    const qint64 until = m_now + limitMs;
    while (!done() && fireNext(until)) {
    }
    if (!done() && until > m_now)
        m_now = until;
}

int VirtualTimerEngine::runningCount() const
{
    int n = 0;
    for (const Slot &s : m_slots)
        n += s.running ? 1 : 0;
    return n;
}

} // namespace platform
