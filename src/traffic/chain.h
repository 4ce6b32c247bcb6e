/** @file chain.h A train's ten vehicle pictures on a box panel: placing them and laying them edge to edge. */
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

/**
 * @return the control of this name on the form; creates it inside parent at
 * `design` when the form has none yet, so that the devices' own build, where
 * it makes the control, is the one used.
 */
template <class T> T *findOrMake(ui::Form &form, ui::Control *parent, const QString &name, const QRect &design)
{
    if (auto *existing = dynamic_cast<T *>(form.find(name)))
        return existing;
    T *made = form.make<T>(parent, name);
    made->setBounds(design);
    return made;
}

/** Ten self-sizing vehicle pictures `<stem>a` .. `<stem>j` on a box panel, waiting out of sight left of it. */
inline void previewChain(ui::Form &box, ui::Control *panel, const QString &stem, int top)
{
    for (int k = 0; k < 10; ++k) {
        auto *img = findOrMake<ui::Image>(box, panel, stem + QChar('a' + k), QRect(-100, top, 9, 64));
        img->setAutoSize(true);
        img->setTransparent(true);
    }
}

} // namespace traffic
