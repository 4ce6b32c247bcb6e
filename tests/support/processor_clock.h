/** @file processor_clock.h The processor time a test's own thread spends, for its bounds on work; the monotonic clock. */
#pragma once

#include <cstdint>
#include <ctime>

#include <QtGlobal>

/**
 * Measures the processor time of the calling thread, as QElapsedTimer
 * measures the wall clock: a bound on the work a step does holds however
 * busy the machine is, since waiting for a core counts nothing here.
 */
class ProcessorClock {
public:
    /** Starts counting from now. */
    void start() { m_start = now(); }
    /** Starts counting from now. @return the milliseconds counted until now. */
    qint64 restart()
    {
        const qint64 was = elapsed();
        start();
        return was;
    }
    /** @return milliseconds of this thread's processor time since start(). */
    qint64 elapsed() const { return (now() - m_start) / 1000000; }

private:
    static qint64 now()
    {
        timespec t{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
        return qint64(t.tv_sec) * 1000000000 + t.tv_nsec;
    }
    qint64 m_start = now();
};

/** @return the monotonic clock in nanoseconds: what holds of the tests' helper processes, which call it after a fork. */
inline int64_t monotonicNs()
{
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return int64_t(t.tv_sec) * 1000000000 + t.tv_nsec;
}
