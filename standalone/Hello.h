#pragma once

#include "widgets/GuiPicture.h"

#include <juce_gui_basics/juce_gui_basics.h>

// The welcome picture, 300 by 240 pixels.
class Hello : public juce::Component
{
public:
    Hello();
    ~Hello() override;

    void paint (juce::Graphics& g) override;

    GuiPicture welcomeImage; // null when "welcome.png" is missing or unreadable
};
