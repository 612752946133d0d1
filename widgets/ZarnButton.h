#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// A waveform or LFO-shape selector drawn from a two-frame image (left unselected, right
// selected). Its owner keeps `selected` up to date; a click changes nothing in the widget.
class ZarnButton : public juce::Button
{
public:
    // kind: 0 Square, 1 Sawtooth, 2 Triangle, 3 Sine, 4 WNoise (the oscillator waves, numbered as
    // their WaveType), 5 SquareLFO, 6 TriangleLFO.
    explicit ZarnButton (int kind);

    static constexpr int squareLfoKind = 5;
    static constexpr int triangleLfoKind = 6;
    ~ZarnButton() override;

    // The image file that a kind shows; empty for a kind outside 0..6.
    static juce::String imageFileNameForKind (int kind);

    int frameWidth = 0;  // half the image's width
    int frameHeight = 0; // the image's height
    bool selected = true;
    juce::Image image; // null when missing or for an unknown kind

protected:
    void paintButton (juce::Graphics& g, bool isMouseOver, bool isButtonDown) override;
};
