#include "standalone/ZarnStartup.h"

#include "standalone/WindowEventFlow.h"
#include "standalone/ZarnApp.h"
#include "standalone/ZarnAudioInit.h"
#include "widgets/GuiImageFiles.h"
#include "widgets/GuiImageFolder.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <memory>

// Defined in the order of their making, so that they are destroyed in reverse.
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
juce::String appName;

namespace
{
struct ImageFileEntry
{
    const char* name;
    juce::File* file;
};

const ImageFileEntry imageFiles[] = {
    { GuiImageFiles::rotarySlider, &rotarySliderFile },
    { GuiImageFiles::switchButton, &switchButtonFile },
    { GuiImageFiles::eqButton, &eqButtonFile },
    { GuiImageFiles::whiteNote, &whiteNoteFile },
    { GuiImageFiles::blackNote, &blackNoteFile },
    { GuiImageFiles::verticalSlider, &verticalSliderFile },
    { GuiImageFiles::sawtooth, &sawtoothFile },
    { GuiImageFiles::square, &squareFile },
    { GuiImageFiles::sine, &sineFile },
    { GuiImageFiles::triangle, &triangleFile },
    { GuiImageFiles::wNoise, &wNoiseFile },
    { GuiImageFiles::squareLfo, &squareLfoFile },
    { GuiImageFiles::triangleLfo, &triangleLfoFile },
};

juce::File startDirectory;
std::shared_ptr<void> windowEventFlow;

juce::File inGuiResource (const juce::String& imageFileName)
{
    return startDirectory.getChildFile ("GUI Resource/" + imageFileName);
}

juce::JUCEApplicationBase* createZarnApp()
{
    return new ZarnApp();
}
} // namespace

// The framework can't build windows during static initialisation, so the start-up objects are
// made here, in the order a user sees them: the audio start-up (and its warning box, if any),
// the image files, the application name, then the application itself.
int ZarnStartup::runProgram (const std::function<int()>& runApplication)
{
    juce::JUCEApplicationBase::createInstance = &createZarnApp;
    juce::initialiseJuce_GUI();

    begin();

    const int result = runApplication();

    end();
    juce::shutdownJuce_GUI();
    return result;
}

void ZarnStartup::begin()
{
    // From the first window on (the warning box has a click to take as well).
    windowEventFlow = WindowEventFlow::keepFlowing();

    audioInit = new ZarnAudioInit();

    startDirectory = juce::File::getCurrentWorkingDirectory();

    for (const auto& entry : imageFiles)
        *entry.file = inGuiResource (entry.name);

    appName = "zarN";

    GuiImageFolder::setLocator (&ZarnStartup::imageFile);
}

void ZarnStartup::end()
{
    delete audioInit;
    audioInit = nullptr;
    windowEventFlow = nullptr;
}

juce::File ZarnStartup::startFolder()
{
    return startDirectory;
}

juce::File ZarnStartup::imageFile (const juce::String& imageFileName)
{
    for (const auto& entry : imageFiles)
        if (imageFileName == entry.name)
            return *entry.file;

    return inGuiResource (imageFileName);
}
