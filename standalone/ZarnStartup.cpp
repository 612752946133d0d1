#include "standalone/ZarnStartup.h"

#include "standalone/WindowEventFlow.h"
#include "standalone/ZarnApp.h"
#include "widgets/GuiImageFiles.h"
#include "widgets/GuiImageFolder.h"

#include <juce_gui_basics/juce_gui_basics.h>

namespace
{
struct ImageFileEntry
{
    const char* name;
    juce::File ZarnStartup::*file;
};

// In the order of their making.
const ImageFileEntry imageFiles[] = {
    { GuiImageFiles::rotarySlider, &ZarnStartup::rotarySliderFile },
    { GuiImageFiles::switchButton, &ZarnStartup::switchButtonFile },
    { GuiImageFiles::eqButton, &ZarnStartup::eqButtonFile },
    { GuiImageFiles::whiteNote, &ZarnStartup::whiteNoteFile },
    { GuiImageFiles::blackNote, &ZarnStartup::blackNoteFile },
    { GuiImageFiles::verticalSlider, &ZarnStartup::verticalSliderFile },
    { GuiImageFiles::sawtooth, &ZarnStartup::sawtoothFile },
    { GuiImageFiles::square, &ZarnStartup::squareFile },
    { GuiImageFiles::sine, &ZarnStartup::sineFile },
    { GuiImageFiles::triangle, &ZarnStartup::triangleFile },
    { GuiImageFiles::wNoise, &ZarnStartup::wNoiseFile },
    { GuiImageFiles::squareLfo, &ZarnStartup::squareLfoFile },
    { GuiImageFiles::triangleLfo, &ZarnStartup::triangleLfoFile },
};

juce::File inGuiResource (const juce::File& folder, const juce::String& imageFileName)
{
    return folder.getChildFile ("GUI Resource/" + imageFileName);
}

// The framework makes the application itself, from inside its main routine, through
// JUCEApplicationBase::createInstance: a plain function pointer that takes nothing. So the
// application finds the start-up objects here, the one place that names them outside their
// owner; runProgram sets it for exactly as long as the application may be made and run.
ZarnStartup* startupOfTheApplication = nullptr;

juce::JUCEApplicationBase* createZarnApp()
{
    jassert (startupOfTheApplication != nullptr);
    return new ZarnApp (*startupOfTheApplication);
}
} // namespace

// The framework can't build windows during static initialisation, so the start-up objects are
// made here, in the order a user sees them, and owned by this function: the window event flow,
// the audio start-up (and its warning box, if any), the image files, the application name, then
// the application itself.
int ZarnStartup::runProgram (const std::function<int()>& runApplication)
{
    juce::JUCEApplicationBase::createInstance = &createZarnApp;
    juce::initialiseJuce_GUI();

    int result = 0;

    {
        ZarnStartup startup;
        startupOfTheApplication = &startup;
        result = runApplication();
        startupOfTheApplication = nullptr;
    }

    juce::shutdownJuce_GUI();
    return result;
}

ZarnStartup::ZarnStartup()
    : windowEventFlow (WindowEventFlow::keepFlowing()), // from the first window on (the warning box has a click to take as well)
      audioInit(),
      startDirectory (juce::File::getCurrentWorkingDirectory())
{
    for (const auto& entry : imageFiles)
        this->*entry.file = inGuiResource (startDirectory, entry.name);

    appName = "zarN";

    GuiImageFolder::setLocator ([this] (const juce::String& imageFileName) { return imageFile (imageFileName); });

    // The program shows every picture it has, so they are decoded here, at start-up, before its
    // first window: the windows then paint at once when they show (the main window while the
    // user may already play), instead of decoding at their first paint. The widgets get these
    // same decoded pictures.
    for (const char* name : GuiImageFiles::all)
        GuiImageFolder::picture (name).image();
}

ZarnStartup::~ZarnStartup()
{
    GuiImageFolder::setLocator (nullptr);
}

juce::File ZarnStartup::startFolder() const
{
    return startDirectory;
}

juce::File ZarnStartup::imageFile (const juce::String& imageFileName) const
{
    for (const auto& entry : imageFiles)
        if (imageFileName == entry.name)
            return this->*entry.file;

    return inGuiResource (startDirectory, imageFileName);
}
