/** @file box2_parts.h Reaching box 2's parts by name, the drag state of its devices, and small shared steps. */
#pragma once

#include "core/app.h"
#include "core/form_a1.h"
#include "devices/box2_handlers.h"
#include "devices/form_a8.h"
#include "signalling/signal_panels.h"
#include "ui/controls.h"

namespace devices::box2 {

/** @return box 2's drag state. */
inline DragState &dragState(const App &app)
{
    return app.A8().drag;
}

/** @return the control of this name on box 2; throws ui::SimError when it has none. */
template <class T = ui::Control> T &a8(const App &app, const QString &name)
{
    return signalling::part<T>(app.A8(), name);
}

/** @return the Left of a part of box 2. */
inline int leftOf(const App &app, const char *name)
{
    return a8(app, QLatin1String(name)).left();
}

/** Writes a word (an aspect, the crossing's state) only where the cell holds the word it replaces. */
inline void replaceWord(ui::Edit *cell, const QString &from, const QString &to)
{
    if (cell->text() == from)
        cell->setText(to);
}

/** @return whether the motor cut-out `NVP` stands out (motors may start). */
inline bool cutOutOut(const App &app)
{
    return a8(app, "NVP").top() == app.A8().E0->top() + 442;
}

/** @return whether the motor cut-out `NVP` is pressed in (motors are held off). */
inline bool cutOutIn(const App &app)
{
    return a8(app, "NVP").top() == app.A8().E0->top() + 444;
}

/** Starts a point motor: its timer runs and the ammeter counts one more motor. */
void startMotor(App &app, int motor);

/** Pushes points that stand at the end `from` (10 or -10) one step off it, as the cut-out does. */
inline void pushOffEnd(ui::SpinEdit *points, int from)
{
    if (points->value() == from)
        points->setValue(from > 0 ? from - 1 : from + 1);
}

} // namespace devices::box2
