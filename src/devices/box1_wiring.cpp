/** @file box1_wiring.cpp Wires signal box 1's devices to their handlers and gives them their stock pictures. */
#include "core/app.h"
#include "devices/box1_handlers.h"
#include "devices/box1_positions.h"
#include "devices/form_a3.h"
#include "devices/form_a7.h"
#include "signalling/signal_panels.h"

namespace devices {

using signalling::part;

namespace {

/** @return the control of this name on box 1; a missing one stops the wiring with a failure. */
ui::Control &on(TA7 &a7, const QString &name)
{
    return part<ui::Control>(a7, name);
}

void wireKnobs(App &app, TA7 &a7)
{
    for (int k = 0; k < KnobCount; ++k) {
        const Box1Knob knob = Box1Knob(k);
        ui::Image &img = box1Knob(a7, knob);
        img.assignPicture(*app.A3().Klicka0);
        img.onMouseDown = [&app, knob](ui::MouseButton, ui::ShiftState, int x, int) { Box1KnobDown(app, knob, x); };
        img.onMouseMove = [&app, knob](ui::ShiftState, int x, int) { Box1KnobMove(app, knob, x); };
        img.onMouseUp = [&app, knob](ui::MouseButton, ui::ShiftState, int, int) { Box1KnobUp(app, knob); };
    }
}

/** Wires a press and a release that take no position. */
void pressRelease(ui::Control &c, std::function<void()> down, std::function<void()> up)
{
    c.onMouseDown = [down](ui::MouseButton, ui::ShiftState, int, int) { down(); };
    c.onMouseUp = [up](ui::MouseButton, ui::ShiftState, int, int) { up(); };
}

void wireBlock(App &app, TA7 &a7)
{
    ui::Image *const levers[6] = {a7.PakaNavBOd, a7.PakaZavB, a7.PakaNavBDo, a7.PakaNavMDo, a7.PakaZavM, a7.PakaNavMOd};
    for (int l = 0; l < 6; ++l)
        pressRelease(*levers[l], [&app, l] { Box1LeverDown(app, l); }, [&app, l] { Box1LeverUp(app, l); });
    pressRelease(*a7.Induktor, [&app] { Box1InduktorDown(app); }, [&app] { Box1InduktorUp(app); });
}

void wireLeverFrame(App &app, TA7 &a7)
{
    for (int n = 1; n <= 11; ++n)
        pressRelease(leverHead(a7, n), [&app, n] { PakaMouseDown(app, n); }, [&app, n] { PakaMouseUp(app, n); });
    pressRelease(on(a7, "PNL"), [&app] { Box1PNDown(app, 0); }, [&app] { Box1PNUp(app, 0); });
    pressRelease(on(a7, "PNML"), [&app] { Box1PNDown(app, 1); }, [&app] { Box1PNUp(app, 1); });
    auto &dn = part<ui::Image>(a7, "DN");
    dn.assignPicture(*app.A3().Radic0);
    dn.onClick = [&app] { Box1DNClick(app); };
}

void wireAuxiliary(App &app, TA7 &a7)
{
    const char *const tablets[2] = {"DestickaA", "DestickaB"};
    for (int t = 0; t < 2; ++t)
        for (const QString &name : {QLatin1String(tablets[t]) + QString(), QLatin1String(tablets[t]) + QString("2")}) {
            ui::Control &c = on(a7, name);
            c.onMouseDown = [&app, t](ui::MouseButton, ui::ShiftState, int, int y) { Box1TabletDown(app, t, y); };
            c.onMouseMove = [&app, t](ui::ShiftState, int, int y) { Box1TabletMove(app, t, y); };
            c.onMouseUp = [&app, t](ui::MouseButton, ui::ShiftState, int, int y) { Box1TabletUp(app, t, y); };
        }
    pressRelease(on(a7, "ZvonekA"), [&app] { Box1ZvonekDown(app, 0); }, [&app] { Box1ZvonekUp(app, 0); });
    pressRelease(on(a7, "ZvonekB"), [&app] { Box1ZvonekDown(app, 1); }, [&app] { Box1ZvonekUp(app, 1); });
    for (const char *crank : {"KlikaL", "KlikaP"})
        pressRelease(on(a7, QLatin1String(crank)), [&app] { Box1KlikaDown(app); }, [&app] { Box1KlikaUp(app); });
    on(a7, "NVZZavB").onDblClick = [&app] { Box1NVZDblClick(app, 0); };
    on(a7, "NVZZavM").onDblClick = [&app] { Box1NVZDblClick(app, 1); };
    const char *const nvt[4] = {"NVTBOd", "NVTBDo", "NVTMOd", "NVTMDo"};
    for (int b = 0; b < 4; ++b) {
        auto &img = part<ui::Image>(a7, QLatin1String(nvt[b]));
        img.assignPicture(*app.A3().NVTStop2);
        img.onDblClick = [&app, b] { Box1NVTDblClick(app, b); };
        pressRelease(img, [&app, b] { Box1NVTDown(app, b); }, [&app, b] { Box1NVTUp(app, b); });
    }
    on(a7, "VZ").onClick = [&app] { Box1VZClick(app); };
    const char *const tags[4] = {"BOd", "BDo", "MOd", "MDo"};
    for (int t = 0; t < 4; ++t) {
        on(a7, QStringLiteral("Ced") + tags[t]).onDblClick = [&app, t] { Box1CedDblClick(app, t); };
        on(a7, QStringLiteral("Cedulka") + tags[t]).onDblClick = [&app, t] { Box1CedulkaDblClick(app, t); };
    }
    on(a7, "SPA").onClick = [&app] { Box1SPClick(app, 0); };
    on(a7, "SPB").onClick = [&app] { Box1SPClick(app, 1); };
}

} // namespace

void wireA7(App &app)
{
    TA7 &a7 = app.A7();
    wireKnobs(app, a7);
    wireBlock(app, a7);
    wireLeverFrame(app, a7);
    wireAuxiliary(app, a7);
}

} // namespace devices
