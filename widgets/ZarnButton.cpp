#include "widgets/ZarnButton.h"

#include "widgets/GuiImageFiles.h"
#include "widgets/GuiImageFolder.h"
#include "widgets/Tint.h"

ZarnButton::ZarnButton (int kind)
    : juce::Button ("button" + juce::String (kind))
{
    const auto fileName = imageFileNameForKind (kind);

    if (fileName.isNotEmpty())
        image = GuiImageFolder::load (fileName);

    frameWidth = image.getWidth() / 2;
    frameHeight = image.getHeight();
    selected = true;
}

ZarnButton::~ZarnButton() = default;

juce::String ZarnButton::imageFileNameForKind (int kind)
{
    switch (kind)
    {
        case 0: return GuiImageFiles::square;
        case 1: return GuiImageFiles::sawtooth;
        case 2: return GuiImageFiles::triangle;
        case 3: return GuiImageFiles::sine;
        case 4: return GuiImageFiles::wNoise;
        case 5: return GuiImageFiles::squareLfo;
        case 6: return GuiImageFiles::triangleLfo;
        default: return {};
    }
}

void ZarnButton::paintButton (juce::Graphics& g, bool isMouseOver, bool /*isButtonDown*/)
{
    g.setOpacity (1.0f);
    g.setColour (tintColour (isMouseOver ? 1.0f : 0.9f));

    if (image.isNull())
        return;

    g.drawImage (image, 0, 0, getWidth(), getHeight(),
                 selected ? frameWidth : 0, 0, frameWidth, frameHeight);
}
