/** @file counter_library.h The external library that advances the call-on buttons' use counters. */
#pragma once

#include <QString>

namespace platform {

/**
 * The counter library Data/Lib/mavex.so of the data directory, loaded at
 * run time, with its one C function `A`: the text of a use counter in, the
 * next text out.
 */
class CounterLibrary {
public:
    CounterLibrary() = default;
    ~CounterLibrary();
    CounterLibrary(const CounterLibrary &) = delete;
    CounterLibrary &operator=(const CounterLibrary &) = delete;

    /**
     * Loads the library of a data directory and finds its function `A`.
     * A library loaded before stays in use when this fails.
     * @param dataDir the data directory.
     * @throws ui::SimError naming the library when it or its function is missing.
     */
    void load(const QString &dataDir);

    /** Longest text taken from the function's result. */
    static constexpr int MaxResultLength = 32;

    /** @return whether a library is loaded and its function found. */
    bool isLoaded() const { return m_function != nullptr; }

    /**
     * Advances a counter through the library's function `A`.
     * @param counterText the counter's current text.
     * @return the text the function gives back, copied at once; at most its first MaxResultLength characters.
     * @throws ui::SimError when no library is loaded or the function gives no text.
     */
    QString call(const QString &counterText) const;

private:
    /** The library's function: a zero-terminated text in, one out, owned by the library. */
    using CounterFunction = const char *(*)(const char *);

    /** Closes the loaded library, if any. */
    void unload();

    void *m_handle = nullptr;                ///< dlopen handle of the loaded library.
    CounterFunction m_function = nullptr;    ///< Its function `A`.
    QString m_path;                          ///< Path of the loaded library.
};

} // namespace platform
