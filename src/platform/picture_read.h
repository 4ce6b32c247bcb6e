/** @file picture_read.h The processor time a picture's reading has taken, against its limit. */
#pragma once

#include "platform/picture_limits.h"

#include <chrono>

namespace platform {

/**
 * One picture being read on this thread. The reading may take `allowed`
 * of the thread's own processor time, counted from when it begins; a
 * reading begun within another (a bitmap inside a metafile) is part of
 * it and keeps its time. The readers' loops ask overdue() between their
 * records and refuse the picture once it is.
 */
class PictureRead {
public:
    explicit PictureRead(std::chrono::nanoseconds allowed = kMaxPictureReadTime);
    ~PictureRead();
    PictureRead(const PictureRead &) = delete;
    PictureRead &operator=(const PictureRead &) = delete;

    /** @return whether the picture this thread is reading has taken its time; false while none is read. */
    static bool overdue();

private:
    bool m_outermost; ///< This reading set the deadline and clears it when it ends.
};

} // namespace platform
