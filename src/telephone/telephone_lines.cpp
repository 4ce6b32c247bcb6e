/** @file telephone_lines.cpp What the telephone needs of each line, and the small helpers its handlers share. */
#include "telephone/telephone_lines.h"

#include "core/app.h"
#include "core/form_a1.h"
#include "devices/form_a6.h"
#include "frame/form_a0.h"
#include "ui/sim_error.h"

#include <QLocale>

#include <cmath>

namespace telephone {

ui::Image *lineKey(App &app, Line line)
{
    TA6 &a6 = app.A6();
    return line == LineA ? a6.F0 : line == LineB ? a6.F2 : a6.F1;
}

QString neighbourName(App &app, Line line, int form)
{
    TA1 &a1 = app.A1();
    ui::Edit *const names[3][3] = {{a1.StaniceA1, a1.StaniceA2, a1.StaniceA3},
                                   {a1.StaniceB1, a1.StaniceB2, a1.StaniceB3},
                                   {a1.StaniceC1, a1.StaniceC2, a1.StaniceC3}};
    return names[line][form - 1]->text();
}

QString neighbourSurname(App &app, Line line)
{
    TA0 &a0 = app.A0();
    return (line == LineA ? a0.M8 : line == LineB ? a0.N1 : a0.N4)->text();
}

QString ownSurname(App &app)
{
    return app.A0().M5->text();
}

bool isActive(App &app, Line line)
{
    return app.A1().Zprava(line)->color() == call::Active;
}

void disableChoices(App &app)
{
    TA6 &a6 = app.A6();
    for (ui::Control *c : std::initializer_list<ui::Control *>{a6.G2, a6.G3, a6.G4, a6.G5})
        c->setEnabled(false);
}

QString clockTime(App &app, int k)
{
    return app.A1().Hodina->line(k) + ":" + app.A1().Minuta->line(k);
}

QString firstLine(const ui::Memo &memo)
{
    return memo.count() > 0 ? memo.line(0) : QString();
}

void setFirstLine(ui::Memo &memo, const QString &text)
{
    if (memo.count() == 0)
        memo.addLine(text);
    else
        memo.setLine(0, text);
}

int minutesAsSeconds(const ui::Edit &cell, int factor)
{
    bool ok = false;
    const double minutes = QLocale::c().toDouble(cell.text().trimmed(), &ok);
    if (!ok || !std::isfinite(minutes) || std::abs(minutes * factor) > 2e9)
        throw ui::SimError(QStringLiteral("'%1' is not a valid integer value").arg(cell.text()));
    return static_cast<int>(std::lround(minutes * factor));
}

} // namespace telephone
