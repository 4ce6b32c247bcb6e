/** @file form_a2.cpp The timetable window A2. */
#include "core/form_a2.h"

TA2::TA2(platform::Platform &platform) : ui::Form(QStringLiteral("A2"), platform)
{
    setCaption(QStringLiteral("Jízdní řád"));
    setBounds(0, 0, 1024, 700);
    setColor(QColor(0, 0, 128));
}
