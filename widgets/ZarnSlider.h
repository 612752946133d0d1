#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// A vertical control drawn from "VerticalSlider.png", a strip of 64 frames stacked top to bottom.
class ZarnSlider : public juce::Slider
{
public:
    explicit ZarnSlider (const juce::String& name);
    ~ZarnSlider() override;

    void paint (juce::Graphics& g) override;

    int frameWidth = 0;
    int frameHeight = 0;
    juce::Image filmStrip; // null when the file is missing or unreadable
};
