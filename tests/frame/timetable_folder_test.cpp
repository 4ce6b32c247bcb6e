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
