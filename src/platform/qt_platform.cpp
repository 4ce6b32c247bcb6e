/** @file qt_platform.cpp The real platform services. */
#include "platform/qt_platform.h"

#include "platform/files.h"
#include "ui/sim_error.h"

#include <QApplication>
#include <QAudioDevice>
#include <QAudioOutput>
#include <QMediaDevices>
#include <QMediaPlayer>
#include <QMessageBox>
#include <QTimer>
#include <QUrl>

#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace platform {

QtTimerEngine::QtTimerEngine()
{
    m_clock.start();
}

QtTimerEngine::~QtTimerEngine()
{
    for (Slot &s : m_timers)
        delete s.timer;
}

int QtTimerEngine::create(std::function<void()> fire)
{
    int id;
    if (!m_free.empty()) {
        id = m_free.back();
        m_free.pop_back();
    } else {
        id = static_cast<int>(m_timers.size());
        m_timers.emplace_back();
    }
    Slot &s = m_timers[id];
    s.timer = new QTimer;
    s.timer->setTimerType(Qt::PreciseTimer);
    s.timer->setSingleShot(true);
    s.fire = std::move(fire);
    QObject::connect(s.timer, &QTimer::timeout, [this, id] { fired(id); });
    return id;
}

void QtTimerEngine::book(int id)
{
    Slot &s = m_timers[id];
    const qint64 waitNs = s.dueNs - m_clock.nsecsElapsed();
    /* Rounded up: waking early would only spin. */
    s.timer->start(waitNs <= 0 ? 0 : static_cast<int>((waitNs + 999999) / 1000000));
}

void QtTimerEngine::advance(int id, qint64 now)
{
    Slot &s = m_timers[id];
    s.dueNs += s.intervalNs;
    if (s.dueNs + s.intervalNs < now)
        s.dueNs = now + s.intervalNs;
    book(id);
}

std::vector<int> QtTimerEngine::dueAlong(int id, qint64 now) const
{
    std::vector<int> along;
    if (m_timers[id].intervalNs < kCoarseFromNs)
        return along;
    for (int other = 0; other < int(m_timers.size()); ++other) {
        const Slot &o = m_timers[other];
        if (!o.timer || !o.timer->isActive() || other == id)
            continue;
        /* A timer of a short period runs: the program is at work, and every timer keeps its own time. */
        if (o.intervalNs < kCoarseFromNs)
            return {};
        if (o.dueNs - now <= o.intervalNs / kCoarseSlackParts)
            along.push_back(other);
    }
    std::sort(along.begin(), along.end(), [this](int a, int b) { return m_timers[a].dueNs < m_timers[b].dueNs; });
    return along;
}

void QtTimerEngine::fired(int id)
{
    Slot &s = m_timers[id];
    const qint64 now = m_clock.nsecsElapsed();
    if (now < s.dueNs) { // woke a little early: wait for the rest
        book(id);
        return;
    }
    advance(id, now);
    const std::vector<int> along = dueAlong(id, now);
    auto fire = s.fire; // the handler may stop, restart or destroy this timer
    fire();
    /* Timers of long periods due within a twentieth of theirs fire with it, each then booked from its own due
       time: a program with nothing but such timers wakes once for them all. */
    for (const int other : along) {
        const Slot &o = m_timers[other];
        if (!o.timer || !o.timer->isActive() || o.dueNs - now > o.intervalNs / kCoarseSlackParts)
            continue;
        advance(other, now);
        auto fireOther = o.fire;
        fireOther();
    }
}

void QtTimerEngine::start(int id, int intervalMs)
{
    Slot &s = m_timers.at(id);
    s.intervalNs = qint64(intervalMs) * 1000000;
    s.dueNs = m_clock.nsecsElapsed() + s.intervalNs;
    book(id);
}

void QtTimerEngine::stop(int id)
{
    m_timers.at(id).timer->stop();
}

void QtTimerEngine::destroy(int id)
{
    Slot &s = m_timers.at(id);
    s.timer->stop();
    /* The timer may be destroyed from inside its own firing. */
    s.timer->deleteLater();
    s.timer = nullptr;
    s.fire = nullptr;
    m_free.push_back(id);
}

void QtMessageBoxes::showBox(const QString &text)
{
    QMessageBox box(QMessageBox::Information, QApplication::applicationName(), text, QMessageBox::Ok);
    box.exec();
}

void QtMessageBoxes::reportBox(const QString &text)
{
    QMessageBox box(QMessageBox::Critical, QApplication::applicationName(), text, QMessageBox::Ok);
    box.exec();
}

namespace {

/** One sound on a Qt media player. */
class QtSound : public SoundHandle {
public:
    explicit QtSound(const QString &path)
    {
        m_player.setAudioOutput(&m_output);
        const QByteArray native = nativePath(path);
        /* A name in other bytes than its UTF-8 ones reaches the player through the open file. */
        if (native != path.toUtf8())
            m_file = ::open(native.constData(), O_RDONLY | O_CLOEXEC);
        m_player.setSource(QUrl::fromLocalFile(m_file < 0 ? path : QStringLiteral("/proc/self/fd/%1").arg(m_file)));
    }
    ~QtSound() override
    {
        m_player.setSource(QUrl());
        if (m_file >= 0)
            ::close(m_file);
    }
    QtSound(const QtSound &) = delete;
    QtSound &operator=(const QtSound &) = delete;
    void play() override
    {
        if (m_player.mediaStatus() == QMediaPlayer::EndOfMedia)
            m_player.setPosition(0);
        m_player.play();
    }
    void stop() override { m_player.pause(); }
    void rewind() override { m_player.setPosition(0); }

private:
    QMediaPlayer m_player;
    QAudioOutput m_output;
    int m_file = -1; ///< The sound file held open when its name is not UTF-8.
};

/** A sound where the machine has no output: opened and checked like any other, it plays nothing. */
class SilentSound : public SoundHandle {
public:
    void play() override {}
    void stop() override {}
    void rewind() override {}
};

/** Drops the media library's messages while it looks for the sound outputs. */
void dropMessage(QtMsgType, const QMessageLogContext &, const QString &) {}

} // namespace

bool QtAudio::hasOutput()
{
    if (!m_hasOutput) {
        const QtMessageHandler previous = qInstallMessageHandler(dropMessage);
        m_hasOutput = !QMediaDevices::audioOutputs().isEmpty();
        qInstallMessageHandler(previous);
        if (!*m_hasOutput)
            std::fputs("no sound output; sounds are off\n", stderr);
    }
    return *m_hasOutput;
}

std::unique_ptr<SoundHandle> QtAudio::open(const QString &path)
{
    const QString why = checkWaveFile(path);
    if (!why.isEmpty())
        throw ui::SimError(why);
    if (!hasOutput())
        return std::make_unique<SilentSound>();
    return std::make_unique<QtSound>(path);
}

} // namespace platform
