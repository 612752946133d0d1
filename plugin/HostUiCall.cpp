#include "plugin/HostUiCall.h"

namespace
{
// Recursive: a host may call the plug-in again from inside a callback of the same request.
std::recursive_mutex& frameworkLock()
{
    static std::recursive_mutex lock;
    return lock;
}
} // namespace

HostUiCall::HostUiCall()
    : lock (frameworkLock())
{
    // The loop may already be held (by an open editor) for a thread that was the message thread
    // at an earlier request.
    juce::MessageManager::getInstance()->setCurrentThreadAsMessageThread();
}

HostUiCall::~HostUiCall() = default;

void HostUiCall::processPendingEvents()
{
    loop->processPendingEvents();
}
