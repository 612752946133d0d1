#include "widgets/ZarnKnob.h"

#include "widgets/GuiImageFiles.h"

ZarnKnob::ZarnKnob (const juce::String& name)
    : FilmStripSlider (name + " knob", GuiImageFiles::rotarySlider)
{
}

ZarnKnob::~ZarnKnob() = default;
