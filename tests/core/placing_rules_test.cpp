/** @file placing_rules_test.cpp Which train lines the placing writes and which it refuses, and when it looks. */
#include "core/timetable_fixture.h"

#include "core/form_a2.h"
#include "core/timetable_placing.h"
#include "devices/form_a3.h"
#include "support/processor_clock.h"

#include <sys/stat.h>

namespace {

/** @return a passenger train of group "17" due at 7:10 with the given number. */
TrainLineText passenger(const QString &number)
{
    TrainLineText t;
    t.number = number;
    return t;
}

/** Writes a text into every cell of row 5 that the placing may leave alone. */
void fillRowFive(Harness &h, const QString &text)
{
    for (const char *cell : {"A2.G7", "A2.G8", "A2.G9", "A2.H0", "A2.H1", "A2.H2", "A2.H3", "A2.H4", "A2.H5"})
        h.type(cell, text);
}

} // namespace

TEST(PlacingRules, BothDirectionsHereWritesOnlyNumberTrackAndPictures)
{
    TrainLineText t = passenger("00102");
    t.from = "0";
    t.to = "0";
    t.stop = "2";
    FileGame g({t.text()});
    fillRowFive(*g.h, "staré");
    g.tickAt(7, 10);
    ASSERT_EQ(g.state(0), core::LinePlaced);
    EXPECT_EQ(g.h->text("A2.G6"), "102");
    EXPECT_EQ(g.h->text("A2.H1"), "2");
    /* Column 22 "2" still writes "pr." into Odj.; the other cells keep their text. */
    EXPECT_EQ(g.h->text("A2.H2"), "pr.");
    for (const char *cell : {"A2.G7", "A2.G8", "A2.G9", "A2.H0", "A2.H3", "A2.H4", "A2.H5"})
        EXPECT_EQ(g.h->text(cell), "staré") << cell;
    EXPECT_TRUE(g.h->messages().isEmpty()) << g.h->messages().join(" | ").toStdString();
}

TEST(PlacingRules, TimesAndRunningTimesAreWrittenAsTheyStand)
{
    TrainLineText t = passenger("00103");
    t.arrival = "2575";
    t.runningTimeFrom = " 7";
    t.departure = "0003";
    t.neighbourArrival = "0960";
    t.runningTimeTo = "+5";
    FileGame g({t.text()});
    g.tickAt(7, 10);
    ASSERT_EQ(g.state(0), core::LinePlaced);
    EXPECT_EQ(g.h->text("A2.G9"), "25:75");
    EXPECT_EQ(g.h->text("A2.H0"), " 7");
    EXPECT_EQ(g.h->text("A2.H2"), "0:03");
    EXPECT_EQ(g.h->text("A2.H3"), "9:60");
    EXPECT_EQ(g.h->text("A2.H4"), "+5");
    EXPECT_TRUE(g.h->messages().isEmpty()) << g.h->messages().join(" | ").toStdString();
}

TEST(PlacingRules, VehicleCodesOfZeroOrLessAreTheEmptyVehicle)
{
    TrainLineText t = passenger("00104");
    t.vehicles = "001-01-99  0+07000000000000000";
    FileGame g({t.text()});
    g.tickAt(7, 10);
    ASSERT_EQ(g.state(0), core::LinePlaced) << g.h->messages().join(" | ").toStdString();
    const TimetableRow &row = g.h->app().A2().row(5);
    const QImage &empty = g.h->app().A3().VozidloPrazdne->picture();
    EXPECT_EQ(row.vehicles[0]->picture(), repositoryPicture("Vozidla/lok_754.bmp"));
    EXPECT_EQ(row.vehicles[1]->picture(), empty);
    EXPECT_EQ(row.vehicles[2]->picture(), empty);
    EXPECT_EQ(row.vehicles[3]->picture(), empty);
    EXPECT_EQ(row.vehicles[4]->picture(), repositoryPicture("Vozidla/vuz_B.bmp"));
}

TEST(PlacingRules, OnlyNumbersAndPicturesRefuseALine)
{
    TrainLineText badNumber = passenger("05x01");
    TrainLineText badGroup = passenger("00002");
    badGroup.group = "B7";
    TrainLineText beyondList = passenger("00003");
    beyondList.vehicles = "001017000000000000000000000000";
    TrainLineText unknownKind = passenger("00004");
    TrainLineText good = passenger("00005");
    good.vehicles = "001001000000000000000000000000";
    FileGame g({badNumber.text(), badGroup.text(), beyondList.text(), unknownKind.text(), good.text()});
    unknownKind.vehicles = "002000000000000000000000000000";
    g.folder.writeTimetable("test.t6g", {badNumber.text(), badGroup.text(), beyondList.text(),
                                         unknownKind.text(), good.text()});
    g.restartWithVehicles({"Vozidla\\lok_754.bmp", "Vozidla\\lok_754.png"});
    g.tickAt(7, 10);
    g.h->ticks(5);
    const QStringList &shown = g.h->messages();
    EXPECT_EQ(shown.count("Error A1H-ZV"), 4) << shown.join(" | ").toStdString();
    EXPECT_TRUE(shown.filter("řádku 30").join("").contains("3-7"));
    EXPECT_TRUE(shown.filter("řádku 31").join("").contains("1-2"));
    EXPECT_TRUE(shown.filter("řádku 32").join("").contains("17"));
    EXPECT_TRUE(shown.filter("řádku 33").join("").contains("lok_754.png"));
    for (int i : {0, 1, 2, 3})
        EXPECT_EQ(g.state(i), core::LineRefused) << i;
    EXPECT_EQ(g.state(4), core::LinePlaced);
    EXPECT_EQ(g.h->text("A2.G6"), "5");
    EXPECT_EQ(g.h->text("A2.H9"), "");
}

TEST(PlacingRules, ARunningTimeThatIsNoNumberRefusesALineThatShowsIt)
{
    TrainLineText badFrom = passenger("00001");
    badFrom.runningTimeFrom = "xx";
    TrainLineText badTo = passenger("00002");
    badTo.runningTimeTo = "0-";
    /* A train that starts here shows no running time from the neighbour; one that ends here none to it. */
    TrainLineText startsHere = passenger("00003");
    startsHere.from = "0";
    startsHere.departure = "0715";
    startsHere.runningTimeFrom = "??";
    TrainLineText endsHere = passenger("00004");
    endsHere.to = "0";
    endsHere.runningTimeTo = "  ";
    FileGame g({badFrom.text(), badTo.text(), startsHere.text(), endsHere.text()});
    g.tickAt(7, 10);
    g.h->ticks(4);
    const QStringList refusals = g.h->messages().filter("lze zařadit");
    EXPECT_EQ(refusals, (QStringList{
        "Vlak na řádku 30 grafikonu nelze zařadit: Jízdní doba ze sousední stanice ve sloupcích 17-18 není číslo.",
        "Vlak na řádku 31 grafikonu nelze zařadit: Jízdní doba do sousední stanice ve sloupcích 32-33 není číslo."}))
        << g.h->messages().join(" | ").toStdString();
    const std::vector<quint8> states{g.state(0), g.state(1), g.state(2), g.state(3)};
    EXPECT_EQ(states, (std::vector<quint8>{core::LineRefused, core::LineRefused, core::LinePlaced, core::LinePlaced}));
    EXPECT_EQ(g.h->text("A2.G6") + " " + g.h->text("A2.H9"), "3 4");
}

TEST(PlacingRules, ATrainThatCouldNeverComeOrLeaveItsTrackIsRefused)
{
    TrainLineText noOrigin = passenger("00007");
    noOrigin.from = "7";
    TrainLineText noLine = passenger("00001");
    noLine.to = "x";
    QList<TrainLineText> noTime(3, passenger("00002"));
    noTime[0].departure = "9999";
    noTime[1].departure = "xxxx";
    noTime[2].departure = "    ";
    /* A train that passes shows "pr." for its departure, one that ends here none. */
    TrainLineText passes = passenger("00005");
    passes.stop = "4";
    passes.departure = "9999";
    TrainLineText endsHere = passenger("00006");
    endsHere.to = "0";
    endsHere.departure = "    ";
    FileGame g({noOrigin.text(), noLine.text(), noTime[0].text(), noTime[1].text(), noTime[2].text(), passes.text(),
                endsHere.text()});
    g.tickAt(7, 10);
    g.h->ticks(7);
    const QStringList refusals = g.h->messages().filter("lze zařadit");
    const QString departure = QStringLiteral("grafikonu nelze zařadit: Odjezd vlaku ve sloupcích 24-27 není čas.");
    EXPECT_EQ(refusals, (QStringList{"Vlak na řádku 30 grafikonu nelze zařadit: Ze směru ve sloupci 8 není 0, 1, 2 ani 3.",
                                     "Vlak na řádku 31 grafikonu nelze zařadit: Směr ve sloupci 23 není 0, 1, 2 ani 3.",
                                     "Vlak na řádku 32 " + departure, "Vlak na řádku 33 " + departure,
                                     "Vlak na řádku 34 " + departure}))
        << g.h->messages().join(" | ").toStdString();
    EXPECT_EQ(g.state(0), core::LineRefused);
    EXPECT_EQ(g.state(5), core::LinePlaced);
    EXPECT_EQ(g.state(6), core::LinePlaced);
    /* The refused lines take no row: the two good trains stand in the first two. */
    EXPECT_EQ(g.h->text("A2.G6") + " " + g.h->text("A2.H2") + " " + g.h->text("A2.H9"), "5 pr. 6");
}

TEST(PlacingRules, AnEntryOfMegabytesIsQuotedByItsBeginningOnly)
{
    TrainLineText t = passenger("00001");
    t.vehicles = "001002000000000000000000000000";
    FileGame g({t.text()});
    const QString entry = "Vozidla\\" + QString(8 << 20, QLatin1Char('x')) + ".bmp";
    g.restartWithVehicles({"Vozidla\\lok_754.bmp", entry});
    ProcessorClock clock;
    clock.start();
    g.tickAt(7, 10);
    EXPECT_LT(clock.elapsed(), 1000);
    EXPECT_EQ(g.state(0), core::LineRefused);
    const QStringList refusals = g.h->messages().filter("lze zařadit");
    ASSERT_EQ(refusals.size(), 1) << g.h->messages().join(" | ").left(1000).toStdString();
    EXPECT_EQ(refusals[0], "Vlak na řádku 30 grafikonu nelze zařadit: Vozidlo 2 ve sloupcích 41-43 má obrázek, "
                           "který chybí nebo nejde načíst: "
                               + entry.left(200) + "…");
}

TEST(PlacingRules, ABadLineInAFullGroupWaitsSilentlyUntilARowFrees)
{
    TrainLineText bad = passenger("00001");
    bad.vehicles = "00100x000000000000000000000000";
    FileGame g({bad.text()});
    for (const char *cell : {"A2.G6", "A2.H9", "A2.J2", "A2.K5", "A2.L8"})
        g.h->type(cell, "9");
    g.tickAt(7, 10);
    g.h->ticks(20);
    EXPECT_TRUE(g.h->messages().isEmpty()) << g.h->messages().join(" | ").toStdString();
    EXPECT_EQ(g.state(0), core::LineDue);

    g.h->type("A2.J2", "");
    g.h->ticks(1);
    EXPECT_EQ(g.h->messages().count("Error A1H-ZV"), 1) << g.h->messages().join(" | ").toStdString();
    EXPECT_EQ(g.state(0), core::LineRefused);
    EXPECT_EQ(g.h->text("A2.J2"), ""); // the row stays free
    g.h->ticks(5);
    EXPECT_EQ(g.h->messages().count("Error A1H-ZV"), 1);
}

TEST(PlacingRules, ABadFreightLineSaysNothingWhileFreightTrainsAreOff)
{
    TrainLineText bad = passenger("08401");
    bad.group = "22";
    bad.number = "8x401";
    FileGame g({bad.text()});
    g.h->check("A1.NakladniVlaky", false);
    g.tickAt(7, 10);
    g.h->ticks(20);
    EXPECT_TRUE(g.h->messages().isEmpty()) << g.h->messages().join(" | ").toStdString();
    EXPECT_EQ(g.state(0), core::LineDue);
    g.h->check("A1.NakladniVlaky", true);
    g.h->ticks(1);
    EXPECT_EQ(g.h->messages().count("Error A1H-ZV"), 1);
    EXPECT_EQ(g.state(0), core::LineRefused);
}

TEST(PlacingRules, AMendedPictureIsReadAtTheNextPlacement)
{
    TrainLineText first = passenger("00001");
    TrainLineText second = passenger("00002");
    second.neighbourDeparture = "0815";
    FileGame g({first.text(), second.text()});
    const QString picture = g.folder.path() + "/Vozidla/lok_754.bmp";
    ASSERT_TRUE(QFile::rename(picture, picture + ".pryc"));
    g.tickAt(7, 10);
    EXPECT_EQ(g.state(0), core::LineRefused);
    EXPECT_TRUE(g.h->messages().filter("lok_754.bmp").size() == 1) << g.h->messages().join(" | ").toStdString();

    /* The player puts the file back while the game runs. */
    ASSERT_TRUE(QFile::rename(picture + ".pryc", picture));
    g.h->clearMessages();
    g.tickAt(8, 10);
    EXPECT_EQ(g.state(1), core::LinePlaced);
    EXPECT_EQ(g.h->app().A2().row(5).vehicles[0]->picture(), repositoryPicture("Vozidla/lok_754.bmp"));
    EXPECT_TRUE(g.h->messages().isEmpty()) << g.h->messages().join(" | ").toStdString();
}

TEST(PlacingRules, MetafilePicturesArePlacedAtTheirOwnSizes)
{
    TrainLineText t = passenger("05401");
    t.vehicles = "018017007000000000000000000000";
    FileGame g({t.text()});
    g.tickAt(7, 10);
    ASSERT_EQ(g.state(0), core::LinePlaced) << g.h->messages().join(" | ").toStdString();
    const TimetableRow &row = g.h->app().A2().row(5);
    EXPECT_EQ(row.vehicles[0]->picture().size(), QSize(84, 64)); // lok_714.emf
    EXPECT_EQ(row.vehicles[1]->picture().size(), QSize(100, 64)); // vuz_Bt.wmf
    /* The model's pictures keep their own sizes where the form put them. */
    EXPECT_EQ(row.vehicles[0]->bounds(), QRect(8, 160, 84, 64));
    EXPECT_EQ(row.vehicles[1]->bounds(), QRect(16, 160, 100, 64));
    EXPECT_EQ(row.vehicles[2]->bounds(), QRect(24, 160, 110, 64));
    const QImage &empty = g.h->app().A3().VozidloPrazdne->picture();
    EXPECT_EQ(row.vehicles[3]->bounds(), QRect(QPoint(32, 160), empty.size()));
}

TEST(PlacingRules, APictureOfAnotherKindThanItsNameOrAFifoIsRefused)
{
    TrainLineText renamed = passenger("00001");
    renamed.vehicles = "001002000000000000000000000000";
    TrainLineText fifo = passenger("00002");
    fifo.vehicles = "001003000000000000000000000000";
    FileGame g({renamed.text(), fifo.text()});
    const QString dir = g.folder.path() + "/Vozidla/";
    QFile jpeg(dir + "fotka.bmp");
    ASSERT_TRUE(jpeg.open(QIODevice::WriteOnly));
    QImage photo(8, 8, QImage::Format_RGB32);
    photo.fill(Qt::gray);
    photo.save(&jpeg, "JPG");
    jpeg.close();
    ASSERT_EQ(mkfifo(QFile::encodeName(dir + "roura.bmp").constData(), 0644), 0);
    g.restartWithVehicles({"Vozidla\\lok_754.bmp", "Vozidla\\fotka.bmp", "Vozidla\\roura.bmp"});
    g.tickAt(7, 10);
    g.h->ticks(2);
    const QStringList &shown = g.h->messages();
    EXPECT_EQ(g.state(0), core::LineRefused);
    EXPECT_EQ(g.state(1), core::LineRefused);
    EXPECT_TRUE(shown.filter("řádku 30").join("").contains("fotka.bmp")) << shown.join(" | ").toStdString();
    EXPECT_TRUE(shown.filter("řádku 31").join("").contains("roura.bmp")) << shown.join(" | ").toStdString();
    EXPECT_TRUE(g.h->app().A2().row(5).isFree());
}

TEST(PlacingRules, GroupCodesAreReadOnceUntilTheLineFallsDueAgain)
{
    core::LineGroupCache cache;
    EXPECT_EQ(cache.groupCode(2, "17054010715"), 17);
    /* The text is not looked at again while the line stays due. */
    EXPECT_EQ(cache.groupCode(2, "2405401"), 17);
    cache.forget(2);
    EXPECT_EQ(cache.groupCode(2, "2405401"), 24);
    EXPECT_EQ(cache.groupCode(0, "-305401"), -3);
    EXPECT_EQ(cache.groupCode(1, "x105401"), core::LineGroupCache::kNoNumber);
    EXPECT_EQ(cache.groupCode(7, "1"), core::LineGroupCache::kNoNumber);
}
