/** @file workplace_routines.h The routines of the workplace frame, shared by its keys, layout and menus. */
#pragma once

#include "core/option_guard.h"
#include "frame/workplace_frame.h"

#include <functional>

class App;

namespace frame {

struct ViewMemory;

/** One workplace view as its routines see it: the form, its frame and the code's memory, found by name. */
struct View {
    View(App &app, const QString &name);

    App &app;
    QString name;          ///< "A5" .. "A8".
    ui::Form &form;        ///< The view's form as it exists now.
    WorkplaceFrame &frame; ///< Its frame controls.
    ViewMemory &memory;    ///< What outlives the form.

    /** @return the prefix of the component handlers' codes: "50" .. "80". */
    QString componentPrefix() const { return name.mid(1) + QLatin1Char('0'); }
    /** @return the prefix of the frame routines' codes: "51" .. "81". */
    QString framePrefix() const { return name.mid(1) + QLatin1Char('1'); }
    /** @return whether the game is paused: the speed word reads "P". */
    bool paused() const;
    /** Shows another form and hides this view. */
    void switchTo(ui::Form &target);
};

/** @return the frame of a workplace view. */
WorkplaceFrame &frameOf(App &app, const QString &viewName);

using core::optionGuard;

/* Keys and wheel (workplace_keys.cpp). */
void WorkplaceKeyDown(View &v, int key);
void WorkplaceKeyUp(View &v, int key);
void WorkplaceKeyPress(View &v, QChar ch);
/** Wheel: +10 (down) or -10 (up) on the bar the wheel moves. */
void WorkplaceWheel(View &v, int step);
/** The speed buttons: "<" (-1), "1 x" (0), ">" (+1). */
void speedButton(View &v, int direction);

/* Layout and scrolling (workplace_layout.cpp). */
void WorkplaceResize(View &v);
void B4Change(View &v);
void B5Change(View &v);

/* Menu bar and position panel (workplace_menu.cpp). */
void ResetMenuBarHighlight(View &v);
void ResetPositionHighlight(View &v);
void D5MouseMove(View &v);
/** Wires the strips, the bars, the menu bar, the position panel and the content's pointer. */
void wireWorkplaceMenus(App &app, const QString &viewName);

} // namespace frame
