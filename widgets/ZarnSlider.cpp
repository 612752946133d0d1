#include "widgets/ZarnSlider.h"

#include "widgets/GuiImageFiles.h"

ZarnSlider::ZarnSlider (const juce::String& name)
    : FilmStripSlider (name + " slider", GuiImageFiles::verticalSlider)
{
}

ZarnSlider::~ZarnSlider() = default;
