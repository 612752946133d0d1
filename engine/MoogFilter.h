#pragma once

#include "engine/UG.h"

// Four-pole ladder low-pass with resonance feedback and a soft clipper, in single precision.
class MoogFilter : public UG
{
public:
    MoogFilter();

    void init() override;
    double tick() override;

    void updateCoefficients() noexcept;

    float cutoff = 660.0f;
    double baseCutoff = 660.0;
    float resonance = 0.09f;
    float y1 = 0.0f, y2 = 0.0f, y3 = 0.0f, y4 = 0.0f;
    float oldx = 0.0f, oldy1 = 0.0f, oldy2 = 0.0f, oldy3 = 0.0f;
    float r = 0.0f, p = 0.0f, k = 0.0f;
};
