/** @file due_lines.cpp The timetable's lines by the minute they fall due at, and the due lines by their group. */
#include "core/due_lines.h"

#include <algorithm>

namespace core {

namespace {

/**
 * @return a due key as the marking compares it (four columns without one
 *         leading zero) packed into a number, a character in each 16 bits:
 *         indexing builds no string. Keys of one to four characters only.
 */
quint64 packedKey(QStringView key)
{
    quint64 packed = 0;
    for (const QChar c : key)
        packed = packed << 16 | c.unicode();
    return packed;
}

/** @return the packed due key of the four columns from `from` on. */
quint64 dueKeyAt(const QString &line, qsizetype from)
{
    QStringView hhmm = QStringView(line).mid(from, 4);
    if (hhmm.startsWith(QLatin1Char('0')))
        hhmm = hhmm.mid(1);
    return packedKey(hhmm);
}

} // namespace

void DueLines::reset()
{
    m_indexed = false;
    m_indexedCount = 0;
    m_byKey.clear();
    for (List &list : m_due)
        list = List{};
    m_groupOf.clear();
    m_listOf.clear();
}

void DueLines::load(const std::vector<QString> &lines)
{
    reset();
    index(lines);
}

void DueLines::index(const std::vector<QString> &lines)
{
    m_byKey.clear();
    m_groupOf.assign(lines.size(), kUnnumbered);
    for (size_t i = 0; i < lines.size(); ++i) {
        const QString &line = lines[i];
        if (const std::optional<int> code = trainLineGroupCode(line))
            m_groupOf[i] = uint8_t(groupOfCode(*code));
        /* The same columns as the marking reads: 9-12 always, 24-27 for a train that starts here. */
        if (line.size() < 12)
            continue;
        const quint64 first = dueKeyAt(line, 8);
        m_byKey[first].push_back(uint32_t(i));
        if (line.size() >= 27 && line.at(7) == QLatin1Char('0')) {
            const quint64 second = dueKeyAt(line, 23);
            if (second != first)
                m_byKey[second].push_back(uint32_t(i));
        }
    }
    m_listOf.assign(lines.size(), kNone);
    m_indexed = true;
    m_indexedCount = lines.size();
}

const std::vector<uint32_t> &DueLines::linesDueAt(const QString &key, const std::vector<QString> &lines)
{
    if (!m_indexed || m_indexedCount != lines.size()) {
        /* Other lines than those indexed: loaded anew, so none of them is due yet. */
        load(lines);
    }
    static const std::vector<uint32_t> none;
    /* A due key has three characters, or four when its first is no zero. */
    if (key.size() < 3 || key.size() > 4)
        return none;
    const auto it = m_byKey.constFind(packedKey(key));
    return it == m_byKey.constEnd() ? none : *it;
}

void DueLines::addDue(size_t i)
{
    if (i >= m_groupOf.size())
        return;
    const uint8_t l = m_groupOf[i];
    m_listOf[i] = l;
    List &list = m_due[l];
    /* Lines falling due together come in line order; one before the last kept starts a tail to merge. */
    if (list.tail == npos && list.lines.size() > list.head && i < list.lines.back())
        list.tail = list.lines.size();
    list.lines.push_back(uint32_t(i));
}

void DueLines::removeDue(size_t i)
{
    /* Its entry stays until the head passes it: an entry whose line is no longer in its list is passed over. */
    if (i < m_listOf.size())
        m_listOf[i] = kNone;
}

void DueLines::merge(List &list)
{
    const auto begin = list.lines.begin() + qsizetype(list.head);
    const auto tail = list.lines.begin() + qsizetype(list.tail);
    /* The tail is in line order when it fell due in one marking; else it is sorted first. */
    if (!std::is_sorted(tail, list.lines.end()))
        std::sort(tail, list.lines.end());
    std::inplace_merge(begin, tail, list.lines.end());
    list.tail = npos;
}

size_t DueLines::first(size_t l)
{
    List &list = m_due[l];
    if (list.tail != npos)
        merge(list);
    while (list.head < list.lines.size()) {
        const uint32_t i = list.lines[list.head];
        if (i < m_listOf.size() && m_listOf[i] == l)
            return i;
        ++list.head;
    }
    list.lines.clear();
    list.head = 0;
    return npos;
}

} // namespace core
