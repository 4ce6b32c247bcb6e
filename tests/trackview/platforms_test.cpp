/** @file platforms_test.cpp The track view's platforms and throats: between the rows, laid out with the screen. */
#include "harness/harness.h"
#include "support/screen_sizes.h"
#include "trackview/form_a5.h"
#include "support/stacking.h"

#include <gtest/gtest.h>

namespace {

const QStringList Platforms = {"Peron1a", "Peron1b", "Peron1c", "Peron1d", "Peron2a", "Peron2b", "Peron3a", "Peron3b",
                               "Peron3c", "Peron3d", "Peron5a", "Peron5b", "Peron5c", "Peron5d", "Peron7a"};

/*
 * The fifteen platforms are shapes of the content group, at their design
 * width, each between two tracks: none covers a track's rail or bar, and
 * all lie behind every vehicle slot, so trains stand in front of them.
 */
TEST(TrackViewPlatforms, FifteenShapesLieBetweenTheRowsBehindTheTrains)
{
    Harness h;
    const int firstSlot = stackIndex(h.app().A5(), "F5");
    ASSERT_GE(firstSlot, 0);
    for (const QString &name : Platforms) {
        const auto &p = h.as<ui::Shape>("A5." + name);
        EXPECT_EQ(p.parent()->name(), "D5") << qPrintable(name);
        EXPECT_TRUE(p.visible()) << qPrintable(name);
        EXPECT_EQ(p.left(), 50) << qPrintable(name);
        EXPECT_EQ(p.width(), 746 - 100) << qPrintable(name);
        EXPECT_LT(stackIndex(h.app().A5(), name), firstSlot) << qPrintable(name);
        EXPECT_LT(stackIndex(h.app().A5(), name), stackIndex(h.app().A5(), "ZhlaviL")) << qPrintable(name);
        for (const char *n : {"1", "2", "3", "5", "7"})
            for (const QString &track : {QStringLiteral("Kolej%1").arg(n), QStringLiteral("Kolejnice%1").arg(n)}) {
                const QRect bar = h.control("A5." + track).bounds();
                EXPECT_FALSE(p.bounds().intersects(bar)) << qPrintable(name + " over " + track);
            }
    }
    /* The islands between tracks 5 and 3 and between 1 and 2 fill the space from one track to the next. */
    EXPECT_EQ(h.control("A5.Peron5b").top(), h.control("A5.Kolej5").top() + 5);
    EXPECT_EQ(h.control("A5.Peron3d").bounds().bottom() + 1, h.control("A5.Kolejnice3").top());
    EXPECT_EQ(h.control("A5.Peron1b").top(), h.control("A5.Kolej1").top() + 5);
    EXPECT_EQ(h.control("A5.Peron2b").bounds().bottom() + 1, h.control("A5.Kolejnice2").top());
}

class TrackViewStretch : public testing::TestWithParam<QSize> {};

/*
 * The layout widens the platforms with D5 and keeps the side-C throat at
 * the right edge with the right-hand signals; the side-A/B throat stays
 * at the left edge. The signal switch moves signals and platforms only.
 */
TEST_P(TrackViewStretch, PlatformsAndTheSideCThroatFollowTheWidth)
{
    const QSize S = GetParam();
    Harness h(QStringLiteral(KAMENNA_SOURCE_DATA_DIR), S);
    h.maximise("A5");
    const int span = S.width() + 2;
    ASSERT_EQ(h.control("A5.D5").width(), span);
    for (const QString &name : Platforms)
        EXPECT_EQ(h.control("A5." + name).bounds(), QRect(50, h.control("A5." + name).top(), span - 100,
                                                           h.control("A5." + name).height()))
            << qPrintable(name);
    const QRect right = h.control("A5.ZhlaviP").bounds();
    EXPECT_EQ(right, QRect(span - 50, 0, 50, 559));
    EXPECT_EQ(h.control("A5.ZhlaviL").bounds(), QRect(0, 0, 50, 559));
    /* The right-hand signals stand on the throat's strip, as the left-hand ones on theirs. */
    EXPECT_GE(h.control("A5.MA").left(), right.left());
    EXPECT_LE(h.control("A5.L0").left() + h.control("A5.L0").width(), 50);
    h.click("A5.PC05");
    EXPECT_EQ(h.control("A5.ZhlaviP").bounds(), right);
    EXPECT_EQ(h.control("A5.Peron7a").width(), span + 100);
    h.click("A5.PC05");
    EXPECT_EQ(h.control("A5.Peron7a").bounds().left(), 50);
}

INSTANTIATE_TEST_SUITE_P(Screens, TrackViewStretch, testing::Values(QSize(1024, 768), QSize(1920, 1080)),
                         screenSizeName);

} // namespace
