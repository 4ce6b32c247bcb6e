/** @file line_traffic.cpp The neighbour stations' side of lines A, B and C, run once per clock tick. */
#include "traffic/line_traffic.h"

#include "core/app.h"
#include "core/core_handlers.h"
#include "core/form_a1.h"
#include "core/form_a2.h"
#include "devices/form_a6.h"
#include "traffic/line_cells.h"

namespace traffic {

namespace {

const QString Volna = QStringLiteral("Volná");
const QString Telefonika = QStringLiteral("Telefonika");
const QString Poloautoblok = QStringLiteral("Poloautoblok");

/** @return whether any line's call waits (red). */
bool anyCallWaiting(TA1 &a1)
{
    for (int x = LineA; x <= LineC; ++x)
        if (a1.Zprava(x)->colorIs(progress::Red))
            return true;
    return false;
}

/** Incoming step 1: the minutes ahead of offered and refused trains go down at each minute change. */
void countMinutes(TA2 &a2)
{
    for (int r = 1; r <= kTimetableRows; ++r) {
        TimetableRow &row = a2.row(r);
        const QColor c = row.neighbourDeparture->color();
        if (c != progress::Orange && c != progress::Red)
            continue;
        int v = wholeNumber(row.minutesAhead->text());
        if (v > 1)
            --v;
        row.minutesAhead->setText(QString::number(v));
    }
}

/** Incoming steps 2 and 3: rows whose neighbour's departure is five minutes ahead become due. */
void markDueArrivals(App &app)
{
    TA2 &a2 = app.A2();
    const ClockLine ahead(app, 5);
    for (int r = 1; r <= kTimetableRows; ++r) {
        TimetableRow &row = a2.row(r);
        if (!ahead.readBy(row.neighbourDeparture->text()))
            continue;
        if (row.neighbourDeparture->colorIs(progress::White)) {
            row.minutesAhead->setText(QStringLiteral("5"));
            row.neighbourDeparture->setColor(progress::Orange);
        }
        if (row.departure->text() == QLatin1String("pr.") && row.departure->colorIs(progress::White))
            row.departure->setColor(progress::Orange);
    }
    for (int r = 1; r <= kTimetableRows; ++r) {
        TimetableRow &row = a2.row(r);
        if (row.neighbourDeparture->colorIs(progress::Orange) && row.trainNumber->colorIs(progress::White))
            row.trainNumber->setColor(progress::Orange);
    }
}

/** Incoming step 4: a refused train is offered again 60 ticks after the refusal. */
void countReoffers(TA2 &a2)
{
    for (int r = 1; r <= kTimetableRows; ++r) {
        TimetableRow &row = a2.row(r);
        if (!row.neighbourDeparture->colorIs(progress::Red))
            continue;
        row.reofferCountdown->setText(QString::number(wholeNumber(row.reofferCountdown->text()) - 1));
        if (row.reofferCountdown->text() == QLatin1String("0")) {
            row.neighbourDeparture->setColor(progress::Orange);
            row.reofferCountdown->setText(QString());
        }
    }
}

/** @return whether the block keeps the neighbour from sending line x's train now. */
bool blockHolds(TA1 &a1, int x)
{
    if (a1.Smer(x)->text() != Poloautoblok)
        return false;
    if (x == LineC)
        return a1.TSJ->value() < 6;
    return !a1.Smer(x)->colorIs(progress::Red);
}

/** Incoming step 5: the neighbour's departure countdown of line x, held under the block. */
void countDeparture(App &app, int x)
{
    TA1 &a1 = app.A1();
    ui::SpinEdit *odjezd = a1.Odjezd(x);
    if (odjezd->value() <= 1)
        return;
    odjezd->setValue(odjezd->value() - 1);
    if (odjezd->value() < 120 && blockHolds(a1, x)) {
        if (x == LineC) {
            odjezd->setValue(135);
            if (ui::Control *tablet = app.A6().find(QStringLiteral("DestickaD"))) {
                tablet->setHeight(85);
                tablet->setColor(progress::White);
            }
            playIf(app, a1.SndDestickaCH, &app.A6());
        } else {
            odjezd->setValue(120);
            /* Struhy's train waits for the consent. Asked back and given back since the
               train was accepted, the consent is here: Struhy asks for it again, as it
               did at the acceptance, or the train would never leave. */
            if (x == LineB && a1.SmerB->colorIs(progress::Lime))
                a1.SmerB->setColor(progress::Yellow);
        }
    }
    if (x == LineB && odjezd->value() < 100 && a1.SmerB->text() == Poloautoblok)
        showLineBLamps(app, false);
    if (x == LineC && odjezd->value() < 100)
        a1.PHJDo->setValue(5);
    if (odjezd->value() == 1)
        AnnounceNeighbourDeparture(app);
}

/** Incoming step 6.2: the crossing post of line A and the approach device of line B. */
void approachEvents(TA1 &a1)
{
    switch (a1.StavVlakA->value()) {
    case 250:
        if (a1.IKLada->text() == Volna) {
            a1.IKLada->setText(QStringLiteral("Obsazená"));
            a1.ZvonekIKLada->setChecked(true);
        }
        break;
    case 210: a1.ZvonekIKLada->setChecked(false); break;
    case 170: shiftWord(a1.IKLada, u"Obsazená", u"Volná"); break;
    default: break;
    }
    switch (a1.StavVlakB->value()) {
    case 250: shiftWord(a1.VUD, u"Otevřený", u"Přibližovací"); break;
    case 210: shiftWord(a1.VUD, u"Přibližovací", u"Vzdalovací"); break;
    case 170: shiftWord(a1.VUD, u"Vzdalovací", u"Otevřený"); break;
    default: break;
    }
}

/** Incoming step 6.3: warnings, the stand at a red entry signal and the start of the arrival run. */
void approachLine(App &app, const LineCells &l)
{
    TA1 &a1 = app.A1();
    /* A count that starts at or below the run's start (a running time of 0
       or less) would run the train in past a red entry signal before any
       route is laid: it stands at the entry signal as a one-minute run does. */
    if (l.stav->colorIs(progress::Lime) && l.stav->value() < 35)
        l.stav->setValue(60);
    const bool atStop = l.entryList->colorIs(progress::Red);
    const int v = l.stav->value();
    if (atStop && v == 120)
        a1.Varovani->setText(" Vlak " + l.trat->text() + " minul předvěst s návěstí Výstraha ! ");
    if (atStop && v == 61)
        a1.Varovani->setText(" Vlak " + l.trat->text() + " stojí u vjezového návěstidla ! ");
    if (l.stav->value() == 59) {
        if (atStop)
            l.stav->setValue(60);
        else
            forRowsNumbered(app.A2(), l.trat->text(), [](TimetableRow &row) { row.trainNumber->setColor(progress::Lime); });
    }
    if (l.stav->value() == 35) {
        l.stav->setColor(progress::White);
        l.timerOd->setInterval(10);
        l.timerOd->setEnabledFlag(true);
        l.vlakOd->setValue(400);
    }
}

/** Outgoing step 4.3: the neighbour reports the train's arrival by telephone. */
void reportArrival(App &app, const LineCells &l)
{
    if (l.smer->text() != Telefonika || !l.zprava->colorIs(progress::White))
        return;
    l.zprava->setText("Telefonická odhláška " + l.trat->text());
    l.zprava->setColor(progress::Red);
    ringAndSlowDown(app);
}

/** Outgoing step 4.4: the block frees line A or B and clears the train's outbound half. */
void clearByBlock(App &app, const LineCells &l)
{
    bool matched = false;
    forRowsNumbered(app.A2(), l.trat->text(), [&matched](TimetableRow &row) {
        row.clearOutbound(false);
        matched = true;
    });
    if (!matched)
        return;
    if (l.line == LineB)
        showLineBLamps(app, true);
    l.stav->setColor(progress::White);
    l.stav->setValue(0);
    l.trat->setText(Volna);
}

/**
 * Outgoing steps 4.1 / 5.2: a train that has reached the neighbour (count -4, or
 * an outbound count already past it, as a running time of 0 leaves it) is marked
 * arrived. @return whether it was.
 */
bool reachNeighbour(App &app, const LineCells &l)
{
    const bool passed = l.stav->colorIs(progress::Aqua) && l.stav->value() > -4;
    if (l.stav->value() != -4 && !passed)
        return false;
    l.stav->setValue(-5);
    forRowsNumbered(app.A2(), l.trat->text(), [](TimetableRow &row) { row.departure->setColor(progress::Fuchsia); });
    return true;
}

/** Outgoing step 5: line C, with the neighbour Vrbská's block panel. */
void outgoingLineC(App &app, const LineCells &l)
{
    TA1 &a1 = app.A1();
    /* A count that jumped past -10 (a running time of 0) releases the entry field as -10 does. */
    if (l.stav->value() == -10 || (l.stav->colorIs(progress::Aqua) && l.stav->value() > -4))
        a1.NavJOd->setValue(6);
    if (reachNeighbour(app, l) && l.stav->colorIs(progress::Aqua)) {
        reportArrival(app, l);
        if (a1.PHCHDo->value() > 1 && a1.NavJOd->value() == 6) {
            a1.PakaNavJOd->setTop(a1.PakaTSJ->top() + 7);
            a1.ZaverCH->setEnabledFlag(true);
            a1.ZaverCH->setInterval(300);
        }
    }
    if (l.stav->value() == 0 && a1.PakaNavJOd->top() == a1.PakaTSJ->top() + 7 && a1.NavJOd->value() == 1) {
        a1.PakaNavJOd->setTop(a1.PakaTSJ->top());
        core::StopVrbskaCrank(app);
    }
}

} // namespace

void showLineBLamps(App &app, bool lit)
{
    for (const char *name : {"VTM", "VOM"})
        if (ui::Control *lamp = app.A6().find(QString::fromLatin1(name)))
            lamp->setVisible(lit);
    app.A1().VTM->setVisible(lit);
}

void OfferIncomingTrains(App &app)
{
    ui::guarded(app.A1(), QStringLiteral("Error A1H-T"), [&app] {
        TA1 &a1 = app.A1();
        TA2 &a2 = app.A2();
        for (int x = LineA; x <= LineC; ++x) {
            ui::Edit *zprava = a1.Zprava(x);
            if (a1.Trat(x)->text() != Volna || !zprava->colorIs(progress::White))
                continue;
            const QString neighbour = x == LineA ? a1.StaniceA1->text() : x == LineB ? a1.StaniceB1->text()
                                                                                      : a1.StaniceC1->text();
            for (int r = 1; r <= kTimetableRows; ++r) {
                TimetableRow &row = a2.row(r);
                if (!row.neighbourDeparture->colorIs(progress::Orange) || row.comesFrom->text() != neighbour ||
                    !zprava->text().isEmpty())
                    continue;
                const QString mode = a1.Smer(x)->text();
                if (mode == Telefonika)
                    zprava->setText("Nabídka vlaku " + row.trainNumber->text());
                else if (mode == Poloautoblok)
                    zprava->setText("Předvídaný odjezd " + row.trainNumber->text());
                zprava->setColor(progress::Red);
            }
        }
        if (anyCallWaiting(a1))
            ringAndSlowDown(app);
    });
}

void AnnounceNeighbourDeparture(App &app)
{
    ui::guarded(app.A1(), QStringLiteral("Error A1H-O"), [&app] {
        TA1 &a1 = app.A1();
        for (int x = LineA; x <= LineC; ++x) {
            ui::SpinEdit *odjezd = a1.Odjezd(x);
            if (odjezd->value() != 1)
                continue;
            odjezd->setValue(0);
            ui::Edit *zprava = a1.Zprava(x);
            const QString now = clockText(app, 0);
            forRowsNumbered(app.A2(), a1.Trat(x)->text(), [&](TimetableRow &row) {
                row.trainNumber->setColor(progress::Yellow);
                row.neighbourDeparture->setColor(progress::Lime);
                row.agreedTime->setText(now);
                zprava->setText("Oznámení odjezdu " + row.trainNumber->text());
            });
            zprava->setColor(progress::Red);
            a1.StavVlak(x)->setColor(progress::Lime);
            ringAndSlowDown(app);
        }
    });
}

void RunIncomingTrains(App &app)
{
    ui::guarded(app.A1(), QStringLiteral("Error A1H-VO"), [&app] {
        TA1 &a1 = app.A1();
        TA2 &a2 = app.A2();
        if (a1.Sekunda->text() == QLatin1String("00"))
            countMinutes(a2);
        markDueArrivals(app);
        countReoffers(a2);
        for (int x = LineA; x <= LineC; ++x)
            countDeparture(app, x);
        for (int x = LineA; x <= LineC; ++x)
            if (a1.StavVlak(x)->colorIs(progress::Lime))
                a1.StavVlak(x)->setValue(a1.StavVlak(x)->value() - 1);
        approachEvents(a1);
        for (int x = LineA; x <= LineC; ++x)
            approachLine(app, lineCells(app, x, false));
    });
}

void RunOutgoingTrains(App &app)
{
    ui::guarded(app.A1(), QStringLiteral("Error A1H-VD"), [&app] {
        TA1 &a1 = app.A1();
        TA2 &a2 = app.A2();
        const ClockLine ahead(app, 5);
        for (int r = 1; r <= kTimetableRows; ++r) {
            TimetableRow &row = a2.row(r);
            if (row.departure->colorIs(progress::White) && ahead.readBy(row.departure->text()))
                row.departure->setColor(progress::Orange);
        }
        const ClockLine now(app, 0);
        for (int r = 1; r <= kTimetableRows; ++r) {
            TimetableRow &row = a2.row(r);
            if (row.departure->colorIs(progress::Yellow) && now.readBy(row.agreedTime->text()))
                row.departure->setColor(progress::Aqua);
        }
        for (int x = LineA; x <= LineC; ++x)
            if (a1.StavVlak(x)->colorIs(progress::Aqua))
                a1.StavVlak(x)->setValue(a1.StavVlak(x)->value() + 1);
        for (int x : {LineA, LineB}) {
            const LineCells &l = lineCells(app, x, false);
            if (!reachNeighbour(app, l) || !l.stav->colorIs(progress::Aqua))
                continue;
            reportArrival(app, l);
            if (l.smer->text() == Poloautoblok)
                clearByBlock(app, l);
        }
        outgoingLineC(app, lineCells(app, LineC, false));
    });
}

} // namespace traffic
