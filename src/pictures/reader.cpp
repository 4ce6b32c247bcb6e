/** @file reader.cpp The picture reader's work: given up privileges, requests read, answers given. */
#include "pictures/reader.h"

#include "pictures/sandbox.h"
#include "platform/excerpt.h"
#include "platform/files.h"
#include "platform/picture_limits.h"
#include "platform/picture_memory.h"
#include "platform/picture_read.h"
#include "ui/sim_error.h"

#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QSemaphore>
#include <QThread>
#include <QThreadPool>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <memory>
#include <new>
#include <optional>
#include <vector>

#include <dlfcn.h>
#include <fcntl.h>
#include <malloc.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/mman.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>

/*
 * Whatever a picture file makes its reading do (take all memory, loop in
 * a library's call no clock can stop, crash, or take the reader over), it
 * does it here, under the limits the kernel holds this process to and
 * with nothing left that reaches beyond it; the game only checks the
 * answer and waits for it no longer than the reading's time.
 */

#ifdef KAMENNA_INSTRUMENTED
/* A sanitizer's finding ends the reader with a status of its own, which fails the program that waits for it. Freed
   memory is held back only a little, so that it does not count against the reader's limit. */
extern "C" const char *__asan_default_options()
{
    return "quarantine_size_mb=16:allocator_may_return_null=1:exitcode=86";
}
extern "C" const char *__ubsan_default_options()
{
    return "exitcode=86";
}
#endif

namespace pictures {

namespace {

namespace protocol = platform::picture_protocol;
static_assert(protocol::kSanitizerExitStatus == 86);

/** Memory freed by the pictures read that the reader keeps for the next: the pixels of a picture of 2,896 a side. */
constexpr int kKeptFreeMemory = 32 * 1024 * 1024;

/** The most descriptors the reader holds: what Qt and its fonts keep open, with room to spare. */
constexpr rlim_t kMaxDescriptors = 128;

/** The most signals queued to the reader: the user's allowance is shared by all its processes. */
constexpr rlim_t kMostQueuedSignals = 8;

/** The most pictures a reader reads: one train's, ten at the most, or one on its own. */
constexpr int kMostPictures = 10;

/** The processor time a reader may take beyond its pictures' own: answering them and waiting, with room to spare. */
constexpr std::chrono::milliseconds kTimeBeyondPictures{1000};

/** The most threads Qt's image code may convert and scale a picture on: more win little, and each costs a stack. */
constexpr int kMostDecoderThreads = 4;

/** A reading's outcome, as it is answered. */
struct Outcome {
    protocol::Status status = protocol::Status::Broken;
    bool forTimeLeft = false;
    bool ending = false; ///< Out of memory: the reader ends once it has answered.
    QString text;
    QImage picture;
};

/** The pixel window the program gave, mapped for writing; null until it came. */
uchar *g_window = nullptr;

/** Whether a picture being decoded has its pixels in the window. */
bool g_windowTaken = false;

void letGoWindow(void *)
{
    g_windowTaken = false;
}

/** @return the bytes of a row of a picture, as QImage lays it out. */
qsizetype rowBytes(int width, QImage::Format format)
{
    return (qsizetype(width) * QImage::toPixelFormat(format).bitsPerPixel() + 31) / 32 * 4;
}

/**
 * A new picture for a decoder to write into: a larger one in the pixel
 * window when it is free, so that its pixels are written once, where the
 * program copies them from, into memory warm from the last picture; a
 * small one, or one while the window holds another, on the heap.
 */
QImage pictureInWindow(int width, int height, QImage::Format format)
{
    const qsizetype bytes = rowBytes(width, format) * height;
    if (!g_window || g_windowTaken || width <= 0 || height <= 0 || bytes <= protocol::kMaxInlinePixels
        || bytes > protocol::kWindowBytes)
        return QImage(width, height, format);
    g_windowTaken = true;
    return QImage(g_window, width, height, rowBytes(width, format), format, letGoWindow, nullptr);
}

/** Writes all the parts, in one call where the pipe takes them; ends the reader when it cannot. */
void writeAll(std::vector<iovec> parts)
{
    size_t first = 0;
    while (first < parts.size()) {
        ssize_t done = ::writev(kAnswers, parts.data() + first, int(parts.size() - first));
        if (done < 0 && errno == EINTR)
            continue;
        if (done <= 0)
            _exit(0);
        /* Past what went: whole parts, then into the part it stopped in. */
        for (; first < parts.size() && size_t(done) >= parts[first].iov_len; ++first)
            done -= ssize_t(parts[first].iov_len);
        if (first < parts.size()) {
            parts[first].iov_base = static_cast<char *>(parts[first].iov_base) + done;
            parts[first].iov_len -= size_t(done);
        }
    }
}

/** @return a part to send: some bytes as they lie. */
iovec part(const void *bytes, size_t n)
{
    return iovec{const_cast<void *>(bytes), n};
}

/** Reads all of n bytes of a request. @return false when the input closed first. */
bool receiveAll(void *bytes, size_t n)
{
    char *at = static_cast<char *>(bytes);
    while (n > 0) {
        const ssize_t done = ::read(kRequests, at, n);
        if (done < 0 && errno == EINTR)
            continue;
        if (done <= 0)
            return false;
        at += done;
        n -= size_t(done);
    }
    return true;
}

/**
 * Answers a request with its outcome, letting go of its picture: a larger
 * one's pixels are left in the window, or, decoded elsewhere by Qt's
 * readers, copied into it, for the program to copy before it sends the
 * next request.
 */
void answer(uint64_t id, Outcome &outcome)
{
    protocol::Answer a;
    a.id = id;
    a.status = outcome.status;
    a.forTimeLeft = outcome.forTimeLeft;
    a.ending = outcome.ending;
    const QByteArray text = outcome.text.toUtf8().left(protocol::kMaxTextBytes);
    a.textBytes = int32_t(text.size());
    QImage &picture = outcome.picture;
    QList<QRgb> colours;
    if (a.status == protocol::Status::Picture) {
        if (picture.format() == QImage::Format_Indexed8 || picture.format() == QImage::Format_Mono
            || picture.format() == QImage::Format_MonoLSB)
            colours = picture.colorTable().mid(0, protocol::kMaxColours);
        a.format = int32_t(picture.format());
        a.width = picture.width();
        a.height = picture.height();
        a.bytesPerLine = int32_t(picture.bytesPerLine());
        a.dotsPerMeterX = picture.dotsPerMeterX();
        a.dotsPerMeterY = picture.dotsPerMeterY();
        a.pixelBytes = picture.sizeInBytes();
        a.transfer = a.pixelBytes <= protocol::kMaxInlinePixels ? protocol::Transfer::Inline : protocol::Transfer::Window;
        if (a.transfer == protocol::Transfer::Window && picture.constBits() != g_window) {
            if (g_window && !g_windowTaken && a.pixelBytes <= protocol::kWindowBytes) {
                std::memcpy(g_window, picture.constBits(), size_t(a.pixelBytes));
            } else {
                a = protocol::Answer{};
                a.id = id;
                a.status = protocol::Status::TooLarge;
                a.ending = true;
            }
        }
    }
    a.colours = int32_t(colours.size());
    std::vector<iovec> parts{part(&a, sizeof a), part(colours.constData(), sizeof(QRgb) * size_t(colours.size())),
                             part(text.constData(), size_t(text.size()))};
    if (a.status == protocol::Status::Picture && a.transfer == protocol::Transfer::Inline)
        parts.push_back(part(picture.constBits(), size_t(a.pixelBytes)));
    writeAll(std::move(parts));
    picture = QImage();
    /* Out of memory: it waits to be ended, which the program does at once, looking at what it took first. */
    if (a.ending) {
        char rest[256];
        while (::read(kRequests, rest, sizeof rest) > 0) {
        }
        _exit(0);
    }
}

/** @return the outcome of reading one picture file within its processor time. */
Outcome readOne(const QString &path, int64_t allowedNs)
{
    const QString refusedForMemory = QStringLiteral("Obrázek je příliš velký: %1");
    Outcome outcome;
    errno = 0;
    try {
        /* Within the program's reading, the time left to it; else its decoding has its own. */
        std::optional<platform::PictureRead> reading;
        if (allowedNs != protocol::kNoReading)
            reading.emplace(std::chrono::nanoseconds(allowedNs));
        outcome.picture = platform::readPictureFile(path);
        outcome.status = protocol::Status::Picture;
    } catch (const platform::PictureTooLarge &e) {
        outcome.status = protocol::Status::TooLarge;
        outcome.forTimeLeft = e.forTimeLeft();
        outcome.text = e.text();
    } catch (const std::bad_alloc &) {
        outcome.status = protocol::Status::TooLarge;
        outcome.ending = true;
        outcome.text = refusedForMemory.arg(platform::excerpt(path));
    } catch (const ui::SimError &e) {
        outcome.text = e.text();
        /* A library that found no memory gives a broken picture: it was its size. */
        if (errno == ENOMEM) {
            outcome.status = protocol::Status::TooLarge;
            outcome.ending = true;
            outcome.text = refusedForMemory.arg(platform::excerpt(path));
        }
    }
    return outcome;
}

/** @return a figure of /proc/self/status, in bytes; -1 when it cannot be read. */
long long statusBytes(const char *key)
{
    long long kb = -1;
    if (FILE *status = std::fopen("/proc/self/status", "r")) {
        char line[256];
        const size_t length = std::strlen(key);
        while (std::fgets(line, sizeof line, status))
            if (std::strncmp(line, key, length) == 0 && std::sscanf(line + length, " %lld kB", &kb) == 1)
                break;
        std::fclose(status);
    }
    return kb < 0 ? -1 : kb * 1024;
}

/**
 * Holds every kind of the reader's memory to what it holds now and
 * kMaxPictureReaderMemory more: its address space, which counts what the
 * data limit does not (the pixel window and other shared mappings, the
 * fonts' files mapped), and its data. Past it, a mapping or an allocation
 * fails here. Its descriptors are held to a few, so that what they may
 * hold in the kernel is bounded too.
 */
void limitMemory()
{
    for (const auto &[resource, key] : {std::pair{RLIMIT_AS, "VmSize:"}, std::pair{RLIMIT_DATA, "VmData:"}}) {
        const long long now = statusBytes(key);
        if (now < 0)
            continue;
        const rlim_t limit = rlim_t(now) + rlim_t(platform::kMaxPictureReaderMemory);
        const rlimit held{limit, limit};
        ::setrlimit(resource, &held);
    }
    const rlimit descriptors{kMaxDescriptors, kMaxDescriptors};
    ::setrlimit(RLIMIT_NOFILE, &descriptors);
}

/**
 * Holds the reader, for the rest of its life, to the processor time it has
 * used so far and what its pictures may take: kMostPictures, each its own
 * kMaxPictureReadTime, and kTimeBeyondPictures. There a timer of its own
 * ends it by SIGXCPU, which tells the program that it ran out of its time;
 * should the timer be gone, the kernel ends it by SIGKILL
 * kTimerBeforeHardLimitNs later, at its hard limit, which equals the soft
 * one and is never raised.
 */
void limitProcessorTime()
{
    constexpr int64_t second = 1000000000;
    const int64_t life =
        std::chrono::nanoseconds(kMostPictures * platform::kMaxPictureReadTime + kTimeBeyondPictures).count();
    timespec used{};
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &used);
    /* The kernel counts whole seconds: the timer goes off at a whole second too,
       a fixed time before the hard limit, so that the program knows it from the
       limit alone. */
    const int64_t timerAt = int64_t(used.tv_sec) + (life + second - 1) / second;
    const rlim_t limit = rlim_t(timerAt + protocol::kTimerBeforeHardLimitNs / second);
    sigevent ending{};
    ending.sigev_notify = SIGEV_SIGNAL;
    ending.sigev_signo = SIGXCPU;
    timer_t timer{};
    if (::timer_create(CLOCK_PROCESS_CPUTIME_ID, &ending, &timer) == 0) {
        itimerspec at{};
        at.it_value.tv_sec = time_t(timerAt);
        ::timer_settime(timer, TIMER_ABSTIME, &at, nullptr);
    }
    /* Its timer's signal is queued already: a few more, not the user's whole allowance of queued signals. */
    const rlimit queued{kMostQueuedSignals, kMostQueuedSignals};
    ::setrlimit(RLIMIT_SIGPENDING, &queued);
    const rlimit cpu{limit, limit};
    ::setrlimit(RLIMIT_CPU, &cpu);
}

/**
 * Maps the pixel window the program gives as descriptor 3 at the start,
 * once for the reader's life: its first picture pays no mapping.
 */
void takeStartWindow()
{
    constexpr int kStartWindow = 3;
    struct stat st {};
    if (::fstat(kStartWindow, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size < protocol::kWindowBytes) {
        ::close(kStartWindow);
        return;
    }
    void *mapped =
        ::mmap(nullptr, size_t(protocol::kWindowBytes), PROT_READ | PROT_WRITE, MAP_SHARED, kStartWindow, 0);
    ::close(kStartWindow);
    if (mapped != MAP_FAILED)
        g_window = static_cast<uchar *>(mapped);
}

/** Told by each thread of the decoders as it starts. */
QSemaphore *const g_decoderThreadStarted = new QSemaphore;

/** Lets the threads of the decoders go once the reader gives up its privileges. */
QSemaphore *const g_decoderThreadsGo = new QSemaphore;

/**
 * Told by each thread of the decoders once it has given up its privileges
 * (its capabilities, and it is in the reader's Landlock domain), or failed to.
 */
QSemaphore *const g_decoderThreadEntered = new QSemaphore;

/** The domain the decoders' threads enter as they go; -1 for none. */
std::atomic<int> g_decoderDomain{-1};

/** Whether a thread of the decoders failed to give up its privileges. */
std::atomic<bool> g_decoderThreadOutside{false};

/**
 * Starts the threads that Qt's image code converts and scales large
 * pictures on, its global pool's, to be kept for the reader's life: once
 * it has given up its privileges the reader can start no thread, so that
 * however a file takes it over it holds no more than these. They start
 * while Qt itself does (awaitDecoderThreads).
 * @return how many.
 */
int startDecoderThreads()
{
    QThreadPool *pool = QThreadPool::globalInstance();
    const int threads = std::clamp(QThread::idealThreadCount(), 1, kMostDecoderThreads);
    pool->setMaxThreadCount(threads);
    pool->setExpiryTimeout(-1);
    /* Each holds its thread until all are started, so that no two tasks share one. The semaphores are never
       destroyed, as the tasks may still be leaving them when the reader goes on. */
    for (int i = 0; i < threads; ++i)
        pool->start([] {
            g_decoderThreadStarted->release();
            g_decoderThreadsGo->acquire();
            if (!giveUpThreadPrivileges(g_decoderDomain))
                g_decoderThreadOutside = true;
            g_decoderThreadEntered->release();
        });
    return threads;
}

/** Waits until the decoders' threads have all started. */
void awaitDecoderThreads(int threads)
{
    g_decoderThreadStarted->acquire(threads);
}

/**
 * Lets the decoders' threads wait for work, each once it has given up its
 * capabilities and entered the reader's Landlock domain (-1 for none), as
 * both hold only the thread that gives them up and those it starts.
 * @return whether all did.
 */
bool releaseDecoderThreads(int threads, int domain)
{
    g_decoderDomain = domain;
    g_decoderThreadsGo->release(threads);
    g_decoderThreadEntered->acquire(threads);
    return !g_decoderThreadOutside;
}

/**
 * Puts the reader in a session of its own, which holds no terminal: no
 * signal of the program's terminal reaches it, and it reaches no terminal
 * through the program's session. setsid() makes one unless the reader
 * leads a session already; one started as its process group's leader
 * first steps into its parent's group, as setsid() asks. Should it still
 * share the program's session, it gives up the program's terminal.
 */
void leaveTerminal()
{
    if (::getsid(0) == ::getpid())
        return;
    if (::setsid() < 0 && ::setpgid(0, ::getpgid(::getppid())) == 0)
        ::setsid();
    if (::getsid(0) == ::getpid())
        return;
    const int terminal = ::open("/dev/tty", O_RDONLY | O_NOCTTY | O_CLOEXEC);
    if (terminal >= 0) {
        ::ioctl(terminal, TIOCNOTTY);
        ::close(terminal);
    }
}

/**
 * Loads the library of the one image plugin of Qt's the reader uses, the
 * icons' reader: a library is mapped at addresses of its own choosing,
 * which the reader may not choose once it has given up its privileges.
 * Qt finds the plugin at the first icon, and the library loaded already.
 */
void loadImagePlugins()
{
    for (const QString &folder : QCoreApplication::libraryPaths()) {
        const QByteArray icons = QFile::encodeName(folder + QStringLiteral("/imageformats/libqico.so"));
        if (::access(icons.constData(), R_OK) == 0 && ::dlopen(icons.constData(), RTLD_NOW | RTLD_LOCAL))
            return;
    }
}

} // namespace

void writeAnswer(const void *bytes, size_t n)
{
    writeAll({part(bytes, n)});
}

int runReader(int argc, char **argv, const ReaderHooks &hooks)
{
    /* The reader goes with the program, however the program ends. */
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    ::signal(SIGPIPE, SIG_IGN);
    leaveTerminal();
    /* Its own mounts, taken while it runs one thread: the threads it starts share them. */
    takeOwnMounts();
    /* Memory freed by one picture stays for the next, up to a picture's size, rather than going back to the
       system and being faulted in anew, page by page, for every picture; one arena for every thread, as each
       more would take its own address space. */
    ::mallopt(M_MMAP_THRESHOLD, kKeptFreeMemory);
    ::mallopt(M_TRIM_THRESHOLD, kKeptFreeMemory);
    ::mallopt(M_ARENA_MAX, 1);
    const rlimit noCore{0, 0};
    ::setrlimit(RLIMIT_CORE, &noCore);
    bool fonts = false;
    for (int i = 1; i < argc; ++i)
        fonts = fonts || std::strcmp(argv[i], "--fonts") == 0;
    const int decoderThreads = startDecoderThreads();
    std::unique_ptr<QCoreApplication> application;
    if (fonts) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        application = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        application = std::make_unique<QCoreApplication>(argc, argv);
    }
    /* Their stacks are the reader's before its memory is counted. */
    awaitDecoderThreads(decoderThreads);
    loadImagePlugins();
    limitMemory();
    limitProcessorTime();
    takeStartWindow();
    /* Nothing of a file is read before the reader has given up all it may do but read. */
    if (!giveUpPrivileges([decoderThreads](int domain) { return releaseDecoderThreads(decoderThreads, domain); },
                          !hooks.withoutLandlock)) {
        std::fprintf(stderr, "kamenna-pictures: the system-call filter cannot be set\n");
        return 1;
    }
    if (!hooks.hello || !hooks.hello()) {
        const protocol::Hello hello;
        writeAll({part(&hello, sizeof hello)});
    }
    platform::setPictureMemory(pictureInWindow);
    for (;;) {
        protocol::Request request;
        if (!receiveAll(&request, sizeof request) || request.pathBytes > 4 * platform::kMaxPathLength)
            _exit(0);
        QByteArray path(qsizetype(request.pathBytes), Qt::Uninitialized);
        if (!receiveAll(path.data(), size_t(path.size())))
            _exit(0);
        if (hooks.answer && hooks.answer(request, path, g_window))
            continue;
        Outcome outcome = readOne(QString::fromUtf8(path), request.allowedNs);
        answer(request.id, outcome);
    }
}

} // namespace pictures
