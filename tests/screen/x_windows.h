/** @file x_windows.h What the X server says of a window and whether a window manager runs, for the screen check. */
#pragma once

namespace screen {

/** Where a top-level window's frame lies on the screen. */
struct FrameRect {
    int left = 0, top = 0, width = 0, height = 0;
    int titleHeight = 0; ///< The frame above the window: the title bar and its border.
};

/**
 * A connection of its own to the display, through Xlib loaded at run
 * time: asks the server, never the toolkit, how a window is mapped and
 * framed, so what it answers is what the player sees.
 */
class XWindows {
public:
    XWindows();
    ~XWindows();
    XWindows(const XWindows &) = delete;
    XWindows &operator=(const XWindows &) = delete;

    bool ready() const { return m_display != nullptr; }
    /** @return whether a window manager holds the screen (owns the manager's selection). */
    bool managerRuns() const;
    /** @return whether the window and all its ancestors are mapped: it is on the screen. */
    bool viewable(unsigned long window) const;
    /** @return whether the window manager took the window (it set the window's state property). */
    bool managed(unsigned long window) const;
    /** Sets x and y to where the window's own area begins on the screen. @return whether the window is there to ask. */
    bool origin(unsigned long window, int &x, int &y) const;
    /** @return the frame the window manager put round the window, from the extents it announced. */
    FrameRect frame(unsigned long window) const;

private:
    void *m_display = nullptr;
    void *m_x11 = nullptr;
};

} // namespace screen
