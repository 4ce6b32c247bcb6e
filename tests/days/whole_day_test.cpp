/**
 * @file whole_day_test.cpp Whole days played by the scripted dispatcher, careful and quick: the built-in
 * day and both shipped timetables with freight trains and both automatic signalmen, every train in and out.
 */
#include "core/timetable_fixture.h"
#include "harness/dispatcher.h"

#include <QFile>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <set>

namespace {

/** The built-in trains whose trigger comes after 7:15: the day a game from 7:15 brings. */
const std::set<QString> BuiltInDayFrom715{"1910", "1913", "1915", "1916", "647",  "646",  "6010",
                                          "2601", "2622", "2624", "6022", "2631", "2613", "6012",
                                          "2615", "2664", "2617", "2633", "6002", "2602", "6024"};

/**
 * @return the numbers of a shipped timetable's trains that come (or, when
 *         they start here, leave) between two times of the day, in minutes.
 */
std::set<QString> timetableTrains(const QString &file, int fromMinute, int untilMinute,
                                  const QString &dataDir = QStringLiteral(KAMENNA_SOURCE_DATA_DIR))
{
    QFile f(dataDir + "/Gvd/" + file);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = f.readAll().split('\n');
    std::set<QString> out;
    for (qsizetype i = 29; i < lines.size(); ++i) {
        const QByteArray &l = lines[i];
        if (l.size() < 67)
            continue;
        const bool startsHere = l[7] == '0';
        const QByteArray time = startsHere ? l.mid(23, 4) : l.mid(8, 4);
        const int minute = time.left(2).toInt() * 60 + time.mid(2).toInt();
        if (minute >= fromMinute && minute <= untilMinute)
            out.insert(QString::number(l.mid(2, 5).toInt()));
    }
    return out;
}

/**
 * A game of a timetable (empty: the built-in day) of a data directory,
 * started at a time and played by one dispatcher; the lines named go over
 * to telephone working by telephone first.
 */
class Day {
public:
    Day(const QString &timetable, int hour, int minute, Dispatcher::Style style, const QString &telephoneLines = {},
        const QString &dataDir = QStringLiteral(KAMENNA_SOURCE_DATA_DIR))
        : h(dataDir)
    {
        while (h.text("A1.GrafikonDir") != timetable)
            pickNextTimetable(h);
        startGameAt(h, hour, minute);
        EXPECT_TRUE(h.checked("A1.KodSt1") && h.checked("A1.KodSt2") && h.checked("A1.NakladniVlaky"));
        /* Line B starts free (VT, VO lit) with its consent at Struhy (PS dark): the day's first train
           for Struhy leaves once ZS has brought the consent back. */
        EXPECT_EQ(h.color("A1.SmerB"), QColor(255, 0, 0));
        for (const char *lamp : {"A6.VTM", "A6.VOM"})
            EXPECT_TRUE(h.visible(QLatin1String(lamp))) << lamp;
        for (const char *lamp : {"A6.EVM", "A6.USM", "A6.PSM"})
            EXPECT_FALSE(h.visible(QLatin1String(lamp))) << lamp;
        d = std::make_unique<Dispatcher>(h, style);
        for (QChar line : telephoneLines) {
            d->introduceTelephoneWorking(line.toLatin1());
            EXPECT_EQ(h.text(QStringLiteral("A1.Smer") + line), "Telefonika");
        }
    }

    Harness h;
    std::unique_ptr<Dispatcher> d;
};

/** Every train of the day was offered, came in (or passed), left and was taken over by the next station. */
void expectEveryTrainWorked(const Dispatcher &d, const std::set<QString> &expected)
{
    std::set<QString> seen;
    for (const auto &[number, t] : d.trains()) {
        seen.insert(number);
        SCOPED_TRACE("train " + number.toStdString());
        EXPECT_TRUE(t.offered);
        if (t.from) {
            EXPECT_TRUE(t.arrived);
        }
        if (t.to) {
            EXPECT_TRUE(t.departed);
            EXPECT_TRUE(t.handedOver);
        }
    }
    for (const QString &n : expected)
        EXPECT_TRUE(seen.count(n)) << "train " << n.toStdString() << " never came";
}

/** @return a lever's Top from its block instrument's. */
int fromBlok(const Harness &h, const QString &lever, const char *blok)
{
    return h.control(lever).top() - h.control(QLatin1String(blok)).top();
}

/** The desk's levers, bells and route locks stand where they rest. */
void expectDeskAtRest(const Harness &h)
{
    const int rest = h.control("A6.PakaZavB").top();
    for (const char *lever : {"A6.PakaNavBOd", "A6.PakaNavBDo", "A6.PakaSouLc1", "A6.PakaNavMOd", "A6.PakaZavM",
                              "A6.PakaNavMDo", "A6.PakaZavCH", "A6.PakaTSCH"})
        EXPECT_EQ(h.control(QLatin1String(lever)).top(), rest) << lever;
    for (const char *lever : {"A6.PakaNavCHDo", "A6.PakaNavCHOd"})
        EXPECT_EQ(h.control(QLatin1String(lever)).top(), rest - 2) << lever;
    for (const char *bell : {"A6.ZvonekA", "A6.ZvonekB", "A6.ZvonekC", "A6.ZvonekD"})
        EXPECT_EQ(fromBlok(h, QLatin1String(bell), "A6.Blok"), 314) << bell;
    const int blok = h.control("A6.Blok").left();
    EXPECT_EQ(h.control("A6.ZavernikA").left() - blok, 284);
    EXPECT_EQ(h.control("A6.ZavernikB").left() - blok, 669);
    EXPECT_EQ(h.control("A6.ZavernikC").left() - blok, 977);
}

/** Lines, desk, boxes and signalmen are all at rest, and no message box was shown all day. */
void expectAtRest(const Harness &h, const Dispatcher &d)
{
    SCOPED_TRACE(d.describe().toStdString());
    for (const char *x : {"A", "B", "C"}) {
        const QString l = QLatin1String(x);
        EXPECT_EQ(h.text("A1.Trat" + l), "Volná") << x;
        EXPECT_EQ(h.value("A1.StavVlak" + l), 0) << x;
        EXPECT_EQ(h.value("A1.Cesta" + l), 0) << x;
        EXPECT_FALSE(h.timerEnabled("A1.Signalista" + l)) << x;
        EXPECT_FALSE(h.timerEnabled("A1.TimerVlak" + l + "Od")) << x;
        EXPECT_FALSE(h.timerEnabled("A1.TimerVlak" + l + "Do")) << x;
    }
    for (const char *f : {"NavBOd", "ZavB", "NavBDo", "HrBOd", "HrBDo", "ZavBSt", "NavBOdSt", "NavBDoSt", "NavMOd",
                          "ZavM", "NavMDo", "HrMOd", "HrMDo", "ZavMSt", "NavMOdSt", "NavMDoSt", "NavCHOd", "ZavCH",
                          "NavCHDo", "HrCHOd", "HrCHDo", "ZavCHSt", "NavCHOdSt", "NavCHDoSt"})
        EXPECT_EQ(h.value(QLatin1String("A1.") + f), 1) << f;
    expectDeskAtRest(h);
    for (const char *t : {"A1.ZaverSt1", "A1.ZaverSt2", "A1.ZaverCH", "A1.ZaverDK"})
        EXPECT_FALSE(h.timerEnabled(QLatin1String(t))) << t;
    for (const char *lever : {"A7.PakaNavBOd", "A7.PakaNavBDo", "A7.PakaNavMOd", "A7.PakaNavMDo"})
        EXPECT_EQ(fromBlok(h, QLatin1String(lever), "A7.Blok"), 339) << lever;
    for (const char *lever : {"A7.PakaZavB", "A7.PakaZavM"})
        EXPECT_EQ(fromBlok(h, QLatin1String(lever), "A7.Blok"), 341) << lever;
    EXPECT_EQ(h.control("A8.PakaNavCHOd").top(), h.control("A8.PakaNavCHDo").top());
    EXPECT_EQ(h.control("A8.PakaZavCH").top(), h.control("A8.PakaSouLc1").top());
    EXPECT_EQ(h.text("A1.PZZ"), "Otevřený");
    for (const char *s : {"A1.C03", "A1.C06", "A1.C09", "A1.C16", "A1.C19", "A1.C22", "A1.C25", "A1.C28", "A1.C31",
                          "A1.C34", "A1.C37", "A1.C40", "A1.C43", "A1.C46"})
        EXPECT_EQ(h.text(QLatin1String(s)), "Stůj") << s;
    EXPECT_TRUE(h.messages().isEmpty()) << h.messages().join(" | ").toStdString();
}

/**
 * Plays a whole day to its last minute and checks its trains and the
 * station at rest. The quick dispatcher must have agreed departures while
 * trains rolled in and taken routes back while their boxes still worked;
 * the careful one never agrees a departure into a train rolling in.
 */
void playDay(const QString &timetable, int hour, int minute, Dispatcher::Style style, const std::set<QString> &expected,
             const QString &telephoneLines = {})
{
    Day day(timetable, hour, minute, style, telephoneLines);
    day.d->playUntil(23, 59);
    expectEveryTrainWorked(*day.d, expected);
    if (timetable.isEmpty()) {
        EXPECT_EQ(day.d->trains().size(), expected.size()); // no built-in train beyond the day's
    }
    expectAtRest(day.h, *day.d);
    const Dispatcher::Haste &haste = day.d->haste();
    if (style == Dispatcher::Quick) {
        EXPECT_GT(haste.earlyTakeBacks, 0);
        if (timetable.isEmpty()) {
            EXPECT_GT(haste.offersWhileRolling, 0);
        }
    } else {
        EXPECT_EQ(haste.offersWhileRolling, 0);
    }
}

} // namespace

TEST(WholeDay, TheCarefulDispatcherWorksTheBuiltInDayFrom715)
{
    playDay("", 7, 15, Dispatcher::Careful, BuiltInDayFrom715);
}

TEST(WholeDay, TheQuickDispatcherWorksTheBuiltInDayFrom715)
{
    playDay("", 7, 15, Dispatcher::Quick, BuiltInDayFrom715);
}

/*
 * The built-in day from 6:00 brings 2620 from Vrbská, agreed on to Struhy
 * at 6:25 before any train has come from Struhy: the line is free at the
 * start, so ZS brings the consent back and 2620 leaves.
 */
TEST(WholeDay, TheCarefulDispatcherWorksTheBuiltInDayFrom600)
{
    std::set<QString> day = BuiltInDayFrom715;
    day.insert("2620");
    playDay("", 6, 0, Dispatcher::Careful, day);
}

/*
 * Line B under telephone working: the day sends 2622 and 2624, and later
 * 2602 and 646, to Struhy with no train from Struhy between them. Each is
 * offered by telephone, and Struhy reports each in before the next leaves.
 */
TEST(WholeDay, TheCarefulDispatcherWorksTheBuiltInDayWithLineBByTelephone)
{
    Day day("", 7, 15, Dispatcher::Careful, "B");
    day.d->playUntil(23, 59);
    expectEveryTrainWorked(*day.d, BuiltInDayFrom715);
    expectAtRest(day.h, *day.d);
    const QStringList &heard = day.d->heard();
    for (const char *n : {"2622", "2624", "2664", "2602", "646"}) {
        const QString number = QLatin1String(n);
        EXPECT_FALSE(heard.filter("Nabídka vlaku " + number + ":").isEmpty()) << n;
        EXPECT_TRUE(heard.contains("Telefonická odhláška " + number)) << n;
    }
    EXPECT_TRUE(day.h.visible("A6.VTM"));
}

TEST(WholeDay, TheQuickDispatcherWorksTheWeekdayTimetableWithLineBByTelephone)
{
    playDay("vsedni_den.t6g", 8, 15, Dispatcher::Quick, timetableTrains("vsedni_den.t6g", 8 * 60 + 30, 23 * 60), "B");
}

/* The weekday timetable from 8:15: its trains that start here find the stock of
   one that ended here on their regular track (the 8:10 one would find none). */
TEST(WholeDay, TheCarefulDispatcherWorksTheWeekdayTimetable)
{
    playDay("vsedni_den.t6g", 8, 15, Dispatcher::Careful, timetableTrains("vsedni_den.t6g", 8 * 60 + 30, 23 * 60));
}

TEST(WholeDay, TheQuickDispatcherWorksTheWeekdayTimetable)
{
    playDay("vsedni_den.t6g", 8, 15, Dispatcher::Quick, timetableTrains("vsedni_den.t6g", 8 * 60 + 30, 23 * 60));
}

/*
 * The weekday timetable from 2:30, freight on: 46313 from Vrbská (2:50) is
 * to leave for Struhy at 3:05, before any train has come from Struhy. Its
 * agreed departure books line B, so Struhy's 5852 (4:55) is offered only
 * once 46313 has reached Struhy. The line starts free (VT lit) with the
 * consent at Struhy: ZS brings it back, PS lights and box 1 clears the exit.
 */
TEST(WholeDay, TheCarefulDispatcherWorksTheWeekdayTimetableFrom230)
{
    Day day("vsedni_den.t6g", 2, 30, Dispatcher::Careful);
    const Dispatcher &d = *day.d;
    day.d->playUntil(3, 30);
    ASSERT_TRUE(d.trains().count("46313")) << d.describe().toStdString();
    EXPECT_TRUE(d.trains().at("46313").departed) << d.describe().toStdString();
    EXPECT_TRUE(d.trains().at("46313").handedOver);
    EXPECT_EQ(day.h.color("A1.SmerB"), QColor(0, 255, 0)) << "Struhy gave the consent back";
    EXPECT_TRUE(day.h.visible("A6.PSM"));

    day.d->playUntil(5, 30);
    ASSERT_TRUE(d.trains().count("5852")) << d.describe().toStdString();
    EXPECT_TRUE(d.trains().at("5852").arrived) << d.describe().toStdString();

    day.d->playUntil(23, 59);
    expectEveryTrainWorked(d, timetableTrains("vsedni_den.t6g", 2 * 60 + 30, 23 * 60));
    expectAtRest(day.h, d);
}

/*
 * The weekday timetable from 2:30: Struhy has the consent for 5854 and its
 * departure counts down, VT still lit, when ZS asks the consent back.
 * Struhy gives it back after its delay, before 5854 leaves; the line holds
 * 5854 while the consent is here, so Struhy asks for it again, and 5854,
 * 5856 and 46318 come in with the rest of the day.
 */
TEST(WholeDay, TheConsentAskedBackWhileStruhysTrainWaitsToLeaveLetsItComeLater)
{
    Day day("vsedni_den.t6g", 2, 30, Dispatcher::Careful);
    Dispatcher &d = *day.d;
    const Harness &h = day.h;
    d.playUntil(6, 10);
    const auto leaving = [&] {
        const int odjezd = h.value("A1.OdjezdB");
        return h.text("A1.TratB") == "5854" && h.color("A1.SmerB") == QColor(255, 0, 0) && odjezd > 100 &&
               odjezd < 119 && h.visible("A6.VTM");
    };
    for (int i = 0; i < 30 * 60 && !leaving(); ++i)
        d.playTicks(1);
    ASSERT_TRUE(leaving()) << d.describe().toStdString();
    day.h.press("A6.ZSM", 5, 5);
    day.h.release(5, 5);
    ASSERT_EQ(h.color("A1.SmerB"), QColor(0, 0, 255));
    for (int i = 0; i < 20 && h.color("A1.SmerB") == QColor(0, 0, 255); ++i)
        d.playTicks(1);
    EXPECT_NE(h.color("A1.SmerB"), QColor(0, 0, 255)) << "Struhy gave the consent back";
    EXPECT_EQ(h.text("A1.TratB"), "5854") << "before 5854 left";

    d.playUntil(23, 59);
    for (const char *n : {"5854", "5856", "46318"}) {
        ASSERT_TRUE(d.trains().count(QLatin1String(n))) << n << "\n" << d.describe().toStdString();
        EXPECT_TRUE(d.trains().at(QLatin1String(n)).arrived) << n;
    }
    expectEveryTrainWorked(d, timetableTrains("vsedni_den.t6g", 2 * 60 + 30, 23 * 60));
    expectAtRest(h, d);
}

/*
 * The built-in day from 7:15, quick: 2601 from Struhy is in and reported
 * (ODHL lights VT again) while box 1's signalman still cranks its entry
 * lever back, and ZS asks the consent back at once, for 2622 to leave for
 * Struhy at 8:01. VT flashes while the consent is asked back; its dark
 * phase must not light EV again, or the next ODHL would free line B of the
 * train booked on it and the day would go astray.
 */
TEST(WholeDay, TheConsentAskedBackRightAfterTheArrivalReportLightsNoSecondReport)
{
    Day day("", 7, 15, Dispatcher::Quick);
    Dispatcher &d = *day.d;
    Harness &h = day.h;
    d.playUntil(7, 50);
    ASSERT_EQ(h.text("A1.TratB"), "2601");
    const auto reported = [&] {
        return h.text("A1.TratB") == "Volná" && h.visible("A6.VTM") && h.color("A1.SmerB") == QColor(255, 0, 0) &&
               h.timerEnabled("A1.ZaverSt1");
    };
    for (int i = 0; i < 20 * 60 && !reported(); ++i)
        d.playTicks(1);
    ASSERT_TRUE(reported()) << d.describe().toStdString();
    h.press("A6.ZSM", 5, 5);
    h.release(5, 5);
    ASSERT_EQ(h.color("A1.SmerB"), QColor(0, 0, 255));
    for (int i = 0; i < 5; ++i) {
        h.ticks(1);
        EXPECT_FALSE(h.visible("A6.EVM")) << "tick " << i;
    }

    d.playUntil(23, 59);
    expectEveryTrainWorked(d, BuiltInDayFrom715);
    expectAtRest(h, d);
}

TEST(WholeDay, TheQuickDispatcherWorksTheWeekdayTimetableFrom230)
{
    playDay("vsedni_den.t6g", 2, 30, Dispatcher::Quick, timetableTrains("vsedni_den.t6g", 2 * 60 + 30, 23 * 60));
}

TEST(WholeDay, TheCarefulDispatcherWorksTheWeekendTimetable)
{
    playDay("sobota_nedele.t6g", 5, 45, Dispatcher::Careful, timetableTrains("sobota_nedele.t6g", 6 * 60, 23 * 60));
}

TEST(WholeDay, TheQuickDispatcherWorksTheWeekendTimetable)
{
    playDay("sobota_nedele.t6g", 5, 45, Dispatcher::Quick, timetableTrains("sobota_nedele.t6g", 6 * 60, 23 * 60));
}

/** One train line of a timetable changed: the line that starts so, and the columns written over from one on. */
struct OddLine {
    QString start;
    int column;
    QString text;
};

/**
 * Writes the weekday timetable with some of its train lines changed into
 * the folder.
 * @return the changed lines' numbers in the file, in the order given.
 */
QList<qsizetype> writeOddWeekday(const TimetableFolder &folder, const QList<OddLine> &odd)
{
    QStringList lines = platform::readTextLines1250(QStringLiteral(KAMENNA_SOURCE_DATA_DIR "/Gvd/vsedni_den.t6g"));
    QList<qsizetype> changed;
    for (const OddLine &o : odd) {
        const qsizetype at = lines.indexOf(QRegularExpression(QRegularExpression::escape(o.start) + ".*"));
        EXPECT_GE(at, 30) << o.start.toStdString();
        lines[at].replace(o.column - 1, o.text.size(), o.text);
        changed << at;
    }
    folder.writeText("Gvd/vsedni_den.t6g", lines);
    return changed;
}

/** @return the boxes that refuse the train of a file line, with the reason given. */
QStringList refusalBoxes(qsizetype line, const QString &why)
{
    return {"Error A1H-ZV", "Error A1H", QStringLiteral("Vlak na řádku %1 grafikonu nelze zařadit: %2").arg(line).arg(why)};
}

/*
 * Train 5404 of line A with a running time that is no number: it is refused
 * when it falls due, so its neighbour never offers it, and every other
 * train of line A still comes in and goes out.
 */
TEST(WholeDay, ATrainWhoseRunningTimeIsNoNumberLeavesTheOthersToRun)
{
    TimetableFolder folder;
    const qsizetype bad = writeOddWeekday(folder, {{"1705404108550908", 17, "xx"}}).first();
    Day day("vsedni_den.t6g", 8, 15, Dispatcher::Careful, {}, folder.path());
    day.d->playUntil(23, 59);

    std::set<QString> expected = timetableTrains("vsedni_den.t6g", 8 * 60 + 30, 23 * 60, folder.path());
    ASSERT_EQ(expected.erase("5404"), 1u);
    expectEveryTrainWorked(*day.d, expected);
    EXPECT_EQ(day.d->trains().count("5404"), 0u);
    EXPECT_EQ(day.h.messages(),
              refusalBoxes(bad, "Jízdní doba ze sousední stanice ve sloupcích 17-18 není číslo."));
    day.h.clearMessages();
    expectAtRest(day.h, *day.d);
}

/*
 * Three trains from Vrbská whose running time is none or less: "00", " 0"
 * and "-9" minutes. Each stands at the entry signal until its route is laid,
 * comes in and leaves again, and line C goes on taking the day's trains.
 */
TEST(WholeDay, TrainsFromLineCWithARunningTimeOfZeroOrLessRunLikeTheOthers)
{
    TimetableFolder folder;
    writeOddWeekday(folder, {{"1705405309250933", 17, "00"}, {"1705407312451253", 17, " 0"},
                             {"1301922314051412", 17, "-9"}});
    Day day("vsedni_den.t6g", 8, 15, Dispatcher::Careful, {}, folder.path());
    day.d->playUntil(23, 59);
    const std::set<QString> expected = timetableTrains("vsedni_den.t6g", 8 * 60 + 30, 23 * 60, folder.path());
    for (const char *n : {"5405", "5407", "1922", "41352", "5409", "774", "5411"})
        ASSERT_EQ(expected.count(QLatin1String(n)), 1u) << n;
    expectEveryTrainWorked(*day.d, expected);
    expectAtRest(day.h, *day.d);
}

/*
 * Trains from Vrbská that could never leave again: three whose departure
 * is no time ("9999", "xxxx", blank) and one that names no line to leave
 * by. Each is refused when it falls due, in Czech, naming its columns, and
 * the trains after them on line C still come in and go out.
 */
TEST(WholeDay, TrainsThatCouldNeverLeaveAreRefusedAndLineCGoesOn)
{
    TimetableFolder folder;
    const QList<qsizetype> odd = writeOddWeekday(
        folder, {{"1705405309250933", 24, "9999"}, {"1705407312451253", 24, "xxxx"},
                 {"1705409316101618", 24, "    "}, {"1301922314051412", 23, "7"}});
    Day day("vsedni_den.t6g", 8, 15, Dispatcher::Careful, {}, folder.path());
    day.d->playUntil(23, 59);

    std::set<QString> expected = timetableTrains("vsedni_den.t6g", 8 * 60 + 30, 23 * 60, folder.path());
    for (const char *n : {"5405", "5407", "5409", "1922"}) {
        EXPECT_EQ(expected.erase(QLatin1String(n)), 1u) << n;
        EXPECT_EQ(day.d->trains().count(QLatin1String(n)), 0u) << n;
    }
    for (const char *n : {"46315", "41352", "774", "5411"})
        ASSERT_EQ(expected.count(QLatin1String(n)), 1u) << n;
    expectEveryTrainWorked(*day.d, expected);
    const QString departure = QStringLiteral("Odjezd vlaku ve sloupcích 24-27 není čas.");
    EXPECT_EQ(day.h.messages(), refusalBoxes(odd[0], departure) + refusalBoxes(odd[1], departure) +
                                    refusalBoxes(odd[3], "Směr ve sloupci 23 není 0, 1, 2 ani 3.") +
                                    refusalBoxes(odd[2], departure));
    day.h.clearMessages();
    expectAtRest(day.h, *day.d);
}

/*
 * Five passenger trains that come from no line (column 8 "9"): each is
 * refused when it falls due, naming column 8, so none holds a row of its
 * group, and the later passenger trains of every line still come in.
 */
TEST(WholeDay, TrainsFromNoLineAreRefusedAndThePassengerRowsStayFree)
{
    TimetableFolder folder;
    const QList<qsizetype> odd = writeOddWeekday(
        folder, {{"1705404108550908", 8, "9"}, {"1705405309250933", 8, "9"}, {"170585820940095212", 8, "9"},
                 {"1705406112101223", 8, "9"}, {"1705407312451253", 8, "9"}});
    Day day("vsedni_den.t6g", 8, 15, Dispatcher::Careful, {}, folder.path());
    day.d->playUntil(23, 59);

    std::set<QString> expected = timetableTrains("vsedni_den.t6g", 8 * 60 + 30, 23 * 60, folder.path());
    for (const char *n : {"5404", "5405", "5858", "5406", "5407"}) {
        EXPECT_EQ(expected.erase(QLatin1String(n)), 1u) << n;
        EXPECT_EQ(day.d->trains().count(QLatin1String(n)), 0u) << n;
    }
    for (const char *n : {"5408", "5409", "5410", "5411", "5864", "5866"})
        ASSERT_EQ(expected.count(QLatin1String(n)), 1u) << n;
    expectEveryTrainWorked(*day.d, expected);
    const QString origin = QStringLiteral("Ze směru ve sloupci 8 není 0, 1, 2 ani 3.");
    QStringList boxes;
    for (qsizetype line : odd)
        boxes += refusalBoxes(line, origin);
    EXPECT_EQ(day.h.messages(), boxes);
    day.h.clearMessages();
    expectAtRest(day.h, *day.d);
}

TEST(WholeDay, ASecondGameAfterTheEndOfTheFirstPlaysItsFirstHourAsFully)
{
    Day day("", 7, 15, Dispatcher::Careful);
    day.d->playUntil(8, 15);
    std::set<QString> firstHour;
    for (const auto &[number, t] : day.d->trains())
        firstHour.insert(number);
    day.d->playUntil(12, 0);
    day.d.reset();
    day.h.click("A0.H5"); // "Ukončit hru"
    EXPECT_EQ(day.h.text("A0.H8"), "Spustit hru");
    /* The same start again: the new game brings the same first trains. */
    startGameAt(day.h, 7, 15);
    Dispatcher second(day.h);
    second.playUntil(8, 15);
    std::set<QString> secondFirstHour;
    for (const auto &[number, t] : second.trains())
        secondFirstHour.insert(number);
    EXPECT_EQ(secondFirstHour, firstHour);
    EXPECT_TRUE(firstHour.count("6010") && firstHour.count("2601") && firstHour.count("2622"));
    /* What came in that hour goes out again, and the game ends at rest. */
    second.playUntil(12, 30);
    expectEveryTrainWorked(second, firstHour);
    expectAtRest(day.h, second);
}

