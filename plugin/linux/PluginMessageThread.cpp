#include "plugin/linux/PluginMessageThread.h"

#include "plugin/linux/SystemQueueDispatch.h"

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
