#include "engine/Biquad.h"

#include <cmath>

void Biquad::computeBiquad (double frequency, double rate, double bandwidth, double gainDb, int type)
{
    const double A = std::pow (10.0, gainDb / 40.0);
    const double w = 6.283185307179586 * frequency / rate; // 2 pi
    const double sn = std::sin (w);
    const double cs = std::cos (w);
    const double alpha = sn * std::sinh (std::log (2.0) / 2.0 * bandwidth * w / sn);
    const double beta = std::sqrt (A) / bandwidth;

    float rb0, rb1, rb2, ra0, ra1, ra2;

    switch (type)
    {
        case lowShelf:
            rb0 = static_cast<float> (A * ((A + 1) - (A - 1) * cs + beta * sn));
            rb1 = static_cast<float> (2 * A * ((A - 1) - (A + 1) * cs));
            rb2 = static_cast<float> (A * ((A + 1) - (A - 1) * cs - beta * sn));
            ra0 = static_cast<float> ((A + 1) + (A - 1) * cs + beta * sn);
            ra1 = static_cast<float> (-2 * ((A - 1) + (A + 1) * cs));
            ra2 = static_cast<float> ((A + 1) + (A - 1) * cs - beta * sn);
            break;

        case highShelf:
            rb0 = static_cast<float> (A * ((A + 1) + (A - 1) * cs + beta * sn));
            rb1 = static_cast<float> (-2 * A * ((A - 1) + (A + 1) * cs));
            rb2 = static_cast<float> (A * ((A + 1) + (A - 1) * cs - beta * sn));
            ra0 = static_cast<float> ((A + 1) - (A - 1) * cs + beta * sn);
            ra1 = static_cast<float> (2 * ((A - 1) - (A + 1) * cs));
            ra2 = static_cast<float> ((A + 1) - (A - 1) * cs - beta * sn);
            break;

        case peaking:
        default:
            rb0 = static_cast<float> (1 + alpha * A);
            rb1 = static_cast<float> (-2 * cs);
            rb2 = static_cast<float> (1 - alpha * A);
            ra0 = static_cast<float> (1 + alpha / A);
            ra1 = static_cast<float> (-2 * cs);
            ra2 = static_cast<float> (1 - alpha / A);
            break;
    }

    const float n0 = rb0 / ra0, n1 = rb1 / ra0, n2 = rb2 / ra0, d1 = ra1 / ra0, d2 = ra2 / ra0;

    // A band at or above half the rate (a host may play at 8 or 11.025 kHz), or at a rate so far
    // from its frequency that the numbers break down, gives coefficients that are not finite or
    // poles on or outside the unit circle: its output would be NaN, or grow without bound, from
    // the first sample. Such a band passes its input unchanged.
    const bool stable = std::isfinite (n0) && std::isfinite (n1) && std::isfinite (n2) && std::isfinite (d1)
                        && std::isfinite (d2) && std::abs (d2) < 1.0f && std::abs (d1) < 1.0f + d2;

    b0 = stable ? n0 : 1.0f;
    b1 = stable ? n1 : 0.0f;
    b2 = stable ? n2 : 0.0f;
    a1 = stable ? d1 : 0.0f;
    a2 = stable ? d2 : 0.0f;
}

bool Biquad::stateIsFinite() const noexcept
{
    return std::isfinite (y1) && std::isfinite (y2) && std::isfinite (x1) && std::isfinite (x2);
}

void Biquad::moveTo (Lanes& lanes, int lane) noexcept
{
    b0.moveTo (lanes.b0, lane);
    b1.moveTo (lanes.b1, lane);
    b2.moveTo (lanes.b2, lane);
    a1.moveTo (lanes.a1, lane);
    a2.moveTo (lanes.a2, lane);
    y1.moveTo (lanes.y1, lane);
    y2.moveTo (lanes.y2, lane);
    x1.moveTo (lanes.x1, lane);
    x2.moveTo (lanes.x2, lane);
}
