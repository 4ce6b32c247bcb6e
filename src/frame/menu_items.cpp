/** @file menu_items.cpp The menu items that show the state store in one of its two faces. */
#include "core/app.h"
#include "core/form_a1.h"
#include "frame/form_a0.h"
#include "frame/frame_handlers.h"

namespace frame {

namespace {

/** Shows A1 in one face over the disabled menu, and marks the menu item that opened it. */
void showStore(App &app, bool diagnostics, ui::Image *item)
{
    TA1 &a1 = app.A1();
    a1.B00->setVisible(diagnostics);
    a1.SouZST->setVisible(!diagnostics);
    a1.setBorderStyle(diagnostics ? ui::BorderStyle::Single : ui::BorderStyle::None);
    a1.setCentered(true);
    a1.show();
    a1.bringToFront();
    app.A0().setEnabled(false);
    item->setPicture(app.A0().Tl5->picture());
}

} // namespace

void J3Click(App &app)
{
    showStore(app, false, app.A0().J3);
}

void J9Click(App &app)
{
    showStore(app, true, app.A0().J9);
}

} // namespace frame
