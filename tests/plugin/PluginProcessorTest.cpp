// The processor in-process: parameters, their effect on all 32 voices, state, rendering and
// the guards against values that would poison or blow up a voice.
#include "plugin/ZarnJuceFilter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <vector>

JUCE_BEGIN_IGNORE_WARNINGS_GCC_LIKE ("-Wdeprecated-declarations") // the legacy parameter calls

namespace
{
struct ChangeCounter : juce::ChangeListener
{
    void changeListenerCallback (juce::ChangeBroadcaster*) override { ++count; }
    int count = 0;
};

class PluginProcessor : public ::testing::Test
{
protected:
    // Every voice must satisfy `check`.
    void expectAllVoices (const std::function<bool (ZarnVoice&)>& check, const char* what)
    {
        for (int i = 0; i < ZarnSynthesiser::numVoices; ++i)
            ASSERT_TRUE (filter.synth.readVoice (i, check)) << what << ", voice " << i;
    }

    // Renders `blocks` blocks of 256 frames with one note held from the start; returns the left
    // channel followed by the right.
    std::vector<float> renderNote (int note, int blocks)
    {
        juce::AudioBuffer<float> buffer (2, 256);
        std::vector<float> out;

        for (int b = 0; b < blocks; ++b)
        {
            juce::MidiBuffer midi;

            if (b == 0)
                midi.addEvent (juce::MidiMessage::noteOn (1, note, 1.0f), 0);

            filter.processBlock (buffer, midi);

            for (int ch = 0; ch < 2; ++ch)
                out.insert (out.end(), buffer.getReadPointer (ch), buffer.getReadPointer (ch) + 256);
        }

        return out;
    }

    juce::ScopedJuceInitialiser_GUI juce;
    ZarnJuceFilter filter;
    ZarnVoice reference; // a voice as built, for the values the parameters replace
};

std::vector<double> tableOf (int wave)
{
    std::vector<double> t (Oscillator::tableSize);
    Oscillator::buildTable (wave, t.data());
    return t;
}

// The largest magnitude; infinity when any sample is not finite.
float peakOf (const std::vector<float>& samples)
{
    float peak = 0.0f;

    for (float x : samples)
        peak = std::isfinite (x) ? std::max (peak, std::abs (x)) : std::numeric_limits<float>::infinity();

    return peak;
}

bool holdsTable (const Oscillator& o, const std::vector<double>& t)
{
    return std::equal (t.begin(), t.end(), o.table);
}
} // namespace

TEST_F (PluginProcessor, StartsWith49ParametersAtZeroAndAnswersLikeTheInstrument)
{
    EXPECT_EQ (filter.getNumParameters(), 49);

    for (int i = -1; i <= 49; ++i)
        EXPECT_EQ (filter.getParameter (i), 0.0f) << i;

    EXPECT_EQ (filter.getName(), "zarN the Synthesizer");
    EXPECT_EQ (filter.getInputChannelName (0), "1");
    EXPECT_EQ (filter.getOutputChannelName (0), "1");
    EXPECT_EQ (filter.getOutputChannelName (1), "2");
    EXPECT_FALSE (filter.isInputChannelStereoPair (0));
    EXPECT_TRUE (filter.isOutputChannelStereoPair (0));
    EXPECT_TRUE (filter.acceptsMidi());
    EXPECT_TRUE (filter.producesMidi());
    EXPECT_EQ (filter.getNumPrograms(), 0);
    EXPECT_EQ (filter.getCurrentProgram(), 0);
    EXPECT_TRUE (filter.getProgramName (0).isEmpty());
    EXPECT_TRUE (filter.getParameterName (3).isEmpty());
    EXPECT_TRUE (filter.getParameterText (3).isEmpty());
    EXPECT_TRUE (filter.isParameterAutomatable (48));
    EXPECT_FALSE (filter.isMetaParameter (0));
    EXPECT_EQ (filter.getTotalNumInputChannels(), 0);
    EXPECT_EQ (filter.getTotalNumOutputChannels(), 2);

    for (int i = 0; i < ZarnSynthesiser::numVoices; ++i)
        EXPECT_EQ (filter.voices[i], filter.synth.getZarnVoice (i));

    EXPECT_EQ (filter.synth.getNumVoices(), 32);
    EXPECT_EQ (filter.synth.getNumSounds(), 1);
}

// One setParameter call after some earlier ones: what it stores and what every voice then holds.
struct ParameterCase
{
    const char* what;
    std::vector<std::pair<int, float>> before;
    int index;
    float value;
    float stored;
    std::function<bool (ZarnVoice&, ZarnVoice&)> voiceHolds; // (voice, reference)
};

TEST_F (PluginProcessor, ParameterTableStoresAndWritesEveryVoice)
{
    const auto square = tableOf (Square), triangle = tableOf (Triangle), sine = tableOf (Sine);
    const auto pulse = [] (double width) {
        std::vector<double> t (Oscillator::tableSize);
        Oscillator::buildPulseTable (width, t.data());
        return t;
    };
    const auto pulse25 = pulse (0.25);

    const std::vector<ParameterCase> cases = {
        { "osc switch 0.5 is off", { { 2, 0.7f } }, 0, 0.5f, 0.0f,
          [] (ZarnVoice& v, ZarnVoice&) { return v.oscLevel[0].value == 0.0 && v.doubleLevel[0].value == 0.0; } },
        { "osc switch on ignores the level", { { 2, 0.3f } }, 0, 1.0f, 1.0f,
          [] (ZarnVoice& v, ZarnVoice&) { return v.oscLevel[0].value == 1.0 && v.doubleLevel[0].value == 0.19; } },
        { "osc 2 switch 0.9 is off", { { 14, -2.5f } }, 14, 0.9f, 0.0f,
          [] (ZarnVoice& v, ZarnVoice&) { return v.oscLevel[2].value == 0.0 && v.doubleLevel[2].value == 0.0; } },
        { "level while off", {}, 2, 0.3f, 0.3f,
          [] (ZarnVoice& v, ZarnVoice& r) { return v.oscLevel[0].value == r.oscLevel[0].value; } },
        { "level while on", { { 7, 1.0f } }, 9, 0.3f, 0.3f,
          [] (ZarnVoice& v, ZarnVoice&) { return v.oscLevel[1].value == static_cast<double> (0.3f); } },
        { "double on while the osc is off", { { 6, 0.0f } }, 6, 1.0f, 1.0f,
          [] (ZarnVoice& v, ZarnVoice&) { return v.doubleLevel[0].value == 0.0; } },
        { "double on while the osc is on", { { 14, 1.0f }, { 20, 0.0f } }, 20, 1.0f, 1.0f,
          [] (ZarnVoice& v, ZarnVoice&) { return v.doubleLevel[2].value == 0.19; } },
        { "double off whatever the switch", { { 7, 0.0f } }, 13, 0.0f, 0.0f,
          [] (ZarnVoice& v, ZarnVoice&) { return v.doubleLevel[1].value == 0.0; } },
        { "wave 2.9 is Triangle", {}, 15, 2.9f, 2.0f,
          [&] (ZarnVoice& v, ZarnVoice&) { return v.osc[2].waveType == Triangle && holdsTable (v.osc[2], triangle); } },
        { "unknown wave changes nothing", { { 1, 2.0f } }, 1, 7.0f, 7.0f,
          [&] (ZarnVoice& v, ZarnVoice&) { return v.osc[0].waveType == Triangle && holdsTable (v.osc[0], triangle); } },
        { "wave back to Sine", { { 8, 4.0f } }, 8, 3.0f, 3.0f,
          [&] (ZarnVoice& v, ZarnVoice&) { return v.osc[1].waveType == Sine && holdsTable (v.osc[1], sine); } },
        { "semitones -1.5", {}, 3, -1.5f, -1.0f,
          [] (ZarnVoice& v, ZarnVoice& r) { r.osc[0].setSemitones (-1); return v.osc[0].semitoneRatio == r.osc[0].semitoneRatio && v.osc[0].detuned; } },
        { "cents 50.7", {}, 11, 50.7f, 50.0f,
          [] (ZarnVoice& v, ZarnVoice& r) { r.osc[1].setCents (50); return v.osc[1].centRatio == r.osc[1].centRatio && v.osc[1].detuned; } },
        { "pulse width", {}, 5, 0.25f, 0.25f,
          [&] (ZarnVoice& v, ZarnVoice&) { return holdsTable (v.osc[0], pulse25); } },
        { "filter switch off", {}, 21, 0.0f, 0.0f, [] (ZarnVoice& v, ZarnVoice&) { return ! v.filterOn; } },
        { "filter switch 0.7 is off, as the editor shows it", {}, 21, 0.7f, 0.7f, [] (ZarnVoice& v, ZarnVoice&) { return ! v.filterOn; } },
        { "filter switch on", { { 21, 0.0f } }, 21, 1.0f, 1.0f, [] (ZarnVoice& v, ZarnVoice&) { return v.filterOn; } },
        { "filter attack", {}, 22, 50.5f, 50.5f,
          [] (ZarnVoice& v, ZarnVoice& r) { r.filterEnv.setAttack (50.5f); return v.filterEnv.attackSamples == r.filterEnv.attackSamples; } },
        { "filter decay", {}, 23, 700.0f, 700.0f,
          [] (ZarnVoice& v, ZarnVoice& r) { r.filterEnv.setDecay (700.0); return v.filterEnv.decaySamples == r.filterEnv.decaySamples; } },
        { "filter sustain", {}, 24, 0.6f, 0.6f, [] (ZarnVoice& v, ZarnVoice&) { return v.filterEnv.sustain == 0.6f; } },
        { "filter release", {}, 25, 2000.0f, 2000.0f,
          [] (ZarnVoice& v, ZarnVoice& r) { r.filterEnv.setRelease (2000.0); return v.filterEnv.releaseSamples == r.filterEnv.releaseSamples; } },
        { "cutoff", {}, 26, 1234.5f, 1234.5f,
          [] (ZarnVoice& v, ZarnVoice& r) {
              r.filter.cutoff = 1234.5f;
              r.filter.updateCoefficients();
              return v.filter.cutoff == 1234.5f && v.filter.baseCutoff == 1234.5 && v.filter.p == r.filter.p;
          } },
        { "resonance", {}, 27, 0.5f, 0.5f,
          [] (ZarnVoice& v, ZarnVoice& r) {
              r.filter.resonance = 0.5f;
              r.filter.updateCoefficients();
              return v.filter.resonance == 0.5f && v.filter.r == r.filter.r;
          } },
        { "filter depth", {}, 28, 0.4f, 0.4f, [] (ZarnVoice& v, ZarnVoice&) { return v.filterEnvAmount == static_cast<double> (0.4f); } },
        { "volume", {}, 29, 0.7f, 0.7f, [] (ZarnVoice& v, ZarnVoice&) { return v.volume == static_cast<double> (0.7f); } },
        { "amp attack", {}, 30, 10.0f, 10.0f,
          [] (ZarnVoice& v, ZarnVoice& r) { r.ampEnv.setAttack (10.0); return v.ampEnv.attackSamples == r.ampEnv.attackSamples; } },
        { "amp decay", {}, 31, 40.0f, 40.0f,
          [] (ZarnVoice& v, ZarnVoice& r) { r.ampEnv.setDecay (40.0); return v.ampEnv.decaySamples == r.ampEnv.decaySamples; } },
        { "amp sustain", {}, 32, 0.3f, 0.3f, [] (ZarnVoice& v, ZarnVoice&) { return v.ampEnv.sustain == 0.3f; } },
        { "amp release", {}, 33, 1.0f, 1.0f,
          [] (ZarnVoice& v, ZarnVoice& r) { r.ampEnv.setRelease (1.0); return v.ampEnv.releaseSamples == r.ampEnv.releaseSamples; } },
        { "echo feedback", {}, 34, 0.5f, 0.5f, [] (ZarnVoice& v, ZarnVoice&) { return v.delayL.feedback == 0.5f; } },
        { "echo level", {}, 35, 0.3f, 0.3f, [] (ZarnVoice& v, ZarnVoice&) { return v.delayLevel == static_cast<double> (0.3f); } },
        { "lfo on: 0.32 at 2 Hz whatever rate and depth hold", { { 38, 5.0f }, { 39, 0.9f } }, 36, 1.0f, 1.0f,
          [] (ZarnVoice& v, ZarnVoice&) { return v.lfoDepth == 0.32 && v.lfo.inc == 8192.0 / 44100.0; } },
        { "lfo off", { { 36, 1.0f } }, 36, 0.2f, 0.0f,
          [] (ZarnVoice& v, ZarnVoice&) { return v.lfoDepth == 0.0 && v.lfo.inc == 0.0; } },
        { "lfo rate while off only stores", {}, 38, 5.0f, 5.0f,
          [] (ZarnVoice& v, ZarnVoice& r) { return v.lfo.inc == r.lfo.inc; } },
        { "lfo rate while on", { { 36, 1.0f } }, 38, 4.0f, 4.0f,
          [] (ZarnVoice& v, ZarnVoice&) { return v.lfo.inc == 4.0 * 4096.0 / 44100.0; } },
        { "lfo depth while off only stores", {}, 39, 0.5f, 0.5f,
          [] (ZarnVoice& v, ZarnVoice& r) { return v.lfoDepth == r.lfoDepth; } },
        { "lfo depth while on", { { 36, 1.0f } }, 39, 0.5f, 0.5f, [] (ZarnVoice& v, ZarnVoice&) { return v.lfoDepth == 0.5; } },
        { "lfo wave", {}, 37, 2.0f, 2.0f,
          [&] (ZarnVoice& v, ZarnVoice&) { return v.lfo.waveType == Triangle && holdsTable (v.lfo, triangle); } },
        { "eq switch 0.9 is off", { { 40, 1.0f } }, 40, 0.9f, 0.0f, [] (ZarnVoice& v, ZarnVoice&) { return ! v.eqOn; } },
        { "eq switch on", {}, 40, 1.0f, 1.0f, [] (ZarnVoice& v, ZarnVoice&) { return v.eqOn; } },
        { "eq band 3", {}, 44, 3.5f, 3.5f,
          [] (ZarnVoice& v, ZarnVoice& r) {
              r.setEqGain (3, 3.5f);
              return v.eq[3].b0 == r.eq[3].b0 && v.eq[3].a1 == r.eq[3].a1 && v.eq[2].b0 == ZarnVoice().eq[2].b0;
          } },
        { "eq band 7", {}, 48, -8.0f, -8.0f,
          [] (ZarnVoice& v, ZarnVoice& r) { r.setEqGain (7, -8.0f); return v.eq[7].b0 == r.eq[7].b0 && v.eq[7].a2 == r.eq[7].a2; } },
    };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.what);
        ZarnJuceFilter f;

        for (auto [i, v] : c.before)
            f.setParameter (i, v);

        f.setParameter (c.index, c.value);
        EXPECT_EQ (f.getParameter (c.index), c.stored);

        for (int i = 0; i < ZarnSynthesiser::numVoices; ++i)
        {
            ZarnVoice r;
            ASSERT_TRUE (f.synth.readVoice (i, [&] (ZarnVoice& v) { return c.voiceHolds (v, r); })) << "voice " << i;
        }
    }
}

TEST_F (PluginProcessor, LfoSwitchUsesTheVoicesRate)
{
    // Before the host's first prepareToPlay the voices run at a voice's initial 44100 Hz.
    filter.setParameter (36, 1.0f);
    expectAllVoices ([] (ZarnVoice& v) { return v.lfo.inc == 8192.0 / 44100.0; }, "2 Hz before prepareToPlay");
    filter.setParameter (44, 6.0f);
    expectAllVoices ([] (ZarnVoice& v) { return std::isfinite (v.eq[3].b0) && std::isfinite (v.eq[3].a1); }, "eq before prepareToPlay");

    filter.prepareToPlay (48000.0, 512);
    filter.setParameter (36, 1.0f);
    expectAllVoices ([] (ZarnVoice& v) { return v.lfo.inc == 8192.0 / 48000.0; }, "2 Hz at 48 kHz");
    filter.setParameter (38, 3.0f);
    expectAllVoices ([] (ZarnVoice& v) { return v.lfo.inc == 3.0 * 4096.0 / 48000.0; }, "3 Hz at 48 kHz");
}

TEST_F (PluginProcessor, IndicesOutsideTheTableStoreNothingButStillSendTheChangeMessage)
{
    ChangeCounter counter;
    filter.addChangeListener (&counter);

    const float nan = std::numeric_limits<float>::quiet_NaN();
    const std::vector<std::pair<int, float>> calls = { { -1, 1.0f }, { 49, 1.0f }, { 1000, 2.0f }, { 0, 1.0f }, { 26, nan } };
    ZarnVoice r;

    for (auto [index, value] : calls)
    {
        filter.setParameter (index, value);
        filter.dispatchPendingMessages();
        EXPECT_EQ (counter.count, 1) << index;
        counter.count = 0;
    }

    for (int i = 0; i < 49; ++i)
        EXPECT_EQ (filter.getParameter (i), i == 0 ? 1.0f : 0.0f) << i;

    expectAllVoices ([&] (ZarnVoice& v) { return v.filter.cutoff == r.filter.cutoff && v.delayLevel == r.delayLevel; }, "untouched");
    filter.removeChangeListener (&counter);
}

TEST_F (PluginProcessor, StateIsEmptyBothWays)
{
    filter.setParameter (29, 0.25f);
    juce::MemoryBlock state;
    filter.getStateInformation (state);
    EXPECT_EQ (state.getSize(), 0u);
    filter.getCurrentProgramStateInformation (state);
    EXPECT_EQ (state.getSize(), 0u);

    const char junk[] = "<timbre ampGain=\"0.9\"/>";
    filter.setStateInformation (junk, sizeof (junk));
    filter.setCurrentProgramStateInformation (junk, sizeof (junk));
    EXPECT_EQ (filter.getParameter (29), 0.25f);
    expectAllVoices ([] (ZarnVoice& v) { return v.volume == 0.25; }, "volume kept");
}

TEST_F (PluginProcessor, ProcessBlockClearsRendersAndLeavesTheBlocksMidi)
{
    filter.prepareToPlay (44100.0, 256);
    juce::AudioBuffer<float> buffer (2, 256);
    juce::MidiBuffer midi;

    // Silence without notes, even over a dirty buffer.
    for (int ch = 0; ch < 2; ++ch)
        juce::FloatVectorOperations::fill (buffer.getWritePointer (ch), 0.5f, 256);
    filter.processBlock (buffer, midi);
    EXPECT_EQ (buffer.getMagnitude (0, 256), 0.0f);

    // A host note and a key of the editor's keyboard both sound and both stay in the buffer.
    midi.addEvent (juce::MidiMessage::noteOn (1, 69, 1.0f), 10);
    filter.keyboardState.noteOn (1, 81, 0.8f);
    filter.processBlock (buffer, midi);

    std::vector<int> notes;
    for (const auto m : midi)
        if (m.getMessage().isNoteOn())
            notes.push_back (m.getMessage().getNoteNumber());

    EXPECT_EQ (notes.size(), 2u);
    EXPECT_NE (std::find (notes.begin(), notes.end(), 69), notes.end());
    EXPECT_NE (std::find (notes.begin(), notes.end(), 81), notes.end());
    EXPECT_GT (buffer.getMagnitude (0, 0, 256), 0.0f);
    juce::MidiBuffer none;
    filter.processBlock (buffer, none); // the right channel starts 15 ms late
    filter.processBlock (buffer, none);
    filter.processBlock (buffer, none);
    EXPECT_GT (buffer.getMagnitude (1, 0, 256), 0.0f);
    EXPECT_EQ (filter.synth.getVoice (0)->getCurrentlyPlayingNote() + filter.synth.getVoice (1)->getCurrentlyPlayingNote(), 69 + 81);

    // prepareToPlay drops what the keyboard had pending.
    filter.keyboardState.noteOn (1, 60, 0.8f);
    filter.prepareToPlay (44100.0, 256);
    juce::MidiBuffer empty;
    filter.processBlock (buffer, empty);
    EXPECT_TRUE (empty.isEmpty());
}

// A host may send any float. Non-finite values are ignored, and every value reaches the voices
// within its control's range (the whole table is driven through the built library in
// PluginLibraryTest), so the output stays finite and bounded however the parameters are driven.
TEST_F (PluginProcessor, NonFiniteValuesAreIgnored)
{
    const float inf = std::numeric_limits<float>::infinity();
    const float nan = std::numeric_limits<float>::quiet_NaN();

    filter.setParameter (0, 1.0f);
    filter.setParameter (26, 2000.0f);
    filter.setParameter (34, 0.5f);

    for (int i = 0; i < 49; ++i)
    {
        const float before = filter.getParameter (i);

        for (float bad : { nan, inf, -inf })
        {
            filter.setParameter (i, bad);
            EXPECT_EQ (filter.getParameter (i), before) << i;
        }
    }

    expectAllVoices ([] (ZarnVoice& v) {
        return v.filter.cutoff == 2000.0f && v.delayL.feedback == 0.5f && v.oscLevel[0].value == 1.0 && v.volume == 0.5;
    }, "unchanged");

    const auto out = renderNote (81, 40);
    EXPECT_TRUE (std::all_of (out.begin(), out.end(), [] (float x) { return std::isfinite (x); }));
    EXPECT_GT (peakOf (out), 0.01f);
}

TEST_F (PluginProcessor, OutOfRangeFilterAndEchoValuesReachTheVoicesLimited)
{
    struct Limit { int index; float value; std::function<bool (ZarnVoice&)> holds; };
    const std::vector<Limit> limits = {
        { 26, 1.0e6f, [] (ZarnVoice& v) { return v.filter.cutoff == 5000.0f && v.filter.baseCutoff == 5000.0; } },
        { 27, 10.0f, [] (ZarnVoice& v) { return v.filter.resonance == 1.0f; } },
        { 28, 50.0f, [] (ZarnVoice& v) { return v.filterEnvAmount == 1.0; } },
        { 34, 5.0f, [] (ZarnVoice& v) { return v.delayL.feedback == 1.0f; } },
        { 26, -300.0f, [] (ZarnVoice& v) { return v.filter.cutoff == 0.0f && v.filter.baseCutoff == 0.0; } },
        { 27, -2.0f, [] (ZarnVoice& v) { return v.filter.resonance == 0.0f; } },
        { 28, -4.0f, [] (ZarnVoice& v) { return v.filterEnvAmount == 0.0; } },
        { 34, -3.0f, [] (ZarnVoice& v) { return v.delayL.feedback == 0.0f; } },
    };

    for (const auto& l : limits)
    {
        filter.setParameter (l.index, l.value);
        EXPECT_EQ (filter.getParameter (l.index), l.value) << l.index;
        expectAllVoices (l.holds, "limited");
    }

    // The worst corner of the four ranges, with full echo level and volume, stays bounded.
    for (auto [i, v] : std::vector<std::pair<int, float>> { { 0, 1.0f }, { 7, 1.0f }, { 14, 1.0f }, { 26, 9.0e5f }, { 27, 40.0f },
                                                           { 28, 1.0e3f }, { 34, 7.0f }, { 35, 1.0f }, { 29, 1.0f } })
        filter.setParameter (i, v);

    const float peak = peakOf (renderNote (93, 2 * 44100 / 256));

    EXPECT_LT (peak, 10.0f);
    EXPECT_GT (peak, 0.01f);
}

TEST_F (PluginProcessor, HugeDetuneCountsReachTheVoicesAsTheControlsEnds)
{
    // Stored whole as sent; the voices get -24..24 semitones and -100..100 cents.
    filter.setParameter (3, 3.0e9f);
    filter.setParameter (4, -3.0e9f);
    EXPECT_EQ (filter.getParameter (3), 3.0e9f);
    EXPECT_EQ (filter.getParameter (4), -3.0e9f);
    ZarnVoice r;
    r.osc[0].setSemitones (24);
    r.osc[0].setCents (-100);
    expectAllVoices ([&] (ZarnVoice& v) {
        return v.osc[0].semitoneRatio == r.osc[0].semitoneRatio && v.osc[0].centRatio == r.osc[0].centRatio;
    }, "the controls' ends");

    filter.setParameter (3, 0.0f);
    filter.setParameter (4, 0.0f);
    expectAllVoices ([] (ZarnVoice& v) { return v.osc[0].semitoneRatio == 1.0 && ! v.osc[0].detuned; }, "back");
}

JUCE_END_IGNORE_WARNINGS_GCC_LIKE
