#include "timbre/TimbreDialogs.h"

#include <juce_gui_basics/juce_gui_basics.h>

namespace
{
    const char* const pattern = "*.xml";

    // The platform's file dialog moves the working directory to the folder it starts in and
    // leaves it there; the dialogs put it back, so that they leave the program's (or, inside a
    // host, the host's) working directory as they found it.
    class WorkingDirectoryKeeper
    {
    public:
        WorkingDirectoryKeeper() : directory (juce::File::getCurrentWorkingDirectory()) {}

        ~WorkingDirectoryKeeper()
        {
            if (juce::File::getCurrentWorkingDirectory() != directory)
                directory.setAsCurrentWorkingDirectory();
        }

    private:
        const juce::File directory;
    };

    juce::File homeFolder()
    {
        return juce::File::getSpecialLocation (juce::File::userHomeDirectory);
    }
}

TimbreDialogs::SaveTarget TimbreDialogs::chooseFileToSave()
{
    juce::File chosen;

    {
        const WorkingDirectoryKeeper keeper;
        juce::FileChooser chooser ("Save your timbre as an xml file...", homeFolder(), pattern);

        if (chooser.browseForFileToSave (true))
            chosen = chooser.getResult();
    }

    return saveTargetFor (chosen);
}

TimbreDialogs::SaveTarget TimbreDialogs::saveTargetFor (const juce::File& chosen)
{
    if (chosen == juce::File())
        return {};

    SaveTarget target;
    target.timbreName = chosen.getFileNameWithoutExtension();
    target.file = chosen.hasFileExtension (".xml") ? chosen : chosen.withFileExtension (".xml");
    return target;
}

juce::File TimbreDialogs::chooseFileToLoad()
{
    const WorkingDirectoryKeeper keeper;
    juce::FileChooser chooser ("Load a timbre from an xml file...", homeFolder(), pattern);

    if (chooser.browseForFileToOpen())
        return chooser.getResult();

    return {};
}
