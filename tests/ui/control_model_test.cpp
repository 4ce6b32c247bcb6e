/** @file control_model_test.cpp Control kinds beyond the write rules: pictures, lists, files, forms and players. */
#include "platform/test_platform.h"
#include "platform/wave_bytes.h"
#include "ui/controls.h"
#include "ui/sim_error.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct Bench : platform::TestPlatform {
    ui::Form form{"T", platform};
};

/** Writes a small file. */
void touch(const QString &path, const QByteArray &bytes = "x")
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

} // namespace

TEST(ControlModel, AnAutoSizedImageTakesEachPicturesSizeAndAFixedOneKeepsItsOwn)
{
    Bench b;
    auto *button = b.form.make<ui::Image>(nullptr, "Tl");
    button->setBounds(40, 50, 12, 14);
    button->setAutoSize(true);
    button->setPicture(QImage(22, 17, QImage::Format_RGB32));
    EXPECT_EQ(button->bounds(), QRect(40, 50, 22, 17));

    auto *slot = b.form.make<ui::Image>(nullptr, "L5");
    slot->setBounds(0, 0, 64, 64);
    slot->setPicture(QImage(1, 64, QImage::Format_RGB32));
    EXPECT_EQ(slot->width(), 64);
}

TEST(ControlModel, ChildrenStackInCreationOrderAndPositionsAddUpToTheForm)
{
    Bench b;
    auto *group = b.form.make<ui::GroupBox>(nullptr, "D5");
    group->setBounds(-10, -251, 2500, 1412);
    auto *lamp = b.form.make<ui::Image>(group, "USM");
    lamp->setBounds(100, 300, 6, 6);
    auto *cover = b.form.make<ui::Label>(group, "Cover");
    EXPECT_EQ(group->children(), (std::vector<ui::Control *>{lamp, cover}));
    EXPECT_EQ(lamp->formPos(), QPoint(90, 49));
    EXPECT_EQ(b.form.find("USM"), lamp);
    EXPECT_EQ(b.form.find("Nothing"), nullptr);
    group->hide();
    EXPECT_TRUE(lamp->visible());
    EXPECT_FALSE(lamp->showing());
}

TEST(ControlModel, PageControlShowsOnePageAndOnlyThePlayersPickRunsItsHandler)
{
    Bench b;
    auto *pc = b.form.make<ui::PageControl>(nullptr, "B00");
    auto *first = b.form.make<ui::TabSheet>(pc, "C00");
    auto *second = b.form.make<ui::TabSheet>(pc, "Prvky");
    int changes = 0;
    pc->onChange = [&] { ++changes; };
    pc->setActivePage(first);
    EXPECT_TRUE(first->visible());
    EXPECT_FALSE(second->visible());
    EXPECT_EQ(changes, 0);
    pc->userSelectPage(second);
    pc->userSelectPage(second);
    EXPECT_EQ(pc->activePage(), second);
    EXPECT_FALSE(first->visible());
    EXPECT_EQ(changes, 1);
}

TEST(ControlModel, CheckBoxClickRunsOnAChangeOfItsMarkOnly)
{
    Bench b;
    auto *box = b.form.make<ui::CheckBox>(nullptr, "Zvuky");
    int clicks = 0;
    box->onClick = [&] { ++clicks; };
    box->setChecked(false);
    box->setChecked(true);
    box->setChecked(true);
    EXPECT_EQ(clicks, 1);

    auto *list = b.form.make<ui::CheckListBox>(nullptr, "Moznosti");
    list->setItems({"a", "b"});
    int toggles = 0;
    list->onClickCheck = [&] { ++toggles; };
    list->setChecked(1, true);
    list->setChecked(7, true); // no such row: ignored
    EXPECT_TRUE(list->isChecked(1));
    EXPECT_FALSE(list->isChecked(7));
    list->userToggle(1);
    EXPECT_FALSE(list->isChecked(1));
    EXPECT_EQ(toggles, 1);
}

TEST(ControlModel, FileListMatchesItsMaskWithoutRegardToCase)
{
    Bench b;
    QTemporaryDir dir;
    touch(dir.filePath("b.t6g"));
    touch(dir.filePath("A.T6G"));
    touch(dir.filePath("c.txt"));
    auto *files = b.form.make<ui::FileList>(nullptr, "GVD1");
    files->setMask("*.t6g");
    files->setDirectory(dir.path());
    EXPECT_EQ(files->items(), (QStringList{"A.T6G", "b.t6g"}));
    files->setDirectory(dir.filePath("missing"));
    EXPECT_TRUE(files->items().isEmpty());
}

TEST(ControlModel, DirectoryListDropsATrailingSeparator)
{
    Bench b;
    auto *dirs = b.form.make<ui::DirectoryList>(nullptr, "C3");
    int changes = 0;
    dirs->onChange = [&] { ++changes; };
    dirs->setDirectory("/sim/data/");
    EXPECT_EQ(dirs->directory(), "/sim/data");
    dirs->setDirectory("/sim/data");
    EXPECT_EQ(changes, 1);
    dirs->setDirectory("/");
    EXPECT_EQ(dirs->directory(), "/");
}

TEST(ControlModel, ClosingAFormRunsItsHandlerThenHidesOrQuits)
{
    Bench b;
    QStringList order;
    b.form.onClose = [&] { order << "close"; };
    b.form.show();
    b.form.close();
    EXPECT_FALSE(b.form.visible());
    b.form.show();
    b.form.onQuit = [&] { order << "quit"; };
    b.form.close();
    EXPECT_EQ(order, (QStringList{"close", "close", "quit"}));
}

TEST(ControlModel, ASoundPlayerOpensOnAWaveFileAndReopensOnASecondOpen)
{
    Bench b;
    QTemporaryDir dir;
    touch(dir.filePath("Telefon.wav"), goodWave());
    touch(dir.filePath("Broken.wav"), "not a wave file at all, just text");
    auto *p = b.form.make<ui::MediaPlayer>(nullptr, "SndTelefon");
    p->setFileName(dir.filePath("Telefon.wav"));
    p->open();
    p->open();
    p->play();
    EXPECT_TRUE(p->isOpen());
    EXPECT_EQ(b.audio.calls(), (QStringList{"open Telefon.wav", "open Telefon.wav", "play Telefon.wav"}));
    p->setFileName(dir.filePath("Broken.wav"));
    EXPECT_THROW(p->open(), ui::SimError);
    EXPECT_FALSE(p->isOpen());
}

TEST(ControlModel, SoundCallsAreCountedOverTheRunAndTheLatestKeptInOrder)
{
    Bench b;
    QTemporaryDir dir;
    touch(dir.filePath("Telefon.wav"), goodWave());
    touch(dir.filePath("IK.wav"), goodWave());
    auto *bell = b.form.make<ui::MediaPlayer>(nullptr, "SndTelefon");
    auto *ik = b.form.make<ui::MediaPlayer>(nullptr, "SndIK");
    bell->setFileName(dir.filePath("Telefon.wav"));
    ik->setFileName(dir.filePath("IK.wav"));
    bell->open();
    ik->open();
    const int rings = int(platform::RecordedAudio::kKept) + 100;
    for (int i = 0; i < rings; ++i) {
        bell->play();
        bell->stop();
    }
    ik->play();
    EXPECT_EQ(b.audio.count("open Telefon.wav"), 1);
    EXPECT_EQ(b.audio.count("play Telefon.wav"), rings);
    EXPECT_EQ(b.audio.count("stop Telefon.wav"), rings);
    EXPECT_EQ(b.audio.count("play IK.wav"), 1);
    EXPECT_EQ(b.audio.count("rewind IK.wav"), 0);
    EXPECT_EQ(b.audio.count("play Zarazka.wav"), 0);
    EXPECT_EQ(b.audio.count("Telefon.wav"), 0);
    /* Only the latest calls are kept, the oldest first. */
    const QStringList latest = b.audio.calls();
    ASSERT_EQ(latest.size(), qsizetype(platform::RecordedAudio::kKept));
    EXPECT_EQ(latest.first(), "stop Telefon.wav");
    EXPECT_EQ(latest.last(), "play IK.wav");
    EXPECT_EQ(latest.at(latest.size() - 2), "stop Telefon.wav");
}

TEST(ControlModel, ATimerDestroyedWithItsFormNeverFiresAgain)
{
    platform::TestPlatform test;
    int fired = 0;
    {
        ui::Form form("A1", test.platform);
        auto *t = form.make<ui::Timer>(nullptr, "Hodiny");
        t->setInterval(10);
        t->setOnTimer([&] { ++fired; });
        test.timers.advance(10);
    }
    test.timers.advance(100);
    EXPECT_EQ(fired, 1);
    EXPECT_EQ(test.timers.runningCount(), 0);
}

TEST(ControlModel, ASecondControlOfANameIsRefusedAndTheFirstStaysFound)
{
    Bench b;
    auto *first = b.form.make<ui::Label>(nullptr, "CisloB1");
    try {
        b.form.make<ui::Image>(nullptr, "CisloB1");
        FAIL() << "a second CisloB1 was created";
    } catch (const ui::SimError &e) {
        EXPECT_EQ(e.text(), "Prvek T.CisloB1 je již vytvořen");
    }
    EXPECT_EQ(b.form.find("CisloB1"), first);
    /* Unnamed controls (captions, engravings) may be many. */
    b.form.make<ui::Label>(nullptr, QString());
    EXPECT_NO_THROW(b.form.make<ui::Label>(nullptr, QString()));
}

TEST(ControlModel, AnAutoSizedLabelTakesItsTextsWidthInItsFontAndKeepsItsHeight)
{
    Bench b;
    auto *label = b.form.make<ui::Label>(nullptr, "D9");
    label->setBounds(4, 4, 632, 17);
    label->setFont(ui::Font{"Verdana", 10, false, false, Qt::black});
    label->setCaption("abcd");
    EXPECT_EQ(label->width(), 632); // not auto-sized yet
    label->setAutoSize(true);
    EXPECT_EQ(label->bounds(), QRect(4, 4, 4 * 6, 17));
    label->setCaption("abcdefgh");
    EXPECT_EQ(label->width(), 8 * 6);
    /* Bold: one pixel more a character; a new font refits at once. */
    label->setFont(ui::Font{"Verdana", 10, true, false, Qt::black});
    EXPECT_EQ(label->width(), 8 * 7);
    label->setCaption(QString());
    EXPECT_EQ(label->width(), 0);
}
