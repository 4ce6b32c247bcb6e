/** @file line_cells.cpp Finds one line's cells and holds the small helpers that the line routines share. */
#include "traffic/line_cells.h"

#include "core/app.h"
#include "core/form_a1.h"
#include "core/form_a2.h"
#include "devices/form_a7.h"
#include "devices/form_a8.h"
#include "trackview/form_a5.h"
#include "ui/sim_error.h"

namespace traffic {

namespace {

/** Per-line names that differ between the lines. */
struct LinePlan {
    const char *chainStem;  ///< Preview images, with a .. j appended.
    const char *knob;       ///< The box's signal knob.
    int entryOffset;        ///< Knob Left in the entry position, from the reference image.
    int exitOffset;         ///< Knob Left in the exit position, from the reference image.
    const char *errorCode;  ///< The arrival run's failure code.
};
constexpr LinePlan Plans[3] = {{"VlakA", "NavB", 177, 192, "Error A1TAO"},
                               {"VlakB", "NavM", 562, 577, "Error A1TBO"},
                               {"VlakC", "NavCH", 1132, 1117, "Error A1TCO"}};

/** A box's preview chain and knob for one line, found by name once for each box form. */
struct BoxLookup {
    quint64 boxSerial = 0;                           ///< The box form they were found on; 0: none yet.
    std::array<ui::Image *, kTrainVehicles> chain{}; ///< Preview images a .. j.
    ui::Control *knob = nullptr;                     ///< The signal knob.
};

/**
 * @return line's chain and knob on box, looked up by name only when the
 * box is another form than last time: a box lives for a game, and its
 * controls stay for its life.
 */
const BoxLookup &boxLookup(int line, ui::Form &box)
{
    static std::array<BoxLookup, 3> found;
    BoxLookup &b = found[line];
    if (b.boxSerial == box.serial())
        return b;
    const LinePlan &plan = Plans[line];
    for (int k = 0; k < kTrainVehicles; ++k)
        b.chain[k] = dynamic_cast<ui::Image *>(box.find(plan.chainStem + QString(QChar('a' + k))));
    b.knob = box.find(plan.knob);
    b.boxSerial = box.serial();
    return b;
}

} // namespace

LineCells lineCells(App &app, int line, bool withBox)
{
    TA1 &a1 = app.A1();
    LineCells c;
    c.line = line;
    c.trat = a1.Trat(line);
    c.zprava = a1.Zprava(line);
    c.smer = a1.Smer(line);
    c.stav = a1.StavVlak(line);
    c.odjezd = a1.Odjezd(line);
    c.kolej = a1.KolejLine(line);
    const LinePlan &plan = Plans[line];
    c.errorCode = plan.errorCode;
    switch (line) {
    case LineA:
        c.stanice = a1.StaniceA1;
        c.kolejVlak = a1.KolejVlakA, c.kolejCislo = a1.KolejCisloA, c.kolejStav = a1.KolejStavA;
        c.vlakOd = a1.VlakAOd, c.timerOd = a1.TimerVlakAOd, c.vlakDo = a1.VlakADo, c.timerDo = a1.TimerVlakADo;
        c.entryWord = a1.C03, c.entryList = a1.C04, c.passedIn = a1.HrBOd, c.passedOut = a1.HrBDo;
        c.section = a1.IKA;
        break;
    case LineB:
        c.stanice = a1.StaniceB1;
        c.kolejVlak = a1.KolejVlakB, c.kolejCislo = a1.KolejCisloB, c.kolejStav = a1.KolejStavB;
        c.vlakOd = a1.VlakBOd, c.timerOd = a1.TimerVlakBOd, c.vlakDo = a1.VlakBDo, c.timerDo = a1.TimerVlakBDo;
        c.entryWord = a1.C06, c.entryList = a1.C07, c.passedIn = a1.HrMOd, c.passedOut = a1.HrMDo;
        c.section = a1.IKB;
        break;
    default:
        c.stanice = a1.StaniceC1;
        c.kolejVlak = a1.KolejVlakC, c.kolejCislo = a1.KolejCisloC, c.kolejStav = a1.KolejStavC;
        c.vlakOd = a1.VlakCOd, c.timerOd = a1.TimerVlakCOd, c.vlakDo = a1.VlakCDo, c.timerDo = a1.TimerVlakCDo;
        c.entryWord = a1.C09, c.entryList = a1.C10, c.passedIn = a1.HrCHOd, c.passedOut = a1.HrCHDo;
        break;
    }
    int reference = 0;
    if (line == LineC) {
        TA8 &a8 = app.A8();
        c.box = &a8;
        c.preview = a8.Nahled;
        reference = a8.I0->left();
    } else {
        TA7 &a7 = app.A7();
        c.box = &a7;
        c.preview = a7.Nahled;
        reference = a7.Ram->left();
    }
    if (!withBox)
        return c;
    const BoxLookup &found = boxLookup(line, *c.box);
    c.chain = found.chain;
    c.knob = found.knob;
    c.entryLeft = reference + plan.entryOffset;
    c.exitLeft = reference + plan.exitOffset;
    return c;
}

QString clockText(App &app, int k)
{
    return app.A1().Hodina->line(k) + ":" + app.A1().Minuta->line(k);
}

bool readsClockText(App &app, const QString &cell, int k)
{
    const QString &hour = app.A1().Hodina->line(k);
    const QString &minute = app.A1().Minuta->line(k);
    return cell.size() == hour.size() + 1 + minute.size() && cell.startsWith(hour) && cell[hour.size()] == u':' &&
           cell.endsWith(minute);
}

void forRowsNumbered(TA2 &a2, const QString &number, const std::function<void(TimetableRow &)> &fn)
{
    for (int r = 1; r <= kTimetableRows; ++r)
        if (a2.row(r).trainNumber->text() == number)
            fn(a2.row(r));
}

void shiftWord(ui::Edit *cell, const char *from, const char *to)
{
    if (cell->text() == QString::fromUtf8(from))
        cell->setText(QString::fromUtf8(to));
}

void playIf(App &app, ui::MediaPlayer *player, const ui::Form *shownOn)
{
    if (app.A1().Zvuky->checked() && (!shownOn || shownOn->visible()))
        player->play();
}

void ringAndSlowDown(App &app)
{
    TA1 &a1 = app.A1();
    if (a1.Zvuky->checked())
        a1.SndTelefon->play();
    if (a1.KodRychTel->checked() && a1.Rychlost->text() != QLatin1String("1"))
        a1.Rychlost->setText(QStringLiteral("1"));
}

int wholeNumber(const QString &text)
{
    bool ok = false;
    const int v = text.toInt(&ok);
    if (!ok)
        throw ui::SimError(QStringLiteral("'%1' is not a valid integer value").arg(text));
    return v;
}

TrackRow *stationTrack(App &app, int n)
{
    return app.A5().tracks.track(n);
}

ui::ComboBox *trackOccupation(App &app, int n)
{
    TA1 &a1 = app.A1();
    switch (n) {
    case 1: return a1.Kolej1;
    case 2: return a1.Kolej2;
    case 3: return a1.Kolej3;
    case 5: return a1.Kolej5;
    case 7: return a1.Kolej7;
    default: return nullptr;
    }
}

} // namespace traffic
