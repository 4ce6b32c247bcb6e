/** @file menu_view_test.cpp The main menu on screen: its buttons are clickable where they are drawn. */
#include "harness/harness.h"
#include "view/qt_app.h"

#include "view/form_window.h"
#include "view/front.h"

#include <QCoreApplication>
#include <QMouseEvent>

#include <gtest/gtest.h>

namespace {

/** Clicks the window at a point given in form coordinates. */
void clickAt(QWidget *w, QPoint pos)
{
    QMouseEvent down(QEvent::MouseButtonPress, QPointF(pos), QPointF(w->mapToGlobal(pos)), Qt::LeftButton,
                     Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &down);
    QMouseEvent up(QEvent::MouseButtonRelease, QPointF(pos), QPointF(w->mapToGlobal(pos)), Qt::LeftButton,
                   Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &up);
}

} // namespace

TEST(MenuView, NoCaptionCoversAMenuButton)
{
    Harness h;
    for (const char *button : {"A0.H9", "A0.H5", "A0.J3", "A0.J9"}) {
        const QRect b = h.control(button).bounds();
        for (ui::Control *c : h.app().form("A0")->children()) {
            if (c->kind() == ui::Kind::Label) {
                EXPECT_FALSE(c->bounds().intersects(b)) << button << " under " << c->name().toStdString();
            }
        }
    }
}

TEST(MenuView, ClickingTheMiddleOfTheStartButtonStartsTheGame)
{
    ASSERT_NE(qtApp(), nullptr);
    Harness h;
    view::Front front(h.app());
    view::FormWindow *w = front.window(*h.app().form("A0"));
    ASSERT_NE(w, nullptr);
    clickAt(w, h.control("A0.H9").bounds().center());
    EXPECT_EQ(h.text("A0.H8"), "Pokračovat");
    EXPECT_TRUE(h.visible("A6"));
}
