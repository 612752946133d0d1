#include "standalone/ZarnStartup.h"

#include <juce_events/juce_events.h>

int main (int argc, char* argv[])
{
    return ZarnStartup::runProgram ([argc, argv] {
        return juce::JUCEApplicationBase::main (argc, const_cast<const char**> (argv));
    });
}
