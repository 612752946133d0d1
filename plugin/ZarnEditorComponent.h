#pragma once

#include "panel/ZarnPanel.h"
#include "plugin/ZarnJuceFilter.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <memory>

// The plug-in's editor: the shared instrument panel, each of whose changes sets a parameter of
// the processor and tells the host. Its controls show the parameters as they were when it was
// built or last loaded a timbre; they don't follow the host's automation. What must outlive an
// editor (the preset chosen last, whether "default" was loaded, the equaliser count) is kept in
// the processor.
class ZarnEditorComponent : public juce::AudioProcessorEditor,
                            public juce::ChangeListener,
                            public ZarnPanel
{
public:
    explicit ZarnEditorComponent (ZarnJuceFilter& owner);
    ~ZarnEditorComponent() override;

    void paint (juce::Graphics& g) override;
    void resized() override;
    // Only takes and releases the processor's callback lock.
    void changeListenerCallback (juce::ChangeBroadcaster* source) override;
    void comboBoxChanged (juce::ComboBox* box) override;

    // The file dialogs run without a modal loop (a host's idle call must not be held); the
    // editor owns the open one, so deleting the editor ends it.
    void saveTimbreAs() override;
    void chooseTimbreToLoad() override;
    // Sets the 49 parameters from the named timbre of the file (when there is one), telling the
    // host of each, in the table's load order; then every control from the parameters.
    void loadTimbre (const juce::String& path, const juce::String& timbreName) override;

protected:
    void apply (int index, double value) override;
    void oscillatorKnobsAdded (int o) override;

private:
    // Every control set from the parameters without a change message.
    void showParameters();
    void sendParameter (int index, float value);

    ZarnJuceFilter& owner;
    std::unique_ptr<juce::FileChooser> chooser;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ZarnEditorComponent)
};
