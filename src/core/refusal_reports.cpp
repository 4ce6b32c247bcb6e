/** @file refusal_reports.cpp How many refused timetable lines a game reports in full, and the count of the rest. */
#include "core/refusal_reports.h"

#include "platform/czech_plural.h"

namespace core {

bool RefusalReports::refuse()
{
    m_refusedInPlacing = true;
    if (m_fullReports < kFullReports) {
        ++m_fullReports;
        return true;
    }
    if (!m_counted)
        ++m_unreported;
    return false;
}

QString RefusalReports::endPlacing()
{
    /* Counted once the lines refused together are all through: a placing that refuses nothing. */
    if (m_refusedInPlacing || m_counted || m_unreported == 0)
        return {};
    m_counted = true;
    return QStringLiteral("Ještě %1 grafikonu nelze zařadit. Další vadné řádky tohoto grafikonu se již nehlásí.")
        .arg(platform::czechCount(m_unreported, QStringLiteral("řádek"), QStringLiteral("řádky"),
                                  QStringLiteral("řádků")));
}

} // namespace core
