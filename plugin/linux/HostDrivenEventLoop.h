#pragma once

#include "plugin/linux/PluginMessageThread.h"

// While one of these exists, the shared PluginMessageThread is stopped and host threads run the
// framework's messages instead, so that windows and messages of the plug-in live on the host's
// user-interface threads. Held through juce::SharedResourcePointer by every host request and by
// every editor for its life (PluginMessageLoop); when the last holder lets go, the plug-in's own
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
