/** @file form_a5.h The station track view A5. */
#pragma once

#include "frame/workplace_frame.h"
#include "trackview/track_model.h"

/** The station track view: five tracks of ten vehicle slots. */
class TA5 : public ui::Form {
public:
    explicit TA5(platform::Platform &platform);

    WorkplaceFrame frame;  ///< The workplace frame; its D5 holds the tracks.
    TrackViewModel tracks; ///< The five station tracks and their registers.
};
