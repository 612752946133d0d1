#include "panel/TimbreDialogs.h"

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

    constexpr int saveFlags = juce::FileBrowserComponent::saveMode | juce::FileBrowserComponent::canSelectFiles
                            | juce::FileBrowserComponent::warnAboutOverwriting;
    constexpr int loadFlags = juce::FileBrowserComponent::openMode | juce::FileBrowserComponent::canSelectFiles;

    std::unique_ptr<juce::FileChooser> saveChooser()
    {
        return std::make_unique<juce::FileChooser> ("Save your timbre as an xml file...", homeFolder(), pattern);
    }

    std::unique_ptr<juce::FileChooser> loadChooser()
    {
        return std::make_unique<juce::FileChooser> ("Load a timbre from an xml file...", homeFolder(), pattern);
    }

    // Shows the dialog of `chooser` and returns the chosen file; an empty file when cancelled.
    juce::File runModally (juce::FileChooser& chooser, int flags)
    {
        const WorkingDirectoryKeeper keeper;
        return chooser.showDialog (flags, nullptr) ? chooser.getResult() : juce::File();
    }

    void launch (std::unique_ptr<juce::FileChooser>& holder, std::unique_ptr<juce::FileChooser> chooser, int flags,
                 std::function<void (const juce::File&)> chosen)
    {
        holder = std::move (chooser);

        // The platform's dialog has moved the working directory by the time launchAsync returns.
        const WorkingDirectoryKeeper keeper;
        holder->launchAsync (flags, [chosen = std::move (chosen)] (const juce::FileChooser& result) {
            const auto file = result.getResult();

            if (file != juce::File())
                chosen (file);
        });
    }
}

TimbreDialogs::SaveTarget TimbreDialogs::chooseFileToSave()
{
    return saveTargetFor (runModally (*saveChooser(), saveFlags));
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
    return runModally (*loadChooser(), loadFlags);
}

void TimbreDialogs::launchSave (std::unique_ptr<juce::FileChooser>& chooser, std::function<void (const SaveTarget&)> chosen)
{
    launch (chooser, saveChooser(), saveFlags, [chosen = std::move (chosen)] (const juce::File& file) {
        chosen (saveTargetFor (file));
    });
}

void TimbreDialogs::launchLoad (std::unique_ptr<juce::FileChooser>& chooser, std::function<void (const juce::File&)> chosen)
{
    launch (chooser, loadChooser(), loadFlags, std::move (chosen));
}
