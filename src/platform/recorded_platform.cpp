/** @file recorded_platform.cpp Recorded message boxes and sound players. */
#include "platform/recorded_platform.h"

#include "ui/sim_error.h"

#include <QFileInfo>

namespace platform {

void RecordedMessageBoxes::showBox(const QString &text)
{
    shown.append(text);
    if (whileOpen)
        whileOpen(text);
}

void RecordedMessageBoxes::reportBox(const QString &text)
{
    showBox(text);
}

namespace {

/** A recorded sound: its calls go into the service's list. */
class RecordedSound : public SoundHandle {
public:
    RecordedSound(QStringList &calls, QString name) : m_calls(calls), m_name(std::move(name)) {}
    void play() override { m_calls.append("play " + m_name); }
    void stop() override { m_calls.append("stop " + m_name); }
    void rewind() override { m_calls.append("rewind " + m_name); }

private:
    QStringList &m_calls;
    QString m_name;
};

} // namespace

std::unique_ptr<SoundHandle> RecordedAudio::open(const QString &path)
{
    const QString why = checkWaveFile(path);
    const QString name = QFileInfo(path).fileName();
    if (!why.isEmpty()) {
        calls.append("fail " + name);
        throw ui::SimError(why);
    }
    calls.append("open " + name);
    return std::make_unique<RecordedSound>(calls, name);
}

} // namespace platform
