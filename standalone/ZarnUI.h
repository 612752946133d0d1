#pragma once

#include "engine/ZarnSynthesiser.h"
#include "engine/ZarnVoice.h"
#include "panel/ZarnPanel.h"
#include "standalone/HelloWindow.h"

#include <juce_audio_devices/juce_audio_devices.h>
#include <juce_gui_basics/juce_gui_basics.h>

#include <memory>

// The instrument panel of the standalone program: the shared panel, whose every change is
// written into all 32 voices through the synthesiser's setters, with the options menu (its audio
// settings are the device manager's), the welcome window and its timer, and the synchronous file
// dialogs.
class ZarnUI : public juce::Component,
               public ZarnPanel,
               public juce::Timer
{
public:
    // `folder` holds "presets.xml"; the equaliser passes count on in `eqChangeCount`, which the
    // program keeps for its whole run (the greeting shows when it stands at 143). All of these
    // outlive the panel.
    ZarnUI (ZarnSynthesiser& synth, juce::AudioDeviceManager& deviceManager, juce::MidiKeyboardState& keyboardState,
            const juce::File& folder, int& eqChangeCount);
    ~ZarnUI() override;

    void paint (juce::Graphics& g) override;
    void resized() override;
    void buttonClicked (juce::Button* button) override;
    void comboBoxChanged (juce::ComboBox* box) override;
    void timerCallback() override;

    void saveTimbreAs() override;
    void chooseTimbreToLoad() override;
    // Sets the controls from the named timbre of the file; their handlers write the voices.
    void loadTimbre (const juce::String& path, const juce::String& timbreName) override;

    // The synthesiser's voices 0..31 in order (not owned). The panel itself reaches the voices
    // through the synthesiser's setters; the tests read these as their way in to the voices.
    ZarnVoice* voices[ZarnSynthesiser::numVoices] = {};
    std::unique_ptr<HelloWindow> welcomeWindow; // the welcome window, later the About window
    juce::TextButton* optionsButton = nullptr;

protected:
    void apply (int index, double value) override;

private:
    void showOptionsMenu();

    juce::AudioDeviceManager& devices;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ZarnUI)
};
