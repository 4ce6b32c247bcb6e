/** @file mavex.cpp Stand-in for the external counter library: advances a use counter's text. */

#include <cstring>

namespace {

/** Counters are shown with at least this many digits. */
constexpr std::size_t kMinDigits = 5;

/** Longest counter text kept; a longer one starts counting anew. */
constexpr std::size_t kMaxDigits = 63;

/** The returned text; the caller copies it before the next call. */
char g_result[kMaxDigits + 1];

/** @return whether text is one to kMaxDigits decimal digits. */
bool isCounter(const char *text, std::size_t length)
{
    if (length == 0 || length > kMaxDigits)
        return false;
    for (std::size_t i = 0; i < length; ++i) {
        if (text[i] < '0' || text[i] > '9')
            return false;
    }
    return true;
}

/** Adds one to the decimal digits in g_result; past all nines it wraps to zeros. */
void increment(std::size_t length)
{
    for (std::size_t i = length; i-- > 0;) {
        if (g_result[i] != '9') {
            ++g_result[i];
            return;
        }
        g_result[i] = '0';
    }
}

} // namespace

/**
 * Advances a use counter: its text read as a decimal number, the next
 * number returned with the same number of digits, at least five, leading
 * zeros kept ("00041" gives "00042", "99999" wraps to "00000"). A missing,
 * empty or non-numeric text starts the count at "00001".
 * @param counter the zero-terminated text of the counter.
 * @return the next text, in a buffer of the library valid until the next call.
 */
extern "C" __attribute__((visibility("default"))) const char *A(const char *counter)
{
    const std::size_t length = counter ? std::strlen(counter) : 0;
    if (!isCounter(counter, length)) {
        std::memset(g_result, '0', kMinDigits);
        g_result[kMinDigits - 1] = '1';
        g_result[kMinDigits] = '\0';
        return g_result;
    }
    const std::size_t width = length < kMinDigits ? kMinDigits : length;
    std::memset(g_result, '0', width - length);
    std::memcpy(g_result + (width - length), counter, length);
    g_result[width] = '\0';
    increment(width);
    return g_result;
}
