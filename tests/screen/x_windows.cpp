/** @file x_windows.cpp Xlib's answers on a window's map state and frame, loaded at run time. */
#include "x_windows.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <dlfcn.h>

#include <type_traits>

namespace screen {

namespace {

/** The calls of Xlib the check asks with, found in the library already loaded or loaded now. */
struct Xlib {
    Display *(*open)(const char *) = nullptr;
    int (*close)(Display *) = nullptr;
    Status (*attributes)(Display *, Window, XWindowAttributes *) = nullptr;
    Atom (*atom)(Display *, const char *, Bool) = nullptr;
    Window (*owner)(Display *, Atom) = nullptr;
    int (*property)(Display *, Window, Atom, long, long, Bool, Atom, Atom *, int *, unsigned long *, unsigned long *,
                    unsigned char **) = nullptr;
    int (*free)(void *) = nullptr;
    Bool (*translate)(Display *, Window, Window, int, int, int *, int *, Window *) = nullptr;
    Window (*root)(Display *) = nullptr;
    Status (*send)(Display *, Window, Bool, long, XEvent *) = nullptr;
    int (*flush)(Display *) = nullptr;

    bool load(void *lib)
    {
        const auto get = [lib](auto &fn, const char *name) {
            fn = reinterpret_cast<std::remove_reference_t<decltype(fn)>>(dlsym(lib, name));
            return fn != nullptr;
        };
        return get(open, "XOpenDisplay") && get(close, "XCloseDisplay") && get(attributes, "XGetWindowAttributes")
               && get(atom, "XInternAtom") && get(owner, "XGetSelectionOwner") && get(property, "XGetWindowProperty")
               && get(free, "XFree") && get(translate, "XTranslateCoordinates") && get(root, "XDefaultRootWindow")
               && get(send, "XSendEvent") && get(flush, "XFlush");
    }
};

Xlib xlib;

Display *display(void *d)
{
    return static_cast<Display *>(d);
}

/** @return the 32-bit items of a window's property of the given type, empty when it has none. */
std::vector<unsigned long> items32(Display *d, Window window, const char *name, Atom type)
{
    std::vector<unsigned long> result;
    Atom got = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char *data = nullptr;
    if (window && xlib.property(d, window, xlib.atom(d, name, False), 0, 4096, False, type, &got, &format, &count,
                                &after, &data) == Success
        && data && format == 32)
        /* Xlib hands 32-bit items over as longs. */
        result.assign(reinterpret_cast<unsigned long *>(data), reinterpret_cast<unsigned long *>(data) + count);
    if (data)
        xlib.free(data);
    return result;
}

} // namespace

XWindows::XWindows()
{
    m_x11 = dlopen("libX11.so.6", RTLD_NOW | RTLD_GLOBAL);
    if (m_x11 && xlib.load(m_x11))
        m_display = xlib.open(nullptr);
}

XWindows::~XWindows()
{
    if (m_display)
        xlib.close(display(m_display));
}


bool XWindows::managerRuns() const
{
    Display *d = display(m_display);
    const Atom selection = xlib.atom(d, "WM_S0", False);
    if (selection != None && xlib.owner(d, selection) != None)
        return true;
    /* A manager that takes no selection (fluxbox) names a window of its own on the root, which names itself. */
    const std::vector<unsigned long> check = items32(d, xlib.root(d), "_NET_SUPPORTING_WM_CHECK", XA_WINDOW);
    return !check.empty() && items32(d, check.front(), "_NET_SUPPORTING_WM_CHECK", XA_WINDOW) == check;
}

bool XWindows::viewable(unsigned long window) const
{
    XWindowAttributes a{};
    return window && xlib.attributes(display(m_display), window, &a) && a.map_state == IsViewable;
}

bool XWindows::managed(unsigned long window) const
{
    Display *d = display(m_display);
    Atom type = None;
    int format = 0;
    unsigned long items = 0, after = 0;
    unsigned char *data = nullptr;
    const Atom state = xlib.atom(d, "WM_STATE", False);
    const bool read = xlib.property(d, window, state, 0, 2, False, AnyPropertyType, &type, &format, &items, &after,
                                    &data) == Success;
    if (data)
        xlib.free(data);
    return read && type != None && items > 0;
}

bool XWindows::origin(unsigned long window, int &x, int &y) const
{
    Display *d = display(m_display);
    XWindowAttributes a{};
    Window child = None;
    return window && xlib.attributes(d, window, &a) && xlib.translate(d, window, a.root, 0, 0, &x, &y, &child);
}

FrameRect XWindows::frame(unsigned long window) const
{
    Display *d = display(m_display);
    XWindowAttributes a{};
    int x = 0, y = 0;
    if (!origin(window, x, y) || !xlib.attributes(d, window, &a))
        return {};
    /* left, right, top, bottom */
    long extents[4] = {};
    Atom type = None;
    int format = 0;
    unsigned long items = 0, after = 0;
    unsigned char *data = nullptr;
    if (xlib.property(d, window, xlib.atom(d, "_NET_FRAME_EXTENTS", False), 0, 4, False, XA_CARDINAL, &type, &format,
                      &items, &after, &data) == Success && data && format == 32 && items == 4)
        for (int i = 0; i < 4; ++i)
            extents[i] = reinterpret_cast<long *>(data)[i];
    if (data)
        xlib.free(data);
    return {x - int(extents[0]), y - int(extents[2]), a.width + int(extents[0] + extents[1]),
            a.height + int(extents[2] + extents[3]), int(extents[2])};
}

bool XWindows::size(unsigned long window, int &width, int &height) const
{
    XWindowAttributes a{};
    if (!window || !xlib.attributes(display(m_display), window, &a))
        return false;
    width = a.width;
    height = a.height;
    return true;
}

std::vector<unsigned long> XWindows::stacking() const
{
    Display *d = display(m_display);
    return items32(d, xlib.root(d), "_NET_CLIENT_LIST_STACKING", XA_WINDOW);
}

bool XWindows::above(unsigned long upper, unsigned long lower) const
{
    const std::vector<unsigned long> order = stacking();
    int upperAt = -1, lowerAt = -1;
    for (int i = 0; i < int(order.size()); ++i) {
        if (order[i] == upper)
            upperAt = i;
        if (order[i] == lower)
            lowerAt = i;
    }
    return upperAt >= 0 && lowerAt >= 0 && upperAt > lowerAt;
}

unsigned long XWindows::active() const
{
    Display *d = display(m_display);
    const std::vector<unsigned long> window = items32(d, xlib.root(d), "_NET_ACTIVE_WINDOW", XA_WINDOW);
    return window.empty() ? 0 : window.front();
}

bool XWindows::maximised(unsigned long window) const
{
    Display *d = display(m_display);
    const Atom vertical = xlib.atom(d, "_NET_WM_STATE_MAXIMIZED_VERT", False);
    const Atom horizontal = xlib.atom(d, "_NET_WM_STATE_MAXIMIZED_HORZ", False);
    bool v = false, h = false;
    for (unsigned long state : items32(d, window, "_NET_WM_STATE", XA_ATOM)) {
        v = v || state == vertical;
        h = h || state == horizontal;
    }
    return v && h;
}

void XWindows::askMaximise(unsigned long window) const
{
    Display *d = display(m_display);
    /* add, both ways, asked by the player (through a pager or a tool) */
    message(window, "_NET_WM_STATE",
            {1, long(xlib.atom(d, "_NET_WM_STATE_MAXIMIZED_VERT", False)),
             long(xlib.atom(d, "_NET_WM_STATE_MAXIMIZED_HORZ", False)), 2});
}

void XWindows::askClose(unsigned long window) const
{
    /* no time given, asked by the player */
    message(window, "_NET_CLOSE_WINDOW", {0, 2});
}

void XWindows::message(unsigned long window, const char *type, std::initializer_list<long> data) const
{
    Display *d = display(m_display);
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = window;
    e.xclient.message_type = xlib.atom(d, type, False);
    e.xclient.format = 32;
    int i = 0;
    for (long item : data)
        e.xclient.data.l[i++] = item;
    xlib.send(d, xlib.root(d), False, SubstructureRedirectMask | SubstructureNotifyMask, &e);
    xlib.flush(d);
}

} // namespace screen
