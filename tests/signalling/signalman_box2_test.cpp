/** @file signalman_box2_test.cpp The automatic signalman of signal box 2: points, crossing, track circuits and its end. */
#include "signalman_test.h"

#include "ui/sim_error.h"

#include <gtest/gtest.h>

using namespace signalman_test;

namespace {

const QString SigC = QStringLiteral("A1.SignalistaC");
const QString Opt2 = QStringLiteral("A1.KodSt2");

/** @return a box-2 device's Left from the knob panel's. */
int fromI0(const Harness &h, const QString &device)
{
    return leftFrom(h, device, "A8.I0");
}

/** @return a box-2 lever's Top from the block instrument's. */
int fromBlok(const Harness &h, const QString &lever)
{
    return h.control(lever).top() - h.control("A8.Blok").top();
}

/** @return how far the crossing's close button stands below its base: 2 pressed, 0 released. */
int closeButton(const Harness &h)
{
    return h.control("A8.G5").top() - h.control("A8.G5a").top();
}

/** Puts box 2 into a locked route with the signalman working: route and laid track, crossing closed. */
void lockedRoute(Harness &h, int route)
{
    setValues(h, {{"A1.CestaC", route}, {"A1.KolejC", route}, {"A1.ZavCHSt", 5}});
    h.type("A1.PZZ", "Uzavřený");
    runIn(h, SigC, 1001);
}

} // namespace

TEST(SignalmanBox2, ALineCRunClosesTheCrossingSetsThePointsAndOpensItAtTheEnd)
{
    Harness h;
    startStation(h);
    setValues(h, {{"A1.CestaC", 3}});
    ringBell(h, SigC, Opt2);
    tick(h, SigC);
    EXPECT_EQ(h.control("A6.DestickaC").height(), 85);
    EXPECT_TRUE(h.sounds().contains("play Desticka3.wav"));
    EXPECT_EQ(closeButton(h), 2);
    EXPECT_EQ(h.text("A1.PZZ"), "Uzavíraný");
    EXPECT_EQ(h.value("A1.PZZ2"), 21);
    tick(h, SigC);
    EXPECT_EQ(h.interval(SigC), 1001);

    /* Route 3: points 12 stand at +10 already; 13 must go to -10 by IY turned right. */
    tick(h, SigC);
    EXPECT_EQ(fromI0(h, "A8.IY"), 783);
    EXPECT_TRUE(showsPicture(h, "A8.IY", "A3.KlickaP"));
    EXPECT_FALSE(h.visible("A8.V13Zelena"));
    EXPECT_TRUE(h.timerEnabled("A8.TimerVymena13"));
    EXPECT_EQ(fromI0(h, "A8.IV"), 672); // untouched
    EXPECT_FALSE(turned(h, "A8.I4"));
    h.as<ui::SpinEdit>("A1.Vymena13").setValue(-10); // the point machine has brought them over
    tick(h, SigC);
    EXPECT_TRUE(showsPicture(h, "A8.I4", "A3.KlickaL"));
    EXPECT_EQ(fromI0(h, "A8.I4"), 158 - 19);

    /* A release before the crossing is closed locks nothing. */
    setValues(h, {{"A1.NavCHOdSt", 6}, {"A1.KolejC", 3}});
    tick(h, SigC);
    EXPECT_EQ(h.interval(SigC), 1001);
    EXPECT_EQ(fromBlok(h, "A8.PakaZavCH"), 341);
    h.type("A1.PZZ", "Uzavřený"); // the clock has counted the closing down
    tick(h, SigC);
    EXPECT_EQ(h.interval(SigC), 3000);
    EXPECT_EQ(fromBlok(h, "A8.PakaZavCH"), 339 + 9);
    tick(h, SigC);
    EXPECT_EQ(h.value("A1.ZavCHSt"), 5);
    EXPECT_EQ(fromBlok(h, "A8.PakaZavCH"), 341);
    EXPECT_FALSE(h.timerEnabled("A1.ZaverSt2"));

    /* Entry: box 2's knob turns right. */
    tick(h, SigC);
    EXPECT_EQ(fromI0(h, "A8.NavCH"), 1132);
    EXPECT_EQ(h.text("A1.C09"), "40 a výstraha");

    /* The train passes; the knob goes back once the track circuits are free, then the entry lever is pressed. */
    setValues(h, {{"A1.HrCHOd", 5}});
    h.type("A1.KO1a", "Obsazená"); // a route of 3 or less needs KO10 and KO1a free as well
    tick(h, SigC);
    EXPECT_TRUE(turned(h, "A8.NavCH"));
    h.type("A1.KO1a", "Volná");
    tick(h, SigC);
    EXPECT_EQ(fromI0(h, "A8.NavCH"), 1136);
    EXPECT_EQ(h.text("A1.C09"), "Stůj");
    tick(h, SigC);
    EXPECT_EQ(h.interval(SigC), 3001);
    EXPECT_EQ(fromBlok(h, "A8.PakaNavCHOd"), 339 + 7);
    tick(h, SigC);
    EXPECT_EQ(h.value("A1.NavCHOdSt"), 1);

    /* Fields back at 1 with the route locked: the levers are released at every step, the signalman goes on. */
    EXPECT_EQ(fromBlok(h, "A8.PakaNavCHOd"), 339);
    EXPECT_TRUE(h.timerEnabled(SigC));
    h.control("A8.PakaNavCHDo").setTop(h.control("A8.Blok").top() + 344);
    tick(h, SigC);
    EXPECT_EQ(fromBlok(h, "A8.PakaNavCHDo"), 339);
    EXPECT_TRUE(h.timerEnabled(SigC));

    /* The dispatcher unlocks the route; the crossing opens once its countdown has run. */
    setValues(h, {{"A1.ZavCHSt", 1}, {"A1.PZZOpen", 20}});
    tick(h, SigC);
    EXPECT_TRUE(h.timerEnabled(SigC));
    setValues(h, {{"A1.PZZOpen", 1}});
    tick(h, SigC);
    EXPECT_FALSE(h.timerEnabled(SigC));
    EXPECT_EQ(h.text("A1.PZZ"), "Otevřený");
    EXPECT_EQ(h.value("A1.PZZOpen"), 0);
    EXPECT_EQ(closeButton(h), 0);
    EXPECT_TRUE(h.messages().isEmpty());
}

TEST(SignalmanBox2, AClosedCrossingIsLeftAloneWhenArmed)
{
    Harness h;
    startStation(h);
    h.type("A1.PZZ", "Uzavřený");
    setValues(h, {{"A1.PZZ2", 4}});
    ringBell(h, SigC, Opt2);
    tick(h, SigC);
    EXPECT_EQ(h.text("A1.PZZ"), "Uzavřený");
    EXPECT_EQ(h.value("A1.PZZ2"), 4);
    EXPECT_EQ(closeButton(h), 0);
    EXPECT_EQ(h.interval(SigC), 1000);
}

TEST(SignalmanBox2, ARouteLaidElsewhereSendsTheKnobsBackWithinTheTick)
{
    Harness h;
    startStation(h);
    setValues(h, {{"A1.CestaC", 1}, {"A1.KolejC", 2}, {"A1.NavCHDoSt", 6}});
    h.type("A1.PZZ", "Uzavřený");
    h.as<ui::Image>("A8.I1").assignPicture(h.as<ui::Image>("A3.KlickaP"));
    h.control("A8.CisloCH1").show();
    runIn(h, SigC, 1001);
    tick(h, SigC);
    EXPECT_EQ(h.interval(SigC), 1001);
    EXPECT_FALSE(turned(h, "A8.I1"));
    EXPECT_EQ(fromI0(h, "A8.I1"), 62);
    EXPECT_FALSE(h.visible("A8.CisloCH1"));
    EXPECT_EQ(fromBlok(h, "A8.PakaZavCH"), 341);
    /* Route 1: points 9 and 10 at +20 and 13 at +10 stand already; the knob is turned again at once. */
    tick(h, SigC);
    EXPECT_TRUE(showsPicture(h, "A8.I1", "A3.KlickaP"));
    EXPECT_EQ(fromI0(h, "A8.I1"), 62 - 4);
}

TEST(SignalmanBox2, MovingPointsKeepTheSignalmanTurningTheSameController)
{
    Harness h;
    startStation(h);
    setValues(h, {{"A1.CestaC", 7}});
    runIn(h, SigC, 1001);
    /* Route 7: 11 to -10 (IR right), 12 to -10 (IV right), 13 to -10 (IY right). */
    tick(h, SigC);
    EXPECT_EQ(fromI0(h, "A8.IR"), 591);
    EXPECT_FALSE(h.visible("A8.V11Zelena"));
    h.as<ui::SpinEdit>("A1.Vymena11").setValue(2); // under way
    h.as<ui::Timer>("A8.TimerVymena11").setEnabledFlag(false);
    h.control("A8.IR").setLeft(h.control("A8.I0").left() + 576); // the player turns it back meanwhile
    tick(h, SigC);
    EXPECT_EQ(fromI0(h, "A8.IR"), 591);
    EXPECT_TRUE(h.timerEnabled("A8.TimerVymena11"));
    EXPECT_EQ(fromI0(h, "A8.IV"), 672);
    h.as<ui::SpinEdit>("A1.Vymena11").setValue(-10);
    tick(h, SigC);
    EXPECT_EQ(fromI0(h, "A8.IV"), 687);
    EXPECT_TRUE(showsPicture(h, "A8.IV", "A3.KlickaP"));
    /* A controller the player turned does not count until the points arrive: IY stays the next step. */
    h.as<ui::SpinEdit>("A1.Vymena12").setValue(-10);
    h.as<ui::Image>("A8.IY").assignPicture(h.as<ui::Image>("A3.KlickaP"));
    tick(h, SigC);
    EXPECT_EQ(fromI0(h, "A8.IY"), 783);
    EXPECT_FALSE(turned(h, "A8.I7"));
    h.as<ui::SpinEdit>("A1.Vymena13").setValue(-10);
    tick(h, SigC);
    EXPECT_TRUE(showsPicture(h, "A8.I7", "A3.KlickaL"));
    EXPECT_EQ(fromI0(h, "A8.I7"), 254 - 19);
}

TEST(SignalmanBox2, TheExitWaitsForTheLineConsentAndClearsTheRoutesSignals)
{
    Harness h;
    startStation(h);
    lockedRoute(h, 2);
    setValues(h, {{"A1.NavCHDoSt", 6}, {"A1.CestaA", 2}, {"A1.CestaB", 2}});
    h.type("A1.C03", "40 a výstraha");
    h.type("A1.C06", "40 a výstraha");
    setValues(h, {{"A1.TSCH", 3}});
    tick(h, SigC);
    EXPECT_FALSE(turned(h, "A8.NavCH"));
    EXPECT_EQ(h.text("A1.C22"), "Stůj");
    setValues(h, {{"A1.TSCH", 1}});
    tick(h, SigC);
    EXPECT_EQ(fromI0(h, "A8.NavCH"), 1117);
    EXPECT_TRUE(showsPicture(h, "A8.NavCH", "A3.KlickaL"));
    EXPECT_EQ(h.text("A1.C22"), "40 a volno");
    EXPECT_EQ(h.text("A1.C16"), "Volno");
    EXPECT_EQ(h.text("A1.C03"), "40 a 40");
    EXPECT_EQ(h.text("A1.C06"), "40 a výstraha"); // line B has no through run onto track 2

    /* The train has left and the throat is free: knob and signals go back; track 2 needs KO10 and KO1a too. */
    setValues(h, {{"A1.HrCHDo", 4}});
    h.type("A1.KO10", "Obsazená");
    tick(h, SigC);
    EXPECT_TRUE(turned(h, "A8.NavCH"));
    h.type("A1.KO10", "Volná");
    tick(h, SigC);
    EXPECT_FALSE(turned(h, "A8.NavCH"));
    EXPECT_EQ(h.text("A1.C22"), "Stůj");
    EXPECT_EQ(h.text("A1.C16"), "Stůj");
    EXPECT_EQ(h.text("A1.C03"), "40 a výstraha");
    tick(h, SigC);
    EXPECT_EQ(h.interval(SigC), 3002);
    EXPECT_EQ(fromBlok(h, "A8.PakaNavCHDo"), 339 + 7);
}

TEST(SignalmanBox2, LineBsEntryIsRaisedAndRestoredByEveryExitOfItsTrack)
{
    const std::tuple<int, const char *, const char *, const char *, const char *> rows[] = {
        {1, "A1.C19", "Volno", "40 a výstraha", "40 a volno"},
        {3, "A1.C25", "40 a volno", "Výstraha", "40 a 40"},
        {5, "A1.C28", "40 a volno", "40 a výstraha", "40 a 40"},
        {7, "A1.C31", "40 a volno", "40 a výstraha", "40 a 40"},
    };
    for (const auto &[route, exit, proceed, before, after] : rows) {
        Harness h;
        startStation(h);
        lockedRoute(h, route);
        setValues(h, {{"A1.NavCHDoSt", 6}, {"A1.CestaB", route}, {"A1.CestaA", 0}, {"A1.TSCH", 1}});
        h.type("A1.C06", before);
        tick(h, SigC);
        EXPECT_EQ(h.text(exit), proceed) << route;
        EXPECT_EQ(h.text("A1.C06"), after) << route;
        setValues(h, {{"A1.HrCHDo", 2}});
        tick(h, SigC);
        EXPECT_EQ(h.text(exit), "Stůj") << route;
        EXPECT_EQ(h.text("A1.C06"), before) << route;
    }
}

TEST(SignalmanBox2, TheEntryOfAThroughRunIsRaisedByTheExitsOfBox1)
{
    Harness h;
    startStation(h);
    lockedRoute(h, 1);
    setValues(h, {{"A1.NavCHOdSt", 6}, {"A1.CestaA", 1}, {"A1.CestaB", 1}});
    h.type("A1.C34", "Volno");
    tick(h, SigC);
    EXPECT_EQ(h.text("A1.C09"), "Volno"); // route 1's "Výstraha" raised by line A's S1
    EXPECT_EQ(fromI0(h, "A8.NavCH"), 1132);

    Harness g;
    startStation(g);
    lockedRoute(g, 5);
    setValues(g, {{"A1.NavCHOdSt", 6}, {"A1.CestaA", 5}, {"A1.CestaB", 5}});
    /* Both lines run through: line A's match gives "40 a 40", line B's later match overwrites it.
       The raise looks at these exits whatever the route. */
    g.type("A1.C37", "40 a volno");
    g.type("A1.C40", "Volno");
    tick(g, SigC);
    EXPECT_EQ(g.text("A1.C09"), "40 a volno");
}

TEST(SignalmanBox2, OnceEndedItMovesNoPointsAndNoKnobs)
{
    Harness h;
    startStation(h);
    /* The player has returned the knobs by hand; the route to track 3 would need points 13 over. */
    setValues(h, {{"A1.CestaC", 3}, {"A1.PZZOpen", 1}});
    h.type("A1.PZZ", "Uzavřený");
    runIn(h, SigC, 1001);
    tick(h, SigC);
    EXPECT_FALSE(h.timerEnabled(SigC));
    EXPECT_EQ(h.text("A1.PZZ"), "Otevřený");
    EXPECT_EQ(fromI0(h, "A8.IY"), 768);
    EXPECT_FALSE(h.timerEnabled("A8.TimerVymena13"));
}

TEST(SignalmanBox2, AFailingTickShowsItsOwnCode)
{
    Harness h;
    startStation(h);
    h.as<ui::Edit>("A1.PZZ").onChange = [] { throw ui::SimError(QStringLiteral("porucha")); };
    ringBell(h, SigC, Opt2);
    tick(h, SigC);
    EXPECT_EQ(h.messages(), (QStringList{"Error 10SigC", "porucha"}));
    EXPECT_EQ(closeButton(h), 2); // pressed before the failure
    EXPECT_EQ(h.interval(SigC), 1000);
}

TEST(SignalmanBox2, ARouteUnlockedWhileTheEntryLeverIsDownLetsTheLeverUpAtTheEnd)
{
    Harness h;
    startStation(h);
    lockedRoute(h, 3);
    /* The train is in: the signalman presses the entry lever and cranks the block back. */
    setValues(h, {{"A1.NavCHOdSt", 6}, {"A1.NavCHOd", 5}, {"A1.HrCHOd", 5}});
    tick(h, SigC);
    ASSERT_EQ(h.interval(SigC), 3001);
    ASSERT_EQ(fromBlok(h, "A8.PakaNavCHOd"), 346);
    /* The desk's field is back at 1 first: the dispatcher unlocks the route at once. */
    h.advanceMs(1500);
    ASSERT_EQ(h.value("A1.NavCHOd"), 1);
    setValues(h, {{"A1.ZavCHSt", 1}, {"A1.ZavCH", 1}, {"A1.PZZOpen", 1}});
    tick(h, SigC);
    EXPECT_FALSE(h.timerEnabled(SigC));
    EXPECT_EQ(fromBlok(h, "A8.PakaNavCHOd"), 339);
    EXPECT_EQ(fromBlok(h, "A8.PakaNavCHDo"), 339);
    EXPECT_FALSE(h.timerEnabled("A1.ZaverSt2"));
    EXPECT_TRUE(h.messages().isEmpty()) << h.messages().join(" | ").toStdString();
}
