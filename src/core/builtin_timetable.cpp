/** @file builtin_timetable.cpp The built-in day: its trains fall due at their trigger minutes and take rows 1-9. */
#include "core/app.h"
#include "core/builtin_timetable_tables.h"
#include "core/core_handlers.h"
#include "core/form_a1.h"
#include "core/form_a2.h"
#include "platform/platform.h"
#include "ui/sim_error.h"

#include <algorithm>
#include <span>

namespace core {

static_assert(kBuiltinFastCount + kBuiltinPassengerCount == std::tuple_size_v<decltype(App::BuiltinTrainFlags)>,
              "one flag per built-in train");

namespace {

/** Flags of a built-in train: waiting for its trigger, due, placed. */
enum BuiltinFlag : quint8 { Waiting = 0, Due = 1, Placed = 2 };

/** @return the station text of line 'A', 'B' or 'C' as the state store holds it now. */
const QString &stationOf(const TA1 &a1, char line)
{
    switch (line) {
    case 'A': return a1.StaniceA1->text();
    case 'B': return a1.StaniceB1->text();
    case 'C': return a1.StaniceC1->text();
    default: throw ui::SimError(QStringLiteral("Neznámá trať '%1' vestavěného vlaku.").arg(QLatin1Char(line)));
    }
}

/** Writes a built-in train into a free row; the other cells, the colours and the pictures stay. */
void writeBuiltinTrain(const TA1 &a1, TimetableRow &row, const BuiltinTrain &train)
{
    row.trainNumber->setText(QLatin1String(train.number));
    row.comesFrom->setText(stationOf(a1, train.from));
    row.neighbourDeparture->setText(QLatin1String(train.neighbourDeparture));
    row.arrival->setText(QLatin1String(train.arrival));
    row.runningTimeFrom->setText(QLatin1String(train.runningTimeFrom));
    row.departure->setText(QLatin1String(train.departure));
    row.neighbourArrival->setText(QLatin1String(train.neighbourArrival));
    row.runningTimeTo->setText(QLatin1String(train.runningTimeTo));
    row.leavesFor->setText(stationOf(a1, train.to));
}

/** Offers row r the due trains of its list in list order; the row takes at most one. */
void fillBuiltinRow(App &app, int r)
{
    if (r < 1 || r > 9)
        throw ui::SimError(QStringLiteral("Řádek %1 jízdního řádu nepatří vestavěným vlakům.").arg(r));
    const bool fast = r <= 4;
    const std::span<const BuiltinTrain> list = fast ? std::span<const BuiltinTrain>(kBuiltinFastTrains)
                                                    : std::span<const BuiltinTrain>(kBuiltinPassengerTrains);
    const size_t firstFlag = fast ? 0 : kBuiltinFastCount;
    /* Mostly the row is taken or no train of the list is due: then there is nothing to look at. */
    TimetableRow &row = app.A2().row(r);
    if (!row.isFree())
        return;
    const quint8 *flags = app.BuiltinTrainFlags.data() + firstFlag;
    if (std::find(flags, flags + list.size(), quint8(Due)) == flags + list.size())
        return;
    for (size_t i = 0; i < list.size(); ++i) {
        quint8 &flag = app.BuiltinTrainFlags[firstFlag + i];
        if (flag != Due || !row.isFree())
            continue;
        flag = Placed;
        writeBuiltinTrain(app.A1(), row, list[i]);
    }
}

} // namespace

void MarkDueBuiltinTrains(App &app)
{
    const TA1 &a1 = app.A1();
    const QString clock = a1.Hodina->line(0) + QLatin1Char(':') + a1.Minuta->line(0);
    auto mark = [&](std::span<const BuiltinTrain> list, size_t firstFlag) {
        for (size_t i = 0; i < list.size(); ++i) {
            quint8 &flag = app.BuiltinTrainFlags[firstFlag + i];
            if (flag == Waiting && clock == QLatin1String(list[i].trigger))
                flag = Due;
        }
    };
    mark(kBuiltinFastTrains, 0);
    mark(kBuiltinPassengerTrains, kBuiltinFastCount);
}

bool BuiltinTrainsDue(const App &app)
{
    const auto &flags = app.BuiltinTrainFlags;
    return std::find(flags.begin(), flags.end(), quint8(Due)) != flags.end();
}

void PlaceBuiltinTrains(App &app, int row)
{
    try {
        fillBuiltinRow(app, row);
    } catch (...) {
        /* Built only on failure: the call runs nine times a tick. */
        app.platform().messages.show(QStringLiteral("Error A1H-ZV%1").arg(row));
        throw;
    }
}

} // namespace core
