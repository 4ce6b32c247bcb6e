/** @file trackview_wiring.cpp Wires the track view's handlers to a newly created A5. */
#include "trackview/trackview_handlers.h"

#include "core/app.h"
#include "trackview/form_a5.h"

namespace trackview {

void wireA5(App &app)
{
    /* Every slot of a track, empty or not, dispatches that track's train. */
    for (TrackRow &row : app.A5().tracks.rows) {
        const int track = row.number;
        for (ui::Image *slot : row.vehicleSlots)
            slot->onClick = [&app, track] { DepartFromTrack(app, track); };
    }
    buildTrainPanel(app);
    buildWrittenOrders(app);
}

} // namespace trackview
