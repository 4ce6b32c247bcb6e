/** @file vehicle_pictures.h The pictures of the vehicles file, decoded once and kept by path. */
#pragma once

#include <QHash>
#include <QImage>
#include <QString>

/**
 * Decoded vehicle pictures by their path. A picture file is read and
 * decoded the first time a train needs it and kept. A file that is missing
 * or broken is not remembered: the next train that names it reads it
 * again, so a file the player mends while the program runs is taken.
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

private:
    QHash<QString, QImage> m_byPath; ///< Decoded pictures, never a null one.
};

/** @return the path of a vehicles-file entry under the data directory, with "/" separators. */
QString vehiclePicturePath(const QString &dataDir, const QString &entry);
