#include "tests/support/WindowManagerAtoms.h"

#include <X11/Xlib.h>

#include <initializer_list>

WindowManagerAtoms::WindowManagerAtoms() : display (XOpenDisplay (nullptr))
{
    if (display == nullptr)
        return;

    auto* x = static_cast<Display*> (display);

    for (const char* name : { "WM_PROTOCOLS", "WM_TAKE_FOCUS", "WM_DELETE_WINDOW", "WM_CHANGE_STATE", "WM_STATE" })
        XInternAtom (x, name, False);

    XSync (x, False);
}

WindowManagerAtoms::~WindowManagerAtoms()
{
    if (display != nullptr)
        XCloseDisplay (static_cast<Display*> (display));
}
