#pragma once

#include "engine/Biquad.h"
#include "engine/Envelope.h"
#include "engine/MoogFilter.h"
#include "engine/Oscillator.h"

// The hot state of every voice of a synthesiser, each field an array indexed by voice (see LaneRef):
// what the voices' oscillators, LFO, ladder, equaliser bands and envelopes change while they sound,
// and the levels and gains that each of their samples reads.
struct VoiceLanes
{
    static constexpr int numBands = 8;
    static constexpr double rightLineGain = 1.29; // the right channel's gain on the 15 ms line

    Oscillator::Lanes osc[3];
    Oscillator::Lanes lfo;
    MoogFilter::Lanes filter;
    Biquad::Lanes eq[numBands];
    Envelope::Lanes ampEnv;
    Envelope::Lanes filterEnv;
    LaneArray<double> delayLevel;
    LaneArray<double> oscLevel[3];
    LaneArray<double> doubleLevel[3];
    LaneArray<double> velocityGain;
    LaneArray<double> volume;
    LaneArray<double> filterEnvAmount;
    LaneArray<double> lfoDepth;
    LaneArray<double> lastLfoProduct;
    LaneArray<double> lastPitchFactor;
};
