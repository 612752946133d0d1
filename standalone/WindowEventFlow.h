#pragma once

#include <memory>

// Whatever the platform needs so that no window event waits unseen while the program runs (on
// Linux, XEventQueueWatch, with the framework's X display opened first where the window manager's
// atoms are in place: WindowManagerAtoms). Held from before the first window until after the last
// one is gone.
class WindowEventFlow
{
public:
    // Starts it; it runs until the last copy of the result is released. Null where nothing is needed.
    static std::shared_ptr<void> keepFlowing();
};
