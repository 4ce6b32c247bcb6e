/** @file launcher_test.cpp The launcher, its settings dialog, the intro slides and the menu's layout. */
#include "harness/harness.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QString dataDir()
{
    return QStringLiteral(KAMENNA_SOURCE_DATA_DIR);
}

QRect bounds(Harness &h, const QString &name)
{
    return h.control(name).bounds();
}

} // namespace

TEST(Launcher, OpensSmallCentredAndLightsTheLabelUnderThePointer)
{
    Harness h(dataDir(), QSize(1280, 1024));
    EXPECT_EQ(bounds(h, "A0"), QRect(440, 362, 400, 300));
    EXPECT_TRUE(h.as<ui::CheckListBox>("A0.D5").isChecked(0));
    EXPECT_TRUE(h.as<ui::CheckListBox>("A0.D5").isChecked(1));
    EXPECT_FALSE(h.as<ui::CheckListBox>("A0.D5").isChecked(2));
    h.moveOver("A0.B2", 5, 5);
    EXPECT_FALSE(h.as<ui::Label>("A0.B2").transparent());
    EXPECT_TRUE(h.as<ui::Label>("A0.B1").transparent());
    h.moveOver("A0.B3", 5, 5);
    EXPECT_TRUE(h.as<ui::Label>("A0.B2").transparent());
    EXPECT_FALSE(h.as<ui::Label>("A0.B3").transparent());
    h.moveOver("A0.B0", 5, 5);
    for (const char *l : {"A0.B1", "A0.B2", "A0.B3"})
        EXPECT_TRUE(h.as<ui::Label>(l).transparent()) << l;
}

TEST(Launcher, SettingsKeepTheDataDirectoryAndReturnCentred)
{
    Harness h(dataDir(), QSize(1280, 1024));
    h.click("A0.B2");
    EXPECT_TRUE(h.visible("A0.B4"));
    EXPECT_EQ(bounds(h, "A0").size(), QSize(406, 331));
    EXPECT_EQ(h.as<ui::Form>("A0").borderStyle(), ui::BorderStyle::Single);
    QTemporaryDir other;
    h.as<ui::DirectoryList>("A0.C3").setDirectory(other.path());
    EXPECT_EQ(h.text("A0.C4"), other.path());
    EXPECT_EQ(h.app().dataDir(), other.path());
    h.setScreen(QSize(1920, 1080)); // the dialog centres on the screen of its moment
    h.click("A0.E4");
    EXPECT_FALSE(h.visible("A0.B4"));
    EXPECT_EQ(bounds(h, "A0"), QRect(760, 390, 400, 300));
    EXPECT_EQ(h.as<ui::Form>("A0").borderStyle(), ui::BorderStyle::None);
}

TEST(Launcher, StartPlaysTheSlidesByTimerEnterAndClickThenLaysTheMenuOut)
{
    Harness h(dataDir(), QSize(1024, 768));
    h.keyPress("A0", QChar(13)); // Enter on the launcher does nothing
    EXPECT_FALSE(h.visible("A0.E6"));
    h.click("A0.B1");
    EXPECT_EQ(bounds(h, "A0"), QRect(0, 0, 1024, 768));
    for (const char *hidden : {"A0.B0", "A0.B1", "A0.B2", "A0.B3"})
        EXPECT_FALSE(h.visible(hidden)) << hidden;
    EXPECT_TRUE(h.visible("A0.E5"));
    EXPECT_EQ(bounds(h, "A0.E5"), QRect(112, 84, 800, 600));
    EXPECT_EQ(h.color("A0"), QColor(Qt::white));
    EXPECT_EQ(bounds(h, "A0.E9"), QRect(39, 691, 947, 36));

    h.keyPress("A0", QChar(13)); // Enter: one slide on
    EXPECT_FALSE(h.visible("A0.E5"));
    EXPECT_TRUE(h.visible("A0.E6"));
    h.click("A0.E6"); // a click on a slide: one slide on
    EXPECT_TRUE(h.visible("A0.E7"));
    EXPECT_EQ(h.color("A0"), QColor(0, 153, 255));
    h.advanceMs(5000); // the timer's own next tick
    EXPECT_FALSE(h.visible("A0.E7"));
    EXPECT_TRUE(h.visible("A0.E9"));
    EXPECT_EQ(h.color("A0"), QColor(Qt::black));
    EXPECT_FALSE(h.timerEnabled("A0.X5"));
    h.advanceMs(10 * 50);
    EXPECT_EQ(h.as<ui::ProgressBar>("A0.E9").position(), 50);
    EXPECT_FALSE(h.visible("A0.F0"));
    h.advanceMs(10 * 50);
    EXPECT_TRUE(h.visible("A0.F0"));
    EXPECT_FALSE(h.visible("A0.E9"));
    EXPECT_FALSE(h.timerEnabled("A0.X6"));
    EXPECT_TRUE(h.messages().isEmpty()) << h.messages().join(" | ").toStdString();
}

TEST(Launcher, TheMenuIsLaidOutInProportionToTheScreen)
{
    Harness h(dataDir(), QSize(1024, 768));
    h.openMenu();
    EXPECT_EQ(h.control("A0.F5").font().pixelSize, 25);
    EXPECT_EQ(bounds(h, "A0.F4"), QRect(25, 147, 65, 65));
    EXPECT_EQ(bounds(h, "A0.F5"), QRect(128, 159, 257, 39));
    EXPECT_EQ(bounds(h, "A0.G2").top(), 556);
    EXPECT_EQ(bounds(h, "A0.G3").top(), 569);
    EXPECT_EQ(bounds(h, "A0.K0"), QRect(512, 0, 512, 768));
    EXPECT_EQ(bounds(h, "A0.K2").left(), 422);
    /* Option buttons show their state; the layout switches technical faults on. */
    const QImage on = h.as<ui::Image>("A0.Tl3").picture();
    const QImage off = h.as<ui::Image>("A0.Tl4").picture();
    for (const char *name : {"A0.K6", "A0.K8", "A0.L0", "A0.L3", "A0.L5"})
        EXPECT_EQ(h.as<ui::Image>(name).picture(), on) << name;
    for (const char *name : {"A0.L7", "A0.L9"})
        EXPECT_EQ(h.as<ui::Image>(name).picture(), off) << name;
    EXPECT_TRUE(h.checked("A1.KodPoruchy"));
    for (const char *page : {"A0.G4", "A0.I9", "A0.K0", "A0.U2", "A0.V1"})
        EXPECT_FALSE(h.visible(page)) << page;

    Harness wide(dataDir(), QSize(1920, 1080));
    wide.openMenu();
    EXPECT_EQ(bounds(wide, "A0.F4").size(), QSize(122, 92));
    EXPECT_EQ(wide.control("A0.F5").font().pixelSize, 36);
    EXPECT_EQ(bounds(wide, "A0.F2"), QRect(0, 186, 194, 708));

    Harness small(dataDir(), QSize(800, 600));
    small.click("A0.B1");
    EXPECT_EQ(bounds(small, "A0.E9").top(), 540);
    EXPECT_EQ(bounds(small, "A0.E9").width(), 740);
    small.advanceMs(16000);
    EXPECT_EQ(small.control("A0.F5").font().pixelSize, 20);
    EXPECT_EQ(bounds(small, "A0.F4").size(), QSize(51, 51));
}

TEST(Launcher, TheMeasuresKeepTheScreenOfTheStart)
{
    Harness h(dataDir(), QSize(1024, 768));
    h.setScreen(QSize(1920, 1080));
    h.click("A0.B1");
    EXPECT_EQ(bounds(h, "A0"), QRect(0, 0, 1024, 768));
    EXPECT_EQ(bounds(h, "A0.E5").topLeft(), QPoint(560, 240)); // the slides centre on the present screen
    h.advanceMs(16000);
    EXPECT_EQ(bounds(h, "A0.F4"), QRect(25, 147, 65, 65));
}

TEST(Launcher, DiagnosticsIsOfferedOnlyWhenTickedAtStart)
{
    Harness plain;
    plain.openMenu();
    plain.as<ui::CheckListBox>("A0.D5").setChecked(2, true);
    EXPECT_FALSE(plain.visible("A0.J8"));
    EXPECT_FALSE(plain.visible("A0.J9"));

    Harness ticked;
    ticked.as<ui::CheckListBox>("A0.D5").setChecked(2, true);
    ticked.openMenu();
    EXPECT_TRUE(ticked.visible("A0.J8"));
    EXPECT_TRUE(ticked.visible("A0.J9"));
}

TEST(Launcher, ADataDirectoryWithoutTimetablesStillOffersDiagnostics)
{
    QTemporaryDir empty;
    Harness h(empty.path());
    h.as<ui::CheckListBox>("A0.D5").setChecked(2, true);
    h.openMenu();
    EXPECT_TRUE(h.messages().isEmpty()) << h.messages().join(" | ").toStdString();
    EXPECT_TRUE(h.as<ui::FileList>("A0.GVD1").items().isEmpty());
    EXPECT_TRUE(h.visible("A0.J9"));
    EXPECT_TRUE(h.visible("A0.F0"));
}

TEST(Launcher, KonecEndsTheProgram)
{
    Harness h;
    bool ended = false;
    h.app().onQuit = [&ended] { ended = true; };
    h.click("A0.B3");
    EXPECT_TRUE(ended);
}

TEST(Launcher, ThePicturesAreOursAtTheirSizes)
{
    Harness h;
    EXPECT_EQ(h.as<ui::Image>("A0.E5").picture().size(), QSize(800, 600));
    EXPECT_EQ(h.as<ui::Image>("A0.E6").picture().size(), QSize(738, 227));
    EXPECT_EQ(h.as<ui::Image>("A0.E7").picture().size(), QSize(738, 379));
    EXPECT_EQ(h.as<ui::Image>("A0.C0").picture().size(), QSize(227, 13));
    for (const char *button : {"A0.Tl1", "A0.Tl2", "A0.Tl3", "A0.Tl4", "A0.Tl5"})
        EXPECT_GE(h.as<ui::Image>(button).picture().width(), 122) << button; // sharp at 1920 x 1080
    for (const char *column : {"A0.F1", "A0.F2", "A0.F3"})
        EXPECT_FALSE(h.as<ui::Image>(column).picture().isNull()) << column;
    for (const char *view : {"A5", "A6", "A7", "A8"}) {
        EXPECT_EQ(h.as<ui::Image>(QString(view) + ".C2").picture().size(), QSize(373, 100)) << view;
        EXPECT_EQ(h.as<ui::Image>(QString(view) + ".C8").picture().size(), QSize(6, 6)) << view;
    }
}
