// The library's one way in: the host calls the entry once for every instance it makes. The
// library exports it as VSTPluginMain and, for hosts that look for the older name, as main
// (plugin/CMakeLists.txt gives each platform's linker the second name).
#include "plugin/JuceVSTWrapper.h"
#include "plugin/PluginFolder.h"
#include "plugin/PluginMessageLoop.h"
#include "plugin/ZarnJuceFilter.h"

#include <memory>
#include <mutex>

namespace
{
// The framework's user-interface support, once per process, for the first instance.
void initialiseOnce()
{
    static std::once_flag once;

    std::call_once (once, [] {
        PluginMessageLoop::initialiseFramework();
        PluginFolder::installImageLocator();
    });
}
} // namespace

extern "C" AEffect* VSTPluginMain (audioMasterCallback audioMaster);

extern "C" AEffect* VSTPluginMain (audioMasterCallback audioMaster)
{
    if (audioMaster == nullptr)
        return nullptr;

    try
    {
        initialiseOnce();

        const auto making = PluginMessageLoop::makingInstance();

        if (audioMaster (nullptr, audioMasterVersion, 0, 0, nullptr, 0.0f) == 0)
            return nullptr;

        std::unique_ptr<juce::AudioProcessor> processor (createPluginFilter());

        if (processor == nullptr)
            return nullptr;

        auto* wrapper = new JuceVSTWrapper (audioMaster, std::move (processor));
        return wrapper->getAeffect();
    }
    catch (...)
    {
        return nullptr;
    }
}
