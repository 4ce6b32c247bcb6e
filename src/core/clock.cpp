/** @file clock.cpp The clock tick: speed, time, clock labels, shading and the per-tick work in its fixed order. */
#include "core/app.h"
#include "core/core_handlers.h"
#include "core/form_a1.h"
#include "devices/form_a6.h"
#include "devices/form_a7.h"
#include "devices/form_a8.h"
#include "traffic/line_traffic.h"
#include "trackview/form_a5.h"
#include "ui/sim_error.h"
#include "platform/platform.h"

#include <array>

namespace core {

namespace {

/** Speed words and the clock interval each gives; the words' lengths are known when compiling. */
struct SpeedRow {
    QLatin1String word;
    int intervalMs;
};
constexpr SpeedRow SpeedTable[] = {
    {QLatin1String("1"), 1000},  {QLatin1String("2"), 500},  {QLatin1String("4"), 250},   {QLatin1String("8"), 125},
    {QLatin1String("16"), 63},   {QLatin1String("32"), 32},  {QLatin1String("64"), 16},   {QLatin1String("128"), 8},
    {QLatin1String("256"), 4},   {QLatin1String("512"), 2},  {QLatin1String("1024"), 1}};

/** Minute keys at which the views' shading changes. */
struct ShadeRow {
    const char *key;
    int green;
};
constexpr ShadeRow ShadeTable[] = {{"3:00", 21},  {"4:00", 43},  {"5:00", 64},  {"6:00", 85},
                                   {"7:00", 106}, {"8:00", 128}, {"18:00", 106}, {"19:00", 85},
                                   {"20:00", 64}, {"21:00", 43}, {"22:00", 21}, {"23:00", 0}};

/** Reads a clock text as a number; a text that is not one fails the tick. */
int clockNumber(const QString &text)
{
    return ui::integerOf(text);
}

/** Adds one to a clock text: the sum as a plain numeral, without leading zeros. */
int plusOne(const QString &text)
{
    return clockNumber(text) + 1;
}

/** @return the sum with a "0" put before it when it is at least lowest and at most 9. */
QString padded(int sum, int lowest)
{
    /* The texts of the clock's usual numbers are made once: a tick then shares one instead of building it. */
    static const auto made = [] {
        std::array<std::array<QString, 61>, 2> texts;
        for (int low = 0; low <= 1; ++low)
            for (int n = 0; n <= 60; ++n)
                texts[low][n] = n >= low && n <= 9 ? "0" + QString::number(n) : QString::number(n);
        return texts;
    }();
    if ((lowest == 0 || lowest == 1) && sum >= 0 && sum <= 60)
        return made[lowest][sum];
    const QString text = QString::number(sum);
    return sum >= lowest && sum <= 9 ? "0" + text : text;
}

void minuteStep(TA1 &a1)
{
    for (int k = 0; k < 6; ++k) {
        /* A minute "0" .. "9" gets its two digits; the minute line is written before its hour line. */
        const QString m = padded(plusOne(a1.Minuta->line(k)), 0);
        if (m != "60") {
            a1.Minuta->setLine(k, m);
            continue;
        }
        a1.Minuta->setLine(k, "00");
        QString h = QString::number(plusOne(a1.Hodina->line(k)));
        if (h == "24")
            h = "0";
        a1.Hodina->setLine(k, h);
    }
}

void secondStep(TA1 &a1)
{
    /* Only "1" .. "9" get a leading zero: a second that was "-1" becomes "0". */
    QString s = padded(plusOne(a1.Sekunda->text()), 1);
    if (s == QLatin1String("60")) {
        a1.Sekunda->setText("00");
        minuteStep(a1);
        return;
    }
    a1.Sekunda->setText(s);
}

/**
 * Notes the clock's minute. @return whether it differs from the one the
 * last tick saw: a new minute, or a clock set anew, or the first tick of
 * a game. A clock without its six lines counts as new on every tick, so
 * its failures come as often as they always did.
 */
bool noteMinute(TA1 &a1, bool gameRunning)
{
    TA1::SeenMinute &seen = a1.seenMinute;
    const QString &hour = a1.Hodina->line(0);
    const QString &minute = a1.Minuta->line(0);
    if (a1.Hodina->count() < 6 || a1.Minuta->count() < 6) {
        seen.seen = false;
        seen.key = hour + ":" + minute;
        return true;
    }
    const QString &aheadHour = a1.Hodina->line(5);
    const QString &aheadMinute = a1.Minuta->line(5);
    if (seen.seen && seen.gameRunning == gameRunning && hour == seen.hour && minute == seen.minute
        && aheadHour == seen.aheadHour && aheadMinute == seen.aheadMinute)
        return false;
    seen.gameRunning = gameRunning;
    seen.hour = hour;
    seen.minute = minute;
    seen.aheadHour = aheadHour;
    seen.aheadMinute = aheadMinute;
    seen.key = hour + ":" + minute;
    seen.seen = true;
    return true;
}

void writeClockLabels(App &app, const QString &clock)
{
    app.A5().frame.D7->setCaption(clock);
    app.A6().frame.D7->setCaption(clock);
    app.A7().frame.D7->setCaption(clock);
    app.A8().frame.D7->setCaption(clock);
    app.A5().frame.H01->setCaption(clock);
    app.A6().frame.H01->setCaption(clock);
    app.A7().frame.H01->setCaption(clock);
    app.A8().frame.H01->setCaption(clock);
}

/** Marks the trains that fall due this minute: the timetable's when one is loaded, else the built-in day's. */
void markDueTrains(App &app)
{
    const TA1 &a1 = app.A1();
    if (a1.Grafikon->count() > 0 && !a1.Grafikon->line(0).isEmpty())
        MarkDueTimetableLines(app);
    else
        MarkDueBuiltinTrains(app);
}

/** Runs the tick's steps after the speed; throws on a failure. */
void tickSteps(App &app)
{
    TA1 &a1 = app.A1();
    secondStep(a1);
    /* What depends only on the minute is done when the minute changes: the
       texts and colours it writes stay the same for the rest of it. */
    const bool newMinute = noteMinute(a1, app.gameRunning);
    const QString &second = a1.Sekunda->text();
    QString clock;
    clock.reserve(a1.seenMinute.key.size() + 1 + second.size());
    clock.append(a1.seenMinute.key).append(u':').append(second);
    writeClockLabels(app, clock);

    const QColor shade = newMinute ? shadeForMinuteKey(a1.seenMinute.key) : QColor();
    if (shade.isValid()) {
        app.A5().frame.D5->setColor(shade);
        app.A7().Nahled->setColor(shade);
        app.A8().Nahled->setColor(shade);
    }

    if (app.gameRunning) {
        traffic::OfferIncomingTrains(app);
        traffic::RunIncomingTrains(app);
        traffic::RunOutgoingTrains(app);
    }
    RunUpkeep(app);
    RunFaultSimulation(app);
    if (app.gameRunning) {
        /* The due marks compare the minute with the trains' times: once a minute marks them all. */
        if (newMinute)
            markDueTrains(app);
        PlaceTimetableTrains(app);
        /* Mostly no built-in train is due: one look spares the nine rows theirs. */
        if (BuiltinTrainsDue(app)) {
            for (int row = 1; row <= 9; ++row)
                PlaceBuiltinTrains(app, row);
        }
    }
}

} // namespace

QColor shadeForMinuteKey(const QString &key)
{
    for (const ShadeRow &r : ShadeTable)
        if (key == QLatin1String(r.key))
            return QColor(0, r.green, 0);
    return QColor();
}

QColor shadeForHour(int hour)
{
    /* The colour of the last shading row at or before the hour, as the
       clock would have left it had it run since midnight. */
    QColor c(0, 0, 0);
    for (const ShadeRow &r : ShadeTable) {
        const int rowHour = QString(r.key).section(':', 0, 0).toInt();
        if (rowHour <= hour)
            c = QColor(0, r.green, 0);
    }
    return c;
}

void HodinyTimer(App &app)
{
    ui::guarded(app.A1(), QStringLiteral("Error A1H"), [&app] {
        TA1 &a1 = app.A1();
        const QString speed = a1.Rychlost->text();
        if (speed == QLatin1String("P")) {
            a1.Hodiny->setInterval(1);
            /* Nothing moves until the speed is written again, which wakes the clock (ClockSpeedChange): it does
               not look at the speed every millisecond meanwhile. */
            a1.Hodiny->sleep();
            return;
        }
        for (const SpeedRow &r : SpeedTable) {
            if (speed == r.word) {
                a1.Hodiny->setInterval(r.intervalMs);
                break;
            }
        }
        tickSteps(app);
    });
}

void ClockSpeedChange(App &app)
{
    app.A1().Hodiny->wake();
}

} // namespace core
