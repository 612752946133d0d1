#pragma once

// Makes the window manager's atoms exist before the framework opens its X display. The framework
// (JUCE 7.0.5) looks these atoms up once, when it opens its display, without making them, and
// then uses what it found unchecked: it sets every window's protocols (WM_PROTOCOLS) and reads a
// window's state (WM_STATE) with atom 0 where they did not exist. A desktop's window manager has
// made them long before; on an X server without one (a headless host, a render farm, a test rig)
// nobody has, and the server refuses each of those requests. Xlib's default error handler, which
// a host may keep, ends the process at the first refusal: inside a plug-in the framework
// installs no handler of its own, so a plug-in's editor would take its host down.
class WindowManagerAtoms
{
public:
    // Where the framework's X display is not open yet, interns the atoms on a connection of its
    // own and then opens it (makes the framework's XWindowSystem); does nothing where it is open
    // already. On the message thread, before anything of the framework can open the display (its
    // first window, or the first use of its Desktop). True where the framework has a display.
    static bool openDisplayWithThem();
};
