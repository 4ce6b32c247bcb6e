/** @file desk_keys_tablets_test.cpp The desk's line keys, drop tablets and approach-device buttons. */
#include "desk_fixture.h"

#include "devices/device_handlers.h"

using DeskTablets = Desk;

TEST_F(DeskTablets, AClickDropsARaisedTabletAndRaisesADroppedOne)
{
    EXPECT_EQ(h.control("A6.DestickaA").height(), 1);
    EXPECT_EQ(h.color("A6.DestickaA"), QColor(0xBB, 0xBB, 0xBB));
    const qsizetype mark = h.sounds().size();
    h.press("A6.DestickaA", 5, 0);
    h.release(5, 1);
    EXPECT_EQ(h.control("A6.DestickaA").height(), 85);
    EXPECT_EQ(h.color("A6.DestickaA"), QColor(0xFF, 0xFF, 0xFF));
    EXPECT_TRUE(heard("play Desticka5.wav", mark));
    h.press("A6.DestickaA2", 2, 10);
    h.release(2, 10);
    EXPECT_EQ(h.control("A6.DestickaA").height(), 1) << "its handle works the tablet too";
    EXPECT_TRUE(heard("play Desticka6.wav", mark));
}

TEST_F(DeskTablets, APartialPullEndsDroppedAndStepsShrinkTowardsTheBottom)
{
    h.press("A6.DestickaB", 5, 0);
    h.move(5, 2);
    EXPECT_EQ(h.control("A6.DestickaB").height(), 1) << "2 px are within the dead zone";
    h.move(5, 3);
    EXPECT_EQ(h.control("A6.DestickaB").height(), 7) << "1 + 2 + 84 div 20";
    for (int y = 4; y <= 20; ++y)
        h.move(5, y);
    const int pulled = h.control("A6.DestickaB").height();
    EXPECT_GT(pulled, 7);
    EXPECT_LT(pulled, 85);
    EXPECT_EQ(h.color("A6.DestickaB"), pulled < 32 ? QColor(0xCC, 0xCC, 0xCC) : QColor(0xDD, 0xDD, 0xDD));
    h.release(5, 30);
    EXPECT_EQ(h.control("A6.DestickaB").height(), 85);

    h.press("A6.DestickaB", 5, 100);
    for (int y = 99; y >= 0; --y)
        h.move(5, y);
    EXPECT_EQ(h.control("A6.DestickaB").height(), 1);
    h.release(5, 0);
    EXPECT_EQ(h.control("A6.DestickaB").height(), 1) << "a push all the way up leaves it raised";

    h.press("A6.DestickaC", 5, 10);
    for (int y = 11; y <= 16; ++y)
        h.move(5, y);
    for (int y = 15; y >= 10; --y)
        h.move(5, y);
    const qsizetype mark = h.sounds().size();
    h.release(5, 11);
    EXPECT_EQ(h.control("A6.DestickaC").height(), 1) << "dropped by the partial height, raised by the click";
    EXPECT_TRUE(heard("play Desticka5.wav", mark));
    EXPECT_TRUE(heard("play Desticka6.wav", mark));
}

using DeskKeys = Desk;

TEST_F(DeskKeys, AKeyTurnsOnePositionPer20PixelsOnlyWhileItsExitReleaseRests)
{
    EXPECT_EQ(devices::DeadZoneStep(21, 0, 1), 2);
    EXPECT_EQ(devices::DeadZoneStep(20, 0, 1), 1);
    EXPECT_EQ(devices::DeadZoneStep(-21, 0, 2), 1);
    h.drag("A6.KlicB", {5, 3}, {-40, 3});
    EXPECT_EQ(relLeft("A6.KlicB"), 724) << "at rest a drag to the left does nothing";
    h.drag("A6.KlicB", {5, 3}, {30, 3});
    EXPECT_EQ(relLeft("A6.KlicB"), 742);
    EXPECT_EQ(rel("A6.KlicB"), 213);
    EXPECT_EQ(h.control("A6.KlicB").width(), 7) << "half turned, released there";
    h.drag("A6.KlicB", {5, 3}, {30, 3});
    EXPECT_EQ(rel("A6.KlicB"), 231);
    EXPECT_EQ(h.control("A6.KlicB").width(), 25);
    h.drag("A6.KlicB", {5, 3}, {90, 3});
    EXPECT_EQ(relLeft("A6.KlicB"), 742) << "turned to its end it stays there";

    h.type("A1.NavCHDo", "2");
    h.drag("A6.KlicC", {5, 3}, {90, 3});
    EXPECT_EQ(relLeft("A6.KlicC"), 839) << "the exit release of line C is given";
    h.type("A1.NavCHDo", "1");
    h.drag("A6.KlicC", {5, 3}, {90, 3});
    EXPECT_EQ(relLeft("A6.KlicC"), 857);
    EXPECT_EQ(rel("A6.KlicC"), 231) << "one drag goes through the middle to the end";
    h.drag("A6.KlicC", {5, 3}, {-90, 3});
    EXPECT_EQ(relLeft("A6.KlicC"), 839);
    EXPECT_TRUE(h.messages().isEmpty());
}

TEST_F(DeskKeys, TheApproachButtonsSwitchOnlyBetweenOpenAndApproach)
{
    EXPECT_EQ(h.text("A1.VUD"), "Otevřený");
    h.press("A6.VUDTlv", 5, 5);
    EXPECT_EQ(rel("A6.VUDTlv"), 200);
    EXPECT_EQ(h.text("A1.VUD"), "Přibližovací");
    h.release(5, 5);
    EXPECT_EQ(rel("A6.VUDTlv"), 198);
    h.press("A6.VUDTlo", 5, 5);
    h.release(5, 5);
    EXPECT_EQ(h.text("A1.VUD"), "Otevřený");
    h.type("A1.VUD", "Vzdalovací");
    h.press("A6.VUDTlo", 5, 5);
    EXPECT_EQ(rel("A6.VUDTlo"), 200);
    h.release(5, 5);
    h.press("A6.VUDTlv", 5, 5);
    h.release(5, 5);
    EXPECT_EQ(h.text("A1.VUD"), "Vzdalovací");
}
