#include "engine/ZarnVoice.h"

#include "engine/ZarnSound.h"

#include <cmath>
#include <initializer_list>

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
} // namespace

// The voice's own sound until the first setting reaches it: a unipolar pulse LFO (standing
// still until a rate is set), a 0.3 s echo at feedback 0.2, a filter envelope of 120 ms attack,
// 200 ms decay and sustain 0.25, the oscillators at 0.42 and their second phases at 0.19.
ZarnVoice::ZarnVoice()
{
    lfo.waveType = Pulse;
    lfo.init();

    delayL.length = static_cast<int> (44100 * 0.3); // at the fixed rate of every unit generator
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

void ZarnVoice::moveTo (VoiceLanes& lanes, int lane) noexcept
{
    for (int o = 0; o < 3; ++o)
    {
        osc[o].moveTo (lanes.osc[o], lane);
        oscLevel[o].value.moveTo (lanes.oscLevel[o], lane);
        doubleLevel[o].value.moveTo (lanes.doubleLevel[o], lane);
    }

    lfo.moveTo (lanes.lfo, lane);
    filter.moveTo (lanes.filter, lane);

    for (int band = 0; band < numBands; ++band)
        eq[band].moveTo (lanes.eq[band], lane);

    ampEnv.moveTo (lanes.ampEnv, lane);
    filterEnv.moveTo (lanes.filterEnv, lane);
    delayLevel.moveTo (lanes.delayLevel, lane);
    velocityGain.moveTo (lanes.velocityGain, lane);
    volume.moveTo (lanes.volume, lane);
    filterEnvAmount.moveTo (lanes.filterEnvAmount, lane);
    lfoDepth.moveTo (lanes.lfoDepth, lane);
    lastLfoProduct.moveTo (lanes.lastLfoProduct, lane);
    lastPitchFactor.moveTo (lanes.lastPitchFactor, lane);
}

bool ZarnVoice::canPlaySound (juce::SynthesiserSound* sound)
{
    return dynamic_cast<ZarnSound*> (sound) != nullptr;
}

// Only the pitch and the velocity change: the envelopes, delay lines, filter state and phases go
// on from where they stood (a voice taken from a sounding note continues its envelope).
void ZarnVoice::startNote (int midiNoteNumber, float velocity, juce::SynthesiserSound*, int)
{
    // A full-velocity note enters the chain at 0.35: with three oscillators and their second
    // phases at full level the ladder's input stays within 1.25 (see chain).
    velocityGain = velocity * 0.35;

    // The engine's tuning: note 81 sounds at 440 Hz (note 69, the A that MIDI puts at 440 Hz, at
    // 220 Hz), one table cycle being one period.
    const double b = Oscillator::incrementFor (std::pow (2.0, (midiNoteNumber - 81) / 12.0) * 440.0, getSampleRate());

    for (auto& o : osc)
    {
        o.baseInc = b;
        o.setIncrements (b);
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

    // The filter switch (the standalone program's) silences the voice: with the filter off a held
    // note adds nothing and stands still, to go on where it stood when the filter is back on; a
    // released one runs on silently (renderReleasedSilently).
    if (! filterOn)
    {
        if (releasing)
            renderReleasedSilently (numSamples);

        return;
    }

    float* left = outputBuffer.getWritePointer (0, startSample);
    float* right = outputBuffer.getWritePointer (1, startSample);
    const Stretch stretch = planStretch (numSamples);

    for (int i = 0; i < stretch.chain; ++i)
    {
        if (releasing)
            rampSample (left, right, i);
        else
            heldSample (left, right, i);
    }

    for (int i = stretch.chain; i < stretch.rendered; ++i)
        outputStep (0.0f, 0.0, left, right, i);

    finishStretch (stretch, numSamples);
}

// A held note runs its chain on every sample. A released one runs it until the amplitude ramp's
// counter falls below 0; after that (the tail) only the delay lines sound, until the counter is
// below -5 delay lengths and the note ends. The counter falls by one each sample either way.
ZarnVoice::Stretch ZarnVoice::planStretch (int numSamples) const noexcept
{
    Stretch stretch;

    if (! releasing)
    {
        stretch.chain = stretch.rendered = numSamples;
        return stretch;
    }

    const float endOfTail = -5.0f * static_cast<float> (delayL.length);
    float counter = ampEnv.releaseCounter;
    bool tail = tailOnly;

    for (int i = 0; i < numSamples; ++i)
    {
        if (! tail)
            stretch.chain = i + 1;

        counter -= 1.0f;

        if (counter < 0.0f && ! tail)
            tail = stretch.tailBegins = true;

        if (counter < endOfTail)
        {
            stretch.rendered = i + 1;
            stretch.noteEnds = true;
            return stretch;
        }
    }

    stretch.rendered = numSamples;
    return stretch;
}

void ZarnVoice::finishStretch (const Stretch& stretch, int numSamples) noexcept
{
    for (int i = stretch.chain; i < stretch.rendered; ++i)
        ampEnv.releaseCounter -= 1.0f;

    if (stretch.tailBegins)
        tailOnly = true;

    if (stretch.noteEnds)
        endNote();

    recoverNonFiniteStages (numSamples);
}

// Both deliverables hand the voices every setting limited to its control's range, where the gain
// staging (see chain) keeps each stage finite. The voice's fields and setters take any value,
// though, and one far outside those ranges (a huge gain, an infinite cutoff, a NaN level) can drive
// the ladder, the equaliser or a delay line past the float range. Such a stage would stay
// non-finite for good, since every later sample is computed from its state, and the voice would
// be lost until the instrument is reloaded. So at the end of every rendered stretch each stage
// whose state is no longer finite is put back to silence there and then: a held note or an echo
// tail sounds again from the first stretch after the settings are sane, without waiting for a new
// note that the synthesiser may not give this voice for a long time. The check reads the ladder's
// and the bands' few state values and the ring entries written during the stretch, so it costs
// little, and with finite state it changes nothing.
void ZarnVoice::recoverNonFiniteStages (int numSamples) noexcept
{
    if (! filter.stateIsFinite())
        filter.clearState();

    bool bandsFinite = true;

    for (const auto& band : eq)
        bandsFinite = bandsFinite && band.stateIsFinite();

    if (! bandsFinite)
        for (auto& band : eq)
            band.clearState();

    for (auto* line : { &delayL, &delayR })
        if (! line->lastWritesAreFinite (numSamples))
            line->clear();
}

inline void ZarnVoice::heldSample (float* left, float* right, int i) noexcept
{
    lfoStep();
    pitchStep();
    cutoffStep (filterEnv.tick());
    const double s = mix();
    const double y = chain (s, ampEnv.tick());
    outputStep (static_cast<float> (y), y, left, right, i);
}

inline void ZarnVoice::rampSample (float* left, float* right, int i) noexcept
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

// A released note with its filter off: the oscillators and the amplitude envelope tick, nothing is
// added. It ends only when its release counter has reached -900, which happens only when the filter
// was switched off during the echo tail after the counter had passed -900 (900 samples, about 20 ms,
// into the tail); otherwise the voice keeps its note until the synthesiser takes it for another.
// That end leaves the echo lines, the filter envelope and the LFO as they are.
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
        lastPitchFactor = std::pow (Oscillator::centFactor, product * 1200.0);
    }

    const double m = lastPitchFactor;

    for (auto& o : osc)
        o.setIncrements (o.baseInc * m);
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

// Gain staging. With every setting inside its control's range (as both deliverables hand them over),
// each stage is bounded by what feeds it, so no combination of range ends drives a sample out of
// the float range:
// - mix: table values within +-1.0001 (white noise's extreme), three levels of at most 1 and three
//   second phases at 0.19: |s| <= 3.571;
// - ladder input: amplitude envelope at most 1 (sustain 0 to 1; the ramps run between 0 and the
//   level reached), velocity gain at most 0.35, volume at most 1: |input| <= 1.25;
// - ladder: the cutoff is at most 5000 Hz x (1 + depth 1 x envelope 1) = 10 kHz, so p stays within
//   0 to 0.652, k within -1 to 0.304 and r below 3.97 (resonance 1, cutoff 0); the clipper
//   y - y^3/6 keeps the output within +-2*sqrt(2)/3 = 0.943 while the unclipped value stays within
//   +-2*sqrt(2), which a search over the control ranges never found exceeded (peak 0.943);
// - equaliser: gains within +-8 dB give finite, stable coefficients (a band that can't stand at the
//   playback rate, at or above its half, passes its input instead); eight bands at +8 dB have an impulse
//   response whose magnitudes sum to 7.18 at 44.1 kHz (7.64 at 96 kHz), so |y| <= 6.8 (DC gain
//   2.51, the low shelf's);
// - delay lines: the right line has no feedback; the echo's feedback is at most 1, so each pass
//   round the 13230-sample ring adds at most one input: with feedback 1 the echo of a held note
//   grows linearly with the time held (at most 6.8 per voice each 0.3 s; 2.37 with a DC timbre
//   such as pulse width 0, the worst found), finite for any length of session;
// - output: a voice adds |y| + |echo| x level (at most 1) to the left and |echo| x level + 1.29 |x|
//   to the right; 32 voices add. Measured with every range end at its loudest (32 notes held at
//   velocity 1, three squares of pulse width 0 at level 1 with their second phases, cutoff 5000 Hz,
//   resonance 1, depth 1, every sustain and the volume at 1, eight bands at +8 dB, echo level 1):
//   a peak of 97.5 with feedback 0; with feedback 1, 173 after 1 s, 1311 after 10 s, 7609 after
//   60 s.
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
    right[i] = static_cast<float> (static_cast<double> (right[i]) + (dL * delayLevel + dR * VoiceLanes::rightLineGain));
}

void ZarnVoice::endNote()
{
    tailOnly = releasing = active = false;

    ampEnv.rewind();
    filterEnv.rewind();
    delayR.clear();
    delayL.clear();
    lfo.phase = 0.0;

    for (auto& o : osc)
        o.resetPhases();

    clearCurrentNote();
}

void ZarnVoice::endNoteWithoutFilter()
{
    active = false;
    ampEnv.rewind();

    for (auto& o : osc)
        o.resetPhases();

    clearCurrentNote();
}
