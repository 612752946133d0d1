#pragma once

#include <juce_core/juce_core.h>

#include <functional>

// The objects that the program makes before its application starts, in this order: what keeps
// the platform's window events flowing (WindowEventFlow), the audio
// start-up object (`audioInit`, which may show its warning box and wait for the user), the
// thirteen widget image files resolved against the working directory of that moment (the start
// folder, where every image of the program and "presets.xml" are found), and the application
// name. The framework must be initialised first: its windows can't be made earlier.
class ZarnStartup
{
public:
    // The whole program, for its entry function: the framework set up, the objects below made,
    // the application run by `runApplication` (the framework's application main routine, which
    // each platform's entry calls in its own way), everything taken down again. Returns the
    // application's result.
    static int runProgram (const std::function<int()>& runApplication);

    static void begin();

    // Deletes the audio start-up object and the watch once the application and every window are gone.
    static void end();

    // The working directory at the program's start: the folder that holds "GUI Resource" and
    // "presets.xml", wherever the working directory moves later.
    static juce::File startFolder();

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
