/** @file bench.cpp Measures what the player waits for: the start, the simulation, the placing, the loop at "1024". */
#include "app/program_start.h"
#include "core/app.h"
#include "core/builtin_timetable_tables.h"
#include "core/form_a1.h"
#include "core/form_a2.h"
#include "core/timetable_file.h"
#include "core/timetable_placing.h"
#include "core/vehicle_pictures.h"
#include "devices/form_a6.h"
#include "trackview/form_a5.h"
#include "frame/form_a0.h"
#include "harness/dispatcher.h"
#include "harness/harness.h"
#include "platform/files.h"
#include "platform/jpeg_decoder.h"
#include "platform/metafile.h"
#include "platform/picture_reader.h"
#include "platform/qt_platform.h"
#include "view/form_window.h"
#include "view/front.h"

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QHash>
#include <QMouseEvent>
#include <QProcess>
#include <QScreen>
#include <QThread>
#include <QWindow>
#include <QWidget>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <functional>
#include <utility>
#include <cstdio>
#include <ctime>
#include <vector>

#include <sys/resource.h>
#include <sys/types.h>

namespace {

/** The argument that makes the benchmark a child process measuring the start-up. */
constexpr char StartupChildArg[] = "--startup-child";

/** Whether a part measured something other than what its lines report. */
bool failed = false;

/**
 * Says on stderr why a part's lines report no figure of what they name
 * (a day in which no train was worked, a start that was never acted on),
 * and makes the benchmark exit non-zero.
 */
void refuse(const char *part, const char *why)
{
    std::fprintf(stderr, "%s: %s\n", part, why);
    failed = true;
}

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
    const long first = clockSeconds(h.app().A1());
    h.ticks(ticks);
    const double secs = t.nsecsElapsed() / 1e9;
    if (clockSeconds(h.app().A1()) != first)
        refuse("headless_day", "the clock did not come round a whole day");
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
    if (ticks < 86400 - 60)
        refuse("headless_full_traffic", "the day was not played round to 7:14");
    if (through == 0)
        refuse("headless_full_traffic", "no train was handed over: the day worked no traffic");
    else if (through < core::kBuiltinFastCount + core::kBuiltinPassengerCount)
        refuse("headless_full_traffic", "not every train of the built-in day was handed over");
}

/**
 * The placing with a timetable of `count` lines of fast trains that fall
 * due together while the fast trains' rows are all taken. The timetable is
 * held by the state store as a picked file is, and the game is started from
 * the menu, so every step the program takes with it is measured where the
 * program takes it: the game start copies the lines, the first tick of the
 * minute before the measure marks them all due, and the ticks after it let
 * them wait. Prints the game start, the worst single tick from the start on
 * (the marking's tick among them) and the mean tick while the lines wait.
 */
void benchPlacing(int count)
{
    Harness h;
    App &app = h.app();
    TA0 &a0 = app.A0();
    /* The lines fall due on the first tick of the game's second minute, five minutes ahead. */
    const int dueMinutes = a0.H1->caption().toInt() * 60 + a0.H3->caption().toInt() + 1 + 5;
    const QString due =
        QStringLiteral("%1%2").arg(dueMinutes / 60, 2, 10, QChar('0')).arg(dueMinutes % 60, 2, 10, QChar('0'));
    /* A fast train from line C to line A with a locomotive and three coaches, and a note. */
    QString line = QStringLiteral("110077130708071507  1010717072710    003009008007000000000000000000R Kamenáč");
    line.replace(8, 4, due);
    QStringList file{QStringLiteral("Lavina vlaků"), QStringLiteral("Kobrant ŽST Kamenná"),
                     QStringLiteral("num-code")};
    while (file.size() < core::kFirstTrainLine)
        file << QString();
    for (int i = 0; i < count; ++i)
        file << line;
    app.A1().Grafikon->setLines(file);
    app.TimetableTrainLines.resize(count);
    app.TimetableTrainStates.resize(count, 0);

    QElapsedTimer t;
    t.start();
    h.click("A0.H9");
    const double startMs = t.nsecsElapsed() / 1e6;
    for (int r = 1; r <= 4; ++r)
        app.A2().row(r).trainNumber->setText(QStringLiteral("9"));

    double worstMs = 0;
    const auto tick = [&] {
        t.start();
        h.ticks(1);
        worstMs = std::max(worstMs, t.nsecsElapsed() / 1e6);
    };
    /* The game's first minute, then the tick that marks them. */
    for (int k = 0; k <= 61 && app.TimetableTrainStates.back() == core::LineWaiting; ++k)
        tick();
    if (app.TimetableTrainStates.back() != core::LineDue)
        refuse("placing", "the lines did not fall due");
    const int ticks = 2000;
    QElapsedTimer waiting;
    waiting.start();
    for (int k = 0; k < ticks; ++k)
        tick();
    const double waitingMs = waiting.nsecsElapsed() / 1e6 / ticks;
    std::printf("placing_%d_game_start_ms: %.1f\n", count, startMs);
    std::printf("placing_%d_worst_tick_ms: %.2f\n", count, worstMs);
    if (count == 50000)
        std::printf("placing_%d_waiting_ms_per_tick: %.4f\n", count, waitingMs);
}

/** @return the median of some figures. */
double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

/** @return a process's processor time so far, all its threads', in milliseconds; 0 once it cannot be read. */
double processCpuMs(pid_t pid)
{
    clockid_t clock{};
    timespec t{};
    if (clock_getcpuclockid(pid, &clock) != 0 || clock_gettime(clock, &t) != 0)
        return 0;
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

/**
 * @return the processor milliseconds of the picture readers reaped so far,
 *         each its whole life: the keeper reaps every reader, in this
 *         process, and nothing else here reaps a child while a part reads.
 */
double reapedReadersCpuMs()
{
    rusage children{};
    getrusage(RUSAGE_CHILDREN, &children);
    return (children.ru_utime.tv_sec + children.ru_stime.tv_sec) * 1e3
           + (children.ru_utime.tv_usec + children.ru_stime.tv_usec) / 1e3;
}

/**
 * @return the processor milliseconds of the benchmark and of every picture
 *         reader it started, from each one's start: its own, the readers
 *         reaped and the running readers'. Read while no reader is ending.
 */
double processTreeCpuMs()
{
    double ms = cpuSeconds() * 1e3 + reapedReadersCpuMs();
    for (const pid_t pid : platform::PictureReader::instance().pids())
        ms += processCpuMs(pid);
    return ms;
}

/**
 * Waits until the keeper has reaped a reader, so that its whole life is
 * counted among the children's. @return whether it was within 5 s.
 */
bool awaitReaped(pid_t pid)
{
    QElapsedTimer t;
    t.start();
    for (;;) {
        const std::vector<pid_t> living = platform::PictureReader::instance().pids();
        if (std::find(living.begin(), living.end(), pid) == living.end())
            return true;
        if (t.hasExpired(5000))
            return false;
        QThread::msleep(1);
    }
}

/**
 * Pictures read as a game reads a train's: every entry once into a new
 * store, as the pictures of one train, by the train's own reader, started
 * ahead and ready (as the program has one by a train's placing), which is
 * ended with the train. Prints the medians of nine rounds after one more:
 * the reading's wall milliseconds; the processor milliseconds of the
 * program and of the readers, from a ready reader to the next one ready
 * after the train's is ended and reaped (a whole reader's life: the
 * train's pictures and end, and the next one's start); and the train's
 * reader's whole life alone, from its start to its end.
 */
void benchTrain(const QString &line, const QString &dataDir, const QStringList &entries)
{
    platform::PictureReader &reader = platform::PictureReader::instance();
    std::vector<double> wall, cpu, readerCpu;
    for (int round = 0; round < 10; ++round) {
        VehiclePictures pictures;
        pictures.beginTrain(quint64(round));
        reader.nextPid();
        const double treeBefore = processTreeCpuMs();
        const double reapedBefore = reapedReadersCpuMs();
        QElapsedTimer t;
        t.start();
        int shown = 0;
        for (const QString &entry : entries)
            shown += pictures.picture(dataDir, entry).isNull() ? 0 : 1;
        const double wallMs = t.nsecsElapsed() / 1e6;
        const pid_t used = reader.pid();
        pictures.endTrain();
        if (used <= 0)
            refuse("vehicles", "no reader read the train");
        else if (!awaitReaped(used))
            refuse("vehicles", "a train's reader was not reaped");
        reader.nextPid();
        if (shown != entries.size())
            refuse("vehicles", "a picture of the train was not read");
        /* The first round warms the program's side. */
        if (round == 0)
            continue;
        wall.push_back(wallMs);
        cpu.push_back(processTreeCpuMs() - treeBefore);
        readerCpu.push_back(reapedReadersCpuMs() - reapedBefore);
    }
    std::printf("%s_read_ms: %.2f\n", qPrintable(line), median(wall));
    std::printf("%s_read_cpu_ms: %.2f\n", qPrintable(line), median(cpu));
    std::printf("%s_reader_cpu_ms: %.2f\n", qPrintable(line), median(readerCpu));
}

/**
 * The shipped vehicles' pictures, every line of the vehicles file, read as
 * one train's; then a train of ten different drawings of the drawing
 * tools', the first ten of their 27, Inkscape's and LibreOffice's EMFs and
 * WMFs in turn.
 */
void benchVehicles()
{
    const QString dataDir = QStringLiteral(KAMENNA_SOURCE_DATA_DIR);
    const QStringList entries = platform::readTextLines1250(dataDir + QStringLiteral("/Vozidla.txt"));
    if (entries.isEmpty()) {
        refuse("vehicles", "the vehicles file names no picture");
        return;
    }
    benchTrain(QStringLiteral("vehicles_%1").arg(entries.size()), dataDir, entries);
    const QDir drawings(QStringLiteral(KAMENNA_DRAWINGS_DIR));
    const QStringList kinds{QStringLiteral("_inkscape.emf"), QStringLiteral("_inkscape.wmf"),
                            QStringLiteral("_libreoffice.emf"), QStringLiteral("_libreoffice.wmf")};
    QStringList train;
    const QStringList shapes = drawings.entryList({QStringLiteral("*.svg")}, QDir::Files, QDir::Name);
    for (int i = 0; i < 10 && i < shapes.size(); ++i)
        train << shapes[i].chopped(4) + kinds[i % 4];
    if (train.isEmpty()) {
        refuse("vehicles", "no drawing of the drawing tools is there to read");
        return;
    }
    benchTrain(QStringLiteral("drawings_%1_train").arg(train.size()), drawings.path(), train);
}

/**
 * @return a photo-like picture: smooth patches of colour, one to every 32
 *         pixels, with a little noise, the same at every run.
 */
QImage photoLike(int side)
{
    QImage patches(side / 32 + 1, side / 32 + 1, QImage::Format_RGB32);
    uint32_t seed = 7;
    const auto next = [&seed] { return seed = seed * 1664525u + 1013904223u; };
    for (int y = 0; y < patches.height(); ++y)
        for (int x = 0; x < patches.width(); ++x)
            patches.setPixel(x, y, next() | 0xFF000000u);
    QImage photo = patches.scaled(side, side, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    for (int y = 0; y < side; ++y) {
        auto *row = reinterpret_cast<QRgb *>(photo.scanLine(y));
        for (int x = 0; x < side; ++x) {
            const int n = int(next() >> 28) - 8;
            row[x] = qRgb(std::clamp(qRed(row[x]) + n, 0, 255), std::clamp(qGreen(row[x]) + n, 0, 255),
                          std::clamp(qBlue(row[x]) + n, 0, 255));
        }
    }
    return photo;
}

/**
 * Valid pictures read as a game reads them, by the picture reader of a
 * train that has read the train's picture before: photo-like JPEGs of
 * 4,000 and 1,024 a side, a BMP and an icon of 1,024 a side and a small
 * icon. They are written into bench-pictures beside the benchmark, where a
 * build of another version may read the same files. Wall milliseconds of a
 * read, the median of nine after one more. Then the small icon as the
 * first picture of a train, by a reader started ahead and ready: what a
 * train's reader of its own adds, the median of nine.
 */
void benchPictures()
{
    const QString folder = QCoreApplication::applicationDirPath() + QStringLiteral("/bench-pictures");
    QDir().mkpath(folder);
    const QImage photo = photoLike(1024);
    QImage smooth(1024, 1024, QImage::Format_ARGB32);
    for (int y = 0; y < smooth.height(); ++y)
        for (int x = 0; x < smooth.width(); ++x)
            smooth.setPixel(x, y, qRgba(x / 4, y / 4, (x + y) / 8, 255));
    /* An icon of one image, a PNG, as icons of more than 256 a side are made. */
    const auto iconOf = [](const QImage &picture) {
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        picture.save(&buffer, "PNG");
        const auto le = [](uint32_t v, int bytes) {
            QByteArray b;
            for (int i = 0; i < bytes; ++i)
                b.append(char(v >> (8 * i)));
            return b;
        };
        const int side = picture.width() >= 256 ? 0 : picture.width();
        return le(0, 2) + le(1, 2) + le(1, 2) + le(uint32_t(side), 1) + le(uint32_t(side), 1) + le(0, 2) + le(1, 2)
               + le(32, 2) + le(uint32_t(png.size()), 4) + le(22, 4) + png;
    };
    const auto bmpOf = [](const QImage &picture) {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        picture.convertToFormat(QImage::Format_RGB888).save(&buffer, "BMP");
        return bytes;
    };
    const std::pair<const char *, QByteArray> pictures[] = {
        {"photo_4000.jpg", platform::encodeJpeg(photoLike(4000), 90)},
        {"photo_1024.jpg", platform::encodeJpeg(photo, 90)},
        {"photo_1024.bmp", bmpOf(photo)},
        {"smooth_1024.ico", iconOf(smooth)},
        {"smooth_16.ico", iconOf(smooth.scaled(16, 16))},
    };
    for (const auto &[name, bytes] : pictures) {
        const QString path = folder + QLatin1Char('/') + QLatin1String(name);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
            refuse("pictures", "a picture cannot be written beside the benchmark");
            return;
        }
        file.close();
        const platform::PictureGroup train(platform::PictureGroup::next());
        if (platform::loadPicture(path).isNull())
            refuse("pictures", "a valid picture was not read");
        std::vector<double> wall;
        for (int round = 0; round < 9; ++round) {
            QElapsedTimer t;
            t.start();
            const QImage read = platform::loadPicture(path);
            wall.push_back(t.nsecsElapsed() / 1e6);
        }
        platform::PictureReader::instance().endGroup(platform::PictureGroup::current());
        QString line = QLatin1String(name);
        line.replace(QLatin1Char('.'), QLatin1Char('_'));
        std::printf("picture_%s_read_ms: %.2f\n", qPrintable(line), median(wall));
    }
    std::vector<double> first;
    for (int round = 0; round < 9; ++round) {
        const platform::PictureGroup train(platform::PictureGroup::next());
        platform::PictureReader::instance().nextPid();
        QElapsedTimer t;
        t.start();
        const QImage read = platform::loadPicture(folder + QStringLiteral("/smooth_16.ico"));
        first.push_back(t.nsecsElapsed() / 1e6);
        platform::PictureReader::instance().endGroup(platform::PictureGroup::current());
    }
    std::printf("picture_smooth_16_ico_first_of_train_ms: %.2f\n", median(first));
}

/**
 * The drawing tools' metafiles of tests/data/drawings drawn by the
 * metafile player in this process (its reading without the picture
 * reader's crossing): for each tool and kind, the sum over its files of
 * each file's median of 15 readings in processor milliseconds of this
 * thread, after one more; and the costliest file alone.
 */
void benchDrawings()
{
    const QDir dir(QStringLiteral(KAMENNA_DRAWINGS_DIR));
    const auto threadMs = [] {
        timespec t{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
        return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
    };
    const char *groups[] = {"inkscape.emf", "inkscape.wmf", "libreoffice.emf", "libreoffice.wmf"};
    for (const char *group : groups) {
        const QStringList names = dir.entryList({QStringLiteral("*_") + QLatin1String(group)}, QDir::Files, QDir::Name);
        std::vector<QByteArray> files;
        for (const QString &name : names) {
            QFile file(dir.filePath(name));
            if (!file.open(QIODevice::ReadOnly)) {
                refuse("drawings", "a drawing cannot be read");
                return;
            }
            files.push_back(file.readAll());
        }
        const bool emf = QByteArray(group).endsWith("emf");
        std::vector<std::vector<double>> times(files.size());
        for (int round = 0; round < 16; ++round) {
            for (size_t i = 0; i < files.size(); ++i) {
                const double start = threadMs();
                const QImage picture = emf ? platform::decodeEmf(files[i]) : platform::decodeWmf(files[i]);
                if (round > 0)
                    times[i].push_back(threadMs() - start);
            }
        }
        double total = 0;
        double most = 0;
        QString costliest;
        for (size_t i = 0; i < files.size(); ++i) {
            const double each = median(times[i]);
            total += each;
            if (each > most) {
                most = each;
                costliest = names[int(i)];
            }
        }
        QString line = QLatin1String(group);
        line.replace(QLatin1Char('.'), QLatin1Char('_'));
        std::printf("drawings_%s_%zu_read_cpu_ms: %.3f\n", qPrintable(line), files.size(), total);
        std::printf("drawings_%s_costliest_read_cpu_ms: %.3f (%s)\n", qPrintable(line), most, qPrintable(costliest));
    }
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

/** Refuses a part whose game has had no train by the time its measure starts. */
void expectTrainsRunning(const Dispatcher &d, const char *part)
{
    const bool any = std::any_of(d.trains().begin(), d.trains().end(),
                                 [](const auto &entry) { return entry.second.offered; });
    if (!any)
        refuse(part, "no train was offered before the measure: the game has no traffic");
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
    expectTrainsRunning(d, "realtime_1024_traffic");
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

/** Writes one word for the parent and lets it through at once. */
void tellParent(const char *word)
{
    std::printf("%s\n", word);
    std::fflush(stdout);
}

/**
 * Keeps the game at "1024": the dispatcher, and a call of a neighbour,
 * slow it to "1" while something moves; here every such write is turned
 * back to "1024" before a tick can apply it, as a player who lets the game
 * fly while trains run.
 */
void holdAt1024(TA1 &a1)
{
    const std::function<void()> programsOwn = a1.Rychlost->onChange;
    a1.Rychlost->onChange = [&a1, programsOwn] {
        if (a1.Rychlost->text() == QLatin1String("1"))
            a1.Rychlost->setText(QStringLiteral("1024")); // runs this handler again, with "1024"
        else if (programsOwn)
            programsOwn();
    };
    a1.Rychlost->setText(QStringLiteral("1024"));
}

/**
 * The program's own CPU seconds per wall second in a game with trains at
 * "1024" on the real Qt loop and windows, first with the desk shown, then
 * with the track view, and the simulated seconds per wall second meanwhile.
 *
 * The careful dispatcher plays the built-in day headless to 7:40, so that
 * trains are on the lines and in the rows. Then a 1 ms timer of the real
 * timer engine carries the game: each firing is one step of the
 * dispatcher, which at "1024" is one millisecond of the game's timers, so
 * that each of them (the clock every millisecond, a run every 10 ms, the
 * flasher) fires at its own interval as on the real engine. The game is
 * held at "1024" throughout (holdAt1024), so the runs he starts go on
 * while the clock flies. His reading of the windows, the time of his steps
 * outside the program's timers and handlers, is taken out of the CPU.
 */
void benchRealtimeCpu()
{
    Harness h;
    view::Front front(h.app());
    h.click("A0.H9");
    Dispatcher d(h);
    d.playUntil(7, 40);
    expectTrainsRunning(d, "cpu_seconds_per_wall_second");
    TA1 &a1 = h.app().A1();
    holdAt1024(a1);

    platform::QtTimerEngine engine;
    double readingSecs = 0; ///< The dispatcher's own time in his steps.
    const int clock = engine.create([&] {
        QElapsedTimer step;
        step.start();
        const double program = h.programSeconds();
        d.playTicks(1);
        readingSecs += std::max(0.0, step.nsecsElapsed() / 1e9 - (h.programSeconds() - program));
    });
    engine.start(clock, 1);

    /** Runs the loop for ms milliseconds. */
    const auto runFor = [](int ms) {
        QTimer::singleShot(ms, [] { QCoreApplication::exit(0); });
        QApplication::exec();
    };
    long simulated = 0;
    double wallTotal = 0;
    const auto measure = [&](ui::Form &shown, const char *line) {
        h.app().A0().hide();
        h.app().A5().hide();
        h.app().A6().hide();
        shown.show();
        runFor(1000); // the window's first paints and layout are not the figure
        const double cpu = cpuSeconds();
        const double reading = readingSecs;
        const long first = clockSeconds(a1);
        QElapsedTimer wall;
        wall.start();
        runFor(8000);
        const double secs = wall.nsecsElapsed() / 1e9;
        const double own = cpuSeconds() - cpu - (readingSecs - reading);
        long ticks = clockSeconds(a1) - first;
        while (ticks < 0)
            ticks += 86400;
        simulated += ticks;
        wallTotal += secs;
        std::printf("%s: %.3f\n", line, own / secs);
    };
    measure(h.app().A6(), "cpu_seconds_per_wall_second_at_1024_desk");
    measure(h.app().A5(), "cpu_seconds_per_wall_second_at_1024_track_view");
    engine.stop(clock);
    std::printf("simulated_seconds_per_wall_second_at_1024: %.0f\n", simulated / wallTotal);
}

/**
 * The child's side of the start-up measures: starts as the program does,
 * says "shown" on the launcher's first paint and clicks "Start" at once, as
 * a player who clicks as soon as he sees it; says "ready" when the click is
 * acted on (the launcher's handler has run), then ends.
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
    start.onReady = [] { platform::PictureReader::instance().start(); };
    start.begin();
    TA0 &a0 = app.A0();
    const std::function<void()> startClick = a0.B1->onClick;
    a0.B1->onClick = [&startClick] {
        startClick();
        tellParent("ready");
        QApplication::exit(0);
    };
    /* The click goes where the platform's input goes: to the launcher's window, at the middle of "Start". */
    QWidget *launcher = front.window(a0);
    const QPointF at = QRectF(a0.B1->bounds()).center();
    const auto post = [&](QEvent::Type type, Qt::MouseButtons buttons) {
        QObject *receiver = launcher->windowHandle() ? static_cast<QObject *>(launcher->windowHandle()) : launcher;
        QCoreApplication::postEvent(receiver, new QMouseEvent(type, at, launcher->mapToGlobal(at), Qt::LeftButton,
                                                              buttons, Qt::NoModifier));
    };
    struct ShownWatch : QObject {
        std::function<void()> onShown;
        bool eventFilter(QObject *o, QEvent *e) override
        {
            if (onShown && e->type() == QEvent::Paint && o->isWidgetType() && static_cast<QWidget *>(o)->isWindow()) {
                tellParent("shown");
                std::exchange(onShown, nullptr)();
            }
            return false;
        }
    } watch;
    watch.onShown = [&] {
        post(QEvent::MouseButtonPress, Qt::LeftButton);
        post(QEvent::MouseButtonRelease, Qt::NoButton);
    };
    qapp.installEventFilter(&watch);
    return QApplication::exec();
}

/**
 * Milliseconds from starting the program to its launcher's first paint,
 * and to the moment a click on "Start" made then is acted on: the medians
 * of 9 starts.
 */
void benchStartup(const QString &self)
{
    std::vector<double> shown, ready;
    for (int i = 0; i < 9; ++i) {
        QProcess child;
        QElapsedTimer t;
        t.start();
        child.start(self, {QString::fromLatin1(StartupChildArg)});
        QByteArray said;
        while (!said.contains("ready") && child.waitForReadyRead(10000)) {
            said += child.readAll();
            if (shown.size() == size_t(i) && said.contains("shown"))
                shown.push_back(t.nsecsElapsed() / 1e6);
        }
        if (!said.contains("ready")) {
            refuse("startup", "the click on \"Start\" was not acted on");
            child.kill();
            return;
        }
        ready.push_back(t.nsecsElapsed() / 1e6);
        child.waitForFinished(10000);
    }
    std::printf("startup_to_launcher_ms: %.1f\n", median(shown));
    std::printf("startup_to_ready_ms: %.1f\n", median(ready));
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
    run("placing", [] {
        benchPlacing(50000);
        benchPlacing(500000);
    });
    run("vehicles", benchVehicles);
    run("pictures", benchPictures);
    run("drawings", benchDrawings);
    run("realtime", benchRealtime1024);
    run("realtime-traffic", benchRealtimeTraffic);
    run("realtime-cpu", benchRealtimeCpu);
    return failed ? 1 : 0;
}
