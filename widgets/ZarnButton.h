#pragma once

#include "widgets/GuiPicture.h"

#include <juce_gui_basics/juce_gui_basics.h>

// A waveform or LFO-shape selector drawn from a two-frame image (left unselected, right
// selected). Its owner keeps `selected` up to date; a click changes nothing in the widget.
class ZarnButton : public juce::Button
{
public:
    // What a selector shows, and the number in its name ("button3"). The oscillator waves are
    // numbered as their WaveType; the LFO's group is squareLfo, sawtooth and triangleLfo.
    enum class Kind
    {
        square = 0,      // "Square.png"
        sawtooth = 1,    // "Sawtooth.png"
        triangle = 2,    // "Triangle.png"
        sine = 3,        // "Sine.png"
        whiteNoise = 4,  // "WNoise.png"
        squareLfo = 5,   // "SquareLFO.png", the LFO's pulse
        triangleLfo = 6  // "TriangleLFO.png"
    };

    explicit ZarnButton (Kind kind);
    ~ZarnButton() override;

    // The image file that a kind shows; empty for a number outside the kinds above.
    static juce::String imageFileNameForKind (Kind kind);

    int frameWidth = 0;  // half the image's width
    int frameHeight = 0; // the image's height
    bool selected = true;
    GuiPicture image; // null when missing or for an unknown kind

protected:
    void paintButton (juce::Graphics& g, bool isMouseOver, bool isButtonDown) override;
};
