/** @file call_text.cpp The player's sentence: message kind, train and time. */
#include "telephone/telephone_handlers.h"

#include "core/app.h"
#include "core/form_a1.h"
#include "core/form_a2.h"
#include "devices/form_a6.h"
#include "frame/form_a0.h"

namespace telephone {

namespace {

/** @return the sentence of a way-of-working switch for one line, or nothing for another kind. */
QString switchSentence(App &app, const QString &kind, Line line)
{
    const QString start = "V " + clockTime(app, 0);
    const QString stations = app.A1().Stanice1->text() + " - " + neighbourName(app, line, 1);
    if (kind == QStringLiteral("Zavedení telefoniky"))
        return start + " zavádím mezi stanicemi " + stations + " telefonické dorozumívání. " + ownSurname(app) + ".";
    if (kind == QStringLiteral("Odvolání telefoniky"))
        return start + " obnovena mezi stanicemi " + stations + " jízda vlaků podle poloautomatického bloku. " +
               ownSurname(app) + ".";
    return {};
}

/**
 * @return the time of the sentence, H:MM: now plus the minutes of the bar,
 * five minutes less for a departure that has taken place.
 */
QString callTime(App &app, const QString &kind)
{
    TA1 &a1 = app.A1();
    int CallHour = a1.Hodina->line(0).toInt();
    int CallMinute = a1.Minuta->line(0).toInt() + app.A6().G4->position();
    if (kind == QStringLiteral("Oznámení odjezdu"))
        CallMinute -= 5;
    if (CallMinute < 0) {
        CallMinute += 60;
        if (--CallHour < 0)
            CallHour += 24;
    }
    if (CallMinute >= 60) {
        CallMinute -= 60;
        if (++CallHour >= 24)
            CallHour -= 24;
    }
    return QString::number(CallHour) + ":" + QStringLiteral("%1").arg(CallMinute, 2, 10, QChar('0'));
}

/** @return the sentence of a kind that carries a time, or nothing for another kind. */
QString timedSentence(App &app, const QString &kind, const QString &train, const QString &time)
{
    const QString from = app.A1().Stanice2->text();
    if (kind == QStringLiteral("Nabídka vlaku"))
        return "Přijmete vlak " + train + " s odjezdem " + from + " v " + time + "? " + ownSurname(app) + ".";
    if (kind == QStringLiteral("Předvídaný odjezd"))
        return "Vlak " + train + " odjede " + from + " v " + time + ".";
    if (kind == QStringLiteral("Oznámení odjezdu"))
        return "Vlak " + train + " odjel " + from + " v " + time + ". " + ownSurname(app) + ".";
    return {};
}

/** @return the sentence of a kind without a time, or nothing for another kind. */
QString untimedSentence(App &app, const QString &kind, const QString &train)
{
    const QString from = app.A1().Stanice2->text();
    const QString end = ". Vlak " + train + " " + from + " neodjede. " + ownSurname(app) + ".";
    if (kind == QStringLiteral("Telefonická odhláška"))
        return "Vlak " + train + " " + app.A1().Stanice3->text() + ". " + ownSurname(app) + ".";
    if (kind == QStringLiteral("Rušení nabídky vlaku"))
        return "Ruším přijetí a předvídaný odjezd vlaku " + train + end;
    if (kind == QStringLiteral("Rušení předvíd.odjezdu"))
        return "Ruším předvídaný odjezd vlaku " + train + end;
    return {};
}

} // namespace

void G2Click(App &app)
{
    TA6 &a6 = app.A6();
    a6.G1->clear();
    a6.G5->setEnabled(true);
    const QString kind = a6.G2->selectedText();
    for (Line line : Lines) {
        const QString sentence = switchSentence(app, kind, line);
        if (isActive(app, line) && !sentence.isEmpty())
            a6.G1->addLine(sentence);
    }
    if (firstLine(*a6.G1).isEmpty())
        ComposeCallText(app);
}

void TrainLabelClick(App &app, int row)
{
    app.SelectedTrain = app.A2().row(row).trainNumber->text();
    ComposeCallText(app);
}

void G4Change(App &app)
{
    ComposeCallText(app);
}

void ComposeCallText(App &app)
{
    TA6 &a6 = app.A6();
    a6.G1->clear();
    /* With no kind chosen yet there is nothing to say: the train is only remembered. */
    if (a6.G2->itemIndex() < 0)
        return;
    const QString kind = a6.G2->selectedText();
    a6.G3->setText(callTime(app, kind));
    const QString timed = timedSentence(app, kind, app.SelectedTrain, a6.G3->text());
    if (!timed.isEmpty())
        a6.G1->addLine(timed);
    const bool hasTime = !firstLine(*a6.G1).isEmpty();
    a6.G3->setEnabled(hasTime);
    a6.G4->setEnabled(hasTime);
    const QString untimed = untimedSentence(app, kind, app.SelectedTrain);
    if (!untimed.isEmpty())
        a6.G1->addLine(untimed);
}

} // namespace telephone
