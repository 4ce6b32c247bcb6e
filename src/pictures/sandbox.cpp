/** @file sandbox.cpp What the picture reader gives up before it reads any file. */
#include "pictures/sandbox.h"

#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <initializer_list>

#include <string>

#include <dirent.h>
#include <fcntl.h>
#include <linux/capability.h>
#include <linux/landlock.h>
#include <sched.h>
#include <seccomp.h>
#include <sys/file.h>
#include <sys/mman.h>
#include <sys/mount.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace pictures {

namespace {

/** System calls refused whatever their arguments, and the error they give. */
struct Refused {
    const char *name;
    int error;
};

constexpr Refused kRefused[] = {
    /* Processes, threads, programs, sessions and groups: the threads its decoders use are started before. */
    {"fork", EPERM}, {"vfork", EPERM}, {"clone", EPERM}, {"execve", EPERM}, {"execveat", EPERM},
    {"setsid", EPERM}, {"setpgid", EPERM},
    /* The C library tries clone3 first and falls back to clone when the system has none. */
    {"clone3", ENOSYS},
    /* Its limits, its priority and its placing on the processors: what it was given it keeps. */
    {"setrlimit", EPERM}, {"setpriority", EPERM}, {"ioprio_set", EPERM}, {"sched_setaffinity", EPERM},
    {"sched_setscheduler", EPERM}, {"sched_setparam", EPERM}, {"sched_setattr", EPERM},
    /* Every request to a device or a descriptor: no decoder makes one, and through them a terminal's size,
       settings, input, foreground and hangup reach the processes that share it, and a descriptor gets an owner
       the kernel signals (FIOSETOWN, SIOCSPGRP). */
    {"ioctl", EPERM},
    /* Its process's settings: its parent-death signal above all stays as it was set. Its threads named
       themselves as they started. */
    {"prctl", EPERM},
    /* Other processes: tracing them, their memory, their descriptors, their signals. */
    {"ptrace", EPERM}, {"process_vm_readv", EPERM}, {"process_vm_writev", EPERM}, {"process_madvise", EPERM},
    {"process_mrelease", EPERM}, {"kcmp", EPERM}, {"pidfd_open", EPERM}, {"pidfd_getfd", EPERM},
    {"pidfd_send_signal", EPERM}, {"tkill", EPERM},
    /* The network and every socket, and sending on the ones it has. */
    {"socket", EPERM}, {"socketpair", EPERM}, {"connect", EPERM}, {"bind", EPERM}, {"listen", EPERM},
    {"accept", EPERM}, {"accept4", EPERM}, {"sendto", EPERM}, {"sendmsg", EPERM}, {"sendmmsg", EPERM},
    /* Shared memory its limit does not see. */
    {"memfd_create", EPERM}, {"memfd_secret", EPERM}, {"shmget", EPERM}, {"shmat", EPERM}, {"msgget", EPERM},
    {"semget", EPERM}, {"mq_open", EPERM},
    /* System V objects of other processes, found by their numbers; and what the kernel counts for the user or the
       machine as a whole: asynchronous I/O contexts, notification instances. */
    {"shmctl", EPERM}, {"msgctl", EPERM}, {"msgsnd", EPERM}, {"msgrcv", EPERM}, {"semctl", EPERM},
    {"semop", EPERM}, {"semtimedop", EPERM}, {"mq_unlink", EPERM}, {"io_setup", EPERM}, {"inotify_init", EPERM},
    {"inotify_init1", EPERM},
    /* Writing files by their path or their descriptor's size. */
    {"creat", EPERM}, {"openat2", ENOSYS}, {"open_by_handle_at", EPERM}, {"name_to_handle_at", EPERM},
    {"truncate", EPERM}, {"ftruncate", EPERM}, {"fallocate", EPERM}, {"unlink", EPERM}, {"unlinkat", EPERM},
    {"rename", EPERM}, {"renameat", EPERM}, {"renameat2", EPERM}, {"mkdir", EPERM}, {"mkdirat", EPERM},
    {"rmdir", EPERM}, {"link", EPERM}, {"linkat", EPERM}, {"symlink", EPERM}, {"symlinkat", EPERM},
    {"chmod", EPERM}, {"fchmod", EPERM}, {"fchmodat", EPERM}, {"fchmodat2", EPERM}, {"chown", EPERM},
    {"fchown", EPERM}, {"lchown", EPERM}, {"fchownat", EPERM}, {"mknod", EPERM}, {"mknodat", EPERM},
    {"utime", EPERM}, {"utimes", EPERM}, {"utimensat", EPERM}, {"futimesat", EPERM}, {"setxattr", EPERM},
    {"lsetxattr", EPERM}, {"fsetxattr", EPERM}, {"removexattr", EPERM}, {"lremovexattr", EPERM},
    {"fremovexattr", EPERM},
    /* Identity and privileges. */
    {"setuid", EPERM}, {"setgid", EPERM}, {"setreuid", EPERM}, {"setregid", EPERM}, {"setresuid", EPERM},
    {"setresgid", EPERM}, {"setfsuid", EPERM}, {"setfsgid", EPERM}, {"setgroups", EPERM}, {"capset", EPERM},
    /* The system's own: mounts, namespaces, keys, modules, clocks, the kernel's log, kernel interfaces that
       reach other processes' memory or the kernel's. */
    {"mount", EPERM}, {"umount2", EPERM}, {"pivot_root", EPERM}, {"chroot", EPERM}, {"unshare", EPERM},
    {"setns", EPERM}, {"move_mount", EPERM}, {"open_tree", EPERM}, {"fsopen", EPERM}, {"fsconfig", EPERM},
    {"fsmount", EPERM}, {"fspick", EPERM}, {"mount_setattr", EPERM}, {"add_key", EPERM}, {"request_key", EPERM},
    {"keyctl", EPERM}, {"init_module", EPERM}, {"finit_module", EPERM}, {"delete_module", EPERM},
    {"kexec_load", EPERM}, {"kexec_file_load", EPERM}, {"reboot", EPERM}, {"swapon", EPERM}, {"swapoff", EPERM},
    {"acct", EPERM}, {"quotactl", EPERM}, {"sethostname", EPERM}, {"setdomainname", EPERM},
    {"settimeofday", EPERM}, {"clock_settime", EPERM}, {"adjtimex", EPERM}, {"clock_adjtime", EPERM},
    {"iopl", EPERM}, {"ioperm", EPERM}, {"syslog", EPERM}, {"vhangup", EPERM}, {"bpf", EPERM},
    {"perf_event_open", EPERM}, {"userfaultfd", EPERM}, {"io_uring_setup", EPERM}, {"io_uring_enter", EPERM},
    {"io_uring_register", EPERM}, {"fanotify_init", EPERM}, {"lookup_dcookie", EPERM},
#ifndef KAMENNA_INSTRUMENTED
    /* A shared file's pages mapped anew where it chooses, as a mapping at its own address would be. */
    {"remap_file_pages", EPERM},
#endif
};

/** A system call refused when its arguments compare so. */
struct RefusedWhen {
    const char *name;
    scmp_arg_cmp compare;
};

/** @return a comparison of an argument's lower 32 bits, as the kernel reads an int. */
scmp_arg_cmp low32(unsigned arg, uint32_t mask, uint32_t value)
{
    return scmp_arg_cmp{arg, SCMP_CMP_MASKED_EQ, mask, value};
}

/**
 * Adds the filter's rules. @return whether every one was added; a name
 * the machine has no such call for is passed over.
 */
bool addRules(scmp_filter_ctx filter)
{
    const auto rule = [&](const char *name, int error, std::initializer_list<scmp_arg_cmp> compares) {
        const int call = seccomp_syscall_resolve_name(name);
        if (call == __NR_SCMP_ERROR)
            return true;
        return seccomp_rule_add_array(filter, SCMP_ACT_ERRNO(error), call, unsigned(compares.size()),
                                      compares.begin())
               == 0;
    };
    bool added = true;
    for (const Refused &refused : kRefused)
        added = rule(refused.name, refused.error, {}) && added;
    const uint64_t self = uint64_t(::getpid());
    const RefusedWhen conditional[] = {
        /* Signals go to itself only. */
        {"kill", SCMP_A0(SCMP_CMP_NE, self)},
        {"tgkill", SCMP_A0(SCMP_CMP_NE, self)},
        {"rt_sigqueueinfo", SCMP_A0(SCMP_CMP_NE, self)},
        {"rt_tgsigqueueinfo", SCMP_A0(SCMP_CMP_NE, self)},
        /* Files are opened for reading only. */
        {"open", low32(1, O_WRONLY, O_WRONLY)},
        {"open", low32(1, O_RDWR, O_RDWR)},
        {"open", low32(1, O_CREAT, O_CREAT)},
        {"open", low32(1, O_TRUNC, O_TRUNC)},
        {"openat", low32(2, O_WRONLY, O_WRONLY)},
        {"openat", low32(2, O_RDWR, O_RDWR)},
        {"openat", low32(2, O_CREAT, O_CREAT)},
        {"openat", low32(2, O_TRUNC, O_TRUNC)},
        /* Memory shared with no file behind it. */
        {"mmap", low32(3, MAP_SHARED | MAP_ANONYMOUS, MAP_SHARED | MAP_ANONYMOUS)},
#ifndef KAMENNA_INSTRUMENTED
        /* Mappings at addresses of its own choosing: pages far apart each take page tables of their own, which
           no limit counts; the kernel places them side by side. The sanitizers' allocator maps at fixed
           addresses, in space it reserved before the limit was taken: their build leaves these out. */
        {"mmap", SCMP_A0(SCMP_CMP_NE, 0)},
        {"mmap", low32(3, MAP_FIXED, MAP_FIXED)},
        {"mmap", low32(3, MAP_FIXED_NOREPLACE, MAP_FIXED_NOREPLACE)},
        {"mremap", low32(3, MREMAP_FIXED, MREMAP_FIXED)},
        {"mremap", low32(3, MREMAP_DONTUNMAP, MREMAP_DONTUNMAP)},
#endif
        /* Pages pushed out to swap, the pixel window's among them, for the program to wait on as it copies. */
        {"madvise", low32(2, 0xFFFFFFFFu, MADV_PAGEOUT)},
        {"madvise", low32(2, 0xFFFFFFFFu, MADV_COLD)},
        /* Locks on the files it reads, which other programs' locks would wait on as long as it lives: reading
           a lock is left. */
        {"flock", low32(1, LOCK_SH, LOCK_SH)},
        {"flock", low32(1, LOCK_EX, LOCK_EX)},
        {"fcntl", low32(1, 0xFFFFFFFFu, F_SETLK)},
        {"fcntl", low32(1, 0xFFFFFFFFu, F_SETLKW)},
        {"fcntl", low32(1, 0xFFFFFFFFu, F_OFD_SETLK)},
        {"fcntl", low32(1, 0xFFFFFFFFu, F_OFD_SETLKW)},
        /* A pipe made larger than the system's own size. */
        {"fcntl", low32(1, 0xFFFFFFFFu, F_SETPIPE_SZ)},
        /* A descriptor's owner, whom the kernel signals as it becomes ready, its lease is broken or its folder
           changes, and the signal it sends. */
        {"fcntl", low32(1, 0xFFFFFFFFu, F_SETOWN)},
        {"fcntl", low32(1, 0xFFFFFFFFu, F_SETOWN_EX)},
        {"fcntl", low32(1, 0xFFFFFFFFu, F_SETSIG)},
        {"fcntl", low32(1, 0xFFFFFFFFu, F_SETLEASE)},
        {"fcntl", low32(1, 0xFFFFFFFFu, F_NOTIFY)},
        /* Another process's memory placing or its robust futexes. */
        {"migrate_pages", SCMP_A0(SCMP_CMP_NE, 0)},
        {"move_pages", SCMP_A0(SCMP_CMP_NE, 0)},
        {"get_robust_list", SCMP_A0(SCMP_CMP_NE, 0)},
        /* Another's limits, and setting any: reading its own is left. */
        {"prlimit64", SCMP_A0(SCMP_CMP_NE, 0)},
        {"prlimit64", SCMP_A2(SCMP_CMP_NE, 0)},
    };
    for (const RefusedWhen &refused : conditional)
        added = rule(refused.name, EPERM, {refused.compare}) && added;
    /* Signals on a descriptor's readiness, even with no owner set. */
    added = rule("fcntl", EPERM, {low32(1, 0xFFFFFFFFu, F_SETFL), low32(2, O_ASYNC, O_ASYNC)}) && added;
    return added;
}

/** Landlock's ruleset as the newest kernels take it; older ones take its start. */
struct LandlockRuleset {
    uint64_t handledAccessFs = 0;
    uint64_t handledAccessNet = 0;
    uint64_t scoped = 0;
};

constexpr uint64_t kLandlockNetBindTcp = 1u << 0;
constexpr uint64_t kLandlockNetConnectTcp = 1u << 1;
constexpr uint64_t kLandlockScopeAbstractUnixSocket = 1u << 0;
constexpr uint64_t kLandlockScopeSignal = 1u << 1;

/**
 * The devices the domain reads: those that give nothing but zeros or
 * random bytes, and the folder of shared memory, where files may lie as
 * anywhere else. Not a terminal among them: reading one takes what is
 * typed in it.
 */
constexpr const char *kDevices[] = {"null", "zero", "full", "random", "urandom", "shm"};

/**
 * Lets the domain read a file, or every file and folder beneath a folder.
 * A path that is not there is passed over. @return whether the rule was added.
 */
bool letReadBeneath(int domain, const std::string &path)
{
    const int beneath = ::open(path.c_str(), O_PATH | O_CLOEXEC);
    struct stat st {};
    if (beneath < 0 || ::fstat(beneath, &st) != 0) {
        if (beneath >= 0)
            ::close(beneath);
        return true;
    }
    landlock_path_beneath_attr rule{};
    rule.allowed_access = LANDLOCK_ACCESS_FS_READ_FILE | (S_ISDIR(st.st_mode) ? LANDLOCK_ACCESS_FS_READ_DIR : 0);
    rule.parent_fd = beneath;
    const bool added = ::syscall(SYS_landlock_add_rule, domain, LANDLOCK_RULE_PATH_BENEATH, &rule, 0) == 0;
    ::close(beneath);
    return added;
}

/**
 * Lets the domain read every file and folder beneath the root's entries,
 * but for /proc, where the other processes' memory and environment lie,
 * and /dev, of which only kDevices: the reader needs nothing more there
 * once it has started.
 * @return whether every rule was added.
 */
bool letRead(int domain)
{
    DIR *root = ::opendir("/");
    if (!root)
        return false;
    bool added = true;
    while (const dirent *entry = ::readdir(root)) {
        const std::string name = entry->d_name;
        if (name == "." || name == ".." || name == "proc")
            continue;
        if (name == "dev") {
            for (const char *device : kDevices)
                added = letReadBeneath(domain, "/dev/" + std::string(device)) && added;
            continue;
        }
        added = letReadBeneath(domain, "/" + name) && added;
    }
    ::closedir(root);
    return added;
}

/**
 * Makes a Landlock domain that lets the reader read files beneath the root
 * but not in /proc, write nothing by any path, reach no port and signal no
 * process outside it; being in a domain, it can trace or read the memory of
 * no process outside it either.
 * @return the domain's descriptor; -1 where the kernel has no Landlock.
 */
int makeLandlockDomain()
{
    const long abi = ::syscall(SYS_landlock_create_ruleset, nullptr, 0, LANDLOCK_CREATE_RULESET_VERSION);
    if (abi < 1)
        return -1;
    LandlockRuleset ruleset;
    ruleset.handledAccessFs = LANDLOCK_ACCESS_FS_READ_FILE | LANDLOCK_ACCESS_FS_READ_DIR
                              | LANDLOCK_ACCESS_FS_WRITE_FILE | LANDLOCK_ACCESS_FS_REMOVE_DIR
                              | LANDLOCK_ACCESS_FS_REMOVE_FILE | LANDLOCK_ACCESS_FS_MAKE_CHAR
                              | LANDLOCK_ACCESS_FS_MAKE_DIR | LANDLOCK_ACCESS_FS_MAKE_REG
                              | LANDLOCK_ACCESS_FS_MAKE_SOCK | LANDLOCK_ACCESS_FS_MAKE_FIFO
                              | LANDLOCK_ACCESS_FS_MAKE_BLOCK | LANDLOCK_ACCESS_FS_MAKE_SYM;
    size_t size = sizeof ruleset.handledAccessFs;
    if (abi >= 2)
        ruleset.handledAccessFs |= 1u << 13; // refer: moving or linking files between folders
    if (abi >= 3)
        ruleset.handledAccessFs |= 1u << 14; // truncate
    if (abi >= 4) {
        ruleset.handledAccessNet = kLandlockNetBindTcp | kLandlockNetConnectTcp;
        size = offsetof(LandlockRuleset, scoped);
    }
    if (abi >= 6) {
        ruleset.scoped = kLandlockScopeAbstractUnixSocket | kLandlockScopeSignal;
        size = sizeof ruleset;
    }
    const long domain = ::syscall(SYS_landlock_create_ruleset, &ruleset, size, 0);
    if (domain < 0)
        return -1;
    if (!letRead(int(domain))) {
        ::close(int(domain));
        return -1;
    }
    return int(domain);
}

/** Puts the calling thread in a Landlock domain, with no new privileges. @return whether it is. */
bool enterDomain(int domain)
{
    return ::prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) == 0 && ::syscall(SYS_landlock_restrict_self, domain, 0) == 0;
}

/** Whether the reader has a mount namespace of its own, whose mounts reach no other process's. */
bool g_ownMounts = false;

/**
 * Covers /proc, in the reader's own mount namespace, with an empty
 * read-only file system: the files of no process are there, the program's
 * environment, memory map and command line among them, whether or not the
 * kernel has Landlock. @return whether it did.
 */
bool coverProcesses()
{
    return g_ownMounts
           && ::mount("none", "/proc", "tmpfs", MS_RDONLY | MS_NOSUID | MS_NODEV | MS_NOEXEC, "size=4k,mode=0555") == 0;
}

/**
 * Gives up every capability of the calling thread: those it may use and
 * pass on (effective, permitted, inheritable and ambient) and, where it may
 * (CAP_SETPCAP: as root), those its programs could ever get (the bounding
 * set). A thread without CAP_SETPCAP keeps its bounding set, which gives
 * it nothing: with no new privileges and no program run, it gains none.
 * @return whether it holds none now, and its bounding set is empty where
 *         it could empty it.
 */
bool dropCapabilities()
{
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct held[_LINUX_CAPABILITY_U32S_3] = {};
    if (::syscall(SYS_capget, &header, held) != 0)
        return false;
    const bool mayDropBounding = held[CAP_SETPCAP / 32].effective & (1u << (CAP_SETPCAP % 32));
    bool dropped = true;
    /* The kernel's capabilities end where reading one fails. */
    for (int capability = 0; ::prctl(PR_CAPBSET_READ, capability, 0, 0, 0) >= 0; ++capability)
        if (mayDropBounding)
            dropped = ::prctl(PR_CAPBSET_DROP, capability, 0, 0, 0) == 0 && dropped;
    /* Kernels before 4.3 have no ambient set, and so none to clear. */
    if (::prctl(PR_CAP_AMBIENT, PR_CAP_AMBIENT_CLEAR_ALL, 0, 0, 0) != 0 && errno != EINVAL)
        dropped = false;
    const __user_cap_data_struct none[_LINUX_CAPABILITY_U32S_3] = {};
    return ::syscall(SYS_capset, &header, none) == 0 && dropped;
}

} // namespace

void takeOwnMounts()
{
    /* Its mounts made private before any is changed: a mount shared with the program's namespace would cover
       /proc there too. */
    g_ownMounts = ::unshare(CLONE_NEWNS) == 0 && ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
}

bool giveUpThreadPrivileges(int domain)
{
    return (domain < 0 || enterDomain(domain)) && dropCapabilities();
}

bool giveUpPrivileges(const std::function<bool(int domain)> &enterOthers, bool landlock)
{
    if (::prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) != 0)
        return false;
    /* While it still may mount, before it gives up its capabilities. Where it cannot, Landlock keeps it out of
       /proc, or, on a kernel without Landlock, the program's files there are closed to it by the program. */
    coverProcesses();
    /* A domain holds the thread that enters it and those it starts later: the reader's threads started before
       enter it each on its own, or none does. So do they give up their capabilities, which each thread holds of
       its own. */
    int domain = landlock ? makeLandlockDomain() : -1;
    if (domain >= 0 && !enterDomain(domain)) {
        ::close(domain);
        domain = -1;
    }
    const bool allGaveUp = dropCapabilities() && (!enterOthers || enterOthers(domain));
    if (domain >= 0)
        ::close(domain);
    if (!allGaveUp)
        return false;
    scmp_filter_ctx filter = seccomp_init(SCMP_ACT_ALLOW);
    if (!filter)
        return false;
    /* Every thread of the reader, those started before too, or the filter is not loaded; the calls looked up in a
       tree, not one by one. */
    bool loaded = seccomp_attr_set(filter, SCMP_FLTATR_CTL_TSYNC, 1) == 0;
    seccomp_attr_set(filter, SCMP_FLTATR_CTL_OPTIMIZE, 2);
    loaded = loaded && addRules(filter) && seccomp_load(filter) == 0;
    seccomp_release(filter);
    return loaded;
}

} // namespace pictures
