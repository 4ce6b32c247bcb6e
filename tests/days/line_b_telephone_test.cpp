/**
 * @file line_b_telephone_test.cpp Line B under telephone working: trains leave for Struhy one after
 * the other, each once Struhy has reported the one before it in.
 */
#include "core/timetable_fixture.h"
#include "harness/dispatcher.h"

#include <gtest/gtest.h>

/*
 * The built-in day sends 2622 (8:00) and 2624 (9:35) to Struhy with no
 * train from Struhy between them. Box 1 clears an exit to line B only
 * while the desk's PS and VT lamps are lit, and puts VT out as it clears
 * one. Under telephone working too, the consent starts with Struhy and
 * ZS brings it back (PS) for 2622.
 */
TEST(LineBTelephoneWorking, TwoTrainsLeaveForStruhyInARow)
{
    Harness h;
    startGameAt(h, 7, 15);
    Dispatcher d(h, Dispatcher::Careful);
    d.introduceTelephoneWorking('B');
    ASSERT_EQ(h.text("A1.SmerB"), "Telefonika");

    d.playUntil(8, 30);
    ASSERT_TRUE(d.trains().count("2622"));
    EXPECT_TRUE(d.trains().at("2622").departed);
    EXPECT_TRUE(d.trains().at("2622").handedOver) << "Struhy reported 2622 in";
    /* The acknowledged report frees the line and lights VT again, as the block does. */
    EXPECT_EQ(h.text("A1.TratB"), "Volná");
    EXPECT_TRUE(h.visible("A6.VTM"));
    EXPECT_TRUE(h.visible("A6.VOM"));
    EXPECT_TRUE(h.visible("A1.VTM"));
    EXPECT_FALSE(h.visible("A6.EVM"));
    EXPECT_TRUE(h.visible("A6.PSM"));
    EXPECT_EQ(h.color("A1.SmerB"), QColor(0, 255, 0));

    d.playUntil(10, 15);
    ASSERT_TRUE(d.trains().count("2624"));
    const Dispatcher::Train &second = d.trains().at("2624");
    EXPECT_TRUE(second.departed) << "the second train for Struhy left\n" << d.describe().toStdString();
    EXPECT_TRUE(second.handedOver);
    EXPECT_EQ(h.text("A1.TratB"), "Volná");
    EXPECT_TRUE(h.visible("A6.VTM"));
    EXPECT_TRUE(h.messages().isEmpty()) << h.messages().join(" | ").toStdString();
}
