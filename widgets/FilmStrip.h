#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// What the knob and the vertical slider share: loading a 64-frame strip and painting the frame
// of the slider's current value.
struct FilmStrip
{
    static constexpr int frameCount = 64;

    // Loads the strip; when it loaded, removes the slider's text box and sets the frame size.
    static juce::Image loadInto (juce::Slider& slider, const juce::String& imageFileName,
                                 int& frameWidth, int& frameHeight);

    // Frame 0 at the minimum, 63 at the maximum, truncated in between.
    static int frameIndex (const juce::Slider& slider);

    static void paint (juce::Graphics& g, const juce::Slider& slider, const juce::Image& strip,
                       int frameWidth, int frameHeight);
};
