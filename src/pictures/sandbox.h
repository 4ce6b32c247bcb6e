/** @file sandbox.h What the picture reader gives up before it reads any file. */
#pragma once

namespace pictures {

/**
 * Gives up, for good and for every thread of the reader, all it may do but
 * read files, map memory within its limit and answer on its channels: no
 * new privileges (PR_SET_NO_NEW_PRIVS); a system-call filter (seccomp)
 * that refuses with EPERM the starting of processes (only threads may be
 * started), sessions and process groups, programs run, signals to other
 * processes, tracing and reading or writing another process's memory,
 * the network and sockets of any kind, sending on a socket, opening a file
 * for writing (or creating, truncating, removing, renaming one), shared
 * memory (memory files, System V segments, shared anonymous mappings),
 * raising its own limits, changing its identity or privileges, mounts,
 * namespaces, the kernel's keys, modules and clocks, and input put into a
 * terminal; and, where the kernel has Landlock, a domain of its own, which
 * keeps it from tracing or reading any process outside it (/proc/<pid>/mem
 * and environ of the program included), from signalling one, and from
 * writing anything by any path.
 * @return whether the filter is in place (Landlock is taken where there is
 *         one); the reader must not read a file when it is not.
 */
bool giveUpPrivileges();

} // namespace pictures
