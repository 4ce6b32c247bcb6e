/** @file picture_read.cpp The processor time a picture's reading has taken, against its limit. */
#include "platform/picture_read.h"

#include <algorithm>
#include <ctime>

namespace platform {

namespace {

/** No picture is being read. */
constexpr int64_t kNoDeadline = -1;

/** When the picture this thread reads must be done, in nanoseconds of the thread's processor time. */
thread_local int64_t t_deadline = kNoDeadline;

/** @return the processor time this thread has used, in nanoseconds. */
int64_t threadTime()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return int64_t(now.tv_sec) * 1000000000 + now.tv_nsec;
}

} // namespace

PictureRead::PictureRead(std::chrono::nanoseconds allowed) : m_outer(t_deadline)
{
    const int64_t own = threadTime() + allowed.count();
    t_deadline = m_outer == kNoDeadline ? own : std::min(m_outer, own);
}

PictureRead::~PictureRead()
{
    t_deadline = m_outer;
}

bool PictureRead::overdue()
{
    return t_deadline != kNoDeadline && threadTime() >= t_deadline;
}

} // namespace platform
