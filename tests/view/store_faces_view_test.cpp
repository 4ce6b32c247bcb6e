/** @file store_faces_view_test.cpp A1's two faces by their controls' places and on screen: the neighbour panel and the signal display. */
#include "harness/harness.h"
#include "view/qt_app.h"

#include "view/form_window.h"
#include "view/front.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

namespace {

/** Renders A1's window and keeps the picture beside the test program. */
QImage shootStore(view::Front &front, Harness &h, const QString &file)
{
    view::FormWindow *w = front.window(h.as<ui::Form>("A1"));
    if (!w)
        return {};
    const QImage shot = w->grab().toImage().convertToFormat(QImage::Format_RGB32);
    shot.save(QCoreApplication::applicationDirPath() + "/" + file);
    return shot;
}

/** @return where a control lies in A1's window. */
QPoint inStore(const Harness &h, const QString &name)
{
    return h.control(name).formPos();
}

/** @return the colour at the centre of a control in the picture. */
QColor centreOf(const QImage &shot, const Harness &h, const QString &name)
{
    const ui::Control &c = h.control(name);
    return shot.pixelColor(inStore(h, name) + QPoint(c.width() / 2, c.height() / 2));
}

} // namespace

TEST(NeighbourPanel, ItsControlsStandWhereTheLayoutPutsThem)
{
    Harness h;
    EXPECT_EQ(h.control("A1.SouZST").bounds(), QRect(0, -5, 640, 484));
    EXPECT_EQ(h.color("A1.SouZST"), QColor(0, 0, 0x6A));
    EXPECT_EQ(h.control("A1.GroupBox6").bounds(), QRect(64, 168, 169, 105));
    EXPECT_EQ(h.text("A1.GroupBox6"), "Struhy");
    EXPECT_EQ(h.control("A1.GroupBox16").bounds(), QRect(292, 16, 329, 449));
    EXPECT_EQ(h.text("A1.GroupBox16"), "Vrbská");
    EXPECT_EQ(h.control("A1.Panel1").bounds().size(), QSize(279, 409));
    EXPECT_EQ(h.control("A1.CHBlok").bounds(), QRect(0, -262, 281, 764));
    EXPECT_EQ(h.control("A1.Image2").bounds().size(), QSize(281, 764));

    /* Lamps left to right EVM, PSM, VTM, USM; buttons ODHLM, ZSM, VZM, TSM. */
    const char *const lamps[4] = {"A1.EVM", "A1.PSM", "A1.VTM", "A1.USM"};
    const int lampLefts[4] = {28, 63, 97, 131};
    const char *const buttons[4] = {"A1.ODHLM", "A1.ZSM", "A1.VZM", "A1.TSM"};
    const int buttonLefts[4] = {26, 61, 95, 129};
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(h.control(lamps[k]).bounds(), QRect(lampLefts[k], 41, 8, 8)) << lamps[k];
        EXPECT_EQ(h.control(lamps[k]).parent(), &h.control("A1.GroupBox6")) << lamps[k];
        EXPECT_EQ(h.control(buttons[k]).bounds(), QRect(buttonLefts[k], 68, 12, 14)) << buttons[k];
    }
    EXPECT_FALSE(h.visible("A1.EVM"));
    EXPECT_TRUE(h.visible("A1.PSM"));
    EXPECT_TRUE(h.visible("A1.VTM"));
    EXPECT_FALSE(h.visible("A1.USM"));
    /* Vrbská's windows and latches take the picture store's sizes. */
    for (const char *window : {"A1.TSJ2", "A1.NavJOd2", "A1.PHJDo2"})
        EXPECT_EQ(h.control(window).bounds().size(), QSize(23, 23)) << window;
    for (const char *latch : {"A1.ZapJ", "A1.ZapJOd"})
        EXPECT_EQ(h.control(latch).bounds().size(), QSize(14, 14)) << latch;
}

TEST(NeighbourPanel, TheScrollBarPutsVrbskasBlockWhereItsPositionSays)
{
    Harness h;
    auto &bar = h.as<ui::ScrollBar>("A1.ScrollBar1");
    /* -((764 - 409) x position) div 100. */
    const std::pair<int, int> stops[] = {{0, 0}, {50, -177}, {74, -262}, {100, -355}};
    for (auto [position, top] : stops) {
        bar.setPosition(position);
        EXPECT_EQ(h.control("A1.CHBlok").top(), top) << position;
    }
    /* Every lever and window is within the block's reach of the viewport. */
    for (const char *part : {"A1.PakaTSJ", "A1.PakaNavJOd", "A1.PakaPHJDo", "A1.TSJ2", "A1.InduktorA"}) {
        const QRect r = h.control(part).bounds();
        EXPECT_TRUE(QRect(0, 0, 281, 764).contains(r)) << part;
        EXPECT_TRUE(QRect(0, 262, 279, 409).contains(r)) << part << " is out of sight at the start";
    }
}

TEST(NeighbourPanel, OnScreenItShowsItsBlueFaceAndTheLitLampsOfStruhy)
{
    ASSERT_NE(qtApp(), nullptr);
    Harness h;
    view::Front front(h.app());
    h.click("A0.J3");
    ASSERT_TRUE(h.visible("A1.SouZST"));
    const QImage shot = shootStore(front, h, "view_a1_neighbours.png");
    ASSERT_FALSE(shot.isNull());
    EXPECT_EQ(shot.size(), QSize(638, 477)) << "no frame: the face covers the whole form";
    EXPECT_EQ(shot.pixelColor(20, 100), QColor(0, 0, 0x6A));
    EXPECT_EQ(centreOf(shot, h, "A1.PSM").red(), 255);
    EXPECT_EQ(centreOf(shot, h, "A1.VTM").green(), 255);
    /* A hidden lamp leaves its socket dark. */
    const QColor evm = centreOf(shot, h, "A1.EVM");
    EXPECT_LT(evm.red() + evm.green(), 200);
}

TEST(SignalDisplay, TheMastAndItsFiveLampsHaveTheirSizesInTheirGroup)
{
    Harness h;
    const ui::Control &group = h.control("A1.C48");
    EXPECT_EQ(group.caption(), "Zobrazení návěstidla");
    const QRect mast = h.control("A1.C50").bounds();
    EXPECT_EQ(mast.size(), QSize(89, 313));
    EXPECT_EQ(h.control("A1.C50").parent(), &group);
    const char *const lamps[5] = {"A1.C51", "A1.C52", "A1.C53", "A1.C54", "A1.C55"};
    for (int k = 0; k < 5; ++k) {
        const QRect lamp = h.control(lamps[k]).bounds();
        EXPECT_EQ(h.control(lamps[k]).parent(), &group) << lamps[k];
        EXPECT_EQ(lamp.size(), QSize(41, 41)) << lamps[k];
        EXPECT_EQ(lamp.top(), h.control(lamps[0]).top() + 56 * k) << lamps[k];
        EXPECT_TRUE(mast.contains(lamp)) << lamps[k];
    }
    /* The combo above the mast, the button under it, all within the page. */
    EXPECT_LT(h.control("A1.C49").bounds().bottom(), mast.top());
    EXPECT_GT(h.control("A1.C60").top(), mast.bottom());
    const QRect page(0, 0, h.control("A1.C00").width(), h.control("A1.C00").height());
    EXPECT_TRUE(page.contains(group.bounds()));
}

TEST(SignalDisplay, OnScreenTheDiagnosticsPageShowsTheChosenSignalsLamps)
{
    ASSERT_NE(qtApp(), nullptr);
    Harness h;
    view::Front front(h.app());
    h.click("A0.H9");
    ASSERT_TRUE(h.messages().isEmpty()) << h.messages().join(" | ").toStdString();
    h.type("A1.C03", "40 a volno");
    ASSERT_EQ(h.text("A1.C49"), "L");
    h.control("A1").show();
    const QImage shot = shootStore(front, h, "view_a1_signals.png");
    ASSERT_FALSE(shot.isNull());
    /* Green and lower yellow lit, the other three dark on the black mast. */
    EXPECT_EQ(centreOf(shot, h, "A1.C52"), QColor(0, 255, 0));
    EXPECT_EQ(centreOf(shot, h, "A1.C55"), QColor(255, 255, 0));
    for (const char *dark : {"A1.C51", "A1.C53", "A1.C54"})
        EXPECT_EQ(centreOf(shot, h, dark), QColor(0, 0, 0)) << dark;
}
