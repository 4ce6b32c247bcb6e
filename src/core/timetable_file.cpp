/** @file timetable_file.cpp Reading of timetable files: header check, train lines in fixed columns and time keys. */
#include "core/timetable_file.h"

#include "platform/czech_plural.h"
#include "platform/excerpt.h"
#include "platform/files.h"
#include "platform/picture_reader.h"

#include <algorithm>

namespace core {

namespace {

/** One field of a train line: its first column (1-based) and width. */
struct Field {
    int column; ///< First column, 1-based.
    int width;  ///< Number of characters.
};

constexpr Field kGroupCode{1, 2};
constexpr Field kTrainNumber{3, 5};
constexpr Field kFrom{8, 1};
constexpr Field kNeighbourDeparture{9, 4};
constexpr Field kArrival{13, 4};
constexpr Field kRunningTimeFrom{17, 2};
constexpr Field kSpare19{19, 2};
constexpr Field kTrack{21, 1};
constexpr Field kStopCode{22, 1};
constexpr Field kTo{23, 1};
constexpr Field kDeparture{24, 4};
constexpr Field kNeighbourArrival{28, 4};
constexpr Field kRunningTimeTo{32, 2};
constexpr Field kSpare34{34, 4};
constexpr Field kFirstVehicle{38, 3};

/** @return the characters of a field; the caller has checked the line's length. */
QStringView fieldOf(QStringView text, Field field)
{
    return text.mid(field.column - 1, field.width);
}

/** @return the field of the vehicle code in slot 0 (picture a) to 9 (picture j). */
Field vehicleField(int slot)
{
    return Field{kFirstVehicle.column + slot * kFirstVehicle.width, kFirstVehicle.width};
}

/** @return the columns of a field as the messages name them, "9-12" or "8". */
QString columnsText(Field field)
{
    if (field.width == 1)
        return QString::number(field.column);
    return QStringLiteral("%1-%2").arg(field.column).arg(field.column + field.width - 1);
}

/** @return true when every character is an ASCII digit and there is at least one. */
bool allDigits(QStringView text)
{
    if (text.isEmpty())
        return false;
    for (QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    return true;
}

/**
 * Reads a decimal number field, with an optional sign. Blanks around it
 * are accepted, so that numbers may be aligned either way; zero padding
 * always is.
 * @return the value, or nothing when the field holds anything else.
 */
std::optional<int> numberOf(QStringView field)
{
    QStringView digits = field.trimmed();
    const bool negative = digits.startsWith(QLatin1Char('-'));
    if (negative || digits.startsWith(QLatin1Char('+')))
        digits = digits.mid(1);
    if (!allDigits(digits))
        return std::nullopt;
    int value = 0;
    for (QChar c : digits)
        value = value * 10 + (c.unicode() - '0');
    return negative ? -value : value;
}

/** Reads the group code and train number. @return the error of the first bad one, or nothing. */
std::optional<TrainLineError> readNumbers(QStringView text, TimetableTrainLine &line)
{
    const auto group = numberOf(fieldOf(text, kGroupCode));
    if (!group) {
        return TrainLineError{TrainLineFault::BadNumber, kGroupCode.column,
                              QStringLiteral("Skupina vlaku ve sloupcích 1-2 není číslo.")};
    }
    const auto number = numberOf(fieldOf(text, kTrainNumber));
    if (!number) {
        return TrainLineError{TrainLineFault::BadNumber, kTrainNumber.column,
                              QStringLiteral("Číslo vlaku ve sloupcích 3-7 není číslo.")};
    }
    line.groupCode = *group;
    line.trainNumber = *number;
    return std::nullopt;
}

/** @return the line code of column 8 or 23; a character other than "0" to "3" is LineCode::Other. */
LineCode lineCodeOf(QChar c)
{
    if (c < QLatin1Char('0') || c > QLatin1Char('3'))
        return LineCode::Other;
    return static_cast<LineCode>(c.unicode() - '0');
}

/** @return true when a stop code makes a train pass without stopping: "2" or "4". */
bool isPassingStop(QChar stopCode)
{
    return stopCode == QLatin1Char('2') || stopCode == QLatin1Char('4');
}

/** @return true when a time field is a time of day the clock reads: "HHMM", hours 00-23, minutes 00-59. */
bool isClockTime(QStringView hhmm)
{
    if (hhmm.size() != 4 || !allDigits(hhmm))
        return false;
    const int hours = (hhmm.at(0).unicode() - '0') * 10 + (hhmm.at(1).unicode() - '0');
    return hours <= 23 && hhmm.at(2) <= QLatin1Char('5');
}

/** @return the error of a running time that the row shows but that is no number, or nothing. */
std::optional<TrainLineError> checkRunningTime(QStringView text, Field lineCode, Field runningTime,
                                               const char16_t *name)
{
    if (lineCodeOf(text.at(lineCode.column - 1)) == LineCode::Here)
        return std::nullopt;
    if (numberOf(shownRunningTime(fieldOf(text, runningTime))))
        return std::nullopt;
    return TrainLineError{TrainLineFault::BadRunningTime, runningTime.column,
                          QStringLiteral("%1 ve sloupcích %2 není číslo.")
                              .arg(QString::fromUtf16(name), columnsText(runningTime))};
}

/**
 * Checks what the line traffic reads of a train as numbers and times, in
 * column order: the line it comes from (column 8), the running time from
 * the neighbour (columns 17-18, unless the train starts here), the line it
 * leaves by (column 23), its departure (columns 24-27) and the running time
 * to the neighbour (columns 32-33, unless it ends here). A train that comes
 * from no line is never offered and holds its row for the day; one that
 * leaves for no line, or whose departure the clock never reads, would
 * arrive and stand on its track for good; a train that passes shows "pr."
 * instead of its departure, and one that ends here shows none, so their
 * columns 24-27 may hold anything.
 * @return the error of the first bad field, or nothing.
 */
std::optional<TrainLineError> checkTrafficFields(QStringView text)
{
    if (lineCodeOf(text.at(kFrom.column - 1)) == LineCode::Other) {
        return TrainLineError{TrainLineFault::BadOrigin, kFrom.column,
                              QStringLiteral("Ze směru ve sloupci %1 není 0, 1, 2 ani 3.").arg(columnsText(kFrom))};
    }
    if (auto error = checkRunningTime(text, kFrom, kRunningTimeFrom, u"Jízdní doba ze sousední stanice"))
        return error;
    const LineCode to = lineCodeOf(text.at(kTo.column - 1));
    if (to == LineCode::Other) {
        return TrainLineError{TrainLineFault::BadDirection, kTo.column,
                              QStringLiteral("Směr ve sloupci %1 není 0, 1, 2 ani 3.").arg(columnsText(kTo))};
    }
    const bool leavesAtItsTime = to != LineCode::Here && !isPassingStop(text.at(kStopCode.column - 1));
    if (leavesAtItsTime && !isClockTime(fieldOf(text, kDeparture))) {
        return TrainLineError{TrainLineFault::BadDeparture, kDeparture.column,
                              QStringLiteral("Odjezd vlaku ve sloupcích %1 není čas.").arg(columnsText(kDeparture))};
    }
    return checkRunningTime(text, kTo, kRunningTimeTo, u"Jízdní doba do sousední stanice");
}

/** Reads the ten vehicle codes. @return the error of the first code that is not a number, or nothing. */
std::optional<TrainLineError> readVehicleCodes(QStringView text, TimetableTrainLine &line)
{
    for (int i = 0; i < kVehiclesPerTrain; ++i) {
        const Field field = vehicleField(i);
        const auto code = numberOf(fieldOf(text, field));
        if (!code) {
            return TrainLineError{TrainLineFault::BadVehicleCode, field.column,
                QStringLiteral("Kód vozidla ve sloupcích %1 není číslo.").arg(columnsText(field))};
        }
        line.vehicleCodes[i] = *code;
    }
    return std::nullopt;
}

/** Copies the fields that are kept as text, unchecked. */
void readTexts(QStringView text, TimetableTrainLine &line)
{
    line.neighbourDeparture = fieldOf(text, kNeighbourDeparture).toString();
    line.arrival = fieldOf(text, kArrival).toString();
    line.runningTimeFrom = fieldOf(text, kRunningTimeFrom).toString();
    line.spare19to20 = fieldOf(text, kSpare19).toString();
    line.from = lineCodeOf(text.at(kFrom.column - 1));
    line.track = text.at(kTrack.column - 1);
    line.stopCode = text.at(kStopCode.column - 1);
    line.to = lineCodeOf(text.at(kTo.column - 1));
    line.departure = fieldOf(text, kDeparture).toString();
    line.neighbourArrival = fieldOf(text, kNeighbourArrival).toString();
    line.runningTimeTo = fieldOf(text, kRunningTimeTo).toString();
    line.spare34to37 = fieldOf(text, kSpare34).toString();
    line.note = text.mid(kTrainLineMinLength).toString();
}

/** @return the message naming one vehicle of a line, for the vehicle faults. */
QString vehicleMessage(int slot, int code, const QString &what)
{
    const Field field = vehicleField(slot);
    return QStringLiteral("Vozidlo %1 ve sloupcích %2 %3").arg(code).arg(columnsText(field), what);
}

/** @return the fault of one vehicle code above 0, or nothing when its picture can be shown. */
std::optional<TrainLineError> checkVehicle(int slot, int code, const QStringList &vehicleLines,
                                           const PictureCheck &pictureUsable)
{
    const int column = vehicleField(slot).column;
    const QString entry = vehicleEntry(vehicleLines, code);
    if (entry.isEmpty()) {
        return TrainLineError{TrainLineFault::UnknownVehicle, column,
            vehicleMessage(slot, code, QStringLiteral("není v seznamu vozidel."))};
    }
    /* No file has a name this long: it is refused at once as a missing picture, whatever it ends with. */
    const bool mayNameFile = !platform::namesNoFile(entry);
    if (mayNameFile && !isPictureKind(entry)) {
        return TrainLineError{TrainLineFault::BadPictureKind, column,
            vehicleMessage(slot, code, QStringLiteral("nemá obrázek známého druhu: %1").arg(platform::excerpt(entry)))};
    }
    const PictureRefusal refusal = mayNameFile && pictureUsable ? pictureUsable(entry) : PictureRefusal::Unusable;
    if (refusal == PictureRefusal::TooLarge) {
        return TrainLineError{TrainLineFault::TooLargePicture, column,
            vehicleMessage(slot, code, QStringLiteral("má obrázek, který je příliš velký: %1").arg(platform::excerpt(entry)))};
    }
    /* No reader to read it: the picture is not blamed, the missing reader is named. */
    if (refusal == PictureRefusal::NoReader) {
        return TrainLineError{TrainLineFault::UnusablePicture, column,
            vehicleMessage(slot, code, QStringLiteral("nelze ukázat: čtečka obrázků %1 se nespustila.")
                                           .arg(QString::fromUtf8(platform::PictureReader::instance().program())))};
    }
    if (refusal == PictureRefusal::ReaderNotReady) {
        const platform::PictureReader &reader = platform::PictureReader::instance();
        return TrainLineError{TrainLineFault::UnusablePicture, column,
            vehicleMessage(slot, code, QStringLiteral("nelze ukázat: čtečka obrázků %1 nebyla ani za %2 s připravena: %3.")
                                           .arg(QString::fromUtf8(reader.program()))
                                           .arg(platform::ReaderKeeper::kMostStartWait.count())
                                           .arg(reader.notReadyReason()))};
    }
    if (refusal == PictureRefusal::NeverRead) {
        return TrainLineError{TrainLineFault::UnusablePicture, column,
            vehicleMessage(slot, code, QStringLiteral("má obrázek, který se nestihl načíst: %1").arg(platform::excerpt(entry)))};
    }
    if (refusal != PictureRefusal::None) {
        return TrainLineError{TrainLineFault::UnusablePicture, column,
            vehicleMessage(slot, code, QStringLiteral("má obrázek, který chybí nebo nejde načíst: %1").arg(platform::excerpt(entry)))};
    }
    return std::nullopt;
}

} // namespace

TrainGroup TimetableTrainLine::group() const
{
    return groupOfCode(groupCode);
}

QString TimetableTrainLine::numberText() const
{
    return QString::number(trainNumber);
}

bool TimetableTrainLine::passesThrough() const
{
    return isPassingStop(stopCode);
}

TrainLineResult parseTrainLine(QStringView text)
{
    TrainLineResult result;
    if (text.size() < kTrainLineMinLength) {
        result.error = TrainLineError{TrainLineFault::TooShort, 0,
            QStringLiteral("Řádek vlaku je kratší než 67 znaků (má %1).")
                .arg(platform::czechCount(text.size(), QStringLiteral("znak"), QStringLiteral("znaky"),
                                          QStringLiteral("znaků")))};
        return result;
    }
    TimetableTrainLine &line = result.line;
    result.error = readNumbers(text, line);
    if (result.ok())
        result.error = checkTrafficFields(text);
    if (result.ok())
        result.error = readVehicleCodes(text, line);
    if (result.ok())
        readTexts(text, line);
    return result;
}

std::optional<TrainLineError> validateTrainVehicles(const TimetableTrainLine &line,
                                                    const QStringList &vehicleLines,
                                                    const PictureCheck &pictureUsable)
{
    for (int slot = 0; slot < kVehiclesPerTrain; ++slot) {
        const int code = line.vehicleCodes[slot];
        if (code <= 0)
            continue;
        if (auto error = checkVehicle(slot, code, vehicleLines, pictureUsable))
            return error;
    }
    return std::nullopt;
}

TrainLineResult checkTrainLine(QStringView text, const QStringList &vehicleLines,
                               const PictureCheck &pictureUsable)
{
    TrainLineResult result = parseTrainLine(text);
    if (result.ok())
        result.error = validateTrainVehicles(result.line, vehicleLines, pictureUsable);
    return result;
}

QString vehicleEntry(const QStringList &vehicleLines, int code)
{
    if (code <= 0 || code > vehicleLines.size())
        return {};
    const QString &line = vehicleLines.at(code - 1);
    /* A line longer than any path names no file, trimmed or not: it is given whole, never copied. */
    return platform::namesNoFile(line) ? line : line.trimmed();
}

bool isPictureKind(const QString &entry)
{
    static const QStringList kinds{QStringLiteral("bmp"), QStringLiteral("ico"),
                                   QStringLiteral("wmf"), QStringLiteral("emf"),
                                   QStringLiteral("jpg"), QStringLiteral("jpeg")};
    const int dot = entry.lastIndexOf(QLatin1Char('.'));
    const int separator = std::max(entry.lastIndexOf(QLatin1Char('\\')),
                                   entry.lastIndexOf(QLatin1Char('/')));
    if (dot < 0 || dot < separator)
        return false;
    return kinds.contains(entry.mid(dot + 1), Qt::CaseInsensitive);
}

std::optional<int> trainLineGroupCode(QStringView text)
{
    if (text.size() < kGroupCode.width)
        return std::nullopt;
    /* Two digits, as every usual line has them, are read at once: this runs for every waiting line on every tick. */
    const QChar tens = text.at(0);
    const QChar units = text.at(1);
    if (tens.isDigit() && units.isDigit() && tens.unicode() < 128 && units.unicode() < 128)
        return (tens.unicode() - '0') * 10 + (units.unicode() - '0');
    return numberOf(fieldOf(text, kGroupCode));
}

QString shownTime(QStringView hhmm)
{
    if (hhmm.size() != 4)
        return hhmm.toString();
    const QStringView hour = hhmm.at(0) == QLatin1Char('0') ? hhmm.mid(1, 1) : hhmm.first(2);
    return hour.toString() + QLatin1Char(':') + hhmm.mid(2).toString();
}

QString timeDueKey(QStringView hhmm)
{
    if (hhmm.startsWith(QLatin1Char('0')))
        return hhmm.mid(1).toString();
    return hhmm.toString();
}

QString shownRunningTime(QStringView mm)
{
    if (mm.size() == 2 && mm.at(0) == QLatin1Char('0'))
        return mm.mid(1).toString();
    return mm.toString();
}

QString timetableHeaderError(const QStringList &lines)
{
    const QString identity = lines.value(1);
    if (identity.isEmpty())
        return {};
    if (identity != kTimetableIdentity)
        return QStringLiteral("CHYBA !!! Zvolený grafikon není určený pro tento simulátor!");
    if (lines.value(2) != kTimetableEncoding)
        return QStringLiteral("CHYBA !!! Zvolený grafikon má novější kódování, než tento simulátor!");
    return {};
}

} // namespace core
