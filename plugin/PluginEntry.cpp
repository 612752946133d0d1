// The library's one way in: the host calls the entry once for every instance it makes. The
// library exports it as VSTPluginMain and, for hosts that look for the older name, as main
// (plugin/CMakeLists.txt gives each platform's linker the second name).
#include "plugin/HostUiCall.h"
#include "plugin/JuceVSTWrapper.h"
#include "plugin/PluginFolder.h"
#include "plugin/ZarnJuceFilter.h"

#include <memory>
#include <mutex>

namespace
{
// Once per process, for the first instance.
void installImageLocatorOnce()
{
    static std::once_flag once;
    std::call_once (once, [] { PluginFolder::installImageLocator(); });
}
} // namespace

extern "C" AEffect* VSTPluginMain (audioMasterCallback audioMaster);

extern "C" AEffect* VSTPluginMain (audioMasterCallback audioMaster)
{
    if (audioMaster == nullptr)
        return nullptr;

    try
    {
        installImageLocatorOnce();

        // The instance is built on the host's thread, which is the message thread meanwhile.
        const HostUiCall call;

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
