#pragma once

#include "engine/UG.h"

// Linear attack, decay and sustain; the voice runs the release ramp from `value` with `releaseCounter`.
class Envelope : public UG
{
public:
    struct Lanes : UG::Lanes
    {
        LaneArray<float> releaseCounter, sustain, value, counter, attackSamples, decaySamples, releaseSamples;
    };

    Envelope();

    void init() override;

    double tick() override
    {
        const float t = counter;

        if (t < attackSamples)
        {
            value = t / attackSamples;
            counter = t + 1.0f;
            return value;
        }

        if (t < attackSamples + decaySamples)
        {
            value = 1.0f - (1.0f - sustain) * (t - attackSamples) / decaySamples;
            counter = t + 1.0f;
            return value;
        }

        return sustain;
    }

    void setAttack (double milliseconds);
    void setDecay (double milliseconds);
    void setRelease (double milliseconds);

    // The release ramp's level with the counter at `counterValue`: falls linearly from `value` to 0.
    float releaseLevel (float counterValue) const noexcept
    {
        return counterValue >= 0.0f ? counterValue * value / releaseSamples : 0.0f;
    }

    // At the end of a note: counter and value back to 0, the release counter to a whole release.
    void rewind() noexcept
    {
        counter = 0.0f;
        value = 0.0f;
        releaseCounter = releaseSamples;
    }

    void moveTo (Lanes& lanes, int lane) noexcept;

    LaneRef<float> releaseCounter;
    LaneRef<float> sustain;
    LaneRef<float> value;
    LaneRef<float> counter;
    LaneRef<float> attackSamples;
    LaneRef<float> decaySamples;
    LaneRef<float> releaseSamples;

private:
    float samplesFor (double milliseconds) const;
};
