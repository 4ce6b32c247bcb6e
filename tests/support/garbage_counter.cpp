/** @file garbage_counter.cpp A counter library that misbehaves, for the call-on buttons' tests. */

#include <cstring>

namespace {

/** A text far longer than any counter, and without digits. */
char g_garbage[] = "garbage-garbage-garbage-garbage-garbage-garbage-garbage-garbage";

} // namespace

/**
 * Answers a counter text "null" with no text at all and any other text
 * with the garbage above.
 */
extern "C" __attribute__((visibility("default"))) const char *A(const char *counter)
{
    if (counter && std::strcmp(counter, "null") == 0)
        return nullptr;
    return g_garbage;
}
