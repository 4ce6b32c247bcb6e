/** @file signal_panels.h The lamps, block windows and indicators that the signalling shows on the four views. */
#pragma once

#include "ui/controls.h"

class App;

namespace signalling {

/**
 * Puts on a newly created view (A5, A6, A7 or A8) every lamp, block window,
 * latch and indicator that the signalling lights or redraws, at its place
 * on the view's panels, in its initial state. A part the view already has
 * is left as it is, so the devices' own forms may create it first.
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
