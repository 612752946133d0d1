#include "SynthRig.h"

#include "engine/ZarnSound.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>

namespace
{
// One sine oscillator without its second phase, the filter wide open: a clean tone to measure.
void makePureSine (SynthRig& rig)
{
    rig.synth.setOscWave (0, Sine);
    rig.synth.setOscDoubleLevel (0, 0.0);
    rig.synth.setOscLevels (1, 0.0, 0.0);
    rig.synth.setOscLevels (2, 0.0, 0.0);
    rig.synth.setCutoff (5000.0);
    rig.synth.setResonance (0.0);
}

bool allZero (const std::vector<float>& s, size_t from, size_t to)
{
    for (size_t i = from; i < to; ++i)
        if (s[i] != 0.0f)
            return false;

    return true;
}
} // namespace

TEST (EngineVoice, PitchFromNoteSemitonesCentsAndRate)
{
    struct Case { double rate; int note; int semitones; int cents; double hz; };
    const Case cases[] = {
        { 44100.0, 81, 0, 0, 440.0 },
        { 44100.0, 69, 0, 0, 220.0 },
        { 44100.0, 69, 12, 0, 220.0 * std::pow (1.059463094, 12) },
        { 44100.0, 69, -7, 0, 220.0 * std::pow (1.0 / 1.059463094, 7) },
        { 44100.0, 81, 0, 50, 440.0 * std::pow (1.00057779, 50) },
        { 48000.0, 81, 0, 0, 440.0 },
        { 48000.0, 57, 0, 0, 110.0 },
    };

    for (const auto& c : cases)
    {
        SynthRig rig (c.rate);
        makePureSine (rig);
        rig.synth.setOscSemitones (0, c.semitones);
        rig.synth.setOscCents (0, c.cents);
        rig.noteOn (c.note);
        rig.play (static_cast<int> (c.rate));

        EXPECT_NEAR (measuredFrequency (rig.left, 4410, rig.left.size(), c.rate), c.hz, 0.02)
            << "note " << c.note << " at " << c.rate;
    }
}

TEST (EngineVoice, StartNoteSetsIncrementsAndVelocityGain)
{
    SynthRig rig;
    rig.noteOn (81, 1.0f);
    rig.play (1);
    auto& v = rig.voice (0);
    EXPECT_NEAR (v.osc[0].baseInc, 440.0 * 4096.0 / 44100.0, 1e-9);
    EXPECT_NEAR (v.osc[0].baseInc, 40.86712, 1e-5);
    EXPECT_EQ (v.velocityGain, 1.0f * 0.35);
    EXPECT_NEAR (v.osc[1].inc2, v.osc[1].baseInc * 1.014545335, 1e-12);

    rig.noteOn (69, 1.0f);
    rig.play (1);
    EXPECT_NEAR (rig.voice (1).osc[2].baseInc, 440.0 * 4096.0 / 44100.0 / 2.0, 1e-9);
}

TEST (EngineVoice, ReleaseRampTailAndFreeingToTheSample)
{
    SynthRig rig;
    auto& v = rig.voice (0);
    rig.noteOn (69);
    rig.noteOff (69, 10000);
    rig.play (10000 + 4410);
    EXPECT_TRUE (v.releasing);
    EXPECT_FALSE (v.tailOnly);
    EXPECT_EQ (v.ampEnv.releaseCounter, 0.0f);

    rig.play (1); // the ramp ended at exactly 0; the tail begins
    EXPECT_TRUE (v.tailOnly);

    rig.play (70561 - 4411 - 1);
    EXPECT_EQ (v.getCurrentlyPlayingNote(), 69);

    rig.play (1); // the 70561st sample after the release began
    EXPECT_EQ (v.getCurrentlyPlayingNote(), -1);
    EXPECT_FALSE (v.active);
    EXPECT_FALSE (v.releasing);
    EXPECT_FALSE (v.tailOnly);
    EXPECT_EQ (v.ampEnv.releaseCounter, 4410.0f);
    EXPECT_EQ (v.osc[0].phase, 0.0);

    const size_t end = rig.left.size();
    rig.play (512);
    EXPECT_TRUE (allZero (rig.left, end, rig.left.size()));
    EXPECT_TRUE (allZero (rig.right, end, rig.right.size()));
}

TEST (EngineVoice, ReleaseOfZeroGoesStraightToTheTail)
{
    SynthRig rig;
    rig.synth.setAmpRelease (0.0);
    auto& v = rig.voice (0);
    rig.noteOn (69);
    rig.noteOff (69, 1000);
    rig.play (1000);
    EXPECT_FALSE (v.releasing);
    rig.play (1);
    EXPECT_TRUE (v.releasing);
    EXPECT_TRUE (v.tailOnly);
}

TEST (EngineVoice, SecondReleaseChangesNothing)
{
    SynthRig rig;
    auto& v = rig.voice (0);
    rig.noteOn (60);
    rig.play (3000);
    v.stopNote (0.0f, true);
    rig.play (100);
    const float counter = v.ampEnv.releaseCounter;
    v.stopNote (0.0f, true);
    EXPECT_EQ (v.ampEnv.releaseCounter, counter);
    EXPECT_TRUE (v.releasing);
    EXPECT_FALSE (v.tailOnly);
}

TEST (EngineVoice, RightChannelIsTheDryLineDelayed661SamplesAt129Percent)
{
    SynthRig rig; // echo level 0 by default
    rig.noteOn (64);
    rig.play (8000);

    EXPECT_TRUE (allZero (rig.right, 0, 661));
    EXPECT_GT (peak (rig.left, 0, 8000), 0.01f);

    for (size_t i = 661; i < 8000; ++i)
        ASSERT_EQ (rig.right[i], static_cast<float> (rig.left[i - 661] * 1.29)) << "sample " << i;
}

TEST (EngineVoice, EchoRepeatsEvery13230SamplesScaledByTheFeedback)
{
    SynthRig rig;
    rig.synth.setEchoLevel (1.0);
    rig.synth.setEchoFeedback (0.5);
    rig.synth.setAmpRelease (1.0);
    rig.noteOn (69);
    rig.noteOff (69, 2000);
    rig.play (4 * 13230 + 3000);

    const float first = peak (rig.left, 13230, 13230 + 3000);
    ASSERT_GT (first, 0.01f);
    EXPECT_NEAR (peak (rig.left, 2 * 13230, 2 * 13230 + 3000) / first, 0.5, 1e-3);
    EXPECT_NEAR (peak (rig.left, 3 * 13230, 3 * 13230 + 3000) / first, 0.25, 1e-3);
    EXPECT_LT (peak (rig.left, 13230 - 4000, 13230 - 1000), first * 1e-3); // quiet between repeats
}

TEST (EngineVoice, PulseLfoAlternatesBetweenTheNoteAndItsOctave)
{
    SynthRig rig;
    makePureSine (rig);
    rig.synth.setLfoRate (2.0); // period 22050 samples; low half first
    rig.synth.setLfoDepth (1.0);
    rig.noteOn (69);
    rig.play (44100);

    EXPECT_NEAR (measuredFrequency (rig.left, 1000, 10500, 44100.0), 220.0, 0.3);
    EXPECT_NEAR (measuredFrequency (rig.left, 12000, 21500, 44100.0), 220.0 * std::pow (1.00057779, 1200), 0.5);
    EXPECT_NEAR (measuredFrequency (rig.left, 23000, 32500, 44100.0), 220.0, 0.3);
}

TEST (EngineVoice, SawtoothAndTriangleLfosBendThePitchSmoothly)
{
    auto bend = [] (int wave) {
        SynthRig rig;
        makePureSine (rig);
        rig.synth.setLfoWave (wave);
        rig.synth.setLfoRate (1.0);
        rig.synth.setLfoDepth (0.5);
        rig.noteOn (69);
        rig.play (44100);
        return std::array<double, 4> { measuredFrequency (rig.left, 500, 3000, 44100.0),
                                       measuredFrequency (rig.left, 10000, 12500, 44100.0),
                                       measuredFrequency (rig.left, 21000, 23500, 44100.0),
                                       measuredFrequency (rig.left, 32000, 34500, 44100.0) };
    };

    const auto saw = bend (Sawtooth); // falls from the top through the note to the bottom
    EXPECT_GT (saw[0], saw[1]);
    EXPECT_GT (saw[1], saw[2]);
    EXPECT_GT (saw[2], saw[3]);
    EXPECT_NEAR (saw[0], 220.0 * std::pow (2.0, 0.5), 10.0);

    const auto tri = bend (Triangle); // rises to the top at a quarter, down to the bottom at three quarters
    EXPECT_NEAR (tri[1], 220.0 * std::pow (2.0, 0.5), 8.0); // averaged around the peak
    EXPECT_NEAR (tri[3], 220.0 / std::pow (2.0, 0.5), 4.0);
    EXPECT_NEAR (tri[2], 220.0, 3.0);
}

TEST (EngineVoice, WithTheFilterOffAHeldNoteIsSilentAndResumesWhereItStood)
{
    SynthRig paused, straight;

    for (auto* rig : { &paused, &straight })
    {
        rig->noteOn (72);
        rig->play (5000);
    }

    paused.synth.setFilterOn (false);
    const double phase = paused.voice (0).osc[0].phase;
    paused.play (3000);
    EXPECT_TRUE (allZero (paused.left, 5000, 8000));
    EXPECT_EQ (paused.voice (0).osc[0].phase, phase);

    paused.synth.setFilterOn (true);
    paused.play (5000);
    straight.play (5000);

    for (size_t i = 0; i < 5000; ++i)
        ASSERT_EQ (paused.left[8000 + i], straight.left[5000 + i]) << "sample " << i;
}

TEST (EngineVoice, FilterSwitchedOffLateInTheTailEndsTheNoteShort)
{
    SynthRig rig;
    auto& v = rig.voice (0);
    rig.noteOn (60);
    rig.noteOff (60, 100);
    rig.play (100 + 4410 + 1000); // counter now below -900
    ASSERT_EQ (v.getCurrentlyPlayingNote(), 60);

    rig.synth.setFilterOn (false);
    rig.play (1);
    EXPECT_EQ (v.getCurrentlyPlayingNote(), -1);
    EXPECT_FALSE (v.active);
    EXPECT_TRUE (v.releasing); // kept, as after any stop without tail-off
}

TEST (EngineVoice, BlockBoundariesAreSeamless)
{
    SynthRig whole, pieces;

    for (auto* rig : { &whole, &pieces })
    {
        rig->synth.setEchoLevel (0.4);
        rig->synth.setLfoRate (5.0);
        rig->synth.setLfoDepth (0.2);
        rig->synth.setEqOn (true);
        rig->synth.setEqGain (3, 4.0f);
        rig->noteOn (60);
        rig->noteOn (67, 0.8f, 333);
        rig->noteOff (60, 6000);
    }

    whole.play (20000, 4096);
    pieces.play (20000, 77);
    ASSERT_EQ (whole.left.size(), pieces.left.size());

    for (size_t i = 0; i < whole.left.size(); ++i)
    {
        ASSERT_EQ (whole.left[i], pieces.left[i]) << "sample " << i;
        ASSERT_EQ (whole.right[i], pieces.right[i]) << "sample " << i;
    }
}

TEST (EngineSynthesiser, EventsStartAtTheirExactSample)
{
    SynthRig one, two;
    one.noteOn (60, 1.0f, 10);
    two.noteOn (60, 1.0f, 10);
    two.noteOn (72, 1.0f, 20); // closer than the framework's usual 32-sample grouping
    one.play (256);
    two.play (256);

    // The first tick of a note is silent, so a note started at sample s sounds from s + 1.
    EXPECT_TRUE (allZero (one.left, 0, 11));
    EXPECT_NE (one.left[11], 0.0f);

    for (size_t i = 0; i <= 20; ++i)
        ASSERT_EQ (two.left[i], one.left[i]) << "sample " << i;

    EXPECT_NE (two.left[21], one.left[21]);
}

TEST (EngineSynthesiser, The33rdNoteStealsTheVoiceThatStartedLongestAgo)
{
    SynthRig rig;

    for (int i = 0; i < 32; ++i)
        rig.noteOn (40 + i, 1.0f, i);

    rig.play (64);
    ASSERT_EQ (rig.soundingVoices(), 32);

    // Release the first note; it keeps its voice through its tail, so all 32 still sound.
    rig.noteOff (40);
    rig.play (10);
    ASSERT_TRUE (rig.voice (0).releasing);

    rig.noteOn (90);
    rig.play (10);
    EXPECT_EQ (rig.voice (0).getCurrentlyPlayingNote(), 90);

    rig.noteOn (91);
    rig.play (10);
    EXPECT_EQ (rig.voice (1).getCurrentlyPlayingNote(), 91); // then the next oldest, note 41
    EXPECT_EQ (rig.soundingVoices(), 32);
}

TEST (EngineSynthesiser, AllNotesOffReleasesOnlyTheVoicesThatHoldANote)
{
    for (const int controller : { 123, 120 })
    {
        SynthRig rig;
        rig.noteOn (60);
        rig.play (1000);

        rig.pending.addEvent (juce::MidiMessage::controllerEvent (1, controller, 0), 0);
        rig.play (10);
        EXPECT_TRUE (rig.voice (0).releasing);

        for (int i = 1; i < ZarnSynthesiser::numVoices; ++i)
            ASSERT_FALSE (rig.voice (i).releasing) << "voice " << i;

        rig.synth.allNotesOff (0, true);
        EXPECT_FALSE (rig.voice (1).releasing);

        // The next note gets a free voice and sounds as a held note.
        const size_t from = rig.left.size();
        rig.noteOn (67);
        rig.play (3000);
        EXPECT_FALSE (rig.voice (1).releasing);
        EXPECT_EQ (rig.voice (1).getCurrentlyPlayingNote(), 67);
        EXPECT_GT (peak (rig.left, from + 2000, from + 3000), 0.01f);
    }
}

TEST (EngineSynthesiser, ANoteOnOfASoundingNoteReleasesItFirst)
{
    SynthRig rig;
    rig.noteOn (60);
    rig.play (500);
    rig.noteOn (60);
    rig.play (10);
    EXPECT_TRUE (rig.voice (0).releasing);
    EXPECT_EQ (rig.voice (1).getCurrentlyPlayingNote(), 60);
    EXPECT_FALSE (rig.voice (1).releasing);
}

TEST (EngineSynthesiser, PedalsChangeNothing)
{
    for (const int controller : { 64, 66, 67 })
    {
        SynthRig pedalled, plain;

        for (auto* rig : { &pedalled, &plain })
        {
            rig->noteOn (60);
            rig->noteOff (60, 3000);
        }

        pedalled.pending.addEvent (juce::MidiMessage::controllerEvent (1, controller, 127), 1000);
        pedalled.pending.addEvent (juce::MidiMessage::controllerEvent (1, controller, 0), 6000);

        // The note-off at sample 3000 starts the release ramp on that very sample.
        pedalled.play (3001);
        EXPECT_TRUE (pedalled.voice (0).releasing) << "controller " << controller;
        EXPECT_EQ (pedalled.voice (0).ampEnv.releaseCounter, 4409.0f) << "controller " << controller;

        pedalled.play (9000);
        plain.play (12001);

        for (size_t i = 0; i < plain.left.size(); ++i)
        {
            ASSERT_EQ (pedalled.left[i], plain.left[i]) << "controller " << controller << ", sample " << i;
            ASSERT_EQ (pedalled.right[i], plain.right[i]) << "controller " << controller << ", sample " << i;
        }
    }
}

// Each voice widens the buffer's sample, adds its own sum in double and rounds once. With no echo
// the right channel's sum is the dry signal 661 samples earlier times 1.29, which a float cannot
// hold, so two voices give a result that differs from adding each voice's rounded share.
TEST (EngineSynthesiser, EachVoiceAddsItsDoubleSumRoundedOnce)
{
    SynthRig first, second, both;
    first.noteOn (60);
    second.noteOn (67, 0.7f);
    both.noteOn (60);
    both.noteOn (67, 0.7f);

    for (auto* rig : { &first, &second, &both })
        rig->play (4000);

    // Alone, a voice's left channel is its dry signal exactly.
    int roundingsDiffer = 0;

    for (size_t i = 661; i < 4000; ++i)
    {
        const double a = first.left[i - 661] * 1.29, b = second.left[i - 661] * 1.29;
        const float afterFirst = static_cast<float> (0.0 + a);
        const float expected = static_cast<float> (static_cast<double> (afterFirst) + b);
        ASSERT_EQ (both.right[i], expected) << "sample " << i;
        roundingsDiffer += expected != afterFirst + static_cast<float> (b) ? 1 : 0;
    }

    EXPECT_GT (roundingsDiffer, 100);
}

TEST (EngineSynthesiser, SampleRateChangeFreesEveryVoice)
{
    SynthRig rig;
    rig.noteOn (60);
    rig.noteOn (64);
    rig.play (100);
    ASSERT_EQ (rig.soundingVoices(), 2);
    rig.synth.setCurrentPlaybackSampleRate (48000.0);
    EXPECT_EQ (rig.soundingVoices(), 0);
    EXPECT_EQ (rig.voice (31).getSampleRate(), 48000.0);
}

TEST (EngineSound, AppliesToNotes0To127OnAnyChannel)
{
    juce::ReferenceCountedObjectPtr<ZarnSound> sound (ZarnSound::forAllNotes());
    EXPECT_FALSE (sound->appliesToNote (-1));
    EXPECT_FALSE (sound->appliesToNote (128));

    for (int n = 0; n < 128; ++n)
        ASSERT_TRUE (sound->appliesToNote (n));

    for (int c : { 0, 1, 16, 99 })
        EXPECT_TRUE (sound->appliesToChannel (c));

    ZarnVoice voice;
    EXPECT_TRUE (voice.canPlaySound (sound.get()));
}
