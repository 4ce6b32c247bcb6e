/** @file refusal_reports.h How many refused timetable lines a game reports in full, and the count of the rest. */
#pragma once

#include <QString>

namespace core {

/**
 * The reports of a timetable's refused lines in one game. The first few
 * refused lines are reported in full, each with its own boxes; the lines
 * refused after them get no box of their own. On the first placing after
 * such a line that refuses nothing, one more box says how many lines were
 * refused without a report; every line refused after that box is refused
 * without any. So a timetable of any number of bad lines shows a bounded
 * number of boxes in a game.
 */
class RefusalReports {
public:
    /** Refused lines of a game that are reported in full. */
    static constexpr int kFullReports = 5;

    /** Forgets every report: a new game begins. */
    void reset() { *this = RefusalReports(); }
    /** A placing begins: it has refused nothing so far. */
    void beginPlacing() { m_refusedInPlacing = false; }
    /**
     * Counts a refused line.
     * @return whether it is reported in full (one of the first kFullReports).
     */
    bool refuse();
    /**
     * A placing ends.
     * @return the text of the box that counts the lines refused without a
     *         report, when it is due now; empty otherwise.
     */
    QString endPlacing();

private:
    int m_fullReports = 0;           ///< Lines reported in full in this game.
    int m_unreported = 0;            ///< Lines refused without a report before the count was shown.
    bool m_counted = false;          ///< The count has been shown: later lines get no box at all.
    bool m_refusedInPlacing = false; ///< The running placing refused a line.
};

} // namespace core
