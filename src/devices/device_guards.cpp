/** @file device_guards.cpp The two guards of the device handlers and small helpers that the device units share. */
#include "devices/device_guards.h"

#include "core/app.h"
#include "core/form_a1.h"
#include "core/option_guard.h"
#include "devices/form_a3.h"
#include "devices/form_a6.h"
#include "devices/form_a7.h"
#include "ui/sim_error.h"

namespace devices {

namespace {

/** @return the picture-store image of this name; a missing one is a failure of the caller's routine. */
ui::Image &stockImage(App &app, const QString &name)
{
    auto *img = dynamic_cast<ui::Image *>(app.A3().find(name));
    if (!img)
        throw ui::SimError(QStringLiteral("Obrázek A3.%1 neexistuje").arg(name));
    return *img;
}

} // namespace

void unitGuard(App &app, const QString &code, const std::function<void()> &fn)
{
    core::optionGuard(app, code, fn);
}

void deskGuard(App &app, const QString &code, const std::function<void()> &fn)
{
    ui::guarded(app.A6(), code, fn);
}

void takeStockPicture(App &app, ui::Image &device, const QString &stockName)
{
    device.assignPicture(stockImage(app, stockName));
}

void hideMagnetoGlows(App &app, bool withStore)
{
    app.A6().InduktorA2->hide();
    app.A6().InduktorB2->hide();
    if (withStore)
        app.A1().InduktorA2->hide();
    app.A7().Induktor2->hide();
}

int stockHeight(App &app, const QString &stockName)
{
    return stockImage(app, stockName).height();
}

} // namespace devices
