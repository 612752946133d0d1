// Renders fixed loads through the synthesiser with 32 voices at 44.1 kHz in 256-sample blocks and
// prints the CPU time per second of audio and per voice-sample (minimum and median of the runs).

#include "engine/ZarnSound.h"
#include "engine/ZarnSynthesiser.h"

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>
#include <memory>
#include <vector>

namespace
{
constexpr double sampleRate = 44100.0;
constexpr int blockSize = 256;
constexpr int secondsPerRun = 10;
constexpr int runs = 7;

double threadCpuSeconds()
{
    timespec t {};
    clock_gettime (CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec + t.tv_nsec * 1e-9;
}

std::unique_ptr<ZarnSynthesiser> makeSynth()
{
    auto synth = std::make_unique<ZarnSynthesiser>();
    synth->addSound (ZarnSound::forAllNotes());

    for (int i = 0; i < ZarnSynthesiser::numVoices; ++i)
        synth->addVoice (new ZarnVoice());

    synth->setCurrentPlaybackSampleRate (sampleRate);
    return synth;
}

void everyStageWorking (ZarnSynthesiser& synth)
{
    const int waves[] = { Sawtooth, Square, Triangle };

    for (int o = 0; o < 3; ++o)
    {
        synth.setOscWave (o, waves[o]);
        synth.setOscLevels (o, 0.3, 0.19);
    }

    synth.setOscPulseWidth (1, 0.3);
    synth.setOscSemitones (1, 7);
    synth.setOscCents (2, -8);
    synth.setLfoWave (Triangle);
    synth.setLfoRate (5.0);
    synth.setLfoDepth (0.3);
    synth.setCutoff (1200.0);
    synth.setResonance (0.5);
    synth.setFilterAttack (1500.0); // the filter envelope sweeps through the run
    synth.setFilterDecay (3000.0);
    synth.setFilterEnvAmount (0.8);
    synth.setEqOn (true);

    for (int band = 0; band < ZarnVoice::numBands; ++band)
        synth.setEqGain (band, band % 2 == 0 ? 3.0f : -2.5f);

    synth.setEchoFeedback (0.5);
    synth.setEchoLevel (0.4);
    synth.setVolume (0.3);
}

struct Load
{
    const char* name;
    int notes;
    std::function<void (ZarnSynthesiser&)> setUp;
};

void measure (const Load& load)
{
    std::vector<double> perSecond;

    for (int run = 0; run < runs; ++run)
    {
        auto synth = makeSynth();

        if (load.setUp)
            load.setUp (*synth);

        juce::AudioBuffer<float> buffer (2, blockSize);
        juce::MidiBuffer midi;

        for (int n = 0; n < load.notes; ++n)
            midi.addEvent (juce::MidiMessage::noteOn (1, 36 + n * 2, 0.8f), 0);

        const int blocks = static_cast<int> (secondsPerRun * sampleRate / blockSize);
        const double start = threadCpuSeconds();

        for (int b = 0; b < blocks; ++b)
        {
            buffer.clear();
            synth->renderNextBlock (buffer, b == 0 ? midi : juce::MidiBuffer(), 0, blockSize);
        }

        const double audioSeconds = blocks * blockSize / sampleRate;
        perSecond.push_back ((threadCpuSeconds() - start) / audioSeconds);
    }

    std::sort (perSecond.begin(), perSecond.end());
    const double minimum = perSecond.front();
    const double median = perSecond[perSecond.size() / 2];
    const double voiceSamplesPerSecond = load.notes * sampleRate;

    std::printf ("%-44s %9.5f %9.5f   %7.2f %7.2f\n", load.name, minimum, median,
                 minimum / voiceSamplesPerSecond * 1e9, median / voiceSamplesPerSecond * 1e9);
}
} // namespace

int main()
{
    std::printf ("%d runs of %d s of audio each, 44.1 kHz, %d-sample blocks, one thread\n", runs, secondsPerRun, blockSize);
    std::printf ("%-44s %9s %9s   %7s %7s\n", "load", "cpu s/s", "", "ns per voice-sample", "");
    std::printf ("%-44s %9s %9s   %7s %7s\n", "", "min", "median", "min", "median");

    const Load loads[] = {
        { "(a) 32 held notes, defaults", 32, nullptr },
        { "(b) 32 held notes, every stage working", 32, everyStageWorking },
        { "(c) one note, defaults", 1, nullptr },
    };

    for (const auto& load : loads)
        measure (load);

    return 0;
}
