#pragma once

#include "engine/VoiceLanes.h"

#include <cstdint>

// A voice's chain (LFO and pitch, filter envelope and ladder coefficients, oscillators, mix and
// amplitude envelope, ladder, equaliser) run for a group of voices side by side, one voice in each
// lane of the SIMD registers: 4 lanes with SSE2, 8 with AVX2. Every lane performs ZarnVoice's
// single- and double-precision operations in ZarnVoice's order, with the same conversions between
// them, so each lane's samples are bit for bit those of the voice rendered on its own; pow and fmod
// stay calls of the library's functions for each lane that needs one, pow's result kept for the
// very same argument (PowCache). Each kernel is compiled
// in a translation unit of its own, for its instruction set and without contraction of multiplies
// and adds, and is chosen at run time. The voices' state stays in their VoiceLanes.
struct LaneKernel
{
    static constexpr int maxWidth = 8;
    // Samples of one call at most; the synthesiser renders longer stretches in pieces of this size.
    static constexpr int chunk = 64;
    // Bytes of scratch that a call may use.
    static constexpr int scratchBytes = 32768;

    // pow (Oscillator::centFactor, product x 1200), the LFO's pitch factor, kept by the LFO's table
    // index.
    // An entry serves only the product whose bits it was computed for, so it gives what pow gives.
    struct PowCache
    {
        PowCache();

        std::uint64_t product[Oscillator::tableSize];
        double factor[Oscillator::tableSize];
    };

    // Samples [offset, offset + count) of a chunk, for the lanes `first` ... `first` + width - 1.
    // Lane l of the group is bit l of the masks.
    struct Group
    {
        VoiceLanes* lanes = nullptr;
        int first = 0;
        unsigned chain = 0; // lanes that run the chain on these samples
        unsigned held = 0;  // of those, the lanes whose envelopes tick; the others ramp down
        unsigned eq = 0;    // of those, the lanes whose equaliser is on
        const double* tables[4][maxWidth] = {}; // per lane: the three oscillators' tables, the LFO's
        PowCache* powCache = nullptr;
        void* scratch = nullptr; // scratchBytes, aligned to 64
        float* y = nullptr;      // y[l * chunk + i]: the chain's output of lane l for sample i
    };

    // One delay line of a voice while its samples are added: the ring, where it stands, and the
    // last sample it gave.
    struct Line
    {
        float* buffer;
        int pos;
        int length;
        float feedback;
        float last;
    };

    // Groups that run the same samples in one call, side by side: their ladders' and bands' chains,
    // each waiting on its last sample, overlap.
    static constexpr int maxGroups = 4;

    int width;
    void (*runChain) (const Group* groups, int numGroups, int offset, int count);
    // One voice's two delay lines fed with y[0 ... count - 1], and its sums added into the output:
    // left[i] += y + dL x delayLevel, right[i] += dL x delayLevel + dR x 1.29, each sum formed in
    // double and rounded once.
    void (*addOutput) (Line& left, Line& right, double delayLevel, const float* y, int count,
                       float* outLeft, float* outRight);

    static const LaneKernel& sse2();
    // Null when this build or this processor has no AVX2.
    static const LaneKernel* avx2();
};
