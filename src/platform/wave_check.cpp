/** @file wave_check.cpp The check that a sound file is a WAV file that can be played, read chunk by chunk. */
#include "platform/audio.h"

#include "platform/bitmap_check.h"
#include "platform/files.h"

namespace platform {

namespace {

/** The format of a PCM "fmt " chunk, or why there is none. */
struct WaveFormat {
    bool found = false;       ///< A "fmt " chunk came before.
    bool consistent = false;  ///< Its numbers agree with each other.
};

/** @return whether a "fmt " chunk of size bytes at p describes PCM sound whose numbers agree. */
bool formatConsistent(const char *p, int64_t size)
{
    if (size < 16)
        return false;
    const uint16_t tag = le16(p);
    const uint16_t channels = le16(p + 2);
    const uint32_t rate = le32(p + 4);
    const uint32_t byteRate = le32(p + 8);
    const uint16_t blockAlign = le16(p + 12);
    const uint16_t bits = le16(p + 14);
    /* PCM, or the extensible form that carries PCM. */
    if (tag != 1 && tag != 0xFFFE)
        return false;
    if (channels == 0 || rate == 0 || (bits != 8 && bits != 16 && bits != 24 && bits != 32))
        return false;
    return blockAlign == channels * bits / 8 && byteRate == uint64_t(rate) * blockAlign;
}

} // namespace

QString checkWaveFile(const QString &path)
{
    const FileContent file = readRegularFile(path);
    switch (file.problem) {
    case FileProblem::None: break;
    case FileProblem::Missing: return QStringLiteral("Zvukový soubor nebyl nalezen: %1").arg(path);
    case FileProblem::Unreadable: return QStringLiteral("Zvukový soubor nelze otevřít: %1").arg(path);
    case FileProblem::TooLarge: return QStringLiteral("Zvukový soubor je příliš velký: %1").arg(path);
    }
    const QByteArray &data = file.bytes;
    const QString notWave = QStringLiteral("Soubor není zvuk WAV: %1").arg(path);
    if (data.size() < 12 || !data.startsWith("RIFF") || data.mid(8, 4) != "WAVE")
        return notWave;
    /* The RIFF size may not promise more than the file holds. */
    const int64_t riffEnd = 8 + int64_t(le32(data.constData() + 4));
    if (riffEnd > data.size())
        return QStringLiteral("Zvukový soubor je useknutý: %1").arg(path);
    WaveFormat format;
    int64_t at = 12;
    while (at + 8 <= riffEnd) {
        const char *chunk = data.constData() + at;
        const QByteArray id(chunk, 4);
        const int64_t size = le32(chunk + 4);
        if (at + 8 + size > riffEnd)
            return QStringLiteral("Zvukový soubor je useknutý: %1").arg(path);
        if (id == "fmt ") {
            format.found = true;
            format.consistent = formatConsistent(chunk + 8, size);
            if (!format.consistent)
                return QStringLiteral("Zvukový soubor má chybný formát: %1").arg(path);
        } else if (id == "data") {
            if (!format.found)
                return QStringLiteral("Zvukový soubor nemá formát před daty: %1").arg(path);
            return {};
        }
        /* Chunks are padded to an even size. */
        at += 8 + size + (size & 1);
    }
    return format.found ? QStringLiteral("Zvukový soubor nemá data: %1").arg(path) : notWave;
}

} // namespace platform
