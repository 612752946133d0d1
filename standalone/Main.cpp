#include "standalone/ZarnApp.h"
#include "standalone/ZarnStartup.h"

#include <juce_gui_basics/juce_gui_basics.h>

namespace
{
juce::JUCEApplicationBase* createZarnApp()
{
    return new ZarnApp();
}
} // namespace

// The framework can't build windows during static initialisation, so the start-up objects are
// made here, in the order a user sees them: the audio start-up (and its warning box, if any),
// the image files, the application name, then the application itself.
int main (int argc, char* argv[])
{
    juce::JUCEApplicationBase::createInstance = &createZarnApp;
    juce::initialiseJuce_GUI();

    ZarnStartup::begin();

    const int result = juce::JUCEApplicationBase::main (argc, const_cast<const char**> (argv));

    ZarnStartup::end();
    juce::shutdownJuce_GUI();
    return result;
}
