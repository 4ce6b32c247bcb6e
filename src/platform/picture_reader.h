/** @file picture_reader.h The helper process that reads the pictures of the data directory, under the kernel's limits. */
#pragma once

#include "platform/picture_limits.h"
#include "ui/sim_error.h"

#include <QByteArray>
#include <QImage>
#include <QString>

#include <chrono>
#include <cstdint>
#include <vector>

#include <sys/types.h>
#include <time.h>

namespace platform {

/**
 * A picture that was not read at all, through no fault of its file: the
 * picture reader could not be started. Another try may read it.
 */
class PictureNotRead : public ui::SimError {
public:
    using ui::SimError::SimError;
};

/**
 * A picture its reader did not get to read in the time the program waits
 * for it (the reader stopped, or starved of the processor): no fault of
 * its file, and another try later may read it.
 */
class PictureNotReadInTime : public PictureNotRead {
public:
    using PictureNotRead::PictureNotRead;
};

/**
 * The picture reader: the helper program kamenna-pictures, beside the
 * program, that reads every picture file of the data directory in a
 * process of its own. However a file is made, what reading it costs is
 * bounded by the operating system, not by an estimate: the reader's memory
 * of every kind may grow by kMaxPictureReaderMemory at most (the kernel
 * refuses it more, and the picture fails inside the reader as too large),
 * it cannot start processes, signal or look into other processes, open a
 * file for writing or reach the network, and the program waits for its
 * answer while the reader's processor time stays within the time left to
 * the reading and the wall clock within the reading's own (PictureRead),
 * then kills it and starts another for the next picture. The program takes
 * nothing from it unchecked: an answer that is not the one asked for, a
 * picture that is not whole and sane, or anything said out of turn ends
 * the reader. A reader that dies or lies gives a broken picture; the
 * program goes on either way. The reader's processor time is charged to
 * the reading (PictureRead::charge), so the pictures of a train and all
 * else its placing costs share one time.
 *
 * One reader serves the process, kept from picture to picture; it is
 * started at the first picture, or before by start().
 */
class PictureReader {
public:
    /** @return the process's reader. */
    static PictureReader &instance();

    ~PictureReader();
    PictureReader(const PictureReader &) = delete;
    PictureReader &operator=(const PictureReader &) = delete;

    /** Starts the reader when none runs, without waiting for it to be ready. */
    void start();

    /**
     * Reads a picture file in the reader, within the processor and the
     * wall-clock time left to this thread's reading (PictureRead).
     * @param resolved the file, as resolvePath gives it.
     * @return the picture.
     * @throws PictureTooLarge ("Obrázek je příliš velký: ...") for a
     *         picture too large by its size, its memory or its processor
     *         time; ui::SimError for a file that is missing, unreadable or
     *         broken, or whose reader died or lied; PictureNotReadInTime
     *         when the reader did not get to read it in the reading's wall-clock time
     *         (stopped, starved, or not yet ready); PictureNotRead when no
     *         reader could be started.
     */
    QImage read(const QString &resolved);

    /**
     * Has the readers from now on started from another program beside the
     * program, with more arguments: for the tests, which point the program
     * at readers that misbehave. The reader running now is ended.
     */
    void useProgram(const QByteArray &name, const std::vector<QByteArray> &arguments = {});

    /** @return the reader's process, -1 while none runs. */
    pid_t pid() const { return m_pid; }

    /**
     * @return the processor time the readers have spent since each was
     *         ready, all of them together: every picture's reading, and
     *         what the reader did for a picture after its answer.
     */
    std::chrono::nanoseconds timeSpent();

    /**
     * @return the most memory any reader ended so far held in RAM, in
     *         bytes, as it was ended: with the running reader's, what the
     *         game's readers have taken of the machine.
     */
    long long mostResidentOfEnded() const { return m_mostResidentOfEnded; }

    /**
     * How long a reader may take to start: some tens of milliseconds, which
     * the program's reader spends once the program has made its forms. A
     * picture waits for a reader that is not ready no longer than its
     * reading's wall-clock time; one that is not ready after this is
     * replaced.
     */
    static constexpr std::chrono::milliseconds kStartTime{1000 * kInstrumentedSlowdown};

    /**
     * How much longer than the time left to a reading the program waits
     * before it kills the reader: the reader stops by itself at its
     * deadline, and its refusal, which says why, needs a moment to come.
     */
    static constexpr std::chrono::milliseconds kKillGrace{20};

    /**
     * How long a picture read within no reading of the program's may take
     * the reader: its file (as much as 65 MB) read, then its decoding in a
     * reading of its own.
     */
    static constexpr std::chrono::nanoseconds kNoReadingTime = 2 * kMaxPictureReadTime;

private:
    /** How an exchange with the reader ended. */
    enum class Received {
        Whole,   ///< The whole answer came, as asked for and sane.
        Ended,   ///< The reader died, or gave no whole or no sane answer, or not the one asked for.
        Overdue, ///< The reader's processor time for the reading ran out first.
        Late,    ///< The reading's wall-clock time ran out first, the reader's processor time within it.
    };
    struct Reply;
    struct Bounds;

    PictureReader() = default;

    /** Sends a reader, started when none runs, a picture to read. @return how it went: Whole when it took it. */
    Received send(const QByteArray &path, int64_t allowed, const Bounds &bounds);
    /** Waits for the reader's answer within the reading's time, and charges the reader's time to the reading. */
    Received exchange(const Bounds &bounds, Reply &reply);
    /** Reads bytes of the answer as they come, within the bounds. */
    Received receive(void *into, size_t bytes, const Bounds &bounds);

    /**
     * Waits for a started reader to say it is ready, within the reading's
     * wall-clock time and kStartTime after it was started.
     * @return Whole when it did; Late when it has not yet; Ended when it
     *         said something else, died or took too long to start.
     */
    Received waitReady(const Bounds &bounds);
    /** Kills the reader and starts another for the next picture. @return the killed reader's status. */
    int restart();
    /** Kills the reader, if one runs. @return its status. */
    int stop();
    /** @return whether the reader has ended (it is not reaped). */
    bool ended() const;
    /** @return whether the reader has said something no request asked for. */
    bool spokeOutOfTurn() const;
    /** @return the processor time the reader has used, in nanoseconds; the last known when it cannot be read. */
    int64_t readerTime();

    QByteArray m_program{"kamenna-pictures"}; ///< The reader's program, beside the program.
    std::vector<QByteArray> m_arguments;      ///< More arguments it is started with.
    pid_t m_pid = -1;        ///< The reader's process; -1 while none runs.
    int m_requests = -1;     ///< The program's end of the reader's requests (a socket it only writes).
    int m_answers = -1;      ///< The program's end of the reader's answers (a pipe it only reads).
    bool m_ready = false;    ///< Whether the reader has said it is ready.
    bool m_windowSent = false; ///< Whether the reader has the pixel window.
    bool m_copies = false;   ///< Whether the program may copy pixels from the reader's memory.
    QByteArray m_hello;      ///< What the reader has said of its hello so far.
    uint64_t m_lastId = 0;   ///< The id of the last request sent.
    std::chrono::steady_clock::time_point m_startedAt; ///< When the reader was started.
    clockid_t m_clock{};     ///< The reader's processor-time clock.
    int64_t m_lastTime = 0;  ///< The reader's processor time when last read.
    int64_t m_readyTime = 0; ///< The reader's processor time when it said it was ready.
    std::chrono::nanoseconds m_timeSpent{0}; ///< The processor time of the readers ended, since each was ready.
    long long m_mostResidentOfEnded = 0;     ///< The most memory a reader ended held in RAM, in bytes.
};

} // namespace platform
