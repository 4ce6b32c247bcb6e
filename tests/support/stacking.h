/** @file stacking.h The stacking order of a form's controls, for tests of what is drawn over what. */
#pragma once

#include "ui/form.h"

/** @return the creation index of the named control of a form (its place in the stacking order), or -1. */
inline int stackIndex(const ui::Form &form, const QString &name)
{
    const auto &controls = form.controls();
    for (size_t k = 0; k < controls.size(); ++k)
        if (controls[k]->name() == name)
            return static_cast<int>(k);
    return -1;
}
