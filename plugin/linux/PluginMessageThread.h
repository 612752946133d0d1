#pragma once

#include <juce_events/juce_events.h>

// The framework's message loop inside a host that runs none for us. While no host thread drives
// the loop, this thread is the framework's message thread and dispatches its messages (change
// messages, timers, asynchronous updates). Shared by every instance of the plug-in in a process
// (hold it through juce::SharedResourcePointer): the first holder starts it, the last stops it.
class PluginMessageThread : public juce::Thread
{
public:
    PluginMessageThread();
    ~PluginMessageThread() override;

    // Starts the loop and returns once this thread has become the message thread.
    void start();
    // Stops the loop and waits for the thread to end.
    void stop();

    void run() override;

private:
    // The loop runs only while the framework is set up.
    juce::SharedResourcePointer<juce::ScopedJuceInitialiser_GUI> framework;
    juce::WaitableEvent started;

    JUCE_DECLARE_NON_COPYABLE (PluginMessageThread)
};
