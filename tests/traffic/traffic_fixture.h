/** @file traffic_fixture.h A program with the clock stopped, trains written into rows, and the lines worked by hand. */
#pragma once

#include "core/app.h"
#include "core/core_handlers.h"
#include "core/form_a1.h"
#include "core/form_a2.h"
#include "harness/harness.h"
#include "trackview/form_a5.h"
#include "traffic/line_traffic.h"

#include <gtest/gtest.h>

/** One train in a timetable row, written as placing and the telephone leave it. */
struct RowTrain {
    QString number = "5401";
    QString from = "Horní Lom";      ///< "Ze směru"; empty for a train that starts here.
    QString neighbourDeparture = "12:05";
    QString runningTimeFrom = "4";
    QString track = "1";
    QString departure = "12:20";     ///< "pr." for a passing train.
    QString runningTimeTo = "6";
    QString to = "Vrbská";           ///< "Směr"; empty for a train that ends here.
};

/**
 * The program with its clock timer stopped: a test sets the clock memos,
 * calls the line routines as the tick would, and lets the run timers fire
 * by advancing virtual time.
 */
class TrafficTest : public ::testing::Test {
protected:
    TrafficTest()
    {
        h.as<ui::Timer>("A1.Hodiny").setEnabledFlag(false);
        h.setClock(12, 0, 0);
        core::Start(h.app()); // opens the sound players, as a game start does
        h.clearMessages();
    }

    TA1 &a1() { return h.app().A1(); }
    TA2 &a2() { return h.app().A2(); }
    TA5 &a5() { return h.app().A5(); }
    TimetableRow &row(int r) { return a2().row(r); }

    /** Writes a train into row r, all cells white. */
    void put(int r, const RowTrain &t = {})
    {
        TimetableRow &w = row(r);
        w.trainNumber->setText(t.number);
        w.comesFrom->setText(t.from);
        w.neighbourDeparture->setText(t.neighbourDeparture);
        w.runningTimeFrom->setText(t.runningTimeFrom);
        w.track->setText(t.track);
        w.departure->setText(t.departure);
        w.runningTimeTo->setText(t.runningTimeTo);
        w.leavesFor->setText(t.to);
    }

    /** One clock tick's line traffic, in the tick's order. */
    void traffic()
    {
        traffic::OfferIncomingTrains(h.app());
        traffic::RunIncomingTrains(h.app());
        traffic::RunOutgoingTrains(h.app());
    }

    /** n ticks of line traffic, each after the clock has moved on one second. */
    void trafficTicks(int n)
    {
        for (int i = 0; i < n; ++i) {
            advanceClockSecond();
            traffic();
        }
    }

    /** Moves the clock on one second as the tick does (no minute change handled: tests stay inside a minute). */
    void advanceClockSecond()
    {
        const int s = a1().Sekunda->text().toInt() + 1;
        a1().Sekunda->setText(QStringLiteral("%1").arg(s % 60, 2, 10, QChar('0')));
    }

    /** The accepted state the telephone leaves for an inbound train of row r on line x (A1 cells only). */
    void accept(int r, int line, int minutesAhead = 1)
    {
        TimetableRow &w = row(r);
        a1().Trat(line)->setText(w.trainNumber->text());
        a1().StavVlak(line)->setValue(w.runningTimeFrom->text().toInt() * 60);
        a1().Odjezd(line)->setValue(minutesAhead * 60);
        w.neighbourDeparture->setColor(progress::Yellow);
        a1().Zprava(line)->setText(QString());
        a1().Zprava(line)->setColor(progress::Yellow);
    }

    /** Gives the preview chain of a line ten vehicles: a locomotive of 40 px and wagons of 30 px. */
    void loadPreview(int line)
    {
        const QString form = line == 2 ? "A8" : "A7";
        const QString stem(QChar("ABC"[line]));
        for (int k = 0; k < 10; ++k) {
            QImage img(k == 0 ? 40 : 30, 64, QImage::Format_RGB32);
            img.fill(k == 0 ? QColor(180, 30, 30) : QColor(30, 80, 160));
            img.setPixel(0, 63, qRgb(255, 0, 255));
            h.as<ui::Image>(form + ".Vlak" + stem + QChar('a' + k)).setPicture(img);
        }
    }

    Harness h;
};
