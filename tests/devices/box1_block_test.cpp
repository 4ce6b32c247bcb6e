/** @file box1_block_test.cpp Signal box 1's block levers and magneto, pressed and let go by the player. */
#include "devices/box1_fixture.h"

#include <gtest/gtest.h>

using namespace box1;

namespace {

constexpr int SignalRest = 499, RouteRest = 501;

/** Presses a block lever of box 1; it stays held until release(). */
void hold(Harness &h, const QString &lever)
{
    h.press(lever, 5, 5);
}

} // namespace

TEST(Box1Block, ASignalLeverGoesHomeAfterATrainAndStepsTheFieldsUntilLetGo)
{
    Harness h;
    h.click("A0.H9");
    setFields(h, {{"A1.NavBOd", 5}, {"A1.NavBOdSt", 6}, {"A1.HrBOd", 5}});
    hold(h, "A7.PakaNavBOd");
    EXPECT_EQ(h.control("A7.PakaNavBOd").top(), SignalRest + 7);
    EXPECT_EQ(h.value("A1.NavBOdSt"), 5) << "the released latch is taken";
    EXPECT_TRUE(h.timerEnabled("A1.ZaverSt1"));
    EXPECT_EQ(played(h, "Hrtl1.wav"), 1);
    h.advanceMs(300 + 4 * 200);
    EXPECT_EQ(h.value("A1.NavBOd"), 1);
    EXPECT_EQ(h.value("A1.NavBOdSt"), 1);
    EXPECT_EQ(h.value("A1.HrBOd"), 1);
    h.release(5, 5);
    EXPECT_EQ(h.control("A7.PakaNavBOd").top(), SignalRest);
    EXPECT_FALSE(h.timerEnabled("A1.ZaverSt1"));
    EXPECT_EQ(h.interval("A1.ZaverSt1"), 300);
    EXPECT_FALSE(h.timerEnabled("A1.Induktor"));
    EXPECT_EQ(h.control("A7.Induktor").top(), 394) << "the magneto stands at rest again";
    EXPECT_EQ(played(h, "Hrtl2.wav"), 1);
    EXPECT_TRUE(h.sounds().contains("stop Zaver2.wav"));
    EXPECT_TRUE(h.sounds().contains("stop Induktor3.wav"));
}

TEST(Box1Block, ASignalLeverIsOnlyTouchedWhileItsLineRefuses)
{
    Harness h;
    h.click("A0.H9");
    setFields(h, {{"A1.NavBOdSt", 6}, {"A1.HrBOd", 1}, {"A1.ZavBSt", 5}, {"A1.NavBDoSt", 6}});
    hold(h, "A7.PakaNavBOd");
    EXPECT_EQ(h.control("A7.PakaNavBOd").top(), SignalRest + 2) << "no train has passed";
    EXPECT_FALSE(h.timerEnabled("A1.ZaverSt1"));
    h.release(5, 5);
    EXPECT_EQ(h.control("A7.PakaNavBOd").top(), SignalRest);
    EXPECT_EQ(played(h, "Hrtl2.wav"), 0) << "a touched lever springs back silently";

    setFields(h, {{"A1.HrBOd", 5}});
    turn(h, "A7.NavB", 1);
    hold(h, "A7.PakaNavBOd");
    EXPECT_EQ(h.control("A7.PakaNavBOd").top(), SignalRest + 2) << "the signal knob stands turned";
    h.release(5, 5);
    turn(h, "A7.NavB", -1);

    /* Without the substitute latches the lever goes home on any field, and the field stays. */
    setFields(h, {{"A1.NavBOdSt", 4}});
    hold(h, "A7.PakaNavBOd");
    EXPECT_EQ(h.control("A7.PakaNavBOd").top(), SignalRest + 2);
    h.release(5, 5);
    h.check("A1.KodZapadky", true);
    hold(h, "A7.PakaNavBOd");
    EXPECT_EQ(h.control("A7.PakaNavBOd").top(), SignalRest + 7);
    EXPECT_EQ(h.value("A1.NavBOdSt"), 4);
    h.release(5, 5);
}

TEST(Box1Block, ALineBSignalLeverReadsItsOwnLine)
{
    Harness h;
    h.click("A0.H9");
    setFields(h, {{"A1.NavMDoSt", 6}, {"A1.HrMDo", 5}, {"A1.NavBDoSt", 6}, {"A1.HrBDo", 5}});
    setFields(h, {{"A1.ZavMSt", 5}, {"A1.NavMOdSt", 6}});
    turn(h, "A7.NavM", -1);
    ASSERT_EQ(h.control("A7.NavM").left(), 667 - 19);
    hold(h, "A7.PakaNavBDo");
    EXPECT_EQ(h.control("A7.PakaNavBDo").top(), SignalRest + 7) << "line B's knob does not hold line A";
    h.release(5, 5);
    hold(h, "A7.PakaNavMDo");
    EXPECT_EQ(h.control("A7.PakaNavMDo").top(), SignalRest + 2);
    h.release(5, 5);
}

TEST(Box1Block, TheRouteLeverNeedsATurnedRouteLockAndShowsTheDesksTrack)
{
    Harness h;
    h.click("A0.H9");
    hold(h, "A7.PakaZavB");
    EXPECT_EQ(h.control("A7.PakaZavB").top(), RouteRest + 2);
    EXPECT_FALSE(h.timerEnabled("A1.ZaverSt1"));
    h.release(5, 5);

    placeKnob(h, "A7.Zavernik2", 1655, 1);
    const int blok = h.control("A6.Blok").top();
    h.control("A6.KnoflikA").setTop(blok + 804);
    hold(h, "A7.PakaZavB");
    EXPECT_EQ(h.control("A7.PakaZavB").top(), RouteRest + 7);
    EXPECT_TRUE(h.timerEnabled("A1.ZaverSt1"));
    EXPECT_TRUE(h.visible("A7.CisloB5"));
    h.release(5, 5);
    EXPECT_EQ(h.control("A7.PakaZavB").top(), RouteRest);

    /* Line B's lever reads line B's locks and knob: between stops no label. */
    placeKnob(h, "A7.Zavernik4", 1847, 1);
    h.control("A6.KnoflikB").setTop(blok + 820);
    hold(h, "A7.PakaZavM");
    EXPECT_EQ(h.control("A7.PakaZavM").top(), RouteRest + 7);
    for (const char *label : {"A7.CisloM1", "A7.CisloM2", "A7.CisloM3", "A7.CisloM4", "A7.CisloM5", "A7.CisloM7"})
        EXPECT_FALSE(h.visible(label)) << label;
    h.release(5, 5);
}

TEST(Box1Block, TheMagnetoIsTheCurrentSourceAndGlowsOnlyWhileTheBlockRuns)
{
    Harness h;
    h.click("A0.H9");
    h.type("A1.Proud", "K");
    h.press("A7.Induktor", 5, 5);
    EXPECT_EQ(h.control("A7.Induktor").top(), 396);
    EXPECT_EQ(h.text("A1.Proud"), "I");
    EXPECT_TRUE(h.timerEnabled("A1.Induktor"));
    EXPECT_EQ(played(h, "Induktor1.wav"), 1);
    h.advanceMs(200);
    EXPECT_FALSE(h.visible("A7.Induktor2")) << "no block runs";
    h.release(5, 5);
    EXPECT_EQ(h.control("A7.Induktor").top(), 394);
    EXPECT_FALSE(h.timerEnabled("A1.Induktor"));
    EXPECT_EQ(played(h, "Induktor2.wav"), 1);

    /* Held home under the magneto: after the first tick the handle turns down, and the release lifts it back. */
    setFields(h, {{"A1.NavBDoSt", 6}, {"A1.HrBDo", 5}, {"A1.NavBDo", 5}});
    hold(h, "A7.PakaNavBDo");
    h.advanceMs(300);
    EXPECT_EQ(h.control("A7.Induktor").top(), 396);
    h.release(5, 5);
    EXPECT_EQ(h.control("A7.Induktor").top(), 394);
    EXPECT_FALSE(h.visible("A7.Induktor2"));
    EXPECT_FALSE(h.visible("A6.InduktorA2"));
}

TEST(Box1Block, AHangingTagFollowsItsLever)
{
    Harness h;
    h.click("A0.H9");
    h.doubleClick("A7.CedBOd");
    ASSERT_TRUE(h.visible("A7.CedulkaBOd"));
    hold(h, "A7.PakaNavBOd");
    EXPECT_EQ(h.control("A7.CedulkaBOd").top(), SignalRest + 2 + 27);
    h.release(5, 5);
    EXPECT_EQ(h.control("A7.CedulkaBOd").top(), SignalRest + 27);
    EXPECT_EQ(h.control("A7.PakaNavBOd").top(), SignalRest) << "the tag does not hold the lever";
}
