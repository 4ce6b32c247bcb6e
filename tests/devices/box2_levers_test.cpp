/** @file box2_levers_test.cpp Box 2's block levers: when they go home, what they write, their sounds and tags. */
#include "box2_fixture.h"

#include <gtest/gtest.h>

using namespace box2_test;

TEST(Box2Levers, ASignalLeverWithItsKnobTurnedOnlyDipsAndItsReleaseStillStopsTheCrank)
{
    Harness h;
    h.click("A0.H9");
    setFields(h, {{"A1.ZavCHSt", 5}, {"A1.NavCHOdSt", 6}, {"A1.HrCHOd", 1}, {"A1.NavCHDoSt", 6}, {"A1.HrCHDo", 5}});
    turnRight(h, "A8.NavCH");
    h.as<ui::Timer>("A1.Klika").setEnabledFlag(true);
    const qsizetype mark = h.sounds().size();
    h.press("A8.PakaNavCHDo", 5, 5);
    EXPECT_EQ(topOf(h, "A8.PakaNavCHDo"), 501);
    EXPECT_FALSE(h.timerEnabled("A1.ZaverSt2"));
    EXPECT_EQ(h.value("A1.NavCHDoSt"), 6);
    h.release(5, 5);
    EXPECT_EQ(topOf(h, "A8.PakaNavCHDo"), 499);
    EXPECT_FALSE(h.timerEnabled("A1.Klika"));
    EXPECT_TRUE(soundsSince(h, mark).isEmpty());
}

TEST(Box2Levers, ASignalReleaseGoesHomeTakesItsLatchAndSounds)
{
    Harness h;
    h.click("A0.H9");
    setFields(h, {{"A1.NavCHDoSt", 6}, {"A1.HrCHDo", 5}});
    const qsizetype mark = h.sounds().size();
    h.press("A8.PakaNavCHDo", 5, 5);
    EXPECT_EQ(topOf(h, "A8.PakaNavCHDo"), 506);
    EXPECT_EQ(h.value("A1.NavCHDoSt"), 5);
    EXPECT_TRUE(h.timerEnabled("A1.ZaverSt2"));
    h.release(5, 5);
    EXPECT_EQ(topOf(h, "A8.PakaNavCHDo"), 499);
    EXPECT_FALSE(h.timerEnabled("A1.ZaverSt2"));
    EXPECT_EQ(h.interval("A1.ZaverSt2"), 300);
    EXPECT_EQ(soundsSince(h, mark),
              (QStringList{"play Hrtl1.wav", "play Hrtl2.wav", "stop Zaver3.wav", "stop Induktor3.wav"}));

    /* Ignoring the latches, the lever goes home and the copy keeps its value. */
    h.check("A1.KodZapadky", true);
    setFields(h, {{"A1.NavCHOdSt", 3}, {"A1.HrCHOd", 2}});
    h.press("A8.PakaNavCHOd", 5, 5);
    EXPECT_EQ(topOf(h, "A8.PakaNavCHOd"), 506);
    EXPECT_EQ(h.value("A1.NavCHOdSt"), 3);
    h.release(5, 5);
    /* With the train not yet passed (field 1) it only dips. */
    setFields(h, {{"A1.HrCHOd", 1}});
    h.press("A8.PakaNavCHOd", 5, 5);
    EXPECT_EQ(topOf(h, "A8.PakaNavCHOd"), 501);
    h.release(5, 5);
}

TEST(Box2Levers, HeldHomeTheEntryReleaseStepsItsFieldsUnderTheBoxCrank)
{
    Harness h;
    setFields(h, {{"A1.NavCHOd", 5}, {"A1.NavCHOdSt", 6}, {"A1.HrCHOd", 5}});
    h.press("A8.PakaNavCHOd", 5, 5);
    h.advanceMs(300 + 4 * 200);
    EXPECT_EQ(h.value("A1.NavCHOd"), 1);
    EXPECT_EQ(h.value("A1.NavCHOdSt"), 1);
    EXPECT_EQ(h.value("A1.HrCHOd"), 1);
    h.release(5, 5);
    EXPECT_FALSE(h.timerEnabled("A1.ZaverSt2"));
}

TEST(Box2Levers, TheConsentLeverNeedsIKTurnedRight)
{
    Harness h;
    setFields(h, {{"A1.SouLc1", 5}});
    h.press("A8.PakaSouLc1", 5, 5);
    EXPECT_EQ(topOf(h, "A8.PakaSouLc1"), 503);
    EXPECT_FALSE(h.timerEnabled("A1.ZaverSt2"));
    h.release(5, 5);
    EXPECT_EQ(topOf(h, "A8.PakaSouLc1"), 501);
    setFields(h, {{"A1.SouLc1St", 5}});
    turnRight(h, "A8.IK");
    setFields(h, {{"A1.SouLc1", 1}});
    h.press("A8.PakaSouLc1", 5, 5);
    EXPECT_EQ(topOf(h, "A8.PakaSouLc1"), 503);
    h.release(5, 5);
    setFields(h, {{"A1.SouLc1", 2}});
    h.press("A8.PakaSouLc1", 5, 5);
    EXPECT_EQ(topOf(h, "A8.PakaSouLc1"), 508);
    EXPECT_TRUE(h.timerEnabled("A1.ZaverSt2"));
    h.release(5, 5);
}

TEST(Box2Levers, TheRouteLeverShowsTheTrackChosenOnTheDesk)
{
    Harness h;
    h.press("A8.PakaZavCH", 5, 5);
    EXPECT_EQ(topOf(h, "A8.PakaZavCH"), 503);
    h.release(5, 5);
    /* IK alone does not count as a route. */
    setFields(h, {{"A1.SouLc1St", 5}});
    turnRight(h, "A8.IK");
    h.press("A8.PakaZavCH", 5, 5);
    EXPECT_EQ(topOf(h, "A8.PakaZavCH"), 503);
    h.release(5, 5);
    setFields(h, {{"A1.SouLc1St", 1}});
    turnLeft(h, "A8.IK");

    turnRight(h, "A8.I1");
    ui::Control &knob = h.control("A6.KnoflikC");
    const int blok = topOf(h, "A6.Blok");
    knob.setTop(blok + 852); // the stop of track 4: no label
    h.press("A8.PakaZavCH", 5, 5);
    EXPECT_EQ(topOf(h, "A8.PakaZavCH"), 508);
    h.release(5, 5);
    for (const char *l : {"A8.CisloCH1", "A8.CisloCH2", "A8.CisloCH3", "A8.CisloCH5", "A8.CisloCH7"})
        EXPECT_FALSE(h.visible(l)) << l;
    knob.setTop(blok + 828);
    h.press("A8.PakaZavCH", 5, 5);
    h.release(5, 5);
    EXPECT_TRUE(h.visible("A8.CisloCH1"));
    knob.setTop(blok + 812);
    h.press("A8.PakaZavCH", 5, 5);
    h.release(5, 5);
    EXPECT_TRUE(h.visible("A8.CisloCH3"));
}

TEST(Box2Levers, AHangingTagMovesWithItsLeverButDoesNotHoldIt)
{
    Harness h;
    h.doubleClick("A8.CedCHDo");
    EXPECT_TRUE(h.visible("A8.CedulkaCHDo"));
    setFields(h, {{"A1.NavCHDoSt", 6}, {"A1.HrCHDo", 5}});
    h.press("A8.PakaNavCHDo", 5, 5);
    EXPECT_EQ(topOf(h, "A8.PakaNavCHDo"), 506);
    EXPECT_EQ(topOf(h, "A8.CedulkaCHDo"), 506 + 27);
    h.release(5, 5);
    EXPECT_EQ(topOf(h, "A8.CedulkaCHDo"), 499 + 27);
    h.doubleClick("A8.CedulkaCHDo");
    EXPECT_FALSE(h.visible("A8.CedulkaCHDo"));
    /* A hidden tag stays where it was. */
    h.press("A8.PakaNavCHDo", 5, 5);
    EXPECT_EQ(topOf(h, "A8.CedulkaCHDo"), 499 + 27);
    h.release(5, 5);
}

TEST(Box2Levers, TheTagHoldersAreSeeThroughLabelsOverTheirLeversFeet)
{
    Harness h;
    for (const char *id : {"CHDo", "CHOd"}) {
        const auto &holder = h.as<ui::Label>(QStringLiteral("A8.Ced") + id);
        const ui::Control &lever = h.control(QStringLiteral("A8.PakaNav") + id);
        EXPECT_TRUE(holder.transparent()) << id;
        EXPECT_TRUE(holder.caption().isEmpty()) << id;
        const QRect foot(lever.left(), lever.top() + 40, lever.width(), lever.height() - 40);
        EXPECT_TRUE(foot.contains(holder.bounds())) << id << " over its lever's foot";
        EXPECT_EQ(holder.parent(), lever.parent()) << id;
    }
}
