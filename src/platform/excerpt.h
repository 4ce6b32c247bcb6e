/** @file excerpt.h The piece of a file's line or entry that an error text quotes or a caption shows. */
#pragma once

#include <QString>
#include <QStringView>

namespace platform {

/** Most characters of a file's line or entry that an error text quotes or a caption shows. */
inline constexpr qsizetype kMaxQuotedChars = 200;

/**
 * @return the text as an error text quotes it: whole while it has at most
 *         kMaxQuotedChars characters, else its first kMaxQuotedChars
 *         characters and "…". A message box or a menu caption never has
 *         to lay out a whole line of a hostile file, however long it is.
 */
QString excerpt(QStringView text);

} // namespace platform
