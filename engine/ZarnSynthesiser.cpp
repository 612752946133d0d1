#include "engine/ZarnSynthesiser.h"

#include <algorithm>
#include <array>

namespace
{
using Table = std::array<double, Oscillator::tableSize>;

void copyTable (const Table& source, Oscillator& oscillator)
{
    std::copy (source.begin(), source.end(), oscillator.table);
}
} // namespace

ZarnSynthesiser::ZarnSynthesiser()
{
    setMinimumRenderingSubdivisionSize (1, true);
}

void ZarnSynthesiser::renderNextBlock (juce::AudioBuffer<float>& outputAudio, const juce::MidiBuffer& inputMidi,
                                       int startSample, int numSamples)
{
    const SettingsGate::AudioScope scope (gate);
    juce::Synthesiser::renderNextBlock (outputAudio, inputMidi, startSample, numSamples);
}

void ZarnSynthesiser::setCurrentPlaybackSampleRate (double newRate)
{
    const SettingsGate::ControlScope scope (gate);
    juce::Synthesiser::setCurrentPlaybackSampleRate (newRate);
}

void ZarnSynthesiser::allNotesOff (int midiChannel, bool allowTailOff)
{
    if (! allowTailOff)
    {
        juce::Synthesiser::allNotesOff (midiChannel, allowTailOff);
        return;
    }

    const juce::ScopedLock sl (lock);

    for (auto* voice : voices)
        if (voice->getCurrentlyPlayingNote() >= 0 && (midiChannel <= 0 || voice->isPlayingChannel (midiChannel)))
            voice->stopNote (1.0f, true);
}

// The framework would hold released notes while these pedals are down; the voices ignore them.
void ZarnSynthesiser::handleSustainPedal (int, bool) {}

void ZarnSynthesiser::handleSostenutoPedal (int, bool) {}

ZarnVoice* ZarnSynthesiser::getZarnVoice (int index) const
{
    return dynamic_cast<ZarnVoice*> (getVoice (index));
}

juce::SynthesiserVoice* ZarnSynthesiser::findVoiceToSteal (juce::SynthesiserSound* soundToPlay, int, int) const
{
    juce::SynthesiserVoice* oldest = nullptr;

    for (auto* voice : voices)
        if (voice->canPlaySound (soundToPlay) && (oldest == nullptr || voice->wasStartedBefore (*oldest)))
            oldest = voice;

    return oldest;
}

void ZarnSynthesiser::setOscWave (int o, int wave)
{
    // The table is built once, outside the gate, and copied into each voice.
    Table table;
    const bool known = Oscillator::buildTable (wave, table.data());

    writeVoices ([&] (ZarnVoice& v) {
        v.osc[o].waveType = wave;

        if (known)
            copyTable (table, v.osc[o]);
    });
}

void ZarnSynthesiser::setOscLevel (int o, double level)
{
    writeVoices ([=] (ZarnVoice& v) { v.oscLevel[o].value = level; });
}

void ZarnSynthesiser::setOscDoubleLevel (int o, double level)
{
    writeVoices ([=] (ZarnVoice& v) { v.doubleLevel[o].value = level; });
}

void ZarnSynthesiser::setOscLevels (int o, double level, double doubleLevel)
{
    writeVoices ([=] (ZarnVoice& v) {
        v.oscLevel[o].value = level;
        v.doubleLevel[o].value = doubleLevel;
    });
}

void ZarnSynthesiser::setOscSemitones (int o, int semitones)
{
    writeVoices ([=] (ZarnVoice& v) { v.osc[o].setSemitones (semitones); });
}

void ZarnSynthesiser::setOscCents (int o, int cents)
{
    writeVoices ([=] (ZarnVoice& v) { v.osc[o].setCents (cents); });
}

void ZarnSynthesiser::setOscPulseWidth (int o, double pulseWidth)
{
    Table table;
    Oscillator::buildPulseTable (pulseWidth, table.data());

    writeVoices ([&] (ZarnVoice& v) {
        if (v.osc[o].waveType == Square)
            copyTable (table, v.osc[o]);
    });
}

void ZarnSynthesiser::setCutoff (double hz)
{
    writeVoices ([=] (ZarnVoice& v) {
        v.filter.cutoff = static_cast<float> (hz);
        v.filter.updateCoefficients();
        v.filter.baseCutoff = hz;
    });
}

void ZarnSynthesiser::setResonance (double resonance)
{
    writeVoices ([=] (ZarnVoice& v) {
        v.filter.resonance = static_cast<float> (resonance);
        v.filter.updateCoefficients();
    });
}

void ZarnSynthesiser::setFilterAttack (double ms)
{
    writeVoices ([=] (ZarnVoice& v) { v.filterEnv.setAttack (ms); });
}

void ZarnSynthesiser::setFilterDecay (double ms)
{
    writeVoices ([=] (ZarnVoice& v) { v.filterEnv.setDecay (ms); });
}

void ZarnSynthesiser::setFilterSustain (double level)
{
    writeVoices ([=] (ZarnVoice& v) { v.filterEnv.sustain = static_cast<float> (level); });
}

void ZarnSynthesiser::setFilterRelease (double ms)
{
    writeVoices ([=] (ZarnVoice& v) { v.filterEnv.setRelease (ms); });
}

void ZarnSynthesiser::setFilterEnvAmount (double amount)
{
    writeVoices ([=] (ZarnVoice& v) { v.filterEnvAmount = amount; });
}

void ZarnSynthesiser::setFilterOn (bool on)
{
    writeVoices ([=] (ZarnVoice& v) { v.filterOn = on; });
}

void ZarnSynthesiser::setAmpAttack (double ms)
{
    writeVoices ([=] (ZarnVoice& v) { v.ampEnv.setAttack (ms); });
}

void ZarnSynthesiser::setAmpDecay (double ms)
{
    writeVoices ([=] (ZarnVoice& v) { v.ampEnv.setDecay (ms); });
}

void ZarnSynthesiser::setAmpSustain (double level)
{
    writeVoices ([=] (ZarnVoice& v) { v.ampEnv.sustain = static_cast<float> (level); });
}

void ZarnSynthesiser::setAmpRelease (double ms)
{
    writeVoices ([=] (ZarnVoice& v) { v.ampEnv.setRelease (ms); });
}

void ZarnSynthesiser::setVolume (double gain)
{
    writeVoices ([=] (ZarnVoice& v) { v.volume = gain; });
}

void ZarnSynthesiser::setEchoFeedback (double feedback)
{
    writeVoices ([=] (ZarnVoice& v) { v.delayL.feedback = static_cast<float> (feedback); });
}

void ZarnSynthesiser::setEchoLevel (double level)
{
    writeVoices ([=] (ZarnVoice& v) { v.delayLevel = level; });
}

void ZarnSynthesiser::setLfoWave (int wave)
{
    Table table;
    const bool known = Oscillator::buildTable (wave, table.data());

    writeVoices ([&] (ZarnVoice& v) {
        v.lfo.waveType = wave;

        if (known)
            copyTable (table, v.lfo);
    });
}

void ZarnSynthesiser::setLfoRate (double hz)
{
    writeVoices ([=] (ZarnVoice& v) { v.lfo.inc = hz * 4096.0 / v.getSampleRate(); });
}

void ZarnSynthesiser::setLfoIncrement (double inc)
{
    writeVoices ([=] (ZarnVoice& v) { v.lfo.inc = inc; });
}

void ZarnSynthesiser::setLfoDepth (double octaves)
{
    writeVoices ([=] (ZarnVoice& v) { v.lfoDepth = octaves; });
}

void ZarnSynthesiser::setEqOn (bool on)
{
    writeVoices ([=] (ZarnVoice& v) { v.eqOn = on; });
}

void ZarnSynthesiser::setEqGain (int band, float gainDb)
{
    writeVoices ([=] (ZarnVoice& v) { v.setEqGain (band, gainDb); });
}

int ZarnSynthesiser::getOscWave (int o)
{
    return readVoice (0, [=] (ZarnVoice& v) { return v.osc[o].waveType; });
}

int ZarnSynthesiser::getLfoWave()
{
    return readVoice (0, [] (ZarnVoice& v) { return v.lfo.waveType; });
}
