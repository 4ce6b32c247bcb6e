/** @file garbage_counter.cpp A counter library that misbehaves, for the call-on buttons' tests. */

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <sys/mman.h>
#include <unistd.h>

namespace {

/** A text far longer than any counter, and without digits. */
char g_garbage[] = "garbage-garbage-garbage-garbage-garbage-garbage-garbage-garbage";

/** @return text without its terminating zero: a page of letters followed by a page that cannot be read. */
const char *unterminated()
{
    const long page = sysconf(_SC_PAGESIZE);
    void *pages = mmap(nullptr, size_t(page) * 2, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (pages == MAP_FAILED)
        return g_garbage;
    char *text = static_cast<char *>(pages);
    std::memset(text, '7', size_t(page));
    mprotect(text + page, size_t(page), PROT_NONE);
    return text + page - 16;
}

/** @return a text that runs on far past any counter without a zero, all of it readable. */
const char *endless()
{
    static char letters[1 << 16];
    std::memset(letters, '8', sizeof letters);
    return letters;
}

/** @return the number of a child process that runs on for ever, as text. */
const char *orphan()
{
    static char number[32];
    const pid_t child = fork();
    if (child == 0) {
        for (;;)
            pause();
    }
    std::snprintf(number, sizeof number, "%d", int(child));
    return number;
}

} // namespace

/**
 * Answers a counter text by what it names: "null" with no text at all,
 * "crash" by crashing, "loop" by never returning, "exit" by ending the
 * process, "unterminated" and "endless" with text that has no end,
 * "orphan" with the number of a process it leaves running, and any other
 * text with the garbage above.
 */
extern "C" __attribute__((visibility("default"))) const char *A(const char *counter)
{
    if (!counter)
        return g_garbage;
    if (std::strcmp(counter, "null") == 0)
        return nullptr;
    if (std::strcmp(counter, "crash") == 0)
        std::raise(SIGSEGV);
    if (std::strcmp(counter, "loop") == 0) {
        for (volatile bool forever = true; forever;) {
        }
    }
    if (std::strcmp(counter, "exit") == 0)
        std::exit(0);
    if (std::strcmp(counter, "unterminated") == 0)
        return unterminated();
    if (std::strcmp(counter, "endless") == 0)
        return endless();
    if (std::strcmp(counter, "orphan") == 0)
        return orphan();
    return g_garbage;
}
