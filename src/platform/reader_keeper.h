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
#include <optional>
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
    bool clocked = false;    ///< Whether its clock could be had: else its processor time is not known.

    /* Known once it has said hello, before it is taken. */
    int threads = 0;         ///< Its threads when it said hello.
    int64_t readyTime = 0;   ///< Its processor time then, in nanoseconds.
    int64_t timeLimit = -1;  ///< The hard limit of its processor time then, in nanoseconds; -1 for none.

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
    int64_t startTime = 0;   ///< Its processor time when last found to have spent some, before its hello.
    std::chrono::steady_clock::time_point movedAt; ///< When that was: it makes no progress from then on.
    std::optional<std::chrono::steady_clock::time_point> closedAt; ///< When its answers closed before its hello.
};

/**
 * @return whether a process that ended so was ended by a signal from
 *         outside, which it did not raise by any fault of its own: a kill,
 *         as the system's out-of-memory killer's, an interrupt, a hangup.
 */
bool endedFromOutside(int status);

/**
 * Starts the picture readers ahead of need and looks after them, on a
 * thread of its own that lives as long as the program, so that starting a
 * reader (which waits until the new process runs its program, however long
 * the system takes) never holds the game's thread, and the readers' death
 * signal, which the kernel sends when the thread that started them ends,
 * comes only with the program's end. One reader is kept started and ready
 * beside the one at work; the next is started when the one taken ends (its
 * train's pictures are read), or when one is asked for and none is ready,
 * never while a train's pictures are read by the one taken. The keeper is
 * the only one that reaps a reader, at once when it ends (the kernel tells
 * it), so a reader is killed by its process id only while that id is its
 * own. A reader taken that has no picture and spends processor time, or
 * has more threads than it had when it said hello, is ended.
 *
 * A reader's start is judged by what it did. Its program cannot run when it
 * is not there or not runnable, or a reader ends by itself (or of a fault
 * of its own) before its hello, lies in it, or spends kStartProcessorTime
 * without saying it: kMostFailedStarts such starts in a row, and the taker
 * is told (Taken::cannotStart), no more being started until one is asked
 * for again, when the program is looked for anew. A start the machine
 * holds is none of these: a reader that makes no progress for kStartTime
 * (stopped, starved or blocked) is ended and another started, as is one
 * killed by a signal from outside, or one the system could not start a
 * process for; none of them counts. A taker waits for a reader as long as
 * the wall clock's kMostStartWait from when it first found none ready, and
 * is then told why none is (Taken::delay), until one is ready again.
 */
class ReaderKeeper {
public:
    /** @return the program's keeper, started at the first call. */
    static ReaderKeeper &instance();

    ReaderKeeper(const ReaderKeeper &) = delete;
    ReaderKeeper &operator=(const ReaderKeeper &) = delete;

    /** Has a reader started ahead, when none is, without waiting for it. */
    void startAhead();

    /** Why no reader has been ready for as long as a taker may wait. */
    enum class Delay {
        None,       ///< Nothing is known to hold the readers back.
        Held,       ///< The last started made no progress for kStartTime: stopped, starved or blocked.
        Killed,     ///< The last started was killed from outside before it was ready.
        NotStarted, ///< The system could start no process for the last.
    };

    /** What take() came to. */
    struct Taken {
        std::shared_ptr<ReaderProcess> reader; ///< A ready reader, now the taker's; null when none.
        bool cannotStart = false;              ///< Its program cannot run: missing, not runnable, or it fails as it starts.
        Delay delay = Delay::None;             ///< No reader has been ready for kMostStartWait, and why: else None.
    };

    /**
     * Takes the reader started ahead once it is ready, waiting for it no
     * later than `deadline`; the next one is started once the one taken
     * ends.
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
     * its processor time `time` (now, when -1). @return false, and nothing
     * changed, when a reader to be given a picture was ended meanwhile.
     */
    bool setBusy(ReaderProcess &reader, bool busy, int64_t time = -1);

    /**
     * @return whether a reader is known to have ended: killed by the
     *         program, or reaped. One that ended a moment ago may not be
     *         reaped yet: it has closed its channels.
     */
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

    /**
     * @return the processor time the readers have spent, all of them
     *         together from their start: their starting and getting ready,
     *         every picture, and what each did after.
     */
    std::chrono::nanoseconds timeSpent();

    /** @return the most memory any reader the program ended held in RAM, in bytes, as it was ended. */
    long long mostResidentOfEnded();

    /**
     * How long a reader that has not said hello may make no progress (spend
     * no processor time) before another is started in its place: some tens
     * of milliseconds of work, off the game's thread.
     */
    static constexpr std::chrono::milliseconds kStartTime{1000 * kInstrumentedSlowdown};

    /** How long a reader whose answers closed before its hello may take to end: it ends as it closes them. */
    static constexpr std::chrono::milliseconds kClosedTime{100};

    /**
     * The processor time a reader may spend before its hello: some tens of
     * milliseconds are its start, a second is a program that does not work.
     */
    static constexpr std::chrono::milliseconds kStartProcessorTime{1000 * kInstrumentedSlowdown};

    /** How long after a start the machine held another is started: not at once, should it kill them as they come. */
    static constexpr std::chrono::milliseconds kRestartDelay{50};

    /**
     * How long a taker waits for a reader, from when it first found none
     * ready, before it is told why none is: a machine that holds or kills
     * new processes for some seconds costs no train.
     */
    static constexpr std::chrono::seconds kMostStartWait{20};

    /** Readers in a row whose program cannot run before the taker is told. */
    static constexpr int kMostFailedStarts = 2;

    /**
     * The processor time a reader may spend while it has no picture: what
     * letting go of the last picture's memory takes, with room to spare.
     */
    static constexpr std::chrono::milliseconds kIdleTime{50 * kInstrumentedSlowdown};

    /** How often a reader taken and without a picture is looked at. */
    static constexpr std::chrono::milliseconds kWatchPeriod{100};

private:
    ReaderKeeper();

    /** The keeper's thread: starts, greets, watches and reaps. */
    void run();
    /**
     * Starts a reader of the program. @return it; null when it could not
     * be started, `error` then set to why (an errno).
     */
    std::shared_ptr<ReaderProcess> startReader(const QByteArray &program, const std::vector<QByteArray> &arguments,
                                               bool fonts, int &error);
    /** Has a reader kept started ahead, from the game's thread. Under the lock. */
    void want();
    /** Reads what has come of the reader started ahead's hello. Under the lock. */
    void greet(ReaderProcess &reader);
    /** Looks at the progress of the reader started ahead that has not said hello. Under the lock. */
    void watchStart(ReaderProcess &reader);
    /**
     * Gives up the reader started ahead before it was ready: ended, and
     * counted as a start that failed when its program is at fault, else
     * another started after kRestartDelay. Under the lock.
     */
    void giveUpStart(bool programAtFault, Delay delay);
    /** Reaps a reader that has ended. Under the lock. */
    void reap(ReaderProcess &reader);
    /** Ends a reader. Under the lock. */
    void kill(ReaderProcess &reader);
    /** Counts a start that failed by its program's fault. Under the lock. */
    void failedStart();
    /** @return a live reader's processor time in nanoseconds; -1 when it is not known. */
    static int64_t liveTime(const ReaderProcess &reader);
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
    std::chrono::steady_clock::time_point m_nextWatch;    ///< When the readers taken without a picture are next looked at.
    bool m_fonts = false;                                 ///< Whether readers draw texts in the system's fonts.
    std::shared_ptr<ReaderProcess> m_spare;               ///< The reader started ahead; null when none.
    std::vector<std::shared_ptr<ReaderProcess>> m_living; ///< Every reader not yet reaped.
    int m_failedStarts = 0;                               ///< Starts in a row that failed by their program's fault.
    bool m_cannotStart = false;                           ///< kMostFailedStarts did: none is started until asked.
    std::optional<std::chrono::steady_clock::time_point> m_unreadySince; ///< Since when a taker found no reader ready.
    Delay m_delay = Delay::None;                          ///< Why the last reader started was not ready.
    std::chrono::nanoseconds m_timeSpent{0};              ///< Processor time of the readers reaped, their whole lives.
    long long m_mostResidentOfEnded = 0;                  ///< The most memory a reader the program ended held.
};

} // namespace platform
