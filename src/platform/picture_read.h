/** @file picture_read.h The processor time a picture's reading has taken, against its limit. */
#pragma once

#include "platform/picture_limits.h"
#include "ui/sim_error.h"

#include <chrono>
#include <cstdint>

namespace platform {

/**
 * One picture, or a group of pictures, being read on this thread. The
 * reading may take `allowed` of the thread's own processor time, counted
 * from when it begins, and no more than what is left of a reading it is
 * begun within: a bitmap inside a metafile shares the metafile's time, and
 * the pictures of one train share the train's. The readers' loops ask
 * overdue() between their records and refuse the picture once it is.
 * The reading has as much of the wall clock's time too (remainingWall),
 * which bounds how long the program waits for the picture reader however
 * little processor time the reader is given.
 */
class PictureRead {
public:
    explicit PictureRead(std::chrono::nanoseconds allowed = kMaxPictureReadTime);
    ~PictureRead();
    PictureRead(const PictureRead &) = delete;
    PictureRead &operator=(const PictureRead &) = delete;

    /**
     * @return whether the picture this thread is reading has taken its
     *         time; false while none is read. The clock is looked at by the
     *         work done since the last look, not by the number of asks: at
     *         the first ask of a reading, and then once the costs the asks
     *         name add up to kCostBetweenLooks, so that a loop may ask once
     *         per record at no cost worth naming and still looks at the
     *         clock within a millisecond whatever its records cost. Once
     *         overdue, a reading stays overdue.
     * @param cost what the work done since the last ask is reckoned to
     *        have cost; kAskCost for a step of a few microseconds at most.
     */
    static bool overdue(std::chrono::nanoseconds cost = kAskCost);

    /** @return whether the picture this thread is reading has taken its time, the clock read at once: for a loop whose every step may cost a millisecond. */
    static bool overdueNow();

    /** @return whether this thread is in a reading. */
    static bool active();

    /** @return the processor time left to the reading this thread is in; kMaxPictureReadTime's worth when none. */
    static std::chrono::nanoseconds remaining();

    /**
     * @return the wall-clock time left to the reading this thread is in;
     *         kMaxPictureReadTime's worth when none.
     */
    static std::chrono::nanoseconds remainingWall();

    /**
     * Charges processor time spent on this thread's reading elsewhere (in
     * the picture reader's process): every reading this thread is in, and
     * every one begun within them, has that much less left.
     */
    static void charge(std::chrono::nanoseconds spent);

    /** The work reckoned between two looks at the clock: a reading is never found overdue much later than this. */
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
