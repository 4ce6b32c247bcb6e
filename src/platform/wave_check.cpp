/** @file wave_check.cpp The check that a sound file is a WAV file that can be played. */
#include "platform/audio.h"

#include <QFile>

namespace platform {

QString checkWaveFile(const QString &path)
{
    QFile f(path);
    if (!f.exists())
        return QStringLiteral("Zvukový soubor nebyl nalezen: %1").arg(path);
    if (!f.open(QIODevice::ReadOnly))
        return QStringLiteral("Zvukový soubor nelze otevřít: %1").arg(path);
    const QByteArray head = f.read(44);
    const bool riff = head.size() >= 36 && head.startsWith("RIFF") && head.mid(8, 4) == "WAVE"
                      && head.mid(12, 4) == "fmt ";
    if (!riff)
        return QStringLiteral("Soubor není zvuk WAV: %1").arg(path);
    return {};
}

} // namespace platform
