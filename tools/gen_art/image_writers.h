/** @file image_writers.h Byte-stable writers of 24-bit BMP and baseline JPEG files. */
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

namespace art {

/** JPEG quality of every stock picture. */
constexpr int kJpegQuality = 90;

/** @return the picture as an uncompressed 24-bit bottom-up BMP file. */
QByteArray encodeBmp(const QImage &img);

/**
 * @return the picture as a baseline JPEG file at kJpegQuality, without
 * chroma subsampling, so that small pictures keep their colours crisp.
 * A failure of libjpeg ends the generator.
 */
QByteArray encodeJpeg(const QImage &img);

/** Writes data to path. @return an empty text, or what went wrong. */
QString writeFile(const QString &path, const QByteArray &data);

} // namespace art
