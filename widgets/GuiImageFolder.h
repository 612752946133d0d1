#pragma once

#include "widgets/GuiPicture.h"

#include <juce_graphics/juce_graphics.h>

#include <functional>
#include <optional>

// Where the widgets find their images, and the one way every panel image is decoded. Each
// deliverable installs its locator before it builds its first widget: the standalone program maps
// a name to the files it made at start-up, the plug-in works out the folder beside its library
// each time it is asked.
class GuiImageFolder
{
public:
    using Locator = std::function<juce::File (const juce::String& imageFileName)>;

    // The largest picture decoded: a side of at most maxSide pixels, and at most maxPixels in all
    // (4 Mi pixels; the panel's largest picture has 440,000), from a file of at most maxBytes.
    static constexpr int maxSide = 16384;
    static constexpr int maxPixels = 1 << 22;
    static constexpr size_t maxBytes = 32 * 1024 * 1024;

    static void setLocator (Locator newLocator);

    // The file of the named image; without a locator, a file that does not exist.
    static juce::File locate (const juce::String& imageFileName);

    // The shared picture of the named image (the file that locate() gives).
    static GuiPicture picture (const juce::String& imageFileName);

    // Decodes a PNG file now, as the framework's image loader does, but safely: a null image,
    // which draws nothing, when the file is missing, is no regular file, is larger than maxBytes,
    // or its content is no picture that decode() takes.
    static juce::Image load (const juce::File& file);

    // The size that PNG data claim, when they are a PNG whose header keeps to the limits above and
    // whose chunks are all there, up to the last: what can be told without decoding. Nothing for
    // anything else, such as a file cut short.
    static std::optional<juce::Rectangle<int>> wholePngBounds (const void* data, size_t size) noexcept;

    // Decodes PNG data: a null image when they are no PNG, claim a size beyond the limits above,
    // or are damaged or cut short anywhere. The framework's own loader crashes on such data with
    // the system's libpng.
    static juce::Image decode (const void* data, size_t size);
};
