/** @file png_decoder.h Decodes the PNG image of an icon into the picture Qt's PNG reader makes of it. */
#pragma once

#include <QImage>

#include <cstdint>

namespace platform {

/** @return whether an image of @p size bytes from @p image on begins with the signature of a PNG. */
bool isPng(const char *image, int64_t size);

/**
 * Decodes a PNG image (the one an icon shows) into the picture Qt's PNG
 * reader makes of it: the same format, colour table and pixels, but for a
 * 16-bit RGB image with a transparent colour, whose key pixels are made
 * transparent and the others opaque. The image is whole when its header
 * comes first, its chunks lie inside with their checks right, its palette
 * and transparency are no longer than its colours allow, and its
 * compressed pixels (no more than its rows can need) inflate to exactly
 * its rows and end there. Only its header, palette, transparency and
 * pixels are read: texts, colour profiles and any other chunk are passed
 * over unread. Nothing of the file is copied; the rows are inflated one at
 * a time straight into the picture.
 * @return the picture, or a null picture when the image is broken.
 * @throws PictureTooLarge when its header gives it more pixels than the
 *         limits, or the reading takes its processor time before its pixels
 *         are all decoded.
 */
QImage decodePng(const char *png, int64_t size);

} // namespace platform
