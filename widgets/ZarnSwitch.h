#pragma once

#include "widgets/GuiPicture.h"

#include <juce_gui_basics/juce_gui_basics.h>

// An on/off switch drawn from a two-frame image (left off, right on). Each completed click
// inverts `on` before the listeners hear of it; the framework's toggle state plays no part.
class ZarnSwitch : public juce::Button
{
public:
    // The picture it shows: the panel's on/off switch ("SwitchButton.png"), or the equaliser's
    // smaller one ("EqButton.png").
    enum class Kind
    {
        power,
        equaliser
    };

    explicit ZarnSwitch (Kind kind);
    ~ZarnSwitch() override;

    bool on = true;
    GuiPicture image; // null when missing

protected:
    void paintButton (juce::Graphics& g, bool isMouseOver, bool isButtonDown) override;
    void clicked() override;
};
