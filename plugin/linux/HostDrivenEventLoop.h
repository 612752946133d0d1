#pragma once

#include "plugin/linux/PluginMessageThread.h"

// While one of these exists, the host's thread that made it is the framework's message thread
// and the shared PluginMessageThread is stopped, so that windows and messages of the plug-in live
// on the host's user-interface thread. Held through juce::SharedResourcePointer around every
// request that touches the user interface; when the last holder lets go, the plug-in's own
// message thread takes over again.
class HostDrivenEventLoop
{
public:
    HostDrivenEventLoop();
    ~HostDrivenEventLoop();

    // Dispatches every pending message on the calling thread, which becomes the message thread.
    void processPendingEvents();

private:
    juce::SharedResourcePointer<PluginMessageThread> messageThread;

    JUCE_DECLARE_NON_COPYABLE (HostDrivenEventLoop)
};
