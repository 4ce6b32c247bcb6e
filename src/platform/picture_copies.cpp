/** @file picture_copies.cpp Stores that keep copies made from pictures, so that a picture they alone hold can be let go. */
#include "platform/picture_copies.h"

#include <vector>

namespace platform {

namespace {

/** The registered stores. */
std::vector<std::function<void(qint64)>> &stores()
{
    static std::vector<std::function<void(qint64)>> registered;
    return registered;
}

} // namespace

void registerPictureCopies(std::function<void(qint64 cacheKey)> letGo)
{
    stores().push_back(std::move(letGo));
}

void letGoPictureCopies(qint64 cacheKey)
{
    for (const auto &letGo : stores())
        letGo(cacheKey);
}

} // namespace platform
