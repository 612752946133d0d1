// Renders fixed loads through the synthesiser with 32 voices at 44.1 kHz in 256-sample blocks, each
// voice on its own and in SSE2 and AVX2 lanes (where the processor has AVX2), and prints the CPU
// time per second of audio and per voice-sample (minimum and median of the runs).

#include "bench/EveryStageWorking.h"
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
    synth->setCurrentPlaybackSampleRate (sampleRate);
    return synth;
}

struct Load
{
    const char* name;
    int notes;
    std::function<void (ZarnSynthesiser&)> setUp;
};

struct Rendering
{
    const char* name;
    ZarnSynthesiser::Rendering rendering;
};

void measure (const Load& load, const Rendering& r)
{
    std::vector<double> perSecond;

    for (int run = 0; run < runs; ++run)
    {
        auto synth = makeSynth();
        synth->setRendering (r.rendering);

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

    std::printf ("%-44s %-10s %9.5f %9.5f   %7.2f %7.2f\n", load.name, r.name, minimum, median,
                 minimum / voiceSamplesPerSecond * 1e9, median / voiceSamplesPerSecond * 1e9);
}
} // namespace

int main()
{
    std::printf ("%d runs of %d s of audio each, 44.1 kHz, %d-sample blocks, one thread\n", runs, secondsPerRun, blockSize);
    std::printf ("%-44s %-10s %9s %9s   %7s %7s\n", "load", "rendering", "cpu s/s", "", "ns per voice-sample", "");
    std::printf ("%-44s %-10s %9s %9s   %7s %7s\n", "", "", "min", "median", "min", "median");

    const Load loads[] = {
        { "(a) 32 held notes, defaults", 32, nullptr },
        { "(b) 32 held notes, every stage working", 32, setEveryStageWorking },
        { "(c) one note, defaults", 1, nullptr },
    };

    const Rendering renderings[] = {
        { "per voice", ZarnSynthesiser::Rendering::perVoice },
        { "SSE2", ZarnSynthesiser::Rendering::sse2 },
        { "AVX2", ZarnSynthesiser::Rendering::avx2 },
    };

    for (const auto& load : loads)
        for (const auto& r : renderings)
            if (ZarnSynthesiser::canRender (r.rendering))
                measure (load, r);

    return 0;
}
