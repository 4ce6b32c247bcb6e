/** @file kamenna_pictures.cpp The picture reader: the helper program that reads the data directory's pictures outside the game's process. */
#include "platform/excerpt.h"
#include "platform/files.h"
#include "platform/picture_limits.h"
#include "platform/picture_memory.h"
#include "platform/picture_protocol.h"
#include "platform/picture_read.h"
#include "platform/picture_reader.h"
#include "ui/sim_error.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QImage>

#include <cerrno>
#include <cstdio>
#include <cstdint>
#include <cstring>
#include <map>
#include <memory>
#include <new>
#include <optional>
#include <vector>

#include <fcntl.h>
#include <malloc.h>
#include <signal.h>
#include <sys/mman.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/uio.h>
#include <unistd.h>

/*
 * Whatever a picture file makes its reading do (take all memory, loop in
 * a library's call no clock can stop, crash), it does it here, under the
 * limits the kernel holds this process to; the game only reads the answer
 * and waits for it no longer than the reading's time.
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

namespace {

namespace protocol = platform::picture_protocol;
static_assert(protocol::kSanitizerExitStatus == 86);

/** Memory freed by the pictures read that the reader keeps for the next: the pixels of a picture of 2,896 a side. */
constexpr int kKeptFreeMemory = 32 * 1024 * 1024;

/** The socket of requests and answers: the reader's standard input. */
constexpr int kChannel = STDIN_FILENO;

/**
 * Writes all the parts, in one call where the socket takes them, the first
 * bytes with a file descriptor when one is given; ends the reader when it
 * cannot.
 */
void sendAll(std::vector<iovec> parts, int file = -1)
{
    size_t first = 0;
    while (first < parts.size()) {
        msghdr header{};
        header.msg_iov = parts.data() + first;
        header.msg_iovlen = parts.size() - first;
        alignas(cmsghdr) char control[CMSG_SPACE(sizeof(int))];
        if (file >= 0) {
            header.msg_control = control;
            header.msg_controllen = sizeof control;
            cmsghdr *c = CMSG_FIRSTHDR(&header);
            c->cmsg_level = SOL_SOCKET;
            c->cmsg_type = SCM_RIGHTS;
            c->cmsg_len = CMSG_LEN(sizeof(int));
            std::memcpy(CMSG_DATA(c), &file, sizeof file);
        }
        ssize_t done = ::sendmsg(kChannel, &header, MSG_NOSIGNAL);
        if (done < 0 && errno == EINTR)
            continue;
        if (done <= 0)
            _exit(0);
        file = -1;
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

/** Reads all of n bytes. @return false when the socket closed first. */
bool receiveAll(void *bytes, size_t n)
{
    char *at = static_cast<char *>(bytes);
    while (n > 0) {
        const ssize_t done = ::read(kChannel, at, n);
        if (done < 0 && errno == EINTR)
            continue;
        if (done <= 0)
            return false;
        at += done;
        n -= size_t(done);
    }
    return true;
}

/** A reading's outcome, as it is answered. */
struct Outcome {
    protocol::Status status = protocol::Status::Broken;
    bool forTimeLeft = false;
    bool ending = false; ///< Out of memory: the reader ends once it has answered.
    QString text;
    QImage picture;
};

/** A memory file that pixels of a picture being decoded lie in, mapped while the picture lives. */
struct MemoryFile {
    int file = -1;
    void *at = nullptr;
    size_t bytes = 0;
};

/** The memory files of the pictures alive, by where their pixels lie. */
std::map<const void *, MemoryFile> g_memoryFiles;

/** Unmaps a picture's memory file as the picture goes; closes it unless it was handed over. */
void letGoMemoryFile(void *at)
{
    const auto found = g_memoryFiles.find(at);
    if (found == g_memoryFiles.end())
        return;
    ::munmap(found->second.at, found->second.bytes);
    if (found->second.file >= 0)
        ::close(found->second.file);
    g_memoryFiles.erase(found);
}

/** @return a new memory file of some bytes, mapped; its file is -1 when it cannot be made. */
MemoryFile newMemoryFile(size_t bytes)
{
    MemoryFile made;
    made.file = ::memfd_create("kamenna-picture", MFD_CLOEXEC | MFD_ALLOW_SEALING);
    if (made.file < 0)
        return made;
    void *at = ::ftruncate(made.file, off_t(bytes)) == 0
                   ? ::mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_SHARED | MAP_POPULATE, made.file, 0)
                   : MAP_FAILED;
    if (at == MAP_FAILED) {
        ::close(made.file);
        made.file = -1;
        return made;
    }
    made.at = at;
    made.bytes = bytes;
    return made;
}

/**
 * A new picture whose pixels lie in a memory file of their own, which is
 * handed over to the program as it is once the picture is read: its
 * pixels are written once, where the program will show them from.
 */
QImage pictureInMemoryFile(int width, int height, QImage::Format format)
{
    const qsizetype bytesPerLine = (qsizetype(width) * QImage::toPixelFormat(format).bitsPerPixel() + 31) / 32 * 4;
    /* A small picture is sent in the answer itself. */
    if (width <= 0 || height <= 0 || bytesPerLine * height > platform::kMaxPictureBytes
        || bytesPerLine * height <= protocol::kMaxInlinePixels)
        return QImage(width, height, format);
    const MemoryFile made = newMemoryFile(size_t(bytesPerLine * height));
    if (made.file < 0)
        return {};
    g_memoryFiles[made.at] = made;
    return QImage(static_cast<uchar *>(made.at), width, height, bytesPerLine, format, letGoMemoryFile, made.at);
}

/**
 * Seals a memory file against any change, so that the program maps it as
 * it was sent. @return it, or -1 when it cannot be sealed (and is closed).
 */
int sealed(int file)
{
    if (::fcntl(file, F_ADD_SEALS, F_SEAL_SHRINK | F_SEAL_GROW | F_SEAL_WRITE | F_SEAL_SEAL) == 0)
        return file;
    ::close(file);
    return -1;
}

/**
 * Takes the memory file a picture's pixels lie in to hand it over, letting
 * go of the picture: a picture decoded into one alone, and held by nothing
 * else, is handed over as it is; another's pixels are copied into a new one.
 * @return the sealed memory file, or -1 when none can be made.
 */
int takeMemoryFile(QImage &picture)
{
    const auto found = g_memoryFiles.find(picture.constBits());
    if (found != g_memoryFiles.end() && picture.isDetached()) {
        const int file = found->second.file;
        found->second.file = -1;
        picture = QImage();
        return sealed(file);
    }
    MemoryFile copy = newMemoryFile(size_t(picture.sizeInBytes()));
    if (copy.file < 0)
        return -1;
    std::memcpy(copy.at, picture.constBits(), copy.bytes);
    ::munmap(copy.at, copy.bytes);
    picture = QImage();
    return sealed(copy.file);
}

/**
 * The picture last answered with, whose pixels the program copies from
 * here: kept until the next request, which the program sends only once it
 * has them.
 */
QImage g_answered;

/**
 * Answers a request with its outcome, letting go of its picture, but for
 * one whose pixels the program copies (@p copied), which is kept until the
 * next request.
 */
void answer(Outcome &outcome, bool copied)
{
    protocol::Answer a;
    a.status = outcome.status;
    a.forTimeLeft = outcome.forTimeLeft;
    a.ending = outcome.ending;
    const QByteArray text = outcome.text.toUtf8().left(protocol::kMaxTextBytes);
    a.textBytes = int32_t(text.size());
    QImage &picture = outcome.picture;
    QList<QRgb> colours;
    int file = -1;
    if (a.status == protocol::Status::Picture) {
        colours = picture.colorTable().mid(0, protocol::kMaxColours);
        a.format = int32_t(picture.format());
        a.width = picture.width();
        a.height = picture.height();
        a.bytesPerLine = int32_t(picture.bytesPerLine());
        a.dotsPerMeterX = picture.dotsPerMeterX();
        a.dotsPerMeterY = picture.dotsPerMeterY();
        a.pixelBytes = picture.sizeInBytes();
        a.transfer = a.pixelBytes <= protocol::kMaxInlinePixels ? protocol::Transfer::Inline
                     : copied                                    ? protocol::Transfer::Copied
                                                                 : protocol::Transfer::MemoryFile;
        if (a.transfer == protocol::Transfer::Copied) {
            g_answered = picture;
            a.pixelsAt = reinterpret_cast<uintptr_t>(g_answered.constBits());
        } else if (a.transfer == protocol::Transfer::MemoryFile && (file = takeMemoryFile(picture)) < 0) {
            a = protocol::Answer{};
            a.status = protocol::Status::TooLarge;
            a.ending = true;
        }
    }
    a.colours = int32_t(colours.size());
    std::vector<iovec> parts{part(&a, sizeof a), part(colours.constData(), sizeof(QRgb) * size_t(colours.size())),
                             part(text.constData(), size_t(text.size()))};
    if (a.status == protocol::Status::Picture && a.transfer == protocol::Transfer::Inline)
        parts.push_back(part(picture.constBits(), size_t(a.pixelBytes)));
    sendAll(std::move(parts), file);
    if (file >= 0)
        ::close(file);
    if (a.ending)
        _exit(0);
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

/** Holds the reader's data to what it holds now and kMaxPictureReaderMemory more: past it, an allocation fails here. */
void limitMemory()
{
    long dataKb = -1;
    if (FILE *status = std::fopen("/proc/self/status", "r")) {
        char line[256];
        while (std::fgets(line, sizeof line, status))
            if (std::sscanf(line, "VmData: %ld kB", &dataKb) == 1)
                break;
        std::fclose(status);
    }
    if (dataKb < 0)
        return;
    const rlim_t limit = rlim_t(dataKb) * 1024 + rlim_t(platform::kMaxPictureReaderMemory);
    const rlimit data{limit, limit};
    ::setrlimit(RLIMIT_DATA, &data);
}

/** Holds the reader to the processor time of the reading to come, and a second more: the kernel's own guard. */
void limitProcessorTime(int64_t allowedNs)
{
    timespec used{};
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &used);
    rlimit cpu{};
    ::getrlimit(RLIMIT_CPU, &cpu);
    const int64_t allowed = allowedNs == protocol::kNoReading
                                ? std::chrono::nanoseconds(platform::PictureReader::kNoReadingTime).count()
                                : allowedNs;
    cpu.rlim_cur = rlim_t(used.tv_sec + allowed / 1000000000 + 2);
    if (cpu.rlim_max != RLIM_INFINITY && cpu.rlim_cur > cpu.rlim_max)
        cpu.rlim_cur = cpu.rlim_max;
    ::setrlimit(RLIMIT_CPU, &cpu);
}

/** Reads one small picture of each of Qt's kinds, so that its plugins are loaded before the first picture's clock runs. */
void warmUp()
{
    QImage tiny(1, 1, QImage::Format_ARGB32);
    tiny.fill(0);
    QByteArray icon;
    QBuffer buffer(&icon);
    buffer.open(QIODevice::WriteOnly);
    tiny.save(&buffer, "ICO");
    QImage().loadFromData(icon, "ICO");
}

} // namespace

int main(int argc, char **argv)
{
    /* The reader goes with the program, however the program ends. */
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    /* Memory freed by one picture stays for the next, up to a picture's size, rather than going back to the
       system and being faulted in anew, page by page, for every picture. */
    ::mallopt(M_MMAP_THRESHOLD, kKeptFreeMemory);
    ::mallopt(M_TRIM_THRESHOLD, kKeptFreeMemory);
    const rlimit noCore{0, 0};
    ::setrlimit(RLIMIT_CORE, &noCore);
    const bool fonts = argc > 1 && std::strcmp(argv[1], "--fonts") == 0;
    std::unique_ptr<QCoreApplication> application;
    if (fonts) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        application = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        application = std::make_unique<QCoreApplication>(argc, argv);
    }
    warmUp();
    limitMemory();
    static protocol::Hello hello;
    hello.probeAt = reinterpret_cast<uintptr_t>(&hello);
    sendAll({part(&hello, sizeof hello)});
    for (;;) {
        protocol::Request request;
        if (!receiveAll(&request, sizeof request) || request.pathBytes > 4 * platform::kMaxPathLength)
            _exit(0);
        /* The program has the last picture's pixels: it asks for the next picture only then. */
        g_answered = QImage();
        QByteArray path(qsizetype(request.pathBytes), Qt::Uninitialized);
        if (!receiveAll(path.data(), size_t(path.size())))
            _exit(0);
        /* Pixels the program copies are written where the reader's memory is warm from the last picture; pixels
           handed over in a memory file are written into it from the start. */
        platform::setPictureMemory(request.copied ? nullptr : pictureInMemoryFile);
        limitProcessorTime(request.allowedNs);
        Outcome outcome = readOne(QString::fromUtf8(path), request.allowedNs);
        answer(outcome, request.copied != 0);
    }
}
