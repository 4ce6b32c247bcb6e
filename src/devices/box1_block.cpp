/** @file box1_block.cpp Signal box 1's block levers and its magneto. */
#include "core/app.h"
#include "core/form_a1.h"
#include "core/sounds.h"
#include "devices/box1_handlers.h"
#include "devices/box1_positions.h"
#include "devices/device_guards.h"
#include "devices/form_a6.h"
#include "devices/form_a7.h"
#include "signalling/signal_panels.h"
#include "signalling/signalling_handlers.h"

namespace devices {

using signalling::part;

namespace {

/** Touched: 2 px below rest; pressed home: 7 px below rest. */
constexpr int Touched = 2, Home = 7;
/** A hanging tag stands this far below its lever's Top. */
constexpr int TagDrop = 27;

/** One block lever of the row and what its press needs. */
struct BlockLever {
    ui::Image *TA7::*lever;
    ui::Image *TA7::*partner;   ///< The lever it rests level with.
    const char *code;           ///< "PNBO" for "Error A7PNBO-A".
    const char *tag;            ///< The tag that hangs on it, or null (route levers).
    Box1Knob knob;              ///< Signal levers: the line's signal knob, which must be at rest.
    ui::SpinEdit *TA1::*field;  ///< Signal levers: the box's release field (6 = released).
    ui::SpinEdit *TA1::*passed; ///< Signal levers: the train-passed field (> 1 to go home).
};

const BlockLever Levers[6] = {
    {&TA7::PakaNavBOd, &TA7::PakaNavBDo, "PNBO", "CedulkaBOd", KnobNavB, &TA1::NavBOdSt, &TA1::HrBOd},
    {&TA7::PakaZavB, &TA7::PakaZavM, "PZB", nullptr, KnobNavB, nullptr, nullptr},
    {&TA7::PakaNavBDo, &TA7::PakaNavBOd, "PNBD", "CedulkaBDo", KnobNavB, &TA1::NavBDoSt, &TA1::HrBDo},
    {&TA7::PakaNavMDo, &TA7::PakaNavMOd, "PNMD", "CedulkaMDo", KnobNavM, &TA1::NavMDoSt, &TA1::HrMDo},
    {&TA7::PakaZavM, &TA7::PakaZavB, "PZM", nullptr, KnobNavM, nullptr, nullptr},
    {&TA7::PakaNavMOd, &TA7::PakaNavMDo, "PNMO", "CedulkaMOd", KnobNavM, &TA1::NavMOdSt, &TA1::HrMOd},
};

QString code(int lever, char event)
{
    return QStringLiteral("Error A7%1-%2").arg(QLatin1String(Levers[lever].code)).arg(QLatin1Char(event));
}

/** A hanging tag follows its lever. */
void moveTag(const App &app, const BlockLever &l)
{
    if (!l.tag)
        return;
    TA7 &a7 = app.A7();
    ui::Control &tag = part<ui::Control>(a7, QLatin1String(l.tag));
    if (tag.visible())
        tag.setTop((a7.*(l.lever))->top() + TagDrop);
}

/** @return whether one of the line's route locks stands off its rest. */
bool routeLockTurned(const TA7 &a7, bool lineB)
{
    const int first = lineB ? Lock4 : Lock1;
    for (int k = first; k < first + 3; ++k)
        if (!atRest(a7, Box1Knob(k)))
            return true;
    return false;
}

/** Shows the route label of the track the desk's knob of the line stands at. */
void showRouteLabel(App &app, bool lineB)
{
    const TA6 &a6 = app.A6();
    const int stop = (lineB ? a6.KnoflikB : a6.KnoflikA)->top() - a6.Blok->top();
    static const std::pair<int, int> Stops[] = {{796, 7}, {804, 5}, {812, 3}, {828, 1}, {844, 2}, {852, 4}};
    for (const auto &[at, track] : Stops)
        if (stop == at)
            part<ui::Control>(app.A7(), QStringLiteral("Cislo%1%2").arg(lineB ? 'M' : 'B').arg(track)).show();
}

/** Starts the box's block: the crank timer runs and the lever sounds. */
void startBlock(App &app)
{
    app.A1().ZaverSt1->setEnabledFlag(true);
    core::playSound(app, app.A1().SndPakaOn);
}

} // namespace

void stopBox1Block(App &app)
{
    signalling::StopBlockCrank(app, *app.A1().ZaverSt1);
    hideMagnetoGlows(app, true);
}

void Box1LeverDown(App &app, int lever)
{
    ui::guarded(app.A7(), code(lever, 'A'), [&] {
        TA1 &a1 = app.A1();
        TA7 &a7 = app.A7();
        const BlockLever &l = Levers[lever];
        ui::Image *img = a7.*(l.lever);
        img->setTop(img->top() + Touched);
        if (l.field) {
            ui::SpinEdit *field = a1.*(l.field);
            const bool home = atRest(a7, l.knob) && (field->value() == 6 || a1.KodZapadky->checked())
                              && (a1.*(l.passed))->value() > 1;
            if (home) {
                img->setTop(img->top() + Home - Touched);
                if (field->value() == 6)
                    field->setValue(5);
                startBlock(app);
            }
        } else {
            const bool lineB = l.lever == &TA7::PakaZavM;
            if (routeLockTurned(a7, lineB)) {
                img->setTop(img->top() + Home - Touched);
                startBlock(app);
                showRouteLabel(app, lineB);
            }
        }
        moveTag(app, l);
    });
}

void Box1LeverUp(App &app, int lever)
{
    ui::guarded(app.A7(), code(lever, 'B'), [&] {
        TA1 &a1 = app.A1();
        TA7 &a7 = app.A7();
        const BlockLever &l = Levers[lever];
        ui::Image *img = a7.*(l.lever);
        const int rest = (a7.*(l.partner))->top();
        stopBox1Block(app);
        if (img->top() == rest + Home) {
            core::playSound(app, a1.SndPakaOff);
            core::stopSound(app, a1.SndZaverSt1);
            core::stopSound(app, a1.SndKlika);
        }
        img->setTop(rest);
        moveTag(app, l);
    });
}

void Box1InduktorDown(App &app)
{
    ui::guarded(app.A7(), QStringLiteral("Error A7I-A"), [&] {
        TA1 &a1 = app.A1();
        TA7 &a7 = app.A7();
        a7.Induktor->setTop(a7.Blok->top() + 236);
        a1.Induktor->setEnabledFlag(true);
        a1.Proud->setText(QStringLiteral("I"));
        core::playSound(app, a1.SndInduktorOn);
    });
}

void Box1InduktorUp(App &app)
{
    ui::guarded(app.A7(), QStringLiteral("Error A7I-B"), [&] {
        TA1 &a1 = app.A1();
        TA7 &a7 = app.A7();
        a7.Induktor->setTop(a7.Blok->top() + 234);
        a1.Induktor->setEnabledFlag(false);
        hideMagnetoGlows(app, true);
        core::playSound(app, a1.SndInduktorOff);
    });
}

} // namespace devices
