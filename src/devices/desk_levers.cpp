/** @file desk_levers.cpp The desk's eleven block levers with their interlocking, and the two magnetos. */
#include "core/app.h"
#include "core/form_a1.h"
#include "core/sounds.h"
#include "devices/device_guards.h"
#include "devices/device_handlers.h"
#include "devices/form_a6.h"

namespace devices {

namespace {

/** Relative Lefts (to Blok.Left) of the route locks' turned positions and of the keys at rest. */
constexpr int ZavernikALeft = 265, ZavernikARight = 280, ZavernikBLeft = 650, ZavernikBRight = 665,
              ZavernikCLeft = 958, ZavernikCRight = 973, ZavernikDRight = 518;
constexpr int KlicARest = 339, KlicBRest = 724, KlicCRest = 839;

/** One lever of the desk: its interlocking and its neighbours. */
struct LeverRow {
    ui::Image *TA6::*lever;
    /** @return whether a press goes right down. */
    bool (*allowed)(const TA1 &, const TA6 &);
    ui::Image *TA6::*restFrom; ///< The neighbour whose Top is this lever's rest.
    bool magnetoA;             ///< Magneto A (lines A and B) or B (line C).
    ui::Image *DeskDevices::*tag; ///< The tag that hangs on it, or null.
    int tagOffset;
    const char *pressCode, *releaseCode;
    bool unitGuarded; ///< Guarded by the options instead of the form's guard.
};

int rel(const ui::Image *img, const TA6 &a6)
{
    return img->left() - a6.Blok->left();
}

const LeverRow Levers[LeverCount] = {
    {&TA6::PakaNavBOd,
     [](const TA1 &a1, const TA6 &a6) { return rel(a6.ZavernikA, a6) == ZavernikALeft && a1.NavBOd->value() < 5; },
     &TA6::PakaZavB, true, &DeskDevices::CedulkaBOd, 25, "Error A6PNBO-A", "Error A6PNBO-B", false},
    {&TA6::PakaZavB,
     [](const TA1 &a1, const TA6 &) {
         return a1.NavBOd->value() == 1 && a1.NavBDo->value() == 1 && a1.ZavB->value() >= 2;
     },
     &TA6::PakaNavBOd, true, nullptr, 0, "Error A6PZB-A", "Error A6PZB-B", false},
    {&TA6::PakaNavBDo,
     [](const TA1 &a1, const TA6 &a6) {
         return rel(a6.ZavernikA, a6) == ZavernikARight && a1.NavBDo->value() < 5 &&
                rel(a6.devices.KlicA, a6) == KlicARest;
     },
     &TA6::PakaNavBOd, true, &DeskDevices::CedulkaBDo, 25, "Error A6PNBD-A", "Error A6PNBD-B", false},
    {&TA6::PakaSouLc1,
     [](const TA1 &a1, const TA6 &a6) { return rel(a6.ZavernikD, a6) == ZavernikDRight && a1.SouLc1->value() < 5; },
     &TA6::PakaNavMOd, true, nullptr, 0, "Error A6PSL-A", "Error A6PSL-B", false},
    {&TA6::PakaNavMOd,
     [](const TA1 &a1, const TA6 &a6) { return rel(a6.ZavernikB, a6) == ZavernikBLeft && a1.NavMOd->value() < 5; },
     &TA6::PakaNavBOd, true, &DeskDevices::CedulkaMOd, 25, "Error A6PNMO-A", "Error A6PNMO-B", false},
    {&TA6::PakaZavM,
     [](const TA1 &a1, const TA6 &) {
         return a1.NavMOd->value() == 1 && a1.NavMDo->value() == 1 && a1.ZavM->value() >= 2;
     },
     &TA6::PakaNavBOd, true, nullptr, 0, "Error A6PZM-A", "Error A6PZM-B", false},
    {&TA6::PakaNavMDo,
     [](const TA1 &a1, const TA6 &a6) {
         return rel(a6.ZavernikB, a6) == ZavernikBRight && a1.NavMDo->value() < 5 &&
                rel(a6.devices.KlicB, a6) == KlicBRest;
     },
     &TA6::PakaNavBOd, true, &DeskDevices::CedulkaMDo, 25, "Error A6PNMD-A", "Error A6PNMD-B", false},
    {&TA6::PakaNavCHDo,
     [](const TA1 &a1, const TA6 &a6) {
         return rel(a6.ZavernikC, a6) == ZavernikCLeft && a1.NavCHDo->value() < 5 && a1.PHCHDo->value() < 5 &&
                rel(a6.devices.KlicC, a6) == KlicCRest;
     },
     &TA6::PakaNavCHOd, false, &DeskDevices::CedulkaCHDo, 27, "Error A6PNCHD-A", "Error A6PNCHD-B", false},
    {&TA6::PakaZavCH,
     [](const TA1 &a1, const TA6 &) {
         return a1.NavCHOd->value() == 1 && a1.NavCHDo->value() == 1 && a1.ZavCH->value() >= 2;
     },
     &TA6::PakaNavBOd, false, nullptr, 0, "Error A6PZCH-A", "Error A6PZCH-B", false},
    {&TA6::PakaNavCHOd,
     [](const TA1 &a1, const TA6 &a6) { return rel(a6.ZavernikC, a6) == ZavernikCRight && a1.NavCHOd->value() < 5; },
     &TA6::PakaNavCHDo, false, &DeskDevices::CedulkaCHOd, 27, "Error A6PNCHO-A", "Error A6PNCHO-B", false},
    {&TA6::PakaTSCH,
     [](const TA1 &a1, const TA6 &) { return a1.TSCH->value() == 1 || a1.KodZapadky->checked(); },
     &TA6::PakaZavCH, false, nullptr, 0, "Error 60TSCH-Md", "Error 60TSCH-Mu", true},
};

/** The neighbour each held test compares with, and whether held means lower (levers, bells) or higher. */
struct HeldRule {
    ui::Image *(*device)(const TA6 &);
    ui::Image *(*neighbour)(const TA6 &);
    bool lower;
};

#define A6_MEMBER(m) [](const TA6 &a6) { return a6.m; }
const HeldRule HeldRules[] = {
    {A6_MEMBER(PakaNavBOd), A6_MEMBER(PakaZavB), true},
    {A6_MEMBER(PakaZavB), A6_MEMBER(PakaNavBOd), true},
    {A6_MEMBER(PakaNavBDo), A6_MEMBER(PakaNavBOd), true},
    {A6_MEMBER(PakaSouLc1), A6_MEMBER(PakaNavBOd), true},
    {A6_MEMBER(PakaNavMOd), A6_MEMBER(PakaNavBOd), true},
    {A6_MEMBER(PakaZavM), A6_MEMBER(PakaNavMOd), true},
    {A6_MEMBER(PakaNavMDo), A6_MEMBER(PakaNavBOd), true},
    {A6_MEMBER(PakaNavCHDo), A6_MEMBER(PakaNavCHOd), true},
    {A6_MEMBER(PakaZavCH), A6_MEMBER(PakaNavMOd), true},
    {A6_MEMBER(PakaNavCHOd), A6_MEMBER(PakaNavCHDo), true},
    {A6_MEMBER(PakaTSCH), A6_MEMBER(PakaZavCH), true},
    {A6_MEMBER(devices.NRB), A6_MEMBER(devices.NRM), false},
    {A6_MEMBER(devices.NRM), A6_MEMBER(devices.NRCH), false},
    {A6_MEMBER(devices.NRCH), A6_MEMBER(devices.NRB), false},
    {A6_MEMBER(devices.ZvonekA), A6_MEMBER(devices.ZvonekB), true},
    {A6_MEMBER(devices.ZvonekB), A6_MEMBER(devices.ZvonekA), true},
    {A6_MEMBER(devices.ZvonekC), A6_MEMBER(devices.ZvonekA), true},
    {A6_MEMBER(devices.ZvonekD), A6_MEMBER(devices.ZvonekA), true},
};
#undef A6_MEMBER

/** Puts a visible tag at its lever's Top plus its offset. */
void tagFollows(TA6 &a6, const LeverRow &row)
{
    if (!row.tag)
        return;
    ui::Image *tag = a6.devices.*row.tag;
    if (tag->visible())
        tag->setTop((a6.*row.lever)->top() + row.tagOffset);
}

/** Runs a lever routine under the guard its row names. */
void leverGuard(App &app, const LeverRow &row, const char *code, const std::function<void()> &fn)
{
    if (row.unitGuarded)
        unitGuard(app, QString::fromLatin1(code), fn);
    else
        deskGuard(app, QString::fromLatin1(code), fn);
}

} // namespace

bool isHeld(const TA6 &a6, HeldDevice device)
{
    const HeldRule &r = HeldRules[static_cast<int>(device)];
    const int mine = r.device(a6)->top(), theirs = r.neighbour(a6)->top();
    return r.lower ? mine > theirs : mine < theirs;
}

ui::Image *magnetoOfHeld(const TA6 &a6)
{
    const HeldDevice sideA[] = {HeldDevice::PakaNavBOd, HeldDevice::PakaZavB,   HeldDevice::PakaNavBDo,
                                HeldDevice::PakaSouLc1, HeldDevice::PakaNavMOd, HeldDevice::PakaZavM,
                                HeldDevice::PakaNavMDo, HeldDevice::ZvonekA,    HeldDevice::ZvonekB,
                                HeldDevice::NRB};
    for (HeldDevice d : sideA) {
        if (isHeld(a6, d))
            return a6.InduktorA;
    }
    return a6.InduktorB;
}

void LeverMouseDown(App &app, int lever)
{
    const LeverRow &row = Levers[lever];
    leverGuard(app, row, row.pressCode, [&] {
        TA1 &a1 = app.A1();
        TA6 &a6 = app.A6();
        ui::Image *img = a6.*row.lever;
        img->setTop(img->top() + 2);
        if (row.allowed(a1, a6)) {
            if (lever == static_cast<int>(HeldDevice::PakaTSCH))
                a1.TSCH->setValue(2);
            img->setTop(img->top() + 5);
            if (lever == static_cast<int>(HeldDevice::PakaNavCHOd) && a1.PHCHOd->value() == 1)
                a1.PHCHOd->setValue(2);
            a1.ZaverDK->setEnabledFlag(true);
            core::playSound(app, a1.SndPakaOn);
        }
        tagFollows(a6, row);
    });
}

void LeverMouseUp(App &app, int lever)
{
    const LeverRow &row = Levers[lever];
    leverGuard(app, row, row.releaseCode, [&] {
        TA1 &a1 = app.A1();
        TA6 &a6 = app.A6();
        ui::Image *img = a6.*row.lever;
        a1.ZaverDK->setEnabledFlag(false);
        if (a1.ZaverDK->interval() == 200 && a1.Proud->text() == QStringLiteral("I")) {
            ui::Image *magneto = row.magnetoA ? a6.InduktorA : a6.InduktorB;
            magneto->setTop(magneto->top() - 2);
        }
        a1.ZaverDK->setInterval(300);
        a1.Induktor->setEnabledFlag(false);
        hideMagnetoGlows(app, true);
        a1.Klika->setEnabledFlag(false);
        const int rest = (a6.*row.restFrom)->top();
        if (img->top() == rest + 7 && a1.Zvuky->checked()) {
            core::playSound(app, a1.SndPakaOff);
            core::stopSound(app, a1.SndZaverDK);
            core::stopSound(app, a1.SndKlika);
        }
        img->setTop(rest);
        tagFollows(a6, row);
    });
}

void InduktorMouseDown(App &app, int magneto)
{
    deskGuard(app, magneto == 0 ? QStringLiteral("Error A6IA-A") : QStringLiteral("Error A6IB-A"), [&] {
        TA1 &a1 = app.A1();
        TA6 &a6 = app.A6();
        (magneto == 0 ? a6.InduktorA : a6.InduktorB)->setTop(a6.Blok->top() + 271);
        a1.Induktor->setEnabledFlag(true);
        a1.Proud->setText(QStringLiteral("I"));
        core::playSound(app, a1.SndInduktorOn);
    });
}

void InduktorMouseUp(App &app, int magneto)
{
    deskGuard(app, magneto == 0 ? QStringLiteral("Error A6IA-B") : QStringLiteral("Error A6IB-B"), [&] {
        TA1 &a1 = app.A1();
        TA6 &a6 = app.A6();
        (magneto == 0 ? a6.InduktorA : a6.InduktorB)->setTop(a6.Blok->top() + 269);
        a1.Induktor->setEnabledFlag(false);
        hideMagnetoGlows(app, true);
        core::playSound(app, a1.SndInduktorOff);
    });
}

} // namespace devices
