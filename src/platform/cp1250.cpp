/** @file cp1250.cpp Conversion between Windows-1250 bytes and text. */
#include "platform/cp1250.h"

#include "platform/cp1250_tables.h"

#include <QHash>

namespace platform {

namespace {

/** @return the byte of each character of the code page's upper half. */
const QHash<char16_t, char> &upperHalfBytes()
{
    static const QHash<char16_t, char> bytes = [] {
        QHash<char16_t, char> map;
        for (int b = 0x80; b < 0x100; ++b) {
            if (cp1250::kTable[b] != cp1250::kUndefined)
                map.insert(cp1250::kTable[b], static_cast<char>(b));
        }
        return map;
    }();
    return bytes;
}

/** @return the byte of one character of the basic plane, '?' when there is none. */
char encodeChar(char16_t c)
{
    if (c < 0x80)
        return static_cast<char>(c);
    return upperHalfBytes().value(c, '?');
}

} // namespace

QString decodeCp1250(const QByteArray &bytes)
{
    QString text;
    text.reserve(bytes.size());
    for (char b : bytes)
        text.append(QChar(cp1250::kTable[static_cast<unsigned char>(b)]));
    return text;
}

QByteArray encodeCp1250(const QString &text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        /* A surrogate pair is one character outside the code page. */
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            bytes.append('?');
            ++i;
            continue;
        }
        bytes.append(encodeChar(c.unicode()));
    }
    return bytes;
}

} // namespace platform
