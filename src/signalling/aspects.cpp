/** @file aspects.cpp The aspect words of the fourteen signals and the colour of their lists. */
#include "core/app.h"
#include "core/form_a1.h"
#include "signalling/signalling_handlers.h"

namespace signalling {

void wireA1(App &app)
{
    TA1 &a1 = app.A1();
    for (int i = 0; i < 14; ++i)
        a1.Aspect[i]->onChange = [&app, i] { AspectChange(app, i); };
}

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
}

} // namespace signalling
