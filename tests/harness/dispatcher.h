/** @file dispatcher.h A scripted dispatcher who plays whole days through the harness, as a player does. */
#pragma once

#include "harness/harness.h"

#include <QColor>

#include <QString>
#include <QStringList>

#include <array>
#include <functional>
#include <map>
#include <vector>

/**
 * The station's dispatcher, played by a script. He works only what a
 * player works: the telephone (answering, accepting, offering, reporting
 * arrivals), the desk (track knobs, route locks, bells, release and
 * route-lock levers, the line blocks' buttons and consents) and the track
 * view (a click on a train that may leave). He reads what a player sees:
 * the timetable window's cells and colours, the calls on the desk, the
 * desk's block windows and lamps, the tracks' occupation. Both boxes are
 * left to their automatic signalmen.
 *
 * The careful dispatcher takes one step at a time: he lays an entry once
 * the neighbour has sent the train, offers a departure once its train
 * stands on its track and no train rolls in on that line, and takes a
 * route back only when the box has given the block back and let go of its
 * crank. The quick one acts wherever a player may: he lays the entry as
 * soon as he has accepted the train, offers a departure as soon as the
 * line is free, and takes a route back as soon as the desk lets him.
 *
 * Time runs at "1024" while nothing moves and at "1" while a signalman,
 * a crank or a train run works, as a player slows the game to watch.
 * Every control is found by its name once, when the dispatcher sits down
 * at a game's desk; a new game needs a new dispatcher.
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
        bool handedOver = false; ///< The next station has it: its arrival reported or its row let go.
        int track = 0;           ///< The track chosen for it.
    };

    /** How often the dispatcher did what only a quick player does. */
    struct Haste {
        int offersWhileRolling = 0; ///< Departures agreed on a line while a train rolled in on it.
        int earlyTakeBacks = 0;     ///< Routes taken back while the box's signalman was still at work.
    };

    explicit Dispatcher(Harness &h, Style style = Careful);

    /** Plays until the clock reads hour:minute or has just passed it (the clock's own hour, so 0:00 is the next midnight). */
    void playUntil(int hour, int minute);
    /** Plays n clock ticks. */
    void playTicks(int n);
    /** Tells a line's neighbour by telephone that the line goes over to telephone working ("Zavedení telefoniky"). */
    void introduceTelephoneWorking(char line);

    const std::map<QString, Train> &trains() const { return m_trains; }
    /** Everything said on the telephone, in order. */
    const QStringList &heard() const { return m_heard; }
    const Haste &haste() const { return m_haste; }
    /** @return what the desk's three lines and the tracks are doing, for a failure's message. */
    QString describe() const;

private:
    /** One route that a line's desk works: from setting its knob to taking it back. */
    struct Route {
        enum Phase { Idle, Knob, Lock, Bell, Release, Wait, Unlock, Back };
        Phase phase = Idle;
        bool entry = true;
        int track = 0;
        QString train;
    };
    /** One line's telephone, desk devices and block windows. */
    struct Line {
        char letter;
        QString knobName, lockName, bell, entryLever, exitLever, unlockLever, key;
        ui::Edit *call, *mode;
        ui::ComboBox *occupation;
        ui::SpinEdit *entryField, *exitField, *lockField;
        ui::Timer *signalman, *crank, *arrivalRun, *departureRun;
        ui::Control *knob, *lock;
        int neutral;   ///< Knob position that crosses no other line.
        int lockRest;  ///< The route lock's Left at rest, from the block instrument.
        int entryDx;   ///< Drag of the route lock for an entry (the exit is the other way).
    };
    /** The cells of one timetable row that the dispatcher reads. */
    struct Row {
        ui::Edit *number, *from, *odjS, *track, *odj, *to;
        QString label; ///< The row's train label on the telephone panel.
    };

    /** What the dispatcher looked at on the last tick: the same view again needs no new decision. */
    struct View {
        std::array<QString, 16> numbers;
        std::array<QRgb, 16> inbound{}, outbound{};
        std::array<bool, 16> inboundGone{}, outboundGone{};
        std::array<QString, 5> tracks;
        std::array<QString, 3> lines;
        std::array<int, 9> fields{};
        std::array<bool, 15> timers{};
        QRgb consentB = 0;
        bool lampsB[2] = {};
        int consentC[2] = {};
        bool operator==(const View &) const = default;
    };

    void bind();
    bool look();
    void bindLine(int x);
    void step();
    void setSpeed();
    bool busy() const;
    void slow();
    void answerCalls();
    QString call(char line, const QString &kind, int row);
    void scanRows();
    void scanRow(int r);
    void noteHandOvers();
    void reportArrivals();
    void offerDepartures();
    void prepareStarters();
    int stockFor(const Train &t, int r) const;
    bool mayOffer(const Train &t, int r) const;
    void dispatchTrains();
    void workLineBBlock();
    void workLineCBlock();
    bool wantsToLeave(char line) const;
    bool underBlock(char line) const;
    void workRoute(int x);
    void waitForTrain(int x);
    void startNextRoute(int x);
    bool chooseExit(int x);
    bool chooseEntry(int x);
    int freeTrackFor(const Train &t, int r) const;
    bool moveKnob(int x, int position);
    bool turnLock(int x, bool entry);
    bool lockTurned(int x) const;
    void trackBack(int x);
    void press(const QString &button);
    void hold(const QString &device, int ms);
    bool holdUntil(const QString &device, const std::function<bool()> &done, int limitMs);

    int rowOf(const QString &number) const;
    int knobPosition(int x) const;
    char lineOf(const QString &station) const;
    int trackOf(const QString &number) const;
    ui::ComboBox *trackCell(int track) const;

    Harness &h;
    Style m_style;
    std::array<Line, 3> m_lines;
    std::array<Route, 3> m_routes;
    std::array<Row, 16> m_rows;
    std::array<QString, 3> m_stations;
    std::array<ui::ComboBox *, 5> m_tracks{}; ///< Tracks 1, 3, 5, 7, 2.
    std::vector<ui::Timer *> m_workers;       ///< Timers whose work runs in real time.
    ui::Control *m_lampEV = nullptr, *m_lampVT = nullptr; ///< Line B's block lamps on the desk.
    View m_view;                              ///< What the last tick showed.
    bool m_acted = true;                      ///< Something was done since the last full look.
    ui::Edit *m_speed = nullptr;
    ui::Control *m_blok = nullptr;
    ui::Edit *m_consentB = nullptr;
    ui::SpinEdit *m_tsch = nullptr, *m_tsj = nullptr;
    bool m_consentAskedC = false; ///< Bell D rung for the line-C consent, not yet back.
    std::map<QString, Train> m_trains;
    QStringList m_heard;
    Haste m_haste;
};
