/** @file chain.h Laying a train's ten vehicle pictures edge to edge behind its leading one. */
#pragma once

#include "ui/controls.h"

#include <array>

namespace traffic {

/** Ten vehicle pictures of one train, first vehicle (a, slot 1) first. */
using Chain = std::array<ui::Image *, 10>;

/** Lays pictures 9 .. 1 (0-based 8 .. 0) each flush left of the next one: picture 10 leads to the right. */
inline void layLeftOfLast(const Chain &c)
{
    for (int k = 8; k >= 0; --k)
        c[k]->setLeft(c[k + 1]->left() - c[k]->width());
}

/** Lays pictures 2 .. 10 each flush right of the previous one: picture 1 leads to the left. */
inline void layRightOfFirst(const Chain &c)
{
    for (int k = 1; k < 10; ++k)
        c[k]->setLeft(c[k - 1]->left() + c[k - 1]->width());
}

} // namespace traffic
