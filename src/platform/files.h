/** @file files.h Listing folders and reading text and picture files of the data directory. */
#pragma once

#include <QImage>
#include <QString>
#include <QStringList>

namespace platform {

/**
 * Lists the files of a folder whose names match a wildcard pattern.
 * @param dir the folder; its path is resolved as by resolvePath.
 * @param pattern a wildcard such as "*.t6g", matched case-insensitively.
 * @return the file names (not paths), sorted by name case-insensitively;
 *         empty when the folder does not exist.
 */
QStringList listFiles(const QString &dir, const QString &pattern);

/**
 * Finds the file a path written for a case-insensitive file system means.
 * Backslashes become slashes; a component that does not exist with its
 * exact case is replaced by the existing entry that matches it
 * case-insensitively (the first by name if several do). Components from the
 * first one that matches nothing on stay as written.
 * @param path the path, with "/" or "\" separators.
 * @return the resolved path, or the normalised path when nothing matches.
 */
QString resolvePath(const QString &path);

/**
 * Splits text into lines at CR LF, LF or CR.
 * @param text the text.
 * @return its lines without their line ends; a final line end adds no
 *         empty line, and an empty text has no lines.
 */
QStringList splitTextLines(const QString &text);

/**
 * Reads a Windows-1250 text file into lines (see splitTextLines).
 * @param path the file; resolved as by resolvePath.
 * @return the file's lines.
 * @throws ui::SimError when the file is missing or unreadable.
 */
QStringList readTextLines1250(const QString &path);

/**
 * Loads a picture file, telling its kind by its first bytes: JPEG, BMP or ICO.
 * @param path the file; resolved as by resolvePath.
 * @return the picture.
 * @throws ui::SimError when the file is missing, unreadable, of another
 *         kind or broken.
 */
QImage loadPicture(const QString &path);

} // namespace platform
