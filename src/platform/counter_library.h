/** @file counter_library.h The external library that advances the call-on buttons' use counters. */
#pragma once

#include <QString>

namespace platform {

/**
 * The counter library Data/Lib/mavex.so of the data directory, with its
 * one C function `A`: the text of a use counter in, the next text out.
 * The library never enters the program's process: the helper program
 * kamenna-counter, beside the program, loads it and calls its function,
 * and answers over a pipe. A library that crashes, loops, exits or gives
 * a text without its end costs at most AnswerTimeoutMs and gives the
 * message of a library that cannot be loaded.
 */
class CounterLibrary {
public:
    /**
     * Checks the library of a data directory: a regular file that loads
     * and has its function `A`. A library checked before stays in use when
     * this fails.
     * @param dataDir the data directory.
     * @throws ui::SimError naming the library when it or its function is missing.
     */
    void load(const QString &dataDir);

    /** Longest text taken from the function's result. */
    static constexpr int MaxResultLength = 32;

    /** Longest wait for the helper's answer, in milliseconds. */
    static constexpr int AnswerTimeoutMs = 2000;

    /** @return whether a library is loaded and its function found. */
    bool isLoaded() const { return !m_path.isEmpty(); }

    /**
     * Advances a counter through the library's function `A`.
     * @param counterText the counter's current text.
     * @return the text the function gives back; at most its first MaxResultLength characters.
     * @throws ui::SimError when no library is loaded, the function gives no
     *         text, or the library fails in any other way.
     */
    QString call(const QString &counterText) const;

private:
    QString m_path; ///< Path of the checked library; empty while none is.
};

} // namespace platform
