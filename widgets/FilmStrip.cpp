#include "widgets/FilmStrip.h"

#include "widgets/GuiImageFolder.h"

juce::Image FilmStrip::loadInto (juce::Slider& slider, const juce::String& imageFileName,
                                 int& frameWidth, int& frameHeight)
{
    auto strip = GuiImageFolder::load (imageFileName);

    if (strip.isValid())
    {
        slider.setTextBoxStyle (juce::Slider::NoTextBox, false, 0, 0);
        frameHeight = strip.getHeight() / frameCount;
        frameWidth = strip.getWidth();
    }

    return strip;
}

int FilmStrip::frameIndex (const juce::Slider& slider)
{
    const double minimum = slider.getMinimum();
    const double span = slider.getMaximum() - minimum;

    // An empty range has only one place to show.
    if (! (span > 0.0))
        return 0;

    const double position = (slider.getValue() - minimum) / span * (frameCount - 1);
    return juce::jlimit (0, frameCount - 1, static_cast<int> (juce::jlimit (0.0, double (frameCount - 1), position)));
}

void FilmStrip::paint (juce::Graphics& g, const juce::Slider& slider, const juce::Image& strip,
                       int frameWidth, int frameHeight)
{
    if (strip.isNull())
        return;

    g.setOpacity (1.0f);
    const int index = frameIndex (slider);
    g.drawImage (strip, 0, 0, slider.getWidth(), slider.getHeight(),
                 0, index * frameHeight, frameWidth, frameHeight);
}
