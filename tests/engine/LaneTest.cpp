// The voices rendered side by side in SIMD lanes against each voice rendered on its own: every
// sample of both channels must have the same bits.
#include "SynthRig.h"
#include "bench/EveryStageWorking.h"

#include <gtest/gtest.h>

#include <cstring>
#include <ctime>
#include <functional>
#include <string>

namespace
{
using Rendering = ZarnSynthesiser::Rendering;

struct Scenario
{
    std::string name;
    int notes = 8;     // note-ons at sample 0, two semitones apart from note 36
    int length = 8192; // samples
    int block = 256;
    double rate = 44100.0;
    std::function<void (ZarnSynthesiser&)> setUp;
    std::function<void (juce::MidiBuffer&)> events; // more MIDI, at samples from the start
    std::function<void (ZarnSynthesiser&, int)> beforeBlock; // given the block's first sample
};

// A synthesiser rendering each voice on its own beside one rendering in lanes, both given the same
// settings and MIDI; their samples, both channels one after the other block by block.
struct Pair
{
    Pair (const Scenario& s, Rendering lanes) : reference (s.rate), inLanes (s.rate)
    {
        reference.synth.setRendering (Rendering::perVoice);
        inLanes.synth.setRendering (lanes);
    }

    // A white noise table is seeded with the time in seconds: both take a setting in the same second.
    void set (const std::function<void (ZarnSynthesiser&)>& change)
    {
        for (std::time_t before = -1; before != std::time (nullptr);)
        {
            before = std::time (nullptr);
            change (reference.synth);
            change (inLanes.synth);
        }
    }

    SynthRig reference, inLanes;
    std::vector<float> referenceOut, lanesOut;
};

void render (const Scenario& s, Pair& pair)
{
    if (s.setUp)
        pair.set (s.setUp);

    juce::MidiBuffer midi;

    for (int n = 0; n < s.notes; ++n)
        midi.addEvent (juce::MidiMessage::noteOn (1, 36 + 2 * n, 0.5f + 0.5f * (n % 3) / 2.0f), 0);

    if (s.events)
        s.events (midi);

    juce::AudioBuffer<float> buffer (2, s.block);

    for (int at = 0; at < s.length; at += s.block)
    {
        if (s.beforeBlock)
            pair.set ([&] (ZarnSynthesiser& synth) { s.beforeBlock (synth, at); });

        const int n = std::min (s.block, s.length - at);
        juce::MidiBuffer blockMidi;
        blockMidi.addEvents (midi, at, n, -at);

        for (auto [rig, out] : { std::pair (&pair.reference, &pair.referenceOut), std::pair (&pair.inLanes, &pair.lanesOut) })
        {
            buffer.clear();
            rig->synth.renderNextBlock (buffer, blockMidi, 0, n);

            for (int c = 0; c < 2; ++c)
                out->insert (out->end(), buffer.getReadPointer (c), buffer.getReadPointer (c) + n);
        }
    }
}

std::vector<Scenario> scenarios()
{
    std::vector<Scenario> list;

    list.push_back ({ "every stage on, 32 voices", 32, 22050, 256, 44100.0, setEveryStageWorking, {}, {} });

    for (const int wave : { Square, Sawtooth, Triangle, Sine, WhiteNoise })
        list.push_back ({ "all oscillators on wave " + std::to_string (wave), 5, 8192, 256, 44100.0,
                          [wave] (ZarnSynthesiser& s) {
                              setEveryStageWorking (s);
                              for (int o = 0; o < 3; ++o)
                                  s.setOscWave (o, wave);
                              s.setOscPulseWidth (0, 0.2);
                          },
                          {}, {} });

    for (const int wave : { Pulse, Sawtooth, Triangle })
        list.push_back ({ "LFO wave " + std::to_string (wave), 6, 16384, 256, 44100.0,
                          [wave] (ZarnSynthesiser& s) {
                              setEveryStageWorking (s);
                              s.setLfoWave (wave);
                              s.setLfoRate (9.0);
                              s.setLfoDepth (0.7);
                          },
                          {}, {} });

    list.push_back ({ "notes on and off inside blocks, a note struck again", 0, 24000, 256, 44100.0,
                      [] (ZarnSynthesiser& s) {
                          setEveryStageWorking (s);
                          s.setAmpRelease (20.0);
                          s.setFilterRelease (30.0);
                      },
                      [] (juce::MidiBuffer& m) {
                          const int ons[] = { 0, 1, 17, 100, 255, 256, 300, 511, 700, 701 };
                          for (int i = 0; i < 10; ++i)
                              m.addEvent (juce::MidiMessage::noteOn (1, 40 + 3 * i, 0.9f), ons[i]);
                          const int offs[] = { 50, 257, 333, 600, 1000, 1001, 5000 };
                          for (int i = 0; i < 7; ++i)
                              m.addEvent (juce::MidiMessage::noteOff (1, 40 + 3 * i), offs[i]);
                          m.addEvent (juce::MidiMessage::noteOn (1, 58, 0.6f), 2000);
                          m.addEvent (juce::MidiMessage::noteOn (1, 58, 0.7f), 2003);
                      },
                      {} });

    list.push_back ({ "33 notes, the last stealing the oldest voice", 0, 12000, 256, 44100.0, setEveryStageWorking,
                      [] (juce::MidiBuffer& m) {
                          for (int i = 0; i < 33; ++i)
                              m.addEvent (juce::MidiMessage::noteOn (1, 30 + 2 * i, 0.8f), i * 37);
                          m.addEvent (juce::MidiMessage::noteOff (1, 32), 3000);
                          m.addEvent (juce::MidiMessage::noteOn (1, 100, 0.8f), 3100);
                      },
                      {} });

    list.push_back ({ "release into the echo tail and silence", 5, 76000, 256, 44100.0,
                      [] (ZarnSynthesiser& s) {
                          setEveryStageWorking (s);
                          s.setAmpRelease (30.0);
                      },
                      [] (juce::MidiBuffer& m) {
                          for (int n = 0; n < 5; ++n)
                              m.addEvent (juce::MidiMessage::noteOff (1, 36 + 2 * n), 1000 + 333 * n);
                      },
                      {} });

    list.push_back ({ "filter switched off and on, held, released and in the tail", 6, 30000, 256, 44100.0,
                      setEveryStageWorking,
                      [] (juce::MidiBuffer& m) {
                          m.addEvent (juce::MidiMessage::noteOff (1, 36), 5000);
                          m.addEvent (juce::MidiMessage::noteOff (1, 38), 100);
                      },
                      [] (ZarnSynthesiser& s, int at) {
                          if (at == 4096 || at == 5888)
                              s.setFilterOn (false);
                          if (at == 5120 || at == 9216)
                              s.setFilterOn (true);
                      } });

    list.push_back ({ "voices with tables of their own, sine and triangle in turn", 9, 8192, 256, 44100.0,
                      [] (ZarnSynthesiser& s) {
                          setEveryStageWorking (s);
                          int n = 0;
                          s.writeVoices ([&n] (ZarnVoice& v) {
                              v.osc[2].waveType = n++ % 2 == 0 ? Sine : Triangle;
                              v.osc[2].init();
                          });
                      },
                      {}, {} });

    list.push_back ({ "equaliser gains at the range ends", 7, 8192, 256, 44100.0,
                      [] (ZarnSynthesiser& s) {
                          setEveryStageWorking (s);
                          for (int band = 0; band < ZarnVoice::numBands; ++band)
                              s.setEqGain (band, band % 3 == 0 ? 8.0f : (band % 3 == 1 ? -8.0f : 0.5f));
                      },
                      {}, {} });

    list.push_back ({ "held notes fading through denormals into the equaliser", 3, 18000, 256, 44100.0,
                      [] (ZarnSynthesiser& s) {
                          setEveryStageWorking (s);
                          s.setAmpSustain (0.0);
                          s.setCutoff (3000.0);
                          s.setResonance (0.0);
                          s.setEchoLevel (0.0);
                      },
                      {}, {} });

    list.push_back ({ "48 kHz", 8, 9600, 256, 48000.0, setEveryStageWorking, {}, {} });

    for (const int block : { 1, 7, 256, 4096, 16384 })
        list.push_back ({ "blocks of " + std::to_string (block), 9, block == 1 ? 3000 : 20000, block, 44100.0,
                          setEveryStageWorking,
                          [] (juce::MidiBuffer& m) {
                              m.addEvent (juce::MidiMessage::noteOff (1, 38), 1500);
                              m.addEvent (juce::MidiMessage::noteOn (1, 77, 1.0f), 1700);
                          },
                          {} });

    for (const int notes : { 1, 3, 4, 5, 8, 9, 32 })
        list.push_back ({ std::to_string (notes) + " voices", notes, 6000, 256, 44100.0, setEveryStageWorking, {}, {} });

    list.push_back ({ "a setting changed between blocks", 8, 20000, 256, 44100.0, setEveryStageWorking,
                      [] (juce::MidiBuffer& m) { m.addEvent (juce::MidiMessage::noteOff (1, 40), 3000); },
                      [] (ZarnSynthesiser& s, int at) {
                          const int step = at / 256;
                          s.setCutoff (200.0 + (step % 9) * 500.0);
                          s.setResonance ((step % 5) / 4.0);
                          s.setOscWave (step % 3, step % 5);
                          s.setOscSemitones (1, step % 13 - 6);
                          s.setLfoWave (step % 2 == 0 ? Sawtooth : Pulse);
                          s.setEqGain (step % 8, static_cast<float> (step % 17 - 8));
                          s.setEqOn (step % 4 != 0);
                          s.setAmpRelease (10.0 + step % 7);
                          s.setAmpSustain ((step % 10) / 9.0);
                          s.setOscLevel (2, (step % 4) / 3.0);
                      } });

    return list;
}

void expectSameSamplesAsEachVoiceOnItsOwn (Rendering lanes)
{
    for (const auto& s : scenarios())
    {
        Pair pair (s, lanes);
        render (s, pair);
        const auto& reference = pair.referenceOut;
        const auto& inLanes = pair.lanesOut;
        ASSERT_EQ (reference.size(), inLanes.size()) << s.name;

        for (size_t i = 0; i < reference.size(); ++i)
        {
            if (std::memcmp (&reference[i], &inLanes[i], sizeof (float)) != 0)
            {
                const size_t block = i / (2 * static_cast<size_t> (s.block));
                const size_t within = i % (2 * static_cast<size_t> (s.block));
                ADD_FAILURE() << s.name << ": the first differing sample is " << reference[i] << " in lanes "
                              << inLanes[i] << ", in the block from sample " << block * static_cast<size_t> (s.block)
                              << ", value " << within << " of the block's two channels";
                break;
            }
        }
    }
}
} // namespace

TEST (EngineLanes, Sse2LanesGiveTheSamplesOfEachVoiceOnItsOwn)
{
    expectSameSamplesAsEachVoiceOnItsOwn (Rendering::sse2);
}

TEST (EngineLanes, Avx2LanesGiveTheSamplesOfEachVoiceOnItsOwn)
{
    if (! ZarnSynthesiser::canRender (Rendering::avx2))
        GTEST_SKIP() << "this processor (or this build) has no AVX2: the AVX2 lanes are not compared";

    expectSameSamplesAsEachVoiceOnItsOwn (Rendering::avx2);
}

// A synthesiser that lost a voice renders the others each on its own, as they would sound in lanes.
TEST (EngineLanes, AfterAVoiceIsRemovedTheOthersRenderOnTheirOwn)
{
    SynthRig reference, shortOfOne;
    reference.synth.setRendering (Rendering::perVoice);
    shortOfOne.synth.removeVoice (ZarnSynthesiser::numVoices - 1);

    for (auto* rig : { &reference, &shortOfOne })
    {
        for (int n = 0; n < ZarnSynthesiser::numVoices - 1; ++n)
            rig->noteOn (36 + n, 0.8f);

        rig->play (4096);
    }

    EXPECT_EQ (reference.left, shortOfOne.left);
    EXPECT_EQ (reference.right, shortOfOne.right);
}
