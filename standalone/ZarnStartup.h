#pragma once

#include "standalone/ZarnAudioInit.h"

#include <juce_core/juce_core.h>

#include <functional>
#include <memory>

// The objects that the program makes before its application starts, made by the constructor in
// this order: what keeps the platform's window events flowing (WindowEventFlow), the audio
// start-up object (`audioInit`, which may show its warning box and wait for the user), the start
// folder (the working directory of that moment, where every image of the program and
// "presets.xml" are found), the thirteen widget image files resolved against it, and the
// application name. They live until the application and every window are gone, and are taken
// down in reverse. The framework must be initialised first: its windows can't be made earlier.
class ZarnStartup
{
public:
    // The whole program, for its entry function: the framework set up, a ZarnStartup made, the
    // application run by `runApplication` (the framework's application main routine, which each
    // platform's entry calls in its own way), everything taken down again. Returns the
    // application's result.
    static int runProgram (const std::function<int()>& runApplication);

    // Makes the objects below in their order and has the widgets find their images through
    // imageFile; the destructor takes that back.
    ZarnStartup();
    ~ZarnStartup();

    // The working directory at the program's start: the folder that holds "GUI Resource" and
    // "presets.xml", wherever the working directory moves later.
    juce::File startFolder() const;

    // The file object of a widget image name ("RotarySlider.png" ...); a file in "GUI Resource"
    // of the start folder for any other name.
    juce::File imageFile (const juce::String& imageFileName) const;

    // Declared in the order of their making: members are made in this order and destroyed in
    // reverse, so the audio start-up object goes before the window event flow.
    std::shared_ptr<void> windowEventFlow;
    ZarnAudioInit audioInit;
    const juce::File startDirectory;
    juce::File rotarySliderFile;
    juce::File switchButtonFile;
    juce::File eqButtonFile;
    juce::File whiteNoteFile;
    juce::File blackNoteFile;
    juce::File verticalSliderFile;
    juce::File sawtoothFile;
    juce::File squareFile;
    juce::File sineFile;
    juce::File triangleFile;
    juce::File wNoiseFile;
    juce::File squareLfoFile;
    juce::File triangleLfoFile;
    // "zarN": the application's name and the main window's title.
    juce::String appName;

    // Equaliser passes of the whole program run, eight a pass, whichever panel made them: the
    // greeting shows once, when the count stands at 143.
    int eqChangeCount = 0;

private:
    JUCE_DECLARE_NON_COPYABLE (ZarnStartup)
};
