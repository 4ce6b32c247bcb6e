/** @file box2_aux.cpp Box 2's bell, crank, emergency releases and buttons, push buttons, tags and consent to shunt. */
#include "core/sounds.h"
#include "devices/box2_parts.h"
#include "devices/device_guards.h"
#include "devices/device_handlers.h"
#include "devices/form_a3.h"
#include "signalling/signalling_handlers.h"
#include "trackview/form_a5.h"
#include "trackview/shunting.h"


namespace devices::box2 {

namespace {

/** The two emergency lock releases: their images and the lock fields they step. */
struct LockRelease {
    const char *name;
    ui::SpinEdit *TA1::*field;
};
const LockRelease LockReleases[2] = {{"NVZSouLc1", &TA1::SouLc1St}, {"NVZZavCH", &TA1::ZavCHSt}};

/** Height of a lock release's sealed picture. */
constexpr int SealedLockRelease = 26;

/** The two emergency train-passed buttons: images, latch fields, train-passed fields and error codes. */
struct TrainPassedButton {
    const char *name;
    ui::SpinEdit *TA1::*latch;
    ui::SpinEdit *TA1::*passed;
    const char *code;
};
const TrainPassedButton TrainPassed[2] = {
    {"NVTCHDo", &TA1::NavCHDoSt, &TA1::HrCHDo, "Error 80NVTCHD"},
    {"NVTCHOd", &TA1::NavCHOdSt, &TA1::HrCHOd, "Error 80NVTCHO"},
};

const char *const Tags[2] = {"CedulkaCHDo", "CedulkaCHOd"};

/** @return a push button's pressed Top offset from the console `E0` (its rest is 2 px higher). */
int pressedOffset(const QString &button)
{
    return button == QLatin1String("NKO") ? 91 : 333;
}

QString pushCode(const QString &button, const char *event)
{
    return QStringLiteral("Error 80%1-%2").arg(button, QLatin1String(event));
}

/** The shunting parts of the track view for one station track, by their names there. */
struct TrackShunting {
    int track;
    const char *unit;    ///< The locomotive slot edit: "0" while no unit moves on the track.
    const char *timer;   ///< The timer that moves units on the track towards the left.
    const char *stage;   ///< The shunting stage.
};
const TrackShunting Shunting[5] = {
    {1, "Posun1", "TimerPosun1L", "StavPosun1"}, {2, "Posun2", "TimerPosun2L", "StavPosun2"},
    {3, "Posun3", "Timerposun3L", "StavPosun3"}, {5, "Posun5", "TimerPosun5L", "StavPosun5"},
    {7, "Posun7", "TimerPosun7L", "StavPosun7"},
};

/** @return a part of the track view; throws ui::SimError when it has none. */
template <class T> T &a5(const App &app, const char *name)
{
    return signalling::part<T>(app.A5(), QLatin1String(name));
}

} // namespace

void ZvonekMouseDown(App &app)
{
    ui::guarded(app.A8(), QStringLiteral("Error A8Zvk-Md"), [&] {
        TA1 &a1 = app.A1();
        a8(app, "Zvonek").setTop(app.A8().Blok->top() + 281);
        /* While the bell stands pressed the block timer drops the desk's tablet of line C. */
        a1.ZaverSt2->setEnabledFlag(true);
        core::playSound(app, a1.SndZvonekOn);
    });
}

void ZvonekMouseUp(App &app)
{
    ui::guarded(app.A8(), QStringLiteral("Error A8Zvk-Mu"), [&] {
        TA1 &a1 = app.A1();
        a8(app, "Zvonek").setTop(app.A8().Blok->top() + 279);
        signalling::StopBlockCrank(app, *a1.ZaverSt2);
        if (a1.Zvuky->checked()) {
            a1.SndZvonekOff->play();
            a1.SndKlika->stop();
        }
    });
}

void KlikaMouseDown(App &app)
{
    app.A1().Klika->setEnabledFlag(true);
}

void KlikaMouseUp(App &app)
{
    TA1 &a1 = app.A1();
    a1.Klika->setEnabledFlag(false);
    if (a1.Zvuky->checked())
        a1.SndKlika->stop();
}

void NVZDblClick(App &app, int which)
{
    const LockRelease &r = LockReleases[which];
    auto &button = a8<ui::Image>(app, QLatin1String(r.name));
    ui::SpinEdit *field = app.A1().*r.field;
    const int blok = app.A8().Blok->top();
    int &direction = dragState(app).nvzDirection[which];
    if (button.height() == SealedLockRelease) {
        button.assignPicture(*app.A3().NVZ);
        return;
    }
    if (button.top() == blok + 455) {
        /* Pressed (2 px up); the direction is fixed now: up from 1, else down. */
        button.setTop(blok + 453);
        direction = field->value() == 1 ? 2 : 1;
        return;
    }
    if (direction == 2) {
        if (field->value() < 5)
            field->setValue(field->value() + 1);
        if (field->value() == 5)
            button.setTop(blok + 455);
    } else {
        if (field->value() > 1)
            field->setValue(field->value() - 1);
        if (field->value() == 1)
            button.setTop(blok + 455);
    }
}

void NVTDblClick(App &app, int which)
{
    const TrainPassedButton &b = TrainPassed[which];
    unitGuard(app, QLatin1String(b.code) + "-Db", [&] {
        const TA3 &a3 = app.A3();
        auto &button = a8<ui::Image>(app, QLatin1String(b.name));
        /* The broken seal is tested first, so one double click makes one stage. */
        if (button.height() == a3.NVTStop->height())
            button.assignPicture(*a3.NVTOff);
        else if (button.height() == a3.NVTStop2->height())
            button.assignPicture(*a3.NVTStop);
    });
}

void NVTMouseDown(App &app, int which)
{
    const TrainPassedButton &b = TrainPassed[which];
    unitGuard(app, QLatin1String(b.code) + "-Md", [&] {
        TA1 &a1 = app.A1();
        const TA3 &a3 = app.A3();
        auto &button = a8<ui::Image>(app, QLatin1String(b.name));
        if (button.height() != a3.NVTOff->height())
            return;
        button.assignPicture(*a3.NVTOn);
        if ((a1.*b.latch)->value() == 6) {
            (a1.*b.passed)->setValue(5);
            core::playSound(app, a1.SndZarazka);
        }
    });
}

void NVTMouseUp(App &app, int which)
{
    const TrainPassedButton &b = TrainPassed[which];
    unitGuard(app, QLatin1String(b.code) + "-Mu", [&] {
        const TA3 &a3 = app.A3();
        auto &button = a8<ui::Image>(app, QLatin1String(b.name));
        if (button.height() == a3.NVTOn->height())
            button.assignPicture(*a3.NVTStop);
    });
}

void VZClick(App &app)
{
    unitGuard(app, QStringLiteral("Error 80VZ"), [&] {
        ui::Control &vz = a8(app, "VZ");
        const int e0 = app.A8().E0->top();
        vz.setTop(vz.top() == e0 + 442 ? e0 + 444 : e0 + 442);
        ui::CheckBox *bell = app.A1().ZvonekRozrezu2;
        bell->setChecked(!bell->checked());
    });
}

void PushButtonMouseDown(App &app, const QString &button)
{
    unitGuard(app, pushCode(button, "Md"), [&] {
        a8(app, button).setTop(app.A8().E0->top() + pressedOffset(button));
        if (button != QLatin1String("ONP"))
            return;
        ui::Control &count = a8(app, "G2");
        if (!app.A1().KodMavex->checked())
            count.setCaption(advanceUseCounter(app, count.caption()));
        count.setHint(count.caption());
    });
}

void PushButtonMouseUp(App &app, const QString &button)
{
    unitGuard(app, pushCode(button, "Mu"),
                [&] { a8(app, button).setTop(app.A8().E0->top() + pressedOffset(button) - 2); });
}

void NTCHDblClick(App &app)
{
    unitGuard(app, QStringLiteral("Error 80ONTCH-Db"), [&] {
        auto &button = a8<ui::Image>(app, "NTCH");
        if (button.height() != app.A3().Tl2->height())
            return;
        button.assignPicture(*app.A3().Tl);
        button.setTransparent(true);
    });
}

void NTCHMouseDown(App &app)
{
    unitGuard(app, QStringLiteral("Error 80ONTCH-Md"), [&] {
        auto &button = a8<ui::Image>(app, "NTCH");
        if (button.height() == app.A3().Tl->height())
            button.setTop(app.A8().E0->top() + 444);
    });
}

void NTCHMouseUp(App &app)
{
    unitGuard(app, QStringLiteral("Error 80ONTCH-Mu"), [&] {
        auto &button = a8<ui::Image>(app, "NTCH");
        if (button.height() != app.A3().Tl->height())
            return;
        button.setTop(app.A8().E0->top() + 442);
        button.assignPicture(*app.A3().Tl2);
        button.setTransparent(false);
    });
}

void CedDblClick(App &app, int which)
{
    a8(app, QLatin1String(Tags[which])).show();
}

void CedulkaDblClick(App &app, int which)
{
    a8(app, QLatin1String(Tags[which])).hide();
}

void SPCClick(App &app)
{
    unitGuard(app, QStringLiteral("Error 80SPC"), [&] {
        const int track = app.A1().KolejC->value();
        for (const TrackShunting &s : Shunting) {
            if (s.track != track)
                continue;
            auto &unit = a5<ui::Edit>(app, s.unit);
            auto &stage = a5<ui::SpinEdit>(app, s.stage);
            /*
             * The label waits while the track cannot take the unit whole
             * without overwriting its vehicles, and while the track's own
             * unit still brakes beyond side A/B: its track reads no loco already.
             */
            if (unit.text() != QStringLiteral("0") || stage.value() != 0
                || !trackview::ShuntTrackTakes(app, track, 'C'))
                return;
            a5<ui::Timer>(app, s.timer).setEnabledFlag(true);
            stage.setValue(-3);
            stage.setColor(QColor(0, 255, 0));
            unit.setText(a5<ui::Edit>(app, "PosunC").text());
            a8(app, "SPC").hide();
        }
    });
}

} // namespace devices::box2
