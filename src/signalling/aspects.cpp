/** @file aspects.cpp The aspect words of the fourteen signals, their lists and the signal display of A1. */
#include "core/app.h"
#include "core/form_a1.h"
#include "signalling/signalling_handlers.h"

#include <array>

namespace signalling {

namespace {

/** The display's lamps lit for an aspect, top to bottom: yellow, green, red, white, lower yellow. */
struct AspectLamps {
    const char *aspect;
    std::array<bool, 5> lit;
};

const AspectLamps LampTable[] = {
    {"Stůj", {false, false, true, false, false}},
    {"Volno", {false, true, false, false, false}},
    {"Výstraha", {true, false, false, false, false}},
    {"40 a volno", {false, true, false, false, true}},
    {"40 a výstraha", {true, false, false, false, true}},
    {"40 a 40", {true, false, false, false, true}},
    {"PN", {false, false, false, true, false}},
    {"Posun dovolen", {false, false, false, true, false}},
    {"Opak.výstrahy", {true, false, false, false, false}},
};

/** @return the lamps of an aspect; "Porucha" and any other text light none. */
std::array<bool, 5> lampsFor(const QString &aspect)
{
    for (const AspectLamps &row : LampTable)
        if (aspect == QString::fromUtf8(row.aspect))
            return row.lit;
    return {};
}

} // namespace

void AspectChange(App &app, int signal)
{
    TA1 &a1 = app.A1();
    const QString word = a1.Aspect[signal]->text();
    ui::ListBox *list = a1.AspectList[signal];
    list->setItemIndex(list->items().indexOf(word));
    if (word == QStringLiteral("Stůj") || word == QStringLiteral("Porucha"))
        list->setColor(QColor(255, 0, 0));
    else if (word == QStringLiteral("Posun dovolen"))
        list->setColor(QColor(255, 255, 255));
    else
        list->setColor(QColor(0, 255, 0));
    a1.C49->setText(TA1::SignalNames[signal]);
    C60Click(app);
}

void AspectListClick(App &app, int signal)
{
    TA1 &a1 = app.A1();
    const ui::ListBox *list = a1.AspectList[signal];
    if (list->itemIndex() < 0)
        return;
    a1.Aspect[signal]->setText(list->selectedText());
}

void C49Change(App &app)
{
    C60Click(app);
}

void C60Click(App &app)
{
    TA1 &a1 = app.A1();
    const int signal = TA1::signalIndex(a1.C49->text());
    const std::array<bool, 5> lit = lampsFor(signal < 0 ? QString() : a1.Aspect[signal]->text());
    ui::Shape *const lamps[5] = {a1.C51, a1.C52, a1.C53, a1.C54, a1.C55};
    for (int k = 0; k < 5; ++k)
        lamps[k]->setVisible(lit[k]);
}

} // namespace signalling
