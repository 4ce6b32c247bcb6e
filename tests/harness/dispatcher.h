/** @file dispatcher.h A scripted dispatcher who plays whole days through the harness, as a player does. */
#pragma once

#include "harness/harness.h"

#include <QString>
#include <QStringList>

#include <array>
#include <map>

/**
 * The station's dispatcher, played by a script. He works only what a
 * player works: the telephone (answering, accepting, offering, reporting
 * arrivals), the desk (track knobs, route locks, bells, release levers and
 * the route-lock levers) and the track view (a click on a train that may
 * leave). He reads what a player sees: the timetable window's cells and
 * colours, the calls on the desk, the desk's block windows, the tracks'
 * occupation and the signals. Both boxes are left to their automatic
 * signalmen.
 *
 * The careful dispatcher takes one step at a time: he offers a departure
 * once its train stands on its track, and takes a route back only when
 * its train is gone and the box has given the block back. The quick one
 * acts wherever a player may: he offers as soon as a train is due, takes
 * the route back as soon as the desk lets him, and accepts whatever is
 * offered at once.
 *
 * Time runs at "1024" while nothing moves and at "1" while a signalman,
 * a crank or a train run works, as a player slows the game to watch.
 */
class Dispatcher {
public:
    enum Style { Careful, Quick };

    /** What became of one train, by its number. */
    struct Train {
        QString number;
        char from = 0;           ///< Line it came in by ('A', 'B', 'C'), 0 when it starts here.
        char to = 0;             ///< Line it leaves by, 0 when it ends here.
        bool passes = false;     ///< Its departure reads "pr.".
        bool offered = false;    ///< Offered by its neighbour, or by the dispatcher when it starts here.
        bool arrived = false;    ///< Arrived on its track, or passed through.
        bool departed = false;   ///< Its departure run started (or the hand-over of a pass).
        bool handedOver = false; ///< The next neighbour has it: its arrival there acknowledged.
        int track = 0;           ///< The track chosen for it.
    };

    Dispatcher(Harness &h, Style style = Careful);

    /** Switches lines B and C to telephone working, by telephone, as the player may at the start. */
    void takeTelephoneWorking();
    /** Plays until the clock reads hour:minute (the clock's own hour, so 0:00 is the next midnight). */
    void playUntil(int hour, int minute);
    /** Plays n clock ticks. */
    void playTicks(int n);

    const std::map<QString, Train> &trains() const { return m_trains; }
    /** @return what the desk's three lines are doing, for a failure's message. */
    QString describe() const;
    /** Everything the dispatcher heard on the telephone, in order. */
    const QStringList &heard() const { return m_heard; }

private:
    /** One route that a line's desk works: from setting its knob to taking it back. */
    struct Route {
        enum Phase { Idle, Knob, Lock, Bell, Release, Wait, Unlock, Back };
        Phase phase = Idle;
        bool entry = true;
        int track = 0;
        QString train;
    };
    /** The names of one line's desk devices and fields. */
    struct LineDesk {
        char line;
        QString knob, lock, bell, entryLever, exitLever, unlockLever;
        QString entryField, exitField, lockField, signalman;
        int neutral;   ///< Knob position that crosses no other line.
        int entryDx;   ///< Drag of the route lock for an entry (the exit is the other way).
    };

    void step();
    void setSpeed();
    bool busy() const;
    void answerCalls();
    QString call(char line, const QString &kind, int row);
    void scanRows();
    void scanRow(int r);
    void offerDepartures();
    void workLineBBlock();
    void workLineCBlock();
    bool wantsToLeave(char line) const;
    bool underBlock(char line) const;
    void press(const QString &button);
    void noteHandOvers();
    void reportArrivals();
    void dispatchTrains();
    void workLines();
    void workRoute(int x);
    void startNextRoute(int x);
    bool chooseEntry(int x);
    bool chooseExit(int x);
    int freeTrackFor(Train &t);
    bool moveKnob(int x, int position);
    bool turnLock(int x, bool entry);
    bool lockTurned(int x) const;
    void hold(const QString &device, int ms);
    bool holdUntil(const QString &device, const std::function<bool()> &done, int limitMs);
    void trackBack(int x);

    int rowOf(const QString &number) const;
    QString cell(int r, int column) const;
    int knobPosition(int x) const;
    char lineOf(const QString &station) const;
    bool onTrack(const QString &number, int track) const;

    Harness &h;
    Style m_style;
    std::array<LineDesk, 3> m_desk;
    std::array<Route, 3> m_routes;
    std::array<QString, 3> m_stations;
    std::map<QString, Train> m_trains;
    QStringList m_heard;
    QString m_speed;
};
