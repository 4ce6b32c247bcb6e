/** @file picture_memory.h Where the pixels of a picture being decoded are kept. */
#pragma once

#include <QImage>

namespace platform {

/** Makes a new picture of a size and format whose pixels are not set yet; a null picture when it cannot. */
using PictureMemory = QImage (*)(int width, int height, QImage::Format format);

/**
 * Gives the pictures decoded from here on their pixels from @p memory,
 * or from the heap when it is null. The picture reader gives them memory
 * it can hand over to the program as it is, without copying the pixels.
 */
void setPictureMemory(PictureMemory memory);

/**
 * @return a new picture for a decoder to write its pixels into, from the
 *         memory set by setPictureMemory; a null picture when none can be
 *         had.
 */
QImage newPicture(int width, int height, QImage::Format format);

} // namespace platform
