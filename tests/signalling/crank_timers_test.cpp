/** @file crank_timers_test.cpp The block crank timers: held levers step, lock and release, and line C is freed from either end. */
#include "harness/harness.h"

#include "core/app.h"
#include "core/form_a2.h"
#include "signalling/signalling_handlers.h"
#include "ui/sim_error.h"

#include <gtest/gtest.h>

namespace {

/** Holds a box lever down as its press handler does: 7 px lower, its block timer enabled at 300. */
void holdLever(Harness &h, const QString &lever, const QString &timer)
{
    ui::Control &l = h.control(lever);
    l.setTop(l.top() + 7);
    h.as<ui::Timer>(timer).setEnabledFlag(true);
}

/** Sets block fields by name. */
void setFields(Harness &h, std::initializer_list<std::pair<const char *, int>> fields)
{
    for (auto [name, value] : fields)
        h.as<ui::SpinEdit>(QLatin1String(name)).setValue(value);
}

/** @return the values of block fields, "5 5 1". */
QString fields(const Harness &h, std::initializer_list<const char *> names)
{
    QStringList out;
    for (const char *n : names)
        out << QString::number(h.value(QLatin1String(n)));
    return out.join(' ');
}

/** Puts a line-C train into timetable row 2: from Vrbská when inbound, else to Vrbská. */
TimetableRow &lineCTrain(Harness &h, bool inbound)
{
    TimetableRow &row = h.app().A2().row(2);
    row.trainNumber->setText("1234");
    row.comesFrom->setText(inbound ? "Vrbská" : "");
    row.neighbourDeparture->setText(inbound ? "7:10" : "");
    row.runningTimeFrom->setText(inbound ? "6" : "");
    row.leavesFor->setText(inbound ? "" : "Vrbská");
    row.departure->setText(inbound ? "" : "7:30");
    row.departure->setColor(QColor(0, 255, 0));
    row.note->setText("os");
    h.type("A1.TratC", "1234");
    /* An inbound train's approach count runs while lime, an outbound one's count while aqua. */
    h.as<ui::SpinEdit>("A1.StavVlakC").setValue(inbound ? 200 : -200);
    h.as<ui::SpinEdit>("A1.StavVlakC").setColor(inbound ? QColor(0, 255, 0) : QColor(0, 255, 255));
    return row;
}

/** Row 3 takes train 5678 from Vrbská, accepted: line C holds it and counts its approach. */
TimetableRow &acceptNextFromVrbska(Harness &h)
{
    TimetableRow &next = h.app().A2().row(3);
    next.trainNumber->setText("5678");
    next.comesFrom->setText("Vrbská");
    next.neighbourDeparture->setText("7:40");
    next.neighbourDeparture->setColor(QColor(255, 255, 0));
    h.type("A1.TratC", "5678");
    h.as<ui::SpinEdit>("A1.StavVlakC").setValue(300);
    return next;
}

} // namespace

TEST(BlockCranks, ABox1SignalLeverTakesFourActingTicksAfterTheFirst)
{
    Harness h;
    setFields(h, {{"A1.NavBOd", 5}, {"A1.NavBOdSt", 5}, {"A1.HrBOd", 5}});
    const int magneto = h.control("A7.Induktor").top();
    holdLever(h, "A7.PakaNavBOd", "A1.ZaverSt1");
    h.advanceMs(300);
    EXPECT_EQ(fields(h, {"A1.NavBOd", "A1.NavBOdSt", "A1.HrBOd"}), "5 5 5");
    EXPECT_EQ(h.interval("A1.ZaverSt1"), 200);
    EXPECT_EQ(h.control("A7.Induktor").top(), magneto + 2);
    EXPECT_TRUE(h.timerEnabled("A1.Induktor"));
    h.advanceMs(200);
    EXPECT_EQ(fields(h, {"A1.NavBOd", "A1.NavBOdSt", "A1.HrBOd"}), "4 4 4");
    h.advanceMs(600);
    EXPECT_EQ(fields(h, {"A1.NavBOd", "A1.NavBOdSt", "A1.HrBOd"}), "1 1 1");
    h.advanceMs(200);
    EXPECT_EQ(fields(h, {"A1.NavBOd", "A1.NavBOdSt", "A1.HrBOd"}), "1 1 1");
}

TEST(BlockCranks, Box1RouteLockClimbsOnTheDeskFirstThenInTheBoxWithItsLabel)
{
    Harness h;
    /* The route tracks are written here by hand; the clock's upkeep would take them from the levers. */
    h.as<ui::Timer>("A1.Hodiny").setEnabledFlag(false);
    setFields(h, {{"A1.CestaA", 3}, {"A1.KolejA", 3}, {"A1.ZavB", 4}, {"A1.NavBOdSt", 6}});
    holdLever(h, "A7.PakaZavB", "A1.ZaverSt1");
    h.advanceMs(500);
    EXPECT_EQ(fields(h, {"A1.ZavB", "A1.ZavBSt"}), "5 1");
    EXPECT_FALSE(h.visible("A7.CisloB3"));
    h.advanceMs(200);
    EXPECT_EQ(fields(h, {"A1.ZavB", "A1.ZavBSt"}), "5 2");
    EXPECT_TRUE(h.visible("A7.CisloB3"));
    h.advanceMs(600);
    EXPECT_EQ(fields(h, {"A1.ZavB", "A1.ZavBSt"}), "5 5");
}

TEST(BlockCranks, Box1RouteLockNeedsTheLaidRouteAndAReleaseOrTheDeskKey)
{
    Harness h;
    /* The route tracks are written here by hand; the clock's upkeep would take them from the levers. */
    h.as<ui::Timer>("A1.Hodiny").setEnabledFlag(false);
    setFields(h, {{"A1.CestaB", 5}, {"A1.KolejB", 3}});
    /* The desk's key of line B turned on. */
    ui::Control &key = h.control("A6.KlicB");
    key.setLeft(h.control("A6.Blok").left() + 742);
    key.setTop(h.control("A6.Blok").top() + 231);
    holdLever(h, "A7.PakaZavM", "A1.ZaverSt1");
    h.advanceMs(900);
    EXPECT_EQ(fields(h, {"A1.ZavM", "A1.ZavMSt"}), "1 1");
    h.as<ui::SpinEdit>("A1.KolejB").setValue(5);
    h.advanceMs(200);
    EXPECT_EQ(fields(h, {"A1.ZavM", "A1.ZavMSt"}), "2 1");
    key.setTop(key.top() + 1);
    h.advanceMs(400);
    EXPECT_EQ(fields(h, {"A1.ZavM", "A1.ZavMSt"}), "2 1");
}

TEST(BlockCranks, Box1EntryLeverOfLineBLightsTheArrivalLampOnceTheBlockIsClear)
{
    Harness h;
    setFields(h, {{"A1.NavMOd", 2}, {"A1.NavMOdSt", 2}, {"A1.HrMOd", 5}});
    h.control("A6.VTM").hide();
    holdLever(h, "A7.PakaNavMOd", "A1.ZaverSt1");
    h.advanceMs(300);
    EXPECT_FALSE(h.visible("A6.EVM"));
    h.advanceMs(200);
    EXPECT_EQ(fields(h, {"A1.NavMOd", "A1.NavMOdSt", "A1.HrMOd"}), "1 1 4");
    EXPECT_TRUE(h.visible("A6.EVM"));
}

TEST(BlockCranks, HeldBellsDropTheDesksTablets)
{
    Harness h;
    ui::Control &bell = h.control("A7.ZvonekB");
    bell.setTop(h.control("A7.Blok").top() + 281);
    h.as<ui::Timer>("A1.ZaverSt1").setEnabledFlag(true);
    h.control("A8.Zvonek").setTop(h.control("A8.Blok").top() + 281);
    h.as<ui::Timer>("A1.ZaverSt2").setEnabledFlag(true);
    h.advanceMs(300);
    EXPECT_NE(h.control("A6.DestickaB").height(), 85);
    h.advanceMs(200);
    EXPECT_EQ(h.control("A6.DestickaB").height(), 85);
    EXPECT_EQ(h.color("A6.DestickaB"), QColor(255, 255, 255));
    EXPECT_NE(h.control("A6.DestickaA").height(), 85);
    EXPECT_EQ(h.control("A6.DestickaC").height(), 85);
}

TEST(BlockCranks, Box2RouteLockMovesOnlyWithTheCrossingClosed)
{
    Harness h;
    h.click("A0.H9");
    setFields(h, {{"A1.CestaC", 1}, {"A1.KolejC", 1}, {"A1.NavCHDoSt", 6}});
    holdLever(h, "A8.PakaZavCH", "A1.ZaverSt2");
    h.advanceMs(700);
    EXPECT_EQ(fields(h, {"A1.ZavCH", "A1.ZavCHSt"}), "1 1");
    h.type("A1.PZZ", "Uzavřený");
    h.advanceMs(1000);
    EXPECT_EQ(fields(h, {"A1.ZavCH", "A1.ZavCHSt"}), "5 2");
    EXPECT_TRUE(h.visible("A8.CisloCH1"));
    /* Box 2 cranks: its hum and the crank, never the magneto. */
    EXPECT_TRUE(h.sounds().contains("play Zaver3.wav"));
    EXPECT_TRUE(h.sounds().contains("play Induktor3.wav"));
    EXPECT_TRUE(h.timerEnabled("A1.Klika"));
    EXPECT_FALSE(h.timerEnabled("A1.Induktor"));
}

TEST(BlockCranks, TheLc1ConsentStaysWhileLc1RepeatsTheCaution)
{
    Harness h;
    h.click("A0.H9");
    setFields(h, {{"A1.SouLc1", 4}, {"A1.SouLc1St", 4}});
    h.type("A1.C19", "Opak.výstrahy");
    holdLever(h, "A8.PakaSouLc1", "A1.ZaverSt2");
    h.advanceMs(700);
    EXPECT_EQ(fields(h, {"A1.SouLc1", "A1.SouLc1St"}), "4 4");
    h.type("A1.C19", "Stůj");
    h.advanceMs(200);
    EXPECT_EQ(fields(h, {"A1.SouLc1", "A1.SouLc1St"}), "3 3");
}

TEST(BlockCranks, Box2EntryLeverFreesLineCUnderTheBlockOncePreAnnouncementIsBack)
{
    Harness h;
    h.click("A0.H9");
    TimetableRow &row = lineCTrain(h, true);
    setFields(h, {{"A1.NavCHOd", 2}, {"A1.NavCHOdSt", 2}, {"A1.HrCHOd", 5}, {"A1.PHJDo", 5}, {"A1.PHCHOd", 2}});
    holdLever(h, "A8.PakaNavCHOd", "A1.ZaverSt2");
    h.advanceMs(500);
    EXPECT_EQ(fields(h, {"A1.NavCHOd", "A1.NavCHOdSt", "A1.HrCHOd", "A1.PHJDo"}), "1 1 4 5");
    EXPECT_EQ(h.text("A1.TratC"), "1234");
    h.as<ui::SpinEdit>("A1.PHCHOd").setValue(1);
    h.advanceMs(200);
    EXPECT_EQ(h.value("A1.PHJDo"), 4);
    EXPECT_EQ(h.text("A1.TratC"), "Volná");
    EXPECT_EQ(h.value("A1.StavVlakC"), 0);
    /* White: a lime count would go on running below 0. */
    EXPECT_EQ(h.color("A1.StavVlakC"), QColor(255, 255, 255));
    /* The train ends here: its whole row is free. */
    EXPECT_TRUE(row.isFree());
    EXPECT_EQ(row.note->text(), "");
    EXPECT_EQ(row.neighbourDeparture->text(), "");
}

TEST(BlockCranks, UnderTelephoneDispatchingTheLeversStepButLeaveTheTimetableAlone)
{
    Harness h;
    h.click("A0.H9");
    h.as<ui::Edit>("A1.SmerC").setText("Telefonika");
    TimetableRow &row = lineCTrain(h, true);
    setFields(h, {{"A1.NavCHOd", 3}, {"A1.PHJDo", 5}});
    holdLever(h, "A8.PakaNavCHOd", "A1.ZaverSt2");
    h.advanceMs(500);
    EXPECT_EQ(fields(h, {"A1.NavCHOd", "A1.PHJDo"}), "2 4");
    EXPECT_EQ(h.text("A1.TratC"), "1234");
    EXPECT_EQ(row.trainNumber->text(), "1234");

    h.as<ui::Timer>("A1.ZaverSt2").setEnabledFlag(false);
    TimetableRow &out = lineCTrain(h, false);
    h.press("A1.PakaNavJOd", 5, 5);
    h.advanceMs(500);
    EXPECT_EQ(h.text("A1.TratC"), "1234");
    EXPECT_EQ(out.departure->text(), "7:30");
}

TEST(BlockCranks, VrbskasEntryLeverFreesLineCFromTheDepartureSideAtItsFirstActingTick)
{
    Harness h;
    h.click("A0.H9");
    TimetableRow &row = lineCTrain(h, false);
    setFields(h, {{"A1.NavJOd", 6}, {"A1.PHCHDo", 5}});
    const int rest = h.control("A1.PakaNavJOd").top();
    h.press("A1.PakaNavJOd", 5, 5);
    EXPECT_EQ(h.control("A1.PakaNavJOd").top(), rest + 7);
    EXPECT_EQ(h.value("A1.NavJOd"), 5);
    EXPECT_TRUE(h.timerEnabled("A1.ZaverCH"));
    h.advanceMs(300);
    EXPECT_TRUE(h.sounds().contains("play Zaver4.wav"));
    EXPECT_EQ(h.text("A1.TratC"), "1234");
    h.advanceMs(200);
    EXPECT_EQ(fields(h, {"A1.NavJOd", "A1.PHCHDo"}), "4 4");
    EXPECT_EQ(h.text("A1.TratC"), "Volná");
    EXPECT_EQ(h.value("A1.StavVlakC"), 0);
    EXPECT_EQ(h.color("A1.StavVlakC"), QColor(255, 255, 255));
    /* The train started here: the row is free, its note stays. */
    EXPECT_TRUE(row.isFree());
    EXPECT_EQ(row.departure->color(), QColor(255, 255, 255));
    EXPECT_EQ(row.note->text(), "os");

    h.release(5, 5);
    EXPECT_EQ(h.control("A1.PakaNavJOd").top(), rest);
    EXPECT_FALSE(h.timerEnabled("A1.ZaverCH"));
    EXPECT_EQ(h.interval("A1.ZaverCH"), 300);
    EXPECT_TRUE(h.sounds().contains("stop Zaver4.wav"));
}

TEST(BlockCranks, ATrainAcceptedWhileVrbskasLeverIsStillHeldKeepsItsBooking)
{
    Harness h;
    h.click("A0.H9");
    lineCTrain(h, false);
    setFields(h, {{"A1.NavJOd", 6}, {"A1.PHCHDo", 5}});
    h.press("A1.PakaNavJOd", 5, 5);
    h.advanceMs(500);
    ASSERT_EQ(h.text("A1.TratC"), "Volná");
    /* The next train from Vrbská is accepted while the lever is still down. */
    TimetableRow &next = acceptNextFromVrbska(h);
    h.advanceMs(600);
    EXPECT_EQ(h.text("A1.TratC"), "5678");
    EXPECT_EQ(h.value("A1.StavVlakC"), 300);
    EXPECT_EQ(next.comesFrom->text(), "Vrbská");
    EXPECT_EQ(next.neighbourDeparture->color(), QColor(255, 255, 0));
    /* A new press frees the line again, of the train it holds then. */
    h.release(5, 5);
    h.as<ui::SpinEdit>("A1.NavJOd").setValue(6);
    h.press("A1.PakaNavJOd", 5, 5);
    h.advanceMs(500);
    h.release(5, 5);
    EXPECT_EQ(h.text("A1.TratC"), "Volná");
}

TEST(BlockCranks, Box2EntryLeverFreesLineCOncePerPress)
{
    Harness h;
    h.click("A0.H9");
    lineCTrain(h, true);
    setFields(h, {{"A1.NavCHOd", 5}, {"A1.NavCHOdSt", 5}, {"A1.HrCHOd", 5}, {"A1.PHJDo", 5}, {"A1.PHCHOd", 1}});
    holdLever(h, "A8.PakaNavCHOd", "A1.ZaverSt2");
    h.advanceMs(500);
    ASSERT_EQ(h.text("A1.TratC"), "Volná");
    TimetableRow &next = acceptNextFromVrbska(h);
    h.advanceMs(600);
    EXPECT_EQ(h.text("A1.TratC"), "5678");
    EXPECT_EQ(next.comesFrom->text(), "Vrbská");
}

TEST(BlockCranks, VrbskasConsentLeverGivesTheConsentBackSkippingTwo)
{
    Harness h;
    setFields(h, {{"A1.TSCH", 6}, {"A1.TSJ", 6}});
    h.press("A1.PakaTSJ", 5, 5);
    EXPECT_EQ(h.value("A1.TSJ"), 5);
    h.advanceMs(300);
    QStringList seen;
    for (int k = 0; k < 5; ++k) {
        h.advanceMs(200);
        seen << fields(h, {"A1.TSCH", "A1.TSJ"});
    }
    EXPECT_EQ(seen, QStringList({"5 4", "4 3", "3 2", "1 1", "1 1"}));
}

TEST(BlockCranks, TheGlowAndTheCrankTurnOnlyForTheirRunningBlock)
{
    Harness h;
    h.as<ui::Edit>("A1.Proud").setText("K");
    const QImage rest = h.as<ui::Image>("A7.KlikaL").picture();
    holdLever(h, "A7.PakaNavBDo", "A1.ZaverSt1");
    h.advanceMs(300);
    EXPECT_TRUE(h.timerEnabled("A1.Klika"));
    EXPECT_FALSE(h.timerEnabled("A1.Induktor"));
    h.advanceMs(100);
    EXPECT_EQ(h.as<ui::Image>("A7.KlikaL").picture(), h.as<ui::Image>("A3.KlikaLOn").picture());
    EXPECT_EQ(h.as<ui::Image>("A7.KlikaP").picture(), h.as<ui::Image>("A3.KlikaPOff").picture());
    EXPECT_EQ(h.as<ui::Image>("A6.KlikaL").picture(), rest); /* the desk's block is idle */
    h.advanceMs(101);
    EXPECT_EQ(h.as<ui::Image>("A7.KlikaL").picture(), h.as<ui::Image>("A3.KlikaLOff").picture());

    /* The magneto's glow blinks every 50 ms while box 1's block runs. */
    h.as<ui::Timer>("A1.Induktor").setEnabledFlag(true);
    h.advanceMs(50);
    EXPECT_TRUE(h.visible("A7.Induktor2"));
    EXPECT_FALSE(h.visible("A6.InduktorA2"));
    h.advanceMs(51);
    EXPECT_FALSE(h.visible("A7.Induktor2"));
}

TEST(BlockCranks, AReleaseStopsTheCrankAndPutsTheMagnetoBackAtItsRest)
{
    Harness h;
    const int rest = h.control("A7.Blok").top() + 234;
    EXPECT_EQ(h.control("A7.Induktor").top(), rest);
    for (int round = 0; round < 3; ++round) {
        holdLever(h, "A7.PakaNavBOd", "A1.ZaverSt1");
        h.advanceMs(round == 0 ? 100 : 700); /* the first release comes before the first tick */
        signalling::StopBlockCrank(h.app(), h.as<ui::Timer>("A1.ZaverSt1"));
        h.control("A7.PakaNavBOd").setTop(h.control("A7.PakaNavBOd").top() - 7);
        EXPECT_EQ(h.control("A7.Induktor").top(), rest) << round;
        EXPECT_FALSE(h.timerEnabled("A1.ZaverSt1"));
        EXPECT_EQ(h.interval("A1.ZaverSt1"), 300);
        EXPECT_FALSE(h.timerEnabled("A1.Induktor"));
        EXPECT_FALSE(h.timerEnabled("A1.Klika"));
    }
}

TEST(BlockCranks, AFailingTickReportsOnceWhileItsBoxIsOpenAndTriesAgainAfter)
{
    Harness h;
    setFields(h, {{"A1.NavBDo", 5}, {"A1.HrBDo", 5}});
    /* A failure inside the step: the field's reaction breaks. */
    int failures = 0;
    h.as<ui::SpinEdit>("A1.HrBDo").onChange = [&failures] {
        ++failures;
        throw ui::SimError(QStringLiteral("porucha"));
    };
    bool open = false;
    h.messageBoxes().whileOpen = [&](const QString &) {
        if (open)
            return;
        open = true;
        h.advanceMs(2000); /* the player leaves the box open; the crank's ticks come meanwhile */
        open = false;
    };
    holdLever(h, "A7.PakaNavBDo", "A1.ZaverSt1");
    h.advanceMs(500);
    EXPECT_EQ(h.messages(), (QStringList{"Error A1ZSt1", "porucha"}));
    EXPECT_TRUE(h.timerEnabled("A1.ZaverSt1"));
    const int triedWhileOpen = failures;
    h.advanceMs(200);
    /* It tries again after the box is closed; the same failure is not shown a second time. */
    EXPECT_GT(failures, triedWhileOpen);
    EXPECT_EQ(h.messages().count("Error A1ZSt1"), 1);
}
