#include "standalone/ZarnAudioSource.h"

namespace
{
// Room for a few hundred MIDI events per block before the buffer would have to grow.
constexpr int midiBufferBytes = 8192;
} // namespace

ZarnAudioSource::ZarnAudioSource()
{
    midiBuffer.ensureSize (midiBufferBytes);
}

ZarnAudioSource::~ZarnAudioSource() = default;

void ZarnAudioSource::prepareToPlay (int, double sampleRate)
{
    midiCollector.reset (sampleRate);
    synth.setCurrentPlaybackSampleRate (sampleRate);
}

void ZarnAudioSource::releaseResources()
{
}

void ZarnAudioSource::getNextAudioBlock (const juce::AudioSourceChannelInfo& bufferToFill)
{
    // The voices add into the buffer, so every block starts from silence.
    if (bufferToFill.buffer != nullptr)
        bufferToFill.clearActiveBufferRegion();

    midiBuffer.clear(); // keeps its storage
    midiCollector.removeNextBlockOfMessages (midiBuffer, bufferToFill.numSamples);
    keyboardState.processNextMidiBuffer (midiBuffer, 0, bufferToFill.numSamples, true);

    if (bufferToFill.buffer != nullptr)
        synth.renderNextBlock (*bufferToFill.buffer, midiBuffer, 0, bufferToFill.numSamples);
}
