/** @file lying_picture_reader.cpp The picture reader, built for the tests to lie, misbehave or try to break out. */
#include "pictures/reader.h"
#include "platform/files.h"
#include "platform/picture_limits.h"
#include "platform/picture_protocol.h"

#include <QImage>
#include <QSemaphore>
#include <QThreadPool>

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <optional>
#include <utility>
#include <vector>

#include <fcntl.h>
#include <linux/capability.h>
#include <linux/magic.h>
#include <linux/sched.h>
#include <netinet/in.h>
#include <pthread.h>
#include <sched.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/auxv.h>
#include <sys/file.h>
#include <sys/ipc.h>
#include <linux/aio_abi.h>
#include <sys/msg.h>
#include <sys/inotify.h>
#include <sys/mman.h>
#include <sys/prctl.h>
#include <sys/ptrace.h>
#include <sys/resource.h>
#include <sys/shm.h>
#include <sys/socket.h>
#include <sys/statfs.h>
#include <sys/syscall.h>
#include <sys/uio.h>
#include <termios.h>
#include <unistd.h>

/*
 * Run as "kamenna-pictures-liar --lie=<way>" it is the real reader (the
 * same limits, the same filter, the same reading) but for its hello, or
 * for the answer to a picture named "lez.bmp", which it gives as <way>
 * says; some ways act before it gives up its privileges, as a reader
 * taken over at once would. Run as "--escape=<way>" it tries one way out
 * of what it gave up at the request for "lez.bmp", and answers
 * "odmítnuto: <way>" when the system refused it, "uniklo: <way>" when it
 * got out; it reads every other picture as the real reader does.
 * "--marker=<file>" names a file of the test's that a way may try to
 * write, truncate or remove; "--terminal=<file>" a terminal of the test's,
 * which it opens at its start, as a reader may hold one it was given.
 * A way that begins "without-landlock:" is tried by a reader that gives up
 * all but Landlock, as on a kernel that has none.
 * "--stop-at-start=<file>" stops the reader as it starts, before its
 * hello, when it can remove that file: the first reader so started
 * only. The ways of misbehaving the program watches for
 * (misbehaveAfterAnswer) act on every picture.
 */

namespace {

namespace protocol = platform::picture_protocol;

QByteArray g_lie;
QByteArray g_escape;
QByteArray g_marker;
QByteArray g_stopAtStart;
QByteArray g_terminalPath;

/** The test's terminal, opened at the start; -1 without one. */
int g_terminal = -1;

/** The picture that takes the reader over, as the request named it. */
QByteArray g_picture;

/** The pixel window the program gave; null until it came. */
uchar *g_window = nullptr;

/** A way tried by a reader without Landlock begins so. */
const QByteArray kWithoutLandlock = "without-landlock:";

/** The program's files in /proc that a way opens, by the way's name. */
constexpr std::pair<const char *, const char *> kProgramFiles[] = {
    {"program-memory-file", "mem"},
    {"program-environment", "environ"},
    {"program-maps", "maps"},
    {"program-command-line", "cmdline"},
};

/** Whether the reader ends once it has answered: it got hold of the program, and lets go of it so. */
bool g_endAfterAnswer = false;

[[noreturn]] void hang()
{
    for (;;)
        ::pause();
}

void write(const void *bytes, size_t n)
{
    pictures::writeAnswer(bytes, n);
}

/** Answers with a picture of the given layout and bytes (colours, then pixels), in the stream. */
void answerPicture(uint64_t id, QImage::Format format, int width, int height, int bytesPerLine, int colours,
                   const QByteArray &rest)
{
    protocol::Answer a;
    a.id = id;
    a.status = protocol::Status::Picture;
    a.transfer = protocol::Transfer::Inline;
    a.format = format;
    a.width = width;
    a.height = height;
    a.bytesPerLine = bytesPerLine;
    a.colours = colours;
    a.pixelBytes = int64_t(bytesPerLine) * height;
    write(&a, sizeof a);
    write(rest.constData(), size_t(rest.size()));
}

/** Answers with a picture read as the reader reads it, in the stream (a small one). */
void answerHonestly(uint64_t id, const QByteArray &path)
{
    const QImage picture = platform::readPictureFile(QString::fromUtf8(path));
    answerPicture(id, picture.format(), picture.width(), picture.height(), int(picture.bytesPerLine()), 0,
                  QByteArray(reinterpret_cast<const char *>(picture.constBits()), picture.sizeInBytes()));
}

/** Answers a refusal with a text of its own. */
void answerText(uint64_t id, const QByteArray &text)
{
    protocol::Answer a;
    a.id = id;
    a.status = protocol::Status::Broken;
    a.textBytes = int32_t(text.size());
    write(&a, sizeof a);
    write(text.constData(), size_t(text.size()));
}

/** Sends a descriptor, or many, with a byte on a channel. @return whether it went. */
bool sendDescriptors(int channel, const std::vector<int> &files)
{
    char byte = 0;
    iovec part{&byte, 1};
    std::vector<char> control(CMSG_SPACE(sizeof(int) * files.size()));
    msghdr header{};
    header.msg_iov = &part;
    header.msg_iovlen = 1;
    header.msg_control = control.data();
    header.msg_controllen = control.size();
    cmsghdr *c = CMSG_FIRSTHDR(&header);
    c->cmsg_level = SOL_SOCKET;
    c->cmsg_type = SCM_RIGHTS;
    c->cmsg_len = CMSG_LEN(sizeof(int) * files.size());
    std::memcpy(CMSG_DATA(c), files.data(), sizeof(int) * files.size());
    return ::sendmsg(channel, &header, MSG_NOSIGNAL | MSG_DONTWAIT) > 0;
}

/** @return a TCP connection to a listener that never takes it, its data unsent, set to linger 30 s when closed. */
int lingeringSocket()
{
    const int listener = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    ::bind(listener, reinterpret_cast<sockaddr *>(&address), sizeof address);
    ::listen(listener, 1);
    ::getsockname(listener, reinterpret_cast<sockaddr *>(&address), &length);
    const int connection = ::socket(AF_INET, SOCK_STREAM, 0);
    ::connect(connection, reinterpret_cast<sockaddr *>(&address), sizeof address);
    const linger lingering{1, 30};
    ::setsockopt(connection, SOL_SOCKET, SO_LINGER, &lingering, sizeof lingering);
    ::fcntl(connection, F_SETFL, O_NONBLOCK);
    const std::vector<char> data(1 << 16, 'x');
    while (::send(connection, data.data(), data.size(), MSG_NOSIGNAL) > 0) {
    }
    return connection;
}

/** Misbehaves at once, before the reader gives up its privileges, as one taken over at its start would. */
void misbehaveAtStart()
{
    if (!g_terminalPath.isEmpty())
        g_terminal = ::open(g_terminalPath.constData(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (g_lie == "other-group") {
        /* Into the program's own process group: killing the reader's group no longer reaches it. */
        ::setpgid(0, ::getpgid(::getppid()));
    } else if (g_lie == "lingering-socket") {
        const int connection = lingeringSocket();
        sendDescriptors(pictures::kRequests, {connection});
        sendDescriptors(pictures::kAnswers, {connection});
    } else if (g_lie == "descriptor-flood") {
        std::vector<int> files;
        for (int i = 0; i < 100; ++i)
            files.push_back(::open("/dev/null", O_RDONLY));
        for (int i = 0; i < 200 && (sendDescriptors(pictures::kRequests, files) || sendDescriptors(pictures::kAnswers, files)); ++i) {
        }
    }
}

bool hello()
{
    const protocol::Hello real;
    if (g_lie == "hello-short") {
        write(&real, 1);
        hang();
    }
    if (g_lie == "hello-never")
        hang();
    if (g_lie == "hello-wrong") {
        protocol::Hello wrong;
        wrong.magic = 0x4B505230;
        write(&wrong, sizeof wrong);
        return true;
    }
    return false;
}

/** @return the error of a call that returns a negative number when it fails, 0 when it did not. */
int result(long r)
{
    return r < 0 ? errno : 0;
}

/** @return the error the last of some calls failed with, 0 when every one went. */
int worst(std::initializer_list<int> results)
{
    int error = 0;
    for (const int r : results)
        error = r != 0 ? r : error;
    return error;
}

/** A thread that holds its process id until the reader ends. */
void *holdThread(void *)
{
    for (;;)
        ::pause();
}

/**
 * Starts as many as @p most threads that wait for ever, as a bomb of
 * threads would, until one is refused. @return 0 when it started one at
 * least, else the error that refused the first.
 */
int startThreads(int most)
{
    pthread_attr_t small;
    ::pthread_attr_init(&small);
    ::pthread_attr_setstacksize(&small, 64 * 1024);
    int started = 0;
    int error = 0;
    for (pthread_t thread{}; started < most && (error = ::pthread_create(&thread, &small, holdThread, nullptr)) == 0;)
        ++started;
    ::pthread_attr_destroy(&small);
    return started > 0 ? 0 : error;
}

/**
 * Tries a way to have the kernel signal the program, or to reach a
 * terminal. @return as tryEscape; nothing when it is none of these.
 */
std::optional<int> trySignalOrTerminal(const QByteArray &way, pid_t program)
{
    /* Both channels, each shared with the program. */
    const int channels[] = {pictures::kRequests, pictures::kAnswers};
    if (way == "descriptor-owner")
        return worst({result(::fcntl(channels[0], F_SETOWN, program)), result(::fcntl(channels[1], F_SETOWN, program))});
    if (way == "descriptor-owner-ex") {
        const f_owner_ex owner{F_OWNER_PID, program};
        return result(::fcntl(channels[0], F_SETOWN_EX, &owner));
    }
    if (way == "descriptor-signal")
        return worst({result(::fcntl(channels[0], F_SETSIG, SIGKILL)), result(::fcntl(channels[1], F_SETSIG, SIGKILL))});
    if (way == "descriptor-async")
        return result(::fcntl(channels[1], F_SETFL, ::fcntl(channels[1], F_GETFL) | O_ASYNC));
    if (way == "descriptor-signals-program") {
        /* The program signalled as its requests come and as it reads the answers. */
        int error = 0;
        for (const int channel : channels)
            error = worst({error, result(::fcntl(channel, F_SETOWN, program)), result(::fcntl(channel, F_SETSIG, SIGUSR2)),
                           result(::fcntl(channel, F_SETFL, ::fcntl(channel, F_GETFL) | O_ASYNC))});
        return error;
    }
    if (way == "descriptor-async-by-request") {
        int on = 1;
        return result(::ioctl(channels[0], FIOASYNC, &on));
    }
    if (way == "descriptor-owner-by-request")
        return result(::ioctl(channels[0], FIOSETOWN, &program));
    if (way == "socket-group")
        return result(::ioctl(channels[0], SIOCSPGRP, &program));
    if (way == "lease") {
        const int file = ::open(g_marker.constData(), O_RDONLY | O_CLOEXEC);
        return worst({result(file), result(::fcntl(file, F_SETLEASE, F_RDLCK))});
    }
    if (way == "folder-notification") {
        const int folder = ::open(g_marker.left(g_marker.lastIndexOf('/') + 1).constData(), O_RDONLY | O_DIRECTORY);
        return worst({result(folder), result(::fcntl(folder, F_NOTIFY, DN_MODIFY | DN_MULTISHOT))});
    }
    if (way == "own-terminal")
        return result(::open("/dev/tty", O_RDONLY | O_CLOEXEC));
    if (way == "open-terminal")
        return result(::open(g_terminalPath.constData(), O_RDONLY | O_CLOEXEC));
    if (way == "terminal-input") {
        char typed = 'x';
        return result(::ioctl(g_terminal, TIOCSTI, &typed));
    }
    if (way == "terminal-size") {
        const winsize small{11, 33, 0, 0};
        return result(::ioctl(g_terminal, TIOCSWINSZ, &small));
    }
    if (way == "terminal-echo") {
        termios settings{};
        ::tcgetattr(g_terminal, &settings);
        settings.c_lflag &= tcflag_t(~ECHO);
        return result(::tcsetattr(g_terminal, TCSANOW, &settings));
    }
    if (way == "terminal-foreground")
        return result(::tcsetpgrp(g_terminal, ::getpgrp()));
    if (way == "terminal-hangup")
        return result(::ioctl(g_terminal, TIOCVHANGUP));
    return std::nullopt;
}

/**
 * Tries a way to outlive its limits, its parent or its share of the
 * processors, or to start threads. @return as tryEscape; nothing when it
 * is none of these.
 */
std::optional<int> tryLimitsOrThreads(const QByteArray &way)
{
    const rlimit unlimited{RLIM_INFINITY, RLIM_INFINITY};
    if (way == "processor-limit")
        return result(::setrlimit(RLIMIT_CPU, &unlimited));
    if (way == "processor-limit-old-call")
        return result(::syscall(SYS_setrlimit, RLIMIT_CPU, &unlimited));
    if (way == "parent-death-signal")
        return result(::prctl(PR_SET_PDEATHSIG, 0));
    if (way == "processors") {
        cpu_set_t all;
        CPU_ZERO(&all);
        for (int i = 0; i < CPU_SETSIZE; ++i)
            CPU_SET(i, &all);
        return result(::sched_setaffinity(0, sizeof all, &all));
    }
    if (way == "priority")
        return result(::setpriority(PRIO_PROCESS, 0, -20));
    if (way == "real-time") {
        const sched_param first{1};
        return result(::sched_setscheduler(0, SCHED_FIFO, &first));
    }
    if (way == "real-time-attributes") {
        /* The kernel's sched_attr, as the C library has none. */
        struct {
            uint32_t size = 48;
            uint32_t policy = SCHED_FIFO;
            uint64_t flags = 0;
            int32_t nice = 0;
            uint32_t priority = 1;
            uint64_t runtime = 0, deadline = 0, period = 0;
        } attributes;
        return result(::syscall(SYS_sched_setattr, 0, &attributes, 0));
    }
    if (way == "disk-priority")
        return result(::syscall(SYS_ioprio_set, 1, 0, (1 << 13) | 0)); // the process, real-time class, highest
    if (way == "thread")
        return startThreads(1);
    if (way == "thread-bomb")
        return startThreads(4000);
    return std::nullopt;
}

/**
 * Opens a file of the program's in /proc. @return as tryEscape: one that
 * is not there, in a /proc that is no process file system (the reader's
 * own, empty), is refused.
 */
int openProgramFile(pid_t program, const char *name)
{
    const QByteArray file = "/proc/" + QByteArray::number(program) + '/' + name;
    const int opened = ::open(file.constData(), O_RDONLY);
    if (opened >= 0) {
        ::close(opened);
        return 0;
    }
    const int error = errno;
    struct statfs proc {};
    return error == ENOENT && ::statfs("/proc", &proc) == 0 && proc.f_type != PROC_SUPER_MAGIC ? EACCES : error;
}

/** @return 0 when the calling thread holds a capability still, EPERM when it holds none. */
int capabilitiesLeft()
{
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct held[_LINUX_CAPABILITY_U32S_3] = {};
    if (::syscall(SYS_capget, &header, held) != 0)
        return errno;
    for (const __user_cap_data_struct &set : held)
        if (set.effective != 0 || set.permitted != 0 || set.inheritable != 0)
            return 0;
    return EPERM;
}

/**
 * Tries to lock a file it reads, which other programs' locks would wait
 * on. @return as tryEscape; nothing when it is none of these.
 */
std::optional<int> tryLock(const QByteArray &way)
{
    if (way == "lock-picture" || way == "lock-picture-shared") {
        const int file = ::open(g_picture.constData(), O_RDONLY | O_CLOEXEC);
        return worst({result(file), result(::flock(file, (way == "lock-picture" ? LOCK_EX : LOCK_SH) | LOCK_NB))});
    }
    const std::pair<const char *, int> commands[] = {
        {"lock-file", F_SETLK},
        {"lock-file-waiting", F_SETLKW},
        {"lock-open-file", F_OFD_SETLK},
        {"lock-open-file-waiting", F_OFD_SETLKW},
    };
    for (const auto &[name, command] : commands) {
        if (way != name)
            continue;
        const int file = ::open(g_marker.constData(), O_RDONLY | O_CLOEXEC);
        struct flock whole {};
        whole.l_type = F_RDLCK;
        whole.l_whence = SEEK_SET;
        return worst({result(file), result(::fcntl(file, command, &whole))});
    }
    return std::nullopt;
}

/** @return a page's address that the kernel would map and that is free again. */
void *freeAddress()
{
    void *at = ::mmap(nullptr, 4096, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    ::munmap(at, 4096);
    return at;
}

/** @return the error of a mapping call, 0 when it mapped. */
int mapped(void *at)
{
    return at == MAP_FAILED ? errno : 0;
}

/**
 * Tries to map pages at addresses of its own choosing, as pages far apart
 * would be, or to push the pixel window's pages out to swap. @return as
 * tryEscape; nothing when it is none of these.
 */
std::optional<int> tryMapping(const QByteArray &way)
{
    constexpr int kRead = PROT_READ | PROT_WRITE;
    constexpr int kPrivate = MAP_PRIVATE | MAP_ANONYMOUS;
    if (way == "mapping-at-address")
        return mapped(::mmap(freeAddress(), 4096, kRead, kPrivate | MAP_FIXED, -1, 0));
    if (way == "mapping-at-free-address")
        return mapped(::mmap(freeAddress(), 4096, kRead, kPrivate | MAP_FIXED_NOREPLACE, -1, 0));
    if (way == "mapping-near-address")
        return mapped(::mmap(freeAddress(), 4096, kRead, kPrivate, -1, 0));
    if (way == "mapping-moved-to-address" || way == "mapping-moved-and-kept") {
        void *at = ::mmap(nullptr, 4096, kRead, kPrivate, -1, 0);
        if (way == "mapping-moved-and-kept")
            return mapped(::mremap(at, 4096, 4096, MREMAP_MAYMOVE | MREMAP_DONTUNMAP, nullptr));
        return mapped(::mremap(at, 4096, 4096, MREMAP_MAYMOVE | MREMAP_FIXED, freeAddress()));
    }
    /* The window's first page mapped anew where it lies: the only file it may map shared is the window's. */
    if (way == "file-pages-moved")
        return result(::syscall(SYS_remap_file_pages, g_window, 4096, 0, 0, 0));
    if (way == "window-paged-out" || way == "window-cold")
        return result(::madvise(g_window, size_t(protocol::kWindowBytes), way == "window-cold" ? MADV_COLD : MADV_PAGEOUT));
    return std::nullopt;
}

/** @return 0 when the way out was taken, else the error the system refused it with. */
int tryEscape(const QByteArray &way)
{
    /* The reader that tries it has left Landlock out already. */
    if (way.startsWith(kWithoutLandlock))
        return tryEscape(way.mid(kWithoutLandlock.size()));
    /* The same, on a thread of the decoders' that Qt's pool started before the reader gave up its privileges. */
    static const QByteArray onDecoderThread = "on-decoder-thread:";
    if (way.startsWith(onDecoderThread)) {
        int error = -1;
        QSemaphore done;
        QThreadPool::globalInstance()->start([&] {
            error = tryEscape(way.mid(onDecoderThread.size()));
            done.release();
        });
        done.acquire();
        return error;
    }
    const pid_t program = ::getppid();
    if (const std::optional<int> r = trySignalOrTerminal(way, program))
        return *r;
    if (const std::optional<int> r = tryLimitsOrThreads(way))
        return *r;
    if (const std::optional<int> r = tryLock(way))
        return *r;
    if (const std::optional<int> r = tryMapping(way))
        return *r;
    if (way == "fork") {
        const long child = ::syscall(SYS_fork);
        if (child == 0)
            _exit(0);
        return result(child);
    }
    if (way == "process-clone") {
        const long child = ::syscall(SYS_clone, SIGCHLD, 0, 0, 0, 0);
        if (child == 0)
            _exit(0);
        return result(child);
    }
    if (way == "clone3") {
        clone_args args{};
        args.exit_signal = SIGCHLD;
        const long child = ::syscall(SYS_clone3, &args, sizeof args);
        if (child == 0)
            _exit(0);
        return result(child);
    }
    if (way == "run-program") {
        char sleep[] = "/bin/sleep", minute[] = "60";
        char *argv[] = {sleep, minute, nullptr};
        ::execve(sleep, argv, environ);
        return errno;
    }
    if (way == "new-session")
        return result(::setsid());
    if (way == "other-group")
        return result(::setpgid(0, ::getpgid(program)));
    if (way == "signal-program")
        return result(::kill(program, 0));
    if (way == "signal-program-thread")
        return result(::syscall(SYS_tgkill, program, program, 0));
    if (way == "signal-everyone")
        return result(::kill(-1, 0));
    if (way == "trace-program") {
        const long traced = ::ptrace(PTRACE_SEIZE, program, nullptr, nullptr);
        g_endAfterAnswer = traced == 0;
        return result(traced);
    }
    if (way == "read-program-memory") {
        char byte = 0;
        iovec local{&byte, 1};
        iovec remote{reinterpret_cast<void *>(::getauxval(AT_ENTRY)), 1};
        return result(::process_vm_readv(program, &local, 1, &remote, 1, 0));
    }
    for (const auto &[name, file] : kProgramFiles)
        if (way == name)
            return openProgramFile(program, file);
    if (way == "program-descriptor")
        return result(::syscall(SYS_pidfd_open, program, 0));
    if (way == "network")
        return result(::socket(AF_INET, SOCK_STREAM, 0));
    if (way == "local-socket")
        return result(::socket(AF_UNIX, SOCK_STREAM, 0));
    if (way == "write-file")
        return result(::open(g_marker.constData(), O_WRONLY));
    if (way == "truncate-file")
        return result(::open(g_marker.constData(), O_RDONLY | O_TRUNC));
    if (way == "create-file")
        return result(::open((g_marker + ".new").constData(), O_RDONLY | O_CREAT, 0600));
    if (way == "remove-file")
        return result(::unlink(g_marker.constData()));
    if (way == "memory-file")
        return result(::syscall(SYS_memfd_create, "escape", 0));
    if (way == "memory-segment") {
        const int segment = ::shmget(IPC_PRIVATE, 1 << 20, IPC_CREAT | 0600);
        if (segment >= 0)
            ::shmctl(segment, IPC_RMID, nullptr);
        return result(segment);
    }
    if (way == "other-message-queue") {
        msqid_ds queue{};
        return result(::msgctl(0, MSG_STAT, &queue));
    }
    if (way == "async-io") {
        aio_context_t context = 0;
        return result(::syscall(SYS_io_setup, 60000, &context));
    }
    if (way == "notification-instance")
        return result(::inotify_init1(IN_CLOEXEC));
    if (way == "queued-signals") {
        /* Held queued, as many as the kernel takes: the user's allowance, which all its processes share. */
        sigset_t held;
        sigemptyset(&held);
        sigaddset(&held, SIGRTMIN);
        ::sigprocmask(SIG_BLOCK, &held, nullptr);
        int queued = 0;
        siginfo_t info{};
        info.si_signo = SIGRTMIN;
        info.si_code = SI_QUEUE;
        info.si_pid = ::getpid();
        info.si_uid = ::getuid();
        /* To this thread, which holds them: the decoders' threads would take them and end the reader. */
        while (queued < 100000
               && ::syscall(SYS_rt_tgsigqueueinfo, ::getpid(), ::gettid(), SIGRTMIN, &info) == 0)
            ++queued;
        return queued <= 16 ? EAGAIN : 0;
    }
    if (way == "shared-memory") {
        void *at = ::mmap(nullptr, size_t(1) << 30, PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0);
        return at == MAP_FAILED ? errno : 0;
    }
    if (way == "memory-past-limit") {
        void *at = ::mmap(nullptr, size_t(1) << 30, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        return at == MAP_FAILED ? errno : 0;
    }
    if (way == "raise-limit") {
        /* Raised where the reader may raise it; else set as it is, which any process may. */
        const rlimit unlimited{RLIM_INFINITY, RLIM_INFINITY};
        if (::setrlimit(RLIMIT_AS, &unlimited) == 0)
            return 0;
        rlimit now{};
        ::getrlimit(RLIMIT_AS, &now);
        return result(::setrlimit(RLIMIT_AS, &now));
    }
    if (way == "change-user")
        return result(::setuid(::getuid()));
    if (way == "capabilities-left")
        return capabilitiesLeft();
    if (way == "new-namespace")
        return result(::unshare(CLONE_NEWUSER));
    if (way == "kernel-log") {
        char line[64];
        return result(::syscall(SYS_syslog, 3, line, int(sizeof line)));
    }
    return -1;
}

/**
 * Answers every picture honestly and then misbehaves while it has none, as
 * a reader taken over may, where the program watches it: "taken-over"
 * answers every picture after "lez.bmp" with a red dot, "spin-after-answer"
 * spends processor time instead of waiting for the next picture, "costly"
 * spends nine tenths of a picture's time on every picture before it
 * answers it (a train of photos near their time), "sigxcpu-on-second" ends
 * itself by the signal of its processor-time limit at its second picture,
 * long before that limit. @return whether it answered.
 */
bool misbehaveAfterAnswer(const protocol::Request &request, const QByteArray &path)
{
    static bool takenOver = false;
    static int requests = 0;
    if (g_lie == "sigxcpu-on-second" && ++requests == 2)
        ::raise(SIGXCPU);
    if (g_lie == "costly") {
        const auto used = [] {
            timespec t{};
            ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
            return int64_t(t.tv_sec) * 1000000000 + t.tv_nsec;
        };
        const int64_t until = used() + std::chrono::nanoseconds(platform::kMaxPictureReadTime).count() * 9 / 10;
        while (used() < until) {
        }
        answerHonestly(request.id, path);
        return true;
    }
    if (g_lie == "taken-over") {
        if (takenOver)
            answerPicture(request.id, QImage::Format_RGB32, 1, 1, 4, 0, QByteArray("\0\0\xFF\xFF", 4));
        else
            answerHonestly(request.id, path);
        takenOver = takenOver || path.endsWith("/lez.bmp");
        return true;
    }
    if (g_lie == "spin-after-answer") {
        answerHonestly(request.id, path);
        volatile uint64_t spun = 0;
        for (;;)
            spun = spun + 1;
    }
    return false;
}

bool answer(const protocol::Request &request, const QByteArray &path, uchar *window)
{
    if (misbehaveAfterAnswer(request, path))
        return true;
    if (!path.endsWith("/lez.bmp"))
        return false;
    if (!g_escape.isEmpty()) {
        g_picture = path;
        g_window = window;
        const int error = tryEscape(g_escape);
        if (error == 0)
            answerText(request.id, "uniklo: " + g_escape);
        else if (error == EPERM || error == EACCES || error == ENOSYS || error == ENOMEM || error == ENXIO || error == EAGAIN)
            answerText(request.id, "odmítnuto: " + g_escape);
        else
            answerText(request.id, "jinak: " + g_escape + " " + QByteArray::number(error));
        if (g_endAfterAnswer)
            _exit(0);
        return true;
    }
    const QByteArray four(4, '\0');
    if (g_lie == "indexed-no-colours") {
        answerPicture(request.id, QImage::Format_Indexed8, 4, 4, 4, 0, QByteArray(16, '\0'));
    } else if (g_lie == "indexed-past-colours") {
        answerPicture(request.id, QImage::Format_Indexed8, 4, 4, 4, 2, QByteArray(8, '\xFF') + QByteArray(16, '\7'));
    } else if (g_lie == "mono-past-colours") {
        answerPicture(request.id, QImage::Format_Mono, 8, 1, 4, 1, four + QByteArray("\x80\0\0\0", 4));
    } else if (g_lie == "too-many-colours") {
        answerPicture(request.id, QImage::Format_Indexed8, 4, 4, 4, 257, QByteArray(257 * 4 + 16, '\0'));
    } else if (g_lie == "unknown-format") {
        answerPicture(request.id, QImage::Format(9999), 4, 4, 16, 0, QByteArray(64, '\0'));
    } else if (g_lie == "past-the-window") {
        protocol::Answer a;
        a.id = request.id;
        a.status = protocol::Status::Picture;
        a.transfer = protocol::Transfer::Window;
        a.format = QImage::Format_RGB32;
        a.width = 4096;
        a.height = 4096;
        a.bytesPerLine = 4096 * 4 + 4;
        a.pixelBytes = int64_t(a.bytesPerLine) * a.height;
        write(&a, sizeof a);
    } else if (g_lie == "pixels-in-its-own-memory") {
        /* The largest picture, its pixels said to lie in the reader's memory, in a mapping of a file whose pages
           are out of the cache: the program would wait on the disk for each. */
        const int file = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
        void *at = file >= 0 ? ::mmap(nullptr, 1 << 20, PROT_READ, MAP_PRIVATE, file, 0) : MAP_FAILED;
        if (at != MAP_FAILED)
            ::madvise(at, 1 << 20, MADV_RANDOM);
        if (file >= 0)
            ::posix_fadvise(file, 0, 0, POSIX_FADV_DONTNEED);
        protocol::Answer a;
        a.id = request.id;
        a.status = protocol::Status::Picture;
        a.transfer = protocol::Transfer('C');
        a.format = QImage::Format_RGB32;
        a.width = 4096;
        a.height = 4096;
        a.bytesPerLine = 4096 * 4;
        a.pixelBytes = int64_t(a.bytesPerLine) * a.height;
        write(&a, sizeof a);
    } else if (g_lie == "text-past-its-most") {
        protocol::Answer a;
        a.id = request.id;
        a.textBytes = 1 << 30;
        write(&a, sizeof a);
        hang();
    } else if (g_lie == "other-id") {
        answerPicture(request.id + 1, QImage::Format_RGB32, 1, 1, 4, 0, four);
    } else if (g_lie == "zeros") {
        const QByteArray zeros(128 * 1024, '\0');
        write(zeros.constData(), size_t(zeros.size()));
        hang();
    } else if (g_lie == "bytes-after-the-answer") {
        /* The answer, then one for the next request already: a red dot. */
        answerHonestly(request.id, path);
        answerPicture(request.id + 1, QImage::Format_RGB32, 1, 1, 4, 0, QByteArray("\0\0\xFF\xFF", 4));
    } else if (g_lie == "half-then-nothing") {
        write(&request, 4);
        hang();
    } else if (g_lie == "half-then-end") {
        write(&request, 4);
        _exit(0);
    } else if (g_lie == "other-group") {
        hang();
    } else {
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    for (int i = 1; i < argc; ++i) {
        const QByteArray argument(argv[i]);
        if (argument.startsWith("--lie="))
            g_lie = argument.mid(6);
        else if (argument.startsWith("--escape="))
            g_escape = argument.mid(9);
        else if (argument.startsWith("--marker="))
            g_marker = argument.mid(9);
        else if (argument.startsWith("--stop-at-start="))
            g_stopAtStart = argument.mid(16);
        else if (argument.startsWith("--terminal="))
            g_terminalPath = argument.mid(11);
    }
    if (!g_stopAtStart.isEmpty() && ::unlink(g_stopAtStart.constData()) == 0)
        ::raise(SIGSTOP);
    misbehaveAtStart();
    pictures::ReaderHooks hooks;
    hooks.hello = hello;
    hooks.answer = answer;
    hooks.withoutLandlock = g_escape.startsWith(kWithoutLandlock);
    return pictures::runReader(argc, argv, hooks);
}
