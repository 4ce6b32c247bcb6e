/** @file desk_view_test.cpp The whole dispatcher's desk on screen, with its devices worked. */
#include "harness/harness.h"
#include "view/qt_app.h"

#include "devices/form_a6.h"
#include "view/form_window.h"
#include "view/front.h"

#include <QCoreApplication>
#include <QSet>

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
