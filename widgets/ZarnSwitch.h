#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// An on/off switch drawn from a two-frame image (left off, right on). Each completed click
// inverts `on` before the listeners hear of it; the framework's toggle state plays no part.
class ZarnSwitch : public juce::Button
{
public:
    explicit ZarnSwitch (bool isEq);
    ~ZarnSwitch() override;

    bool on = true;
    juce::Image image; // "EqButton.png" or "SwitchButton.png"; null when missing

protected:
    void paintButton (juce::Graphics& g, bool isMouseOver, bool isButtonDown) override;
    void clicked() override;
};
