/** @file crank_timers.cpp The block crank timers of the boxes and of Vrbská's panel, and the crank animations. */
#include "core/app.h"
#include "core/form_a1.h"
#include "core/form_a2.h"
#include "devices/form_a3.h"
#include "devices/form_a6.h"
#include "devices/form_a7.h"
#include "devices/form_a8.h"
#include "signalling/signal_panels.h"
#include "signalling/signalling_handlers.h"

#include <utility>

namespace signalling {

namespace {

/** The timer's interval while it steps its fields; any other value means its first tick is due. */
constexpr int Acting = 200;
/** The interval a crank timer rests at. */
constexpr int AtRest = 300;

const QString Poloautoblok = QStringLiteral("Poloautoblok");
/** The colour of `A1.SmerB` while this station asks Struhy for the line-B consent back. */
constexpr ui::PackedColor ConsentAskedBack(0, 0, 255);

/** Lowers a field by one while it is above 1. */
void stepDown(ui::SpinEdit *field)
{
    if (field->value() > 1)
        field->setValue(field->value() - 1);
}

/** Raises a field by one while it is below 5. */
void stepUp(ui::SpinEdit *field)
{
    if (field->value() < 5)
        field->setValue(field->value() + 1);
}

/** Rewinds and plays a sound while sounds are on. */
void replay(const TA1 &a1, ui::MediaPlayer *sound)
{
    if (!a1.Zvuky->checked())
        return;
    sound->rewind();
    sound->play();
}

/** @return whether a desk route key is turned on: at the block instrument's place + (dx, 231). */
bool keyOn(const App &app, const char *key, int dx)
{
    const TA6 &a6 = app.A6();
    const ui::Control &k = part<ui::Control>(a6, QLatin1String(key));
    return k.left() == a6.Blok->left() + dx && k.top() == a6.Blok->top() + 231;
}

/** @return whether a box bell is held: its Top at its block instrument's Top + 281. */
bool bellHeld(const ui::Form &box, const ui::Image &blok, const char *bell)
{
    return part<ui::Control>(box, QLatin1String(bell)).top() == blok.top() + 281;
}

/** Drops a desk tablet: it hangs down white. */
void dropTablet(const App &app, const char *tablet)
{
    ui::Control &t = part<ui::Control>(app.A6(), QLatin1String(tablet));
    t.setHeight(85);
    t.setColor(QColor(255, 255, 255));
}

/** Shows a box's route label of a station track, when the box has one for that track. */
void showRouteLabel(const ui::Form &box, const QString &prefix, int track)
{
    if (auto *label = box.find(prefix + QString::number(track)))
        label->show();
}

/** One route lock of a box: the desk's field and its box copy, the releases and the key that allow it. */
struct RouteLock {
    ui::SpinEdit *desk;     ///< The desk's route-lock field, `ZavB`.
    ui::SpinEdit *box;      ///< The box's copy, `ZavBSt`.
    ui::SpinEdit *entry;    ///< Released entry signal, `NavBOdSt`.
    ui::SpinEdit *exit;     ///< Released exit signal, `NavBDoSt`.
    const char *key;        ///< The desk's route key, `KlicA`.
    int keyLeft;            ///< Its on place from the desk's block instrument.
    const QString label;    ///< Prefix of the box's route labels, "CisloB".
};

/**
 * One step of a box's route lock, once the route and (box 2) the crossing
 * allow it: with either signal released or the desk's key on, the desk's
 * field climbs to 5, and from the tick after it has reached 5 the box's copy
 * climbs too and the route label shows the track.
 */
void stepRouteLock(const App &app, const ui::Form &box, const RouteLock &lock, int track)
{
    const bool allowed = lock.entry->value() == 6 || lock.exit->value() == 6 || keyOn(app, lock.key, lock.keyLeft);
    if (!allowed)
        return;
    if (lock.desk->value() == 5) {
        stepUp(lock.box);
        showRouteLabel(box, lock.label, track);
    }
    stepUp(lock.desk);
}

/**
 * Frees line C of a train: every timetable row of the train loses the half
 * the line carried, and once a row matched, the line, if it still holds that
 * train, is free and its counter at rest.
 */
void freeLineCRows(App &app, const QString &train, void (*clearHalf)(TimetableRow &))
{
    TA1 &a1 = app.A1();
    bool matched = false;
    for (int r = 1; r <= kTimetableRows; ++r) {
        TimetableRow &row = app.A2().row(r);
        if (row.trainNumber->text() != train)
            continue;
        clearHalf(row);
        matched = true;
    }
    if (!matched || a1.TratC->text() != train)
        return;
    a1.StavVlakC->setColor(QColor(255, 255, 255));
    a1.StavVlakC->setValue(0);
    a1.TratC->setText(QStringLiteral("Volná"));
}

/** Box 1's first tick: its hum sounds while a lever is held, and the magneto or the crank turns. */
void startBox1(App &app)
{
    TA1 &a1 = app.A1();
    TA7 &a7 = app.A7();
    const int blok = a7.Blok->top();
    const bool anyPressed = a7.PakaNavBOd->top() > blok + 339 || a7.PakaNavBDo->top() > blok + 339
                            || a7.PakaNavMOd->top() > blok + 339 || a7.PakaNavMDo->top() > blok + 339
                            || a7.PakaZavB->top() > blok + 341 || a7.PakaZavM->top() > blok + 341;
    if (anyPressed)
        replay(a1, a1.SndZaverSt1);
    if (a1.Proud->text() == QLatin1String("I")) {
        a7.Induktor->setTop(a7.Induktor->top() + 2);
        a1.Induktor->setEnabledFlag(true);
    } else if (a1.Proud->text() == QLatin1String("K")) {
        if (a1.Zvuky->checked())
            a1.SndKlika->play();
        a1.Klika->setEnabledFlag(true);
    }
}

/** Box 2's first tick: its hum while a lever is held, and the crank; box 2 has no magneto. */
void startBox2(App &app)
{
    TA1 &a1 = app.A1();
    const TA8 &a8 = app.A8();
    const bool anyPressed =
        a8.PakaSouLc1->top() != a8.PakaZavCH->top() || a8.PakaNavCHDo->top() != a8.PakaNavCHOd->top();
    if (anyPressed)
        replay(a1, a1.SndZaverSt2);
    a1.lineCInboundPress = a8.PakaNavCHOd->top() > a8.PakaNavCHDo->top() ? a1.TratC->text() : QString();
    if (a1.Zvuky->checked())
        a1.SndKlika->play();
    a1.Klika->setEnabledFlag(true);
}

/** Vrbská's first tick: its crank sounds, held lever or not. */
void startVrbska(App &app)
{
    TA1 &a1 = app.A1();
    replay(a1, a1.SndZaverCH);
    a1.lineCOutboundPress = a1.PakaNavJOd->top() > a1.PakaTSJ->top() ? a1.TratC->text() : QString();
}

/**
 * One tick of a crank timer under its guard: a tick at the acting interval
 * steps the fields; any other is the first after a press, which sets the
 * acting interval and starts sound and animation but steps nothing.
 */
void crankTick(App &app, const char *code, ui::Timer *TA1::*timer, void (*start)(App &), void (*step)(App &))
{
    ui::guarded(app.A1(), QLatin1String(code), [&] {
        ui::Timer *t = app.A1().*timer;
        if (t->interval() == Acting) {
            step(app);
            return;
        }
        t->setInterval(Acting);
        start(app);
    });
}

/** Box 1's acting tick: every held lever steps its fields, a held bell drops the desk's tablet. */
void stepBox1(App &app)
{
    TA1 &a1 = app.A1();
    TA7 &a7 = app.A7();
    const int blok = a7.Blok->top();
    if (a7.PakaNavBOd->top() > blok + 339)
        for (ui::SpinEdit *f : {a1.NavBOd, a1.NavBOdSt, a1.HrBOd})
            stepDown(f);
    if (a7.PakaZavB->top() > blok + 341 && a1.CestaA->value() == a1.KolejA->value())
        stepRouteLock(app, a7, {a1.ZavB, a1.ZavBSt, a1.NavBOdSt, a1.NavBDoSt, "KlicA", 357, "CisloB"},
                      a1.CestaA->value());
    if (a7.PakaNavBDo->top() > blok + 339)
        for (ui::SpinEdit *f : {a1.NavBDo, a1.NavBDoSt, a1.HrBDo})
            stepDown(f);
    if (a7.PakaNavMOd->top() > blok + 339) {
        for (ui::SpinEdit *f : {a1.NavMOd, a1.NavMOdSt, a1.HrMOd})
            stepDown(f);
        TA6 &a6 = app.A6();
        /* VT is dark from the departure of a train from Struhy until ODHL. While the
           consent is asked back VT flashes and is lit: a dark phase lights no EV again. */
        const bool vtDark = !part<ui::Control>(a6, "VTM").visible() && !a1.SmerB->colorIs(ConsentAskedBack);
        if (a1.NavMOd->value() == 1 && vtDark)
            part<ui::Control>(a6, "EVM").show();
    }
    if (a7.PakaZavM->top() > blok + 341 && a1.CestaB->value() == a1.KolejB->value())
        stepRouteLock(app, a7, {a1.ZavM, a1.ZavMSt, a1.NavMOdSt, a1.NavMDoSt, "KlicB", 742, "CisloM"},
                      a1.CestaB->value());
    if (a7.PakaNavMDo->top() > blok + 339)
        for (ui::SpinEdit *f : {a1.NavMDo, a1.NavMDoSt, a1.HrMDo})
            stepDown(f);
    if (bellHeld(a7, *a7.Blok, "ZvonekA"))
        dropTablet(app, "DestickaA");
    if (bellHeld(a7, *a7.Blok, "ZvonekB"))
        dropTablet(app, "DestickaB");
}

/** Box 2's acting tick, in the order of its levers. */
void stepBox2(App &app)
{
    TA1 &a1 = app.A1();
    TA8 &a8 = app.A8();
    if (a8.PakaSouLc1->top() > a8.PakaZavCH->top() && a1.C19->text() != QStringLiteral("Opak.výstrahy")) {
        stepDown(a1.SouLc1);
        stepDown(a1.SouLc1St);
    }
    if (a8.PakaNavCHDo->top() > a8.PakaNavCHOd->top())
        for (ui::SpinEdit *f : {a1.NavCHDo, a1.NavCHDoSt, a1.HrCHDo})
            stepDown(f);
    if (a8.PakaZavCH->top() > a8.PakaSouLc1->top() && a1.CestaC->value() == a1.KolejC->value()
        && a1.PZZ->text() == QStringLiteral("Uzavřený"))
        stepRouteLock(app, a8, {a1.ZavCH, a1.ZavCHSt, a1.NavCHOdSt, a1.NavCHDoSt, "KlicC", 857, "CisloCH"},
                      a1.CestaC->value());
    if (a8.PakaNavCHOd->top() > a8.PakaNavCHDo->top()) {
        for (ui::SpinEdit *f : {a1.NavCHOd, a1.NavCHOdSt, a1.HrCHOd})
            stepDown(f);
        if (a1.PHCHOd->value() == 1) {
            stepDown(a1.PHJDo);
            if (a1.SmerC->text() == Poloautoblok && !a1.lineCInboundPress.isEmpty())
                freeLineCRows(app, std::exchange(a1.lineCInboundPress, QString()),
                              [](TimetableRow &row) { row.clearInbound(); });
        }
    }
    if (bellHeld(a8, *a8.Blok, "Zvonek"))
        dropTablet(app, "DestickaC");
}

/** Vrbská's acting tick: the consent lever gives the line-C consent back, the entry lever frees line C. */
void stepVrbska(App &app)
{
    TA1 &a1 = app.A1();
    if (a1.PakaTSJ->top() > a1.PakaNavJOd->top()) {
        stepDown(a1.TSCH);
        stepDown(a1.TSJ);
        if (a1.TSCH->value() == 2)
            a1.TSCH->setValue(1);
    }
    if (a1.PakaNavJOd->top() > a1.PakaTSJ->top()) {
        stepDown(a1.NavJOd);
        stepDown(a1.PHCHDo);
        /* The note stays with a train that only leaves here. */
        if (a1.SmerC->text() == Poloautoblok && !a1.lineCOutboundPress.isEmpty())
            freeLineCRows(app, std::exchange(a1.lineCOutboundPress, QString()),
                          [](TimetableRow &row) { row.clearOutbound(false); });
    }
}

/** Presses a lever of Vrbská's panel: 2 px, the field from 6 to 5, 5 px more, the crank turning. */
void pressVrbskaLever(TA1 &a1, ui::Image *lever, ui::SpinEdit *field)
{
    lever->setTop(lever->top() + 2);
    if (field->value() == 6)
        field->setValue(5);
    lever->setTop(lever->top() + 5);
    a1.ZaverCH->setEnabledFlag(true);
}

/** Releases a lever of Vrbská's panel: level with the other lever, the crank and the animations stopped. */
void releaseVrbskaLever(App &app, ui::Image *lever, const ui::Image *other)
{
    TA1 &a1 = app.A1();
    lever->setTop(other->top());
    a1.ZaverCH->setEnabledFlag(false);
    a1.ZaverCH->setInterval(AtRest);
    a1.Induktor->setEnabledFlag(false);
    part<ui::Control>(app.A6(), "InduktorA2").hide();
    part<ui::Control>(app.A6(), "InduktorB2").hide();
    app.A7().Induktor2->hide();
    a1.Klika->setEnabledFlag(false);
    a1.SndZaverCH->stop();
}

} // namespace

void ZaverSt1Timer(App &app)
{
    crankTick(app, "Error A1ZSt1", &TA1::ZaverSt1, startBox1, stepBox1);
}

void ZaverSt2Timer(App &app)
{
    crankTick(app, "Error A1ZSt2", &TA1::ZaverSt2, startBox2, stepBox2);
}

void ZaverCHTimer(App &app)
{
    crankTick(app, "Error A1ZDK", &TA1::ZaverCH, startVrbska, stepVrbska);
}

void InduktorTimer(App &app)
{
    TA1 &a1 = app.A1();
    ui::Control &deskA = part<ui::Control>(app.A6(), "InduktorA2");
    ui::Control &deskB = part<ui::Control>(app.A6(), "InduktorB2");
    ui::Control &box1 = *app.A7().Induktor2;
    if (a1.Induktor->interval() == 50) {
        a1.Induktor->setInterval(51);
        if (a1.ZaverDK->enabledFlag()) {
            deskA.show();
            deskB.show();
        }
        if (a1.ZaverSt1->enabledFlag())
            box1.show();
        return;
    }
    a1.Induktor->setInterval(50);
    deskA.hide();
    deskB.hide();
    box1.hide();
}

void KlikaTimer(App &app)
{
    TA1 &a1 = app.A1();
    const TA3 &a3 = app.A3();
    const bool first = a1.Klika->interval() == 100;
    a1.Klika->setInterval(first ? 101 : 100);
    const ui::Image &left = first ? *a3.KlikaLOn : *a3.KlikaLOff;
    const ui::Image &right = first ? *a3.KlikaPOff : *a3.KlikaPOn;
    const auto turn = [&](const ui::Form &view) {
        part<ui::Image>(view, "KlikaL").assignPicture(left);
        part<ui::Image>(view, "KlikaP").assignPicture(right);
    };
    if (a1.ZaverDK->enabledFlag())
        turn(app.A6());
    if (a1.ZaverSt1->enabledFlag())
        turn(app.A7());
    if (a1.ZaverSt2->enabledFlag())
        part<ui::Image>(app.A8(), "Klika").assignPicture(first ? *a3.Klika2On : *a3.Klika2Off);
}

void PakaTSJMouseDown(App &app)
{
    TA1 &a1 = app.A1();
    pressVrbskaLever(a1, a1.PakaTSJ, a1.TSJ);
}

void PakaNavJOdMouseDown(App &app)
{
    TA1 &a1 = app.A1();
    pressVrbskaLever(a1, a1.PakaNavJOd, a1.NavJOd);
}

void PakaTSJMouseUp(App &app)
{
    releaseVrbskaLever(app, app.A1().PakaTSJ, app.A1().PakaNavJOd);
}

void PakaNavJOdMouseUp(App &app)
{
    releaseVrbskaLever(app, app.A1().PakaNavJOd, app.A1().PakaTSJ);
}

void StopBlockCrank(App &app, ui::Timer &crank)
{
    TA1 &a1 = app.A1();
    crank.setEnabledFlag(false);
    crank.setInterval(AtRest);
    a1.Induktor->setEnabledFlag(false);
    a1.Klika->setEnabledFlag(false);
    if (&crank == a1.ZaverSt1) {
        /* Back to its rest, not 2 px up from wherever it stands: a release before the first tick never moved it. */
        TA7 &a7 = app.A7();
        a7.Induktor->setTop(a7.Blok->top() + 234);
    }
}

} // namespace signalling
