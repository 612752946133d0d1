#include "widgets/ZarnKnob.h"

#include "widgets/FilmStrip.h"

ZarnKnob::ZarnKnob (const juce::String& name)
    : juce::Slider (name + " knob")
{
    filmStrip = FilmStrip::loadInto (*this, "RotarySlider.png", frameWidth, frameHeight);
}

ZarnKnob::~ZarnKnob() = default;

void ZarnKnob::paint (juce::Graphics& g)
{
    FilmStrip::paint (g, *this, filmStrip, frameWidth, frameHeight);
}
