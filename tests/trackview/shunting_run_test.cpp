/** @file shunting_run_test.cpp Shunting runs: the drive phases, the runs out onto the box panels and back. */
#include "shunting_fixture.h"

#include "core/form_a2.h"
#include "ui/sim_error.h"

#include <functional>
#include <map>

namespace {

const QColor Lime(0, 255, 0);
const QColor White(255, 255, 255);
const QColor Red(255, 0, 0);

class ShuntingRun : public ShuntingTest {
protected:
    /** Starts a run as the shunting panel does. */
    void start(int n, bool right)
    {
        TrackRow &row = track(n);
        (right ? row.shuntRight : row.shuntLeft)->setEnabledFlag(true);
        row.shuntStage->setColor(Lime);
        if (row.shuntStage->value() == 0)
            row.shuntStage->setValue(right ? -1 : 1);
    }
    /** The consent of box 2, as its label's click brings a unit back from side C. */
    void consentC(int n)
    {
        TrackRow &row = track(n);
        row.shuntLeft->setEnabledFlag(true);
        row.shuntStage->setValue(-3);
        row.shuntStage->setColor(Lime);
        row.posun->setText(a5().tracks.PosunC->text());
        h.as<ui::Label>("A8.SPC").hide();
    }
    void route(int a, int b)
    {
        a1().KolejA->setValue(a);
        a1().KolejB->setValue(b);
    }
    /**
     * Fires a track's timer until its unit crosses at `stage` at full speed
     * with 151 + `shortBy` pixels to go by `toGo`, then brakes it and fires
     * until the tick that stops it: from full speed it moves half its speed
     * in pixels, and one more on that tick, and stops `shortBy` pixels short.
     */
    void brakeToStopShort(int n, ui::Timer &t, int stage, const std::function<int()> &toGo, int shortBy = 0)
    {
        for (int i = 0; i < 5000 && !(track(n).shuntStage->value() == stage && toGo() == 151 + shortBy); ++i)
            t.fire();
        ASSERT_EQ(track(n).shuntStage->value(), stage);
        ASSERT_EQ(track(n).speed->value(), 300);
        track(n).shuntStage->setColor(Red);
        for (int i = 0; i < 1000 && t.enabledFlag(); ++i)
            t.fire();
        ASSERT_FALSE(t.enabledFlag());
    }
};

TEST_F(ShuntingRun, SpeedRisesAndFallsByTheUnitAndTheStopLeavesHalfASecond)
{
    putUnit(3, {0, 1, 2, -1, -1, -1, -1, -1, -1, -1}, "1", false, 400);
    ui::Timer &t = *track(3).shuntLeft;
    start(3, false);
    for (int i = 1; i <= 150; ++i) {
        t.fire();
        ASSERT_EQ(track(3).speed->value(), 2 * i);
        ASSERT_EQ(t.interval(), 500 / (2 * i / 10 + 1));
    }
    EXPECT_EQ(t.interval(), 16);
    EXPECT_EQ(track(3).shuntStage->color(), Lime);
    t.fire(); // finds 300: runs on
    EXPECT_EQ(track(3).shuntStage->color(), White);
    EXPECT_EQ(track(3).speed->value(), 300);
    EXPECT_EQ(slot(3, 1).left(), 400 - 151);
    EXPECT_EQ(slot(3, 3).left(), 400 - 151 + 30 + 20) << "a coupled unit moves every slot";

    track(3).shuntStage->setColor(Red);
    for (int i = 0; i < 150; ++i)
        t.fire();
    EXPECT_EQ(track(3).speed->value(), 0);
    EXPECT_TRUE(t.enabledFlag());
    t.fire(); // the stopping tick still moves the unit
    EXPECT_FALSE(t.enabledFlag());
    EXPECT_EQ(track(3).shuntStage->value(), 0);
    EXPECT_EQ(track(3).shuntStage->color(), White);
    EXPECT_EQ(t.interval(), 500);
    EXPECT_EQ(slot(3, 1).left(), 400 - 302);

    /* A loco alone: 5, 10, ... 300 in 60 ticks, and only its own slot moves. */
    route(5, 3);
    putUnit(5, {0, -1, 1, -1, -1, -1, -1, -1, -1, -1}, "1", true, 400);
    start(5, false);
    for (int i = 0; i < 60; ++i)
        track(5).shuntLeft->fire();
    EXPECT_EQ(track(5).speed->value(), 300);
    EXPECT_EQ(slot(5, 1).left(), 340);
    EXPECT_EQ(slot(5, 3).left(), 400 + 30 + 1);
}

TEST_F(ShuntingRun, CoupledUnitGoesOutToBox1AndComesBackOnItsConsent)
{
    route(5, 3);
    a1().Kolej5->setText("posun.díl");
    putUnit(5, {0, 1, 2, 3, 4, -1, -1, -1, -1, -1}, "1", false);
    start(5, false);
    ASSERT_TRUE(runUntilStage(5, 2));
    EXPECT_EQ(chain('A', 1).left(), screen()) << "placed at the right edge of box 1's panel";
    ASSERT_TRUE(runUntilStopped(5));
    EXPECT_EQ(track(5).shuntStage->value(), 0);
    const int order[10] = {0, 1, 2, 3, 4, -1, -1, -1, -1, -1};
    for (int k = 1; k <= 10; ++k)
        EXPECT_EQ(shows(chain('A', k)), order[k - 1]) << k;
    EXPECT_LT(chain('A', 10).left() + chain('A', 10).width(), screen());
    EXPECT_EQ(chain('A', 2).left(), chain('A', 1).left() + 30);
    EXPECT_EQ(a5().tracks.PosunA->text(), "1");
    EXPECT_EQ(track(5).posun->text(), "0");
    EXPECT_EQ(a1().Kolej5->text(), "Volná");
    EXPECT_TRUE(h.visible("A7.SPA"));
    EXPECT_FALSE(h.visible("A7.SPB"));
    EXPECT_EQ(shows(chain('B', 1)), -2) << "chain B belongs to another track";

    h.click("A7.SPA");
    EXPECT_FALSE(h.visible("A7.SPA"));
    EXPECT_EQ(track(5).shuntStage->value(), 3);
    ASSERT_TRUE(runUntilStage(5, 2));
    EXPECT_EQ(a1().Kolej5->text(), "posun.díl");
    EXPECT_EQ(track(5).posun->text(), "1");
    ASSERT_TRUE(runUntilStopped(5));
    EXPECT_EQ(track(5).shuntStage->value(), 0);
    for (int k = 1; k <= 10; ++k) {
        EXPECT_EQ(shows(slot(5, k)), order[k - 1]) << k;
        if (k > 1) {
            EXPECT_EQ(slot(5, k).left(), slot(5, k - 1).left() + slot(5, k - 1).width()) << k;
        }
    }
    /* It braked within 200 px of the right edge and stands on the view. */
    EXPECT_LT(slot(5, 10).left() + slot(5, 10).width(), screen());
    EXPECT_GT(slot(5, 10).left() + slot(5, 10).width(), screen() - 200);
}

TEST_F(ShuntingRun, LocoAloneGoesOutToBox2AsItsFirstImageAndComesBackIntoSlot10)
{
    a1().Kolej7->setText("posun.díl");
    a1().KolejC->setValue(7);
    putUnit(7, {1, 2, 3, -1, -1, -1, -1, -1, -1, 0}, "10", true, 600);
    start(7, true);
    ASSERT_TRUE(runUntilStopped(7));
    EXPECT_EQ(shows(chain('C', 1)), 0);
    for (int k = 2; k <= 10; ++k)
        EXPECT_EQ(shows(chain('C', k)), -1) << k;
    EXPECT_GT(chain('C', 1).left(), 0);
    EXPECT_EQ(a5().tracks.PosunC->text(), "1");
    EXPECT_EQ(shows(slot(7, 10)), -1) << "the loco has left its slot";
    EXPECT_EQ(track(7).posun->text(), "0");
    EXPECT_EQ(a1().Kolej7->text(), "posun.díl") << "a loco alone never changes the occupation";
    EXPECT_TRUE(h.visible("A8.SPC"));
    EXPECT_EQ(shows(slot(7, 1)), 1) << "the vehicles stay";

    consentC(7);
    ASSERT_TRUE(runUntilStage(7, -2));
    EXPECT_EQ(track(7).posun->text(), "10");
    ASSERT_TRUE(runUntilStopped(7));
    EXPECT_EQ(track(7).shuntStage->value(), 0);
    EXPECT_EQ(shows(slot(7, 10)), 0);
    /* It braked nearer than 70 px to the vehicle in slot 9 and stopped short of it. */
    const int gap = slot(7, 10).left() - (slot(7, 9).left() + slot(7, 9).width());
    EXPECT_GE(gap, 0);
    EXPECT_LT(gap, 70);
}

TEST_F(ShuntingRun, CoupledRunOutToSideCFreesSection1aWithTrack1)
{
    a1().Kolej1->setText("posun.díl");
    a1().Kolej1a->setText("Obsazená");
    a1().Kolej3->setText("posun.díl");
    putUnit(1, {0, 1, 2, -1, -1, -1, -1, -1, -1, -1}, "1", false, 600);
    start(1, true);
    ASSERT_TRUE(runUntilStopped(1));
    EXPECT_EQ(a1().Kolej1->text(), "Volná");
    EXPECT_EQ(a1().Kolej1a->text(), "Volná");
    EXPECT_EQ(a5().tracks.PosunC->text(), "1");

    h.as<ui::Label>("A8.SPC").hide();
    a1().KolejC->setValue(3);
    putUnit(3, {0, 1, 2, -1, -1, -1, -1, -1, -1, -1}, "1", false, 600);
    start(3, true);
    ASSERT_TRUE(runUntilStopped(3));
    EXPECT_EQ(a1().Kolej3->text(), "Volná");
    EXPECT_EQ(a1().Kolej1a->text(), "Volná");

    /* Back from side C: the slots come in from the right and the unit brakes once slot 1 is left of 200. */
    consentC(3);
    ASSERT_TRUE(runUntilStopped(3));
    EXPECT_EQ(a1().Kolej3->text(), "posun.díl");
    EXPECT_EQ(track(3).posun->text(), "1");
    EXPECT_EQ(shows(slot(3, 1)), 0);
    EXPECT_LT(slot(3, 1).left(), 200);
    EXPECT_GT(slot(3, 1).left(), 0);
}

TEST_F(ShuntingRun, LeadingVehicleTravelsAtTheStationEndOnlyWhereThatEndIsFree)
{
    /* A coupled loco at slot 10 with nothing else: going out to side C it leads as image a and returns into slot 1. */
    a1().KolejC->setValue(2);
    putUnit(2, {-1, -1, -1, -1, -1, -1, -1, -1, -1, 0}, "10", false, 600);
    start(2, true);
    ASSERT_TRUE(runUntilStopped(2));
    EXPECT_EQ(shows(chain('C', 1)), 0);
    EXPECT_EQ(shows(chain('C', 10)), -1);
    EXPECT_EQ(a5().tracks.PosunC->text(), "1");

    /* A vehicle at slot 10 behind an empty slot 9, loco at slot 1: the loco is kept, not overwritten. */
    h.as<ui::Label>("A8.SPC").hide();
    a1().KolejC->setValue(5);
    putUnit(5, {0, 1, 2, -1, -1, -1, -1, -1, -1, 9}, "1", false, 600);
    start(5, true);
    ASSERT_TRUE(runUntilStopped(5));
    EXPECT_EQ(shows(chain('C', 1)), 0);
    EXPECT_EQ(shows(chain('C', 10)), 9);
    EXPECT_EQ(a5().tracks.PosunC->text(), "1");

    /* Towards side A/B: a lone vehicle at slot 1 before an empty slot 2 travels as image j, back with "10". */
    route(7, 3);
    putUnit(7, {4, -1, -1, -1, -1, -1, -1, -1, -1, -1}, "1", false);
    start(7, false);
    ASSERT_TRUE(runUntilStopped(7));
    EXPECT_EQ(shows(chain('A', 1)), -1);
    EXPECT_EQ(shows(chain('A', 10)), 4);
    EXPECT_EQ(a5().tracks.PosunA->text(), "10");
}

TEST_F(ShuntingRun, BothRoutesToTheTrackFillBothChainsAndShowBothConsents)
{
    route(3, 3);
    putUnit(3, {0, -1, -1, -1, -1, -1, -1, -1, -1, -1}, "1", true);
    start(3, false);
    ASSERT_TRUE(runUntilStopped(3));
    for (char side : {'A', 'B'}) {
        EXPECT_EQ(shows(chain(side, 10)), 0);
        EXPECT_EQ(shows(chain(side, 1)), -1);
    }
    EXPECT_EQ(a5().tracks.PosunA->text(), "10");
    EXPECT_EQ(a5().tracks.PosunB->text(), "10");
    EXPECT_TRUE(h.visible("A7.SPA"));
    EXPECT_TRUE(h.visible("A7.SPB"));
    EXPECT_EQ(shows(slot(3, 1)), -1);

    /* Back on one consent: the loco comes into slot 1. */
    h.click("A7.SPA");
    ASSERT_TRUE(runUntilStopped(3));
    EXPECT_EQ(track(3).posun->text(), "1");
    EXPECT_EQ(shows(slot(3, 1)), 0);
    EXPECT_EQ(track(3).shuntStage->value(), 0);
}

TEST_F(ShuntingRun, WithoutARouteTheUnitStopsOnItsTrackInsteadOfRunningOffTheView)
{
    route(1, 3);
    putUnit(5, {0, 1, 2, -1, -1, -1, -1, -1, -1, -1}, "1", false);
    start(5, false);
    ASSERT_TRUE(runUntilStopped(5));
    EXPECT_EQ(track(5).shuntStage->value(), 0);
    EXPECT_EQ(track(5).posun->text(), "1");
    EXPECT_EQ(shows(chain('A', 1)), -2) << "no chain was filled";
    EXPECT_FALSE(h.visible("A7.SPA"));
    EXPECT_EQ(shows(slot(5, 1)), 0);
    EXPECT_EQ(slot(5, 1).left(), 288 - 1) << "it braked on its first tick and stopped there";
}

/** Runs started and routes changed by the player, as the shunting panel and the state store take them. */
class ShuntingByClicks : public ShuntingTest {
protected:
    /** Chooses the track on the shunting panel (labels PB01 .. PB05 are tracks 2, 1, 3, 5, 7). */
    void choose(int n)
    {
        const int label[8] = {0, 2, 1, 3, 0, 4, 0, 5};
        h.click(QStringLiteral("A5.PB0%1").arg(label[n]));
    }
    /** @return whether an image lies wholly between the left edge and the screen's width. */
    bool onScreen(const ui::Image &img) { return img.left() >= 0 && img.left() + img.width() <= screen(); }
    /** @return whether every vehicle slot of track n lies on the view. */
    bool allOnView(int n)
    {
        for (int k = 1; k <= 10; ++k)
            if (!onScreen(slot(n, k)))
                return false;
        return true;
    }
    /** @return whether every image of a shunting chain lies wholly on its box's panel. */
    bool allOnPanel(char side)
    {
        for (int k = 1; k <= 10; ++k)
            if (!onScreen(chain(side, k)))
                return false;
        return true;
    }
    /** @return whether images 1 .. 10 (slots of a track or a chain) show the vehicles of `cars`, as putUnit numbers them. */
    bool showsInOrder(const std::function<ui::Image &(int)> &image, const std::array<int, 10> &cars)
    {
        for (int k = 1; k <= 10; ++k)
            if (shows(image(k)) != cars[k - 1])
                return false;
        return true;
    }
    /** Lets real time pass until the test holds, or a minute has gone; @return whether it holds. */
    /**
     * Lays routes from track 5 to side A and from track 3 to side C with
     * their exits at "Posun dovolen", and puts a unit on each whose loco
     * pushes its vehicles towards that side: track 5's at slot 10, track
     * 3's at slot 1, their slot 1 at `left5` and `left3`.
     */
    void pushTowardsBothSides(const std::array<int, 10> &cars5, const std::array<int, 10> &cars3, int left5 = 500,
                              int left3 = 200)
    {
        h.type("A1.KolejA", "5");
        h.type("A1.KolejC", "3");
        listColour("C44", White);
        listColour("C26", White);
        putUnit(5, cars5, "10", false, left5);
        putUnit(3, cars3, "1", false, left3);
    }
    /** Each loco of pushTowardsBothSides stands alone at the edge it pushed towards, and nothing left the station. */
    void expectLocosAtTheEdges(const std::array<int, 10> &cars5, const std::array<int, 10> &cars3)
    {
        EXPECT_EQ(slot(5, 10).left(), 0) << "at the edge";
        EXPECT_EQ(slot(3, 1).left() + slot(3, 1).width(), screen()) << "at the edge";
        EXPECT_TRUE(eachVehicleInOnePlace(cars5));
        EXPECT_TRUE(eachVehicleInOnePlace(cars3));
        for (const char *consent : {"A7.SPA", "A7.SPB", "A8.SPC"})
            EXPECT_FALSE(h.visible(consent)) << consent;
        EXPECT_TRUE(h.messages().isEmpty());
    }

    bool runUntil(const std::function<bool()> &test)
    {
        for (int ms = 0; ms < 60000 && !test(); ms += 5)
            h.advanceMs(5);
        return test();
    }
    /**
     * Checks that each vehicle of `cars` (as putUnit numbers them) stands in
     * exactly one place: a slot of a station track wholly on the view, or an
     * image of one shunting chain wholly on its box's panel. A picture out of
     * sight beyond an edge is no place; one showing across an edge is a fault.
     * The vehicles of `gone` have left the station and stand in no place.
     */
    ::testing::AssertionResult eachVehicleInOnePlace(const std::array<int, 10> &cars, const std::vector<int> &gone = {})
    {
        std::map<int, QStringList> places;
        QStringList across;
        const auto look = [&](const ui::Image &img, const QString &where) {
            const int v = shows(img);
            if (v < 0 || img.left() >= screen() || img.left() + img.width() <= 0)
                return;
            places[v] << where;
            if (!onScreen(img))
                across << QStringLiteral("%1 across an edge at %2").arg(where).arg(img.left());
        };
        for (const TrackRow &row : a5().tracks.rows)
            for (int k = 1; k <= 10; ++k)
                look(*row.vehicleSlots[k - 1], QStringLiteral("track %1 slot %2").arg(row.number).arg(k));
        for (char side : {'A', 'B', 'C'})
            for (int k = 1; k <= 10; ++k)
                look(chain(side, k), QStringLiteral("chain %1 image %2").arg(side).arg(QChar('a' + k - 1)));
        QStringList faults = across;
        for (int v : cars)
            if (v >= 0 && places[v].size() != 1)
                faults << QStringLiteral("vehicle %1 in %2 places (%3)").arg(v).arg(places[v].size())
                              .arg(places[v].join(QStringLiteral(", ")));
        for (int v : gone)
            if (!places[v].isEmpty())
                faults << QStringLiteral("departed vehicle %1 in %2").arg(v).arg(places[v].join(QStringLiteral(", ")));
        if (faults.isEmpty())
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << faults.join(QStringLiteral("; ")).toStdString();
    }
};

TEST_F(ShuntingByClicks, ARouteTakenAwayWhileTheUnitLeavesStopsItOnTheView)
{
    h.type("A1.KolejA", "5");
    listColour("C44", White);
    h.type("A1.Kolej5", "posun.díl");
    putUnit(5, {0, 1, 2, 3, -1, -1, -1, -1, -1, -1}, "1", false, 300);
    choose(5);
    h.click("A5.PB07");
    /* Near the left edge at full speed, the route of line A is laid to track 1. */
    ASSERT_TRUE(runUntil([&] { return slot(5, 1).left() < 20; }));
    ASSERT_EQ(track(5).speed->value(), 300);
    h.type("A1.KolejA", "1");
    ASSERT_TRUE(runUntilStopped(5));
    EXPECT_TRUE(allOnView(5));
    EXPECT_EQ(slot(5, 1).left(), 0) << "it halted at the edge";
    EXPECT_EQ(track(5).shuntStage->value(), 0);
    EXPECT_EQ(track(5).speed->value(), 0);
    EXPECT_EQ(track(5).posun->text(), "1");
    EXPECT_EQ(h.text("A1.Kolej5"), "posun.díl");
    EXPECT_EQ(shows(chain('A', 1)), -2) << "no chain took the unit";
    EXPECT_FALSE(h.visible("A7.SPA"));

    /* With the route back the unit leaves from where it stands. */
    h.type("A1.KolejA", "5");
    h.click("A5.PB07");
    ASSERT_TRUE(runUntilStopped(5));
    EXPECT_TRUE(h.visible("A7.SPA"));
    EXPECT_EQ(shows(chain('A', 4)), 3);
    EXPECT_TRUE(h.messages().isEmpty());
}

TEST_F(ShuntingByClicks, ARouteTakenAwayDuringTheHandOverEndsTheRunOnTheChainOrTheTrack)
{
    const std::array<int, 10> cars = {0, 1, 2, 3, -1, -1, -1, -1, -1, -1};
    h.type("A1.KolejA", "5");
    listColour("C44", White);
    h.type("A1.Kolej5", "posun.díl");
    putUnit(5, cars, "1", false, 300);
    choose(5);
    h.click("A5.PB07");
    /* Partly on the track view, partly on chain A, line A's route is laid to track 1. */
    ASSERT_TRUE(runUntil([&] { return track(5).shuntStage->value() == 2 && slot(5, 3).left() < 0; }));
    ASSERT_GT(slot(5, 4).left(), 0);
    h.type("A1.KolejA", "1");
    ASSERT_TRUE(runUntilStopped(5));
    EXPECT_TRUE(eachVehicleInOnePlace(cars));
    EXPECT_EQ(track(5).shuntStage->value(), 0);
    EXPECT_TRUE(allOnPanel('A'));
    EXPECT_TRUE(showsInOrder([&](int k) -> ui::Image & { return chain('A', k); }, cars));
    EXPECT_EQ(track(5).posun->text(), "0");
    EXPECT_EQ(h.text("A1.Kolej5"), "Volná");
    EXPECT_TRUE(h.visible("A7.SPA"));

    /* The consent brings it in where the route now leads; taken away again while it crosses, it ends on that track. */
    h.click("A7.SPA");
    ASSERT_TRUE(runUntil([&] { return track(1).shuntStage->value() == 2 && slot(1, 1).left() > -40; }));
    h.type("A1.KolejA", "3");
    ASSERT_TRUE(runUntilStopped(1));
    EXPECT_TRUE(eachVehicleInOnePlace(cars));
    EXPECT_EQ(track(1).shuntStage->value(), 0);
    EXPECT_TRUE(allOnView(1));
    EXPECT_TRUE(showsInOrder([&](int k) -> ui::Image & { return slot(1, k); }, cars));
    EXPECT_GT(chain('A', 1).left(), screen()) << "chain A has left box 1's panel";
    EXPECT_TRUE(h.messages().isEmpty());
}

TEST_F(ShuntingByClicks, ALocoAloneLosingItsRouteToSideCStaysOnTheView)
{
    h.type("A1.KolejC", "7");
    listColour("C32", White);
    putUnit(7, {1, 2, -1, -1, -1, -1, -1, -1, -1, 0}, "10", true, 100);
    slot(7, 10).setLeft(700);
    choose(7);
    h.click("A5.PB09");
    ASSERT_TRUE(runUntil([&] { return track(7).speed->value() >= 200; }));
    /* Box 2's route is laid to track 3: side C can no longer take the loco. */
    h.type("A1.KolejC", "3");
    ASSERT_TRUE(runUntilStopped(7));
    EXPECT_TRUE(allOnView(7));
    EXPECT_EQ(track(7).shuntStage->value(), 0);
    EXPECT_EQ(shows(slot(7, 10)), 0);
    EXPECT_FALSE(h.visible("A8.SPC"));
}

TEST_F(ShuntingByClicks, ALocoUncoupledAtTheRearOfItsRunStaysOnTheView)
{
    /* Each loco pushes its vehicles towards a side and is uncoupled at full speed: it runs on alone behind them. */
    const std::array<int, 10> cars5 = {1, 2, 3, -1, -1, -1, -1, -1, -1, 0};
    const std::array<int, 10> cars3 = {9, -1, -1, -1, -1, -1, -1, 6, 5, 4};
    pushTowardsBothSides(cars5, cars3);
    for (const auto &[n, button] : {std::pair{5, "A5.PB07"}, std::pair{3, "A5.PB09"}}) {
        choose(n);
        h.click(button);
        ASSERT_TRUE(runUntil([&] { return track(n).speed->value() >= 300; }));
        h.click("A5.PB11");
        ASSERT_EQ(track(n).posun->color(), QColor(255, 255, 0));
        ASSERT_TRUE(runUntilStopped(n)) << n;
        EXPECT_TRUE(allOnView(n)) << n;
        EXPECT_EQ(track(n).shuntStage->value(), 0) << n;
    }
    expectLocosAtTheEdges(cars5, cars3);
}

TEST_F(ShuntingByClicks, AnEmptySlotPulledPastTheEdgeIsNeverHandedOverAsTheLoco)
{
    /* Each unit is pulled until its leading empty slot lies past the edge, started and at once uncoupled. */
    const std::array<int, 10> cars5 = {-1, -1, -1, -1, -1, -1, -1, 1, 2, 0};
    const std::array<int, 10> cars3 = {3, 4, 5, -1, -1, -1, -1, -1, -1, -1};
    pushTowardsBothSides(cars5, cars3, 505, 200);
    const struct {
        int n;
        const char *pull, *start;
        int lead;
    } runs[] = {{5, "A5.PB10", "A5.PB07", 1}, {3, "A5.PB12", "A5.PB09", 10}};
    for (const auto &r : runs) {
        choose(r.n);
        for (int click = 0; click < 100 && onScreen(slot(r.n, r.lead)); ++click)
            h.click(r.pull);
        ASSERT_FALSE(onScreen(slot(r.n, r.lead))) << r.n;
        h.click(r.start);
        h.click("A5.PB11");
        ASSERT_EQ(track(r.n).posun->color(), QColor(255, 255, 0));
        ASSERT_TRUE(runUntilStopped(r.n)) << r.n;
        EXPECT_EQ(track(r.n).shuntStage->value(), 0) << r.n;
        EXPECT_EQ(track(r.n).posun->text(), r.n == 5 ? "10" : "1") << "the loco stays on its track";
    }
    expectLocosAtTheEdges(cars5, cars3);
    /* Each loco couples to the vehicles it halted beside, as a loco does. */
    for (int n : {5, 3}) {
        choose(n);
        h.click("A5.PB11");
        EXPECT_EQ(track(n).posun->color(), White) << n;
    }
}

TEST_F(ShuntingByClicks, TheCreepNeverTakesALocoHaltedAtTheEdgeOutOfSight)
{
    /* Each loco pushes its vehicles towards a side, is uncoupled and halts alone at the view's edge. */
    const std::array<int, 10> cars5 = {1, 2, -1, -1, -1, -1, -1, -1, 3, 0};
    const std::array<int, 10> cars3 = {4, 5, -1, -1, -1, -1, -1, -1, 6, 7};
    pushTowardsBothSides(cars5, cars3);
    const std::pair<int, const char *> runs[] = {{5, "A5.PB07"}, {3, "A5.PB09"}};
    for (const auto &[n, button] : runs) {
        choose(n);
        h.click(button);
        ASSERT_TRUE(runUntil([&] { return track(n).speed->value() >= 300; }));
        h.click("A5.PB11");
        ASSERT_TRUE(runUntilStopped(n)) << n;
        /* Chosen again, the loco alone next to its vehicles creeps towards the edge it stands at. */
        choose(n);
        ASSERT_EQ(h.text(button), n == 5 ? "<    přiblížit" : "přiblížit    >");
        for (int click = 0; click < 40; ++click)
            h.click(button);
    }
    expectLocosAtTheEdges(cars5, cars3);
}

TEST_F(ShuntingByClicks, ALocoAloneRestingAcrossTheEndOfItsTrackIsNotCreptOffItsChain)
{
    h.type("A1.KolejA", "5");
    listColour("C44", White);
    putUnit(5, {0, 1, 2, -1, -1, -1, -1, -1, -1, -1}, "1", true, 300);
    slot(5, 1).setLeft(40);
    choose(5);
    h.click("A5.PB07");
    for (int i = 0; i < 25; ++i)
        track(5).shuntLeft->fire();
    h.click("A5.PB08");
    ASSERT_TRUE(runUntilStopped(5));
    ASSERT_EQ(track(5).shuntStage->value(), 2);
    /* Held by chain A as well, it is not crept back onto the view apart from its picture there. */
    const int onTrack = slot(5, 1).left();
    const int onChain = chain('A', 10).left();
    ASSERT_LT(onTrack, 0);
    choose(5);
    ASSERT_EQ(h.text("A5.PB09"), "přiblížit    >");
    for (int i = 0; i < 40; ++i)
        h.click("A5.PB09");
    EXPECT_EQ(slot(5, 1).left(), onTrack) << "the loco stays across the end of its track";
    EXPECT_EQ(chain('A', 10).left(), onChain);
    EXPECT_EQ(track(5).shuntStage->value(), 2);
}

TEST_F(ShuntingByClicks, ARouteToSideCLaidElsewhereDuringTheHandOverEndsTheRunOnTheChainOrTheTrack)
{
    const std::array<int, 10> cars = {-1, -1, -1, -1, -1, -1, 3, 2, 1, 0};
    h.type("A1.KolejC", "5");
    listColour("C29", White);
    h.type("A1.Kolej5", "posun.díl");
    putUnit(5, cars, "10", false, 600);
    choose(5);
    h.click("A5.PB09");
    /* Partly on the track view, partly on chain C, line C's route is laid to track 3. */
    ASSERT_TRUE(runUntil([&] { return track(5).shuntStage->value() == -2 && slot(5, 9).left() > screen(); }));
    ASSERT_LT(slot(5, 7).left(), screen());
    h.type("A1.KolejC", "3");
    ASSERT_TRUE(runUntilStopped(5));
    EXPECT_TRUE(eachVehicleInOnePlace(cars));
    EXPECT_EQ(track(5).shuntStage->value(), 0);
    EXPECT_TRUE(allOnPanel('C'));
    EXPECT_TRUE(showsInOrder([&](int k) -> ui::Image & { return chain('C', k); }, cars));
    EXPECT_EQ(track(5).posun->text(), "0");
    EXPECT_EQ(h.text("A1.Kolej5"), "Volná");
    EXPECT_TRUE(h.visible("A8.SPC"));

    h.click("A8.SPC");
    ASSERT_TRUE(runUntil([&] { return track(3).shuntStage->value() == -2 && slot(3, 10).left() < screen() - 10; }));
    h.type("A1.KolejC", "7");
    ASSERT_TRUE(runUntilStopped(3));
    EXPECT_TRUE(eachVehicleInOnePlace(cars));
    EXPECT_EQ(track(3).shuntStage->value(), 0);
    EXPECT_TRUE(allOnView(3));
    EXPECT_TRUE(showsInOrder([&](int k) -> ui::Image & { return slot(3, k); }, cars));
    EXPECT_LT(chain('C', 10).left() + chain('C', 10).width(), 0) << "chain C has left box 2's panel";
    EXPECT_TRUE(h.messages().isEmpty());
}

/** A route change during a hand-over that the levers of box 1 or the points of box 2 can make. */
struct RouteChange {
    char line;  ///< 'A', 'B' or 'C': the line whose route the unit takes.
    bool back;  ///< During the run back, after the consent, rather than during the run out.
    int stage;  ///< 2 while the unit crosses the end of its track, 3 while it is beyond it (side C: negated).
    bool swap;  ///< Side A/B: the other line's route is laid to the track as this one's is taken (lever 2).
    bool alone; ///< A loco alone rather than a coupled unit.
};

std::string routeChangeName(const RouteChange &v)
{
    std::string name = std::string("Line") + v.line + (v.back ? "Back" : "Out") + "Stage" + std::to_string(v.stage);
    if (v.line != 'C')
        name += v.swap ? "Swapped" : "Taken";
    return name + (v.alone ? "Alone" : "Coupled");
}

std::string routeChangeTestName(const testing::TestParamInfo<RouteChange> &info) { return routeChangeName(info.param); }

void PrintTo(const RouteChange &v, std::ostream *os) { *os << routeChangeName(v); }

/** A unit of track 5 whose route is changed while it passes between its track and a box panel. */
class ShuntingHandOver : public ShuntingByClicks, public testing::WithParamInterface<RouteChange> {
protected:
    static constexpr int N = 5;
    bool sideC() const { return GetParam().line == 'C'; }
    /** Lays the route of a line to track n; on box 1 the other line's route then leads nowhere. */
    void layRoute(char line, int n)
    {
        if (line == 'C') {
            h.type("A1.KolejC", QString::number(n));
            return;
        }
        h.type(line == 'A' ? "A1.KolejA" : "A1.KolejB", QString::number(n));
        h.type(line == 'A' ? "A1.KolejB" : "A1.KolejA", "0");
    }
    /** Takes the unit's route from track N: box 2 lays it to track 3; box 1 nowhere, or the other line's to N. */
    void changeRoute()
    {
        const RouteChange &v = GetParam();
        if (v.line == 'C') {
            h.type("A1.KolejC", "3");
            return;
        }
        h.type(v.line == 'A' ? "A1.KolejA" : "A1.KolejB", "0");
        if (v.swap)
            h.type(v.line == 'A' ? "A1.KolejB" : "A1.KolejA", QString::number(N));
    }
    /** The consent label of a line's chain. */
    static QString consent(char line) { return line == 'C' ? "A8.SPC" : line == 'A' ? "A7.SPA" : "A7.SPB"; }
    /** The loco's slot: it leads out and back at the end towards its side. */
    ui::Image &locoSlot() { return slot(N, sideC() ? 10 : 1); }
    /** Lets the unit run `px` pixels further along while it crosses the end of its track. */
    bool runOn(int px)
    {
        const int from = locoSlot().left();
        return runUntil([&] { return std::abs(locoSlot().left() - from) >= px; });
    }
    /** With the side held by the unit, a unit of track 3 cannot leave towards it even with a route laid to it. */
    void anotherUnitIsRefused()
    {
        const std::array<int, 10> other = {10, 9, 8, -1, -1, -1, -1, -1, -1, -1};
        putUnit(3, other, "1", false, 300);
        layRoute(GetParam().line, 3);
        listColour(sideC() ? "C26" : "C41", White);
        choose(3);
        h.click(sideC() ? "A5.PB09" : "A5.PB07");
        h.advanceMs(1000);
        EXPECT_EQ(track(3).shuntStage->value(), 0);
        EXPECT_FALSE(track(3).shuntLeft->enabledFlag() || track(3).shuntRight->enabledFlag());
        EXPECT_EQ(slot(3, 1).left(), 300);
        EXPECT_TRUE(showsInOrder([&](int k) -> ui::Image & { return slot(3, k); }, other));
    }
};

TEST_P(ShuntingHandOver, EveryVehicleStaysInOnePlaceAndTheUnitComesBackWhole)
{
    const RouteChange &v = GetParam();
    const int sign = sideC() ? -1 : 1;
    std::array<int, 10> cars = {0, 1, 2, 3, -1, -1, -1, -1, -1, -1};
    if (sideC())
        cars = v.alone ? std::array<int, 10>{-1, -1, -1, -1, -1, -1, 2, 1, -1, 0}
                       : std::array<int, 10>{-1, -1, -1, -1, -1, -1, 3, 2, 1, 0};
    else if (v.alone)
        cars = {0, -1, 1, 2, -1, -1, -1, -1, -1, -1};
    layRoute(v.line, N);
    listColour(sideC() ? "C29" : "C44", White);
    h.type("A1.Kolej5", "posun.díl");
    putUnit(N, cars, sideC() ? "10" : "1", v.alone, sideC() ? 600 : 300);
    choose(N);
    h.click(sideC() ? "A5.PB09" : "A5.PB07");
    if (v.back) {
        ASSERT_TRUE(runUntilStopped(N));
        ASSERT_TRUE(eachVehicleInOnePlace(cars));
        ASSERT_TRUE(h.visible(consent(v.line)));
        h.click(consent(v.line));
    }
    ASSERT_TRUE(runUntilStage(N, sign * v.stage));
    if (v.stage == 2) {
        ASSERT_TRUE(runOn(v.alone ? 15 : 40)) << "partly on the track view, partly on the chain";
    }
    ASSERT_EQ(track(N).shuntStage->value(), sign * v.stage);
    changeRoute();
    if (v.back && v.stage == 3)
        h.click("A5.PB08"); // the unit waits beyond the station without its route
    ASSERT_TRUE(runUntilStopped(N));
    EXPECT_TRUE(eachVehicleInOnePlace(cars));

    if (!(v.back && v.stage == 2)) {
        /* The unit stands on the chain that took it; only that chain's label shows, and it holds the side. */
        EXPECT_EQ(track(N).shuntStage->value(), 0);
        EXPECT_EQ(track(N).posun->text(), "0");
        for (char line : {'A', 'B', 'C'})
            EXPECT_EQ(h.visible(consent(line)), line == v.line) << line;
        anotherUnitIsRefused();
        layRoute(v.line, N);
        ASSERT_TRUE(h.visible(consent(v.line)));
        h.click(consent(v.line));
        ASSERT_TRUE(runUntilStopped(N));
    }
    EXPECT_EQ(track(N).shuntStage->value(), 0);
    EXPECT_EQ(track(N).posun->text(), sideC() ? "10" : "1");
    EXPECT_TRUE(allOnView(N));
    EXPECT_TRUE(showsInOrder([&](int k) -> ui::Image & { return slot(N, k); }, cars));
    EXPECT_TRUE(eachVehicleInOnePlace(cars));
    for (char line : {'A', 'B', 'C'})
        EXPECT_FALSE(h.visible(consent(line))) << line;
    EXPECT_TRUE(h.messages().isEmpty());
}

std::vector<RouteChange> routeChanges()
{
    std::vector<RouteChange> all;
    for (char line : {'A', 'B'})
        for (bool back : {false, true})
            for (int stage : {2, 3})
                for (bool swap : {false, true})
                    all.push_back({line, back, stage, swap, false});
    for (bool back : {false, true})
        for (int stage : {2, 3})
            all.push_back({'C', back, stage, false, false});
    all.push_back({'A', false, 2, true, true});
    all.push_back({'B', true, 3, false, true});
    all.push_back({'C', false, 2, false, true});
    all.push_back({'C', true, 2, false, true});
    return all;
}

INSTANTIATE_TEST_SUITE_P(Levers, ShuntingHandOver, testing::ValuesIn(routeChanges()), routeChangeTestName);

/**
 * A unit of track 5 wholly beyond side A/B, braking by itself on its way
 * out or coming back after its consent, sent on to the left past the far
 * edge of box 1's panel (only line and back of the parameter count).
 */
class ShuntingSentOn : public ShuntingHandOver {};

TEST_P(ShuntingSentOn, TheUnitKeepsItsChainBeyondThePanelAndComesBackWhole)
{
    const char line = GetParam().line;
    const std::array<int, 10> cars = {0, 1, 2, 3, -1, -1, -1, -1, -1, -1};
    layRoute(line, N);
    listColour("C44", White);
    h.type("A1.Kolej5", "posun.díl");
    putUnit(N, cars, "1", false, 300);
    choose(N);
    h.click("A5.PB07");
    ASSERT_TRUE(runUntilStage(N, 3));
    if (GetParam().back) {
        ASSERT_TRUE(runUntilStopped(N));
        h.click(consent(line));
        const int from = chain(line, 1).left();
        ASSERT_TRUE(runUntil([&] { return chain(line, 1).left() > from + 20; })) << "on its way back";
    }
    h.click("A5.PB07");
    ASSERT_TRUE(runUntil([&] { return chain(line, 10).left() + chain(line, 10).width() <= 0; }));
    h.click("A5.PB08");
    ASSERT_TRUE(runUntilStopped(N));

    /* Out of sight, the unit still holds its chain, shows its label and keeps the side. */
    EXPECT_EQ(track(N).shuntStage->value(), 0);
    EXPECT_EQ(track(N).posun->text(), "0");
    EXPECT_TRUE(showsInOrder([&](int k) -> ui::Image & { return chain(line, k); }, cars));
    for (char other : {'A', 'B', 'C'})
        EXPECT_EQ(h.visible(consent(other)), other == line) << other;
    anotherUnitIsRefused();
    EXPECT_TRUE(showsInOrder([&](int k) -> ui::Image & { return chain(line, k); }, cars));

    layRoute(line, N);
    ASSERT_TRUE(h.visible(consent(line)));
    h.click(consent(line));
    ASSERT_TRUE(runUntilStopped(N));
    EXPECT_EQ(track(N).shuntStage->value(), 0);
    EXPECT_EQ(track(N).posun->text(), "1");
    EXPECT_TRUE(allOnView(N));
    EXPECT_TRUE(showsInOrder([&](int k) -> ui::Image & { return slot(N, k); }, cars));
    EXPECT_TRUE(eachVehicleInOnePlace(cars));
    EXPECT_FALSE(h.visible(consent(line)));
    EXPECT_TRUE(h.messages().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Levers, ShuntingSentOn,
                         testing::Values(RouteChange{'A', false, 3, false, false}, RouteChange{'A', true, 3, false, false},
                                         RouteChange{'B', false, 3, false, false}, RouteChange{'B', true, 3, false, false}),
                         routeChangeTestName);

/** A unit of track n run out to a side from the shunting panel, with its route and exit signal laid, until it stops. */
class ShuntingConsent : public ShuntingByClicks {
protected:
    void runOut(int n, bool sideC)
    {
        const char *lists[8] = {"", "C35", "C38", "C41", "", "C44", "", "C47"};
        const char *listsC[8] = {"", "C20", "C23", "C26", "", "C29", "", "C32"};
        h.type(sideC ? "A1.KolejC" : "A1.KolejA", QString::number(n));
        listColour(sideC ? listsC[n] : lists[n], White);
        listColour("C17", White);
        choose(n);
        h.click(sideC ? "A5.PB09" : "A5.PB07");
        ASSERT_TRUE(runUntilStopped(n));
        ASSERT_TRUE(h.visible(sideC ? "A8.SPC" : "A7.SPA"));
    }
    /** Clicks a consent label with the route of its line laid to track n. */
    void consent(const char *label, int n)
    {
        h.type(QString::fromLatin1(label) == "A8.SPC" ? "A1.KolejC" : "A1.KolejA", QString::number(n));
        h.click(label);
    }
    /** The consent changed nothing: the label still shows and no run began on track n. */
    void expectWaiting(const char *label, int n)
    {
        EXPECT_TRUE(h.visible(label));
        EXPECT_EQ(track(n).shuntStage->value(), 0);
        EXPECT_EQ(track(n).posun->text(), "0");
        EXPECT_FALSE(track(n).shuntLeft->enabledFlag() || track(n).shuntRight->enabledFlag());
    }
    /**
     * Lays the route of line `line` ('A' or 'C') to track n and starts its
     * arrival run, as the approach count does once the entry signal was
     * cleared: train 5401 of `cars` comes in from the line's box preview.
     */
    void arrive(char line, int n, const std::array<int, 10> &cars)
    {
        const QString box = line == 'C' ? "A8" : "A7";
        for (int k = 0; k < 10; ++k)
            h.as<ui::Image>(QStringLiteral("%1.Vlak%2%3").arg(box).arg(line).arg(QChar('a' + k)))
                .setPicture(cars[k] < 0 ? emptyPicture() : vehicle(cars[k]));
        h.type(QStringLiteral("A1.Kolej%1").arg(line), QString::number(n));
        h.type(QStringLiteral("A1.Trat%1").arg(line), "5401");
        h.as<ui::SpinEdit>(QStringLiteral("A1.StavVlak%1").arg(line)).setValue(35);
        h.as<ui::SpinEdit>(QStringLiteral("A1.Vlak%1Od").arg(line)).setValue(400);
        auto &timer = h.as<ui::Timer>(QStringLiteral("A1.TimerVlak%1Od").arg(line));
        timer.setInterval(10);
        timer.setEnabledFlag(true);
    }
};

TEST_F(ShuntingConsent, ALocoAloneWaitsWhileTheTracksEndSlotHoldsAVehicleAndComesHome)
{
    const std::array<int, 10> cars = {0, 1, 2, 9, 4, 5, -1, -1, -1, -1};
    /* Track 3's loco leaves its vehicles for side C, track 5's for side A: each track keeps its own at the far end. */
    putUnit(3, {1, 2, -1, -1, -1, -1, -1, -1, -1, 0}, "10", true, 100);
    slot(3, 10).setLeft(700);
    runOut(3, true);
    putUnit(5, {9, -1, -1, -1, -1, -1, -1, -1, 4, 5}, "1", true, 300);
    runOut(5, false);
    ASSERT_TRUE(eachVehicleInOnePlace(cars));

    /* Each consent brought into the other track would put its loco over a vehicle there: it waits. */
    consent("A7.SPA", 3);
    expectWaiting("A7.SPA", 3);
    consent("A8.SPC", 5);
    expectWaiting("A8.SPC", 5);
    h.advanceMs(2000);
    EXPECT_TRUE(eachVehicleInOnePlace(cars));
    EXPECT_TRUE(showsInOrder([&](int k) -> ui::Image & { return slot(3, k); }, {1, 2, -1, -1, -1, -1, -1, -1, -1, -1}));
    EXPECT_TRUE(showsInOrder([&](int k) -> ui::Image & { return slot(5, k); }, {-1, -1, -1, -1, -1, -1, -1, -1, 4, 5}));

    /* Home, each loco finds its own slot free and comes back to its vehicles. */
    consent("A7.SPA", 5);
    consent("A8.SPC", 3);
    ASSERT_TRUE(runUntilStopped(5));
    ASSERT_TRUE(runUntilStopped(3));
    EXPECT_TRUE(eachVehicleInOnePlace(cars));
    EXPECT_TRUE(showsInOrder([&](int k) -> ui::Image & { return slot(3, k); }, {1, 2, -1, -1, -1, -1, -1, -1, -1, 0}));
    EXPECT_TRUE(showsInOrder([&](int k) -> ui::Image & { return slot(5, k); }, {9, -1, -1, -1, -1, -1, -1, -1, 4, 5}));
    EXPECT_FALSE(h.visible("A7.SPA") || h.visible("A8.SPC"));
    EXPECT_TRUE(h.messages().isEmpty());
}

TEST_F(ShuntingConsent, ACoupledUnitWaitsForATrackThatTakesItWhole)
{
    const std::array<int, 10> cars = {0, 1, 2, 3, -1, -1, -1, -1, -1, -1};
    const std::array<int, 10> empty = {-1, -1, -1, -1, -1, -1, -1, -1, -1, -1};
    h.type("A1.Kolej7", "posun.díl");
    putUnit(7, cars, "1", false, 300);
    runOut(7, false);
    /* On a loco alone's track (one whose loco went away alone) it would be taken as a loco alone, its vehicles left behind. */
    track(7).posun->setColor(QColor(255, 255, 0));
    consent("A7.SPA", 7);
    expectWaiting("A7.SPA", 7);
    EXPECT_TRUE(eachVehicleInOnePlace(cars));

    /* A coupled track takes it whole; from there out to side C, and the same again. */
    consent("A7.SPA", 1);
    ASSERT_TRUE(runUntilStopped(1));
    EXPECT_TRUE(showsInOrder([&](int k) -> ui::Image & { return slot(1, k); }, cars));
    EXPECT_TRUE(eachVehicleInOnePlace(cars));
    runOut(1, true);
    track(1).posun->setColor(QColor(255, 255, 0));
    consent("A8.SPC", 1);
    expectWaiting("A8.SPC", 1);
    EXPECT_TRUE(showsInOrder([&](int k) -> ui::Image & { return slot(1, k); }, empty));
    consent("A8.SPC", 2);
    ASSERT_TRUE(runUntilStopped(2));
    EXPECT_TRUE(showsInOrder([&](int k) -> ui::Image & { return slot(2, k); }, cars));
    EXPECT_TRUE(eachVehicleInOnePlace(cars));
    EXPECT_TRUE(h.messages().isEmpty());
}

TEST_F(ShuntingConsent, UncouplingATrackWhoseUnitIsOutChangesNothingAndTheUnitComesHome)
{
    const std::array<int, 10> cars = {0, 1, 2, 3, -1, -1, -1, -1, -1, -1};
    h.type("A1.KolejB", "0");
    /* Out on box 1's chain A, on its chain B and on box 2's chain C, one after another. */
    const struct {
        int n;
        const char *label;
    } outs[] = {{3, "A7.SPA"}, {5, "A7.SPB"}, {7, "A8.SPC"}};
    for (const auto &o : outs) {
        putUnit(o.n, cars, "1", false, 300);
        if (QLatin1String(o.label) == QLatin1String("A7.SPB")) {
            h.type("A1.KolejA", "0");
            h.type("A1.KolejB", QString::number(o.n));
            listColour("C44", White);
            choose(o.n);
            h.click("A5.PB07");
            ASSERT_TRUE(runUntilStopped(o.n));
            ASSERT_TRUE(h.visible(o.label));
        } else {
            runOut(o.n, QLatin1String(o.label) == QLatin1String("A8.SPC"));
        }
        ASSERT_EQ(track(o.n).posun->text(), "0");
        /* The track reads no loco: "odvěsit" has nothing to uncouple. */
        choose(o.n);
        h.click("A5.PB11");
        EXPECT_EQ(track(o.n).posun->color(), White) << o.label;
        EXPECT_EQ(h.text("A5.PB11"), "odvěsit") << o.label;
        if (QLatin1String(o.label) == QLatin1String("A7.SPB"))
            h.click(o.label);
        else
            consent(o.label, o.n);
        ASSERT_TRUE(runUntilStopped(o.n));
        EXPECT_FALSE(h.visible(o.label)) << o.label;
        EXPECT_TRUE(showsInOrder([&](int k) -> ui::Image & { return slot(o.n, k); }, cars)) << o.label;
        EXPECT_EQ(track(o.n).posun->text(), "1") << o.label;
        /* Home, its loco uncouples as ever. */
        h.click("A5.PB11");
        EXPECT_EQ(track(o.n).posun->color(), QColor(255, 255, 0)) << o.label;
    }
    EXPECT_TRUE(h.messages().isEmpty());
}

TEST_F(ShuntingConsent, AUnitKeepsItsKindWhileOnABoxPanel)
{
    const std::array<int, 10> cars = {0, 1, 2, 3, -1, -1, -1, -1, -1, -1};
    h.type("A1.KolejA", "5");
    listColour("C44", White);
    putUnit(5, cars, "1", false, 60);
    choose(5);
    h.click("A5.PB07");
    /* Braked across the end of its track, then on its way back from beyond it: the couple button does nothing. */
    ASSERT_TRUE(runUntilStage(5, 2));
    h.click("A5.PB08");
    ASSERT_TRUE(runUntilStopped(5));
    ASSERT_EQ(track(5).shuntStage->value(), 2);
    h.click("A5.PB11");
    EXPECT_EQ(track(5).posun->color(), White);
    h.click("A5.PB07");
    ASSERT_TRUE(runUntilStopped(5));
    consent("A7.SPA", 5);
    ASSERT_EQ(track(5).shuntStage->value(), 3);
    h.click("A5.PB11");
    EXPECT_EQ(track(5).posun->color(), White);
    ASSERT_TRUE(runUntilStopped(5));
    EXPECT_TRUE(showsInOrder([&](int k) -> ui::Image & { return slot(5, k); }, cars));
    EXPECT_TRUE(eachVehicleInOnePlace(cars));
    /* Home on its track it uncouples as ever. */
    h.click("A5.PB11");
    EXPECT_EQ(track(5).posun->color(), QColor(255, 255, 0));
}

TEST_F(ShuntingConsent, ACoupledUnitLeavesNoCopyOfItselfForThePullsToDragBack)
{
    const std::array<int, 10> cars = {0, 1, 2, -1, -1, -1, -1, -1, -1, 9};
    const std::array<int, 10> empty = {-1, -1, -1, -1, -1, -1, -1, -1, -1, -1};
    putUnit(5, {0, 1, 2, -1, -1, -1, -1, -1, -1, -1}, "1", false, 300);
    runOut(5, false);
    putUnit(3, {-1, -1, -1, -1, -1, -1, -1, -1, -1, 9}, "10", false, 600);
    runOut(3, true);
    EXPECT_TRUE(showsInOrder([&](int k) -> ui::Image & { return slot(5, k); }, empty));
    EXPECT_TRUE(showsInOrder([&](int k) -> ui::Image & { return slot(3, k); }, empty));
    /* With no loco on them, the tracks stand coupled at rest: the pulls move their empty rows across the view. */
    choose(5);
    for (int i = 0; i < 300 && slot(5, 1).left() < screen() / 2; ++i)
        h.click("A5.PB12");
    choose(3);
    for (int i = 0; i < 300 && slot(3, 1).left() > screen() / 2; ++i)
        h.click("A5.PB10");
    ASSERT_GE(slot(5, 1).left(), screen() / 2);
    ASSERT_LE(slot(3, 1).left(), screen() / 2);
    EXPECT_TRUE(eachVehicleInOnePlace(cars));
}

TEST_F(ShuntingConsent, AConsentWaitsWhileATrainArrivesOnTheTrack)
{
    const std::array<int, 10> unit = {0, 1, 2, -1, -1, -1, -1, -1, -1, -1};
    const std::array<int, 10> train = {4, 5, 6, 7, 8, -1, -1, -1, -1, -1};
    h.type("A1.Kolej5", "posun.díl");
    putUnit(5, unit, "1", false, 300);
    runOut(5, false);
    /* Box 2 brings a train onto the track the unit left; it still crosses box 2's panel. */
    arrive('C', 5, train);
    h.advanceMs(50);
    ASSERT_EQ(h.value("A1.KolejStavC"), 3);
    consent("A7.SPA", 5);
    expectWaiting("A7.SPA", 5);
    ASSERT_TRUE(runUntil([&] { return !h.timerEnabled("A1.TimerVlakCOd"); }));
    EXPECT_TRUE(eachVehicleInOnePlace(unit));
    EXPECT_TRUE(eachVehicleInOnePlace(train));
    EXPECT_TRUE(showsInOrder([&](int k) -> ui::Image & { return slot(5, k); }, train));
    EXPECT_TRUE(allOnPanel('A'));
    EXPECT_EQ(track(5).posun->text(), "1");
    EXPECT_EQ(h.text("A1.Kolej5"), "5401");
    consent("A7.SPA", 5);
    EXPECT_TRUE(h.visible("A7.SPA")) << "the train stands on the track";
    EXPECT_EQ(track(5).shuntStage->value(), 0);
    EXPECT_TRUE(h.messages().isEmpty());
}

TEST_F(ShuntingConsent, AUnitOnItsWayBackWaitsBeyondTheStationForATrainArrivingOnItsTrack)
{
    const std::array<int, 10> unit = {-1, -1, -1, -1, -1, -1, -1, 2, 1, 0};
    const std::array<int, 10> train = {4, 5, 6, 7, 8, -1, -1, -1, -1, -1};
    h.type("A1.Kolej5", "posun.díl");
    putUnit(5, unit, "10", false, 600);
    runOut(5, true);
    consent("A8.SPC", 5);
    ASSERT_EQ(track(5).shuntStage->value(), -3);
    /* Still wholly on box 2's panel, the unit finds a train of line A coming in on its track. */
    arrive('A', 5, train);
    ASSERT_TRUE(runUntil([&] { return !track(5).shuntLeft->enabledFlag(); }));
    expectWaiting("A8.SPC", 5);
    EXPECT_TRUE(allOnPanel('C'));
    ASSERT_TRUE(runUntil([&] { return !h.timerEnabled("A1.TimerVlakAOd"); }));
    EXPECT_TRUE(eachVehicleInOnePlace(unit));
    EXPECT_TRUE(eachVehicleInOnePlace(train));
    EXPECT_TRUE(showsInOrder([&](int k) -> ui::Image & { return slot(5, k); }, train));
    EXPECT_EQ(track(5).posun->text(), "10");
    EXPECT_EQ(h.text("A1.Kolej5"), "5401");
    EXPECT_TRUE(h.messages().isEmpty());
}

TEST_F(ShuntingConsent, AConsentWaitsWhileTheTracksOwnUnitStillBrakesBeyondTheOtherSide)
{
    const std::array<int, 10> first = {0, 1, 2, -1, -1, -1, -1, -1, -1, -1};
    const std::array<int, 10> second = {-1, -1, -1, -1, -1, -1, -1, 5, 4, 3};
    putUnit(7, first, "1", false, 300);
    runOut(7, false);
    putUnit(5, second, "10", false, 600);
    h.type("A1.KolejC", "5");
    listColour("C29", White);
    listColour("C44", White);
    choose(5);
    h.click("A5.PB09");
    /* Track 5's unit is wholly on box 2's panel and still braking: its track reads no loco already. */
    ASSERT_TRUE(runUntilStage(5, -3));
    consent("A7.SPA", 5);
    EXPECT_TRUE(h.visible("A7.SPA"));
    EXPECT_EQ(track(5).shuntStage->value(), -3);
    ASSERT_TRUE(runUntilStopped(5));
    EXPECT_TRUE(h.visible("A8.SPC")) << "the unit beyond side C waits for its consent";

    /* Once it stands, side A's unit comes in; sent out again, side C's consent waits for it the same way. */
    consent("A7.SPA", 5);
    ASSERT_TRUE(runUntilStopped(5));
    h.click("A5.PB07");
    ASSERT_TRUE(runUntilStage(5, 3));
    consent("A8.SPC", 5);
    EXPECT_TRUE(h.visible("A8.SPC"));
    EXPECT_EQ(track(5).shuntStage->value(), 3);
    ASSERT_TRUE(runUntilStopped(5));
    EXPECT_TRUE(h.visible("A7.SPA")) << "the unit beyond side A waits for its consent";
    EXPECT_TRUE(eachVehicleInOnePlace(first));
    EXPECT_TRUE(eachVehicleInOnePlace(second));

    consent("A8.SPC", 3);
    ASSERT_TRUE(runUntilStopped(3));
    consent("A7.SPA", 7);
    ASSERT_TRUE(runUntilStopped(7));
    EXPECT_TRUE(showsInOrder([&](int k) -> ui::Image & { return slot(3, k); }, second));
    EXPECT_TRUE(showsInOrder([&](int k) -> ui::Image & { return slot(7, k); }, first));
    EXPECT_TRUE(eachVehicleInOnePlace(first));
    EXPECT_TRUE(eachVehicleInOnePlace(second));
    EXPECT_TRUE(h.messages().isEmpty());
}

TEST_F(ShuntingConsent, ALocoAloneComingBackStopsOnTheViewWhereItsTracksSlotsLieBeyondTheEdge)
{
    /* Track 5's unit went out to side A, its emptied slots left beyond the view's left edge; the track is put down
       as a loco alone's by hand, as no control uncouples a track without a loco. */
    putUnit(5, {0, 1, 2, 3, 4, 5, 6, 7, 8, 10}, "1", false, 300);
    runOut(5, false);
    track(5).posun->setColor(QColor(255, 255, 0));
    ASSERT_LT(slot(5, 9).left() + slot(5, 9).width() + 70, 60) << "the loco brakes too late to stop on the view";
    /* Track 3's loco goes out alone to side C and is brought in on track 5: it brakes only near slot 9. */
    const std::array<int, 10> loco = {-1, -1, -1, -1, -1, -1, -1, -1, -1, 9};
    putUnit(3, loco, "10", true, 700);
    runOut(3, true);
    consent("A8.SPC", 5);
    ASSERT_TRUE(runUntilStopped(5));
    EXPECT_EQ(track(5).shuntStage->value(), 0);
    EXPECT_EQ(track(5).posun->text(), "10");
    EXPECT_EQ(shows(slot(5, 10)), 9);
    EXPECT_EQ(slot(5, 10).left(), 0) << "halted at the edge";
    EXPECT_TRUE(eachVehicleInOnePlace(loco));
    EXPECT_TRUE(h.messages().isEmpty());
}

TEST_F(ShuntingConsent, ALocoAloneHomeOnATrackWhoseSlotsLieBeyondTheEdgeIsNotCoupledOutOfSight)
{
    const std::array<int, 10> loco = {0, -1, -1, -1, -1, -1, -1, -1, -1, -1};
    putUnit(5, loco, "1", false, 300);
    runOut(5, false);
    track(5).posun->setColor(QColor(255, 255, 0)); // by hand: no control uncouples a track without a loco
    consent("A7.SPA", 5);
    ASSERT_TRUE(runUntilStopped(5));
    ASSERT_EQ(shows(slot(5, 1)), 0);
    ASSERT_LT(slot(5, 2).left(), 0) << "the emptied slots lie beyond the left edge";
    /* Coupled against them, the loco would be laid beyond the edge: it stays where it is, in sight. */
    const int left = slot(5, 1).left();
    choose(5);
    ASSERT_EQ(h.text("A5.PB11"), "svěsit");
    h.click("A5.PB11");
    EXPECT_EQ(slot(5, 1).left(), left);
    EXPECT_EQ(track(5).shuntStage->value(), 0);
    EXPECT_TRUE(eachVehicleInOnePlace(loco));
}

TEST_F(ShuntingByClicks, AUnitSentOutOnBothRoutesComesHomeOnceAndFreesTheSide)
{
    /* Sent out with routes A and B both laid to track 3, the unit stands on both chains with both labels. */
    const std::array<int, 10> cars = {0, 1, 2, -1, -1, -1, -1, -1, -1, -1};
    enum Meanwhile { Nothing, RouteBMoved, ChainsApart };
    for (const Meanwhile meanwhile : {Nothing, RouteBMoved, ChainsApart}) {
        h.type("A1.KolejA", "3");
        h.type("A1.KolejB", "3");
        listColour("C41", White);
        putUnit(3, cars, "1", false, 300);
        choose(3);
        h.click("A5.PB07");
        ASSERT_TRUE(runUntilStopped(3));
        ASSERT_TRUE(h.visible("A7.SPA") && h.visible("A7.SPB"));
        /* Line B's route laid elsewhere leaves chain B's copy behind when chain A brings the unit. */
        if (meanwhile != Nothing)
            h.type("A1.KolejB", "5");
        if (meanwhile == ChainsApart) {
            /* Brought back a little way on chain A alone, then stopped beyond again, with both routes laid again. */
            h.click("A7.SPA");
            ASSERT_TRUE(runUntil([&] { return chain('A', 1).left() > chain('B', 1).left() + 20; }));
            h.click("A5.PB08");
            ASSERT_TRUE(runUntilStopped(3));
            ASSERT_EQ(track(3).shuntStage->value(), 0) << "stopped beyond the station again";
            h.type("A1.KolejB", "3");
        }
        h.click("A7.SPA");
        EXPECT_FALSE(h.visible("A7.SPB")) << "the unit is on its way back: the other label brings it no more";
        ASSERT_TRUE(runUntilStopped(3));
        h.advanceMs(5000);
        EXPECT_EQ(track(3).posun->text(), "1");
        EXPECT_TRUE(eachVehicleInOnePlace(cars)) << meanwhile;
        EXPECT_FALSE(h.visible("A7.SPA") || h.visible("A7.SPB")) << "no unit waits beyond side A/B";
        h.click("A5.PB07");
        EXPECT_TRUE(track(3).shuntLeft->enabledFlag()) << "the side is free again";
        h.click("A5.PB08");
        ASSERT_TRUE(runUntilStopped(3));
    }
}

TEST_F(ShuntingByClicks, ADepartedTrainLeavesNoCopyForThePullsToDragBack)
{
    const std::array<int, 10> train = {1, 2, 3, 4, 5, 6, 7, 8, 9, 0};
    putUnit(3, train, "10", false, 100);
    h.type("A1.Kolej3", "5401");
    h.type("A1.KolejA", "3");
    h.type("A1.TratA", "5401");
    TimetableRow &row = h.app().A2().row(1);
    row.trainNumber->setText("5401");
    row.leavesFor->setText(a1().StaniceA1->text());
    row.runningTimeTo->setText("6");
    row.departure->setColor(progress::Aqua);
    listColour("C41", Lime);
    h.click("A5.J5");
    ASSERT_TRUE(h.timerEnabled("A1.TimerVlakADo"));
    ASSERT_TRUE(runUntil([&] { return !h.timerEnabled("A1.TimerVlakADo"); }));
    ASSERT_EQ(h.text("A1.Kolej3"), "Volná");
    /* The track stands coupled at rest with no loco: each pull moves its row 10 px right, across the view. */
    choose(3);
    for (int i = 0; i < 100; ++i)
        h.click("A5.PB12");
    ASSERT_GT(slot(3, 1).left(), 0);
    EXPECT_TRUE(eachVehicleInOnePlace({-1, -1, -1, -1, -1, -1, -1, -1, -1, -1}, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
    EXPECT_TRUE(h.messages().isEmpty());
}

TEST_F(ShuntingByClicks, ASecondUnitHeadingForATakenSideStopsOnItsTrack)
{
    h.type("A1.KolejA", "3");
    h.type("A1.KolejB", "5");
    listColour("C41", White);
    listColour("C44", White);
    putUnit(3, {0, 1, -1, -1, -1, -1, -1, -1, -1, -1}, "1", false, 100);
    putUnit(5, {0, 2, -1, -1, -1, -1, -1, -1, -1, -1}, "1", false, 300);
    /* Both start while side A/B is free; track 3's unit gets there first. */
    choose(3);
    h.click("A5.PB07");
    choose(5);
    h.click("A5.PB07");
    ASSERT_TRUE(runUntilStopped(5));
    EXPECT_TRUE(allOnView(5));
    EXPECT_EQ(track(5).shuntStage->value(), 0);
    ASSERT_TRUE(runUntilStopped(3));
    EXPECT_TRUE(h.visible("A7.SPA"));
    EXPECT_EQ(shows(chain('A', 1)), 0);
    EXPECT_EQ(shows(chain('A', 2)), 1) << "the first unit is not overwritten";
    EXPECT_EQ(shows(slot(5, 2)), 2);
}

TEST_F(ShuntingByClicks, AFailingTickIsReportedOnceAndStopsItsTimer)
{
    h.type("A1.KolejA", "3");
    listColour("C41", White);
    putUnit(3, {0, 1, -1, -1, -1, -1, -1, -1, -1, -1}, "1", false);
    h.as<ui::SpinEdit>("A5.Rychlost3").onChange = [] { throw ui::SimError(QStringLiteral("porucha")); };
    choose(3);
    h.click("A5.PB07");
    h.advanceMs(5000);
    EXPECT_EQ(h.messages(), QStringList{"porucha"});
    EXPECT_FALSE(h.timerEnabled("A5.Timerposun3L"));
    EXPECT_EQ(track(3).shuntStage->value(), 1);
}

TEST_F(ShuntingByClicks, TheScreensWidthIsTheEdgeAlsoWhileTheViewIsNotMaximised)
{
    h.resize("A5", 800, 600);
    h.type("A1.KolejA", "3");
    h.type("A1.KolejC", "5");
    for (const char *list : {"C41", "C29"})
        listColour(list, White);
    putUnit(5, {0, 1, 2, -1, -1, -1, -1, -1, -1, -1}, "1", false, 600);
    choose(5);
    h.click("A5.PB09");
    ASSERT_TRUE(runUntil([&] { return slot(5, 10).left() + slot(5, 10).width() > 810; }));
    EXPECT_EQ(track(5).shuntStage->value(), -1) << "still on the track past the form's own width";
    ASSERT_TRUE(runUntilStage(5, -2));
    EXPECT_GT(slot(5, 10).left() + slot(5, 10).width(), 1024);

    putUnit(3, {0, 1, -1, -1, -1, -1, -1, -1, -1, -1}, "1", false, 100);
    choose(3);
    h.click("A5.PB07");
    ASSERT_TRUE(runUntilStage(3, 2));
    EXPECT_EQ(chain('A', 1).left(), 1024) << "placed at the right edge of the screen";
}

TEST_F(ShuntingRun, ARunBackBrakedOnTheBoxPanelCanBeConsentedAgain)
{
    route(5, 3);
    putUnit(5, {0, 1, -1, -1, -1, -1, -1, -1, -1, -1}, "1", false);
    start(5, false);
    ASSERT_TRUE(runUntilStopped(5));
    h.click("A7.SPA");
    track(5).shuntStage->setColor(Red); // the player brakes at once
    ASSERT_TRUE(runUntilStopped(5));
    EXPECT_EQ(track(5).shuntStage->value(), 0);
    EXPECT_TRUE(h.visible("A7.SPA"));
    EXPECT_EQ(track(5).posun->text(), "0");
    h.click("A7.SPA");
    EXPECT_TRUE(track(5).shuntRight->enabledFlag());
    ASSERT_TRUE(runUntilStopped(5));
    EXPECT_EQ(track(5).posun->text(), "1");
    EXPECT_EQ(shows(slot(5, 2)), 1);
}

TEST_F(ShuntingRun, AUnitItsBrakeStopsAsItComesWhollyOntoABoxPanelWaitsForItsConsent)
{
    route(5, 0);
    a1().KolejC->setValue(3);
    const std::array<int, 10> toA = {0, 1, 2, 3, 4, 5, 6, 7, 8, -1};
    const std::array<int, 10> toC = {-1, 8, 7, 6, 5, 4, 3, 2, 1, 0};
    /* Stopped a pixel inside the panel, or with its image ending (chain C's: starting) exactly at the panel's edge. */
    for (int shortBy : {0, 1}) {
        putUnit(5, toA, "1", false, 500);
        putUnit(3, toC, "10", false, 300);
        for (const auto &[n, right] : {std::pair{5, false}, std::pair{3, true}}) {
            ui::Timer &t = right ? *track(n).shuntRight : *track(n).shuntLeft;
            /* Pixels to go until the unit stands a pixel inside the panel: chain C's image a past 0, chain A's j
               inside. */
            const auto toGo = [&, right = right] {
                return right ? 1 - chain('C', 1).left() : chain('A', 10).left() + chain('A', 10).width() - screen() + 1;
            };
            start(n, right);
            ASSERT_NO_FATAL_FAILURE(brakeToStopShort(n, t, right ? -2 : 2, toGo, shortBy));
            EXPECT_EQ(toGo(), shortBy) << "it came wholly onto the panel with its last move";
            EXPECT_EQ(track(n).shuntStage->value(), 0) << shortBy;
            EXPECT_EQ(track(n).posun->text(), "0");
            EXPECT_TRUE(h.visible(right ? "A8.SPC" : "A7.SPA")) << "the unit waits for its consent";
        }

        h.click("A7.SPA");
        h.click("A8.SPC");
        ASSERT_TRUE(runUntilStopped(5));
        ASSERT_TRUE(runUntilStopped(3));
        for (int k = 1; k <= 10; ++k) {
            EXPECT_EQ(shows(slot(5, k)), toA[k - 1]) << k;
            EXPECT_EQ(shows(slot(3, k)), toC[k - 1]) << k;
        }
    }
}

TEST_F(ShuntingRun, AUnitItsBrakeStopsAsItLeavesABoxPanelOnItsWayHomeRests)
{
    route(5, 0);
    a1().KolejC->setValue(3);
    /* Stopped a pixel beyond the panel, or with chain A's image a exactly at the screen's width (chain C's j ending
       at 0). */
    for (int shortBy : {0, 1}) {
        putUnit(5, {0, 1, 2, 3, 4, 5, 6, 7, 8, -1}, "1", false, 500);
        putUnit(3, {-1, 8, 7, 6, 5, 4, 3, 2, 1, 0}, "10", false, 300);
        for (const auto &[n, out] : {std::pair{5, false}, std::pair{3, true}}) {
            start(n, out);
            ASSERT_TRUE(runUntilStopped(n));
            h.click(out ? "A8.SPC" : "A7.SPA");
            ui::Timer &t = out ? *track(n).shuntLeft : *track(n).shuntRight;
            /* Pixels to go until the unit is wholly on the view, and so off the panel: slot 1 at 0, slot 10 ending at
               the edge. */
            const auto toGo = [&, n = n, out = out] {
                return out ? slot(n, 10).left() + slot(n, 10).width() - screen() : -slot(n, 1).left();
            };
            ASSERT_NO_FATAL_FAILURE(brakeToStopShort(n, t, out ? -2 : 2, toGo, shortBy));
            EXPECT_EQ(toGo(), shortBy) << "it left the panel with its last move";
            EXPECT_EQ(track(n).shuntStage->value(), 0) << "at rest on its track, " << shortBy;
            EXPECT_EQ(track(n).posun->text(), out ? "10" : "1");
            /* At rest, the pulls move it, away from the edge it came in at. */
            const int from = slot(n, 1).left();
            h.click(n == 5 ? "A5.PB04" : "A5.PB03");
            h.click(out ? "A5.PB10" : "A5.PB12");
            EXPECT_EQ(slot(n, 1).left(), from + (out ? -10 : 10)) << n << ", " << shortBy;
        }
    }
    /* Home at the edge pixel, the unit left chain A: sent out on line B, it waits for chain B's consent alone. */
    route(0, 5);
    start(5, false);
    ASSERT_TRUE(runUntilStopped(5));
    EXPECT_TRUE(h.visible("A7.SPB"));
    EXPECT_FALSE(h.visible("A7.SPA"));
}

TEST_F(ShuntingRun, AUnitItsBrakeStopsAsItReachesTheEdgeOfTheViewStaysOnTheView)
{
    route(5, 0);
    a1().KolejC->setValue(3);
    putUnit(5, {0, 1, 2, -1, -1, -1, -1, -1, -1, -1}, "1", false, 500);
    putUnit(3, {-1, -1, -1, -1, -1, -1, -1, 4, 3, 0}, "10", false, 300);
    for (const auto &[n, right] : {std::pair{5, false}, std::pair{3, true}}) {
        ui::Timer &t = right ? *track(n).shuntRight : *track(n).shuntLeft;
        ui::Image &lead = slot(n, right ? 10 : 1);
        const auto toGo = [&, right = right] {
            return right ? screen() - lead.left() - lead.width() + 1 : lead.left() + 1;
        };
        start(n, right);
        ASSERT_NO_FATAL_FAILURE(brakeToStopShort(n, t, right ? -1 : 1, toGo));
        EXPECT_EQ(toGo(), 1) << "its last move took it up to the edge, not past it";
        EXPECT_EQ(track(n).shuntStage->value(), 0) << n;
    }
}

} // namespace
