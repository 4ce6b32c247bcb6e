/** @file bench.cpp Measures the headless simulation and the real program's tick rate at speed "1024". */
#include "core/app.h"
#include "core/form_a1.h"
#include "core/form_a2.h"
#include "devices/form_a6.h"
#include "frame/form_a0.h"
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
#include <cstdio>
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

/**
 * Ticks while 50,000 due timetable lines wait for a row of a full group:
 * a waiting line may cost only the look at its group, never its parsing
 * or its pictures.
 */
void benchPlacingWaiting()
{
    Harness h;
    h.click("A0.H9");
    h.type("A1.Rychlost", "1024");
    h.ticks(1);
    App &app = h.app();
    /* A fast train from line C to line A with a locomotive and three coaches, and a note. */
    const QString line = QStringLiteral("110077130708071507  1010717072710    003009008007000000000000000000R Kamenáč");
    app.A1().Grafikon->setLines({QStringLiteral("Lavina vlaků")});
    app.TimetableTrainLines.assign(50000, line);
    app.TimetableTrainStates.assign(50000, 1);
    for (int r = 1; r <= 4; ++r)
        app.A2().row(r).trainNumber->setText(QStringLiteral("9"));
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
    app.createForms();
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
    app.A0().show();
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
    benchStartup(QCoreApplication::applicationFilePath());
    benchHeadlessDay();
    benchPlacingWaiting();
    benchRealtime1024();
    return 0;
}
