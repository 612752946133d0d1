#include "plugin/PluginMessageLoop.h"

#include <juce_events/juce_events.h>

#include <windows.h>

// The host's message pump runs the framework's messages. The library pins itself once, so that a
// host's FreeLibrary never takes away code that the framework's process-wide state refers to (on
// Linux the library is linked -z nodelete for the same reason).
std::shared_ptr<void> PluginMessageLoop::keepRunning()
{
    static const bool pinned = [] {
        HMODULE self = nullptr;
        return GetModuleHandleExW (GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_PIN,
                                   reinterpret_cast<LPCWSTR> (&PluginMessageLoop::keepRunning), &self)
               != 0;
    }();
    juce::ignoreUnused (pinned);
    return {};
}

std::shared_ptr<void> PluginMessageLoop::hostRequest()
{
    return std::make_shared<juce::MessageManagerLock>();
}

void PluginMessageLoop::dispatchPending() {}

std::shared_ptr<void> PluginMessageLoop::runEditor()
{
    return {};
}
