#pragma once

#include "plugin/HostDrivenEventLoop.h"

#include <mutex>

// Held around every host request that touches the framework's windows, components or messages.
// While one exists, the calling host thread runs the framework alone: it holds a lock shared by
// every instance in the process (hosts call from more than one thread, e.g. effOpen on their
// main thread and the editor requests on another), the plug-in's own message thread is paused,
// and the calling thread is the framework's message thread. The framework is set up before and
// kept up while one exists.
class HostUiCall
{
public:
    HostUiCall();
    ~HostUiCall();

    // Dispatches every pending message, window event, timer and repaint on the calling thread.
    void processPendingEvents();

private:
    juce::SharedResourcePointer<juce::ScopedJuceInitialiser_GUI> framework;
    std::unique_lock<std::recursive_mutex> lock;
    juce::SharedResourcePointer<HostDrivenEventLoop> loop;

    JUCE_DECLARE_NON_COPYABLE (HostUiCall)
};
