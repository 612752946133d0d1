#pragma once

#include "engine/LaneKernel.h"
#include "engine/SettingsGate.h"
#include "engine/ZarnVoice.h"

#include <juce_audio_basics/juce_audio_basics.h>

#include <memory>

// The synthesiser that both deliverables own. Beyond the framework's it
// - renders up to each MIDI event's exact sample,
// - steals the voice whose note started longest ago when every voice sounds,
// - releases on all-notes-off only the voices that hold a note,
// - lets the pedals change nothing: a note-off releases its voice at once,
// - is the one road by which settings reach the voices (see SettingsGate): every setter writes
//   all voices, in the order they were added, as one step that no block sees half done,
// - renders its voices side by side in SIMD lanes (see LaneKernel), giving the samples of each
//   voice rendered on its own, bit for bit, and
// - lets voices whose wavetables hold the same values read one copy.
class ZarnSynthesiser : public juce::Synthesiser
{
public:
    static constexpr int numVoices = 32;
    // The playback rate until the audio device or the host gives theirs.
    static constexpr double initialSampleRate = 44100.0;

    // How the voices are rendered: each on its own (ZarnVoice::renderNextBlock), or in lanes.
    enum class Rendering
    {
        perVoice,
        sse2,
        avx2
    };

    // The instrument that both deliverables play, the benchmark measures and the tests render: one
    // sound for every note and numVoices ZarnVoices (in lanes), at initialSampleRate.
    ZarnSynthesiser();
    ~ZarnSynthesiser() override;

    // Hides the framework's: the first numVoices voices, when they are ZarnVoices, keep their hot
    // state in this synthesiser's lanes, in the order they are added (the constructor adds them so).
    juce::SynthesiserVoice* addVoice (juce::SynthesiserVoice* newVoice);

    // Whether this build and processor can render so; perVoice and sse2 always can.
    static bool canRender (Rendering rendering);
    // The rendering from the next block on; a synthesiser starts with the fastest one there is.
    // A kernel call takes up to LaneKernel::maxGroups groups of lanes side by side (16 voices with
    // SSE2, 32 with AVX2); where at most one of its voices has a chain to run, its voices render
    // each on its own, which is faster.
    void setRendering (Rendering rendering);

    void renderNextBlock (juce::AudioBuffer<float>& outputAudio, const juce::MidiBuffer& inputMidi,
                          int startSample, int numSamples);
    void setCurrentPlaybackSampleRate (double newRate) override;
    void allNotesOff (int midiChannel, bool allowTailOff) override;
    void handleSustainPedal (int midiChannel, bool isDown) override;
    void handleSostenutoPedal (int midiChannel, bool isDown) override;

    ZarnVoice* getZarnVoice (int index) const;

    // One setting, written into every voice.
    template <typename Write>
    void writeVoices (Write&& write)
    {
        const SettingsGate::ControlScope scope (gate);

        for (auto* voice : voices)
            write (static_cast<ZarnVoice&> (*voice));
    }

    // Reads from one voice, consistent with the writes of other control threads.
    template <typename Read>
    auto readVoice (int index, Read&& read)
    {
        const SettingsGate::ControlScope scope (gate);
        return read (static_cast<ZarnVoice&> (*voices.getUnchecked (index)));
    }

    void setOscWave (int o, int wave);
    void setOscLevel (int o, double level);
    void setOscDoubleLevel (int o, double level);
    void setOscLevels (int o, double level, double doubleLevel);
    void setOscSemitones (int o, int semitones);
    void setOscCents (int o, int cents);
    void setOscPulseWidth (int o, double pulseWidth);

    void setCutoff (double hz);
    void setResonance (double resonance);
    void setFilterAttack (double ms);
    void setFilterDecay (double ms);
    void setFilterSustain (double level);
    void setFilterRelease (double ms);
    void setFilterEnvAmount (double amount);
    void setFilterOn (bool on);

    void setAmpAttack (double ms);
    void setAmpDecay (double ms);
    void setAmpSustain (double level);
    void setAmpRelease (double ms);
    void setVolume (double gain);

    void setEchoFeedback (double feedback);
    void setEchoLevel (double level);

    void setLfoWave (int wave);
    // The LFO's rate in hertz, as each voice's increment at its own playback rate.
    void setLfoRate (double hz);
    // The LFO's increment itself, in table entries per sample, the same in every voice.
    void setLfoIncrement (double inc);
    void setLfoDepth (double octaves);

    void setEqOn (bool on);
    void setEqGain (int band, float gainDb);

    int getOscWave (int o);
    int getLfoWave();

protected:
    juce::SynthesiserVoice* findVoiceToSteal (juce::SynthesiserSound* soundToPlay, int midiChannel,
                                              int midiNoteNumber) const override;
    void renderVoices (juce::AudioBuffer<float>& buffer, int startSample, int numSamples) override;

private:
    const LaneKernel* kernel() const noexcept;
    void renderLanes (const LaneKernel& k, int first, int count, juce::AudioBuffer<float>& buffer,
                      int startSample, int numSamples);
    template <typename Taker>
    void handOutTable (const Oscillator::SharedTable& table, Taker&& taker);

    SettingsGate gate;
    Rendering rendering;
    std::unique_ptr<VoiceLanes> lanes;
    ZarnVoice* laneVoices[numVoices] = {};
    int numLaneVoices = 0;
    std::unique_ptr<LaneKernel::PowCache> powCache;
    struct Scratch;
    std::unique_ptr<Scratch> scratch;
};
