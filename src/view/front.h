/** @file front.h The Qt Widgets front: one window per shown form, painted from the control model. */
#pragma once

#include <memory>

class App;
class QWidget;
namespace ui {
class Form;
}

namespace view {

class FormWindow;

/**
 * Shows the forms of an App as top-level windows: each form's window
 * follows the form's visibility, and forms created anew at the end of a
 * game get fresh windows. A form's window is built when the form is first
 * shown (or asked for), so the start shows the launcher without building
 * the windows of the others. It holds no simulation state.
 *
 * It takes the App's onFormCreated and onFormDestroying (calling on to any
 * handlers set before it) and gives them back when destroyed; it must be
 * destroyed before the App.
 */
class Front {
public:
    explicit Front(App &app);
    ~Front();
    Front(const Front &) = delete;
    Front &operator=(const Front &) = delete;

    /** @return the window of a form, built now if the form was never shown; null for a form not of the App. */
    FormWindow *window(const ui::Form &form) const;

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

} // namespace view
