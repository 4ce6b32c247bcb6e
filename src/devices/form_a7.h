/** @file form_a7.h Signal box 1 A7. */
#pragma once

#include "frame/workplace_frame.h"

/** Signal box 1, mechanical: levers, route locks, signal knobs. */
class TA7 : public ui::Form {
public:
    explicit TA7(platform::Platform &platform);

    WorkplaceFrame frame;  ///< The workplace frame; its D5 holds the box.
    ui::Panel *Nahled;     ///< Overview panel of lines A and B with the train preview.
};
