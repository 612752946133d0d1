#pragma once

#include "widgets/FilmStripSlider.h"

// A rotary control drawn from "RotarySlider.png", named after its setting with " knob".
class ZarnKnob : public FilmStripSlider
{
public:
    explicit ZarnKnob (const juce::String& name);
    ~ZarnKnob() override;
};
