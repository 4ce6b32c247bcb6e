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

void QtTimerEngine::fired(int id)
{
    Slot &s = m_timers[id];
    const qint64 now = m_clock.nsecsElapsed();
    if (now < s.dueNs) { // woke a little early: wait for the rest
        book(id);
        return;
    }
    s.dueNs += s.intervalNs;
    if (s.dueNs + s.intervalNs < now)
        s.dueNs = now + s.intervalNs;
    book(id);
    auto fire = s.fire; // the handler may stop, restart or destroy this timer
    fire();
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
