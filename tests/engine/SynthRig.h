#pragma once

#include "engine/ZarnSynthesiser.h"

#include <vector>

// The synthesiser as the deliverables build it, at a playback rate, and helpers that render it
// into plain sample vectors.
struct SynthRig
{
    explicit SynthRig (double sampleRate = ZarnSynthesiser::initialSampleRate)
    {
        synth.setCurrentPlaybackSampleRate (sampleRate);
    }

    ZarnVoice& voice (int i) { return *synth.getZarnVoice (i); }

    // Renders `numSamples` in blocks of `blockSize`, with `midi` (positions relative to the first
    // rendered sample) and appends the result to left and right.
    void render (int numSamples, const juce::MidiBuffer& midi = {}, int blockSize = 256)
    {
        juce::AudioBuffer<float> buffer (2, blockSize);

        for (int done = 0; done < numSamples; done += blockSize)
        {
            const int n = std::min (blockSize, numSamples - done);
            buffer.clear();

            juce::MidiBuffer blockMidi;
            blockMidi.addEvents (midi, done, n, -done);

            synth.renderNextBlock (buffer, blockMidi, 0, n);
            left.insert (left.end(), buffer.getReadPointer (0), buffer.getReadPointer (0) + n);
            right.insert (right.end(), buffer.getReadPointer (1), buffer.getReadPointer (1) + n);
        }
    }

    void noteOn (int note, float velocity = 1.0f, int at = 0)
    {
        pending.addEvent (juce::MidiMessage::noteOn (1, note, velocity), at);
    }

    void noteOff (int note, int at = 0)
    {
        pending.addEvent (juce::MidiMessage::noteOff (1, note), at);
    }

    // Renders the events queued with noteOn/noteOff; those beyond the rendered stretch stay
    // queued, moved to the time after it.
    void play (int numSamples, int blockSize = 256)
    {
        render (numSamples, pending, blockSize);
        juce::MidiBuffer later;
        later.addEvents (pending, numSamples, -1, -numSamples);
        pending.swapWith (later);
    }

    int soundingVoices()
    {
        int n = 0;

        for (int i = 0; i < ZarnSynthesiser::numVoices; ++i)
            n += voice (i).getCurrentlyPlayingNote() >= 0 ? 1 : 0;

        return n;
    }

    ZarnSynthesiser synth;
    juce::MidiBuffer pending;
    std::vector<float> left, right;
};

// Frequency of a periodic signal from its rising zero crossings (linearly interpolated) over
// [from, to).
inline double measuredFrequency (const std::vector<float>& s, size_t from, size_t to, double sampleRate)
{
    double first = -1.0, last = -1.0;
    int crossings = 0;

    for (size_t i = from + 1; i < to; ++i)
    {
        if (s[i - 1] < 0.0f && s[i] >= 0.0f)
        {
            const double t = (i - 1) + s[i - 1] / (double) (s[i - 1] - s[i]);

            if (first < 0.0)
                first = t;
            else
                ++crossings;

            last = t;
        }
    }

    return crossings > 0 ? crossings * sampleRate / (last - first) : 0.0;
}

inline float peak (const std::vector<float>& s, size_t from, size_t to)
{
    float p = 0.0f;

    for (size_t i = from; i < to && i < s.size(); ++i)
        p = std::max (p, std::abs (s[i]));

    return p;
}
