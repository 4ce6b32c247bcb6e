/** @file program_start_test.cpp The program's start: the launcher shown first, the other forms once it is painted. */
#include "app/program_start.h"
#include "view/qt_app.h"

#include "core/app.h"
#include "core/form_a1.h"
#include "frame/form_a0.h"
#include "platform/test_platform.h"
#include "ui/controls.h"
#include "view/form_window.h"
#include "view/front.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

/** Counts the mouse presses that reach a widget. */
struct PressProbe : QObject {
    int presses = 0; ///< Presses seen so far.
    bool eventFilter(QObject *, QEvent *e) override
    {
        presses += e->type() == QEvent::MouseButtonPress ? 1 : 0;
        return false;
    }
};

/** Sends a left press to a point of a widget. */
void pressAt(QWidget *w, QPointF at)
{
    QMouseEvent e(QEvent::MouseButtonPress, at, w->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &e);
}

/** Sends a left press to the middle of a widget. */
void pressOn(QWidget *w)
{
    pressAt(w, QPointF(w->width() / 2.0, w->height() / 2.0));
}

/** Sends a left press and release to the middle of a control of a window. */
void clickOn(QWidget *window, const ui::Control &c)
{
    const QPointF at = QRectF(c.bounds()).center();
    pressAt(window, at);
    QMouseEvent up(QEvent::MouseButtonRelease, at, window->mapToGlobal(at), Qt::LeftButton, Qt::NoButton,
                   Qt::NoModifier);
    QCoreApplication::sendEvent(window, &up);
}

} // namespace

TEST(ProgramStart, TheLauncherComesFirstAndTheOtherFormsFollowItsFirstPaint)
{
    ASSERT_NE(qtApp(), nullptr);
    platform::TestPlatform test;
    App app(test.platform);
    view::Front front(app);
    app::ProgramStart start(app, front);
    start.begin();

    ASSERT_NE(app.form("A0"), nullptr);
    EXPECT_TRUE(app.A0().visible());
    EXPECT_EQ(app.form("A1"), nullptr);
    EXPECT_FALSE(start.ready());

    /* The player's input waits while the other forms are not there: a click on "Start" is kept. */
    QWidget *launcher = front.window(app.A0());
    ASSERT_NE(launcher, nullptr);
    PressProbe probe;
    launcher->installEventFilter(&probe);
    clickOn(launcher, *app.A0().B1);
    EXPECT_EQ(probe.presses, 0);
    EXPECT_TRUE(app.A0().B1->visible());

    QElapsedTimer waited;
    waited.start();
    while (!start.ready() && waited.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    ASSERT_TRUE(start.ready());

    /* All ten in their order, A0 still the only one shown, A1's clock running. */
    const std::vector<ui::Form *> forms = app.forms();
    ASSERT_EQ(forms.size(), 10u);
    for (size_t k = 0; k < forms.size(); ++k) {
        ASSERT_NE(forms[k], nullptr) << k;
        EXPECT_EQ(forms[k]->name(), QStringLiteral("A%1").arg(k));
        EXPECT_EQ(forms[k]->visible(), k == 0) << k;
    }
    EXPECT_TRUE(app.A1().Hodiny->enabledFlag());

    /* Then the click is acted on: the launcher gives way to the first slide. */
    EXPECT_EQ(probe.presses, 1);
    EXPECT_FALSE(app.A0().B1->visible());
    EXPECT_TRUE(app.A0().E5->visible());

    /* From now on the launcher gets its input at once. */
    pressOn(launcher);
    EXPECT_EQ(probe.presses, 2);
    launcher->removeEventFilter(&probe);
}
