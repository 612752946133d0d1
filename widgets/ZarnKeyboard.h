#pragma once

#include "widgets/GuiPicture.h"

#include <juce_audio_utils/juce_audio_utils.h>

// A horizontal on-screen keyboard whose keys are drawn from two-frame images (left up, right
// down). A white key is exactly one frame of "WhiteNote.png" wide.
class ZarnKeyboard : public juce::MidiKeyboardComponent
{
public:
    explicit ZarnKeyboard (juce::MidiKeyboardState& keyboardState);
    ~ZarnKeyboard() override;

    GuiPicture whiteNoteImage; // null when missing
    GuiPicture blackNoteImage; // null when missing

protected:
    void drawWhiteNote (int midiNoteNumber, juce::Graphics& g, juce::Rectangle<float> area,
                        bool isDown, bool isOver, juce::Colour lineColour, juce::Colour textColour) override;
    void drawBlackNote (int midiNoteNumber, juce::Graphics& g, juce::Rectangle<float> area,
                        bool isDown, bool isOver, juce::Colour noteFillColour) override;
};
