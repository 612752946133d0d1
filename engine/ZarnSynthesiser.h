#pragma once

#include "engine/SettingsGate.h"
#include "engine/ZarnVoice.h"

#include <juce_audio_basics/juce_audio_basics.h>

// The synthesiser that both deliverables own. Beyond the framework's it
// - renders up to each MIDI event's exact sample,
// - steals the voice whose note started longest ago when every voice sounds,
// - releases on all-notes-off only the voices that hold a note,
// - lets the pedals change nothing: a note-off releases its voice at once, and
// - is the one road by which settings reach the voices (see SettingsGate): every setter writes
//   all voices, in the order they were added, as one step that no block sees half done.
class ZarnSynthesiser : public juce::Synthesiser
{
public:
    static constexpr int numVoices = 32;

    ZarnSynthesiser();

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
    void setLfoRate (double hz); // in table entries per sample at each voice's playback rate
    void setLfoIncrement (double inc);
    void setLfoDepth (double octaves);

    void setEqOn (bool on);
    void setEqGain (int band, float gainDb);

    int getOscWave (int o);
    int getLfoWave();

protected:
    juce::SynthesiserVoice* findVoiceToSteal (juce::SynthesiserSound* soundToPlay, int midiChannel,
                                              int midiNoteNumber) const override;

private:
    SettingsGate gate;
};
