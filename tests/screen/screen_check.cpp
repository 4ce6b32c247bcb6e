/**
 * @file screen_check.cpp The program on a real display, driven by real input: the launcher, the intro,
 * the menu, and every view of the game come up and answer clicks and keys. Run under a virtual X
 * display (xvfb-run); input goes through the X server's test extension, and a screenshot of the whole
 * screen is kept of every stage in the folder given. The layout pass (--layout) opens each view and
 * sees that it lies within the screen; the play pass (the default) plays the guide's first trains too,
 * and starts the program with the pointer parked over a caption of the launcher, clicked where it rests.
 * The window manager's pass (--wm) runs under openbox: the timetable window opened by F4 and closed by
 * its title bar's close button, again and again, is each time put on the screen by the X server, and
 * left open while the desk is closed to the menu it is above the desk when the desk comes back. Under
 * fluxbox (--wm=fluxbox) the timetable window maximised, closed and opened again has its own size.
 * Every wait is on what the program shows (a control's state, the game's clock, the window manager's
 * stacking and keyboard); the limits of the waits only guard against a hang, so a busy machine makes
 * the check slower, never failed.
 */
#include "app/program_start.h"
#include "core/app.h"
#include "core/form_a1.h"
#include "core/form_a2.h"
#include "frame/form_a0.h"
#include "platform/qt_platform.h"
#include "view/form_window.h"
#include "view/front.h"
#include "x_windows.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QEventLoop>
#include <QListWidget>
#include <QProcess>
#include <QScreen>
#include <QStyleHints>
#include <QTimer>
#include <QWindow>

#include <dlfcn.h>

#include <cstdio>
#include <functional>
#include <optional>

namespace {

/** How long the program may take to show the answer to an input before the check calls it a hang. */
constexpr int HangMs = 60000;
/** How long a train run, drawn in real time, or a stretch of the day played at speed may take at most. */
constexpr int RunHangMs = 600000;

/**
 * Lets the program run for ms in an event loop of its own, whose timers
 * fire on time as in the program's: for painting, for the pace of the
 * input and between the looks of a wait, never as a condition.
 */
void runFor(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

/** The few calls of Xlib and its test extension that the check needs, loaded at run time. */
class FakeInput {
public:
    FakeInput()
    {
        void *x11 = dlopen("libX11.so.6", RTLD_NOW | RTLD_GLOBAL);
        void *xtst = dlopen("libXtst.so.6", RTLD_NOW);
        if (!x11 || !xtst)
            return;
        auto open = reinterpret_cast<void *(*)(const char *)>(dlsym(x11, "XOpenDisplay"));
        m_sync = reinterpret_cast<int (*)(void *, int)>(dlsym(x11, "XSync"));
        m_keycode = reinterpret_cast<unsigned char (*)(void *, unsigned long)>(dlsym(x11, "XKeysymToKeycode"));
        m_motion = reinterpret_cast<int (*)(void *, int, int, int, unsigned long)>(dlsym(xtst, "XTestFakeMotionEvent"));
        m_button = reinterpret_cast<int (*)(void *, unsigned, int, unsigned long)>(dlsym(xtst, "XTestFakeButtonEvent"));
        m_key = reinterpret_cast<int (*)(void *, unsigned, int, unsigned long)>(dlsym(xtst, "XTestFakeKeyEvent"));
        if (open && m_sync && m_keycode && m_motion && m_button && m_key)
            m_display = open(nullptr);
    }

    bool ready() const { return m_display != nullptr; }

    void moveTo(QPoint p)
    {
        m_motion(m_display, -1, p.x(), p.y(), 0);
        sync();
    }

    void press(QPoint p)
    {
        moveTo(p);
        pressHere(p);
    }

    void release()
    {
        m_button(m_display, 1, 0, 0);
        sync();
    }

    void click(QPoint p)
    {
        press(p);
        release();
    }

    /** Clicks at p, where the pointer already rests, without moving it first: no motion reaches the program. */
    void clickInPlace(QPoint p)
    {
        pressHere(p);
        release();
    }

    /** Presses at from, moves to to in small steps and releases. */
    void drag(QPoint from, QPoint to)
    {
        press(from);
        runFor(50);
        const int steps = 10;
        for (int i = 1; i <= steps; ++i) {
            moveTo(from + (to - from) * i / steps);
            runFor(20);
        }
        release();
    }

    /** Turns the mouse wheel one notch down (button 5) where the pointer is. */
    void wheelDown() { wheel(5); }
    /** Turns the mouse wheel one notch up (button 4) where the pointer is. */
    void wheelUp() { wheel(4); }

    /** Presses and releases a key given by its X key symbol. */
    void key(unsigned long keysym)
    {
        const unsigned code = m_keycode(m_display, keysym);
        m_key(m_display, code, 1, 0);
        m_key(m_display, code, 0, 0);
        sync();
    }

    /** Presses and releases a key while a modifier key is held, both given by their X key symbols. */
    void chord(unsigned long modifier, unsigned long keysym)
    {
        const unsigned held = m_keycode(m_display, modifier);
        m_key(m_display, held, 1, 0);
        key(keysym);
        m_key(m_display, held, 0, 0);
        sync();
    }

private:
    /** Presses the left button at p, where the pointer is. */
    void pressHere(QPoint p)
    {
        apart(p);
        m_button(m_display, 1, 1, 0);
        sync();
        m_lastPress = p;
        m_sincePress.start();
    }

    /* The server has stamped the events when XSync returns, so the pace set here is the pace they carry. */
    void sync() { m_sync(m_display, 0); }

    /** A second press at one place soon after the first is a double click, which clicks nothing: waits it out. */
    void apart(QPoint p)
    {
        const QStyleHints *hints = QGuiApplication::styleHints();
        const QPoint d = p - m_lastPress;
        const int reach = hints->mouseDoubleClickDistance();
        if (!m_sincePress.isValid() || std::abs(d.x()) > reach || std::abs(d.y()) > reach)
            return;
        const qint64 left = hints->mouseDoubleClickInterval() + 100 - m_sincePress.elapsed();
        if (left > 0)
            runFor(int(left));
    }

    void wheel(unsigned button)
    {
        m_button(m_display, button, 1, 0);
        m_button(m_display, button, 0, 0);
        sync();
    }

    void *m_display = nullptr;
    int (*m_sync)(void *, int) = nullptr;
    unsigned char (*m_keycode)(void *, unsigned long) = nullptr;
    int (*m_motion)(void *, int, int, int, unsigned long) = nullptr;
    int (*m_button)(void *, unsigned, int, unsigned long) = nullptr;
    int (*m_key)(void *, unsigned, int, unsigned long) = nullptr;
    QPoint m_lastPress;
    QElapsedTimer m_sincePress;
};

constexpr unsigned long KeyReturn = 0xff0d;
constexpr unsigned long KeyEscape = 0xff1b;
constexpr unsigned long KeyF4 = 0xffc1;
constexpr unsigned long KeyF5 = 0xffc2;
constexpr unsigned long KeyF6 = 0xffc3;
constexpr unsigned long KeyF7 = 0xffc4;
constexpr unsigned long KeyAlt = 0xffe9;

/** Counts the button releases the program's windows take. */
class Releases : public QObject {
public:
    Releases() { QCoreApplication::instance()->installEventFilter(this); }
    int count() const { return m_count; }

protected:
    bool eventFilter(QObject *watched, QEvent *e) override
    {
        if (e->type() == QEvent::MouseButtonRelease && watched->isWindowType())
            ++m_count;
        return false;
    }

private:
    int m_count = 0;
};

class Check {
public:
    Check(App &app, view::Front &front, const screen::XWindows &x, const QString &out)
        : m_app(app), m_front(front), m_x(x), m_out(out)
    {
        m_since.start();
    }

    /** Lets the program run until the condition holds; false only when it never does within the guard. */
    bool waitUntil(const std::function<bool()> &condition, int guardMs = HangMs)
    {
        QElapsedTimer t;
        t.start();
        while (!condition()) {
            if (t.elapsed() > guardMs)
                return false;
            runFor(10);
        }
        return true;
    }

    /** @return the game's clock in seconds of the day, as its next tick shows it. */
    int clock()
    {
        const TA1 &a1 = m_app.A1();
        return a1.Hodina->line(0).toInt() * 3600 + a1.Minuta->line(0).toInt() * 60 + a1.Sekunda->text().toInt();
    }

    /** @return the screen point of a control's centre, through its form's window. */
    QPoint centre(const QString &name)
    {
        const QRect r = onScreen(name);
        return r.isNull() ? QPoint() : r.center();
    }

    /** @return where a control lies on the screen, as the X server has its window now, or a null rectangle. */
    QRect onScreen(const QString &name)
    {
        ui::Control *c = m_app.control(name);
        view::FormWindow *w = c ? m_front.window(*c->form()) : nullptr;
        if (!c || !w)
            return {};
        QPoint origin = w->mapToGlobal(QPoint(0, 0));
        if (int x = 0, y = 0; m_x.ready() && m_x.origin(w->internalWinId(), x, y))
            origin = QPoint(x, y);
        return QRect(origin + c->formPos(), QSize(c->width(), c->height()));
    }

    /** @return the screen point of a list row's centre, or a null point when it is not drawn. */
    QPoint rowCentre(const QString &name, int row)
    {
        ui::Control *c = m_app.control(name);
        view::FormWindow *w = c ? m_front.window(*c->form()) : nullptr;
        auto *list = w ? qobject_cast<QListWidget *>(w->widgetOf(*c)) : nullptr;
        if (!list || !list->item(row))
            return {};
        return list->viewport()->mapToGlobal(list->visualItemRect(list->item(row)).center());
    }

    /** @return whether a control is shown in a window that the X server has put on the screen. */
    bool showing(const QString &name)
    {
        ui::Control *c = m_app.control(name);
        if (!c || !c->showing())
            return false;
        view::FormWindow *w = m_front.window(*c->form());
        return w && w->isVisible() && w->windowHandle() && w->windowHandle()->isExposed() && placed(*w);
    }

    /**
     * @return whether Qt takes a window to be where the X server has it: a
     * window just mapped may still be on its way into the window manager's
     * frame, and a click then lands where the window no longer is.
     */
    bool placed(const view::FormWindow &w)
    {
        int x = 0, y = 0;
        return !m_x.ready() || (m_x.origin(w.internalWinId(), x, y) && QPoint(x, y) == w.mapToGlobal(QPoint(0, 0)));
    }

    /** @return whether a form's window lies wholly within the screen. */
    bool withinScreen(const QString &form)
    {
        const view::FormWindow *w = windowOf(form);
        return w && QGuiApplication::primaryScreen()->geometry().contains(w->frameGeometry());
    }

    /** @return whether a form's window is shown and covers the whole screen. */
    bool fillsScreen(const QString &form)
    {
        const view::FormWindow *w = windowOf(form);
        return w && w->isVisible() && w->frameGeometry() == QGuiApplication::primaryScreen()->geometry();
    }

    /** @return whether a form's window of a fixed size has that size, as the X server has it. */
    bool atOwnSize(const QString &form)
    {
        const view::FormWindow *w = windowOf(form);
        int width = 0, height = 0;
        return w && (!m_x.ready() || (m_x.size(w->internalWinId(), width, height) && QSize(width, height) == w->minimumSize()));
    }

    /** @return whether a frameless form's window lies where the form puts it, as the X server has it. */
    bool atFormsPlace(const QString &form)
    {
        const ui::Form *f = m_app.form(form);
        int x = 0, y = 0;
        return f && (!m_x.ready() || (m_x.origin(xWindow(form), x, y) && QPoint(x, y) == f->bounds().topLeft()));
    }

    /** @return whether a form's window has the keyboard, as the window manager tells; true without one. */
    bool hasKeyboard(const QString &form)
    {
        return !m_x.ready() || !m_x.managerRuns() || m_x.active() == xWindow(form);
    }

    /** @return where the program takes a form's window's own area to begin on the screen. */
    QPoint programOrigin(const QString &form)
    {
        const view::FormWindow *w = windowOf(form);
        return w ? w->mapToGlobal(QPoint(0, 0)) : QPoint();
    }

    /** @return the X window of a form's window, or 0. */
    unsigned long xWindow(const QString &form)
    {
        view::FormWindow *w = windowOf(form);
        return w ? w->internalWinId() : 0;
    }

    /** Asks a form's window to close, as the close button of its title bar does. */
    void closeWindow(const QString &form)
    {
        if (view::FormWindow *w = m_front.window(*m_app.form(form)))
            w->close();
    }

    void shoot(const QString &stage)
    {
        /* Lets the windows paint what the last step changed. */
        runFor(150);
        QScreen *screen = QGuiApplication::primaryScreen();
        const QImage shot = screen->grabWindow(0).toImage();
        shot.save(m_out + QLatin1Char('/') + stage + QStringLiteral(".png"));
        std::printf("screenshot %s: %dx%d\n", qPrintable(stage), shot.width(), shot.height());
    }

    /** Prints a stage with the time since the start and the game's clock. @return ok. */
    bool step(const char *what, bool ok)
    {
        std::printf("%s [%6.1f s %s] %s\n", ok ? "ok  " : "FAIL", m_since.elapsed() / 1000.0,
                    qPrintable(m_app.control("A6.H01")->caption()), what);
        std::fflush(stdout);
        if (!ok)
            m_failed = true;
        return ok;
    }

    bool failed() const { return m_failed; }

    /**
     * Clicks at p (where the pointer rests, or moved there first) and waits
     * until the program has taken the click's release: under a window
     * manager that holds the pointer on a press for a moment (openbox), the
     * next move may otherwise reach the program before the release, as a
     * drag of the pressed control. @return whether it took it.
     */
    bool clickTaken(FakeInput &input, QPoint p, bool inPlace = false)
    {
        const int before = m_releases.count();
        if (inPlace)
            input.clickInPlace(p);
        else
            input.click(p);
        return waitUntil([&] { return m_releases.count() > before; });
    }

private:
    /** @return the window of a form, or null. */
    view::FormWindow *windowOf(const QString &form)
    {
        ui::Form *f = m_app.form(form);
        return f ? m_front.window(*f) : nullptr;
    }

    App &m_app;
    view::Front &m_front;
    const screen::XWindows &m_x;
    QString m_out;
    QElapsedTimer m_since;
    bool m_failed = false;
    Releases m_releases;
};

/** Presses at p and holds until the condition holds, then lets go. @return whether it held. */
bool hold(Check &c, FakeInput &input, QPoint p, const std::function<bool()> &condition)
{
    input.press(p);
    const bool held = c.waitUntil(condition);
    input.release();
    return held;
}

/**
 * The clock's speed while a signalman sets a route or a train runs in the
 * station: their levers and runs take their real time at any speed, and
 * the day must not run away meanwhile, but the level crossing closes and
 * the neighbours' trains approach by the clock.
 */
const QString RealTimeSpeed = QStringLiteral("8");

/** @return whether a train runs in the station: it takes its real time at any speed of the clock. */
bool trainRuns(App &app)
{
    const TA1 &a1 = app.A1();
    for (const ui::Timer *t : {a1.TimerVlakAOd, a1.TimerVlakBOd, a1.TimerVlakCOd, a1.TimerVlakADo, a1.TimerVlakBDo,
                               a1.TimerVlakCDo})
        if (t->enabledFlag())
            return true;
    return false;
}

/**
 * The game's time spent since it was made while no train ran in the station:
 * a stretch of the day that should bring an event has this much of the game's
 * time, and, against a hang, RunHangMs of the machine's.
 */
class GameTime {
public:
    GameTime(App &app, Check &c, int minutes) : m_app(app), m_c(c), m_left(minutes * 60), m_last(c.clock())
    {
        m_wall.start();
    }

    /** Takes the clock's advance since the last look off the time left. @return whether time is left. */
    bool left()
    {
        const int now = m_c.clock();
        if (!trainRuns(m_app))
            m_left -= (now - m_last + 86400) % 86400;
        m_last = now;
        return m_left > 0 && m_wall.elapsed() < RunHangMs;
    }

private:
    App &m_app;
    Check &m_c;
    int m_left;
    int m_last;
    QElapsedTimer m_wall;
};

/**
 * Clicks ">" or "<" until the clock runs at speed, each click seen in the
 * speed word before the next; the clicks alternate between the two ends of
 * the button, so no two of them make a double click. A ringing call may
 * slow the clock down meanwhile. @return whether it runs so.
 */
bool setSpeed(App &app, Check &c, FakeInput &input, const QString &speed)
{
    TA1 &a1 = app.A1();
    for (int i = 0; i < 30 && a1.Rychlost->text() != speed; ++i) {
        const QString before = a1.Rychlost->text();
        const bool up = before == QStringLiteral("P") || before.toInt() < speed.toInt();
        input.click(c.centre(up ? "A6.H04" : "A6.H02") + QPoint(i % 2 ? 8 : -8, 0));
        c.waitUntil([&] { return a1.Rychlost->text() != before; });
    }
    return a1.Rychlost->text() == speed;
}

/** Lets the game run until the condition holds. @return whether it held within minutes of the game's time. */
bool waitInGame(App &app, Check &c, const std::function<bool()> &condition, int minutes)
{
    GameTime time(app, c, minutes);
    c.waitUntil([&] { return condition() || !time.left(); }, RunHangMs + HangMs);
    return condition();
}

/** Clicks "1 x" so the clock runs in real time, as the guide plays the telephone and the desk. */
void realTime(App &app, Check &c, FakeInput &input)
{
    if (app.A1().Rychlost->text() != "1")
        input.click(c.centre("A6.H03"));
    c.waitUntil([&] { return app.A1().Rychlost->text() == "1"; });
}

/** Turns the wheel over the desk a notch at a time until a control is inside the screen. @return whether it is. */
bool scrollDeskTo(App &app, Check &c, FakeInput &input, const QString &name)
{
    const QSize screen = QGuiApplication::primaryScreen()->size();
    const ui::ScrollBar *bar = static_cast<ui::ScrollBar *>(app.control("A6.B4"));
    input.moveTo(QPoint(screen.width() / 2, screen.height() / 2));
    for (int i = 0; i < 40; ++i) {
        const int x = c.centre(name).x();
        if (x >= 100 && x <= screen.width() - 100)
            return true;
        const int at = bar->position();
        if (x < 100 ? at <= bar->minimum() : at >= bar->maximum())
            return false;
        if (x < 100)
            input.wheelUp();
        else
            input.wheelDown();
        c.waitUntil([&] { return bar->position() != at; });
    }
    return false;
}

/**
 * Answers a ringing line as the guide tells: handset, line key, the answer
 * offered (accept or acknowledge), line key, "Zavěsit". @return whether the
 * handset is down again.
 */
bool answerCall(Check &c, FakeInput &input, const char *key)
{
    if (c.showing("A6.E1"))
        input.click(c.centre("A6.E1"));
    c.waitUntil([&] { return c.showing("A6.G0"); });
    input.click(c.centre(key));
    c.waitUntil([&] { return c.showing("A6.I4") || c.showing("A6.I6"); });
    const char *answer = c.showing("A6.I4") ? "A6.I4" : "A6.I6";
    input.click(c.centre(answer));
    c.waitUntil([&] { return !c.showing(answer); });
    input.click(c.centre(key));
    input.click(c.centre("A6.G6"));
    return c.waitUntil([&] { return c.showing("A6.E1"); });
}

/**
 * Lets the day run at speed, answering every call on the telephone, until
 * done holds; while a train runs in the station the clock runs at
 * RealTimeSpeed. @return whether done held within minutes of the game's
 * time, not counting the runs'.
 */
bool playUntil(App &app, Check &c, FakeInput &input, const std::function<bool()> &done, int minutes,
               const QString &speed = QStringLiteral("1024"))
{
    TA1 &a1 = app.A1();
    scrollDeskTo(app, c, input, "A6.E0");
    const std::pair<ui::Edit *, const char *> lines[3] = {
        {a1.ZpravaA, "A6.F0"}, {a1.ZpravaB, "A6.F2"}, {a1.ZpravaC, "A6.F1"}};
    GameTime time(app, c, minutes);
    for (;;) {
        /* Calls first, so that none is left ringing when done holds. */
        for (const auto &[call, key] : lines)
            if (call->color() == QColor(255, 0, 0)) {
                std::printf("  answered: %s\n", qPrintable(call->text()));
                answerCall(c, input, key);
            }
        if (done() || !time.left())
            return done();
        const QString now = trainRuns(app) ? RealTimeSpeed : speed;
        if (a1.Rychlost->text() != now)
            setSpeed(app, c, input, now);
        runFor(100);
    }
}

/** The clock sped up to 1024 x, then 6010's offer on line A answered and accepted. @return whether it was. */
bool acceptFirstOffer(App &app, Check &c, FakeInput &input)
{
    TA1 &a1 = app.A1();
    c.step("> speeds the clock up to 1024 x", setSpeed(app, c, input, QStringLiteral("1024")));
    if (!c.step("line A rings with 6010's offer",
                waitInGame(app, c, [&] { return a1.ZpravaA->text() == QStringLiteral("Nabídka vlaku 6010"); }, 60)))
        return false;
    c.step("the ringing call slows the clock to 1 x", a1.Rychlost->text() == "1");
    c.shoot("guide_1_ringing");
    input.click(c.centre("A6.E1"));
    c.step("the handset lifts and the panel opens", c.waitUntil([&] { return c.showing("A6.G0"); }));
    input.click(c.centre("A6.F0"));
    if (!c.step("line A's key shows the answers", c.waitUntil([&] { return c.showing("A6.I4"); })))
        return false;
    c.shoot("guide_2_offer");
    input.click(c.centre("A6.I4"));
    c.step("the green answer accepts 6010", c.waitUntil([&] { return a1.TratA->text() == "6010"; }));
    input.click(c.centre("A6.F0"));
    input.click(c.centre("A6.G6"));
    return c.step("Zavěsit puts the handset down", c.waitUntil([&] { return c.showing("A6.E1"); }));
}

/** Drags a track knob a stop at a time until it stands at position below the block, or stops moving. */
void knobTo(App &app, Check &c, FakeInput &input, const QString &knob, int position)
{
    const auto rel = [&] { return app.control(knob)->top() - app.control("A6.Blok")->top(); };
    for (int i = 0; i < 10 && rel() != position; ++i) {
        const int before = rel();
        const QPoint at = c.centre(knob);
        input.drag(at, at + QPoint(0, position > before ? 8 : -8));
        if (!c.waitUntil([&] { return rel() != before; }))
            return;
    }
}

/** Drags a route lock sideways (dx < 0 to the left, > 0 to the right) until the route word reads route. */
bool turnLock(Check &c, FakeInput &input, const QString &lock, int dx, const ui::SpinEdit *word, int route)
{
    const QPoint at = c.centre(lock);
    input.drag(at, at + QPoint(dx, 0));
    return c.waitUntil([&] { return word->value() == route; });
}

/** Rings the box with a bell and gives the release with a lever. @return whether the field shows it. */
bool bellAndLever(Check &c, FakeInput &input, const char *bell, const ui::Timer *signalman, const char *lever,
                  const ui::SpinEdit *field)
{
    /* The ring reaches the box's signalman on the desk's second lock-engine step: he is armed then. */
    hold(c, input, c.centre(bell), [&] { return signalman->enabledFlag() && signalman->interval() == 5000; });
    return hold(c, input, c.centre(lever), [&] { return field->value() == 5; });
}

/**
 * Waits at RealTimeSpeed while the box's signalman sets the route and
 * clears the signal. @return whether the signal shows proceed.
 */
bool signalmanClears(App &app, Check &c, FakeInput &input, const ui::Edit *signal)
{
    setSpeed(app, c, input, RealTimeSpeed);
    return c.waitUntil([&] { return signal->text() != QStringLiteral("Stůj"); }, RunHangMs);
}

/** 6010's arrival route to track 1 set on the desk: knob A, lock A, bell A and the entry lever. */
void setFirstRoute(App &app, Check &c, FakeInput &input)
{
    TA1 &a1 = app.A1();
    /* The block instrument lies to the right: the mouse wheel scrolls the desk sideways. */
    c.step("the wheel brings the block instrument into sight", scrollDeskTo(app, c, input, "A6.ZavernikB"));
    /* Short strokes up until the knob stands on track 1, 828 px below the block. */
    knobTo(app, c, input, "A6.KnoflikA", 828);
    c.step("knob A on track 1 and lock A turned for the entry", turnLock(c, input, "A6.ZavernikA", -30, a1.CestaA, 1));
    c.step("bell A and the entry lever give the release",
           bellAndLever(c, input, "A6.ZvonekA", a1.SignalistaA, "A6.PakaNavBOd", a1.NavBOd));
    c.shoot("guide_3_route");
    c.step("box 1's signalman clears L", signalmanClears(app, c, input, a1.C03));
}

/** 6010 comes in: the clock sped up, and every call of the next minutes answered, until the train stands on track 1. */
void bringInFirstTrain(App &app, Check &c, FakeInput &input)
{
    TA1 &a1 = app.A1();
    c.step("the wheel brings the telephone back into sight", scrollDeskTo(app, c, input, "A6.E0"));
    const auto in = [&] { return a1.Kolej1->text() == "6010" && !a1.TimerVlakAOd->enabledFlag(); };
    if (c.step("6010 comes in and stands on track 1",
               playUntil(app, c, input, in, 60))) {
        input.key(KeyF5);
        if (c.step("F5 shows 6010 in the track view", c.waitUntil([&] { return c.showing("A5.D5"); })))
            c.shoot("guide_5_train_in");
        input.key(KeyF5);
        c.waitUntil([&] { return c.showing("A6.D5"); });
    }
}

const QColor Orange(255, 128, 0), Yellow(255, 255, 0), Aqua(0, 255, 255), Lime(0, 255, 0);

/** @return the text of an edit control, or an empty string. */
QString textOf(App &app, const QString &name)
{
    auto *e = dynamic_cast<ui::Edit *>(app.control(name));
    return e ? e->text() : QString();
}

/** @return the timetable row of a train, or 0. */
int rowOf(App &app, const QString &number)
{
    for (int r = 1; r <= 16; ++r)
        if (textOf(app, "A2." + timetableCellName(r, 0)) == number)
            return r;
    return 0;
}

/** @return the colour of a train's departure cell ("Odj."). */
QColor departureOf(App &app, int row)
{
    ui::Control *cell = app.control("A2." + timetableCellName(row, 6));
    return cell ? cell->color() : QColor();
}

/**
 * Lifts the handset, takes a line and dials; the clock runs faster while
 * the dial connects, then at 1 x again. @return whether the neighbour answered.
 */
bool ring(App &app, Check &c, FakeInput &input, const char *key)
{
    scrollDeskTo(app, c, input, "A6.E0");
    if (c.showing("A6.E1"))
        input.click(c.centre("A6.E1"));
    c.waitUntil([&] { return c.showing("A6.G0"); });
    input.click(c.centre(key));
    input.click(c.centre("A6.E2"));
    ui::Control *kinds = app.control("A6.G2");
    setSpeed(app, c, input, QStringLiteral("16"));
    const bool answered = c.waitUntil([&] { return kinds->enabled(); });
    realTime(app, c, input);
    return answered;
}

/** @return the telephone memo's third line: the neighbour's answer. */
QString answerLine(App &app)
{
    auto *memo = static_cast<ui::Memo *>(app.control("A6.G1"));
    return memo->lines().value(2);
}

/** Chooses a message kind and the train of timetable row r, and says it with "Sdělit". @return the answer. */
QString say(App &app, Check &c, FakeInput &input, const QString &kind, int r)
{
    static const char *const labels[16] = {"G7", "G8", "G9", "H0", "H1", "H2", "H3", "H4",
                                           "H5", "H6", "H7", "H8", "H9", "I0", "I1", "I2"};
    auto *list = static_cast<ui::ListBox *>(app.control("A6.G2"));
    ui::Control *tell = app.control("A6.G5");
    const int row = list->items().indexOf(kind);
    /* A click on the row already chosen may choose nothing: another row first, then this one. */
    if (list->itemIndex() == row) {
        input.click(c.rowCentre("A6.G2", row == 0 ? 1 : 0));
        c.waitUntil([&] { return list->itemIndex() != row; });
    }
    input.click(c.rowCentre("A6.G2", row));
    c.waitUntil([&] { return list->itemIndex() == row && tell->enabled(); });
    const QString train = textOf(app, "A2." + timetableCellName(r, 0));
    input.click(c.centre(QStringLiteral("A6.") + labels[r - 1]));
    c.waitUntil([&] { return app.SelectedTrain == train; });
    input.click(c.centre("A6.G5"));
    c.waitUntil([&] { return !answerLine(app).isEmpty(); });
    return answerLine(app);
}

/** Releases the line key and puts the handset down. @return whether it is down. */
bool hangUp(Check &c, FakeInput &input, const char *key)
{
    input.click(c.centre(key));
    input.click(c.centre("A6.G6"));
    return c.waitUntil([&] { return c.showing("A6.E1"); });
}

/** 6010's arrival reported to Horní Lom by telephone and its arrival route taken back on the desk. */
bool reportFirstArrival(App &app, Check &c, FakeInput &input, int r6010)
{
    TA1 &a1 = app.A1();
    realTime(app, c, input);
    if (!c.step("the dial reaches Horní Lom", ring(app, c, input, "A6.F0")))
        return false;
    c.step("Horní Lom understands 6010's arrival", say(app, c, input, QStringLiteral("Telefonická odhláška"), r6010)
                                                        == QStringLiteral("Vlak 6010 v Kamenné. Rozuměl Zelený."));
    hangUp(c, input, "A6.F0");
    c.step("line A is free", c.waitUntil([&] { return a1.TratA->text() == QStringLiteral("Volná"); }));
    c.step("the wheel brings the block instrument into sight", scrollDeskTo(app, c, input, "A6.ZavernikA"));
    c.step("the route-lock lever takes the route back",
           hold(c, input, c.centre("A6.PakaZavB"), [&] { return a1.ZavB->value() == 1; }));
    return c.step("lock A back in the middle", turnLock(c, input, "A6.ZavernikA", 30, a1.CestaA, 0));
}

/** 6010 offered onward to Horní Lom once its departure cell is orange, and its exit route laid. */
bool offerFirstTrainOut(App &app, Check &c, FakeInput &input, int r6010)
{
    TA1 &a1 = app.A1();
    if (!c.step("6010's departure cell turns orange",
                playUntil(app, c, input, [&] { return departureOf(app, r6010) == Orange; }, 60)))
        return false;
    if (!c.step("the dial reaches Horní Lom again", ring(app, c, input, "A6.F0")))
        return false;
    const QString answer = say(app, c, input, QStringLiteral("Nabídka vlaku"), r6010);
    c.step("Horní Lom accepts 6010",
           answer.startsWith(QStringLiteral("Ano, přijímám vlak 6010 s odjezdem z Kamenné v ")));
    c.shoot("guide_6_offer_out");
    hangUp(c, input, "A6.F0");
    c.step("6010's departure cell turns yellow", c.waitUntil([&] { return departureOf(app, r6010) == Yellow; }));
    scrollDeskTo(app, c, input, "A6.ZavernikA");
    c.step("lock A turned right for the exit", turnLock(c, input, "A6.ZavernikA", 30, a1.CestaA, 1));
    c.step("bell A and the exit lever give the release",
           bellAndLever(c, input, "A6.ZvonekA", a1.SignalistaA, "A6.PakaNavBDo", a1.NavBDo));
    return c.step("box 1's signalman clears S1", signalmanClears(app, c, input, a1.C34));
}

/** @return the centre of a vehicle of the train on a station track row (letter of the row), or a null point. */
QPoint vehicleOn(Check &c, QChar row)
{
    static const char places[] = "56789ABCDE";
    for (const char *s = places; *s; ++s) {
        const QString name = QStringLiteral("A5.") + row + QLatin1Char(*s);
        if (c.showing(name))
            return c.centre(name);
    }
    return {};
}

/**
 * When 6010's departure cell turns aqua, a click on the train in the track
 * view sends it away. @return whether it runs; its run takes its own time.
 */
bool dispatchFirstTrain(App &app, Check &c, FakeInput &input, int r6010)
{
    TA1 &a1 = app.A1();
    /* At 256 x the check sees the cell change within half a minute of the day, as a player would. */
    c.step("6010's departure cell turns aqua with S1 clear",
           playUntil(
               app, c, input, [&] { return a1.C35->color() == Lime && departureOf(app, r6010) == Aqua; }, 60, "256"));
    realTime(app, c, input);
    input.key(KeyF5);
    if (!c.step("F5 shows the track view", c.waitUntil([&] { return c.showing("A5.D5"); })))
        return false;
    input.click(vehicleOn(c, QLatin1Char('L')));
    const bool sent = c.step("a click on 6010 dispatches it",
                             c.waitUntil([&] { return departureOf(app, r6010) == Lime; }));
    /* The picture once the train has gathered a little speed and pulled out. */
    c.waitUntil([&] { return a1.VlakADo->value() >= 20; });
    c.shoot("guide_7_6010_leaves");
    input.key(KeyF5);
    c.step("F5 returns to the desk", c.waitUntil([&] { return c.showing("A6.D5"); }));
    return sent;
}

/**
 * Line C's consent to Vrbská and 2622's route to track 5, worked while 6010
 * leaves on line A; then 2622's calls answered until it stands there.
 */
void bringIn2622(App &app, Check &c, FakeInput &input)
{
    TA1 &a1 = app.A1();
    c.step("the wheel brings line C's levers into sight", scrollDeskTo(app, c, input, "A6.PakaTSCH"));
    c.step("the consent lever gives line C's consent",
           hold(c, input, c.centre("A6.PakaTSCH"), [&] { return a1.TSCH->value() == 6; }));
    scrollDeskTo(app, c, input, "A6.ZavernikC");
    knobTo(app, c, input, "A6.KnoflikC", 804);
    c.step("knob C on track 5 and lock C turned right for the entry",
           turnLock(c, input, "A6.ZavernikC", 30, a1.CestaC, 5));
    c.step("bell C and the entry lever give the release",
           bellAndLever(c, input, "A6.ZvonekC", a1.SignalistaC, "A6.PakaNavCHOd", a1.NavCHOd));
    c.step("box 2's signalman clears S", signalmanClears(app, c, input, a1.C09));
    c.step("6010 leaves track 1",
           c.waitUntil([&] { return a1.Kolej1->text() == QStringLiteral("Volná"); }, RunHangMs));
    const auto in = [&] { return a1.Kolej5->text() == "2622" && !a1.TimerVlakCOd->enabledFlag(); };
    if (c.step("2622 comes in and stands on track 5",
               playUntil(app, c, input, in, 60))) {
        input.key(KeyF5);
        if (c.step("F5 shows 2622 in the track view", c.waitUntil([&] { return c.showing("A5.D5"); })))
            c.shoot("guide_8_2622_in");
        input.key(KeyF5);
        c.waitUntil([&] { return c.showing("A6.D5"); });
    }
}

/** After 6010 is in: its arrival reported, its departure agreed and dispatched, then 2622 brought in. */
void playOnAfterFirstTrain(App &app, Check &c, FakeInput &input)
{
    const int r6010 = rowOf(app, "6010");
    if (!c.step("6010 has its timetable row", r6010 > 0))
        return;
    if (!reportFirstArrival(app, c, input, r6010) || !offerFirstTrainOut(app, c, input, r6010))
        return;
    if (dispatchFirstTrain(app, c, input, r6010))
        bringIn2622(app, c, input);
}

/**
 * The guide's first trains through the real window: 6010's offer accepted
 * on the telephone, its arrival route set on the desk, the train in, out
 * again, and 2622 in. Keeps a screenshot of each step, as the guide shows them.
 */
void playFirstTrains(App &app, Check &c, FakeInput &input)
{
    if (!acceptFirstOffer(app, c, input))
        return;
    setFirstRoute(app, c, input);
    input.moveTo(c.centre("A6.D5"));
    input.key(KeyF5);
    if (c.step("F5 shows the track view", c.waitUntil([&] { return c.showing("A5.D5"); })))
        c.shoot("guide_4_track_view");
    input.key(KeyF5);
    if (!c.step("F5 returns to the desk", c.waitUntil([&] { return c.showing("A6.D5"); })))
        return;
    bringInFirstTrain(app, c, input);
    if (app.A1().Kolej1->text() == "6010")
        playOnAfterFirstTrain(app, c, input);
}

/**
 * The launcher, the settings, the intro and the menu, then a game started on
 * the desk. With the pointer parked over "Start" before the program started,
 * "Start" is one click where it rests, and the settings are left out.
 * @return whether the game runs.
 */
/**
 * Points at a control and clicks it where the pointer rests, once the
 * program shows the pointer over it (@p pointed): a click whose move the
 * program never saw (its window made anew under the pointer) follows the
 * last click as its second, a double click, which clicks nothing. Until
 * then the pointer is moved to the control at every look, a pixel to and
 * fro: a window mapped or moved under a resting pointer gets no move (the
 * window manager may move a window just mapped). Then waits until the
 * program has taken the click. @return whether it did.
 */
bool pointAndClick(Check &c, FakeInput &input, const QString &name, const std::function<bool()> &pointed)
{
    QPoint at = c.centre(name);
    input.moveTo(at);
    int looks = 0;
    const bool shown = c.waitUntil([&] {
        if (pointed())
            return true;
        at = c.centre(name) + QPoint(++looks % 2, 0);
        input.moveTo(at);
        return false;
    });
    return shown && c.clickTaken(input, at, true);
}

bool startGame(App &app, Check &c, FakeInput &input, std::optional<QPoint> parked)
{
    const QSize screen = QGuiApplication::primaryScreen()->size();
    if (!c.step("the launcher comes up", c.waitUntil([&] { return c.showing("A0.B1"); }) && c.withinScreen("A0")))
        return false;
    c.shoot("1_launcher");
    if (parked) {
        c.step("the pointer rests on Start", c.onScreen("A0.B1").contains(*parked));
        input.clickInPlace(*parked);
    } else {
        input.click(c.centre("A0.B2"));
        /* Framed anew, the window has the settings' size on the screen too: its OK lies within. */
        if (c.step("Možnosti opens the settings",
                   c.waitUntil([&] { return c.showing("A0.B4") && c.atOwnSize("A0"); }))) {
            c.shoot("1_settings");
            input.click(c.centre("A0.E4"));
            /* The launcher loses its frame: its window is made anew, where the form puts it. */
            c.step("OK returns to the launcher", c.waitUntil([&] {
                return !c.showing("A0.B4") && c.showing("A0.B1") && c.atFormsPlace("A0");
            }));
        }
        /* The caption under the pointer shows its back colour. */
        const auto *start = static_cast<const ui::Label *>(app.control("A0.B1"));
        pointAndClick(c, input, "A0.B1", [&] { return !start->transparent(); });
    }
    if (!c.step("Start shows the first slide", c.waitUntil([&] { return c.showing("A0.E5"); })))
        return false;
    c.step("the launcher grows to the screen", c.waitUntil([&] { return c.fillsScreen("A0"); }));
    c.shoot("2_intro");
    input.key(KeyReturn);
    c.step("Enter moves to the second slide", c.waitUntil([&] { return c.showing("A0.E6"); }));
    input.click(c.centre("A0.E6"));
    c.step("a click moves to the third slide", c.waitUntil([&] { return c.showing("A0.E7"); }));
    input.click(c.centre("A0.E7"));
    if (!c.step("the menu is laid out and shown", c.waitUntil([&] { return c.showing("A0.F0"); })))
        return false;
    c.step("the menu covers the screen", app.form("A0")->bounds().size() == screen && c.withinScreen("A0"));
    c.shoot("3_menu");
    input.click(c.centre("A0.F4"));
    if (!c.step("Hra opens the game page", c.waitUntil([&] { return c.showing("A0.G4"); })))
        return false;
    input.moveTo(c.centre("A0.H9"));
    c.waitUntil([&] { return app.control("A0.H8")->font().color == QColor(0, 0, 255); });
    c.shoot("4_game_page");
    input.click(c.centre("A0.H9"));
    if (!c.step("Spustit hru shows the desk", c.waitUntil([&] { return c.showing("A6.D5"); }) && c.withinScreen("A6")))
        return false;
    const QString shown = app.control("A6.H01")->caption();
    c.step("the clock runs", c.waitUntil([&] { return app.control("A6.H01")->caption() != shown; }));
    c.shoot("5_desk");
    return true;
}

/** Presses a key with the pointer over a view, whose window takes the keyboard then. */
void keyOn(Check &c, FakeInput &input, const QString &view, unsigned long key)
{
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    input.moveTo(c.onScreen(view + QStringLiteral(".D5")).intersected(screen).center());
    /* A window manager gives a window just shown the keyboard a moment later. */
    c.waitUntil([&] { return c.hasKeyboard(view); });
    input.key(key);
}

/** Switches from one view to another with a function key. @return whether the other is shown within the screen. */
bool switchView(Check &c, FakeInput &input, const QString &from, unsigned long key, const QString &to)
{
    keyOn(c, input, from, key);
    return c.waitUntil(
        [&] { return c.showing(to + QStringLiteral(".D5")) && !c.showing(from + ".D5") && c.withinScreen(to); });
}

/**
 * Every view of the game as it opens, each within the screen: the position
 * panel over the desk, the track view, the timetable window, box 1 and box 2.
 */
void showViews(App &app, Check &c, FakeInput &input)
{
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    input.moveTo(c.centre("A6.B2"));
    if (!c.step("the top edge shows the menu bar", c.waitUntil([&] { return c.showing("A6.B6"); })))
        return;
    input.moveTo(c.centre("A6.B9"));
    if (!c.step("pozice opens the position panel", c.waitUntil([&] { return c.showing("A6.C1"); })
                                                       && screen.contains(c.onScreen("A6.C1"))))
        return;
    input.moveTo(c.centre("A6.C4"));
    c.waitUntil([&] { return c.showing("A6.C9"); });
    c.shoot("6_position_panel");
    input.click(c.centre("A6.C4"));
    if (!c.step("the overview's track view opens it",
                c.waitUntil([&] { return c.showing("A5.D5"); }) && c.withinScreen("A5")))
        return;
    c.shoot("7_track_view");
    keyOn(c, input, "A5", KeyF4);
    ui::Form &a2 = *app.form("A2");
    const QString firstCell = "A2." + timetableCellName(1, 0);
    if (c.step("F4 opens the timetable window", c.waitUntil([&] { return c.showing(firstCell); }))) {
        c.step("the timetable window lies within the screen", c.withinScreen("A2"));
        c.shoot("7_timetable");
        /* Without a window manager there is no title bar: the window is asked to close as its close button does. */
        c.closeWindow("A2");
        c.step("closing the timetable window gives the track view back",
               c.waitUntil([&] { return !a2.visible() && app.form("A5")->enabled(); }));
    }
    if (!c.step("F6 shows box 1", switchView(c, input, "A5", KeyF6, "A7")))
        return;
    c.shoot("7_box1");
    if (!c.step("F7 shows box 2", switchView(c, input, "A7", KeyF7, "A8")))
        return;
    c.shoot("7_box2");
    c.step("F5 returns to the desk", switchView(c, input, "A8", KeyF5, "A6"));
}

/** How many times the window manager's pass opens and closes the timetable window under openbox. */
constexpr int TimetableCycles = 30;
/** How many times under fluxbox, whose pass is about the timetable window maximised. */
constexpr int FluxboxTimetableCycles = 5;
/** How long the player looks at the desk between closing the timetable window and opening it again. */
constexpr int BetweenCyclesMs = 600;
/** How many times the window manager's pass leaves the desk for the menu with the timetable window open. */
constexpr int MenuCycles = 3;
/** How many times the window manager's pass maximises the timetable window, closes it and opens it again. */
constexpr int MaximiseCycles = 2;

/** Opens the timetable window with F4 over the desk. @return whether the X server has it on the screen. */
bool openTimetable(App &app, Check &c, FakeInput &input, const screen::XWindows &x)
{
    const ui::Form &a2 = *app.form("A2");
    keyOn(c, input, "A6", KeyF4);
    /* Shown in front, it gets the keyboard. */
    return c.waitUntil([&] { return a2.visible() && x.viewable(c.xWindow("A2")) && c.hasKeyboard("A2"); });
}

/**
 * Clicks the close button of the title bar the window manager drew on the
 * timetable window (the bar's last, as wide as the bar is high): only a
 * window on top there takes the click. @return whether it closed and gave
 * the desk back.
 */
bool closeTimetable(App &app, Check &c, FakeInput &input, const screen::XWindows &x)
{
    const ui::Form &a2 = *app.form("A2");
    const ui::Form &a6 = *app.form("A6");
    const screen::FrameRect f = x.frame(c.xWindow("A2"));
    input.click(QPoint(f.left + f.width - 1 - f.titleHeight / 2, f.top + f.titleHeight / 2));
    return c.waitUntil([&] { return !a2.visible() && a6.enabled() && !x.viewable(c.xWindow("A2")); });
}

/** Prints where the timetable window stands in the program and on the screen. */
void reportTimetable(App &app, Check &c, const screen::XWindows &x, const char *what, int cycle)
{
    const unsigned long a2 = c.xWindow("A2");
    int width = 0, height = 0, left = 0, top = 0;
    x.size(a2, width, height);
    x.origin(a2, left, top);
    const QPoint taken = c.programOrigin("A2");
    const unsigned long active = x.active();
    const char *keyboard = active == 0              ? "no window"
                           : active == a2             ? "the timetable window"
                           : active == c.xWindow("A6") ? "the desk"
                                                      : "another window";
    std::printf("%s number %d: the timetable window is %s in the program, %s on the screen, %s by the window "
                "manager, %s the desk, %dx%d%s at %d,%d (%d,%d to the program), %s; the desk is %s; the keyboard "
                "is with %s\n",
                what, cycle, app.form("A2")->visible() ? "open" : "closed", x.viewable(a2) ? "shown" : "not shown",
                x.managed(a2) ? "taken" : "not taken", x.above(a2, c.xWindow("A6")) ? "above" : "not above", width,
                height, x.maximised(a2) ? " maximised" : "", left, top, taken.x(), taken.y(),
                c.showing("A2." + timetableCellName(1, 0)) ? "its rows shown" : "its rows not shown",
                app.form("A6")->enabled() ? "enabled" : "disabled", keyboard);
}

/**
 * The timetable window opened with F4 over the desk and closed with the
 * close button of the title bar the window manager drew, TimetableCycles
 * times at a player's pace. Each F4 must put the window on the screen (the
 * X server has it viewable, whatever the toolkit thinks) and each close
 * must give the desk back.
 */
void timetableUnderManager(App &app, Check &c, FakeInput &input, const screen::XWindows &x, int cycles)
{
    bool ok = true;
    for (int i = 1; ok && i <= cycles; ++i) {
        if (!openTimetable(app, c, input, x)) {
            reportTimetable(app, c, x, "F4", i);
            c.shoot("wm_timetable_not_shown");
            ok = false;
            break;
        }
        if (i == 1)
            c.shoot("wm_timetable");
        if (!closeTimetable(app, c, input, x)) {
            reportTimetable(app, c, x, "close", i);
            c.shoot("wm_timetable_not_closed");
            ok = false;
            break;
        }
        runFor(BetweenCyclesMs);
    }
    c.step("F4 puts the timetable window on the screen and its close button closes it, every time", ok);
}

/** Points at a row's image in the menu and clicks it once the menu shows the row under the pointer. */
bool clickMenuRow(App &app, Check &c, FakeInput &input, const char *image, const char *caption)
{
    const ui::Control *label = app.control(caption);
    return label && pointAndClick(c, input, image, [&] { return label->font().color == QColor(0, 0, 255); });
}

/**
 * The timetable window open, the window manager closes the desk: by its
 * close key (Alt+F4) after a click on the desk gives the desk the keyboard,
 * or (@p byKey false) asked by a tool. The menu comes back and the timetable
 * window stays open. "Hra" and "Pokračovat" bring the desk back, which takes
 * no input while the timetable window is open: the window must be above the
 * desk, and stay so when the desk is clicked again, where its close button
 * closes it and gives the desk back. MenuCycles times.
 */
void menuWithTimetableOpen(App &app, Check &c, FakeInput &input, const screen::XWindows &x, bool byKey)
{
    const ui::Form &a2 = *app.form("A2");
    const ui::Form &a6 = *app.form("A6");
    const QSize screen = QGuiApplication::primaryScreen()->size();
    /* Left of the centred timetable window, on the desk's own area. */
    const QPoint onDesk(screen.width() / 8, screen.height() / 2);
    bool ok = true;
    for (int i = 1; ok && i <= MenuCycles; ++i) {
        const char *failed = nullptr;
        if (!openTimetable(app, c, input, x)) {
            failed = "F4";
        } else if (byKey) {
            if (c.clickTaken(input, onDesk) && c.waitUntil([&] { return x.active() == c.xWindow("A6"); }))
                input.chord(KeyAlt, KeyF4);
            else
                failed = "the click on the desk";
        } else {
            x.askClose(c.xWindow("A6"));
        }
        if (!failed && (!c.waitUntil([&] { return c.showing("A0.F0") && !a6.visible(); }) || !a2.visible()))
            failed = "the close of the desk";
        if (!failed
            && (!clickMenuRow(app, c, input, "A0.F4", "A0.F5") || !c.waitUntil([&] { return c.showing("A0.H9"); })))
            failed = "Hra";
        if (!failed && !clickMenuRow(app, c, input, "A0.H9", "A0.H8"))
            failed = "the pointer on Pokračovat";
        /* The desk comes back, the timetable window above it with the keyboard. */
        if (!failed && !c.waitUntil([&] {
                return c.showing("A6.D5") && x.above(c.xWindow("A2"), c.xWindow("A6")) && c.hasKeyboard("A2");
            }))
            failed = "Pokračovat";
        /* The desk given the keyboard again keeps the window above it. */
        if (!failed && byKey) {
            if (!c.clickTaken(input, onDesk) || !c.waitUntil([&] { return x.active() == c.xWindow("A6"); })
                || !x.above(c.xWindow("A2"), c.xWindow("A6")))
                failed = "the click on the desk after it came back";
        }
        if (!failed && !closeTimetable(app, c, input, x))
            failed = "the close button";
        if (failed) {
            reportTimetable(app, c, x, failed, i);
            c.shoot("wm_menu_timetable");
            ok = false;
        }
    }
    c.step("the timetable window left open over the menu is above the desk when it comes back", ok);
}

/**
 * The timetable window maximised by the window manager, closed, and opened
 * again: it comes back at its own size, as first shown, not maximised.
 * MaximiseCycles times.
 */
void maximisedTimetable(App &app, Check &c, FakeInput &input, const screen::XWindows &x)
{
    const QString firstCell = "A2." + timetableCellName(1, 0);
    int ownWidth = 0, ownHeight = 0;
    bool ok = openTimetable(app, c, input, x) && c.waitUntil([&] { return c.atOwnSize("A2"); })
              && x.size(c.xWindow("A2"), ownWidth, ownHeight);
    if (!ok)
        reportTimetable(app, c, x, "F4 before maximising", 1);
    const auto ownSize = [&] {
        int width = 0, height = 0;
        return x.size(c.xWindow("A2"), width, height) && width == ownWidth && height == ownHeight;
    };
    for (int i = 1; ok && i <= MaximiseCycles; ++i) {
        const char *failed = nullptr;
        x.askMaximise(c.xWindow("A2"));
        if (!c.waitUntil([&] { return x.maximised(c.xWindow("A2")) && !ownSize(); }))
            failed = "maximise";
        else if (!closeTimetable(app, c, input, x))
            failed = "close";
        else if (!openTimetable(app, c, input, x)
                 || !c.waitUntil([&] { return c.showing(firstCell) && ownSize() && !x.maximised(c.xWindow("A2")); }))
            failed = "F4 after the maximised close";
        if (failed) {
            reportTimetable(app, c, x, failed, i);
            std::printf("its own size is %dx%d\n", ownWidth, ownHeight);
            c.shoot("wm_timetable_maximised");
            ok = false;
        }
    }
    ok = ok && closeTimetable(app, c, input, x);
    c.step("a maximised timetable window closed and opened again comes back at its own size", ok);
}

/** The window managers the check can run under. */
enum class Manager { None, Openbox, Fluxbox };

/**
 * The window manager's pass: the timetable window opened and closed, left
 * open over the menu and, under fluxbox (openbox offers no maximising of a
 * window of a fixed size), maximised; then the desk still takes keys.
 * fluxbox leaves the keyboard with the timetable window when the desk under
 * it is clicked, so there the desk's close is asked for as a tool does.
 */
void underManager(App &app, Check &c, FakeInput &input, const screen::XWindows &x, Manager manager)
{
    const bool openbox = manager == Manager::Openbox;
    timetableUnderManager(app, c, input, x, openbox ? TimetableCycles : FluxboxTimetableCycles);
    if (!openbox)
        maximisedTimetable(app, c, input, x);
    menuWithTimetableOpen(app, c, input, x, openbox);
    c.step("F5 then shows the track view", switchView(c, input, "A6", KeyF5, "A5"));
    c.step("F5 returns to the desk", switchView(c, input, "A5", KeyF5, "A6"));
}

/** Set when the program asks to end. */
bool quitAsked = false;

/** Back to the menu with Esc and out of the program with "Konec" and "Ano". */
void quitGame(Check &c, FakeInput &input)
{
    keyOn(c, input, "A6", KeyEscape);
    c.step("Esc returns to the menu", c.waitUntil([&] { return c.showing("A0.F0"); }));
    c.shoot("8_back_in_menu");
    input.click(c.centre("A0.G2"));
    if (c.step("Konec asks first", c.waitUntil([&] { return c.showing("A0.V1"); }))) {
        c.shoot("9_quit_question");
        input.click(c.centre("A0.V4"));
        /* The event loop runs now; the click's end of the program must end it. */
        QTimer::singleShot(HangMs, [] { QCoreApplication::exit(3); });
        const int rc = QApplication::exec();
        c.step("Ano ends the program", quitAsked && rc == 0);
    }
}

/** The program as it starts: the real platform, the launcher first, the other forms once it is painted. */
struct Program {
    Program()
    {
        const QSize size = QGuiApplication::primaryScreen()->size();
        app.ScreenWidth = size.width();
        app.ScreenHeight = size.height();
        app.currentScreen = [] { return QGuiApplication::primaryScreen()->size(); };
        app.onQuit = [] {
            quitAsked = true;
            QApplication::quit();
        };
    }

    /** Shows the launcher and waits for the other forms. @return whether they were made. */
    bool start()
    {
        starting.begin();
        app.A0().C3->setDirectory(QStringLiteral(KAMENNA_SOURCE_DATA_DIR));
        QElapsedTimer waited;
        waited.start();
        while (!starting.ready() && waited.elapsed() < HangMs)
            runFor(10);
        if (!starting.ready())
            std::fprintf(stderr, "the forms after the launcher were never made\n");
        return starting.ready();
    }

    platform::QtPlatform real;
    App app{real.platform};
    view::Front front{app};
    app::ProgramStart starting{app, front};
};

/** The tops of the launcher's captions "Start" and "Konec". */
constexpr int StartTop = 83;
constexpr int KonecTop = 179;

/**
 * @return the middle of a caption of the launcher (its top given) on the
 * screen, known before the program makes the launcher: a window of 400 x
 * 300 centred on the screen, its captions 321 x 37 at left 40.
 */
QPoint launcherCaption(int top)
{
    const QSize screen = QGuiApplication::primaryScreen()->size();
    return QPoint((screen.width() - 400) / 2 + 40 + 321 / 2, (screen.height() - 300) / 2 + top + 37 / 2);
}

/**
 * The pointer parked over "Konec" before the program starts, then one click
 * where it rests: the program ends, as "Konec" ends it. A program of its
 * own, since it ends. The pointer is parked through this process's own
 * connection: a virtual X server that loses its last client resets, and
 * puts the pointer back in the middle of the screen. @return whether it ended.
 */
bool parkedKonec(FakeInput &input, const screen::XWindows &x, const QString &out)
{
    const QPoint parked = launcherCaption(KonecTop);
    input.moveTo(parked);
    Program program;
    if (!program.start())
        return false;
    Check c(program.app, program.front, x, out);
    if (!c.step("the launcher comes up with the pointer resting on Konec",
                c.waitUntil([&] { return c.showing("A0.B3"); }) && c.onScreen("A0.B3").contains(parked)))
        return false;
    c.shoot("0_parked_konec");
    quitAsked = false;
    input.clickInPlace(parked);
    /* The event loop runs now; the click's end of the program must end it. */
    QObject guard;
    QTimer::singleShot(HangMs, &guard, [] { QCoreApplication::exit(3); });
    const int rc = QApplication::exec();
    return c.step("a click on Konec where the pointer rests ends the program", quitAsked && rc == 0);
}

/**
 * The window manager of the manager's pass: the one already on the display,
 * or the one named started for the check with its default settings (not the
 * user's), ended with the check.
 */
class WindowManager {
public:
    WindowManager() = default;
    WindowManager(const WindowManager &) = delete;
    WindowManager &operator=(const WindowManager &) = delete;

    ~WindowManager()
    {
        if (m_process.state() == QProcess::NotRunning)
            return;
        m_process.terminate();
        if (!m_process.waitForFinished(HangMs))
            m_process.kill();
    }

    /** @return whether a window manager holds the screen, the one named started now if none did. */
    bool start(const screen::XWindows &x, Manager manager, const QString &out)
    {
        if (!x.ready())
            return false;
        if (x.managerRuns())
            return true;
        /* openbox reads its settings under XDG_CONFIG_HOME, fluxbox under HOME. */
        const QString noSettings = out + QStringLiteral("/no-settings");
        QDir().mkpath(noSettings);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), noSettings);
        env.insert(QStringLiteral("HOME"), noSettings);
        m_process.setProcessEnvironment(env);
        m_process.setProcessChannelMode(QProcess::ForwardedChannels);
        QString program = QStringLiteral("openbox");
        QStringList arguments{QStringLiteral("--sm-disable")};
        if (manager == Manager::Fluxbox) {
            /* Without a wallpaper: its setter's complaint would be a window over the game's. The
               settings are of the present version, or fluxbox brings them up to date with its own;
               in a folder of their own, or fluxbox writes its own over them. */
            const QString folder = noSettings + QStringLiteral("/.fluxbox");
            if (!QDir().mkpath(folder) || !writeText(folder + QStringLiteral("/overlay"), "background: unset\n")
                || !writeText(folder + QStringLiteral("/init"), "session.configVersion: 13\n"))
                return false;
            program = QStringLiteral("fluxbox");
            arguments.clear();
        }
        m_process.start(program, arguments);
        if (!m_process.waitForStarted(HangMs)) {
            std::fprintf(stderr, "%s could not be started: %s\n", qPrintable(program),
                         qPrintable(m_process.errorString()));
            return false;
        }
        QElapsedTimer waited;
        waited.start();
        while (!x.managerRuns() && m_process.state() == QProcess::Running && waited.elapsed() < HangMs)
            runFor(10);
        return x.managerRuns();
    }

private:
    /** @return whether the file now holds the text. */
    static bool writeText(const QString &path, const QByteArray &text)
    {
        QFile file(path);
        return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(text) == text.size();
    }

    QProcess m_process;
};

/** The passes of the check. */
enum class Pass { Play, Layout, Manager };

/**
 * The game through the real window: the play pass (parked set, where the
 * pointer was parked over "Start") plays the guide's first trains too; the
 * manager's pass plays the timetable window under the window manager
 * instead of opening every view.
 */
int run(App &app, view::Front &front, FakeInput &input, const QString &out, Pass pass, std::optional<QPoint> parked,
        const screen::XWindows &x, Manager manager)
{
    Check c(app, front, x, out);
    if (!c.step("the X test extension is there", input.ready()))
        return 1;
    const QSize screen = QGuiApplication::primaryScreen()->size();
    const char *name = pass == Pass::Play     ? "play"
                       : pass == Pass::Layout ? "layout"
                       : manager == Manager::Fluxbox ? "window manager (fluxbox)"
                                                     : "window manager (openbox)";
    std::printf("screen %dx%d, %s\n", screen.width(), screen.height(), name);
    if (!startGame(app, c, input, parked))
        return 1;
    if (pass == Pass::Play)
        playFirstTrains(app, c, input);
    if (pass == Pass::Manager)
        underManager(app, c, input, x, manager);
    else
        showViews(app, c, input);
    quitGame(c, input);
    return c.failed() ? 1 : 0;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication qapp(argc, argv);
    const QByteArray option = argc == 3 ? QByteArray(argv[1]) : QByteArray();
    const Manager manager = option == "--wm"           ? Manager::Openbox
                            : option == "--wm=fluxbox" ? Manager::Fluxbox
                                                       : Manager::None;
    const Pass pass = option == "--layout" ? Pass::Layout : manager != Manager::None ? Pass::Manager : Pass::Play;
    if (argc != 2 && pass == Pass::Play) {
        std::fprintf(stderr, "usage: kamenna-screen-check [--layout | --wm | --wm=fluxbox] <folder for screenshots>\n"
                             "  plays the guide's first trains, or with --layout only opens every view,\n"
                             "  or with --wm plays the timetable window under openbox (--wm=fluxbox: fluxbox)\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[argc - 1]);
    QDir().mkpath(out);

    const screen::XWindows x;
    WindowManager windowManager;
    if (pass == Pass::Manager && !windowManager.start(x, manager, out)) {
        std::fprintf(stderr, "no window manager holds the screen\n");
        return 1;
    }
    FakeInput input;
    /* The play pass starts the program with the pointer parked on the launcher's captions. */
    const bool parking = pass == Pass::Play && input.ready();
    const bool konecEnds = !parking || parkedKonec(input, x, out);
    std::optional<QPoint> parked;
    if (parking) {
        parked = launcherCaption(StartTop);
        input.moveTo(*parked);
    }
    Program program;
    if (!program.start())
        return 1;
    const int rc = run(program.app, program.front, input, out, pass, parked, x, manager);
    return konecEnds ? rc : 1;
}
