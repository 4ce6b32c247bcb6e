/** @file answers.cpp The player's answers to a neighbour's call: accepting, refusing, acknowledging. */
#include "telephone/telephone_handlers.h"

#include "core/app.h"
#include "core/form_a1.h"
#include "core/form_a2.h"
#include "devices/form_a6.h"
#include "devices/form_a7.h"
#include "devices/form_a8.h"
#include "traffic/line_traffic.h"

#include <array>

namespace telephone {

namespace {

/** Gap in pixels between a parked train and the overview's edge. */
constexpr int ParkGap = 40;

/** @return the ten overview images of the line's train. */
std::array<ui::Image *, 10> &overviewTrain(App &app, Line line)
{
    return line == LineA ? app.A7().VlakA : line == LineB ? app.A7().VlakB : app.A8().VlakC;
}

/**
 * Copies the row's vehicles to the line's overview train so that the
 * first vehicle is at the end facing the panel: reversed on lines A and B,
 * in order on line C.
 */
void loadTrain(App &app, Line line, const TimetableRow &row)
{
    std::array<ui::Image *, 10> &train = overviewTrain(app, line);
    for (int i = 0; i < 10; ++i)
        train[i]->setPicture(row.vehicles[line == LineC ? i : 9 - i]->picture());
}

/**
 * Parks the line's train beside the overview, ready for its arrival run:
 * lines A and B end 40 px left of the panel, line C starts 40 px right of
 * the screen's width; the vehicles stand without gaps.
 */
void parkTrain(App &app, Line line)
{
    std::array<ui::Image *, 10> &train = overviewTrain(app, line);
    if (line == LineC) {
        int left = app.ScreenWidth + ParkGap;
        for (ui::Image *vehicle : train) {
            vehicle->setLeft(left);
            left += vehicle->width();
        }
        return;
    }
    int left = -ParkGap;
    for (int i = 9; i >= 0; --i) {
        left -= train[i]->width();
        train[i]->setLeft(left);
    }
}

/** Error codes of the acceptance, by line. */
const char *const AcceptCodes[3] = {"60I4/A", "60I4/B", "60I4/C"};

/** @return whether the row's number completes the line's call to an offer or a prediction. */
bool callOffers(App &app, Line line, const TimetableRow &row)
{
    const QString &message = app.A1().Zprava(line)->text();
    const QString &n = row.trainNumber->text();
    return message == OfferWord + n || message == PredictionWord + n;
}

/**
 * Books the line for the row's train. Both numbers are read before the
 * first write, so a broken cell leaves the line as it was.
 */
void bookIncomingTrain(App &app, Line line, TimetableRow &row)
{
    const int running = minutesAsSeconds(*row.runningTimeFrom, 60);
    const int untilDeparture = minutesAsSeconds(*row.minutesAhead, 60);
    TA1 &a1 = app.A1();
    a1.Trat(line)->setText(row.trainNumber->text());
    a1.StavVlak(line)->setValue(running);
    a1.Odjezd(line)->setValue(untilDeparture);
    row.neighbourDeparture->setColor(progress::Yellow);
    loadTrain(app, line, row);
}

} // namespace

void AcceptIncomingTrain(App &app, Line line)
{
    ui::guarded(app.A6(), QString::fromLatin1(AcceptCodes[line]), [&app, line] {
        TA1 &a1 = app.A1();
        TA2 &a2 = app.A2();
        /* A train is booked only onto a free line and only while it is offered, not refused:
           a single-track line never holds two opposing trains. */
        const bool lineFree = a1.Trat(line)->text() == FreeLine;
        bool booked = false;
        for (int r = 1; r <= kTimetableRows; ++r) {
            TimetableRow &row = a2.row(r);
            if (!callOffers(app, line, row) || !lineFree || !row.neighbourDeparture->colorIs(progress::Orange))
                continue;
            bookIncomingTrain(app, line, row);
            booked = true;
        }
        TA6 &a6 = app.A6();
        if (booked)
            a1.Zprava(line)->setText(QString());
        a6.I3->hide();
        a6.I4->hide();
        a6.I5->hide();
        a6.G1->clear();
        if (!booked)
            return;
        parkTrain(app, line);
        /* Struhy now asks for the line-B consent that its train needs. */
        if (line == LineB && a1.SmerB->text() == BlockMode && a1.SmerB->colorIs(progress::Lime))
            a1.SmerB->setColor(progress::Yellow);
    });
}

void I4Click(App &app)
{
    for (Line line : Lines)
        if (isActive(app, line))
            AcceptIncomingTrain(app, line);
}

void I5Click(App &app)
{
    ui::guarded(app.A6(), QStringLiteral("60I5"), [&app] {
        TA6 &a6 = app.A6();
        TA2 &a2 = app.A2();
        a6.G1->clear();
        a6.I3->hide();
        a6.I4->hide();
        a6.I5->hide();
        /* The refused row is found again by rebuilding the acceptance that the answer wrote. */
        const QString accepted = a6.I4->caption();
        auto refuse = [](TimetableRow &row) {
            row.neighbourDeparture->setColor(progress::Red);
            row.reofferCountdown->setText(QStringLiteral("60"));
        };
        for (Line line : Lines) {
            const QString from = neighbourName(app, line, 2);
            for (int r = 1; r <= kTimetableRows; ++r) {
                TimetableRow &row = a2.row(r);
                if (accepted == "Ano, přijímám vlak " + row.trainNumber->text() + " s odjezdem " + from + " v " +
                                    row.agreedTime->text() + ". " + ownSurname(app) + ".")
                    refuse(row);
            }
            for (int r = 1; r <= kTimetableRows; ++r) {
                TimetableRow &row = a2.row(r);
                if (accepted == "Vlak " + row.trainNumber->text() + " odjede " + from + " v " +
                                    row.agreedTime->text() + ". Rozumí, Kamenná.")
                    refuse(row);
            }
        }
    });
}

void I6Click(App &app)
{
    TA1 &a1 = app.A1();
    TA2 &a2 = app.A2();
    for (Line line : Lines) {
        if (!isActive(app, line))
            continue;
        bool acknowledged = false;
        for (int r = 1; r <= kTimetableRows; ++r) {
            TimetableRow &row = a2.row(r);
            if (a1.Zprava(line)->text() != ArrivalWord + row.trainNumber->text())
                continue;
            acknowledged = true;
            row.clearOutbound(true);
        }
        if (acknowledged) {
            a1.StavVlak(line)->setColor(progress::White);
            a1.StavVlak(line)->setValue(0);
            a1.Trat(line)->setText(FreeLine);
            /* Box 1 clears an exit to Struhy only while the desk's VT lamp is lit, and puts
               it out as it clears one. The acknowledged report frees line B as the block's
               clearing does, so it lights the lamps again as that does; otherwise no second
               train could leave for Struhy. */
            if (line == LineB)
                traffic::showLineBLamps(app, true);
        }
    }
    TA6 &a6 = app.A6();
    a6.I3->hide();
    a6.I6->hide();
    a6.G1->clear();
}

} // namespace telephone
