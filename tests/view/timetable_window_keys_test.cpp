/** @file timetable_window_keys_test.cpp The timetable window on screen: a tool window over its view that gives the keyboard back. */
#include "harness/harness.h"
#include "view/qt_app.h"

#include "core/form_a2.h"
#include "devices/form_a6.h"
#include "frame/form_a0.h"
#include "view/form_window.h"
#include "view/front.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QWindow>

#include <gtest/gtest.h>

namespace {

/** Lets the window system's queued events (activation, focus) happen. */
void settle()
{
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
}

/** Presses and releases a key where the keyboard is: the focus widget, else the active window. */
bool pressKey(int qtKey)
{
    QWidget *target = QApplication::focusWidget() ? QApplication::focusWidget() : QApplication::activeWindow();
    if (!target)
        return false;
    QKeyEvent down(QEvent::KeyPress, qtKey, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &down);
    QKeyEvent up(QEvent::KeyRelease, qtKey, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &up);
    settle();
    return true;
}

} // namespace

TEST(TimetableWindowKeys, F4OpensAToolWindowOverTheDeskAndClosingItGivesTheKeysBack)
{
    ASSERT_NE(qtApp(), nullptr);
    Harness h;
    view::Front front(h.app());
    h.click("A0.H9"); // the game starts on the desk
    settle();
    view::FormWindow *desk = front.window(h.app().A6());
    view::FormWindow *timetable = front.window(h.app().A2());
    ASSERT_TRUE(desk && timetable);
    ASSERT_TRUE(desk->isVisible());
    desk->activateWindow();
    settle();
    ASSERT_EQ(QApplication::activeWindow(), desk);

    ASSERT_TRUE(pressKey(Qt::Key_F4));
    ASSERT_TRUE(h.visible("A2"));
    EXPECT_TRUE(timetable->isVisible());
    /* A tool window with a close box only, kept above the desk by the window system. */
    EXPECT_EQ(timetable->windowFlags() & Qt::WindowType_Mask, Qt::Tool);
    EXPECT_TRUE(timetable->windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(timetable->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    ASSERT_NE(timetable->windowHandle(), nullptr);
    EXPECT_EQ(timetable->windowHandle()->transientParent(), desk->windowHandle());
    EXPECT_FALSE(h.enabled("A6"));

    /* The player closes it with its close box: the desk has the keyboard at once. */
    timetable->close();
    settle();
    EXPECT_FALSE(h.visible("A2"));
    EXPECT_TRUE(h.enabled("A6"));
    EXPECT_EQ(QApplication::activeWindow(), desk);
    ASSERT_TRUE(pressKey(Qt::Key_F4));
    EXPECT_TRUE(h.visible("A2"));
    timetable->close();
    settle();
    ASSERT_TRUE(pressKey(Qt::Key_Escape));
    EXPECT_TRUE(h.visible("A0"));
    EXPECT_FALSE(h.visible("A6"));
    EXPECT_TRUE(h.messages().isEmpty()) << h.messages().join(" | ").toStdString();
}
