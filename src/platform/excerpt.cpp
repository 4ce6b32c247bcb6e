/** @file excerpt.cpp The piece of a file's line or entry that an error text quotes or a caption shows. */
#include "platform/excerpt.h"

namespace platform {

QString excerpt(QStringView text)
{
    if (text.size() <= kMaxQuotedChars)
        return text.toString();
    qsizetype cut = kMaxQuotedChars;
    /* A character of two UTF-16 units is kept whole or left out whole. */
    if (text.at(cut - 1).isHighSurrogate())
        --cut;
    return text.first(cut).toString() + QChar(0x2026);
}

} // namespace platform
