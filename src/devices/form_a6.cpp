/** @file form_a6.cpp The dispatcher's desk A6. */
#include "devices/form_a6.h"

TA6::TA6(platform::Platform &platform) : ui::Form(QStringLiteral("A6"), platform)
{
    setCaption(QStringLiteral("Kobrant ŽST Kamenná"));
    setBounds(0, 0, 1024, 768);
    buildWorkplaceContent(*this, frame, QRect(-10, -251, 2500, 1412));
    frame.D5->setColor(QColor(96, 96, 88));
    TelLom = make<ui::Image>(frame.D5, "TelLom");
    TelLom->setBounds(300, 400, 60, 20);
    G1 = make<ui::Memo>(frame.D5, "G1");
    G1->setBounds(400, 400, 300, 80);
    G1->setLines({QString()});
    G2 = make<ui::ListBox>(frame.D5, "G2");
    G2->setBounds(400, 490, 300, 120);
    G2->setEnabled(false);
    buildWorkplaceOverlay(*this, frame);
}
