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

/** The cells of line A1's record and of the runs, by line. */
void gatherRecord(TA1 &a1, int line, LineCells &c)
{
    c.line = line;
    c.trat = a1.Trat(line);
    c.zprava = a1.Zprava(line);
    c.smer = a1.Smer(line);
    c.stav = a1.StavVlak(line);
    c.odjezd = a1.Odjezd(line);
    c.kolej = a1.KolejLine(line);
    c.errorCode = QString::fromLatin1(Plans[line].errorCode);
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
}

/** One line's cells as gathered from a pair of forms A1 and box. */
struct GatheredLine {
    quint64 a1Serial = 0;  ///< The A1 they were gathered from; 0: none yet.
    quint64 boxSerial = 0; ///< The box form they were gathered from.
    LineCells withBox;     ///< All of them.
    LineCells record;      ///< The same without the box's chain and knob.
};

/**
 * @return line's cells, gathered (the box's by name) only when A1 or the
 * box is another form than last time: the forms live for a game and keep
 * their controls for their life.
 */
const GatheredLine &gathered(App &app, int line)
{
    static std::array<GatheredLine, 3> lines;
    GatheredLine &g = lines[line];
    TA1 &a1 = app.A1();
    ui::Form &box = line == LineC ? static_cast<ui::Form &>(app.A8()) : static_cast<ui::Form &>(app.A7());
    if (g.a1Serial == a1.serial() && g.boxSerial == box.serial())
        return g;
    LineCells c;
    gatherRecord(a1, line, c);
    const LinePlan &plan = Plans[line];
    c.box = &box;
    c.preview = line == LineC ? app.A8().Nahled : app.A7().Nahled;
    g.record = c;
    for (int k = 0; k < kTrainVehicles; ++k)
        c.chain[k] = dynamic_cast<ui::Image *>(box.find(plan.chainStem + QString(QChar('a' + k))));
    c.knob = box.find(plan.knob);
    c.knobOrigin = line == LineC ? static_cast<ui::Control *>(app.A8().I0) : app.A7().Ram;
    c.entryOffset = plan.entryOffset;
    c.exitOffset = plan.exitOffset;
    g.withBox = c;
    g.a1Serial = a1.serial();
    g.boxSerial = box.serial();
    return g;
}

} // namespace

const LineCells &lineCells(App &app, int line, bool withBox)
{
    const GatheredLine &g = gathered(app, line);
    return withBox ? g.withBox : g.record;
}

QString clockText(App &app, int k)
{
    return app.A1().Hodina->line(k) + ":" + app.A1().Minuta->line(k);
}

ClockLine::ClockLine(App &app, int k) : m_hours(*app.A1().Hodina), m_minutes(*app.A1().Minuta), m_k(k) {}

bool readsClockText(App &app, const QString &cell, int k)
{
    return ClockLine(app, k).readBy(cell);
}

void forRowsNumbered(TA2 &a2, const QString &number, const std::function<void(TimetableRow &)> &fn)
{
    for (int r = 1; r <= kTimetableRows; ++r)
        if (a2.row(r).trainNumber->text() == number)
            fn(a2.row(r));
}

void shiftWord(ui::Edit *cell, QStringView from, QStringView to)
{
    if (cell->text() == from)
        cell->setText(to.toString());
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
