/** @file shunting_controls_test.cpp The shunting panel: choosing a track, starting, braking, creeping and pulling. */
#include "shunting_fixture.h"

namespace {

const QColor Lime(0, 255, 0);
const QColor White(255, 255, 255);
const QColor Red(255, 0, 0);
const QColor Blue(0, 0, 255);
const QColor Navy(0, 0, 128);

using ShuntingControls = ShuntingTest;

TEST_F(ShuntingControls, PanelStandsHiddenWithItsCaptionsAndNoTrackChosenDoesNothing)
{
    EXPECT_FALSE(h.visible("A5.PanelB"));
    const QString captions[] = {"2.kolej", "1.kolej", "3.kolej", "5.kolej", "7.kolej"};
    for (int k = 1; k <= 5; ++k) {
        EXPECT_EQ(h.text("A5.PB0" + QString::number(k)), captions[k - 1]);
        EXPECT_EQ(h.color("A5.PB0" + QString::number(k)), Navy);
    }
    EXPECT_EQ(h.text("A5.PB07"), "<    posun");
    EXPECT_EQ(h.text("A5.PB09"), "přiblížit    >");
    EXPECT_EQ(h.text("A5.PB11"), "odvěsit");

    putUnit(2, {0, 1, 2, -1, -1, -1, -1, -1, -1, -1}, "1", true);
    a1().KolejB->setValue(2);
    listColour("C38", White);
    for (const char *b : {"A5.PB07", "A5.PB08", "A5.PB09", "A5.PB10", "A5.PB11", "A5.PB12"})
        h.click(b);
    EXPECT_FALSE(track(2).shuntLeft->enabledFlag());
    EXPECT_EQ(track(2).shuntStage->value(), 0);
    EXPECT_EQ(track(2).posun->color(), QColor(255, 255, 0));
    EXPECT_EQ(slot(2, 1).left(), 288);
    EXPECT_EQ(slot(2, 2).left(), 318);
    EXPECT_TRUE(h.messages().isEmpty());
}

TEST_F(ShuntingControls, LeftStartNeedsTheRouteAndShuntingAllowedOnTheSignal)
{
    putUnit(2, {0, 1, 2, -1, -1, -1, -1, -1, -1, -1}, "1", false);
    a1().KolejA->setValue(1);
    a1().KolejB->setValue(2);
    h.click("A5.PB01");
    EXPECT_EQ(h.color("A5.PB01"), Blue);
    EXPECT_EQ(h.color("A5.PB02"), Navy);
    EXPECT_EQ(h.text("A5.PB09"), "posun    >");

    for (const QColor &c : {Lime, Red}) {
        listColour("C38", c);
        h.click("A5.PB07");
        EXPECT_FALSE(track(2).shuntLeft->enabledFlag());
        EXPECT_EQ(track(2).shuntStage->value(), 0);
    }
    listColour("C38", White);
    a1().KolejB->setValue(3);
    h.click("A5.PB07");
    EXPECT_FALSE(track(2).shuntLeft->enabledFlag()) << "no route from line A or B to track 2";

    a1().KolejB->setValue(2);
    h.click("A5.PB07");
    EXPECT_TRUE(h.timerEnabled("A5.TimerPosun2L"));
    EXPECT_EQ(h.value("A5.StavPosun2"), 1);
    EXPECT_EQ(h.color("A5.StavPosun2"), Lime);

    /* Resuming a run paused across the end of the track keeps its stage. */
    track(2).shuntStage->setValue(2);
    track(2).shuntStage->setColor(White);
    track(2).shuntLeft->setEnabledFlag(false);
    h.click("A5.PB07");
    EXPECT_EQ(h.value("A5.StavPosun2"), 2);
    EXPECT_EQ(h.color("A5.StavPosun2"), Lime);
    EXPECT_TRUE(h.timerEnabled("A5.TimerPosun2L"));

    /* The brake only turns the phase red, on a running or a resting track alike. */
    h.click("A5.PB08");
    EXPECT_EQ(h.color("A5.StavPosun2"), Red);
    EXPECT_TRUE(h.timerEnabled("A5.TimerPosun2L"));
    h.click("A5.PB05");
    h.click("A5.PB08");
    EXPECT_EQ(h.color("A5.StavPosun7"), Red);
    EXPECT_EQ(h.value("A5.StavPosun7"), 0);
    EXPECT_FALSE(h.timerEnabled("A5.TimerPosun7L"));
}

TEST_F(ShuntingControls, RightStartOnTrack1NeedsBothL1aAndLc1)
{
    putUnit(1, {0, 1, 2, -1, -1, -1, -1, -1, -1, -1}, "1", false);
    a1().KolejC->setValue(1);
    h.click("A5.PB02");
    listColour("C20", White);
    h.click("A5.PB09");
    EXPECT_FALSE(track(1).shuntRight->enabledFlag()) << "Lc1 alone is not enough";
    listColour("C17", White);
    a1().KolejC->setValue(3);
    h.click("A5.PB09");
    EXPECT_FALSE(track(1).shuntRight->enabledFlag()) << "line C's route lies to another track";
    a1().KolejC->setValue(1);
    h.click("A5.PB09");
    EXPECT_TRUE(h.timerEnabled("A5.TimerPosun1P"));
    EXPECT_EQ(h.value("A5.StavPosun1"), -1);
    EXPECT_EQ(h.color("A5.StavPosun1"), Lime);

    /* Track 3's own side-C signal is L3, spelled with its small-p left timer beside. */
    putUnit(3, {0, 1, 2, -1, -1, -1, -1, -1, -1, -1}, "10", false);
    a1().KolejC->setValue(3);
    listColour("C26", White);
    h.click("A5.PB03");
    h.click("A5.PB09");
    EXPECT_TRUE(h.timerEnabled("A5.TimerPosun3P"));
    EXPECT_FALSE(h.timerEnabled("A5.Timerposun3L"));
}

TEST_F(ShuntingControls, CaptionsFollowTheLocoAloneAndItsNeighbourAndCreepMovesOnePixel)
{
    putUnit(5, {1, 2, 3, -1, -1, -1, -1, -1, 4, 0}, "10", true);
    const int loco = slot(5, 10).left();
    h.click("A5.PB04");
    EXPECT_EQ(h.text("A5.PB07"), "<    přiblížit");
    EXPECT_EQ(h.text("A5.PB09"), "posun    >");
    EXPECT_EQ(h.text("A5.PB11"), "svěsit");
    a1().KolejA->setValue(5);
    listColour("C44", White);
    h.click("A5.PB07");
    h.click("A5.PB07");
    EXPECT_EQ(slot(5, 10).left(), loco - 2);
    EXPECT_FALSE(track(5).shuntLeft->enabledFlag());
    EXPECT_EQ(track(5).shuntStage->value(), 0);

    /* Loco alone at slot 1 with slot 2 empty: both captions read "posun" (only the left one may start). */
    putUnit(7, {0, -1, 3, -1, -1, -1, -1, -1, -1, -1}, "1", true);
    h.click("A5.PB05");
    EXPECT_EQ(h.text("A5.PB07"), "<    posun");
    EXPECT_EQ(h.text("A5.PB09"), "posun    >");
    /* With slot 2 occupied the right button creeps slot 1. */
    putUnit(7, {0, 2, 3, -1, -1, -1, -1, -1, -1, -1}, "1", true);
    h.click("A5.PB05");
    EXPECT_EQ(h.text("A5.PB09"), "přiblížit    >");
    h.click("A5.PB09");
    EXPECT_EQ(slot(7, 1).left(), 289);

    /* No loco but the alone colour: only the couple button's caption changes. */
    h.click("A5.PB04");
    track(3).posun->setColor(QColor(255, 255, 0));
    h.click("A5.PB03");
    EXPECT_EQ(h.text("A5.PB11"), "svěsit");
    EXPECT_EQ(h.text("A5.PB07"), "<    přiblížit");
    EXPECT_EQ(h.text("A5.PB09"), "posun    >");
    EXPECT_EQ(h.color("A5.PB04"), Navy);
    EXPECT_EQ(h.color("A5.PB03"), Blue);
}

TEST_F(ShuntingControls, TheCaptionsFollowTheKindAtOnceAndNoClickTakesAVehicleOutOfSight)
{
    /* At slot 10: uncoupled, the loco creeps towards its vehicles; coupled again, the left button runs. */
    putUnit(5, {-1, -1, -1, -1, -1, -1, -1, 1, 2, 0}, "10", false);
    h.click("A5.PB04");
    h.click("A5.PB11");
    EXPECT_EQ(h.text("A5.PB07"), "<    přiblížit");
    EXPECT_EQ(h.text("A5.PB09"), "posun    >");
    h.click("A5.PB07");
    EXPECT_EQ(slot(5, 10).left(), slot(5, 9).left() + slot(5, 9).width() + 1);
    h.click("A5.PB11");
    EXPECT_EQ(h.text("A5.PB07"), "<    posun");

    /* A loco alone at slot 1 of track 7 behind seven vehicles, the last one 10 px from the right edge. */
    const int left = screen() - 180;
    putUnit(7, {0, 1, 2, 3, 4, 5, 6, 7, -1, -1}, "1", true, left);
    h.click("A5.PB05");
    ASSERT_EQ(h.text("A5.PB09"), "přiblížit    >");
    h.click("A5.PB11");
    ASSERT_EQ(track(7).posun->color(), White);
    EXPECT_EQ(h.text("A5.PB07"), "<    posun");
    EXPECT_EQ(h.text("A5.PB09"), "posun    >");
    /* With no route to side C the right button starts nothing; the coupled loco is not crept into its vehicles. */
    for (int click = 0; click < 33; ++click)
        h.click("A5.PB09");
    EXPECT_EQ(slot(7, 1).left(), left);
    h.click("A5.PB10");
    EXPECT_EQ(slot(7, 1).left(), left - 10);
    EXPECT_LE(slot(7, 8).left() + slot(7, 8).width(), screen()) << "vehicle 7";
    h.click("A5.PB11");
    EXPECT_EQ(h.text("A5.PB07"), "<    posun");
    EXPECT_EQ(h.text("A5.PB09"), "přiblížit    >");

    /* Track 3's loco is away alone: choosing it keeps the creep caption, whose click has no loco to creep. */
    putUnit(3, {1, 2, 3, -1, -1, -1, -1, -1, -1, -1}, "0", true);
    h.click("A5.PB03");
    ASSERT_EQ(h.text("A5.PB09"), "přiblížit    >");
    h.click("A5.PB09");
    EXPECT_EQ(slot(3, 1).left(), 288);

    /* A row whose loco stands over its first vehicles: a pull to the left would lay them past the right edge. */
    putUnit(1, {0, 1, 2, 3, 4, 5, 6, 7, -1, -1}, "1", false, left);
    slot(1, 1).setLeft(left + 33);
    h.click("A5.PB02");
    h.click("A5.PB10");
    EXPECT_EQ(slot(1, 1).left(), left + 33);
    EXPECT_LE(slot(1, 8).left() + slot(1, 8).width(), screen()) << "vehicle 7";
    EXPECT_TRUE(h.messages().isEmpty());
}

TEST_F(ShuntingControls, ALocoAloneStartsOnlyFromItsLeadingEnd)
{
    a1().KolejA->setValue(5);
    a1().KolejC->setValue(5);
    listColour("C44", White);
    listColour("C29", White);
    /* At slot 10 with slot 9 empty both captions read "posun", but only side C takes it from there. */
    putUnit(5, {1, 2, 3, -1, -1, -1, -1, -1, -1, 0}, "10", true);
    h.click("A5.PB04");
    ASSERT_EQ(h.text("A5.PB07"), "<    posun");
    h.click("A5.PB07");
    EXPECT_FALSE(track(5).shuntLeft->enabledFlag());
    EXPECT_EQ(track(5).shuntStage->value(), 0);
    EXPECT_EQ(track(5).shuntStage->color(), QColor(255, 255, 255)) << "a refused start changes nothing";
    h.click("A5.PB09");
    EXPECT_TRUE(track(5).shuntRight->enabledFlag());
    EXPECT_EQ(track(5).shuntStage->value(), -1);
    track(5).shuntRight->setEnabledFlag(false);
    track(5).shuntStage->setValue(0);

    /* At slot 1 with slot 2 empty: only side A/B. */
    putUnit(5, {0, -1, -1, -1, -1, -1, -1, -1, 1, 2}, "1", true);
    h.click("A5.PB04");
    ASSERT_EQ(h.text("A5.PB09"), "posun    >");
    h.click("A5.PB09");
    EXPECT_FALSE(track(5).shuntRight->enabledFlag());
    EXPECT_EQ(track(5).shuntStage->value(), 0);
    h.click("A5.PB07");
    EXPECT_TRUE(track(5).shuntLeft->enabledFlag());
    EXPECT_EQ(track(5).shuntStage->value(), 1);

    /* Out and back on its consent, the loco stands at slot 1 again. */
    ASSERT_TRUE(runUntilStopped(5));
    h.click("A7.SPA");
    ASSERT_TRUE(runUntilStopped(5));
    EXPECT_EQ(shows(slot(5, 1)), 0);
    EXPECT_EQ(track(5).posun->text(), "1");
    EXPECT_GE(slot(5, 1).left(), 0);
    EXPECT_TRUE(h.messages().isEmpty());
}

TEST_F(ShuntingControls, NoRunStartsFromRestWithoutAUnitButAPausedOneResumes)
{
    a1().KolejB->setValue(2);
    a1().KolejC->setValue(2);
    for (const char *list : {"C38", "C17", "C23"})
        listColour(list, White);
    putUnit(2, {1, 2, -1, -1, -1, -1, -1, -1, -1, -1}, "0", false);
    h.click("A5.PB01");
    h.click("A5.PB07");
    h.click("A5.PB09");
    EXPECT_FALSE(track(2).shuntLeft->enabledFlag());
    EXPECT_FALSE(track(2).shuntRight->enabledFlag());
    EXPECT_EQ(track(2).shuntStage->value(), 0);

    /* A unit braked across the end of the track resumes from stage -2. */
    putUnit(2, {1, 2, -1, -1, -1, -1, -1, -1, -1, 0}, "10", false);
    track(2).shuntStage->setValue(-2);
    h.click("A5.PB09");
    EXPECT_TRUE(track(2).shuntRight->enabledFlag());
    EXPECT_EQ(track(2).shuntStage->value(), -2);
    EXPECT_EQ(track(2).shuntStage->color(), Lime);
}

TEST_F(ShuntingControls, StartingOneDirectionStopsTheOtherDirectionsTimer)
{
    a1().KolejA->setValue(3);
    a1().KolejC->setValue(3);
    listColour("C41", White);
    listColour("C26", White);
    putUnit(3, {0, 1, 2, -1, -1, -1, -1, -1, -1, -1}, "1", false, 400);
    h.click("A5.PB03");
    h.click("A5.PB07");
    h.advanceMs(200);
    ASSERT_EQ(track(3).shuntStage->value(), 1);
    const int outLeft = slot(3, 1).left();
    EXPECT_LT(outLeft, 400);

    h.click("A5.PB09");
    EXPECT_FALSE(track(3).shuntLeft->enabledFlag());
    EXPECT_TRUE(track(3).shuntRight->enabledFlag());
    EXPECT_EQ(track(3).shuntStage->value(), 1) << "a run under way keeps its stage";
    h.advanceMs(2000);
    EXPECT_GT(slot(3, 1).left(), outLeft) << "only the right timer moves the unit";

    h.click("A5.PB07");
    EXPECT_TRUE(track(3).shuntLeft->enabledFlag());
    EXPECT_FALSE(track(3).shuntRight->enabledFlag());
    const int back = slot(3, 1).left();
    h.advanceMs(2000);
    EXPECT_LT(slot(3, 1).left(), back);
    EXPECT_FALSE(track(3).shuntRight->enabledFlag());
}

TEST_F(ShuntingControls, ASideHoldsOneUnitAtATime)
{
    a1().KolejA->setValue(3);
    a1().KolejB->setValue(5);
    a1().KolejC->setValue(7);
    for (const char *list : {"C41", "C44", "C47", "C32"})
        listColour(list, White);
    putUnit(5, {0, 2, -1, -1, -1, -1, -1, -1, -1, -1}, "1", false);
    putUnit(7, {0, 2, -1, -1, -1, -1, -1, -1, -1, -1}, "10", false);

    /* A unit waiting beyond side B keeps side A/B for itself, whichever route the next one takes. */
    h.as<ui::Label>("A7.SPB").show();
    h.click("A5.PB04");
    h.click("A5.PB07");
    EXPECT_FALSE(track(5).shuntLeft->enabledFlag());
    h.as<ui::Label>("A7.SPB").hide();
    /* Another track's unit passing onto box 1's panel. */
    track(1).shuntStage->setValue(2);
    h.click("A5.PB07");
    EXPECT_FALSE(track(5).shuntLeft->enabledFlag());
    track(1).shuntStage->setValue(3);
    h.click("A5.PB07");
    EXPECT_FALSE(track(5).shuntLeft->enabledFlag());
    /* A unit of side C is no hindrance to side A/B. */
    track(1).shuntStage->setValue(-3);
    h.click("A5.PB07");
    EXPECT_TRUE(track(5).shuntLeft->enabledFlag());

    /* Side C: the unit on track 1 stands on box 2's panel, then a consent waits. */
    h.click("A5.PB05");
    h.click("A5.PB09");
    EXPECT_FALSE(track(7).shuntRight->enabledFlag());
    track(1).shuntStage->setValue(0);
    h.as<ui::Label>("A8.SPC").show();
    h.click("A5.PB09");
    EXPECT_FALSE(track(7).shuntRight->enabledFlag());
    h.as<ui::Label>("A8.SPC").hide();
    h.click("A5.PB09");
    EXPECT_TRUE(track(7).shuntRight->enabledFlag());
    EXPECT_TRUE(h.messages().isEmpty());
}

TEST_F(ShuntingControls, PullMovesAStandingCoupledRowAsOneBlock)
{
    putUnit(3, {0, 1, 2, 3, -1, -1, -1, -1, -1, -1}, "1", false);
    slot(3, 3).setLeft(slot(3, 3).left() + 7); // a gap, closed by the pull
    h.click("A5.PB03");
    h.click("A5.PB12");
    EXPECT_EQ(slot(3, 1).left(), 298);
    for (int k = 2; k <= 10; ++k)
        EXPECT_EQ(slot(3, k).left(), slot(3, k - 1).left() + slot(3, k - 1).width()) << k;
    h.click("A5.PB10");
    h.click("A5.PB10");
    EXPECT_EQ(slot(3, 1).left(), 278);

    track(3).shuntStage->setValue(1);
    h.click("A5.PB12");
    EXPECT_EQ(slot(3, 1).left(), 278) << "not while a run is under way";
    track(3).shuntStage->setValue(0);
    track(3).posun->setColor(QColor(255, 255, 0));
    h.click("A5.PB10");
    EXPECT_EQ(slot(3, 1).left(), 278) << "not a loco alone";

    /* Pulled again and again, the row stops where its next pull would take a vehicle past an edge of the view. */
    track(3).posun->setColor(QColor(255, 255, 255));
    for (int click = 0; click < 200; ++click)
        h.click("A5.PB10");
    EXPECT_EQ(slot(3, 1).left(), 8);
    const int screen = h.app().ScreenWidth;
    for (int click = 0; click < 200; ++click)
        h.click("A5.PB12");
    EXPECT_GT(slot(3, 4).left() + slot(3, 4).width(), screen - 10) << "the last vehicle";
    EXPECT_LE(slot(3, 4).left() + slot(3, 4).width(), screen);
}

TEST_F(ShuntingControls, StartFromThePanelDrivesTheUnitOutAndTheCaptionsWait)
{
    putUnit(3, {0, 1, -1, -1, -1, -1, -1, -1, -1, -1}, "1", false);
    a1().KolejA->setValue(3);
    a1().KolejB->setValue(0);
    listColour("C41", White);
    h.click("A5.PB03");
    h.click("A5.PB07");
    ASSERT_TRUE(runUntilStopped(3));
    EXPECT_TRUE(h.visible("A7.SPA"));
    EXPECT_EQ(h.text("A5.Posun3"), "0");
    EXPECT_EQ(h.text("A5.PB07"), "<    posun");
    EXPECT_EQ(h.text("A5.PB09"), "posun    >");
}

TEST_F(ShuntingControls, AGameEndForgetsTheChosenTrackAndTheNewViewShuntsAgain)
{
    putUnit(3, {0, 1, -1, -1, -1, -1, -1, -1, -1, -1}, "10", true);
    h.click("A5.PB03");
    h.click("A5.PB08");
    ASSERT_EQ(h.text("A5.PB11"), "svěsit");
    h.app().recreateGameForms();
    h.as<ui::Timer>("A1.Hodiny").setEnabledFlag(false);
    for (int k = 1; k <= 5; ++k)
        EXPECT_EQ(h.color("A5.PB0" + QString::number(k)), Navy);
    EXPECT_EQ(h.text("A5.PB09"), "přiblížit    >");
    EXPECT_EQ(h.text("A5.PB11"), "odvěsit");
    EXPECT_EQ(h.value("A5.StavPosun3"), 0);

    /* The new forms' timers, chains and labels work together. */
    putUnit(3, {0, 1, -1, -1, -1, -1, -1, -1, -1, -1}, "1", false);
    a1().KolejA->setValue(3);
    a1().KolejB->setValue(0);
    listColour("C41", White);
    h.click("A5.PB03");
    h.click("A5.PB07");
    ASSERT_TRUE(runUntilStopped(3));
    EXPECT_TRUE(h.visible("A7.SPA"));
    EXPECT_EQ(shows(chain('A', 2)), 1);
}

TEST_F(ShuntingControls, ANewRunOutWaitsWhileItsSideHoldsAnotherUnit)
{
    a1().KolejA->setValue(3);
    a1().KolejB->setValue(5);
    a1().KolejC->setValue(7);
    for (const char *list : {"C41", "C44", "C47", "C32"})
        listColour(list, White);
    putUnit(3, {0, 1, -1, -1, -1, -1, -1, -1, -1, -1}, "1", false);
    putUnit(5, {0, 2, -1, -1, -1, -1, -1, -1, -1, -1}, "1", false);
    h.click("A5.PB03");
    h.click("A5.PB07");
    ASSERT_TRUE(runUntilStopped(3));
    ASSERT_TRUE(h.visible("A7.SPA"));

    /* Line A's route now laid to track 5: its unit would overwrite the one waiting on chain A. */
    a1().KolejA->setValue(5);
    h.click("A5.PB04");
    h.click("A5.PB07");
    EXPECT_FALSE(track(5).shuntLeft->enabledFlag());
    EXPECT_EQ(track(5).shuntStage->value(), 0);
    /* Chain B is free, but side A/B holds one unit at a time. */
    a1().KolejA->setValue(3);
    h.click("A5.PB07");
    EXPECT_FALSE(track(5).shuntLeft->enabledFlag());
    EXPECT_EQ(track(5).shuntStage->value(), 0);

    /* Side C: a unit passing onto box 2's panel keeps the chain. */
    putUnit(7, {0, 2, -1, -1, -1, -1, -1, -1, -1, -1}, "1", false);
    track(1).shuntStage->setValue(-2);
    h.click("A5.PB05");
    h.click("A5.PB09");
    EXPECT_FALSE(track(7).shuntRight->enabledFlag());
    track(1).shuntStage->setValue(0);
    h.click("A5.PB09");
    EXPECT_TRUE(track(7).shuntRight->enabledFlag());

    /* The waiting unit comes back whole; then side A/B is free for track 5. */
    track(7).shuntRight->setEnabledFlag(false);
    h.click("A7.SPA");
    ASSERT_TRUE(runUntilStopped(3));
    EXPECT_EQ(shows(slot(3, 1)), 0);
    EXPECT_EQ(shows(slot(3, 2)), 1);
    h.click("A5.PB04");
    h.click("A5.PB07");
    EXPECT_TRUE(track(5).shuntLeft->enabledFlag());
    EXPECT_EQ(track(5).shuntStage->value(), 1);
}

TEST_F(ShuntingControls, UncouplingALocoPulledUpToAnEdgeOfTheViewKeepsItOnTheView)
{
    const int screen = h.app().ScreenWidth;
    putUnit(3, {0, 1, 2, -1, -1, -1, -1, -1, -1, -1}, "1", false, 290);
    h.click("A5.PB03");
    for (int click = 0; click < 200; ++click)
        h.click("A5.PB10");
    ASSERT_EQ(slot(3, 1).left(), 0);
    putUnit(5, {-1, -1, -1, -1, -1, -1, -1, 4, 3, 0}, "10", false, 347);
    h.click("A5.PB04");
    for (int click = 0; click < 200; ++click)
        h.click("A5.PB12");
    ASSERT_EQ(slot(5, 10).left() + slot(5, 10).width(), screen);
    for (const auto &[label, n] : {std::pair{"A5.PB03", 3}, std::pair{"A5.PB04", 5}}) {
        h.click(label);
        h.click("A5.PB11");
        ASSERT_EQ(track(n).posun->color(), QColor(255, 255, 0)) << n;
    }
    EXPECT_EQ(slot(3, 1).left(), 0) << "the loco stays on the view";
    EXPECT_EQ(slot(5, 10).left() + slot(5, 10).width(), screen) << "the loco stays on the view";
}

} // namespace
