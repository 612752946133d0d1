#include "widgets/ZarnKeyboard.h"

#include "widgets/GuiImageFiles.h"
#include "widgets/GuiImageFolder.h"
#include "widgets/Tint.h"

namespace
{
// Draws the left (up) or right (down) frame of a two-frame key image onto the key's area.
void drawKeyFrame (juce::Graphics& g, const GuiPicture& picture, juce::Rectangle<float> area, bool isDown)
{
    const auto& image = picture.image();

    if (image.isNull())
        return;

    const int frameWidth = image.getWidth() / 2;

    if (frameWidth <= 0)
        return;

    const auto frame = image.getClippedImage ({ isDown ? frameWidth : 0, 0, frameWidth, image.getHeight() });
    g.drawImage (frame, area, juce::RectanglePlacement::stretchToFit);
}
}

ZarnKeyboard::ZarnKeyboard (juce::MidiKeyboardState& keyboardState)
    : juce::MidiKeyboardComponent (keyboardState, juce::KeyboardComponentBase::horizontalKeyboard)
{
    whiteNoteImage = GuiImageFolder::picture (GuiImageFiles::whiteNote);
    blackNoteImage = GuiImageFolder::picture (GuiImageFiles::blackNote);

    // Without a white-key image the framework's own key width stays.
    if (whiteNoteImage.getWidth() / 2 > 0)
        setKeyWidth (static_cast<float> (whiteNoteImage.getWidth() / 2));

    setScrollButtonsVisible (false);
}

ZarnKeyboard::~ZarnKeyboard() = default;

void ZarnKeyboard::drawWhiteNote (int /*midiNoteNumber*/, juce::Graphics& g, juce::Rectangle<float> area,
                                  bool isDown, bool isOver, juce::Colour /*lineColour*/, juce::Colour /*textColour*/)
{
    g.setOpacity (1.0f);
    g.setColour (tintColour (isOver ? 1.0f : 0.88f));
    drawKeyFrame (g, whiteNoteImage, area, isDown);
}

void ZarnKeyboard::drawBlackNote (int /*midiNoteNumber*/, juce::Graphics& g, juce::Rectangle<float> area,
                                  bool isDown, bool isOver, juce::Colour /*noteFillColour*/)
{
    g.setOpacity (1.0f);
    g.setColour (tintColour (isOver ? 1.0f : 0.93f));
    drawKeyFrame (g, blackNoteImage, area, isDown);
}
