/** @file due_lines.h The timetable's lines by the minute they fall due at, and the due lines by their group. */
#pragma once

#include "core/timetable_file.h"

#include <QHash>
#include <QString>

#include <array>
#include <cstdint>
#include <vector>

namespace core {

/**
 * Two indexes over the loaded timetable's train lines, so that their
 * number does not weigh on the tick. The lines are indexed by the due keys
 * they hold ("715": columns 9-12, or 24-27 for a train that starts here),
 * and their group codes read, when a game loads them, or when first asked
 * after other lines came; the marking then looks only at the lines of its
 * minute and reads no text but their keys. The lines marked due
 * are kept by the group they wait in, in line order; the placing looks
 * only at the first of each group that has a free row. A line changes only
 * while it waits (a load writes them anew and sets every one waiting), so
 * neither index goes stale in a game.
 *
 * Each group's list is a vector in line order from a moving head: lines
 * that fall due together come in line order and are appended, and the
 * placing takes them from the front. So a flood of lines falling due in
 * one tick costs an append each, and a line let go costs nothing until
 * the head passes it.
 */
class DueLines {
public:
    /** Stands for no line. */
    static constexpr size_t npos = SIZE_MAX;

    /** Forgets both indexes and indexes these newly loaded lines, none of them due. */
    void load(const std::vector<QString> &lines);
    /**
     * @return the lines, in line order, that may hold key as one of their
     *         due keys (the caller compares the line's text); the lines are
     *         indexed first if they were not.
     */
    const std::vector<uint32_t> &linesDueAt(const QString &key, const std::vector<QString> &lines);
    /** Keeps line i as due, in the list of the group its group code gave when it was indexed. */
    void addDue(size_t i);
    /** Lets due line i go: placed or refused. */
    void removeDue(size_t i);
    /** @return the first due line of a group, or npos. */
    size_t firstDue(TrainGroup group) { return first(static_cast<size_t>(group)); }
    /** @return the first due line whose group is no number, or npos. */
    size_t firstUnnumbered() { return first(kUnnumbered); }
    /** @return whether no line is kept as due: nothing for the placing to look at. */
    bool none() const
    {
        for (const List &list : m_due)
            if (list.head < list.lines.size())
                return false;
        return true;
    }

private:
    /** Forgets both indexes. */
    void reset();

    /** The due lines of one group. */
    struct List {
        std::vector<uint32_t> lines; ///< In line order from head on, but for the unmerged tail.
        size_t head = 0;             ///< The first entry not yet let go.
        size_t tail = npos;          ///< Where the entries that came out of line order begin, or npos.
    };

    /** Indexes every line by its due keys and reads its group. */
    void index(const std::vector<QString> &lines);
    /** @return the first line of list l still kept in it, or npos. */
    size_t first(size_t l);
    /** Puts list l's unmerged tail into line order with the rest. */
    static void merge(List &list);

    static constexpr size_t kUnnumbered = 3;            ///< The list of lines whose group is no number.
    static constexpr uint8_t kNone = kUnnumbered + 1;  ///< A line in no list.

    bool m_indexed = false;                             ///< The key index is built.
    size_t m_indexedCount = 0;                          ///< The number of lines it was built for.
    QHash<quint64, std::vector<uint32_t>> m_byKey;      ///< Lines by due key (packed characters), in line order.
    std::array<List, 4> m_due;                          ///< Due lines by group, then the unnumbered.
    std::vector<uint8_t> m_groupOf;                     ///< The list each line goes to when it falls due.
    std::vector<uint8_t> m_listOf;                      ///< The list each line is kept in, kNone for none.
};

} // namespace core
