/** @file front_test.cpp The Qt front on the offscreen platform: windows follow forms, painting, input routing. */
#include "harness/harness.h"
#include "view/qt_app.h"

#include "core/form_a1.h"
#include "core/form_a2.h"
#include "devices/form_a6.h"
#include "devices/form_a7.h"
#include "frame/form_a0.h"
#include "platform/platform.h"
#include "platform/test_platform.h"
#include "platform/virtual_timer_engine.h"
#include "trackview/form_a5.h"
#include "ui/controls.h"
#include "ui/sim_error.h"
#include "view/form_window.h"
#include "view/front.h"
#include "view/vehicle_strip.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QTabBar>
#include <QWheelEvent>
#include <QWindow>

#include <gtest/gtest.h>

namespace {

/** A bare form of a given size on the test platform. */
struct Bench : platform::TestPlatform {
    Bench(int w, int h)
    {
        EXPECT_NE(qtApp(), nullptr);
        form.setBounds(0, 0, w, h);
        form.setColor(Qt::white);
    }
    ui::Form form{"T", platform};
};

/** Sends a mouse event at pos (window coordinates) to a widget. */
void mouse(QWidget *w, QEvent::Type type, QPoint pos, Qt::MouseButton button, Qt::MouseButtons held)
{
    QMouseEvent e(type, QPointF(pos), QPointF(w->mapToGlobal(pos)), button, held, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &e);
}

void press(QWidget *w, QPoint pos) { mouse(w, QEvent::MouseButtonPress, pos, Qt::LeftButton, Qt::LeftButton); }
void release(QWidget *w, QPoint pos) { mouse(w, QEvent::MouseButtonRelease, pos, Qt::LeftButton, Qt::NoButton); }

/** Sends a key press (with its text) or release to a widget. */
void key(QWidget *w, QEvent::Type type, int qtKey, const QString &text = QString())
{
    QKeyEvent e(type, qtKey, Qt::NoModifier, text);
    QCoreApplication::sendEvent(w, &e);
}

/** A picture of green (the see-through key at the bottom-left corner) with a red square in its middle. */
QImage keyedPicture()
{
    QImage img(40, 40, QImage::Format_RGB32);
    img.fill(QColor(0, 255, 0));
    QPainter p(&img);
    p.fillRect(10, 10, 20, 20, QColor(255, 0, 0));
    return img;
}

/** Records an image's mouse events as "A down 10,5", "A click", ... */
void recordMouse(ui::Control &c, const QString &name, QStringList &log)
{
    c.onMouseDown = [&log, name](ui::MouseButton, ui::ShiftState, int x, int y) {
        log << QStringLiteral("%1 down %2,%3").arg(name).arg(x).arg(y);
    };
    c.onMouseMove = [&log, name](ui::ShiftState, int x, int y) {
        log << QStringLiteral("%1 move %2,%3").arg(name).arg(x).arg(y);
    };
    c.onMouseUp = [&log, name](ui::MouseButton, ui::ShiftState, int x, int y) {
        log << QStringLiteral("%1 up %2,%3").arg(name).arg(x).arg(y);
    };
    c.onClick = [&log, name] { log << name + " click"; };
    c.onDblClick = [&log, name] { log << name + " dblclick"; };
}

/** @return whether some pixel inside r is dark, as glyphs of black text are. */
bool hasDarkPixel(const QImage &img, const QRect &r)
{
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (qGray(img.pixel(x, y)) < 80)
                return true;
    return false;
}

} // namespace

TEST(Front, WindowFollowsFormVisibilityCaptionSizeAndEnabled)
{
    ASSERT_NE(qtApp(), nullptr);
    Harness h;
    view::Front front(h.app());
    TA1 &a1 = h.app().A1();
    view::FormWindow *w = front.window(a1);
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(front.window(h.app().A0())->isVisible());
    EXPECT_FALSE(w->isVisible());

    a1.show();
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Kobrant ŽST Kamenná - Diagnostika"));
    EXPECT_EQ(w->size(), QSize(632, 446)) << "the client area inside its single-line frame and caption bar";
    a1.setEnabled(false);
    EXPECT_FALSE(w->isEnabled());
    a1.setEnabled(true);
    EXPECT_TRUE(w->isEnabled());

    /* The diagnostics face: tabs only for the pages that show one. */
    auto *tabs = w->findChild<QTabBar *>();
    ASSERT_NE(tabs, nullptr);
    ASSERT_EQ(tabs->count(), 4);
    EXPECT_EQ(tabs->tabText(0), QStringLiteral("Návěstidla"));
    tabs->setCurrentIndex(2);
    EXPECT_EQ(a1.B00->activePage(), a1.Prvky);
    EXPECT_TRUE(w->widgetOf(*a1.Prvky)->isVisible());
    EXPECT_FALSE(w->widgetOf(*a1.C00)->isVisible());
    w->grab().save(QCoreApplication::applicationDirPath() + "/view_a1_simulace.png");

    /* A window manager that takes the window in at a size of its own making:
       the window asks for its own size again. One that maximises it is let be. */
    w->windowHandle()->resize(600, 400);
    QElapsedTimer waited;
    waited.start();
    while (w->size() != QSize(632, 446) && waited.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    EXPECT_EQ(w->size(), QSize(632, 446));
    w->setWindowState(Qt::WindowMaximized);
    QCoreApplication::processEvents();
    const QSize maximised = w->size();
    EXPECT_NE(maximised, QSize(632, 446));
    waited.restart();
    while (waited.elapsed() < 3 * view::FormWindow::SizeCheckMs)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    EXPECT_EQ(w->size(), maximised);
    w->setWindowState(Qt::WindowNoState);

    a1.hide();
    EXPECT_FALSE(w->isVisible());

    /* A workplace view fills the screen without a frame. */
    view::FormWindow *a5 = front.window(h.app().A5());
    h.app().A5().show();
    EXPECT_TRUE(a5->isVisible());
    EXPECT_TRUE(a5->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(a5->size(), a5->screen()->geometry().size());
}

TEST(Front, PaintsGraphicChildrenInCreationOrderBelowWindowedSiblings)
{
    Bench b(240, 140);
    ui::Form &f = b.form;
    auto *under = f.make<ui::Image>(nullptr, "Under"); // painted on the form, partly below the panel
    under->setBounds(90, 40, 60, 40);
    QImage orange(60, 40, QImage::Format_RGB32);
    orange.fill(QColor(255, 128, 0));
    under->setPicture(orange);
    auto *panel = f.make<ui::Panel>(nullptr, "P");
    panel->setBounds(10, 10, 100, 80);
    panel->setColor(QColor(0, 0, 255));
    auto *keyed = f.make<ui::Image>(panel, "Keyed");
    keyed->setBounds(10, 10, 40, 40);
    keyed->setPicture(keyedPicture());
    keyed->setTransparent(true);
    auto *label = f.make<ui::Label>(nullptr, "L");
    label->setBounds(150, 10, 80, 30);
    label->setCaption("Abc");
    label->setFont(ui::Font{"Arial", 20, true, false, Qt::black});
    label->setColor(QColor(255, 255, 0));
    auto *shape = f.make<ui::Shape>(nullptr, "S");
    shape->setBounds(150, 50, 80, 60);
    shape->setBrushColor(QColor(255, 0, 255));
    auto *cover = f.make<ui::Label>(nullptr, "Cover");
    cover->setBounds(190, 80, 40, 20);
    cover->setColor(QColor(0, 255, 255));
    auto *hidden = f.make<ui::Label>(nullptr, "Hidden");
    hidden->setBounds(155, 55, 10, 10);
    hidden->setColor(Qt::white);
    hidden->hide();

    view::FormWindow w(f);
    f.show();
    const QImage shot = w.grab().toImage().convertToFormat(QImage::Format_RGB32);
    shot.save(QCoreApplication::applicationDirPath() + "/view_front_screenshot.png");
    ASSERT_EQ(shot.size(), QSize(240, 140));

    /* The see-through key colour never shows; the panel shows through it, the red square does not. */
    for (int y = 20; y < 60; ++y)
        for (int x = 20; x < 60; ++x)
            ASSERT_NE(shot.pixelColor(x, y), QColor(0, 255, 0)) << x << "," << y;
    EXPECT_EQ(shot.pixelColor(22, 22), QColor(0, 0, 255));
    EXPECT_EQ(shot.pixelColor(40, 40), QColor(255, 0, 0));
    /* The windowed panel lies over the form's picture; outside it the picture shows. */
    EXPECT_EQ(shot.pixelColor(100, 60), QColor(0, 0, 255));
    EXPECT_EQ(shot.pixelColor(130, 60), QColor(255, 128, 0));
    /* The label's background and text. */
    EXPECT_EQ(shot.pixelColor(228, 38), QColor(255, 255, 0));
    EXPECT_TRUE(hasDarkPixel(shot, QRect(150, 10, 80, 30)));
    /* The shape's outline and brush; the later label covers it; the hidden one paints nothing. */
    EXPECT_EQ(shot.pixelColor(150, 50), QColor(0, 0, 0));
    EXPECT_EQ(shot.pixelColor(160, 60), QColor(255, 0, 255));
    EXPECT_EQ(shot.pixelColor(200, 90), QColor(0, 255, 255));

    /* A hidden container hides its children with it. */
    panel->hide();
    const QImage after = w.grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(after.pixelColor(40, 40), QColor(255, 255, 255));
    EXPECT_EQ(after.pixelColor(100, 60), QColor(255, 128, 0));
}

TEST(Front, SpinEditTypingWritesModelAndRunsChangeHandler)
{
    Bench b(200, 60);
    auto *spin = b.form.make<ui::SpinEdit>(nullptr, "S");
    spin->setBounds(10, 10, 80, 21);
    spin->setBounds(1, 50);
    QStringList seen;
    spin->onChange = [&] { seen << spin->text(); };
    view::FormWindow w(b.form);
    b.form.show();
    auto *edit = qobject_cast<QLineEdit *>(w.widgetOf(*spin));
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->text(), "0");

    edit->setCursorPosition(1);
    key(edit, QEvent::KeyPress, Qt::Key_7, "7");
    EXPECT_EQ(spin->text(), "07");
    EXPECT_EQ(spin->value(), 7);
    EXPECT_EQ(seen, QStringList{"07"});

    /* The model's writes reach the field; the arrows step within the bounds. */
    spin->setValue(99);
    EXPECT_EQ(edit->text(), "50");
    key(edit, QEvent::KeyPress, Qt::Key_Down);
    EXPECT_EQ(edit->text(), "49");
    EXPECT_EQ(seen, (QStringList{"07", "50", "49"}));

    /* Writing the same text again leaves the player's cursor where it was. */
    edit->setCursorPosition(1);
    spin->setText("49");
    EXPECT_EQ(edit->cursorPosition(), 1);
}

TEST(Front, MousePressCapturesMoveAndReleaseAndClickNeedsReleaseInside)
{
    Bench b(200, 100);
    QStringList log;
    auto *a = b.form.make<ui::Image>(nullptr, "A");
    a->setBounds(30, 20, 50, 40);
    auto *top = b.form.make<ui::Image>(nullptr, "B");
    top->setBounds(60, 30, 40, 40);
    recordMouse(*a, "A", log);
    recordMouse(*top, "B", log);
    recordMouse(b.form, "T", log);
    view::FormWindow w(b.form);
    b.form.show();

    press(&w, {40, 25});
    mouse(&w, QEvent::MouseMove, {150, 90}, Qt::NoButton, Qt::LeftButton);
    release(&w, {150, 90});
    EXPECT_EQ(log, (QStringList{"A down 10,5", "A move 120,70", "A up 120,70"}));

    log.clear();
    press(&w, {70, 40});
    release(&w, {71, 41});
    mouse(&w, QEvent::MouseMove, {5, 5}, Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(log, (QStringList{"B down 10,10", "B click", "B up 11,11", "T move 5,5"}));

    /* A hidden image takes no input: the one below it gets the press. */
    log.clear();
    top->hide();
    press(&w, {70, 40});
    release(&w, {70, 40});
    EXPECT_EQ(log, (QStringList{"A down 40,20", "A click", "A up 40,20"}));

    /* A double click: press, release, double click and a second press that makes no click. */
    log.clear();
    press(&w, {35, 25});
    release(&w, {35, 25});
    mouse(&w, QEvent::MouseButtonDblClick, {35, 25}, Qt::LeftButton, Qt::LeftButton);
    release(&w, {35, 25});
    EXPECT_EQ(log, (QStringList{"A down 5,5", "A click", "A up 5,5", "A dblclick", "A down 5,5", "A up 5,5"}));

    /* A failing handler goes to the default error report and the window goes on. */
    a->onClick = [] { throw ui::SimError("Chyba obrázku"); };
    press(&w, {35, 25});
    release(&w, {35, 25});
    EXPECT_EQ(b.messages.shown, QStringList{"Chyba obrázku"});
}

TEST(Front, KeysAndWheelGoToTheFormUnlessAnInputHasFocus)
{
    Bench b(200, 60);
    QStringList log;
    ui::Form &f = b.form;
    f.onKeyDown = [&](int &k, ui::ShiftState) { log << QStringLiteral("down %1").arg(k); };
    f.onKeyPress = [&](QChar &c) { log << QStringLiteral("press %1").arg(c.unicode()); };
    f.onKeyUp = [&](int &k, ui::ShiftState) { log << QStringLiteral("up %1").arg(k); };
    f.onWheel = [&](int d, ui::ShiftState, QPoint) { log << QStringLiteral("wheel %1").arg(d); };
    auto *edit = f.make<ui::Edit>(nullptr, "E");
    edit->setBounds(10, 10, 80, 21);
    view::FormWindow w(f);
    f.show();

    key(&w, QEvent::KeyPress, Qt::Key_F5);
    key(&w, QEvent::KeyPress, Qt::Key_P, "p");
    key(&w, QEvent::KeyRelease, Qt::Key_P, "p");
    key(&w, QEvent::KeyPress, Qt::Key_Return, "\r");
    key(&w, QEvent::KeyPress, Qt::Key_Left);
    EXPECT_EQ(log, (QStringList{"down 116", "down 80", "press 112", "up 80", "down 13", "press 13", "down 37"}));

    log.clear();
    for (int delta : {120, -240}) {
        QWheelEvent e(QPointF(50, 40), QPointF(w.mapToGlobal(QPoint(50, 40))), QPoint(), QPoint(0, delta),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(&w, &e);
    }
    EXPECT_EQ(log, (QStringList{"wheel 120", "wheel -120", "wheel -120"}));

    /* While the player types into an edit, its keys are its own. */
    log.clear();
    w.widgetOf(*edit)->setFocus();
    key(&w, QEvent::KeyPress, Qt::Key_F5);
    EXPECT_TRUE(log.isEmpty());
}

TEST(Front, HostedWidgetsFollowTheModelAndPassThePlayersInputBack)
{
    Bench b(400, 300);
    ui::Form &f = b.form;
    QStringList log;
    auto *check = f.make<ui::CheckBox>(nullptr, "C");
    check->setBounds(0, 0, 100, 20);
    check->onClick = [&] { log << QStringLiteral("check %1").arg(check->checked()); };
    auto *combo = f.make<ui::ComboBox>(nullptr, "K");
    combo->setBounds(0, 20, 100, 21);
    combo->setItems({"Volná", "123"});
    combo->onChange = [&] { log << "combo " + combo->text(); };
    auto *list = f.make<ui::ListBox>(nullptr, "L");
    list->setBounds(0, 50, 100, 60);
    list->setItems({"a", "b", "c"});
    list->onClick = [&] { log << QStringLiteral("list %1").arg(list->itemIndex()); };
    auto *memo = f.make<ui::Memo>(nullptr, "M");
    memo->setBounds(0, 120, 100, 60);
    auto *bar = f.make<ui::ScrollBar>(nullptr, "B");
    bar->setBounds(0, 190, 100, 16);
    bar->onChange = [&] { log << QStringLiteral("bar %1").arg(bar->position()); };
    auto *button = f.make<ui::Button>(nullptr, "Btn");
    button->setBounds(0, 210, 100, 25);
    button->setCaption("OK");
    button->onClick = [&] { log << "button"; };
    view::FormWindow w(f);
    f.show();

    /* Model writes reach the widgets without running any handler twice. */
    check->setChecked(true);
    combo->setText("123");
    list->setItemIndex(1);
    memo->setLines({"x", "y"});
    EXPECT_TRUE(qobject_cast<QCheckBox *>(w.widgetOf(*check))->isChecked());
    EXPECT_EQ(qobject_cast<QComboBox *>(w.widgetOf(*combo))->currentText(), "123");
    EXPECT_EQ(qobject_cast<QListWidget *>(w.widgetOf(*list))->currentRow(), 1);
    EXPECT_EQ(qobject_cast<QPlainTextEdit *>(w.widgetOf(*memo))->toPlainText(), "x\ny");
    EXPECT_EQ(log, QStringList{"check 1"});

    /* The player's actions. */
    log.clear();
    qobject_cast<QCheckBox *>(w.widgetOf(*check))->click();
    emit qobject_cast<QComboBox *>(w.widgetOf(*combo))->textActivated("Volná");
    qobject_cast<QListWidget *>(w.widgetOf(*list))->setCurrentRow(2);
    qobject_cast<QScrollBar *>(w.widgetOf(*bar))->setValue(30);
    qobject_cast<QPushButton *>(w.widgetOf(*button))->click();
    EXPECT_EQ(log, (QStringList{"check 0", "combo Volná", "list 2", "bar 30", "button"}));
    EXPECT_EQ(list->itemIndex(), 2);
    EXPECT_EQ(bar->position(), 30);

    /* A control hidden by the model hides its widget. */
    list->hide();
    EXPECT_FALSE(w.widgetOf(*list)->isVisible());
}

TEST(Front, CloseButtonClosesTheFormAndTheMainFormAsksToQuit)
{
    Bench b(100, 50);
    int closes = 0;
    b.form.onClose = [&] { ++closes; };
    view::FormWindow w(b.form);
    b.form.show();
    QCloseEvent close;
    QCoreApplication::sendEvent(&w, &close);
    EXPECT_EQ(closes, 1);
    EXPECT_FALSE(b.form.visible());
    EXPECT_FALSE(w.isVisible());

    int quits = 0;
    b.form.onQuit = [&] { ++quits; };
    b.form.show();
    QCloseEvent again;
    QCoreApplication::sendEvent(&w, &again);
    EXPECT_EQ(quits, 1);
    EXPECT_FALSE(again.isAccepted());
    EXPECT_TRUE(w.isVisible());
}

TEST(Front, RecreatedGameFormsGetFreshWindowsAndOldOnesLetGo)
{
    ASSERT_NE(qtApp(), nullptr);
    Harness h;
    view::Front front(h.app());
    h.app().A1().show();
    QPointer<view::FormWindow> oldA1 = front.window(h.app().A1());
    QPointer<view::FormWindow> oldA5 = front.window(h.app().A5());
    view::FormWindow *a0 = front.window(h.app().A0());
    ASSERT_TRUE(oldA1 && oldA5);

    h.app().recreateGameForms();
    view::FormWindow *newA1 = front.window(h.app().A1());
    ASSERT_NE(newA1, nullptr);
    EXPECT_NE(newA1, oldA1.data());
    EXPECT_EQ(h.app().A1().observer(), newA1);
    EXPECT_EQ(front.window(h.app().A0()), a0);
    ASSERT_TRUE(oldA1);
    EXPECT_FALSE(oldA1->alive());
    EXPECT_FALSE(oldA1->isVisible());
    oldA1->update(); // a detached window paints nothing of the old form

    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(oldA1.isNull());
    EXPECT_TRUE(oldA5.isNull());

    /* The fresh forms work through their fresh windows. */
    h.app().A1().show();
    EXPECT_TRUE(newA1->isVisible());
    h.ticks(3);
    h.app().A6().show();
    EXPECT_TRUE(front.window(h.app().A6())->isVisible());
    front.window(h.app().A6())->grab();
}

namespace {

/** @return the windows of live forms of an app that the front has built. */
int builtWindows(const Harness &h, const view::Front &front)
{
    int n = 0;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *fw = qobject_cast<view::FormWindow *>(w); fw && fw->alive())
            for (ui::Form *f : const_cast<Harness &>(h).app().forms())
                n += f && fw->form() == f && front.window(*f) == fw ? 1 : 0;
    return n;
}

/**
 * Counts one window's paints: a paint sends paint events to the window's
 * dirty widgets one after another, so a run of them with no other event
 * between is one paint. Notes when the last one began.
 */
class PaintPasses : public QObject {
public:
    explicit PaintPasses(QWidget *window) : m_window(window) { qApp->installEventFilter(this); }
    ~PaintPasses() override { qApp->removeEventFilter(this); }
    int count = 0;           ///< Paints so far.
    qint64 lastStartNs = -1; ///< When the last paint began, on the clock below.
    QElapsedTimer clock;     ///< Started by the test.

protected:
    bool eventFilter(QObject *o, QEvent *e) override
    {
        const bool ours = e->type() == QEvent::Paint && o->isWidgetType() &&
                          static_cast<QWidget *>(o)->window() == m_window;
        if (ours && !m_inPaint) {
            ++count;
            lastStartNs = clock.nsecsElapsed();
        }
        m_inPaint = ours;
        return false;
    }

private:
    QWidget *m_window;
    bool m_inPaint = false;
};

} // namespace

TEST(Front, OnlyTheLaunchersWindowIsBuiltUntilAnotherFormShows)
{
    ASSERT_NE(qtApp(), nullptr);
    Harness h;
    view::Front front(h.app());
    EXPECT_EQ(builtWindows(h, front), 1);
    EXPECT_EQ(dynamic_cast<view::FormWindow *>(h.app().A2().observer()), nullptr);

    /* The timetable shows: its window is built then, with its vehicle strip below the rows. */
    h.app().A2().show();
    EXPECT_EQ(builtWindows(h, front), 2);
    view::FormWindow *a2 = front.window(h.app().A2());
    ASSERT_NE(a2, nullptr);
    EXPECT_TRUE(a2->isVisible());
    EXPECT_EQ(h.app().A2().observer(), a2);
    auto *strip = a2->findChild<view::VehicleStrip *>();
    ASSERT_NE(strip, nullptr);
    EXPECT_TRUE(strip->isVisible());
    EXPECT_EQ(a2->height(), h.app().A2().height() + view::VehicleStrip::kHeight);

    /* Asking for a window builds it too, hidden while its form is. */
    view::FormWindow *a7 = front.window(h.app().A7());
    ASSERT_NE(a7, nullptr);
    EXPECT_FALSE(a7->isVisible());
    EXPECT_EQ(builtWindows(h, front), 3);
    /* A form never shown that is made anew at the game's end gets no window either. */
    h.app().recreateGameForms();
    EXPECT_EQ(builtWindows(h, front), 1);
}

TEST(Front, AWindowIsPaintedAtMostOnceAFrameWhileTheClockTicksEveryMillisecond)
{
    ASSERT_NE(qtApp(), nullptr);
    Harness h;
    view::Front front(h.app());
    h.app().A0().hide();
    h.app().A6().show();
    view::FormWindow *desk = front.window(h.app().A6());
    ASSERT_NE(desk, nullptr);
    QCoreApplication::processEvents();
    PaintPasses paints(desk);
    paints.clock.start();
    const qint64 runNs = 320'000'000;
    qint64 lastChangeNs = 0;
    QElapsedTimer step;
    while (paints.clock.nsecsElapsed() < runNs) {
        step.start();
        h.ticks(1); // the clock labels of the desk change
        lastChangeNs = paints.clock.nsecsElapsed();
        QCoreApplication::processEvents();
        while (step.nsecsElapsed() < 1'000'000)
            QCoreApplication::processEvents();
    }
    /* Every frame that had a change paints once, and no more often. */
    EXPECT_LE(paints.count, runNs / 1'000'000 / view::FormWindow::FrameMs + 2);
    EXPECT_GE(paints.count, 3);
    /* The last change is painted within a frame. */
    QElapsedTimer settle;
    settle.start();
    while (paints.lastStartNs < lastChangeNs && settle.elapsed() < 2000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    EXPECT_GE(paints.lastStartNs, lastChangeNs);
}
