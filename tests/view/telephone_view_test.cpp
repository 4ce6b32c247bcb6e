/** @file telephone_view_test.cpp The desk's telephone on screen: a ringing line and the answers to an offer. */
#include "harness/harness.h"
#include "view/qt_app.h"

#include "view/form_window.h"
#include "view/front.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

namespace {

/** @return the colour of a control's own pixel at (x, y) of its client area, as the window shows it. */
QColor pixelOf(const QImage &shot, const ui::Control &c, int x, int y)
{
    const QPoint at = c.formPos() + QPoint(x, y);
    return shot.pixelColor(at);
}

} // namespace

TEST(TelephoneView, ARingingLineAndTheAnswersToAnOfferAreShown)
{
    ASSERT_NE(qtApp(), nullptr);
    Harness h;
    view::Front front(h.app());
    h.click("A0.H9");
    ASSERT_TRUE(h.messages().isEmpty()) << h.messages().join(" | ").toStdString();
    h.type("A2.V0", "1234");
    h.type("A2.V1", "Horní Lom");
    h.type("A2.W2a", "3");
    h.click("A6.E1");
    h.type("A1.ZpravaA", "Nabídka vlaku 1234");
    h.control("A1.ZpravaA").setColor(QColor(255, 0, 0));
    h.type("A1.ZpravaC", "Nabídka vlaku 4321");
    h.control("A1.ZpravaC").setColor(QColor(255, 0, 0));
    h.click("A6.F0");
    ASSERT_TRUE(h.visible("A6.I4"));
    /* Scrolled down to the telephone, as the frame's keys would, so it fits a small screen. */
    h.control("A6.D5").setTop(-h.control("A6.G0").top() + 70);
    QCoreApplication::processEvents();

    auto &desk = dynamic_cast<ui::Form &>(h.control("A6"));
    view::FormWindow *w = front.window(desk);
    ASSERT_NE(w, nullptr);
    const QImage shot = w->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QRect phone = QRect(h.control("A6.G0").formPos(), QSize(360, 450)).intersected(shot.rect());
    shot.copy(phone).save(QCoreApplication::applicationDirPath() + "/view_a6_telephone.png");

    const ui::Control &set = h.control("A6.E0");
    ASSERT_TRUE(shot.rect().contains(QRect(set.formPos(), set.bounds().size())))
        << "the set is on the screen " << shot.width() << "x" << shot.height() << " at " << set.formPos().x() << "," << set.formPos().y();
    EXPECT_EQ(pixelOf(shot, h.control("A6.I4"), 2, 2), QColor(0, 255, 0));
    EXPECT_EQ(pixelOf(shot, h.control("A6.I5"), 2, 2), QColor(255, 0, 0));
    /* The set's bakelite body, not the desk behind it. */
    EXPECT_LT(pixelOf(shot, set, 200, 190).lightness(), 60);
    EXPECT_EQ(h.control("A6.F0").top(), set.top() + 80) << "the answered line's key is down";
    EXPECT_EQ(h.control("A6.F1").top(), set.top() + 78) << "the ringing line's key is up";
}
