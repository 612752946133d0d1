#pragma once

// The test host's editor window: a plain top-level X window made with Xlib on the host's own
// connection to the X server that DISPLAY names, as a desktop host makes one for a plug-in's
// editor. Xlib's
// header stays in the source: its macros break other headers.
#include <cstdint>
#include <string>
#include <vector>

struct _XDisplay;

namespace testhost
{
class HostWindow
{
public:
    // Mapped at (x, y) on the screen and filled with `background` (0xRRGGBB).
    HostWindow (int x, int y, int width, int height, std::uint32_t background);
    ~HostWindow();
    HostWindow (const HostWindow&) = delete;
    HostWindow& operator= (const HostWindow&) = delete;

    bool isOpen() const { return window != 0; }
    // The window's id, as effEditOpen takes it.
    void* id() const { return reinterpret_cast<void*> (window); }

    // Reads and drops the events that reach this connection, as a host's event loop does.
    void handleEvents();

    struct Child
    {
        unsigned long id;
        int x, y, width, height;
        bool viewable;
    };
    std::vector<Child> children() const;
    // Top-level windows of the screen that are mapped (menus and dialogs appear among them).
    int viewableTopLevelWindows() const;

    // The pixels shown in a rectangle of the window, row by row, as 0xRRGGBB.
    std::vector<std::uint32_t> pixels (int x, int y, int width, int height) const;
    // Saves what the window shows as a PNG file (xwd and ImageMagick).
    bool saveScreenshot (const std::string& path) const;

private:
    ::_XDisplay* display = nullptr;
    unsigned long window = 0; // an X window id
};
} // namespace testhost
