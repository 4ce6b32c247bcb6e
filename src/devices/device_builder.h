/** @file device_builder.h Creation of the pictures of the desk and the signal boxes at their design places. */
#pragma once

#include "ui/controls.h"

#include <array>

namespace devices {

/**
 * Creates a device image at its design place. It takes the size of every
 * picture it is given later; until then it keeps the design size.
 * @param transparent whether the picture's key colour is see-through.
 */
ui::Image *deviceImage(ui::Form &form, ui::Control *parent, const QString &name, const QRect &bounds,
                       bool transparent = true);

/** Creates a device image at its design place that already holds its picture. */
ui::Image *deviceImage(ui::Form &form, ui::Control *parent, const QString &name, QPoint at, const QImage &picture,
                       bool transparent = true);

/** Creates a fixed background picture of a panel at its design place. */
ui::Image *panelImage(ui::Form &form, ui::Control *parent, const QString &name, QPoint at, const QImage &picture);

/** Creates a caption engraved on a panel: light text, centred, no background. */
ui::Label *panelCaption(ui::Form &form, ui::Control *parent, const QString &name, const QString &text,
                        const QRect &bounds);

/**
 * Creates the ten vehicle images `<stem>a` .. `<stem>j` of a line's train
 * on an overview panel, at this height below the panel's top, without a
 * picture yet; each takes the size of the picture it is given.
 */
std::array<ui::Image *, 10> overviewTrain(ui::Form &form, ui::Control *panel, const QString &stem, int top);

} // namespace devices
