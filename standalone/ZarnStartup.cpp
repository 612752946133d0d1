#include "standalone/ZarnStartup.h"

#include "standalone/XEventQueueWatch.h"
#include "standalone/ZarnAudioInit.h"
#include "widgets/GuiImageFolder.h"

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
    { "RotarySlider.png", &rotarySliderFile },
    { "SwitchButton.png", &switchButtonFile },
    { "EqButton.png", &eqButtonFile },
    { "WhiteNote.png", &whiteNoteFile },
    { "BlackNote.png", &blackNoteFile },
    { "VerticalSlider.png", &verticalSliderFile },
    { "Sawtooth.png", &sawtoothFile },
    { "Square.png", &squareFile },
    { "Sine.png", &sineFile },
    { "Triangle.png", &triangleFile },
    { "WNoise.png", &wNoiseFile },
    { "SquareLFO.png", &squareLfoFile },
    { "TriangleLFO.png", &triangleLfoFile },
};

juce::File startFolder;
std::unique_ptr<XEventQueueWatch> xEventQueueWatch;

juce::File inGuiResource (const juce::String& imageFileName)
{
    return startFolder.getChildFile ("GUI Resource/" + imageFileName);
}
} // namespace

void ZarnStartup::begin()
{
    // From the first window on (the warning box has a click to take as well).
    xEventQueueWatch = std::make_unique<XEventQueueWatch>();

    audioInit = new ZarnAudioInit();

    startFolder = juce::File::getCurrentWorkingDirectory();

    for (const auto& entry : imageFiles)
        *entry.file = inGuiResource (entry.name);

    appName = "zarN";

    GuiImageFolder::setLocator (&ZarnStartup::imageFile);
}

void ZarnStartup::end()
{
    delete audioInit;
    audioInit = nullptr;
    xEventQueueWatch = nullptr;
}

juce::File ZarnStartup::imageFile (const juce::String& imageFileName)
{
    for (const auto& entry : imageFiles)
        if (imageFileName == entry.name)
            return *entry.file;

    return inGuiResource (imageFileName);
}
