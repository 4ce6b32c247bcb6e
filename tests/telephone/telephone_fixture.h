/** @file telephone_fixture.h The desk before a call: helpers that write what the line traffic would, and name the cells. */
#pragma once

#include "core/form_a2.h"
#include "harness/harness.h"

#include <QColor>

#include <gtest/gtest.h>

#include <ostream>

QT_BEGIN_NAMESPACE
/** Shows a text as itself in the tests' failure messages. */
inline void PrintTo(const QString &s, std::ostream *os)
{
    *os << '"' << s.toStdString() << '"';
}
/** Shows a list of texts line by line in the tests' failure messages. */
inline void PrintTo(const QStringList &l, std::ostream *os)
{
    *os << "{";
    for (const QString &s : l)
        *os << "\n  \"" << s.toStdString() << '"';
    *os << " }";
}
QT_END_NAMESPACE

namespace tel {

inline const QColor White(255, 255, 255);
inline const QColor Red(255, 0, 0);
inline const QColor Yellow(255, 255, 0);
inline const QColor Orange(255, 128, 0);
inline const QColor Lime(0, 255, 0);
inline const QColor Aqua(0, 255, 255);
inline const QColor Fuchsia(255, 0, 255);

/** Cell columns of a timetable row, as `timetableCellName` counts them. */
enum Column {
    Cislo = 0, ZeSmeru = 1, OdjS = 2, Prij = 3, JdFrom = 4, K = 5, Odj = 6, PrijS = 7, JdTo = 8, Smer = 9,
    Del = 10, Hmot = 11, Agreed = 12,
};

/** @return the full name of a cell of row r ("A2.B3"). */
inline QString cell(int r, int column)
{
    return "A2." + timetableCellName(r, column);
}
/** @return the minutes-ahead cell of row r ("A2.C5a"). */
inline QString minutesAhead(int r)
{
    return cell(r, Agreed) + "a";
}
/** @return the refusal countdown of row r ("A2.C5b"). */
inline QString reoffer(int r)
{
    return cell(r, Agreed) + "b";
}
/** @return the line key of a line letter. */
inline QString key(char line)
{
    return line == 'A' ? "A6.F0" : line == 'B' ? "A6.F2" : "A6.F1";
}

/** The program at 12:04:00 with the built-in names, no game running: the tests write the line traffic's cells. */
class Desk : public ::testing::Test {
protected:
    Desk() { h.setClock(12, 4, 0); }

    /** Writes a text cell as the line traffic or the timetable placement would. */
    void put(const QString &name, const QString &text) { h.type(name, text); }
    void paint(const QString &name, const QColor &c) { h.control(name).setColor(c); }

    /**
     * Places a neighbour's train in row r, due from the line's neighbour in
     * `ahead` minutes with its running time, its Odj.s. orange (offered).
     */
    void incoming(int r, const QString &number, char line, const QString &running = "7", const QString &ahead = "3")
    {
        put(cell(r, Cislo), number);
        put(cell(r, ZeSmeru), h.text(QStringLiteral("A1.Stanice%1").arg(line) + "1"));
        put(cell(r, OdjS), "12:07");
        paint(cell(r, OdjS), Orange);
        put(cell(r, JdFrom), running);
        put(minutesAhead(r), ahead);
    }
    /** Places one of the station's trains in row r, leaving towards the line's neighbour, its Odj. orange (due). */
    void outgoing(int r, const QString &number, char line, const QString &running = "9")
    {
        put(cell(r, Cislo), number);
        put(cell(r, K), "1");
        put(cell(r, Odj), "12:08");
        paint(cell(r, Odj), Orange);
        put(cell(r, JdTo), running);
        put(cell(r, Smer), h.text(QStringLiteral("A1.Stanice%1").arg(line) + "1"));
    }
    /** The neighbour of a line calls: its message, coloured red. */
    void ring(char line, const QString &message)
    {
        put(QStringLiteral("A1.Zprava%1").arg(line), message);
        paint(QStringLiteral("A1.Zprava%1").arg(line), Red);
    }
    /** Opens the ringing's sound player, as the game start does. */
    void openRing()
    {
        ui::MediaPlayer &ring = h.as<ui::MediaPlayer>("A1.SndTelefon");
        ring.setFileName(QStringLiteral(KAMENNA_SOURCE_DATA_DIR) + "/Data/Snd/Telefon.wav");
        ring.open();
    }
    /** Lifts the handset, takes the lines with their keys, dials and waits for the connection. */
    void connect(const QString &lines)
    {
        h.click("A6.E1");
        for (QChar l : lines)
            h.click(key(l.toLatin1()));
        dial();
        h.ticks(14);
    }
    /** Presses and releases the dial button. */
    void dial()
    {
        h.press("A6.E2", 5, 5);
        h.release(5, 5);
    }
    /** Chooses a message kind in the list by its text. */
    void choose(const QString &kind)
    {
        const int row = h.as<ui::ListBox>("A6.G2").items().indexOf(kind);
        ASSERT_GE(row, 0) << kind.toStdString();
        h.clickRow("A6.G2", row);
    }
    /** Clicks the train label of row r. */
    void pickTrain(int r)
    {
        static const char *const labels[16] = {"G7", "G8", "G9", "H0", "H1", "H2", "H3", "H4",
                                               "H5", "H6", "H7", "H8", "H9", "I0", "I1", "I2"};
        h.click(QStringLiteral("A6.") + labels[r - 1]);
    }
    /** Sends the sentence of a kind about the train of row r. */
    void say(const QString &kind, int r)
    {
        choose(kind);
        pickTrain(r);
        h.click("A6.G5");
    }

    Harness h;
};

} // namespace tel
