/** @file timetable_choice.cpp The main menu's timetable choice: a cycle through the timetable files and none. */
#include "core/app.h"
#include "core/form_a1.h"
#include "core/timetable_file.h"
#include "devices/form_a6.h"
#include "frame/form_a0.h"
#include "frame/frame_handlers.h"
#include "frame/menu_model.h"
#include "platform/czech_plural.h"
#include "platform/excerpt.h"
#include "platform/files.h"
#include "ui/sim_error.h"

namespace frame {

namespace {

const QString kNoTimetable = QStringLiteral("- žádný grafikon -");

/** The four forms of the line-A neighbour's name and whether the desk's Horní Lom picture shows. */
struct NeighbourNames {
    QString forms[4]; ///< Basic, "from", "at" and "to" forms.
    bool telLom;      ///< `A6.TelLom` shown.
};

const NeighbourNames kHorniLom{{QStringLiteral("Horní Lom"), QStringLiteral("z Lomu"), QStringLiteral("v Lomu"),
                                QStringLiteral("do Horního Lomu")},
                               true};
const NeighbourNames kDubec{{QStringLiteral("Dubec"), QStringLiteral("z Dubce"), QStringLiteral("v Dubci"),
                             QStringLiteral("do Dubce")},
                            false};

/** Everything a pick writes, read whole before anything is written. */
struct Pick {
    QString fileName;        ///< Entry of the cycle; empty for no timetable.
    QStringList lines;       ///< The timetable file's lines.
    QStringList vehicles;    ///< The vehicles file's lines.
    NeighbourNames names;    ///< Line-A names chosen by line 6.
};

/** @return the timetable folder of the data directory, listed afresh, so new files are offered. */
QStringList timetableFiles(App &app)
{
    TA0 &a0 = app.A0();
    a0.GVD1->setDirectory(platform::resolvePath(app.dataDir() + QStringLiteral("/Gvd")));
    a0.GVD2->setLines(a0.GVD1->items());
    return a0.GVD1->items();
}

/**
 * Reads a timetable file and its vehicles file.
 * @throws ui::SimError when either cannot be read or the file is no timetable.
 */
Pick readPick(App &app, const QString &fileName)
{
    Pick pick{fileName, {}, {}, kHorniLom};
    const QString dataDir = app.dataDir();
    pick.lines = platform::readTextLines1250(dataDir + QStringLiteral("/Gvd/") + fileName);
    if (pick.lines.size() < core::kFirstTrainLine)
        throw ui::SimError(QStringLiteral("Soubor %1 není grafikon: má %2, grafikon jich má nejméně %3.")
                               .arg(fileName,
                                    platform::czechCount(pick.lines.size(), QStringLiteral("řádek"),
                                                         QStringLiteral("řádky"), QStringLiteral("řádků")))
                               .arg(core::kFirstTrainLine));
    const QString vehiclesFile = pick.lines.at(5).trimmed();
    if (vehiclesFile.isEmpty())
        throw ui::SimError(QStringLiteral("Grafikon %1 neuvádí na řádku 5 seznam vozidel.").arg(fileName));
    pick.vehicles = platform::readTextLines1250(dataDir + QLatin1Char('/') + vehiclesFile);
    if (pick.lines.at(6) == QLatin1String("Dubec"))
        pick.names = kDubec;
    return pick;
}

/** Writes a pick, a file or none, into the menu, the state store, the desk and the arrays. */
void applyPick(App &app, const Pick &pick)
{
    TA0 &a0 = app.A0();
    TA1 &a1 = app.A1();
    a1.GrafikonDir->setText(pick.fileName);
    a1.Grafikon->setLines(pick.lines);
    /* The row shows a few dozen characters of the title; the caption keeps its first few hundred, so a
     * file whose first line is megabytes long is never laid out whole on each paint of the menu.
     * `A1.Grafikon` keeps the whole line. */
    a0.G6->setCaption(pick.fileName.isEmpty() ? kNoTimetable : platform::excerpt(pick.lines.at(0)));
    if (!pick.fileName.isEmpty())
        a0.Vozidla->setLines(pick.vehicles);
    ui::Edit *forms[4] = {a1.StaniceA1, a1.StaniceA2, a1.StaniceA3, a1.StaniceA4};
    for (int k = 0; k < 4; ++k)
        forms[k]->setText(pick.names.forms[k]);
    app.A6().TelLom->setVisible(pick.names.telLom);
    const size_t trains = pick.fileName.isEmpty() ? 0 : size_t(pick.lines.size() - core::kFirstTrainLine);
    app.TimetableTrainLines.resize(trains);
    app.TimetableTrainStates.resize(trains, 0);
}

/**
 * @return the entry after which the cycle goes on: the current pick, or
 *         the file whose pick failed at the last click, so that a bad file
 *         never blocks the ones after it. G6's tag holds 1 + the failed
 *         file's place in the working copy `A0.GVD2`, 0 for none.
 */
QString cyclePosition(App &app)
{
    TA0 &a0 = app.A0();
    const int failed = a0.G6->tag() - 1;
    a0.G6->setTag(0);
    if (failed >= 0 && failed < a0.GVD2->count())
        return a0.GVD2->line(failed);
    return app.A1().GrafikonDir->text();
}

void chooseNext(App &app)
{
    TA0 &a0 = app.A0();
    /* The choice lives only while the pointer is over it, and is locked while a game runs. */
    if (a0.G6->font().color != Blue || app.gameRunning)
        return;
    const QString position = cyclePosition(app);
    QStringList entries = timetableFiles(app);
    entries << QString();
    const int at = entries.indexOf(position);
    if (at < 0)
        return;
    const int next = (at + 1) % entries.size();
    const QString &fileName = entries.at(next);
    if (fileName.isEmpty()) {
        applyPick(app, Pick{QString(), {}, {}, kHorniLom});
        return;
    }
    try {
        /* Everything is read before anything is written: a bad file leaves the earlier pick whole. */
        applyPick(app, readPick(app, fileName));
    } catch (...) {
        a0.G6->setTag(next + 1);
        throw;
    }
}

} // namespace

void G6Click(App &app)
{
    ui::guarded(app.A0(), QStringLiteral("Error 00G6-A."), [&app] { chooseNext(app); });
}

} // namespace frame
