/** @file due_lines.cpp The timetable's lines by the minute they fall due at, and the due lines by their group. */
#include "core/due_lines.h"

#include "core/line_group_cache.h"

namespace core {

namespace {

/** @return a due key as the marking compares it: four columns without one leading zero. */
QString dueKey(const QString &line, qsizetype from)
{
    QStringView hhmm = QStringView(line).mid(from, 4);
    if (hhmm.startsWith(QLatin1Char('0')))
        hhmm = hhmm.mid(1);
    return hhmm.toString();
}

} // namespace

void DueLines::reset()
{
    m_indexed = false;
    m_indexedCount = 0;
    m_byKey.clear();
    for (std::set<uint32_t> &list : m_due)
        list.clear();
    m_listOf.clear();
}

void DueLines::index(const std::vector<QString> &lines)
{
    m_byKey.clear();
    for (size_t i = 0; i < lines.size(); ++i) {
        const QString &line = lines[i];
        /* The same columns as the marking reads: 9-12 always, 24-27 for a train that starts here. */
        QString first;
        if (line.size() >= 12) {
            first = dueKey(line, 8);
            m_byKey[first].push_back(uint32_t(i));
        }
        if (line.size() >= 27 && line.at(7) == QLatin1Char('0')) {
            const QString second = dueKey(line, 23);
            if (second != first)
                m_byKey[second].push_back(uint32_t(i));
        }
    }
    m_indexed = true;
    m_indexedCount = lines.size();
}

const std::vector<uint32_t> &DueLines::linesDueAt(const QString &key, const std::vector<QString> &lines)
{
    if (!m_indexed || m_indexedCount != lines.size()) {
        /* Other lines than those indexed: loaded anew, so none of them is due yet. */
        reset();
        index(lines);
    }
    static const std::vector<uint32_t> none;
    const auto it = m_byKey.constFind(key);
    return it == m_byKey.constEnd() ? none : *it;
}

void DueLines::addDue(size_t i, int groupCode)
{
    const size_t list = groupCode == LineGroupCache::kNoNumber ? kUnnumbered
                                                               : static_cast<size_t>(groupOfCode(groupCode));
    if (i >= m_listOf.size())
        m_listOf.resize(i + 1, uint8_t(kUnnumbered + 1));
    m_listOf[i] = uint8_t(list);
    m_due[list].insert(uint32_t(i));
}

void DueLines::removeDue(size_t i)
{
    if (i >= m_listOf.size() || m_listOf[i] > kUnnumbered)
        return;
    m_due[m_listOf[i]].erase(uint32_t(i));
    m_listOf[i] = uint8_t(kUnnumbered + 1);
}

} // namespace core
