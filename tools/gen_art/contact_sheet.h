/** @file contact_sheet.h One overview picture of all stock pictures with their names. */
#pragma once

#include "catalogue.h"

#include <QImage>

#include <vector>

namespace art {

/**
 * @return a sheet showing every picture under its name, size and format;
 * small pictures are doubled, see-through parts are drawn as checks.
 * @param pictures the list; images[i] is the drawn picture of pictures[i].
 */
QImage contactSheet(const std::vector<Picture> &pictures, const std::vector<QImage> &images);

} // namespace art
