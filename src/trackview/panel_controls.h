/** @file panel_controls.h The controls the track view's panels and order sheets are made of. */
#pragma once

#include "ui/controls.h"

class App;

namespace trackview {

/** Colour of a panel button at rest (clNavy). */
inline const QColor PanelNavy(0, 0, 128);
/** Colour of the chosen item's button (clBlue). */
inline const QColor PanelBlue(0, 0, 255);

/** @return the control of this name on the form; creates it inside parent at `design` when the form has none yet. */
template <class T> T *findOrMake(ui::Form &form, ui::Control *parent, const QString &name, const QRect &design)
{
    if (auto *existing = dynamic_cast<T *>(form.find(name)))
        return existing;
    T *made = form.make<T>(parent, name);
    made->setBounds(design);
    return made;
}

/**
 * @return one of the control bar's panels (`PanelA`, `PanelC`) as the
 * frame made it; where it has not, a black group at Left 87, Top 0,
 * 466 x 81, hidden, inside the bar `Panel` when the view has one.
 */
ui::Control *controlBarPanel(ui::Form &a5, const QString &name);

/** @return a panel button: a label with centred black Verdana of 19 px on clNavy. */
ui::Label *panelButton(ui::Form &a5, ui::Control *parent, const QString &name, const QString &caption,
                       const QRect &design);

/**
 * Runs a panel handler under its guard: on a failure the rest is skipped,
 * the code shown while `A1.NCK` is on and passed on while `A1.NCD` is on.
 */
void panelGuard(App &app, const char *code, const std::function<void()> &fn);

} // namespace trackview
