/** @file form_a9.cpp The view switcher A9. */
#include "frame/form_a9.h"

TA9::TA9(platform::Platform &platform) : ui::Form(QStringLiteral("A9"), platform)
{
    setCaption(QStringLiteral("Kobrant ŽST Kamenná"));
    setBounds(0, 0, 400, 150);
}
