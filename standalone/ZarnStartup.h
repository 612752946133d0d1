#pragma once

#include <juce_core/juce_core.h>

// The objects that the program makes before its application starts, in this order: the watch
// that hands on X events which the message loop would leave waiting (XEventQueueWatch), the audio
// start-up object (`audioInit`, which may show its warning box and wait for the user), the
// thirteen widget image files resolved against the working directory of that moment, and the
// application name. The framework must be initialised first: its windows can't be made earlier.
class ZarnStartup
{
public:
    static void begin();

    // Deletes the audio start-up object and the watch once the application and every window are gone.
    static void end();

    // The file object of a widget image name ("RotarySlider.png" ...); a file in "GUI Resource"
    // of the starting working directory for any other name.
    static juce::File imageFile (const juce::String& imageFileName);
};

extern juce::File rotarySliderFile;
extern juce::File switchButtonFile;
extern juce::File eqButtonFile;
extern juce::File whiteNoteFile;
extern juce::File blackNoteFile;
extern juce::File verticalSliderFile;
extern juce::File sawtoothFile;
extern juce::File squareFile;
extern juce::File sineFile;
extern juce::File triangleFile;
extern juce::File wNoiseFile;
extern juce::File squareLfoFile;
extern juce::File triangleLfoFile;

// "zarN": the application's name and the main window's title.
extern juce::String appName;
