/** @file helper_process.h Starting and ending the helper programs that lie beside the program. */
#pragma once

#include <QByteArray>

#include <vector>

#include <sys/types.h>

namespace platform {

/** @return the helper program of this name in the folder of the running program, as the file system's bytes. */
QByteArray helperProgram(const char *name);

/**
 * Starts a program in a process group of its own, with every signal at
 * its default and unblocked.
 * @param argv its arguments, ending with a null pointer.
 * @param input what its standard input is: a file descriptor, or -1 for nowhere.
 * @param output what its standard output is: a file descriptor, or -1 for nowhere.
 * @param errors whether its errors go where the program's own go; else nowhere.
 * @return its process, or -1 when it could not be started.
 */
pid_t spawnHelper(const QByteArray &program, std::vector<char *> &argv, int input, int output, bool errors);

/**
 * Kills a helper's process group (the helper and whatever it started in
 * it) and waits for the helper's end.
 * @return its status, as waitpid gives it.
 */
int killHelper(pid_t pid);

} // namespace platform
