#include "widgets/ZarnSlider.h"

#include "widgets/FilmStrip.h"
#include "widgets/GuiImageFiles.h"

ZarnSlider::ZarnSlider (const juce::String& name)
    : juce::Slider (name + " slider")
{
    filmStrip = FilmStrip::loadInto (*this, GuiImageFiles::verticalSlider, frameWidth, frameHeight);
}

ZarnSlider::~ZarnSlider() = default;

void ZarnSlider::paint (juce::Graphics& g)
{
    FilmStrip::paint (g, *this, filmStrip, frameWidth, frameHeight);
}
