#pragma once

#include "engine/ZarnSynthesiser.h"

#include <juce_audio_devices/juce_audio_devices.h>

// The standalone program's audio source: the synthesiser with its 32 voices, fed by the MIDI
// inputs (through the collector) and by the on-screen keyboard (through the keyboard state).
class ZarnAudioSource : public juce::AudioSource
{
public:
    ZarnAudioSource();
    ~ZarnAudioSource() override;

    void prepareToPlay (int samplesPerBlockExpected, double sampleRate) override;
    void releaseResources() override;
    void getNextAudioBlock (const juce::AudioSourceChannelInfo& bufferToFill) override;

    juce::MidiMessageCollector midiCollector;
    juce::MidiKeyboardState keyboardState;
    ZarnSynthesiser synth;

private:
    // The block's MIDI events. Kept between blocks with room reserved up front, so that the audio
    // thread never allocates for it.
    juce::MidiBuffer midiBuffer;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ZarnAudioSource)
};
