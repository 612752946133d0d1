#include "standalone/ZarnStartup.h"

#include <juce_events/juce_events.h>

#include <windows.h>

// The framework reads the command line from the system on Windows.
int WINAPI WinMain (HINSTANCE, HINSTANCE, LPSTR, int)
{
    return ZarnStartup::runProgram ([] { return juce::JUCEApplicationBase::main(); });
}
