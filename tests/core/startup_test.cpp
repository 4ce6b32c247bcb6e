/** @file startup_test.cpp Start-up order, window closing, and the start and end of a game. */
#include "core/app.h"
#include "harness/harness.h"
#include "ui/form.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {
const QColor Red(255, 0, 0);
const QColor Lime(0, 255, 0);
}

TEST(StartUp, CreatesTenFormsInOrderAndShowsOnlyTheMenu)
{
    Harness h;
    QStringList names;
    for (ui::Form *f : h.app().forms())
        names << f->name();
    EXPECT_EQ(names, (QStringList{"A0", "A1", "A2", "A3", "A4", "A5", "A6", "A7", "A8", "A9"}));
    EXPECT_EQ(h.text("A0"), "Kobrant ŽST Kamenná");
    for (ui::Form *f : h.app().forms())
        EXPECT_EQ(f->visible(), f->name() == "A0") << f->name().toStdString();
    EXPECT_EQ(h.text("A0.H8"), "Spustit hru");
}

TEST(StartUp, ClosingA1EnablesTheMenuAndResetsItsItemPicture)
{
    Harness h;
    auto &a0 = dynamic_cast<ui::Form &>(h.control("A0"));
    auto &j9 = h.as<ui::Image>("A0.J9");
    j9.setPicture(h.as<ui::Image>("A0.Tl5").picture());
    a0.setEnabled(false);
    h.control("A1").show();
    h.closeForm("A1");
    EXPECT_FALSE(h.visible("A1"));
    EXPECT_TRUE(h.enabled("A0"));
    EXPECT_EQ(j9.picture(), h.as<ui::Image>("A0.Tl1").picture());
    EXPECT_TRUE(h.enabled("A6"));
}

TEST(StartUp, ClosingA2BringsBackOnlyTheDisabledView)
{
    Harness h;
    h.control("A8").setEnabled(false);
    h.control("A8").hide();
    h.control("A2").show();
    h.closeForm("A2");
    EXPECT_FALSE(h.visible("A2"));
    EXPECT_TRUE(h.enabled("A8"));
    EXPECT_TRUE(h.visible("A8"));
    EXPECT_FALSE(h.visible("A7"));
    EXPECT_FALSE(h.visible("A5"));
}

TEST(GameStart, SetsUpTheStoreAndTheClock)
{
    Harness h;
    h.click("A0.H9");
    EXPECT_TRUE(h.messages().isEmpty()) << h.messages().join(" | ").toStdString();
    EXPECT_EQ(h.text("A0.H8"), "Pokračovat");
    EXPECT_FALSE(h.visible("A0"));
    EXPECT_TRUE(h.visible("A6"));
    EXPECT_EQ(h.text("A1.C03"), "Stůj");
    EXPECT_EQ(h.text("A1.C46"), "Stůj");
    EXPECT_EQ(h.color("A1.C04"), Red);
    EXPECT_EQ(h.text("A1.PZZ"), "Otevřený");
    EXPECT_EQ(h.lines("A1.Hodina"), (QStringList{"7", "7", "7", "7", "7", "7"}));
    EXPECT_EQ(h.lines("A1.Minuta"), (QStringList{"14", "15", "16", "17", "18", "19"}));
    EXPECT_EQ(h.text("A1.Sekunda"), "59");
    EXPECT_EQ(h.color("A5.D5"), QColor(0, 106, 0)); // 7 o'clock
    h.ticks(1);
    EXPECT_EQ(h.clock(), "7:15:00");
    EXPECT_EQ(h.lines("A1.Minuta"), (QStringList{"15", "16", "17", "18", "19", "20"}));
}

TEST(GameStart, AStartOnTheHourBeginsWithMinusOne)
{
    Harness h;
    h.as<ui::Label>("A0.H3").setCaption("00");
    h.as<ui::Label>("A0.H1").setCaption("0");
    h.click("A0.H9");
    EXPECT_EQ(h.line("A1.Minuta", 0), "-1");
    EXPECT_EQ(h.color("A8.Nahled"), QColor(0, 0, 0));
    h.ticks(1);
    EXPECT_EQ(h.clock(), "0:00:00");
}

TEST(GameStart, TheSecondPressOnlyReturnsToTheDesk)
{
    Harness h;
    h.click("A0.H9");
    h.ticks(10);
    h.control("A0").show();
    h.control("A6").hide();
    h.click("A0.H9");
    EXPECT_TRUE(h.visible("A6"));
    EXPECT_FALSE(h.visible("A0"));
    EXPECT_EQ(h.clock(), "7:15:09");
}

TEST(GameStart, AForeignTimetableIsRefusedBeforeAnythingChanges)
{
    Harness h;
    h.type("A1.Grafikon", "Můj grafikon\nJiný simulátor\nnum-code");
    h.click("A0.H9");
    EXPECT_EQ(h.messages(), (QStringList{"CHYBA !!! Zvolený grafikon není určený pro tento simulátor!"}));
    EXPECT_EQ(h.text("A0.H8"), "Spustit hru");
    EXPECT_TRUE(h.visible("A0"));
    EXPECT_EQ(h.text("A1.C03"), "");
    EXPECT_TRUE(h.sounds().isEmpty());

    h.clearMessages();
    h.type("A1.Grafikon", "Můj grafikon\nKobrant ŽST Kamenná\nnum-code-2");
    h.click("A0.H9");
    EXPECT_EQ(h.messages(), (QStringList{"CHYBA !!! Zvolený grafikon má novější kódování, než tento simulátor!"}));
    EXPECT_EQ(h.text("A0.H8"), "Spustit hru");
}

TEST(GameStart, AMissingSoundFailsTheStartAndTheMenuStays)
{
    QTemporaryDir dir;
    Harness h(dir.path());
    h.click("A0.H9");
    ASSERT_EQ(h.messages().size(), 3);
    EXPECT_EQ(h.messages()[0], "Error 10St");
    EXPECT_EQ(h.messages()[1], "Error 00H9-A.");
    EXPECT_TRUE(h.messages()[2].contains("Telefon.wav"));
    EXPECT_EQ(h.text("A0.H8"), "Spustit hru");
    EXPECT_TRUE(h.visible("A0"));
    EXPECT_FALSE(h.app().gameRunning);
}

TEST(GameEnd, ResetsTheStoreButKeepsTheMenuPick)
{
    Harness h;
    h.type("A1.Grafikon", "Titul\nKobrant ŽST Kamenná\nnum-code");
    h.type("A1.GrafikonDir", "den.t6g");
    h.type("A1.StaniceA1", "Dubec");
    h.click("A0.H9");
    h.type("A1.Rychlost", "8");
    h.ticks(100);
    h.type("A1.SmerB", "Telefonika");
    h.as<ui::Edit>("A1.SmerB").setColor(Lime);

    h.click("A0.H5");
    EXPECT_EQ(h.text("A0.H8"), "Spustit hru");
    EXPECT_EQ(h.text("A1.Rychlost"), "1");
    EXPECT_EQ(h.text("A1.Sekunda"), "00");
    EXPECT_EQ(h.text("A1.SmerB"), "Poloautoblok");
    EXPECT_EQ(h.color("A1.SmerB"), Red);
    EXPECT_EQ(h.text("A1.C03"), "");
    EXPECT_EQ(h.selectedRow("A1.C04"), -1);
    EXPECT_EQ(h.text("A1.GrafikonDir"), "den.t6g");
    EXPECT_EQ(h.text("A1.StaniceA1"), "Dubec");
    EXPECT_FALSE(h.app().gameRunning);
    /* The new store's clock ticks on in the menu. */
    h.ticks(3);
    EXPECT_EQ(h.clock(), "12:00:03");
}

TEST(GameStart, SpeedChangedInTheGameAppliesFromTheNextTick)
{
    Harness h;
    h.click("A0.H9");
    h.type("A1.Rychlost", "1024");
    h.ticks(60);
    EXPECT_EQ(h.clock(), "7:15:59");
    EXPECT_EQ(h.interval("A1.Hodiny"), 1);
    EXPECT_TRUE(h.messages().isEmpty());
}

TEST(StartUp, TheMenuShowsEitherFaceOfTheStoreAndClosingGivesTheMenuBack)
{
    Harness h;
    h.click("A0.J9");
    EXPECT_TRUE(h.visible("A1"));
    EXPECT_TRUE(h.visible("A1.B00"));
    EXPECT_FALSE(h.visible("A1.SouZST"));
    EXPECT_FALSE(h.enabled("A0"));
    h.closeForm("A1");
    EXPECT_TRUE(h.enabled("A0"));
    EXPECT_EQ(h.as<ui::Image>("A0.J9").picture(), h.as<ui::Image>("A0.Tl1").picture());

    h.click("A0.J3");
    EXPECT_TRUE(h.visible("A1.SouZST"));
    EXPECT_FALSE(h.visible("A1.B00"));
    EXPECT_EQ(h.as<ui::Image>("A0.J3").picture(), h.as<ui::Image>("A0.Tl5").picture());
}
