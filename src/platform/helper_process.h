/** @file helper_process.h Starting and ending the helper programs that lie beside the program. */
#pragma once

#include <QByteArray>

#include <chrono>
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
 * Starts a program in a process group of its own, with every signal at
 * its default and unblocked, and no descriptor of the program's but the
 * three standard ones given here: every other is closed in it, those
 * without close-on-exec too.
 * @param argv its arguments, ending with a null pointer.
 * @param input what its standard input is: a file descriptor, or -1 for nowhere.
 * @param output what its standard output is: a file descriptor, or -1 for nowhere.
 * @param errors whether its errors go where the program's own go; else nowhere.
 * @param environment its environment, "NAME=value" each; the program's own when null.
 * @return its process, or -1 when it could not be started.
 */
pid_t spawnHelper(const QByteArray &program, std::vector<char *> &argv, int input, int output, bool errors,
                  const std::vector<QByteArray> *environment = nullptr);

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

} // namespace platform
