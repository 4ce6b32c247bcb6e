/** @file picture_read.cpp The processor time a picture's reading has taken, against its limit. */
#include "platform/picture_read.h"

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

PictureRead::PictureRead(std::chrono::nanoseconds allowed) : m_outermost(t_deadline == kNoDeadline)
{
    if (m_outermost)
        t_deadline = threadTime() + allowed.count();
}

PictureRead::~PictureRead()
{
    if (m_outermost)
        t_deadline = kNoDeadline;
}

bool PictureRead::overdue()
{
    return t_deadline != kNoDeadline && threadTime() >= t_deadline;
}

} // namespace platform
