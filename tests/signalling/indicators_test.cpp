/** @file indicators_test.cpp Warnings, sections, track circuits, the approach device, the speed label and the crossing. */
#include "harness/harness.h"

#include <gtest/gtest.h>

namespace {

const char *const Views[] = {"A5", "A6", "A7", "A8"};

/** @return which of box 2's crossing lamps F2, F3, F4 are lit, as "100". */
QString crossingLamps(const Harness &h)
{
    QString out;
    for (const char *lamp : {"A8.F2", "A8.F3", "A8.F4"})
        out += h.visible(lamp) ? '1' : '0';
    return out;
}

} // namespace

TEST(Indicators, AWarningIsCentredOnEveryViewAndClearingItHidesIt)
{
    Harness h;
    h.type("A1.Varovani", "Vlak 1234 u vjezdového návěstidla L");
    EXPECT_EQ(h.value("A1.VarovaniT"), 6);
    for (const char *v : Views) {
        const QString view = QLatin1String(v);
        EXPECT_TRUE(h.visible(view + ".D8")) << v;
        EXPECT_EQ(h.text(view + ".D9"), "Vlak 1234 u vjezdového návěstidla L") << v;
        const ui::Control &bar = h.control(view + ".D8");
        EXPECT_EQ(bar.width(), h.control(view + ".D9").width()) << v;
        EXPECT_EQ(bar.left(), (h.control(view).width() - bar.width()) / 2) << v;
    }
    h.as<ui::SpinEdit>("A1.VarovaniT").setValue(3);
    h.type("A1.Varovani", "");
    for (const char *v : Views)
        EXPECT_FALSE(h.visible(QLatin1String(v) + ".D8")) << v;
    EXPECT_EQ(h.value("A1.VarovaniT"), 3);

    /* Wider than the view: a negative Left, still centred. */
    h.type("A1.Varovani", QString(200, 'x'));
    EXPECT_LT(h.control("A6.D8").left(), 0);
}

TEST(Indicators, TheWarningLabelIsAsWideAsItsTextMeasuresInItsFont)
{
    Harness h;
    /* The test platform's rule: bold 13 px Verdana is 9 px a character. */
    const std::pair<QString, int> warnings[] = {{"Vlak 1911 se blíží k vjezdovému návěstidlu L", 44 * 9},
                                                {"Pozor!", 6 * 9}};
    for (const auto &[text, width] : warnings) {
        h.type("A1.Varovani", text);
        for (const char *v : Views) {
            const QString view = QLatin1String(v);
            const auto &label = h.as<ui::Label>(view + ".D9");
            EXPECT_EQ(label.width(), width) << v;
            EXPECT_EQ(label.width(), h.app().platform().metrics.textWidth(text, label.font())) << v;
            EXPECT_EQ(h.control(view + ".D8").width(), width) << v;
        }
    }
}

TEST(Indicators, SectionsAndTheCrossingPostShowTheirLampWhileOccupied)
{
    Harness h;
    for (auto [word, lamp] : {std::pair{"A1.IKA", "A7.IKA"}, {"A1.IKB", "A7.IKB"}, {"A1.IKLada", "A6.IKLada"}}) {
        EXPECT_FALSE(h.visible(lamp)) << lamp;
        h.type(word, "1234");
        EXPECT_TRUE(h.visible(lamp)) << lamp;
        h.type(word, "Volná");
        EXPECT_FALSE(h.visible(lamp)) << lamp;
    }
}

TEST(Indicators, TrackCircuitsSwitchTheirFreeAndOccupiedLamps)
{
    Harness h;
    const std::tuple<const char *, const char *, const char *> circuits[] = {
        {"A1.KO11", "A8.EE", "A8.EF"}, {"A1.KO12", "A8.EJ", "A8.EK"}, {"A1.KO13", "A8.F0", "A8.F1"},
        {"A1.KOS", "A8.F6", "A8.F7"},  {"A1.KO1a", "A8.ER", "A8.ES"}};
    for (auto [word, free, occupied] : circuits) {
        h.type(word, "Obsazená");
        EXPECT_FALSE(h.visible(free)) << word;
        EXPECT_TRUE(h.visible(occupied)) << word;
        h.type(word, "Volná");
        EXPECT_TRUE(h.visible(free)) << word;
        EXPECT_FALSE(h.visible(occupied)) << word;
    }
}

TEST(Indicators, TheApproachDevicesCommandsPickALampAndTurnIntoOpen)
{
    Harness h;
    h.type("A1.VUD", "Vzdalovací");
    EXPECT_FALSE(h.visible("A6.VUDZluta"));
    h.type("A1.VUD", "L2");
    EXPECT_EQ(h.text("A1.VUD"), "Otevřený");
    EXPECT_TRUE(h.visible("A6.VUDL2"));
    EXPECT_FALSE(h.visible("A6.VUDL1"));
    EXPECT_TRUE(h.visible("A6.VUDZluta"));
    h.type("A1.VUD", "Přibližovací");
    EXPECT_TRUE(h.visible("A6.VUDZluta"));
    h.type("A1.VUD", "L1");
    EXPECT_TRUE(h.visible("A6.VUDL1"));
    EXPECT_FALSE(h.visible("A6.VUDL2"));
}

TEST(Indicators, TheCrossingClosesAndOpensWithItsLamps)
{
    Harness h;
    h.click("A0.H9");
    EXPECT_EQ(h.text("A1.PZZ"), "Otevřený");
    EXPECT_EQ(crossingLamps(h), "100");
    h.control("A8.PZZCervenaL").show();
    h.type("A1.PZZ", "Uzavíraný");
    EXPECT_EQ(crossingLamps(h), "000");
    EXPECT_FALSE(h.visible("A8.PZZBila"));
    EXPECT_TRUE(h.visible("A8.PZZCervenaL")); /* the flasher alternates the red lights */
    h.type("A1.PZZ", "Uzavíraný2");
    EXPECT_EQ(crossingLamps(h), "000");
    h.type("A1.PZZ", "Uzavřený");
    EXPECT_EQ(crossingLamps(h), "010");
    h.type("A1.PZZ", "Otevíraný");
    EXPECT_EQ(crossingLamps(h), "010");
    h.type("A1.PZZ", "Otevřený");
    EXPECT_EQ(crossingLamps(h), "100");
    EXPECT_FALSE(h.visible("A8.PZZCervenaL"));
    EXPECT_FALSE(h.visible("A8.PZZCervenaP"));
}

TEST(Indicators, PauseWritesTheSpeedLabelsAndCentresThePauseSignsWithoutShowingThem)
{
    Harness h;
    h.type("A1.Rychlost", "P");
    for (const char *v : Views) {
        const QString view = QLatin1String(v);
        EXPECT_EQ(h.text(view + ".H03"), "Pauza") << v;
        EXPECT_FALSE(h.visible(view + ".Pauza")) << v;
        const ui::Control &sign = h.control(view + ".Pauza");
        const ui::Control &content = h.control(view + ".D5");
        EXPECT_EQ(sign.left(), (h.control(view).width() - sign.width()) / 2 - content.left()) << v;
        EXPECT_EQ(sign.top(), (h.control(view).height() - sign.height()) / 2 - content.top()) << v;
    }
    h.control("A7.Pauza").show();
    h.type("A1.Rychlost", "16");
    for (const char *v : Views) {
        EXPECT_EQ(h.text(QLatin1String(v) + ".H03"), "16 x") << v;
        EXPECT_FALSE(h.visible(QLatin1String(v) + ".Pauza")) << v;
    }
}
