/** @file picture_read.h The processor and wall-clock time a picture's reading has taken, against its limits. */
#pragma once

#include "platform/picture_limits.h"
#include "ui/sim_error.h"

#include <chrono>
#include <cstdint>
#include <optional>

namespace platform {

/**
 * One picture, or a group of pictures, being read on this thread. The
 * reading may take `allowed` of the thread's own processor time, counted
 * from when it begins, and no more than what is left of a reading it is
 * begun within: a bitmap inside a metafile shares the metafile's time. A
 * reading may be bounded by the wall clock too (the placing of a train in
 * a tick is): then it ends when either time is spent, whatever the
 * machine gives the thread, and so does every reading begun within it.
 * The readers' loops and the finding of files ask overdue() between their
 * steps and stop once it is.
 */
class PictureRead {
public:
    /** A reading of `allowed` processor time, within the wall-clock time of the reading it is begun within, if any. */
    explicit PictureRead(std::chrono::nanoseconds allowed = kMaxPictureReadTime);
    /** A reading of `allowed` processor time and `wall` of the wall clock's, within those of the reading it is begun within. */
    PictureRead(std::chrono::nanoseconds allowed, std::chrono::nanoseconds wall);
    ~PictureRead();
    PictureRead(const PictureRead &) = delete;
    PictureRead &operator=(const PictureRead &) = delete;

    /**
     * @return whether the reading this thread is in has taken its time, of
     *         the processor or of the wall clock; false while none is read.
     *         The clocks are looked at by the work done since the last
     *         look, not by the number of asks: at the first ask of a
     *         reading, and then once the costs the asks name add up to
     *         kCostBetweenLooks, so that a loop may ask once per record at
     *         no cost worth naming and still looks at the clocks within a
     *         millisecond of its work whatever its records cost. Once
     *         overdue, a reading stays overdue.
     * @param cost what the work done since the last ask is reckoned to
     *        have cost; kAskCost for a step of a few microseconds at most.
     */
    static bool overdue(std::chrono::nanoseconds cost = kAskCost);

    /** @return whether the reading this thread is in has taken its time, the clocks read at once: for a loop whose every step may cost a millisecond. */
    static bool overdueNow();

    /** @return whether this thread is in a reading. */
    static bool active();

    /** @return the processor time left to the reading this thread is in; kMaxPictureReadTime's worth when none. */
    static std::chrono::nanoseconds remaining();

    /** @return the wall-clock time left to the reading this thread is in; nothing when no wall clock bounds it. */
    static std::optional<std::chrono::nanoseconds> remainingWall();

    /** The work reckoned between two looks at the clocks: a reading is never found overdue much later than this. */
    static constexpr std::chrono::nanoseconds kCostBetweenLooks{1000000};

    /** What an ask of overdue() without a cost of its own reckons: a look every 64 such asks. */
    static constexpr std::chrono::nanoseconds kAskCost = kCostBetweenLooks / 64;

private:
    int64_t m_outer;     ///< The deadline of the reading this one is begun within, restored when it ends.
    int64_t m_outerWall; ///< Its deadline on the wall clock, restored with it.
    bool m_outerSpent;   ///< Whether that reading was found overdue, restored with it.
};

/**
 * A picture refused for its size: it would take more memory than is left to
 * it, or more time to decode than its reading has left. Not a broken file:
 * the same picture may be read where more is left.
 */
class PictureTooLarge : public ui::SimError {
public:
    /**
     * @param forTimeLeft it was refused only for the time left to a reading
     *        it was begun within: a reading of its own would have taken it.
     */
    explicit PictureTooLarge(const QString &text, bool forTimeLeft = false)
        : ui::SimError(text), m_forTimeLeft(forTimeLeft)
    {
    }

    /** @return whether it was refused only for the time left to the reading it was begun within. */
    bool forTimeLeft() const { return m_forTimeLeft; }

private:
    bool m_forTimeLeft;
};

/** @return the refusal of a picture whose reading ran out of its processor time. */
PictureTooLarge readingTooLong();

} // namespace platform
