/** @file timetable_choice_test.cpp The menu's timetable choice: the cycle, the line-A names, bad files and the lock. */
#include "core/timetable_fixture.h"

#include "core/form_a1.h"
#include "devices/form_a6.h"
#include "frame/form_a0.h"
#include "platform/files.h"
#include "support/processor_clock.h"

namespace {

/** @return the title of a shipped timetable (its line 0). */
QString shippedTitle(const QString &file)
{
    return platform::readTextLines1250(QStringLiteral(KAMENNA_SOURCE_DATA_DIR) + "/Gvd/" + file).value(0);
}

/** @return the number of train lines of the picked timetable as both arrays hold them. */
int arrayLength(Harness &h)
{
    EXPECT_EQ(h.app().TimetableTrainLines.size(), h.app().TimetableTrainStates.size());
    return static_cast<int>(h.app().TimetableTrainLines.size());
}

} // namespace

TEST(TimetableChoice, ActsOnlyWhileThePointerIsOverIt)
{
    Harness h;
    h.click("A0.G6");
    EXPECT_EQ(h.text("A1.GrafikonDir"), "");
    EXPECT_EQ(h.text("A0.G6"), "- žádný grafikon -");
    h.moveOver("A0.G6", 3, 3);
    EXPECT_EQ(h.control("A0.G6").font().color, QColor(0, 0, 255));
    h.click("A0.G6");
    EXPECT_EQ(h.text("A1.GrafikonDir"), "sobota_nedele.t6g");
}

TEST(TimetableChoice, CyclesThroughTheFilesAndNone)
{
    Harness h;
    pickNextTimetable(h);
    EXPECT_EQ(h.text("A1.GrafikonDir"), "sobota_nedele.t6g");
    EXPECT_EQ(h.text("A0.G6"), shippedTitle("sobota_nedele.t6g"));
    EXPECT_EQ(h.line("A1.Grafikon", 1), "Kobrant ŽST Kamenná");
    EXPECT_EQ(h.lines("A0.Vozidla").size(), 18);
    EXPECT_EQ(h.line("A0.Vozidla", 0), "Vozidla\\lok_754.bmp");
    EXPECT_EQ(arrayLength(h), 62 - 30);
    EXPECT_EQ(h.lines("A0.GVD2"), (QStringList{"sobota_nedele.t6g", "vsedni_den.t6g"}));

    pickNextTimetable(h);
    EXPECT_EQ(h.text("A1.GrafikonDir"), "vsedni_den.t6g");
    EXPECT_EQ(h.text("A0.G6"), "Všední den 2026");
    EXPECT_EQ(arrayLength(h), 69 - 30);

    pickNextTimetable(h);
    EXPECT_EQ(h.text("A1.GrafikonDir"), "");
    EXPECT_EQ(h.text("A0.G6"), "- žádný grafikon -");
    EXPECT_TRUE(h.lines("A1.Grafikon").isEmpty());
    EXPECT_EQ(arrayLength(h), 0);
    EXPECT_EQ(h.lines("A0.Vozidla").size(), 18);

    pickNextTimetable(h);
    EXPECT_EQ(h.text("A1.GrafikonDir"), "sobota_nedele.t6g");
    EXPECT_TRUE(h.messages().isEmpty());
}

TEST(TimetableChoice, LineSixSwitchesTheLineANeighbour)
{
    TimetableFolder folder;
    folder.writeTimetable("a_dubec.t6g", {TrainLineText{}.text()}, "Dubecký den", "Dubec");
    folder.writeTimetable("b_lom.t6g", {TrainLineText{}.text()}, "Lomský den", "dubec");
    Harness h(folder.path());
    pickNextTimetable(h);
    EXPECT_EQ(h.text("A0.G6"), "Dubecký den");
    EXPECT_EQ(h.text("A1.StaniceA1"), "Dubec");
    EXPECT_EQ(h.text("A1.StaniceA2"), "z Dubce");
    EXPECT_EQ(h.text("A1.StaniceA3"), "v Dubci");
    EXPECT_EQ(h.text("A1.StaniceA4"), "do Dubce");
    EXPECT_FALSE(h.visible("A6.TelLom"));
    EXPECT_EQ(h.text("A1.StaniceB1"), "Struhy");

    pickNextTimetable(h);
    EXPECT_EQ(h.text("A1.StaniceA1"), "Horní Lom");
    EXPECT_EQ(h.text("A1.StaniceA4"), "do Horního Lomu");
    EXPECT_TRUE(h.visible("A6.TelLom"));

    pickNextTimetable(h); // none
    pickNextTimetable(h); // Dubec again
    pickNextTimetable(h); // Horní Lom
    pickNextTimetable(h); // none: the Horní Lom names
    EXPECT_EQ(h.text("A1.StaniceA1"), "Horní Lom");
    EXPECT_TRUE(h.visible("A6.TelLom"));
}

TEST(TimetableChoice, ABadFileChangesNothingAndTheNextClickMovesPastIt)
{
    TimetableFolder folder;
    folder.writeTimetable("a.t6g", {TrainLineText{}.text(), TrainLineText{}.text()}, "Grafikon A", "Dubec");
    folder.writeText("Gvd/b.t6g", {"Krátký", "Kobrant ŽST Kamenná", "num-code", "", "", "Vozidla.txt"});
    folder.writeTimetable("c.t6g", {TrainLineText{}.text()}, "Grafikon C", "Horní Lom", "Chybi.txt");
    folder.writeTimetable("d.t6g", {TrainLineText{}.text()}, "Grafikon D");
    Harness h(folder.path());
    pickNextTimetable(h);
    ASSERT_EQ(h.text("A0.G6"), "Grafikon A");
    const QStringList vehicles = h.lines("A0.Vozidla");

    for (const char *bad : {"b.t6g", "c.t6g"}) {
        h.clearMessages();
        pickNextTimetable(h);
        ASSERT_EQ(h.messages().size(), 2) << bad;
        EXPECT_EQ(h.messages().at(0), "Error 00G6-A.");
        EXPECT_EQ(h.text("A1.GrafikonDir"), "a.t6g") << bad;
        EXPECT_EQ(h.text("A0.G6"), "Grafikon A");
        EXPECT_EQ(h.line("A1.Grafikon", 0), "Grafikon A");
        EXPECT_EQ(h.lines("A0.Vozidla"), vehicles);
        EXPECT_EQ(h.text("A1.StaniceA1"), "Dubec");
        EXPECT_FALSE(h.visible("A6.TelLom"));
        EXPECT_EQ(arrayLength(h), 2);
    }
    EXPECT_TRUE(h.messages().at(1).contains("Chybi.txt")) << h.messages().at(1).toStdString();

    h.clearMessages();
    pickNextTimetable(h);
    EXPECT_EQ(h.text("A0.G6"), "Grafikon D");
    EXPECT_EQ(h.text("A1.StaniceA1"), "Horní Lom");
    EXPECT_EQ(arrayLength(h), 1);
    pickNextTimetable(h);
    EXPECT_EQ(h.text("A0.G6"), "- žádný grafikon -");
    EXPECT_TRUE(h.messages().isEmpty());
}

TEST(TimetableChoice, AVehiclesFileOfAPathLongerThanAnyIsRefusedAtOnce)
{
    TimetableFolder folder;
    folder.writeTimetable("a.t6g", {TrainLineText{}.text()}, "Grafikon A");
    folder.writeTimetable("b.t6g", {TrainLineText{}.text()}, "Grafikon B", "Horní Lom",
                          QString(1000000, QLatin1Char('\\')) + "Vozidla.txt");
    Harness h(folder.path());
    pickNextTimetable(h);
    h.clearMessages();
    ProcessorClock clock;
    clock.start();
    pickNextTimetable(h);
    EXPECT_LT(clock.elapsed(), 1000);
    ASSERT_EQ(h.messages().size(), 2);
    EXPECT_EQ(h.messages().at(0), "Error 00G6-A.");
    const QString quoted = QString(folder.path() + "/" + QString(1000000, QLatin1Char('/'))).left(200) + "…";
    EXPECT_EQ(h.messages().at(1), "Soubor nelze přečíst: " + quoted);
    EXPECT_EQ(h.text("A1.GrafikonDir"), "a.t6g");
    EXPECT_EQ(h.text("A0.G6"), "Grafikon A");
}

TEST(TimetableChoice, AVehiclesFileInAndOutOfAFolderOfAVehiclesPackIsPickedListingItOnce)
{
    TimetableFolder folder;
    writeCrowdedObr(folder.path(), "Vozidla.txt", "Vozidla.txt");
    /* Into "Obr/d" by another letter and out again 800 times, to the file in other letters. */
    folder.writeTimetable("a.t6g", {TrainLineText{}.text()}, "Grafikon A", "Horní Lom",
                          "Obr\\" + QString("D\\..\\").repeated(800) + "VOZIDLA.TXT");
    Harness h(folder.path());
    const quint64 listed = platform::foldersListed();
    pickNextTimetable(h);
    EXPECT_TRUE(h.messages().isEmpty()) << h.messages().join(" | ").left(1000).toStdString();
    EXPECT_EQ(h.text("A1.GrafikonDir"), "a.t6g");
    EXPECT_EQ(h.lines("A0.Vozidla"), platform::readTextLines1250(folder.path() + "/Vozidla.txt"));
    /* The timetable folder and "Obr", each once. */
    EXPECT_EQ(platform::foldersListed() - listed, 2u);
}

TEST(TimetableChoice, ALongTitleIsCutToWhatTheRowCanShow)
{
    TimetableFolder folder;
    const QString title = "Grafikon " + QString(1000000, QChar(u'ř'));
    folder.writeTimetable("a.t6g", {TrainLineText{}.text()}, title);
    Harness h(folder.path());
    pickNextTimetable(h);
    EXPECT_EQ(h.text("A0.G6"), "Grafikon " + QString(191, QChar(u'ř')) + "…");
    EXPECT_EQ(h.line("A1.Grafikon", 0), title);
    EXPECT_TRUE(h.messages().isEmpty());
}

TEST(TimetableChoice, NoTimetableFilesLeaveNoTimetable)
{
    TimetableFolder folder;
    Harness h(folder.path());
    for (int i = 0; i < 3; ++i) {
        pickNextTimetable(h);
        EXPECT_EQ(h.text("A0.G6"), "- žádný grafikon -");
        EXPECT_EQ(h.text("A1.GrafikonDir"), "");
    }
    EXPECT_TRUE(h.messages().isEmpty());
}

TEST(TimetableChoice, AnUnknownNameOrARunningGameLocksTheChoice)
{
    Harness h;
    h.type("A1.GrafikonDir", "neni.t6g");
    pickNextTimetable(h);
    EXPECT_EQ(h.text("A1.GrafikonDir"), "neni.t6g");
    EXPECT_EQ(h.text("A0.G6"), "- žádný grafikon -");

    h.type("A1.GrafikonDir", "");
    pickNextTimetable(h);
    h.click("A0.H9");
    pickNextTimetable(h);
    EXPECT_EQ(h.text("A1.GrafikonDir"), "sobota_nedele.t6g");
    EXPECT_EQ(arrayLength(h), 32);

    /* After the game the choice goes on from the carried-over pick. */
    h.click("A0.H5");
    pickNextTimetable(h);
    EXPECT_EQ(h.text("A1.GrafikonDir"), "vsedni_den.t6g");
}
