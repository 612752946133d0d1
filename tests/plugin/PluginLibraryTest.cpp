// The built library zarNvst.so, loaded with dlopen and driven through its effect record only,
// as a host drives it.
#include "PluginUnderTest.h"

#include "engine/WaveType.h"
#include "timbre/SettingsTable.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <thread>

using namespace testhost;

namespace
{
class PluginLibrary : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE (pluginLibrary().isLoaded()) << ZARN_PLUGIN_PATH; }
};

float peakOf (const std::vector<float>& x, size_t begin, size_t end)
{
    float peak = 0.0f;

    for (size_t i = begin; i < std::min (end, x.size()); ++i)
        peak = std::isfinite (x[i]) ? std::max (peak, std::abs (x[i])) : 1.0e30f;

    return peak;
}

bool allFinite (const std::vector<float>& x)
{
    return std::all_of (x.begin(), x.end(), [] (float v) { return std::isfinite (v); });
}

// Plays `note` for `heldFrames` from the start of the first block and renders `totalFrames`
// in blocks of `blockSize`.
void playNote (Instance& fx, int note, int heldFrames, int totalFrames, int blockSize,
               std::vector<float>& left, std::vector<float>& right)
{
    for (int done = 0; done < totalFrames; done += blockSize)
    {
        std::vector<MidiEvent> midi;

        if (done == 0)
            midi.push_back (noteOn (note, 100, 0));

        if (heldFrames >= done && heldFrames < done + blockSize)
            midi.push_back (noteOff (note, heldFrames - done));

        if (! midi.empty())
            fx.sendMidi (midi);

        fx.render (std::min (blockSize, totalFrames - done), left, right);
    }
}

// One sine oscillator without its second phase: a clean pitch to measure.
void makeSine (Instance& fx)
{
    auto* e = fx.effect();
    const std::pair<int, float> settings[] = { { 0, 1.0f }, { 1, 3.0f }, { 6, 0.0f }, { 7, 0.0f }, { 14, 0.0f } };

    for (auto [index, value] : settings)
        e->setParameter (e, index, value);
}
} // namespace

// The framework is set up by the first instance and shut down when the last one closes: its
// threads (the timer thread that the editor made on effOpen starts and, on Linux, the plug-in's
// message thread) run while an instance lives and end with the last one, so none outlives the
// library's static objects at the process's exit. First in this file, so that where all the tests
// run in one process no instance was made before.
TEST_F (PluginLibrary, TheFrameworksThreadsEndWithTheLastInstance)
{
    // A runtime may start a thread of its own with the first thread of the process (the thread
    // sanitizer does): that one is there before counting.
    std::thread ([] {}).join();

    const int before = threadsInProcess();
    auto first = std::make_unique<Instance> (pluginLibrary());
    Instance second (pluginLibrary());
    first->dispatch (effOpen);
    second.dispatch (effOpen);
    handleHostMessages();
    const int running = threadsInProcess();
    EXPECT_GT (running, before);

    first.reset();
    handleHostMessages();
    EXPECT_GE (threadsInProcess(), running) << "the second instance still runs the framework";

    // A thread that was told to end leaves the process's list a moment after it says it has ended.
    second.close();

    for (int i = 0; i < 250 && threadsInProcess() > before; ++i)
        std::this_thread::sleep_for (std::chrono::milliseconds (20));

    EXPECT_EQ (threadsInProcess(), before);
}

TEST_F (PluginLibrary, ExportsOnlyTheEntryUnderBothNames)
{
    ASSERT_NE (pluginLibrary().symbol ("VSTPluginMain"), nullptr);
    EXPECT_EQ (pluginLibrary().symbol ("main"), pluginLibrary().symbol ("VSTPluginMain"));
    EXPECT_EQ (pluginLibrary().symbol ("createPluginFilter"), nullptr);
    EXPECT_EQ (pluginLibrary().symbol ("_ZN14ZarnJuceFilter12setParameterEif"), nullptr);
}

TEST_F (PluginLibrary, HostAnsweringVersionZeroGetsNoInstance)
{
    Instance fx (pluginLibrary(), 0);
    EXPECT_EQ (fx.effect(), nullptr);
}

TEST_F (PluginLibrary, RecordRightAfterTheEntry)
{
    Instance fx (pluginLibrary());
    const AEffect* e = fx.effect();
    ASSERT_NE (e, nullptr);

    EXPECT_EQ (e->magic, 0x56737450);
    EXPECT_EQ (e->numPrograms, 0);
    EXPECT_EQ (e->numParams, 49);
    EXPECT_EQ (e->numInputs, 0);
    EXPECT_EQ (e->numOutputs, 2);
    EXPECT_EQ (e->flags, 0x131);
    EXPECT_EQ (e->uniqueID, 0x4A63446D);
    EXPECT_EQ (e->version, 0x10100);
    EXPECT_EQ (e->initialDelay, 0);
    EXPECT_NE (e->processReplacing, nullptr);
    EXPECT_NE (e->setParameter, nullptr);
    EXPECT_NE (e->getParameter, nullptr);
}

TEST_F (PluginLibrary, WhatTheHostSees)
{
    Instance fx (pluginLibrary());
    ASSERT_NE (fx.effect(), nullptr);

    // Opening makes an editor to see that one can be made, and keeps the editor flag.
    EXPECT_EQ (fx.dispatch (effOpen), 0);
    EXPECT_EQ (fx.effect()->flags, 0x131);

    EXPECT_EQ (fx.dispatch (effMainsChanged, 0, 1), 0);
    EXPECT_EQ (fx.received.wantMidiCalls, 1);
    EXPECT_EQ (fx.received.lastWantMidiValue, 1);

    EXPECT_EQ (fx.dispatch (effGetEffectName, 0, 0, std::string (64, 'x').data()), 1);
    EXPECT_EQ (fx.text (effGetEffectName), "zarN the Synthesizer");
    EXPECT_EQ (fx.text (effGetProductString), "zarN the Synthesizer");
    EXPECT_EQ (fx.text (effGetVendorString), "Ulvermark");
    EXPECT_EQ (fx.dispatch (effGetProductString, 0, 0, std::string (64, 'x').data()), 1);
    EXPECT_EQ (fx.dispatch (effGetVendorString, 0, 0, std::string (64, 'x').data()), 1);
    EXPECT_EQ (fx.dispatch (effGetVendorVersion), 0x10100);
    EXPECT_EQ (fx.dispatch (effGetPlugCategory), 2);
    EXPECT_EQ (fx.dispatch (effGetVstVersion), 2400);

    for (const char* yes : { "receiveVstEvents", "receiveVstMidiEvent", "receiveVstMidiEvents", "sendVstEvents",
                             "sendVstMidiEvent", "sendVstMidiEvents", "receiveVstTimeInfo", "conformsToWindowRules" })
        EXPECT_EQ (fx.dispatch (effCanDo, 0, 0, const_cast<char*> (yes)), 1) << yes;

    for (const char* no : { "receiveVstMidiEvent ", "ReceiveVstMidiEvent", "receivevstmidievent", "bypass", "", "offline" })
        EXPECT_EQ (fx.dispatch (effCanDo, 0, 0, const_cast<char*> (no)), 0) << "'" << no << "'";

    for (int i : { 0, 21, 48, 49, 1000 })
        EXPECT_EQ (fx.dispatch (effCanBeAutomated, i), 1) << i;

    for (auto opcode : { effGetParamName, effGetParamDisplay, effGetParamLabel })
        for (int i : { 0, 26, 48 })
            EXPECT_EQ (fx.text (opcode, i), "") << opcode << " " << i;

    EXPECT_EQ (fx.dispatch (effGetProgram), 0);
    EXPECT_EQ (fx.text (effGetProgramName), "");
    EXPECT_EQ (fx.dispatch (effSetProgram, 0, 3), 0);
    EXPECT_EQ (fx.dispatch (effGetProgram), 0);
    EXPECT_EQ (fx.dispatch (effGetProgramNameIndexed, 0, 0, std::string (64, 'x').data()), 0);

    for (int i : { 0, 1, 2, 7 })
    {
        PinProperties pin {};
        EXPECT_EQ (fx.dispatch (effGetInputProperties, i, 0, &pin), 0) << i;
    }

    for (int i : { 0, 1 })
    {
        PinProperties pin;
        std::memset (&pin, 'x', sizeof (pin));
        ASSERT_EQ (fx.dispatch (effGetOutputProperties, i, 0, &pin), 1) << i;
        EXPECT_STREQ (pin.label, i == 0 ? "1" : "2");
        EXPECT_STREQ (pin.shortLabel, i == 0 ? "1" : "2");
        EXPECT_EQ (pin.flags & 3, 3) << "active and stereo";
        EXPECT_EQ (pin.flags & 4, 0);
    }

    for (int i : { 2, 3, 64 })
    {
        PinProperties pin {};
        EXPECT_EQ (fx.dispatch (effGetOutputProperties, i, 0, &pin), 0) << i;
    }

    for (int index : { 0, 1 })
    {
        void* chunk = reinterpret_cast<void*> (0x1);
        EXPECT_EQ (fx.dispatch (effGetChunk, index, 0, &chunk), 0) << index;
    }

    char data[] = "state of another plug-in";
    fx.effect()->setParameter (fx.effect(), 29, 0.25f);
    EXPECT_EQ (fx.dispatch (effSetChunk, 0, sizeof (data), data), 0);
    EXPECT_EQ (fx.dispatch (effSetChunk, 1, sizeof (data), data), 0);
    EXPECT_EQ (fx.effect()->getParameter (fx.effect(), 29), 0.25f);

    EXPECT_EQ (fx.dispatch (effGetTailSize), 0);
    EXPECT_EQ (fx.dispatch (effGetNumMidiInputChannels), 0);
    EXPECT_EQ (fx.dispatch (effGetNumMidiOutputChannels), 0);
    EXPECT_EQ (fx.dispatch (effIdentify), 0x4E764566);

    // The editor's rectangle, asked for before any open; the editor made for it is deleted by
    // effClose. Without a place for the answer, or without a window to open in, the answer is 0.
    Rect* rect = nullptr;
    EXPECT_EQ (fx.dispatch (effEditGetRect, 0, 0, &rect), 1);
    ASSERT_NE (rect, nullptr);
    EXPECT_EQ (rect->top, 0);
    EXPECT_EQ (rect->left, 0);
    EXPECT_EQ (rect->bottom, 550);
    EXPECT_EQ (rect->right, 800);
    EXPECT_EQ (fx.dispatch (effEditGetRect), 0);
    EXPECT_EQ (fx.dispatch (effEditOpen), 0);
    EXPECT_EQ (fx.dispatch (effEditIdle), 0);

    EXPECT_EQ (fx.dispatch (effMainsChanged, 0, 0), 0);
    EXPECT_EQ (fx.close(), 1);
}

TEST_F (PluginLibrary, ParametersThroughTheRecord)
{
    Instance fx (pluginLibrary());
    auto* e = fx.effect();

    for (int i = 0; i < 49; ++i)
        EXPECT_EQ (e->getParameter (e, i), 0.0f) << i;

    const struct { int index; float value, readBack; } cases[] = {
        { 26, 1234.5f, 1234.5f }, { 15, 2.9f, 2.0f }, { 3, -1.5f, -1.0f }, { 38, 5.0f, 5.0f },
        { 48, -8.0f, -8.0f }, { 21, 0.7f, 0.7f }, { 49, 1.0f, 0.0f }, { -1, 1.0f, 0.0f },
        { 29, 1.0e30f, 1.0e30f }, { 0, -1.0e6f, -1.0e6f }, { 17, -1.0e30f, -1.0e30f },
    };

    for (const auto& c : cases)
    {
        e->setParameter (e, c.index, c.value);
        EXPECT_EQ (e->getParameter (e, c.index), c.readBack) << c.index;
    }

    // A value the host sends that is not a number changes nothing.
    e->setParameter (e, 26, std::nanf (""));
    EXPECT_EQ (e->getParameter (e, 26), 1234.5f);
}

TEST_F (PluginLibrary, NotesSoundAtTheirPitchThenReleaseAndRingOut)
{
    const double rate = 44100.0;

    for (auto [note, hz] : { std::pair { 81, 440.0 }, std::pair { 69, 220.0 } })
    {
        Instance fx (pluginLibrary());
        fx.start (static_cast<float> (rate), 512);
        makeSine (fx);

        std::vector<float> left, right;
        const int held = 22050;
        playNote (fx, note, held, 3 * 44100, 512, left, right);

        EXPECT_NEAR (pitchOf (left, 4410, 22000, rate), hz, hz * 0.002) << note;
        EXPECT_GT (peakOf (left, 20000, held), 0.01f) << note;

        // The 100 ms release ends in silence on the left; the right's 15 ms line rings on
        // after it; then the voice is free and everything is silent.
        const size_t releaseEnd = held + 4410 + 64;
        EXPECT_GT (peakOf (left, held, held + 2000), 0.0f);
        EXPECT_EQ (peakOf (left, releaseEnd, left.size()), 0.0f) << note;
        EXPECT_GT (peakOf (right, releaseEnd, releaseEnd + 600), 0.0f) << note;
        EXPECT_EQ (peakOf (right, releaseEnd + 800, right.size()), 0.0f) << note;
    }
}

TEST_F (PluginLibrary, SampleRateNotAFiniteNumberAboveZeroIsTakenAs44100)
{
    for (float rate : { 0.0f, -48000.0f, std::numeric_limits<float>::infinity(), std::nanf ("") })
    {
        Instance fx (pluginLibrary());
        fx.start (rate, 512);
        makeSine (fx);
        std::vector<float> left, right;
        playNote (fx, 81, 44100, 22050, 512, left, right);
        EXPECT_NEAR (pitchOf (left, 4410, 22000, 44100.0), 440.0, 1.0) << rate;
    }
}

// The equaliser's bands sit at 64 Hz to 8 kHz: at a rate whose half lies below a band, or far from
// every band, that band must not turn the output into NaN or let it grow without bound.
TEST_F (PluginLibrary, EqualiserAtAnyRateKeepsTheOutputFinite)
{
    for (float rate : { 8000.0f, 11025.0f, 12000.0f, 16000.0f, 1.0e-30f, 1.0e30f })
    {
        for (float gain : { 8.0f, -8.0f })
        {
            Instance fx (pluginLibrary());
            fx.start (rate, 256);
            auto* e = fx.effect();
            e->setParameter (e, 40, 1.0f);

            for (int band = 41; band <= 48; ++band)
                e->setParameter (e, band, gain);

            std::vector<float> left, right;
            playNote (fx, 69, 16384, 20480, 256, left, right);
            EXPECT_TRUE (allFinite (left) && allFinite (right)) << rate << " Hz, " << gain << " dB";

            if (rate >= 8000.0f && rate <= 16000.0f)
            {
                EXPECT_GT (peakOf (left, 0, left.size()), 0.01f) << rate << " Hz, " << gain << " dB";
            }
        }
    }
}

TEST_F (PluginLibrary, HostMidiComesBackAsTheBlocksOutput)
{
    Instance fx (pluginLibrary());
    fx.start (44100.0f, 256);

    std::vector<float> left, right;
    fx.sendMidi ({ noteOn (64, 90, 5), noteOff (64, 200) });
    fx.render (256, left, right);

    ASSERT_EQ (fx.received.events.size(), 2u);
    const auto& on = fx.received.events[0];
    EXPECT_EQ (on.type, 1);
    EXPECT_EQ (on.byteSize, 32);
    EXPECT_EQ (on.deltaFrames, 5);
    EXPECT_EQ (on.midiData[0], 0x90);
    EXPECT_EQ (on.midiData[1], 64);
    EXPECT_EQ (on.midiData[2], 90);
    EXPECT_EQ (fx.received.events[1].deltaFrames, 200);
    EXPECT_EQ (fx.received.events[1].midiData[0], 0x80);

    // The buffer was emptied: the next block sends nothing.
    fx.render (256, left, right);
    EXPECT_EQ (fx.received.events.size(), 2u);

    // A flood is passed on up to the room kept for one block, 2048 events.
    std::vector<MidiEvent> flood;
    for (int i = 0; i < 3000; ++i)
        flood.push_back (i % 2 == 0 ? noteOn (40 + i % 40, 80, i % 256) : noteOff (40 + (i - 1) % 40, i % 256));
    fx.received.events.clear();
    fx.sendMidi (flood);
    fx.render (256, left, right);
    EXPECT_EQ (fx.received.events.size(), 2048u);
}

TEST_F (PluginLibrary, BlocksOf1And7And4096FramesRenderTheSame)
{
    std::vector<float> reference;

    for (int blockSize : { 4096, 7, 1 })
    {
        Instance fx (pluginLibrary());
        fx.start (44100.0f, blockSize);
        std::vector<float> left, right;
        playNote (fx, 76, 6000, 12288, blockSize, left, right);

        ASSERT_EQ (left.size(), 12288u);
        EXPECT_GT (peakOf (left, 0, left.size()), 0.01f) << blockSize;

        if (reference.empty())
            reference = left;
        else
            for (size_t i = 0; i < left.size(); ++i)
                ASSERT_NEAR (left[i], reference[i], 1.0e-5f) << "block " << blockSize << ", frame " << i;
    }
}

TEST_F (PluginLibrary, FiftyInstancesInARowAndEightAtOnce)
{
    for (int i = 0; i < 50; ++i)
    {
        Instance fx (pluginLibrary());
        ASSERT_NE (fx.effect(), nullptr) << i;
        fx.dispatch (effOpen);
        fx.start (48000.0f, 128);
        std::vector<float> left, right;
        fx.sendMidi ({ noteOn (60 + i % 12, 100, 0) });
        fx.render (128, left, right);
        fx.dispatch (effMainsChanged, 0, 0);
    }

    // Eight instances, each with its own note, rendered block by block in turn; each must give
    // exactly what a lone instance gives for its note.
    std::vector<std::unique_ptr<Instance>> instances;
    std::vector<std::vector<float>> lefts (8), rights (8);

    for (int i = 0; i < 8; ++i)
    {
        instances.push_back (std::make_unique<Instance> (pluginLibrary()));
        instances.back()->dispatch (effOpen);
        instances.back()->start (44100.0f, 256);
        instances.back()->effect()->setParameter (instances.back()->effect(), 29, 0.1f * (i + 1));
    }

    for (int block = 0; block < 40; ++block)
        for (int i = 0; i < 8; ++i)
        {
            if (block == 0)
                instances[i]->sendMidi ({ noteOn (60 + i, 100, 3 * i) });

            instances[i]->render (256, lefts[i], rights[i]);
        }

    for (int i = 0; i < 8; ++i)
    {
        Instance alone (pluginLibrary());
        alone.dispatch (effOpen); // as the others: its first editor loads the same start-up timbre
        alone.start (44100.0f, 256);
        alone.effect()->setParameter (alone.effect(), 29, 0.1f * (i + 1));
        std::vector<float> left, right;

        for (int block = 0; block < 40; ++block)
        {
            if (block == 0)
                alone.sendMidi ({ noteOn (60 + i, 100, 3 * i) });

            alone.render (256, left, right);
        }

        EXPECT_GT (peakOf (lefts[i], 0, lefts[i].size()), 0.001f) << i;
        EXPECT_EQ (lefts[i], left) << i;
        EXPECT_EQ (rights[i], right) << i;
    }
}

// Host automation on its own thread while the audio thread renders: every block sees whole
// settings (wavetables are rebuilt while notes sound) and the output stays finite.
TEST_F (PluginLibrary, AutomationFromAnotherThreadWhileRendering)
{
    Instance fx (pluginLibrary());
    fx.start (44100.0f, 256);
    auto* e = fx.effect();
    std::atomic<bool> rendering { true };

    std::thread automation ([e, &rendering] {
        const std::pair<int, float> moves[] = { { 1, 1.0f }, { 26, 300.0f }, { 36, 1.0f }, { 44, 6.0f }, { 8, 3.0f },
                                                { 5, 0.2f }, { 1, 2.0f }, { 26, 4000.0f }, { 36, 0.0f }, { 40, 1.0f },
                                                { 27, 0.8f }, { 34, 0.6f }, { 38, 7.0f }, { 37, 1.0f }, { 40, 0.0f } };

        for (int round = 0; round < 40 && rendering.load(); ++round)
            for (auto [index, value] : moves)
            {
                e->setParameter (e, index, value);
                (void) e->getParameter (e, index);
            }
    });

    std::vector<float> left, right;

    for (int block = 0; block < 300; ++block)
    {
        if (block % 50 == 0)
            fx.sendMidi ({ noteOn (57 + block / 50, 100, 0), noteOn (64 + block / 50, 100, 7) });

        fx.render (256, left, right);
    }

    rendering = false;
    automation.join();

    EXPECT_TRUE (std::all_of (left.begin(), left.end(), [] (float x) { return std::isfinite (x); }));
    EXPECT_TRUE (std::all_of (right.begin(), right.end(), [] (float x) { return std::isfinite (x); }));
    EXPECT_GT (peakOf (left, 0, left.size()), 0.01f);
}

namespace
{
using S = SettingsTable;

struct Setting
{
    int index;
    float value;
};

using Settings = std::vector<Setting>;

struct Performance
{
    std::vector<float> left, right;
};

// A timbre in which every stage works (three squares of different widths, the filter and its
// envelope, echo, LFO and equaliser), switches before what they gate.
const Settings& workingTimbre()
{
    static const Settings timbre = {
        { 0, 1 }, { 7, 1 }, { 14, 1 }, { 21, 1 }, { 36, 1 }, { 40, 1 },
        { 1, 0 }, { 2, 0.5f }, { 3, 0 }, { 4, 0 }, { 5, 0.5f }, { 6, 1 },
        { 8, 0 }, { 9, 0.4f }, { 10, -12 }, { 11, 7 }, { 12, 0.3f }, { 13, 1 },
        { 15, 0 }, { 16, 0.3f }, { 17, 12 }, { 18, -5 }, { 19, 0.2f }, { 20, 0 },
        { 22, 21 }, { 23, 301 }, { 24, 0.5f }, { 25, 201 }, { 26, 2000 }, { 27, 0.3f }, { 28, 0.5f },
        { 29, 0.6f }, { 30, 9 }, { 31, 301 }, { 32, 0.8f }, { 33, 301 }, { 34, 0.4f }, { 35, 0.3f },
        { 37, 2 }, { 38, 5 }, { 39, 0.05f },
        { 41, 2 }, { 42, -1 }, { 43, 0 }, { 44, 3 }, { 45, -2 }, { 46, 1 }, { 47, 0 }, { 48, 4 },
    };

    return timbre;
}

// The loudest that the controls allow, as far as a search found: three squares at pulse width 0
// (a constant), every level, gain and sustain at 1, resonance 0, the equaliser at +8 dB on every
// band, echo feedback and level at 1.
const Settings& loudestTimbre()
{
    static const Settings timbre = {
        { 0, 1 }, { 7, 1 }, { 14, 1 }, { 21, 1 }, { 36, 0 }, { 40, 1 },
        { 1, 0 }, { 2, 1 }, { 5, 0 }, { 6, 1 }, { 8, 0 }, { 9, 1 }, { 12, 0 }, { 13, 1 },
        { 15, 0 }, { 16, 1 }, { 19, 0 }, { 20, 1 },
        { 22, 1 }, { 23, 1 }, { 24, 1 }, { 25, 3000 }, { 26, 5000 }, { 27, 0 }, { 28, 1 },
        { 29, 1 }, { 30, 3 }, { 31, 10 }, { 32, 1 }, { 33, 5000 }, { 34, 1 }, { 35, 1 },
        { 41, 8 }, { 42, 8 }, { 43, 8 }, { 44, 8 }, { 45, 8 }, { 46, 8 }, { 47, 8 }, { 48, 8 },
    };

    return timbre;
}

constexpr int framesPerStep = 1024;
// Long enough for the echo (0.3 s) to sound before the first step.
constexpr int warmUpFrames = 14 * framesPerStep;

// Under `timbre`, a chord held from the first frame and, after the warm-up, step by step: the
// step's settings, a new note of a melody (the one before released), framesPerStep frames
// rendered in blocks of 256.
Performance perform (const Settings& timbre, const std::vector<Settings>& steps)
{
    Instance fx (pluginLibrary());
    fx.start (44100.0f, 256);
    auto* e = fx.effect();
    Performance p;

    for (auto s : timbre)
        e->setParameter (e, s.index, s.value);

    fx.sendMidi ({ noteOn (45, 127, 0), noteOn (57, 127, 0), noteOn (64, 127, 0) });

    for (int done = 0; done < warmUpFrames; done += 256)
        fx.render (256, p.left, p.right);

    for (size_t k = 0; k < steps.size(); ++k)
    {
        for (auto s : steps[k])
            e->setParameter (e, s.index, s.value);

        const int note = 69 + static_cast<int> (k % 12);
        fx.sendMidi ({ noteOff (note - 1, 0), noteOn (note, 127, 0) });

        for (int done = 0; done < framesPerStep; done += 256)
            fx.render (256, p.left, p.right);
    }

    return p;
}

// What a host's value stands for: nothing for a value that is not a number; a switch is on when
// its whole part is not 0; a number that names a wave is that wave, any other number changes no
// sound; a knob's or slider's value counts as the nearest end of the control's range.
std::optional<float> soundOf (int index, float value)
{
    const auto& row = S::rows[index];

    if (! std::isfinite (value))
        return std::nullopt;

    switch (row.widget)
    {
        case S::Widget::toggle:
        case S::Widget::eqToggle:
            return std::trunc (value) != 0.0f ? 1.0f : 0.0f;
        case S::Widget::oscWaveButtons:
        case S::Widget::lfoWaveButtons:
            if (std::trunc (value) >= Square && std::trunc (value) <= Pulse)
                return std::trunc (value);
            return std::nullopt;
        case S::Widget::knob:
        case S::Widget::eqSlider:
            break;
    }

    return std::clamp (value, static_cast<float> (row.minimum), static_cast<float> (row.maximum));
}

float peakOf (const Performance& p)
{
    return std::max (peakOf (p.left, 0, p.left.size()), peakOf (p.right, 0, p.right.size()));
}
} // namespace

// Each parameter, and then all of them at once, takes the values a broken host or script may
// send while a chord sounds: not numbers, huge numbers, a step beyond either end of its control's
// range. Each value must sound exactly as the nearest value a control gives (or as nothing), stay
// finite and below the loudest that the controls allow, and the sound returns with sane values.
TEST_F (PluginLibrary, HostileValuesOnEveryParameterSoundAsTheControlsNearestValue)
{
    const float inf = std::numeric_limits<float>::infinity();
    const auto hostile = [inf] (int index) {
        const auto& row = S::rows[index];
        return std::vector<float> { std::nanf (""), inf, -inf, 1.0e30f, -1.0e30f, 1.0e6f, -1.0e6f,
                                    static_cast<float> (row.minimum - row.step), static_cast<float> (row.maximum + row.step) };
    };
    const size_t numValues = hostile (0).size();

    // The hostile values one step each, the working timbre's value back, and one step more. The
    // bound: the same notes for as long at the same rate, under the loudest timbre.
    const size_t numSteps = numValues + 2;
    const float loudest = peakOf (perform (loudestTimbre(), std::vector<Settings> (numSteps)));
    ASSERT_GT (loudest, 1.0f);
    ASSERT_TRUE (std::isfinite (loudest));

    for (int target = 0; target <= S::count; ++target)
    {
        const bool all = target == S::count;
        SCOPED_TRACE (all ? std::string ("every parameter at once") : std::string ("parameter ") + std::to_string (target)
                                                                           + " (" + S::rows[target].key + ")");
        std::vector<Settings> sent (numSteps), sane (numSteps);

        for (size_t k = 0; k < numValues; ++k)
        {
            for (int index = all ? 0 : target; index <= (all ? S::count - 1 : target); ++index)
            {
                const float value = hostile (index)[k];
                sent[k].push_back ({ index, value });

                if (const auto sound = soundOf (index, value))
                    sane[k].push_back ({ index, *sound });
            }
        }

        for (auto s : workingTimbre())
        {
            if (all || s.index == target)
            {
                sent[numValues].push_back (s);
                sane[numValues].push_back (s);
            }
        }

        const auto heard = perform (workingTimbre(), sent);
        const auto expected = perform (workingTimbre(), sane);

        EXPECT_TRUE (allFinite (heard.left) && allFinite (heard.right)) << "a sample not finite";
        EXPECT_TRUE (heard.left == expected.left && heard.right == expected.right) << "not the sound of the nearest control value";
        EXPECT_LE (peakOf (heard), loudest);

        const size_t lastStep = heard.left.size() - framesPerStep;
        EXPECT_GT (peakOf (heard.left, lastStep, heard.left.size()), 0.01f) << "no sound once the values are sane";
    }
}
