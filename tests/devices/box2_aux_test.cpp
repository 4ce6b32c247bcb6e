/** @file box2_aux_test.cpp Box 2's tablet, bell, crank, emergency releases and buttons, push buttons and consent to shunt. */
#include "box2_fixture.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace box2_test;

namespace {

const QColor White(255, 255, 255);
const QColor Grey(0xBB, 0xBB, 0xBB);

} // namespace

TEST(Box2Aux, TheTabletDropsAndRisesByClicksAndEndsDroppedAfterAPartialPull)
{
    Harness h;
    h.click("A0.H9");
    qsizetype mark = h.sounds().size();
    h.press("A8.DestickaA", 5, 0);
    h.release(5, 1);
    EXPECT_EQ(h.control("A8.DestickaA").height(), 85);
    EXPECT_EQ(h.color("A8.DestickaA"), White);
    h.press("A8.DestickaA2", 2, 10); // the handle works the same
    h.release(2, 10);
    EXPECT_EQ(h.control("A8.DestickaA").height(), 1);
    EXPECT_EQ(h.color("A8.DestickaA"), Grey);
    EXPECT_EQ(soundsSince(h, mark), (QStringList{"play Desticka5.wav", "play Desticka6.wav"}));

    /* Moves of 2 px do nothing; one step from the top is 6 px; a partial pull ends dropped. */
    h.press("A8.DestickaA", 5, 0);
    h.move(5, 2);
    EXPECT_EQ(h.control("A8.DestickaA").height(), 1);
    h.move(5, 3);
    EXPECT_EQ(h.control("A8.DestickaA").height(), 7);
    EXPECT_EQ(h.color("A8.DestickaA"), Grey);
    for (int y = 6; y <= 30; y += 3)
        h.move(5, y);
    const int pulled = h.control("A8.DestickaA").height();
    EXPECT_GT(pulled, 7);
    EXPECT_LT(pulled, 85);
    mark = h.sounds().size();
    h.release(5, 30);
    EXPECT_EQ(h.control("A8.DestickaA").height(), 85);
    EXPECT_EQ(soundsSince(h, mark), QStringList{"play Desticka5.wav"});
    /* Pushed all the way up it stays raised. */
    h.press("A8.DestickaA", 5, 200);
    for (int y = 197; y >= 0; y -= 3)
        h.move(5, y);
    h.release(5, 0);
    EXPECT_EQ(h.control("A8.DestickaA").height(), 1);
}

TEST(Box2Aux, TheBellCallsTheDeskWhileHeldAndTheCrankTurnsWhileHeld)
{
    Harness h;
    h.click("A0.H9");
    const int blok = topOf(h, "A8.Blok");
    qsizetype mark = h.sounds().size();
    h.press("A8.Zvonek", 3, 3);
    EXPECT_EQ(topOf(h, "A8.Zvonek"), blok + 281);
    EXPECT_TRUE(h.timerEnabled("A1.ZaverSt2"));
    h.advanceMs(500);
    EXPECT_EQ(h.control("A6.DestickaC").height(), 85);
    h.release(3, 3);
    EXPECT_EQ(topOf(h, "A8.Zvonek"), blok + 279);
    EXPECT_FALSE(h.timerEnabled("A1.ZaverSt2"));
    EXPECT_EQ(h.interval("A1.ZaverSt2"), 300);
    EXPECT_FALSE(h.timerEnabled("A1.Klika"));
    const QStringList bell = soundsSince(h, mark);
    EXPECT_EQ(bell.first(), "play Zvonek1.wav");
    EXPECT_EQ(bell.mid(bell.size() - 2), (QStringList{"play Zvonek2.wav", "stop Induktor3.wav"}));

    h.press("A8.Klika", 3, 3);
    EXPECT_TRUE(h.timerEnabled("A1.Klika"));
    mark = h.sounds().size();
    h.release(3, 3);
    EXPECT_FALSE(h.timerEnabled("A1.Klika"));
    EXPECT_EQ(soundsSince(h, mark), QStringList{"stop Induktor3.wav"});
}

TEST(Box2Aux, TheLockReleaseBreaksItsSealThenStepsItsFieldToTheEnd)
{
    Harness h;
    const int blok = topOf(h, "A8.Blok");
    setFields(h, {{"A1.ZavCHSt", 5}});
    h.doubleClick("A8.NVZZavCH");
    EXPECT_EQ(h.control("A8.NVZZavCH").height(), 14);
    EXPECT_EQ(topOf(h, "A8.NVZZavCH"), blok + 455);
    EXPECT_EQ(h.value("A1.ZavCHSt"), 5);
    h.doubleClick("A8.NVZZavCH");
    EXPECT_EQ(topOf(h, "A8.NVZZavCH"), blok + 453);
    for (int expected : {4, 3, 2}) {
        h.doubleClick("A8.NVZZavCH");
        EXPECT_EQ(h.value("A1.ZavCHSt"), expected);
        EXPECT_EQ(topOf(h, "A8.NVZZavCH"), blok + 453);
    }
    h.doubleClick("A8.NVZZavCH");
    EXPECT_EQ(h.value("A1.ZavCHSt"), 1);
    EXPECT_EQ(topOf(h, "A8.NVZZavCH"), blok + 455);

    /* From 1 the direction is up. */
    h.doubleClick("A8.NVZSouLc1");
    h.doubleClick("A8.NVZSouLc1");
    for (int k = 0; k < 4; ++k)
        h.doubleClick("A8.NVZSouLc1");
    EXPECT_EQ(h.value("A1.SouLc1St"), 5);
    EXPECT_EQ(topOf(h, "A8.NVZSouLc1"), blok + 455);
}

TEST(Box2Aux, TheTrainPassedButtonFiresOnlyOnAReleasedLatchAndNeedsADoubleClickEachUse)
{
    Harness h;
    h.click("A0.H9");
    setFields(h, {{"A1.NavCHDoSt", 5}, {"A1.HrCHDo", 1}});
    h.doubleClick("A8.NVTCHDo");
    EXPECT_EQ(h.control("A8.NVTCHDo").height(), 35);
    h.doubleClick("A8.NVTCHDo"); // ready, pressed by the second press, broken seal again
    EXPECT_EQ(h.control("A8.NVTCHDo").height(), 35);
    EXPECT_EQ(h.value("A1.HrCHDo"), 1);
    h.press("A8.NVTCHDo", 3, 3); // not ready: nothing
    h.release(3, 3);
    EXPECT_EQ(h.value("A1.HrCHDo"), 1);
    setFields(h, {{"A1.NavCHDoSt", 6}});
    const qsizetype mark = h.sounds().size();
    h.doubleClick("A8.NVTCHDo");
    EXPECT_EQ(h.value("A1.HrCHDo"), 5);
    EXPECT_EQ(soundsSince(h, mark), QStringList{"play Zarazka.wav"});
    EXPECT_EQ(h.as<ui::Image>("A8.NVTCHDo").picture(), h.as<ui::Image>("A3.NVTStop").picture());
    /* The entry's button works its own fields. */
    setFields(h, {{"A1.NavCHOdSt", 6}, {"A1.HrCHOd", 1}});
    h.doubleClick("A8.NVTCHOd");
    h.doubleClick("A8.NVTCHOd");
    EXPECT_EQ(h.value("A1.HrCHOd"), 5);
}

TEST(Box2Aux, SwitchesAndPushButtonsMoveAndONPCountsItsUses)
{
    Harness h;
    const int e0 = topOf(h, "A8.E0");
    const bool bell = h.checked("A1.ZvonekRozrezu2");
    h.click("A8.VZ");
    EXPECT_EQ(topOf(h, "A8.VZ"), e0 + 444);
    EXPECT_EQ(h.checked("A1.ZvonekRozrezu2"), !bell);
    h.click("A8.VZ");
    EXPECT_EQ(topOf(h, "A8.VZ"), e0 + 442);
    EXPECT_EQ(h.checked("A1.ZvonekRozrezu2"), bell);

    h.press("A8.NKO", 3, 3);
    EXPECT_EQ(topOf(h, "A8.NKO"), e0 + 91);
    h.release(3, 3);
    EXPECT_EQ(topOf(h, "A8.NKO"), e0 + 89);
    h.press("A8.NNP", 3, 3);
    EXPECT_EQ(topOf(h, "A8.NNP"), e0 + 333);
    h.release(3, 3);
    EXPECT_EQ(topOf(h, "A8.NNP"), e0 + 331);

    h.press("A8.ONP", 3, 3);
    EXPECT_EQ(topOf(h, "A8.ONP"), e0 + 333);
    h.release(3, 3);
    EXPECT_EQ(topOf(h, "A8.ONP"), e0 + 331);
    EXPECT_EQ(h.text("A8.G2"), "00001");
    EXPECT_EQ(h.control("A8.G2").hint(), "00001");
    h.press("A8.ONP", 3, 3);
    h.release(3, 3);
    EXPECT_EQ(h.text("A8.G2"), "00002");
    /* Counters blocked: the text stays and the hint copies it. */
    h.check("A1.KodMavex", true);
    h.control("A8.G2").setHint(QString());
    h.press("A8.ONP", 3, 3);
    h.release(3, 3);
    EXPECT_EQ(h.text("A8.G2"), "00002");
    EXPECT_EQ(h.control("A8.G2").hint(), "00002");
    EXPECT_TRUE(h.messages().isEmpty());
}

TEST(Box2Aux, AMissingCounterLibraryIsReportedAndTheCounterKeepsItsText)
{
    QTemporaryDir dir;
    Harness h(dir.path());
    h.clearMessages();
    h.press("A8.ONP", 3, 3);
    h.release(3, 3);
    EXPECT_EQ(h.text("A8.G2"), "00000");
    ASSERT_EQ(h.messages().size(), 2);
    EXPECT_EQ(h.messages()[0], "Error 80ONP-Md");
    EXPECT_TRUE(h.messages()[1].contains("mavex.so")) << h.messages()[1].toStdString();
    EXPECT_EQ(topOf(h, "A8.ONP"), topOf(h, "A8.E0") + 331);
    /* With both error options off the failure is swallowed. */
    h.check("A1.NCK", false);
    h.check("A1.NCD", false);
    h.clearMessages();
    h.press("A8.ONP", 3, 3);
    h.release(3, 3);
    EXPECT_TRUE(h.messages().isEmpty());
    EXPECT_EQ(h.text("A8.G2"), "00000");
}

TEST(Box2Aux, TheSealedNTCHOpensByADoubleClickAndSealsItselfOnRelease)
{
    Harness h;
    const int e0 = topOf(h, "A8.E0");
    h.press("A8.NTCH", 3, 3);
    EXPECT_EQ(topOf(h, "A8.NTCH"), e0 + 442);
    h.release(3, 3);
    h.press("A8.NTCH", 3, 3);
    ui::Control &ntch = h.control("A8.NTCH");
    ui::runEvent(*ntch.form(), [&ntch] { ntch.onDblClick(); });
    EXPECT_EQ(ntch.height(), 14);
    h.press("A8.NTCH", 3, 3);
    EXPECT_EQ(topOf(h, "A8.NTCH"), e0 + 444);
    h.release(3, 3);
    EXPECT_EQ(topOf(h, "A8.NTCH"), e0 + 442);
    EXPECT_EQ(ntch.height(), 17);
}

TEST(Box2Aux, TheConsentToShuntActsOnlyForTheRoutesTrackWithNoUnitMoving)
{
    Harness h;
    h.control("A8.SPC").show();
    setFields(h, {{"A1.KolejC", 4}});
    h.click("A8.SPC");
    EXPECT_TRUE(h.visible("A8.SPC"));
    EXPECT_TRUE(h.messages().isEmpty());

    auto &unit = h.as<ui::Edit>("A5.Posun3");
    auto &timer = h.as<ui::Timer>("A5.Timerposun3L");
    auto &stage = h.as<ui::SpinEdit>("A5.StavPosun3");
    auto &waiting = h.as<ui::Edit>("A5.PosunC");
    timer.setEnabledFlag(false);
    waiting.setText("5");
    unit.setText("7"); // a unit still moves on track 3
    setFields(h, {{"A1.KolejC", 3}});
    h.click("A8.SPC");
    EXPECT_TRUE(h.visible("A8.SPC"));
    EXPECT_FALSE(timer.enabledFlag());
    unit.setText("0");
    h.click("A8.SPC");
    EXPECT_FALSE(h.visible("A8.SPC"));
    EXPECT_TRUE(timer.enabledFlag());
    EXPECT_EQ(stage.value(), -3);
    EXPECT_EQ(stage.color(), QColor(0, 255, 0));
    EXPECT_EQ(unit.text(), "5");
}
