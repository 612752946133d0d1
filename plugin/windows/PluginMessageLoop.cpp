#include "plugin/PluginMessageLoop.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <windows.h>

// The framework's message window and timer thread, made here once, live until the process ends:
// the library pins itself, so that a host's FreeLibrary can't take their code away.
void PluginMessageLoop::initialiseFramework()
{
    juce::initialiseJuce_GUI();

    HMODULE self = nullptr;
    GetModuleHandleExW (GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_PIN,
                        reinterpret_cast<LPCWSTR> (&PluginMessageLoop::initialiseFramework), &self);
}

// The host's message pump runs the framework's messages.
std::shared_ptr<void> PluginMessageLoop::keepRunning()
{
    return {};
}

std::shared_ptr<void> PluginMessageLoop::makingInstance()
{
    return {};
}

std::shared_ptr<void> PluginMessageLoop::userInterfaceRequest()
{
    return std::make_shared<juce::MessageManagerLock>();
}

void PluginMessageLoop::idle() {}
