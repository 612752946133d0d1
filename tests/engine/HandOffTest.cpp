#include "SynthRig.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <thread>

namespace
{
// Every kind of setting, with values from its control's range, chosen by `step`.
void changeEverySetting (ZarnSynthesiser& synth, int step)
{
    const int o = step % 3;
    const double t = (step % 101) / 100.0;

    synth.setOscWave (o, step % 5);
    synth.setOscLevels (o, t, 0.14);
    synth.setOscLevel (o, t);
    synth.setOscDoubleLevel (o, 0.19);
    synth.setOscSemitones (o, step % 49 - 24);
    synth.setOscCents (o, step % 201 - 100);
    synth.setOscPulseWidth (o, t * 0.5);
    synth.setCutoff (t * 5000.0);
    synth.setResonance (t);
    synth.setFilterAttack (1.0 + t * 2999.0);
    synth.setFilterDecay (1.0 + t * 2999.0);
    synth.setFilterSustain (0.01 + t * 0.99);
    synth.setFilterRelease (1.0 + t * 100.0);
    synth.setFilterEnvAmount (t);
    synth.setFilterOn (step % 7 != 0);
    synth.setAmpAttack (3.0 + t * 100.0);
    synth.setAmpDecay (10.0 + t * 100.0);
    synth.setAmpSustain (t);
    synth.setAmpRelease (1.0 + t * 50.0);
    synth.setVolume (t);
    synth.setEchoFeedback (t * 0.9);
    synth.setEchoLevel (t);
    synth.setLfoWave (step % 3 == 0 ? Pulse : (step % 3 == 1 ? Sawtooth : Triangle));
    synth.setLfoRate (t * 20.0);
    synth.setLfoIncrement (t);
    synth.setLfoDepth (t);
    synth.setEqOn (step % 2 == 0);
    synth.setEqGain (step % 8, static_cast<float> (t * 16.0 - 8.0));
    synth.writeVoices ([t] (ZarnVoice& v) {
        v.lfoDepth = 0.32 * t;
        v.lfo.inc = 8192.0 / v.getSampleRate();
    });
    (void) synth.getOscWave (o);
    (void) synth.getLfoWave();
}
} // namespace

// One thread changes every kind of setting while another renders notes; run under
// ThreadSanitizer this proves that every value crosses whole.
TEST (EngineHandOff, SettingsChangeWhileTheAudioThreadRenders)
{
    SynthRig rig;
    std::atomic<bool> stop { false };
    std::atomic<int> blocks { 0 };
    bool finite = true;

    std::thread audio ([&] {
        juce::AudioBuffer<float> buffer (2, 256);
        int note = 0;

        while (! stop.load())
        {
            juce::MidiBuffer midi;
            midi.addEvent (juce::MidiMessage::noteOn (1, 36 + note % 60, 0.9f), 3);
            midi.addEvent (juce::MidiMessage::noteOff (1, 36 + (note + 50) % 60), 100);
            ++note;
            buffer.clear();
            rig.synth.renderNextBlock (buffer, midi, 0, 256);

            for (int c = 0; c < 2; ++c)
                for (int i = 0; i < 256; ++i)
                    finite = finite && std::isfinite (buffer.getSample (c, i));

            blocks.fetch_add (1);
        }
    });

    for (int step = 0; step < 300 || blocks.load() < 50; ++step)
        changeEverySetting (rig.synth, step);

    stop.store (true);
    audio.join();
    EXPECT_TRUE (finite);
    EXPECT_GE (blocks.load(), 50);
}

// A setting is heard from the first block that starts after the writing call returns: once the
// filter is switched off, every block that starts afterwards is silent.
TEST (EngineHandOff, AChangeIsHeardFromTheNextBlock)
{
    SynthRig rig;
    rig.noteOn (60);
    rig.play (2000);

    std::atomic<bool> written { false };
    std::atomic<int> silentAfterWrite { 0 };
    std::atomic<bool> loudAfterWrite { false };

    std::thread audio ([&] {
        juce::AudioBuffer<float> buffer (2, 256);

        while (silentAfterWrite.load() < 20)
        {
            const bool writtenBefore = written.load();
            buffer.clear();
            rig.synth.renderNextBlock (buffer, {}, 0, 256);

            if (writtenBefore)
            {
                if (buffer.getMagnitude (0, 256) != 0.0f)
                    loudAfterWrite.store (true);

                silentAfterWrite.fetch_add (1);
            }
        }
    });

    std::this_thread::sleep_for (std::chrono::milliseconds (20));
    rig.synth.setFilterOn (false);
    written.store (true);
    audio.join();
    EXPECT_FALSE (loudAfterWrite.load());
}
