/** @file aspects_test.cpp The fourteen signals: lamps on every view, list rows and colours, and the display on A1. */
#include "harness/harness.h"

#include <gtest/gtest.h>

namespace {

const QColor Red(255, 0, 0);
const QColor Lime(0, 255, 0);
const QColor White(255, 255, 255);

/** One signal as the views show it: its aspect word and list, and its lamps by colour W, R, G, Y ("" none). */
struct Signal {
    const char *name;
    const char *edit;
    const char *list;
    const char *desk[4];
    const char *box[4];
    const char *trackView[4];
};

const Signal Signals[] = {
    {"L", "A1.C03", "A1.C04", {"A6.LBila", "A6.LCervena", "A6.LZelena", "A6.LZluta"},
     {"A7.LBila", "A7.LCervena", "A7.LZelena", "A7.LZluta"}, {"", "", "", ""}},
    {"ML", "A1.C06", "A1.C07", {"A6.MLBila", "A6.MLCervena", "A6.MLZelena", "A6.MLZluta"},
     {"A7.MLBila", "A7.MLCervena", "A7.MLZelena", "A7.MLZluta"}, {"", "", "", ""}},
    {"S", "A1.C09", "A1.C10", {"A6.SBila", "A6.SCervena", "A6.SZelena", "A6.SZluta"},
     {"A8.FB", "A8.FA", "A8.F9", "A8.F8"}, {"", "", "", ""}},
    {"L1a", "A1.C16", "A1.C17", {"A6.L1aBila", "", "A6.L1aZelena", ""}, {"A8.ET", "", "A8.EU", ""}, {"", "", "", ""}},
    {"Lc1", "A1.C19", "A1.C20", {"A6.Lc1Bila", "", "A6.Lc1Zelena", "A6.Lc1Zluta"}, {"A8.EM", "", "A8.EN", "A8.EO"},
     {"A5.ME", "A5.MD", "A5.MC", "A5.MB"}},
    {"Lc2", "A1.C22", "A1.C23", {"A6.Lc2Bila", "", "A6.Lc2Zelena", ""}, {"A8.EW", "", "A8.EX", ""},
     {"A5.OC", "A5.OD", "A5.OB", "A5.OE"}},
    {"L3", "A1.C25", "A1.C26", {"A6.L3Bila", "", "A6.L3Zelena", ""}, {"A8.EH", "", "A8.EI", ""},
     {"A5.KD", "A5.KC", "A5.KB", "A5.KE"}},
    {"L5", "A1.C28", "A1.C29", {"A6.L5Bila", "", "A6.L5Zelena", ""}, {"A8.EC", "", "A8.ED", ""},
     {"A5.ID", "A5.IC", "A5.IB", "A5.IE"}},
    {"L7", "A1.C31", "A1.C32", {"A6.L7Bila", "", "A6.L7Zelena", ""}, {"A8.E9", "", "A8.EA", ""},
     {"A5.GD", "A5.GC", "A5.GB", "A5.GE"}},
    {"S1", "A1.C34", "A1.C35", {"A6.S1Bila", "", "A6.S1Zelena", ""}, {"A7.S1Bila", "", "A7.S1Zelena", ""},
     {"A5.L3", "A5.L2", "A5.L1", "A5.L4"}},
    {"S2", "A1.C37", "A1.C38", {"A6.S2Bila", "", "A6.S2Zelena", ""}, {"A7.S2Bila", "", "A7.S2Zelena", ""},
     {"A5.N3", "A5.N2", "A5.N1", "A5.N4"}},
    {"S3", "A1.C40", "A1.C41", {"A6.S3Bila", "", "A6.S3Zelena", ""}, {"A7.S3Bila", "", "A7.S3Zelena", ""},
     {"A5.J3", "A5.J2", "A5.J1", "A5.J4"}},
    {"S5", "A1.C43", "A1.C44", {"A6.S5Bila", "", "A6.S5Zelena", ""}, {"A7.S5Bila", "", "A7.S5Zelena", ""},
     {"A5.H3", "A5.H2", "A5.H1", "A5.H4"}},
    {"S7", "A1.C46", "A1.C47", {"A6.S7Bila", "", "A6.S7Zelena", ""}, {"A7.S7Bila", "", "A7.S7Zelena", ""},
     {"A5.F3", "A5.F2", "A5.F1", "A5.F4"}},
};

/** What an aspect shows: lit colours on desk and box, on the track view, and the list's colour. */
struct Expected {
    const char *word;
    const char *lamps;
    const char *trackView;
    QColor list;
};

const Expected Entry[] = {
    {"Stůj", "R", "", Red},           {"Volno", "G", "", Lime},       {"Výstraha", "Y", "", Lime},
    {"40 a volno", "G", "", Lime},    {"40 a výstraha", "Y", "", Lime}, {"40 a 40", "Y", "", Lime},
    {"PN", "R", "", Lime},            {"Porucha", "", "", Red},
};
const Expected Exit[] = {
    {"Stůj", "", "R", Red},          {"Volno", "G", "G", Lime}, {"40 a volno", "G", "GY", Lime},
    {"Posun dovolen", "W", "W", White}, {"PN", "", "R", Lime},  {"Porucha", "", "", Red},
};
const Expected Lc1[] = {
    {"Stůj", "", "R", Red},            {"Volno", "G", "G", Lime}, {"Opak.výstrahy", "WY", "WY", Lime},
    {"Posun dovolen", "W", "W", White}, {"PN", "", "R", Lime},   {"Porucha", "", "", Red},
};

/** @return the colours lit of four lamps W, R, G, Y, as "GY"; a missing lamp counts as dark. */
QString lit(const Harness &h, const char *const (&lamps)[4])
{
    QString out;
    for (int k = 0; k < 4; ++k)
        if (*lamps[k] && h.visible(QLatin1String(lamps[k])))
            out += QChar("WRGY"[k]);
    return out;
}

/** @return the expected rows of a signal, by its kind. */
std::vector<Expected> rowsOf(const Signal &s)
{
    const QString n = QLatin1String(s.name);
    if (n == "L" || n == "ML" || n == "S")
        return {std::begin(Entry), std::end(Entry)};
    if (n == "Lc1")
        return {std::begin(Lc1), std::end(Lc1)};
    std::vector<Expected> rows(std::begin(Exit), std::end(Exit));
    if (n == "Lc2")
        rows[4].trackView = ""; /* Lc2's red is lit only by "Stůj". */
    return rows;
}

} // namespace

TEST(SignalAspects, EveryWordOfEverySignalLightsItsLampsOnEveryViewAndColoursItsList)
{
    Harness h;
    h.click("A0.H9");
    for (const Signal &s : Signals) {
        const std::vector<Expected> rows = rowsOf(s);
        for (size_t r = 0; r < rows.size(); ++r) {
            const Expected &e = rows[r];
            h.type(s.edit, QString());
            h.type(s.edit, QString::fromUtf8(e.word));
            const std::string where = std::string(s.name) + " " + e.word;
            EXPECT_EQ(lit(h, s.desk), QLatin1String(e.lamps)) << where << " desk";
            EXPECT_EQ(lit(h, s.box), QLatin1String(e.lamps)) << where << " box";
            /* L, ML, S and L1a have no track-view lamps. */
            EXPECT_EQ(lit(h, s.trackView), *s.trackView[0] ? QLatin1String(e.trackView) : QLatin1String(""))
                << where << " track view";
            EXPECT_EQ(h.color(s.list), e.list) << where;
            EXPECT_EQ(h.selectedRow(s.list), static_cast<int>(r)) << where;
            EXPECT_EQ(h.text("A1.C49"), QLatin1String(s.name)) << where;
        }
    }
    EXPECT_TRUE(h.messages().isEmpty()) << h.messages().join(" | ").toStdString();
}

TEST(SignalAspects, BeforeTheFirstGameOnlyTheTrackViewsRedLampsAreLit)
{
    Harness h;
    for (const Signal &s : Signals) {
        EXPECT_EQ(lit(h, s.desk), "") << s.name;
        EXPECT_EQ(lit(h, s.box), "") << s.name;
        EXPECT_EQ(lit(h, s.trackView), *s.trackView[1] ? "R" : "") << s.name;
        EXPECT_EQ(h.color(s.list), Red) << s.name;
        EXPECT_EQ(h.selectedRow(s.list), -1) << s.name;
    }
    h.click("A0.H9");
    for (const Signal &s : Signals)
        EXPECT_EQ(h.selectedRow(s.list), 0) << s.name;
}

TEST(SignalAspects, AWordTheSignalDoesNotHaveLightsNothingAndNeverReadsAsProceed)
{
    Harness h;
    h.click("A0.H9");
    h.type("A1.C34", "Volno");
    h.type("A1.C34", "Výstraha");
    EXPECT_EQ(h.color("A1.C35"), Red);
    EXPECT_EQ(h.selectedRow("A1.C35"), 1); /* the row stays */
    EXPECT_FALSE(h.visible("A6.S1Zelena"));
    EXPECT_FALSE(h.visible("A7.S1Zelena"));
    EXPECT_FALSE(h.visible("A5.L1"));
    EXPECT_FALSE(h.visible("A5.L2"));
    h.type("A1.C03", "volno");
    EXPECT_EQ(h.color("A1.C04"), Red);
    EXPECT_EQ(h.selectedRow("A1.C04"), 0);
}

TEST(SignalAspects, TheEntryRepeaterFollowsItsFaultBoxAndGoesDarkAtStopCallOnAndFault)
{
    Harness h;
    h.click("A0.H9");
    h.type("A1.C03", "Volno");
    EXPECT_TRUE(h.visible("A7.PrL"));
    h.type("A1.C03", "Stůj");
    EXPECT_FALSE(h.visible("A7.PrL"));
    h.type("A1.C09", "Výstraha");
    EXPECT_TRUE(h.visible("A8.FC"));
    h.type("A1.C09", "PN");
    EXPECT_FALSE(h.visible("A8.FC"));
    h.type("A1.C06", "40 a 40");
    EXPECT_TRUE(h.visible("A7.PrML"));
    h.type("A1.C06", "Porucha");
    EXPECT_FALSE(h.visible("A7.PrML"));

    /* A faulty repeater stays dark at an aspect change; the flasher alone shows it. */
    h.check("A1.C12", true);
    h.type("A1.C03", "Volno");
    EXPECT_FALSE(h.visible("A7.PrL"));
}

TEST(SignalAspects, AnEntrySignalStartsTheDeskLampRefreshAndAnExitSignalDoesNot)
{
    Harness h;
    h.click("A0.H9");
    h.advanceMs(10); /* the refresh set off by the game start's "Stůj" */
    EXPECT_FALSE(h.timerEnabled("A1.Kmitac"));
    h.type("A1.C34", "Volno");
    EXPECT_FALSE(h.timerEnabled("A1.Kmitac"));
    h.type("A1.C06", "40 a volno");
    EXPECT_TRUE(h.timerEnabled("A1.Kmitac"));
}

TEST(SignalAspects, AListClickSetsTheSignalAsABoxWouldAndTheSameRowChangesNothing)
{
    Harness h;
    h.click("A0.H9");
    h.clickRow("A1.C20", 2);
    EXPECT_EQ(h.text("A1.C19"), "Opak.výstrahy");
    EXPECT_TRUE(h.visible("A8.EO"));
    EXPECT_TRUE(h.visible("A5.ME"));

    /* Stůj over Stůj runs nothing: the display keeps the signal it showed. */
    h.type("A1.C49", "S1");
    h.clickRow("A1.C35", 0);
    EXPECT_EQ(h.text("A1.C49"), "S1");
    h.type("A1.C03", "Stůj");
    EXPECT_EQ(h.text("A1.C49"), "S1");
}

TEST(SignalDisplay, FollowsTheSignalThatChangedLast)
{
    Harness h;
    h.click("A0.H9");
    const auto lamps = [&h] {
        QString out;
        for (const char *lamp : {"A1.C51", "A1.C52", "A1.C53", "A1.C54", "A1.C55"})
            out += h.visible(lamp) ? '1' : '0';
        return out;
    };
    h.type("A1.C03", "40 a výstraha");
    EXPECT_EQ(h.text("A1.C49"), "L");
    EXPECT_EQ(lamps(), "10001");
    h.type("A1.C28", "40 a volno");
    EXPECT_EQ(h.text("A1.C49"), "L5");
    EXPECT_EQ(lamps(), "01001");

    h.type("A1.C22", "PN");
    EXPECT_EQ(lamps(), "00000"); /* Lc2's call-on: only the flashing white */
    h.type("A1.C16", "PN");
    EXPECT_EQ(lamps(), "00100");
    h.type("A1.C16", "Porucha");
    EXPECT_EQ(lamps(), "00000");
    h.type("A1.C49", "l5");
    EXPECT_EQ(lamps(), "00000"); /* names compare exactly */
    h.type("A1.C49", "L5");
    EXPECT_EQ(lamps(), "01001");
}
