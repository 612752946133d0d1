#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>

// What the in-process standalone tests share: a private home whose ALSA default device plays
// into the test JACK server (or, for the no-device tests, can't open at all), a private working
// directory with "GUI Resource" images of known sizes, and the framework started as the program
// starts it. The tests make the program's start-up objects themselves (ZarnStartup).
namespace StandaloneRig
{
enum class Output
{
    jack,    // ALSA's default device routes into the JACK server named by JACK_DEFAULT_SERVER
    noDevice // ALSA's default device can't open and no JACK server answers
};

// Before the framework starts: the private home and working directory.
void prepare (Output output);

// Starts the framework as the program does (as a standalone application, so that it sets up X
// for threads and installs its X error handlers).
void initialiseFramework();

// After the framework starts: "GUI Resource" in the working directory, with images of known sizes.
void writeGuiResource();

// The private working directory (the program's start folder).
juce::File workingDirectory();

// Writes presets.xml in the working directory (or removes it for empty text).
void writePresets (const juce::String& documentText);

// Runs the message loop until `done` holds, or about ten seconds have passed; the result of `done`.
bool pumpUntil (const std::function<bool()>& done);

// Runs the message loop until every message queued so far (and those they queue) is handled.
void pumpPending();

// The sizes of the selector images written into "GUI Resource" (each two frames side by side).
constexpr int selectorImageWidth = 96;
constexpr int selectorImageHeight = 40;
} // namespace StandaloneRig
