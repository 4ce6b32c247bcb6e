/** @file helper_process.h Starting and ending the helper programs that lie beside the program. */
#pragma once

#include <QByteArray>

#include <chrono>
#include <cstdint>
#include <vector>

#include <sys/types.h>

namespace platform {

/**
 * @return the helper program of this name in the folder of the running
 *         program, as the file system's bytes; empty when the running
 *         program's own path cannot be read (a helper is never looked for
 *         anywhere else, the current folder least of all).
 */
QByteArray helperProgram(const char *name);

/**
 * The environment a helper is given: only the variables that say where
 * the libraries, plugins, fonts and caches it loads lie and how the
 * sanitizers report, from the program's own environment; nothing else of
 * the program's.
 */
std::vector<QByteArray> helperEnvironment();

/**
 * Closes the program's own files in /proc (its environ, maps, mem, its
 * descriptors) to the helpers of its user, where the kernel has no Landlock
 * to keep a picture reader out of /proc: the program makes itself
 * non-dumpable, so that only a process with CAP_SYS_PTRACE opens them.
 * Its cmdline stays open, as every process's is to every process. Where the
 * kernel has Landlock the program stays dumpable, for debuggers and core
 * files. Called once as the program starts, before it starts any helper.
 */
void closeProcessFilesToHelpers();

/**
 * Starts a program in a session of its own (so also a process group of its
 * own, which its process id names, and no controlling terminal), with every
 * signal at its default and unblocked, and no descriptor of the program's
 * but the three standard ones given here and an extra one: every other is
 * closed in it, those without close-on-exec too. The call returns once the new process
 * runs the program, or failed to: as long as the system takes to start it
 * (a process stopped as it is born holds the call).
 * @param argv its arguments, ending with a null pointer.
 * @param input what its standard input is: a file descriptor, or -1 for nowhere.
 * @param output what its standard output is: a file descriptor, or -1 for nowhere.
 * @param errors whether its errors go where the program's own go; else nowhere.
 * @param environment its environment, "NAME=value" each; the program's own when null.
 * @param extra a descriptor it is given as its descriptor 3, or -1 for none.
 * @param error set, when it could not be started, to why (an errno: ENOENT
 *        for a program not there, EAGAIN for a system out of processes),
 *        unless null.
 * @return its process, or -1 when it could not be started.
 */
pid_t spawnHelper(const QByteArray &program, std::vector<char *> &argv, int input, int output, bool errors,
                  const std::vector<QByteArray> *environment = nullptr, int extra = -1, int *error = nullptr);

/**
 * How long killHelper waits for a killed helper to end: a process killed
 * ends at once unless the kernel holds it in a call it cannot leave.
 */
inline constexpr std::chrono::milliseconds kHelperReapTime{250};

/**
 * Kills a helper, by its process and by its process group (the helper and
 * whatever it started in its group, and the helper itself should it have
 * left the group), and waits for its end, no longer than kHelperReapTime:
 * one that has not ended by then is reaped later, at the next helper
 * killed.
 * @return its status, as waitpid gives it; that of a process killed by
 *         SIGKILL when it did not end in time.
 */
int killHelper(pid_t pid);

/**
 * Kills a helper that is not yet reaped, by its process and its group,
 * without waiting for it: the caller (or whoever reaps it) reaps it later.
 * Only for a process nobody can have reaped yet, as its id may otherwise
 * name another.
 */
void killUnreaped(pid_t pid);

/**
 * @return a descriptor that becomes readable when a child process ends
 *         (pidfd_open), close-on-exec; -1 where the kernel has none.
 */
int processHandle(pid_t pid);

/** What /proc tells of a process: -1 for what cannot be read. */
struct ProcessFigures {
    int threads = -1;               ///< Its threads.
    long long mostResident = -1;    ///< The most memory it has held in RAM, in bytes.
};

/** @return figures of a live (unreaped) process, from /proc/<pid>/status. */
ProcessFigures processFigures(pid_t pid);

/**
 * @return the hard limit of a process's processor time, in nanoseconds
 *         (/proc/<pid>/limits), also of one ended and not yet reaped; -1
 *         when it has none or it cannot be read.
 */
int64_t processorTimeLimit(pid_t pid);

} // namespace platform
