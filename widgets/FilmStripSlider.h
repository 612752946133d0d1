#pragma once

#include "widgets/GuiPicture.h"

#include <juce_gui_basics/juce_gui_basics.h>

// A slider drawn from a strip of 64 frames stacked top to bottom, showing the frame of its
// current value: what the knob and the vertical slider share.
class FilmStripSlider : public juce::Slider
{
public:
    static constexpr int frameCount = 64;

    ~FilmStripSlider() override;

    void paint (juce::Graphics& g) override;

    // Frame 0 at the minimum, 63 at the maximum, truncated in between.
    int frameIndex() const;

    int frameWidth = 0;
    int frameHeight = 0;
    GuiPicture filmStrip; // null when the file is missing or unreadable

protected:
    // Takes the strip; when there is one, removes the slider's text box and sets the frame size.
    FilmStripSlider (const juce::String& name, const juce::String& imageFileName);
};
