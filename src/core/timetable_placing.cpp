/** @file timetable_placing.cpp A timetable file's trains: due marking and placing into free rows of the window. */
#include "core/timetable_placing.h"

#include "core/app.h"
#include "core/core_handlers.h"
#include "core/form_a1.h"
#include "core/form_a2.h"
#include "core/timetable_file.h"
#include "devices/form_a3.h"
#include "frame/form_a0.h"
#include "platform/files.h"
#include "platform/picture_read.h"
#include "platform/platform.h"
#include "ui/sim_error.h"

#include <algorithm>
#include <array>
#include <exception>
#include <optional>

namespace core {

namespace {

/** Refused lines a tick looks past, at most, before it leaves the rest to the next tick. */
constexpr int kSilentRefusalsPerTick = 1000;

/**
 * The work finding picture files may cost one tick (platform::pathWork:
 * some microsecond a unit): once it is spent, the line being looked at
 * and the rest wait, due, for the next tick, which goes on from the
 * folders this one listed.
 */
constexpr quint64 kPathWorkPerTick = 100000;

/**
 * @return true when timeDueKey(hhmm) equals key, compared without building
 *         a string.
 */
bool dueKeyEquals(QStringView hhmm, const QString &key)
{
    if (hhmm.startsWith(QLatin1Char('0')))
        hhmm = hhmm.mid(1);
    return hhmm == key;
}

/** @return true when a waiting line falls due at the look-ahead key; reads nothing beyond its end. */
bool fallsDue(const QString &line, const QString &key)
{
    if (line.isEmpty())
        return false;
    /* Columns 9-12 for every line; columns 24-27 too when the train starts here. */
    if (line.size() >= 12 && dueKeyEquals(QStringView(line).mid(8, 4), key))
        return true;
    return line.size() >= 27 && line.at(7) == QLatin1Char('0') && dueKeyEquals(QStringView(line).mid(23, 4), key);
}

void markDueLines(App &app)
{
    const TA1 &a1 = app.A1();
    /* The look-ahead key has no colon: "715" at 7:15, "1405" at 14:05. */
    const QString key = a1.Hodina->line(5) + a1.Minuta->line(5);
    const TVlakString &lines = app.TimetableTrainLines;
    TA2 &a2 = app.A2();
    /* Only the lines that hold this key are looked at, in line order, however many wait. */
    for (const uint32_t i : a2.dueLines.linesDueAt(key, lines)) {
        if (i < app.TimetableTrainStates.size() && app.TimetableTrainStates[i] == LineWaiting
            && fallsDue(lines[i], key)) {
            app.TimetableTrainStates[i] = LineDue;
            a2.lineGroups.forget(i);
            a2.dueLines.addDue(i);
        }
    }
}

/**
 * Writes the neighbour's name of line code 1 to 3 into a name cell; any
 * other code leaves the cell as it is.
 */
void writeStation(const TA1 &a1, ui::Edit &cell, LineCode line)
{
    switch (line) {
    case LineCode::A: cell.setText(a1.StaniceA1->text()); break;
    case LineCode::B: cell.setText(a1.StaniceB1->text()); break;
    case LineCode::C: cell.setText(a1.StaniceC1->text()); break;
    case LineCode::Here:
    case LineCode::Other: break;
    }
}

/** @return the first free row of the group, or null when all are taken. */
TimetableRow *firstFreeRow(TA2 &a2, TrainGroup group)
{
    const RowRange rows = rowsOfGroup(group);
    for (int r = rows.first; r <= rows.last; ++r) {
        if (a2.row(r).isFree())
            return &a2.row(r);
    }
    return nullptr;
}

/**
 * The first free row of each of the three groups, looked up once per call:
 * a due line waiting for a row then costs only the reading of its group code.
 */
class FreeRows {
public:
    explicit FreeRows(TA2 &a2)
    {
        for (TrainGroup g : {TrainGroup::Fast, TrainGroup::Passenger, TrainGroup::Freight})
            m_row[static_cast<size_t>(g)] = firstFreeRow(a2, g);
    }
    /** @return the first free row of the group, or null when all are taken. */
    TimetableRow *of(TrainGroup group) const { return m_row[static_cast<size_t>(group)]; }
    /** @return whether some group that may take a line now has a free row. */
    bool any(bool freight) const
    {
        return of(TrainGroup::Fast) || of(TrainGroup::Passenger) || (freight && of(TrainGroup::Freight));
    }

private:
    std::array<TimetableRow *, 3> m_row{};
};

/**
 * Thrown by the check of a due line when one of its pictures was not read
 * yet in the placing's time (PictureRefusal::OutOfTime): no fault of the
 * line. It waits, due and untouched, as a line whose path work is spent
 * does, and the next tick checks it again, with the pictures read so far
 * still kept and the one being read still in its reader's hands.
 */
struct PicturesLeftForLater {};

/**
 * A due line checked whole, with the pictures its check found, held from
 * the check to the row so that none of them is let go in between.
 */
struct CheckedLine {
    TrainLineResult result;
    QHash<QString, QImage> pictures; ///< By vehicles-file entry.
};

/** @return the ten pictures of a checked line: code 0 the empty vehicle, else the picture its check found. */
std::array<QImage, kRowVehicles> vehiclePicturesOf(App &app, const CheckedLine &checked)
{
    const QStringList &vehicles = app.A0().Vozidla->lines();
    std::array<QImage, kRowVehicles> pictures;
    for (int v = 0; v < kRowVehicles; ++v) {
        const int code = checked.result.line.vehicleCodes[v];
        pictures[v] = code > 0 ? checked.pictures.value(vehicleEntry(vehicles, code))
                               : app.A3().VozidloPrazdne->picture();
    }
    return pictures;
}

/** Writes a checked line into a free row, number first, pictures last. */
void writeTrain(App &app, TimetableRow &row, const CheckedLine &checked)
{
    const TimetableTrainLine &line = checked.result.line;
    const TA1 &a1 = app.A1();
    row.trainNumber->setText(line.numberText());
    if (line.from != LineCode::Here) {
        writeStation(a1, *row.comesFrom, line.from);
        row.neighbourDeparture->setText(shownTime(line.neighbourDeparture));
        row.arrival->setText(shownTime(line.arrival));
        row.runningTimeFrom->setText(shownRunningTime(line.runningTimeFrom));
    }
    row.track->setText(QString(line.track));
    if (line.to != LineCode::Here) {
        writeStation(a1, *row.leavesFor, line.to);
        row.departure->setText(shownTime(line.departure));
        row.neighbourArrival->setText(shownTime(line.neighbourArrival));
        row.runningTimeTo->setText(shownRunningTime(line.runningTimeTo));
    }
    if (line.passesThrough())
        row.departure->setText(QStringLiteral("pr."));
    /* The note is this train's own: an earlier train's note never stays behind. */
    row.note->setText(line.note);
    app.A2().setVehicles(row.row, vehiclePicturesOf(app, checked));
}

/**
 * @return due line i checked whole, columns and vehicles, before any cell is written.
 * @throws PicturesLeftForLater when a picture of it was not read in the placing's time.
 * @throws platform::PathWorkSpent when the finding of its files is left for the next tick.
 */
CheckedLine checkDueLine(App &app, size_t i, const QString &text)
{
    /* The pictures the check reads are all this tick reads: they share the placing's time. */
    const QString dataDir = app.dataDir();
    VehiclePictures &pictures = app.A2().vehiclePictures;
    pictures.beginTrain(i);
    CheckedLine checked;
    checked.result = checkTrainLine(text, app.A0().Vozidla->lines(), [&](const QString &entry) {
        PictureRefusal why = PictureRefusal::None;
        const QImage picture = pictures.picture(dataDir, entry, &why);
        if (why == PictureRefusal::OutOfTime)
            throw PicturesLeftForLater{};
        if (!picture.isNull())
            checked.pictures.insert(entry, picture);
        return why;
    });
    return checked;
}

/**
 * Refuses line i for this game: it takes no row. One of the game's first
 * refused lines is reported as a failure of the placing; a later one is
 * let go without a box (RefusalReports).
 */
void refuse(App &app, size_t i, const QString &why)
{
    app.TimetableTrainStates[i] = LineRefused;
    app.A2().dueLines.removeDue(i);
    if (app.A2().refusalReports.refuse()) {
        throw ui::SimError(QStringLiteral("Vlak na řádku %1 grafikonu nelze zařadit: %2")
                               .arg(kFirstTrainLine + static_cast<int>(i))
                               .arg(why));
    }
}

/**
 * @return the first due line, in line order, that the placing acts on: one
 *         whose group has a free row it may take, or one whose group is no
 *         number (it is refused); npos when there is none.
 */
size_t firstActionableLine(DueLines &due, const FreeRows &freeRows, bool freight)
{
    size_t first = due.firstUnnumbered();
    for (TrainGroup g : {TrainGroup::Fast, TrainGroup::Passenger, TrainGroup::Freight})
        if ((g != TrainGroup::Freight || freight) && freeRows.of(g))
            first = std::min(first, due.firstDue(g));
    return first;
}

/** What one look at the due lines came to. */
enum class Turn {
    Done,    ///< A train was placed, or no due line can be placed now.
    Refused, ///< A line was refused without a box: it took no row.
};

/** Places the first due line that has a free row, or refuses it. */
Turn placeFirstDueLine(App &app, const FreeRows &freeRows, bool freight)
{
    TVlakByte &states = app.TimetableTrainStates;
    /* The due lines of the full groups wait without being looked at. */
    DueLines &due = app.A2().dueLines;
    size_t i = firstActionableLine(due, freeRows, freight);
    /* A line kept as due that is no longer due (its states were written anew) is let go. */
    while (i != DueLines::npos && (i >= states.size() || states[i] != LineDue)) {
        due.removeDue(i);
        i = firstActionableLine(due, freeRows, freight);
    }
    if (i == DueLines::npos || i >= app.TimetableTrainLines.size())
        return Turn::Done;
    const QString &text = app.TimetableTrainLines[i];
    const int groupCode = app.A2().lineGroups.groupCode(i, text);
    if (groupCode == LineGroupCache::kNoNumber) {
        refuse(app, i, QStringLiteral("Skupina vlaku ve sloupcích 1-2 není číslo."));
        return Turn::Refused;
    }
    TimetableRow *row = freeRows.of(groupOfCode(groupCode));
    /* Only now, with a row to write, is the whole line checked: before any cell is written. */
    CheckedLine checked = checkDueLine(app, i, text);
    /* Its pictures are all read, or it is refused: their reader's work is done. */
    VehiclePictures &pictures = app.A2().vehiclePictures;
    pictures.endTrain();
    if (!checked.result.ok()) {
        /* Refused for its pictures' size, its large pictures are no train's: let go at once. Those of a
           line refused for another fault stay for the lines that name them too, and go when room is needed. */
        checked.pictures.clear();
        if (checked.result.error->fault == TrainLineFault::TooLargePicture)
            pictures.forgetTrain();
        refuse(app, i, checked.result.error->text);
        return Turn::Refused;
    }
    writeTrain(app, *row, checked);
    states[i] = LinePlaced;
    due.removeDue(i);
    return Turn::Done;
}

void placeOneTrain(App &app)
{
    /* Mostly no line is due: then there is no row to look for. */
    if (app.A2().dueLines.none())
        return;
    const bool freight = app.A1().NakladniVlaky->checked();
    const FreeRows freeRows(app.A2());
    /* With every group full, no due line can be placed or checked: none is looked at. */
    if (!freeRows.any(freight))
        return;
    /* A refused line takes no row, so it takes no turn either: the next due
       line is looked at in the same tick. One reported in full ends the tick
       by its failure. The tick's work stays small: at most one refused line
       that read picture files, a bounded number of the others, and the
       finding of their files bounded by its work. */
    const VehiclePictures &pictures = app.A2().vehiclePictures;
    const platform::PathWorkLimit pathWork(kPathWorkPerTick);
    /* One time, of the processor and of the wall clock, for all this placing costs: the paths of its lines,
       the folders listed for them, and the waits for their pictures, each read by its reader in a time of its
       own. A line whose paths or pictures it does not reach the end of is left for the next tick. */
    const platform::PictureRead placing(app.A2().placingTime, app.A2().placingTime);
    try {
        for (int refused = 0; refused < kSilentRefusalsPerTick && !platform::PathWorkLimit::spent(); ++refused) {
            const int reads = pictures.picturesRead();
            if (placeFirstDueLine(app, freeRows, freight) == Turn::Done || pictures.picturesRead() != reads)
                return;
        }
    } catch (const platform::PathWorkSpent &) {
        /* The line whose files were being found stays due, untouched: the next tick goes on with it. */
    } catch (const PicturesLeftForLater &) {
        /* The line whose pictures were being read stays due, untouched: the next tick reads the rest. It
           gets further each tick: the pictures read for it stay kept, and the one its reader is reading goes
           on between the ticks, until its reader answers, spends its own time (too large), or, making no
           progress, is replaced, a few readers in a row at most (never read). The lines behind it wait for
           it as for a line whose files are being found: a few ticks. */
    }
}

} // namespace

void MarkDueTimetableLines(App &app)
{
    try {
        markDueLines(app);
    } catch (const std::exception &) {
        /* Reported but not passed on: the tick goes on to the placing. */
        app.platform().messages.show(QStringLiteral("Error A1HV"));
    }
}

void PlaceTimetableTrains(App &app)
{
    RefusalReports &reports = app.A2().refusalReports;
    reports.beginPlacing();
    ui::guarded(app.A1(), QStringLiteral("Error A1H-ZV"), [&app] { placeOneTrain(app); });
    const QString count = reports.endPlacing();
    if (!count.isEmpty())
        app.platform().messages.show(count);
}

} // namespace core
