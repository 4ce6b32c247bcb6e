/** @file outgoing_agreement.cpp The neighbour's replies to the player's own departing trains: agreeing and cancelling. */
#include "telephone/reply_branches.h"

#include "core/app.h"
#include "core/form_a1.h"
#include "core/form_a2.h"
#include "devices/form_a6.h"

namespace telephone {

namespace {

/** The neighbour's sentence for an agreed train. */
QString agreement(App &app, Line line, Agreement kind, const QString &n, const QString &time)
{
    const QString from = app.A1().Stanice2->text();
    if (kind == Agreement::Offer)
        return "Ano, přijímám vlak " + n + " s odjezdem " + from + " v " + time + ". " + neighbourSurname(app, line) +
               ".";
    return "Vlak " + n + " odjede " + from + " v " + time + ". Rozumí " + neighbourName(app, line, 1) + ".";
}

} // namespace

void agreeOutgoingTrain(App &app, Line line, Agreement kind)
{
    TA1 &a1 = app.A1();
    TA6 &a6 = app.A6();
    if (a1.Trat(line)->text() != FreeLine) {
        a6.G1->addLine("Nikoliv, čekejte. Jiný vlak na trati. " + neighbourSurname(app, line) + ".");
        return;
    }
    TA2 &a2 = app.A2();
    for (int r = 1; r <= kTimetableRows; ++r) {
        TimetableRow &row = a2.row(r);
        if (row.trainNumber->text() != app.SelectedTrain || row.leavesFor->text() != neighbourName(app, line, 1) ||
            !row.departure->colorIs(progress::Orange))
            continue;
        /* Read before the first write: a broken running time leaves line and row as they were. */
        const int running = minutesAsSeconds(*row.runningTimeTo, -60);
        const QString time = a6.G3->text();
        a6.G1->addLine(agreement(app, line, kind, row.trainNumber->text(), time));
        a1.Trat(line)->setText(row.trainNumber->text());
        a1.StavVlak(line)->setValue(running);
        row.departure->setColor(progress::Yellow);
        row.agreedTime->setText(time);
        /* Vrbská gives the line-C consent back once the countdown has run. */
        if (line == LineC)
            a1.TSCHOn->setValue(10);
    }
}

void cancelOutgoingTrain(App &app, Line line, Agreement kind)
{
    TA1 &a1 = app.A1();
    TA2 &a2 = app.A2();
    for (int r = 1; r <= kTimetableRows; ++r) {
        TimetableRow &row = a2.row(r);
        const QColor state = row.departure->color();
        if (row.trainNumber->text() != app.SelectedTrain || a1.Trat(line)->text() != row.trainNumber->text() ||
            (state != progress::Yellow && state != progress::Aqua))
            continue;
        app.A6().G1->addLine(kind == Agreement::Offer ? "Rozuměl " + neighbourSurname(app, line) + "."
                                                      : "Rozumí " + neighbourName(app, line, 1) + ".");
        a1.Trat(line)->setText(FreeLine);
        a1.StavVlak(line)->setValue(0);
        row.departure->setColor(progress::Orange);
        row.agreedTime->setText(QString());
    }
}

} // namespace telephone
