#include "plugin/PluginFolder.h"

#include "widgets/GuiImageFolder.h"

// PluginFolder::get() finds the library's file in each platform's way (plugin/linux/ and
// plugin/windows/).

void PluginFolder::installImageLocator()
{
    GuiImageFolder::setLocator ([] (const juce::String& imageFileName) {
        return get().getChildFile ("GUI Resource").getChildFile (imageFileName);
    });
}
