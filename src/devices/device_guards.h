/** @file device_guards.h The two guards of the device handlers and small helpers that the device units share. */
#pragma once

#include <QString>

#include <functional>

class App;

namespace ui {
class Image;
}

namespace devices {

/**
 * Runs a device routine under its unit guard: on a failure its code is
 * shown only while `A1.NCK` is ticked, and the failure is passed on to the
 * default report only while `A1.NCD` is ticked; otherwise it is swallowed.
 */
void unitGuard(App &app, const QString &code, const std::function<void()> &fn);

/**
 * Runs a desk handler under its form guard: on a failure its code is
 * always shown and the failure passed on to the default report.
 */
void deskGuard(App &app, const QString &code, const std::function<void()> &fn);

/** Gives a device image the picture of a picture-store image, by the store image's name. */
void takeStockPicture(App &app, ui::Image &device, const QString &stockName);

/**
 * Hides the glows of the magnetos on the desk and signal box 1, and with
 * withStore also the one on the state store's neighbour panel.
 */
void hideMagnetoGlows(App &app, bool withStore);

/** @return the height of a picture-store image, by its name. */
int stockHeight(App &app, const QString &stockName);

} // namespace devices
