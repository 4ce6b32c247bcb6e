/** @file input_map.h Translation of Qt's keys, buttons and modifiers into the control model's terms. */
#pragma once

#include "ui/control.h"

#include <Qt>

class QKeyEvent;

namespace view {

/** @return the virtual key code of a key event (0 for a key without one). */
int virtualKey(const QKeyEvent &e);

/** @return the shift state of modifiers and held buttons. */
ui::ShiftState shiftState(Qt::KeyboardModifiers mods, Qt::MouseButtons buttons);

/** @return the model's button of a Qt button (left for any other). */
ui::MouseButton modelButton(Qt::MouseButton b);

/** @return the Qt cursor shape of a control's cursor. */
Qt::CursorShape cursorShape(ui::Cursor c);

} // namespace view
