#pragma once

#include <juce_graphics/juce_graphics.h>

#include <functional>

// Where the widgets find their images. Each deliverable installs its locator before it builds
// its first widget: the standalone program maps a name to the files it made at start-up, the
// plug-in works out the folder beside its library each time it is asked.
class GuiImageFolder
{
public:
    using Locator = std::function<juce::File (const juce::String& imageFileName)>;

    static void setLocator (Locator newLocator);

    // The file of the named image; without a locator, a file that does not exist.
    static juce::File locate (const juce::String& imageFileName);

    // Decodes the named image; a null image when the file is missing or unreadable.
    static juce::Image load (const juce::String& imageFileName);
};
