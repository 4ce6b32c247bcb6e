/** @file form_a7.cpp Signal box 1 A7. */
#include "devices/form_a7.h"

TA7::TA7(platform::Platform &platform) : ui::Form(QStringLiteral("A7"), platform)
{
    setCaption(QStringLiteral("Kobrant ŽST Kamenná"));
    setBounds(0, 0, 1024, 768);
    buildWorkplaceContent(*this, frame, QRect(-787, -128, 2201, 1593));
    frame.D5->setColor(QColor(110, 100, 80));
    Nahled = make<ui::Panel>(nullptr, "Nahled");
    Nahled->setBounds(-1, -4, 1026, 773);
    Nahled->setColor(QColor(0, 128, 0));
    Nahled->setVisible(false);
    buildWorkplaceOverlay(*this, frame);
}
