/** @file trackview_handlers.h The handlers of the track view: departures, written orders and the train panel. */
#pragma once

class App;

namespace trackview {

/**
 * Wires a newly created track view A5: the vehicle slots' clicks to their
 * track's departure, the orders panel with its two sheets and the train
 * panel.
 */
void wireA5(App &app);

/**
 * Departure of the train standing on station track `track` (1, 2, 3, 5, 7):
 * for every timetable row that holds the track's train and is due to leave
 * (departure cell aqua), starts the departure run of the row's line when the
 * exit signal towards that line shows proceed or a written order stands in
 * for it. Does nothing, and shows nothing, when the train may not leave.
 * Has no guard of its own: a failure passes to the caller.
 */
void DepartFromTrack(App &app, int track);

/**
 * "ok" of the general written order (`A5.RV17`): closes the sheet, writes
 * the order register that a signal order names, dispatches the train that a
 * departure order names, and empties the sheet's fields.
 */
void RV17Click(App &app);

/** Builds the orders panel `A5.PanelC` and its two order sheets, and wires their handlers. */
void buildWrittenOrders(App &app);

/** Builds the train panel `A5.PanelA` and wires its handlers. */
void buildTrainPanel(App &app);

} // namespace trackview
