/** @file timetable_placing_test.cpp Due marking and placing of timetable-file trains and of the built-in day. */
#include "core/timetable_fixture.h"

#include "core/builtin_timetable_tables.h"
#include "core/core_handlers.h"
#include "core/form_a1.h"
#include "core/form_a2.h"
#include "core/timetable_file.h"
#include "core/timetable_placing.h"
#include "devices/form_a3.h"
#include "platform/excerpt.h"
#include "platform/files.h"
#include "platform/picture_limits.h"
#include "platform/picture_reader.h"
#include "platform/metafile_bytes.h"
#include "support/largest_picture.h"
#include "support/processor_clock.h"
#include "platform/helper_process.h"
#include "support/readers_at_birth.h"
#include "support/shared_processor.h"
#include "support/stopped_at_birth.h"
#include "view/qt_app.h"

#include <QElapsedTimer>
#include <QImageWriter>
#include <QMap>
#include <QRandomGenerator>
#include <QSet>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>

#include <fcntl.h>
#include <signal.h>
#include <sys/time.h>
#include <unistd.h>

namespace {

/** @return train lines of passenger trains from line A at 7:16, each with one vehicle: code 1, or each its own (i + 1). */
QStringList trainsOfVehicleOne(int count, bool eachItsOwn = false)
{
    QStringList lines;
    for (int i = 0; i < count; ++i) {
        TrainLineText train;
        train.number = QStringLiteral("%1").arg(10000 + i);
        train.neighbourDeparture = "0716";
        train.vehicles = QStringLiteral("%1").arg(eachItsOwn ? i + 1 : 1, 3, 10, QChar('0')) + QString(27, QChar('0'));
        lines << train.text();
    }
    return lines;
}

/** The first of January 2100, as a pack unpacked with its own times, or made where the clock ran ahead, may date a folder. */
constexpr time_t kYear2100 = 4102444800;

/** Sets a folder's modification time, by default an hour back, as a vehicles pack unpacked before the game has it. */
void settle(const QString &folder, time_t when = ::time(nullptr) - 3600)
{
    const timeval at{when, 0};
    const timeval times[2] = {at, at};
    ASSERT_EQ(::utimes(platform::nativePath(folder).constData(), times), 0) << folder.toStdString();
}

/** Makes `count` empty files in a folder, each named `stem`, its number in six digits and ".bmp". */
void writeEmptyFiles(const QString &folder, int count, const QString &stem)
{
    for (int i = 0; i < count; ++i) {
        const QByteArray name = QStringLiteral("%1/%2%3.bmp").arg(folder, stem).arg(i, 6, 10, QChar('0')).toUtf8();
        const int file = ::open(name.constData(), O_CREAT | O_WRONLY | O_CLOEXEC, 0644);
        ASSERT_GE(file, 0) << name.constData();
        ::close(file);
    }
}

/**
 * Writes a picture as costly to read as a camera's photo: a progressive
 * JPEG of noise, 2,400 pixels a side (23 MB decoded), some 0.15 s to read,
 * or of another side.
 */
void writePhoto(const QString &path, int side = 2400)
{
    QImage noise(side, side, QImage::Format_RGB32);
    QRandomGenerator random(7);
    for (int y = 0; y < noise.height(); ++y)
        random.fillRange(reinterpret_cast<quint32 *>(noise.scanLine(y)), noise.width());
    QImageWriter writer(path, "jpeg");
    writer.setQuality(90);
    writer.setProgressiveScanWrite(true);
    ASSERT_TRUE(writer.write(noise)) << writer.errorString().toStdString();
}

/**
 * @return a train line falling due at 7:11 (or five minutes before another
 *         departure from the neighbour), of one vehicle of a code, or of
 *         two (a second code above 0), the number its own.
 */
QString trainOfVehicle(int code, const QString &number = QStringLiteral("05401"),
                       const QString &neighbourDeparture = QStringLiteral("0716"), int second = 0)
{
    TrainLineText train;
    train.number = number;
    train.neighbourDeparture = neighbourDeparture;
    train.vehicles = QStringLiteral("%1%2").arg(code, 3, 10, QChar('0')).arg(second, 3, 10, QChar('0'))
                     + QString(24, QChar('0'));
    return train.text();
}

/** Ticks once a game second while line `line` is due, `maxTicks` at most. */
void tickWhileDue(FileGame &g, int line, int maxTicks)
{
    for (int tick = 0; tick < maxTicks && g.state(line) == core::LineDue; ++tick)
        g.h->ticks(1);
}

/**
 * Plays the trains falling due at 7:11 until `done`, or for `maxTicks`,
 * checking that no tick takes a second on the wall clock, whatever the
 * picture readers do meanwhile, nor finds files past its work.
 * @return the ticks it took.
 */
template <typename Done>
int playUntil(FileGame &g, Done done, int maxTicks)
{
    QElapsedTimer tick;
    quint64 work = platform::pathWork();
    int ticks = 0;
    for (; !done() && ticks < maxTicks; ++ticks) {
        tick.start();
        if (ticks == 0)
            g.tickAt(7, 11);
        else
            g.h->ticks(1);
        EXPECT_LT(tick.elapsed(), 1000) << g.h->clock().toStdString();
        /* The tick's limit, and at most what the last path it began costs. */
        EXPECT_LT(platform::pathWork() - work, 120000u) << g.h->clock().toStdString();
        work = platform::pathWork();
    }
    EXPECT_TRUE(done()) << "after " << ticks << " ticks";
    return ticks;
}

/** @see playUntil: until the placing has brought the first `count` lines to `state`. */
int playWithinTicks(FileGame &g, int count, quint8 state, int maxTicks = 1000)
{
    const TVlakByte &states = g.h->app().TimetableTrainStates;
    return playUntil(g, [&] { return std::count(states.begin(), states.begin() + count, state) == count; }, maxTicks);
}

/** @see playWithinTicks: until the first `count` lines are refused. */
int refuseWithinTicks(FileGame &g, int count)
{
    return playWithinTicks(g, count, core::LineRefused);
}

/**
 * Plays the 3,000 trains of trainsOfVehicleOne(3000), falling due at 7:11,
 * until the placing has looked at them all, and checks that every one is
 * refused and reported as refused lines are: the first five in full,
 * quoting the entry of vehicle 1, then one count of the rest.
 * @return the folders listed meanwhile.
 */
quint64 refuseTrainsOfVehicleOne(FileGame &g, const QString &entry)
{
    const quint64 listed = platform::foldersListed();
    g.tickAt(7, 11);
    g.h->ticks(9);
    const TVlakByte &states = g.h->app().TimetableTrainStates;
    EXPECT_EQ(std::count(states.begin(), states.end(), quint8(core::LineRefused)), 3000);
    const QStringList refusals = g.h->messages().filter("Vlak na řádku");
    EXPECT_EQ(refusals.size(), 5) << g.h->messages().join(" | ").left(2000).toStdString();
    EXPECT_EQ(refusals.value(0), "Vlak na řádku 30 grafikonu nelze zařadit: Vozidlo 1 ve sloupcích 38-40 má obrázek, "
                                 "který chybí nebo nejde načíst: " + platform::excerpt(entry));
    EXPECT_EQ(g.h->messages().last(),
              "Ještě 2995 řádků grafikonu nelze zařadit. Další vadné řádky tohoto grafikonu se již nehlásí.");
    return platform::foldersListed() - listed;
}

} // namespace

TEST(TimetablePlacing, TrainFallsDueFiveMinutesAheadAndShowsItsTimes)
{
    FileGame g({TrainLineText{}.text()});
    g.tickAt(7, 9);
    EXPECT_EQ(g.state(0), core::LineWaiting);
    EXPECT_EQ(g.h->text("A2.G6"), "");

    /* At 7:10:00 the look-ahead key is "715": due and placed on the same tick. */
    g.tickAt(7, 10);
    EXPECT_EQ(g.h->clock(), "7:10:00");
    EXPECT_EQ(g.state(0), core::LinePlaced);
    EXPECT_EQ(g.h->text("A2.G6"), "5401");
    EXPECT_EQ(g.h->text("A2.G7"), "Horní Lom");
    EXPECT_EQ(g.h->text("A2.G8"), "7:15");
    EXPECT_EQ(g.h->text("A2.G9"), "7:22");
    EXPECT_EQ(g.h->text("A2.H0"), "7");
    EXPECT_EQ(g.h->text("A2.H1"), "2");
    EXPECT_EQ(g.h->text("A2.H2"), "7:25");
    EXPECT_EQ(g.h->text("A2.H3"), "7:35");
    EXPECT_EQ(g.h->text("A2.H4"), "10");
    EXPECT_EQ(g.h->text("A2.H5"), "Vrbská");
    EXPECT_EQ(g.h->text("A2.H6"), "");
    EXPECT_EQ(g.h->text("A2.H7"), "");
    EXPECT_EQ(g.h->text("A2.H8"), "");
    EXPECT_EQ(g.h->color("A2.G8"), progress::White);
    EXPECT_TRUE(g.h->messages().isEmpty()) << g.h->messages().join(" | ").toStdString();
}

TEST(TimetablePlacing, MidnightAndAfternoonTimesAndTrainsStartingHere)
{
    TrainLineText late;
    late.number = "00012";
    late.neighbourDeparture = "0003";
    late.arrival = "0010";
    late.to = "0";
    late.departure = "    ";
    late.neighbourArrival = "    ";
    late.runningTimeTo = "  ";
    TrainLineText starting;
    starting.group = "11";
    starting.number = "01405";
    starting.from = "0";
    starting.neighbourDeparture = "    ";
    starting.arrival = "    ";
    starting.runningTimeFrom = "  ";
    starting.departure = "1405";
    starting.neighbourArrival = "1416";
    starting.to = "2";
    FileGame g({late.text(), starting.text()});

    /* "0003" has the due key "003": due at 23:58:00 of the day before. */
    g.tickAt(23, 57);
    EXPECT_EQ(g.state(0), core::LineWaiting);
    g.tickAt(23, 58);
    EXPECT_EQ(g.state(0), core::LinePlaced);
    EXPECT_EQ(g.h->text("A2.G6"), "12");
    EXPECT_EQ(g.h->text("A2.G8"), "0:03");
    EXPECT_EQ(g.h->text("A2.G9"), "0:10");
    EXPECT_EQ(g.h->text("A2.H2"), "");
    EXPECT_EQ(g.h->text("A2.H5"), "");

    /* A train starting here falls due by its own departure, "1405" at 14:00:00. */
    g.tickAt(13, 59);
    EXPECT_EQ(g.state(1), core::LineWaiting);
    g.tickAt(14, 0);
    EXPECT_EQ(g.state(1), core::LinePlaced);
    EXPECT_EQ(g.h->text("A2.B3"), "1405");
    EXPECT_EQ(g.h->text("A2.B4"), "");
    EXPECT_EQ(g.h->text("A2.B5"), "");
    EXPECT_EQ(g.h->text("A2.B9"), "14:05");
    EXPECT_EQ(g.h->text("A2.C2"), "Struhy");
}

TEST(TimetablePlacing, GameStartedAtTheTrainsMinuteNeverMarksIt)
{
    FileGame g({TrainLineText{}.text()}, 7, 15);
    g.h->type("A1.Rychlost", "1024");
    g.h->ticks(3600);
    EXPECT_EQ(g.state(0), core::LineWaiting);
    EXPECT_EQ(g.h->text("A2.G6"), "");
}

TEST(TimetablePlacing, FifthFastTrainWaitsForAFreeRowAndOtherGroupsGoOn)
{
    QStringList trains;
    for (int n = 1; n <= 5; ++n) {
        TrainLineText fast;
        fast.group = "10";
        fast.number = QStringLiteral("0000%1").arg(n);
        trains << fast.text();
    }
    TrainLineText passenger;
    passenger.number = "00077";
    trains << passenger.text();
    FileGame g(trains);

    /* One train a tick, lower index first, each into the lowest free row of its group. */
    g.tickAt(7, 10);
    EXPECT_EQ(g.h->text("A2.B3"), "1");
    g.h->ticks(3);
    EXPECT_EQ(g.h->text("A2.C6"), "2");
    EXPECT_EQ(g.h->text("A2.D9"), "3");
    EXPECT_EQ(g.h->text("A2.F2"), "4");
    EXPECT_EQ(g.h->text("A2.G6"), "");
    /* Group A is full: the passenger train behind the fifth fast train is not held up. */
    g.h->ticks(1);
    EXPECT_EQ(g.h->text("A2.G6"), "77");
    EXPECT_EQ(g.state(4), core::LineDue);
    g.h->ticks(120);
    EXPECT_EQ(g.state(4), core::LineDue);

    /* Row 2 is freed: the fifth train takes it on the next tick, its times as in the file. */
    g.h->type("A2.C6", "");
    g.h->ticks(1);
    EXPECT_EQ(g.h->text("A2.C6"), "5");
    EXPECT_EQ(g.h->text("A2.C8"), "7:15");
    EXPECT_EQ(g.state(4), core::LinePlaced);
}

TEST(TimetablePlacing, AWaitingLineFallenDueLaterStillGoesInLineOrder)
{
    /* Lines 1 and 3 fall due at 7:10, lines 0 and 2 a minute later, all fast trains. */
    QStringList trains;
    for (int n = 0; n < 4; ++n) {
        TrainLineText fast;
        fast.group = "10";
        fast.number = QStringLiteral("0000%1").arg(n);
        fast.neighbourDeparture = n % 2 ? "0715" : "0716";
        trains << fast.text();
    }
    FileGame g(trains);
    for (const char *numberCell : {"A2.B3", "A2.C6", "A2.D9", "A2.F2"})
        g.h->type(numberCell, "9");
    g.tickAt(7, 10);
    g.tickAt(7, 11);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(g.state(i), core::LineDue) << i;

    /* Each freed row takes the first due line in the file, whenever it fell due. */
    for (const char *expected : {"0", "1", "2", "3"}) {
        g.h->type("A2.B3", "");
        g.h->ticks(1);
        EXPECT_EQ(g.h->text("A2.B3"), expected);
    }
}

TEST(TimetablePlacing, OnlyTheLinesOfTheMinuteFallDueAndEveryGameMarksThemAfresh)
{
    TrainLineText through; // due at 7:15 by its neighbour's departure
    TrainLineText noGroup;
    noGroup.group = "x1";
    noGroup.number = "05402";
    TrainLineText later;
    later.number = "05403";
    TrainLineText startsHere; // due at 7:30 by its own departure (columns 24-27)
    startsHere.number = "05404";
    startsHere.from = "0";
    startsHere.neighbourDeparture = "0000";
    startsHere.departure = "0730";
    FileGame g({through.text(), noGroup.text(), later.text(), startsHere.text()});

    for (int game = 1; game <= 2; ++game) {
        SCOPED_TRACE(game);
        g.tickAt(7, 10);
        /* Due in line order: one line a tick, the one without a group refused in its turn. */
        EXPECT_EQ(g.state(0), core::LinePlaced);
        EXPECT_EQ(g.state(1), core::LineDue);
        EXPECT_EQ(g.state(2), core::LineDue);
        EXPECT_EQ(g.state(3), core::LineWaiting);
        g.h->ticks(1);
        EXPECT_EQ(g.state(1), core::LineRefused);
        EXPECT_EQ(g.state(2), core::LineDue);
        g.h->ticks(1);
        EXPECT_EQ(g.state(2), core::LinePlaced);
        EXPECT_EQ(g.h->text("A2.H9"), "5403");
        g.tickAt(7, 24);
        EXPECT_EQ(g.state(3), core::LineWaiting);
        g.tickAt(7, 25);
        EXPECT_EQ(g.state(3), core::LinePlaced);
        EXPECT_EQ(g.h->text("A2.J2"), "5404");
        /* "Ukončit hru", then the same timetable again: its lines are loaded anew, all waiting. */
        g.h->click("A0.H5");
        pickNextTimetable(*g.h); // none
        pickNextTimetable(*g.h); // test.t6g
        startGameAt(*g.h, 7, 0);
        EXPECT_EQ(g.state(0), core::LineWaiting);
    }
}

TEST(TimetablePlacing, FreightTrainsWaitWhileTheOptionIsOff)
{
    TrainLineText freight;
    freight.group = "24";
    freight.number = "84521";
    FileGame g({freight.text()});
    g.h->check("A1.NakladniVlaky", false);
    g.tickAt(7, 10);
    g.h->ticks(30);
    EXPECT_EQ(g.state(0), core::LineDue);
    EXPECT_EQ(g.h->text("A2.N2"), "");

    g.h->check("A1.NakladniVlaky", true);
    g.h->ticks(1);
    EXPECT_EQ(g.h->text("A2.N2"), "84521");
    EXPECT_EQ(g.state(0), core::LinePlaced);
}

TEST(TimetablePlacing, GroupCodesChooseTheRows)
{
    const std::pair<const char *, const char *> rows[] = {
        {"16", "A2.B3"}, {"17", "A2.G6"}, {"19", "A2.H9"}, {"20", "A2.N2"}, {"25", "A2.O5"}};
    QStringList trains;
    for (const auto &[group, cell] : rows) {
        TrainLineText t;
        t.group = group;
        t.number = QStringLiteral("000%1").arg(group);
        trains << t.text();
    }
    FileGame g(trains);
    g.tickAt(7, 10);
    g.h->ticks(4);
    for (const auto &[group, cell] : rows)
        EXPECT_EQ(g.h->text(cell), QString::number(QString(group).toInt())) << group;
}

TEST(TimetablePlacing, PassingTrainsShowPrInsteadOfTheirDeparture)
{
    TrainLineText passing;
    passing.stop = "2";
    TrainLineText endingPassing;
    endingPassing.number = "00002";
    endingPassing.stop = "4";
    endingPassing.to = "0";
    FileGame g({passing.text(), endingPassing.text()});
    g.tickAt(7, 10);
    g.h->ticks(1);
    EXPECT_EQ(g.h->text("A2.H2"), "pr.");
    EXPECT_EQ(g.h->text("A2.H3"), "7:35");
    EXPECT_EQ(g.h->text("A2.H9"), "2");
    EXPECT_EQ(g.h->text("A2.I5"), "pr.");
    EXPECT_EQ(g.h->text("A2.I6"), "");
}

TEST(TimetablePlacing, VehiclePicturesComeFromTheVehiclesFileAndCodeZeroIsEmpty)
{
    TrainLineText t;
    t.vehicles = "001007016000000000000000000000";
    FileGame g({t.text()});
    /* The entries are written with "\" and another letter case than the files. */
    g.restartWithVehicles({"VOZIDLA\\LOK_754.BMP", "x", "x", "x", "x", "x", "vozidla/Vuz_B.bmp", "x", "x", "x", "x",
                           "x", "x", "x", "x", "Vozidla\\voz_Faccs.bmp"});
    g.tickAt(7, 10);
    const TimetableRow &row = g.h->app().A2().row(5);
    EXPECT_EQ(row.vehicles[0]->picture(), repositoryPicture("Vozidla/lok_754.bmp"));
    EXPECT_EQ(row.vehicles[1]->picture(), repositoryPicture("Vozidla/vuz_B.bmp"));
    EXPECT_EQ(row.vehicles[2]->picture(), repositoryPicture("Vozidla/voz_Faccs.bmp"));
    for (int v = 3; v < kRowVehicles; ++v)
        EXPECT_EQ(row.vehicles[v]->picture(), g.h->app().A3().VozidloPrazdne->picture()) << v;
    EXPECT_TRUE(g.h->messages().isEmpty()) << g.h->messages().join(" | ").toStdString();
}

TEST(TimetablePlacing, PicturesAreDecodedOncePerGame)
{
    TrainLineText first;
    TrainLineText second;
    second.number = "05403";
    second.neighbourDeparture = "0815";
    FileGame g({first.text(), second.text()});
    g.tickAt(7, 10);
    ASSERT_EQ(g.state(0), core::LinePlaced);
    /* The file is gone, but the second train still shows the picture read for the first. */
    ASSERT_TRUE(QFile::remove(g.folder.path() + "/Vozidla/lok_754.bmp"));
    g.tickAt(8, 10);
    EXPECT_EQ(g.state(1), core::LinePlaced);
    EXPECT_EQ(g.h->app().A2().row(6).vehicles[0]->picture(), repositoryPicture("Vozidla/lok_754.bmp"));
    EXPECT_TRUE(g.h->messages().isEmpty());
}

TEST(TimetablePlacing, NoteIsTheTrainsOwnNeverAppended)
{
    TrainLineText withNote;
    withNote.note = "uhlí pro Struhy";
    TrainLineText withoutNote;
    withoutNote.number = "05403";
    withoutNote.neighbourDeparture = "0815";
    TrainLineText otherNote;
    otherNote.number = "05405";
    otherNote.neighbourDeparture = "0915";
    otherNote.note = "obrat";
    FileGame g({withNote.text(), withoutNote.text(), otherNote.text()});
    g.tickAt(7, 10);
    EXPECT_EQ(g.h->text("A2.Poznamka05"), "uhlí pro Struhy");
    g.h->type("A2.G6", "");
    g.tickAt(8, 10);
    EXPECT_EQ(g.h->text("A2.G6"), "5403");
    EXPECT_EQ(g.h->text("A2.Poznamka05"), "");
    g.h->type("A2.G6", "");
    g.tickAt(9, 10);
    EXPECT_EQ(g.h->text("A2.Poznamka05"), "obrat");
}

TEST(TimetablePlacing, BadLinesAreReportedOnceAndNeverTakeARow)
{
    TrainLineText badNumber;
    badNumber.number = "05x01";
    TrainLineText missingPicture;
    missingPicture.number = "05402";
    missingPicture.vehicles = "001099000000000000000000000000";
    TrainLineText unknownPictureFile;
    unknownPictureFile.number = "05403";
    unknownPictureFile.vehicles = "001002000000000000000000000000";
    TrainLineText good;
    good.number = "05404";
    FileGame g({badNumber.text(), missingPicture.text(), unknownPictureFile.text(), good.text(),
                TrainLineText{}.text().left(50)});
    ASSERT_TRUE(QFile::remove(g.folder.path() + "/Vozidla/lok_742.bmp")); // vehicle code 2
    g.tickAt(7, 10);
    g.h->type("A1.Rychlost", "1024");
    g.h->ticks(600);

    /* Each bad line: its code once, then the tick's, then the failure's own text. */
    const QStringList &shown = g.h->messages();
    EXPECT_EQ(shown.count("Error A1H-ZV"), 4) << shown.join(" | ").toStdString();
    EXPECT_EQ(shown.count("Error A1H"), 4);
    EXPECT_TRUE(shown.filter("řádku 31").join("").contains("99")) << shown.join(" | ").toStdString();
    EXPECT_TRUE(shown.filter("řádku 32").join("").contains("lok_742.bmp"));
    for (int i : {0, 1, 2, 4})
        EXPECT_EQ(g.state(i), core::LineRefused) << i;
    /* The good train took the first row of its group; nothing else was written. */
    EXPECT_EQ(g.state(3), core::LinePlaced);
    EXPECT_EQ(g.h->text("A2.G6"), "5404");
    for (const char *cell : {"A2.H9", "A2.J2", "A2.K5", "A2.L8"})
        EXPECT_EQ(g.h->text(cell), "") << cell;
}

TEST(TimetablePlacing, AFloodOfBadLinesShowsAFewReportsAndOneCountOfTheRest)
{
    TrainLineText bad;
    bad.number = "0540x";
    TrainLineText later = bad;
    later.neighbourDeparture = "0815";
    QStringList lines;
    for (int i = 0; i < 500; ++i)
        lines << bad.text();
    FileGame g(lines << later.text());
    ProcessorClock clock;
    clock.start();
    g.tickAt(7, 10);
    g.h->ticks(500);
    EXPECT_LT(clock.elapsed(), 1000);
    for (int i = 0; i < 500; ++i)
        ASSERT_EQ(g.state(i), core::LineRefused) << i;

    /* Five lines reported in full, each with its three boxes, then one count of the other 495. */
    const QStringList &shown = g.h->messages();
    ASSERT_EQ(shown.size(), 5 * 3 + 1) << shown.mid(0, 20).join(" | ").toStdString();
    EXPECT_EQ(shown.filter("Vlak na řádku").size(), 5);
    EXPECT_TRUE(shown.at(14).startsWith("Vlak na řádku 34 grafikonu")) << shown.at(14).toStdString();
    EXPECT_EQ(shown.last(), "Ještě 495 řádků grafikonu nelze zařadit. Další vadné řádky tohoto grafikonu se již nehlásí.");

    /* A bad line of a later minute is refused without a box. */
    g.h->clearMessages();
    g.tickAt(8, 10);
    g.h->ticks(2);
    EXPECT_EQ(g.state(500), core::LineRefused);
    EXPECT_TRUE(g.h->messages().isEmpty()) << g.h->messages().join(" | ").toStdString();

    /* The next game reports its first refused line in full again. */
    g.restartWithVehicles(platform::readTextLines1250(g.folder.path() + "/Vozidla.txt"));
    g.tickAt(7, 10);
    EXPECT_EQ(g.h->messages().filter("Vlak na řádku 30 grafikonu").size(), 1) << g.h->messages().join(" | ").toStdString();
}

TEST(TimetablePlacing, RefusedLinesTakeNoTurnFromTheTrainsBehindThem)
{
    /* 50,000 lines whose vehicle code names no entry of the vehicles file, all due at 7:10;
       behind them a train due in the same minute and one due at 7:15. */
    TrainLineText bad;
    bad.vehicles = "001999000000000000000000000000";
    TrainLineText sameMinute;
    sameMinute.number = "05403";
    TrainLineText later;
    later.number = "05405";
    later.neighbourDeparture = "0720";
    QStringList lines;
    for (int i = 0; i < 50000; ++i)
        lines << bad.text();
    FileGame g(lines << sameMinute.text() << later.text());
    g.tickAt(7, 10);
    g.h->type("A1.Rychlost", "1024");
    int ticks = 1;
    for (; g.state(50000) != core::LinePlaced && ticks < 600; ++ticks)
        g.h->ticks(1);
    /* Five lines reported in full take a tick each; the others are looked past in bounded batches. */
    EXPECT_LE(ticks, 60) << g.h->clock().toStdString();
    EXPECT_EQ(g.h->text("A2.G6"), "5403");
    for (int i = 0; i < 50000; ++i)
        ASSERT_EQ(g.state(i), core::LineRefused) << i;
    g.tickAt(7, 15);
    EXPECT_EQ(g.state(50001), core::LinePlaced);
    EXPECT_EQ(g.h->text("A2.H9"), "5405");
    EXPECT_EQ(g.h->messages().filter("Vlak na řádku").size(), 5);
    EXPECT_EQ(g.h->messages().last(),
              "Ještě 49995 řádků grafikonu nelze zařadit. Další vadné řádky tohoto grafikonu se již nehlásí.");
}

TEST(TimetablePlacing, AFailingDueMarkingIsReportedAndThePlacingGoesOn)
{
    TrainLineText first;
    TrainLineText second;
    second.number = "05403";
    FileGame g({first.text(), second.text()});
    g.tickAt(7, 10);
    ASSERT_EQ(g.state(1), core::LineDue);
    /* A clock memo without its look-ahead line. The line traffic earlier in
     * the tick reads it too, so the two timetable steps are run on their own. */
    g.h->type("A1.Minuta", "10\n11");
    core::MarkDueTimetableLines(g.h->app());
    core::PlaceTimetableTrains(g.h->app());
    EXPECT_EQ(g.h->messages(), QStringList{"Error A1HV"});
    EXPECT_EQ(g.h->text("A2.H9"), "5403");
}

TEST(TimetablePlacing, EachShippedTimetablePlacesEveryTrainInADay)
{
    /* The line traffic that frees rows is not part of this test: whenever a
     * group is full after a minute, its oldest row is freed by emptying the
     * number cell, and every number that shows up is collected. */
    Harness h;
    for (const QString &file : platform::listFiles(QStringLiteral(KAMENNA_SOURCE_DATA_DIR) + "/Gvd", "*.t6g")) {
        pickNextTimetable(h);
        ASSERT_EQ(h.text("A1.GrafikonDir"), file);
        startGameAt(h, 7, 15);
        h.type("A1.Rychlost", "1024");
        QMultiMap<QString, int> expected;
        for (const QString &line : h.app().TimetableTrainLines)
            if (!line.isEmpty())
                expected.insert(core::parseTrainLine(line).line.numberText(), 0);
        QMultiMap<QString, int> seen;
        QList<int> order[3];
        for (int minute = 0; minute < 24 * 60 + 10; ++minute) {
            h.ticks(60);
            for (int group = 0; group < 3; ++group) {
                const RowRange rows = rowsOfGroup(core::TrainGroup(group));
                bool full = true;
                for (int r = rows.first; r <= rows.last; ++r) {
                    TimetableRow &row = h.app().A2().row(r);
                    if (row.isFree())
                        full = false;
                    else if (!order[group].contains(r)) {
                        order[group] << r;
                        seen.insert(row.trainNumber->text(), 0);
                    }
                }
                if (full)
                    h.app().A2().row(order[group].takeFirst()).trainNumber->setText(QString());
            }
        }
        EXPECT_EQ(seen.keys(), expected.keys()) << file.toStdString();
        for (quint8 s : h.app().TimetableTrainStates)
            EXPECT_EQ(s, core::LinePlaced) << file.toStdString();
        EXPECT_TRUE(h.messages().isEmpty()) << h.messages().join(" | ").toStdString();
        h.click("A0.H5");
    }
}

/* ------------------------------------------------------------------ built-in day */

namespace {

/** @return a clock text "H:MM" moved on by minutes, over midnight. */
QString plusMinutes(const QString &hmm, int minutes)
{
    const int total = (hmm.section(':', 0, 0).toInt() * 60 + hmm.section(':', 1, 1).toInt() + minutes + 1440) % 1440;
    return QStringLiteral("%1:%2").arg(total / 60).arg(total % 60, 2, 10, QChar('0'));
}

/**
 * Runs a simulated day at the top speed. Every train that shows up in
 * rows 1-9 is noted with the clock of the tick that brought it, and its
 * row is freed at once, so no train ever waits for a row.
 */
QMap<QString, QString> runBuiltinDay(Harness &h)
{
    QMap<QString, QString> placedAt;
    h.type("A1.Rychlost", "1024");
    for (int tick = 0; tick < 24 * 3600; ++tick) {
        h.ticks(1);
        for (int r = 1; r <= 9; ++r) {
            TimetableRow &row = h.app().A2().row(r);
            if (row.isFree())
                continue;
            EXPECT_FALSE(placedAt.contains(row.trainNumber->text())) << row.trainNumber->text().toStdString();
            placedAt.insert(row.trainNumber->text(), h.clock() + " " + row.comesFrom->text() + " > " +
                                                         row.leavesFor->text() + " " +
                                                         row.neighbourDeparture->text() + " " + row.departure->text());
            EXPECT_EQ(r <= 4, QStringLiteral("1911 1910 1913 647 1915 646 1916").split(' ').contains(
                                  row.trainNumber->text()));
            row.trainNumber->setText(QString());
        }
    }
    return placedAt;
}

/**
 * @return every built-in train as the day must show it: the clock at which it
 * comes (its trigger), where from and where to, Odj.s. and Odj. Written out
 * by hand, independent of the program's own table.
 */
QMap<QString, QString> builtinTriggers()
{
    const char *const rows[25][2] = {
        {"1911", "4:52:00 Vrbská > Horní Lom 5:02 5:15"},   {"1910", "9:37:00 Horní Lom > Vrbská 9:47 10:06"},
        {"1913", "11:29:00 Vrbská > Horní Lom 11:39 11:53"}, {"647", "13:06:00 Struhy > Vrbská 13:16 13:27"},
        {"1915", "15:11:00 Vrbská > Horní Lom 15:21 15:29"}, {"646", "16:57:00 Vrbská > Struhy 17:07 17:15"},
        {"1916", "20:05:00 Horní Lom > Vrbská 20:15 20:28"}, {"6020", "4:42:00 Horní Lom > Horní Lom 4:52 6:27"},
        {"2610", "4:45:00 Struhy > Vrbská 4:55 5:18"},       {"2620", "6:07:00 Vrbská > Struhy 6:17 6:25"},
        {"6010", "7:30:00 Horní Lom > Horní Lom 7:40 8:07"}, {"2601", "7:35:00 Struhy > Vrbská 7:45 8:00"},
        {"2622", "7:40:00 Vrbská > Struhy 7:50 8:00"},       {"2624", "9:11:00 Vrbská > Struhy 9:21 9:35"},
        {"6022", "9:10:00 Horní Lom > Horní Lom 9:20 9:34"}, {"2631", "9:40:00 Struhy > Struhy 9:50 11:49"},
        {"2613", "11:27:00 Struhy > Vrbská 11:37 11:48"},    {"6012", "12:58:00 Horní Lom > Horní Lom 13:08 14:00"},
        {"2615", "13:16:00 Struhy > Vrbská 13:26 13:37"},    {"2664", "13:35:00 Vrbská > Struhy 13:45 13:54"},
        {"2617", "15:00:00 Struhy > Vrbská 15:10 15:29"},    {"2633", "15:41:00 Struhy > Horní Lom 15:51 16:25"},
        {"6002", "15:44:00 Horní Lom > Vrbská 15:54 16:09"}, {"2602", "15:50:00 Vrbská > Struhy 16:00 16:08"},
        {"6024", "16:46:00 Horní Lom > Horní Lom 16:56 17:17"}};
    QMap<QString, QString> triggers;
    for (const auto &row : rows)
        triggers.insert(row[0], row[1]);
    return triggers;
}

} // namespace

TEST(BuiltinTimetable, TheTablesKeepTheirOwnArithmetic)
{
    auto check = [](const core::BuiltinTrain &t) {
        EXPECT_EQ(plusMinutes(t.trigger, 10), t.neighbourDeparture) << t.number;
        EXPECT_EQ(plusMinutes(t.neighbourDeparture, QString(t.runningTimeFrom).toInt()), t.arrival) << t.number;
        EXPECT_EQ(plusMinutes(t.departure, QString(t.runningTimeTo).toInt()), t.neighbourArrival) << t.number;
    };
    for (const core::BuiltinTrain &t : core::kBuiltinFastTrains)
        check(t);
    for (const core::BuiltinTrain &t : core::kBuiltinPassengerTrains)
        check(t);
    EXPECT_EQ(builtinTriggers().size(), 25);
}

TEST(BuiltinTimetable, EveryTrainComesTenMinutesBeforeItsDepartureInEveryGame)
{
    Harness h;
    for (int game = 0; game < 2; ++game) {
        startGameAt(h, 0, 0);
        EXPECT_EQ(runBuiltinDay(h), builtinTriggers()) << "game " << game;
        h.click("A0.H5");
    }
    EXPECT_TRUE(h.messages().isEmpty()) << h.messages().join(" | ").toStdString();
}

TEST(BuiltinTimetable, ATrainFillsItsRowWithTheNeighboursOfTheDay)
{
    Harness h;
    startGameAt(h, 4, 50);
    h.type("A1.StaniceC1", "Vrbská zastávka");
    h.setClock(4, 51, 59);
    h.ticks(1);
    EXPECT_EQ(h.text("A2.B3"), "1911");
    EXPECT_EQ(h.text("A2.B4"), "Vrbská zastávka");
    EXPECT_EQ(h.text("A2.B5"), "5:02");
    EXPECT_EQ(h.text("A2.B6"), "5:09");
    EXPECT_EQ(h.text("A2.B7"), "7");
    EXPECT_EQ(h.text("A2.B9"), "5:15");
    EXPECT_EQ(h.text("A2.C0"), "5:25");
    EXPECT_EQ(h.text("A2.C1"), "10");
    EXPECT_EQ(h.text("A2.C2"), "Horní Lom");
    EXPECT_EQ(h.text("A2.B8"), "");
    EXPECT_EQ(h.text("A2.Poznamka01"), "");
}

TEST(BuiltinTimetable, DueTrainsWaitForARowAndTakeItInListOrder)
{
    Harness h;
    startGameAt(h, 7, 0);
    for (const char *cell : {"A2.G6", "A2.H9", "A2.J2", "A2.K5", "A2.L8"})
        h.type(cell, "9999");
    /* 6010, 2601 and 2622 fall due at 7:30, 7:35 and 7:40 while group B is full. */
    h.type("A1.Rychlost", "1024");
    h.setClock(7, 29, 59);
    h.ticks(12 * 60);
    EXPECT_EQ(h.text("A2.J2"), "9999");
    EXPECT_EQ(h.text("A2.B3"), "");
    h.type("A2.J2", "");
    h.ticks(1);
    EXPECT_EQ(h.text("A2.J2"), "6010");
    h.type("A2.G6", "");
    h.type("A2.L8", "");
    h.ticks(1);
    EXPECT_EQ(h.text("A2.G6"), "2601");
    EXPECT_EQ(h.text("A2.L8"), "2622");
}

TEST(BuiltinTimetable, NoTrainFallsDueWhileATimetableFileIsLoaded)
{
    TimetableFolder folder;
    folder.writeTimetable("test.t6g", {TrainLineText{}.text()});
    Harness h(folder.path());
    pickNextTimetable(h);
    startGameAt(h, 4, 50);
    h.setClock(4, 51, 59);
    h.ticks(2);
    EXPECT_EQ(h.text("A2.B3"), "");
    EXPECT_EQ(h.app().BuiltinTrainFlags[0], 0);
}

TEST(TimetablePlacing, ARefusedPictureIsReadAgainOnlyOnceItsFileChanges)
{
    QList<TrainLineText> lines(4);
    for (int i = 0; i < 4; ++i) {
        lines[i].number = QStringLiteral("0540%1").arg(2 * i + 1);
        lines[i].vehicles = "001000000000000000000000000000"; // the first line of the vehicles file
    }
    lines[3].neighbourDeparture = "0815";
    FileGame g({lines[0].text(), lines[1].text(), lines[2].text(), lines[3].text()});
    const QString picture = g.folder.path() + "/Vozidla/lok_754.bmp";
    const QString hostile = QStringLiteral(KAMENNA_HOSTILE_DIR "/rle_5000.bmp");
    ASSERT_TRUE(QFile::remove(picture));
    ASSERT_TRUE(QFile::copy(hostile, picture));
    const VehiclePictures &pictures = g.h->app().A2().vehiclePictures;

    g.tickAt(7, 10);
    g.h->ticks(1);
    EXPECT_EQ(g.state(0), core::LineRefused);
    EXPECT_EQ(g.state(1), core::LineRefused);
    EXPECT_EQ(pictures.picturesRead(), 1) << "the second train is refused by what was learnt";
    /* Changed but still broken: read again, and refused again. */
    QFile grown(picture);
    ASSERT_TRUE(grown.open(QIODevice::Append));
    grown.write("x");
    grown.close();
    g.h->ticks(1);
    EXPECT_EQ(g.state(2), core::LineRefused);
    EXPECT_EQ(pictures.picturesRead(), 2);
    const QStringList refusals = g.h->messages().filter("lze zařadit");
    ASSERT_EQ(refusals.size(), 3) << g.h->messages().join(" | ").toStdString();
    /* Reported as before: each refusal the same but for its line. */
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(QString(refusals[i]).replace(QStringLiteral("řádku %1").arg(30 + i), "řádku N"),
                  QString(refusals[0]).replace("řádku 30", "řádku N")) << i;
    EXPECT_TRUE(refusals[0].contains("lok_754.bmp")) << refusals[0].toStdString();

    /* Mended: the next train that names it reads it and shows it. */
    ASSERT_TRUE(QFile::remove(picture));
    ASSERT_TRUE(QFile::copy(QStringLiteral(KAMENNA_SOURCE_DATA_DIR "/Vozidla/lok_754.bmp"), picture));
    g.tickAt(8, 10);
    EXPECT_EQ(g.state(3), core::LinePlaced);
    EXPECT_EQ(pictures.picturesRead(), 3);
    EXPECT_EQ(g.h->app().A2().row(5).vehicles[0]->picture(), repositoryPicture("Vozidla/lok_754.bmp"));
}

TEST(TimetablePlacing, AVehicleOfAPathLongerThanAnyIsRefusedAtOnceEachTimeItIsNamed)
{
    QList<TrainLineText> lines(7);
    QStringList texts;
    for (int i = 0; i < 7; ++i) {
        lines[i].number = QStringLiteral("0540%1").arg(i + 1);
        texts << lines[i].text();
    }
    FileGame g(texts);
    /* Vehicle code 1 names a million separators and a picture. */
    g.restartWithVehicles({QString(1000000, QLatin1Char('\\')) + "x.bmp"});
    const VehiclePictures &pictures = g.h->app().A2().vehiclePictures;
    /* All seven fall due at 7:10:00; the placing looks at one a tick. */
    ProcessorClock clock;
    for (int i = 0; i < 7; ++i) {
        clock.start();
        if (i == 0)
            g.tickAt(7, 10);
        else
            g.h->ticks(1);
        EXPECT_LT(clock.elapsed(), 1000) << i;
        EXPECT_EQ(g.state(i), core::LineRefused) << i;
    }
    g.h->ticks(1);
    EXPECT_EQ(pictures.picturesRead(), 0);
    /* Reported as every refused line is: the first five in full, then one count of the rest. */
    const QStringList refusals = g.h->messages().filter("Vlak na řádku");
    ASSERT_EQ(refusals.size(), 5) << g.h->messages().join(" | ").left(2000).toStdString();
    EXPECT_TRUE(refusals[0].contains("Vozidlo 1 ve sloupcích 38-40")) << refusals[0].left(300).toStdString();
    EXPECT_LT(refusals[0].size(), 400);
    EXPECT_EQ(g.h->messages().last(), "Ještě 2 řádky grafikonu nelze zařadit. Další vadné řádky tohoto grafikonu se již nehlásí.");
}

TEST(TimetablePlacing, AVehicleRefusedOnceIsNotResolvedAgainForTheTrainsThatNameIt)
{
    /* 3,000 trains at 7:16 name a path through "Obr" in other letters, 360 times, to a missing picture. */
    FileGame g(trainsOfVehicleOne(3000));
    ASSERT_TRUE(QDir(g.folder.path()).mkpath("Obr"));
    const QString entry = QString("obr/../").repeated(360) + "chybi.bmp";
    g.restartWithVehicles({entry});
    /* Resolved by its text once: one listing of the data directory, for the missing name. */
    EXPECT_EQ(refuseTrainsOfVehicleOne(g, entry), 1u);
    EXPECT_EQ(g.h->app().A2().vehiclePictures.picturesRead(), 1);
}

TEST(TimetablePlacing, APathInAndOutOfAFolderOfAVehiclesPackListsItOnce)
{
    TrainLineText train;
    train.vehicles = "001000000000000000000000000000";
    FileGame g({train.text()});
    writeCrowdedObr(g.folder.path(), "Vozidla/lok_754.bmp", "lok.bmp");
    /* Into "Obr/d" by another letter and out again 800 times, to the picture in other letters. */
    g.restartWithVehicles({"Obr/" + QString("D/../").repeated(800) + "LOK.bmp"});
    const quint64 listed = platform::foldersListed();
    g.tickAt(7, 10);
    EXPECT_EQ(g.state(0), core::LinePlaced);
    EXPECT_EQ(g.h->app().A2().row(5).vehicles[0]->picture(), repositoryPicture("Vozidla/lok_754.bmp"));
    EXPECT_EQ(platform::foldersListed() - listed, 1u);
    EXPECT_TRUE(g.h->messages().isEmpty()) << g.h->messages().join(" | ").toStdString();
}

TEST(TimetablePlacing, AVehiclesLineLongerThanAnyPathIsRefusedAtOnceWhateverItEndsWith)
{
    /* 3,000 trains name a line of 30 million separators: no picture kind, and no file has it. */
    FileGame g(trainsOfVehicleOne(3000));
    const QString entry(30000000, QLatin1Char('/'));
    g.restartWithVehicles({entry});
    EXPECT_EQ(refuseTrainsOfVehicleOne(g, entry), 0u);
    EXPECT_EQ(g.h->app().A2().vehiclePictures.picturesRead(), 0);
}

TEST(TimetablePlacing, TrainsEachNamingItsOwnMissingPictureInACrowdedFolderListItOnce)
{
    /* 997 trains at 7:16, each naming its own missing picture in a folder of 20,000 files. */
    FileGame g(trainsOfVehicleOne(997, true));
    const QString obr = g.folder.path() + "/Obr";
    ASSERT_TRUE(QDir(g.folder.path()).mkdir("Obr"));
    for (int i = 0; i < 20000; ++i)
        ASSERT_TRUE(QFile(obr + QStringLiteral("/f%1.bmp").arg(i)).open(QIODevice::WriteOnly));
    settle(obr);
    QStringList entries;
    for (int i = 0; i < 997; ++i)
        entries << QStringLiteral("Obr\\chybi_%1.bmp").arg(i);
    g.restartWithVehicles(entries);
    const quint64 listed = platform::foldersListed();
    refuseWithinTicks(g, 997);
    EXPECT_EQ(platform::foldersListed() - listed, 1u) << "the folder, once for every train";
    EXPECT_EQ(g.h->messages().filter("Vlak na řádku").value(0),
              "Vlak na řádku 30 grafikonu nelze zařadit: Vozidlo 1 ve sloupcích 38-40 má obrázek, "
              "který chybí nebo nejde načíst: Obr\\chybi_0.bmp");

    /* A picture added to the folder is found by the next train that names it, in any letter case. */
    ASSERT_TRUE(QFile::copy(QStringLiteral(KAMENNA_SOURCE_DATA_DIR "/Vozidla/lok_754.bmp"), obr + "/CHYBI_996.BMP"));
    TrainLineText mended;
    mended.neighbourDeparture = "0725";
    mended.vehicles = "997000000000000000000000000000";
    g.folder.writeTimetable("test.t6g", trainsOfVehicleOne(997, true) << mended.text());
    g.restartWithVehicles(entries);
    g.tickAt(7, 20);
    EXPECT_EQ(g.state(997), core::LinePlaced);
    EXPECT_EQ(g.h->app().A2().row(5).vehicles[0]->picture(), repositoryPicture("Vozidla/lok_754.bmp"));
}

TEST(TimetablePlacing, TrainsNamingPathsDownALongChainOfFoldersSpreadTheirWorkOverTicks)
{
    /* 400 trains, each naming its own missing picture at the end of a chain of 1,000 folders "d", written "D". */
    FileGame g(trainsOfVehicleOne(400, true));
    QString chain = g.folder.path();
    ASSERT_TRUE(QDir(chain).mkpath(QString("d/").repeated(1000)));
    QStringList entries;
    for (int i = 0; i < 400; ++i)
        entries << QString("D/").repeated(1000) + QStringLiteral("chybi_%1.bmp").arg(i);
    g.restartWithVehicles(entries);
    EXPECT_GT(refuseWithinTicks(g, 400), 6) << "more than the five reported in full and one more";
    g.h->ticks(1);
    EXPECT_EQ(g.h->messages().last(),
              "Ještě 395 řádků grafikonu nelze zařadit. Další vadné řádky tohoto grafikonu se již nehlásí.");
}

TEST(TimetablePlacing, ATrainRefusedForItsPicturesSizeLeavesTheRoomToTheNext)
{
    /* Five metafiles of a few bytes, each of the largest picture: four take all the room kept pictures have. */
    TrainLineText large;
    large.vehicles = "001002003004005000000000000000";
    TrainLineText small;
    small.number = "05403";
    small.neighbourDeparture = "0716";
    small.vehicles = "006000000000000000000000000000";
    FileGame g({large.text(), small.text()});
    QStringList entries;
    for (int i = 1; i <= 5; ++i) {
        ASSERT_TRUE(writeLargestPicture(g.folder.path() + QStringLiteral("/Vozidla/velky%1.wmf").arg(i)));
        entries << QStringLiteral("Vozidla\\velky%1.wmf").arg(i);
    }
    g.restartWithVehicles(entries << "Vozidla\\lok_754.bmp");
    const VehiclePictures &pictures = g.h->app().A2().vehiclePictures;
    /* Its pictures are read over as many ticks as the machine needs. */
    g.tickAt(7, 10);
    tickWhileDue(g, 0, 30);
    EXPECT_EQ(g.state(0), core::LineRefused);
    EXPECT_EQ(g.h->messages().filter("Vlak na řádku").value(0),
              "Vlak na řádku 30 grafikonu nelze zařadit: Vozidlo 5 ve sloupcích 50-52 má obrázek, "
              "který je příliš velký: Vozidla\\velky5.wmf")
        << g.h->messages().join(" | ").toStdString();
    EXPECT_EQ(pictures.bytesKept(), 0) << "the refused train's pictures are let go";
    g.tickAt(7, 11);
    tickWhileDue(g, 1, 30);
    EXPECT_EQ(g.state(1), core::LinePlaced);
    EXPECT_EQ(g.h->app().A2().row(5).vehicles[0]->picture(), repositoryPicture("Vozidla/lok_754.bmp"));
}

TEST(TimetablePlacing, ATrainWhosePictureFileIsLargerThanAnyPictureSaysItIsTooLarge)
{
    /* A bitmap file a byte past the largest picture file. */
    TrainLineText line;
    line.vehicles = "001000000000000000000000000000";
    FileGame g({line.text()});
    const QString picture = g.folder.path() + "/Vozidla/velky.bmp";
    {
        QFile file(picture);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("BM");
    }
    QFile sparse(picture);
    ASSERT_TRUE(sparse.resize(platform::kMaxPictureFileSize + 1)); // sparse: no disk is spent
    g.restartWithVehicles({"Vozidla\\velky.bmp"});
    g.tickAt(7, 10);
    EXPECT_EQ(g.state(0), core::LineRefused);
    EXPECT_EQ(g.h->messages().filter("Vlak na řádku").value(0),
              "Vlak na řádku 30 grafikonu nelze zařadit: Vozidlo 1 ve sloupcích 38-40 má obrázek, "
              "který je příliš velký: Vozidla\\velky.bmp")
        << g.h->messages().join(" | ").toStdString();
}

TEST(TimetablePlacing, ATrainOfPhotosLongerToReadThanOnePlacingWaitsForThemAndIsPlaced)
{
    /* Ten photos, 230 MB decoded together: each within its own time, all ten longer than a placing's. */
    TrainLineText photos;
    photos.neighbourDeparture = "0716";
    photos.vehicles = "001002003004005006007008009010";
    FileGame g({photos.text()});
    const QString first = g.folder.path() + "/Vozidla/foto1.jpg";
    writePhoto(first);
    QStringList entries{"Vozidla\\foto1.jpg"};
    for (int i = 2; i <= 10; ++i) {
        ASSERT_TRUE(QFile::copy(first, g.folder.path() + QStringLiteral("/Vozidla/foto%1.jpg").arg(i)));
        entries << QStringLiteral("Vozidla\\foto%1.jpg").arg(i);
    }
    g.restartWithVehicles(entries);
    const VehiclePictures &pictures = g.h->app().A2().vehiclePictures;
    const int ticks = playWithinTicks(g, 1, core::LinePlaced, 20);
    EXPECT_TRUE(g.h->messages().isEmpty()) << g.h->messages().join(" | ").toStdString();
    /* Each photo read once, those of the ticks before kept; each tick that waited stopped at one more. */
    EXPECT_EQ(pictures.picturesRead(), 9 + ticks);
    const QImage photo = platform::loadPicture(first);
    for (int v : {0, 9})
        EXPECT_EQ(g.h->app().A2().row(5).vehicles[v]->picture(), photo) << v;
}

TEST(TimetablePlacing, OnASharedProcessorAPhotoOf3000PixelsIsPlacedWithNoTickOfASecond)
{
    FileGame g({trainOfVehicle(1)});
    const QString photo = g.folder.path() + "/Vozidla/foto.jpg";
    writePhoto(photo, 3000);
    g.restartWithVehicles({"Vozidla\\foto.jpg"});
    {
        const SharedProcessor busy;
        /* Readers started from here on share the processor too. */
        platform::PictureReader::instance().useProgram("kamenna-pictures");
        playWithinTicks(g, 1, core::LinePlaced, 30);
    }
    EXPECT_EQ(g.h->app().A2().row(5).vehicles[0]->picture(), platform::loadPicture(photo));
    EXPECT_TRUE(g.h->messages().isEmpty()) << g.h->messages().join(" | ").toStdString();
}

TEST(TimetablePlacing, OnASharedProcessorAReaderStoppedAsItStartsHoldsNoTick)
{
    /* Trains of the first two shipped vehicles, at 7:11 and 7:15. */
    FileGame g({trainOfVehicle(1), trainOfVehicle(2, "05405", "0720")});
    platform::PictureReader &reader = platform::PictureReader::instance();
    const SharedProcessor busy;
    {
        /* Stopped the moment it appears, before it runs its program, for three seconds: starting it waits as long. */
        reader.nextPid();
        StoppedAtBirth stopped(std::chrono::seconds(3));
        if (!stopped.attached())
            GTEST_SKIP() << "this process may not be traced";
        reader.useProgram("kamenna-pictures");
        playWithinTicks(g, 1, core::LinePlaced, 20);
        EXPECT_GT(stopped.held(), 0) << "a reader was held as it started";
    }
    /* Stopped as it runs its program, before it says it is ready. */
    const QString stop = g.folder.path() + "/zastav";
    QFile(stop).open(QIODevice::WriteOnly);
    reader.useProgram("kamenna-pictures-liar", {"--stop-at-start=" + QFile::encodeName(stop)});
    QElapsedTimer tick;
    for (int ticks = 0; ticks < 20 && g.state(1) != core::LinePlaced; ++ticks) {
        tick.start();
        ticks == 0 ? g.tickAt(7, 15) : g.h->ticks(1);
        EXPECT_LT(tick.elapsed(), 1000) << g.h->clock().toStdString();
    }
    EXPECT_EQ(g.state(1), core::LinePlaced);
    EXPECT_FALSE(QFile::exists(stop)) << "a reader was stopped as it started";
    reader.useProgram("kamenna-pictures");
    EXPECT_EQ(g.h->app().A2().row(5).vehicles[0]->picture(), repositoryPicture("Vozidla/lok_754.bmp"));
    EXPECT_EQ(g.h->app().A2().row(6).vehicles[0]->picture(), repositoryPicture("Vozidla/lok_742.bmp"));
    EXPECT_TRUE(g.h->messages().isEmpty()) << g.h->messages().join(" | ").toStdString();
}

TEST(TimetablePlacing, OnASharedProcessorATextPastItsReadersTimeSettlesItsLineInAFewTicksAndTheTrainBehindIsPlaced)
{
    /* Texts are drawn in the system's fonts, as the program draws them. */
    ASSERT_NE(qtApp(), nullptr);
    /* One text record: 200 letters "W" 200 pixels high, 8 apart. */
    const QByteArray text = emfFont(-200, QStringLiteral("DejaVu Sans")) + emfRecord(37, leBytes(1, 4))
                            + emfText(QString(200, QLatin1Char('W')), 0, 0, QList<int>(200, 8));
    FileGame g({trainOfVehicle(1), trainOfVehicle(2, "05403")});
    QFile emf(g.folder.path() + "/Vozidla/text.emf");
    ASSERT_TRUE(emf.open(QIODevice::WriteOnly));
    emf.write(emfOf(text, 3, 1800, 220));
    emf.close();
    EXPECT_LT(emf.size(), 2048);
    g.restartWithVehicles({"Vozidla\\text.emf", "Vozidla\\lok_754.bmp"});
    const TVlakByte &states = g.h->app().TimetableTrainStates;
    {
        const SharedProcessor busy;
        platform::PictureReader::instance().useProgram("kamenna-pictures");
        /* Refused for the drawing its text would take, or drawn; the train behind it waits for it, and no longer. */
        playUntil(g, [&] { return states[0] != core::LineDue && states[1] == core::LinePlaced; }, 10);
    }
    if (states[0] == core::LineRefused) {
        EXPECT_EQ(g.h->messages().filter("Vlak na řádku").value(0),
                  "Vlak na řádku 30 grafikonu nelze zařadit: Vozidlo 1 ve sloupcích 38-40 má obrázek, který chybí nebo "
                  "nejde načíst: Vozidla\\text.emf")
            << g.h->messages().join(" | ").toStdString();
    } else {
        EXPECT_EQ(states[0], core::LinePlaced);
    }
    EXPECT_EQ(g.h->app().A2().row(states[0] == core::LinePlaced ? 6 : 5).vehicles[0]->picture(),
              repositoryPicture("Vozidla/lok_754.bmp"));
}

TEST(TimetablePlacing, OnASharedProcessorAFolderOf300000LongNamesIsListedOverTicksOfLessThanASecond)
{
    FileGame g({trainOfVehicle(1)});
    /* The folder lies in memory where the system has a file system there (made in seconds, not minutes), reached
       through a link in the data directory. */
    QTemporaryDir memory(QStringLiteral("/dev/shm/kamenna-XXXXXX"));
    const QString obr = memory.isValid() ? memory.path() : g.folder.path() + "/Obr";
    if (memory.isValid())
        ASSERT_TRUE(QFile::link(obr, g.folder.path() + "/Obr"));
    else
        ASSERT_TRUE(QDir(g.folder.path()).mkdir("Obr"));
    /* Names of 246 bytes: 74 MB of names, more than the listings may keep, so the name is matched as they are read. */
    writeEmptyFiles(obr, 300000, QString(236, QLatin1Char('v')));
    ASSERT_TRUE(QFile::copy(QStringLiteral(KAMENNA_SOURCE_DATA_DIR "/Vozidla/lok_754.bmp"), obr + "/Lok.bmp"));
    settle(obr);
    g.restartWithVehicles({"OBR\\lok.BMP"});
    {
        const SharedProcessor busy;
        playWithinTicks(g, 1, core::LinePlaced, 200);
    }
    EXPECT_EQ(g.h->app().A2().row(5).vehicles[0]->picture(), repositoryPicture("Vozidla/lok_754.bmp"));
    EXPECT_TRUE(g.h->messages().isEmpty()) << g.h->messages().join(" | ").toStdString();
}

TEST(TimetablePlacing, APictureWhoseReaderIsKilledFromOutsideTwiceIsReadByTheNextAndNotBlamed)
{
    FileGame g({trainOfVehicle(1)});
    const QString photo = g.folder.path() + "/Vozidla/foto.jpg";
    writePhoto(photo);
    g.restartWithVehicles({"Vozidla\\foto.jpg"});
    platform::PictureReader &reader = platform::PictureReader::instance();
    /* A placing too short for the photo: its reader goes on with it between the ticks. */
    g.h->app().A2().placingTime = std::chrono::milliseconds(20);
    reader.nextPid();
    g.tickAt(7, 11);
    for (int round = 0; round < 2; ++round) {
        /* Until a reader has it: one started ahead may not be ready within so short a placing. */
        for (int tick = 0; tick < 100 && reader.pid() < 0; ++tick)
            g.h->ticks(1);
        ASSERT_EQ(g.state(0), core::LineDue) << round;
        const pid_t reading = reader.pid();
        ASSERT_GT(reading, 0) << round;
        /* As the system's out-of-memory killer ends a process. */
        ASSERT_EQ(::kill(reading, SIGKILL), 0) << round;
        g.h->ticks(1);
        EXPECT_NE(reader.pid(), reading) << round;
    }
    tickWhileDue(g, 0, 200);
    EXPECT_EQ(g.state(0), core::LinePlaced);
    EXPECT_EQ(g.h->app().A2().row(5).vehicles[0]->picture(), platform::loadPicture(photo));
    EXPECT_TRUE(g.h->messages().isEmpty()) << g.h->messages().join(" | ").toStdString();
}

TEST(TimetablePlacing, APictureWhoseReadersAreKilledFromOutsideThreeTimesRefusesItsTrainAloneNotThePicture)
{
    FileGame g({trainOfVehicle(1), trainOfVehicle(1, "05403", "0720")});
    const QString photo = g.folder.path() + "/Vozidla/foto.jpg";
    writePhoto(photo);
    g.restartWithVehicles({"Vozidla\\foto.jpg"});
    platform::PictureReader &reader = platform::PictureReader::instance();
    g.h->app().A2().placingTime = std::chrono::milliseconds(20);
    reader.nextPid();
    g.tickAt(7, 11);
    /* Each round kills the reader reading the photo: a new one, not the last one killed, which the
       reader may not have found dead yet on a busy machine. */
    pid_t killed = -1;
    for (int round = 0; round < 3 && g.state(0) == core::LineDue; ++round) {
        for (int tick = 0; tick < 100 && (reader.pid() < 0 || reader.pid() == killed); ++tick)
            g.h->ticks(1);
        killed = reader.pid();
        ASSERT_GT(killed, 0) << round;
        ASSERT_EQ(::kill(killed, SIGKILL), 0) << round;
        g.h->ticks(1);
    }
    /* The last one killed may be found dead a tick or two later. */
    tickWhileDue(g, 0, 20);
    EXPECT_EQ(g.state(0), core::LineRefused);
    EXPECT_EQ(g.h->messages().filter("Vlak na řádku").value(0),
              "Vlak na řádku 30 grafikonu nelze zařadit: Vozidlo 1 ve sloupcích 38-40 má obrázek, který se nestihl "
              "načíst: Vozidla\\foto.jpg")
        << g.h->messages().join(" | ").toStdString();
    /* The next train naming it reads it. */
    g.h->app().A2().placingTime = platform::kMaxPlacingTime;
    g.tickAt(7, 15);
    tickWhileDue(g, 1, 20);
    EXPECT_EQ(g.state(1), core::LinePlaced);
    EXPECT_EQ(g.h->app().A2().row(5).vehicles[0]->picture(), platform::loadPicture(photo));
}

TEST(TimetablePlacing, AReaderKilledFromOutsideWhileItsKeeperIsHeldIsNoVerdictEither)
{
    FileGame g({trainOfVehicle(1)});
    platform::PictureReader &reader = platform::PictureReader::instance();
    /* Readers that take most of a picture's time on every picture: each is killed while it reads. */
    reader.useProgram("kamenna-pictures-liar", {"--lie=costly"});
    g.h->app().A2().placingTime = std::chrono::milliseconds(20);
    for (int round = 0; round < 2; ++round) {
        /* The reader that takes the photo is ready; the next, started ahead while it reads (as when one is asked
           for), is held as it starts, and with it the thread that reaps the readers. */
        const pid_t reading = reader.nextPid();
        ASSERT_GT(reading, 0) << round;
        StoppedAtBirth stopped(std::chrono::seconds(2));
        if (!stopped.attached())
            GTEST_SKIP() << "this process may not be traced";
        round == 0 ? g.tickAt(7, 11) : g.h->ticks(1);
        ASSERT_EQ(reader.pid(), reading) << round;
        reader.start();
        for (int wait = 0; wait < 100 && stopped.held() < 0; ++wait)
            ::usleep(10000);
        ASSERT_GT(stopped.held(), 0) << round;
        /* As the system's out-of-memory killer ends a process: found dead, and not yet reaped. */
        ASSERT_EQ(::kill(reading, SIGKILL), 0) << round;
        g.h->ticks(1);
        EXPECT_EQ(g.state(0), core::LineDue) << round;
    }
    tickWhileDue(g, 0, 300);
    reader.useProgram("kamenna-pictures");
    EXPECT_EQ(g.state(0), core::LinePlaced);
    EXPECT_EQ(g.h->app().A2().row(5).vehicles[0]->picture(), repositoryPicture("Vozidla/lok_754.bmp"));
    EXPECT_TRUE(g.h->messages().isEmpty()) << g.h->messages().join(" | ").toStdString();
}

TEST(TimetablePlacing, WithoutItsPictureReaderATrainIsRefusedNamingTheReaderAndItsPictureIsNotBlamed)
{
    FileGame g({trainOfVehicle(1), trainOfVehicle(1, "05403")});
    platform::PictureReader &reader = platform::PictureReader::instance();
    /* An installation that lost its reader: a name beside the program that names nothing, for now. */
    const QByteArray name = "kamenna-pictures-pryc-" + QByteArray::number(::getpid());
    const QByteArray installed = platform::helperProgram(name.constData());
    ::unlink(installed.constData());
    reader.useProgram(name);
    g.tickAt(7, 11);
    EXPECT_EQ(g.state(0), core::LineRefused);
    EXPECT_EQ(g.h->messages().filter("Vlak na řádku").value(0),
              "Vlak na řádku 30 grafikonu nelze zařadit: Vozidlo 1 ve sloupcích 38-40 nelze ukázat: čtečka obrázků " +
                  QString::fromUtf8(name) + " se nespustila.")
        << g.h->messages().join(" | ").toStdString();
    /* Found again a second later, as the player puts it back: the next train due reads the picture. */
    ::usleep(1000000);
    ASSERT_EQ(::symlink(platform::helperProgram("kamenna-pictures").constData(), installed.constData()), 0);
    g.h->ticks(1);
    ::unlink(installed.constData());
    reader.useProgram("kamenna-pictures");
    EXPECT_EQ(g.state(1), core::LinePlaced);
    EXPECT_EQ(g.h->app().A2().row(5).vehicles[0]->picture(), repositoryPicture("Vozidla/lok_754.bmp"));
}

TEST(TimetablePlacing, AStartTheMachineHoldsOrKillsForSecondsCostsNoTrain)
{
    /* Two trains falling due at 7:11, two at 7:21 and two fast ones at 7:31, each of a vehicle of its own: of each
       pair, one a copy of the first shipped vehicle's picture, one of the second's. */
    QStringList lines;
    QStringList entries;
    for (int pair = 0; pair < 3; ++pair)
        for (int i = 0; i < 2; ++i) {
            TrainLineText train;
            train.group = pair == 2 ? "10" : "17";
            train.number = QStringLiteral("0%1").arg(5401 + 4 * pair + 2 * i);
            train.neighbourDeparture = QStringLiteral("07%1").arg(16 + 10 * pair);
            train.vehicles = QStringLiteral("00%1").arg(2 * pair + i + 1) + QString(27, QChar('0'));
            lines << train.text();
            entries << QStringLiteral("Vozidla\\kopie_%1.bmp").arg(2 * pair + i);
        }
    FileGame g(lines);
    for (int v = 0; v < 6; ++v)
        ASSERT_TRUE(QFile::copy(g.folder.path() + (v % 2 ? "/Vozidla/lok_742.bmp" : "/Vozidla/lok_754.bmp"),
                                g.folder.path() + QStringLiteral("/Vozidla/kopie_%1.bmp").arg(v)));
    g.restartWithVehicles(entries);
    platform::PictureReader &reader = platform::PictureReader::instance();
    const auto placed = [&](int pair, int firstRow) {
        for (int tick = 0; tick < 50 && g.state(2 * pair + 1) != core::LinePlaced; ++tick)
            g.h->ticks(1);
        EXPECT_EQ(g.state(2 * pair), core::LinePlaced) << pair;
        EXPECT_EQ(g.state(2 * pair + 1), core::LinePlaced) << pair;
        EXPECT_EQ(g.h->app().A2().row(firstRow).vehicles[0]->picture(), repositoryPicture("Vozidla/lok_754.bmp")) << pair;
        EXPECT_EQ(g.h->app().A2().row(firstRow + 1).vehicles[0]->picture(), repositoryPicture("Vozidla/lok_742.bmp"))
            << pair;
    };
    {
        /* The game's processor, which its readers share, taken as the trains fall due; the reader started now starts
           while it is taken. */
        const SharedProcessor busy;
        {
            const TakenProcessor taken(std::chrono::milliseconds(3500));
            reader.useProgram("kamenna-pictures");
            g.tickAt(7, 11);
        }
        placed(0, 5);
    }
    {
        /* Every reader stopped as it appears, the one started ahead too; then every reader killed. */
        ReadersAtBirth stopping(ReadersAtBirth::Stopped, std::chrono::milliseconds(3000));
        reader.useProgram("kamenna-pictures");
        g.tickAt(7, 21);
        EXPECT_GT(stopping.held(), 1);
        placed(1, 7);
    }
    {
        ReadersAtBirth killing(ReadersAtBirth::Killed, std::chrono::milliseconds(2500));
        reader.useProgram("kamenna-pictures");
        g.tickAt(7, 31);
        EXPECT_EQ(g.state(4), core::LineDue);
        EXPECT_GT(killing.held(), 1);
        placed(2, 1);
    }
    EXPECT_TRUE(g.h->messages().isEmpty()) << g.h->messages().join(" | ").toStdString();
}

TEST(TimetablePlacing, AReaderNeverReadyRefusesItsTrainAfterTheWaitSayingWhyAndTheNextIsReadOnceOneIs)
{
    FileGame g({trainOfVehicle(1), trainOfVehicle(2, "05403")});
    platform::PictureReader &reader = platform::PictureReader::instance();
    /* Readers that never say they are ready, spending nothing, as stopped ones. */
    reader.useProgram("kamenna-pictures-liar", {"--lie=hello-never"});
    QElapsedTimer waited;
    waited.start();
    g.tickAt(7, 11);
    tickWhileDue(g, 0, 200);
    EXPECT_EQ(g.state(0), core::LineRefused);
    EXPECT_GE(waited.elapsed(), std::chrono::milliseconds(platform::ReaderKeeper::kMostStartWait).count());
    EXPECT_EQ(g.h->messages().filter("Vlak na řádku").value(0),
              "Vlak na řádku 30 grafikonu nelze zařadit: Vozidlo 1 ve sloupcích 38-40 nelze ukázat: čtečka obrázků "
              "kamenna-pictures-liar nebyla ani za 20 s připravena: neběžela, zastavená nebo bez času procesoru.")
        << g.h->messages().join(" | ").toStdString();
    /* A reader ready again: the next train is read, and the first's picture was not blamed. */
    reader.useProgram("kamenna-pictures");
    tickWhileDue(g, 1, 20);
    EXPECT_EQ(g.state(1), core::LinePlaced);
    EXPECT_EQ(g.h->app().A2().row(5).vehicles[0]->picture(), repositoryPicture("Vozidla/lok_742.bmp"));
}

TEST(TimetablePlacing, TheReaderOfOneTrainReadsNoPictureOfTheNext)
{
    /* A reader taken over by "lez.bmp" gives every later picture as a red dot: the first train's second vehicle
       too, which the next train reads again. */
    FileGame g({trainOfVehicle(1, "05401", "0716", 2), trainOfVehicle(2, "05403")});
    QImage dot(8, 8, QImage::Format_RGB32);
    dot.fill(qRgb(10, 120, 200));
    ASSERT_TRUE(dot.save(g.folder.path() + "/Vozidla/lez.bmp", "BMP"));
    g.restartWithVehicles({"Vozidla\\lez.bmp", "Vozidla\\lok_754.bmp"});
    platform::PictureReader &reader = platform::PictureReader::instance();
    reader.useProgram("kamenna-pictures-liar", {"--lie=taken-over"});
    playWithinTicks(g, 2, core::LinePlaced, 10);
    EXPECT_EQ(g.h->app().A2().row(5).vehicles[0]->picture(), platform::readPictureFile(g.folder.path() + "/Vozidla/lez.bmp"));
    EXPECT_EQ(g.h->app().A2().row(6).vehicles[0]->picture(), repositoryPicture("Vozidla/lok_754.bmp"));
    reader.useProgram("kamenna-pictures");
}

TEST(TimetablePlacing, AReaderThatEndsItselfByTheLimitsSignalOnItsSecondPictureMakesItNotTooLarge)
{
    /* Its own time limit's signal, sent to itself long before the limit, at the train's second picture. */
    FileGame g({trainOfVehicle(1, "05401", "0716", 2), trainOfVehicle(2, "05403")});
    platform::PictureReader &reader = platform::PictureReader::instance();
    reader.useProgram("kamenna-pictures-liar", {"--lie=sigxcpu-on-second"});
    playWithinTicks(g, 2, core::LinePlaced, 10);
    reader.useProgram("kamenna-pictures");
    EXPECT_EQ(g.h->app().A2().row(5).vehicles[1]->picture(), repositoryPicture("Vozidla/lok_742.bmp"));
    EXPECT_EQ(g.h->app().A2().row(6).vehicles[0]->picture(), repositoryPicture("Vozidla/lok_742.bmp"));
    EXPECT_TRUE(g.h->messages().isEmpty()) << g.h->messages().join(" | ").toStdString();
}

TEST(TimetablePlacing, APathThroughFoldersDatedAheadOfTheClockIsFoundOverTicksAndJamsNoLine)
{
    /* A train naming its picture in other letters through "Obr", dated in the year 2100, and "Obr/d", each of 20,000
       names; beside it a train of a shipped vehicle, due the same minute. A placing here has 15 ms, less than the
       two folders take to list. */
    TrainLineText far;
    far.neighbourDeparture = "0716";
    far.vehicles = "001000000000000000000000000000";
    TrainLineText beside = far;
    beside.number = "05403";
    beside.vehicles = "002000000000000000000000000000";
    FileGame g({far.text(), beside.text()});
    const QString obr = g.folder.path() + "/Obr";
    ASSERT_TRUE(QDir(g.folder.path()).mkpath("Obr/d"));
    writeEmptyFiles(obr, 20000, "f");
    writeEmptyFiles(obr + "/d", 20000, "g");
    ASSERT_TRUE(QFile::copy(QStringLiteral(KAMENNA_SOURCE_DATA_DIR "/Vozidla/lok_754.bmp"), obr + "/d/Lok.bmp"));
    settle(obr, kYear2100);
    g.restartWithVehicles({"OBR\\D\\lok.BMP", "Vozidla\\lok_754.bmp"});
    g.h->app().A2().placingTime = std::chrono::milliseconds(15);
    playWithinTicks(g, 2, core::LinePlaced, 300);
    for (int row : {5, 6})
        EXPECT_EQ(g.h->app().A2().row(row).vehicles[0]->picture(), repositoryPicture("Vozidla/lok_754.bmp")) << row;
    EXPECT_TRUE(g.h->messages().isEmpty()) << g.h->messages().join(" | ").toStdString();
}

TEST(TimetablePlacing, APictureInAFolderOfLongNamesPastTheListingsBoundIsFoundWithinIt)
{
    /* "Obr" holds 12,000 names of 246 bytes, 3 MB of names, and the picture: more than the listings may keep here. */
    const qint64 bound = 1024 * 1024;
    const platform::ListingMemoryLimit limit(bound);
    TrainLineText first;
    first.neighbourDeparture = "0716";
    first.vehicles = "001000000000000000000000000000";
    TrainLineText second = first;
    second.number = "05403";
    second.vehicles = "002000000000000000000000000000";
    FileGame g({first.text(), second.text()});
    const QString obr = g.folder.path() + "/Obr";
    ASSERT_TRUE(QDir(g.folder.path()).mkdir("Obr"));
    writeEmptyFiles(obr, 12000, QString(236, QLatin1Char('v')));
    ASSERT_TRUE(QFile::copy(QStringLiteral(KAMENNA_SOURCE_DATA_DIR "/Vozidla/lok_754.bmp"), obr + "/Lok.bmp"));
    settle(obr);
    /* Both name the picture, in two other spellings. */
    g.restartWithVehicles({"OBR\\lok.BMP", "obr/LOK.bmp"});
    playWithinTicks(g, 2, core::LinePlaced, 100);
    EXPECT_LE(platform::listingBytes(), bound);
    for (int row : {5, 6})
        EXPECT_EQ(g.h->app().A2().row(row).vehicles[0]->picture(), repositoryPicture("Vozidla/lok_754.bmp")) << row;
    EXPECT_EQ(g.h->app().A2().vehiclePictures.picturesRead(), 1);
    EXPECT_TRUE(g.h->messages().isEmpty()) << g.h->messages().join(" | ").toStdString();
}
