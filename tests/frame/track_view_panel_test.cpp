/** @file track_view_panel_test.cpp The track view's bottom tabs, its two switches, and the small windows A9 and A4. */
#include "harness/harness.h"

#include <gtest/gtest.h>

namespace {

const QColor Navy(0, 0, 128);
const QColor Blue(0, 0, 255);

/** @return a signal part or platform of the track view. */
ui::Control &part(Harness &h, const QString &name)
{
    return h.control("A5." + name);
}

/** The places of one right-hand and one left-hand signal group and two platforms. */
struct Places {
    QRect MA, ME, L0, L4, Peron1a, Peron7a;
    bool operator==(const Places &) const = default;
};

Places places(Harness &h)
{
    return {part(h, "MA").bounds(), part(h, "ME").bounds(), part(h, "L0").bounds(),
            part(h, "L4").bounds(), part(h, "Peron1a").bounds(), part(h, "Peron7a").bounds()};
}

} // namespace

TEST(TrackViewTabs, ATabOpensItsPanelAndClosesItAgain)
{
    Harness h;
    for (const char *p : {"A5.PanelA", "A5.PanelB", "A5.PanelC"})
        EXPECT_FALSE(h.visible(p)) << p;
    h.click("A5.TlL1");
    EXPECT_TRUE(h.visible("A5.PanelA"));
    EXPECT_EQ(h.color("A5.TlL1"), Blue);
    h.click("A5.TlL3");
    EXPECT_FALSE(h.visible("A5.PanelA"));
    EXPECT_TRUE(h.visible("A5.PanelC"));
    EXPECT_EQ(h.color("A5.TlL1"), Navy);
    EXPECT_EQ(h.color("A5.TlL3"), Blue);
    h.click("A5.TlL3");
    for (const char *p : {"A5.PanelA", "A5.PanelB", "A5.PanelC"})
        EXPECT_FALSE(h.visible(p)) << p;
    EXPECT_EQ(h.color("A5.TlL3"), Navy);
}

TEST(TrackViewSwitches, SignalsMoveOutAndBackAndPlatformsReachIntoTheirPlace)
{
    Harness h;
    const Places start = places(h);
    h.click("A5.PC05");
    EXPECT_EQ(h.text("A5.PC05"), "zobrazit návěstidla");
    const Places out = places(h);
    EXPECT_EQ(out.MA.left(), start.MA.left() + 100);
    EXPECT_EQ(out.ME.left(), start.ME.left() + 100);
    EXPECT_EQ(out.L0.left(), start.L0.left() - 100);
    EXPECT_EQ(out.Peron1a, start.Peron1a.adjusted(-100, 0, 100, 0));
    h.click("A5.PC06"); // independent: hidden platforms still follow the signal switch
    EXPECT_EQ(h.text("A5.PC06"), "zobrazit nástupiště");
    for (const char *p : {"Peron1a", "Peron1b", "Peron1c", "Peron1d", "Peron2a", "Peron2b", "Peron3a", "Peron3b",
                          "Peron3c", "Peron3d", "Peron5a", "Peron5b", "Peron5c", "Peron5d", "Peron7a"})
        EXPECT_FALSE(h.visible(QStringLiteral("A5.") + p)) << p;
    h.click("A5.PC05");
    EXPECT_EQ(h.text("A5.PC05"), "skrýt návěstidla");
    EXPECT_EQ(places(h), start);
    h.click("A5.PC06");
    EXPECT_TRUE(h.visible("A5.Peron7a"));
    EXPECT_EQ(h.text("A5.PC06"), "skrýt nástupiště");
}

TEST(TrackViewSwitches, ALayoutWhileTheSignalsAreOutKeepsThemOut)
{
    Harness h;
    h.maximise("A5");
    const Places laidOut = places(h);
    EXPECT_EQ(laidOut.MA.left(), 1026 - 33);
    EXPECT_EQ(laidOut.ME.left(), 1026 - 28);
    EXPECT_EQ(laidOut.Peron1a.width(), 1026 - 100);
    h.click("A5.PC05");
    h.resize("A5", 1280, 1024);
    EXPECT_EQ(part(h, "MA").left(), 1282 - 33 + 100);
    EXPECT_EQ(part(h, "Peron1a").width(), 1282 - 100 + 200);
    h.click("A5.PC05");
    EXPECT_EQ(part(h, "MA").left(), 1282 - 33);
    EXPECT_EQ(part(h, "Peron1a").bounds(), QRect(laidOut.Peron1a.left(), laidOut.Peron1a.top(), 1282 - 100,
                                                     laidOut.Peron1a.height()));
    EXPECT_EQ(part(h, "L0").left(), laidOut.L0.left());
}

TEST(ViewSwitcher, ItsButtonsOpenAViewAndClosingReturnsToTheMenu)
{
    Harness h;
    h.click("A0.H9");
    EXPECT_EQ(h.text("A9"), "A9");
    EXPECT_FALSE(h.visible("A6.C7")); // hidden in every view: reachable only by hand
    h.control("A6.C7").show();
    h.click("A6.C7");
    EXPECT_TRUE(h.visible("A9"));
    EXPECT_FALSE(h.visible("A6"));
    h.click("A9.Button3");
    EXPECT_TRUE(h.visible("A7"));
    EXPECT_FALSE(h.visible("A9"));
    h.control("A9").show();
    h.closeForm("A9");
    EXPECT_FALSE(h.visible("A9"));
    EXPECT_TRUE(h.visible("A0"));
    EXPECT_TRUE(h.visible("A7")); // closing the switcher only shows the menu
}

TEST(TrafficLog, ClosingItEnablesTheDesk)
{
    Harness h;
    EXPECT_EQ(h.text("A4"), "Dopravní deník");
    EXPECT_EQ(h.control("A4").bounds().size(), QSize(715, 480));
    h.control("A4").show();
    h.closeForm("A4");
    EXPECT_TRUE(h.enabled("A6"));
    h.control("A6").setEnabled(false);
    h.closeForm("A4");
    EXPECT_TRUE(h.enabled("A6"));
}
