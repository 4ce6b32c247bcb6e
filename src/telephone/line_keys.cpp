/** @file line_keys.cpp The line keys of the telephone set: answering, taking and hanging up a line. */
#include "telephone/telephone_handlers.h"

#include "core/app.h"
#include "core/form_a1.h"
#include "core/form_a2.h"
#include "devices/form_a3.h"
#include "devices/form_a6.h"

#include <algorithm>

namespace telephone {

namespace {

/** Error codes of the keys, by line; they follow the keys' names. */
const char *const KeyCodes[3] = {"60F0", "60F2", "60F1"};

/** Top of a key above the set's Top: up while its line is idle, 2 px lower while taken. */
constexpr int KeyUp = 78;
constexpr int KeyDown = 80;

/**
 * @return which line of the clock memos holds the row's offered time: its
 * minutes-ahead cell, where an empty or broken cell counts as one minute
 * ahead, so that the call can always be answered.
 */
int minutesAheadLine(const TimetableRow &row)
{
    bool ok = false;
    const int k = row.minutesAhead->text().toInt(&ok);
    return ok ? std::clamp(k, 0, 5) : 1;
}

/** Sets a key's position and lamp. */
void setKey(App &app, Line line, bool down)
{
    ui::Image *key = lineKey(app, line);
    key->setTop(app.A6().E0->top() + (down ? KeyDown : KeyUp));
    key->assignPicture(down ? *app.A3().TelBilaOn : *app.A3().TelBilaOff);
}

/** Hangs an active line up: the call ends and the panel's choices are disabled. */
void hangUp(App &app, Line line)
{
    ui::Edit *message = app.A1().Zprava(line);
    message->setColor(call::Idle);
    message->setText(QString());
    setKey(app, line, false);
    app.A6().G1->clear();
    disableChoices(app);
}

/** Answers an offer or a prediction of the row: its time from the clock, the sentence and the acceptance. */
void answerOffer(App &app, Line line, TimetableRow &row, bool offer)
{
    const int k = minutesAheadLine(row);
    row.agreedTime->setText(clockTime(app, k));
    const QString n = row.trainNumber->text(), from = neighbourName(app, line, 2), t = row.agreedTime->text();
    TA6 &a6 = app.A6();
    if (offer) {
        a6.G1->addLine("Přijmete vlak " + n + " s odjezdem " + from + " v " + t + "? " + neighbourSurname(app, line) + ".");
        a6.I4->setCaption("Ano, přijímám vlak " + n + " s odjezdem " + from + " v " + t + ". " + ownSurname(app) + ".");
    } else {
        a6.G1->addLine("Vlak " + n + " odjede " + from + " v " + t + ".");
        a6.I4->setCaption("Vlak " + n + " odjede " + from + " v " + t + ". Rozumí, Kamenná.");
    }
}

/** Answers the neighbour's departure notice of the row; row 1 of lines B and C takes the time of the answer. */
void answerNotice(App &app, Line line, TimetableRow &row)
{
    if (line != LineA && row.row == 1)
        row.agreedTime->setText(clockTime(app, 0));
    const QString n = row.trainNumber->text(), from = neighbourName(app, line, 2), t = row.agreedTime->text();
    TA6 &a6 = app.A6();
    a6.G1->addLine("Vlak " + n + " odjel " + from + " v " + t + ". " + neighbourSurname(app, line) + ".");
    a6.I6->setCaption("Vlak " + n + " odjel " + from + " v " + t + ". Rozuměl " + ownSurname(app) + ".");
    a6.I6->show();
}

/** Answers the neighbour's report that the row's train has arrived there. */
void answerArrival(App &app, Line line, TimetableRow &row)
{
    const QString n = row.trainNumber->text(), at = neighbourName(app, line, 3);
    TA6 &a6 = app.A6();
    a6.G1->addLine("Vlak " + n + " " + at + ". " + neighbourSurname(app, line) + ".");
    a6.I6->setCaption("Vlak " + n + " " + at + ". Rozuměl " + ownSurname(app) + ".");
    a6.I6->show();
}

/** Answers a ringing line: stops the ring, shows the neighbour's sentences and the player's answers. */
void answer(App &app, Line line)
{
    TA1 &a1 = app.A1();
    TA2 &a2 = app.A2();
    TA6 &a6 = app.A6();
    a6.I3->show();
    if (a1.Zvuky->checked()) {
        a1.SndTelefon->stop();
        a1.SndTelefon->rewind();
    }
    const ui::Edit *message = a1.Zprava(line);
    bool offered = false;
    /* Every pass visits every row: each row whose number completes the message answers. */
    for (int r = 1; r <= kTimetableRows; ++r)
        if (message->text() == OfferWord + a2.row(r).trainNumber->text()) {
            answerOffer(app, line, a2.row(r), true);
            offered = true;
        }
    for (int r = 1; r <= kTimetableRows; ++r)
        if (message->text() == PredictionWord + a2.row(r).trainNumber->text()) {
            answerOffer(app, line, a2.row(r), false);
            offered = true;
        }
    if (offered) {
        a6.I4->show();
        a6.I5->show();
        a6.I5->setCaption("Nikoliv, čekejte. " + ownSurname(app) + ".");
    }
    for (int r = 1; r <= kTimetableRows; ++r)
        if (message->text() == NoticeWord + a2.row(r).trainNumber->text())
            answerNotice(app, line, a2.row(r));
    for (int r = 1; r <= kTimetableRows; ++r)
        if (message->text() == ArrivalWord + a2.row(r).trainNumber->text())
            answerArrival(app, line, a2.row(r));
}

/** Takes the line on the desk: its call becomes active and its key goes down. */
void take(App &app, Line line)
{
    app.A1().Zprava(line)->setColor(call::Active);
    setKey(app, line, true);
}

} // namespace

void LineKeyClick(App &app, Line line)
{
    ui::guarded(app.A6(), QString::fromLatin1(KeyCodes[line]), [&app, line] {
        const QColor state = app.A1().Zprava(line)->color();
        if (state == call::Active) {
            hangUp(app, line);
            return;
        }
        if (state == call::Waiting) {
            /* The line is taken even when the answer fails, so a call never stays unanswerable. */
            try {
                answer(app, line);
            } catch (...) {
                take(app, line);
                throw;
            }
        }
        take(app, line);
    });
}

} // namespace telephone
