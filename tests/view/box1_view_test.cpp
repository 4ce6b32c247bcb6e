/** @file box1_view_test.cpp Signal box 1 on screen with its devices worked. */
#include "devices/box1_fixture.h"
#include "view/qt_app.h"

#include "view/form_window.h"
#include "view/front.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

TEST(Box1View, TheBoxIsDrawnWithItsDevicesWhereTheyStand)
{
    ASSERT_NE(qtApp(), nullptr);
    Harness h;
    view::Front front(h.app());
    h.click("A0.H9");
    /* A box in use: points thrown and locked, a route lock and a shunting knob turned, a tag hung, a tablet dropped. */
    box1::throwLever(h, 1);
    box1::throwLever(h, 3);
    box1::turn(h, "A7.Se1", 1);
    h.doubleClick("A7.CedMOd");
    h.press("A7.DestickaB", 5, 5);
    h.release(5, 5);

    TA7 &a7 = h.app().A7();
    view::FormWindow *w = front.window(a7);
    ASSERT_NE(w, nullptr);
    QWidget *content = w->widgetOf(*a7.frame.D5);
    ASSERT_NE(content, nullptr);
    const QImage shot = content->grab().toImage().convertToFormat(QImage::Format_RGB32);
    shot.save(QCoreApplication::applicationDirPath() + "/view_a7_whole_box.png");
    ASSERT_EQ(shot.size(), a7.frame.D5->bounds().size());

    /* The dropped tablet shows white; the turned knob stands 4 px left of its rest, in its turned picture. */
    const QPoint tablet = h.control("A7.DestickaB").formPos() - a7.frame.D5->formPos() + QPoint(25, 60);
    EXPECT_EQ(shot.pixelColor(tablet), QColor(255, 255, 255));
    const QImage &turned = h.as<ui::Image>("A7.Se1").picture();
    const QPoint knob = h.control("A7.Se1").formPos() - a7.frame.D5->formPos();
    EXPECT_EQ(h.control("A7.Se1").width(), turned.width());
    EXPECT_EQ(shot.pixel(knob + QPoint(turned.width() / 2, turned.height() / 2)),
              turned.pixel(turned.width() / 2, turned.height() / 2));
}
