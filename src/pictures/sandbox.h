/** @file sandbox.h What the picture reader gives up before it reads any file. */
#pragma once

#include <functional>

namespace pictures {

/**
 * Gives the reader, where it may (CAP_SYS_ADMIN: as root), a mount
 * namespace of its own whose mounts are private, in which giveUpPrivileges
 * covers /proc. A namespace holds the thread that enters it and those it
 * starts later: the reader calls it while it runs one thread only.
 */
void takeOwnMounts();

/**
 * Gives up, for good and for every thread of the reader, all it may do but
 * read files, map memory within its limit and answer on its channels: no
 * new privileges (PR_SET_NO_NEW_PRIVS); no capability, on every thread
 * (effective, permitted, inheritable, ambient, and the bounding set where
 * it may empty it: as root); where it has a mount namespace of its own
 * (takeOwnMounts), /proc covered by an empty file system, so that no
 * process's files there (the program's environ, maps and cmdline among
 * them) can be opened, with or without Landlock; a system-call filter
 * (seccomp) that refuses with EPERM the starting of processes and of
 * threads (those it needs are started before), sessions and process
 * groups, programs run, signals to other processes, tracing and reading or
 * writing another process's memory, the network and sockets of any kind,
 * sending on a socket, opening a file for writing (or creating, truncating,
 * removing, renaming one), locking a file (flock, fcntl's F_SETLK,
 * F_SETLKW and their open file description kinds; reading a lock is left),
 * shared memory (memory files, System V segments, shared anonymous
 * mappings), mappings at addresses of its own choosing (MAP_FIXED,
 * MAP_FIXED_NOREPLACE, an address hint, MREMAP_FIXED, MREMAP_DONTUNMAP,
 * remap_file_pages), whose far-apart pages would take page tables no limit
 * counts (not in the sanitizers' build, whose allocator maps at fixed
 * addresses), pages pushed out to swap (MADV_PAGEOUT, MADV_COLD), setting
 * any limit, its priority, scheduling or processors, every device request
 * (ioctl: terminals among them), every prctl (its parent-death signal
 * stays), a descriptor's owner and the signals it sends (F_SETOWN,
 * F_SETSIG, O_ASYNC, leases, folder notifications), changing its identity
 * or privileges, mounts, namespaces, the kernel's keys, modules and clocks;
 * and, where the kernel has Landlock and @p landlock asks for it, a domain
 * of its own, which keeps it from tracing or reading any process outside it
 * (/proc/<pid>/mem and environ of the program included), from opening a
 * terminal or any device but those that give zeros or random bytes, from
 * signalling a process outside it, and from writing anything by any path.
 * The domain holds the calling thread and the threads it starts later;
 * @p enterOthers, given the domain (-1 where there is none), has the
 * reader's threads started before give up theirs (giveUpThreadPrivileges
 * on each) and says whether all did.
 * @param landlock false only for a reader built for the tests, which holds
 *        without Landlock as on a kernel that has none.
 * @return whether the filter is in place on every thread, no thread holds a
 *         capability and, where there is a domain, every thread is in it;
 *         the reader must not read a file when it is not.
 */
bool giveUpPrivileges(const std::function<bool(int domain)> &enterOthers = {}, bool landlock = true);

/**
 * Gives up, on the calling thread, what each thread of the reader gives up
 * on its own: its capabilities, and, given a Landlock domain (-1 for none),
 * its place outside it, entering it with no new privileges.
 * @return whether it did.
 */
bool giveUpThreadPrivileges(int domain);

} // namespace pictures
