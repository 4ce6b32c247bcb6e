/**
 * @file scenario_test.cpp Whole journeys of trains through the station, headless: the test writes only
 * what the player's telephone and devices would write, everything else is the lines' and runs' own work.
 */
#include "core/form_a1.h"
#include "core/form_a2.h"
#include "core/timetable_fixture.h"
#include "devices/form_a7.h"
#include "devices/form_a8.h"
#include "harness/harness.h"
#include "trackview/form_a5.h"

#include <gtest/gtest.h>

namespace {

/** The player at the desk and on the boxes, as far as these journeys need him. */
class Player {
public:
    explicit Player(Harness &h) : h(h), a1(h.app().A1()), a2(h.app().A2()) {}

    /** Lets clock ticks pass until the condition holds; fails after `limit` ticks. */
    bool waitFor(const std::function<bool()> &done, int limit)
    {
        for (int i = 0; i < limit && !done(); ++i)
            h.ticks(1);
        return done();
    }
    /** Lets virtual time pass until the condition holds (run timers), 100 ms a step. */
    bool waitMs(const std::function<bool()> &done, int limitMs)
    {
        for (int t = 0; t < limitMs && !done(); t += 100)
            h.advanceMs(100);
        return done();
    }

    TimetableRow *rowOf(const QString &number)
    {
        for (int r = 1; r <= kTimetableRows; ++r)
            if (a2.row(r).trainNumber->text() == number)
                return &a2.row(r);
        return nullptr;
    }

    /** The line key answers a waiting call and, pressed again, releases the line. */
    void answer(int line) { a1.Zprava(line)->setColor(progress::Yellow); }
    void release(int line)
    {
        a1.Zprava(line)->setColor(progress::White);
        a1.Zprava(line)->setText(QString());
    }

    /** Acceptance of an offered inbound train, as the desk's answer writes it. */
    void acceptIncoming(int line, TimetableRow &row)
    {
        answer(line);
        const int k = row.minutesAhead->text().toInt();
        row.agreedTime->setText(a1.Hodina->line(k) + ":" + a1.Minuta->line(k));
        a1.Trat(line)->setText(row.trainNumber->text());
        a1.StavVlak(line)->setValue(row.runningTimeFrom->text().toInt() * 60);
        a1.Odjezd(line)->setValue(k * 60);
        row.neighbourDeparture->setColor(progress::Yellow);
        ui::Form &box = line == 2 ? static_cast<ui::Form &>(h.app().A8()) : h.app().A7();
        for (int v = 0; v < 10; ++v)
            static_cast<ui::Image *>(box.find(QStringLiteral("Vlak%1%2").arg(QChar("ABC"[line])).arg(QChar('a' + v))))
                ->assignPicture(*row.vehicles[v]);
        a1.Zprava(line)->setText(QString());
        release(line);
    }

    /** The neighbour accepts the player's offer of an outbound train. */
    void neighbourAccepts(int line, TimetableRow &row, const QString &agreed)
    {
        a1.Trat(line)->setText(row.trainNumber->text());
        a1.StavVlak(line)->setValue(-60 * row.runningTimeTo->text().toInt());
        row.departure->setColor(progress::Yellow);
        row.agreedTime->setText(agreed);
    }

    /** The player's telephone arrival report of an inbound train frees the line. */
    void reportArrival(int line, TimetableRow &row)
    {
        row.clearInbound();
        a1.Trat(line)->setText(QStringLiteral("Volná"));
        a1.StavVlak(line)->setValue(0);
    }

    /** Acknowledging the neighbour's arrival report of an outbound train frees the line. */
    void acknowledgeArrival(int line, TimetableRow &row)
    {
        answer(line);
        row.clearOutbound(true);
        a1.StavVlak(line)->setValue(0);
        a1.StavVlak(line)->setColor(progress::White);
        a1.Trat(line)->setText(QStringLiteral("Volná"));
        release(line);
    }

    Harness &h;
    TA1 &a1;
    TA2 &a2;
};

TEST(Scenario, ABuiltInTrainComesInFromLineAStopsAtItsMarkerAndLeavesAgain)
{
    Harness h;
    Player p(h);
    startGameAt(h, 7, 30);
    h.type("A1.Rychlost", "1024");
    TA1 &a1 = h.app().A1();

    /* 6010 from Horní Lom (7:40) is placed and offered by telephone. */
    ASSERT_TRUE(p.waitFor([&] { return h.text("A1.ZpravaA") == "Nabídka vlaku 6010"; }, 600));
    TimetableRow &row = *p.rowOf("6010");
    EXPECT_EQ(h.color("A1.ZpravaA"), progress::Red);
    EXPECT_EQ(h.text("A1.Rychlost"), "1"); // slowed to real time while the call waits
    p.acceptIncoming(0, row);
    h.type("A1.Rychlost", "1024");

    /* The neighbour announces the departure; the approach count runs. */
    ASSERT_TRUE(p.waitFor([&] { return h.text("A1.ZpravaA") == "Oznámení odjezdu 6010"; }, 400));
    EXPECT_EQ(row.neighbourDeparture->color(), progress::Lime);
    EXPECT_EQ(h.color("A1.StavVlakA"), progress::Lime);
    p.answer(0);
    p.release(0);
    h.type("A1.Rychlost", "1024");

    /* The train stands at the red entry signal until the box clears it. */
    ASSERT_TRUE(p.waitFor([&] { return h.text("A1.Varovani").contains("stojí u vjezového"); }, 900));
    h.ticks(20);
    EXPECT_EQ(h.value("A1.StavVlakA"), 60);
    h.as<ui::Image>("A7.NavB").setLeft(h.app().A7().Ram->left() + 177);
    h.type("A1.C03", "Výstraha");
    h.as<ui::Image>("A5.Stop1").show();
    ASSERT_EQ(h.value("A1.KolejA"), 1);

    /* The arrival run brings it onto track 1 and stops it at the marker. */
    ASSERT_TRUE(p.waitFor([&] { return a1.TimerVlakAOd->enabledFlag(); }, 40));
    ASSERT_TRUE(p.waitMs([&] { return !a1.TimerVlakAOd->enabledFlag(); }, 120000));
    EXPECT_EQ(h.text("A1.C03"), "Stůj");
    EXPECT_EQ(h.text("A1.Kolej1"), "6010");
    EXPECT_EQ(h.text("A5.Posun1"), "10");
    EXPECT_EQ(row.neighbourDeparture->color(), progress::Fuchsia);
    const auto &last = h.as<ui::Image>("A5.LE");
    EXPECT_EQ(last.left() + last.width(), h.as<ui::Image>("A5.Stop1").left() - 2);
    EXPECT_EQ(h.text("A1.IKA"), "Volná");

    /* The player reports the arrival: line A is free again. */
    p.reportArrival(0, row);
    EXPECT_EQ(h.text("A1.TratA"), "Volná");

    /* Out again at 8:07: offered, accepted, ready at the agreed time. */
    ASSERT_TRUE(p.waitFor([&] { return row.departure->color() == progress::Orange; }, 1800));
    p.neighbourAccepts(0, row, "8:07");
    ASSERT_TRUE(p.waitFor([&] { return row.departure->color() == progress::Aqua; }, 400));
    EXPECT_EQ(h.clock(), "8:07:00");

    /* The exit signal cleared and the train dispatched from the track view. */
    h.as<ui::Image>("A7.NavB").setLeft(h.app().A7().Ram->left() + 192);
    h.type("A1.C34", "40 a volno");
    row.departure->setColor(progress::Lime);
    a1.StavVlakA->setValue(-1);
    a1.VlakADo->setValue(0);
    a1.TimerVlakADo->setInterval(1000);
    a1.TimerVlakADo->setEnabledFlag(true);
    ASSERT_TRUE(p.waitMs([&] { return !a1.TimerVlakADo->enabledFlag(); }, 120000));
    EXPECT_EQ(h.text("A1.C34"), "Stůj");
    EXPECT_EQ(h.value("A1.HrBDo"), 5);
    EXPECT_EQ(h.text("A1.Kolej1"), "Volná");
    EXPECT_EQ(h.text("A5.Posun1"), "0");
    EXPECT_EQ(h.color("A1.StavVlakA"), progress::Aqua);

    /* Horní Lom reports its arrival; acknowledged, the line is free. */
    ASSERT_TRUE(p.waitFor([&] { return h.text("A1.ZpravaA") == "Telefonická odhláška 6010"; }, 900));
    EXPECT_EQ(row.departure->color(), progress::Fuchsia);
    p.acknowledgeArrival(0, row);
    h.ticks(5);
    EXPECT_EQ(h.text("A1.TratA"), "Volná");
    EXPECT_EQ(h.value("A1.StavVlakA"), 0);
    EXPECT_EQ(h.text("A1.ZpravaA"), "");
    EXPECT_EQ(p.rowOf("6010"), nullptr);
    EXPECT_TRUE(h.messages().isEmpty()) << h.messages().join(" | ").toStdString();
}

TEST(Scenario, ABuiltInTrainLeavesForLineBAndTheBlockFreesTheLine)
{
    Harness h;
    Player p(h);
    startGameAt(h, 6, 5);
    h.type("A1.Rychlost", "1024");
    TA1 &a1 = h.app().A1();

    /* 2620 from Vrbská (6:17), on to Struhy at 6:25: offered under the block of line C. */
    ASSERT_TRUE(p.waitFor([&] { return h.text("A1.ZpravaC") == "Předvídaný odjezd 2620"; }, 600));
    TimetableRow &row = *p.rowOf("2620");
    p.acceptIncoming(2, row);
    h.type("A1.Rychlost", "1024");
    h.type("A1.TSJ", "6");
    ASSERT_TRUE(p.waitFor([&] { return h.text("A1.ZpravaC") == "Oznámení odjezdu 2620"; }, 900));
    p.answer(2);
    p.release(2);
    h.type("A1.Rychlost", "1024");
    /* Points 13 reversed: the route from line C leads to track 3, where line B's route starts. */
    h.type("A1.Vymena13", "-10");
    h.as<ui::Image>("A8.NavCH").setLeft(h.app().A8().I0->left() + 1132);
    h.type("A1.C09", "Výstraha");
    ASSERT_TRUE(p.waitFor([&] { return a1.TimerVlakCOd->enabledFlag(); }, 900));
    ASSERT_TRUE(p.waitMs([&] { return !a1.TimerVlakCOd->enabledFlag(); }, 120000));
    EXPECT_EQ(h.text("A1.Kolej3"), "2620");
    EXPECT_EQ(h.text("A5.Posun3"), "1");
    const auto &loco = h.as<ui::Image>("A5.J5");
    EXPECT_EQ(loco.left(), h.as<ui::Image>("A5.J0").left() + h.as<ui::Image>("A5.J0").width() + 20);
    /* Line C freed by the block, as the crank leaves it. */
    row.clearInbound();
    a1.TratC->setText("Volná");
    a1.StavVlakC->setValue(0);

    /* Out to Struhy (due since 6:20): offered, accepted for the next minute, ready then, the exit S3
     * cleared and the train dispatched. */
    ASSERT_TRUE(p.waitFor([&] { return row.departure->color() == progress::Orange; }, 900));
    p.neighbourAccepts(1, row, a1.Hodina->line(1) + ":" + a1.Minuta->line(1));
    ASSERT_TRUE(p.waitFor([&] { return row.departure->color() == progress::Aqua; }, 600));
    ASSERT_EQ(h.value("A1.KolejB"), 3);
    h.as<ui::Image>("A7.NavM").setLeft(h.app().A7().Ram->left() + 577);
    h.type("A1.C40", "40 a volno");
    row.departure->setColor(progress::Lime);
    a1.StavVlakB->setValue(-1);
    a1.VlakBDo->setValue(0);
    a1.TimerVlakBDo->setInterval(1000);
    a1.TimerVlakBDo->setEnabledFlag(true);
    ASSERT_TRUE(p.waitMs([&] { return !a1.TimerVlakBDo->enabledFlag(); }, 120000));
    EXPECT_EQ(h.text("A1.C40"), "Stůj");
    EXPECT_EQ(h.value("A1.HrMDo"), 5);
    EXPECT_EQ(h.text("A1.Kolej3"), "Volná");
    EXPECT_EQ(h.value("A1.StavVlakB"), -60 * 11);

    /* Under the block the line is freed as soon as the train has reached Struhy. */
    ASSERT_TRUE(p.waitFor([&] { return h.text("A1.TratB") == "Volná"; }, 900));
    EXPECT_EQ(h.value("A1.StavVlakB"), 0);
    EXPECT_EQ(p.rowOf("2620"), nullptr);
    EXPECT_TRUE(h.visible("A6.VTM"));
    EXPECT_TRUE(h.messages().isEmpty()) << h.messages().join(" | ").toStdString();
}

TEST(Scenario, APassingTrainFromLineCIsHandedToLineAWithoutAStop)
{
    Harness h;
    Player p(h);
    /* The shipped weekday timetable: 46310 passes from Vrbská (0:20) through track 1 to Horní Lom. */
    while (h.text("A1.GrafikonDir") != "vsedni_den.t6g")
        pickNextTimetable(h);
    startGameAt(h, 0, 10);
    h.type("A1.Rychlost", "1024");
    TA1 &a1 = h.app().A1();

    ASSERT_TRUE(p.waitFor([&] { return h.text("A1.ZpravaC") == "Předvídaný odjezd 46310"; }, 600));
    TimetableRow &row = *p.rowOf("46310");
    EXPECT_EQ(row.departure->text(), "pr.");
    EXPECT_EQ(row.departure->color(), progress::Orange);
    p.acceptIncoming(2, row);
    /* Vrbská holds the consent for its train (the block, worked on the desk). */
    h.type("A1.TSJ", "6");
    /* The player offers the train on to Horní Lom, which accepts it. */
    p.neighbourAccepts(0, row, "0:30");

    ASSERT_TRUE(p.waitFor([&] { return h.text("A1.ZpravaC") == "Oznámení odjezdu 46310"; }, 700));
    p.answer(2);
    p.release(2);
    /* Entry from line C to track 1 and the exit S1 to line A, both cleared. */
    h.as<ui::Image>("A8.NavCH").setLeft(h.app().A8().I0->left() + 1132);
    h.type("A1.C09", "Výstraha");
    h.type("A1.C34", "Volno");
    ASSERT_EQ(h.value("A1.KolejC"), 1);
    ASSERT_EQ(h.value("A1.KolejA"), 1);

    ASSERT_TRUE(p.waitFor([&] { return a1.TimerVlakCOd->enabledFlag(); }, 900));
    ASSERT_TRUE(p.waitMs([&] { return !a1.TimerVlakCOd->enabledFlag(); }, 120000));
    /* Handed over: the arrival ended without a stop and the departure run rolls on at full speed. */
    EXPECT_EQ(row.departure->color(), progress::Lime);
    EXPECT_EQ(row.neighbourDeparture->color(), progress::Fuchsia);
    EXPECT_EQ(h.value("A1.KolejStavC"), 0);
    EXPECT_EQ(h.value("A1.VlakCOd"), 0);
    EXPECT_EQ(h.value("A1.VlakADo"), 400);
    ASSERT_TRUE(p.waitMs([&] { return !a1.TimerVlakADo->enabledFlag(); }, 120000));
    EXPECT_EQ(h.interval("A1.TimerVlakADo"), 10);
    EXPECT_EQ(h.text("A1.C34"), "Stůj");
    EXPECT_EQ(h.text("A1.Kolej1"), "Volná");
    for (const char *c : {"KOS", "KO13", "KO1a"})
        EXPECT_EQ(h.text(QString("A1.") + c), "Volná") << c;

    /* Line C is freed by the block once the train is in (as the crank leaves it). */
    row.clearInbound();
    a1.TratC->setText("Volná");
    a1.StavVlakC->setValue(0);
    /* Horní Lom reports the arrival; acknowledged, line A is free. */
    ASSERT_TRUE(p.waitFor([&] { return h.text("A1.ZpravaA") == "Telefonická odhláška 46310"; }, 1200));
    p.acknowledgeArrival(0, row);
    h.ticks(3);
    EXPECT_EQ(h.text("A1.TratA"), "Volná");
    EXPECT_EQ(h.text("A1.TratC"), "Volná");
    EXPECT_EQ(p.rowOf("46310"), nullptr);
    EXPECT_TRUE(h.messages().isEmpty()) << h.messages().join(" | ").toStdString();
}

} // namespace
