#include "plugin/linux/PluginMessageThread.h"

namespace juce
{
// The framework's Linux message queue: dispatches one pending message, or returns false when
// none is pending and returnIfNoPendingMessages is set. Never to be called by two threads at once.
bool dispatchNextMessageOnSystemQueue (bool returnIfNoPendingMessages);
}

PluginMessageThread::PluginMessageThread()
    : juce::Thread ("zarN message thread")
{
    start();
}

PluginMessageThread::~PluginMessageThread()
{
    stop();
}

void PluginMessageThread::start()
{
    if (isThreadRunning())
        return;

    started.reset();
    startThread();
    started.wait (10000);
}

void PluginMessageThread::stop()
{
    signalThreadShouldExit();
    stopThread (-1);
}

void PluginMessageThread::run()
{
    juce::MessageManager::getInstance()->setCurrentThreadAsMessageThread();
    started.signal();

    while (! threadShouldExit())
        if (! juce::dispatchNextMessageOnSystemQueue (true))
            juce::Thread::sleep (1);
}
