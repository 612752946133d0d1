#pragma once

#include "widgets/GuiPicture.h"

#include <juce_gui_basics/juce_gui_basics.h>

// The welcome window (also the "About" window): the welcome picture under the title
// "zarN Synth bids you Welcome!". Its close button only hides it; its owner deletes it.
class HelloWindow : public juce::DocumentWindow
{
public:
    HelloWindow();
    ~HelloWindow() override;

    void closeButtonPressed() override;

    GuiPicture iconImage; // null when "G.png" is missing or unreadable
};
