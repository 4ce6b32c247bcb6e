/** @file vehicle_pictures.h The pictures of the vehicles file, decoded once and kept by path. */
#pragma once

#include "platform/files.h"

#include <QHash>
#include <QImage>
#include <QString>

/**
 * Decoded vehicle pictures by their path. A picture file is read and
 * decoded the first time a train needs it and kept. A file that is missing
 * or broken is remembered with its size and modification time: trains
 * that name it are refused without reading it again while it stays so,
 * and a file the player mends while the program runs is read at the next
 * train that names it.
 */
class VehiclePictures {
public:
    /**
     * @param dataDir the data directory, without a trailing separator.
     * @param entry a line of the vehicles file: a path relative to the data
     *        directory with "\" or "/" separators, in any letter case.
     * @return the picture, or a null image when the file is missing or cannot be decoded.
     */
    const QImage &picture(const QString &dataDir, const QString &entry);
    /** @return how many pictures are kept. */
    int picturesKept() const { return static_cast<int>(m_byPath.size()); }
    /** @return how many times a picture file was read and decoded (or refused). */
    int picturesRead() const { return m_reads; }

private:
    QHash<QString, QImage> m_byPath;                 ///< Decoded pictures, never a null one.
    QHash<QString, platform::FileStamp> m_refused;   ///< Files that could not be used, as they were then.
    int m_reads = 0;                                 ///< Files read and decoded so far.
};

/** @return the path of a vehicles-file entry under the data directory, with "/" separators. */
QString vehiclePicturePath(const QString &dataDir, const QString &entry);
