/** @file timetable_file.h Reading of timetable files: header check, train lines in fixed columns and time keys. */
#pragma once

#include "core/vehicle_pictures.h"

#include <QString>
#include <QStringList>
#include <QStringView>

#include <array>
#include <functional>
#include <optional>

namespace core {

/** First train line of a timetable file; lines 0 to 29 are the header. */
inline constexpr int kFirstTrainLine = 30;

/** Shortest train line: the vehicle codes end in this column. */
inline constexpr int kTrainLineMinLength = 67;

/** Vehicles carried by one train line. */
inline constexpr int kVehiclesPerTrain = 10;

/** Identity that line 1 of a timetable file must hold. */
inline const QString kTimetableIdentity = QStringLiteral("Kobrant ŽST Kamenná");

/** Encoding mark that line 2 of a timetable file must hold. */
inline const QString kTimetableEncoding = QStringLiteral("num-code");

/** Where a train comes from (column 8) or leaves for (column 23). */
enum class LineCode {
    Here = 0,  ///< "0": the train starts or ends at Kamenná.
    A = 1,     ///< "1": the neighbour on line A.
    B = 2,     ///< "2": the neighbour on line B.
    C = 3,     ///< "3": the neighbour on line C.
    Other = 4, ///< Any other character: in column 8 no neighbour's name, but the times shown; column 23 refuses.
};

/** The timetable window's three groups of rows. */
enum class TrainGroup {
    Fast,      ///< Group code up to 16: rows 1-4, "A - Rychlíky a spěšné vlaky".
    Passenger, ///< Group code 17 to 19: rows 5-9, "B - Osobní vlaky".
    Freight,   ///< Group code 20 and more: rows 10-16, "C - Nákladní vlaky".
};

/**
 * One train line of a timetable file (line 30 on), field by field. Time
 * fields keep their four characters "HHMM" and running times their two
 * characters "mm" as the file holds them, because the window shows and
 * the clock compares them as texts.
 */
struct TimetableTrainLine {
    int groupCode = 0;                          ///< Columns 1-2: selects the group of rows.
    int trainNumber = 0;                        ///< Columns 3-7: the train's number.
    LineCode from = LineCode::Here;             ///< Column 8: the line it comes from.
    QString neighbourDeparture;                 ///< Columns 9-12: departure from the neighbour, HHMM.
    QString arrival;                            ///< Columns 13-16: arrival here, HHMM.
    QString runningTimeFrom;                    ///< Columns 17-18: running time from the neighbour, mm.
    QString spare19to20;                        ///< Columns 19-20: free, read by nothing.
    QChar track;                                ///< Column 21: regular station track.
    QChar stopCode;                             ///< Column 22: "2" or "4" passes without stopping.
    LineCode to = LineCode::Here;               ///< Column 23: the line it leaves by.
    QString departure;                          ///< Columns 24-27: departure from here, HHMM.
    QString neighbourArrival;                   ///< Columns 28-31: arrival at the neighbour, HHMM.
    QString runningTimeTo;                      ///< Columns 32-33: running time to the neighbour, mm.
    QString spare34to37;                        ///< Columns 34-37: free, read by nothing.
    std::array<int, kVehiclesPerTrain> vehicleCodes{}; ///< Columns 38-67: codes, 0 = no vehicle.
    QString note;                               ///< Column 68 to the end: note, may be empty.

    /** @return the group of rows that the group code selects. */
    TrainGroup group() const;
    /** @return the train number as the number cell shows it, without leading zeros. */
    QString numberText() const;
    /** @return true when the train passes through without stopping (stop code "2" or "4"). */
    bool passesThrough() const;
};

/**
 * The kinds of bad train line: the only faults that keep a line out of the
 * timetable window. Other line codes and times are shown as they stand,
 * whatever they hold.
 */
enum class TrainLineFault {
    TooShort,          ///< Fewer than 67 characters: the vehicle codes cannot be read.
    BadNumber,         ///< Group code or train number is not a number.
    BadOrigin,         ///< Column 8 holds no line code "0" to "3": the train could come from no line.
    BadRunningTime,    ///< A running time that the row shows is not a number.
    BadDirection,      ///< Column 23 holds no line code "0" to "3": the train could leave by no line.
    BadDeparture,      ///< A train that stops and leaves has a departure the clock never reads.
    BadVehicleCode,    ///< A vehicle code is not a number.
    UnknownVehicle,    ///< A vehicle code beyond the vehicles file, or naming an empty line.
    BadPictureKind,    ///< A picture file whose extension is no picture kind.
    UnusablePicture,   ///< A picture file that does not exist or cannot be decoded.
    TooLargePicture,   ///< A picture too large for the memory left to the kept pictures, or for its own time.
};

/** What is wrong with a train line and where. */
struct TrainLineError {
    TrainLineFault fault = TrainLineFault::TooShort; ///< Kind of fault.
    int column = 0;                                  ///< First column of the bad field (1-based), 0 for the whole line.
    QString text;                                    ///< Czech description for the player.
};

/** A parsed train line, or what is wrong with it. */
struct TrainLineResult {
    TimetableTrainLine line;             ///< The fields; meaningful only when ok().
    std::optional<TrainLineError> error; ///< Set when the line is bad.

    /** @return true when the line is good. */
    bool ok() const { return !error.has_value(); }
};

/**
 * Says whether the picture file named by a vehicles-file entry can be
 * shown, or why not. A picture not read in the time there was
 * (PictureRefusal::OutOfTime) tells nothing of the line: a check that
 * meets it throws instead, and the line is neither good nor bad until it
 * is checked again.
 */
using PictureCheck = std::function<PictureRefusal(const QString &entry)>;

/**
 * Parses one train line in fixed columns. Reads nothing beyond the line's
 * end. Checked are the numbers: the group code, the train number, the
 * running times the row shows (columns 17-18 unless the train starts here,
 * 32-33 unless it ends here; the line traffic reads them as minutes) and
 * the ten vehicle codes (a code of 0 or less is the empty vehicle); and
 * what a train needs to leave again: a line code "0" to "3" in column 23
 * and, for a train that stops here and leaves, a time of day "HHMM" in
 * columns 24-27. Column 8 and the other times are kept as the file holds
 * them.
 * @param text the line, one character per byte of the file.
 * @return the fields, or the first fault found, in column order.
 */
TrainLineResult parseTrainLine(QStringView text);

/**
 * Checks that every vehicle of a parsed line can be shown: each code above
 * 0 names a non-empty line of the vehicles file whose picture has a known
 * kind and that @p pictureUsable finds usable. An entry longer than any path is
 * refused at once as an unusable picture, whatever its ending.
 * @param line a line that parseTrainLine accepted.
 * @param vehicleLines the vehicles file's lines; code N is element N - 1.
 * @param pictureUsable asked once for every vehicle entry used that is no longer than a path.
 * @return the first vehicle fault, or nothing when every vehicle is good.
 */
std::optional<TrainLineError> validateTrainVehicles(const TimetableTrainLine &line,
                                                    const QStringList &vehicleLines,
                                                    const PictureCheck &pictureUsable);

/**
 * Checks a train line whole, before any cell of a row is written: its
 * columns (parseTrainLine) and its vehicles (validateTrainVehicles).
 * @return the fields, or the first fault found.
 */
TrainLineResult checkTrainLine(QStringView text, const QStringList &vehicleLines,
                               const PictureCheck &pictureUsable);

/**
 * @return the vehicles-file entry of a vehicle code, trimmed; empty for
 *         code 0, a code beyond the file or an empty line. A line longer
 *         than any path (platform::kMaxPathLength) is given whole: it names
 *         no file, and it is refused as a missing picture.
 */
QString vehicleEntry(const QStringList &vehicleLines, int code);

/**
 * @return true when a vehicles-file entry names one of the picture kinds,
 *         by its extension: bmp, ico, wmf, emf, jpg or jpeg.
 */
bool isPictureKind(const QString &entry);

/** @return the group of rows that a group code selects. */
inline TrainGroup groupOfCode(int groupCode)
{
    if (groupCode < 17)
        return TrainGroup::Fast;
    if (groupCode < 20)
        return TrainGroup::Passenger;
    return TrainGroup::Freight;
}

/**
 * Reads only the group code of a train line (columns 1-2), as the placing
 * does before it looks for a free row.
 * @return the code, or nothing when the line is shorter or it is no number.
 */
std::optional<int> trainLineGroupCode(QStringView text);

/**
 * @return the time as the window shows it: "0715" gives "7:15", "0003"
 *         gives "0:03", "1405" gives "14:05"; a text of another length is
 *         returned as it is.
 */
QString shownTime(QStringView hhmm);

/**
 * @return the due key of a time, compared with the look-ahead clock key:
 *         the digits without a colon and with one leading "0" dropped
 *         ("0715" gives "715", "0003" gives "003", "1405" gives "1405").
 */
QString timeDueKey(QStringView hhmm);

/** @return a running time as the window shows it: "07" gives "7", "00" gives "0", "12" gives "12". */
QString shownRunningTime(QStringView mm);

/**
 * The header check of a timetable made at the game start.
 * @param lines the timetable file's lines.
 * @return empty when the file may be used (also when line 1 is empty);
 *         otherwise the message that the player is shown.
 */
QString timetableHeaderError(const QStringList &lines);

} // namespace core
