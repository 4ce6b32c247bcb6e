/** @file x_windows.h What the X server says of a window and whether a window manager runs, for the screen check. */
#pragma once

#include <initializer_list>
#include <vector>

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
    /** Sets width and height to the window's own size. @return whether the window is there to ask. */
    bool size(unsigned long window, int &width, int &height) const;
    /** @return the windows the window manager holds, from the bottom of its stacking order to the top. */
    std::vector<unsigned long> stacking() const;
    /** @return whether both windows are held by the window manager and the first lies above the second. */
    bool above(unsigned long upper, unsigned long lower) const;
    /** @return the window the window manager has given the keyboard, 0 for none. */
    unsigned long active() const;
    /** @return whether the window manager has the window maximised both ways. */
    bool maximised(unsigned long window) const;
    /** Asks the window manager to maximise a shown window, as its title bar's maximise button does. */
    void askMaximise(unsigned long window) const;
    /** Asks the window manager to close a window, as a pager or `wmctrl -c` does. */
    void askClose(unsigned long window) const;

private:
    /** Sends the window manager a message on a window (at most five items). */
    void message(unsigned long window, const char *type, std::initializer_list<long> data) const;

    void *m_display = nullptr;
    void *m_x11 = nullptr;
};

} // namespace screen
