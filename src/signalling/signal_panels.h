/** @file signal_panels.h The lamps, block windows and indicators that the signalling shows on the four views. */
#pragma once

#include "ui/controls.h"

class App;

namespace signalling {

/**
 * Puts on a newly created view (A6, A7 or A8) the lamps, block windows,
 * latches and indicators that only the signalling works, at their places
 * on the view's panels, and draws every block field the view shows (A5
 * too). The devices' forms create their own parts, route labels, tablets
 * and bells among them, before this runs.
 */
void addSignalPanels(App &app, ui::Form &view);

/** Throws the failure of a missing control, naming it as "A6.LBila". */
[[noreturn]] void partMissing(const ui::Form &form, const QString &name);

/**
 * @return the control of this name on a form, as the type the caller works
 * with; throws ui::SimError when the form has none, so a handler that
 * needs it fails under its own guard instead of crashing.
 */
template <class T> T &part(const ui::Form &form, const QString &name)
{
    auto *c = dynamic_cast<T *>(form.find(name));
    if (!c)
        partMissing(form, name);
    return *c;
}

} // namespace signalling
