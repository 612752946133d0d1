#pragma once

#include "widgets/FilmStripSlider.h"

// A vertical control drawn from "VerticalSlider.png", named after its setting with " slider".
class ZarnSlider : public FilmStripSlider
{
public:
    explicit ZarnSlider (const juce::String& name);
    ~ZarnSlider() override;
};
