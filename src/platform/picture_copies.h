/** @file picture_copies.h Stores that keep copies made from pictures, so that a picture they alone hold can be let go. */
#pragma once

#include <QtGlobal>

#include <functional>

namespace platform {

/**
 * Registers a store that keeps a copy made from a picture together with
 * the picture itself, by the picture's cache key (the front keeps the
 * masked copy of a transparent picture so). Such a store holds the picture
 * only for as long as something else does; a store of pictures asking
 * whether anything shows one of its own first has these copies let go,
 * else the two would hold each other's pictures for ever.
 * @param letGo lets go the copy made from the picture of a cache key, and the picture with it.
 */
void registerPictureCopies(std::function<void(qint64 cacheKey)> letGo);

/** Lets every registered store go of its copy made from the picture of a cache key. */
void letGoPictureCopies(qint64 cacheKey);

} // namespace platform
