/** @file form.h A window of the program: its controls by name, its state and its events. */
#pragma once

#include "ui/control.h"

#include <QHash>

namespace platform {
struct Platform;
}

namespace ui {

/** How a form's window is framed. */
enum class BorderStyle { Sizeable, Single, Dialog, None, ToolWindow };

/** Receives the changes of a form's controls; the Qt front implements it. */
class FormObserver {
public:
    virtual ~FormObserver() = default;
    /** A control's look changed; repaint it. */
    virtual void controlChanged(Control *c) = 0;
    /** A control moved, resized, appeared or disappeared. */
    virtual void controlLayoutChanged(Control *c) = 0;
    /** The form was shown, hidden, enabled, disabled or re-captioned. */
    virtual void formStateChanged() = 0;
};

/**
 * A form: a top-level window holding its controls. It owns them, knows
 * each by its name, and is created hidden.
 */
class Form : public Control {
public:
    /**
     * @param name the form's name ("A1").
     * @param platform the services its timers and players use.
     */
    Form(const QString &name, platform::Platform &platform);
    ~Form() override;

    /** Creates a control of type T inside parent (this form when null); a second control of a name throws. */
    template <class T, class... Args>
    T *make(Control *parent, const QString &name, Args &&...args)
    {
        refuseTaken(name);
        auto owned = std::make_unique<T>(parent ? parent : this, name, std::forward<Args>(args)...);
        T *raw = owned.get();
        adopt(std::move(owned));
        return raw;
    }

    /** @return the control of this name, or null. */
    Control *find(const QString &name) const { return m_byName.value(name, nullptr); }
    /** @return every control in creation order. */
    const std::vector<std::unique_ptr<Control>> &controls() const { return m_owned; }
    platform::Platform &platform() const { return m_platform; }

    void setVisible(bool v) override;
    /** Closes the form: runs onClose, then hides it (or, for the main form, asks to quit). */
    void close();
    BorderStyle borderStyle() const { return m_border; }
    void setBorderStyle(BorderStyle b);
    bool maximized() const { return m_maximized; }
    void setMaximized(bool m);
    bool centered() const { return m_centered; }
    void setCentered(bool c) { m_centered = c; }
    bool closeButtonOnly() const { return m_closeOnly; }
    void setCloseButtonOnly(bool c) { m_closeOnly = c; }
    /** @return whether the form's window currently has the focus in front. */
    void bringToFront();
    int frontCount() const { return m_frontCount; }

    std::function<void()> onClose;  ///< Runs when the form is closed.
    std::function<void()> onResize; ///< Runs when the form's size changes.
    std::function<void()> onShow;   ///< Runs when the form is shown.
    /** Asked when the main form closes; the owner ends the program. */
    std::function<void()> onQuit;

    /** @return a number no other form of the run has had: tells a form from one made anew at its address. */
    quint64 serial() const { return m_serial; }

    FormObserver *observer() const { return m_observer; }
    void setObserver(FormObserver *o) { m_observer = o; }
    void notifyState();

private:
    /** Throws when a control of this name exists already. */
    void refuseTaken(const QString &name) const;
    void adopt(std::unique_ptr<Control> c);

    platform::Platform &m_platform;
    std::vector<std::unique_ptr<Control>> m_owned;
    QHash<QString, Control *> m_byName;
    FormObserver *m_observer = nullptr;
    quint64 m_serial; ///< This form's number among all forms made in the run, from 1.
    BorderStyle m_border = BorderStyle::Sizeable;
    bool m_maximized = false;
    bool m_centered = false;
    bool m_closeOnly = false;
    int m_frontCount = 0;
};

} // namespace ui
