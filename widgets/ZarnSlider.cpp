#include "widgets/ZarnSlider.h"

#include "widgets/FilmStrip.h"

ZarnSlider::ZarnSlider (const juce::String& name)
    : juce::Slider (name + " slider")
{
    filmStrip = FilmStrip::loadInto (*this, "VerticalSlider.png", frameWidth, frameHeight);
}

ZarnSlider::~ZarnSlider() = default;

void ZarnSlider::paint (juce::Graphics& g)
{
    FilmStrip::paint (g, *this, filmStrip, frameWidth, frameHeight);
}
