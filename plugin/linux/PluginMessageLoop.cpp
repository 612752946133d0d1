#include "plugin/PluginMessageLoop.h"

#include "plugin/linux/HostDrivenEventLoop.h"
#include "widgets/linux/WindowManagerAtoms.h"
#include "widgets/linux/XEventQueueWatch.h"

#include <mutex>

namespace
{
// Recursive: a host may call the plug-in again from inside a callback of the same request.
std::recursive_mutex& requestLock()
{
    static std::recursive_mutex lock;
    return lock;
}

struct HostRequest
{
    HostRequest()
    {
        // The loop may already be held (by an open editor) for a thread that was the message
        // thread at an earlier request.
        juce::MessageManager::getInstance()->setCurrentThreadAsMessageThread();

        // The framework opens its X display the first time something of it needs one (the first
        // editor's construction, at effOpen): each request opens it first, where it is not open,
        // with the window manager's atoms in place, so that it finds them whatever X server the
        // host runs on. That is the first request of the process, and the first after the
        // framework has started anew once the last instance had closed.
        WindowManagerAtoms::openDisplayWithThem();
    }

    std::unique_lock<std::recursive_mutex> lock { requestLock() };
    juce::SharedResourcePointer<HostDrivenEventLoop> loop;
};
} // namespace

std::shared_ptr<void> PluginMessageLoop::keepRunning()
{
    return std::make_shared<juce::SharedResourcePointer<PluginMessageThread>>();
}

std::shared_ptr<void> PluginMessageLoop::hostRequest()
{
    return std::make_shared<HostRequest>();
}

void PluginMessageLoop::dispatchPending()
{
    const juce::SharedResourcePointer<HostDrivenEventLoop> loop;
    loop->processPendingEvents();
}

// The editor runs on the host's threads for its whole life: while one exists the plug-in's own
// message thread stays paused, and the host's effEditIdle, sent about every 20 ms by the hosts we
// know, dispatches its window events, timers and repaints. So every mouse and key event runs on
// the host's editor thread, and the automation it sends reaches the host on that thread, not on
// one of ours. The alternative, taking the loop only for each request, also paints without idle,
// but stops and restarts the plug-in's message thread at every request and then delivers the
// editor's events on an ever new thread of ours between them. Idle, too, hands the framework the
// X events only when the X connection has data, so the editor also keeps the watch on what Xlib
// has queued meanwhile.
std::shared_ptr<void> PluginMessageLoop::runEditor()
{
    struct EditorLoop
    {
        juce::SharedResourcePointer<HostDrivenEventLoop> loop;
        XEventQueueWatch watch;
    };

    return std::make_shared<EditorLoop>();
}
