/** @file dispatcher.cpp The scripted dispatcher: telephone, desk and track view, one clock tick at a time. */
#include "harness/dispatcher.h"

#include "core/form_a2.h"

#include <functional>

namespace {

const QColor White(255, 255, 255);
const QColor Red(255, 0, 0);
const QColor Yellow(255, 255, 0);
const QColor Orange(255, 128, 0);
const QColor Lime(0, 255, 0);
const QColor Aqua(0, 255, 255);
const QColor Fuchsia(255, 0, 255);

/** Columns of a timetable row, as `timetableCellName` counts them. */
enum Column { Cislo = 0, ZeSmeru = 1, OdjS = 2, K = 5, Odj = 6, Smer = 9 };

const char Lines[3] = {'A', 'B', 'C'};
/** The desk's line keys. */
const char *const Keys[3] = {"A6.F0", "A6.F2", "A6.F1"};
/** Train labels of the telephone panel, one per timetable row. */
const char *const TrainLabels[16] = {"G7", "G8", "G9", "H0", "H1", "H2", "H3", "H4",
                                     "H5", "H6", "H7", "H8", "H9", "I0", "I1", "I2"};
/** Tracks each line's routes reach from the desk with its options unticked. */
const QList<int> Served[3] = {{1, 2, 3, 5, 7}, {1, 3, 5, 7}, {1, 2, 3, 5, 7}};
/** The order in which a track is looked for when the regular one is taken. */
const int TrackOrder[5] = {1, 3, 5, 7, 2};
/** Timer names whose work the dispatcher watches in real time. */
const char *const Workers[] = {"A1.SignalistaA", "A1.SignalistaB", "A1.SignalistaC", "A1.TimerVlakAOd",
                               "A1.TimerVlakBOd", "A1.TimerVlakCOd", "A1.TimerVlakADo", "A1.TimerVlakBDo",
                               "A1.TimerVlakCDo", "A1.ZaverSt1",     "A1.ZaverSt2",     "A1.ZaverCH"};

/** @return a track knob's stop for a station track. */
int knobStop(int track)
{
    switch (track) {
    case 7: return 796;
    case 5: return 804;
    case 3: return 812;
    case 1: return 828;
    default: return 844;
    }
}

/** @return the row letter of a track's vehicle slots on the track view. */
QChar slotLetter(int track)
{
    switch (track) {
    case 7: return 'F';
    case 5: return 'H';
    case 3: return 'J';
    case 1: return 'L';
    default: return 'N';
    }
}

/** @return the train number at the end of a call's text, "Nabídka vlaku 2601" gives "2601". */
QString numberOf(const QString &message)
{
    return message.section(' ', -1);
}

} // namespace

Dispatcher::Dispatcher(Harness &harness, Style style) : h(harness), m_style(style)
{
    m_desk[0] = {'A', "A6.KnoflikA", "A6.ZavernikA", "A6.ZvonekA", "A6.PakaNavBOd", "A6.PakaNavBDo", "A6.PakaZavB",
                 "A1.NavBOd", "A1.NavBDo", "A1.ZavB", "A1.SignalistaA", 836, -30};
    m_desk[1] = {'B', "A6.KnoflikB", "A6.ZavernikB", "A6.ZvonekB", "A6.PakaNavMOd", "A6.PakaNavMDo", "A6.PakaZavM",
                 "A1.NavMOd", "A1.NavMDo", "A1.ZavM", "A1.SignalistaB", 820, -30};
    m_desk[2] = {'C',         "A6.KnoflikC", "A6.ZavernikC", "A6.ZvonekC",     "A6.PakaNavCHOd", "A6.PakaNavCHDo",
                 "A6.PakaZavCH", "A1.NavCHOd", "A1.NavCHDo", "A1.ZavCH", "A1.SignalistaC", 836, 30};
    for (int x = 0; x < 3; ++x)
        m_stations[x] = h.text(QStringLiteral("A1.Stanice%1").arg(Lines[x]) + "1");
}

void Dispatcher::takeTelephoneWorking()
{
    h.click("A6.E1");
    h.click(Keys[1]);
    h.click(Keys[2]);
    h.press("A6.E2", 5, 5);
    h.release(5, 5);
    for (int i = 0; i < 20 && !h.enabled("A6.G2"); ++i)
        h.ticks(1);
    const int kind = h.as<ui::ListBox>("A6.G2").items().indexOf(QStringLiteral("Zavedení telefoniky"));
    h.clickRow("A6.G2", kind);
    h.click("A6.G5");
    h.click(Keys[1]);
    h.click(Keys[2]);
    h.click("A6.G6");
}

void Dispatcher::playUntil(int hour, int minute)
{
    const QString until = QStringLiteral("%1:%2:").arg(hour).arg(minute, 2, 10, QChar('0'));
    while (!h.clock().startsWith(until))
        step();
}

void Dispatcher::playTicks(int n)
{
    for (int i = 0; i < n; ++i)
        step();
}

/** One clock tick, then whatever the dispatcher sees to do. */
void Dispatcher::step()
{
    setSpeed();
    h.ticks(1);
    answerCalls();
    scanRows();
    noteHandOvers();
    reportArrivals();
    offerDepartures();
    workLineBBlock();
    workLineCBlock();
    workLines();
    dispatchTrains();
}

/** Slows the game to real time while something moves, and lets it fly while nothing does. */
void Dispatcher::setSpeed()
{
    const QString wanted = busy() ? QStringLiteral("1") : QStringLiteral("1024");
    if (h.text("A1.Rychlost") != wanted)
        h.type("A1.Rychlost", wanted);
}

bool Dispatcher::busy() const
{
    for (const Route &r : m_routes)
        if (r.phase != Route::Idle && r.phase != Route::Wait)
            return true;
    for (const char *t : Workers)
        if (h.timerEnabled(QLatin1String(t)))
            return true;
    return false;
}

/** Answers every ringing line: an offer is accepted, a notice acknowledged; then the line is released. */
void Dispatcher::answerCalls()
{
    for (int x = 0; x < 3; ++x) {
        const QString zprava = QStringLiteral("A1.Zprava%1").arg(Lines[x]);
        if (h.color(zprava) != Red)
            continue;
        const QString message = h.text(zprava);
        m_heard << message;
        Train &t = m_trains[numberOf(message)];
        t.number = numberOf(message);
        if (message.startsWith(QStringLiteral("Nabídka vlaku")) || message.startsWith(QStringLiteral("Předvídaný")))
            t.offered = true;
        if (message.startsWith(QStringLiteral("Telefonická odhláška")))
            t.handedOver = true;
        h.click(Keys[x]);
        if (h.visible("A6.I4"))
            h.click("A6.I4");
        else if (h.visible("A6.I6"))
            h.click("A6.I6");
        h.click(Keys[x]);
    }
}

/** Calls the neighbour of a line and says a kind about the train of row r. @return the neighbour's reply. */
QString Dispatcher::call(char line, const QString &kind, int r)
{
    const char *key = Keys[line - 'A'];
    h.click("A6.E1");
    h.click(key);
    h.press("A6.E2", 5, 5);
    h.release(5, 5);
    for (int i = 0; i < 20 && !h.enabled("A6.G2"); ++i)
        h.ticks(1);
    const int row = h.as<ui::ListBox>("A6.G2").items().indexOf(kind);
    if (row >= 0) {
        h.clickRow("A6.G2", row);
        h.click(QStringLiteral("A6.") + TrainLabels[r - 1]);
        h.click("A6.G5");
    }
    const QString reply = h.lines("A6.G1").value(2);
    h.click(key);
    h.click("A6.G6");
    m_heard << kind + " " + h.text(cell(r, Cislo)) + ": " + reply;
    return reply;
}

void Dispatcher::scanRows()
{
    for (int r = 1; r <= 16; ++r)
        scanRow(r);
}

/** Notes what the row of a train shows: where it comes from and goes, and how far it got. */
void Dispatcher::scanRow(int r)
{
    const QString number = h.text(cell(r, Cislo));
    if (number.isEmpty())
        return;
    Train &t = m_trains[number];
    t.number = number;
    if (!t.from && !t.to) {
        t.from = lineOf(h.text(cell(r, ZeSmeru)));
        t.to = lineOf(h.text(cell(r, Smer)));
        t.passes = h.text(cell(r, Odj)) == QStringLiteral("pr.");
        if (!t.from)
            t.offered = true;
    }
    if (t.from && !t.arrived && (h.color(cell(r, OdjS)) == Fuchsia || h.text(cell(r, ZeSmeru)).isEmpty())) {
        t.arrived = true;
    }
    const QColor odj = h.color(cell(r, Odj));
    if (t.to && (odj == Lime || odj == Fuchsia))
        t.departed = true;
}

/** Reports by telephone every train that has arrived complete on its line. */
void Dispatcher::reportArrivals()
{
    for (int r = 1; r <= 16; ++r) {
        const QString number = h.text(cell(r, Cislo));
        if (number.isEmpty() || h.color(cell(r, OdjS)) != Fuchsia)
            continue;
        const char from = m_trains[number].from;
        if (from && !underBlock(from) && h.text(QStringLiteral("A1.Trat%1").arg(from)) == number)
            call(from, QStringLiteral("Telefonická odhláška"), r);
    }
}

/** Offers the next neighbour every train due to leave, once the line is free. */
void Dispatcher::offerDepartures()
{
    for (int r = 1; r <= 16; ++r) {
        const QString number = h.text(cell(r, Cislo));
        if (number.isEmpty() || h.color(cell(r, Odj)) != Orange)
            continue;
        Train &t = m_trains[number];
        if (!t.to || h.text(QStringLiteral("A1.Trat%1").arg(t.to)) != QStringLiteral("Volná"))
            continue;
        if (m_style == Careful && !t.passes && t.from && !t.arrived)
            continue;
        if (m_style == Careful && t.passes && h.color(cell(r, OdjS)) != Lime && !t.arrived)
            continue;
        call(t.to, underBlock(t.to) ? QStringLiteral("Předvídaný odjezd") : QStringLiteral("Nabídka vlaku"), r);
    }
}

/** A train that left and whose row no longer shows its departure has been taken over by the next station. */
void Dispatcher::noteHandOvers()
{
    for (auto &[number, t] : m_trains) {
        if (!t.departed || t.handedOver)
            continue;
        const int r = rowOf(number);
        if (r == 0 || h.text(cell(r, Odj)).isEmpty())
            t.handedOver = true;
    }
}

bool Dispatcher::underBlock(char line) const
{
    return h.text(QStringLiteral("A1.Smer%1").arg(line)) == QStringLiteral("Poloautoblok");
}

/** @return whether a train due to leave by the line waits for it: accepted, or due to be offered. */
bool Dispatcher::wantsToLeave(char line) const
{
    for (const auto &[number, t] : m_trains) {
        if (t.to != line || t.departed)
            continue;
        const int r = rowOf(number);
        const QColor odj = r ? h.color(cell(r, Odj)) : White;
        if (odj == Yellow || odj == Aqua)
            return true;
    }
    return false;
}

/** Presses and releases a desk button. */
void Dispatcher::press(const QString &button)
{
    h.press(button, 3, 3);
    h.release(3, 3);
}

/**
 * Line B's block: the consent given when Struhy asks for it, asked back
 * when a train of this station is agreed to leave and nothing comes in,
 * and the arrival report once a train from Struhy is in.
 */
void Dispatcher::workLineBBlock()
{
    if (!underBlock('B'))
        return;
    const QColor consent = h.color("A1.SmerB");
    if (consent == Yellow)
        press("A6.TSM");
    if (h.visible("A6.EVM"))
        press("A6.ODHLM");
    if (consent == Red && h.visible("A6.VTM") && wantsToLeave('B'))
        press("A6.ZSM");
}

/**
 * Line C's block: the consent given to Vrbská for an accepted train, and
 * asked back by the bell when a train of this station waits to leave.
 */
void Dispatcher::workLineCBlock()
{
    if (!underBlock('C'))
        return;
    bool inbound = false;
    for (const auto &[number, t] : m_trains)
        if (t.from == 'C' && !t.arrived && h.text("A1.TratC") == number)
            inbound = true;
    if (inbound && h.value("A1.TSJ") < 6 && h.value("A1.TSCH") == 1)
        holdUntil("A6.PakaTSCH", [&] { return h.value("A1.TSJ") == 6; }, 3000);
    if (!inbound && wantsToLeave('C') && h.value("A1.TSCH") != 1 && h.value("A1.TSCHOn") == 0)
        hold("A6.ZvonekD", 550);
}

/** Clicks every train that may leave on the track view; the track view starts it if its way is clear. */
void Dispatcher::dispatchTrains()
{
    for (int r = 1; r <= 16; ++r) {
        const QString number = h.text(cell(r, Cislo));
        if (number.isEmpty() || h.color(cell(r, Odj)) != Aqua)
            continue;
        for (int track : TrackOrder)
            if (onTrack(number, track))
                h.click(QStringLiteral("A5.%1%2").arg(slotLetter(track)).arg(9));
    }
}

void Dispatcher::workLines()
{
    for (int x = 0; x < 3; ++x)
        workRoute(x);
}

/** Takes one line's route a step on: knob, lock, bell, release, the train, the route taken back. */
void Dispatcher::workRoute(int x)
{
    Route &route = m_routes[x];
    const LineDesk &d = m_desk[x];
    switch (route.phase) {
    case Route::Idle:
        startNextRoute(x);
        return;
    case Route::Knob:
        if (moveKnob(x, knobStop(route.track)))
            route.phase = Route::Lock;
        return;
    case Route::Lock:
        if (turnLock(x, route.entry))
            route.phase = Route::Bell;
        return;
    case Route::Bell:
        hold(d.bell, 550);
        route.phase = Route::Release;
        return;
    case Route::Release: {
        const QString field = route.entry ? d.entryField : d.exitField;
        if (holdUntil(route.entry ? d.entryLever : d.exitLever, [&] { return h.value(field) == 5; }, 3000))
            route.phase = Route::Wait;
        return;
    }
    case Route::Wait: {
        const Train &t = m_trains[route.train];
        const bool gone = route.entry ? t.arrived : t.departed;
        const QString field = route.entry ? d.entryField : d.exitField;
        if (!gone || h.value(field) != 1)
            return;
        if (m_style == Careful && x < 2 && h.timerEnabled(d.signalman))
            return;
        route.phase = Route::Unlock;
        return;
    }
    case Route::Unlock:
        if (holdUntil(d.unlockLever, [&] { return h.value(d.lockField) == 1; }, 4000))
            route.phase = Route::Back;
        return;
    case Route::Back:
        trackBack(x);
        return;
    }
}

/** Picks the line's next route: a train waiting to leave first, then one coming in. */
void Dispatcher::startNextRoute(int x)
{
    if (!chooseExit(x) && !chooseEntry(x))
        return;
    m_routes[x].phase = Route::Knob;
    workRoute(x);
}

bool Dispatcher::chooseExit(int x)
{
    for (auto &[number, t] : m_trains) {
        if (t.to != Lines[x] || t.departed || !t.track)
            continue;
        const int r = rowOf(number);
        if (r == 0)
            continue;
        const QColor odj = h.color(cell(r, Odj));
        if (odj != Yellow && odj != Aqua)
            continue;
        if (!onTrack(number, t.track) && !(t.passes && !t.arrived))
            continue;
        if (t.passes && t.from && m_routes[t.from - 'A'].train != number && !t.arrived)
            continue;
        m_routes[x] = {Route::Idle, false, t.track, number};
        return true;
    }
    return false;
}

bool Dispatcher::chooseEntry(int x)
{
    for (auto &[number, t] : m_trains) {
        if (t.from != Lines[x] || t.arrived)
            continue;
        const int r = rowOf(number);
        if (r == 0)
            continue;
        const QColor odjS = h.color(cell(r, OdjS));
        if (odjS != Yellow && odjS != Lime)
            continue;
        if (!t.track)
            t.track = freeTrackFor(t);
        if (!t.track)
            continue;
        m_routes[x] = {Route::Idle, true, t.track, number};
        return true;
    }
    return false;
}

/** @return a station track for a train: its regular one if free, else the first free one both its lines reach. */
int Dispatcher::freeTrackFor(Train &t)
{
    const int r = rowOf(t.number);
    QList<int> order{h.text(cell(r, K)).toInt()};
    for (int track : TrackOrder)
        order << track;
    for (int track : order) {
        if (t.from && !Served[t.from - 'A'].contains(track))
            continue;
        if (t.to && !Served[t.to - 'A'].contains(track))
            continue;
        if (h.text(QStringLiteral("A1.Kolej%1").arg(track)) != QStringLiteral("Volná"))
            continue;
        bool taken = false;
        for (const auto &[n, other] : m_trains)
            if (n != t.number && other.track == track && !other.departed && (other.to || !other.arrived))
                taken = true;
        if (!taken)
            return track;
    }
    return 0;
}

/** Drags the line's track knob a step at a time towards a stop. @return whether it stands there. */
bool Dispatcher::moveKnob(int x, int position)
{
    const QString &knob = m_desk[x].knob;
    for (int i = 0; i < 20; ++i) {
        const int before = knobPosition(x);
        if (before == position)
            return true;
        const int dy = position > before ? 5 : -5;
        h.drag(knob, {5, 20}, {5, 20 + dy});
        if (knobPosition(x) == before)
            return false;
    }
    return knobPosition(x) == position;
}

/** Turns the line's route lock for an entry or an exit. @return whether it turned. */
bool Dispatcher::turnLock(int x, bool entry)
{
    const int dx = entry ? m_desk[x].entryDx : -m_desk[x].entryDx;
    h.drag(m_desk[x].lock, {10, 20}, {10 + dx, 20});
    return lockTurned(x);
}

bool Dispatcher::lockTurned(int x) const
{
    static const int Rest[3] = {284, 669, 977};
    return h.control(m_desk[x].lock).left() - h.control("A6.Blok").left() != Rest[x];
}

/** Turns the route lock back to rest and the knob to where it crosses no other line. */
void Dispatcher::trackBack(int x)
{
    Route &route = m_routes[x];
    if (lockTurned(x))
        turnLock(x, !route.entry);
    if (lockTurned(x))
        return;
    moveKnob(x, m_desk[x].neutral);
    route = Route();
}

void Dispatcher::hold(const QString &device, int ms)
{
    if (h.text("A1.Rychlost") != QStringLiteral("1"))
        h.type("A1.Rychlost", QStringLiteral("1"));
    h.press(device, 5, 5);
    h.advanceMs(ms);
    h.release(5, 5);
}

/** Holds a device down until the condition holds, 50 ms a look. @return whether it held. */
bool Dispatcher::holdUntil(const QString &device, const std::function<bool()> &done, int limitMs)
{
    if (h.text("A1.Rychlost") != QStringLiteral("1"))
        h.type("A1.Rychlost", QStringLiteral("1"));
    h.press(device, 5, 5);
    for (int t = 0; t < limitMs && !done(); t += 50)
        h.advanceMs(50);
    const bool ok = done();
    h.release(5, 5);
    return ok;
}

int Dispatcher::rowOf(const QString &number) const
{
    for (int r = 1; r <= 16; ++r)
        if (h.text(cell(r, Cislo)) == number)
            return r;
    return 0;
}

QString Dispatcher::cell(int r, int column) const
{
    return "A2." + timetableCellName(r, column);
}

int Dispatcher::knobPosition(int x) const
{
    return h.control(m_desk[x].knob).top() - h.control("A6.Blok").top();
}

char Dispatcher::lineOf(const QString &station) const
{
    for (int x = 0; x < 3; ++x)
        if (!station.isEmpty() && station == m_stations[x])
            return Lines[x];
    return 0;
}

bool Dispatcher::onTrack(const QString &number, int track) const
{
    return h.text(QStringLiteral("A1.Kolej%1").arg(track)) == number;
}

QString Dispatcher::describe() const
{
    static const char *const Phases[] = {"idle", "knob", "lock", "bell", "release", "wait", "unlock", "back"};
    QStringList out{h.clock()};
    for (int x = 0; x < 3; ++x) {
        const Route &r = m_routes[x];
        const LineDesk &d = m_desk[x];
        out << QStringLiteral("%1: %2 %3 %4 track %5, knob %6, fields %7/%8/%9, signalman %10 %11, line %12")
                   .arg(Lines[x])
                   .arg(Phases[r.phase])
                   .arg(r.entry ? "entry" : "exit")
                   .arg(r.train)
                   .arg(r.track)
                   .arg(knobPosition(x))
                   .arg(h.value(d.entryField))
                   .arg(h.value(d.lockField))
                   .arg(h.value(d.exitField))
                   .arg(h.timerEnabled(d.signalman) ? "on" : "off")
                   .arg(h.interval(d.signalman))
                   .arg(h.text(QStringLiteral("A1.Trat%1").arg(Lines[x])));
    }
    for (int track : TrackOrder)
        out << QStringLiteral("track %1: %2").arg(track).arg(h.text(QStringLiteral("A1.Kolej%1").arg(track)));
    for (const char *s : {"A1.C03", "A1.C06", "A1.C09", "A1.C34", "A1.C40", "A1.C43", "A1.C46", "A1.C37", "A1.C25"})
        out << QString::fromLatin1(s) + " " + h.text(QLatin1String(s));
    return out.join('\n');
}
