#pragma once

#include "engine/Biquad.h"
#include "engine/Delay.h"
#include "engine/Envelope.h"
#include "engine/Level.h"
#include "engine/MoogFilter.h"
#include "engine/Oscillator.h"

#include <juce_audio_basics/juce_audio_basics.h>

// One voice: three wavetable oscillators with a pitch LFO, a ladder filter swept by its own
// envelope, an amplitude envelope, an eight-band equaliser and two delay lines (the right
// channel's 15 ms line and the echo). Settings are written into its fields by ZarnSynthesiser.
class ZarnVoice : public juce::SynthesiserVoice
{
public:
    static constexpr int numBands = 8;
    static constexpr double doubleRatio = 1.014545335; // 25 cents

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

    Oscillator osc[3];
    Oscillator lfo;
    MoogFilter filter;
    Delay delayR;
    Biquad eq[numBands];
    Delay delayL;
    Envelope ampEnv;
    Envelope filterEnv;
    double delayLevel = 0.0;
    Level oscLevel[3];
    Level doubleLevel[3];
    bool active = false;
    bool releasing = false;
    bool tailOnly = false;
    bool filterOn = true;
    bool eqOn = false;
    double velocityGain = 0.0;
    double volume = 0.5;
    double filterEnvAmount = 0.95;
    double lfoDepth = 0.0;

private:
    void renderHeld (float* left, float* right, int numSamples);
    void renderReleased (float* left, float* right, int numSamples);
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
    double lastLfoProduct = 0.0;
    double lastPitchFactor = 1.0;
};
