/** @file signalman_box1_test.cpp The automatic signalmen of signal box 1: routes, locks, signals and their end. */
#include "signalman_test.h"

#include "devices/form_a6.h"
#include "ui/sim_error.h"

#include <gtest/gtest.h>

using namespace signalman_test;

namespace {

const QString SigA = QStringLiteral("A1.SignalistaA");
const QString SigB = QStringLiteral("A1.SignalistaB");
const QString Opt1 = QStringLiteral("A1.KodSt1");

/** @return the positions of box 1's levers 1 to 11: 'D' down, 'U' up, '?' anywhere else. */
QString levers(const Harness &h)
{
    QString out;
    for (int n = 1; n <= 11; ++n) {
        const int base = h.control(QStringLiteral("A7.Paka%1c").arg(n)).top();
        const int head = h.control(QStringLiteral("A7.Paka%1b").arg(n)).top();
        out += head == base + 147 ? 'D' : head == base - 291 ? 'U' : '?';
    }
    return out;
}

/** @return the Top of a lever's number label from its base. */
int labelFromBase(const Harness &h, int lever)
{
    return h.control(QStringLiteral("A7.Paka%1d").arg(lever)).top()
           - h.control(QStringLiteral("A7.Paka%1c").arg(lever)).top();
}

/** @return a box-1 lever's Top from the block instrument's. */
int fromBlok(const Harness &h, const QString &lever)
{
    return h.control(lever).top() - h.control("A7.Blok").top();
}

/** Rings line A's or B's bell and lets the tablet drop and the knobs return: the signalman is then working. */
void ringAndStart(Harness &h, const QString &signalman)
{
    ringBell(h, signalman, Opt1);
    tick(h, signalman);
    tick(h, signalman);
    ASSERT_EQ(h.interval(signalman), 1001);
}

} // namespace

TEST(SignalmanBox1, ALineAArrivalFromTheBellToTheEnd)
{
    Harness h;
    startStation(h);
    setValues(h, {{"A1.CestaA", 3}, {"A1.KolejA", 3}});
    ringBell(h, SigA, Opt1);
    EXPECT_TRUE(h.timerEnabled(SigA));
    h.advanceMs(4999);
    EXPECT_NE(h.control("A6.DestickaA").height(), 85);
    h.advanceMs(1);
    EXPECT_EQ(h.control("A6.DestickaA").height(), 85);
    EXPECT_EQ(h.color("A6.DestickaA"), QColor(255, 255, 255));
    EXPECT_EQ(h.interval(SigA), 1000);
    EXPECT_TRUE(h.sounds().contains("play Desticka2.wav"));
    tick(h, SigA);
    EXPECT_EQ(h.interval(SigA), 1001);

    /* Route 3 wants levers 1 and 2 up; 3 (up), 5, 6, 8 and 11 (down) stand already. */
    EXPECT_EQ(levers(h), "DDUDDDUDUDD");
    tick(h, SigA);
    EXPECT_EQ(levers(h), "UDUDDDUDUDD");
    EXPECT_EQ(labelFromBase(h, 1), -126);
    EXPECT_TRUE(showsPicture(h, "A7.Paka1b", "A3.PakaH"));
    tick(h, SigA);
    EXPECT_EQ(levers(h), "UUUDDDUDUDD");
    EXPECT_FALSE(turned(h, "A7.Zavernik2"));
    const int knobRest = leftFrom(h, "A7.Zavernik2", "A7.Ram");
    EXPECT_EQ(knobRest, 1569);
    tick(h, SigA);
    EXPECT_TRUE(turned(h, "A7.Zavernik2"));
    EXPECT_TRUE(showsPicture(h, "A7.Zavernik2", "A3.KlickaL"));
    EXPECT_EQ(leftFrom(h, "A7.Zavernik2", "A7.Ram"), 1569 - 19);
    EXPECT_TRUE(showsPicture(h, "A7.Paka3c", "A3.Paka4"));
    EXPECT_EQ(h.text("A7.Paka3e"), "Z-");

    /* No release: the signalman waits. */
    tick(h, SigA);
    tick(h, SigA);
    EXPECT_EQ(h.interval(SigA), 1001);
    EXPECT_EQ(fromBlok(h, "A7.PakaZavB"), 341);

    /* The entry release locks the route: the crank runs the route-lock fields up. */
    setValues(h, {{"A1.NavBOdSt", 6}});
    tick(h, SigA);
    EXPECT_EQ(h.interval(SigA), 3000);
    EXPECT_EQ(fromBlok(h, "A7.PakaZavB"), 339 + 9);
    EXPECT_TRUE(h.timerEnabled("A1.ZaverSt1"));
    tick(h, SigA);
    EXPECT_EQ(h.value("A1.ZavBSt"), 5);
    EXPECT_EQ(h.interval(SigA), 1001);
    EXPECT_EQ(fromBlok(h, "A7.PakaZavB"), 341); // released in the same tick
    EXPECT_FALSE(h.timerEnabled("A1.ZaverSt1"));
    EXPECT_EQ(h.interval("A1.ZaverSt1"), 300);
    EXPECT_EQ(fromBlok(h, "A7.Induktor"), 234);
    EXPECT_EQ(h.text("A1.C03"), "Stůj");

    /* The next step clears the entry signal with the knob turned left. */
    tick(h, SigA);
    EXPECT_EQ(h.text("A1.C03"), "40 a výstraha");
    EXPECT_EQ(leftFrom(h, "A7.NavB", "A7.Ram"), 177);
    EXPECT_TRUE(showsPicture(h, "A7.NavB", "A3.KlickaL"));

    /* The train passes its entry signal and occupies the line section. */
    h.type("A1.C03", "Stůj");
    setValues(h, {{"A1.HrBOd", 5}});
    h.type("A1.IKA", "1234");
    tick(h, SigA);
    EXPECT_TRUE(turned(h, "A7.NavB"));
    h.type("A1.C03", "40 a výstraha"); // whatever the entry shows, the knob's return takes it back
    h.type("A1.IKA", "Volná");
    tick(h, SigA);
    EXPECT_FALSE(turned(h, "A7.NavB"));
    EXPECT_EQ(leftFrom(h, "A7.NavB", "A7.Ram"), 196);
    EXPECT_EQ(h.text("A1.C03"), "Stůj");
    tick(h, SigA);
    EXPECT_EQ(h.interval(SigA), 3001);
    EXPECT_EQ(fromBlok(h, "A7.PakaNavBOd"), 339 + 7);

    /* The crank steps the entry fields back to 1; then, all four fields at 1, the signalman ends. */
    tick(h, SigA);
    EXPECT_EQ(h.value("A1.NavBOdSt"), 1);
    EXPECT_EQ(h.value("A1.HrBOd"), 1);
    EXPECT_FALSE(h.timerEnabled(SigA));
    EXPECT_EQ(fromBlok(h, "A7.PakaNavBOd"), 339);
    EXPECT_EQ(fromBlok(h, "A7.PakaNavBDo"), 339);
    EXPECT_FALSE(h.timerEnabled("A1.ZaverSt1"));
    EXPECT_EQ(h.value("A1.ZavBSt"), 5); // the route stays locked for the dispatcher to free
    EXPECT_TRUE(h.messages().isEmpty());
}

TEST(SignalmanBox1, TheOptionDecidesAtTheBellAndTheTabletSoundsOnTheShownDesk)
{
    Harness h;
    startStation(h);
    h.check(Opt1, false);
    ringBell(h, SigA, Opt1);
    EXPECT_FALSE(h.timerEnabled(SigA));
    EXPECT_EQ(h.interval(SigA), 5000);
    h.advanceMs(12000);
    EXPECT_NE(h.control("A6.DestickaA").height(), 85);

    /* Unticking the option once it runs stops nothing; the hidden desk stays silent. */
    h.check(Opt1, true);
    ringBell(h, SigA, Opt1);
    h.check(Opt1, false);
    h.app().A6().hide();
    h.advanceMs(5000);
    EXPECT_EQ(h.control("A6.DestickaA").height(), 85);
    EXPECT_TRUE(h.timerEnabled(SigA));
    EXPECT_EQ(h.interval(SigA), 1000);
    EXPECT_FALSE(h.sounds().contains("play Desticka2.wav"));

    h.app().A6().show();
    h.check("A1.Zvuky", false);
    ringBell(h, SigA, Opt1);
    tick(h, SigA);
    EXPECT_FALSE(h.sounds().contains("play Desticka2.wav"));
    h.check("A1.Zvuky", true);
    ringBell(h, SigA, Opt1);
    tick(h, SigA);
    EXPECT_EQ(h.sounds().count("play Desticka2.wav"), 1);
}

TEST(SignalmanBox1, RoutesTheLineDoesNotServeMoveNothing)
{
    for (auto [signalman, route, cell] : {std::tuple{SigA, 4, "A1.CestaA"}, {SigA, 0, "A1.CestaA"},
                                          {SigB, 2, "A1.CestaB"}, {SigB, 4, "A1.CestaB"}}) {
        Harness h;
        startStation(h);
        setValues(h, {{cell, route}});
        ringAndStart(h, signalman);
        for (int k = 0; k < 4; ++k)
            tick(h, signalman);
        EXPECT_EQ(levers(h), "DDUDDDUDUDD") << cell << " " << route;
        for (int k = 1; k <= 6; ++k)
            EXPECT_FALSE(turned(h, QStringLiteral("A7.Zavernik%1").arg(k))) << cell << " " << route;
        EXPECT_EQ(h.interval(signalman), 1001);
        EXPECT_TRUE(h.timerEnabled(signalman));
    }
}

TEST(SignalmanBox1, LineBThrowsLockLeversMarksThemAndTurnsTheKnobLast)
{
    Harness h;
    startStation(h);
    setValues(h, {{"A1.CestaB", 1}});
    ringAndStart(h, SigB);
    /* Route 1 of line B: 1 D, 2 D, 3 D *, 4 U, 5 U, 6 U, 7 U *, 8 D; then Zavernik4 right. */
    tick(h, SigB);
    EXPECT_EQ(levers(h), "DDDDDDUDUDD");
    EXPECT_EQ(labelFromBase(h, 3), 372);
    EXPECT_EQ(h.text("A7.Paka3e"), ""); // a lock lever is marked when found in place, not when thrown
    tick(h, SigB);
    EXPECT_EQ(levers(h), "DDDUDDUDUDD");
    EXPECT_EQ(h.text("A7.Paka3e"), "Z+");
    EXPECT_TRUE(showsPicture(h, "A7.Paka3c", "A3.Paka4"));
    tick(h, SigB);
    tick(h, SigB);
    EXPECT_EQ(levers(h), "DDDUUUUDUDD");
    const int rest = leftFrom(h, "A7.Zavernik4", "A7.Ram");
    EXPECT_EQ(rest, 1761);
    tick(h, SigB);
    EXPECT_EQ(h.text("A7.Paka7e"), "Z-");
    EXPECT_TRUE(showsPicture(h, "A7.Zavernik4", "A3.KlickaP"));
    EXPECT_EQ(leftFrom(h, "A7.Zavernik4", "A7.Ram"), rest - 4);
    /* With the knob turned the signalman sets no more levers. */
    tick(h, SigB);
    EXPECT_EQ(levers(h), "DDDUUUUDUDD");
}

TEST(SignalmanBox1, LeversInPlaceCostNoTickAndHalfMovedOnesAreThrown)
{
    Harness h;
    startStation(h);
    /* Line B, route 3: 1 D, 2 D, 3 D *, 5 D, 6 D, 7 D *, 8 D, 9 D †. */
    setValues(h, {{"A1.CestaB", 3}});
    auto place = [&h](int lever, int fromBase) {
        h.control(QStringLiteral("A7.Paka%1b").arg(lever)).setTop(h.control(QStringLiteral("A7.Paka%1c").arg(lever)).top()
                                                                + fromBase);
    };
    place(3, 147);  // the player has thrown 3 down
    place(1, -100); // and left lever 1 half-way
    ringAndStart(h, SigB);
    tick(h, SigB);
    EXPECT_EQ(levers(h), "DDDDDDUDUDD");
    EXPECT_EQ(labelFromBase(h, 1), 372);
    tick(h, SigB); // 3 in place: marked; 7 thrown
    EXPECT_EQ(levers(h), "DDDDDDDDUDD");
    tick(h, SigB);
    EXPECT_EQ(levers(h), "DDDDDDDDDDD");
    EXPECT_TRUE(showsPicture(h, "A7.Paka9c", "A3.Paka4")); // † marks the lever as it is thrown
    EXPECT_FALSE(turned(h, "A7.Zavernik5"));
    tick(h, SigB);
    EXPECT_EQ(h.text("A7.Paka7e"), "Z+");
    EXPECT_TRUE(showsPicture(h, "A7.Zavernik5", "A3.KlickaL"));
}

TEST(SignalmanBox1, AKnobThePlayerTurnedIsLockedAsItStandsOnceReleased)
{
    Harness h;
    startStation(h);
    setValues(h, {{"A1.CestaA", 5}});
    ringAndStart(h, SigA);
    /* The player turns line A's third route-lock knob before the signalman sets anything. */
    ui::Image &knob = h.as<ui::Image>("A7.Zavernik3");
    knob.assignPicture(h.as<ui::Image>("A3.KlickaL"));
    tick(h, SigA);
    tick(h, SigA);
    EXPECT_EQ(levers(h), "DDUDDDUDUDD");
    EXPECT_EQ(h.interval(SigA), 1001);
    /* The desk key at its release place counts, in either of its heights. */
    ui::Control &key = h.control("A6.KlicA");
    key.setLeft(h.control("A6.Blok").left() + 357);
    key.setTop(h.control("A6.Blok").top() + 250);
    tick(h, SigA);
    EXPECT_EQ(h.interval(SigA), 3000);
    EXPECT_EQ(fromBlok(h, "A7.PakaZavB"), 348);
    EXPECT_EQ(levers(h), "DDUDDDUDUDD");
    /* The crank does not lock with the key half turned: the signalman waits, keeping the crank on. */
    h.advanceMs(9000);
    EXPECT_EQ(h.interval(SigA), 3000);
    EXPECT_TRUE(h.timerEnabled("A1.ZaverSt1"));
}

/*
 * The game starts with line B free (VT lit) and its consent with Struhy
 * (PS dark). The signalman clears no exit towards Struhy until ZS has
 * asked the consent back and Struhy has given it (PS lit).
 */
TEST(SignalmanBox1, LineBClearsItsExitOnlyOnceStruhyHasGivenTheConsentBack)
{
    Harness h;
    startStation(h);
    setValues(h, {{"A1.CestaB", 3}, {"A1.CestaC", 3}, {"A1.ZavMSt", 5}, {"A1.NavMDoSt", 6}});
    h.type("A1.C09", "40 a výstraha");
    ASSERT_EQ(h.color("A1.SmerB"), QColor(255, 0, 0));
    const auto push = [&h](const QString &button) {
        h.press(button, 4, 4);
        h.release(4, 4);
    };
    const auto refused = [&h] { return !turned(h, "A7.NavM") && h.text("A1.C40") == "Stůj"; };
    ASSERT_TRUE(h.visible("A6.VTM"));
    runIn(h, SigB, 1001);
    tick(h, SigB);
    EXPECT_TRUE(refused()) << "VT lit, PS dark";
    push("A6.ZSM");
    ASSERT_EQ(h.color("A1.SmerB"), QColor(0, 0, 255));
    tick(h, SigB);
    EXPECT_TRUE(refused()) << "the consent asked back, not yet given";
    push("A1.TSM"); // Struhy gives it back
    ASSERT_TRUE(h.visible("A6.PSM"));
    tick(h, SigB);
    EXPECT_EQ(leftFrom(h, "A7.NavM", "A7.Ram"), 577);
    EXPECT_TRUE(showsPicture(h, "A7.NavM", "A3.KlickaP"));
    EXPECT_EQ(h.text("A1.C40"), "Volno");
    EXPECT_EQ(h.text("A1.C09"), "40 a volno");
    EXPECT_FALSE(h.visible("A6.VTM"));
    EXPECT_FALSE(h.visible("A6.VOM"));
    EXPECT_FALSE(h.visible("A1.VTM"));

    /* The train leaves: once the section is free the knob returns and so do both signals. */
    setValues(h, {{"A1.HrMDo", 5}});
    h.type("A1.IKB", "1234");
    tick(h, SigB);
    EXPECT_TRUE(turned(h, "A7.NavM"));
    h.type("A1.IKB", "Volná");
    tick(h, SigB);
    EXPECT_EQ(leftFrom(h, "A7.NavM", "A7.Ram"), 581);
    EXPECT_EQ(h.text("A1.C40"), "Stůj");
    EXPECT_EQ(h.text("A1.C09"), "40 a výstraha");
    tick(h, SigB);
    EXPECT_EQ(h.interval(SigB), 3002);
    EXPECT_EQ(fromBlok(h, "A7.PakaNavMDo"), 339 + 7);
    tick(h, SigB);
    EXPECT_EQ(h.value("A1.NavMDoSt"), 1);
    EXPECT_FALSE(h.timerEnabled(SigB));
}

TEST(SignalmanBox1, ExitClearingOfEveryRouteAndLineCsEntry)
{
    const std::tuple<QString, int, const char *, const char *, const char *, const char *> rows[] = {
        {SigA, 1, "A1.C34", "Volno", "Výstraha", "Volno"},
        {SigA, 2, "A1.C37", "40 a volno", "40 a výstraha", "40 a 40"},
        {SigA, 7, "A1.C46", "40 a volno", "40 a výstraha", "40 a 40"},
        {SigB, 1, "A1.C34", "40 a volno", "Výstraha", "40 a 40"},
        {SigB, 5, "A1.C43", "40 a volno", "40 a výstraha", "40 a 40"},
    };
    for (const auto &[signalman, route, exit, proceed, entryBefore, entryAfter] : rows) {
        Harness h;
        startStation(h);
        const bool a = signalman == SigA;
        setValues(h, {{a ? "A1.CestaA" : "A1.CestaB", route},
                      {"A1.CestaC", route},
                      {a ? "A1.ZavBSt" : "A1.ZavMSt", 5},
                      {a ? "A1.NavBDoSt" : "A1.NavMDoSt", 6}});
        h.type("A1.C09", entryBefore);
        h.control("A6.PSM").show(); // line B's exit needs Struhy's consent lamps
        h.control("A6.VTM").show();
        runIn(h, signalman, 1001);
        tick(h, signalman);
        EXPECT_EQ(h.text(exit), proceed) << signalman.toStdString() << " " << route;
        EXPECT_EQ(h.text("A1.C09"), entryAfter) << signalman.toStdString() << " " << route;
        setValues(h, {{a ? "A1.HrBDo" : "A1.HrMDo", 3}});
        tick(h, signalman);
        EXPECT_EQ(h.text(exit), "Stůj") << signalman.toStdString() << " " << route;
        EXPECT_EQ(h.text("A1.C09"), entryBefore) << signalman.toStdString() << " " << route;
    }
}

TEST(SignalmanBox1, BothReleasesInOneTickEndWithTheExitsKnobAndState)
{
    for (bool knobBackByHand : {false, true}) {
        Harness h;
        startStation(h);
        setValues(h, {{"A1.CestaA", 2}, {"A1.ZavBSt", 5}, {"A1.NavBOdSt", 6}, {"A1.NavBDoSt", 6}});
        runIn(h, SigA, 1001);
        tick(h, SigA);
        EXPECT_EQ(h.text("A1.C03"), "40 a výstraha");
        EXPECT_EQ(h.text("A1.C37"), "40 a volno");
        EXPECT_EQ(leftFrom(h, "A7.NavB", "A7.Ram"), 192);

        /* Both trains passed. With the knob turned the entry part returns it and the exit part finds it
           at rest; with the knob back by hand each part presses its lever. The exit's state stands. */
        setValues(h, {{"A1.HrBOd", 5}, {"A1.HrBDo", 5}});
        if (knobBackByHand)
            h.as<ui::Image>("A7.NavB").assignPicture(h.as<ui::Image>("A3.Klicka0"));
        tick(h, SigA);
        EXPECT_FALSE(turned(h, "A7.NavB"));
        EXPECT_EQ(h.interval(SigA), 3002);
        EXPECT_EQ(fromBlok(h, "A7.PakaNavBOd"), knobBackByHand ? 339 + 7 : 339);
        EXPECT_EQ(fromBlok(h, "A7.PakaNavBDo"), fromBlok(h, "A7.PakaNavBOd") + 7);
        EXPECT_EQ(h.text("A1.C03"), knobBackByHand ? "40 a výstraha" : "Stůj");
        EXPECT_EQ(h.text("A1.C37"), "40 a volno"); // the departing train puts its exit back
    }
}

TEST(SignalmanBox1, TheEntryIsRaisedForAThroughRunOnlyAsItClears)
{
    Harness h;
    startStation(h);
    setValues(h, {{"A1.CestaA", 3}, {"A1.CestaC", 3}, {"A1.ZavBSt", 5}, {"A1.NavBOdSt", 6}});
    h.type("A1.C19", "Volno");
    h.type("A1.C25", "40 a volno");
    runIn(h, SigA, 1001);
    tick(h, SigA);
    EXPECT_EQ(h.text("A1.C03"), "40 a 40"); // the later match stands

    /* Line B, no through run yet: the exit of box 2 cleared later raises nothing. */
    setValues(h, {{"A1.CestaB", 3}, {"A1.ZavMSt", 5}, {"A1.NavMOdSt", 6}});
    h.type("A1.C25", "Stůj");
    h.type("A1.C19", "Stůj");
    runIn(h, SigB, 1001);
    tick(h, SigB);
    EXPECT_EQ(h.text("A1.C06"), "Výstraha");
    h.type("A1.C19", "Volno");
    tick(h, SigB);
    EXPECT_EQ(h.text("A1.C06"), "Výstraha");
    /* An aspect the player set is not overwritten either. */
    h.type("A1.C06", "PN");
    tick(h, SigB);
    EXPECT_EQ(h.text("A1.C06"), "PN");
    EXPECT_TRUE(turned(h, "A7.NavM"));
}

TEST(SignalmanBox1, RingingAgainRestartsAndALockedRouteAtRestEnds)
{
    Harness h;
    startStation(h);
    setValues(h, {{"A1.CestaA", 1}, {"A1.ZavBSt", 5}});
    /* A locked route whose knob is turned, all fields at 1, the signalman waiting in 3001. */
    h.as<ui::Image>("A7.Zavernik1").assignPicture(h.as<ui::Image>("A3.KlickaP"));
    h.control("A7.CisloB1").show();
    runIn(h, SigA, 3001);
    h.advanceMs(1000);
    ringBell(h, SigA, Opt1);
    EXPECT_EQ(h.interval(SigA), 5000);
    tick(h, SigA);
    tick(h, SigA);
    EXPECT_FALSE(turned(h, "A7.Zavernik1"));
    EXPECT_EQ(leftFrom(h, "A7.Zavernik1", "A7.Ram"), 1473);
    EXPECT_FALSE(h.visible("A7.CisloB1"));
    EXPECT_TRUE(h.timerEnabled(SigA));
    tick(h, SigA);
    EXPECT_FALSE(h.timerEnabled(SigA));
}

TEST(SignalmanBox1, AFailingTickShowsItsCodeByTheOptions)
{
    Harness h;
    startStation(h);
    setValues(h, {{"A1.CestaA", 2}, {"A1.ZavBSt", 5}, {"A1.NavBOdSt", 6}});
    h.as<ui::Edit>("A1.C03").onChange = [] { throw ui::SimError(QStringLiteral("porucha")); };
    runIn(h, SigA, 1001);
    tick(h, SigA);
    EXPECT_EQ(h.messages(), (QStringList{"Error 10SigA", "porucha"}));
    EXPECT_TRUE(turned(h, "A7.NavB")); // what was done before the failure stays
    EXPECT_TRUE(h.timerEnabled(SigA));

    h.clearMessages();
    h.check("A1.NCK", false);
    h.type("A1.C03", "Stůj");
    h.clearMessages();
    tick(h, SigA);
    EXPECT_EQ(h.messages(), QStringList{"porucha"});
    h.check("A1.NCD", false);
    h.type("A1.C03", "Stůj");
    h.clearMessages();
    tick(h, SigA);
    EXPECT_TRUE(h.messages().isEmpty());
}

TEST(SignalmanBox1, ARouteTakenBackBeforeTheBoxLockedItEndsTheRun)
{
    Harness h;
    startStation(h);
    /* The desk wants route 3; the box's levers never lay it, so the lock cannot climb. */
    setValues(h, {{"A1.CestaA", 3}, {"A1.KolejA", 0}});
    ringAndStart(h, SigA);
    for (int i = 0; i < 10 && !turned(h, "A7.Zavernik2"); ++i)
        tick(h, SigA);
    ASSERT_TRUE(turned(h, "A7.Zavernik2"));
    setValues(h, {{"A1.NavBOdSt", 6}});
    tick(h, SigA);
    ASSERT_EQ(h.interval(SigA), 3000);
    ASSERT_EQ(fromBlok(h, "A7.PakaZavB"), 348);
    ASSERT_TRUE(h.timerEnabled("A1.ZaverSt1"));

    /* The dispatcher takes the release and the route back. */
    setValues(h, {{"A1.NavBOdSt", 1}, {"A1.CestaA", 0}});
    tick(h, SigA);
    EXPECT_FALSE(h.timerEnabled(SigA));
    EXPECT_EQ(fromBlok(h, "A7.PakaZavB"), 341);
    EXPECT_EQ(fromBlok(h, "A7.PakaNavBOd"), 339);
    EXPECT_EQ(fromBlok(h, "A7.PakaNavBDo"), 339);
    EXPECT_FALSE(h.timerEnabled("A1.ZaverSt1"));

    /* The next route's exit release stays where the desk put it. */
    setValues(h, {{"A1.CestaA", 1}, {"A1.KolejA", 1}, {"A1.NavBDoSt", 6}, {"A1.NavBDo", 5}});
    h.advanceMs(5000);
    EXPECT_EQ(h.value("A1.NavBDoSt"), 6);
    EXPECT_EQ(h.value("A1.ZavB"), 1);
    EXPECT_TRUE(h.messages().isEmpty()) << h.messages().join(" | ").toStdString();
}

TEST(SignalmanBox1, ARouteOfNoneAtTheBellStillKeepsTheSignalmanWaiting)
{
    Harness h;
    startStation(h);
    ringAndStart(h, SigA);
    tick(h, SigA);
    tick(h, SigA);
    EXPECT_TRUE(h.timerEnabled(SigA));
    EXPECT_EQ(h.interval(SigA), 1001);
}
