/** @file menu_view_test.cpp The launcher and the menu on screen: their buttons are clickable where they are drawn. */
#include "harness/harness.h"
#include "view/qt_app.h"

#include "view/form_window.h"
#include "view/front.h"

#include <QCoreApplication>
#include <QMouseEvent>

#include <gtest/gtest.h>

namespace {

/** Moves to and clicks the window at a point given in form coordinates, on the widget under it. */
void clickAt(QWidget *w, QPoint pos)
{
    QWidget *target = w->childAt(pos);
    if (!target)
        target = w;
    const QPoint local = target->mapFrom(w, pos);
    const QPointF global(w->mapToGlobal(pos));
    QMouseEvent move(QEvent::MouseMove, QPointF(local), global, Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &move);
    QMouseEvent down(QEvent::MouseButtonPress, QPointF(local), global, Qt::LeftButton, Qt::LeftButton,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(target, &down);
    QMouseEvent up(QEvent::MouseButtonRelease, QPointF(local), global, Qt::LeftButton, Qt::NoButton,
                   Qt::NoModifier);
    QCoreApplication::sendEvent(target, &up);
}

/** @return the centre of a control in form coordinates. */
QPoint centreOf(Harness &h, const QString &name)
{
    ui::Control &c = h.control(name);
    return c.formPos() + QPoint(c.width() / 2, c.height() / 2);
}

} // namespace

namespace {

/** Expects that no shown caption of a page or the column lies over a shown button beside it. */
void expectButtonsFree(Harness &h, QSize screen)
{
    const ui::Control *menu = h.app().form("A0")->find("F0");
    for (const auto &owned : h.app().form("A0")->controls()) {
        const ui::Control *image = owned.get();
        const ui::Control *parent = image->parent();
        if (image->kind() != ui::Kind::Image || !image->visible() || (parent != menu && parent->parent() != menu))
            continue;
        for (const ui::Control *other : parent->children()) {
            if (other->kind() == ui::Kind::Label && other->visible()) {
                EXPECT_FALSE(other->bounds().intersects(image->bounds()))
                    << image->name().toStdString() << " under " << other->name().toStdString() << " at "
                    << screen.width() << "x" << screen.height();
            }
        }
    }
}

} // namespace

TEST(MenuView, NoCaptionCoversAMenuButtonAtAnySize)
{
    for (QSize screen : {QSize(800, 600), QSize(1024, 768), QSize(1280, 1024), QSize(1920, 1080)}) {
        Harness h(QStringLiteral(KAMENNA_SOURCE_DATA_DIR), screen);
        h.openMenu();
        ASSERT_TRUE(h.visible("A0.F0"));
        expectButtonsFree(h, screen);
        /* In a game the end item takes the row of the start time, which is hidden then. */
        h.click("A0.H9");
        expectButtonsFree(h, screen);
    }
}

TEST(MenuView, TheLauncherStartsTheIntroAndTheMenuStartsTheGame)
{
    ASSERT_NE(qtApp(), nullptr);
    Harness h;
    view::Front front(h.app());
    view::FormWindow *w = front.window(*h.app().form("A0"));
    ASSERT_NE(w, nullptr);
    clickAt(w, centreOf(h, "A0.B1"));
    EXPECT_TRUE(h.visible("A0.E5"));
    h.advanceMs(3 * 5000 + 1000);
    ASSERT_TRUE(h.visible("A0.F0"));
    clickAt(w, centreOf(h, "A0.F4"));
    ASSERT_TRUE(h.visible("A0.G4"));
    clickAt(w, centreOf(h, "A0.H9"));
    EXPECT_EQ(h.text("A0.H8"), "Pokračovat");
    EXPECT_TRUE(h.visible("A6"));
}

TEST(MenuView, TheSettingsWindowIsFilledToItsEdges)
{
    ASSERT_NE(qtApp(), nullptr);
    Harness h;
    view::Front front(h.app());
    QCoreApplication::processEvents();
    h.click("A0.B2");
    QCoreApplication::processEvents();
    view::FormWindow *w = front.window(*h.app().form("A0"));
    ASSERT_NE(w, nullptr);
    const QImage shot = w->grab().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(shot.size(), QSize(400, 300)) << "the frame and caption bar are the window system's";
    const QColor face = h.color("A0.B4");
    for (int y = 0; y < shot.height(); y += 10) {
        EXPECT_EQ(shot.pixelColor(shot.width() - 1, y), face) << "right edge at " << y;
        EXPECT_EQ(shot.pixelColor(0, y), face) << "left edge at " << y;
    }
    EXPECT_EQ(shot.pixelColor(200, shot.height() - 1), face) << "bottom edge";
    /* "OK" stands whole inside the window, below the page control. */
    const ui::Control &ok = h.control("A0.E4");
    EXPECT_TRUE(QRect(QPoint(0, 0), shot.size()).contains(QRect(ok.formPos(), ok.bounds().size())));
    EXPECT_GT(ok.formPos().y(), h.control("A0.B5").formPos().y() + h.control("A0.B5").height());
}
