/** @file signalman_desk_test.cpp The dispatcher works the desk and the signalman of box 1 answers it. */
#include "devices/desk_fixture.h"
#include "signalman_test.h"

using namespace signalman_test;

using SignalmanAtTheDesk = Desk;

TEST_F(SignalmanAtTheDesk, ALineAArrivalToTrack1AskedForWithTheDesksBellAndRelease)
{
    h.as<ui::Timer>("A1.Hodiny").setEnabledFlag(false);
    h.type("A1.IKA", "Volná");
    knobTo("A", 828);
    dragLock("A", -30);
    ASSERT_EQ(h.value("A1.CestaA"), 1);
    hold("A6.ZvonekA", 550);
    EXPECT_EQ(h.interval("A1.SignalistaA"), 5000);
    ASSERT_TRUE(h.timerEnabled("A1.SignalistaA"));

    /* Tablet, knobs back, then levers 3 and 7 down one a second, and the route-lock knob. */
    h.advanceMs(5000 + 1000 + 3 * 1001);
    EXPECT_EQ(h.control("A6.DestickaA").height(), 85);
    EXPECT_EQ(h.text("A7.Paka3e"), "Z+");
    EXPECT_EQ(h.text("A7.Paka7e"), "Z+");
    EXPECT_TRUE(showsPicture(h, "A7.Zavernik1", "A3.KlickaP"));

    /* The box lays the route to track 1; the dispatcher gives the entry release. */
    h.as<ui::SpinEdit>("A1.KolejA").setValue(1);
    hold("A6.PakaNavBOd", 1150);
    ASSERT_EQ(h.value("A1.NavBOdSt"), 6);
    h.advanceMs(1001 + 3000 + 1001);
    EXPECT_EQ(h.value("A1.ZavBSt"), 5);
    EXPECT_EQ(h.text("A1.C03"), "40 a výstraha");
    EXPECT_TRUE(h.visible("A6.LZluta"));

    /* The train passes and the section frees: the signal returns and the block gives the release back. */
    h.type("A1.C03", "Stůj");
    h.as<ui::SpinEdit>("A1.HrBOd").setValue(5);
    h.advanceMs(1001 + 1001 + 3001);
    EXPECT_EQ(h.value("A1.NavBOdSt"), 1);
    EXPECT_EQ(h.value("A1.NavBOd"), 1);
    EXPECT_FALSE(h.timerEnabled("A1.SignalistaA"));
    EXPECT_EQ(h.value("A1.ZavB"), 5); // the route is the dispatcher's to take back
    EXPECT_TRUE(h.messages().isEmpty()) << h.messages().join(" | ").toStdString();
}
