/** @file bench.cpp Measures the headless simulation and the real program's tick rate at speed "1024". */
#include "app/program_start.h"
#include "core/app.h"
#include "core/form_a1.h"
#include "core/form_a2.h"
#include "devices/form_a6.h"
#include "trackview/form_a5.h"
#include "frame/form_a0.h"
#include "harness/dispatcher.h"
#include "harness/harness.h"
#include "platform/qt_platform.h"
#include "view/front.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QHash>
#include <QProcess>
#include <QScreen>
#include <QWidget>
#include <QTimer>

#include <algorithm>
#include <functional>
#include <cstdio>
#include <ctime>
#include <vector>

namespace {

/** The argument that makes the benchmark a child process measuring the start-up. */
constexpr char StartupChildArg[] = "--startup-child";

/**
 * Counts the repaints of each top-level window. One repaint sends paint
 * events to the window's dirty widgets one after another, so a run of
 * paint events for one window, with no other event between, is one repaint.
 */
class PaintCounter : public QObject {
public:
    PaintCounter() { qApp->installEventFilter(this); }
    ~PaintCounter() override { qApp->removeEventFilter(this); }
    /** Forgets the counts so far. */
    void reset() { m_counts.clear(); }
    /** @return the most repaints any one window had. */
    int busiestWindow() const
    {
        int most = 0;
        for (int n : m_counts)
            most = std::max(most, n);
        return most;
    }

protected:
    bool eventFilter(QObject *o, QEvent *e) override
    {
        QObject *window = nullptr;
        if (e->type() == QEvent::Paint && o->isWidgetType())
            window = static_cast<QWidget *>(o)->window();
        if (window && window != m_painting)
            ++m_counts[window];
        m_painting = window;
        return false;
    }

private:
    QHash<QObject *, int> m_counts; ///< Repaints by window.
    QObject *m_painting = nullptr;  ///< The window whose paint events came last, null after another event.
};

/** @return the simulated clock of a store in seconds since midnight. */
long clockSeconds(const TA1 &a1)
{
    return a1.Hodina->line(0).toLong() * 3600 + a1.Minuta->line(0).toLong() * 60 + a1.Sekunda->text().toLong();
}

/** A simulated day of ticks at the top speed, headless on virtual time, with a game running. */
void benchHeadlessDay()
{
    Harness h;
    /* The neighbours' calls wait unanswered all day; without this option they would
       hold the clock at real speed, and the day would measure the other timers. */
    h.check("A1.KodRychTel", false);
    h.click("A0.H9");
    h.type("A1.Rychlost", "1024");
    h.ticks(1); // the tick that applies the new interval
    const int ticks = 86400;
    QElapsedTimer t;
    t.start();
    h.ticks(ticks);
    const double secs = t.nsecsElapsed() / 1e9;
    std::printf("headless_day_seconds: %.4f\n", secs);
    std::printf("headless_ticks_per_second: %.0f\n", ticks / secs);
}

/** @return the CPU time the process has used, in seconds. */
double cpuSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return t.tv_sec + t.tv_nsec / 1e9;
}

/**
 * The built-in day from 7:15 round to 7:14, headless, with every train
 * worked by the careful scripted dispatcher and both signalmen on. The
 * dispatcher lets the clock fly at "1024" while nothing moves and slows it
 * to "1" while a train runs, so the day holds all the timers' work.
 */
void benchHeadlessFullTraffic()
{
    Harness h;
    h.click("A0.H9");
    Dispatcher d(h);
    const double start = cpuSeconds();
    const double programStart = h.programSeconds();
    const long first = clockSeconds(h.app().A1());
    d.playUntil(7, 14);
    const double total = cpuSeconds() - start;
    const double secs = h.programSeconds() - programStart;
    long ticks = clockSeconds(h.app().A1()) - first;
    if (ticks <= 0)
        ticks += 86400;
    std::printf("headless_day_full_traffic_seconds: %.4f\n", secs);
    std::printf("headless_full_traffic_ticks_per_second: %.0f\n", ticks / secs);
    std::printf("headless_day_full_traffic_with_dispatcher_cpu_seconds: %.4f\n", total);
    int through = 0;
    for (const auto &[number, t] : d.trains())
        through += t.handedOver ? 1 : 0;
    std::printf("headless_full_traffic_trains: %d handed over of %d\n", through, int(d.trains().size()));
}

/** @return the look-ahead due key (columns 9-12, "0721") that the clock's next minute will mark. */
QString nextMinuteDueColumns(const TA1 &a1)
{
    int hour = a1.Hodina->line(5).toInt();
    int minute = a1.Minuta->line(5).toInt() + 1;
    if (minute == 60) {
        minute = 0;
        hour = (hour + 1) % 24;
    }
    return QStringLiteral("%1%2").arg(hour, 2, 10, QChar('0')).arg(minute, 2, 10, QChar('0'));
}

/**
 * Ticks while 50,000 due timetable lines wait for a row of a full group:
 * a waiting line may cost only the look at its group, never its parsing
 * or its pictures. The lines fall due all at once, through the marking,
 * at the minute before the measure.
 */
void benchPlacingWaiting()
{
    Harness h;
    h.click("A0.H9");
    h.type("A1.Rychlost", "1024");
    h.ticks(1);
    App &app = h.app();
    TA1 &a1 = app.A1();
    /* A fast train from line C to line A with a locomotive and three coaches, and a note. */
    QString line = QStringLiteral("110077130708071507  1010717072710    003009008007000000000000000000R Kamenáč");
    a1.Grafikon->setLines({QStringLiteral("Lavina vlaků")});
    for (int r = 1; r <= 4; ++r)
        app.A2().row(r).trainNumber->setText(QStringLiteral("9"));
    while (a1.Sekunda->text() != QLatin1String("59"))
        h.ticks(1);
    line.replace(8, 4, nextMinuteDueColumns(a1));
    app.TimetableTrainLines.assign(50000, line);
    app.TimetableTrainStates.assign(50000, 0);
    h.ticks(1);
    if (app.TimetableTrainStates.back() != 1)
        std::printf("placing_50000_waiting: the lines did not fall due\n");
    const int ticks = 2000;
    QElapsedTimer t;
    t.start();
    h.ticks(ticks);
    std::printf("placing_50000_waiting_ms_per_tick: %.4f\n", t.nsecsElapsed() / 1e6 / ticks);
}

/** The real program on the Qt event loop at speed "1024": ticks achieved per real second. */
void benchRealtime1024()
{
    platform::QtPlatform real;
    App app(real.platform);
    view::Front front(app);
    app.createForms();
    app.A0().C3->setDirectory(QStringLiteral(KAMENNA_SOURCE_DATA_DIR));
    app.A0().show();
    app.A1().Rychlost->setText(QStringLiteral("1024"));

    const int measureMs = 3000;
    long startSeconds = 0;
    QElapsedTimer wall;
    PaintCounter paints;
    /* Let the first tick apply the interval, then measure. */
    QTimer::singleShot(1100, [&] {
        app.A0().hide();
        app.A6().show();
        startSeconds = clockSeconds(app.A1());
        paints.reset();
        wall.start();
        QTimer::singleShot(measureMs, [&] { QApplication::quit(); });
    });
    QApplication::exec();
    long ticks = clockSeconds(app.A1()) - startSeconds;
    if (ticks < 0)
        ticks += 86400;
    const double secs = wall.elapsed() / 1000.0;
    std::printf("realtime_1024_ticks_per_second: %.0f\n", ticks / secs);
    std::printf("paints_per_second_at_1024: %.0f\n", paints.busiestWindow() / secs);
}

/**
 * The real Qt loop and windows (offscreen) with a game of traffic: the
 * careful dispatcher plays the built-in day from 7:15, and once trains are
 * on the lines (7:40) the clock's ticks are driven by a 1 ms timer of the
 * real timer engine, as the clock at "1024" is, for 20 s, with the desk
 * and the track view shown. Each tick is one step of the dispatcher. When
 * he slows the game to watch a run, a tick carries a whole simulated
 * second of the other timers' work, so this is the heavier side of 1024.
 */
void benchRealtimeTraffic()
{
    Harness h;
    view::Front front(h.app());
    h.click("A0.H9");
    Dispatcher d(h);
    d.playUntil(7, 40);
    h.app().A0().hide();
    h.app().A5().show();
    h.app().A6().show();

    platform::QtTimerEngine engine;
    long ticks = 0;
    const int clock = engine.create([&] {
        d.playTicks(1);
        ++ticks;
    });
    const int measureMs = 20000;
    PaintCounter paints;
    QElapsedTimer wall;
    wall.start();
    engine.start(clock, 1);
    /* exit, not quit: quitting asks the windows to close, and the forms' windows decline. */
    QTimer::singleShot(measureMs, [] { QCoreApplication::exit(0); });
    QApplication::exec();
    engine.stop(clock);
    const double secs = wall.elapsed() / 1000.0;
    /* The firings of the 1 ms clock; the few ticks a telephone call of his lets pass inside a step are not counted. */
    std::printf("realtime_1024_traffic_ticks_per_second: %.0f\n", ticks / secs);
    std::printf("paints_per_second_at_1024_traffic: %.0f\n", paints.busiestWindow() / secs);
}

/**
 * The child's side of the start-up measure: starts as the program does
 * and says "shown" on the launcher's first paint, then ends.
 */
int startupChild(int argc, char *argv[])
{
    QApplication qapp(argc, argv);
    platform::QtPlatform real;
    App app(real.platform);
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        app.ScreenWidth = screen->size().width();
        app.ScreenHeight = screen->size().height();
    }
    view::Front front(app);
    app::ProgramStart start(app, front);
    struct ShownWatch : QObject {
        bool eventFilter(QObject *o, QEvent *e) override
        {
            if (e->type() == QEvent::Paint && o->isWidgetType() && static_cast<QWidget *>(o)->isWindow()) {
                std::printf("shown\n");
                std::fflush(stdout);
                QApplication::exit(0);
            }
            return false;
        }
    } watch;
    qapp.installEventFilter(&watch);
    start.begin();
    return QApplication::exec();
}

/** Milliseconds from starting the program to its launcher's first paint: the median of 9 starts. */
void benchStartup(const QString &self)
{
    std::vector<double> ms;
    for (int i = 0; i < 9; ++i) {
        QProcess child;
        QElapsedTimer t;
        t.start();
        child.start(self, {QString::fromLatin1(StartupChildArg)});
        while (child.waitForReadyRead(10000))
            if (child.readAll().contains("shown"))
                break;
        ms.push_back(t.nsecsElapsed() / 1e6);
        child.waitForFinished(10000);
    }
    std::sort(ms.begin(), ms.end());
    std::printf("startup_to_launcher_ms: %.1f\n", ms[ms.size() / 2]);
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc > 1 && qstrcmp(argv[1], StartupChildArg) == 0)
        return startupChild(argc, argv);
    QApplication qapp(argc, argv);
    /* Each part by its name; with no names given, all of them. */
    const QStringList wanted = QCoreApplication::arguments().mid(1);
    const auto run = [&wanted](const char *name, const std::function<void()> &part) {
        if (wanted.isEmpty() || wanted.contains(QLatin1String(name)))
            part();
    };
    run("startup", [] { benchStartup(QCoreApplication::applicationFilePath()); });
    run("day", benchHeadlessDay);
    run("traffic", benchHeadlessFullTraffic);
    run("placing", benchPlacingWaiting);
    run("realtime", benchRealtime1024);
    run("realtime-traffic", benchRealtimeTraffic);
    return 0;
}
