/** @file desk_view_test.cpp The whole dispatcher's desk on screen, with its devices worked. */
#include "harness/harness.h"
#include "view/qt_app.h"

#include "devices/form_a6.h"
#include "view/form_window.h"
#include "view/front.h"

#include <QCoreApplication>
#include <QSet>
#include <QTest>

#include <gtest/gtest.h>

TEST(DeskView, TheWholeDeskIsDrawnWithItsDevicesInPlace)
{
    ASSERT_NE(qtApp(), nullptr);
    Harness h;
    view::Front front(h.app());
    h.click("A0.H9");
    /* A desk in use: a route chosen and locked, a tag hung, a tablet dropped, call-on permission lit. */
    h.drag("A6.KnoflikA", {5, 20}, {5, 12});
    h.drag("A6.ZavernikA", {10, 20}, {-20, 20});
    h.doubleClick("A6.CedBOd");
    h.press("A6.DestickaD", 5, 0);
    h.release(5, 1);
    h.doubleClick("A6.PNS");
    h.app().A6().devices.EVM->show();

    TA6 &a6 = h.app().A6();
    view::FormWindow *w = front.window(a6);
    ASSERT_NE(w, nullptr);
    QWidget *content = w->widgetOf(*a6.frame.D5);
    ASSERT_NE(content, nullptr);
    const QImage shot = content->grab().toImage().convertToFormat(QImage::Format_RGB32);
    shot.save(QCoreApplication::applicationDirPath() + "/view_a6_whole_desk.png");
    EXPECT_EQ(shot.size(), a6.frame.D5->bounds().size());

    QSet<QRgb> colours;
    for (int y = 0; y < shot.height(); y += 5)
        for (int x = 0; x < shot.width(); x += 5)
            colours.insert(shot.pixel(x, y));
    EXPECT_GT(colours.size(), 200);
    /* The dropped tablet shows white over the block instrument's face. */
    const QPoint tablet = a6.devices.Desticka[3]->formPos() - a6.frame.D5->formPos() + QPoint(15, 60);
    EXPECT_EQ(shot.pixelColor(tablet), QColor(255, 255, 255));
}

/*
 * A knob moves under the pointer while it is dragged, so it travels less
 * than the hand: the same drag in the window and in the harness leaves it
 * at the same place.
 */
TEST(DeskView, AKnobDraggedInTheWindowTravelsAsInTheHarness)
{
    ASSERT_NE(qtApp(), nullptr);
    Harness h;
    view::Front front(h.app());
    h.click("A0.H9");
    TA6 &a6 = h.app().A6();
    view::FormWindow *w = front.window(a6);
    ASSERT_NE(w, nullptr);
    const ui::Control &knob = *a6.KnoflikA;
    QWidget *board = w->widgetOf(*knob.parent());
    ASSERT_NE(board, nullptr);
    const QPoint from = knob.bounds().topLeft() + QPoint(11, 6);
    QTest::mousePress(board, Qt::LeftButton, {}, from);
    for (int dy = 1; dy <= 20; ++dy)
        QTest::mouseMove(board, from - QPoint(0, dy));
    QTest::mouseRelease(board, Qt::LeftButton, {}, from - QPoint(0, 20));
    const int inWindow = knob.top() - a6.Blok->top();

    Harness headless;
    headless.click("A0.H9");
    headless.drag("A6.KnoflikA", {11, 6}, {11, -14});
    const int inHarness = headless.control("A6.KnoflikA").top() - headless.control("A6.Blok").top();
    /* 4 px for the first step, 8 px of the hand for each further one. */
    EXPECT_EQ(inWindow, 824);
    EXPECT_EQ(inHarness, inWindow);
}
