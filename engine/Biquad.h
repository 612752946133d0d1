#pragma once

#include "engine/LaneRef.h"

#include <cstdint>
#include <cstring>

// One equaliser band: a second-order section with coefficients normalised by a0.
class Biquad
{
public:
    enum Type : int
    {
        peaking = 6,
        lowShelf = 7,
        highShelf = 8
    };

    struct Lanes
    {
        LaneArray<float> b0, b1, b2, a1, a2, y1, y2, x1, x2;
    };

    void computeBiquad (double frequency, double rate, double bandwidth, double gainDb, int type);

    float process (float x) noexcept
    {
        std::uint32_t bits;
        std::memcpy (&bits, &x, sizeof bits);

        if ((bits & 0x7f800000u) == 0) // zero or denormal
            x = 0.0f;

        const float y = b0 * x + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2;
        x2 = x1;
        x1 = x;
        y2 = y1;
        y1 = y;
        return y;
    }

    // Puts the four state values back to silence; the coefficients stay.
    void clearState() noexcept { y1 = y2 = x1 = x2 = 0.0f; }
    bool stateIsFinite() const noexcept;

    void moveTo (Lanes& lanes, int lane) noexcept;

    LaneRef<float> b0, b1, b2;
    LaneRef<float> a1, a2;
    LaneRef<float> y1, y2;
    LaneRef<float> x1, x2;
};
