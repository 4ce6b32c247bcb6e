/** @file audio.h WAV sound players. */
#pragma once

#include <QString>

#include <memory>

namespace platform {

/** One opened sound; playing runs asynchronously. */
class SoundHandle {
public:
    virtual ~SoundHandle() = default;
    /** Plays from the current position (from the start once it has ended). */
    virtual void play() = 0;
    virtual void stop() = 0;
    /** Moves back to the start without playing. */
    virtual void rewind() = 0;
};

/** Opens sound files. */
class AudioService {
public:
    virtual ~AudioService() = default;
    /**
     * Opens a WAV file. Throws ui::SimError when the file is missing or is
     * not a PCM WAV file, with or without a sound card.
     */
    virtual std::unique_ptr<SoundHandle> open(const QString &path) = 0;
};

/** @return an empty text when the file at path is a readable RIFF/WAVE file, else why not. */
QString checkWaveFile(const QString &path);

} // namespace platform
