#include "widgets/ZarnButton.h"

#include "widgets/GuiImageFiles.h"
#include "widgets/GuiImageFolder.h"
#include "widgets/Tint.h"

ZarnButton::ZarnButton (Kind kind)
    : juce::Button ("button" + juce::String (static_cast<int> (kind)))
{
    const auto fileName = imageFileNameForKind (kind);

    if (fileName.isNotEmpty())
        image = GuiImageFolder::picture (fileName);

    frameWidth = image.getWidth() / 2;
    frameHeight = image.getHeight();
    selected = true;
}

ZarnButton::~ZarnButton() = default;

juce::String ZarnButton::imageFileNameForKind (Kind kind)
{
    switch (kind)
    {
        case Kind::square: return GuiImageFiles::square;
        case Kind::sawtooth: return GuiImageFiles::sawtooth;
        case Kind::triangle: return GuiImageFiles::triangle;
        case Kind::sine: return GuiImageFiles::sine;
        case Kind::whiteNoise: return GuiImageFiles::wNoise;
        case Kind::squareLfo: return GuiImageFiles::squareLfo;
        case Kind::triangleLfo: return GuiImageFiles::triangleLfo;
    }

    return {};
}

void ZarnButton::paintButton (juce::Graphics& g, bool isMouseOver, bool /*isButtonDown*/)
{
    g.setOpacity (1.0f);
    g.setColour (tintColour (isMouseOver ? 1.0f : 0.9f));

    const auto& frames = image.image();

    if (frames.isNull())
        return;

    g.drawImage (frames, 0, 0, getWidth(), getHeight(),
                 selected ? frameWidth : 0, 0, frameWidth, frameHeight);
}
