#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// The main window: "zarN", silver, minimise and close buttons, holding the instrument panel.
// Closing it ends the program.
class ZarnWindow : public juce::DocumentWindow
{
public:
    ZarnWindow();
    ~ZarnWindow() override;

    void closeButtonPressed() override;

    juce::Image iconImage; // null when "G.png" is missing or unreadable
};
