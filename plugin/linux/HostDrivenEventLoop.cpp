#include "plugin/linux/HostDrivenEventLoop.h"

#include "plugin/linux/SystemQueueDispatch.h"

HostDrivenEventLoop::HostDrivenEventLoop()
{
    messageThread->stop();
    juce::MessageManager::getInstance()->setCurrentThreadAsMessageThread();
}

HostDrivenEventLoop::~HostDrivenEventLoop()
{
    messageThread->start();
}

void HostDrivenEventLoop::processPendingEvents()
{
    juce::MessageManager::getInstance()->setCurrentThreadAsMessageThread();

    while (juce::dispatchNextMessageOnSystemQueue (true))
    {
    }
}
