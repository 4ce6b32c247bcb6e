/** @file desk_wiring.cpp Wiring of the desk's device handlers to a newly created desk, and the devices' stock pictures. */
#include "core/app.h"
#include "devices/device_guards.h"
#include "devices/device_handlers.h"
#include "devices/form_a6.h"

namespace devices {

namespace {

using ui::MouseButton;
using ui::ShiftState;

/** Wires a press and a release that take no coordinates. */
void onPressRelease(ui::Control *c, std::function<void()> down, std::function<void()> up)
{
    c->onMouseDown = [down](MouseButton, ShiftState, int, int) { down(); };
    c->onMouseUp = [up](MouseButton, ShiftState, int, int) { up(); };
}

/** Wires a drag: press, move and release, passing the mouse Y (vertical) or X. */
void onDrag(ui::Control *c, bool vertical, std::function<void(int)> start, std::function<void(int)> move,
            std::function<void(int)> end)
{
    c->onMouseDown = [=](MouseButton, ShiftState, int x, int y) { start(vertical ? y : x); };
    c->onMouseMove = [=](ShiftState, int x, int y) { move(vertical ? y : x); };
    c->onMouseUp = [=](MouseButton, ShiftState, int x, int y) { end(vertical ? y : x); };
}

void wireRoute(App &app, TA6 &a6)
{
    ui::Image *knobs[3] = {a6.KnoflikA, a6.KnoflikB, a6.KnoflikC};
    for (int k = 0; k < 3; ++k)
        onDrag(knobs[k], true, [&app, k](int y) { KnobDragStart(app, k, y); },
               [&app, k](int y) { KnobDragMove(app, k, y); }, [&app, k](int) { KnobDragEnd(app, k); });
    ui::Image *locks[5] = {a6.ZavernikA, a6.ZavernikB, a6.ZavernikC, a6.ZavernikD, a6.ZavernikE};
    for (int l = 0; l < 5; ++l)
        onDrag(locks[l], false, [&app, l](int x) { LockDragStart(app, l, x); },
               [&app, l](int x) { LockDragMove(app, l, x); }, [&app, l](int) { LockDragEnd(app, l); });
}

void wireLevers(App &app, TA6 &a6)
{
    ui::Image *levers[LeverCount] = {a6.PakaNavBOd, a6.PakaZavB,    a6.PakaNavBDo, a6.PakaSouLc1,
                                     a6.PakaNavMOd, a6.PakaZavM,    a6.PakaNavMDo, a6.PakaNavCHDo,
                                     a6.PakaZavCH,  a6.PakaNavCHOd, a6.PakaTSCH};
    for (int i = 0; i < LeverCount; ++i)
        onPressRelease(levers[i], [&app, i] { LeverMouseDown(app, i); }, [&app, i] { LeverMouseUp(app, i); });
    ui::Image *magnetos[2] = {a6.InduktorA, a6.InduktorB};
    for (int m = 0; m < 2; ++m)
        onPressRelease(magnetos[m], [&app, m] { InduktorMouseDown(app, m); },
                       [&app, m] { InduktorMouseUp(app, m); });
}

void wireBellsAndButtons(App &app, DeskDevices &d)
{
    ui::Image *bells[4] = {d.ZvonekA, d.ZvonekB, d.ZvonekC, d.ZvonekD};
    for (int b = 0; b < 4; ++b)
        onPressRelease(bells[b], [&app, b] { ZvonekMouseDown(app, b); }, [&app, b] { ZvonekMouseUp(app, b); });
    for (ui::Image *crank : {d.KlikaL, d.KlikaP})
        onPressRelease(crank, [&app] { KlikaMouseDown(app); }, [&app] { KlikaMouseUp(app); });
    ui::Control *anchors[6] = {d.CedBOd, d.CedBDo, d.CedMOd, d.CedMDo, d.CedCHDo, d.CedCHOd};
    ui::Control *tags[6] = {d.CedulkaBOd, d.CedulkaBDo, d.CedulkaMOd, d.CedulkaMDo, d.CedulkaCHDo, d.CedulkaCHOd};
    for (int t = 0; t < 6; ++t) {
        anchors[t]->onDblClick = [&app, t] { CedDblClick(app, t); };
        tags[t]->onDblClick = [&app, t] { CedulkaDblClick(app, t); };
    }
    ui::Image *releases[3] = {d.NRB, d.NRM, d.NRCH};
    for (int b = 0; b < 3; ++b)
        onPressRelease(releases[b], [&app, b] { NRMouseDown(app, b); }, [&app, b] { NRMouseUp(app, b); });
    for (int i = 0; i < 10; ++i)
        d.NVZ[i]->onDblClick = [&app, i] { NVZDblClick(app, i); };
}

void wireKeysAndTablets(App &app, TA6 &a6)
{
    DeskDevices &d = a6.devices;
    for (int t = 0; t < 4; ++t) {
        for (ui::Control *c : {static_cast<ui::Control *>(d.Desticka[t]), static_cast<ui::Control *>(d.Desticka2[t])})
            onDrag(c, true, [&app, t](int y) { TabletDown(app, t, y); }, [&app, t](int y) { TabletMove(app, t, y); },
                   [&app, t](int y) { TabletUp(app, t, y); });
    }
    ui::Image *keys[3] = {d.KlicA, d.KlicB, d.KlicC};
    for (int k = 0; k < 3; ++k)
        onDrag(keys[k], false, [&app, k](int x) { KeyDragStart(app, k, x); },
               [&app, k](int x) { KeyDragMove(app, k, x); }, [&app, k](int) { KeyDragEnd(app, k); });
    onPressRelease(a6.VUDTlv, [&app] { VudTlvDown(app); }, [&app] { VudButtonUp(app, true); });
    onPressRelease(a6.VUDTlo, [&app] { VudTloDown(app); }, [&app] { VudButtonUp(app, false); });
}

void wireBoard(App &app, DeskDevices &d)
{
    ui::Image *callOn[3] = {d.PNL, d.PNML, d.PNS};
    for (int i = 0; i < 3; ++i) {
        callOn[i]->onDblClick = [&app, i] { PNDblClick(app, i); };
        callOn[i]->onMouseDown = [&app, i](MouseButton, ShiftState, int, int) { PNMouseDown(app, i); };
    }
    d.DN->onClick = [&app] { DNClick(app); };
    d.Zatemneni->onDblClick = [&app] { ZatemneniDblClick(app); };
    d.Zatemneni->onMouseDown = [&app](MouseButton, ShiftState, int, int) { ZatemneniMouseDown(app); };
    ui::Image *cutOuts[3] = {d.VZM, d.VZIKLada, d.VZ};
    for (int b = 0; b < 3; ++b)
        onPressRelease(cutOuts[b], [&app, b] { BellCutOutDown(app, b); }, [&app, b] { BellCutOutUp(app, b); });
    d.PorIsSt->onMouseDown = [&app](MouseButton, ShiftState, int, int) { PorIsStMouseDown(app); };
    onPressRelease(d.TSM, [&app] { TSMMouseDown(app); }, [&app] { TSMMouseUp(app); });
    onPressRelease(d.ZSM, [&app] { ZSMMouseDown(app); }, [&app] { ZSMMouseUp(app); });
    onPressRelease(d.ODHLM, [&app] { ODHLMMouseDown(app); }, [&app] { ODHLMMouseUp(app); });
}

/** Gives the devices whose look is a picture-store picture their start picture. */
void stockPictures(App &app, DeskDevices &d)
{
    for (ui::Image *key : {d.KlicA, d.KlicB, d.KlicC})
        takeStockPicture(app, *key, QStringLiteral("KlicOff"));
    for (ui::Image *button : {d.PNL, d.PNML, d.PNS})
        takeStockPicture(app, *button, QStringLiteral("Tl2"));
    takeStockPicture(app, *d.Zatemneni, QStringLiteral("Tl3"));
    takeStockPicture(app, *d.DN, QStringLiteral("RadicL1"));
    takeStockPicture(app, *d.KlikaL, QStringLiteral("KlikaLOff"));
    takeStockPicture(app, *d.KlikaP, QStringLiteral("KlikaPOn"));
}

} // namespace

void wireA6(App &app)
{
    TA6 &a6 = app.A6();
    wireRoute(app, a6);
    wireLevers(app, a6);
    wireBellsAndButtons(app, a6.devices);
    wireKeysAndTablets(app, a6);
    wireBoard(app, a6.devices);
    stockPictures(app, a6.devices);
}

} // namespace devices
