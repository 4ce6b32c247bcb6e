/** @file fault_simulation.cpp Technical faults: one signal, repeater or crossing lamp fails for ten minutes at a time. */
#include "core/app.h"
#include "core/core_handlers.h"
#include "core/form_a1.h"
#include "devices/form_a7.h"
#include "devices/form_a8.h"
#include "ui/sim_error.h"

namespace core {

namespace {

const QString Porucha = QStringLiteral("Porucha");

/** Applies fault number n (1 .. 19): an aspect "Porucha" or a fault box set. */
void applyFault(TA1 &a1, int n)
{
    ui::Edit *const aspects[] = {a1.C03, a1.C06, a1.C09};
    ui::CheckBox *const repeaters[] = {a1.C12, a1.C13, a1.C14};
    ui::Edit *const exits[] = {a1.C16, a1.C19, a1.C22, a1.C25, a1.C28, a1.C31,
                               a1.C34, a1.C37, a1.C40, a1.C43, a1.C46};
    if (n >= 1 && n <= 3)
        aspects[n - 1]->setText(Porucha);
    else if (n >= 4 && n <= 6)
        repeaters[n - 4]->setChecked(true);
    else if (n >= 7 && n <= 17)
        exits[n - 7]->setText(Porucha);
    else if (n == 18)
        a1.PZZL->setChecked(true);
    else if (n == 19)
        a1.PZZP->setChecked(true);
}

void hideLamp(ui::Form &form, const char *name)
{
    if (ui::Control *lamp = form.find(QString::fromLatin1(name)))
        lamp->hide();
}

/** Clears every fault place, whichever fault was applied; a "Porucha" aspect returns to "Stůj". */
void clearFaults(App &app)
{
    TA1 &a1 = app.A1();
    const auto back = [](ui::Edit *aspect) {
        if (aspect->text() == Porucha)
            aspect->setText(QStringLiteral("Stůj"));
    };
    for (ui::Edit *aspect : {a1.C03, a1.C06, a1.C09})
        back(aspect);
    for (ui::CheckBox *repeater : {a1.C12, a1.C13, a1.C14})
        repeater->setChecked(false);
    hideLamp(app.A7(), "PrL");
    hideLamp(app.A7(), "PrML");
    hideLamp(app.A8(), "FC");
    for (ui::Edit *aspect : {a1.C16, a1.C19, a1.C22, a1.C25, a1.C28, a1.C31, a1.C34, a1.C37, a1.C40, a1.C43, a1.C46})
        back(aspect);
    a1.PZZL->setChecked(false);
    a1.PZZP->setChecked(false);
    hideLamp(app.A8(), "F4");
}

} // namespace

void RunFaultSimulation(App &app)
{
    TA1 &a1 = app.A1();
    if (a1.PoruchaDalsi->value() > 1)
        a1.PoruchaDalsi->setValue(a1.PoruchaDalsi->value() - 1);
    if (a1.PoruchaDalsi->value() == 1) {
        a1.PoruchaDalsi->setValue(0);
        if (a1.KodPoruchy->checked()) {
            applyFault(a1, a1.PoruchaCislo->value());
            a1.PoruchaKonec->setValue(600);
        }
    }
    if (a1.PoruchaKonec->value() > 1)
        a1.PoruchaKonec->setValue(a1.PoruchaKonec->value() - 1);
    if (a1.PoruchaKonec->value() == 1) {
        /* The clock cells are read before the fault's end is written: a cell that
           is no number fails the tick, and the next tick ends the fault again. */
        const int m = ui::integerOf(a1.Minuta->line(0));
        const int s = ui::integerOf(a1.Sekunda->text());
        a1.PoruchaKonec->setValue(0);
        a1.PoruchaDalsi->setValue(((60 - m) + (60 - s)) * 60 + 600);
        clearFaults(app);
    }
    int n = a1.PoruchaCislo->value() + (24 - ui::integerOf(a1.Hodina->line(0))) + 3;
    while (n > 19)
        n -= 19;
    if (n != a1.PoruchaCislo->value())
        a1.PoruchaCislo->setValue(n);
}

} // namespace core
