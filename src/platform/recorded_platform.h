/** @file recorded_platform.h Message boxes and sound players that record what they were asked to do. */
#pragma once

#include "platform/audio.h"
#include "platform/message_boxes.h"

#include <QStringList>

#include <array>
#include <deque>
#include <functional>
#include <vector>

namespace platform {

/** Message boxes that are recorded instead of shown. */
class RecordedMessageBoxes : public MessageBoxes {
public:
    QStringList shown; ///< Every text in the order shown, reports included.
    /** Runs while a box is "open", as the player would let time pass before closing it. */
    std::function<void(const QString &)> whileOpen;

protected:
    void showBox(const QString &text) override;
    void reportBox(const QString &text) override;
};

/**
 * Sound players that count their calls, "open Telefon.wav", "play
 * Telefon.wav", by kind and file over the whole run, and keep the latest
 * calls in order. A call costs a count and a small entry, no text, so a
 * long game does not grow a list of texts.
 */
class RecordedAudio : public AudioService {
public:
    /** What a call asked for. */
    enum Verb : quint8 { Open, Play, Stop, Rewind, Fail, VerbCount };
    /** The most calls kept in order; the counts cover all of them. */
    static constexpr size_t kKept = 4096;

    std::unique_ptr<SoundHandle> open(const QString &path) override;

    /** @return the latest calls (at most kKept), oldest first, as "play Telefon.wav". */
    QStringList calls() const;
    /** @return how often a call ("play Telefon.wav") was made in the whole run. */
    int count(const QString &call) const;
    /** Counts a call of a verb on the file numbered name, and keeps it in order. */
    void note(Verb verb, int name);

private:
    /** @return the number of a file name, given one on its first call. */
    int nameNumber(const QString &name);

    QStringList m_names;                         ///< Every file name met, by number.
    std::vector<std::array<int, VerbCount>> m_counts; ///< Calls by file number and verb.
    std::deque<std::pair<Verb, int>> m_latest;   ///< The latest calls: verb and file number.
};

} // namespace platform
