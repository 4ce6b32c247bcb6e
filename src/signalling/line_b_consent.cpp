/** @file line_b_consent.cpp Struhy's buttons on the neighbour-stations face, and the line-B consent they pass. */
#include "core/app.h"
#include "core/form_a1.h"
#include "devices/form_a6.h"
#include "signalling/signal_panels.h"
#include "signalling/signalling_handlers.h"

namespace signalling {

namespace {

/* The line-B consent is the colour of `A1.SmerB`. */
const QColor ConsentHere(0, 255, 0);      ///< clLime: the consent is with this station.
const QColor ConsentAsked(255, 255, 0);   ///< clYellow: Struhy asks for it.
const QColor ConsentAskedBack(0, 0, 255); ///< clBlue: this station asks for it back.

/** Pushes a button 2 px below (or above, for a negative offset) the level of another, or back level with it. */
void look(ui::Image *button, const ui::Image *level, int offset)
{
    button->setTop(level->top() + offset);
}

} // namespace

void TSMMouseDown(App &app)
{
    TA1 &a1 = app.A1();
    look(a1.TSM, a1.VZM, 2);
    if (a1.SmerB->color() != ConsentAskedBack)
        return;
    a1.SmerB->setColor(ConsentHere);
    showConsentReturned(app);
}

void ZSMMouseDown(App &app)
{
    TA1 &a1 = app.A1();
    look(a1.ZSM, a1.VZM, 2);
    if (a1.VTM->visible() && a1.SmerB->color() == ConsentHere)
        a1.SmerB->setColor(ConsentAsked);
}

void VZMMouseDown(App &app)
{
    TA1 &a1 = app.A1();
    look(a1.VZM, a1.ODHLM, 2);
}

void ODHLMMouseDown(App &app)
{
    /* This one goes up when pressed. */
    TA1 &a1 = app.A1();
    look(a1.ODHLM, a1.VZM, -2);
}

void StruhyButtonUp(App &app, const QString &button)
{
    TA1 &a1 = app.A1();
    if (button == QLatin1String("VZM"))
        look(a1.VZM, a1.ODHLM, 0);
    else
        look(&part<ui::Image>(a1, button), a1.VZM, 0);
}

void showConsentReturned(App &app)
{
    TA1 &a1 = app.A1();
    a1.PSM->hide();
    a1.USM->show();
    TA6 &a6 = app.A6();
    part<ui::Control>(a6, "USM").hide();
    part<ui::Control>(a6, "VTM").show();
    part<ui::Control>(a6, "PSM").show();
}

} // namespace signalling
