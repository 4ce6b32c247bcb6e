/** @file picture_reader.cpp The helper process that reads the pictures of the data directory, under the kernel's limits. */
#include "platform/picture_reader.h"

#include "platform/excerpt.h"
#include "platform/files.h"
#include "platform/helper_process.h"
#include "platform/picture_limits.h"
#include "platform/picture_protocol.h"
#include "platform/picture_read.h"

#include <QGuiApplication>

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <utility>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/mman.h>
#include <sys/random.h>
#include <sys/socket.h>
#include <sys/uio.h>
#include <sys/wait.h>
#include <unistd.h>

namespace platform {

namespace {

namespace protocol = picture_protocol;
using Clock = std::chrono::steady_clock;

/** How long the program looks for an answer before it sleeps until one comes. */
constexpr std::chrono::nanoseconds kSpinTime{100000};

/**
 * The least wall-clock time a request is waited for, however little is
 * left to its reading: a reader answers a picture it has no time for at
 * once, and its refusal says why.
 */
constexpr std::chrono::milliseconds kLeastWait{50};

/** The most the answers' pipe holds: an answer of a small picture whole. */
constexpr int kAnswerPipeBytes = 256 * 1024;

/** The freed pixel memory kept for the next pictures: the largest picture's. */
constexpr size_t kKeptFreeBytes = size_t(kMaxPictureBytes);

/** @return nanoseconds on a clock; -1 when it cannot be read. */
int64_t clockNs(clockid_t clock)
{
    timespec now{};
    if (::clock_gettime(clock, &now) != 0)
        return -1;
    return int64_t(now.tv_sec) * 1000000000 + now.tv_nsec;
}

/**
 * The pixel window: a memory file of the largest picture's bytes, made once
 * and mapped once, read only, for as long as the program runs; every reader
 * is given it and decodes larger pictures into it. Sealed against growing
 * and shrinking, so that no reader makes it larger or pulls pages away from
 * under the program.
 */
struct Window {
    int file = -1;
    const uchar *at = nullptr;
};

const Window &window()
{
    static const Window made = [] {
        Window w;
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

/**
 * Memory for the pixels copied from the window, mapped apart from the heap:
 * a picture's is kept when the picture is let go, up to kKeptFreeBytes
 * together, and given to the next picture of about its size, so that a
 * picture read again costs no fresh pages.
 */
struct PixelBuffer {
    void *at = nullptr;
    size_t bytes = 0;
};

/** The kept memory: made once and never destroyed, as a picture may be let go at the program's very end. */
struct KeptBuffers {
    std::mutex lock;
    std::vector<PixelBuffer> free; ///< Those let go, the latest last.
    size_t bytes = 0;              ///< Their bytes together.
};

KeptBuffers &kept()
{
    static auto *buffers = new KeptBuffers;
    return *buffers;
}

/** @return memory for bytes of pixels, at least; nullptr when there is none. */
PixelBuffer *takeBuffer(size_t bytes)
{
    const size_t page = size_t(::sysconf(_SC_PAGESIZE));
    const size_t rounded = (bytes + page - 1) / page * page;
    {
        KeptBuffers &buffers = kept();
        const std::lock_guard lock(buffers.lock);
        /* The smallest kept one that fits and wastes no more than the picture's own size. */
        auto best = buffers.free.end();
        for (auto it = buffers.free.begin(); it != buffers.free.end(); ++it)
            if (it->bytes >= rounded && it->bytes <= 2 * rounded && (best == buffers.free.end() || it->bytes < best->bytes))
                best = it;
        if (best != buffers.free.end()) {
            auto *taken = new PixelBuffer(*best);
            buffers.bytes -= best->bytes;
            buffers.free.erase(best);
            return taken;
        }
    }
    void *at = ::mmap(nullptr, rounded, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    return at == MAP_FAILED ? nullptr : new PixelBuffer{at, rounded};
}

/** Keeps a picture's pixel memory for the next, letting go of the oldest kept past kKeptFreeBytes. */
void giveBackBuffer(void *info)
{
    auto *buffer = static_cast<PixelBuffer *>(info);
    KeptBuffers &buffers = kept();
    const std::lock_guard lock(buffers.lock);
    buffers.free.push_back(*buffer);
    buffers.bytes += buffer->bytes;
    delete buffer;
    while (buffers.bytes > kKeptFreeBytes) {
        ::munmap(buffers.free.front().at, buffers.free.front().bytes);
        buffers.bytes -= buffers.free.front().bytes;
        buffers.free.erase(buffers.free.begin());
    }
}

/**
 * Copies bytes from another process's memory.
 * @return whether all of them were copied; false where the system lets no
 *         process read another's memory, or they are not there.
 */
bool copyFrom(pid_t process, void *into, uint64_t from, size_t bytes)
{
    size_t done = 0;
    while (done < bytes) {
        iovec local{static_cast<char *>(into) + done, bytes - done};
        iovec remote{reinterpret_cast<void *>(uintptr_t(from + done)), bytes - done};
        const ssize_t n = ::process_vm_readv(process, &local, 1, &remote, 1, 0);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += size_t(n);
    }
    return true;
}

/** @return whether an image format takes its colours from a colour table. */
bool indexed(int format)
{
    return format == QImage::Format_Indexed8 || format == QImage::Format_Mono || format == QImage::Format_MonoLSB;
}

/** @return whether an answer's picture is one the program can hold: a known format within the limits. */
bool sane(const protocol::Answer &a)
{
    if (a.format <= QImage::Format_Invalid || a.format >= QImage::NImageFormats || a.width <= 0 || a.height <= 0
        || a.width > kMaxPictureSide || a.height > kMaxPictureSide || a.colours < 0 || a.colours > protocol::kMaxColours
        || (indexed(a.format) && a.colours < 1))
        return false;
    const int64_t depth = QImage::toPixelFormat(QImage::Format(a.format)).bitsPerPixel();
    const int64_t most = a.transfer == protocol::Transfer::Inline   ? protocol::kMaxInlinePixels
                         : a.transfer == protocol::Transfer::Window ? protocol::kWindowBytes
                         : a.transfer == protocol::Transfer::Copied ? kMaxPictureBytes
                                                                    : -1;
    return a.bytesPerLine >= (int64_t(a.width) * depth + 7) / 8 && a.bytesPerLine % 4 == 0
           && a.pixelBytes == int64_t(a.bytesPerLine) * a.height && a.pixelBytes <= kMaxPictureBytes
           && a.pixelBytes <= most;
}

/**
 * @return whether every pixel of an indexed picture names one of its
 *         colours (Qt paints an index past its table from whatever memory
 *         lies there); true for a picture of another format.
 */
bool coloursFit(const QImage &picture, int colours)
{
    const int width = picture.width();
    switch (picture.format()) {
    case QImage::Format_Indexed8: {
        if (colours >= 256)
            return true;
        uchar most = 0;
        for (int y = 0; y < picture.height(); ++y) {
            const uchar *row = picture.constScanLine(y);
            for (int x = 0; x < width; ++x)
                most = std::max(most, row[x]);
        }
        return most < colours;
    }
    case QImage::Format_Mono:
    case QImage::Format_MonoLSB: {
        if (colours >= 2)
            return true;
        /* One colour: every pixel's bit is 0, the bits of the row's last byte past its width aside. */
        const int whole = width / 8;
        const int rest = width % 8;
        const uchar restMask = picture.format() == QImage::Format_Mono ? uchar(0xFF << (8 - rest)) : uchar((1 << rest) - 1);
        for (int y = 0; y < picture.height(); ++y) {
            const uchar *row = picture.constScanLine(y);
            for (int x = 0; x < whole; ++x)
                if (row[x])
                    return false;
            if (rest && (row[whole] & restMask))
                return false;
        }
        return true;
    }
    default: return true;
    }
}

/** @return the most memory a process has held in RAM, in bytes, as its /proc status says; 0 when it cannot be read. */
long long mostResident(pid_t pid)
{
    char name[64];
    std::snprintf(name, sizeof name, "/proc/%d/status", int(pid));
    long long kb = 0;
    if (FILE *status = std::fopen(name, "re")) {
        char line[256];
        while (std::fgets(line, sizeof line, status))
            if (std::sscanf(line, "VmHWM: %lld kB", &kb) == 1)
                break;
        std::fclose(status);
    }
    return kb * 1024;
}

/** @return a request's id: random, never 0, so that no reader foresees it. */
uint64_t requestId()
{
    uint64_t id = 0;
    while (id == 0)
        if (::getrandom(&id, sizeof id, 0) != ssize_t(sizeof id))
            id = uint64_t(Clock::now().time_since_epoch().count()) * 0x9E3779B97F4A7C15ull;
    return id;
}

} // namespace

/** An answer as it came. */
struct PictureReader::Reply {
    protocol::Answer answer;
    QList<QRgb> colours;
    QByteArray text;
    QImage picture;
};

/** How long a request is waited for. */
struct PictureReader::Bounds {
    int64_t limit = 0;              ///< The reader's processor time it may take, in nanoseconds.
    Clock::time_point wallDeadline; ///< When the wall clock's time for it is up.
    int64_t readerStart = 0;        ///< The reader's processor time when it was sent.
    Clock::time_point sentAt;       ///< When it was sent.
};

PictureReader &PictureReader::instance()
{
    static PictureReader reader;
    return reader;
}

PictureReader::~PictureReader()
{
    stop();
}

void PictureReader::useProgram(const QByteArray &name, const std::vector<QByteArray> &arguments)
{
    stop();
    m_program = name;
    m_arguments = arguments;
}

void PictureReader::start()
{
    if (m_pid >= 0)
        return;
    if (window().file < 0)
        return;
    int requests[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, requests) != 0)
        return;
    int answers[2];
    if (::pipe2(answers, O_CLOEXEC) != 0) {
        ::close(requests[0]);
        ::close(requests[1]);
        return;
    }
    ::fcntl(answers[0], F_SETPIPE_SZ, kAnswerPipeBytes);
    ::fcntl(answers[0], F_SETFL, O_NONBLOCK);
    const QByteArray program = helperProgram(m_program.constData());
    QByteArray fonts("--fonts");
    std::vector<char *> argv{const_cast<char *>(program.constData())};
    /* The texts of metafiles are drawn where the program itself can draw text. */
    if (qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        argv.push_back(fonts.data());
    for (QByteArray &argument : m_arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    const std::vector<QByteArray> environment = helperEnvironment();
    /* A sanitizer's report of the reader's own code is shown, as the program's would be. */
    const pid_t pid = spawnHelper(program, argv, requests[1], answers[1], kInstrumentedSlowdown > 1, &environment);
    ::close(requests[1]);
    ::close(answers[1]);
    if (pid < 0) {
        ::close(requests[0]);
        ::close(answers[0]);
        /* Said once: every picture after it would say it again. */
        static bool told = false;
        if (!std::exchange(told, true))
            std::fprintf(stderr, "kamenna: the picture reader %s cannot be started\n",
                         program.isEmpty() ? "(beside the program)" : program.constData());
        return;
    }
    /* Requests go one way only: nothing the reader writes there reaches the program. */
    ::shutdown(requests[0], SHUT_RD);
    m_pid = pid;
    m_requests = requests[0];
    m_answers = answers[0];
    m_ready = false;
    m_windowSent = false;
    m_copies = false;
    m_hello.clear();
    m_startedAt = Clock::now();
    m_lastTime = 0;
    m_readyTime = 0;
    if (::clock_getcpuclockid(pid, &m_clock) != 0)
        m_clock = CLOCK_MONOTONIC;
}

int PictureReader::stop()
{
    if (m_pid < 0)
        return 0;
    if (m_ready)
        m_timeSpent += std::chrono::nanoseconds(readerTime() - m_readyTime);
    ::close(m_requests);
    ::close(m_answers);
    m_mostResidentOfEnded = std::max(m_mostResidentOfEnded, mostResident(m_pid));
    const int status = killHelper(m_pid);
    m_pid = -1;
    m_requests = -1;
    m_answers = -1;
    m_ready = false;
    /* A reader stopped by a sanitizer at a fault of its own code fails the program, as such a fault of its own would. */
    if (kInstrumentedSlowdown > 1 && WIFEXITED(status) && WEXITSTATUS(status) == protocol::kSanitizerExitStatus) {
        std::fprintf(stderr, "kamenna: the picture reader stopped at a fault of its own code\n");
        std::abort();
    }
    return status;
}

int PictureReader::restart()
{
    const int status = stop();
    start();
    return status;
}

bool PictureReader::ended() const
{
    /* Looked at without reaping it, so that its group stays its own until it is killed. */
    siginfo_t info{};
    return ::waitid(P_PID, id_t(m_pid), &info, WEXITED | WNOHANG | WNOWAIT) != 0 || info.si_pid == m_pid;
}

bool PictureReader::spokeOutOfTurn() const
{
    int waiting = 0;
    return ::ioctl(m_answers, FIONREAD, &waiting) != 0 || waiting > 0;
}

int64_t PictureReader::readerTime()
{
    const int64_t now = clockNs(m_clock);
    if (now >= 0)
        m_lastTime = now;
    return m_lastTime;
}

std::chrono::nanoseconds PictureReader::timeSpent()
{
    return m_timeSpent + std::chrono::nanoseconds(m_pid >= 0 && m_ready ? readerTime() - m_readyTime : 0);
}

PictureReader::Received PictureReader::waitReady(const Bounds &bounds)
{
    const Clock::time_point startDeadline = m_startedAt + kStartTime;
    protocol::Hello hello;
    for (;;) {
        const ssize_t n = ::read(m_answers, reinterpret_cast<char *>(&hello) + m_hello.size(),
                                 sizeof hello - size_t(m_hello.size()));
        if (n > 0) {
            m_hello.append(reinterpret_cast<const char *>(&hello) + m_hello.size(), n);
            if (m_hello.size() < qsizetype(sizeof hello))
                continue;
            std::memcpy(&hello, m_hello.constData(), sizeof hello);
            if (hello.magic != protocol::kHelloMagic)
                return Received::Ended;
            /* Pixels that Qt's readers decoded are copied from the reader's memory where the system lets the
               program read it (the bytes it says lie there are found there); else they come through the window. */
            const protocol::Hello expected;
            char probe[sizeof expected.probe] = {};
            m_copies = copyFrom(m_pid, probe, hello.probeAt + offsetof(protocol::Hello, probe), sizeof probe)
                       && std::memcmp(probe, expected.probe, sizeof probe) == 0;
            m_ready = true;
            m_readyTime = readerTime();
            return Received::Whole;
        }
        if (n == 0 || (errno != EAGAIN && errno != EINTR))
            return Received::Ended;
        const Clock::time_point now = Clock::now();
        if (now >= startDeadline)
            return Received::Ended;
        if (now >= bounds.wallDeadline)
            return Received::Late;
        const auto left = std::min(startDeadline, bounds.wallDeadline) - now;
        pollfd waiting{m_answers, POLLIN, 0};
        ::poll(&waiting, 1, int(std::chrono::duration_cast<std::chrono::milliseconds>(left).count() + 1));
    }
}

PictureReader::Received PictureReader::send(const QByteArray &path, int64_t allowed, const Bounds &bounds)
{
    protocol::Request request;
    request.pathBytes = uint32_t(path.size());
    request.allowedNs = allowed;
    /* A reader found ended, or ending as it is sent the picture, is replaced once. */
    for (int attempt = 0; attempt < 2; ++attempt) {
        /* A reader dead, or that has said more than it was asked, is not asked again. */
        if (m_pid >= 0 && (ended() || (m_ready && spokeOutOfTurn())))
            stop();
        start();
        if (m_pid < 0)
            return Received::Ended;
        if (!m_ready) {
            const Received ready = waitReady(bounds);
            if (ready == Received::Late)
                return ready;
            if (ready != Received::Whole) {
                stop();
                continue;
            }
        }
        request.id = m_lastId = requestId();
        request.copied = m_copies;
        iovec parts[2] = {{&request, sizeof request}, {const_cast<char *>(path.constData()), size_t(path.size())}};
        msghdr header{};
        header.msg_iov = parts;
        header.msg_iovlen = 2;
        /* The first request gives the reader the pixel window. */
        alignas(cmsghdr) char control[CMSG_SPACE(sizeof(int))];
        if (!m_windowSent) {
            header.msg_control = control;
            header.msg_controllen = sizeof control;
            cmsghdr *c = CMSG_FIRSTHDR(&header);
            c->cmsg_level = SOL_SOCKET;
            c->cmsg_type = SCM_RIGHTS;
            c->cmsg_len = CMSG_LEN(sizeof(int));
            std::memcpy(CMSG_DATA(c), &window().file, sizeof(int));
        }
        const ssize_t sent = ::sendmsg(m_requests, &header, MSG_NOSIGNAL | MSG_DONTWAIT);
        if (sent == ssize_t(sizeof request + size_t(path.size()))) {
            m_windowSent = true;
            return Received::Whole;
        }
        stop();
    }
    return Received::Ended;
}

PictureReader::Received PictureReader::receive(void *into, size_t bytes, const Bounds &bounds)
{
    size_t got = 0;
    /* What has come is taken at once; the clocks are looked at only while the answer is awaited. */
    bool awaited = false;
    while (got < bytes) {
        if (awaited) {
            const Clock::time_point now = Clock::now();
            /* A small picture's answer comes within a moment: looked for without sleeping, as sleeping and waking
               would take longer than the picture's reading. */
            if (now - bounds.sentAt < kSpinTime) {
                awaited = false;
                continue;
            }
            const int64_t spent = readerTime() - bounds.readerStart;
            if (spent >= bounds.limit)
                return Received::Overdue;
            if (now >= bounds.wallDeadline)
                return Received::Late;
            const int64_t wallLeft = std::chrono::nanoseconds(bounds.wallDeadline - now).count();
            pollfd waiting{m_answers, POLLIN, 0};
            /* Looked at every few milliseconds: the reader may spend its time on several threads at once. */
            ::poll(&waiting, 1, int(std::clamp<int64_t>(std::min(bounds.limit - spent, wallLeft) / 1000000 + 1, 1, 5)));
        }
        const ssize_t n = ::read(m_answers, static_cast<char *>(into) + got, bytes - got);
        if (n < 0 && (errno == EINTR || errno == EAGAIN)) {
            awaited = true;
            continue;
        }
        if (n <= 0)
            return Received::Ended;
        got += size_t(n);
    }
    return Received::Whole;
}

PictureReader::Received PictureReader::exchange(const Bounds &bounds, Reply &reply)
{
    protocol::Answer &answer = reply.answer;
    Received received = receive(&answer, sizeof answer, bounds);
    /* Only the answer to the request sent, and only what an answer may say. */
    if (received == Received::Whole
        && (answer.id != m_lastId || answer.colours < 0 || answer.colours > protocol::kMaxColours
            || answer.textBytes < 0 || answer.textBytes > protocol::kMaxTextBytes
            || (answer.status != protocol::Status::Picture && answer.status != protocol::Status::Broken
                && answer.status != protocol::Status::TooLarge)))
        received = Received::Ended;
    if (received == Received::Whole) {
        reply.colours.resize(answer.colours);
        reply.text.resize(answer.textBytes);
        received = receive(reply.colours.data(), sizeof(QRgb) * size_t(answer.colours), bounds);
        if (received == Received::Whole)
            received = receive(reply.text.data(), size_t(reply.text.size()), bounds);
    }
    if (received == Received::Whole && answer.status == protocol::Status::Picture) {
        const auto format = QImage::Format(answer.format);
        if (!sane(answer)) {
            received = Received::Ended;
        } else if (answer.transfer == protocol::Transfer::Inline) {
            reply.picture = QImage(answer.width, answer.height, format);
            if (reply.picture.isNull() || reply.picture.bytesPerLine() != answer.bytesPerLine)
                received = Received::Ended;
            else
                received = receive(reply.picture.bits(), size_t(answer.pixelBytes), bounds);
        } else if (PixelBuffer *buffer = takeBuffer(size_t(answer.pixelBytes))) {
            /* Copied out before anything is looked at: what is checked is what the program keeps. */
            if (answer.transfer == protocol::Transfer::Window)
                std::memcpy(buffer->at, window().at, size_t(answer.pixelBytes));
            else if (!m_copies || !copyFrom(m_pid, buffer->at, answer.pixelsAt, size_t(answer.pixelBytes)))
                received = Received::Ended;
            if (received == Received::Whole)
                reply.picture = QImage(static_cast<uchar *>(buffer->at), answer.width, answer.height,
                                       answer.bytesPerLine, format, giveBackBuffer, buffer);
            if (reply.picture.isNull())
                giveBackBuffer(buffer);
        }
        if (received == Received::Whole && (reply.picture.isNull() || !coloursFit(reply.picture, answer.colours)))
            received = Received::Ended;
    }
    const std::chrono::nanoseconds spent(readerTime() - bounds.readerStart);
    PictureRead::charge(spent);
    return received;
}

QImage PictureReader::read(const QString &resolved)
{
    /* No file has such a path: refused at once, as reading it would be, with nothing to read. */
    if (namesNoFile(resolved))
        return readPictureFile(resolved);
    const QString named = excerpt(resolved);
    const QByteArray path = resolved.toUtf8();
    Reply reply;
    Received received = Received::Ended;
    int status = 0;
    int64_t allowed = 0;
    /* A reader may die of something else than the picture it reads (it was killed from outside as it was sent the
       picture, say): the picture is given to another once, and a picture two readers die of is broken. */
    for (int attempt = 0; attempt < 2 && received == Received::Ended; ++attempt) {
        reply = Reply{};
        const bool reading = PictureRead::active();
        /* The reader may take the processor time left to the reading, and no more than is left of its wall-clock
           time: a reader that runs stops by itself and says why. */
        const std::chrono::nanoseconds wallLeft = PictureRead::remainingWall();
        allowed = reading ? std::min(PictureRead::remaining(), wallLeft).count() : protocol::kNoReading;
        Bounds bounds;
        bounds.limit = (reading ? allowed : kNoReadingTime.count()) + std::chrono::nanoseconds(kKillGrace).count();
        /* One that gets no processor (stopped, or starved on a busy machine) holds the program no longer than the
           reading's wall-clock time. */
        const std::chrono::nanoseconds wall =
            reading ? std::max<std::chrono::nanoseconds>(wallLeft, kLeastWait) : 2 * std::chrono::nanoseconds(bounds.limit);
        bounds.wallDeadline = Clock::now() + wall + kKillGrace;
        const Received sent = send(path, allowed, bounds);
        if (sent == Received::Late)
            throw PictureNotReadInTime(QStringLiteral("Obrázek se nestihl načíst: %1").arg(named));
        if (sent != Received::Whole)
            throw PictureNotRead(QStringLiteral("Obrázek nelze přečíst, čtečka obrázků se nespustila: %1").arg(named));
        bounds.readerStart = readerTime();
        bounds.sentAt = Clock::now();
        received = exchange(bounds, reply);
        /* Out of its time, lying or dead, or out of memory and ending once it has answered: another waits for the
           next picture. */
        if (received != Received::Whole || reply.answer.ending)
            status = restart();
    }
    if (received == Received::Late)
        throw PictureNotReadInTime(QStringLiteral("Obrázek se nestihl načíst: %1").arg(named));
    if (received == Received::Overdue)
        throw PictureTooLarge(QStringLiteral("Obrázek je příliš velký: %1").arg(named),
                              allowed != protocol::kNoReading
                                  && allowed < std::chrono::nanoseconds(kMaxPictureReadTime).count());
    if (received == Received::Ended) {
        /* The kernel's limit on the reader's processor time: out of time too. */
        if (WIFSIGNALED(status) && WTERMSIG(status) == SIGXCPU)
            throw PictureTooLarge(QStringLiteral("Obrázek je příliš velký: %1").arg(named));
        throw ui::SimError(QStringLiteral("Obrázek je poškozený: %1").arg(named));
    }
    switch (reply.answer.status) {
    case protocol::Status::Picture:
        if (indexed(reply.answer.format))
            reply.picture.setColorTable(reply.colours);
        reply.picture.setDotsPerMeterX(reply.answer.dotsPerMeterX);
        reply.picture.setDotsPerMeterY(reply.answer.dotsPerMeterY);
        return reply.picture;
    case protocol::Status::TooLarge:
        throw PictureTooLarge(QString::fromUtf8(reply.text), reply.answer.forTimeLeft != 0);
    case protocol::Status::Broken: break;
    }
    throw ui::SimError(QString::fromUtf8(reply.text));
}

} // namespace platform
