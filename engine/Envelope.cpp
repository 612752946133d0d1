#include "engine/Envelope.h"

Envelope::Envelope()
{
    init();
}

void Envelope::init()
{
    const float s = static_cast<float> (sampleRate);
    counter = 0.0f;
    value = 0.0f;
    sustain = 0.89f;
    attackSamples = static_cast<float> (s * 0.003);
    decaySamples = static_cast<float> (s * 0.01);
    releaseSamples = static_cast<float> (s * 0.1);
    releaseCounter = releaseSamples;
}

float Envelope::samplesFor (double milliseconds) const
{
    const float m = static_cast<float> (milliseconds);
    return static_cast<float> (sampleRate) * (m / 1000.0f);
}

void Envelope::setAttack (double milliseconds)
{
    attackSamples = samplesFor (milliseconds);
}

void Envelope::setDecay (double milliseconds)
{
    decaySamples = samplesFor (milliseconds);
}

void Envelope::setRelease (double milliseconds)
{
    releaseSamples = samplesFor (milliseconds);
    releaseCounter = releaseSamples;
}

void Envelope::moveTo (Lanes& lanes, int lane) noexcept
{
    UG::moveTo (lanes, lane);
    releaseCounter.moveTo (lanes.releaseCounter, lane);
    sustain.moveTo (lanes.sustain, lane);
    value.moveTo (lanes.value, lane);
    counter.moveTo (lanes.counter, lane);
    attackSamples.moveTo (lanes.attackSamples, lane);
    decaySamples.moveTo (lanes.decaySamples, lane);
    releaseSamples.moveTo (lanes.releaseSamples, lane);
}
