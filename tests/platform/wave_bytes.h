/** @file wave_bytes.h WAV files built byte by byte for the tests, whole or spoilt on purpose. */
#pragma once

#include <QByteArray>
#include <QList>

#include <cstdint>

/** @return the bytes of a little-endian number of n bytes (zeros past its four bytes). */
inline QByteArray leBytes(uint32_t v, int n)
{
    QByteArray b;
    for (int i = 0; i < n; ++i)
        b.append(char(i < 4 ? v >> (8 * i) & 0xFF : 0));
    return b;
}

/** @return one RIFF chunk: its id, its size and its content, padded to an even size. */
inline QByteArray riffChunk(const char *id, const QByteArray &content)
{
    QByteArray c = QByteArray(id, 4) + leBytes(uint32_t(content.size()), 4) + content;
    if (content.size() % 2)
        c.append('\0');
    return c;
}

/** @return a "fmt " chunk of PCM sound: mono, 8000 samples a second, 16 bits. */
inline QByteArray pcmFormatChunk()
{
    return riffChunk("fmt ", leBytes(1, 2) + leBytes(1, 2) + leBytes(8000, 4) + leBytes(16000, 4) + leBytes(2, 2)
                                 + leBytes(16, 2));
}

/** @return a WAV file of the given chunks after "WAVE", with a RIFF size that fits them. */
inline QByteArray waveOf(const QList<QByteArray> &chunks)
{
    QByteArray body("WAVE");
    for (const QByteArray &c : chunks)
        body += c;
    return "RIFF" + leBytes(uint32_t(body.size()), 4) + body;
}

/** @return a whole, short WAV sound: format, then eight silent samples. */
inline QByteArray goodWave()
{
    return waveOf({pcmFormatChunk(), riffChunk("data", QByteArray(16, '\0'))});
}
