#pragma once

#include "engine/Oscillator.h"
#include "engine/WaveType.h"

#include <algorithm>

// What an LFO plays, read from its wave type and its table, for the tests that check the voices
// after a timbre was loaded.
namespace LfoShape
{
// The unipolar Pulse: 0 for the first half of the cycle, 1 for the second.
inline bool playsPulse (const Oscillator& lfo)
{
    const double* t = lfo.table;
    const int half = Oscillator::tableSize / 2;

    return lfo.waveType == Pulse && t != nullptr && std::all_of (t, t + half, [] (double x) { return x == 0.0; })
        && std::all_of (t + half, t + Oscillator::tableSize, [] (double x) { return x == 1.0; });
}
} // namespace LfoShape
