/**
 * @file signalling_hooks.cpp Wiring of the signalling handlers to the cells of A1, and the handlers of the
 * store's own cells. The desk's lock engine, the signalmen and Struhy's buttons attach to the
 * timer and panel hooks.
 */
#include "core/app.h"
#include "core/core_handlers.h"
#include "core/form_a1.h"
#include "devices/device_handlers.h"
#include "frame/form_a0.h"
#include "signalling/signalling_handlers.h"

#include <stdexcept>

namespace signalling {

namespace {

/** The block fields with a change handler of their own; `TSCH2` shares that of `TSCH`. */
const char *const BlockFields[] = {
    "HrBOd",  "NavBOd",  "ZavB",    "NavBDo",   "HrBDo",    "SouLc1",   "HrMOd",    "NavMOd",
    "ZavM",   "NavMDo",  "HrMDo",   "PHCHDo",   "HrCHDo",   "NavCHDo",  "ZavCH",    "NavCHOd",
    "HrCHOd", "PHCHOd",  "TSCH",    "ZavBSt",   "ZavMSt",   "ZavCHSt",  "SouLc1St", "NavBOdSt",
    "NavBDoSt", "NavMOdSt", "NavMDoSt", "NavCHDoSt", "NavCHOdSt", "NavJOd", "TSJ",     "PHJDo",
};
const char *const Sections[] = {"IKA", "IKB", "IKLada"};
const char *const Circuits[] = {"KO11", "KO12", "KO13", "KOS", "KO1a"};
const char *const DeviceTimers[] = {"Blikac",   "Kmitac",  "Induktor", "Klika",       "ZaverDK",    "ZaverSt1",
                                    "ZaverSt2", "ZaverCH", "SignalistaA", "SignalistaB", "SignalistaC"};
const char *const NeighbourParts[] = {"TSM", "ZSM", "ODHLM", "VZM", "PakaTSJ", "PakaNavJOd"};

/** @return the cell of this name and kind; a missing one is a fault of the store's build. */
template <class T> T &cell(TA1 &a1, const QString &name)
{
    auto *c = dynamic_cast<T *>(a1.find(name));
    if (!c)
        throw std::logic_error(("A1 has no cell " + name).toStdString());
    return *c;
}

/** Wires the change handler of a word or number cell to a hook that takes the cell's name. */
void wireChange(App &app, const char *name, void (*hook)(App &, const QString &), const QString &as)
{
    cell<ui::Edit>(app.A1(), QString::fromLatin1(name)).onChange = [&app, hook, as] { hook(app, as); };
}

void wireSignals(App &app)
{
    TA1 &a1 = app.A1();
    for (int i = 0; i < 14; ++i) {
        a1.Aspect[i]->onChange = [&app, i] { AspectChange(app, i); };
        a1.AspectList[i]->onClick = [&app, i] { AspectListClick(app, i); };
    }
    a1.C49->onChange = [&app] { C49Change(app); };
    a1.C60->onClick = [&app] { C60Click(app); };
}

void wireNeighbourPanels(App &app)
{
    TA1 &a1 = app.A1();
    for (const char *name : NeighbourParts) {
        const QString part = QString::fromLatin1(name);
        ui::Image &image = cell<ui::Image>(a1, part);
        image.onMouseDown = [&app, part](ui::MouseButton, ui::ShiftState, int, int) { NeighbourPress(app, part); };
        image.onMouseUp = [&app, part](ui::MouseButton, ui::ShiftState, int, int) { NeighbourRelease(app, part); };
    }
    a1.ScrollBar1->onChange = [&app] { ScrollBar1Change(app); };
    a1.Label1->onClick = [&app] { Label1Click(app); };
}

} // namespace

void wireA1(App &app)
{
    TA1 &a1 = app.A1();
    wireSignals(app);
    for (const char *name : BlockFields)
        wireChange(app, name, BlockFieldChange, QString::fromLatin1(name));
    wireChange(app, "TSCH2", BlockFieldChange, QStringLiteral("TSCH"));
    for (const char *name : Sections)
        wireChange(app, name, SectionChange, QString::fromLatin1(name));
    for (const char *name : Circuits)
        wireChange(app, name, TrackCircuitChange, QString::fromLatin1(name));
    a1.VUD->onChange = [&app] { VUDChange(app); };
    a1.PZZ->onChange = [&app] { PZZChange(app); };
    a1.Rychlost->onChange = [&app] {
        core::ClockSpeedChange(app);
        RychlostChange(app);
    };
    a1.Varovani->onChange = [&app] { VarovaniChange(app); };
    for (const char *name : DeviceTimers) {
        const QString timer = QString::fromLatin1(name);
        /* The handler is found once here, not by its name at every firing. */
        void (*handler)(App &) = deviceTimerHandler(timer);
        if (!handler)
            throw std::logic_error(("No handler for the timer " + timer).toStdString());
        cell<ui::Timer>(a1, timer).setOnTimer([&app, handler] { handler(app); });
    }
    wireNeighbourPanels(app);
}

void (*deviceTimerHandler(const QString &timer))(App &)
{
    static const std::pair<const char *, void (*)(App &)> Handlers[] = {
        {"Blikac", BlikacTimer},     {"Kmitac", KmitacTimer},     {"Induktor", InduktorTimer},
        {"Klika", KlikaTimer},       {"ZaverSt1", ZaverSt1Timer}, {"ZaverSt2", ZaverSt2Timer},
        {"ZaverCH", ZaverCHTimer},   {"ZaverDK", devices::ZaverDKStep}, {"SignalistaA", SignalistaATimer},
        {"SignalistaB", SignalistaBTimer}, {"SignalistaC", SignalistaCTimer},
    };
    for (const auto &[name, handler] : Handlers)
        if (timer == QLatin1String(name))
            return handler;
    return nullptr;
}


void NeighbourPress(App &app, const QString &part)
{
    if (part == QLatin1String("TSM"))
        TSMMouseDown(app);
    else if (part == QLatin1String("ZSM"))
        ZSMMouseDown(app);
    else if (part == QLatin1String("VZM"))
        VZMMouseDown(app);
    else if (part == QLatin1String("ODHLM"))
        ODHLMMouseDown(app);
    else if (part == QLatin1String("PakaTSJ"))
        PakaTSJMouseDown(app);
    else if (part == QLatin1String("PakaNavJOd"))
        PakaNavJOdMouseDown(app);
}

void NeighbourRelease(App &app, const QString &part)
{
    if (part == QLatin1String("TSM") || part == QLatin1String("ZSM") || part == QLatin1String("VZM")
        || part == QLatin1String("ODHLM"))
        StruhyButtonUp(app, part);
    else if (part == QLatin1String("PakaTSJ"))
        PakaTSJMouseUp(app);
    else if (part == QLatin1String("PakaNavJOd"))
        PakaNavJOdMouseUp(app);
}

void ScrollBar1Change(App &app)
{
    TA1 &a1 = app.A1();
    a1.CHBlok->setTop(a1.chBlokTopAt(a1.ScrollBar1->position()));
}

void Label1Click(App &app)
{
    app.A1().close();
    TA0 &a0 = app.A0();
    a0.J3->setPicture(a0.Tl1->picture());
}

} // namespace signalling
