/** @file desk_bells_test.cpp The desk's bells calling the signal boxes, its cranks, and its release and emergency buttons. */
#include "desk_fixture.h"

#include "core/form_a1.h"
#include "devices/device_handlers.h"
#include "devices/form_a6.h"
#include "devices/form_a8.h"
#include "ui/sim_error.h"

using DeskBells = Desk;

TEST_F(DeskBells, BellAArmsSignalmanAShowsTheRouteAndDropsTheBoxTablet)
{
    knobTo("A", 812);
    const qsizetype mark = h.sounds().size();
    h.press("A6.ZvonekA", 5, 5);
    EXPECT_EQ(rel("A6.ZvonekA"), 316);
    EXPECT_TRUE(heard("play Zvonek1.wav", mark));
    h.advanceMs(500);
    EXPECT_EQ(h.interval("A1.SignalistaA"), 5000);
    EXPECT_TRUE(h.timerEnabled("A1.SignalistaA"));
    EXPECT_TRUE(h.visible("A7.CisloB3"));
    for (const char *other : {"A7.CisloB1", "A7.CisloB2", "A7.CisloB4", "A7.CisloB5", "A7.CisloB7", "A7.CisloM3"})
        EXPECT_FALSE(h.visible(other)) << other;
    EXPECT_EQ(h.control("A7.DestickaA").height(), 85);
    EXPECT_EQ(h.color("A7.DestickaA"), QColor(255, 255, 255));
    EXPECT_EQ(h.control("A7.DestickaB").height(), 1);
    EXPECT_EQ(rel("A6.InduktorA"), 271);
    EXPECT_EQ(rel("A6.InduktorB"), 269);
    EXPECT_FALSE(heard("play Zaver1.wav", mark)) << "a bell starts no hum";
    h.release(5, 5);
    EXPECT_EQ(rel("A6.ZvonekA"), 314);
    EXPECT_EQ(rel("A6.InduktorA"), 269);
    EXPECT_FALSE(h.timerEnabled("A1.ZaverDK"));
    EXPECT_EQ(h.interval("A1.ZaverDK"), 300);
    EXPECT_FALSE(h.timerEnabled("A1.Induktor"));
    EXPECT_TRUE(heard("play Zvonek2.wav", mark));
    EXPECT_TRUE(h.messages().isEmpty());
}

TEST_F(DeskBells, WithoutTheSignalmanOptionTheBellOnlyResetsItsPhase)
{
    h.check("A1.KodSt1", false);
    knobTo("B", 804);
    hold("A6.ZvonekB", 550);
    EXPECT_EQ(h.interval("A1.SignalistaB"), 5000);
    EXPECT_FALSE(h.timerEnabled("A1.SignalistaB"));
    EXPECT_TRUE(h.visible("A7.CisloM5"));
    EXPECT_EQ(h.control("A7.DestickaB").height(), 85);
}

TEST_F(DeskBells, ABellReleasedBeforeTheFirstStepCallsNobody)
{
    const qsizetype mark = h.sounds().size();
    hold("A6.ZvonekC", 250);
    h.advanceMs(1000);
    EXPECT_FALSE(h.timerEnabled("A1.SignalistaC"));
    EXPECT_EQ(h.control("A8.DestickaA").height(), 1);
    EXPECT_TRUE(heard("play Zvonek1.wav", mark));
    EXPECT_TRUE(heard("play Zvonek2.wav", mark));
    EXPECT_EQ(rel("A6.InduktorB"), 269);
}

TEST_F(DeskBells, BellCCallsBoxTwoAndBellDAsksVrbskaForTheConsent)
{
    knobTo("C", 844);
    hold("A6.ZvonekC", 550);
    EXPECT_TRUE(h.visible("A8.CisloCH2"));
    EXPECT_TRUE(h.timerEnabled("A1.SignalistaC"));
    EXPECT_EQ(h.control("A8.DestickaA").height(), 85);
    h.app().A6().KnoflikC->setTop(h.app().A6().Blok->top() + 852);
    h.app().A8().find("CisloCH2")->hide();
    hold("A6.ZvonekC", 550);
    for (const char *label : {"A8.CisloCH1", "A8.CisloCH2", "A8.CisloCH3", "A8.CisloCH5", "A8.CisloCH7"})
        EXPECT_FALSE(h.visible(label)) << "no label for offset 852: " << label;

    h.type("A1.Rychlost", "P");
    h.press("A6.ZvonekD", 5, 5);
    h.advanceMs(500);
    EXPECT_EQ(h.value("A1.TSCHOn"), 10);
    h.type("A1.TSCHOn", "3");
    h.advanceMs(200);
    EXPECT_EQ(h.value("A1.TSCHOn"), 10) << "set again on every step while held";
    h.release(5, 5);
    EXPECT_EQ(rel("A6.InduktorB"), 269);
}

TEST_F(DeskBells, AfterACrankNoMagnetoTurnsAndTheCrankSounds)
{
    h.press("A6.KlikaL", 5, 5);
    h.release(5, 5);
    const qsizetype mark = h.sounds().size();
    h.press("A6.ZvonekA", 5, 5);
    h.advanceMs(300);
    EXPECT_EQ(rel("A6.InduktorA"), 269);
    EXPECT_TRUE(h.timerEnabled("A1.Klika"));
    EXPECT_TRUE(heard("play Induktor3.wav", mark));
    h.release(5, 5);
    EXPECT_FALSE(h.timerEnabled("A1.Klika"));
    EXPECT_TRUE(heard("stop Induktor3.wav", mark));
}

using DeskReleaseButtons = Desk;

TEST(DeskReleaseCounter, TheOdometerCarriesDigitByDigitAndWraps)
{
    const std::pair<const char *, const char *> rows[] = {
        {"00000", "00001"}, {"00009", "00010"}, {"00099", "00100"}, {"09999", "10000"}, {"99999", "00000"}};
    for (const auto &[from, to] : rows)
        EXPECT_EQ(devices::nextCounterText(from), to) << from;
    for (const char *bad : {"0000", "000000", "12a45", " 1234"})
        EXPECT_THROW(devices::nextCounterText(bad), ui::SimError) << bad;
}

TEST_F(DeskReleaseButtons, EveryPressCountsAndTheEngineFreesOnlyALatchedLine)
{
    const int rest = top("A6.NRB");
    EXPECT_EQ(rest, 368);
    EXPECT_EQ(h.text("A6.NRB2"), "00000");
    h.type("A1.NavBOdSt", "6");
    h.press("A6.NRB", 5, 5);
    EXPECT_EQ(top("A6.NRB"), rest - 2);
    EXPECT_EQ(h.text("A6.NRB2"), "00001");
    EXPECT_EQ(h.control("A6.NRB2").hint(), "00001");
    h.advanceMs(550);
    EXPECT_EQ(rel("A6.InduktorA"), 271);
    EXPECT_EQ(h.value("A1.HrBOd"), 5);
    EXPECT_EQ(h.value("A1.HrBDo"), 1) << "the exit copy is not latched";
    h.release(5, 5);
    EXPECT_EQ(top("A6.NRB"), rest);
    EXPECT_EQ(rel("A6.InduktorA"), 269);

    hold("A6.NRM", 550);
    EXPECT_EQ(h.text("A6.NRM2"), "00001");
    EXPECT_EQ(h.value("A1.HrMOd"), 1);
    EXPECT_EQ(h.value("A1.HrMDo"), 1);
    hold("A6.NRCH", 100);
    EXPECT_EQ(h.text("A6.NRCH2"), "00001") << "a short press counts all the same";

    h.check("A1.KodMavex", true);
    h.app().A6().devices.NRCH2->setHint("x");
    hold("A6.NRCH", 100);
    EXPECT_EQ(h.text("A6.NRCH2"), "00001");
    EXPECT_EQ(h.control("A6.NRCH2").hint(), "00001");
    EXPECT_TRUE(h.messages().isEmpty());
}

TEST_F(DeskReleaseButtons, ACounterThatIsNotFiveDigitsKeepsItsTextAndReports)
{
    h.app().A6().devices.NRB2->setCaption("12a45");
    h.press("A6.NRB", 5, 5);
    h.release(5, 5);
    EXPECT_EQ(h.text("A6.NRB2"), "12a45");
    ASSERT_FALSE(h.messages().isEmpty());
    EXPECT_EQ(h.messages().first(), "Error A6NRB-A");
    EXPECT_EQ(top("A6.NRB"), 368);
}

using DeskEmergencyButtons = Desk;

TEST_F(DeskEmergencyButtons, TheSealBreaksFirstThenACycleStepsTheFieldDown)
{
    EXPECT_EQ(h.control("A6.NVZZavB").height(), 26);
    h.type("A1.ZavB", "3");
    h.doubleClick("A6.NVZZavB");
    EXPECT_EQ(h.control("A6.NVZZavB").height(), 14);
    EXPECT_EQ(rel("A6.NVZZavB"), 490);
    EXPECT_EQ(h.value("A1.ZavB"), 3);
    h.doubleClick("A6.NVZZavB");
    EXPECT_EQ(rel("A6.NVZZavB"), 488);
    EXPECT_EQ(h.value("A1.ZavB"), 3) << "choosing the direction steps nothing";
    h.doubleClick("A6.NVZZavB");
    EXPECT_EQ(h.value("A1.ZavB"), 2);
    EXPECT_EQ(rel("A6.NVZZavB"), 488);
    h.doubleClick("A6.NVZZavB");
    EXPECT_EQ(h.value("A1.ZavB"), 1);
    EXPECT_EQ(rel("A6.NVZZavB"), 490);
    EXPECT_EQ(h.value("A1.ZavBSt"), 1) << "the box copy is not touched";
}

TEST_F(DeskEmergencyButtons, AnUpCycleEndsOnlyAtFive)
{
    h.doubleClick("A6.NVZSouLc1");
    h.doubleClick("A6.NVZSouLc1");
    for (int expected : {2, 3, 4}) {
        h.doubleClick("A6.NVZSouLc1");
        EXPECT_EQ(h.value("A1.SouLc1"), expected);
        EXPECT_EQ(rel("A6.NVZSouLc1"), 488);
    }
    h.type("A1.SouLc1", "2");
    h.doubleClick("A6.NVZSouLc1");
    EXPECT_EQ(h.value("A1.SouLc1"), 3) << "a field moved by other means steps from its new value";
    h.doubleClick("A6.NVZSouLc1");
    h.doubleClick("A6.NVZSouLc1");
    EXPECT_EQ(h.value("A1.SouLc1"), 5);
    EXPECT_EQ(rel("A6.NVZSouLc1"), 490);
    h.doubleClick("A6.NVZSouLc1");
    EXPECT_EQ(rel("A6.NVZSouLc1"), 488);
    h.doubleClick("A6.NVZSouLc1");
    EXPECT_EQ(h.value("A1.SouLc1"), 4) << "from 5 the next cycle steps down";
}
