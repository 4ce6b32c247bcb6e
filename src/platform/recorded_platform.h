/** @file recorded_platform.h Message boxes and sound players that record what they were asked to do. */
#pragma once

#include "platform/audio.h"
#include "platform/message_boxes.h"

#include <QStringList>

#include <functional>

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

/** Sound players that record their calls as "open Telefon.wav", "play Telefon.wav". */
class RecordedAudio : public AudioService {
public:
    std::unique_ptr<SoundHandle> open(const QString &path) override;

    QStringList calls; ///< Calls in order, by file name.
};

} // namespace platform
