/** @file shared_processor.h Runs the test's process on one processor that it shares with work of a higher priority. */
#pragma once

#include "support/processor_clock.h"

#include <QDir>

#include <chrono>
#include <vector>

#include <fcntl.h>
#include <sched.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

/**
 * While it lives, every thread of this process (and every process they
 * start from then on, the picture readers among them) runs on one
 * processor, beside a process that spins there at a higher priority, as
 * on a machine busy with other work: the game gets some sixth of it. Where
 * this process may not raise a priority, five spinners at its own take
 * the same share. Tests run side by side each take a processor no other's
 * SharedProcessor holds (a lock file a processor says which), while there
 * is one, so that none gets less than its share.
 */
class SharedProcessor {
public:
    SharedProcessor()
    {
        sched_getaffinity(0, sizeof m_before, &m_before);
        int processor = sched_getcpu();
        for (int c = 0; processor < 0 || !CPU_ISSET(processor, &m_before); ++c)
            processor = c;
        /* The one it runs on when no other test holds it, else the first free one, else it waits for its own. */
        for (int c = -1; c < CPU_SETSIZE && m_held < 0; ++c)
            if ((c < 0 || (c != processor && CPU_ISSET(c, &m_before))) && hold(c < 0 ? processor : c, LOCK_EX | LOCK_NB))
                processor = c < 0 ? processor : c;
        if (m_held < 0)
            hold(processor, LOCK_EX);
        cpu_set_t one;
        CPU_ZERO(&one);
        CPU_SET(processor, &one);
        pinAll(one);
        const pid_t first = spin();
        if (first > 0 && ::setpriority(PRIO_PROCESS, id_t(first), kHigherPriority) != 0)
            for (int i = 1; i < kSpinnersAtOwnPriority; ++i)
                spin();
    }

    ~SharedProcessor()
    {
        for (const pid_t spinner : m_spinners) {
            ::kill(spinner, SIGKILL);
            ::waitpid(spinner, nullptr, 0);
        }
        pinAll(m_before);
        if (m_held >= 0)
            ::close(m_held);
    }

    SharedProcessor(const SharedProcessor &) = delete;
    SharedProcessor &operator=(const SharedProcessor &) = delete;

private:
    /** The nice value of the spinner: weighted five times this process's at 0. */
    static constexpr int kHigherPriority = -7;
    static constexpr int kSpinnersAtOwnPriority = 5;

    /** Takes a processor's lock file, with flock's `how`. @return whether it is held. */
    bool hold(int processor, int how)
    {
        const QByteArray name = QDir::tempPath().toLocal8Bit() + "/kamenna-processor-" + QByteArray::number(processor);
        const int file = ::open(name.constData(), O_RDONLY | O_CREAT | O_CLOEXEC, 0666);
        if (file >= 0 && ::flock(file, how) == 0) {
            m_held = file;
            return true;
        }
        if (file >= 0)
            ::close(file);
        return false;
    }

    /** Gives every thread of this process the processors of a set. */
    static void pinAll(const cpu_set_t &set)
    {
        for (const QString &task : QDir(QStringLiteral("/proc/self/task")).entryList(QDir::Dirs | QDir::NoDotAndDotDot))
            sched_setaffinity(pid_t(task.toInt()), sizeof set, &set);
    }

    /** @return a process that spins on this thread's processor until it is killed, or with this process. */
    pid_t spin()
    {
        const pid_t parent = ::getpid();
        const pid_t child = ::fork();
        if (child == 0) {
            ::prctl(PR_SET_PDEATHSIG, SIGKILL);
            if (::getppid() != parent)
                _exit(0);
            volatile unsigned long spun = 0;
            for (;;)
                spun = spun + 1;
        }
        if (child > 0)
            m_spinners.push_back(child);
        return child;
    }

    cpu_set_t m_before{};          ///< The processors before, given back at the end.
    int m_held = -1;               ///< The lock file of the processor taken; -1 for none.
    std::vector<pid_t> m_spinners; ///< The processes spinning beside this one.
};

/**
 * For `hold` from its making, the processor this thread runs on is taken by
 * a process that spins there at a real-time priority, as a real-time task
 * of the system may take it (the kernel leaves the others a twentieth of
 * it); where no real-time priority may be had, this whole process is
 * stopped for as long instead, as from outside. Meant within a
 * SharedProcessor, which keeps this process and the readers it starts on
 * one processor. The destructor waits for the hold's end.
 */
class TakenProcessor {
public:
    explicit TakenProcessor(std::chrono::milliseconds hold)
    {
        const pid_t parent = ::getpid();
        const int processor = sched_getcpu();
        m_taker = ::fork();
        if (m_taker != 0)
            return;
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (processor >= 0) {
            cpu_set_t one;
            CPU_ZERO(&one);
            CPU_SET(processor, &one);
            sched_setaffinity(0, sizeof one, &one);
        }
        const int64_t until = monotonicNs() + std::chrono::nanoseconds(hold).count();
        const sched_param first{1};
        if (sched_setscheduler(0, SCHED_FIFO, &first) == 0) {
            while (monotonicNs() < until) {
            }
        } else {
            ::kill(parent, SIGSTOP);
            const timespec pause{time_t(hold.count() / 1000), long(hold.count() % 1000) * 1000000};
            ::nanosleep(&pause, nullptr);
            ::kill(parent, SIGCONT);
        }
        _exit(0);
    }

    ~TakenProcessor()
    {
        if (m_taker > 0)
            ::waitpid(m_taker, nullptr, 0);
    }

    TakenProcessor(const TakenProcessor &) = delete;
    TakenProcessor &operator=(const TakenProcessor &) = delete;

private:
    pid_t m_taker = -1;
};
