#include "engine/ZarnVoice.h"

#include "engine/ZarnSound.h"

#include <cmath>

namespace
{
struct Band
{
    double frequency;
    double bandwidth;
    int type;
};

constexpr Band bands[ZarnVoice::numBands] = {
    { 64.0, 0.82, Biquad::lowShelf },
    { 125.0, 0.77, Biquad::peaking },
    { 250.0, 0.71, Biquad::peaking },
    { 500.0, 0.66, Biquad::peaking },
    { 1000.0, 0.52, Biquad::peaking },
    { 2000.0, 0.42, Biquad::peaking },
    { 4000.0, 0.35, Biquad::peaking },
    { 8000.0, 0.30, Biquad::highShelf },
};

constexpr double centFactor = 1.00057779;
constexpr double rightLineGain = 1.29;
} // namespace

ZarnVoice::ZarnVoice()
{
    lfo.waveType = Pulse;
    lfo.init();

    delayL.length = static_cast<int> (44100 * 0.3);
    delayL.feedback = 0.2f;

    filterEnv.setAttack (120.0);
    filterEnv.setDecay (200.0);
    filterEnv.sustain = 0.25f;

    for (auto& level : oscLevel)
        level.value = 0.42;

    for (auto& level : doubleLevel)
        level.value = 0.19;

    for (int band = 0; band < numBands; ++band)
        setEqGain (band, 0.0f);
}

ZarnVoice::~ZarnVoice() = default;

bool ZarnVoice::canPlaySound (juce::SynthesiserSound* sound)
{
    return dynamic_cast<ZarnSound*> (sound) != nullptr;
}

void ZarnVoice::startNote (int midiNoteNumber, float velocity, juce::SynthesiserSound*, int)
{
    velocityGain = velocity * 0.35;
    const double b = std::pow (2.0, (midiNoteNumber - 81) / 12.0) * 440.0 * 4096.0 / getSampleRate();

    for (auto& o : osc)
    {
        o.baseInc = b;
        o.inc = b;
        o.inc2 = b * doubleRatio;

        if (o.detuned)
        {
            o.inc *= o.centRatio * o.semitoneRatio;
            o.inc2 *= o.centRatio * o.semitoneRatio;
        }
    }

    active = true;
}

void ZarnVoice::stopNote (float, bool allowTailOff)
{
    if (allowTailOff)
    {
        releasing = true;
        return;
    }

    clearCurrentNote();
    active = false;
}

void ZarnVoice::pitchWheelMoved (int) {}

void ZarnVoice::controllerMoved (int, int) {}

void ZarnVoice::setEqGain (int band, float gainDb)
{
    if (band < 0 || band >= numBands)
        return;

    const auto& b = bands[band];
    eq[band].computeBiquad (b.frequency, getSampleRate(), b.bandwidth, gainDb, b.type);
}

void ZarnVoice::renderNextBlock (juce::AudioBuffer<float>& outputBuffer, int startSample, int numSamples)
{
    if (! active)
        return;

    float* left = outputBuffer.getWritePointer (0, startSample);
    float* right = outputBuffer.getWritePointer (1, startSample);

    if (! releasing)
    {
        if (filterOn)
            renderHeld (left, right, numSamples);
    }
    else if (filterOn)
    {
        renderReleased (left, right, numSamples);
    }
    else
    {
        renderReleasedSilently (numSamples);
    }
}

void ZarnVoice::renderHeld (float* left, float* right, int numSamples)
{
    for (int i = 0; i < numSamples; ++i)
    {
        lfoStep();
        pitchStep();
        cutoffStep (filterEnv.tick());
        const double s = mix();
        const double y = chain (s, ampEnv.tick());
        outputStep (static_cast<float> (y), y, left, right, i);
    }
}

void ZarnVoice::renderReleased (float* left, float* right, int numSamples)
{
    const float endOfTail = -5.0f * static_cast<float> (delayL.length);

    for (int i = 0; i < numSamples; ++i)
    {
        if (tailOnly)
        {
            outputStep (0.0f, 0.0, left, right, i);
            ampEnv.releaseCounter -= 1.0f;
        }
        else
        {
            lfoStep();
            pitchStep();
            filterEnv.releaseCounter -= 1.0f;
            cutoffStep (filterEnv.releaseLevel (filterEnv.releaseCounter));
            ampEnv.releaseCounter -= 1.0f;
            const float gain = ampEnv.releaseLevel (ampEnv.releaseCounter);
            const double s = mix();
            const double y = chain (s, gain);
            outputStep (static_cast<float> (y), y, left, right, i);
        }

        if (ampEnv.releaseCounter < 0.0f && ! tailOnly)
            tailOnly = true;

        if (ampEnv.releaseCounter < endOfTail)
        {
            endNote();
            return;
        }
    }
}

void ZarnVoice::renderReleasedSilently (int numSamples)
{
    for (int i = 0; i < numSamples; ++i)
    {
        for (auto& o : osc)
            o.tick();

        ampEnv.tick();

        if (ampEnv.releaseCounter + 900.0f <= 0.0f)
        {
            endNoteWithoutFilter();
            return;
        }
    }
}

inline void ZarnVoice::lfoStep() noexcept
{
    lfo.output = lfo.table[Oscillator::tableIndex (lfo.phase)];
    lfo.phase = Oscillator::wrapped (lfo.phase + lfo.inc);
}

inline void ZarnVoice::pitchStep() noexcept
{
    const double product = lfo.output * lfoDepth;

    if (product != lastLfoProduct)
    {
        lastLfoProduct = product;
        lastPitchFactor = std::pow (centFactor, product * 1200.0);
    }

    const double m = lastPitchFactor;

    for (auto& o : osc)
    {
        o.inc = o.baseInc * m;
        o.inc2 = o.baseInc * m * doubleRatio;

        if (o.detuned)
        {
            o.inc *= o.centRatio * o.semitoneRatio;
            o.inc2 *= o.centRatio * o.semitoneRatio;
        }
    }
}

inline void ZarnVoice::cutoffStep (double envelopeValue) noexcept
{
    filter.cutoff = static_cast<float> (filter.baseCutoff + filter.baseCutoff * filterEnvAmount * envelopeValue);
    filter.updateCoefficients();
}

inline double ZarnVoice::mix() noexcept
{
    double s = 0.0;

    for (int o = 0; o < 3; ++o)
        s += osc[o].tick() * oscLevel[o].value;

    for (int o = 0; o < 3; ++o)
        s += osc[o].out2 * doubleLevel[o].value;

    return s;
}

inline double ZarnVoice::chain (double s, double gain) noexcept
{
    filter.input = s * gain * velocityGain * volume;
    double y = filter.tick();

    if (eqOn)
    {
        float band = static_cast<float> (y);

        for (auto& b : eq)
            band = b.process (band);

        y = band;
    }

    return y;
}

inline void ZarnVoice::outputStep (float x, double y, float* left, float* right, int i) noexcept
{
    // Each channel's sum is formed in double and rounded once into the buffer.
    const double dL = delayL.step (x);
    const double dR = delayR.step (x);
    left[i] = static_cast<float> (static_cast<double> (left[i]) + (y + dL * delayLevel));
    right[i] = static_cast<float> (static_cast<double> (right[i]) + (dL * delayLevel + dR * rightLineGain));
}

void ZarnVoice::endNote()
{
    tailOnly = releasing = active = false;

    for (auto* env : { &ampEnv, &filterEnv })
    {
        env->counter = 0.0f;
        env->value = 0.0f;
        env->releaseCounter = env->releaseSamples;
    }

    delayR.clear();
    delayL.clear();
    lfo.phase = 0.0;

    for (auto& o : osc)
        o.phase = o.phase2 = o.inc = o.inc2 = o.output = o.out2 = o.baseInc = 0.0;

    clearCurrentNote();
}

void ZarnVoice::endNoteWithoutFilter()
{
    active = false;
    ampEnv.counter = ampEnv.value = 0.0f;
    ampEnv.releaseCounter = ampEnv.releaseSamples;

    for (auto& o : osc)
        o.phase = o.phase2 = o.inc = o.inc2 = o.output = o.out2 = o.baseInc = 0.0;

    clearCurrentNote();
}
