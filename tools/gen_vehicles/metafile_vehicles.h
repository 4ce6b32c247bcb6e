/** @file metafile_vehicles.h The vehicle pictures written as metafiles: their names, widths and drawings. */
#pragma once

#include "metafile_writer.h"

#include <vector>

namespace gen {

/** One metafile picture: its file name (".wmf" or ".emf"), width and how it is drawn. */
struct MetafileVehicle {
    const char *fileName;             ///< File name inside the output folder; its extension picks the format.
    int width;                        ///< Width in pixels.
    void (*draw)(MetafileWriter &w);  ///< Draws the side view.
};

/** @return the metafile pictures, in the order of the vehicles file after the bitmaps. */
const std::vector<MetafileVehicle> &metafileCatalogue();

/** @return the picture drawn into the format its file name's extension names. */
QByteArray writeMetafileVehicle(const MetafileVehicle &vehicle);

} // namespace gen
