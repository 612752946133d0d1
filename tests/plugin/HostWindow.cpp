#include "HostWindow.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdlib>

namespace testhost
{
HostWindow::HostWindow (int x, int y, int width, int height, std::uint32_t background)
    : display (XOpenDisplay (nullptr))
{
    if (display == nullptr)
        return;

    const int screen = DefaultScreen (display);
    window = XCreateSimpleWindow (display, RootWindow (display, screen), x, y, static_cast<unsigned> (width),
                                  static_cast<unsigned> (height), 0, 0, background);
    XSelectInput (display, window, ExposureMask | StructureNotifyMask);
    XMapWindow (display, window);

    for (XEvent event;;)
    {
        XNextEvent (display, &event);

        if (event.type == MapNotify && event.xmap.window == window)
            break;
    }

    XSync (display, False);
}

HostWindow::~HostWindow()
{
    if (display == nullptr)
        return;

    if (window != 0)
        XDestroyWindow (display, window);

    XCloseDisplay (display);
}

void HostWindow::handleEvents()
{
    while (XPending (display) > 0)
    {
        XEvent event;
        XNextEvent (display, &event);
    }
}

std::vector<HostWindow::Child> HostWindow::children() const
{
    Window root = 0, parent = 0, *list = nullptr;
    unsigned count = 0;
    std::vector<Child> result;

    XSync (display, False);

    if (XQueryTree (display, window, &root, &parent, &list, &count) == 0)
        return result;

    for (unsigned i = 0; i < count; ++i)
    {
        XWindowAttributes a;

        if (XGetWindowAttributes (display, list[i], &a) != 0)
            result.push_back ({ list[i], a.x, a.y, a.width, a.height, a.map_state == IsViewable });
    }

    if (list != nullptr)
        XFree (list);

    return result;
}

int HostWindow::viewableTopLevelWindows() const
{
    Window root = 0, parent = 0, *list = nullptr;
    unsigned count = 0;
    int viewable = 0;

    XSync (display, False);

    if (XQueryTree (display, DefaultRootWindow (display), &root, &parent, &list, &count) == 0)
        return 0;

    for (unsigned i = 0; i < count; ++i)
    {
        XWindowAttributes a;

        if (XGetWindowAttributes (display, list[i], &a) != 0 && a.map_state == IsViewable)
            ++viewable;
    }

    if (list != nullptr)
        XFree (list);

    return viewable;
}

std::vector<std::uint32_t> HostWindow::pixels (int x, int y, int width, int height) const
{
    std::vector<std::uint32_t> result;
    XSync (display, False);
    XImage* image = XGetImage (display, window, x, y, static_cast<unsigned> (width), static_cast<unsigned> (height),
                               AllPlanes, ZPixmap);

    if (image == nullptr)
        return result;

    result.reserve (static_cast<size_t> (width * height));

    for (int row = 0; row < height; ++row)
        for (int column = 0; column < width; ++column)
        {
            const unsigned long p = XGetPixel (image, column, row);
            // The test server's 24-bit true-colour visual: red, green, blue in the low three bytes.
            result.push_back (static_cast<std::uint32_t> (p & 0xffffff));
        }

    XDestroyImage (image);
    return result;
}

bool HostWindow::saveScreenshot (const std::string& path) const
{
    XSync (display, False);
    const std::string command = "xwd -id " + std::to_string (window) + " -silent | convert xwd:- '" + path + "'";
    return std::system (command.c_str()) == 0;
}
} // namespace testhost
