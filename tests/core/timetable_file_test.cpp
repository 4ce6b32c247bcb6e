/** @file timetable_file_test.cpp Tests of the timetable train-line reader, the time keys, the header check and the shipped timetables. */
#include "core/timetable_file.h"

#include "platform/files.h"
#include "ui/sim_error.h"

#include <QDir>
#include <QSet>

#include <gtest/gtest.h>

using namespace core;

namespace {

/* The train lines below are in the file's fixed columns: group 1-2, number 3-7,
 * from 8, times 9-16, running time 17-18, free 19-20, track 21, stop code 22,
 * to 23, times 24-31, running time 32-33, free 34-37, vehicles 38-67, note. */

/** A train from line C to line A: arrives 7:15 on track 1, leaves 7:17, note "R Kamenáč". */
const QString kThrough = QStringLiteral(
    "110077130708071507ab1010717072710xyzw003009008007000000000000000000R Kamenáč");
/** A train starting here at 14:05 for line B, no note (exactly 67 characters). */
const QString kStarting = QStringLiteral(
    "17058510            3021405141611    005006000000000000000000000000");
/** A train from line B ending here at 0:03. */
const QString kEnding = QStringLiteral(
    "248452222355000308  700              002016016000000000000000000000končí");
/** A freight train passing through: from line A to line C. */
const QString kPassing = QStringLiteral(
    "204631711800181515  1231815182712    004011012013014015016000000000");

/** @return @p line with @p replacement written over it from 1-based @p column on. */
QString withColumns(const QString &line, int column, const QString &replacement)
{
    QString result = line;
    result.replace(column - 1, replacement.size(), replacement);
    return result;
}

/** Vehicles file of the tests: code 1 a BMP, 2 a JPEG, 3 a PNG, 4 an empty line, 5 a missing BMP. */
const QStringList kVehicles{QStringLiteral("Vozidla\\lok.bmp"), QStringLiteral("Vozidla/vuz.JPG"),
                            QStringLiteral("Vozidla\\vuz.png"), QString(),
                            QStringLiteral("Vozidla\\chybi.bmp")};

/** Pictures that exist and decode in the tests. */
PictureRefusal testPictureUsable(const QString &entry)
{
    return entry != QStringLiteral("Vozidla\\chybi.bmp") ? PictureRefusal::None : PictureRefusal::Unusable;
}

} // namespace

TEST(TimetableTrainLine, ReadsEveryFieldOfAThroughTrain)
{
    const TrainLineResult result = parseTrainLine(kThrough);
    ASSERT_TRUE(result.ok()) << result.error->text.toStdString();
    const TimetableTrainLine &line = result.line;
    EXPECT_EQ(line.groupCode, 11);
    EXPECT_EQ(line.trainNumber, 771);
    EXPECT_EQ(line.numberText(), QStringLiteral("771"));
    EXPECT_EQ(line.from, LineCode::C);
    EXPECT_EQ(line.neighbourDeparture, QStringLiteral("0708"));
    EXPECT_EQ(line.arrival, QStringLiteral("0715"));
    EXPECT_EQ(line.runningTimeFrom, QStringLiteral("07"));
    EXPECT_EQ(line.spare19to20, QStringLiteral("ab"));
    EXPECT_EQ(line.track, QLatin1Char('1'));
    EXPECT_EQ(line.stopCode, QLatin1Char('0'));
    EXPECT_EQ(line.to, LineCode::A);
    EXPECT_EQ(line.departure, QStringLiteral("0717"));
    EXPECT_EQ(line.neighbourArrival, QStringLiteral("0727"));
    EXPECT_EQ(line.runningTimeTo, QStringLiteral("10"));
    EXPECT_EQ(line.spare34to37, QStringLiteral("xyzw"));
    const std::array<int, 10> vehicles{3, 9, 8, 7, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(line.vehicleCodes, vehicles);
    EXPECT_EQ(line.note, QStringLiteral("R Kamenáč"));
    EXPECT_EQ(line.group(), TrainGroup::Fast);
    EXPECT_FALSE(line.passesThrough());
}

TEST(TimetableTrainLine, ReadsGoodLinesOfEveryShape)
{
    struct Case {
        QString text;
        int number;
        LineCode from;
        LineCode to;
        TrainGroup group;
        bool passes;
        QString note;
    };
    const Case cases[] = {
        {kStarting, 5851, LineCode::Here, LineCode::B, TrainGroup::Passenger, false, QString()},
        {kEnding, 84522, LineCode::B, LineCode::Here, TrainGroup::Freight, false, QStringLiteral("končí")},
        {kPassing, 46317, LineCode::A, LineCode::C, TrainGroup::Freight, true, QString()},
        /* Stop code "4" passes as well; leading zeros of the number are dropped. */
        {withColumns(withColumns(kThrough, 22, QStringLiteral("4")), 3, QStringLiteral("00042")),
         42, LineCode::C, LineCode::A, TrainGroup::Fast, true, QStringLiteral("R Kamenáč")},
        /* Blanks around a number are accepted. */
        {withColumns(withColumns(kThrough, 1, QStringLiteral(" 9")), 3, QStringLiteral("  647")),
         647, LineCode::C, LineCode::A, TrainGroup::Fast, false, QStringLiteral("R Kamenáč")},
        /* With "0" in column 8 the columns 9-18 are not shown and may hold anything. */
        {withColumns(kStarting, 9, QStringLiteral("xx:yy--..?")), 5851, LineCode::Here,
         LineCode::B, TrainGroup::Passenger, false, QString()},
    };
    for (const Case &c : cases) {
        const TrainLineResult result = parseTrainLine(c.text);
        ASSERT_TRUE(result.ok()) << c.text.toStdString() << ": " << result.error->text.toStdString();
        EXPECT_EQ(result.line.trainNumber, c.number) << c.text.toStdString();
        EXPECT_EQ(result.line.from, c.from) << c.text.toStdString();
        EXPECT_EQ(result.line.to, c.to) << c.text.toStdString();
        EXPECT_EQ(result.line.group(), c.group) << c.text.toStdString();
        EXPECT_EQ(result.line.passesThrough(), c.passes) << c.text.toStdString();
        EXPECT_EQ(result.line.note, c.note) << c.text.toStdString();
    }
}

TEST(TimetableTrainLine, GroupCodesSelectTheirGroups)
{
    const std::pair<int, TrainGroup> cases[] = {
        {0, TrainGroup::Fast},       {16, TrainGroup::Fast},     {17, TrainGroup::Passenger},
        {19, TrainGroup::Passenger}, {20, TrainGroup::Freight},  {25, TrainGroup::Freight},
        {99, TrainGroup::Freight},
    };
    for (const auto &[code, group] : cases)
        EXPECT_EQ(groupOfCode(code), group) << code;
}

TEST(TimetableTrainLine, NumbersThatAreNoNumbersAndDeparturesThatNeverComeMakeABadLine)
{
    struct Case {
        QString text;
        TrainLineFault fault;
        int column;
    };
    const Case cases[] = {
        {QString(), TrainLineFault::TooShort, 0},
        {kStarting.left(66), TrainLineFault::TooShort, 0},
        {withColumns(kThrough, 1, QStringLiteral("R1")), TrainLineFault::BadNumber, 1},
        {withColumns(kThrough, 1, QStringLiteral("  ")), TrainLineFault::BadNumber, 1},
        {withColumns(kThrough, 1, QStringLiteral("--")), TrainLineFault::BadNumber, 1},
        {withColumns(kThrough, 3, QStringLiteral("7 71 ")), TrainLineFault::BadNumber, 3},
        {withColumns(kThrough, 3, QStringLiteral("0x771")), TrainLineFault::BadNumber, 3},
        {withColumns(kThrough, 38, QStringLiteral("00x")), TrainLineFault::BadVehicleCode, 38},
        {withColumns(kThrough, 65, QStringLiteral("   ")), TrainLineFault::BadVehicleCode, 65},
        {withColumns(kThrough, 50, QStringLiteral("0-1")), TrainLineFault::BadVehicleCode, 50},
        {withColumns(kThrough, 17, QStringLiteral("xx")), TrainLineFault::BadRunningTime, 17},
        {withColumns(kThrough, 17, QStringLiteral("0 ")), TrainLineFault::BadRunningTime, 17},
        {withColumns(kThrough, 32, QStringLiteral("1-")), TrainLineFault::BadRunningTime, 32},
        {withColumns(kEnding, 17, QStringLiteral("  ")), TrainLineFault::BadRunningTime, 17},
        {withColumns(kStarting, 32, QStringLiteral("?")), TrainLineFault::BadRunningTime, 32},
        /* A train that would never come: no line to come from. */
        {withColumns(kThrough, 8, QStringLiteral("4")), TrainLineFault::BadOrigin, 8},
        {withColumns(kStarting, 8, QStringLiteral("9")), TrainLineFault::BadOrigin, 8},
        {withColumns(withColumns(kThrough, 8, QStringLiteral(" ")), 17, QStringLiteral("xx")),
         TrainLineFault::BadOrigin, 8},
        /* A train that would arrive and never leave: no line to leave by, or a departure the clock never reads. */
        {withColumns(kThrough, 23, QStringLiteral(" ")), TrainLineFault::BadDirection, 23},
        {withColumns(kPassing, 23, QStringLiteral("4")), TrainLineFault::BadDirection, 23},
        {withColumns(kThrough, 24, QStringLiteral("    ")), TrainLineFault::BadDeparture, 24},
        {withColumns(kThrough, 24, QStringLiteral("9999")), TrainLineFault::BadDeparture, 24},
        {withColumns(kStarting, 24, QStringLiteral("xxxx")), TrainLineFault::BadDeparture, 24},
        {withColumns(kThrough, 24, QStringLiteral("2400")), TrainLineFault::BadDeparture, 24},
        {withColumns(kThrough, 24, QStringLiteral("0760")), TrainLineFault::BadDeparture, 24},
        {withColumns(kThrough, 24, QStringLiteral(" 717")), TrainLineFault::BadDeparture, 24},
        /* In column order: the running time from the neighbour is named before the departure. */
        {withColumns(withColumns(kThrough, 24, QStringLiteral("9999")), 17, QStringLiteral("xx")),
         TrainLineFault::BadRunningTime, 17},
    };
    for (const Case &c : cases) {
        const TrainLineResult result = parseTrainLine(c.text);
        ASSERT_FALSE(result.ok()) << c.text.toStdString();
        EXPECT_EQ(result.error->fault, c.fault) << c.text.toStdString();
        EXPECT_EQ(result.error->column, c.column) << c.text.toStdString();
        EXPECT_FALSE(result.error->text.isEmpty());
    }
}

TEST(TimetableTrainLine, LineCodesTimesAndRunningTimesAreKeptAsTheyStand)
{
    struct Case {
        QString text;
        LineCode from;
        LineCode to;
    };
    const Case cases[] = {
        {withColumns(kStarting, 23, QStringLiteral("0")), LineCode::Here, LineCode::Here},
        {withColumns(kThrough, 9, QStringLiteral("2460")), LineCode::C, LineCode::A},
        {withColumns(kThrough, 13, QStringLiteral("7:15")), LineCode::C, LineCode::A},
        {withColumns(kThrough, 17, QStringLiteral(" 7")), LineCode::C, LineCode::A},
        {withColumns(kThrough, 24, QStringLiteral("2359")), LineCode::C, LineCode::A},
        /* A departure that the row does not show: a train that passes, or one that ends here. */
        {withColumns(kPassing, 24, QStringLiteral("9999")), LineCode::A, LineCode::C},
        {withColumns(withColumns(kThrough, 22, QStringLiteral("4")), 24, QStringLiteral("    ")), LineCode::C,
         LineCode::A},
        {withColumns(kEnding, 24, QStringLiteral("xxxx")), LineCode::B, LineCode::Here},
        {withColumns(kThrough, 32, QStringLiteral("+3")), LineCode::C, LineCode::A},
        /* A running time that the row does not show is not read as a number. */
        {withColumns(kStarting, 17, QStringLiteral("xx")), LineCode::Here, LineCode::B},
        {withColumns(kEnding, 32, QStringLiteral("xx")), LineCode::B, LineCode::Here},
    };
    for (const Case &c : cases) {
        const TrainLineResult result = parseTrainLine(c.text);
        ASSERT_TRUE(result.ok()) << c.text.toStdString();
        EXPECT_EQ(result.line.from, c.from) << c.text.toStdString();
        EXPECT_EQ(result.line.to, c.to) << c.text.toStdString();
        EXPECT_EQ(result.line.neighbourDeparture, c.text.mid(8, 4));
        EXPECT_EQ(result.line.arrival, c.text.mid(12, 4));
        EXPECT_EQ(result.line.runningTimeFrom, c.text.mid(16, 2));
        EXPECT_EQ(result.line.departure, c.text.mid(23, 4));
        EXPECT_EQ(result.line.runningTimeTo, c.text.mid(31, 2));
    }
}

TEST(TimetableTrainLine, SignedNumbersAreNumbers)
{
    /* A code of 0 or less is the empty vehicle; a signed group code is still a code. */
    const TrainLineResult result =
        parseTrainLine(withColumns(withColumns(kThrough, 1, QStringLiteral("-1")), 38, QStringLiteral("-01+02")));
    ASSERT_TRUE(result.ok()) << result.error->text.toStdString();
    EXPECT_EQ(result.line.groupCode, -1);
    EXPECT_EQ(result.line.group(), TrainGroup::Fast);
    EXPECT_EQ(result.line.vehicleCodes[0], -1);
    EXPECT_EQ(result.line.vehicleCodes[1], 2);
    EXPECT_EQ(trainLineGroupCode(u"25"), 25);
    EXPECT_EQ(trainLineGroupCode(u"-3xyz"), -3);
    EXPECT_FALSE(trainLineGroupCode(u"2").has_value());
    EXPECT_FALSE(trainLineGroupCode(u"R1 0001").has_value());
}

TEST(TimetableTrainLine, ErrorTextsNameTheColumns)
{
    EXPECT_EQ(parseTrainLine(withColumns(kThrough, 44, QStringLiteral("a12"))).error->text,
              QStringLiteral("Kód vozidla ve sloupcích 44-46 není číslo."));
    EXPECT_EQ(parseTrainLine(withColumns(kThrough, 17, QStringLiteral("xx"))).error->text,
              QStringLiteral("Jízdní doba ze sousední stanice ve sloupcích 17-18 není číslo."));
    EXPECT_EQ(parseTrainLine(withColumns(kThrough, 32, QStringLiteral("1-"))).error->text,
              QStringLiteral("Jízdní doba do sousední stanice ve sloupcích 32-33 není číslo."));
    EXPECT_EQ(parseTrainLine(withColumns(kThrough, 8, QStringLiteral("9"))).error->text,
              QStringLiteral("Ze směru ve sloupci 8 není 0, 1, 2 ani 3."));
    EXPECT_EQ(parseTrainLine(withColumns(kThrough, 23, QStringLiteral("x"))).error->text,
              QStringLiteral("Směr ve sloupci 23 není 0, 1, 2 ani 3."));
    EXPECT_EQ(parseTrainLine(withColumns(kThrough, 24, QStringLiteral("9999"))).error->text,
              QStringLiteral("Odjezd vlaku ve sloupcích 24-27 není čas."));
    EXPECT_EQ(parseTrainLine(QStringLiteral("11")).error->text,
              QStringLiteral("Řádek vlaku je kratší než 67 znaků (má 2 znaky)."));
}

TEST(TimetableTrainLine, ChecksVehiclesAgainstTheVehiclesFile)
{
    struct Case {
        QString codes; ///< Written over columns 38-52.
        std::optional<TrainLineFault> fault;
        int column;
    };
    const Case cases[] = {
        {QStringLiteral("001002000000000"), std::nullopt, 0},
        {QStringLiteral("000000000000000"), std::nullopt, 0},
        {QStringLiteral("001006000000000"), TrainLineFault::UnknownVehicle, 41},
        {QStringLiteral("001004000000000"), TrainLineFault::UnknownVehicle, 41},
        {QStringLiteral("001002003000000"), TrainLineFault::BadPictureKind, 44},
        {QStringLiteral("001000000005000"), TrainLineFault::UnusablePicture, 47},
    };
    for (const Case &c : cases) {
        const QString text = withColumns(kThrough, 38, c.codes);
        const TrainLineResult result = checkTrainLine(text, kVehicles, testPictureUsable);
        ASSERT_EQ(result.ok(), !c.fault.has_value()) << c.codes.toStdString();
        if (c.fault) {
            EXPECT_EQ(result.error->fault, *c.fault) << c.codes.toStdString();
            EXPECT_EQ(result.error->column, c.column) << c.codes.toStdString();
        }
    }
    /* Each reason a picture is refused for has its own words. */
    const std::pair<PictureRefusal, QString> reasons[] = {
        {PictureRefusal::Unusable, QStringLiteral("chybí nebo nejde načíst")},
        {PictureRefusal::TooLarge, QStringLiteral("je příliš velký")},
    };
    for (const auto &[reason, words] : reasons) {
        const TrainLineResult result =
            checkTrainLine(withColumns(kThrough, 38, QStringLiteral("001")), kVehicles, [&](const QString &) { return reason; });
        ASSERT_FALSE(result.ok());
        EXPECT_EQ(result.error->text, "Vozidlo 1 ve sloupcích 38-40 má obrázek, který " + words + ": Vozidla\\lok.bmp");
    }
}

TEST(TimetableTrainLine, AsksForEachPictureItUsesAndNoOther)
{
    QStringList asked;
    const QString text = withColumns(kThrough, 38, QStringLiteral("002000001") + QString(21, QLatin1Char('0')));
    const TrainLineResult result = checkTrainLine(text, kVehicles, [&](const QString &entry) {
        asked.append(entry);
        return PictureRefusal::None;
    });
    EXPECT_TRUE(result.ok());
    EXPECT_EQ(asked, (QStringList{QStringLiteral("Vozidla/vuz.JPG"), QStringLiteral("Vozidla\\lok.bmp")}));
}

TEST(TimetableTrainLine, ABadColumnIsReportedBeforeAnyPictureIsAskedFor)
{
    int asked = 0;
    const QString text = withColumns(kThrough, 62, QStringLiteral("0?0"));
    const TrainLineResult result = checkTrainLine(text, kVehicles, [&](const QString &) {
        ++asked;
        return PictureRefusal::None;
    });
    ASSERT_FALSE(result.ok());
    EXPECT_EQ(result.error->fault, TrainLineFault::BadVehicleCode);
    EXPECT_EQ(asked, 0);
}

TEST(TimetableTrainLine, PictureKindsFollowTheExtension)
{
    for (const char *good : {"a.bmp", "a.ICO", "a.wmf", "a.emf", "Vozidla\\a.jpg", "x.y/a.JPEG"})
        EXPECT_TRUE(isPictureKind(QString::fromLatin1(good))) << good;
    for (const char *bad : {"a.png", "a", "a.", "Vozidla.bmp\\a", "a.bmpx", "bmp"})
        EXPECT_FALSE(isPictureKind(QString::fromLatin1(bad))) << bad;
}

TEST(TimeKeys, ShownTimesAndDueKeys)
{
    struct Case {
        const char *field;
        const char *shown;
        const char *dueKey;
    };
    const Case cases[] = {
        {"0715", "7:15", "715"}, {"1405", "14:05", "1405"}, {"0003", "0:03", "003"},
        {"0000", "0:00", "000"}, {"2359", "23:59", "2359"}, {"1000", "10:00", "1000"},
    };
    for (const Case &c : cases) {
        const QString field = QString::fromLatin1(c.field);
        EXPECT_EQ(shownTime(field), QString::fromLatin1(c.shown)) << c.field;
        EXPECT_EQ(timeDueKey(field), QString::fromLatin1(c.dueKey)) << c.field;
    }
    /* The blank times of a train that starts here never match a clock key. */
    EXPECT_EQ(timeDueKey(u"    "), QStringLiteral("    "));
}

TEST(TimeKeys, ShownRunningTimes)
{
    EXPECT_EQ(shownRunningTime(u"07"), QStringLiteral("7"));
    EXPECT_EQ(shownRunningTime(u"00"), QStringLiteral("0"));
    EXPECT_EQ(shownRunningTime(u"12"), QStringLiteral("12"));
    EXPECT_EQ(shownRunningTime(u"10"), QStringLiteral("10"));
}

TEST(TimetableHeader, AcceptsOurFilesAndFilesWithoutIdentity)
{
    EXPECT_EQ(timetableHeaderError({QStringLiteral("Den"), QStringLiteral("Kobrant ŽST Kamenná"),
                                    QStringLiteral("num-code")}),
              QString());
    EXPECT_EQ(timetableHeaderError({}), QString());
    EXPECT_EQ(timetableHeaderError({QStringLiteral("Den"), QString(), QStringLiteral("utf-8")}),
              QString());
}

TEST(TimetableHeader, RejectsOtherStationsAndNewerEncodings)
{
    const QString otherStation = QStringLiteral("CHYBA !!! Zvolený grafikon není určený pro tento simulátor!");
    const QString newer = QStringLiteral("CHYBA !!! Zvolený grafikon má novější kódování, než tento simulátor!");
    EXPECT_EQ(timetableHeaderError({QStringLiteral("Den"), QStringLiteral("Kobrant ŽST Kamenna"),
                                    QStringLiteral("num-code")}),
              otherStation);
    EXPECT_EQ(timetableHeaderError({QStringLiteral("Den"), QStringLiteral("kobrant žst kamenná"),
                                    QStringLiteral("xxx")}),
              otherStation);
    EXPECT_EQ(timetableHeaderError({QStringLiteral("Den"), QStringLiteral("Kobrant ŽST Kamenná"),
                                    QStringLiteral("num-code2")}),
              newer);
    EXPECT_EQ(timetableHeaderError({QStringLiteral("Den"), QStringLiteral("Kobrant ŽST Kamenná")}),
              newer);
}

/* ---------------------------------------------------------------- */

namespace {

/** @return the shipped data directory. */
QString dataDir()
{
    return QStringLiteral(KAMENNA_SOURCE_DATA_DIR);
}

/** @return true when the picture of a vehicles-file entry loads from the shipped data. */
PictureRefusal shippedPictureUsable(const QString &entry)
{
    try {
        const QImage picture = platform::loadPicture(dataDir() + QLatin1Char('\\') + entry);
        return picture.height() == 64 ? PictureRefusal::None : PictureRefusal::Unusable;
    } catch (const ui::SimError &) {
        return PictureRefusal::Unusable;
    }
}

/** @return minutes since midnight of a time "HHMM" of the shipped files, which are all valid. */
int minutesOf(const QString &hhmm)
{
    EXPECT_TRUE(hhmm.size() == 4 && hhmm.left(2).toInt() < 24 && hhmm.mid(2).toInt() < 60) << hhmm.toStdString();
    return hhmm.left(2).toInt() * 60 + hhmm.mid(2).toInt();
}

/** @return minutes from @p from to @p to, over midnight when needed. */
int minutesBetween(const QString &from, const QString &to)
{
    return (minutesOf(to) - minutesOf(from) + 24 * 60) % (24 * 60);
}

/** Checks that a train's arrival follows from its departure and running time. */
void expectConsistentTimes(const TimetableTrainLine &line)
{
    const QString train = line.numberText();
    if (line.from != LineCode::Here) {
        EXPECT_EQ(minutesBetween(line.neighbourDeparture, line.arrival), line.runningTimeFrom.toInt())
            << train.toStdString();
    }
    if (line.to != LineCode::Here) {
        EXPECT_EQ(minutesBetween(line.departure, line.neighbourArrival), line.runningTimeTo.toInt())
            << train.toStdString();
        EXPECT_GT(line.runningTimeTo.toInt(), 0) << train.toStdString();
    }
    if (line.from != LineCode::Here && line.to != LineCode::Here) {
        EXPECT_GT(line.runningTimeFrom.toInt(), 0) << train.toStdString();
        const int stay = minutesBetween(line.arrival, line.departure);
        EXPECT_LT(stay, 180) << train.toStdString();
        if (line.passesThrough()) {
            EXPECT_EQ(stay, 0) << train.toStdString();
        }
    }
}

} // namespace

TEST(ShippedTimetables, EveryTrainLineParsesAndValidates)
{
    const QStringList files = platform::listFiles(dataDir() + QStringLiteral("/Gvd"),
                                                  QStringLiteral("*.t6g"));
    ASSERT_GE(files.size(), 2);
    QSet<QString> neighbourNames;
    for (const QString &name : files) {
        SCOPED_TRACE(name.toStdString());
        const QStringList lines = platform::readTextLines1250(dataDir() + QStringLiteral("/Gvd/") + name);
        ASSERT_GT(lines.size(), kFirstTrainLine);
        EXPECT_FALSE(lines.at(0).isEmpty());
        EXPECT_EQ(timetableHeaderError(lines), QString());
        neighbourNames.insert(lines.at(6));
        const QStringList vehicles = platform::readTextLines1250(dataDir() + QLatin1Char('\\') + lines.at(5));
        QSet<TrainGroup> groups;
        QSet<LineCode> usedLines;
        QSet<int> numbers;
        for (int i = kFirstTrainLine; i < lines.size(); ++i) {
            const TrainLineResult result = checkTrainLine(lines.at(i), vehicles, shippedPictureUsable);
            ASSERT_TRUE(result.ok()) << "line " << i << ": " << result.error->text.toStdString();
            expectConsistentTimes(result.line);
            EXPECT_FALSE(numbers.contains(result.line.trainNumber)) << result.line.trainNumber;
            numbers.insert(result.line.trainNumber);
            groups.insert(result.line.group());
            usedLines << result.line.from << result.line.to;
        }
        EXPECT_EQ(groups.size(), 3);
        EXPECT_TRUE(usedLines.contains(LineCode::A) && usedLines.contains(LineCode::B)
                    && usedLines.contains(LineCode::C));
    }
    EXPECT_TRUE(neighbourNames.contains(QStringLiteral("Dubec")));
    EXPECT_GE(neighbourNames.size(), 2);
}
