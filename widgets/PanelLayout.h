#pragma once

#include <juce_graphics/juce_graphics.h>

// Where every control of the instrument panel sits, in pixels from the panel's top-left corner.
// The standalone panel, the plug-in editor and the artwork generator all read this one table.
// Indices: k is the oscillator (0..2, top to bottom), b the equaliser band (0..7, left to right).
// The selector buttons get only a top-left position: each is exactly one frame of its image.
struct PanelLayout
{
    static constexpr int width = 800;
    static constexpr int height = 550;

    static juce::Rectangle<int> bounds();

    // Amplitude envelope and gain.
    static juce::Rectangle<int> ampatk();
    static juce::Rectangle<int> ampdcy();
    static juce::Rectangle<int> ampsus();
    static juce::Rectangle<int> amprls();
    static juce::Rectangle<int> ampall();

    // Filter and its envelope.
    static juce::Rectangle<int> fltcut();
    static juce::Rectangle<int> fltatk();
    static juce::Rectangle<int> fltdcy();
    static juce::Rectangle<int> fltres();
    static juce::Rectangle<int> fltsus();
    static juce::Rectangle<int> fltrls();
    static juce::Rectangle<int> fltamt();

    // Delay and LFO.
    static juce::Rectangle<int> dlyfbk();
    static juce::Rectangle<int> dlylvl();
    static juce::Rectangle<int> lforate();
    static juce::Rectangle<int> lfoamt();

    // Switches.
    static juce::Rectangle<int> oscSwitch (int k);
    static juce::Rectangle<int> doubleSwitch (int k);
    static juce::Rectangle<int> lfoSwitch();
    static juce::Rectangle<int> filterSwitch();

    // Oscillator knobs.
    static juce::Rectangle<int> pw (int k);
    static juce::Rectangle<int> lvl (int k);
    static juce::Rectangle<int> dtn (int k);
    static juce::Rectangle<int> cent (int k);

    static juce::Rectangle<int> keyboard();

    // Equaliser.
    static juce::Rectangle<int> eq (int b);
    static juce::Rectangle<int> eqSwitch();

    // Selector buttons: top-left corners; the size is the button's frameWidth by frameHeight.
    static juce::Point<int> squareButton (int k);
    static juce::Point<int> sawtoothButton (int k);
    static juce::Point<int> triangleButton (int k);
    static juce::Point<int> sineButton (int k);
    static juce::Point<int> noiseButton (int k);
    static juce::Point<int> lfoPulseButton();
    static juce::Point<int> lfoSawtoothButton();
    static juce::Point<int> lfoTriangleButton();

    // Selector bounds at a position, one frame in size.
    static juce::Rectangle<int> oneFrame (juce::Point<int> topLeft, int frameWidth, int frameHeight);

    // Text controls.
    static juce::Rectangle<int> statusLabel();
    static juce::Rectangle<int> optionsButton(); // standalone only
    static juce::Rectangle<int> presetsBox();
    static juce::Rectangle<int> presetsLabel();
    static juce::Rectangle<int> saveButton();
    static juce::Rectangle<int> loadButton();

    // The welcome window, in screen coordinates (standalone only).
    static juce::Rectangle<int> welcomeWindow();
};
