/** @file form_a9.cpp The view switcher A9. */
#include "frame/form_a9.h"

TA9::TA9(platform::Platform &platform) : ui::Form(QStringLiteral("A9"), platform)
{
    setCaption(QStringLiteral("A9"));
    setBounds(0, 0, 696, 480);
    ui::Button **buttons[4] = {&Button1, &Button2, &Button3, &Button4};
    for (int k = 0; k < 4; ++k) {
        auto *b = make<ui::Button>(nullptr, QStringLiteral("Button%1").arg(k + 1));
        b->setCaption(QStringLiteral("A%1").arg(k + 5));
        b->setBounds(64 + 144 * k, 64, 121, 49);
        *buttons[k] = b;
    }
}
