/** @file jpeg_decoder.h JPEG pictures through libjpeg, with broken files turned into errors. */
#pragma once

#include <QByteArray>
#include <QImage>

namespace platform {

/**
 * Decodes a JPEG picture (grayscale or colour).
 * @param data the content of a JPEG file.
 * @return the picture in QImage::Format_RGB32.
 * @throws ui::SimError when the data is broken, truncated, of an
 *         unsupported colour space or far too large.
 */
QImage decodeJpeg(const QByteArray &data);

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
