#pragma once

#include <juce_graphics/juce_graphics.h>

// The switches, selectors and keys draw their images with the alpha of this colour as opacity;
// its red, green and blue do not reach the picture.
inline juce::Colour tintColour (float alpha)
{
    return juce::Colour (0x45, 0xcb, 0xd7).withAlpha (alpha);
}
