#define JUCE_GUI_BASICS_INCLUDE_XHEADERS 1

#include "widgets/linux/XEventQueueWatch.h"

#include <juce_events/native/juce_linux_EventLoopInternal.h>
#include <juce_gui_basics/juce_gui_basics.h>

namespace
{
// A queued event waits at most this long.
constexpr int checkIntervalMs = 20;
} // namespace

XEventQueueWatch::XEventQueueWatch()
{
    startTimer (checkIntervalMs);
}

XEventQueueWatch::~XEventQueueWatch()
{
    stopTimer();
}

void XEventQueueWatch::timerCallback()
{
    auto* windowSystem = juce::XWindowSystem::getInstanceWithoutCreating();
    auto* display = windowSystem != nullptr ? windowSystem->getDisplay() : nullptr;

    if (display == nullptr)
        return;

    auto* x11 = juce::X11Symbols::getInstance();
    int queued = 0;
    int connection = -1;

    {
        const juce::XWindowSystemUtilities::ScopedXLock lock;
        queued = x11->xEventsQueued (display, QueuedAlready); // no I/O: what Xlib holds already
        connection = x11->xConnectionNumber (display);
    }

    // The framework's own handler for the connection reads and dispatches everything queued.
    if (queued > 0)
        juce::LinuxEventLoopInternal::invokeEventLoopCallbackForFd (connection);
}
