/** @file qt_platform.h The real platform: Qt event-loop timers, modal boxes and Qt Multimedia sound. */
#pragma once

#include "platform/audio.h"
#include "platform/message_boxes.h"
#include "platform/platform.h"
#include "platform/timer_engine.h"

#include <QElapsedTimer>

#include <memory>
#include <optional>
#include <vector>

class QTimer;

namespace platform {

/**
 * Timers of the Qt event loop. Each keeps its own due time on a nanosecond
 * clock and books the next firing from the due time, not from the moment it
 * fired, so scheduling jitter does not slow a 1 ms clock down; a timer that
 * has fallen a whole period behind (a handler ran long) drops the missed
 * periods and starts afresh. While no timer of a short period (under
 * 100 ms) runs, as at the launcher or in a paused game, a timer that fires
 * takes along the others due within a twentieth of their periods, so that
 * the program wakes once for them all; each keeps its own due times.
 */
class QtTimerEngine : public TimerEngine {
public:
    QtTimerEngine();
    ~QtTimerEngine() override;
    int create(std::function<void()> fire) override;
    void start(int id, int intervalMs) override;
    void stop(int id) override;
    void destroy(int id) override;
    qint64 nowMs() const override { return m_clock.elapsed(); }

private:
    struct Slot {
        QTimer *timer = nullptr;
        std::function<void()> fire;
        qint64 intervalNs = 0;
        qint64 dueNs = 0;
    };
    void book(int id);
    void fired(int id);
    /** Books a timer that fires now for its next due time, a whole period after its last. */
    void advance(int id, qint64 now);
    /**
     * @return the other timers to fire with a timer of a long period: those
     *         of long periods due within a twentieth of theirs, in the order
     *         they are due; none while a timer of a short period runs.
     */
    std::vector<int> dueAlong(int id, qint64 now) const;

    /** The shortest period of a timer that may fire with another, a little before its time. */
    static constexpr qint64 kCoarseFromNs = 100 * 1000000;
    /** How early it may fire: a twentieth of its period. */
    static constexpr qint64 kCoarseSlackParts = 20;

    std::vector<Slot> m_timers;
    std::vector<int> m_free;
    QElapsedTimer m_clock;
};

/** Modal Qt message boxes; their nested loop keeps the timers running. */
class QtMessageBoxes : public MessageBoxes {
protected:
    void showBox(const QString &text) override;
    void reportBox(const QString &text) override;
};

/** WAV playback through Qt Multimedia. */
class QtAudio : public AudioService {
public:
    /**
     * Opens a sound; without a sound output a silent one, so the media
     * library is never asked to play where it cannot.
     */
    std::unique_ptr<SoundHandle> open(const QString &path) override;
    /**
     * @return whether the machine has a sound output. Asked once; without
     * one, says so in one line on stderr instead of the media library's
     * warnings.
     */
    bool hasOutput();

private:
    std::optional<bool> m_hasOutput; ///< The answer, once asked.
};

/** Every service of the real platform, bundled; the program's forms are built on `platform`. */
struct QtPlatform {
    QtTimerEngine timers;
    QtMessageBoxes messages;
    QtAudio audio;
    Random random;
    QtTextMetrics metrics;
    Platform platform{timers, messages, audio, random, metrics};
};

} // namespace platform
