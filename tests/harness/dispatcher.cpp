/** @file dispatcher.cpp The scripted dispatcher: telephone, desk and track view, one clock tick at a time. */
#include "harness/dispatcher.h"

#include "core/form_a1.h"
#include "core/form_a2.h"

#include <QMap>

namespace {

const QColor White(255, 255, 255);
const QColor Red(255, 0, 0);
const QColor Yellow(255, 255, 0);
const QColor Orange(255, 128, 0);
const QColor Lime(0, 255, 0);
const QColor Aqua(0, 255, 255);
const QColor Fuchsia(255, 0, 255);

const QString Free = QStringLiteral("Volná");
const QString Block = QStringLiteral("Poloautoblok");

/** Columns of a timetable row, as `timetableCellName` counts them. */
enum Column { Cislo = 0, ZeSmeru = 1, OdjS = 2, K = 5, Odj = 6, Smer = 9 };

const char Letters[3] = {'A', 'B', 'C'};
/** Train labels of the telephone panel, one per timetable row. */
const char *const TrainLabels[16] = {"G7", "G8", "G9", "H0", "H1", "H2", "H3", "H4",
                                     "H5", "H6", "H7", "H8", "H9", "I0", "I1", "I2"};
/** Tracks each line's routes reach from the desk with its options unticked. */
const QList<int> Served[3] = {{1, 2, 3, 5, 7}, {1, 3, 5, 7}, {1, 2, 3, 5, 7}};
/** The order in which a track is looked for when the regular one is taken. */
const int TrackOrder[5] = {1, 3, 5, 7, 2};
/** Timers whose work runs in real time, beyond the lines' own. */
const char *const Cranks[] = {"A1.ZaverSt1", "A1.ZaverSt2", "A1.ZaverCH", "A1.ZaverDK"};

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

/** @return the train number at the end of a call's text: "Nabídka vlaku 2601" gives "2601". */
QString numberOf(const QString &message)
{
    return message.section(' ', -1);
}

} // namespace

Dispatcher::Dispatcher(Harness &harness, Style style) : h(harness), m_style(style)
{
    bind();
}

namespace {

/** The names that differ between the lines' desk devices, signalmen and cranks. */
struct LineNames {
    const char *desk, *field, *key, *signalman, *crank;
    int neutral, lockRest, entryDx;
};
const LineNames Names[3] = {{"A", "B", "A6.F0", "A1.SignalistaA", "A1.ZaverSt1", 836, 284, -30},
                            {"B", "M", "A6.F2", "A1.SignalistaB", "A1.ZaverSt1", 820, 669, -30},
                            {"C", "CH", "A6.F1", "A1.SignalistaC", "A1.ZaverSt2", 836, 977, 30}};

} // namespace

/** Finds every control the dispatcher reads, by its name, once for the game. */
void Dispatcher::bind()
{
    for (int x = 0; x < 3; ++x)
        bindLine(x);
    for (int r = 1; r <= 16; ++r) {
        auto cell = [&](int column) { return &h.as<ui::Edit>("A2." + timetableCellName(r, column)); };
        m_rows[r - 1] = {cell(Cislo), cell(ZeSmeru), cell(OdjS), cell(K), cell(Odj), cell(Smer),
                         QStringLiteral("A6.") + TrainLabels[r - 1]};
    }
    for (int i = 0; i < 5; ++i)
        m_tracks[i] = &h.as<ui::ComboBox>(QStringLiteral("A1.Kolej%1").arg(TrackOrder[i]));
    for (const char *c : Cranks)
        m_workers.push_back(&h.as<ui::Timer>(QLatin1String(c)));
    m_speed = &h.as<ui::Edit>("A1.Rychlost");
    m_blok = &h.control("A6.Blok");
    m_lampEV = &h.control("A6.EVM");
    m_lampVT = &h.control("A6.VTM");
    m_consentB = m_lines[1].mode;
    m_tsch = &h.as<ui::SpinEdit>("A1.TSCH");
    m_tsj = &h.as<ui::SpinEdit>("A1.TSJ");
}

void Dispatcher::bindLine(int x)
{
    const LineNames &n = Names[x];
    const QString d = QLatin1String(n.desk), f = QLatin1String(n.field);
    Line &l = m_lines[x];
    l.letter = Letters[x];
    l.knobName = "A6.Knoflik" + d;
    l.lockName = "A6.Zavernik" + d;
    l.bell = "A6.Zvonek" + d;
    l.entryLever = "A6.PakaNav" + f + "Od";
    l.exitLever = "A6.PakaNav" + f + "Do";
    l.unlockLever = "A6.PakaZav" + f;
    l.key = QLatin1String(n.key);
    l.call = &h.as<ui::Edit>("A1.Zprava" + d);
    l.mode = &h.as<ui::Edit>("A1.Smer" + d);
    l.occupation = &h.as<ui::ComboBox>("A1.Trat" + d);
    l.entryField = &h.as<ui::SpinEdit>("A1.Nav" + f + "Od");
    l.exitField = &h.as<ui::SpinEdit>("A1.Nav" + f + "Do");
    l.lockField = &h.as<ui::SpinEdit>("A1.Zav" + f);
    l.signalman = &h.as<ui::Timer>(QLatin1String(n.signalman));
    l.crank = &h.as<ui::Timer>(QLatin1String(n.crank));
    l.arrivalRun = &h.as<ui::Timer>("A1.TimerVlak" + d + "Od");
    l.departureRun = &h.as<ui::Timer>("A1.TimerVlak" + d + "Do");
    l.knob = &h.control(l.knobName);
    l.lock = &h.control(l.lockName);
    l.neutral = n.neutral;
    l.lockRest = n.lockRest;
    l.entryDx = n.entryDx;
    m_stations[x] = h.text("A1.Stanice" + d + "1");
    for (ui::Timer *t : {l.signalman, l.arrivalRun, l.departureRun})
        m_workers.push_back(t);
}

void Dispatcher::playUntil(int hour, int minute)
{
    constexpr int kDay = 24 * 60 * 60;
    const int until = (hour * 60 + minute) * 60;
    /* Seconds since the clock last read hour:minute:00; they grow until the
       clock comes round to it again. A step that jumps the clock several
       minutes (a change of speed) may skip the minute itself: then the count
       falls, and the play stops there rather than a day later. */
    const auto since = [&] {
        const QStringList hms = h.clock().split(QLatin1Char(':'));
        const int now = hms.value(0).toInt() * 3600 + hms.value(1).toInt() * 60 + hms.value(2).toInt();
        return (now - until + kDay) % kDay;
    };
    /* Before the game's first tick the desk shows no time of the game; the
       jump from that reading to the start time is no time played. */
    const auto gameTimeShown = [&] {
        const auto &seen = h.app().A1().seenMinute;
        return seen.seen && seen.gameRunning;
    };
    while (h.app().gameRunning && !gameTimeShown())
        step();
    for (int before = since(); before >= 60;) {
        step();
        const int after = since();
        if (after < before)
            break;
        before = after;
    }
}

void Dispatcher::playTicks(int n)
{
    for (int i = 0; i < n; ++i)
        step();
}

void Dispatcher::introduceTelephoneWorking(char line)
{
    call(line, QStringLiteral("Zavedení telefoniky"), 0);
}

/** One clock tick, then whatever the dispatcher sees to do. */
void Dispatcher::step()
{
    setSpeed();
    h.ticks(1);
    answerCalls();
    dispatchTrains();
    /* The same view as on the last tick, after a tick that did nothing, asks for nothing new. */
    if (!look() && !m_acted)
        return;
    m_acted = false;
    scanRows();
    noteHandOvers();
    reportArrivals();
    prepareStarters();
    offerDepartures();
    workLineBBlock();
    workLineCBlock();
    for (int x = 0; x < 3; ++x)
        workRoute(x);
    for (const Route &r : m_routes)
        if (r.phase != Route::Idle && r.phase != Route::Wait)
            m_acted = true;
}

/** Takes in what the timetable, the tracks, the lines and the desk show. @return whether it changed. */
bool Dispatcher::look()
{
    View v;
    for (int i = 0; i < 16; ++i) {
        const Row &row = m_rows[i];
        v.numbers[i] = row.number->text();
        if (v.numbers[i].isEmpty())
            continue;
        v.inbound[i] = row.odjS->color().rgb();
        v.outbound[i] = row.odj->color().rgb();
        v.inboundGone[i] = row.from->text().isEmpty();
        v.outboundGone[i] = row.odj->text().isEmpty();
    }
    for (int i = 0; i < 5; ++i)
        v.tracks[i] = m_tracks[i]->text();
    for (int x = 0; x < 3; ++x) {
        const Line &l = m_lines[x];
        v.lines[x] = l.occupation->text();
        v.fields[3 * x] = l.entryField->value();
        v.fields[3 * x + 1] = l.exitField->value();
        v.fields[3 * x + 2] = l.lockField->value();
    }
    for (size_t i = 0; i < m_workers.size() && i < v.timers.size(); ++i)
        v.timers[i] = m_workers[i]->enabledFlag();
    v.consentB = m_consentB->color().rgb();
    v.lampsB[0] = m_lampEV->visible();
    v.lampsB[1] = m_lampVT->visible();
    v.consentC[0] = m_tsch->value();
    v.consentC[1] = m_tsj->value();
    if (v == m_view)
        return false;
    m_view = std::move(v);
    return true;
}

/** Slows the game to real time while something moves, and lets it fly while nothing does. */
void Dispatcher::setSpeed()
{
    const QString wanted = busy() ? QStringLiteral("1") : QStringLiteral("1024");
    if (m_speed->text() != wanted)
        h.type("A1.Rychlost", wanted);
}

bool Dispatcher::busy() const
{
    for (const Route &r : m_routes)
        if (r.phase != Route::Idle && r.phase != Route::Wait)
            return true;
    for (const ui::Timer *t : m_workers)
        if (t->enabledFlag())
            return true;
    return false;
}

/** Real time for what the hand does on the desk. */
void Dispatcher::slow()
{
    if (m_speed->text() != QStringLiteral("1"))
        h.type("A1.Rychlost", QStringLiteral("1"));
}

/** Answers every ringing line: an offer is accepted, a notice acknowledged; then the line is released. */
void Dispatcher::answerCalls()
{
    for (const Line &l : m_lines) {
        if (l.call->color() != Red)
            continue;
        const QString message = l.call->text();
        m_heard << message;
        Train &t = m_trains[numberOf(message)];
        if (message.startsWith(QStringLiteral("Nabídka vlaku")) || message.startsWith(QStringLiteral("Předvídaný")))
            t.offered = true;
        if (message.startsWith(QStringLiteral("Telefonická odhláška")))
            t.handedOver = true;
        m_acted = true;
        h.click(l.key);
        if (h.visible("A6.I4"))
            h.click("A6.I4");
        else if (h.visible("A6.I6"))
            h.click("A6.I6");
        h.click(l.key);
    }
}

/**
 * Calls the neighbour of a line and says a kind about the train of row r
 * (none for r = 0). @return the neighbour's reply.
 */
QString Dispatcher::call(char line, const QString &kind, int r)
{
    const QString &key = m_lines[line - 'A'].key;
    m_acted = true;
    h.click("A6.E1");
    h.click(key);
    h.press("A6.E2", 5, 5);
    h.release(5, 5);
    for (int i = 0; i < 20 && !h.enabled("A6.G2"); ++i)
        h.ticks(1);
    const int kindRow = h.as<ui::ListBox>("A6.G2").items().indexOf(kind);
    if (kindRow >= 0) {
        h.clickRow("A6.G2", kindRow);
        if (r > 0)
            h.click(m_rows[r - 1].label);
        h.click("A6.G5");
    }
    const QString reply = h.lines("A6.G1").value(2);
    h.click(key);
    h.click("A6.G6");
    m_heard << kind + (r > 0 ? " " + m_rows[r - 1].number->text() : QString()) + ": " + reply;
    return reply;
}

void Dispatcher::scanRows()
{
    for (int r = 1; r <= 16; ++r)
        if (!m_rows[r - 1].number->text().isEmpty())
            scanRow(r);
}

/** Notes what the row of a train shows: where it comes from and goes, and how far it got. */
void Dispatcher::scanRow(int r)
{
    const Row &row = m_rows[r - 1];
    Train &t = m_trains[row.number->text()];
    if (t.number.isEmpty()) {
        t.number = row.number->text();
        t.from = lineOf(row.from->text());
        t.to = lineOf(row.to->text());
        t.passes = row.odj->text() == QStringLiteral("pr.");
        t.offered = t.offered || !t.from;
    }
    if (t.from && (row.odjS->color() == Fuchsia || row.from->text().isEmpty()))
        t.arrived = true;
    const QColor odj = row.odj->color();
    if (t.to && (odj == Lime || odj == Fuchsia))
        t.departed = true;
}

/** A train whose row let go of its departure (or went) has been taken over by the next station. */
void Dispatcher::noteHandOvers()
{
    for (auto &[number, t] : m_trains) {
        const bool inbound = t.from && !t.arrived, outbound = t.departed && !t.handedOver;
        if (t.number.isEmpty() || (!inbound && !outbound))
            continue;
        /* A row that let go of its inbound half (or went) saw its train in. */
        const int r = rowOf(number);
        if (inbound && (r == 0 || m_rows[r - 1].from->text().isEmpty()))
            t.arrived = true;
        if (outbound && (r == 0 || m_rows[r - 1].odj->text().isEmpty()))
            t.handedOver = true;
    }
}

/** Reports by telephone every train that has arrived complete on a line under telephone working. */
void Dispatcher::reportArrivals()
{
    for (int r = 1; r <= 16; ++r) {
        const Row &row = m_rows[r - 1];
        if (row.number->text().isEmpty() || row.odjS->color() != Fuchsia)
            continue;
        const char from = m_trains[row.number->text()].from;
        if (from && !underBlock(from) && m_lines[from - 'A'].occupation->text() == row.number->text())
            call(from, QStringLiteral("Telefonická odhláška"), r);
    }
}

/** Offers the next station every train due to leave, once its line is free. */
void Dispatcher::offerDepartures()
{
    for (int r = 1; r <= 16; ++r) {
        const Row &row = m_rows[r - 1];
        if (row.number->text().isEmpty() || row.odj->color() != Orange)
            continue;
        const Train &t = m_trains[row.number->text()];
        if (!t.to || m_lines[t.to - 'A'].occupation->text() != Free || !mayOffer(t, r))
            continue;
        if (m_lines[t.to - 'A'].arrivalRun->enabledFlag())
            ++m_haste.offersWhileRolling;
        call(t.to, underBlock(t.to) ? QStringLiteral("Předvídaný odjezd") : QStringLiteral("Nabídka vlaku"), r);
    }
}

/**
 * The quick dispatcher offers whatever is due; the careful one a train
 * standing on its track (a passing one once its neighbour has sent it),
 * and never while a train rolls in on the line it is to leave by.
 */
bool Dispatcher::mayOffer(const Train &t, int r) const
{
    if (!t.from && !trackOf(t.number))
        return false; // nothing stands ready to be this train
    if (m_style == Quick)
        return true;
    if (m_lines[t.to - 'A'].arrivalRun->enabledFlag())
        return false;
    if (t.passes)
        return t.arrived || m_rows[r - 1].odjS->color() == Lime;
    return !t.from || t.arrived;
}

/**
 * A train that starts here is made of the stock of a train that ended
 * here: once it is due, the track's train is renumbered on the track
 * view's train panel (its regular track preferred).
 */
void Dispatcher::prepareStarters()
{
    static const QMap<int, QString> Labels{{2, "A5.PA01"}, {1, "A5.PA02"}, {3, "A5.PA03"}, {5, "A5.PA04"}, {7, "A5.PA05"}};
    for (int r = 1; r <= 16; ++r) {
        const Row &row = m_rows[r - 1];
        if (row.number->text().isEmpty() || row.odj->color() != Orange)
            continue;
        Train &t = m_trains[row.number->text()];
        if (t.from || !t.to || trackOf(t.number))
            continue;
        const int track = stockFor(t, r);
        if (!track)
            continue;
        m_acted = true;
        h.click(Labels[track]);
        h.click("A5.PA11");
        h.type("A5.PA12", t.number);
        h.click("A5.PA11");
        t.track = track;
    }
}

/**
 * @return the track of a train that ended here and is nothing else yet: the
 *         regular track when the timetable names one, else any; or 0.
 */
int Dispatcher::stockFor(const Train &t, int r) const
{
    QList<int> order{m_rows[r - 1].track->text().toInt()};
    if (!trackCell(order.front()))
        order = QList<int>(std::begin(TrackOrder), std::end(TrackOrder));
    for (int track : order) {
        ui::ComboBox *occupation = trackCell(track);
        if (!occupation || !Served[t.to - 'A'].contains(track))
            continue;
        const auto ended = m_trains.find(occupation->text());
        if (ended != m_trains.end() && ended->second.from && !ended->second.to && rowOf(ended->first) == 0)
            return track;
    }
    return 0;
}

/** Clicks every train that may leave on the track view; the track view starts it if its way is clear. */
void Dispatcher::dispatchTrains()
{
    for (const Row &row : m_rows) {
        if (row.number->text().isEmpty() || row.odj->color() != Aqua)
            continue;
        if (const int track = trackOf(row.number->text()))
            h.click(QStringLiteral("A5.%1%2").arg(slotLetter(track)).arg(9));
    }
}

bool Dispatcher::underBlock(char line) const
{
    return m_lines[line - 'A'].mode->text() == Block;
}

/** @return whether a train agreed to leave by the line waits for it. */
bool Dispatcher::wantsToLeave(char line) const
{
    for (const Row &row : m_rows) {
        if (row.number->text().isEmpty() || row.to->text() != m_stations[line - 'A'])
            continue;
        const QColor odj = row.odj->color();
        if (odj == Yellow || odj == Aqua)
            return true;
    }
    return false;
}

/**
 * Line B's consent and lamps: the consent given when Struhy asks for it,
 * the arrival report (ODHL) once a train from Struhy is in, which lights
 * VT, and the consent asked back (ZS) once VT is lit, when a train of this
 * station is agreed to leave. Box 1 clears no exit towards Struhy until PS
 * and VT are lit, under telephone working too, so the report and the
 * request are made in either way of working.
 */
void Dispatcher::workLineBBlock()
{
    const QColor consent = m_consentB->color();
    if (consent == Yellow)
        press("A6.TSM");
    if (m_lampEV->visible())
        press("A6.ODHLM");
    if (consent == Red && m_lampVT->visible() && wantsToLeave('B'))
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
    const QString &onLine = m_lines[2].occupation->text();
    const auto it = m_trains.find(onLine);
    const bool inbound = it != m_trains.end() && it->second.from == 'C' && !it->second.arrived;
    if (inbound && m_tsj->value() < 6 && m_tsch->value() == 1)
        holdUntil("A6.PakaTSCH", [&] { return m_tsj->value() == 6; }, 3000);
    if (m_tsch->value() == 1)
        m_consentAskedC = false;
    if (!inbound && wantsToLeave('C') && m_tsch->value() != 1 && !m_consentAskedC) {
        hold("A6.ZvonekD", 550);
        m_consentAskedC = true;
    }
}

/** Takes one line's route a step on: knob, lock, bell, release, the train, the route taken back. */
void Dispatcher::workRoute(int x)
{
    Route &route = m_routes[x];
    const Line &l = m_lines[x];
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
        hold(l.bell, 550);
        route.phase = Route::Release;
        return;
    case Route::Release: {
        ui::SpinEdit *field = route.entry ? l.entryField : l.exitField;
        if (holdUntil(route.entry ? l.entryLever : l.exitLever, [field] { return field->value() == 5; }, 3000))
            route.phase = Route::Wait;
        return;
    }
    case Route::Wait:
        waitForTrain(x);
        return;
    case Route::Unlock:
        if (holdUntil(l.unlockLever, [&l] { return l.lockField->value() == 1; }, 4000))
            route.phase = Route::Back;
        return;
    case Route::Back:
        trackBack(x);
        return;
    }
}

/**
 * The route waits for its train to pass and the box to give the block
 * back; the careful dispatcher also waits until the box has let go of its
 * crank and (box 1) its signalman has finished.
 */
void Dispatcher::waitForTrain(int x)
{
    Route &route = m_routes[x];
    const Line &l = m_lines[x];
    const Train &t = m_trains[route.train];
    const bool gone = route.entry ? t.arrived : t.departed;
    if (!gone || (route.entry ? l.entryField : l.exitField)->value() != 1)
        return;
    if (m_style == Careful && (l.crank->enabledFlag() || (x < 2 && l.signalman->enabledFlag())))
        return;
    if (l.signalman->enabledFlag() && l.signalman->interval() != 1001)
        ++m_haste.earlyTakeBacks;
    route.phase = Route::Unlock;
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
        if (t.to != Letters[x] || t.departed || !t.track)
            continue;
        const int r = rowOf(number);
        if (r == 0)
            continue;
        const QColor odj = m_rows[r - 1].odj->color();
        if (odj != Yellow && odj != Aqua)
            continue;
        const bool standing = trackOf(number) == t.track;
        /* A passing train gets its exit once its entry is laid, before it comes. */
        const bool coming = t.passes && !t.arrived && m_routes[t.from - 'A'].train == number &&
                            m_routes[t.from - 'A'].phase == Route::Wait;
        if (!standing && !coming)
            continue;
        m_routes[x] = {Route::Idle, false, t.track, number};
        return true;
    }
    return false;
}

bool Dispatcher::chooseEntry(int x)
{
    for (auto &[number, t] : m_trains) {
        if (t.from != Letters[x] || t.arrived)
            continue;
        const int r = rowOf(number);
        if (r == 0)
            continue;
        const QColor odjS = m_rows[r - 1].odjS->color();
        if (odjS != Lime && (odjS != Yellow || m_style == Careful))
            continue;
        if (!t.track)
            t.track = freeTrackFor(t, r);
        if (!t.track)
            continue;
        m_routes[x] = {Route::Idle, true, t.track, number};
        return true;
    }
    return false;
}

/** @return a station track for a train: its regular one if free, else the first free one both its lines reach. */
int Dispatcher::freeTrackFor(const Train &t, int r) const
{
    QList<int> order{m_rows[r - 1].track->text().toInt()};
    for (int track : TrackOrder)
        order << track;
    for (int track : order) {
        if (!trackCell(track))
            continue;
        if ((t.from && !Served[t.from - 'A'].contains(track)) || (t.to && !Served[t.to - 'A'].contains(track)))
            continue;
        if (trackCell(track)->text() != Free)
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
    for (int i = 0; i < 20; ++i) {
        const int before = knobPosition(x);
        if (before == position)
            return true;
        const int dy = position > before ? 5 : -5;
        h.drag(m_lines[x].knobName, {5, 20}, {5, 20 + dy});
        if (knobPosition(x) == before)
            return false;
    }
    return knobPosition(x) == position;
}

/** Turns the line's route lock for an entry or an exit. @return whether it turned. */
bool Dispatcher::turnLock(int x, bool entry)
{
    const int dx = entry ? m_lines[x].entryDx : -m_lines[x].entryDx;
    h.drag(m_lines[x].lockName, {10, 20}, {10 + dx, 20});
    return lockTurned(x);
}

bool Dispatcher::lockTurned(int x) const
{
    return m_lines[x].lock->left() - m_blok->left() != m_lines[x].lockRest;
}

/** Turns the route lock back to rest and the knob to where it crosses no other line. */
void Dispatcher::trackBack(int x)
{
    Route &route = m_routes[x];
    if (lockTurned(x))
        turnLock(x, !route.entry);
    if (lockTurned(x))
        return;
    moveKnob(x, m_lines[x].neutral);
    route = Route();
}

/** Presses and releases a desk button. */
void Dispatcher::press(const QString &button)
{
    m_acted = true;
    h.press(button, 3, 3);
    h.release(3, 3);
}

void Dispatcher::hold(const QString &device, int ms)
{
    m_acted = true;
    slow();
    h.press(device, 5, 5);
    h.advanceMs(ms);
    h.release(5, 5);
}

/** Holds a device down until the condition holds, 50 ms a look. @return whether it held. */
bool Dispatcher::holdUntil(const QString &device, const std::function<bool()> &done, int limitMs)
{
    m_acted = true;
    slow();
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
        if (m_rows[r - 1].number->text() == number)
            return r;
    return 0;
}

int Dispatcher::knobPosition(int x) const
{
    return m_lines[x].knob->top() - m_blok->top();
}

char Dispatcher::lineOf(const QString &station) const
{
    for (int x = 0; x < 3; ++x)
        if (!station.isEmpty() && station == m_stations[x])
            return Letters[x];
    return 0;
}

/** @return the track the train stands on, or 0. */
int Dispatcher::trackOf(const QString &number) const
{
    for (int i = 0; i < 5; ++i)
        if (m_tracks[i]->text() == number)
            return TrackOrder[i];
    return 0;
}

ui::ComboBox *Dispatcher::trackCell(int track) const
{
    for (int i = 0; i < 5; ++i)
        if (TrackOrder[i] == track)
            return m_tracks[i];
    return nullptr;
}

QString Dispatcher::describe() const
{
    static const char *const Phases[] = {"idle", "knob", "lock", "bell", "release", "wait", "unlock", "back"};
    QStringList out{h.clock()};
    for (int x = 0; x < 3; ++x) {
        const Route &r = m_routes[x];
        const Line &l = m_lines[x];
        out << QStringLiteral("%1: %2 %3 %4 track %5, knob %6, fields %7/%8/%9, signalman %10 %11, line %12")
                   .arg(l.letter)
                   .arg(Phases[r.phase], r.entry ? "entry" : "exit", r.train)
                   .arg(r.track)
                   .arg(knobPosition(x))
                   .arg(l.entryField->value())
                   .arg(l.lockField->value())
                   .arg(l.exitField->value())
                   .arg(l.signalman->enabledFlag() ? "on" : "off")
                   .arg(l.signalman->interval())
                   .arg(l.occupation->text());
    }
    for (int i = 0; i < 5; ++i)
        out << QStringLiteral("track %1: %2").arg(TrackOrder[i]).arg(m_tracks[i]->text());
    return out.join('\n');
}
