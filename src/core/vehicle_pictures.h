/** @file vehicle_pictures.h The pictures of the vehicles file, decoded once per file and kept. */
#pragma once

#include "platform/files.h"

#include <QHash>
#include <QImage>
#include <QSet>
#include <QString>

/**
 * Decoded vehicle pictures. A picture file is read and decoded the first
 * time a train needs it and kept, once per file: the other spellings of
 * its path ("Vozidla//a.wmf", "Vozidla\a.wmf", another letter case, a
 * link) give the same picture. All the pictures kept together take at most
 * platform::kMaxKeptPictureBytes; a picture past that is refused as a
 * broken one is. A file that is missing, broken or refused is remembered
 * with its stamp: trains that name it are refused without reading it again
 * while it stays so, and a file the player mends while the program runs
 * is read at the next train that names it. The path of a refused file is
 * remembered with what it resolved to: it is not resolved again in the
 * game, its file is only looked at for a change. An entry longer than any
 * path (platform::kMaxPathLength) is refused at once whenever it is named,
 * without a look at the file system.
 */
class VehiclePictures {
public:
    /**
     * @param dataDir the data directory, without a trailing separator.
     * @param entry a line of the vehicles file: a path relative to the data
     *        directory with "\" or "/" separators, in any letter case.
     * @return the picture, or a null image when the file is missing, cannot
     *         be decoded or would pass the total.
     */
    QImage picture(const QString &dataDir, const QString &entry);
    /** @return how many pictures are kept. */
    int picturesKept() const { return static_cast<int>(m_byFile.size()); }
    /** @return how many times a picture file was read and decoded (or refused). */
    int picturesRead() const { return m_reads; }
    /** @return the memory the kept pictures take, in bytes. */
    qint64 bytesKept() const { return m_bytes; }

private:
    /** Remembers a file as unusable, and the path that named it with what it resolved to. @return a null image. */
    QImage refuse(const QString &path, const QString &resolved, const platform::FileStamp &stamp);

    QHash<QString, platform::FileStamp> m_byPath;   ///< The file each path named when it gave its picture.
    QHash<QString, QString> m_refusedPaths;         ///< Paths that named an unusable file, and what they resolved to.
    QHash<platform::FileStamp, QImage> m_byFile;    ///< Decoded pictures by file, never a null one.
    QSet<platform::FileStamp> m_refused;            ///< Files that could not be used, as they were then.
    qint64 m_bytes = 0;                             ///< Memory of the kept pictures.
    int m_reads = 0;                                ///< Files read and decoded so far.
};

/** @return the path of a vehicles-file entry under the data directory, with "/" separators. */
QString vehiclePicturePath(const QString &dataDir, const QString &entry);
