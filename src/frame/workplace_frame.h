/** @file workplace_frame.h The frame shared by the four workplace views: content group, clock box, pause sign. */
#pragma once

#include "ui/controls.h"

/** The controls of the frame of one workplace view, named alike on A5, A6, A7 and A8. */
struct WorkplaceFrame {
    ui::Panel *B0 = nullptr;     ///< Left edge strip.
    ui::Panel *B1 = nullptr;     ///< Right edge strip; hovering it shows B5.
    ui::Panel *B2 = nullptr;     ///< Top edge strip; hovering it shows the menu bar.
    ui::Panel *B3 = nullptr;     ///< Bottom edge strip; hovering it shows B4.
    ui::ScrollBar *B4 = nullptr; ///< Horizontal scroll position of D5, 0 .. 100.
    ui::ScrollBar *B5 = nullptr; ///< Vertical scroll position of D5, 0 .. 100.
    ui::Panel *B6 = nullptr;     ///< Menu bar.
    ui::Label *B7 = nullptr;     ///< "menu".
    ui::Label *B8 = nullptr;     ///< "jízdní řád".
    ui::Label *B9 = nullptr;     ///< "pozice": hovering it opens the position panel.
    ui::Label *C0 = nullptr;     ///< "konec".
    ui::Panel *C1 = nullptr;     ///< Position panel.
    ui::Image *C2 = nullptr;     ///< Station overview picture.
    ui::Label *C3 = nullptr;     ///< Hotspot of signal box 1.
    ui::Label *C4 = nullptr;     ///< Hotspot of the track view.
    ui::Label *C5 = nullptr;     ///< Hotspot of the desk.
    ui::Label *C6 = nullptr;     ///< Hotspot of signal box 2.
    ui::Label *C7 = nullptr;     ///< Hotspot of the view switcher; hidden.
    ui::Image *C8 = nullptr;     ///< Marker of the view's own place.
    ui::Shape *C9 = nullptr;     ///< Highlight frame round the hovered hotspot.
    ui::Label *D0 = nullptr;     ///< "St.1".
    ui::Label *D1 = nullptr;     ///< "Peron".
    ui::Label *D2 = nullptr;     ///< "DK".
    ui::Label *D3 = nullptr;     ///< "St.2".
    ui::Label *D4 = nullptr;     ///< "St.3"; hidden.
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

/**
 * Creates the frame parts that lie over the content: pause sign, warning
 * strip, clock box, edge strips, scroll bars, menu bar and position panel.
 */
void buildWorkplaceOverlay(ui::Form &form, WorkplaceFrame &frame);

/** @return the hotspot of a view's own place on the position panel: "C4" on A5, "C5" on A6, "C3" on A7, "C6" on A8. */
QString ownHotspot(const QString &viewName);
