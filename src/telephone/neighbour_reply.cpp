/** @file neighbour_reply.cpp The neighbour's reply to the player's sentence: its frame, the way-of-working switch and the reports. */
#include "telephone/telephone_handlers.h"

#include "core/app.h"
#include "core/form_a1.h"
#include "core/form_a2.h"
#include "devices/form_a6.h"
#include "telephone/reply_branches.h"

namespace telephone {

namespace {

/** Error codes of the reply, by line. */
const char *const ReplyCodes[3] = {"Error A6T-SA", "Error A6T-SB", "Error A6T-SC"};

/** Switches the line's way of working and the neighbour says he understood. */
void switchMode(App &app, Line line, const QString &mode)
{
    app.A1().Smer(line)->setText(mode);
    app.A6().G1->addLine("Rozuměl " + neighbourSurname(app, line) + ".");
}

/** The replies under the block. */
void blockReply(App &app, Line line, const QString &kind)
{
    if (kind == QStringLiteral("Zavedení telefoniky"))
        switchMode(app, line, TelephoneMode);
    else if (kind == QStringLiteral("Předvídaný odjezd"))
        agreeOutgoingTrain(app, line, Agreement::Prediction);
    else if (kind == QStringLiteral("Rušení předvíd.odjezdu"))
        cancelOutgoingTrain(app, line, Agreement::Prediction);
}

/** The replies under telephone working; line A goes back to the block only where it has one. */
void telephoneReply(App &app, Line line, const QString &kind)
{
    if (kind == QStringLiteral("Odvolání telefoniky")) {
        if (line != LineA || app.A1().KodPoloautoblok->checked())
            switchMode(app, line, BlockMode);
    } else if (kind == QStringLiteral("Nabídka vlaku")) {
        agreeOutgoingTrain(app, line, Agreement::Offer);
    } else if (kind == QStringLiteral("Rušení nabídky vlaku")) {
        cancelOutgoingTrain(app, line, Agreement::Offer);
    } else if (kind == QStringLiteral("Telefonická odhláška")) {
        replyToArrivalReport(app, line);
    }
}

} // namespace

void NeighbourReply(App &app, Line line)
{
    ui::guarded(app.A6(), QString::fromLatin1(ReplyCodes[line]), [&app, line] {
        app.A6().G1->addLine(QString());
        const QString kind = app.A6().G2->selectedText();
        if (app.A1().Smer(line)->text() == BlockMode)
            blockReply(app, line, kind);
        /* Read again: a line just switched to telephone working passes on through its kinds. */
        if (app.A1().Smer(line)->text() == TelephoneMode)
            telephoneReply(app, line, kind);
        if (kind == QStringLiteral("Oznámení odjezdu"))
            replyToDepartureNotice(app, line);
    });
}

void replyToArrivalReport(App &app, Line line)
{
    TA1 &a1 = app.A1();
    TA2 &a2 = app.A2();
    const QString station = neighbourName(app, line, 1);
    bool reported = false;
    for (int r = 1; r <= kTimetableRows; ++r) {
        TimetableRow &row = a2.row(r);
        const QString n = row.trainNumber->text();
        /* Only the line the train came in on is freed, never the line a passing train leaves on. */
        if (app.SelectedTrain != n || a1.Trat(line)->text() != n || !row.neighbourDeparture->colorIs(progress::Fuchsia) ||
            row.comesFrom->text() != station)
            continue;
        app.A6().G1->addLine("Vlak " + n + " " + a1.Stanice3->text() + ". Rozuměl " + neighbourSurname(app, line) + ".");
        row.clearInbound();
        reported = true;
    }
    if (reported) {
        a1.Trat(line)->setText(FreeLine);
        a1.StavVlak(line)->setValue(0);
    }
}

void replyToDepartureNotice(App &app, Line line)
{
    TA1 &a1 = app.A1();
    TA2 &a2 = app.A2();
    for (int r = 1; r <= kTimetableRows; ++r) {
        const QString n = a2.row(r).trainNumber->text();
        if (app.SelectedTrain == n && a1.Trat(line)->text() == n)
            app.A6().G1->addLine("Vlak " + n + " odjel " + a1.Stanice2->text() + " v " + app.A6().G3->text() +
                                 ". Rozuměl " + neighbourSurname(app, line) + ".");
    }
}

} // namespace telephone
