/** @file box2_wiring.cpp The events of box 2's devices tied to their handlers. */
#include "devices/box2_parts.h"

namespace devices {

namespace {

using namespace box2;

/** Ties a press and a release to handlers that need no mouse position. */
void onPressRelease(ui::Control &c, std::function<void()> down, std::function<void()> up)
{
    c.onMouseDown = [down = std::move(down)](ui::MouseButton, ui::ShiftState, int, int) { down(); };
    c.onMouseUp = [up = std::move(up)](ui::MouseButton, ui::ShiftState, int, int) { up(); };
}

void wireKnobs(App &app)
{
    for (int k = 0; k < KnobCount; ++k) {
        const Knob knob = static_cast<Knob>(k);
        ui::Control &c = a8(app, knobName(knob));
        c.onMouseDown = [&app, knob](ui::MouseButton, ui::ShiftState, int x, int) { KnobMouseDown(app, knob, x); };
        c.onMouseMove = [&app, knob](ui::ShiftState, int x, int) { KnobMouseMove(app, knob, x); };
        c.onMouseUp = [&app, knob](ui::MouseButton, ui::ShiftState, int, int) { KnobMouseUp(app, knob); };
    }
}

void wireLevers(App &app)
{
    const std::pair<Lever, const char *> levers[] = {{Lever::SouLc1, "PakaSouLc1"},
                                                    {Lever::NavCHDo, "PakaNavCHDo"},
                                                    {Lever::ZavCH, "PakaZavCH"},
                                                    {Lever::NavCHOd, "PakaNavCHOd"}};
    for (auto [lever, name] : levers)
        onPressRelease(
            a8(app, QLatin1String(name)), [&app, lever = lever] { LeverMouseDown(app, lever); },
            [&app, lever = lever] { LeverMouseUp(app, lever); });
}

void wirePoints(App &app)
{
    for (int motor = 10; motor <= 13; ++motor) {
        a8<ui::Timer>(app, QStringLiteral("TimerVymena%1").arg(motor)).setOnTimer([&app, motor] {
            TimerVymenaTimer(app, motor);
        });
        ui::Control &npv = a8(app, QStringLiteral("NPV%1").arg(motor));
        npv.onDblClick = [&app, motor] { NPVDblClick(app, motor); };
        onPressRelease(npv, [&app, motor] { NPVMouseDown(app, motor); }, [&app, motor] { NPVMouseUp(app, motor); });
    }
    a8<ui::SpinEdit>(app, "Ampermetr").onChange = [&app] { AmpermetrChange(app); };
    a8(app, "NVP").onClick = [&app] { NVPClick(app); };
    a8(app, "G5").onClick = [&app] { G5Click(app); };
    onPressRelease(a8(app, "G6"), [&app] { G6MouseDown(app); }, [&app] { G6MouseUp(app); });
    onPressRelease(a8(app, "Lc1"), [&app] { Lc1MouseDown(app); }, [&app] { Lc1MouseUp(app); });
    onPressRelease(a8(app, "G8"), [&app] { G8MouseDown(app); }, [&app] { G8MouseUp(app); });
    a8(app, "G4").onClick = [&app] { G4Click(app); };
}

void wireAuxiliary(App &app)
{
    for (const char *part : {"DestickaA", "DestickaA2"}) {
        ui::Control &c = a8(app, QLatin1String(part));
        c.onMouseDown = [&app](ui::MouseButton, ui::ShiftState, int, int y) { DestickaAMouseDown(app, y); };
        c.onMouseMove = [&app](ui::ShiftState, int, int y) { DestickaAMouseMove(app, y); };
        c.onMouseUp = [&app](ui::MouseButton, ui::ShiftState, int, int y) { DestickaAMouseUp(app, y); };
    }
    onPressRelease(a8(app, "Zvonek"), [&app] { ZvonekMouseDown(app); }, [&app] { ZvonekMouseUp(app); });
    onPressRelease(a8(app, "Klika"), [&app] { KlikaMouseDown(app); }, [&app] { KlikaMouseUp(app); });
    const char *const releases[2] = {"NVZSouLc1", "NVZZavCH"};
    const char *const trainPassed[2] = {"NVTCHDo", "NVTCHOd"};
    const char *const holders[2] = {"CedCHDo", "CedCHOd"};
    const char *const tags[2] = {"CedulkaCHDo", "CedulkaCHOd"};
    for (int k = 0; k < 2; ++k) {
        a8(app, QLatin1String(releases[k])).onDblClick = [&app, k] { NVZDblClick(app, k); };
        ui::Control &nvt = a8(app, QLatin1String(trainPassed[k]));
        nvt.onDblClick = [&app, k] { NVTDblClick(app, k); };
        onPressRelease(nvt, [&app, k] { NVTMouseDown(app, k); }, [&app, k] { NVTMouseUp(app, k); });
        a8(app, QLatin1String(holders[k])).onDblClick = [&app, k] { CedDblClick(app, k); };
        a8(app, QLatin1String(tags[k])).onDblClick = [&app, k] { CedulkaDblClick(app, k); };
    }
    a8(app, "VZ").onClick = [&app] { VZClick(app); };
    for (const char *name : {"NKO", "NNP", "ONP"}) {
        const QString button = QLatin1String(name);
        onPressRelease(
            a8(app, button), [&app, button] { PushButtonMouseDown(app, button); },
            [&app, button] { PushButtonMouseUp(app, button); });
    }
    ui::Control &ntch = a8(app, "NTCH");
    ntch.onDblClick = [&app] { NTCHDblClick(app); };
    onPressRelease(ntch, [&app] { NTCHMouseDown(app); }, [&app] { NTCHMouseUp(app); });
    a8(app, "SPC").onClick = [&app] { SPCClick(app); };
}

} // namespace

void wireA8(App &app)
{
    /* The points start at their end +10, which their green lamps show. */
    for (int motor = 10; motor <= 13; ++motor)
        a8(app, QStringLiteral("V%1Zelena").arg(motor)).show();
    wireKnobs(app);
    wireLevers(app);
    wirePoints(app);
    wireAuxiliary(app);
}

} // namespace devices
