/** @file timetable_folder_test.cpp A timetable folder that cannot be read is reported, and the menu goes on. */
#include "core/timetable_fixture.h"
#include "core/form_a2.h"
#include "platform/unprivileged.h"
#include "support/processor_clock.h"

#include <filesystem>

#include <cstdio>

#include <sys/stat.h>

TEST(TimetableFolder, AnUnreadableFolderGetsAMessageNotAnEmptyList)
{
    TimetableFolder folder;
    folder.writeTimetable("den.t6g", {TrainLineText{}.text()});
    ASSERT_TRUE(QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner
                                                         | QFile::ReadOther | QFile::ExeOther));
    const QByteArray gvd = QFile::encodeName(folder.path() + "/Gvd");
    Harness h(folder.path());
    ASSERT_EQ(chmod(gvd.constData(), 0), 0);
    {
        Unprivileged nobody;
        if (!nobody.effective())
            GTEST_SKIP() << "root cannot step down to an ordinary user here";
        pickNextTimetable(h);
    }
    ASSERT_EQ(chmod(gvd.constData(), 0755), 0);
    ASSERT_EQ(h.messages().size(), 2) << h.messages().join(" | ").toStdString();
    EXPECT_EQ(h.messages().at(0), "Error 00G6-A.");
    EXPECT_EQ(h.messages().at(1), "Složku nelze přečíst: " + folder.path() + "/Gvd");
    EXPECT_EQ(h.text("A0.G6"), "- žádný grafikon -");

    /* Once the folder can be read again, the next click picks its file. */
    h.clearMessages();
    pickNextTimetable(h);
    EXPECT_EQ(h.text("A0.G6"), "Zkušební grafikon");
    EXPECT_TRUE(h.messages().isEmpty()) << h.messages().join(" | ").toStdString();
}

TEST(TimetableFolder, AShortFileSaysHowManyLinesItHasInCzech)
{
    TimetableFolder folder;
    folder.writeText("Gvd/a.t6g", {"Tři", "Kobrant ŽST Kamenná", "num-code"});
    folder.writeText("Gvd/b.t6g", {"Pět", "Kobrant ŽST Kamenná", "num-code", "", ""});
    folder.writeText("Gvd/c.t6g", {"Jeden"});
    Harness h(folder.path());
    for (int i = 0; i < 3; ++i)
        pickNextTimetable(h);
    const QStringList &shown = h.messages();
    ASSERT_EQ(shown.size(), 6) << shown.join(" | ").toStdString();
    EXPECT_EQ(shown.at(1), "Soubor a.t6g není grafikon: má 3 řádky, grafikon jich má nejméně 30.");
    EXPECT_EQ(shown.at(3), "Soubor b.t6g není grafikon: má 5 řádků, grafikon jich má nejméně 30.");
    EXPECT_EQ(shown.at(5), "Soubor c.t6g není grafikon: má 1 řádek, grafikon jich má nejméně 30.");
}

TEST(TimetableFolder, EndlessEmptyLinesAndAHugeVehiclesNameAreRefusedAtOnceWhenPicked)
{
    TimetableFolder folder;
    folder.writeTimetable("a.t6g", {TrainLineText{}.text()});
    QFile empty(folder.path() + "/Gvd/b.t6g");
    ASSERT_TRUE(empty.open(QIODevice::WriteOnly));
    empty.write(QByteArray(platform::kMaxFileSize, '\n'));
    empty.close();
    const QString hugeName = QString(8 << 20, QLatin1Char('v')) + ".txt";
    folder.writeTimetable("c.t6g", {TrainLineText{}.text()}, "Dlouhý seznam", "Horní Lom", hugeName);
    Harness h(folder.path());
    pickNextTimetable(h);
    ASSERT_EQ(h.text("A1.GrafikonDir"), "a.t6g");

    ProcessorClock clock;
    clock.start();
    pickNextTimetable(h);
    EXPECT_LT(clock.elapsed(), 1000);
    EXPECT_EQ(h.messages(), (QStringList{"Error 00G6-A.", "Soubor má víc než 1\u00a0000\u00a0000 řádků: " + folder.path()
                                                              + "/Gvd/b.t6g"}));
    /* The earlier pick stays whole. */
    EXPECT_EQ(h.text("A1.GrafikonDir"), "a.t6g");
    EXPECT_EQ(h.app().TimetableTrainLines.size(), 1u);

    h.clearMessages();
    clock.restart();
    pickNextTimetable(h);
    EXPECT_LT(clock.elapsed(), 1000);
    ASSERT_EQ(h.messages().size(), 2) << h.messages().join(" | ").left(500).toStdString();
    EXPECT_EQ(h.messages().at(1), "Soubor nelze přečíst: " + (folder.path() + "/" + hugeName).left(200) + "…");
}

namespace {

/** A folder named by its bytes, removed with all it holds (names Qt could not spell included). */
struct ByteNamedFolder {
    QByteArray path; ///< Its path as the file system's bytes.
    ~ByteNamedFolder() { std::filesystem::remove_all(std::filesystem::path(path.toStdString())); }
};

} // namespace

TEST(TimetableFolder, WindowsNamesOfTimetablesPicturesAndTheDataFolderWork)
{
    TimetableFolder source;
    TrainLineText train;
    train.vehicles = "001000000000000000000000000000";
    source.writeTimetable("den.t6g", {train.text()});
    QStringList vehicles = platform::readTextLines1250(source.path() + "/Vozidla.txt");
    vehicles[0] = QStringLiteral("Vozidla\\lokomotiva č.bmp");
    source.writeText("Vozidla.txt", vehicles);
    /* Named on Windows: "Kamenná data", "Česká trasa.t6g" and "lokomotiva č.bmp" in Windows-1250 bytes. */
    QTemporaryDir base;
    const ByteNamedFolder data{QFile::encodeName(base.path()) + "/Kamenn\xE1 data"};
    ASSERT_EQ(::rename(QFile::encodeName(source.path()).constData(), data.path.constData()), 0);
    ASSERT_EQ(::rename(data.path + "/Gvd/den.t6g", data.path + "/Gvd/\xC8" "esk\xE1 trasa.t6g"), 0);
    ASSERT_EQ(::rename(data.path + "/Vozidla/lok_754.bmp", data.path + "/Vozidla/lokomotiva \xE8.bmp"), 0);
    const QString dataDir = platform::decodeFileName(data.path);
    EXPECT_EQ(dataDir, base.path() + QStringLiteral("/Kamenná data"));

    Harness h(dataDir);
    pickNextTimetable(h);
    EXPECT_EQ(h.as<ui::FileList>("A0.GVD1").items(), QStringList{QStringLiteral("Česká trasa.t6g")});
    EXPECT_EQ(h.text("A0.G6"), "Zkušební grafikon");
    startGameAt(h, 7, 0);
    EXPECT_TRUE(h.sounds().contains("open Telefon.wav")) << h.sounds().join(" | ").toStdString();
    h.setClock(7, 9, 59);
    h.ticks(1);
    EXPECT_EQ(h.text("A2.G6"), "5401");
    EXPECT_EQ(h.app().A2().row(5).vehicles[0]->picture(), repositoryPicture("Vozidla/lok_754.bmp"));
    EXPECT_TRUE(h.messages().isEmpty()) << h.messages().join(" | ").toStdString();
}
