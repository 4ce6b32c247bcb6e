/** @file timetable_window_test.cpp The timetable window A2: cell names, its empty rows and the clearing of a row. */
#include "harness/harness.h"

#include "core/form_a2.h"

#include <QSet>

#include <gtest/gtest.h>

namespace {

/** A row's key cells by their names: Číslo, Odj.s., Odj., Směr and the agreed time. */
struct RowNames {
    int row;
    const char *number, *neighbourDeparture, *departure, *leavesFor, *agreedTime;
};

const RowNames kRowNames[kTimetableRows] = {
    {1, "B3", "B5", "B9", "C2", "C5"},   {2, "C6", "C8", "D2", "D5", "D8"},   {3, "D9", "E1", "E5", "E8", "F1"},
    {4, "F2", "F4", "F8", "G1", "G4"},   {5, "G6", "G8", "H2", "H5", "H8"},   {6, "H9", "I1", "I5", "I8", "J1"},
    {7, "J2", "J4", "J8", "K1", "K4"},   {8, "K5", "K7", "L1", "L4", "L7"},   {9, "L8", "M0", "M4", "M7", "N0"},
    {10, "N2", "N4", "N8", "O1", "O4"},  {11, "O5", "O7", "P1", "P4", "P7"},  {12, "P8", "Q0", "Q4", "Q7", "R0"},
    {13, "R1", "R3", "R7", "S0", "S3"},  {14, "S4", "S6", "T0", "T3", "T6"},  {15, "T7", "T9", "U3", "U6", "U9"},
    {16, "V0", "V2", "V6", "V9", "W2"},
};

/** @return the control of A2 named name. */
ui::Control *a2(Harness &h, const QString &name)
{
    return &h.control("A2." + name);
}

} // namespace

TEST(TimetableWindow, EveryRowHasItsCellsUnderTheirNames)
{
    Harness h;
    TA2 &form = h.app().A2();
    for (const RowNames &n : kRowNames) {
        const TimetableRow &row = form.row(n.row);
        const QString agreed = n.agreedTime;
        EXPECT_EQ(row.trainNumber, a2(h, n.number)) << n.row;
        EXPECT_EQ(row.neighbourDeparture, a2(h, n.neighbourDeparture)) << n.row;
        EXPECT_EQ(row.departure, a2(h, n.departure)) << n.row;
        EXPECT_EQ(row.leavesFor, a2(h, n.leavesFor)) << n.row;
        EXPECT_EQ(row.agreedTime, a2(h, agreed)) << n.row;
        EXPECT_EQ(row.minutesAhead, a2(h, agreed + "a")) << n.row;
        EXPECT_EQ(row.reofferCountdown, a2(h, agreed + "b")) << n.row;
        EXPECT_EQ(row.note, a2(h, QStringLiteral("Poznamka%1").arg(n.row, 2, 10, QChar('0')))) << n.row;
        EXPECT_EQ(row.vehicles[0], a2(h, QStringLiteral("Vlak%1a").arg(n.row))) << n.row;
        EXPECT_EQ(row.vehicles[9], a2(h, QStringLiteral("Vlak%1j").arg(n.row))) << n.row;
    }
    /* Row 1 in full, and no name is used twice. */
    const TimetableRow &first = form.row(1);
    const ui::Edit *cells[] = {first.trainNumber, first.comesFrom, first.neighbourDeparture, first.arrival,
                               first.runningTimeFrom, first.track, first.departure, first.neighbourArrival,
                               first.runningTimeTo, first.leavesFor, first.length, first.mass, first.agreedTime};
    const char *names[] = {"B3", "B4", "B5", "B6", "B7", "B8", "B9", "C0", "C1", "C2", "C3", "C4", "C5"};
    for (int c = 0; c < 13; ++c)
        EXPECT_EQ(cells[c]->name(), names[c]);
    QSet<QString> seen;
    for (const auto &c : form.controls()) {
        if (c->name().isEmpty())
            continue;
        EXPECT_FALSE(seen.contains(c->name())) << c->name().toStdString();
        seen.insert(c->name());
    }
    EXPECT_EQ(seen.size(), 4 + 1 + kTimetableRows * (15 + 1 + kRowVehicles));
}

TEST(TimetableWindow, TheColumnHeadingsAreOneBoldUnderlinedLabel)
{
    Harness h;
    const auto &b1 = h.as<ui::Label>("A2.B1");
    EXPECT_EQ(b1.caption(), "  Číslo           Ze směru      Odj.s.  Příj.   J.d.  K.  Odj.  Příj.s. J.d. "
                            "Směr             Dél.  Hmot.  Poznámka        ");
    EXPECT_TRUE(b1.visible());
    EXPECT_EQ(b1.top(), 8);
    EXPECT_EQ(b1.width(), 672);
    EXPECT_EQ(b1.font().family, "Verdana");
    EXPECT_EQ(b1.font().pixelSize, 11);
    EXPECT_TRUE(b1.font().bold);
    EXPECT_TRUE(b1.font().underline);
    EXPECT_EQ(b1.font().color, QColor(Qt::white));
    /* No other label stands in the headings' line. */
    for (const ui::Control *c : h.control("A2").children()) {
        if (c != &b1 && c->kind() == ui::Kind::Label) {
            EXPECT_FALSE(c->bounds().intersects(b1.bounds())) << c->caption().toStdString();
        }
    }
}

TEST(TimetableWindow, OpensWithEmptyWhiteRowsAndDefaultTrains)
{
    Harness h;
    EXPECT_EQ(h.text("A2"), "Jízdní řád");
    EXPECT_EQ(h.color("A2"), QColor(0, 0, 128));
    EXPECT_FALSE(h.visible("A2"));
    EXPECT_EQ(h.control("A2").width(), 665);
    EXPECT_EQ(h.control("A2").height(), 383);
    EXPECT_EQ(h.control("A2.GroupBox1").bounds(), QRect(0, 384, 689, 593));
    EXPECT_EQ(h.text("A2.B2"), "A - Rychlíky a spěšné vlaky");
    EXPECT_EQ(h.text("A2.G5"), "B - Osobní vlaky");
    EXPECT_EQ(h.text("A2.N1"), "C - Nákladní vlaky");
    EXPECT_TRUE(h.text("A2.B1").startsWith("  Číslo           Ze směru      Odj.s."));
    EXPECT_EQ(h.control("A2.N2").top(), 247);
    EXPECT_EQ(h.control("A2.V0").top(), 355);
    EXPECT_EQ(h.control("A2.Poznamka01").left(), 568);
    EXPECT_EQ(h.control("A2.B5").hint(), "Odjezd vlaku ze sousední stanice");
    for (int r = 1; r <= kTimetableRows; ++r) {
        const TimetableRow &row = h.app().A2().row(r);
        EXPECT_TRUE(row.isFree());
        for (const ui::Edit *cell : {row.trainNumber, row.neighbourDeparture, row.departure, row.note}) {
            EXPECT_EQ(cell->text(), "");
            EXPECT_EQ(cell->color(), progress::White);
            EXPECT_TRUE(cell->readOnly());
            EXPECT_TRUE(cell->visible());
        }
        EXPECT_FALSE(row.agreedTime->visible());
        EXPECT_TRUE(row.agreedTime->readOnly());
        EXPECT_FALSE(row.minutesAhead->visible());
        EXPECT_FALSE(row.minutesAhead->readOnly());
        EXPECT_FALSE(row.reofferCountdown->readOnly());
        /* The form's pictures at their own sizes: odd rows from left 8, even rows from 360, 8 apart. */
        const int left = r % 2 ? 8 : 360;
        const int top = 16 + (r - 1) / 2 * 72;
        EXPECT_EQ(row.vehicles[0]->bounds(), QRect(left, top, 179, 64)) << r;
        EXPECT_EQ(row.vehicles[1]->bounds(), QRect(left + 8, top, 247, 64)) << r;
        EXPECT_EQ(row.vehicles[2]->bounds(), QRect(left + 16, top, 247, 64)) << r;
        EXPECT_EQ(row.vehicles[0]->picture().size(), QSize(179, 64));
        for (int v = 3; v < kRowVehicles; ++v) {
            EXPECT_TRUE(row.vehicles[v]->picture().isNull()) << r << v;
            EXPECT_EQ(row.vehicles[v]->bounds(), QRect(left + 8 * v, top, 0, 0)) << r << v;
        }
    }
}

TEST(TimetableWindow, ClearingAHalfFreesTheRowOnlyWhenTheOtherHalfIsEmpty)
{
    Harness h;
    TimetableRow &row = h.app().A2().row(2);
    auto fill = [&] {
        const std::pair<ui::Edit *, const char *> cells[] = {
            {row.trainNumber, "1911"}, {row.comesFrom, "Vrbská"}, {row.neighbourDeparture, "5:02"},
            {row.arrival, "5:09"}, {row.runningTimeFrom, "7"}, {row.track, "1"}, {row.departure, "5:15"},
            {row.neighbourArrival, "5:25"}, {row.runningTimeTo, "10"}, {row.leavesFor, "Horní Lom"},
            {row.length, "120"}, {row.mass, "300"}, {row.agreedTime, "5:15"}, {row.minutesAhead, "3"},
            {row.reofferCountdown, "60"}, {row.note, "R"}};
        for (const auto &[cell, text] : cells)
            cell->setText(text);
        row.trainNumber->setColor(progress::Lime);
        row.neighbourDeparture->setColor(progress::Fuchsia);
        row.departure->setColor(progress::Fuchsia);
    };

    /* A through train keeps its number after arriving, and is gone once it has left. */
    fill();
    row.clearInbound();
    EXPECT_EQ(row.trainNumber->text(), "1911");
    EXPECT_EQ(row.comesFrom->text(), "");
    EXPECT_EQ(row.runningTimeFrom->text(), "");
    EXPECT_EQ(row.neighbourDeparture->color(), progress::White);
    EXPECT_EQ(row.track->text(), "1");
    row.clearOutbound(false);
    EXPECT_TRUE(row.isFree());
    EXPECT_EQ(row.trainNumber->color(), progress::White);
    EXPECT_EQ(row.departure->color(), progress::White);
    EXPECT_EQ(row.mass->text(), "");
    EXPECT_EQ(row.note->text(), "R");
    EXPECT_EQ(row.minutesAhead->text(), "3");
    EXPECT_EQ(row.reofferCountdown->text(), "60");

    /* A train ending here is gone after its arrival, with its note. */
    fill();
    row.leavesFor->setText(QString());
    row.clearInbound();
    EXPECT_TRUE(row.isFree());
    EXPECT_EQ(row.note->text(), "");
    EXPECT_EQ(row.agreedTime->text(), "");
    EXPECT_EQ(row.trainNumber->color(), progress::White);

    /* The outbound half with the note, of a train still arriving: the number stays. */
    fill();
    row.clearOutbound(true);
    EXPECT_EQ(row.trainNumber->text(), "1911");
    EXPECT_EQ(row.note->text(), "");
    EXPECT_EQ(row.leavesFor->text(), "");
}
