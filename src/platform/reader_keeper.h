/** @file reader_keeper.h Picture readers started ahead of need, watched between pictures and reaped, on a thread of their own. */
#pragma once

#include "platform/picture_limits.h"

#include <QByteArray>
#include <QtGlobal>

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

#include <sys/types.h>
#include <time.h>

namespace platform {

/**
 * The pixel window: a memory file of the largest picture's bytes, made once
 * and mapped once, read only, for as long as the program runs; every reader
 * is given it as its descriptor 3 when it is started, and decodes larger
 * pictures into it. Sealed against growing and shrinking, so that no reader
 * makes it larger or pulls pages away from under the program.
 */
struct PixelWindow {
    int file = -1;             ///< The memory file; -1 when it could not be made.
    const uchar *at = nullptr; ///< The program's view of it, read only.
};

/** @return the program's pixel window, made at the first call. */
const PixelWindow &pixelWindow();

/**
 * A picture reader's process. The keeper starts it, reads its hello,
 * watches it while it has no picture and reaps it; the program's side
 * (PictureReader) takes it once it is ready, talks to it and ends it. What
 * both sides write is read and written under the keeper's lock, through
 * the keeper.
 */
struct ReaderProcess {
    pid_t pid = -1;          ///< Its process, also its session and process group.
    int requests = -1;       ///< The program's end of its requests: the keeper's until it is taken, then the taker's.
    int answers = -1;        ///< The program's end of its answers: likewise.
    clockid_t clock{};       ///< Its processor-time clock, read only while it is not reaped.
    std::chrono::steady_clock::time_point startedAt; ///< When it was started.

    /* Known once it has said hello, before it is taken. */
    bool copies = false;     ///< Whether the program may copy pixels from its memory.
    int threads = 0;         ///< Its threads when it said hello.
    int64_t readyTime = 0;   ///< Its processor time then, in nanoseconds.
    int64_t timeLimit = -1;  ///< The hard limit of its processor time then, in nanoseconds; -1 for none.

    /* The taker's alone. */

    /* Under the keeper's lock. */
    bool busy = false;       ///< It has a picture: it may spend processor time, and is not watched.
    int64_t idleTime = 0;    ///< Its processor time when it was last left without a picture.
    bool killed = false;     ///< The program has ended it.
    bool reaped = false;     ///< It has ended and is reaped: its process id may name another now.
    int status = 0;          ///< How it ended, as waitpid gives it, once reaped.
    int64_t endTime = 0;     ///< Its processor time at its end, in nanoseconds, once reaped.
    int64_t endTimeLimit = -1; ///< The hard limit of its processor time at its end; -1 for none or unknown.

    /* The keeper's alone. */
    int handle = -1;         ///< A descriptor readable once it ends; -1 where the kernel has none.
    QByteArray hello;        ///< What it has said of its hello so far.
    bool ready = false;      ///< It has said its hello.
    bool taken = false;      ///< The program's side has taken it.
};

/**
 * Starts the picture readers ahead of need and looks after them, on a
 * thread of its own that lives as long as the program, so that starting a
 * reader (which waits until the new process runs its program, however long
 * the system takes) never holds the game's thread, and the readers' death
 * signal, which the kernel sends when the thread that started them ends,
 * comes only with the program's end. One reader is kept started and ready
 * beside the one at work; the next is started when the one taken ends,
 * kStartDelay after it was taken, or when one is asked for. The keeper is the only one that reaps a reader,
 * at once when it ends (the kernel tells it), so a reader is killed by its
 * process id only while that id is its own. A reader that has no picture
 * and spends processor time, or has more threads than it had when it said
 * hello, is ended; one that does not say hello within kStartTime is ended
 * and another started; after kMostFailedStarts in a row no more is started
 * until one is asked for again.
 */
class ReaderKeeper {
public:
    /** @return the program's keeper, started at the first call. */
    static ReaderKeeper &instance();

    ReaderKeeper(const ReaderKeeper &) = delete;
    ReaderKeeper &operator=(const ReaderKeeper &) = delete;

    /** Has a reader started ahead, when none is, without waiting for it. */
    void startAhead();

    /** What take() came to. */
    struct Taken {
        std::shared_ptr<ReaderProcess> reader; ///< A ready reader, now the taker's; null when none.
        bool cannotStart = false;              ///< None could be started: its program is missing, or fails as it starts.
    };

    /**
     * Takes the reader started ahead once it is ready, waiting for it no
     * later than `deadline`, and has the next one started.
     */
    Taken take(std::chrono::steady_clock::time_point deadline);

    /** Ends a reader (the keeper reaps it), unless it has ended already; its descriptors are closed. */
    void end(const std::shared_ptr<ReaderProcess> &reader);

    /**
     * Waits until a reader that has ended is reaped, no later than
     * `deadline`. @return whether it is, its status and times known.
     */
    bool waitReaped(const std::shared_ptr<ReaderProcess> &reader, std::chrono::steady_clock::time_point deadline);

    /** How a reader ended, as far as it is known. */
    struct Ending {
        bool killed = false;     ///< The program ended it.
        bool reaped = false;     ///< It is reaped: the rest is known.
        int status = 0;          ///< As waitpid gives it.
        int64_t time = 0;        ///< Its processor time at its end, in nanoseconds.
        int64_t timeLimit = -1;  ///< The hard limit of its processor time then; -1 for none or unknown.
    };

    /** @return how a reader ended, as far as it is known now. */
    Ending endingOf(const ReaderProcess &reader);

    /** @return a reader's processor time in nanoseconds: now, or at its end. */
    int64_t timeOf(const ReaderProcess &reader);

    /**
     * Says whether a taken reader has a picture; one without is watched from
     * its processor time now. @return false, and nothing changed, when a
     * reader to be given a picture was ended meanwhile.
     */
    bool setBusy(ReaderProcess &reader, bool busy);

    /** @return whether a reader has ended: killed by the program, ended, or reaped. */
    bool ended(const ReaderProcess &reader);

    /**
     * Has the readers started from now on started from another program
     * beside the program, with more arguments; the reader started ahead is
     * ended. For the tests.
     */
    void useProgram(const QByteArray &name, const std::vector<QByteArray> &arguments);

    /** @return the program the readers are started from. */
    QByteArray program();

    /** @return the reader started ahead, waiting for it to be ready no longer than `wait`; -1 when none is started. */
    pid_t sparePid(std::chrono::milliseconds wait);

    /** @return every reader's process not yet reaped. */
    std::vector<pid_t> pids();

    /** @return the processor time the readers have spent since each said hello, all of them together. */
    std::chrono::nanoseconds timeSpent();

    /** @return the most memory any reader the program ended held in RAM, in bytes, as it was ended. */
    long long mostResidentOfEnded();

    /**
     * How long a reader may take to start and say hello: some tens of
     * milliseconds, off the game's thread.
     */
    static constexpr std::chrono::milliseconds kStartTime{1000 * kInstrumentedSlowdown};

    /** Readers that fail to start in a row before no more is started until asked for again. */
    static constexpr int kMostFailedStarts = 2;

    /**
     * The processor time a reader may spend while it has no picture: what
     * letting go of the last picture's memory takes, with room to spare.
     */
    static constexpr std::chrono::milliseconds kIdleTime{50 * kInstrumentedSlowdown};

    /** How often the readers without a picture are looked at. */
    static constexpr std::chrono::milliseconds kWatchPeriod{100};

    /**
     * How long after a reader is taken the next is started, unless the
     * taken one ends or a reader is asked for before: not while the taken
     * one reads its first pictures, whose time the start would share.
     */
    static constexpr std::chrono::milliseconds kStartDelay{20};

private:
    ReaderKeeper();

    /** The keeper's thread: starts, greets, watches and reaps. */
    void run();
    /** Starts a reader of the program. @return it; null when it could not be started. */
    std::shared_ptr<ReaderProcess> startReader(const QByteArray &program, const std::vector<QByteArray> &arguments,
                                               bool fonts);
    /** Has a reader kept started ahead, from the game's thread. Under the lock. */
    void want();
    /** Reads what has come of the reader started ahead's hello. */
    void greet(ReaderProcess &reader);
    /** Reaps a reader that has ended. Under the lock. */
    void reap(ReaderProcess &reader);
    /** Ends a reader. Under the lock. */
    void kill(ReaderProcess &reader);
    /** Counts a reader that did not start: it ended, or said no hello in time. Under the lock. */
    void failedStart();
    /** Wakes the keeper's thread. */
    void wake();

    std::mutex m_lock;
    std::condition_variable m_changed;                    ///< A reader became ready, failed or ended.
    int m_wake = -1;                                      ///< An eventfd that wakes the keeper's thread.
    QByteArray m_program{"kamenna-pictures"};             ///< The readers' program, beside the program.
    std::vector<QByteArray> m_arguments;                  ///< More arguments they are started with.
    uint64_t m_generation = 0;                            ///< Counts the changes of program.
    bool m_wanted = false;                                ///< A reader is to be kept started ahead.
    std::chrono::steady_clock::time_point m_startAt;      ///< When the next reader may be started.
    std::chrono::steady_clock::time_point m_nextWatch;    ///< When the readers without a picture are next looked at.
    bool m_fonts = false;                                 ///< Whether readers draw texts in the system's fonts.
    std::shared_ptr<ReaderProcess> m_spare;               ///< The reader started ahead; null when none.
    std::vector<std::shared_ptr<ReaderProcess>> m_living; ///< Every reader not yet reaped.
    int m_failedStarts = 0;                               ///< Readers in a row that did not start.
    bool m_cannotStart = false;                           ///< kMostFailedStarts did not: none is started until asked.
    std::chrono::nanoseconds m_timeSpent{0};              ///< Processor time of the readers reaped, since each was ready.
    long long m_mostResidentOfEnded = 0;                  ///< The most memory a reader the program ended held.
};

} // namespace platform
