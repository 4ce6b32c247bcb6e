/** @file timetable_folder_test.cpp A timetable folder that cannot be read is reported, and the menu goes on. */
#include "core/timetable_fixture.h"
#include "platform/unprivileged.h"

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
