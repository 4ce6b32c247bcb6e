/** @file small_windows.cpp The view switcher A9 and the traffic log A4: what their buttons and closing do. */
#include "core/app.h"
#include "devices/form_a6.h"
#include "frame/form_a0.h"
#include "frame/form_a4.h"
#include "frame/form_a9.h"
#include "frame/frame_handlers.h"

namespace frame {

void wireSmallWindows(App &app)
{
    TA9 &a9 = app.A9();
    ui::Button *buttons[4] = {a9.Button1, a9.Button2, a9.Button3, a9.Button4};
    for (int k = 0; k < 4; ++k) {
        /* The view is found by its name when the button is clicked: the views are re-created at a game's end. */
        const QString view = QStringLiteral("A%1").arg(k + 5);
        buttons[k]->onClick = [&app, view] {
            app.form(view)->show();
            app.A9().hide();
        };
    }
    /* Closing the switcher returns to the main menu, not to the view it was opened from. */
    a9.onClose = [&app] { app.A0().show(); };
    app.A4().onClose = [&app] { app.A6().setEnabled(true); };
}

} // namespace frame
