/** @file frame_memory.h What the workplace views' code keeps across the re-creation of their forms. */
#pragma once

#include <QPoint>
#include <QSize>
#include <QString>

#include <array>

namespace frame {

/** The keyboard and wheel state of one workplace view; all zero at program start, never saved. */
struct ViewMemory {
    bool CtrlHeld = false;             ///< Ctrl is down; F9 .. F12 store a bookmark.
    bool WheelScrollsVertical = false; ///< The wheel moves B5 (true) or B4.
    /** Bookmarks of F9 .. F12: horizontal (x) and vertical (y) bar positions. */
    std::array<QPoint, 4> ScrollBookmarks{};
    /** Size of the form at its last scroll-bar alignment; empty for none since its creation. */
    QSize alignedSize;
};

/** The state of the views' code that outlives their forms. */
struct FrameMemory {
    std::array<ViewMemory, 4> views; ///< A5, A6, A7, A8.

    /** @return the memory of view "A5" .. "A8". */
    ViewMemory &view(const QString &name) { return views.at(name.mid(1).toInt() - 5); }
};

} // namespace frame
