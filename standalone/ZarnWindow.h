#pragma once

#include "widgets/GuiPicture.h"

#include <juce_gui_basics/juce_gui_basics.h>

class ZarnAudioInit;

// The main window: "zarN", silver, minimise and close buttons, holding the instrument panel.
// Closing it ends the program.
class ZarnWindow : public juce::DocumentWindow
{
public:
    // The panel plays the audio start-up object's synthesiser, its folder is `folder`, and it
    // counts its equaliser passes in `eqChangeCount`; all of them outlive the window.
    ZarnWindow (const juce::String& title, ZarnAudioInit& audioInit, const juce::File& folder, int& eqChangeCount);
    ~ZarnWindow() override;

    void closeButtonPressed() override;

    GuiPicture iconImage; // null when "G.png" is missing or unreadable
};
