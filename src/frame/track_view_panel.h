/** @file track_view_panel.h The track view's bottom panel: three tabs and the switches of its signals and platforms. */
#pragma once

#include "ui/controls.h"

class App;

namespace frame {

/** Creates the bottom group `Panel` of the track view with its tab column and its three hidden panels. */
void buildTrackViewPanel(ui::Form &a5);
/** Wires the tabs and the two switches of the track view as it exists now. */
void wireTrackViewPanel(App &app);

/** A tab: opens its panel and closes the others, or closes its own panel when it is open. */
void TlLClick(App &app, int tab);
/** "skrýt návěstidla" / "zobrazit návěstidla": moves the ten signals out of sight and the platforms into their place, or back. */
void PC05Click(App &app);
/** "skrýt nástupiště" / "zobrazit nástupiště": hides or shows the fifteen platforms. */
void PC06Click(App &app);

} // namespace frame
