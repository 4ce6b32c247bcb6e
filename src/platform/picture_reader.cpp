/** @file picture_reader.cpp The helper process that reads the pictures of the data directory, under the kernel's limits. */
#include "platform/picture_reader.h"

#include "platform/excerpt.h"
#include "platform/files.h"
#include "platform/helper_process.h"
#include "platform/picture_limits.h"
#include "platform/picture_protocol.h"
#include "platform/picture_read.h"
#include "platform/reader_keeper.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <mutex>
#include <optional>
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

/**
 * How long the program looks for an answer before it sleeps until one
 * comes: a vehicle's bitmap or drawing, or a small icon, read again comes
 * within it. A longer look would cost the program all of it for a picture
 * its reader takes 0.1 to 0.3 ms over (a larger drawing), to spare only
 * the wake-up's 0.03 ms.
 */
constexpr std::chrono::nanoseconds kSpinTime{100000};

/** The freed pixel memory kept for the next pictures: the largest picture's. */
constexpr size_t kKeptFreeBytes = size_t(kMaxPictureBytes);

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


namespace {

/** @return a time as nanoseconds. */
constexpr int64_t ns(std::chrono::nanoseconds time)
{
    return time.count();
}

/** The group of the pictures this thread reads now; 0 for none. */
thread_local uint64_t t_group = 0;

/** Why a reader that had a picture ended. */
enum class Cause {
    Program,   ///< The program ended it: it lied, or left its answer half said.
    TimeLimit, ///< The kernel's limit on its processor time: the picture took too long.
    Outside,   ///< A signal the program did not send, as the system's out-of-memory killer's: no verdict.
    Fault,     ///< It ended, or died of a fault of its own, as a picture made to crash it would have it.
};

/**
 * How far short of its processor-time limit a reader killed by SIGKILL may
 * be found and still be taken as killed by the limit: the kernel looks at
 * the limit once a tick.
 */
constexpr int64_t kLimitSlack = 10000000;

/**
 * @return why a reader ended, as the keeper found it once reaped. Its
 *         processor time says whether its limit ended it: its own timer
 *         sends it SIGXCPU kTimerBeforeHardLimitNs before its hard limit,
 *         the kernel SIGKILL at it; either signal well before is not the
 *         limit's (a SIGXCPU it sent itself is a lie).
 */
Cause causeOf(const ReaderKeeper::Ending &ending)
{
    if (ending.killed)
        return Cause::Program;
    if (!ending.reaped)
        return Cause::Outside;
    if (WIFSIGNALED(ending.status)) {
        const int signal = WTERMSIG(ending.status);
        const bool unknown = ending.timeLimit < 0;
        if (signal == SIGXCPU
            && (unknown || ending.time >= ending.timeLimit - protocol::kTimerBeforeHardLimitNs - kLimitSlack))
            return Cause::TimeLimit;
        if (signal == SIGKILL && !unknown && ending.time >= ending.timeLimit - kLimitSlack)
            return Cause::TimeLimit;
    }
    return endedFromOutside(ending.status) ? Cause::Outside : Cause::Fault;
}

} // namespace

PictureGroup::PictureGroup(uint64_t group) : m_outer(t_group)
{
    t_group = group;
}

PictureGroup::~PictureGroup()
{
    t_group = m_outer;
}

uint64_t PictureGroup::next()
{
    static std::atomic<uint64_t> last{0};
    return ++last;
}

uint64_t PictureGroup::current()
{
    return t_group;
}

/** An answer as it came. */
struct PictureReader::Reply {
    int64_t readerTime = 0; ///< The reader's processor time once it had answered.
    protocol::Answer answer;
    QList<QRgb> colours;
    QByteArray text;
    QImage picture;
};

/** The picture asked for and not yet answered, with its reader's work on it. */
struct PictureReader::Asked {
    QByteArray path;          ///< Its path, as the file system holds it.
    QString named;            ///< Its path as messages name it.
    uint64_t group = 0;       ///< The group it is read for.
    int64_t allowed = 0;      ///< The processor time its reader is given; protocol::kNoReading for a picture on its own.
    int64_t limit = 0;        ///< The reader's processor time on it past which the program ends the reader.
    bool sent = false;        ///< Whether the reader at work has it.
    bool first = false;       ///< Whether it was the first picture the reader at work was sent.
    uint64_t id = 0;          ///< The request's id.
    int64_t readerStart = 0;  ///< The reader's processor time when it was sent.
    int64_t lastTime = 0;     ///< The reader's processor time when last looked at.
    Clock::time_point sentAt;       ///< When it was sent.
    Clock::time_point lastProgress; ///< When its reader was last found to have spent processor time on it.
    bool wallBound = false;   ///< Whether the wait for it now is bounded by a reading's wall clock (a tick's).
    int strikes = 0;          ///< Readers in a row that made no progress on it.
    int failures = 0;         ///< Readers in a row that died of it or lied about it.
};

PictureReader &PictureReader::instance()
{
    /* Never destroyed: its readers are the keeper's, which lasts until the program ends. */
    static PictureReader *reader = new PictureReader;
    return *reader;
}

PictureReader::PictureReader() = default;

void PictureReader::start()
{
    ReaderKeeper::instance().startAhead();
}

void PictureReader::useProgram(const QByteArray &name, const std::vector<QByteArray> &arguments)
{
    letGoAsked();
    retire();
    ReaderKeeper::instance().useProgram(name, arguments);
}

QByteArray PictureReader::program() const
{
    return ReaderKeeper::instance().program();
}

QString PictureReader::notReadyReason() const
{
    switch (m_notReady) {
    case ReaderKeeper::Delay::Killed: return QStringLiteral("někdo ji zvenčí ukončoval");
    case ReaderKeeper::Delay::NotStarted: return QStringLiteral("systém nespustil nový proces");
    case ReaderKeeper::Delay::Held:
    case ReaderKeeper::Delay::None: break;
    }
    return QStringLiteral("neběžela, zastavená nebo bez času procesoru");
}

pid_t PictureReader::pid() const
{
    return m_reader ? m_reader->pid : -1;
}

std::vector<pid_t> PictureReader::pids() const
{
    return ReaderKeeper::instance().pids();
}

pid_t PictureReader::nextPid() const
{
    return ReaderKeeper::instance().sparePid(std::chrono::seconds(1));
}

std::chrono::nanoseconds PictureReader::timeSpent()
{
    return ReaderKeeper::instance().timeSpent();
}

long long PictureReader::mostResidentOfEnded() const
{
    return ReaderKeeper::instance().mostResidentOfEnded();
}

void PictureReader::retire()
{
    if (m_reader) {
        ReaderKeeper::instance().end(m_reader);
        m_ended = std::move(m_reader);
    }
    m_reader.reset();
    m_group = 0;
    m_answered = 0;
    m_requests = 0;
}

void PictureReader::letGoAsked()
{
    /* Its reader's work on it is wanted no more. */
    if (m_asked && m_asked->sent)
        retire();
    m_asked.reset();
}

void PictureReader::endGroup(uint64_t group)
{
    if (m_asked && m_asked->group == group)
        letGoAsked();
    if (m_reader && m_group == group)
        retire();
}

bool PictureReader::fitsAsked()
{
    ReaderKeeper &keeper = ReaderKeeper::instance();
    const ReaderProcess &reader = *m_reader;
    /* Of its group alone, and one picture only of a group of its own. */
    if (m_group != m_asked->group || (m_group == 0 && m_answered > 0))
        return false;
    /* A reader ended, or that has said more than it was asked, is not asked again. One that ended and is not
       reaped yet has closed its requests: sending it the picture fails. */
    int waiting = 0;
    if (keeper.ended(reader) || ::ioctl(reader.answers, FIONREAD, &waiting) != 0 || waiting > 0)
        return false;
    /* A picture has its own time: a reader near the end of its own time (its
       timer's, before its hard limit) does not take it. */
    m_readerTime = keeper.timeOf(reader);
    return reader.timeLimit < 0
           || reader.timeLimit - protocol::kTimerBeforeHardLimitNs - m_readerTime > m_asked->limit + kLimitSlack;
}

PictureReader::Sent PictureReader::send(Clock::time_point deadline)
{
    ReaderKeeper &keeper = ReaderKeeper::instance();
    Asked &asked = *m_asked;
    /* A reader found ended, or ending as it is sent the picture, is replaced once. */
    for (int attempt = 0; attempt < 2; ++attempt) {
        m_readerTime = -1;
        if (m_reader && !fitsAsked())
            retire();
        if (!m_reader) {
            if (pixelWindow().file < 0)
                return Sent::CannotStart;
            /* The reader ended last writes into the pixel window no more, whatever it was made to do, before
               another is given a picture: it is gone by then, mostly long since (one that held much memory
               takes a moment to let it go). */
            if (m_ended && !keeper.waitReaped(m_ended, deadline))
                return Sent::Later;
            m_ended.reset();
            ReaderKeeper::Taken taken = keeper.take(deadline);
            if (taken.cannotStart)
                return Sent::CannotStart;
            if (taken.delay != ReaderKeeper::Delay::None) {
                m_notReady = taken.delay;
                return Sent::NotReady;
            }
            if (!taken.reader)
                return Sent::Later;
            m_reader = std::move(taken.reader);
            m_group = asked.group;
            m_answered = 0;
            m_requests = 0;
        }
        ReaderProcess &reader = *m_reader;
        protocol::Request request;
        request.pathBytes = uint32_t(asked.path.size());
        request.allowedNs = asked.allowed;
        request.id = requestId();
        iovec parts[2] = {{&request, sizeof request},
                          {const_cast<char *>(asked.path.constData()), size_t(asked.path.size())}};
        msghdr header{};
        header.msg_iov = parts;
        header.msg_iovlen = 2;
        if (!keeper.setBusy(reader, true)) {
            retire();
            continue;
        }
        const ssize_t sent = ::sendmsg(reader.requests, &header, MSG_NOSIGNAL | MSG_DONTWAIT);
        if (sent == ssize_t(sizeof request + size_t(asked.path.size()))) {
            asked.sent = true;
            asked.first = m_requests++ == 0;
            asked.id = request.id;
            asked.readerStart = asked.lastTime = m_readerTime >= 0 ? m_readerTime : keeper.timeOf(reader);
            asked.sentAt = asked.lastProgress = Clock::now();
            return Sent::Whole;
        }
        retire();
    }
    return Sent::Later;
}

PictureReader::Received PictureReader::receive(void *into, size_t bytes, Clock::time_point deadline,
                                               std::optional<Clock::time_point> &begun)
{
    ReaderKeeper &keeper = ReaderKeeper::instance();
    Asked &asked = *m_asked;
    const Clock::time_point called = Clock::now();
    size_t got = 0;
    /* What has come is taken at once; the clocks are looked at only while the answer is awaited. */
    bool awaited = false;
    while (got < bytes) {
        if (awaited) {
            const Clock::time_point now = Clock::now();
            if (begun) {
                /* An answer begun is written whole at once: one whose rest does not come is a lie. */
                if (now - *begun > kAnswerTime) {
                    keeper.end(m_reader);
                    return Received::Ended;
                }
            } else {
                /* A small picture's answer comes within a moment: looked for without sleeping, as sleeping and
                   waking would take longer than the picture's reading. */
                if (now - asked.sentAt < kSpinTime) {
                    awaited = false;
                    continue;
                }
                const int64_t time = keeper.timeOf(*m_reader);
                if (time > asked.lastTime) {
                    asked.lastTime = time;
                    asked.lastProgress = now;
                }
                if (time - asked.readerStart >= asked.limit)
                    return Received::Overdue;
                if (now - asked.lastProgress >= kNoProgressTime)
                    return Received::Stalled;
                /* Past the reading's time, or, in a tick, while nothing moves: the reader goes on, and a later
                   read takes its answer. */
                if (now >= deadline
                    || (asked.wallBound && now - asked.lastProgress >= kStallTime && now - called >= kStallTime))
                    return Received::Late;
            }
            const int64_t left = std::min(asked.limit - (asked.lastTime - asked.readerStart), ns(deadline - now));
            pollfd waiting{m_reader->answers, POLLIN, 0};
            /* Looked at every few milliseconds: the reader may spend its time on several threads at once. */
            ::poll(&waiting, 1, int(std::clamp<int64_t>(left / 1000000 + 1, 1, 5)));
        }
        const ssize_t n = ::read(m_reader->answers, static_cast<char *>(into) + got, bytes - got);
        if (n < 0 && (errno == EINTR || errno == EAGAIN)) {
            awaited = true;
            continue;
        }
        if (n <= 0) {
            /* Its answers closed: it ended, or is to be ended; how, its reaping tells. */
            return Received::Ended;
        }
        if (!begun)
            begun = Clock::now();
        got += size_t(n);
    }
    return Received::Whole;
}

PictureReader::Received PictureReader::await(Clock::time_point deadline, Reply &reply)
{
    ReaderKeeper &keeper = ReaderKeeper::instance();
    const Asked &asked = *m_asked;
    std::optional<Clock::time_point> begun;
    protocol::Answer &answer = reply.answer;
    Received received = receive(&answer, sizeof answer, deadline, begun);
    if (received != Received::Whole)
        return received;
    const auto lie = [&] {
        keeper.end(m_reader);
        return Received::Ended;
    };
    /* Only the answer to the request sent, and only what an answer may say. */
    if (answer.id != asked.id || answer.colours < 0 || answer.colours > protocol::kMaxColours || answer.textBytes < 0
        || answer.textBytes > protocol::kMaxTextBytes
        || (answer.status != protocol::Status::Picture && answer.status != protocol::Status::Broken
            && answer.status != protocol::Status::TooLarge))
        return lie();
    reply.colours.resize(answer.colours);
    reply.text.resize(answer.textBytes);
    received = receive(reply.colours.data(), sizeof(QRgb) * size_t(answer.colours), deadline, begun);
    if (received == Received::Whole)
        received = receive(reply.text.data(), size_t(reply.text.size()), deadline, begun);
    if (received == Received::Whole && answer.status == protocol::Status::Picture) {
        const auto format = QImage::Format(answer.format);
        if (!sane(answer))
            return lie();
        if (answer.transfer == protocol::Transfer::Inline) {
            reply.picture = QImage(answer.width, answer.height, format);
            if (reply.picture.isNull() || reply.picture.bytesPerLine() != answer.bytesPerLine)
                return lie();
            received = receive(reply.picture.bits(), size_t(answer.pixelBytes), deadline, begun);
        } else if (PixelBuffer *buffer = takeBuffer(size_t(answer.pixelBytes))) {
            /* Copied out of the window, which the program made and the reader cannot grow, shrink or move, before
               anything is looked at: what is checked is what the program keeps. */
            std::memcpy(buffer->at, pixelWindow().at, size_t(answer.pixelBytes));
            reply.picture = QImage(static_cast<uchar *>(buffer->at), answer.width, answer.height, answer.bytesPerLine,
                                   format, giveBackBuffer, buffer);
            if (reply.picture.isNull())
                giveBackBuffer(buffer);
        }
        if (received == Received::Whole && (reply.picture.isNull() || !coloursFit(reply.picture, answer.colours)))
            return lie();
    }
    if (received != Received::Whole)
        return received;
    /* A reading that took more than its time is too large, whether or not its answer came before it was looked
       at. */
    reply.readerTime = keeper.timeOf(*m_reader);
    if (reply.readerTime - asked.readerStart >= asked.limit)
        return Received::Overdue;
    return Received::Whole;
}

QImage PictureReader::read(const QString &resolved, bool *firstOfReader)
{
    if (firstOfReader)
        *firstOfReader = true;
    /* No file has such a path: refused at once, as reading it would be, with nothing to read. */
    if (namesNoFile(resolved))
        return readPictureFile(resolved);
    ReaderKeeper &keeper = ReaderKeeper::instance();
    const QByteArray path = resolved.toUtf8();
    const uint64_t group = PictureGroup::current();
    const std::optional<std::chrono::nanoseconds> wall = PictureRead::remainingWall();
    const Clock::time_point deadline = Clock::now() + (wall ? *wall : kNoReadingWait);
    /* Another picture asked for is let go, with its reader's work on it. */
    if (m_asked && (m_asked->path != path || m_asked->group != group))
        letGoAsked();
    if (!m_asked) {
        m_asked = std::make_unique<Asked>();
        m_asked->path = path;
        m_asked->named = excerpt(resolved);
        m_asked->group = group;
        /* A picture has its own processor time, whatever is left to the reading it is read in. */
        const bool reading = PictureRead::active();
        m_asked->allowed = reading ? ns(kMaxPictureReadTime) : protocol::kNoReading;
        m_asked->limit = ns(reading ? kMaxPictureReadTime : kNoReadingTime) + ns(kKillGrace);
    }
    m_asked->wallBound = wall.has_value();
    const QString named = m_asked->named;
    const auto notRead = [&] { return PictureNotReadInTime(QStringLiteral("Obrázek se nestihl načíst: %1").arg(named)); };
    for (;;) {
        /* Once the reading's time is spent, no picture is sent. */
        if (!m_asked->sent) {
            const Sent sent = Clock::now() < deadline ? send(deadline) : Sent::Later;
            if (sent == Sent::Later)
                throw notRead();
            if (sent == Sent::CannotStart) {
                m_asked.reset();
                throw PictureNotRead(QStringLiteral("Čtečka obrázků %1 se nespustila, obrázek nelze přečíst: %2")
                                         .arg(QString::fromUtf8(program()), named));
            }
            if (sent == Sent::NotReady) {
                m_asked.reset();
                throw PictureReaderNotReady(QStringLiteral("Čtečka obrázků %1 nebyla ani za %2 s připravena (%3), "
                                                           "obrázek nelze přečíst: %4")
                                                .arg(QString::fromUtf8(program()))
                                                .arg(ReaderKeeper::kMostStartWait.count())
                                                .arg(notReadyReason(), named));
            }
        }
        /* What the reader at work says of the picture is free of what other files may have made of it only when
           the picture was the first it read. */
        if (firstOfReader)
            *firstOfReader = m_asked->first;
        Reply reply;
        switch (await(deadline, reply)) {
        case Received::Late: throw notRead();
        case Received::Overdue:
            retire();
            m_asked.reset();
            throw PictureTooLarge(QStringLiteral("Obrázek je příliš velký: %1").arg(named));
        case Received::Stalled:
            retire();
            if (++m_asked->strikes >= kMostStrikes) {
                m_asked.reset();
                throw PictureNeverRead(notRead().text());
            }
            m_asked->sent = false;
            continue;
        case Received::Ended: {
            /* One still running once its answers closed is ended as a liar; one that ended of itself or by a
               signal from outside is not taken for killed by the program, however late its reaping. */
            if (!keeper.waitReaped(m_reader, Clock::now() + kAnswerTime))
                keeper.end(m_reader);
            const Cause cause = causeOf(keeper.endingOf(*m_reader));
            retire();
            if (cause == Cause::TimeLimit) {
                m_asked.reset();
                throw PictureTooLarge(QStringLiteral("Obrázek je příliš velký: %1").arg(named));
            }
            /* Killed from outside: no verdict, and another reader takes the picture, as after one that stalled. */
            if (cause == Cause::Outside && ++m_asked->strikes >= kMostStrikes) {
                m_asked.reset();
                throw PictureNeverRead(notRead().text());
            }
            if (cause != Cause::Outside && ++m_asked->failures >= kMostFailures) {
                m_asked.reset();
                throw ui::SimError(QStringLiteral("Obrázek je poškozený: %1").arg(named));
            }
            m_asked->sent = false;
            continue;
        }
        case Received::Whole: break;
        }
        m_asked.reset();
        ++m_answered;
        keeper.setBusy(*m_reader, false, reply.readerTime);
        /* Out of memory, it ends once it has answered: another reads the next picture. */
        if (reply.answer.ending)
            retire();
        switch (reply.answer.status) {
        case protocol::Status::Picture:
            if (indexed(reply.answer.format))
                reply.picture.setColorTable(reply.colours);
            reply.picture.setDotsPerMeterX(reply.answer.dotsPerMeterX);
            reply.picture.setDotsPerMeterY(reply.answer.dotsPerMeterY);
            return reply.picture;
        case protocol::Status::TooLarge: throw PictureTooLarge(QString::fromUtf8(reply.text), reply.answer.forTimeLeft != 0);
        case protocol::Status::Broken: break;
        }
        throw ui::SimError(QString::fromUtf8(reply.text));
    }
}

} // namespace platform
