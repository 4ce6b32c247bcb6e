/** @file jpeg_decoder.h JPEG pictures through libjpeg, with broken files turned into errors. */
#pragma once

#include <QByteArray>
#include <QImage>

namespace platform {

/** The memory one decoding took, by the decoder's own count. */
struct JpegMemory {
    qint64 libraryPeak = 0; ///< The most bytes libjpeg held at once.
    qint64 picture = 0;     ///< Bytes of the decoded picture; 0 when none was made.
};

/**
 * Decodes a JPEG picture: grayscale, colour, or CMYK and YCCK, which are
 * turned into colour as Qt's reader turns them. Its size is looked at
 * before libjpeg allocates for it, and libjpeg's memory is limited.
 * @param data the content of a JPEG file.
 * @param memory when given, receives the memory the decoding took, also when it fails.
 * @return the picture in QImage::Format_RGB32.
 * @throws ui::SimError when the data is broken, truncated, of an
 *         unsupported colour space, larger than kMaxPictureSide a side,
 *         in more than kMaxJpegScans scans, needs more than kMaxJpegMemory
 *         or more processor time than kMaxPictureReadTime.
 */
QImage decodeJpeg(const QByteArray &data, JpegMemory *memory = nullptr);

/**
 * Encodes a picture as a baseline JPEG file.
 * @param image the picture; QImage::Format_Grayscale8 gives a grayscale
 *        file, any other format a colour one (alpha is dropped).
 * @param quality 1 (smallest) to 100 (best); values outside are clamped.
 * @return the content of the JPEG file.
 * @throws ui::SimError when the picture is null or libjpeg fails.
 */
QByteArray encodeJpeg(const QImage &image, int quality);

} // namespace platform
