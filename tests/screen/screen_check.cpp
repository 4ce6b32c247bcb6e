/**
 * @file screen_check.cpp The program on a real display, driven by real input: the launcher, the intro,
 * the menu, the desk and the track view come up and answer clicks and keys. Run under a virtual X
 * display (xvfb-run); input goes through the X server's test extension, and a screenshot of the whole
 * screen is kept of every stage in the folder given as the only argument.
 */
#include "app/program_start.h"
#include "core/app.h"
#include "core/form_a1.h"
#include "frame/form_a0.h"
#include "platform/qt_platform.h"
#include "view/form_window.h"
#include "view/front.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QScreen>
#include <QStyleHints>
#include <QThread>
#include <QTimer>

#include <dlfcn.h>

#include <cstdio>
#include <functional>

namespace {

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
        m_flush = reinterpret_cast<int (*)(void *)>(dlsym(x11, "XFlush"));
        m_keycode = reinterpret_cast<unsigned char (*)(void *, unsigned long)>(dlsym(x11, "XKeysymToKeycode"));
        m_motion = reinterpret_cast<int (*)(void *, int, int, int, unsigned long)>(dlsym(xtst, "XTestFakeMotionEvent"));
        m_button = reinterpret_cast<int (*)(void *, unsigned, int, unsigned long)>(dlsym(xtst, "XTestFakeButtonEvent"));
        m_key = reinterpret_cast<int (*)(void *, unsigned, int, unsigned long)>(dlsym(xtst, "XTestFakeKeyEvent"));
        if (open && m_flush && m_keycode && m_motion && m_button && m_key)
            m_display = open(nullptr);
    }

    bool ready() const { return m_display != nullptr; }

    void moveTo(QPoint p)
    {
        m_motion(m_display, -1, p.x(), p.y(), 0);
        m_flush(m_display);
    }

    void click(QPoint p)
    {
        moveTo(p);
        m_button(m_display, 1, 1, 0);
        m_button(m_display, 1, 0, 0);
        m_flush(m_display);
    }

    /** Presses at from, moves there to to in small steps, holds for ms and releases. */
    void drag(QPoint from, QPoint to, const std::function<void(int)> &wait)
    {
        moveTo(from);
        m_button(m_display, 1, 1, 0);
        m_flush(m_display);
        wait(50);
        const int steps = 10;
        for (int i = 1; i <= steps; ++i) {
            moveTo(from + (to - from) * i / steps);
            wait(20);
        }
        m_button(m_display, 1, 0, 0);
        m_flush(m_display);
    }

    /** Presses at p, holds the button for ms of the program's time, releases. */
    void hold(QPoint p, int ms, const std::function<void(int)> &wait)
    {
        moveTo(p);
        m_button(m_display, 1, 1, 0);
        m_flush(m_display);
        wait(ms);
        m_button(m_display, 1, 0, 0);
        m_flush(m_display);
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
        m_flush(m_display);
    }

private:
    void wheel(unsigned button)
    {
        m_button(m_display, button, 1, 0);
        m_button(m_display, button, 0, 0);
        m_flush(m_display);
    }

    void *m_display = nullptr;
    int (*m_flush)(void *) = nullptr;
    unsigned char (*m_keycode)(void *, unsigned long) = nullptr;
    int (*m_motion)(void *, int, int, int, unsigned long) = nullptr;
    int (*m_button)(void *, unsigned, int, unsigned long) = nullptr;
    int (*m_key)(void *, unsigned, int, unsigned long) = nullptr;
};

constexpr unsigned long KeyReturn = 0xff0d;
constexpr unsigned long KeyEscape = 0xff1b;
constexpr unsigned long KeyF5 = 0xffc2;

class Check {
public:
    Check(App &app, view::Front &front, const QString &out) : m_app(app), m_front(front), m_out(out) {}

    /** Lets the program run until the condition holds; false after the time is up. */
    bool waitUntil(const std::function<bool()> &condition, int ms = 10000)
    {
        QElapsedTimer t;
        t.start();
        while (!condition()) {
            if (t.elapsed() > ms)
                return false;
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
            QThread::msleep(5);
        }
        /* A little more, so the windows are painted before the next step or shot. */
        settle(150);
        return true;
    }

    void settle(int ms)
    {
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < ms)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }

    /** @return the screen point of a control's centre, through its form's window. */
    QPoint centre(const QString &name)
    {
        ui::Control *c = m_app.control(name);
        view::FormWindow *w = c ? m_front.window(*c->form()) : nullptr;
        if (!c || !w)
            return {};
        return w->mapToGlobal(c->formPos() + QPoint(c->width() / 2, c->height() / 2));
    }

    bool showing(const QString &name)
    {
        ui::Control *c = m_app.control(name);
        if (!c || !c->showing())
            return false;
        view::FormWindow *w = m_front.window(*c->form());
        return w && w->isVisible();
    }

    void shoot(const QString &stage)
    {
        QScreen *screen = QGuiApplication::primaryScreen();
        const QImage shot = screen->grabWindow(0).toImage();
        shot.save(m_out + QLatin1Char('/') + stage + QStringLiteral(".png"));
        std::printf("screenshot %s: %dx%d\n", qPrintable(stage), shot.width(), shot.height());
    }

    bool step(const char *what, bool ok)
    {
        std::printf("%s %s\n", ok ? "ok  " : "FAIL", what);
        std::fflush(stdout);
        if (!ok)
            m_failed = true;
        return ok;
    }

    bool failed() const { return m_failed; }

private:
    App &m_app;
    view::Front &m_front;
    QString m_out;
    bool m_failed = false;
};

/** Clicks ">" until the clock runs at 1024 x, or a call slows it down again. @return whether it runs so. */
bool speedUp(App &app, Check &c, FakeInput &input)
{
    TA1 &a1 = app.A1();
    /* Apart by more than a double click's time, or the second click of a pair is a double click. */
    for (int i = 0; i < 12 && a1.Rychlost->text() != QStringLiteral("1024"); ++i) {
        input.click(c.centre("A6.H04"));
        c.settle(QGuiApplication::styleHints()->mouseDoubleClickInterval() + 100);
    }
    return c.waitUntil([&] { return a1.Rychlost->text() == "1024"; }, 3000);
}

/** The clock sped up to 1024 x, then 6010's offer on line A answered and accepted. @return whether it was. */
bool acceptFirstOffer(App &app, Check &c, FakeInput &input)
{
    TA1 &a1 = app.A1();
    c.step("> speeds the clock up to 1024 x", speedUp(app, c, input));
    if (!c.step("line A rings with 6010's offer",
                c.waitUntil([&] { return a1.ZpravaA->text() == QStringLiteral("Nabídka vlaku 6010"); }, 20000)))
        return false;
    c.step("the ringing call slows the clock to 1 x", a1.Rychlost->text() == "1");
    c.shoot("guide_1_ringing");
    input.click(c.centre("A6.E1"));
    c.step("the handset lifts and the panel opens", c.waitUntil([&] { return c.showing("A6.G0"); }, 3000));
    input.click(c.centre("A6.F0"));
    if (!c.step("line A's key shows the answers", c.waitUntil([&] { return c.showing("A6.I4"); }, 3000)))
        return false;
    c.shoot("guide_2_offer");
    input.click(c.centre("A6.I4"));
    c.step("the green answer accepts 6010", c.waitUntil([&] { return a1.TratA->text() == "6010"; }, 3000));
    input.click(c.centre("A6.F0"));
    input.click(c.centre("A6.G6"));
    return c.step("Zavěsit puts the handset down", c.waitUntil([&] { return c.showing("A6.E1"); }, 3000));
}

/** 6010's arrival route to track 1 set on the desk: knob A, lock A, bell A and the entry lever. */
void setFirstRoute(App &app, Check &c, FakeInput &input)
{
    TA1 &a1 = app.A1();
    const auto wait = [&](int ms) { c.settle(ms); };
    /* The block instrument lies to the right: the mouse wheel scrolls the desk sideways. */
    const QSize screen = QGuiApplication::primaryScreen()->size();
    input.moveTo(QPoint(screen.width() / 2, screen.height() / 2));
    for (int i = 0; i < 20 && c.centre("A6.ZavernikB").x() > screen.width() - 100; ++i) {
        input.wheelDown();
        c.settle(100);
    }
    c.step("the wheel brings the block instrument into sight", c.centre("A6.ZavernikB").x() < screen.width() - 100);
    /* The knob moves a step at a time: short strokes up until it stands on track 1, 828 px below the block. */
    const int track1 = app.control("A6.Blok")->top() + 828;
    for (int i = 0; i < 5 && app.control("A6.KnoflikA")->top() > track1; ++i) {
        const QPoint knob = c.centre("A6.KnoflikA");
        input.drag(knob, knob - QPoint(0, 8), wait);
    }
    const QPoint lock = c.centre("A6.ZavernikA");
    input.drag(lock, lock - QPoint(30, 0), wait);
    c.step("knob A on track 1 and lock A turned for the entry",
           c.waitUntil([&] { return a1.CestaA->value() == 1; }, 3000));
    input.hold(c.centre("A6.ZvonekA"), 600, wait);
    input.hold(c.centre("A6.PakaNavBOd"), 1300, wait);
    c.step("bell A and the entry lever give the release", c.waitUntil([&] { return a1.NavBOd->value() == 5; }, 3000));
    c.shoot("guide_3_route");
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
    c.waitUntil([&] { return c.showing("A6.G0"); }, 3000);
    input.click(c.centre(key));
    c.waitUntil([&] { return c.showing("A6.I4") || c.showing("A6.I6"); }, 3000);
    input.click(c.centre(c.showing("A6.I4") ? "A6.I4" : "A6.I6"));
    c.settle(200);
    input.click(c.centre(key));
    input.click(c.centre("A6.G6"));
    return c.waitUntil([&] { return c.showing("A6.E1"); }, 3000);
}

/**
 * 6010 comes in: the desk scrolled back to the telephone, the clock sped
 * up, and every call of the next minutes answered, until the train stands
 * on track 1.
 */
void bringInFirstTrain(App &app, Check &c, FakeInput &input)
{
    TA1 &a1 = app.A1();
    const QSize screen = QGuiApplication::primaryScreen()->size();
    input.moveTo(QPoint(screen.width() / 2, screen.height() / 2));
    for (int i = 0; i < 20 && c.centre("A6.E0").x() < 100; ++i) {
        input.wheelUp();
        c.settle(100);
    }
    c.step("the wheel brings the telephone back into sight", c.centre("A6.E0").x() >= 100);
    const std::pair<ui::Edit *, const char *> lines[3] = {{a1.ZpravaA, "A6.F0"}, {a1.ZpravaB, "A6.F2"}, {a1.ZpravaC, "A6.F1"}};
    const auto in = [&] { return a1.Kolej1->text() == "6010" && !a1.TimerVlakAOd->enabledFlag(); };
    QElapsedTimer spent;
    spent.start();
    int answered = 0;
    while (!in() && spent.elapsed() < 180000) {
        bool rang = false;
        for (const auto &[call, key] : lines)
            if (call->color() == QColor(255, 0, 0)) {
                rang = true;
                answered += answerCall(c, input, key) ? 1 : 0;
            }
        /* The run onto the track is drawn in real time: the clock goes back to 1 x meanwhile. */
        if (a1.TimerVlakAOd->enabledFlag()) {
            if (a1.Rychlost->text() != "1")
                input.click(c.centre("A6.H03"));
        } else if (rang || a1.Rychlost->text() != "1024") {
            speedUp(app, c, input);
        }
        c.settle(200);
    }
    std::printf("  %d calls answered on the way\n", answered);
    if (c.step("6010 comes in and stands on track 1", in())) {
        input.key(KeyF5);
        if (c.step("F5 shows 6010 in the track view", c.waitUntil([&] { return c.showing("A5.D5"); }, 3000)))
            c.shoot("guide_5_train_in");
        input.key(KeyF5);
        c.waitUntil([&] { return c.showing("A6.D5"); }, 3000);
    }
}

/**
 * The guide's first train through the real window: 6010's offer accepted on
 * the telephone, its arrival route set on the desk, and the track view.
 * Keeps a screenshot of each step, as the guide shows them.
 */
void playFirstTrain(App &app, Check &c, FakeInput &input)
{
    if (!acceptFirstOffer(app, c, input))
        return;
    setFirstRoute(app, c, input);
    input.moveTo(c.centre("A6.D5"));
    input.key(KeyF5);
    if (c.step("F5 shows the track view", c.waitUntil([&] { return c.showing("A5.D5"); }, 3000)))
        c.shoot("guide_4_track_view");
    input.key(KeyF5);
    if (c.step("F5 returns to the desk", c.waitUntil([&] { return c.showing("A6.D5"); }, 3000)))
        bringInFirstTrain(app, c, input);
}

/** Set when the program asks to end. */
bool quitAsked = false;

int run(App &app, view::Front &front, const QString &out)
{
    FakeInput input;
    Check c(app, front, out);
    if (!c.step("the X test extension is there", input.ready()))
        return 1;
    const QSize screen = QGuiApplication::primaryScreen()->size();
    std::printf("screen %dx%d\n", screen.width(), screen.height());

    if (!c.step("the launcher comes up", c.waitUntil([&] { return c.showing("A0.B1"); })))
        return 1;
    c.shoot("1_launcher");
    input.click(c.centre("A0.B2"));
    if (c.step("Možnosti opens the settings", c.waitUntil([&] { return c.showing("A0.B4"); }, 3000))) {
        c.shoot("1_settings");
        input.click(c.centre("A0.E4"));
        c.step("OK returns to the launcher", c.waitUntil([&] { return !c.showing("A0.B4"); }, 3000));
    }
    input.click(c.centre("A0.B1"));
    if (!c.step("Start shows the first slide", c.waitUntil([&] { return c.showing("A0.E5"); })))
        return 1;
    c.shoot("2_intro");
    input.key(KeyReturn);
    c.step("Enter moves to the second slide", c.waitUntil([&] { return c.showing("A0.E6"); }));
    input.click(c.centre("A0.E6"));
    c.step("a click moves to the third slide", c.waitUntil([&] { return c.showing("A0.E7"); }));
    input.click(c.centre("A0.E7"));
    if (!c.step("the menu is laid out and shown", c.waitUntil([&] { return c.showing("A0.F0"); })))
        return 1;
    c.step("the menu covers the screen", app.form("A0")->bounds().size() == screen);
    c.shoot("3_menu");
    input.click(c.centre("A0.F4"));
    if (!c.step("Hra opens the game page", c.waitUntil([&] { return c.showing("A0.G4"); })))
        return 1;
    input.moveTo(c.centre("A0.H9"));
    c.waitUntil([&] { return app.control("A0.H8")->font().color == QColor(0, 0, 255); }, 3000);
    c.shoot("4_game_page");
    input.click(c.centre("A0.H9"));
    if (!c.step("Spustit hru shows the desk", c.waitUntil([&] { return c.showing("A6.D5"); })))
        return 1;
    c.step("the clock runs", c.waitUntil([&] { return app.control("A6.H01")->caption() != "00:00:00"; }, 5000));
    c.shoot("5_desk");
    playFirstTrain(app, c, input);
    input.moveTo(c.centre("A6.B2"));
    if (c.step("the top edge shows the menu bar", c.waitUntil([&] { return c.showing("A6.B6"); }, 3000))) {
        input.moveTo(c.centre("A6.B9"));
        if (c.step("pozice opens the position panel", c.waitUntil([&] { return c.showing("A6.C1"); }, 3000))) {
            input.moveTo(c.centre("A6.C4"));
            c.waitUntil([&] { return c.showing("A6.C9"); }, 3000);
            c.shoot("6_position_panel");
            input.click(c.centre("A6.C4"));
            c.step("the overview's track view opens it", c.waitUntil([&] { return c.showing("A5.D5"); }, 3000));
            c.shoot("7_track_view");
        }
    }
    if (c.showing("A5.D5")) {
        input.moveTo(c.centre("A5.D5"));
        input.key(KeyF5);
        c.step("F5 returns to the desk", c.waitUntil([&] { return c.showing("A6.D5"); }, 3000));
    }
    input.moveTo(c.centre("A6.D5"));
    input.key(KeyEscape);
    c.step("Esc returns to the menu", c.waitUntil([&] { return c.showing("A0.F0"); }, 3000));
    c.shoot("8_back_in_menu");
    input.click(c.centre("A0.G2"));
    if (c.step("Konec asks first", c.waitUntil([&] { return c.showing("A0.V1"); }, 3000))) {
        c.shoot("9_quit_question");
        input.click(c.centre("A0.V4"));
        /* The event loop runs now; the click's end of the program must end it. */
        QTimer::singleShot(5000, [] { QCoreApplication::exit(3); });
        const int rc = QApplication::exec();
        c.step("Ano ends the program", quitAsked && rc == 0);
    }
    return c.failed() ? 1 : 0;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication qapp(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: kamenna-screen-check <folder for the screenshots>\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(out);

    platform::QtPlatform real;
    App app(real.platform);
    const QSize size = QGuiApplication::primaryScreen()->size();
    app.ScreenWidth = size.width();
    app.ScreenHeight = size.height();
    app.currentScreen = [] { return QGuiApplication::primaryScreen()->size(); };
    view::Front front(app);
    app.onQuit = [] {
        quitAsked = true;
        QApplication::quit();
    };
    /* As the program starts: the launcher first, the other forms once it is painted. */
    app::ProgramStart start(app, front);
    start.begin();
    app.A0().C3->setDirectory(QStringLiteral(KAMENNA_SOURCE_DATA_DIR));
    QElapsedTimer waited;
    waited.start();
    while (!start.ready() && waited.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    if (!start.ready()) {
        std::fprintf(stderr, "the forms after the launcher were never made\n");
        return 1;
    }
    return run(app, front, out);
}
