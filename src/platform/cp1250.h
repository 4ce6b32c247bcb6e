/** @file cp1250.h Conversion between Windows-1250 bytes and text. */
#pragma once

#include <QByteArray>
#include <QString>

namespace platform {

/**
 * Decodes Windows-1250 bytes.
 * @param bytes the encoded text.
 * @return the text; a byte the code page leaves undefined becomes U+FFFD.
 */
QString decodeCp1250(const QByteArray &bytes);

/**
 * Encodes text as Windows-1250.
 * @param text the text.
 * @return one byte per character; a character the code page lacks (one
 *         code point, even outside the basic plane) becomes '?'.
 */
QByteArray encodeCp1250(const QString &text);

} // namespace platform
