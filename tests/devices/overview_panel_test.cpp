/** @file overview_panel_test.cpp The boxes' overview panels: building, tracks and road, laid out with the screen. */
#include "devices/form_a8.h"
#include "harness/harness.h"
#include "support/screen_sizes.h"
#include "support/stacking.h"

#include <algorithm>

#include <gtest/gtest.h>

namespace {

TEST(BoxOverview, EachPanelHoldsItsBuildingAndTracks)
{
    Harness h;
    const struct {
        const char *box;
        QStringList parts;
    } boxes[] = {{"A7", {"Stavedlo", "KolejniceM", "KolejM", "KolejniceB", "KolejB", "VlakAa", "VlakBj"}},
                 {"A8", {"Stavedlo", "Silnice", "KolejniceCH", "KolejCH", "VlakCa", "PZZ2", "PZZBila"}}};
    for (const auto &b : boxes) {
        const QString box(b.box);
        for (const QString &part : b.parts)
            EXPECT_EQ(h.control(box + "." + part).parent()->name(), "Nahled") << qPrintable(box + "." + part);
        const auto &building = h.as<ui::Image>(box + ".Stavedlo");
        EXPECT_EQ(building.picture().size(), QSize(150, 112)) << b.box;
        EXPECT_EQ(building.bounds().size(), QSize(150, 112)) << b.box;
        EXPECT_TRUE(building.transparent()) << b.box;
        /* The building stands behind the first track, whose trains pass in front of it. */
        const QString rail = box == "A7" ? "KolejniceM" : "KolejniceCH";
        EXPECT_LE(building.top() + building.height(), h.control(box + "." + rail).top()) << b.box;
        const ui::Form &form = dynamic_cast<const ui::Form &>(h.control(box));
        EXPECT_LT(stackIndex(form, "Stavedlo"), stackIndex(form, box == "A7" ? "VlakBa" : "VlakCa")) << b.box;
    }
    /* Line B's train runs on the upper track, line A's on the lower one, each on its bar. */
    EXPECT_EQ(h.control("A7.KolejM").top(), h.control("A7.VlakBa").top() + 65);
    EXPECT_EQ(h.control("A7.KolejB").top(), h.control("A7.VlakAa").top() + 65);
    EXPECT_EQ(h.control("A8.KolejCH").top(), h.control("A8.VlakCa").top() + 65);
    EXPECT_EQ(h.as<ui::Shape>("A8.KolejCH").brushColor(), QColor(128, 0, 0));
    EXPECT_EQ(h.as<ui::Shape>("A8.KolejniceCH").brushColor(), QColor(192, 192, 192));
}

/* The road lies under the track and the trains cross it; one control alone is the road. */
TEST(BoxOverview, Box2sTrainsCrossOverTheRoad)
{
    Harness h;
    const TA8 &a8 = h.app().A8();
    const auto &controls = a8.controls();
    EXPECT_EQ(std::count_if(controls.begin(), controls.end(), [](const auto &c) { return c->name() == "Silnice"; }),
              1);
    EXPECT_LT(stackIndex(a8, "Silnice"), stackIndex(a8, "KolejniceCH"));
    EXPECT_LT(stackIndex(a8, "KolejCH"), stackIndex(a8, "VlakCa"));
    EXPECT_LT(stackIndex(a8, "VlakCj"), stackIndex(a8, "PZZ1"));
}

class BoxOverviewLayout : public testing::TestWithParam<QSize> {};

TEST_P(BoxOverviewLayout, TheFrameSizesThePanelAndPlacesItsParts)
{
    const QSize S = GetParam();
    Harness h(QStringLiteral(KAMENNA_SOURCE_DATA_DIR), S);
    h.maximise("A7");
    h.maximise("A8");
    const int W = S.width() + 2;
    for (const char *box : {"A7", "A8"}) {
        const QString b(box);
        EXPECT_EQ(h.control(b + ".Nahled").bounds().size(), QSize(W, S.height() + 5)) << box;
        EXPECT_EQ(h.control(b + ".Stavedlo").left(), (W - 150) / 2) << box;
    }
    for (const char *track : {"A7.KolejB", "A7.KolejniceB", "A7.KolejM", "A7.KolejniceM", "A8.KolejCH",
                              "A8.KolejniceCH"})
        EXPECT_EQ(h.control(track).bounds().left() + h.control(track).width(), W) << track;
    EXPECT_EQ(h.control("A8.PZZ2").left(), W * 3 / 4);
    EXPECT_EQ(h.control("A8.Silnice").bounds(), QRect(W * 3 / 4 + 31, 0, 60, S.height() + 5));
}

INSTANTIATE_TEST_SUITE_P(Screens, BoxOverviewLayout, testing::Values(QSize(1024, 768), QSize(1920, 1080)),
                         screenSizeName);

} // namespace
