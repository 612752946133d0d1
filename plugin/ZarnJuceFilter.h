#pragma once

#include "engine/ZarnSynthesiser.h"
#include "engine/ZarnVoice.h"
#include "timbre/SettingsTable.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <atomic>

// The plug-in's audio processor: a synthesiser of 32 voices, the 49 parameters in their own
// units (not normalised) and the rendering of each block from the host's MIDI and the editor's
// keyboard. It has no programs, no parameter names or texts and no saved state.
//
// It answers through the framework's legacy, index-based parameter calls (getNumParameters,
// getParameter, setParameter, ...), which JUCE 7 still routes when a processor has no managed
// parameter objects; JUCE marks them deprecated, so their warnings are silenced around them.
class ZarnJuceFilter : public juce::AudioProcessor,
                       public juce::ChangeBroadcaster
{
public:
    static constexpr int numParams = SettingsTable::count; // in the table's order

    ZarnJuceFilter();
    ~ZarnJuceFilter() override;

    const juce::String getName() const override;
    void prepareToPlay (double sampleRate, int samplesPerBlock) override;
    void releaseResources() override;
    void processBlock (juce::AudioBuffer<float>& buffer, juce::MidiBuffer& midiMessages) override;
    using juce::AudioProcessor::processBlock;

JUCE_BEGIN_IGNORE_WARNINGS_GCC_LIKE ("-Wdeprecated-declarations")
    const juce::String getInputChannelName (int channelIndex) const override;
    const juce::String getOutputChannelName (int channelIndex) const override;
    bool isInputChannelStereoPair (int index) const override;
    bool isOutputChannelStereoPair (int index) const override;

    int getNumParameters() override;
    const juce::String getParameterName (int parameterIndex) override;
    float getParameter (int parameterIndex) override;
    const juce::String getParameterText (int parameterIndex) override;
    void setParameter (int parameterIndex, float newValue) override;
    bool isParameterAutomatable (int parameterIndex) const override;
    bool isMetaParameter (int parameterIndex) const override;
JUCE_END_IGNORE_WARNINGS_GCC_LIKE

    bool acceptsMidi() const override;
    bool producesMidi() const override;
    double getTailLengthSeconds() const override;
    void reset() override;

    juce::AudioProcessorEditor* createEditor() override;
    bool hasEditor() const override;

    int getNumPrograms() override;
    int getCurrentProgram() override;
    void setCurrentProgram (int index) override;
    const juce::String getProgramName (int index) override;
    void changeProgramName (int index, const juce::String& newName) override;

    void getStateInformation (juce::MemoryBlock& destData) override;
    void setStateInformation (const void* data, int sizeInBytes) override;

    // Notes played on the editor's keyboard, merged into each block's MIDI.
    juce::MidiKeyboardState keyboardState;
    // Owns the voices and the sound; every setting reaches the voices through its setters.
    ZarnSynthesiser synth;
    // The synthesiser's voices 0..31 in order (not owned). The processor itself reaches the voices
    // through the synthesiser's setters; the tests read these as their way in to the voices.
    ZarnVoice* voices[ZarnSynthesiser::numVoices] = {};

    // The editor's memory across editors (message thread only).
    int editorOpenCount = 0;
    bool skipNextPresetChange = true;
    int lastPresetIndex = 0;
    int eqChangeCount = 0;

private:
    bool isOn (int index) const noexcept;
    void apply (int index, float stored);

    // Written by setParameter and read by getParameter on any thread, so each value is atomic.
    std::atomic<float> params[numParams];

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ZarnJuceFilter)
};

// Makes the processor for the plug-in entry; null when it cannot be made.
juce::AudioProcessor* createPluginFilter();
