/** @file files.h Listing folders and reading text and picture files of the data directory. */
#pragma once

#include <QHashFunctions>
#include <QImage>
#include <QString>
#include <QStringList>

namespace platform {

/** Files larger than this are refused: no timetable, vehicles file, picture or sound comes near it. */
inline constexpr qint64 kMaxFileSize = 64LL * 1024 * 1024;

/**
 * Text files of more lines than this are refused before their lines are
 * made: a timetable of 500,000 trains still fits, a file of empty lines
 * never costs more than this many.
 */
inline constexpr qsizetype kMaxTextLines = 1000000;

/**
 * Most characters of a path that can name a file: the file system takes
 * paths of at most PATH_MAX bytes (4096), and a character takes at least
 * one. A longer path, which no real one comes near, is not looked up at
 * all: it is refused at once as an unreadable file.
 */
inline constexpr qsizetype kMaxPathLength = 4096;

/** @return whether a path has more than kMaxPathLength characters, so that no file has it. */
bool namesNoFile(QStringView path);

/** Why a file could not be read. */
enum class FileProblem {
    None,       ///< Read whole.
    Missing,    ///< No such file (or a folder on its path is missing).
    Unreadable, ///< It cannot be read: no permission, a folder, a FIFO, a device, an I/O error, a path above kMaxPathLength.
    TooLarge,   ///< Larger than kMaxFileSize, or the size given for its kind.
};

/** The content of a file, or why it could not be read. */
struct FileContent {
    QByteArray bytes;                        ///< The whole file when problem is None.
    FileProblem problem = FileProblem::None; ///< Why it was not read.
};

/**
 * What tells one file from another, and one state of a file from another,
 * without reading it: two paths that name the same file in the same state
 * (through other separators, "." or "..", links) have equal stamps.
 */
struct FileStamp {
    bool exists = false; ///< Whether anything of that name exists.
    qint64 size = 0;     ///< Its size in bytes.
    qint64 modifiedNs = 0; ///< Its modification time, in nanoseconds.
    quint64 device = 0;  ///< The file system that holds it.
    quint64 inode = 0;   ///< The file on that file system.
    bool operator==(const FileStamp &) const = default;
};

/** @return a hash of a stamp, for keeping things by file. */
inline size_t qHash(const FileStamp &stamp, size_t seed = 0)
{
    return qHashMulti(seed, stamp.exists, stamp.size, stamp.modifiedNs, stamp.device, stamp.inode);
}

/** @return the stamp of a file (symbolic links followed), used as it is (not resolved). */
FileStamp fileStamp(const QString &path);

/**
 * Looks at a file without opening it.
 * @param maxSize the most bytes it may have.
 * @return None for a regular file up to @p maxSize, else why it cannot be read.
 */
FileProblem checkRegularFile(const QString &path, qint64 maxSize = kMaxFileSize);

/**
 * Reads a regular file whole, safely: anything that is not a regular file
 * (a FIFO, a device, a folder) is refused at once without waiting on it,
 * and so is a file above @p maxSize. Its bytes are read into one buffer of
 * its size, never copied. Never throws.
 * @param path the file, used as it is (not resolved).
 * @param maxSize the most bytes it may have (kMaxPictureFileSize for a picture).
 */
FileContent readRegularFile(const QString &path, qint64 maxSize = kMaxFileSize);

/**
 * @return the bytes a path stands for on the file system. Each name of
 *         the path is given as the bytes of the entry that exists: its
 *         UTF-8 bytes, or else its Windows-1250 bytes (names written on
 *         Windows); UTF-8 when neither exists. Each name is looked up
 *         once, in the folder before it; a path of more than
 *         kMaxPathLength characters is given in UTF-8 without a look.
 */
QByteArray nativePath(const QString &path);

/** @return the name of a folder entry: its bytes as UTF-8 when they are valid UTF-8, else as Windows-1250. */
QString decodeFileName(const QByteArray &name);

/** @return the program's present working folder, its names decoded as by decodeFileName. */
QString currentFolder();

/**
 * Lists the subfolders of a folder, hidden ones (named from a dot) left out.
 * @param dir the folder, used as it is (not resolved).
 * @return their names, sorted by name case-insensitively; empty when the folder cannot be listed.
 */
QStringList listFolders(const QString &dir);

/**
 * Lists the files of a folder whose names match a wildcard pattern.
 * @param dir the folder; its path is resolved as by resolvePath.
 * @param pattern a wildcard such as "*.t6g", matched case-insensitively.
 * @return the file names (not paths), sorted by name case-insensitively;
 *         empty when the folder does not exist.
 * @throws ui::SimError when the folder exists but cannot be listed.
 */
QStringList listFiles(const QString &dir, const QString &pattern);

/**
 * Finds the file a path written for a case-insensitive file system means.
 * Backslashes become slashes, and "." and ".." are resolved by the text
 * before anything is looked up, as Windows resolves them ("a/b/../c" is
 * "a/c", also when "a/b" does not exist); empty names are left out. A
 * component that does not exist with its exact case is replaced by the
 * existing entry that matches it case-insensitively (the first by name if
 * several do). Components from the first one that matches nothing on stay
 * as written, and a path of more than kMaxPathLength characters is given
 * back with only its separators made "/", without a look. A path whose
 * names all exist as written costs one look; otherwise each component is
 * looked up once, in the folder before it, and each folder is listed at
 * most once (one too large to keep, below, once for each name looked for
 * in it): the work grows linearly with the path and the folders on it.
 * A folder's listing is kept while the folder stays unchanged (its
 * modification time), so that paths through the same folders list each
 * once however many there are; the listings kept take at most
 * kMaxListingBytes, and of a folder whose names pass that only the names
 * looked for in it are kept. A resolution left for later (PathWorkSpent)
 * goes on from the name it stopped at when the same path is resolved next.
 * @param path the path, with "/" or "\" separators.
 * @return the resolved path, or the normalised path when nothing matches.
 * @throws PathWorkSpent when a PathWorkLimit of this thread is reached, or
 *         the time of its reading (PictureRead) once it walks or lists folders.
 */
QString resolvePath(const QString &path);

/**
 * The most memory the folder listings that resolving paths keeps on a
 * thread may take: their names once each, some 16 bytes and the name's
 * bytes a name, so a million names of a vehicles pack fit.
 */
inline constexpr qint64 kMaxListingBytes = 32LL * 1024 * 1024;

/** @return the memory the folder listings kept for resolving paths on this thread take, in bytes. */
qint64 listingBytes();

/**
 * Sets the most memory the folder listings kept on this thread may take
 * while it lives, in place of kMaxListingBytes; what is kept past it is let
 * go at once. For the tests, which need no folders of a million names.
 */
class ListingMemoryLimit {
public:
    explicit ListingMemoryLimit(qint64 bytes);
    ~ListingMemoryLimit();
    ListingMemoryLimit(const ListingMemoryLimit &) = delete;
    ListingMemoryLimit &operator=(const ListingMemoryLimit &) = delete;

private:
    qint64 m_outer; ///< The limit before, restored when it ends.
};

/** @return how many folders this process has listed so far: the work that finding files costs, for the tests. */
quint64 foldersListed();

/**
 * @return the work finding files has cost this thread so far: a unit for
 *         each look at the file system and for each folder entry listed,
 *         each some microsecond.
 */
quint64 pathWork();

/** Thrown by resolvePath when its thread's PathWorkLimit is spent: the path is left for later, neither found nor missing. */
struct PathWorkSpent {};

/**
 * A bound on the work finding files may cost on this thread while it
 * lives: resolvePath refuses to go on (PathWorkSpent) once pathWork() has
 * grown by `units` since, between the names of a path. A folder being
 * listed is listed whole, and what it costs is kept for the next
 * resolution, so a path left for later gets further each time. A limit
 * set within another never reaches past it.
 */
class PathWorkLimit {
public:
    explicit PathWorkLimit(quint64 units);
    ~PathWorkLimit();
    PathWorkLimit(const PathWorkLimit &) = delete;
    PathWorkLimit &operator=(const PathWorkLimit &) = delete;

    /** @return whether the limit of this thread is reached; false while none is set. */
    static bool spent();

private:
    quint64 m_outerEnd; ///< The work the limit this one is set within ends at, restored when it ends.
};

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
 * @throws ui::SimError when the file is missing, unreadable, no regular
 *         file, too large or of more than kMaxTextLines lines, each with
 *         its own message.
 */
QStringList readTextLines1250(const QString &path);

/**
 * Loads a picture file of the kind its extension names: "bmp", "ico",
 * "wmf", "emf", "jpg" or "jpeg" (in any letter case).
 * @param path the file; resolved as by resolvePath.
 * @return the picture; a metafile is drawn at its own size.
 * @throws ui::SimError when the file is missing or unreadable, its
 *         extension names no picture kind, its content is not of the kind
 *         its extension names, or it is broken or truncated;
 *         platform::PictureTooLarge ("Obrázek je příliš velký: ...") when
 *         it would take more time to decode than its reading has left.
 */
QImage loadPicture(const QString &path);

/**
 * Loads a picture file as loadPicture does, from a path that resolvePath
 * has already given. It is read in the picture reader's process
 * (PictureReader), within the processor time left to this thread's reading.
 * @param firstOfReader set, unless null, to whether the picture or its
 *        refusal came from a reader that had read no other picture before
 *        it (PictureReader::read).
 * @throws as loadPicture does; PictureNotRead when no picture reader could
 *         be started.
 */
QImage loadResolvedPicture(const QString &resolved, bool *firstOfReader = nullptr);

/**
 * Reads and decodes a picture file in this process, as loadResolvedPicture
 * does in the picture reader's: the reader's own work.
 */
QImage readPictureFile(const QString &resolved);

} // namespace platform
