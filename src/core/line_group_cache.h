/** @file line_group_cache.h The group code of each due timetable line, read once when it falls due. */
#pragma once

#include <QString>

#include <cstdint>
#include <vector>

namespace core {

/**
 * Keeps the group code of each train line by its index, read the first
 * time the placing asks after the line fell due: a due line waiting for a
 * row then costs no look at its text, however many lines wait. The due
 * marking forgets a line's code whenever the line falls due, since a line
 * changes only while it is not due (the game start writes the lines anew
 * and sets every one waiting).
 */
class LineGroupCache {
public:
    /** Stands for a group code that is no number. */
    static constexpr int kNoNumber = INT16_MIN + 1;

    /**
     * @return the group code of columns 1-2 of line i (see
     *         trainLineGroupCode), or kNoNumber when it is no number.
     */
    int groupCode(size_t i, const QString &line)
    {
        /* Inline and without an optional: it runs for every due line on every tick. */
        const int code = i < m_codes.size() ? m_codes[i] : kUnread;
        return code == kUnread ? read(i, line) : code;
    }
    /** Forgets what was read from line i: it is read again at the next ask. */
    void forget(size_t i);

private:
    /** Reads line i's group code and keeps it. @return the code or kNoNumber. */
    int read(size_t i, const QString &line);

    static constexpr int kUnread = INT16_MIN; ///< Not read yet.
    std::vector<int16_t> m_codes;             ///< Per line: its code, kNoNumber or kUnread.
};

} // namespace core
