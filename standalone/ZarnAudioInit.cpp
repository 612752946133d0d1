#include "standalone/ZarnAudioInit.h"

ZarnAudioInit::ZarnAudioInit()
{
    // No saved set-up and no preferred device: the framework's default output, at that device's
    // own sample rate and block size.
    const auto error = deviceManager.initialise (0, 2, nullptr, true);

    if (error.isNotEmpty())
    {
        juce::AlertWindow::showMessageBox (juce::MessageBoxIconType::WarningIcon, "zarN",
                                           "Couldn't open an output device!\n\n" + error);
        return;
    }

    // The source first, then the callback (which prepares the source at once), then MIDI.
    audioSourcePlayer.setSource (&audioSource);
    deviceManager.addAudioCallback (this);
    deviceManager.addMidiInputDeviceCallback ({}, &audioSource.midiCollector);
}

ZarnAudioInit::~ZarnAudioInit()
{
    deviceManager.removeMidiInputDeviceCallback ({}, &audioSource.midiCollector);
    deviceManager.removeAudioCallback (this);
    audioSourcePlayer.setSource (nullptr);
}

void ZarnAudioInit::audioDeviceIOCallbackWithContext (const float* const* inputChannelData, int numInputChannels,
                                                      float* const* outputChannelData, int numOutputChannels,
                                                      int numSamples, const juce::AudioIODeviceCallbackContext& context)
{
    audioSourcePlayer.audioDeviceIOCallbackWithContext (inputChannelData, numInputChannels,
                                                        outputChannelData, numOutputChannels,
                                                        numSamples, context);
}

void ZarnAudioInit::audioDeviceAboutToStart (juce::AudioIODevice* device)
{
    audioSourcePlayer.audioDeviceAboutToStart (device);
}

void ZarnAudioInit::audioDeviceStopped()
{
    audioSourcePlayer.audioDeviceStopped();
}
