/** @file game_setup.cpp Start and end of a game from the main menu. */
#include "core/app.h"
#include "core/core_handlers.h"
#include "core/form_a1.h"
#include "core/timetable_file.h"
#include "devices/form_a6.h"
#include "devices/form_a7.h"
#include "devices/form_a8.h"
#include "frame/form_a0.h"
#include "frame/frame_handlers.h"
#include "platform/platform.h"
#include "trackview/form_a5.h"

namespace frame {

namespace {

const QString StartCaption = QStringLiteral("Spustit hru");
const QString ContinueCaption = QStringLiteral("Pokračovat");

/** Returns to the running game: menu hidden, desk shown. */
void returnToDesk(App &app)
{
    app.A0().hide();
    app.A6().show();
}

/** Shows the set-up controls of a running game (true) or of the menu before a game (false). */
void showGameControls(TA0 &a0, bool running)
{
    a0.H8->setCaption(running ? ContinueCaption : StartCaption);
    a0.H4->setVisible(running);
    a0.H5->setVisible(running);
    a0.H1->setVisible(!running);
    a0.H2->setVisible(!running);
    a0.H3->setVisible(!running);
}

void fillTimetableArrays(App &app)
{
    const ui::Memo &g = *app.A1().Grafikon;
    for (size_t i = 0; i < app.TimetableTrainLines.size(); ++i) {
        const int line = 30 + static_cast<int>(i);
        app.TimetableTrainStates[i] = 0;
        app.TimetableTrainLines[i] = line < g.count() ? g.line(line) : QString();
    }
}

/** Sets the clock to the start time with "59" seconds, so the first tick begins the first minute. */
void setStartClock(TA1 &a1, int hour, int minute)
{
    QStringList hours, minutes;
    for (int k = 0; k < 6; ++k) {
        hours << QString::number(hour);
        minutes << QString::number(minute - 1 + k);
    }
    a1.Hodina->setLines(hours);
    a1.Minuta->setLines(minutes);
    a1.Sekunda->setText(QStringLiteral("59"));
}

void startGame(App &app)
{
    TA0 &a0 = app.A0();
    /* The header is checked before anything changes: a refused timetable
       leaves the menu exactly as it was. */
    const QString refusal = core::timetableHeaderError(app.A1().Grafikon->lines());
    if (!refusal.isEmpty()) {
        app.platform().messages.show(refusal);
        return;
    }
    core::Start(app);
    /* From here on the game runs, whatever a later step may fail on: the
       button reads "Pokračovat" and the tick's game work goes on. */
    showGameControls(a0, true);
    app.gameRunning = true;
    const int hour = a0.H1->caption().toInt();
    const QColor shade = core::shadeForHour(hour);
    app.A5().frame.D5->setColor(shade);
    app.A7().Nahled->setColor(shade);
    app.A8().Nahled->setColor(shade);
    fillTimetableArrays(app);
    app.BuiltinTrainFlags.fill(0);
    returnToDesk(app);
    TA1 &a1 = app.A1();
    for (ui::Edit *aspect : a1.Aspect)
        aspect->setText(QStringLiteral("Stůj"));
    for (ui::CheckBox *repeaterFault : {a1.C12, a1.C13, a1.C14})
        repeaterFault->setChecked(false);
    a1.PZZ->setText(QStringLiteral("Otevřený"));
    setStartClock(a1, hour, a0.H3->caption().toInt());
}

/** What the menu has picked, carried over into the new state store at the end of a game. */
struct MenuPick {
    QStringList grafikon;
    QString grafikonDir;
    QString names[4];
};

} // namespace

void H9Click(App &app)
{
    ui::guarded(app.A0(), QStringLiteral("Error 00H9-A."), [&app] {
        if (app.A0().H8->caption() == ContinueCaption)
            returnToDesk(app);
        else
            startGame(app);
    });
}

void H5Click(App &app)
{
    ui::guarded(app.A0(), QStringLiteral("Error 00H5-A."), [&app] {
        showGameControls(app.A0(), false);
        app.gameRunning = false;
        TA1 &old = app.A1();
        MenuPick pick{old.Grafikon->lines(), old.GrafikonDir->text(),
                      {old.StaniceA1->text(), old.StaniceA2->text(), old.StaniceA3->text(), old.StaniceA4->text()}};
        const bool telLom = app.A6().TelLom->visible();
        app.recreateGameForms();
        /* The new store starts from its defaults but keeps the menu's pick,
           so what the menu shows is what the next game runs. */
        TA1 &a1 = app.A1();
        a1.Grafikon->setLines(pick.grafikon);
        a1.GrafikonDir->setText(pick.grafikonDir);
        a1.StaniceA1->setText(pick.names[0]);
        a1.StaniceA2->setText(pick.names[1]);
        a1.StaniceA3->setText(pick.names[2]);
        a1.StaniceA4->setText(pick.names[3]);
        app.A6().TelLom->setVisible(telLom);
    });
}

void wireA0(App &app)
{
    TA0 &a0 = app.A0();
    a0.H9->onClick = [&app] { H9Click(app); };
    a0.H5->onClick = [&app] { H5Click(app); };
    wireTimetableChoice(app);
    a0.J3->onClick = [&app] { J3Click(app); };
    a0.J9->onClick = [&app] { J9Click(app); };
    a0.onQuit = [&app] {
        if (app.onQuit)
            app.onQuit();
    };
}

} // namespace frame
