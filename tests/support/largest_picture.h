/** @file largest_picture.h A metafile of a few bytes that decodes to the largest picture allowed. */
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

/**
 * @return a WMF of 78 bytes declaring a picture of 4096 x 4096 pixels
 *         (platform::kMaxPictureSide) and drawing nothing: it decodes to
 *         the most memory one picture may take, at once.
 */
inline QByteArray largestPictureWmf()
{
    return QByteArray::fromHex("d7cdc69a0000000000000010001060000000000071570100090000031c000000ffff100000000000040000000201"
                               "0100040000000201010004000000020101000400000002010100030000000000");
}

/** Writes largestPictureWmf() to a file. @return whether it was written whole. */
inline bool writeLargestPicture(const QString &path)
{
    QFile file(path);
    const QByteArray bytes = largestPictureWmf();
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}
