#include "widgets/ZarnKnob.h"

#include "widgets/FilmStrip.h"
#include "widgets/GuiImageFiles.h"

ZarnKnob::ZarnKnob (const juce::String& name)
    : juce::Slider (name + " knob")
{
    filmStrip = FilmStrip::loadInto (*this, GuiImageFiles::rotarySlider, frameWidth, frameHeight);
}

ZarnKnob::~ZarnKnob() = default;

void ZarnKnob::paint (juce::Graphics& g)
{
    FilmStrip::paint (g, *this, filmStrip, frameWidth, frameHeight);
}
