/** @file sandbox.h What the picture reader gives up before it reads any file. */
#pragma once

#include <functional>

namespace pictures {

/**
 * Gives up, for good and for every thread of the reader, all it may do but
 * read files, map memory within its limit and answer on its channels: no
 * new privileges (PR_SET_NO_NEW_PRIVS); a system-call filter
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
 * and, where the kernel has Landlock, a domain of its own, which keeps it
 * from tracing or reading any process outside it
 * (/proc/<pid>/mem and environ of the program included), from opening a
 * terminal or any device but those that give zeros or random bytes, from
 * signalling a process outside it, and from writing anything by any path.
 * The domain holds the calling thread and the threads it starts later;
 * @p enterOthers, given the domain (-1 where there is none), puts the
 * reader's threads started before in it (enterDomain on each) and says
 * whether all are.
 * @return whether the filter is in place on every thread and, where there
 *         is a domain, every thread is in it; the reader must not read a
 *         file when it is not.
 */
bool giveUpPrivileges(const std::function<bool(int domain)> &enterOthers = {});

/** Puts the calling thread in a Landlock domain, with no new privileges. @return whether it is. */
bool enterDomain(int domain);

} // namespace pictures
