/** @file picture_memory.cpp Where the pixels of a picture being decoded are kept. */
#include "platform/picture_memory.h"

namespace platform {

namespace {

/** The memory of new pictures; the heap while none is set. */
PictureMemory g_memory = nullptr;

} // namespace

void setPictureMemory(PictureMemory memory)
{
    g_memory = memory;
}

QImage newPicture(int width, int height, QImage::Format format)
{
    return g_memory ? g_memory(width, height, format) : QImage(width, height, format);
}

} // namespace platform
