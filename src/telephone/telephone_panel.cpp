/** @file telephone_panel.cpp The handset, dialling with its connection delay, sending and hanging up. */
#include "telephone/telephone_handlers.h"

#include "core/app.h"
#include "core/form_a1.h"
#include "core/form_a2.h"
#include "devices/form_a6.h"
#include "platform/platform.h"

#include <utility>

namespace telephone {

namespace {

/** The text of a call being dialled, after the neighbour's name. */
const QString Dialling = QStringLiteral(" - vytáčí se ...");
/** How far the dial button moves while pressed. */
constexpr int DialTravel = 2;

} // namespace

void E1Click(App &app)
{
    TA6 &a6 = app.A6();
    a6.G1->clear();
    a6.E1->hide();
    a6.G0->show();
    /* Setting the bar here is no choice of the player's: it composes nothing. */
    auto composing = std::exchange(a6.G4->onChange, nullptr);
    a6.G4->setPosition(5);
    a6.G4->onChange = std::move(composing);
    a6.G4->setEnabled(false);
    for (int r = 1; r <= kTimetableRows; ++r)
        a6.TrainLabels[r - 1]->setCaption(app.A2().row(r).trainNumber->text());
}

void E2MouseDown(App &app)
{
    TA6 &a6 = app.A6();
    a6.E2->setTop(a6.E2->top() + DialTravel);
    if (!a6.G0->visible())
        return;
    /* With several active lines the last one's name and delay stay. */
    for (Line line : Lines) {
        if (!isActive(app, line))
            continue;
        setFirstLine(*a6.G1, neighbourName(app, line, 1) + Dialling);
        app.A1().TelOn->setValue(app.platform().random.next(10) + 5);
    }
}

void E2MouseUp(App &app)
{
    TA6 &a6 = app.A6();
    a6.E2->setTop(a6.E2->top() - DialTravel);
}

void RunDialling(App &app)
{
    ui::SpinEdit *countdown = app.A1().TelOn;
    if (countdown->value() > 1)
        countdown->setValue(countdown->value() - 1);
    if (countdown->value() != 1)
        return;
    countdown->setValue(0);
    TA6 &a6 = app.A6();
    for (Line line : Lines) {
        const QString name = neighbourName(app, line, 1);
        if (firstLine(*a6.G1) == name + Dialling)
            setFirstLine(*a6.G1, name + ".");
    }
    a6.G2->setEnabled(true);
}

void G5Click(App &app)
{
    for (Line line : Lines)
        if (isActive(app, line))
            NeighbourReply(app, line);
    TA6 &a6 = app.A6();
    a6.G3->setEnabled(false);
    a6.G4->setEnabled(false);
    a6.G5->setEnabled(false);
}

void G6Click(App &app)
{
    TA6 &a6 = app.A6();
    a6.E1->show();
    a6.G0->hide();
    app.A1().TelOn->setValue(0);
    a6.G1->clear();
    disableChoices(app);
}

} // namespace telephone
