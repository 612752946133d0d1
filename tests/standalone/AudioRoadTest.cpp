#include "engine/ZarnVoice.h"
#include "tests/standalone/StandaloneFixtures.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace
{
// Waits (on this thread, for the audio thread's work) until `done` holds or ten seconds pass.
template <typename Condition>
bool waitFor (Condition done)
{
    for (int i = 0; i < 1000; ++i)
    {
        if (done())
            return true;

        std::this_thread::sleep_for (std::chrono::milliseconds (10));
    }

    return done();
}

bool aVoicePlays (int note)
{
    auto& synth = programStartup().audioInit.audioSource.synth;

    for (int i = 0; i < synth.getNumVoices(); ++i)
        if (synth.readVoice (i, [] (ZarnVoice& v) { return v.getCurrentlyPlayingNote(); }) == note)
            return true;

    return false;
}

juce::MidiMessage now (juce::MidiMessage message)
{
    message.setTimeStamp (juce::Time::getMillisecondCounterHiRes() * 0.001);
    return message;
}

float peakOf (const juce::AudioBuffer<float>& buffer)
{
    return juce::jmax (buffer.getMagnitude (0, 0, buffer.getNumSamples()), buffer.getMagnitude (1, 0, buffer.getNumSamples()));
}
} // namespace

TEST (StandaloneAudio, DefaultOutputOpensWithTwoOutputsAndPlaysTheSource)
{
    auto& init = programStartup().audioInit;
    auto* device = init.deviceManager.getCurrentAudioDevice();
    ASSERT_NE (device, nullptr);
    EXPECT_TRUE (device->isPlaying());
    EXPECT_EQ (device->getActiveOutputChannels().countNumberOfSetBits(), 2);
    EXPECT_EQ (device->getActiveInputChannels().countNumberOfSetBits(), 0);
    EXPECT_EQ (init.audioSourcePlayer.getCurrentSource(), &init.audioSource);

    // The synthesiser runs at the device's rate (the source was prepared when the callback was added).
    EXPECT_EQ (init.audioSource.synth.getSampleRate(), device->getCurrentSampleRate());
}

TEST (StandaloneAudio, MidiInputAndOnScreenKeysReachTheVoicesAndTheKeyboardState)
{
    auto& source = programStartup().audioInit.audioSource;

    // A note from a MIDI input, outside the on-screen keyboard's range too.
    for (int note : { 81, 30 })
    {
        SCOPED_TRACE (note);
        source.midiCollector.addMessageToQueue (now (juce::MidiMessage::noteOn (1, note, (juce::uint8) 100)));
        EXPECT_TRUE (waitFor ([&] { return source.keyboardState.isNoteOn (1, note) && aVoicePlays (note); }));

        source.midiCollector.addMessageToQueue (now (juce::MidiMessage::noteOff (1, note)));
        EXPECT_TRUE (waitFor ([&] { return ! source.keyboardState.isNoteOn (1, note); }));
    }

    // A key of the on-screen keyboard: the keyboard state's own events join the block.
    source.keyboardState.noteOn (1, 69, 1.0f);
    EXPECT_TRUE (waitFor ([] { return aVoicePlays (69); }));
    source.keyboardState.noteOff (1, 69, 0.0f);
}

// A panel on the program's own objects, as the main window builds it: its changes reach the
// voices while the device's thread renders them.
TEST (StandaloneAudio, APanelOnTheProgramsObjectsWritesTheVoicesThatTheDevicePlays)
{
    auto& startup = programStartup();
    auto& audio = startup.audioInit;
    auto& synth = audio.audioSource.synth;
    StandaloneRig::writePresets ({});

    {
        ZarnUI panel (synth, audio.deviceManager, audio.audioSource.keyboardState, startup.startFolder(), startup.eqChangeCount);
        audio.audioSource.keyboardState.noteOn (1, 69, 1.0f);
        EXPECT_TRUE (waitFor ([] { return aVoicePlays (69); }));

        panel.fltcut->setValue (660, juce::sendNotificationAsync);
        StandaloneRig::pumpPending();

        for (int i = 0; i < synth.getNumVoices(); ++i)
            EXPECT_TRUE (synth.readVoice (i, [] (ZarnVoice& v) { return v.filter.baseCutoff == 660.0; })) << "voice " << i;

        audio.audioSource.keyboardState.noteOff (1, 69, 0.0f);
    }

    StandaloneRig::pumpPending();
}

TEST (StandaloneAudio, SourceClearsEachBlockAndRendersTheKeyboardsNotes)
{
    // A source of its own, driven block by block as the source player does.
    ZarnAudioSource source;
    source.prepareToPlay (256, 44100.0);

    juce::AudioBuffer<float> buffer (2, 256);
    const juce::AudioSourceChannelInfo block (&buffer, 0, 256);

    for (int c = 0; c < 2; ++c)
        juce::FloatVectorOperations::fill (buffer.getWritePointer (c), 0.75f, 256);

    source.getNextAudioBlock (block);
    EXPECT_EQ (peakOf (buffer), 0.0f) << "a block without sounding voices is exact silence";

    source.keyboardState.noteOn (1, 81, 1.0f);
    float peak = 0.0f;

    for (int i = 0; i < 40; ++i)
    {
        source.getNextAudioBlock (block);
        peak = juce::jmax (peak, peakOf (buffer));
    }

    EXPECT_GT (peak, 0.0f);
    EXPECT_TRUE (source.keyboardState.isNoteOn (1, 81));
}
