#pragma once

#include "widgets/ZarnButton.h"

#include <juce_gui_basics/juce_gui_basics.h>

// Draws the panel's artwork: every film strip, the waveform selectors, the keys, the panel
// background, the welcome picture and the application icon. Text uses the DejaVu faces read
// from disk, so the pictures come out the same on every machine.
class Artwork
{
public:
    // regularFont and boldFont: TrueType files (DejaVuSans.ttf, DejaVuSans-Bold.ttf).
    Artwork (const juce::File& regularFont, const juce::File& boldFont);

    bool fontsLoaded() const;

    // Image sizes that the widgets and the panel layout rely on.
    static constexpr int knobSize = 52;                 // 64 frames of 52 x 52, stacked
    static constexpr int sliderWidth = 30;              // 64 frames of 30 x 100, stacked
    static constexpr int sliderHeight = 100;
    static constexpr int frameCount = 64;
    static constexpr int switchSize = 20;               // two frames of 20 x 20
    static constexpr int eqSwitchSize = 12;             // two frames of 12 x 12
    static constexpr int whiteKeyWidth = 17;            // two frames of 17 x 72
    static constexpr int whiteKeyHeight = 72;
    static constexpr int blackKeyWidth = 12;            // two frames of 12 x 50
    static constexpr int blackKeyHeight = 50;
    static constexpr int selectorWidth = 44;            // two frames of 44 x 24
    static constexpr int selectorHeight = 24;

    juce::Image rotarySlider() const;
    juce::Image verticalSlider() const;
    juce::Image switchButton() const;
    juce::Image eqButton() const;
    juce::Image whiteNote() const;
    juce::Image blackNote() const;

    juce::Image selector (ZarnButton::Kind kind) const;

    juce::Image background() const;
    juce::Image welcome() const;
    juce::Image icon() const;

    // Every image under its file name, in the order of GuiImageFiles::all.
    std::vector<std::pair<juce::String, juce::Image>> allImages() const;

private:
    juce::Font font (float height, bool bold) const;

    void drawText (juce::Graphics& g, const juce::String& text, juce::Rectangle<float> area,
                   float height, bool bold, juce::Colour colour,
                   juce::Justification justification = juce::Justification::centred) const;
    void drawVerticalTitle (juce::Graphics& g, const juce::String& text, juce::Rectangle<float> area) const;
    void drawCaption (juce::Graphics& g, const juce::String& text, juce::Rectangle<int> control) const;
    void drawPlate (juce::Graphics& g, juce::Rectangle<float> area) const;
    void drawInset (juce::Graphics& g, juce::Rectangle<float> area, float cornerSize) const;
    void drawKnobFrame (juce::Graphics& g, float proportion) const;
    void drawSliderFrame (juce::Graphics& g, float proportion) const;
    // frameCount frames of width by height, stacked top to bottom; frame i drawn by drawFrame at
    // its origin, clipped to it, for the proportion i / (frameCount - 1).
    juce::Image stackedStrip (int width, int height, void (Artwork::*drawFrame) (juce::Graphics&, float) const) const;
    void drawLed (juce::Graphics& g, juce::Rectangle<float> area, bool lit) const;
    // Two frames of `size` square, an unlit and a lit lamp, each `inset` in from its frame's edges.
    juce::Image ledSwitch (int size, float inset) const;
    void drawLogo (juce::Graphics& g, juce::Rectangle<float> area, float height) const;

    static juce::Path wavePath (ZarnButton::Kind kind, juce::Rectangle<float> area);

    juce::Typeface::Ptr regular, bold;
};
