/** @file workplace_keys.cpp The keys of the workplace views that leave the view: Esc to the menu, F4 to the timetable. */
#include "core/app.h"
#include "core/form_a1.h"
#include "core/form_a2.h"
#include "core/option_guard.h"
#include "frame/form_a0.h"
#include "frame/frame_handlers.h"
#include "platform/platform.h"

namespace frame {

namespace {

/** Error-code prefix of a view's frame routines: "51" for A5 .. "81" for A8. */
QString framePrefix(const QString &viewName)
{
    return QString::number(viewName.mid(1).toInt()) + "1";
}

/**
 * Runs a frame routine under its guard, governed by the options: the code is
 * shown only while `A1.NCK` is ticked, and the failure passed on only while
 * `A1.NCD` is ticked.
 */
void frameGuard(App &app, const QString &code, const std::function<void()> &fn)
{
    core::optionGuard(app, code, fn);
}

/** A key went down on a workplace view. */
void WorkplaceKeyDown(App &app, const QString &viewName, int key)
{
    frameGuard(app, "Error " + framePrefix(viewName) + "B0", [&] {
        if (app.A1().Rychlost->text() == QStringLiteral("P"))
            return;
        ui::Form *view = app.form(viewName);
        if (key == ui::key::Escape) {
            app.A0().show();
            view->hide();
        } else if (key == ui::key::F4) {
            view->setEnabled(false);
            app.A2().show();
            app.A2().bringToFront();
        }
    });
}

} // namespace

void wireWorkplace(App &app, ui::Form &view)
{
    /* The view is found again by its name: it is re-created at a game's end. */
    const QString name = view.name();
    view.onKeyDown = [&app, name](int &key, ui::ShiftState) { WorkplaceKeyDown(app, name, key); };
}

} // namespace frame
