/** @file picture_reader.h The helper process that reads the pictures of the data directory, under the kernel's limits. */
#pragma once

#include "platform/picture_limits.h"
#include "platform/reader_keeper.h"
#include "ui/sim_error.h"

#include <QByteArray>
#include <QImage>
#include <QString>

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include <sys/types.h>

namespace platform {

/**
 * A picture that was not read at all, through no fault of its file: no
 * picture reader could be started. Another try may read it.
 */
class PictureNotRead : public ui::SimError {
public:
    using ui::SimError::SimError;
};

/**
 * A picture its reader has not read yet in the wall-clock time the reading
 * gives it: no verdict on its file. Its reader goes on with it, and a later
 * read of the same picture (in the same group) takes its answer.
 */
class PictureNotReadInTime : public PictureNotRead {
public:
    using PictureNotRead::PictureNotRead;
};

/**
 * A picture that was not read because no reader was ready for as long as a
 * picture waits for one (ReaderKeeper::kMostStartWait): the machine held or
 * killed every reader started. No verdict on its file.
 */
class PictureReaderNotReady : public PictureNotRead {
public:
    using PictureNotRead::PictureNotRead;
};

/**
 * A picture on which kMostStrikes readers in a row made no progress (each
 * spent no processor time on it for kNoProgressTime, or was killed by a
 * signal the program did not send): "Obrázek se nestihl načíst: ...". No
 * verdict on its file: what held its readers may be gone at the next try.
 */
class PictureNeverRead : public ui::SimError {
public:
    using ui::SimError::SimError;
};

/**
 * The pictures read on this thread while it lives are one group's, one
 * train's: one reader reads them (or several in a row, should one end), and
 * never a picture of another group. A picture read within no group is a
 * group of its own.
 */
class PictureGroup {
public:
    explicit PictureGroup(uint64_t group);
    ~PictureGroup();
    PictureGroup(const PictureGroup &) = delete;
    PictureGroup &operator=(const PictureGroup &) = delete;

    /** @return a group number no group had before; never 0. */
    static uint64_t next();
    /** @return the group of the pictures read on this thread now; 0 for none. */
    static uint64_t current();

private:
    uint64_t m_outer; ///< The group this one is begun within, restored when it ends.
};

/**
 * The picture reader: the helper program kamenna-pictures, beside the
 * program, that reads every picture file of the data directory in a
 * process of its own. However a file is made, what reading it costs is
 * bounded by the operating system, not by an estimate: the reader's memory
 * of every kind may grow by kMaxPictureReaderMemory at most (the kernel
 * refuses it more, and the picture fails inside the reader as too large),
 * it cannot start processes, signal or look into other processes, open a
 * file for writing or reach the network, and a picture may take it its own
 * processor time, kMaxPictureReadTime, whatever its group has left. The
 * program takes nothing from it unchecked: an answer that is not the one
 * asked for, a picture that is not whole and sane, or anything said out of
 * turn ends the reader.
 *
 * A picture's verdict comes from its own reading: its answer, the reader's
 * processor time (past the picture's own, the program ends it: too
 * large), or its death by its processor-time limit (too large) or of a
 * fault (a picture two readers in a row die of is broken). The program
 * waits for an answer only while the wall-clock time of the reading it is
 * in lasts (PictureRead); then the picture is not read in time
 * (PictureNotReadInTime) and stays with its reader, which goes on with it,
 * and a later read of it takes the answer. A reader that makes no progress
 * (spends no processor time on the picture for kNoProgressTime), or is
 * killed by a signal the program did not send, is no verdict: another
 * reader takes the picture, up to kMostStrikes readers in a row
 * (PictureNeverRead). A picture is never waited for once its reading's
 * wall-clock time is spent, nor sent.
 *
 * Readers are started ahead of need, off the game's thread, and watched
 * while they have no picture (ReaderKeeper). A reader serves one group:
 * the pictures of one train's placing, or one picture read within no
 * group, and is then ended; so a file that takes a reader over can change
 * no other group's pictures.
 */
class PictureReader {
public:
    /** @return the process's reader. */
    static PictureReader &instance();

    PictureReader(const PictureReader &) = delete;
    PictureReader &operator=(const PictureReader &) = delete;

    /** Has a reader started ahead, when none is, without waiting for it. */
    void start();

    /**
     * Reads a picture file in a reader, within the wall-clock time left to
     * this thread's reading (PictureRead; kNoReadingWait when none bounds
     * it), for this thread's group (PictureGroup).
     * @param resolved the file, as resolvePath gives it.
     * @param firstOfReader set, unless null, to whether what came of the
     *        reading (the picture, or its refusal) came from a reader that
     *        had read no picture before it in its group, so that no other
     *        file could have made anything of that reader: only such an
     *        outcome may be kept beyond the group.
     * @return the picture.
     * @throws PictureTooLarge ("Obrázek je příliš velký: ...") for a
     *         picture too large by its size, its memory or its processor
     *         time; ui::SimError for a file that is missing, unreadable or
     *         broken, or whose readers died or lied; PictureNotReadInTime
     *         when it is not read yet in the reading's wall-clock time;
     *         PictureNeverRead when its readers made no progress on it;
     *         PictureNotRead when the reader's program cannot run, and
     *         PictureReaderNotReady when no reader was ready for
     *         ReaderKeeper::kMostStartWait.
     */
    QImage read(const QString &resolved, bool *firstOfReader = nullptr);

    /** Ends the reader of a group, and its work: the group has all it needs. */
    void endGroup(uint64_t group);

    /**
     * Has the readers from now on started from another program beside the
     * program, with more arguments: for the tests, which point the program
     * at readers that misbehave. The readers running now are ended.
     */
    void useProgram(const QByteArray &name, const std::vector<QByteArray> &arguments = {});

    /** @return the program the readers are started from, as useProgram named it. */
    QByteArray program() const;

    /** @return why no reader was ready, the last time none was for as long as a picture waits for one: Czech words. */
    QString notReadyReason() const;

    /** @return the reader that read last, while it runs; -1 when none does. */
    pid_t pid() const;

    /** @return every reader running: the one that read last and the one started ahead. */
    std::vector<pid_t> pids() const;

    /** @return the reader started ahead, waiting for it to be ready no longer than a second; -1 when none is started. */
    pid_t nextPid() const;

    /**
     * @return the processor time the readers have spent since each was
     *         ready, all of them together: every picture's reading, and
     *         what the reader did for a picture after its answer.
     */
    std::chrono::nanoseconds timeSpent();

    /**
     * @return the most memory any reader the program ended so far held in
     *         RAM, in bytes, as it was ended: with the running readers',
     *         what the game's readers have taken of the machine.
     */
    long long mostResidentOfEnded() const;

    /**
     * How much more processor time than its own a picture's reader may
     * spend before the program ends it: the reader stops by itself at its
     * limit, and its refusal, which says why, needs a moment to come.
     */
    static constexpr std::chrono::milliseconds kKillGrace{20};

    /**
     * How long a picture read within no reading of the program's may take
     * the reader: its file (as much as 65 MB) read, then its decoding in a
     * reading of its own.
     */
    static constexpr std::chrono::nanoseconds kNoReadingTime = 2 * kMaxPictureReadTime;

    /** How long a picture read within no reading bounded by the wall clock is waited for, at most. */
    static constexpr std::chrono::nanoseconds kNoReadingWait = 2 * (kNoReadingTime + kKillGrace);

    /**
     * How long a reader may spend no processor time on its picture (stopped,
     * starved, blocked, or not willing) before another takes the picture.
     */
    static constexpr std::chrono::milliseconds kNoProgressTime{2000};

    /**
     * How long a wait within a reading bounded by the wall clock (a tick's)
     * goes on while the reader makes no progress: the rest of the tick's
     * time is not spent on it.
     */
    static constexpr std::chrono::milliseconds kStallTime{100};

    /** Readers in a row that make no progress on a picture before it is refused as never read. */
    static constexpr int kMostStrikes = 3;

    /** Readers in a row that die of a picture, or lie about it, before it is refused as broken. */
    static constexpr int kMostFailures = 2;

    /** How long the rest of an answer begun may take to come: it is written whole, at once. */
    static constexpr std::chrono::milliseconds kAnswerTime{100};

private:
    /** How a wait for an answer ended. */
    enum class Received {
        Whole,    ///< The whole answer came, as asked for and sane.
        Ended,    ///< The reader ended, or gave no whole or no sane answer, or not the one asked for.
        Overdue,  ///< The reader spent the picture's processor time.
        Stalled,  ///< The reader made no progress for kNoProgressTime.
        Late,     ///< The reading's wall-clock time ran out first: the picture stays with the reader.
    };
    /** How sending a picture went. */
    enum class Sent {
        Whole,       ///< The reader at work has it.
        Later,       ///< Not sent in the time given: no reader ready yet, or none ready to take it.
        CannotStart, ///< The readers' program cannot run.
        NotReady,    ///< No reader has been ready for ReaderKeeper::kMostStartWait.
    };
    struct Reply;
    struct Asked;

    PictureReader();

    /** Sends the picture asked for to a reader of its group, one taken when needed, within the deadline. */
    Sent send(std::chrono::steady_clock::time_point deadline);
    /** Waits for the answer to the picture asked for, no later than the deadline (but to the end of an answer begun). */
    Received await(std::chrono::steady_clock::time_point deadline, Reply &reply);
    /** Reads bytes of the answer as they come. */
    Received receive(void *into, size_t bytes, std::chrono::steady_clock::time_point deadline,
                     std::optional<std::chrono::steady_clock::time_point> &begun);
    /** Ends the reader at work, if any. */
    void retire();
    /** Lets go of the picture asked for, and of its reader's work on it. */
    void letGoAsked();
    /** @return whether the reader at work may take the picture asked for. */
    bool fitsAsked();

    std::shared_ptr<ReaderProcess> m_reader; ///< The reader at work; null when none.
    std::shared_ptr<ReaderProcess> m_ended;  ///< The reader ended last, until it is reaped.
    uint64_t m_group = 0;                    ///< The group it reads for.
    int m_answered = 0;                      ///< Pictures it has answered.
    int m_requests = 0;                      ///< Pictures it has been sent.
    int64_t m_readerTime = -1;               ///< Its processor time as it was last found fit for a picture; -1 when not.
    ReaderKeeper::Delay m_notReady{};        ///< Why no reader was ready, the last time none was in time.
    std::unique_ptr<Asked> m_asked;          ///< The picture asked for and not yet answered; null when none.
};

} // namespace platform
