#define JUCE_GUI_BASICS_INCLUDE_XHEADERS 1

#include "widgets/linux/WindowManagerAtoms.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <cstdlib>

namespace
{
// The atoms that the framework looks up without making them when it opens its display
// (XWindowSystemUtilities::Atoms): the window manager's protocols, and the window states and
// types that it sets and reads.
const char* const atomNames[] = {
    "WM_PROTOCOLS", "WM_TAKE_FOCUS", "WM_DELETE_WINDOW", "_NET_WM_PING", "WM_CHANGE_STATE",
    "WM_STATE", "_NET_WM_STATE", "_NET_WM_STATE_HIDDEN", "_NET_WM_WINDOW_TYPE",
};

// The server that the framework connects to: $DISPLAY, or the first local one.
const char* displayName()
{
    const char* name = std::getenv ("DISPLAY");
    return name != nullptr && *name != 0 ? name : ":0.0";
}
} // namespace

bool WindowManagerAtoms::openDisplayWithThem()
{
    if (auto* windowSystem = juce::XWindowSystem::getInstanceWithoutCreating())
        return windowSystem->getDisplay() != nullptr;

    auto* x11 = juce::X11Symbols::getInstance();
    ::Display* ours = nullptr;

    if (x11->loadAllSymbols())
    {
        // In a program of its own the framework makes Xlib safe for threads, which must come
        // before any other call of Xlib, ours included.
        if (juce::JUCEApplicationBase::isStandaloneApp())
            x11->xInitThreads();

        ours = x11->xOpenDisplay (displayName());
    }

    if (ours != nullptr)
    {
        for (const char* name : atomNames)
            x11->xInternAtom (ours, name, False);

        x11->xSync (ours, False);
    }

    // An atom lives in the server only until the server resets, which it does when its last
    // client has gone: so ours stays connected until the framework's own display is open. The
    // framework reads the atoms then, once; when it shuts down (inside a host: when the last
    // instance closes) and later starts again, the display is opened anew, and through here.
    const auto* windowSystem = juce::XWindowSystem::getInstance();
    const bool open = windowSystem->getDisplay() != nullptr;

    // Where the framework could not connect, it has unloaded its Xlib functions again: ours is
    // left open then, rather than closed through functions that may be gone.
    if (ours != nullptr && open)
        juce::X11Symbols::getInstance()->xCloseDisplay (ours);

    return open;
}
