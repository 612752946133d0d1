#pragma once

#include "engine/UG.h"

// Four-pole ladder low-pass with resonance feedback and a soft clipper, in single precision.
class MoogFilter : public UG
{
public:
    struct Lanes : UG::Lanes
    {
        LaneArray<float> cutoff;
        LaneArray<double> baseCutoff;
        LaneArray<float> resonance, y1, y2, y3, y4, oldx, oldy1, oldy2, oldy3, r, p, k;
    };

    MoogFilter();

    void init() override;

    double tick() override
    {
        const float x = static_cast<float> (input - r * y4);
        y1 = x * p + p * oldx - k * y1;
        y2 = y1 * p + p * oldy1 - k * y2;
        y3 = y2 * p + p * oldy2 - k * y3;
        y4 = y3 * p + p * oldy3 - k * y4;
        y4 = y4 - y4 * y4 * y4 / 6.0f;
        oldx = x;
        oldy1 = y1;
        oldy2 = y2;
        oldy3 = y3;
        output = y4;
        return y4;
    }

    // Puts the eight state values back to silence; the coefficients stay.
    void clearState() noexcept;
    bool stateIsFinite() const noexcept;

    // The ladder's tuning, single-precision numbers taken into double arithmetic (so written as
    // floats and held as doubles): p = f (1.8 - 0.8 f) is a polynomial fit of each pole's
    // coefficient to the cutoff f (a fraction of half the rate).
    static constexpr double poleLinear = 1.8f;
    static constexpr double poleSquare = 0.8f;
    // About ln 4: with t = (1 - p) x 1.386249, (t^2 + 6t + 12) / (t^2 - 6t + 12) is the [2/2] Pade
    // approximant of e^t, so the resonance feedback r is about resonance x 4^(1 - p): raised up to
    // fourfold toward low cutoffs, where the ladder's loop gain falls.
    static constexpr double resonanceScale = 1.386249f;

    void updateCoefficients() noexcept
    {
        const float f = 2.0f * cutoff / static_cast<float> (sampleRate);
        p = static_cast<float> (f * (poleLinear - poleSquare * f));
        k = 2.0f * p - 1.0f;
        const float t = static_cast<float> ((1.0f - p) * resonanceScale);
        const float t2 = t * t + 12.0f;
        r = resonance * (t2 + 6.0f * t) / (t2 - 6.0f * t);
    }

    void moveTo (Lanes& lanes, int lane) noexcept;

    LaneRef<float> cutoff { 660.0f };
    LaneRef<double> baseCutoff { 660.0 };
    LaneRef<float> resonance { 0.09f };
    LaneRef<float> y1, y2, y3, y4;
    LaneRef<float> oldx, oldy1, oldy2, oldy3;
    LaneRef<float> r, p, k;
};
