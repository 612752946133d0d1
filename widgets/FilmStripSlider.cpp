#include "widgets/FilmStripSlider.h"

#include "widgets/GuiImageFolder.h"

FilmStripSlider::FilmStripSlider (const juce::String& name, const juce::String& imageFileName)
    : juce::Slider (name),
      filmStrip (GuiImageFolder::picture (imageFileName))
{
    if (filmStrip.isValid())
    {
        setTextBoxStyle (juce::Slider::NoTextBox, false, 0, 0);
        frameHeight = filmStrip.getHeight() / frameCount;
        frameWidth = filmStrip.getWidth();
    }
}

FilmStripSlider::~FilmStripSlider() = default;

int FilmStripSlider::frameIndex() const
{
    const double minimum = getMinimum();
    const double span = getMaximum() - minimum;

    // An empty range has only one place to show.
    if (! (span > 0.0))
        return 0;

    const double position = (getValue() - minimum) / span * (frameCount - 1);
    return juce::jlimit (0, frameCount - 1, static_cast<int> (juce::jlimit (0.0, double (frameCount - 1), position)));
}

void FilmStripSlider::paint (juce::Graphics& g)
{
    const auto& strip = filmStrip.image();

    if (strip.isNull())
        return;

    g.setOpacity (1.0f);
    g.drawImage (strip, 0, 0, getWidth(), getHeight(),
                 0, frameIndex() * frameHeight, frameWidth, frameHeight);
}
