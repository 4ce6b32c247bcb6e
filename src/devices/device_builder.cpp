/** @file device_builder.cpp Creation of the pictures of the desk and the signal boxes at their design places. */
#include "devices/device_builder.h"

namespace devices {

ui::Image *deviceImage(ui::Form &form, ui::Control *parent, const QString &name, const QRect &bounds,
                       bool transparent)
{
    auto *img = form.make<ui::Image>(parent, name);
    img->setBounds(bounds);
    img->setAutoSize(true);
    img->setTransparent(transparent);
    return img;
}

ui::Image *deviceImage(ui::Form &form, ui::Control *parent, const QString &name, QPoint at, const QImage &picture,
                       bool transparent)
{
    ui::Image *img = deviceImage(form, parent, name, QRect(at, picture.size()), transparent);
    img->setPicture(picture);
    return img;
}

ui::Image *panelImage(ui::Form &form, ui::Control *parent, const QString &name, QPoint at, const QImage &picture)
{
    return deviceImage(form, parent, name, at, picture, false);
}

ui::Label *panelCaption(ui::Form &form, ui::Control *parent, const QString &name, const QString &text,
                        const QRect &bounds)
{
    auto *l = form.make<ui::Label>(parent, name);
    l->setCaption(text);
    l->setBounds(bounds);
    l->setTransparent(true);
    l->setAlignment(ui::Align::Center);
    l->setFont(ui::Font{QStringLiteral("Verdana"), 13, true, false, QColor(236, 232, 214)});
    return l;
}

std::array<ui::Image *, 10> overviewTrain(ui::Form &form, ui::Control *panel, const QString &stem, int top)
{
    std::array<ui::Image *, 10> train{};
    for (int i = 0; i < 10; ++i)
        train[i] = deviceImage(form, panel, stem + QChar('a' + i), QRect(-40, top, 0, 0));
    return train;
}

} // namespace devices
