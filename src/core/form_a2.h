/** @file form_a2.h The timetable window A2 "Jízdní řád": sixteen train rows in three groups. */
#pragma once

#include "core/due_lines.h"
#include "core/line_group_cache.h"
#include "core/refusal_reports.h"
#include "core/timetable_file.h"
#include "core/vehicle_pictures.h"
#include "platform/picture_limits.h"
#include "ui/controls.h"

#include <QImage>

#include <array>
#include <chrono>

/** Rows of the timetable window. */
inline constexpr int kTimetableRows = 16;

/** Vehicle pictures of one row, a to j. */
inline constexpr int kRowVehicles = 10;

/**
 * The progress colours of a row's cells Číslo, Odj.s. and Odj. Every Part
 * that tests them compares exactly with one of these.
 */
namespace progress {
inline constexpr ui::PackedColor White{255, 255, 255};   ///< Idle, or that half of the run is over.
inline constexpr ui::PackedColor Orange{255, 128, 0};    ///< Due: to be offered.
inline constexpr ui::PackedColor Yellow{255, 255, 0};    ///< Accepted.
inline constexpr ui::PackedColor Lime{0, 255, 0};        ///< Running.
inline constexpr ui::PackedColor Aqua{0, 255, 255};      ///< Ready to depart.
inline constexpr ui::PackedColor Fuchsia{255, 0, 255};   ///< Arrived.
inline constexpr ui::PackedColor Red{255, 0, 0};         ///< Refused by the player.
} // namespace progress

/** The first and last row (1-based) of one group of the window. */
struct RowRange {
    int first; ///< Lowest row of the group; placement tries it first.
    int last;  ///< Highest row of the group.
};

/** @return the rows of a group: fast trains 1-4, passenger trains 5-9, freight trains 10-16. */
RowRange rowsOfGroup(core::TrainGroup group);

/**
 * One row of the timetable window: the record of one train. Every Part
 * that deals with a train finds it by comparing `trainNumber` with the
 * number it holds. A row is free exactly while its number cell is empty.
 * Member comments give the column heading and the name of row 1's cell.
 */
struct TimetableRow {
    int row = 0;                        ///< Row number, 1 .. 16.
    ui::Edit *trainNumber = nullptr;    ///< "Číslo" (`B3`): the train's number; progress colour of the inbound train.
    ui::Edit *comesFrom = nullptr;      ///< "Ze směru" (`B4`): neighbour the train comes from; empty when it starts here.
    ui::Edit *neighbourDeparture = nullptr; ///< "Odj.s." (`B5`): departure from the neighbour, H:MM; inbound progress colour.
    ui::Edit *arrival = nullptr;        ///< "Příj." (`B6`): arrival here, H:MM.
    ui::Edit *runningTimeFrom = nullptr; ///< "J.d." (`B7`): running time from the neighbour, whole minutes.
    ui::Edit *track = nullptr;          ///< "K." (`B8`): regular station track.
    ui::Edit *departure = nullptr;      ///< "Odj." (`B9`): departure from here, H:MM, or "pr."; outbound progress colour.
    ui::Edit *neighbourArrival = nullptr; ///< "Příj.s." (`C0`): arrival at the neighbour, H:MM.
    ui::Edit *runningTimeTo = nullptr;  ///< "J.d." (`C1`): running time to the neighbour, whole minutes.
    ui::Edit *leavesFor = nullptr;      ///< "Směr" (`C2`): neighbour the train leaves for; empty when it ends here.
    ui::Edit *length = nullptr;         ///< "Dél." (`C3`): train length; only ever emptied.
    ui::Edit *mass = nullptr;           ///< "Hmot." (`C4`): train mass; only ever emptied.
    ui::Edit *agreedTime = nullptr;     ///< Hidden (`C5`): the agreed or announced departure time, H:MM.
    ui::Edit *minutesAhead = nullptr;   ///< Hidden (`C5a`): minutes to the neighbour's departure, "1" .. "5".
    ui::Edit *reofferCountdown = nullptr; ///< Hidden (`C5b`): ticks until a refused train is offered again.
    ui::Edit *note = nullptr;           ///< "Poznámka" (`Poznamka01`).
    /** Vehicle pictures a to j (`Vlak1a` .. `Vlak1j`), first vehicle first, each at its picture's own size. */
    std::array<ui::Image *, kRowVehicles> vehicles{};

    /** @return true while the number cell is empty: the row may take a train. */
    bool isFree() const { return trainNumber->text().isEmpty(); }
    /**
     * Clears the inbound half once the train has arrived: Odj.s. white,
     * Ze směru to J.d. emptied; a train that ends here also frees the row
     * (Číslo white and empty, K., the agreed time and the note emptied).
     */
    void clearInbound();
    /**
     * Clears the outbound half once the train has reached the neighbour:
     * Odj. white, K. to Hmot. and the agreed time emptied, the note too
     * when withNote; a train that started here also frees the row.
     */
    void clearOutbound(bool withNote);
};

/**
 * The timetable window. It has no logic of its own: placement writes
 * trains into free rows, the other subsystems read the cells and move a
 * train's progress on by the colours of Číslo, Odj.s. and Odj.
 */
class TA2 : public ui::Form {
public:
    explicit TA2(platform::Platform &platform);

    ui::Label *B1;          ///< The column headings as one line of text, bold and underlined.
    ui::Label *B2;          ///< "A - Rychlíky a spěšné vlaky": rows 1-4.
    ui::Label *G5;          ///< "B - Osobní vlaky": rows 5-9.
    ui::Label *N1;          ///< "C - Nákladní vlaky": rows 10-16.
    ui::GroupBox *GroupBox1; ///< "Vlaky": the rows' vehicle pictures at their own sizes, below the designed client area.

    /** @return row r, 1 .. 16. */
    TimetableRow &row(int r) { return m_rows.at(r - 1); }
    const TimetableRow &row(int r) const { return m_rows.at(r - 1); }

    /** Gives row r its ten vehicle pictures, a first; each picture takes its own size. */
    void setVehicles(int r, const std::array<QImage, kRowVehicles> &pictures);

    /** Pictures of vehicle files, decoded once for this window's life, that is once per game. */
    VehiclePictures vehiclePictures;
    /** Group codes of the timetable's lines, read once for the placing. */
    core::LineGroupCache lineGroups;
    /** The timetable's lines by due minute, and the due ones by group, for the marking and the placing. */
    core::DueLines dueLines;
    /** How many of the timetable's refused lines this game has reported. */
    core::RefusalReports refusalReports;
    /**
     * The time, of the processor and of the wall clock, one tick's placing
     * of timetable trains may take: the finding of its lines' files and the
     * waits for their pictures, together (platform::kMaxPlacingTime).
     */
    std::chrono::nanoseconds placingTime = platform::kMaxPlacingTime;

private:
    void buildLabels();
    void buildRow(int r);
    void buildVehicleStrip(int r);

    std::array<TimetableRow, kTimetableRows> m_rows;
};

/**
 * @return the name of cell `column` (0 = Číslo .. 12 = the agreed-time
 *         cell) of row r, as the running code sequence gives it: row 1
 *         column 0 is "B3", row 16 column 12 is "W2".
 */
QString timetableCellName(int r, int column);
