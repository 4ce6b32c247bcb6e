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

/** The words of the verbs, as the calls read. */
const char *const VerbWords[RecordedAudio::VerbCount] = {"open", "play", "stop", "rewind", "fail"};

/** A recorded sound: its calls are counted by the service. */
class RecordedSound : public SoundHandle {
public:
    RecordedSound(RecordedAudio &audio, int name) : m_audio(audio), m_name(name) {}
    void play() override { m_audio.note(RecordedAudio::Play, m_name); }
    void stop() override { m_audio.note(RecordedAudio::Stop, m_name); }
    void rewind() override { m_audio.note(RecordedAudio::Rewind, m_name); }

private:
    RecordedAudio &m_audio;
    int m_name; ///< The file's number in the service.
};

} // namespace

std::unique_ptr<SoundHandle> RecordedAudio::open(const QString &path)
{
    const QString why = checkWaveFile(path);
    const int name = nameNumber(QFileInfo(path).fileName());
    if (!why.isEmpty()) {
        note(Fail, name);
        throw ui::SimError(why);
    }
    note(Open, name);
    return std::make_unique<RecordedSound>(*this, name);
}

int RecordedAudio::nameNumber(const QString &name)
{
    const qsizetype known = m_names.indexOf(name);
    if (known >= 0)
        return int(known);
    m_names.append(name);
    m_counts.push_back({});
    return int(m_names.size() - 1);
}

void RecordedAudio::note(Verb verb, int name)
{
    ++m_counts[name][verb];
    m_latest.emplace_back(verb, name);
    if (m_latest.size() > kKept)
        m_latest.pop_front();
}

QStringList RecordedAudio::calls() const
{
    QStringList out;
    out.reserve(qsizetype(m_latest.size()));
    for (const auto &[verb, name] : m_latest)
        out.append(QLatin1String(VerbWords[verb]) + QLatin1Char(' ') + m_names.at(name));
    return out;
}

int RecordedAudio::count(const QString &call) const
{
    const qsizetype space = call.indexOf(QLatin1Char(' '));
    const qsizetype name = m_names.indexOf(call.mid(space + 1));
    if (space < 0 || name < 0)
        return 0;
    for (int v = 0; v < VerbCount; ++v)
        if (call.left(space) == QLatin1String(VerbWords[v]))
            return m_counts[name][v];
    return 0;
}

} // namespace platform
