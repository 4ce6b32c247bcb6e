/** @file reader_keeper.cpp Picture readers started ahead of need, watched between pictures and reaped, on a thread of their own. */
#include "platform/reader_keeper.h"

#include "platform/helper_process.h"
#include "platform/picture_protocol.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>
#include <utility>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/eventfd.h>
#include <sys/mman.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

namespace platform {

namespace {

namespace protocol = picture_protocol;
using Clock = std::chrono::steady_clock;

/** The most the answers' pipe holds: an answer of a small picture whole. */
constexpr int kAnswerPipeBytes = 256 * 1024;

/** @return nanoseconds on a clock; -1 when it cannot be read. */
int64_t clockNs(clockid_t clock)
{
    timespec now{};
    if (::clock_gettime(clock, &now) != 0)
        return -1;
    return int64_t(now.tv_sec) * 1000000000 + now.tv_nsec;
}

/** @return a time of a process's use, in nanoseconds. */
int64_t nanoseconds(const timeval &t)
{
    return int64_t(t.tv_sec) * 1000000000 + int64_t(t.tv_usec) * 1000;
}

} // namespace

const PixelWindow &pixelWindow()
{
    static const PixelWindow made = [] {
        PixelWindow w;
        const int file = ::memfd_create("kamenna-pixels", MFD_CLOEXEC | MFD_ALLOW_SEALING);
        if (file < 0)
            return w;
        void *at = ::ftruncate(file, off_t(protocol::kWindowBytes)) == 0
                           && ::fcntl(file, F_ADD_SEALS, F_SEAL_GROW | F_SEAL_SHRINK | F_SEAL_SEAL) == 0
                       ? ::mmap(nullptr, size_t(protocol::kWindowBytes), PROT_READ, MAP_SHARED, file, 0)
                       : MAP_FAILED;
        if (at == MAP_FAILED) {
            ::close(file);
            return w;
        }
        w.file = file;
        w.at = static_cast<const uchar *>(at);
        return w;
    }();
    return made;
}

bool endedFromOutside(int status)
{
    if (!WIFSIGNALED(status))
        return false;
    const int signal = WTERMSIG(status);
    for (const int outside : {SIGKILL, SIGTERM, SIGINT, SIGHUP, SIGQUIT, SIGUSR1, SIGUSR2, SIGALRM})
        if (signal == outside)
            return true;
    return false;
}

ReaderKeeper &ReaderKeeper::instance()
{
    /* Never destroyed: its thread, and the readers it started, last until the program ends. */
    static ReaderKeeper *keeper = new ReaderKeeper;
    return *keeper;
}

ReaderKeeper::ReaderKeeper() : m_wake(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK))
{
    std::thread([this] { run(); }).detach();
}

void ReaderKeeper::wake()
{
    const uint64_t one = 1;
    [[maybe_unused]] const ssize_t n = ::write(m_wake, &one, sizeof one);
}

int64_t ReaderKeeper::liveTime(const ReaderProcess &reader)
{
    return reader.clocked ? clockNs(reader.clock) : -1;
}

std::shared_ptr<ReaderProcess> ReaderKeeper::startReader(const QByteArray &name, const std::vector<QByteArray> &arguments,
                                                         bool fonts, int &error)
{
    int requests[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, requests) != 0) {
        error = errno;
        return nullptr;
    }
    int answers[2];
    if (::pipe2(answers, O_CLOEXEC) != 0) {
        error = errno;
        ::close(requests[0]);
        ::close(requests[1]);
        return nullptr;
    }
    ::fcntl(answers[0], F_SETPIPE_SZ, kAnswerPipeBytes);
    ::fcntl(answers[0], F_SETFL, O_NONBLOCK);
    const QByteArray program = helperProgram(name.constData());
    std::vector<QByteArray> own = arguments;
    QByteArray withFonts("--fonts");
    std::vector<char *> argv{const_cast<char *>(program.constData())};
    if (fonts)
        argv.push_back(withFonts.data());
    for (QByteArray &argument : own)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    const std::vector<QByteArray> environment = helperEnvironment();
    /* A sanitizer's report of the reader's own code is shown, as the program's would be. The pixel window is
       given at once, so that the reader maps it before its first picture. */
    const pid_t pid = spawnHelper(program, argv, requests[1], answers[1], kInstrumentedSlowdown > 1, &environment,
                                  pixelWindow().file, &error);
    ::close(requests[1]);
    ::close(answers[1]);
    if (pid < 0) {
        ::close(requests[0]);
        ::close(answers[0]);
        /* Said once: every start after it would say it again. */
        static bool told = false;
        if (!std::exchange(told, true))
            std::fprintf(stderr, "kamenna: the picture reader %s cannot be started: %s\n",
                         program.isEmpty() ? "(beside the program)" : program.constData(), std::strerror(error));
        return nullptr;
    }
    /* Requests go one way only: nothing the reader writes there reaches the program. */
    ::shutdown(requests[0], SHUT_RD);
    auto reader = std::make_shared<ReaderProcess>();
    reader->pid = pid;
    reader->requests = requests[0];
    reader->answers = answers[0];
    reader->movedAt = Clock::now();
    reader->handle = processHandle(pid);
    reader->clocked = ::clock_getcpuclockid(pid, &reader->clock) == 0;
    reader->startTime = std::max<int64_t>(0, liveTime(*reader));
    return reader;
}

void ReaderKeeper::greet(ReaderProcess &reader)
{
    protocol::Hello hello;
    while (reader.hello.size() < qsizetype(sizeof hello)) {
        const ssize_t n = ::read(reader.answers, reinterpret_cast<char *>(&hello) + reader.hello.size(),
                                 sizeof hello - size_t(reader.hello.size()));
        if (n < 0 && errno == EINTR)
            continue;
        /* Its answers closed: it is ending, and its reaping tells how, unless it lives on without them. */
        if (n == 0 && !reader.closedAt)
            reader.closedAt = Clock::now();
        if (n <= 0)
            return;
        reader.hello.append(reinterpret_cast<const char *>(&hello) + reader.hello.size(), n);
    }
    std::memcpy(&hello, reader.hello.constData(), sizeof hello);
    /* Not the reader's hello: its program is not the reader. */
    if (hello.magic != protocol::kHelloMagic) {
        giveUpStart(true, Delay::None);
        return;
    }
    reader.threads = processFigures(reader.pid).threads;
    reader.timeLimit = processorTimeLimit(reader.pid);
    reader.readyTime = std::max<int64_t>(0, liveTime(reader));
    reader.idleTime = reader.readyTime;
    reader.ready = true;
    m_failedStarts = 0;
    m_delay = Delay::None;
    m_unreadySince.reset();
}

void ReaderKeeper::watchStart(ReaderProcess &reader)
{
    const Clock::time_point now = Clock::now();
    const int64_t time = liveTime(reader);
    if (time > reader.startTime) {
        reader.startTime = time;
        reader.movedAt = now;
    }
    /* Working without end, and saying nothing, or living on with its answers closed: its program does not work. */
    if (time >= std::chrono::nanoseconds(kStartProcessorTime).count() || (reader.closedAt && now - *reader.closedAt >= kClosedTime))
        giveUpStart(true, Delay::None);
    /* Stopped, starved or blocked: no fault of its program; another may fare better. */
    else if (now - reader.movedAt >= kStartTime)
        giveUpStart(false, Delay::Held);
}

void ReaderKeeper::giveUpStart(bool programAtFault, Delay delay)
{
    kill(*m_spare);
    m_spare = nullptr;
    if (programAtFault) {
        failedStart();
        return;
    }
    m_delay = delay;
    m_startAt = std::max(m_startAt, Clock::now() + kRestartDelay);
}

void ReaderKeeper::kill(ReaderProcess &reader)
{
    if (reader.reaped || reader.killed)
        return;
    /* One that has ended already ended of itself, or by a signal from outside: not killed by the program, whose
       reaping tells which. */
    siginfo_t info{};
    if (::waitid(P_PID, id_t(reader.pid), &info, WEXITED | WNOHANG | WNOWAIT) == 0 && info.si_pid == reader.pid)
        return;
    reader.killed = true;
    killUnreaped(reader.pid);
}

void ReaderKeeper::reap(ReaderProcess &reader)
{
    /* Read while it is a zombie: its limits stay with it until it is reaped. */
    const int64_t limit = processorTimeLimit(reader.pid);
    /* Whatever is left in its group goes with it, killed while its id is still its own. */
    killUnreaped(reader.pid);
    int status = 0;
    rusage usage{};
    const pid_t reaped = ::wait4(reader.pid, &status, WNOHANG, &usage);
    if (reaped == 0 || (reaped < 0 && errno != ECHILD))
        return;
    reader.reaped = true;
    /* Reaped by someone else (no such child): ended, nobody knows how, as by a kill from outside. */
    reader.status = reaped == reader.pid ? status : SIGKILL;
    reader.endTime = reaped == reader.pid ? nanoseconds(usage.ru_utime) + nanoseconds(usage.ru_stime) : 0;
    reader.endTimeLimit = limit >= 0 ? limit : reader.timeLimit;
    if (reader.handle >= 0)
        ::close(reader.handle);
    reader.handle = -1;
    if (!reader.taken) {
        ::close(reader.requests);
        ::close(reader.answers);
        reader.requests = reader.answers = -1;
    }
    m_timeSpent += std::chrono::nanoseconds(reader.endTime);
    /* A reader at work ended: its successor is started now. */
    if (reader.taken)
        m_startAt = Clock::now();
    /* A reader stopped by a sanitizer at a fault of its own code fails the program, as such a fault of its own
       would. */
    if (kInstrumentedSlowdown > 1 && WIFEXITED(reader.status)
        && WEXITSTATUS(reader.status) == protocol::kSanitizerExitStatus) {
        std::fprintf(stderr, "kamenna: the picture reader stopped at a fault of its own code\n");
        std::abort();
    }
}

void ReaderKeeper::failedStart()
{
    if (++m_failedStarts >= kMostFailedStarts)
        m_cannotStart = true;
}

void ReaderKeeper::run()
{
    std::unique_lock lock(m_lock);
    for (;;) {
        /* A reader to start ahead: started without the lock, as starting it may take long. */
        while (m_wanted && !m_spare && !m_cannotStart && Clock::now() >= m_startAt) {
            const QByteArray program = m_program;
            const std::vector<QByteArray> arguments = m_arguments;
            const uint64_t generation = m_generation;
            const bool fonts = m_fonts;
            lock.unlock();
            int error = 0;
            std::shared_ptr<ReaderProcess> started = startReader(program, arguments, fonts, error);
            lock.lock();
            if (!started) {
                /* Its program not there or not runnable; else the system had no process or descriptor to spare. */
                if (error == ENOENT || error == EACCES || error == ENOEXEC || error == ENOTDIR || error == ELOOP
                    || error == ENAMETOOLONG || error == EISDIR || error == ELIBBAD || error == EPERM
                    || error == ETXTBSY || error == EINVAL) {
                    failedStart();
                } else {
                    m_delay = Delay::NotStarted;
                    m_startAt = Clock::now() + kRestartDelay;
                }
                m_changed.notify_all();
                continue;
            }
            m_living.push_back(started);
            /* Of a program given up meanwhile. */
            if (generation != m_generation)
                kill(*started);
            else
                m_spare = started;
            m_changed.notify_all();
        }
        std::vector<pollfd> watched{{m_wake, POLLIN, 0}};
        const Clock::time_point now = Clock::now();
        Clock::time_point wakeAt = m_wanted && !m_spare && !m_cannotStart ? m_startAt : Clock::time_point::max();
        for (const auto &reader : m_living) {
            if (reader->handle >= 0)
                watched.push_back({reader->handle, POLLIN, 0});
            else
                wakeAt = std::min(wakeAt, now + kWatchPeriod);
            if (reader == m_spare && !reader->ready && !reader->killed) {
                if (!reader->closedAt)
                    watched.push_back({reader->answers, POLLIN, 0});
                wakeAt = std::min(wakeAt, reader->closedAt ? *reader->closedAt + kClosedTime : reader->movedAt + kStartTime);
            } else if (reader->taken && reader->ready && !reader->killed) {
                /* Watched while its train lasts: between two of its pictures it may be idle. */
                wakeAt = std::min(wakeAt, m_nextWatch);
            }
        }
        const int timeout =
            wakeAt == Clock::time_point::max()
                ? -1
                : int(std::max<int64_t>(0, std::chrono::duration_cast<std::chrono::milliseconds>(wakeAt - now).count() + 1));
        lock.unlock();
        ::poll(watched.data(), nfds_t(watched.size()), timeout);
        lock.lock();
        uint64_t woken = 0;
        [[maybe_unused]] const ssize_t n = ::read(m_wake, &woken, sizeof woken);

        if (m_spare && !m_spare->ready && !m_spare->killed) {
            greet(*m_spare);
            if (m_spare && !m_spare->ready && !m_spare->killed)
                watchStart(*m_spare);
        }
        for (auto it = m_living.begin(); it != m_living.end();) {
            ReaderProcess &reader = **it;
            /* Looked at without reaping it first, so that its group is killed while its id is its own. */
            siginfo_t info{};
            const int looked = ::waitid(P_PID, id_t(reader.pid), &info, WEXITED | WNOHANG | WNOWAIT);
            if (looked == 0 && info.si_pid != reader.pid) {
                ++it;
                continue;
            }
            reap(reader);
            if (!reader.reaped) {
                ++it;
                continue;
            }
            /* Ended before its hello: of itself or of a fault of its own, its program does not work; by a signal
               from outside, the machine's doing. */
            if (m_spare.get() == &reader) {
                m_spare = nullptr;
                if (!reader.ready && endedFromOutside(reader.status)) {
                    m_delay = Delay::Killed;
                    m_startAt = std::max(m_startAt, Clock::now() + kRestartDelay);
                } else if (!reader.ready) {
                    failedStart();
                }
            }
            it = m_living.erase(it);
        }
        /* Between its pictures a reader does nothing: one that spends processor time, or has started threads, is
           not the reader it was. Looked at once a period, however often the keeper wakes. */
        if (Clock::now() >= m_nextWatch) {
            m_nextWatch = Clock::now() + kWatchPeriod;
            for (const auto &reader : m_living) {
                if (!reader->taken || !reader->ready || reader->busy || reader->killed)
                    continue;
                const int64_t time = liveTime(*reader);
                if ((time >= 0 && time - reader->idleTime > std::chrono::nanoseconds(kIdleTime).count())
                    || processFigures(reader->pid).threads > reader->threads)
                    kill(*reader);
            }
        }
        m_changed.notify_all();
    }
}

void ReaderKeeper::want()
{
    if (!m_wanted)
        m_startAt = Clock::now();
    m_wanted = true;
    /* The texts of metafiles are drawn where the program itself can draw text. */
    m_fonts = qobject_cast<QGuiApplication *>(QCoreApplication::instance()) != nullptr;
    wake();
}

void ReaderKeeper::startAhead()
{
    const std::lock_guard lock(m_lock);
    want();
    if (!m_spare)
        m_startAt = std::min(m_startAt, Clock::now());
}

ReaderKeeper::Taken ReaderKeeper::take(Clock::time_point deadline)
{
    std::unique_lock lock(m_lock);
    want();
    /* None is started ahead while a train's reader reads: one is asked for now. */
    if (!m_spare)
        m_startAt = std::min(m_startAt, Clock::now());
    /* A program found not to run before is looked for anew: it may be back. */
    if (m_cannotStart) {
        m_cannotStart = false;
        m_failedStarts = 0;
    }
    wake();
    for (;;) {
        if (m_spare && m_spare->ready && !m_spare->killed) {
            /* One that spent processor time since its hello, with no picture to read, is not the reader it was. */
            const int64_t time = liveTime(*m_spare);
            if (time >= 0 && time - m_spare->idleTime > std::chrono::nanoseconds(kIdleTime).count()) {
                giveUpStart(true, Delay::None);
                wake();
                continue;
            }
            Taken taken{std::exchange(m_spare, nullptr), false, Delay::None};
            taken.reader->taken = true;
            m_unreadySince.reset();
            /* The next is started once this one ends: not while it reads its train's pictures. It is watched
               from now on. */
            m_startAt = Clock::time_point::max();
            wake();
            return taken;
        }
        /* A program that cannot run is a verdict of its own, whatever the machine held before. */
        if (m_cannotStart) {
            m_unreadySince.reset();
            return {nullptr, true, Delay::None};
        }
        const Clock::time_point now = Clock::now();
        if (!m_unreadySince)
            m_unreadySince = now;
        const Clock::time_point givenUp = *m_unreadySince + kMostStartWait;
        if (now >= givenUp)
            return {nullptr, false, m_delay == Delay::None ? Delay::Held : m_delay};
        if (m_changed.wait_until(lock, std::min(deadline, givenUp)) == std::cv_status::timeout && Clock::now() >= deadline)
            return {};
    }
}

void ReaderKeeper::end(const std::shared_ptr<ReaderProcess> &reader)
{
    {
        const std::lock_guard lock(m_lock);
        if (!reader->reaped && !reader->killed) {
            m_mostResidentOfEnded = std::max(m_mostResidentOfEnded, processFigures(reader->pid).mostResident);
            kill(*reader);
        }
        /* Its successor is started now. */
        m_startAt = Clock::now();
        wake();
    }
    if (reader->taken) {
        ::close(reader->requests);
        ::close(reader->answers);
        reader->requests = reader->answers = -1;
    }
}

bool ReaderKeeper::waitReaped(const std::shared_ptr<ReaderProcess> &reader, Clock::time_point deadline)
{
    std::unique_lock lock(m_lock);
    wake();
    return m_changed.wait_until(lock, deadline, [&] { return reader->reaped; });
}

ReaderKeeper::Ending ReaderKeeper::endingOf(const ReaderProcess &reader)
{
    const std::lock_guard lock(m_lock);
    return {reader.killed, reader.reaped, reader.status, reader.endTime, reader.endTimeLimit};
}

int64_t ReaderKeeper::timeOf(const ReaderProcess &reader)
{
    const std::lock_guard lock(m_lock);
    if (reader.reaped)
        return reader.endTime;
    return std::max<int64_t>(0, liveTime(reader));
}

bool ReaderKeeper::setBusy(ReaderProcess &reader, bool busy, int64_t time)
{
    const std::lock_guard lock(m_lock);
    /* One the keeper ended while it had no picture takes none more. */
    if (busy && (reader.killed || reader.reaped))
        return false;
    reader.busy = busy;
    if (!busy && !reader.reaped)
        reader.idleTime = time >= 0 ? time : std::max<int64_t>(0, liveTime(reader));
    return true;
}

bool ReaderKeeper::ended(const ReaderProcess &reader)
{
    const std::lock_guard lock(m_lock);
    return reader.killed || reader.reaped;
}

void ReaderKeeper::useProgram(const QByteArray &name, const std::vector<QByteArray> &arguments)
{
    const std::lock_guard lock(m_lock);
    m_program = name;
    m_arguments = arguments;
    ++m_generation;
    if (m_spare)
        kill(*m_spare);
    m_spare = nullptr;
    m_failedStarts = 0;
    m_cannotStart = false;
    m_unreadySince.reset();
    m_delay = Delay::None;
    m_startAt = Clock::now();
    wake();
}

QByteArray ReaderKeeper::program()
{
    const std::lock_guard lock(m_lock);
    return m_program;
}

pid_t ReaderKeeper::sparePid(std::chrono::milliseconds wait)
{
    std::unique_lock lock(m_lock);
    want();
    if (!m_spare)
        m_startAt = std::min(m_startAt, Clock::now());
    m_changed.wait_for(lock, wait, [&] { return (m_spare && m_spare->ready) || m_cannotStart; });
    return m_spare ? m_spare->pid : -1;
}

std::vector<pid_t> ReaderKeeper::pids()
{
    const std::lock_guard lock(m_lock);
    std::vector<pid_t> pids;
    for (const auto &reader : m_living)
        pids.push_back(reader->pid);
    return pids;
}

std::chrono::nanoseconds ReaderKeeper::timeSpent()
{
    const std::lock_guard lock(m_lock);
    std::chrono::nanoseconds spent = m_timeSpent;
    for (const auto &reader : m_living)
        spent += std::chrono::nanoseconds(std::max<int64_t>(0, liveTime(*reader)));
    return spent;
}

long long ReaderKeeper::mostResidentOfEnded()
{
    const std::lock_guard lock(m_lock);
    return m_mostResidentOfEnded;
}

} // namespace platform
