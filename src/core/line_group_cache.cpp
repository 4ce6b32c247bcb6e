/** @file line_group_cache.cpp The group code of each due timetable line, read once when it falls due. */
#include "core/line_group_cache.h"

#include "core/timetable_file.h"

namespace core {

int LineGroupCache::read(size_t i, const QString &line)
{
    if (i >= m_codes.size())
        m_codes.resize(i + 1, int16_t(kUnread));
    /* Two characters hold at most "-9" .. "99". */
    const std::optional<int> code = trainLineGroupCode(line);
    m_codes[i] = int16_t(code ? *code : kNoNumber);
    return m_codes[i];
}

void LineGroupCache::forget(size_t i)
{
    if (i < m_codes.size())
        m_codes[i] = kUnread;
}

} // namespace core
