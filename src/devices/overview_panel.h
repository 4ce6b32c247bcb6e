/** @file overview_panel.h The signal boxes' overview panels: the box's building, tracks and road. */
#pragma once

#include "ui/controls.h"

namespace devices {

/**
 * Creates a box's overview panel `Nahled`, hidden and covering the form at
 * design, with the box's building `Stavedlo` centred on it, its foot
 * standing just above the given height (behind the first track's trains).
 * @param box 1 or 2: which box's building.
 */
ui::Panel *overviewPanel(ui::Form &form, int box, int buildingFoot);

/**
 * Creates one track across an overview panel at a train row: the rail
 * `Kolejnice<suffix>` and the bar `Kolej<suffix>`, as the track view draws
 * its rows, as wide as the panel.
 */
void overviewTrack(ui::Form &form, ui::Control *panel, const QString &suffix, int rowTop);

/** Creates the road `Silnice` across box 2's overview, under its track, where the crossing stands. */
void overviewRoad(ui::Form &form, ui::Control *panel);

} // namespace devices
