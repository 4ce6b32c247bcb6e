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

    bool load(void *lib)
    {
        const auto get = [lib](auto &fn, const char *name) {
            fn = reinterpret_cast<std::remove_reference_t<decltype(fn)>>(dlsym(lib, name));
            return fn != nullptr;
        };
        return get(open, "XOpenDisplay") && get(close, "XCloseDisplay") && get(attributes, "XGetWindowAttributes")
               && get(atom, "XInternAtom") && get(owner, "XGetSelectionOwner") && get(property, "XGetWindowProperty")
               && get(free, "XFree") && get(translate, "XTranslateCoordinates");
    }
};

Xlib xlib;

Display *display(void *d)
{
    return static_cast<Display *>(d);
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
    return selection != None && xlib.owner(d, selection) != None;
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

} // namespace screen
