/** @file form_a4.cpp The traffic log A4. */
#include "frame/form_a4.h"

TA4::TA4(platform::Platform &platform) : ui::Form(QStringLiteral("A4"), platform)
{
    setCaption(QStringLiteral("Dopravní deník"));
    setBorderStyle(ui::BorderStyle::Single);
    setBounds(0, 0, 715, 480);
    setCentered(true);
}
