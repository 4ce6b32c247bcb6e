/** @file start_pictures.cpp The start pictures of the desk and the signal boxes (not built yet). */
#include "core/core_handlers.h"

namespace core {

void copyStartPictures(App &) {}

} // namespace core
