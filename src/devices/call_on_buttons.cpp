/** @file call_on_buttons.cpp The desk's sealed call-on buttons and their use counters, advanced by the counter library. */
#include "core/app.h"
#include "core/form_a1.h"
#include "devices/device_guards.h"
#include "devices/device_handlers.h"
#include "devices/form_a6.h"
#include "platform/counter_library.h"
#include "ui/sim_error.h"

namespace devices {

namespace {

struct CallOnButton {
    ui::Image *DeskDevices::*button;
    ui::Label *DeskDevices::*counter;
    const char *lamp; ///< The permission lamp on the signal box.
    const char *dblClickCode, *pressCode;
};
const CallOnButton CallOnButtons[3] = {
    {&DeskDevices::PNL, &DeskDevices::PNL2, "A7.PNL2", "Error60PNL-Dc", "Error 60PNL-Md"},
    {&DeskDevices::PNML, &DeskDevices::PNML2, "A7.PNML2", "Error 60PNML-Dc", "Error 60PNML-Md"},
    {&DeskDevices::PNS, &DeskDevices::PNS2, "A8.G7", "Error 60PNS-Dc", "Error 60PNS-Md"},
};

ui::Control &lampOf(App &app, const CallOnButton &b)
{
    ui::Control *lamp = app.control(QLatin1String(b.lamp));
    if (!lamp)
        throw ui::SimError(QStringLiteral("Obrázek %1 neexistuje").arg(QLatin1String(b.lamp)));
    return *lamp;
}

/** The counter library, loaded once from the data directory it was found in; it outlives the games. */
struct LoadedCounter {
    platform::CounterLibrary library;
    QString dataDir;
};

LoadedCounter &loadedCounter()
{
    static LoadedCounter counter;
    return counter;
}

} // namespace

QString advanceUseCounter(App &app, const QString &counterText)
{
    LoadedCounter &c = loadedCounter();
    const QString dataDir = app.dataDir();
    if (!c.library.isLoaded() || c.dataDir != dataDir) {
        c.library.load(dataDir);
        c.dataDir = dataDir;
    }
    return c.library.call(counterText);
}

void PNDblClick(App &app, int i)
{
    const CallOnButton &b = CallOnButtons[i];
    unitGuard(app, QString::fromLatin1(b.dblClickCode), [&] {
        TA6 &a6 = app.A6();
        ui::Image *button = a6.devices.*b.button;
        if (button->height() == stockHeight(app, QStringLiteral("Tl2"))) {
            takeStockPicture(app, *button, QStringLiteral("Tl"));
            button->setTransparent(true);
            return;
        }
        takeStockPicture(app, *button, QStringLiteral("Tl2"));
        button->setTransparent(false);
        ui::Control &lamp = lampOf(app, b);
        if (lamp.visible()) {
            lamp.hide();
            button->setTop(a6.Deska->top() + 334);
        }
    });
}

void PNMouseDown(App &app, int i)
{
    const CallOnButton &b = CallOnButtons[i];
    unitGuard(app, QString::fromLatin1(b.pressCode), [&] {
        TA1 &a1 = app.A1();
        TA6 &a6 = app.A6();
        ui::Image *button = a6.devices.*b.button;
        if (button->height() != stockHeight(app, QStringLiteral("Tl")))
            return;
        ui::Control &lamp = lampOf(app, b);
        if (lamp.visible()) {
            button->setTop(a6.Deska->top() + 334);
            lamp.hide();
            return;
        }
        ui::Label *counter = a6.devices.*b.counter;
        button->setTop(a6.Deska->top() + 336);
        if (!a1.KodMavex->checked()) {
            /* A failed count gives no permission: the button goes back up and the lamp stays dark. */
            try {
                counter->setCaption(advanceUseCounter(app, counter->caption()));
            } catch (...) {
                button->setTop(a6.Deska->top() + 334);
                throw;
            }
        }
        counter->setHint(counter->caption());
        lamp.show();
    });
}

} // namespace devices
