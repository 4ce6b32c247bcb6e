/** @file flasher_test.cpp The flasher's phases over its ticks, and the one-shot refresh of the desk's 40 lamp. */
#include "harness/harness.h"

#include <gtest/gtest.h>

namespace {

/**
 * A harness in a started game with the flasher brought to the start of a
 * phase: the next tick (500 ms on) is a lit phase.
 */
struct Flashing {
    Harness h;
    Flashing()
    {
        h.click("A0.H9");
        /* Let the flasher run until its next tick is a lit one. */
        while (h.interval("A1.Blikac") != 500)
            h.advanceMs(1);
        h.advanceMs(500);
        EXPECT_EQ(h.interval("A1.Blikac"), 501);
        h.advanceMs(501); /* a dark phase; the next is lit in 500 ms */
        EXPECT_EQ(h.interval("A1.Blikac"), 500);
    }
    /** Runs the next phase (lit, then dark, alternately) and returns whether the lamp is shown after it. */
    bool after(const QString &lamp)
    {
        h.advanceMs(h.interval("A1.Blikac"));
        return h.visible(lamp);
    }
    /** @return the lamp's state after each of the next n phases, as "1010". */
    QString phases(const QString &lamp, int n = 4)
    {
        QString out;
        for (int k = 0; k < n; ++k)
            out += after(lamp) ? '1' : '0';
        return out;
    }
};

} // namespace

TEST(Flasher, ItsIntervalIsItsPhaseLitFor501AndDarkFor500)
{
    Harness h;
    EXPECT_TRUE(h.timerEnabled("A1.Blikac"));
    EXPECT_EQ(h.interval("A1.Blikac"), 500);
    h.advanceMs(500);
    EXPECT_EQ(h.interval("A1.Blikac"), 501);
    h.advanceMs(500);
    EXPECT_EQ(h.interval("A1.Blikac"), 501);
    h.advanceMs(1);
    EXPECT_EQ(h.interval("A1.Blikac"), 500);
}

TEST(Flasher, AFaultySignalFlashesItsGreenOnDeskAndBoxOnly)
{
    Flashing f;
    f.h.type("A1.C25", "Porucha");
    EXPECT_EQ(f.phases("A6.L3Zelena"), "1010");
    EXPECT_EQ(f.phases("A8.EI"), "1010");
    EXPECT_FALSE(f.h.visible("A5.KB"));
    f.h.type("A1.C25", "Stůj");
    EXPECT_EQ(f.phases("A8.EI"), "0000");
}

TEST(Flasher, CallOnFlashesTheWhiteOverTheSteadyRed)
{
    Flashing f;
    f.h.type("A1.C03", "PN");
    EXPECT_EQ(f.phases("A7.LBila"), "1010");
    EXPECT_EQ(f.phases("A7.LCervena"), "1111");
    EXPECT_EQ(f.phases("A1.C54"), "1010"); /* L is on the display */

    f.h.type("A1.C40", "PN");
    EXPECT_EQ(f.phases("A5.J3"), "1010");
    EXPECT_EQ(f.phases("A5.J2"), "1111");
    EXPECT_EQ(f.phases("A6.S3Bila"), "1010");

    /* Lc2 shows only the flashing white on the track view. */
    f.h.type("A1.C22", "PN");
    EXPECT_EQ(f.phases("A5.OC"), "1010");
    EXPECT_EQ(f.phases("A5.OD"), "0000");
}

TEST(Flasher, TheDisplayFlashesTheUpperYellowOfFortyFortyWhileItShowsTheSignal)
{
    Flashing f;
    f.h.type("A1.C09", "40 a 40");
    EXPECT_EQ(f.phases("A1.C51"), "1010");
    EXPECT_EQ(f.phases("A1.C55"), "1111");
    f.h.type("A1.C49", "L");
    EXPECT_FALSE(f.h.visible("A1.C51"));
    EXPECT_EQ(f.phases("A1.C51"), "0000");
}

TEST(Flasher, AFaultyRepeaterFlashesWhateverItsSignalShows)
{
    Flashing f;
    f.h.type("A1.C03", "Volno");
    f.h.check("A1.C12", true);
    EXPECT_EQ(f.phases("A7.PrL"), "1010");
    f.after("A7.PrL"); /* a lit phase */
    f.h.check("A1.C12", false);
    EXPECT_EQ(f.phases("A7.PrL"), "1111"); /* left as the last phase left it */
}

TEST(Flasher, AWaitingCallFlashesItsLineKey)
{
    Flashing f;
    f.h.as<ui::Edit>("A1.ZpravaB").setColor(QColor(255, 0, 0));
    const QImage on = f.h.as<ui::Image>("A3.TelBilaOn").picture();
    const QImage off = f.h.as<ui::Image>("A3.TelBilaOff").picture();
    f.after("A6.F2");
    EXPECT_EQ(f.h.as<ui::Image>("A6.F2").picture(), on);
    f.after("A6.F2");
    EXPECT_EQ(f.h.as<ui::Image>("A6.F2").picture(), off);
    EXPECT_EQ(f.h.as<ui::Image>("A6.F0").picture(), off);
}

TEST(Flasher, TheLineBConsentLampsFlashWhileItIsAskedFor)
{
    Flashing f;
    f.h.as<ui::Edit>("A1.SmerB").setColor(QColor(0, 0, 255));
    EXPECT_EQ(f.phases("A1.USM"), "1010");
    EXPECT_EQ(f.phases("A6.VTM"), "1010");
    f.h.as<ui::Edit>("A1.SmerB").setColor(QColor(255, 255, 0));
    EXPECT_EQ(f.phases("A1.VTM"), "1010");
    EXPECT_EQ(f.phases("A6.USM"), "1010");
    f.h.type("A1.VUD", "Přibližovací");
    EXPECT_EQ(f.phases("A6.VUDZluta"), "1010");
}

TEST(Flasher, TheRedCrossingLightsAlternateAndAFailedOneFreezes)
{
    Flashing f;
    EXPECT_EQ(f.phases("A8.PZZBila"), "1010");
    f.h.type("A1.PZZ", "Uzavíraný");
    QString left, right;
    for (int k = 0; k < 4; ++k) {
        left += f.after("A8.PZZCervenaL") ? '1' : '0';
        right += f.h.visible("A8.PZZCervenaP") ? '1' : '0';
    }
    EXPECT_EQ(left, "1010");
    EXPECT_EQ(right, "0101");
    EXPECT_EQ(f.phases("A8.F3"), "1010");
    f.h.check("A1.PZZL", true);
    const bool frozen = f.h.visible("A8.PZZCervenaL");
    EXPECT_EQ(f.phases("A8.PZZCervenaL"), frozen ? "1111" : "0000");
    EXPECT_EQ(f.phases("A8.PZZCervenaP"), "0101");
}

TEST(Flasher, TheLightFaultLampFollowsTheFailedLight)
{
    Flashing f;
    f.h.type("A1.PZZ", "Uzavřený");
    EXPECT_EQ(f.phases("A8.F4"), "0000");
    f.h.check("A1.PZZL", true);
    EXPECT_EQ(f.phases("A8.F4"), "1010");
    f.h.check("A1.PZZL", false);
    f.h.check("A1.PZZP", true);
    EXPECT_EQ(f.phases("A8.F4"), "0101");
    f.h.check("A1.PZZL", true);
    EXPECT_EQ(f.phases("A8.F4"), "1111");
    f.h.type("A1.PZZ", "Uzavíraný");
    EXPECT_EQ(f.phases("A8.F4"), "1111");
}

TEST(Flasher, MovingPointsKeepTheirRedLampLitInBothPhases)
{
    Flashing f;
    EXPECT_EQ(f.phases("A8.V12Cervena"), "0000");
    f.h.as<ui::SpinEdit>("A1.Vymena12").setValue(3);
    EXPECT_EQ(f.phases("A8.V12Cervena"), "1111");
    f.h.as<ui::SpinEdit>("A1.Vymena9").setValue(-10);
    EXPECT_EQ(f.phases("A8.V10Cervena"), "1111"); /* the pair 9 and 10 sums to 0 */
    EXPECT_FALSE(f.h.visible("A8.V11Cervena"));
}

TEST(Flasher, DuringAPauseOnlyTheShownViewsShowTheirSign)
{
    Flashing f;
    f.h.type("A1.Rychlost", "P");
    EXPECT_EQ(f.phases("A6.Pauza"), "1010"); /* the desk is shown after the start */
    EXPECT_EQ(f.phases("A7.Pauza"), "0000");
    f.h.control("A7").show();
    EXPECT_EQ(f.phases("A7.Pauza"), "1010");
    f.after("A6.Pauza");
    f.h.type("A1.Rychlost", "1");
    EXPECT_FALSE(f.h.visible("A6.Pauza"));
    EXPECT_EQ(f.phases("A6.Pauza"), "0000");
}

TEST(Flasher, TheDesksFortyLampFollowsAllThreeEntrySignalsAfterTenMilliseconds)
{
    Harness h;
    h.click("A0.H9");
    h.type("A1.C06", "40 a výstraha");
    EXPECT_FALSE(h.visible("A6.Kmitac"));
    h.advanceMs(10);
    EXPECT_TRUE(h.visible("A6.Kmitac"));
    EXPECT_FALSE(h.timerEnabled("A1.Kmitac"));
    h.type("A1.C03", "Stůj");
    h.type("A1.C09", "Volno");
    h.advanceMs(10);
    EXPECT_TRUE(h.visible("A6.Kmitac")); /* ML still shows its 40 aspect */
    h.type("A1.C06", "PN");
    h.type("A1.C06", "Stůj");
    h.advanceMs(10);
    EXPECT_FALSE(h.visible("A6.Kmitac"));
}
