#pragma once

// JUCE 7.0.5 only looks the window manager's atoms up and sets a window's protocols with
// whatever it finds; a bare X server without a window manager has none of them, and the server
// refuses atom 0. While one of these lives, the atoms exist (it interns them and holds its
// connection, so the server does not reset): a window gets what a desktop would give it. For
// tests that open top-level windows on the test X server.
class WindowManagerAtoms
{
public:
    WindowManagerAtoms();
    ~WindowManagerAtoms();

    WindowManagerAtoms (const WindowManagerAtoms&) = delete;
    WindowManagerAtoms& operator= (const WindowManagerAtoms&) = delete;

    // False without an X display.
    bool ok() const { return display != nullptr; }

private:
    void* display; // the X connection
};
