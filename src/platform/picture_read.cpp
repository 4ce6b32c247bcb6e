/** @file picture_read.cpp The processor and wall-clock time a picture's reading has taken, against its limits. */
#include "platform/picture_read.h"

#include <algorithm>
#include <ctime>

namespace platform {

namespace {

/** No picture is being read. */
constexpr int64_t kNoDeadline = -1;

/** When the picture this thread reads must be done, in nanoseconds of the thread's processor time. */
thread_local int64_t t_deadline = kNoDeadline;

/** When it must be done on the wall clock (CLOCK_MONOTONIC), in nanoseconds. */
thread_local int64_t t_wallDeadline = kNoDeadline;

/** Whether the reading this thread is in was found overdue. */
thread_local bool t_spent = false;

/** The work reckoned since the clock was last looked at, in nanoseconds; the clock is looked at when it is negative. */
thread_local int64_t t_sinceLook = -1;

/** @return the processor time this thread has used, in nanoseconds. */
int64_t threadTime()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return int64_t(now.tv_sec) * 1000000000 + now.tv_nsec;
}

/** @return the wall clock, in nanoseconds. */
int64_t wallTime()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return int64_t(now.tv_sec) * 1000000000 + now.tv_nsec;
}

} // namespace

PictureRead::PictureRead(std::chrono::nanoseconds allowed)
    : m_outer(t_deadline), m_outerWall(t_wallDeadline), m_outerSpent(t_spent)
{
    const int64_t own = threadTime() + allowed.count();
    t_deadline = m_outer == kNoDeadline ? own : std::min(m_outer, own);
    t_spent = m_outerSpent;
    t_sinceLook = -1;
}

PictureRead::PictureRead(std::chrono::nanoseconds allowed, std::chrono::nanoseconds wall) : PictureRead(allowed)
{
    const int64_t own = wallTime() + wall.count();
    t_wallDeadline = m_outerWall == kNoDeadline ? own : std::min(m_outerWall, own);
}

PictureRead::~PictureRead()
{
    t_deadline = m_outer;
    t_wallDeadline = m_outerWall;
    t_spent = m_outerSpent;
    t_sinceLook = -1;
}

bool PictureRead::overdue(std::chrono::nanoseconds cost)
{
    if (t_deadline == kNoDeadline)
        return false;
    if (t_spent)
        return true;
    if (t_sinceLook >= 0 && (t_sinceLook += cost.count()) < kCostBetweenLooks.count())
        return false;
    t_sinceLook = 0;
    t_spent = threadTime() >= t_deadline || (t_wallDeadline != kNoDeadline && wallTime() >= t_wallDeadline);
    return t_spent;
}

bool PictureRead::overdueNow()
{
    t_sinceLook = -1;
    return overdue();
}

bool PictureRead::active()
{
    return t_deadline != kNoDeadline;
}

std::chrono::nanoseconds PictureRead::remaining()
{
    if (t_deadline == kNoDeadline)
        return kMaxPictureReadTime;
    return std::chrono::nanoseconds(std::max<int64_t>(0, t_deadline - threadTime()));
}

std::optional<std::chrono::nanoseconds> PictureRead::remainingWall()
{
    if (t_wallDeadline == kNoDeadline)
        return std::nullopt;
    return std::chrono::nanoseconds(std::max<int64_t>(0, t_wallDeadline - wallTime()));
}

PictureTooLarge readingTooLong()
{
    return PictureTooLarge(QStringLiteral("Obrázek se čte příliš dlouho"));
}

} // namespace platform
