#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// A rotary control drawn from "RotarySlider.png", a strip of 64 frames stacked top to bottom.
class ZarnKnob : public juce::Slider
{
public:
    explicit ZarnKnob (const juce::String& name);
    ~ZarnKnob() override;

    void paint (juce::Graphics& g) override;

    int frameWidth = 0;
    int frameHeight = 0;
    juce::Image filmStrip; // null when the file is missing or unreadable
};
