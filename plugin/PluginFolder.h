#pragma once

#include <juce_core/juce_core.h>

// The folder that holds the plug-in library file, with the "GUI Resource" images and
// "presets.xml" beside it. Found from the library's own address, so it is the library's folder
// whatever the host's executable or working directory.
class PluginFolder
{
public:
    static juce::File get();

    // Makes the widgets load their images from get() + "/GUI Resource/", worked out on each request.
    static void installImageLocator();
};
