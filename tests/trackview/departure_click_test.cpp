/** @file departure_click_test.cpp A click on a train's vehicles starts its departure run when it may leave. */
#include "traffic/traffic_fixture.h"

namespace {

class DepartureClick : public TrafficTest {
protected:
    /** Train `number` standing on track n, its row r due to leave for `to`. */
    void standing(int n, const QString &to, int r = 1, const QString &number = "5401")
    {
        put(r, {.number = number, .track = QString::number(n), .to = to});
        row(r).departure->setColor(progress::Aqua);
        h.as<ui::ComboBox>("A1.Kolej" + QString::number(n)).setText(number);
    }
    bool started(const QString &line) { return h.timerEnabled("A1.TimerVlak" + line + "Do"); }
};

TEST_F(DepartureClick, ADueTrainLeavesForLineAOnItsRouteAndSignalOnly)
{
    standing(3, "Horní Lom");
    a1().KolejA->setValue(3);
    /* Not due yet: yellow (accepted) does not let it go, whatever the signal shows. */
    row(1).departure->setColor(progress::Yellow);
    h.type("A1.C40", "40 a volno");
    h.click("A5.J7");
    EXPECT_FALSE(started("A"));
    /* Due, but the exit signal shows stop. */
    row(1).departure->setColor(progress::Aqua);
    h.type("A1.C40", "Stůj");
    h.click("A5.J7");
    EXPECT_FALSE(started("A"));
    /* Due and proceed, but the route of line A is laid to another track. */
    h.type("A1.C40", "40 a volno");
    a1().KolejA->setValue(5);
    h.click("A5.J7");
    EXPECT_FALSE(started("A"));
    EXPECT_EQ(row(1).departure->color(), progress::Aqua);

    a1().KolejA->setValue(3);
    a1().VlakADo->setValue(7);
    a1().StavVlakA->setValue(0);
    h.click("A5.JE"); // an empty slot dispatches like a vehicle
    EXPECT_TRUE(started("A"));
    EXPECT_EQ(h.interval("A1.TimerVlakADo"), 1000);
    EXPECT_EQ(h.value("A1.VlakADo"), 0);
    EXPECT_EQ(h.value("A1.StavVlakA"), -1);
    EXPECT_EQ(row(1).departure->color(), progress::Lime);
    EXPECT_FALSE(started("B"));
    EXPECT_FALSE(started("C"));
    EXPECT_TRUE(h.messages().isEmpty());
    /* The run's first step comes a second later, from standstill. */
    h.advanceMs(999);
    EXPECT_EQ(h.value("A1.VlakADo"), 0);
    h.advanceMs(1);
    EXPECT_GT(h.value("A1.VlakADo"), 0);
}

TEST_F(DepartureClick, LinesLeaveOnlyOnTheirOwnSide)
{
    /* A line-B train with L3 at proceed, a line-C train with S3 at proceed: neither leaves. */
    standing(3, "Struhy");
    a1().KolejB->setValue(3);
    a1().KolejC->setValue(3);
    h.type("A1.C25", "40 a volno");
    h.click("A5.J5");
    EXPECT_FALSE(started("B"));
    EXPECT_FALSE(started("C"));
    h.type("A1.C25", "Stůj");
    h.type("A1.C40", "Volno");
    row(1).leavesFor->setText("Vrbská");
    h.click("A5.J5");
    EXPECT_FALSE(started("C"));
    /* Back to Struhy: line B takes it on S3 and its route. */
    row(1).leavesFor->setText("Struhy");
    h.click("A5.J5");
    EXPECT_TRUE(started("B"));
    EXPECT_FALSE(started("A"));
}

TEST_F(DepartureClick, PnCountsAsProceedButShuntingAllowedDoesNot)
{
    standing(7, "Vrbská");
    a1().KolejC->setValue(7);
    h.type("A1.C31", "Posun dovolen");
    h.click("A5.F5");
    EXPECT_FALSE(started("C"));
    h.type("A1.C31", "PN");
    h.click("A5.F5");
    EXPECT_TRUE(started("C"));
    EXPECT_EQ(h.value("A1.StavVlakC"), -1);
}

TEST_F(DepartureClick, TrackOneNeedsLc1AndL1aBySignalOrOrder)
{
    standing(1, "Vrbská");
    a1().KolejC->setValue(1);
    const struct {
        const char *lc1;
        const char *l1a;
        const char *order;
        bool leaves;
    } cases[] = {
        {"Volno", "Stůj", "L1a", true},        {"Volno", "Stůj", "Lc1, L1a", true},
        {"Volno", "Stůj", "Lc1", false},       {"Stůj", "Volno", "Lc1", true},
        {"Stůj", "Volno", "Lc1, L1a", true},   {"Stůj", "Volno", "L1a", false},
        {"Stůj", "Stůj", "Lc1, L1a", true},    {"Stůj", "Stůj", "Lc1", false},
        {"Stůj", "Stůj", "Lc1,L1a", false},    {"Volno", "Volno", "", true},
        {"Volno", "Stůj", "", false},          {"Stůj", "Stůj", "Lc2, L1a", false},
    };
    for (const auto &c : cases) {
        a1().TimerVlakCDo->setEnabledFlag(false);
        row(1).departure->setColor(progress::Aqua);
        h.type("A1.C19", c.lc1);
        h.type("A1.C16", c.l1a);
        h.type("A5.Rozkaz1P", c.order);
        h.click("A5.L9");
        EXPECT_EQ(started("C"), c.leaves) << c.lc1 << " / " << c.l1a << " / " << c.order;
    }
}

TEST_F(DepartureClick, AnOrderForS3StaysInForceForLaterTrains)
{
    h.type("A5.Rozkaz3L", "S3");
    h.type("A1.C40", "Stůj");
    a1().KolejA->setValue(3);
    standing(3, "Horní Lom");
    h.click("A5.J5");
    EXPECT_TRUE(started("A"));
    /* A later train on the same track leaves on the same order, S3 still at stop. */
    a1().TimerVlakADo->setEnabledFlag(false);
    standing(3, "Horní Lom", 2, "5403");
    h.click("A5.J5");
    EXPECT_TRUE(started("A"));
    EXPECT_EQ(row(2).departure->color(), progress::Lime);
    EXPECT_EQ(h.text("A1.C40"), "Stůj");
    /* "Volná" and "posun.díl" hold no train. */
    a1().TimerVlakADo->setEnabledFlag(false);
    row(2).departure->setColor(progress::Aqua);
    for (const char *word : {"Volná", "posun.díl"}) {
        h.as<ui::ComboBox>("A1.Kolej3").setText(word);
        h.click("A5.J5");
        EXPECT_FALSE(started("A"));
    }
}

TEST_F(DepartureClick, TwoRowsOfOneTrainBothStartTheirLines)
{
    standing(3, "Horní Lom", 1);
    standing(3, "Vrbská", 9);
    a1().KolejA->setValue(3);
    a1().KolejC->setValue(3);
    h.type("A1.C40", "Volno");
    h.type("A1.C25", "40 a volno");
    h.click("A5.J5");
    EXPECT_TRUE(started("A"));
    EXPECT_TRUE(started("C"));
    EXPECT_EQ(row(1).departure->color(), progress::Lime);
    EXPECT_EQ(row(9).departure->color(), progress::Lime);
}

TEST_F(DepartureClick, LineCLeavesOnlyFromTheTrackItsRouteIsLaidTo)
{
    /* An order left in force on track 3 while line C's route leads to track 5:
       the run would pull out track 5's train, so track 3's stays. */
    h.type("A5.Rozkaz3P", "L3");
    a1().KolejC->setValue(5);
    standing(3, "Vrbská");
    h.click("A5.J5");
    EXPECT_FALSE(started("C"));
    EXPECT_EQ(row(1).departure->color(), progress::Aqua);
    a1().KolejC->setValue(3);
    h.click("A5.J5");
    EXPECT_TRUE(started("C"));
}

TEST_F(DepartureClick, ARunUnderWayIsNotRestarted)
{
    a1().KolejA->setValue(3);
    a1().TimerVlakADo->setEnabledFlag(true);
    a1().TimerVlakADo->setInterval(100);
    a1().VlakADo->setValue(120);
    a1().StavVlakA->setValue(-3);
    h.type("A1.C40", "Volno");
    standing(3, "Horní Lom");
    h.click("A5.J5");
    EXPECT_EQ(h.value("A1.VlakADo"), 120);
    EXPECT_EQ(h.value("A1.StavVlakA"), -3);
    EXPECT_EQ(h.interval("A1.TimerVlakADo"), 100);
    EXPECT_EQ(row(1).departure->color(), progress::Aqua);
}

} // namespace
