#pragma once

#include <juce_core/juce_core.h>

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
};
