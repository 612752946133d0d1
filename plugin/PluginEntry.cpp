// The library's one way in: the host calls the entry once for every instance it makes.
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

extern "C" __attribute__ ((visibility ("default"))) AEffect* VSTPluginMain (audioMasterCallback audioMaster);

extern "C" __attribute__ ((visibility ("default"))) AEffect* VSTPluginMain (audioMasterCallback audioMaster)
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

// Linux hosts look for either name: "main" is the same function under a second symbol.
extern "C" __attribute__ ((visibility ("default"), alias ("VSTPluginMain")))
AEffect* zarnPluginMain (audioMasterCallback audioMaster) __asm__ ("main");
