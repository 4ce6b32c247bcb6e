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
#include <cstddef>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/mman.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/uio.h>
#include <sys/wait.h>
#include <unistd.h>

namespace platform {

namespace {

namespace protocol = picture_protocol;
using Clock = std::chrono::steady_clock;

/** How long the program looks for an answer before it sleeps until one comes. */
constexpr std::chrono::nanoseconds kSpinTime{100000};

/** @return nanoseconds on a clock; 0 when it cannot be read. */
int64_t clockNs(clockid_t clock)
{
    timespec now{};
    if (::clock_gettime(clock, &now) != 0)
        return -1;
    return int64_t(now.tv_sec) * 1000000000 + now.tv_nsec;
}

/** A picture's pixels mapped from the reader's memory file, let go with the last picture that shows them. */
struct Mapping {
    void *at = nullptr;
    size_t bytes = 0;
};

void unmap(void *info)
{
    auto *mapping = static_cast<Mapping *>(info);
    ::munmap(mapping->at, mapping->bytes);
    delete mapping;
}

/** @return whether an answer's picture is one the program can hold: a known format within the limits. */
bool sane(const protocol::Answer &a)
{
    if (a.format <= QImage::Format_Invalid || a.format >= QImage::NImageFormats || a.width <= 0 || a.height <= 0
        || a.width > kMaxPictureSide || a.height > kMaxPictureSide || a.colours < 0 || a.colours > protocol::kMaxColours)
        return false;
    const int64_t depth = QImage::toPixelFormat(QImage::Format(a.format)).bitsPerPixel();
    return a.bytesPerLine >= (int64_t(a.width) * depth + 7) / 8 && a.bytesPerLine % 4 == 0
           && a.pixelBytes == int64_t(a.bytesPerLine) * a.height && a.pixelBytes <= kMaxPictureBytes
           && (a.transfer != protocol::Transfer::Inline || a.pixelBytes <= protocol::kMaxInlinePixels);
}

/**
 * Copies bytes from another process's memory.
 * @return whether all of them were copied; false where the system lets no
 *         process read another's memory.
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

/** @return the picture whose pixels lie in a sealed memory file of the reader; null when the file is not as said. */
QImage mappedPicture(int file, const protocol::Answer &a)
{
    struct stat st {};
    const int seals = ::fcntl(file, F_GET_SEALS);
    /* Sealed against shrinking and writing: what is mapped stays as it was sent. */
    if (::fstat(file, &st) != 0 || st.st_size < a.pixelBytes || seals < 0 || !(seals & F_SEAL_SHRINK)
        || !(seals & F_SEAL_WRITE))
        return {};
    void *at = ::mmap(nullptr, size_t(a.pixelBytes), PROT_READ, MAP_SHARED, file, 0);
    if (at == MAP_FAILED)
        return {};
    auto *mapping = new Mapping{at, size_t(a.pixelBytes)};
    QImage picture(static_cast<const uchar *>(at), a.width, a.height, a.bytesPerLine, QImage::Format(a.format), unmap,
                   mapping);
    if (picture.isNull())
        unmap(mapping);
    return picture;
}

} // namespace

/** An answer as it came. */
struct PictureReader::Reply {
    protocol::Answer answer;
    QList<QRgb> colours;
    QByteArray text;
    QImage picture;
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

void PictureReader::start()
{
    if (m_pid >= 0)
        return;
    int ends[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) != 0)
        return;
    const QByteArray program = helperProgram("kamenna-pictures");
    QByteArray fonts("--fonts");
    std::vector<char *> argv{const_cast<char *>(program.constData())};
    /* The texts of metafiles are drawn where the program itself can draw text. */
    if (qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        argv.push_back(fonts.data());
    argv.push_back(nullptr);
    /* A sanitizer's report of the reader's own code is shown, as the program's would be. */
    const pid_t pid = spawnHelper(program, argv, ends[1], -1, kInstrumentedSlowdown > 1);
    ::close(ends[1]);
    if (pid < 0) {
        ::close(ends[0]);
        /* Said once: every picture after it would say it again. */
        static bool told = false;
        if (!std::exchange(told, true))
            std::fprintf(stderr, "kamenna: the picture reader %s cannot be started\n", program.constData());
        return;
    }
    m_pid = pid;
    m_socket = ends[0];
    m_ready = false;
    m_copies = false;
    m_startedAt = std::chrono::steady_clock::now();
    m_lastTime = 0;
    if (::clock_getcpuclockid(pid, &m_clock) != 0)
        m_clock = CLOCK_MONOTONIC;
}

int PictureReader::stop()
{
    if (m_pid < 0)
        return 0;
    ::close(m_socket);
    const int status = killHelper(m_pid);
    m_pid = -1;
    m_socket = -1;
    m_ready = false;
    m_copies = false;
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

int64_t PictureReader::readerTime()
{
    const int64_t now = clockNs(m_clock);
    if (now >= 0)
        m_lastTime = now;
    return m_lastTime;
}

bool PictureReader::waitReady()
{
    const Clock::time_point begun = Clock::now();
    const Clock::time_point deadline = m_startedAt + kStartTime;
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        pollfd waiting{m_socket, POLLIN, 0};
        const int ready = ::poll(&waiting, 1, int(std::max<int64_t>(left + 1, 0)));
        if (ready < 0 && errno == EINTR)
            continue;
        protocol::Hello hello;
        m_ready = ready > 0 && ::recv(m_socket, &hello, sizeof hello, MSG_WAITALL) == sizeof hello
                  && hello.ready == protocol::Ready;
        /* The pixels of a larger picture are copied from the reader's memory where the system lets the program
           read it (the bytes it says lie there are found there); else they come in memory files. */
        const protocol::Hello expected;
        char probe[sizeof expected.probe] = {};
        m_copies = m_ready && copyFrom(m_pid, probe, hello.probeAt + offsetof(protocol::Hello, probe), sizeof probe)
                   && std::memcmp(probe, expected.probe, sizeof probe) == 0;
        /* The picture waited for it as long: that is the reading's time too. */
        PictureRead::charge(Clock::now() - begun);
        return m_ready;
    }
}

bool PictureReader::send(const QByteArray &path, int64_t allowed)
{
    protocol::Request request;
    request.pathBytes = uint32_t(path.size());
    request.allowedNs = allowed;
    QByteArray message(reinterpret_cast<const char *>(&request), sizeof request);
    message.append(path);
    /* A reader found ended, or ending as it is sent the picture, is replaced once. */
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (m_pid >= 0 && ended())
            stop();
        start();
        if (m_pid < 0)
            return false;
        if (!m_ready && !waitReady()) {
            stop();
            return false;
        }
        /* Written now: whether it copies pixels is known once the reader is ready. */
        request.copied = m_copies && m_copiesAllowed;
        std::memcpy(message.data(), &request, sizeof request);
        if (::send(m_socket, message.constData(), size_t(message.size()), MSG_NOSIGNAL) == message.size())
            return true;
        stop();
    }
    return false;
}

PictureReader::Received PictureReader::exchange(int64_t allowed, Reply &reply)
{
    const int64_t readerStart = readerTime();
    const Clock::time_point sentAt = Clock::now();
    /* The reading's time is the reader's processor time; the time waited bounds a reader that gets none (stopped,
       or starved on a busy machine) to twice as long. */
    const int64_t limit = (allowed == protocol::kNoReading ? kNoReadingTime.count() : allowed)
                          + std::chrono::nanoseconds(kKillGrace).count();
    const int64_t waitLimit = 2 * limit;
    std::vector<int> files;
    /* Receives bytes of the answer, waiting no longer than the reading's time. */
    const auto receive = [&](void *into, size_t bytes) {
        size_t got = 0;
        /* What has come is taken at once; the clocks are looked at only while the answer is awaited. */
        bool awaited = false;
        while (got < bytes) {
            if (awaited) {
                const int64_t waited = std::chrono::nanoseconds(Clock::now() - sentAt).count();
                /* A small picture's answer comes within a moment: looked for without sleeping, as sleeping and
                   waking would take longer than the picture's reading. */
                if (waited < kSpinTime.count()) {
                    awaited = false;
                    continue;
                }
                const int64_t spent = readerTime() - readerStart;
                if (spent >= limit || waited >= waitLimit)
                    return Received::Overdue;
                pollfd waiting{m_socket, POLLIN, 0};
                /* Looked at every few milliseconds: the reader may spend its time on several threads at once. */
                const int ready = ::poll(&waiting, 1, int(std::clamp<int64_t>((limit - spent) / 1000000 + 1, 1, 5)));
                if (ready == 0 || (ready < 0 && errno == EINTR))
                    continue;
            }
            iovec part{static_cast<char *>(into) + got, bytes - got};
            alignas(cmsghdr) char control[CMSG_SPACE(sizeof(int) * 4)];
            msghdr header{};
            header.msg_iov = &part;
            header.msg_iovlen = 1;
            header.msg_control = control;
            header.msg_controllen = sizeof control;
            const ssize_t n = ::recvmsg(m_socket, &header, MSG_DONTWAIT | MSG_CMSG_CLOEXEC);
            if (n < 0 && (errno == EINTR || errno == EAGAIN)) {
                awaited = true;
                continue;
            }
            for (cmsghdr *c = CMSG_FIRSTHDR(&header); c; c = CMSG_NXTHDR(&header, c)) {
                if (c->cmsg_level == SOL_SOCKET && c->cmsg_type == SCM_RIGHTS) {
                    const size_t count = (c->cmsg_len - CMSG_LEN(0)) / sizeof(int);
                    for (size_t i = 0; i < count; ++i) {
                        int f = -1;
                        std::memcpy(&f, CMSG_DATA(c) + i * sizeof(int), sizeof f);
                        files.push_back(f);
                    }
                }
            }
            if (n <= 0 || (header.msg_flags & MSG_CTRUNC))
                return Received::Ended;
            got += size_t(n);
        }
        return Received::Whole;
    };

    protocol::Answer &answer = reply.answer;
    Received received = receive(&answer, sizeof answer);
    if (received == Received::Whole
        && (answer.colours < 0 || answer.colours > protocol::kMaxColours || answer.textBytes < 0
            || answer.textBytes > protocol::kMaxTextBytes))
        received = Received::Ended;
    if (received == Received::Whole) {
        reply.colours.resize(answer.colours);
        reply.text.resize(answer.textBytes);
        received = receive(reply.colours.data(), sizeof(QRgb) * size_t(answer.colours));
        if (received == Received::Whole)
            received = receive(reply.text.data(), size_t(reply.text.size()));
    }
    if (received == Received::Whole && answer.status == protocol::Status::Picture) {
        if (!sane(answer)) {
            received = Received::Ended;
        } else if (answer.transfer == protocol::Transfer::MemoryFile) {
            if (files.size() == 1)
                reply.picture = mappedPicture(files.front(), answer);
        } else {
            reply.picture = QImage(answer.width, answer.height, QImage::Format(answer.format));
            if (reply.picture.isNull() || reply.picture.bytesPerLine() != answer.bytesPerLine)
                received = Received::Ended;
            else if (answer.transfer == protocol::Transfer::Inline)
                received = receive(reply.picture.bits(), size_t(answer.pixelBytes));
            else if (answer.transfer != protocol::Transfer::Copied || !m_copies || !m_copiesAllowed
                     || !copyFrom(m_pid, reply.picture.bits(), answer.pixelsAt, size_t(answer.pixelBytes)))
                received = Received::Ended;
        }
        if (received == Received::Whole && reply.picture.isNull())
            received = Received::Ended;
    }
    for (int f : files)
        ::close(f);
    const std::chrono::nanoseconds spent(readerTime() - readerStart);
    m_timeSpent += spent;
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
        allowed = PictureRead::active() ? PictureRead::remaining().count() : protocol::kNoReading;
        if (!send(path, allowed))
            throw PictureNotRead(QStringLiteral("Obrázek nelze přečíst, čtečka obrázků se nespustila: %1").arg(named));
        received = exchange(allowed, reply);
        /* Out of its time or dead, or out of memory and ending once it has answered: another waits for the next. */
        if (received != Received::Whole || reply.answer.ending)
            status = restart();
    }
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
        if (!reply.colours.isEmpty())
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
