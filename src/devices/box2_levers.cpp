/** @file box2_levers.cpp Box 2's block levers: the Lc1 consent, the two signal releases and the route lock of line C. */
#include "core/sounds.h"
#include "devices/box2_parts.h"
#include "devices/form_a6.h"
#include "signalling/signalling_handlers.h"

namespace devices::box2 {

namespace {

/** One lever: its image, the lever it rests level with, its tag and its error code. */
struct LeverEntry {
    ui::Image *TA8::*lever;
    ui::Image *TA8::*partner;
    const char *tag;    ///< Tag hung on it; null for the consent and route levers.
    const char *code;   ///< Error code without its event suffix.
};

const LeverEntry Levers[4] = {
    {&TA8::PakaSouLc1, &TA8::PakaZavCH, nullptr, "Error A8PSL"},
    {&TA8::PakaNavCHDo, &TA8::PakaNavCHOd, "CedulkaCHDo", "Error A8PNCHD"},
    {&TA8::PakaZavCH, &TA8::PakaSouLc1, nullptr, "Error A8PZCH"},
    {&TA8::PakaNavCHOd, &TA8::PakaNavCHDo, "CedulkaCHOd", "Error A8PNCHO"},
};

const LeverEntry &leverEntry(Lever l)
{
    return Levers[static_cast<int>(l)];
}

/** @return whether the signal knob `NavCH` stands in the middle, as both signal releases need. */
bool signalKnobInMiddle(const App &app)
{
    return leftOf(app, "NavCH") == 2056;
}

/** @return whether a signal release may go home: knob in the middle, latch released (or ignored), train passed. */
bool releaseAllowed(const App &app, const ui::SpinEdit *latch, const ui::SpinEdit *passed)
{
    return signalKnobInMiddle(app) && (latch->value() == 6 || app.A1().KodZapadky->checked())
           && passed->value() >= 2;
}

/** @return whether the lever may be pressed home now. */
bool mayGoHome(const App &app, Lever l)
{
    const TA1 &a1 = app.A1();
    switch (l) {
    case Lever::SouLc1:
        return leftOf(app, "IK") == 1650 && a1.SouLc1->value() >= 2;
    case Lever::NavCHDo:
        return releaseAllowed(app, a1.NavCHDoSt, a1.HrCHDo);
    case Lever::ZavCH:
        return leftOf(app, "I1") != 982 || leftOf(app, "I4") != 1078 || leftOf(app, "I7") != 1174;
    case Lever::NavCHOd:
        return releaseAllowed(app, a1.NavCHOdSt, a1.HrCHOd);
    }
    return false;
}

/** Shows the route label of the track that the desk's knob of line C stands at. */
void showChosenRoute(App &app)
{
    const TA6 &a6 = app.A6();
    const int stop = a6.KnoflikC->top() - a6.Blok->top();
    const char *label = stop == 796   ? "CisloCH7"
                        : stop == 804 ? "CisloCH5"
                        : stop == 812 ? "CisloCH3"
                        : stop == 828 ? "CisloCH1"
                        : stop == 844 ? "CisloCH2"
                                      : nullptr;
    if (label)
        a8(app, QLatin1String(label)).show();
}

/** The lever's own write when it goes home. */
void homeWrite(App &app, Lever l)
{
    TA1 &a1 = app.A1();
    switch (l) {
    case Lever::NavCHDo:
        if (a1.NavCHDoSt->value() == 6)
            a1.NavCHDoSt->setValue(5);
        return;
    case Lever::NavCHOd:
        if (a1.NavCHOdSt->value() == 6)
            a1.NavCHOdSt->setValue(5);
        return;
    case Lever::ZavCH:
        showChosenRoute(app);
        return;
    case Lever::SouLc1:
        return;
    }
}

/** A shown tag hangs on its lever and moves with it. */
void moveTag(App &app, const LeverEntry &ls)
{
    if (!ls.tag)
        return;
    ui::Control &tag = a8(app, QLatin1String(ls.tag));
    if (tag.visible())
        tag.setTop((app.A8().*ls.lever)->top() + 27);
}

} // namespace

void LeverMouseDown(App &app, Lever lever)
{
    const LeverEntry &ls = leverEntry(lever);
    ui::guarded(app.A8(), QLatin1String(ls.code) + "-A", [&] {
        TA1 &a1 = app.A1();
        ui::Image *l = app.A8().*ls.lever;
        l->setTop(l->top() + 2);
        if (mayGoHome(app, lever)) {
            l->setTop(l->top() + 5);
            homeWrite(app, lever);
            a1.ZaverSt2->setEnabledFlag(true);
            core::playSound(app, a1.SndPakaOn);
        }
        moveTag(app, ls);
    });
}

void LeverMouseUp(App &app, Lever lever)
{
    const LeverEntry &ls = leverEntry(lever);
    ui::guarded(app.A8(), QLatin1String(ls.code) + "-B", [&] {
        TA1 &a1 = app.A1();
        ui::Image *l = app.A8().*ls.lever;
        const int rest = (app.A8().*ls.partner)->top();
        signalling::StopBlockCrank(app, *a1.ZaverSt2);
        if (l->top() == rest + 7 && a1.Zvuky->checked()) {
            a1.SndPakaOff->play();
            a1.SndZaverSt2->stop();
            a1.SndKlika->stop();
        }
        l->setTop(rest);
        moveTag(app, ls);
    });
}

} // namespace devices::box2
