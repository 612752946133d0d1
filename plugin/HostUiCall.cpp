#include "plugin/HostUiCall.h"

#include "plugin/PluginMessageLoop.h"

HostUiCall::HostUiCall()
    : request (PluginMessageLoop::hostRequest())
{
}

HostUiCall::~HostUiCall() = default;

void HostUiCall::processPendingEvents()
{
    PluginMessageLoop::dispatchPending();
}
