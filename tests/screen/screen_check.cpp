/**
 * @file screen_check.cpp The program on a real display, driven by real input: the launcher, the intro,
 * the menu, the desk and the track view come up and answer clicks and keys. Run under a virtual X
 * display (xvfb-run); input goes through the X server's test extension, and a screenshot of the whole
 * screen is kept of every stage in the folder given as the only argument.
 */
#include "app/program_start.h"
#include "core/app.h"
#include "core/form_a1.h"
#include "core/form_a2.h"
#include "frame/form_a0.h"
#include "platform/qt_platform.h"
#include "view/form_window.h"
#include "view/front.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QListWidget>
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

/** Clicks ">" until the clock runs at speed (1024 x at most), or a call slows it down again. @return whether it runs so. */
bool speedUp(App &app, Check &c, FakeInput &input, const QString &speed = QStringLiteral("1024"))
{
    TA1 &a1 = app.A1();
    /* Apart by more than a double click's time, or the second click of a pair is a double click. */
    for (int i = 0; i < 12 && a1.Rychlost->text() != speed; ++i) {
        input.click(c.centre("A6.H04"));
        c.settle(QGuiApplication::styleHints()->mouseDoubleClickInterval() + 100);
    }
    return c.waitUntil([&] { return a1.Rychlost->text() == speed; }, 3000);
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

const QColor Orange(255, 128, 0), Aqua(0, 255, 255), Lime(0, 255, 0);

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

/** Turns the wheel over the desk until a control stands inside the screen. @return whether it does. */
bool scrollDeskTo(Check &c, FakeInput &input, const QString &name)
{
    const QSize screen = QGuiApplication::primaryScreen()->size();
    input.moveTo(QPoint(screen.width() / 2, screen.height() / 2));
    for (int i = 0; i < 30; ++i) {
        const int x = c.centre(name).x();
        if (x >= 100 && x <= screen.width() - 100)
            return true;
        if (x < 100)
            input.wheelUp();
        else
            input.wheelDown();
        c.settle(100);
    }
    return false;
}

/** Clicks "1 x" so the desk's levers and bells are held for real seconds of the program. */
void realTime(App &app, Check &c, FakeInput &input)
{
    if (app.A1().Rychlost->text() != "1")
        input.click(c.centre("A6.H03"));
    c.waitUntil([&] { return app.A1().Rychlost->text() == "1"; }, 3000);
}

/**
 * Lets the day run at speed, answering every call on the telephone, until
 * done holds; while running holds (a train run drawn in real time) the
 * clock stays at 1 x. @return whether done held within ms.
 */
bool playUntil(App &app, Check &c, FakeInput &input, const std::function<bool()> &done,
               const std::function<bool()> &running, int ms, const QString &speed = QStringLiteral("1024"))
{
    TA1 &a1 = app.A1();
    scrollDeskTo(c, input, "A6.E0");
    const std::pair<ui::Edit *, const char *> lines[3] = {{a1.ZpravaA, "A6.F0"}, {a1.ZpravaB, "A6.F2"}, {a1.ZpravaC, "A6.F1"}};
    QElapsedTimer spent;
    spent.start();
    while (!done() && spent.elapsed() < ms) {
        bool rang = false;
        for (const auto &[call, key] : lines)
            if (call->color() == QColor(255, 0, 0)) {
                rang = true;
                std::printf("  answered: %s\n", qPrintable(call->text()));
                answerCall(c, input, key);
            }
        if (running())
            realTime(app, c, input);
        else if (rang || a1.Rychlost->text() != speed)
            speedUp(app, c, input, speed);
        c.settle(200);
    }
    return done();
}

/** Lifts the handset, takes a line, dials and waits for the neighbour. @return whether he answered. */
bool ring(App &app, Check &c, FakeInput &input, const char *key)
{
    scrollDeskTo(c, input, "A6.E0");
    if (c.showing("A6.E1"))
        input.click(c.centre("A6.E1"));
    c.waitUntil([&] { return c.showing("A6.G0"); }, 3000);
    input.click(c.centre(key));
    c.settle(200);
    input.click(c.centre("A6.E2"));
    return c.waitUntil([&] { return app.control("A6.G2")->enabled(); }, 5000);
}

/** Chooses a message kind and the train of timetable row r, and says it with "Sdělit". */
void say(App &app, Check &c, FakeInput &input, const QString &kind, int r)
{
    static const char *const labels[16] = {"G7", "G8", "G9", "H0", "H1", "H2", "H3", "H4",
                                           "H5", "H6", "H7", "H8", "H9", "I0", "I1", "I2"};
    auto *list = static_cast<ui::ListBox *>(app.control("A6.G2"));
    input.click(c.rowCentre("A6.G2", list->items().indexOf(kind)));
    c.settle(200);
    input.click(c.centre(QStringLiteral("A6.") + labels[r - 1]));
    c.settle(200);
    input.click(c.centre("A6.G5"));
    c.settle(300);
}

/** Releases the line key and puts the handset down. @return whether it is down. */
bool hangUp(Check &c, FakeInput &input, const char *key)
{
    input.click(c.centre(key));
    input.click(c.centre("A6.G6"));
    return c.waitUntil([&] { return c.showing("A6.E1"); }, 3000);
}

/** @return the second line of the telephone's memo: the neighbour's answer. */
QString answerLine(App &app)
{
    auto *memo = static_cast<ui::Memo *>(app.control("A6.G1"));
    return memo->lines().value(2);
}

/** Drags a track knob a stop at a time until it stands at position below the block, or stops moving. */
void knobTo(App &app, Check &c, FakeInput &input, const QString &knob, int position)
{
    const auto wait = [&](int ms) { c.settle(ms); };
    const auto rel = [&] { return app.control(knob)->top() - app.control("A6.Blok")->top(); };
    for (int i = 0; i < 10 && rel() != position; ++i) {
        const int before = rel();
        const QPoint at = c.centre(knob);
        input.drag(at, at + QPoint(0, position > before ? 8 : -8), wait);
        c.settle(100);
        if (rel() == before)
            return;
    }
}

/** Drags a route lock sideways: dx < 0 to the left, > 0 to the right. */
void turnLock(Check &c, FakeInput &input, const QString &lock, int dx)
{
    const QPoint at = c.centre(lock);
    input.drag(at, at + QPoint(dx, 0), [&](int ms) { c.settle(ms); });
    c.settle(200);
}

/** 6010's arrival reported to Horní Lom by telephone and its arrival route taken back on the desk. */
bool reportFirstArrival(App &app, Check &c, FakeInput &input, int r6010)
{
    TA1 &a1 = app.A1();
    realTime(app, c, input);
    if (!c.step("the dial reaches Horní Lom", ring(app, c, input, "A6.F0")))
        return false;
    say(app, c, input, QStringLiteral("Telefonická odhláška"), r6010);
    c.step("Horní Lom understands 6010's arrival",
           answerLine(app) == QStringLiteral("Vlak 6010 v Kamenné. Rozuměl Zelený."));
    hangUp(c, input, "A6.F0");
    c.step("line A is free", c.waitUntil([&] { return a1.TratA->text() == QStringLiteral("Volná"); }, 3000));
    c.step("the wheel brings the block instrument into sight", scrollDeskTo(c, input, "A6.ZavernikA"));
    input.hold(c.centre("A6.PakaZavB"), 2200, [&](int ms) { c.settle(ms); });
    c.step("the route-lock lever takes the route back", c.waitUntil([&] { return a1.ZavB->value() == 1; }, 3000));
    turnLock(c, input, "A6.ZavernikA", 30);
    return c.step("lock A back in the middle", c.waitUntil([&] { return a1.CestaA->value() == 0; }, 3000));
}

/** 6010 offered onward to Horní Lom once its departure cell is orange, and its exit route laid. */
bool offerFirstTrainOut(App &app, Check &c, FakeInput &input, int r6010)
{
    TA1 &a1 = app.A1();
    const auto none = [] { return false; };
    /* At 64 x the check sees the cell change within a minute or two of the day, as a player would. */
    if (!c.step("6010's departure cell turns orange",
                playUntil(app, c, input, [&] { return departureOf(app, r6010) == Orange; }, none, 60000, "64")))
        return false;
    realTime(app, c, input);
    if (!c.step("the dial reaches Horní Lom again", ring(app, c, input, "A6.F0")))
        return false;
    say(app, c, input, QStringLiteral("Nabídka vlaku"), r6010);
    c.step("Horní Lom accepts 6010",
           answerLine(app).startsWith(QStringLiteral("Ano, přijímám vlak 6010 s odjezdem z Kamenné v ")));
    c.shoot("guide_6_offer_out");
    hangUp(c, input, "A6.F0");
    c.step("6010's departure cell turns yellow",
           c.waitUntil([&] { return departureOf(app, r6010) == QColor(255, 255, 0); }, 3000));
    scrollDeskTo(c, input, "A6.ZavernikA");
    turnLock(c, input, "A6.ZavernikA", 30);
    c.step("lock A turned right for the exit", c.waitUntil([&] { return a1.CestaA->value() == 1; }, 3000));
    const auto wait = [&](int ms) { c.settle(ms); };
    input.hold(c.centre("A6.ZvonekA"), 600, wait);
    input.hold(c.centre("A6.PakaNavBDo"), 1300, wait);
    return c.step("bell A and the exit lever give the release", c.waitUntil([&] { return a1.NavBDo->value() == 5; }, 3000));
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

/** When 6010's departure cell turns aqua, a click on the train in the track view sends it away. */
void dispatchFirstTrain(App &app, Check &c, FakeInput &input, int r6010)
{
    TA1 &a1 = app.A1();
    const auto none = [] { return false; };
    c.step("S1 clears and 6010's departure cell turns aqua",
           playUntil(
               app, c, input, [&] { return a1.C35->color() == Lime && departureOf(app, r6010) == Aqua; }, none, 60000,
               "64"));
    realTime(app, c, input);
    input.key(KeyF5);
    if (!c.step("F5 shows the track view", c.waitUntil([&] { return c.showing("A5.D5"); }, 3000)))
        return;
    input.click(vehicleOn(c, QLatin1Char('L')));
    c.step("a click on 6010 dispatches it", c.waitUntil([&] { return departureOf(app, r6010) == Lime; }, 3000));
    c.settle(4000);
    c.shoot("guide_7_6010_leaves");
    c.step("6010 leaves track 1",
           c.waitUntil([&] { return a1.Kolej1->text() == QStringLiteral("Volná"); }, 120000));
    input.key(KeyF5);
    c.step("F5 returns to the desk", c.waitUntil([&] { return c.showing("A6.D5"); }, 3000));
}

/** Line C's consent to Vrbská and 2622's route to track 5, then its calls answered until it stands there. */
void bringIn2622(App &app, Check &c, FakeInput &input)
{
    TA1 &a1 = app.A1();
    const auto wait = [&](int ms) { c.settle(ms); };
    realTime(app, c, input);
    c.step("the wheel brings line C's levers into sight", scrollDeskTo(c, input, "A6.PakaTSCH"));
    input.hold(c.centre("A6.PakaTSCH"), 3300, wait);
    c.step("the consent lever gives line C's consent", c.waitUntil([&] { return a1.TSCH->value() == 6; }, 3000));
    scrollDeskTo(c, input, "A6.ZavernikC");
    knobTo(app, c, input, "A6.KnoflikC", 804);
    turnLock(c, input, "A6.ZavernikC", 30);
    c.step("knob C on track 5 and lock C turned right for the entry",
           c.waitUntil([&] { return a1.CestaC->value() == 5; }, 3000));
    input.hold(c.centre("A6.ZvonekC"), 600, wait);
    input.hold(c.centre("A6.PakaNavCHOd"), 1300, wait);
    c.step("bell C and the entry lever give the release", c.waitUntil([&] { return a1.NavCHOd->value() == 5; }, 3000));
    const auto in = [&] { return a1.Kolej5->text() == "2622" && !a1.TimerVlakCOd->enabledFlag(); };
    if (c.step("2622 comes in and stands on track 5",
               playUntil(app, c, input, in, [&] { return a1.TimerVlakCOd->enabledFlag(); }, 150000))) {
        input.key(KeyF5);
        if (c.step("F5 shows 2622 in the track view", c.waitUntil([&] { return c.showing("A5.D5"); }, 3000)))
            c.shoot("guide_8_2622_in");
        input.key(KeyF5);
        c.waitUntil([&] { return c.showing("A6.D5"); }, 3000);
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
    dispatchFirstTrain(app, c, input, r6010);
    if (app.A1().Kolej1->text() == QStringLiteral("Volná"))
        bringIn2622(app, c, input);
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
    if (!c.step("F5 returns to the desk", c.waitUntil([&] { return c.showing("A6.D5"); }, 3000)))
        return;
    bringInFirstTrain(app, c, input);
    if (app.A1().Kolej1->text() == "6010")
        playOnAfterFirstTrain(app, c, input);
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
