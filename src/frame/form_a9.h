/** @file form_a9.h The view switcher A9. */
#pragma once

#include "ui/controls.h"

/** The view switcher. */
class TA9 : public ui::Form {
public:
    explicit TA9(platform::Platform &platform);
};
