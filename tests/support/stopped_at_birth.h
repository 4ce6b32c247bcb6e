/** @file stopped_at_birth.h Holds the next process this one starts stopped the moment it appears, before it runs its program. */
#pragma once

#include "support/processor_clock.h"

#include <QDir>

#include <algorithm>
#include <chrono>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/ptrace.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

/**
 * While it lives, a tracer watches every thread of this process: the
 * first process one of them starts as posix_spawn starts it (a vfork) is
 * held stopped the moment it appears, before it runs its program, for
 * `hold`, as a debugger, a suspended job or a machine that starves it may
 * hold it; so the thread that started it waits as long. Every later one
 * goes on at once. Where this process may not be traced, nothing is held
 * (attached() is false).
 */
class StoppedAtBirth {
public:
    explicit StoppedAtBirth(std::chrono::milliseconds hold)
    {
        std::vector<pid_t> threads;
        for (const QString &task : QDir(QStringLiteral("/proc/self/task")).entryList(QDir::Dirs | QDir::NoDotAndDotDot))
            threads.push_back(pid_t(task.toInt()));
        int report[2];
        if (::pipe2(report, O_CLOEXEC) != 0)
            return;
        ::prctl(PR_SET_PTRACER, PR_SET_PTRACER_ANY);
        m_tracer = ::fork();
        if (m_tracer == 0) {
            ::close(report[0]);
            trace(threads, report[1], hold);
        }
        ::close(report[1]);
        m_report = report[0];
        char attached = 0;
        m_attached = m_tracer > 0 && ::read(m_report, &attached, 1) == 1 && attached == 1;
    }

    ~StoppedAtBirth()
    {
        if (m_tracer > 0)
            ::waitpid(m_tracer, nullptr, 0);
        if (m_report >= 0)
            ::close(m_report);
    }

    StoppedAtBirth(const StoppedAtBirth &) = delete;
    StoppedAtBirth &operator=(const StoppedAtBirth &) = delete;

    /** @return whether the tracer watches every thread. */
    bool attached() const { return m_attached; }

    /** @return the process held, once one was; -1 before. */
    pid_t held()
    {
        pollfd ready{m_report, POLLIN, 0};
        if (m_held < 0 && ::poll(&ready, 1, 0) == 1 && ::read(m_report, &m_held, sizeof m_held) != sizeof m_held)
            m_held = -1;
        return m_held;
    }

private:
    /** The tracer's work, in a child of a process of many threads: system calls only. */
    [[noreturn]] static void trace(const std::vector<pid_t> &threads, int report, std::chrono::milliseconds hold)
    {
        const pid_t parent = ::getppid();
        char attached = 1;
        for (const pid_t thread : threads)
            if (::ptrace(PTRACE_SEIZE, thread, nullptr, reinterpret_cast<void *>(PTRACE_O_TRACEVFORK)) != 0)
                attached = 0;
        [[maybe_unused]] ssize_t n = ::write(report, &attached, 1);
        if (!attached)
            _exit(1);
        pid_t born = -1;
        const int64_t start = monotonicNs();
        int64_t bornAt = 0;
        /* Never longer than the hold and some seconds: the tracees go on once the tracer has ended. */
        while (monotonicNs() - start < (std::chrono::nanoseconds(hold).count() + 10000000000LL)
               && (born < 0 || monotonicNs() - bornAt < std::chrono::nanoseconds(hold).count()) && ::kill(parent, 0) == 0) {
            int status = 0;
            const pid_t who = ::waitpid(-1, &status, __WALL | WNOHANG);
            if (who <= 0) {
                const timespec pause{0, 1000000};
                ::nanosleep(&pause, nullptr);
                continue;
            }
            if (!WIFSTOPPED(status))
                continue;
            const int event = status >> 16;
            const bool thread = std::find(threads.begin(), threads.end(), who) != threads.end();
            if (event == PTRACE_EVENT_VFORK) {
                unsigned long child = 0;
                ::ptrace(PTRACE_GETEVENTMSG, who, nullptr, &child);
                if (born < 0)
                    born = pid_t(child);
                ::ptrace(PTRACE_CONT, who, nullptr, nullptr);
            } else if (!thread && (born < 0 || who == born)) {
                /* The first new process, at its first stop (which may come before its parent's event): held. */
                born = who;
            } else {
                /* A signal, or a stop, of a thread or a later process: it goes on, the signal delivered. */
                const int signal = thread && event == 0 ? WSTOPSIG(status) : 0;
                ::ptrace(PTRACE_CONT, who, nullptr, reinterpret_cast<void *>(long(signal)));
            }
            if (born > 0 && bornAt == 0) {
                bornAt = monotonicNs();
                n = ::write(report, &born, sizeof born);
            }
        }
        _exit(0);
    }


    pid_t m_tracer = -1;
    int m_report = -1;
    bool m_attached = false;
    pid_t m_held = -1;
};
