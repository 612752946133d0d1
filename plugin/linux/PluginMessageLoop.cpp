#include "plugin/PluginMessageLoop.h"

#include "plugin/linux/HostDrivenEventLoop.h"

#include <juce_gui_basics/juce_gui_basics.h>

// The library is linked with -z nodelete, so the framework's code stays loaded.
void PluginMessageLoop::initialiseFramework()
{
    juce::initialiseJuce_GUI();
}

std::shared_ptr<void> PluginMessageLoop::keepRunning()
{
    return std::make_shared<juce::SharedResourcePointer<PluginMessageThread>>();
}

std::shared_ptr<void> PluginMessageLoop::makingInstance()
{
    return userInterfaceRequest();
}

std::shared_ptr<void> PluginMessageLoop::userInterfaceRequest()
{
    return std::make_shared<juce::SharedResourcePointer<HostDrivenEventLoop>>();
}

void PluginMessageLoop::idle()
{
    const juce::SharedResourcePointer<HostDrivenEventLoop> hostLoop;
    hostLoop->processPendingEvents();
}
