/** @file kamenna_counter.cpp The helper program that runs the counter library's function outside the game's process. */
#include "platform/counter_protocol.h"

#include <cstdio>
#include <cstring>

#include <dlfcn.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

/*
 * Whatever the library does (crash, loop, exit, print, corrupt memory), it
 * does it in this process; the game only reads the answer written here and
 * waits for it a bounded time.
 */

namespace {

namespace protocol = platform::counter_protocol;

/** The library's function: a zero-terminated text in, one out, owned by the library. */
using CounterFunction = const char *(*)(const char *);

/** Writes all of n bytes to fd. */
void writeAll(int fd, const char *bytes, size_t n)
{
    while (n > 0) {
        const ssize_t done = ::write(fd, bytes, n);
        if (done < 0)
            _exit(1);
        bytes += done;
        n -= size_t(done);
    }
}

/** Writes an answer (status, text, closing zero) and ends the helper without running the library's destructors. */
[[noreturn]] void answer(int fd, char status, const char *text = nullptr, size_t length = 0)
{
    writeAll(fd, &status, 1);
    if (length > 0)
        writeAll(fd, text, length);
    writeAll(fd, "", 1);
    _exit(0);
}

/**
 * Opens the library as a regular file (a FIFO or a device is never waited
 * on) and loads that very file.
 * @return the library's handle, or null.
 */
void *openLibrary(const char *path)
{
    const int fd = ::open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return nullptr;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode))
        return nullptr;
    char opened[64];
    std::snprintf(opened, sizeof opened, "/proc/self/fd/%d", fd);
    return dlopen(opened, RTLD_NOW | RTLD_LOCAL);
}

/** @return the length of text up to its zero, or -1 when none lies within MaxScan bytes. */
int terminatedLength(const char *text)
{
    const size_t length = strnlen(text, protocol::MaxScan);
    return length < size_t(protocol::MaxScan) ? int(length) : -1;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2 && argc != 3)
        return 2;
    /* The answer keeps the pipe; what the library itself prints goes nowhere. */
    const int out = ::fcntl(STDOUT_FILENO, F_DUPFD_CLOEXEC, 3);
    const int devNull = ::open("/dev/null", O_WRONLY);
    if (out < 0 || devNull < 0 || ::dup2(devNull, STDOUT_FILENO) < 0)
        return 2;
    void *library = openLibrary(argv[1]);
    if (!library)
        answer(out, protocol::NotLoadable);
    const auto function = reinterpret_cast<CounterFunction>(dlsym(library, "A"));
    if (!function)
        answer(out, protocol::NoFunction);
    if (argc == 2)
        answer(out, protocol::Loaded);
    const char *result = function(argv[2]);
    if (!result)
        answer(out, protocol::NoText);
    const int length = terminatedLength(result);
    if (length < 0)
        answer(out, protocol::Unterminated);
    answer(out, protocol::Text, result, size_t(length));
}
