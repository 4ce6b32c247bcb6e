/** @file input_map.cpp Translation of Qt's keys, buttons and modifiers into the control model's terms. */
#include "view/input_map.h"

#include <QKeyEvent>

namespace view {

namespace {

/** One key that has a fixed virtual key code. */
struct KeyCode {
    int qt; ///< Qt's key.
    int vk; ///< Its virtual key code.
};

/** The keys whose codes do not follow from their character. */
constexpr KeyCode FixedKeys[] = {
    {Qt::Key_Backspace, ui::key::Back}, {Qt::Key_Tab, ui::key::Tab}, {Qt::Key_Backtab, ui::key::Tab},
    {Qt::Key_Return, ui::key::Enter}, {Qt::Key_Enter, ui::key::Enter}, {Qt::Key_Shift, ui::key::Shift},
    {Qt::Key_Control, ui::key::Ctrl}, {Qt::Key_Alt, ui::key::Alt}, {Qt::Key_Escape, ui::key::Escape},
    {Qt::Key_Space, ui::key::Space}, {Qt::Key_PageUp, ui::key::PageUp}, {Qt::Key_PageDown, ui::key::PageDown},
    {Qt::Key_End, ui::key::End}, {Qt::Key_Home, ui::key::Home}, {Qt::Key_Left, ui::key::Left},
    {Qt::Key_Up, ui::key::Up}, {Qt::Key_Right, ui::key::Right}, {Qt::Key_Down, ui::key::Down},
    {Qt::Key_Insert, 45}, {Qt::Key_Delete, ui::key::Delete}, {Qt::Key_Pause, 19},
    {Qt::Key_Plus, 187}, {Qt::Key_Equal, 187}, {Qt::Key_Comma, 188}, {Qt::Key_Minus, 189}, {Qt::Key_Period, 190},
};

/** @return the code of a key on the numeric keypad, 0 when it has none of its own. */
int keypadKey(int qt)
{
    if (qt >= Qt::Key_0 && qt <= Qt::Key_9)
        return 96 + (qt - Qt::Key_0);
    switch (qt) {
    case Qt::Key_Asterisk: return 106;
    case Qt::Key_Plus: return 107;
    case Qt::Key_Minus: return 109;
    case Qt::Key_Period: return 110;
    case Qt::Key_Slash: return 111;
    default: return 0;
    }
}

} // namespace

int virtualKey(const QKeyEvent &e)
{
    const int qt = e.key();
    if (e.modifiers() & Qt::KeypadModifier)
        if (const int vk = keypadKey(qt))
            return vk;
    if ((qt >= Qt::Key_A && qt <= Qt::Key_Z) || (qt >= Qt::Key_0 && qt <= Qt::Key_9))
        return qt; /* Letters and digits: their upper-case ASCII codes. */
    if (qt >= Qt::Key_F1 && qt <= Qt::Key_F12)
        return ui::key::F1 + (qt - Qt::Key_F1);
    for (const KeyCode &k : FixedKeys)
        if (k.qt == qt)
            return k.vk;
    return 0;
}

ui::ShiftState shiftState(Qt::KeyboardModifiers mods, Qt::MouseButtons buttons)
{
    ui::ShiftState s;
    s.shift = mods & Qt::ShiftModifier;
    s.ctrl = mods & Qt::ControlModifier;
    s.alt = mods & Qt::AltModifier;
    s.left = buttons & Qt::LeftButton;
    s.right = buttons & Qt::RightButton;
    s.middle = buttons & Qt::MiddleButton;
    return s;
}

ui::MouseButton modelButton(Qt::MouseButton b)
{
    switch (b) {
    case Qt::RightButton: return ui::MouseButton::Right;
    case Qt::MiddleButton: return ui::MouseButton::Middle;
    default: return ui::MouseButton::Left;
    }
}

Qt::CursorShape cursorShape(ui::Cursor c)
{
    switch (c) {
    case ui::Cursor::Hand: return Qt::PointingHandCursor;
    case ui::Cursor::Cross: return Qt::CrossCursor;
    case ui::Cursor::SizeAll: return Qt::SizeAllCursor;
    case ui::Cursor::SizeNS: return Qt::SizeVerCursor;
    case ui::Cursor::SizeWE: return Qt::SizeHorCursor;
    case ui::Cursor::Wait: return Qt::WaitCursor;
    case ui::Cursor::Default: break;
    }
    return Qt::ArrowCursor;
}

} // namespace view
