#pragma once

#include "engine/Biquad.h"
#include "engine/Delay.h"
#include "engine/Envelope.h"
#include "engine/Level.h"
#include "engine/MoogFilter.h"
#include "engine/Oscillator.h"
#include "engine/VoiceLanes.h"

#include <juce_audio_basics/juce_audio_basics.h>

// One voice: three wavetable oscillators with a pitch LFO, a ladder filter swept by its own
// envelope, an amplitude envelope, an eight-band equaliser and two delay lines (the right
// channel's 15 ms line and the echo). Settings are written into its fields by ZarnSynthesiser.
//
// renderNextBlock renders the voice on its own, one sample after the other. ZarnSynthesiser renders
// its voices side by side in SIMD lanes instead (see ZarnSynthesiser::renderVoices), with the same
// operations in the same order, so both give the same samples; the voice's hot fields then live in
// the synthesiser's VoiceLanes (see LaneRef).
class ZarnVoice : public juce::SynthesiserVoice
{
public:
    static constexpr int numBands = VoiceLanes::numBands;

    ZarnVoice();
    ~ZarnVoice() override;

    bool canPlaySound (juce::SynthesiserSound* sound) override;
    void startNote (int midiNoteNumber, float velocity, juce::SynthesiserSound* sound, int currentPitchWheelPosition) override;
    void stopNote (float velocity, bool allowTailOff) override;
    void pitchWheelMoved (int newPitchWheelValue) override;
    void controllerMoved (int controllerNumber, int newControllerValue) override;
    void renderNextBlock (juce::AudioBuffer<float>& outputBuffer, int startSample, int numSamples) override;
    using juce::SynthesiserVoice::renderNextBlock;

    void setEqGain (int band, float gainDb);

    // From now on the voice's hot fields live in `lanes` at `lane`.
    void moveTo (VoiceLanes& lanes, int lane) noexcept;

    // How a stretch of samples divides for a voice that renders with its filter on: the first
    // `chain` samples run the whole chain, up to `rendered` only the delay lines sound (the echo
    // tail), and the note ends after them when `noteEnds`.
    struct Stretch
    {
        int chain = 0;
        int rendered = 0;
        bool tailBegins = false;
        bool noteEnds = false;
    };

    // Whether a stretch of this voice runs its chain and delay lines (a sounding note with its
    // filter on), as planned by planStretch and closed by finishStretch.
    bool rendersChain() const noexcept { return active && filterOn; }
    Stretch planStretch (int numSamples) const noexcept;
    // After the stretch's samples: the tail's count, the flags, the end of the note, and any stage
    // whose state is no longer finite put back to silence.
    void finishStretch (const Stretch& stretch, int numSamples) noexcept;

    Oscillator osc[3];
    Oscillator lfo;
    MoogFilter filter;
    Delay delayR;
    Biquad eq[numBands];
    Delay delayL;
    Envelope ampEnv;
    Envelope filterEnv;
    LaneRef<double> delayLevel { 0.0 };
    Level oscLevel[3];
    Level doubleLevel[3];
    bool active = false;
    bool releasing = false;
    bool tailOnly = false;
    bool filterOn = true;
    bool eqOn = false;
    LaneRef<double> velocityGain { 0.0 };
    LaneRef<double> volume { 0.5 };
    LaneRef<double> filterEnvAmount { 0.95 };
    LaneRef<double> lfoDepth { 0.0 };

private:
    void heldSample (float* left, float* right, int i) noexcept;
    void rampSample (float* left, float* right, int i) noexcept;
    void renderReleasedSilently (int numSamples);

    void lfoStep() noexcept;
    void pitchStep() noexcept;
    void cutoffStep (double envelopeValue) noexcept;
    double mix() noexcept;
    double chain (double s, double gain) noexcept;
    void outputStep (float x, double y, float* left, float* right, int i) noexcept;

    void endNote();
    void endNoteWithoutFilter();
    void recoverNonFiniteStages (int numSamples) noexcept;

    // The LFO's pitch factor for the last LFO product, so that the power is taken only when
    // the product changes.
    LaneRef<double> lastLfoProduct { 0.0 };
    LaneRef<double> lastPitchFactor { 1.0 };
};
