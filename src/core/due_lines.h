/** @file due_lines.h The timetable's lines by the minute they fall due at, and the due lines by their group. */
#pragma once

#include "core/timetable_file.h"

#include <QHash>
#include <QString>

#include <array>
#include <cstdint>
#include <set>
#include <vector>

namespace core {

/**
 * Two indexes over the loaded timetable's train lines, so that their
 * number does not weigh on the tick. The lines are indexed by the due keys
 * they hold ("715": columns 9-12, or 24-27 for a train that starts here)
 * when first asked after a load; the marking then looks only at the lines
 * of its minute. The lines marked due are kept by the group they wait in,
 * in line order; the placing looks only at the first of each group that
 * has a free row. A line changes only while it waits (a load writes them
 * anew and sets every one waiting), so neither index goes stale in a game.
 */
class DueLines {
public:
    /** Stands for no line. */
    static constexpr size_t npos = SIZE_MAX;

    /** Forgets both indexes: the lines were loaded anew. */
    void reset();
    /**
     * @return the lines, in line order, that hold key as one of their due
     *         keys; the lines are indexed first if they were not.
     */
    const std::vector<uint32_t> &linesDueAt(const QString &key, const std::vector<QString> &lines);
    /** Keeps line i as due, in the list of its group code (LineGroupCache::kNoNumber when none). */
    void addDue(size_t i, int groupCode);
    /** Lets due line i go: placed or refused. */
    void removeDue(size_t i);
    /** @return the first due line of a group, or npos. */
    size_t firstDue(TrainGroup group) const { return first(static_cast<size_t>(group)); }
    /** @return the first due line whose group is no number, or npos. */
    size_t firstUnnumbered() const { return first(kUnnumbered); }

private:
    /** Indexes every line by its due keys. */
    void index(const std::vector<QString> &lines);
    size_t first(size_t list) const { return m_due[list].empty() ? npos : *m_due[list].begin(); }

    static constexpr size_t kUnnumbered = 3; ///< The list of lines whose group is no number.

    bool m_indexed = false;                            ///< The key index is built.
    size_t m_indexedCount = 0;                         ///< The number of lines it was built for.
    QHash<QString, std::vector<uint32_t>> m_byKey;     ///< Lines by due key, in line order.
    std::array<std::set<uint32_t>, 4> m_due;           ///< Due lines by group, then the unnumbered.
    std::vector<uint8_t> m_listOf;                     ///< The list each due line is kept in.
};

} // namespace core
