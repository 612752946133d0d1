#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>
#include <memory>

// The save and open dialogs for timbre files, used by the standalone panel and the plug-in's editor.
class TimbreDialogs
{
public:
    struct SaveTarget
    {
        juce::File file; // empty when cancelled
        juce::String timbreName;
    };

    // "Save your timbre as an xml file...", starting in the home folder, pattern "*.xml", overwrite
    // warning on; the timbre's name is the chosen file's name without its extension, and the file
    // gets the ".xml" rule (bass -> bass.xml, bass.txt -> bass.xml, bass.XML stays).
    static SaveTarget chooseFileToSave();

    // What a file chosen in the save dialog stands for: the timbre's name is the file's name
    // without its extension, and the file written is the chosen one with the ".xml" rule applied.
    static SaveTarget saveTargetFor (const juce::File& chosen);

    // The open dialog (home folder, "*.xml"); an empty file when cancelled.
    static juce::File chooseFileToLoad();

    // The same two dialogs without a modal loop, for a caller that must return at once (an editor
    // inside a host). `chooser` holds the open dialog: deleting it, or launching another dialog in
    // it, ends the dialog without a call. `chosen` runs on the message thread once a file has
    // been chosen, not when the dialog is cancelled.
    static void launchSave (std::unique_ptr<juce::FileChooser>& chooser, std::function<void (const SaveTarget&)> chosen);
    static void launchLoad (std::unique_ptr<juce::FileChooser>& chooser, std::function<void (const juce::File&)> chosen);
};
