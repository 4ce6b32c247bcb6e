/** @file readers_at_birth.h Kills or stops every picture reader this process starts the moment it is seen, for a while. */
#pragma once

#include "support/processor_clock.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

/**
 * For `hold` from its making, every picture reader this process starts is
 * killed, or stopped, the moment it is seen running its program, long
 * before it could say it is ready, as a machine that kills new processes
 * (a watchdog, an out-of-memory killer) or gives them no processor may: a
 * process of its own looks at this one's children every fraction of a
 * millisecond. Those stopped go on at the hold's end. The destructor waits
 * for it.
 */
class ReadersAtBirth {
public:
    enum What { Killed, Stopped };

    ReadersAtBirth(What what, std::chrono::milliseconds hold)
    {
        int report[2];
        if (::pipe2(report, O_CLOEXEC) != 0)
            return;
        const pid_t parent = ::getpid();
        m_killer = ::fork();
        if (m_killer == 0) {
            ::close(report[0]);
            ::prctl(PR_SET_PDEATHSIG, SIGKILL);
            int killed = 0;
            std::vector<pid_t> stopped;
            const int signal = what == Killed ? SIGKILL : SIGSTOP;
            const int64_t until = monotonicNs() + std::chrono::nanoseconds(hold).count();
            char tasks[64];
            std::snprintf(tasks, sizeof tasks, "/proc/%d/task", int(parent));
            while (monotonicNs() < until) {
                if (DIR *threads = ::opendir(tasks)) {
                    while (const dirent *task = ::readdir(threads)) {
                        char path[512];
                        std::snprintf(path, sizeof path, "%s/%s/children", tasks, task->d_name);
                        char children[4096] = {};
                        if (task->d_name[0] == '.' || !readInto(path, children, sizeof children))
                            continue;
                        for (char *child = std::strtok(children, " \n"); child; child = std::strtok(nullptr, " \n")) {
                            char name[32] = {};
                            std::snprintf(path, sizeof path, "/proc/%s/comm", child);
                            const pid_t pid = std::atoi(child);
                            if (std::find(stopped.begin(), stopped.end(), pid) == stopped.end()
                                && readInto(path, name, sizeof name) && std::strncmp(name, "kamenna-pictur", 14) == 0
                                && ::kill(pid, signal) == 0) {
                                ++killed;
                                if (what == Stopped)
                                    stopped.push_back(pid);
                            }
                        }
                    }
                    ::closedir(threads);
                }
                const timespec pause{0, 200000};
                ::nanosleep(&pause, nullptr);
            }
            for (const pid_t pid : stopped)
                ::kill(pid, SIGCONT);
            [[maybe_unused]] const ssize_t n = ::write(report[1], &killed, sizeof killed);
            _exit(0);
        }
        ::close(report[1]);
        m_report = report[0];
    }

    ~ReadersAtBirth()
    {
        held();
        if (m_report >= 0)
            ::close(m_report);
    }

    ReadersAtBirth(const ReadersAtBirth &) = delete;
    ReadersAtBirth &operator=(const ReadersAtBirth &) = delete;

    /** Waits for the hold's end. @return how many readers were killed or stopped. */
    int held()
    {
        if (m_killer > 0) {
            if (::read(m_report, &m_killed, sizeof m_killed) != sizeof m_killed)
                m_killed = 0;
            ::waitpid(m_killer, nullptr, 0);
            m_killer = -1;
        }
        return m_killed;
    }

private:
    /** Reads a small file whole into a buffer, ending it with a zero. @return whether anything was read. */
    static bool readInto(const char *path, char *into, size_t size)
    {
        const int file = ::open(path, O_RDONLY | O_CLOEXEC);
        if (file < 0)
            return false;
        const ssize_t n = ::read(file, into, size - 1);
        ::close(file);
        into[n > 0 ? n : 0] = 0;
        return n > 0;
    }


    pid_t m_killer = -1;
    int m_report = -1;
    int m_killed = 0;
};
