/** @file coupling_test.cpp Coupling a lone loco to its vehicles and uncoupling it, from the shunting panel. */
#include "shunting_fixture.h"

namespace {

const QColor Yellow(255, 255, 0);
const QColor White(255, 255, 255);

class Coupling : public ShuntingTest {
protected:
    /** Expects the slots of track n to show these vehicles (-1 empty). */
    void expectRow(int n, const std::array<int, 10> &want)
    {
        for (int k = 1; k <= 10; ++k)
            EXPECT_EQ(shows(slot(n, k)), want[k - 1]) << "slot " << k;
    }
    void expectLaidRightwards(int n, int from)
    {
        for (int k = from + 1; k <= 10; ++k)
            EXPECT_EQ(slot(n, k).left(), slot(n, k - 1).left() + slot(n, k - 1).width()) << "slot " << k;
    }
};

TEST_F(Coupling, LocoAtSlot1CouplesOnlyWithinTenPixels)
{
    putUnit(1, {0, 1, 2, 3, -1, -1, -1, -1, -1, -1}, "1", true, 100);
    slot(1, 2).setLeft(140); // 10 px from the loco's right edge at 130
    h.click("A5.PB02");
    h.click("A5.PB11");
    EXPECT_EQ(track(1).posun->color(), Yellow);
    EXPECT_EQ(slot(1, 1).left(), 100);

    slot(1, 2).setLeft(139); // 9 px
    h.click("A5.PB11");
    EXPECT_EQ(track(1).posun->color(), White);
    EXPECT_EQ(h.text("A5.PB11"), "odvěsit");
    EXPECT_EQ(slot(1, 1).left(), 109);
    expectLaidRightwards(1, 2);
    EXPECT_EQ(track(1).posun->text(), "1");

    /* Uncoupling moves the loco 2 px away; coupling right after closes it up again. */
    h.click("A5.PB11");
    EXPECT_EQ(track(1).posun->color(), Yellow);
    EXPECT_EQ(h.text("A5.PB11"), "svěsit");
    EXPECT_EQ(slot(1, 1).left(), 107);
    h.click("A5.PB11");
    EXPECT_EQ(slot(1, 1).left(), 109);

    /* A loco overlapping its neighbour couples and is pushed back to touch it. */
    h.click("A5.PB11");
    slot(1, 1).setLeft(130);
    h.click("A5.PB11");
    EXPECT_EQ(track(1).posun->color(), White);
    EXPECT_EQ(slot(1, 1).left(), 109);
}

TEST_F(Coupling, AtSlot1TheVehiclesCloseUpAndTheEmptySlotsGatherAtTheFarEnd)
{
    putUnit(3, {0, -1, -1, 4, 5, 6, 7, -1, -1, -1}, "1", true);
    const int oldLeft4 = slot(3, 4).left();
    h.click("A5.PB03");
    h.click("A5.PB11");
    expectRow(3, {0, 4, 5, 6, 7, -1, -1, -1, -1, -1});
    EXPECT_EQ(slot(3, 2).left(), oldLeft4);
    EXPECT_EQ(slot(3, 1).left(), 288) << "the loco keeps touching where slot 2 stood, 2 px before its vehicle";
    expectLaidRightwards(3, 2);

    /* No vehicle at all beyond the loco: everything after it is empty. */
    putUnit(5, {0, -1, -1, -1, -1, -1, -1, -1, -1, -1}, "1", true);
    h.click("A5.PB04");
    h.click("A5.PB11");
    expectRow(5, {0, -1, -1, -1, -1, -1, -1, -1, -1, -1});
    EXPECT_EQ(track(5).posun->color(), White);
}

TEST_F(Coupling, AtSlot10TheRowIsLaidLeftwardsFromTheLoco)
{
    putUnit(7, {-1, -1, -1, -1, 5, 6, 7, 8, -1, 0}, "10", true);
    slot(7, 10).setLeft(slot(7, 9).left() + slot(7, 9).width() + 9);
    const int loco = slot(7, 9).left() + slot(7, 9).width();
    h.click("A5.PB05");
    h.click("A5.PB11");
    EXPECT_EQ(track(7).posun->color(), White);
    expectRow(7, {-1, -1, -1, -1, -1, 5, 6, 7, 8, 0});
    EXPECT_EQ(slot(7, 10).left(), loco);
    for (int k = 9; k >= 1; --k)
        EXPECT_EQ(slot(7, k).left(), slot(7, k + 1).left() - slot(7, k).width()) << k;

    /* Only slot 1 occupied: its vehicle comes next to the loco. */
    putUnit(2, {3, -1, -1, -1, -1, -1, -1, -1, -1, 0}, "10", true);
    h.click("A5.PB01");
    h.click("A5.PB11");
    expectRow(2, {-1, -1, -1, -1, -1, -1, -1, -1, 3, 0});

    /* Too far: nothing happens. */
    h.click("A5.PB11");
    slot(2, 10).setLeft(slot(2, 9).left() + slot(2, 9).width() + 10);
    h.click("A5.PB11");
    EXPECT_EQ(track(2).posun->color(), Yellow);
}

TEST_F(Coupling, WithoutALocoTheButtonChangesNothing)
{
    h.click("A5.PB03");
    const int left = slot(3, 1).left();
    h.click("A5.PB11");
    EXPECT_EQ(track(3).posun->color(), White) << "no loco to uncouple";
    EXPECT_EQ(h.text("A5.PB11"), "odvěsit");
    /* A loco alone's track whose loco is away: no loco to couple. */
    track(3).posun->setColor(Yellow);
    h.click("A5.PB03");
    h.click("A5.PB11");
    EXPECT_EQ(track(3).posun->color(), Yellow);
    EXPECT_EQ(h.text("A5.PB11"), "svěsit");
    EXPECT_EQ(slot(3, 1).left(), left);
    EXPECT_EQ(track(3).posun->text(), "0");
    EXPECT_TRUE(h.messages().isEmpty());
}

TEST_F(Coupling, ALocoAloneRunsOutAndBackThenCouplesToItsVehicles)
{
    /* A lone loco driven back from side A/B stops nearer than 70 px to slot 2, within reach after a creep. */
    a1().KolejA->setValue(5);
    a1().KolejB->setValue(0);
    listColour("C44", White);
    putUnit(5, {0, 1, 2, -1, -1, -1, -1, -1, -1, -1}, "1", false);
    h.click("A5.PB04");
    h.click("A5.PB11"); // uncouple
    slot(5, 1).setLeft(slot(5, 1).left() - 100);
    h.click("A5.PB04");
    ASSERT_EQ(h.text("A5.PB07"), "<    posun");
    h.click("A5.PB07");
    ASSERT_TRUE(runUntilStopped(5));
    ASSERT_TRUE(h.visible("A7.SPA"));
    h.click("A7.SPA");
    ASSERT_TRUE(runUntilStopped(5));
    ASSERT_EQ(track(5).posun->text(), "1");
    h.click("A5.PB04");
    ASSERT_EQ(h.text("A5.PB09"), "přiblížit    >");
    for (int i = 0; i < 80 && slot(5, 2).left() - slot(5, 1).left() - slot(5, 1).width() >= 10; ++i)
        h.click("A5.PB09");
    h.click("A5.PB11");
    EXPECT_EQ(track(5).posun->color(), White);
    expectRow(5, {0, 1, 2, -1, -1, -1, -1, -1, -1, -1});
    EXPECT_EQ(slot(5, 2).left(), slot(5, 1).left() + 30);
}

} // namespace
