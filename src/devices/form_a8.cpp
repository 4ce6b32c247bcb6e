/** @file form_a8.cpp Signal box 2 A8. */
#include "devices/form_a8.h"

TA8::TA8(platform::Platform &platform) : ui::Form(QStringLiteral("A8"), platform)
{
    setCaption(QStringLiteral("Kobrant ŽST Kamenná"));
    setBounds(0, 0, 1024, 768);
    buildWorkplaceContent(*this, frame, QRect(-32, -304, 2425, 1297));
    frame.D5->setColor(QColor(120, 120, 110));
    Nahled = make<ui::Panel>(nullptr, "Nahled");
    Nahled->setBounds(-1, -4, 1026, 773);
    Nahled->setColor(QColor(0, 128, 0));
    Nahled->setVisible(false);
    buildWorkplaceOverlay(*this, frame);
}
