/** @file form_a8.h Signal box 2 A8. */
#pragma once

#include "frame/workplace_frame.h"

/** Signal box 2, electric: point controllers, level crossing, sealed buttons. */
class TA8 : public ui::Form {
public:
    explicit TA8(platform::Platform &platform);

    WorkplaceFrame frame;  ///< The workplace frame; its D5 holds the box.
    ui::Panel *Nahled;     ///< Overview panel of line C with the train preview.
};
