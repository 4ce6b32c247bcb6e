/** @file picture_read.h The processor time a picture's reading has taken, against its limit. */
#pragma once

#include "platform/picture_limits.h"

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
    int64_t m_outer; ///< The deadline of the reading this one is begun within, restored when it ends.
};

} // namespace platform
