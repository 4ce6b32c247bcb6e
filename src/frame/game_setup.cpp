/** @file game_setup.cpp Start and end of a game from the main menu. */
#include "core/app.h"
#include "core/core_handlers.h"
#include "core/form_a1.h"
#include "core/form_a2.h"
#include "core/timetable_file.h"
#include "devices/form_a6.h"
#include "devices/form_a7.h"
#include "devices/form_a8.h"
#include "frame/form_a0.h"
#include "frame/frame_handlers.h"
#include "frame/menu_model.h"
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
    app.A0().H8->setFontColor(Navy);
}

/** Puts the game page into its state for a running game (true) or for the set-up before a game (false). */
void showGameControls(TA0 &a0, bool running)
{
    a0.H8->setCaption(running ? ContinueCaption : StartCaption);
    a0.G5->setPenColor(running ? Grey : Navy);
    a0.G6->setFontColor(running ? Grey : Navy);
    for (ui::Control *c : {static_cast<ui::Control *>(a0.G9), static_cast<ui::Control *>(a0.H0),
                           static_cast<ui::Control *>(a0.H1), static_cast<ui::Control *>(a0.H2),
                           static_cast<ui::Control *>(a0.H3)})
        c->setVisible(!running);
    a0.H4->setVisible(running);
    a0.H5->setVisible(running);
    /* "Možnosti" is usable only while a game runs. */
    a0.get<ui::Label>("F7").setFontColor(running ? Navy : Grey);
}

/**
 * Gives the four workplace views the screen's size and runs their layout,
 * as their maximised windows have it from the start of a game: a train
 * that comes in before the player first opens the track view then stops
 * before the signals where they stand on the screen, not at the design
 * width's places.
 */
void layOutViews(App &app)
{
    const QSize S = app.screenSize();
    for (ui::Form *view : {static_cast<ui::Form *>(&app.A5()), static_cast<ui::Form *>(&app.A6()),
                           static_cast<ui::Form *>(&app.A7()), static_cast<ui::Form *>(&app.A8())}) {
        view->setBounds(view->left(), view->top(), S.width(), S.height());
        if (view->onResize)
            view->onResize();
    }
}

void fillTimetableArrays(App &app)
{
    const ui::Memo &g = *app.A1().Grafikon;
    for (size_t i = 0; i < app.TimetableTrainLines.size(); ++i) {
        const int line = 30 + static_cast<int>(i);
        app.TimetableTrainStates[i] = 0;
        app.TimetableTrainLines[i] = line < g.count() ? g.line(line) : QString();
    }
    /* New lines, all waiting: indexed by their due minutes now, with the
       start the player waits for, so that no tick of the game has to; and
       the new game reports its refused lines afresh. */
    app.A2().dueLines.load(app.TimetableTrainLines);
    app.A2().refusalReports.reset();
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
    layOutViews(app);
    returnToDesk(app);
    TA1 &a1 = app.A1();
    for (ui::Edit *aspect : a1.Aspect)
        aspect->setText(QStringLiteral("Stůj"));
    for (ui::CheckBox *repeaterFault : {a1.C12, a1.C13, a1.C14})
        repeaterFault->setChecked(false);
    a1.PZZ->setText(QStringLiteral("Otevřený"));
    setStartClock(a1, hour, a0.H3->caption().toInt());
}

/** The option check boxes the menu's toggles and freight row set. */
constexpr ui::CheckBox *TA1::*MenuOptions[8] = {&TA1::KodSt1,     &TA1::KodSt2,     &TA1::KodPoruchy,
                                                &TA1::Zvuky,      &TA1::KodRychTel, &TA1::KodZapadky,
                                                &TA1::KodMavex,   &TA1::NakladniVlaky};

/** What the menu has picked, carried over into the new state store at the end of a game. */
struct MenuPick {
    QStringList grafikon;
    QString grafikonDir;
    QString names[4];
    bool options[8];
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
        MenuPick pick{old.Grafikon->lines(),
                      old.GrafikonDir->text(),
                      {old.StaniceA1->text(), old.StaniceA2->text(), old.StaniceA3->text(), old.StaniceA4->text()},
                      {}};
        for (int k = 0; k < 8; ++k)
            pick.options[k] = (old.*MenuOptions[k])->checked();
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
        for (int k = 0; k < 8; ++k)
            (a1.*MenuOptions[k])->setChecked(pick.options[k]);
    });
}

void H1Click(App &app)
{
    ui::guarded(app.A0(), QStringLiteral("Error 00H1-A."), [&app] {
        ui::Label &h1 = *app.A0().H1;
        const int hour = h1.caption().toInt() + 1;
        h1.setCaption(QString::number(hour > 23 ? 0 : hour));
    });
}

void H3Click(App &app)
{
    ui::guarded(app.A0(), QStringLiteral("Error 00H3."), [&app] {
        ui::Label &h3 = *app.A0().H3;
        const int minutes = h3.caption().toInt() + 5;
        h3.setCaption(QStringLiteral("%1").arg(minutes > 59 ? 0 : minutes, 2, 10, QLatin1Char('0')));
    });
}

void G8Click(App &app)
{
    ui::guarded(app.A0(), QStringLiteral("Error 00G8-A."), [&app] {
        ui::CheckBox &freight = *app.A1().NakladniVlaky;
        freight.setChecked(!freight.checked());
        app.A0().G8->setCaption(freight.checked() ? QStringLiteral("s nákladními vlaky")
                                                  : QStringLiteral("bez nákladních vlaků"));
    });
}

void wireGameSetup(App &app)
{
    TA0 &a0 = app.A0();
    a0.H9->onClick = [&app] { H9Click(app); };
    a0.H5->onClick = [&app] { H5Click(app); };
    a0.H1->onClick = [&app] { H1Click(app); };
    a0.H3->onClick = [&app] { H3Click(app); };
    a0.G6->onClick = [&app] { G6Click(app); };
    a0.G8->onClick = [&app] { G8Click(app); };
}

void wireA0(App &app)
{
    TA0 &a0 = app.A0();
    a0.onQuit = [&app] {
        if (app.onQuit)
            app.onQuit();
    };
    wireMenuPages(app);
    wireGameSetup(app);
    wireLauncher(app);
}

} // namespace frame
