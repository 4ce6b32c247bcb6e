/** @file form_a4.h The traffic log A4 "Dopravní deník", never shown. */
#pragma once

#include "ui/controls.h"

/** The traffic log. */
class TA4 : public ui::Form {
public:
    explicit TA4(platform::Platform &platform);
};
