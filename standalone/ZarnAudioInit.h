#pragma once

#include "standalone/ZarnAudioSource.h"

#include <juce_audio_devices/juce_audio_devices.h>
#include <juce_audio_utils/juce_audio_utils.h>
#include <juce_gui_basics/juce_gui_basics.h>

// Opens the default audio output and wires the audio device, the MIDI inputs and the on-screen
// keyboard to the audio source. The program makes one, at its start (ZarnStartup's `audioInit`).
// When no output device opens, it says so in a warning box and connects nothing.
class ZarnAudioInit : public juce::Component,
                      public juce::AudioIODeviceCallback
{
public:
    ZarnAudioInit();
    ~ZarnAudioInit() override;

    void audioDeviceIOCallbackWithContext (const float* const* inputChannelData, int numInputChannels,
                                           float* const* outputChannelData, int numOutputChannels,
                                           int numSamples, const juce::AudioIODeviceCallbackContext& context) override;
    void audioDeviceAboutToStart (juce::AudioIODevice* device) override;
    void audioDeviceStopped() override;

    juce::AudioDeviceManager deviceManager;
    juce::AudioSourcePlayer audioSourcePlayer;
    ZarnAudioSource audioSource;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ZarnAudioInit)
};
