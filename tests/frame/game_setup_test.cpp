/** @file game_setup_test.cpp The game page: start time, freight trains, its two states, and games started and ended twice. */
#include "harness/harness.h"

#include <gtest/gtest.h>

namespace {

const QColor Navy(0, 0, 128);
const QColor Blue(0, 0, 255);
const QColor Grey(0x3F, 0x3F, 0x3F);

QColor fontColor(Harness &h, const QString &name)
{
    return h.control(name).font().color;
}

QColor penColor(Harness &h, const QString &name)
{
    return h.as<ui::Shape>(name).penColor();
}

QImage picture(Harness &h, const QString &name)
{
    return h.as<ui::Image>(name).picture();
}

/** Opens the menu and its game page, as the player does. */
void openGamePage(Harness &h)
{
    h.openMenu();
    h.click("A0.F4");
}

} // namespace

TEST(GameSetupTime, HourAndMinutesStepAndWrapApart)
{
    Harness h;
    EXPECT_EQ(h.text("A0.H1"), "7");
    EXPECT_EQ(h.text("A0.H3"), "15");
    for (int k = 0; k < 16; ++k)
        h.click("A0.H1");
    EXPECT_EQ(h.text("A0.H1"), "23");
    h.click("A0.H1");
    EXPECT_EQ(h.text("A0.H1"), "0");
    for (int k = 0; k < 8; ++k)
        h.click("A0.H3");
    EXPECT_EQ(h.text("A0.H3"), "55");
    h.click("A0.H3");
    EXPECT_EQ(h.text("A0.H3"), "00");
    h.click("A0.H3");
    EXPECT_EQ(h.text("A0.H3"), "05");
    EXPECT_EQ(h.text("A0.H1"), "0");
}

TEST(GameSetupTime, AStartAt2355CarriesIntoMidnightOnTheFifthLine)
{
    Harness h;
    for (int k = 0; k < 16; ++k)
        h.click("A0.H1");
    for (int k = 0; k < 8; ++k)
        h.click("A0.H3");
    h.click("A0.H9");
    EXPECT_EQ(h.lines("A1.Minuta"), (QStringList{"54", "55", "56", "57", "58", "59"}));
    h.ticks(1);
    EXPECT_EQ(h.clock(), "23:55:00");
    EXPECT_EQ(h.line("A1.Minuta", 5), "00");
    EXPECT_EQ(h.line("A1.Hodina", 5), "0");
}

TEST(GameSetupShading, TheViewsTakeTheGreenOfTheStartHour)
{
    const std::pair<int, int> shades[] = {{0, 0}, {3, 21}, {4, 43}, {5, 64}, {6, 85}, {7, 106}, {12, 128},
                                          {18, 106}, {19, 85}, {20, 64}, {21, 43}, {22, 21}, {23, 0}};
    for (auto [hour, green] : shades) {
        Harness h;
        while (h.text("A0.H1") != QString::number(hour))
            h.click("A0.H1");
        h.click("A0.H9");
        for (const char *panel : {"A5.D5", "A7.Nahled", "A8.Nahled"})
            EXPECT_EQ(h.color(panel), QColor(0, green, 0)) << panel << " at " << hour;
    }
}

TEST(GameSetupPage, TheStartTurnsThePageToItsGameState)
{
    Harness h;
    openGamePage(h);
    h.moveOver("A0.H1", 1, 1); // the start-time row lights from its caption
    for (const char *name : {"A0.G9", "A0.H1", "A0.H2", "A0.H3"})
        EXPECT_EQ(fontColor(h, name), Blue) << name;
    EXPECT_EQ(penColor(h, "A0.H0"), Blue);
    h.hoverClick("A0.H9");
    EXPECT_FALSE(h.visible("A0"));
    EXPECT_TRUE(h.visible("A6"));
    EXPECT_EQ(h.text("A0.H8"), "Pokračovat");
    EXPECT_EQ(fontColor(h, "A0.H8"), Navy);
    EXPECT_EQ(penColor(h, "A0.G5"), Grey);
    EXPECT_EQ(fontColor(h, "A0.G6"), Grey);
    for (const char *hidden : {"A0.G9", "A0.H0", "A0.H1", "A0.H2", "A0.H3"})
        EXPECT_FALSE(h.visible(hidden)) << hidden;
    EXPECT_TRUE(h.visible("A0.H4"));
    EXPECT_TRUE(h.visible("A0.H5"));
    EXPECT_EQ(fontColor(h, "A0.F7"), Navy);

    /* In a game the timetable choice never lights, so it is locked. */
    h.keyDown("A6", ui::key::Escape);
    h.moveOver("A0.G6", 1, 1);
    EXPECT_EQ(fontColor(h, "A0.G6"), Grey);
    h.click("A0.G6");
    EXPECT_EQ(h.text("A1.GrafikonDir"), "");
}

TEST(GameSetupPage, ContinueShowsTheDeskWhicheverViewWasLeft)
{
    Harness h;
    h.click("A0.H9");
    h.keyDown("A6", ui::key::F6); // to signal box 1
    ASSERT_TRUE(h.visible("A7"));
    h.keyDown("A7", ui::key::Escape);
    EXPECT_TRUE(h.visible("A0"));
    EXPECT_FALSE(h.visible("A7"));
    h.hoverClick("A0.H9");
    EXPECT_TRUE(h.visible("A6"));
    EXPECT_FALSE(h.visible("A7"));
    EXPECT_EQ(fontColor(h, "A0.H8"), Navy);
}

TEST(GameSetupFreight, TheFreightRowTogglesAlsoDuringAGame)
{
    Harness h;
    EXPECT_TRUE(h.checked("A1.NakladniVlaky"));
    h.click("A0.G8");
    EXPECT_FALSE(h.checked("A1.NakladniVlaky"));
    EXPECT_EQ(h.text("A0.G8"), "bez nákladních vlaků");
    h.click("A0.H9");
    h.keyDown("A6", ui::key::Escape);
    h.click("A0.G8");
    EXPECT_TRUE(h.checked("A1.NakladniVlaky"));
    EXPECT_EQ(h.text("A0.G8"), "s nákladními vlaky");
}

TEST(GameSetupTwice, EachGameRunsWhatTheMenuShows)
{
    Harness h;
    openGamePage(h);
    /* First game: a timetable, no freight trains, 6:30, two options changed. */
    h.moveOver("A0.G6", 1, 1);
    h.click("A0.G6");
    ASSERT_EQ(h.text("A1.GrafikonDir"), "sobota_nedele.t6g");
    h.click("A0.G8");
    while (h.text("A0.H1") != "6")
        h.click("A0.H1");
    while (h.text("A0.H3") != "30")
        h.click("A0.H3");
    h.click("A0.F8");
    h.hoverClick("A0.K8"); // box 2's signalman off
    h.hoverClick("A0.L0"); // technical faults off
    h.click("A0.F4");
    h.hoverClick("A0.H9");
    ASSERT_TRUE(h.messages().isEmpty()) << h.messages().join(" | ").toStdString();
    h.ticks(2);
    EXPECT_EQ(h.clock(), "6:30:01");
    EXPECT_FALSE(h.checked("A1.NakladniVlaky"));
    EXPECT_FALSE(h.checked("A1.KodSt2"));

    /* The end: the new store gets the menu's choices again, and the page shows them. */
    h.keyDown("A6", ui::key::Escape);
    h.hoverClick("A0.H5");
    EXPECT_EQ(h.text("A0.H8"), "Spustit hru");
    EXPECT_EQ(fontColor(h, "A0.F7"), Grey);
    EXPECT_TRUE(h.visible("A0.H1"));
    EXPECT_FALSE(h.visible("A0.H5"));
    EXPECT_EQ(h.clock(), "00:00:00"); // fresh views, the clock not yet shown on them
    EXPECT_EQ(h.text("A1.GrafikonDir"), "sobota_nedele.t6g");
    EXPECT_EQ(h.text("A0.G6"), h.line("A1.Grafikon", 0));
    EXPECT_FALSE(h.checked("A1.NakladniVlaky"));
    EXPECT_EQ(h.text("A0.G8"), "bez nákladních vlaků");
    EXPECT_FALSE(h.checked("A1.KodSt2"));
    EXPECT_EQ(picture(h, "A0.K8"), picture(h, "A0.Tl4"));
    EXPECT_FALSE(h.checked("A1.KodPoruchy"));
    EXPECT_EQ(picture(h, "A0.L0"), picture(h, "A0.Tl4"));
    EXPECT_TRUE(h.checked("A1.KodSt1"));
    EXPECT_EQ(h.text("A0.H1"), "6"); // the start time stays

    /* Second game: no timetable, freight trains on, 8:05. */
    h.moveOver("A0.G6", 1, 1);
    h.click("A0.G6"); // the next file
    h.click("A0.G6"); // none
    EXPECT_EQ(h.text("A0.G6"), "- žádný grafikon -");
    h.click("A0.G8");
    while (h.text("A0.H1") != "8")
        h.click("A0.H1");
    while (h.text("A0.H3") != "05")
        h.click("A0.H3");
    h.hoverClick("A0.H9");
    ASSERT_TRUE(h.messages().isEmpty()) << h.messages().join(" | ").toStdString();
    h.ticks(1);
    EXPECT_EQ(h.clock(), "8:05:00");
    EXPECT_TRUE(h.checked("A1.NakladniVlaky"));
    EXPECT_TRUE(h.lines("A1.Grafikon").isEmpty());
    EXPECT_TRUE(h.app().TimetableTrainLines.empty());
    EXPECT_EQ(h.text("A1.C03"), "Stůj");
    EXPECT_TRUE(h.visible("A6"));
}

TEST(GameSetupHover, OnlyOneRowOfThePageIsLit)
{
    Harness h;
    openGamePage(h);
    h.moveOver("A0.G7", 1, 1);
    EXPECT_EQ(penColor(h, "A0.G7"), Blue);
    EXPECT_EQ(fontColor(h, "A0.G8"), Blue);
    h.moveOver("A0.H9", 1, 1);
    EXPECT_EQ(fontColor(h, "A0.H8"), Blue);
    EXPECT_EQ(penColor(h, "A0.G7"), Navy);
    EXPECT_EQ(fontColor(h, "A0.G8"), Navy);
    h.moveOver("A0.G4", 1, 1); // the page resets
    EXPECT_EQ(fontColor(h, "A0.H8"), Navy);
}
