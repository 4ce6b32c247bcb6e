/** @file form_a9.h The view switcher A9: one button for each workplace view. */
#pragma once

#include "ui/controls.h"

/** The view switcher. */
class TA9 : public ui::Form {
public:
    explicit TA9(platform::Platform &platform);

    ui::Button *Button1; ///< "A5": the track view.
    ui::Button *Button2; ///< "A6": the desk.
    ui::Button *Button3; ///< "A7": signal box 1.
    ui::Button *Button4; ///< "A8": signal box 2.
};
