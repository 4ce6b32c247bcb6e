/** @file picture_reader.h The helper process that reads the pictures of the data directory, under the kernel's limits. */
#pragma once

#include "platform/picture_limits.h"
#include "ui/sim_error.h"

#include <QImage>
#include <QString>

#include <chrono>

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
 * bounded by the operating system, not by an estimate: the reader's data
 * may grow by kMaxPictureReaderMemory at most (the kernel refuses it more, and the picture
 * fails inside the reader as too large), and the program waits for its
 * answer while the reader's processor time stays within the time left to
 * the reading (and, for a reader that gets no processor, at most twice as
 * long), then kills it and starts another for the next picture. A reader that dies gives a
 * broken picture; the program goes on either way. The reader's processor
 * time is charged to the reading (PictureRead::charge), so the pictures of
 * a train and all else its placing costs share one time.
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
     * Reads a picture file in the reader, within the processor time left
     * to this thread's reading (PictureRead::remaining).
     * @param resolved the file, as resolvePath gives it.
     * @return the picture.
     * @throws PictureTooLarge ("Obrázek je příliš velký: ...") for a
     *         picture too large by its size, its memory or its time;
     *         ui::SimError for a file that is missing, unreadable or
     *         broken, or whose reader died; PictureNotRead when no reader
     *         could be started.
     */
    QImage read(const QString &resolved);

    /**
     * Lets the program copy larger pictures' pixels from the reader's memory
     * (where the system allows it), or has them all come in memory files.
     */
    void allowCopies(bool allowed) { m_copiesAllowed = allowed; }

    /** @return the reader's process, -1 while none runs. */
    pid_t pid() const { return m_pid; }

    /** @return the processor time the readers have spent on pictures so far, all of them together. */
    std::chrono::nanoseconds timeSpent() const { return m_timeSpent; }

    /**
     * How long a reader may take to start: some tens of milliseconds, which
     * the program's reader spends beside the program's own start, and one
     * started again after a reader was killed before the next picture.
     */
    static constexpr std::chrono::milliseconds kStartTime{1000};

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
        Whole,   ///< The whole answer came.
        Ended,   ///< The reader died, or gave no whole answer.
        Overdue, ///< The reading's time ran out first.
    };
    struct Reply;

    PictureReader() = default;

    /** Sends a reader, started when none runs, a picture to read. @return whether a reader took it. */
    bool send(const QByteArray &path, int64_t allowed);
    /** Waits for the reader's answer within the reading's time, and charges the reader's time to the reading. */
    Received exchange(int64_t allowed, Reply &reply);

    /**
     * Waits for a started reader to say it is ready, until kStartTime after
     * it was started, and charges the time waited to the reading.
     * @return whether it did.
     */
    bool waitReady();
    /** Kills the reader and starts another for the next picture. @return the killed reader's status. */
    int restart();
    /** Kills the reader, if one runs. @return its status. */
    int stop();
    /** @return whether the reader has ended (it is not reaped). */
    bool ended() const;
    /** @return the processor time the reader has used, in nanoseconds; the last known when it cannot be read. */
    int64_t readerTime();

    pid_t m_pid = -1;        ///< The reader's process; -1 while none runs.
    int m_socket = -1;       ///< The program's end of the reader's socket.
    bool m_ready = false;    ///< Whether the reader has said it is ready.
    bool m_copies = false;   ///< Whether the program copies larger pictures' pixels from the reader's memory.
    bool m_copiesAllowed = true; ///< Whether it may.
    std::chrono::steady_clock::time_point m_startedAt; ///< When the reader was started.
    clockid_t m_clock{};     ///< The reader's processor-time clock.
    int64_t m_lastTime = 0;  ///< The reader's processor time when last read.
    std::chrono::nanoseconds m_timeSpent{0}; ///< The readers' processor time spent on pictures.
};

} // namespace platform
