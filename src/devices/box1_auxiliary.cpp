/** @file box1_auxiliary.cpp Signal box 1's tablets, bells, cranks, emergency buttons, bell switch, tags and consents. */
#include "core/app.h"
#include "core/form_a1.h"
#include "core/sounds.h"
#include "devices/box1_handlers.h"
#include "devices/device_guards.h"
#include "devices/form_a3.h"
#include "devices/form_a7.h"
#include "signalling/signal_panels.h"
#include "trackview/form_a5.h"
#include "trackview/shunting.h"

namespace devices {

using signalling::part;

namespace {

const char *const Tablets[2] = {"DestickaA", "DestickaB"};
const char *const Bells[2] = {"ZvonekA", "ZvonekB"};

/** Bells rest at the block instrument's Top + 279 and stand pressed at + 281. */
constexpr int BellRest = 279, BellPressed = 281;
/** The emergency route-lock buttons: sealed height, rest place and pressed place from the block instrument. */
constexpr int NVZSealed = 26, NVZRest = 455, NVZPressed = 453;
/** Heights of the emergency train-passed buttons. */
constexpr int NVTSealedHeight = 39, NVTRestHeight = 35, NVTArmedHeight = 34;
/** The switch VZ: off and on places from the wall board. */
constexpr int VZOff = 333, VZOn = 335;

const char *const NVZButtons[2] = {"NVZZavB", "NVZZavM"};

/** An emergency train-passed button: its release field (must be 6) and train-passed field (set to 5). */
struct NVTButton {
    const char *name;
    const char *code; ///< "BO" for "Error 70NVTBO-Md".
    ui::SpinEdit *TA1::*release;
    ui::SpinEdit *TA1::*passed;
};
const NVTButton NVTs[4] = {{"NVTBOd", "BO", &TA1::NavBOdSt, &TA1::HrBOd},
                           {"NVTBDo", "BD", &TA1::NavBDoSt, &TA1::HrBDo},
                           {"NVTMOd", "MO", &TA1::NavMOdSt, &TA1::HrMOd},
                           {"NVTMDo", "MD", &TA1::NavMDoSt, &TA1::HrMDo}};

const char *const Tags[4] = {"BOd", "BDo", "MOd", "MDo"};

QString tabletCode(int tablet, const char *event)
{
    return QStringLiteral("Error 70Ds%1-%2").arg(QLatin1Char(tablet ? 'B' : 'A')).arg(QLatin1String(event));
}

QString bellCode(int bell, const char *event)
{
    return QStringLiteral("Error A7Zvk%1-%2").arg(QLatin1Char(bell ? 'B' : 'A')).arg(QLatin1String(event));
}

QString nvtCode(int button, const char *event)
{
    return QStringLiteral("Error 70NVT%1-%2").arg(QLatin1String(NVTs[button].code)).arg(QLatin1String(event));
}

} // namespace

void Box1TabletDown(App &app, int tablet, int y)
{
    unitGuard(app, tabletCode(tablet, "Md"), [&] {
        Box1State &s = app.A7().box1;
        tabletDown(s.tablets, s.tabletDragging[tablet], y);
    });
}

void Box1TabletMove(App &app, int tablet, int y)
{
    unitGuard(app, tabletCode(tablet, "Mm"), [&] {
        Box1State &s = app.A7().box1;
        tabletMove(part<ui::Control>(app.A7(), QLatin1String(Tablets[tablet])), s.tablets, s.tabletDragging[tablet],
                   y);
    });
}

void Box1TabletUp(App &app, int tablet, int y)
{
    unitGuard(app, tabletCode(tablet, "Mu"), [&] {
        Box1State &s = app.A7().box1;
        tabletUp(app, part<ui::Control>(app.A7(), QLatin1String(Tablets[tablet])), s.tablets,
                 s.tabletDragging[tablet], y);
    });
}

void Box1ZvonekDown(App &app, int bell)
{
    ui::guarded(app.A7(), bellCode(bell, "Md"), [&] {
        TA7 &a7 = app.A7();
        part<ui::Control>(a7, QLatin1String(Bells[bell])).setTop(a7.Blok->top() + BellPressed);
        app.A1().ZaverSt1->setEnabledFlag(true);
        core::playSound(app, app.A1().SndZvonekOn);
    });
}

void Box1ZvonekUp(App &app, int bell)
{
    ui::guarded(app.A7(), bellCode(bell, "Mu"), [&] {
        TA7 &a7 = app.A7();
        part<ui::Control>(a7, QLatin1String(Bells[bell])).setTop(a7.Blok->top() + BellRest);
        stopBox1Block(app);
        core::playSound(app, app.A1().SndZvonekOff);
        core::stopSound(app, app.A1().SndKlika);
    });
}

void Box1KlikaDown(App &app)
{
    app.A1().Klika->setEnabledFlag(true);
    app.A1().Proud->setText(QStringLiteral("K"));
}

void Box1KlikaUp(App &app)
{
    app.A1().Klika->setEnabledFlag(false);
    core::stopSound(app, app.A1().SndKlika);
}

void Box1NVZDblClick(App &app, int button)
{
    TA7 &a7 = app.A7();
    auto &img = part<ui::Image>(a7, QLatin1String(NVZButtons[button]));
    ui::SpinEdit *field = button ? app.A1().ZavMSt : app.A1().ZavBSt;
    int &direction = a7.box1.nvzDirection[button];
    const int rest = a7.Blok->top() + NVZRest;
    if (img.height() == NVZSealed) {
        img.assignPicture(*app.A3().NVZ);
        return;
    }
    if (img.top() == rest) {
        img.setTop(a7.Blok->top() + NVZPressed);
        direction = field->value() == 1 ? 2 : 1;
        return;
    }
    /* Each further double click is one step; one more at the end lets the button out. */
    if (direction == 1) {
        if (field->value() > 1)
            field->setValue(field->value() - 1);
        else
            img.setTop(rest);
    } else if (direction == 2) {
        if (field->value() < 5)
            field->setValue(field->value() + 1);
        else
            img.setTop(rest);
    }
}

void Box1NVTDblClick(App &app, int button)
{
    unitGuard(app, nvtCode(button, "Db"), [&] {
        const TA3 &a3 = app.A3();
        auto &img = part<ui::Image>(app.A7(), QLatin1String(NVTs[button].name));
        /* The further stage first, so one double click makes one step. */
        if (img.height() == NVTRestHeight)
            img.assignPicture(*a3.NVTOff);
        if (img.height() == NVTSealedHeight)
            img.assignPicture(*a3.NVTStop);
    });
}

void Box1NVTDown(App &app, int button)
{
    unitGuard(app, nvtCode(button, "Md"), [&] {
        TA1 &a1 = app.A1();
        auto &img = part<ui::Image>(app.A7(), QLatin1String(NVTs[button].name));
        if (img.height() != NVTArmedHeight)
            return;
        img.assignPicture(*app.A3().NVTOn);
        if ((a1.*(NVTs[button].release))->value() == 6) {
            (a1.*(NVTs[button].passed))->setValue(5);
            core::playSound(app, a1.SndZarazka);
        }
    });
}

void Box1NVTUp(App &app, int button)
{
    unitGuard(app, nvtCode(button, "Mu"), [&] {
        auto &img = part<ui::Image>(app.A7(), QLatin1String(NVTs[button].name));
        if (img.height() == NVTArmedHeight)
            img.assignPicture(*app.A3().NVTStop);
    });
}

void Box1VZClick(App &app)
{
    unitGuard(app, QStringLiteral("Error 70VZ"), [&] {
        TA7 &a7 = app.A7();
        ui::Control &vz = part<ui::Control>(a7, "VZ");
        const int off = a7.Deska->top() + VZOff;
        vz.setTop(vz.top() == off ? a7.Deska->top() + VZOn : off);
        app.A1().ZvonekRozrezu1->setChecked(!app.A1().ZvonekRozrezu1->checked());
    });
}

void Box1CedDblClick(App &app, int tag)
{
    part<ui::Control>(app.A7(), QStringLiteral("Cedulka") + QLatin1String(Tags[tag])).show();
}

void Box1CedulkaDblClick(App &app, int tag)
{
    part<ui::Control>(app.A7(), QStringLiteral("Cedulka") + QLatin1String(Tags[tag])).hide();
}

void Box1SPClick(App &app, int side)
{
    unitGuard(app, side ? QStringLiteral("Error 70SPB") : QStringLiteral("Error 70SPA"), [&] {
        const int track = (side ? app.A1().KolejB : app.A1().KolejA)->value();
        if (track != 1 && track != 2 && track != 3 && track != 5 && track != 7)
            return;
        const TA5 &a5 = app.A5();
        auto &unit = part<ui::Edit>(a5, QStringLiteral("Posun%1").arg(track));
        auto &stage = part<ui::SpinEdit>(a5, QStringLiteral("StavPosun%1").arg(track));
        /*
         * The label waits while the track cannot take the unit whole without
         * overwriting its vehicles, and while the track's own unit still
         * brakes beyond side C: its track reads no loco already.
         */
        if (unit.text() != QStringLiteral("0") || stage.value() != 0
            || !trackview::ShuntTrackTakes(app, track, side ? 'B' : 'A'))
            return;
        part<ui::Timer>(a5, QStringLiteral("TimerPosun%1P").arg(track)).setEnabledFlag(true);
        stage.setValue(3);
        stage.setColor(QColor(0, 255, 0));
        unit.setText(part<ui::Edit>(a5, side ? QStringLiteral("PosunB") : QStringLiteral("PosunA")).text());
        /* One unit is beyond side A/B at a time: the other line's label, shown for it as well when both
           routes were laid to its track, brings it no more. */
        part<ui::Control>(app.A7(), QStringLiteral("SPA")).hide();
        part<ui::Control>(app.A7(), QStringLiteral("SPB")).hide();
    });
}

} // namespace devices
