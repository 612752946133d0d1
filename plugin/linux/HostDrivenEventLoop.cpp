#include "plugin/linux/HostDrivenEventLoop.h"

namespace juce
{
bool dispatchNextMessageOnSystemQueue (bool returnIfNoPendingMessages);
}

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
