/** @file box1_auxiliary_test.cpp Signal box 1's tablets, bells, cranks, emergency buttons, bell switch, tags and consents. */
#include "devices/box1_fixture.h"

#include "trackview/form_a5.h"

#include <gtest/gtest.h>

using namespace box1;

TEST(Box1Auxiliary, ATabletDropsAndRisesByClicksAndFallsWhenLeftHalfWay)
{
    Harness h;
    h.click("A0.H9");
    h.press("A7.DestickaA", 5, 5);
    h.release(5, 5);
    EXPECT_EQ(h.control("A7.DestickaA").height(), 85);
    EXPECT_EQ(h.color("A7.DestickaA"), QColor(255, 255, 255));
    EXPECT_EQ(played(h, "Desticka5.wav"), 1);
    h.press("A7.DestickaA2", 5, 5);
    h.release(6, 5);
    EXPECT_EQ(h.control("A7.DestickaA").height(), 1);
    EXPECT_EQ(h.color("A7.DestickaA"), QColor(0xBB, 0xBB, 0xBB));
    EXPECT_EQ(played(h, "Desticka6.wav"), 1);

    h.press("A7.DestickaB", 5, 5);
    h.move(5, 8);
    EXPECT_EQ(h.control("A7.DestickaB").height(), 7) << "1 + 2 + 84 div 20";
    h.move(5, 30);
    EXPECT_LT(h.control("A7.DestickaB").height(), 85);
    h.release(5, 30);
    EXPECT_EQ(h.control("A7.DestickaB").height(), 85) << "a tablet left half way drops";
    EXPECT_EQ(h.control("A7.DestickaA").height(), 1) << "the other tablet stays";
}

TEST(Box1Auxiliary, ABellHeldCallsTheDeskAndItsReleaseStopsTheBlock)
{
    Harness h;
    h.click("A0.H9");
    const int blok = h.control("A7.Blok").top();
    h.press("A7.ZvonekA", 5, 5);
    EXPECT_EQ(h.control("A7.ZvonekA").top(), blok + 281);
    EXPECT_TRUE(h.timerEnabled("A1.ZaverSt1"));
    EXPECT_EQ(played(h, "Zvonek1.wav"), 1);
    h.advanceMs(500);
    EXPECT_EQ(h.control("A6.DestickaA").height(), 85);
    EXPECT_NE(h.control("A6.DestickaB").height(), 85);
    h.release(5, 5);
    EXPECT_EQ(h.control("A7.ZvonekA").top(), blok + 279);
    EXPECT_FALSE(h.timerEnabled("A1.ZaverSt1"));
    EXPECT_EQ(h.interval("A1.ZaverSt1"), 300);
    EXPECT_FALSE(h.timerEnabled("A1.Induktor"));
    EXPECT_EQ(h.control("A7.Induktor").top(), blok + 234);
    EXPECT_EQ(played(h, "Zvonek2.wav"), 1);
    EXPECT_TRUE(h.sounds().contains("stop Induktor3.wav")) << "the crank sound stops though no crank turned";
}

TEST(Box1Auxiliary, ACrankIsTheCurrentSourceWhileTheBlockRuns)
{
    Harness h;
    h.click("A0.H9");
    h.press("A7.KlikaP", 5, 5);
    EXPECT_EQ(h.text("A1.Proud"), "K");
    EXPECT_TRUE(h.timerEnabled("A1.Klika"));
    h.release(5, 5);
    EXPECT_FALSE(h.timerEnabled("A1.Klika"));
    EXPECT_TRUE(h.sounds().contains("stop Induktor3.wav"));

    /* With the crank chosen, a held bell turns the crank and not the magneto. */
    h.press("A7.KlikaL", 5, 5);
    h.release(5, 5);
    h.press("A7.ZvonekB", 5, 5);
    h.advanceMs(300);
    EXPECT_TRUE(h.timerEnabled("A1.Klika"));
    EXPECT_FALSE(h.timerEnabled("A1.Induktor"));
    h.release(5, 5);
    EXPECT_FALSE(h.timerEnabled("A1.Klika"));
}

TEST(Box1Auxiliary, AnEmergencyRouteButtonIsUnsealedArmedAndStepsOneFieldADoubleClick)
{
    Harness h;
    const int blok = h.control("A7.Blok").top();
    setFields(h, {{"A1.ZavBSt", 3}});
    h.doubleClick("A7.NVZZavB");
    EXPECT_NE(h.control("A7.NVZZavB").height(), 26) << "the seal is broken";
    EXPECT_EQ(h.control("A7.NVZZavB").top(), blok + 455);
    h.doubleClick("A7.NVZZavB");
    EXPECT_EQ(h.control("A7.NVZZavB").top(), blok + 453);
    EXPECT_EQ(h.value("A1.ZavBSt"), 3) << "arming steps nothing";
    h.doubleClick("A7.NVZZavB");
    EXPECT_EQ(h.value("A1.ZavBSt"), 2);
    h.doubleClick("A7.NVZZavB");
    EXPECT_EQ(h.value("A1.ZavBSt"), 1);
    EXPECT_EQ(h.control("A7.NVZZavB").top(), blok + 453);
    h.doubleClick("A7.NVZZavB");
    EXPECT_EQ(h.value("A1.ZavBSt"), 1);
    EXPECT_EQ(h.control("A7.NVZZavB").top(), blok + 455) << "the button comes out at the end";

    /* Armed at 1 it steps up to 5; line B's button has its own field. */
    h.doubleClick("A7.NVZZavB");
    for (int expected = 2; expected <= 5; ++expected) {
        h.doubleClick("A7.NVZZavB");
        EXPECT_EQ(h.value("A1.ZavBSt"), expected);
    }
    h.doubleClick("A7.NVZZavB");
    EXPECT_EQ(h.control("A7.NVZZavB").top(), blok + 455);
    EXPECT_EQ(h.value("A1.ZavMSt"), 1);
}

TEST(Box1Auxiliary, AnEmergencyTrainPassedButtonFiresOnlyOnAReleasedField)
{
    Harness h;
    h.click("A0.H9");
    setFields(h, {{"A1.NavBOdSt", 6}, {"A1.NavMDoSt", 5}});
    EXPECT_EQ(h.control("A7.NVTBOd").height(), 39);
    h.press("A7.NVTBOd", 5, 5);
    h.release(5, 5);
    EXPECT_EQ(h.control("A7.NVTBOd").height(), 39);
    h.doubleClick("A7.NVTBOd");
    EXPECT_EQ(h.control("A7.NVTBOd").height(), 35) << "the first double click only unseals";
    EXPECT_EQ(h.value("A1.HrBOd"), 1);
    h.press("A7.NVTBOd", 5, 5);
    h.release(5, 5);
    EXPECT_EQ(h.value("A1.HrBOd"), 1) << "a single click at rest does nothing";
    h.doubleClick("A7.NVTBOd");
    EXPECT_EQ(h.value("A1.HrBOd"), 5) << "the second press of the double click fires";
    EXPECT_EQ(played(h, "Zarazka.wav"), 1);
    EXPECT_EQ(h.control("A7.NVTBOd").height(), 35);

    h.doubleClick("A7.NVTMDo");
    h.doubleClick("A7.NVTMDo");
    EXPECT_EQ(h.value("A1.HrMDo"), 1) << "the exit to line B is not released";
    EXPECT_EQ(h.control("A7.NVTMDo").height(), 35);
    EXPECT_EQ(played(h, "Zarazka.wav"), 1);
}

TEST(Box1Auxiliary, TheBellSwitchTogglesTheTrailingPointsBell)
{
    Harness h;
    const int deska = h.control("A7.Deska").top();
    const bool before = h.checked("A1.ZvonekRozrezu1");
    h.click("A7.VZ");
    EXPECT_EQ(h.control("A7.VZ").top(), deska + 335);
    EXPECT_EQ(h.checked("A1.ZvonekRozrezu1"), !before);
    h.click("A7.VZ");
    EXPECT_EQ(h.control("A7.VZ").top(), deska + 333);
    EXPECT_EQ(h.checked("A1.ZvonekRozrezu1"), before);
}

TEST(Box1Auxiliary, TagsHangOnTheirHoldersAndComeOff)
{
    Harness h;
    for (const char *tag : {"BOd", "BDo", "MOd", "MDo"}) {
        const QString holder = QStringLiteral("A7.Ced") + tag, name = QStringLiteral("A7.Cedulka") + tag;
        EXPECT_FALSE(h.visible(name));
        h.doubleClick(holder);
        EXPECT_TRUE(h.visible(name)) << tag;
        h.doubleClick(name);
        EXPECT_FALSE(h.visible(name)) << tag;
    }
}

TEST(Box1Auxiliary, TheConsentToShuntBackSendsTheUnitOfTheRoutesTrack)
{
    Harness h;
    h.click("A0.H9");
    h.control("A7.SPA").show();
    setFields(h, {{"A1.KolejA", 0}});
    h.click("A7.SPA");
    EXPECT_TRUE(h.visible("A7.SPA")) << "no route, no track to shunt to";
    EXPECT_TRUE(h.messages().isEmpty());

    /* Track 3's shunting unit as the track view holds it while its locomotive stands out on the preview. */
    TA5 &a5 = h.app().A5();
    auto edit = [&a5](const char *name, const QString &text) {
        if (!a5.find(QLatin1String(name)))
            a5.make<ui::Edit>(a5.frame.D5, QLatin1String(name));
        a5.find(QLatin1String(name))->setVisible(true);
        dynamic_cast<ui::Edit &>(*a5.find(QLatin1String(name))).setText(text);
    };
    if (!a5.find("StavPosun3"))
        a5.make<ui::SpinEdit>(a5.frame.D5, "StavPosun3");
    if (!a5.find("TimerPosun3P"))
        a5.make<ui::Timer>(nullptr, "TimerPosun3P")->setEnabledFlag(false);
    edit("Posun3", "4");
    edit("PosunA", "10");
    setFields(h, {{"A1.KolejA", 3}});
    h.click("A7.SPA");
    EXPECT_TRUE(h.visible("A7.SPA")) << "the track still has a unit";
    EXPECT_FALSE(h.timerEnabled("A5.TimerPosun3P"));

    edit("Posun3", "0");
    h.click("A7.SPA");
    EXPECT_FALSE(h.visible("A7.SPA"));
    EXPECT_TRUE(h.timerEnabled("A5.TimerPosun3P"));
    EXPECT_EQ(h.value("A5.StavPosun3"), 3);
    EXPECT_EQ(h.color("A5.StavPosun3"), QColor(0, 255, 0));
    EXPECT_EQ(h.text("A5.Posun3"), "10");
    EXPECT_TRUE(h.messages().isEmpty());
}
