/** @file form_a2.h The timetable window A2 "Jízdní řád". */
#pragma once

#include "ui/controls.h"

/** The timetable window: sixteen train rows in three groups. */
class TA2 : public ui::Form {
public:
    explicit TA2(platform::Platform &platform);
};
