/** @file clock_test.cpp The clock tick: speed table, pause, time carrying, clock labels and shading. */
#include "core/core_handlers.h"
#include "harness/harness.h"
#include "ui/controls.h"

#include <gtest/gtest.h>

TEST(Clock, TicksFromProgramStartInTheMenu)
{
    Harness h;
    EXPECT_TRUE(h.timerEnabled("A1.Hodiny"));
    EXPECT_EQ(h.interval("A1.Hodiny"), 1000);
    h.ticks(5);
    EXPECT_EQ(h.clock(), "12:00:05");
    EXPECT_EQ(h.text("A5.D7"), "12:00:05");
    EXPECT_EQ(h.text("A8.H01"), "12:00:05");
}

TEST(Clock, SpeedWordsSetTheInterval)
{
    Harness h;
    const std::pair<const char *, int> rows[] = {{"2", 500}, {"4", 250}, {"8", 125},   {"16", 63},  {"32", 32},
                                                 {"64", 16}, {"128", 8}, {"256", 4},   {"512", 2},  {"1024", 1},
                                                 {"1", 1000}};
    for (const auto &[word, ms] : rows) {
        h.type("A1.Rychlost", word);
        h.ticks(1);
        EXPECT_EQ(h.interval("A1.Hodiny"), ms) << word;
    }
}

TEST(Clock, UnknownSpeedWordKeepsTheIntervalAndTheTickRuns)
{
    Harness h;
    h.type("A1.Rychlost", "4");
    h.ticks(1);
    h.type("A1.Rychlost", "3");
    h.ticks(1);
    EXPECT_EQ(h.interval("A1.Hodiny"), 250);
    EXPECT_EQ(h.clock(), "12:00:02");
}

TEST(Clock, PauseStandsStillAtOneMillisecond)
{
    Harness h;
    int firings = 0;
    h.as<ui::Timer>("A1.Hodiny").setOnTimer([&h, &firings] {
        ++firings;
        core::HodinyTimer(h.app());
    });
    h.ticks(2);
    h.type("A1.Rychlost", "P");
    h.ticks(1); // applies the pause
    h.advanceMs(5000);
    EXPECT_EQ(h.interval("A1.Hodiny"), 1);
    EXPECT_TRUE(h.timerEnabled("A1.Hodiny"));
    EXPECT_EQ(firings, 3) << "the paused clock sleeps until the speed is written";
    EXPECT_EQ(h.clock(), "12:00:02");
    EXPECT_EQ(h.text("A1.Sekunda"), "02");
    h.type("A1.Rychlost", "1");
    h.advanceMs(1);
    EXPECT_EQ(firings, 4);
    EXPECT_EQ(h.clock(), "12:00:03");
    h.ticks(1);
    EXPECT_EQ(h.clock(), "12:00:04");
}

TEST(Clock, MidnightAndTheTenOClockCarry)
{
    Harness h;
    h.setClock(23, 59, 59);
    h.ticks(1);
    EXPECT_EQ(h.clock(), "0:00:00");
    h.ticks(1);
    EXPECT_EQ(h.clock(), "0:00:01");

    h.setClock(9, 59, 59);
    h.ticks(1);
    EXPECT_EQ(h.clock(), "10:00:00");
}

TEST(Clock, LookAheadLinesCarryEachOnItsOwn)
{
    Harness h;
    h.setClock(23, 57, 59);
    EXPECT_EQ(h.lines("A1.Minuta"), (QStringList{"57", "58", "59", "00", "01", "02"}));
    EXPECT_EQ(h.lines("A1.Hodina"), (QStringList{"23", "23", "23", "0", "0", "0"}));
    h.ticks(1);
    EXPECT_EQ(h.lines("A1.Minuta"), (QStringList{"58", "59", "00", "01", "02", "03"}));
    EXPECT_EQ(h.lines("A1.Hodina"), (QStringList{"23", "23", "0", "0", "0", "0"}));
}

TEST(Clock, AMinuteLineOfMinusOneBecomesZeroZeroWithoutTouchingItsHour)
{
    Harness h;
    h.type("A1.Minuta", "-1\n00\n01\n02\n03\n04");
    h.type("A1.Hodina", "7\n7\n7\n7\n7\n7");
    h.type("A1.Sekunda", "59");
    h.ticks(1);
    EXPECT_EQ(h.lines("A1.Minuta"), (QStringList{"00", "01", "02", "03", "04", "05"}));
    EXPECT_EQ(h.line("A1.Hodina", 0), "7");
}

TEST(Clock, OnlySecondsOneToNineGetALeadingZero)
{
    Harness h;
    h.type("A1.Sekunda", "-1");
    h.ticks(1);
    EXPECT_EQ(h.text("A1.Sekunda"), "0");
    h.ticks(1);
    EXPECT_EQ(h.text("A1.Sekunda"), "01");
    h.type("A1.Sekunda", "8");
    h.ticks(2);
    EXPECT_EQ(h.text("A1.Sekunda"), "10");
}

TEST(Clock, TheCarryWritesTheMinuteLineBeforeItsHourLine)
{
    Harness h;
    h.type("A1.Minuta", "59\n00\n01\n02\n03\n04");
    h.type("A1.Hodina", "9\n10\n10\n10\n10\n10");
    h.type("A1.Sekunda", "59");
    /* What the hour line holds at the moment its minute line changes. */
    QStringList seen;
    auto &minuta = h.as<ui::Memo>("A1.Minuta");
    minuta.onChange = [&] { seen << minuta.line(0) + "@" + h.line("A1.Hodina", 0); };
    h.ticks(1);
    ASSERT_FALSE(seen.isEmpty());
    EXPECT_EQ(seen.first(), "00@9");
    EXPECT_EQ(h.clock(), "10:00:00");
}

TEST(Clock, ABadSecondsTextFailsEveryTickAndTheClockStandsStill)
{
    Harness h;
    h.type("A1.Sekunda", "");
    h.ticks(3);
    /* The same failure on every tick is shown once. */
    EXPECT_EQ(h.messages(), (QStringList{"Error A1H", "'' is not a valid integer value"}));
    EXPECT_EQ(h.text("A1.Sekunda"), "");
    EXPECT_TRUE(h.timerEnabled("A1.Hodiny"));
    h.type("A1.Sekunda", "10");
    h.ticks(1);
    EXPECT_EQ(h.clock(), "12:00:11");
}

TEST(Clock, WhileTheTicksErrorBoxIsOpenNoFurtherTickStacksAnother)
{
    Harness h;
    h.type("A1.Sekunda", "");
    /* The player leaves the first box open for ten seconds; meanwhile the
       box's loop runs the timers. */
    bool open = false;
    h.messageBoxes().whileOpen = [&](const QString &) {
        if (open)
            return;
        open = true;
        h.advanceMs(10000);
        open = false;
    };
    h.ticks(1);
    EXPECT_EQ(h.messages(), (QStringList{"Error A1H", "'' is not a valid integer value"}));
}

TEST(Clock, ARepeatingFailureAtTopSpeedNeverLocksThePlayerOut)
{
    Harness h;
    h.type("A1.Rychlost", "1024");
    h.ticks(1);
    h.type("A1.Sekunda", "x");
    h.advanceMs(2000);
    EXPECT_EQ(h.messages(), (QStringList{"Error A1H", "'x' is not a valid integer value"}));
    /* Another failure is shown at once. */
    h.type("A1.Sekunda", "y");
    h.advanceMs(100);
    EXPECT_EQ(h.messages().count("Error A1H"), 2);
    EXPECT_EQ(h.messages().last(), "'y' is not a valid integer value");
    /* The player mends the cell; once a tick has run cleanly the same failure is shown again. */
    h.type("A1.Sekunda", "10");
    h.ticks(1);
    EXPECT_EQ(h.clock(), "12:00:11");
    h.type("A1.Sekunda", "y");
    h.advanceMs(100);
    EXPECT_EQ(h.messages().count("Error A1H"), 3);
    EXPECT_EQ(h.messages().count("'y' is not a valid integer value"), 2);
}

TEST(Clock, ShadingChangesOnlyWhenTheMinuteKeyIsPassedThrough)
{
    Harness h;
    const QColor before = h.color("A5.D5");
    h.setClock(2, 58, 0);
    h.ticks(1);
    h.setClock(3, 5, 0);
    h.ticks(1);
    EXPECT_EQ(h.color("A5.D5"), before);

    h.setClock(2, 59, 59);
    h.ticks(1);
    EXPECT_EQ(h.color("A5.D5"), QColor(0, 21, 0));
    EXPECT_EQ(h.color("A7.Nahled"), QColor(0, 21, 0));
    EXPECT_EQ(h.color("A8.Nahled"), QColor(0, 21, 0));
    EXPECT_NE(h.color("A6.D5"), QColor(0, 21, 0));

    h.setClock(7, 59, 59);
    h.ticks(1);
    EXPECT_EQ(h.color("A5.D5"), QColor(0, 128, 0));
    h.setClock(22, 59, 59);
    h.ticks(1);
    EXPECT_EQ(h.color("A8.Nahled"), QColor(0, 0, 0));
}

TEST(Clock, AGameStartedInTheMinuteTheMenuLastShowedStillMarksItsTrains)
{
    Harness h;
    /* The menu's clock stands in 4:42, the minute passenger train 6020 falls due. */
    h.setClock(4, 42, 10);
    h.ticks(5);
    /* A game from 4:42 runs the same minute again: its first tick is the game's first minute. */
    h.as<ui::Label>("A0.H1").setCaption("4");
    h.as<ui::Label>("A0.H3").setCaption("42");
    h.click("A0.H9");
    h.ticks(1);
    EXPECT_EQ(h.clock(), "4:42:00");
    EXPECT_EQ(h.text("A2.G6"), "6020");
    /* Shading written by the game start stays until the next listed minute. */
    EXPECT_EQ(h.color("A5.D5"), QColor(0, 43, 0));
    h.setClock(4, 59, 59);
    h.ticks(1);
    EXPECT_EQ(h.color("A5.D5"), QColor(0, 64, 0));
}
