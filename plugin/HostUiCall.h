#pragma once

#include <juce_events/juce_events.h>

#include <memory>

// Held around every host request that touches the framework's windows, components or messages:
// the framework is set up before and kept up while one exists, and the calling host thread runs
// it alone, in the platform's way (PluginMessageLoop).
class HostUiCall
{
public:
    HostUiCall();
    ~HostUiCall();

    // Dispatches what the framework has pending: its messages, window events, timers and
    // repaints, where no loop of the host's does.
    void processPendingEvents();

private:
    juce::SharedResourcePointer<juce::ScopedJuceInitialiser_GUI> framework;
    const std::shared_ptr<void> request;

    JUCE_DECLARE_NON_COPYABLE (HostUiCall)
};
