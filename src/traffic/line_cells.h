/** @file line_cells.h The cells of one line's record and of its train runs, gathered for the routines of the lines. */
#pragma once

#include "ui/controls.h"

#include <array>

class App;
class TA2;
struct TimetableRow;
struct TrackRow;

namespace traffic {

/** Lines by index. */
enum Line : int { LineA = 0, LineB = 1, LineC = 2 };

/** Vehicles of a train on a preview panel or a track. */
inline constexpr int kTrainVehicles = 10;

/**
 * One line's cells, taken from the current forms for each use so that
 * forms created anew at a game's end are the ones used. Lines A and B run from the left of
 * the track view (signal box 1), line C from the right (signal box 2).
 */
struct LineCells {
    int line = LineA;
    /* The line record. */
    ui::ComboBox *trat = nullptr;     ///< `TratX`: "Volná" or the train's number.
    ui::Edit *zprava = nullptr;       ///< `ZpravaX`: the neighbour's message; colour = call state.
    ui::Edit *smer = nullptr;         ///< `SmerX`: "Telefonika" or "Poloautoblok".
    ui::SpinEdit *stav = nullptr;     ///< `StavVlakX`: the train's count; colour = lime inbound, aqua outbound.
    ui::SpinEdit *odjezd = nullptr;   ///< `OdjezdX`: ticks until the neighbour sends the accepted train.
    ui::Edit *stanice = nullptr;      ///< `StaniceX1`: the neighbour's name.
    ui::SpinEdit *kolej = nullptr;    ///< `KolejX`: station track the line's route is laid to.
    /* The arrival run. */
    ui::SpinEdit *kolejVlak = nullptr;  ///< `KolejVlakX`: the run's track.
    ui::ComboBox *kolejCislo = nullptr; ///< `KolejCisloX`: the arriving train's number.
    ui::SpinEdit *kolejStav = nullptr;  ///< `KolejStavX`: phase 3, 2, 1, 0.
    ui::SpinEdit *vlakOd = nullptr;     ///< `VlakXOd`: arrival speed.
    ui::Timer *timerOd = nullptr;       ///< `TimerVlakXOd`.
    /* The departure run. */
    ui::SpinEdit *vlakDo = nullptr;   ///< `VlakXDo`: departure speed.
    ui::Timer *timerDo = nullptr;     ///< `TimerVlakXDo`.
    /* Signalling and the box. */
    ui::Edit *entryWord = nullptr;     ///< Entry signal's aspect word (`C03`, `C06`, `C09`).
    ui::ListBox *entryList = nullptr;  ///< Entry signal's aspect list (`C04`, `C07`, `C10`).
    ui::SpinEdit *passedIn = nullptr;  ///< Box field of a train passed in (`HrBOd`, `HrMOd`, `HrCHOd`).
    ui::SpinEdit *passedOut = nullptr; ///< Box field of a train passed out (`HrBDo`, `HrMDo`, `HrCHDo`).
    ui::Edit *section = nullptr;       ///< Line section `IKA`, `IKB`; null on line C (track circuits).
    ui::Form *box = nullptr;           ///< The signal box of the line: A7 or A8.
    ui::Control *preview = nullptr;    ///< The box's preview panel `Nahled`.
    std::array<ui::Image *, kTrainVehicles> chain{}; ///< Preview images a .. j (`VlakXa` .. `VlakXj`).
    ui::Control *knob = nullptr;       ///< The box's signal knob (`A7.NavB`, `A7.NavM`, `A8.NavCH`).
    const ui::Control *knobOrigin = nullptr; ///< The box's control the knob's positions are measured from.
    int entryOffset = 0;               ///< The knob's Left in its entry position, from knobOrigin's.
    int exitOffset = 0;                ///< The knob's Left in its exit position, from knobOrigin's.
    QString errorCode;                 ///< Arrival run's failure code ("Error A1TAO" ...), made when gathered.

    /** @return whether the knob stands in its entry position (measured now: the box's layout may move it). */
    bool knobAtEntry() const { return knob && knob->left() == knobOrigin->left() + entryOffset; }
    /** @return whether the knob stands in its exit position. */
    bool knobAtExit() const { return knob && knob->left() == knobOrigin->left() + exitOffset; }
};

/**
 * @return the cells of line `line` (LineA .. LineC). The box's preview
 * chain and knob are given only when `withBox` is set: the per-tick
 * routines of the line record do without them. The cells are gathered
 * once for each pair of forms A1 and box (the box's by name) and kept;
 * the reference holds until the forms are made anew.
 */
const LineCells &lineCells(App &app, int line, bool withBox = true);

/** @return the now + k minutes clock text, "H:MM", from line k of `A1.Hodina` and `A1.Minuta`. */
QString clockText(App &app, int k);

/** @return whether a cell's text reads the now + k minutes clock text, without building that text. */
bool readsClockText(App &app, const QString &cell, int k);

/**
 * The now + k minutes clock, read once for many cells: the hour and minute
 * lines k, read at the first cell asked about (so a clock without line k
 * fails only where a cell is asked about, as it always did).
 */
class ClockLine {
public:
    ClockLine(App &app, int k);
    /** @return whether a cell's text reads this clock's "H:MM", without building it. */
    bool readBy(const QString &cell) const
    {
        if (!m_hour) {
            m_hour = &m_hours.line(m_k);
            m_minute = &m_minutes.line(m_k);
        }
        const QString &hour = *m_hour;
        return cell.size() == hour.size() + 1 + m_minute->size() && cell.startsWith(hour) &&
               cell[hour.size()] == u':' && cell.endsWith(*m_minute);
    }

private:
    const ui::Memo &m_hours;                  ///< `A1.Hodina`.
    const ui::Memo &m_minutes;                ///< `A1.Minuta`.
    int m_k;                                  ///< The line read.
    mutable const QString *m_hour = nullptr;  ///< Line k of the hours, once read.
    mutable const QString *m_minute = nullptr; ///< Line k of the minutes, once read.
};

/** Calls fn for every timetable row whose number cell reads `number` exactly. */
void forRowsNumbered(TA2 &a2, const QString &number, const std::function<void(TimetableRow &)> &fn);

/** Writes `to` into a word cell that reads `from`; any other word stays. */
void shiftWord(ui::Edit *cell, QStringView from, QStringView to);

/** Plays a sound while sounds are on and, when `shownOn` is given, while that window is shown. */
void playIf(App &app, ui::MediaPlayer *player, const ui::Form *shownOn);

/** Rings the telephone (sounds on) and slows the clock to real time (option on). */
void ringAndSlowDown(App &app);

/**
 * Reads a cell's text as a whole number, as the game's number conversions do.
 * @throws ui::SimError "'<text>' is not a valid integer value" when it is none.
 */
int wholeNumber(const QString &text);

/** @return the track view's row of station track n, or null when n names none of 1, 2, 3, 5, 7. */
TrackRow *stationTrack(App &app, int n);

/** @return the store's occupation cell of station track n (`A1.Kolej1` ...), or null. */
ui::ComboBox *trackOccupation(App &app, int n);

} // namespace traffic
