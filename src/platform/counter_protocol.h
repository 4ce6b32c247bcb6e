/** @file counter_protocol.h What the counter helper program answers over its pipe. */
#pragma once

namespace platform::counter_protocol {

/*
 * The helper is run as "kamenna-counter LIBRARY" to check that the library
 * loads and has its function, or as "kamenna-counter LIBRARY TEXT" to call
 * the function once. It writes one answer to its standard output: a status
 * byte, for a call the text the function gave, and a closing zero byte;
 * then it exits with status 0. Anything else (no answer, a cut answer, a
 * signal, another exit status, no exit in time) means the library failed.
 */

constexpr char Loaded = 'O';       ///< The library loaded and has its function (check run).
constexpr char Text = 'T';         ///< The function gave the text that follows.
constexpr char NoText = 'N';       ///< The function gave a null pointer.
constexpr char Unterminated = 'U'; ///< The function's text has no zero within MaxScan bytes.
constexpr char NotLoadable = 'L';  ///< No regular file, or dlopen refused it.
constexpr char NoFunction = 'F';   ///< The library has no function `A`.

/** Bytes of the function's text looked at for its terminating zero. */
constexpr int MaxScan = 4096;

} // namespace platform::counter_protocol
