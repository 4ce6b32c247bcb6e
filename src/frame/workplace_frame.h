/** @file workplace_frame.h The frame shared by the four workplace views: content group, clock box, pause sign. */
#pragma once

#include "ui/controls.h"

/** The controls of the frame of one workplace view, named alike on A5, A6, A7 and A8. */
struct WorkplaceFrame {
    ui::GroupBox *D5 = nullptr;  ///< The scrolled content of the view.
    ui::Image *D6 = nullptr;     ///< Hidden picture inside D5.
    ui::Label *D7 = nullptr;     ///< Hidden clock label inside D5; the tick writes the clock into it.
    ui::Label *Pauza = nullptr;  ///< The pause sign inside D5.
    ui::GroupBox *D8 = nullptr;  ///< Warning strip.
    ui::Label *D9 = nullptr;     ///< Warning text.
    ui::GroupBox *H00 = nullptr; ///< Clock-and-speed box.
    ui::Label *H01 = nullptr;    ///< The simulation clock.
    ui::Label *H02 = nullptr;    ///< Speed button "<".
    ui::Label *H03 = nullptr;    ///< Speed button "1 x".
    ui::Label *H04 = nullptr;    ///< Speed button ">".
};

/**
 * Creates the content group D5 of a view at its design place; the view's
 * own content goes into it.
 */
void buildWorkplaceContent(ui::Form &form, WorkplaceFrame &frame, const QRect &d5);

/** Creates the frame parts that lie over the content: warning strip and clock box. */
void buildWorkplaceOverlay(ui::Form &form, WorkplaceFrame &frame);
