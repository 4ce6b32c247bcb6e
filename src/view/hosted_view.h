/** @file hosted_view.h What the front keeps for each windowed control: its widget and how the model is written into it. */
#pragma once

#include "ui/control.h"

#include <Qt>

#include <functional>

class QWidget;

namespace view {

class FormWindow;

/**
 * The binding of one windowed control to the Qt widget that shows it. The
 * widget class derives from this as well, so the widget's owner (its Qt
 * parent) owns the binding too. Model values go into the widget through
 * refresh(); the player's input goes back through run(), which dispatches it
 * as the form's event.
 */
class HostedView {
public:
    HostedView(ui::Control &control, FormWindow &window);
    virtual ~HostedView();
    HostedView(const HostedView &) = delete;
    HostedView &operator=(const HostedView &) = delete;

    /** @return the widget that shows the control. */
    virtual QWidget *widget() = 0;
    /** Writes the control's current values into the widget, without echo back to the model. */
    virtual void refresh() = 0;
    /** Places the widget at the control's bounds and shows or hides it with the control. */
    virtual void applyLayout();
    /** @return the widget that holds the control's children, null when the control holds none. */
    virtual QWidget *childHost() { return nullptr; }
    /** Repaints a part of the widget where a graphic child lies. */
    virtual void updateRect(const QRect &r);

    /** @return the control; valid only while its window is attached to the form. */
    ui::Control &control() const { return *m_control; }

protected:
    /** Which palette colour the control's colour becomes. */
    enum class ColorRole {
        None,   ///< The widget keeps the style's colours (buttons, bars).
        Base,   ///< Text and list fields: background of the entry area.
        Window, ///< Check boxes: background of the whole widget.
    };

    /**
     * Applies enabled state, font, colours and hint, each only when it
     * differs from what was applied last. The text colour goes into the
     * active and inactive palettes only, so a disabled control shows the
     * style's grey text.
     */
    void applyLook(ColorRole role);
    /**
     * Gives the widget the focus policy of a control that takes the
     * keyboard as @p taking says, less the Tab key when the control is no
     * tab stop.
     */
    void applyTabStop(Qt::FocusPolicy taking);
    /** Runs the player's input on the model as an event of the form; does nothing once the form is gone. */
    void run(const std::function<void()> &fn);

    FormWindow &m_window; ///< The window that holds the widget.

private:
    ui::Control *m_control; ///< The control shown.
    bool m_lookApplied = false; ///< Whether the cached look below was applied once.
    bool m_enabled = true;      ///< Enabled state last applied.
    ui::Font m_font;            ///< Font last applied.
    QColor m_color;             ///< Colour last applied.
};

} // namespace view
