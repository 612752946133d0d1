#include "timbre/SettingWriter.h"

#include "timbre/SettingsTable.h"

void SettingWriter::write (ZarnSynthesiser& synth, int index, double value)
{
    using S = SettingsTable;
    const auto bounded = S::forVoices (index, value);

    if (! bounded)
        return;

    value = *bounded;
    const auto& row = S::rows[index];
    const int part = row.part;

    switch (row.what)
    {
        case S::oscWave:       synth.setOscWave (part, static_cast<int> (value)); break;
        case S::oscLevel:      synth.setOscLevel (part, value); break;
        case S::oscSemitones:  synth.setOscSemitones (part, static_cast<int> (value)); break;
        case S::oscCents:      synth.setOscCents (part, static_cast<int> (value)); break;
        case S::oscPulseWidth: synth.setOscPulseWidth (part, value); break;
        case S::filterSwitch:  synth.setFilterOn (value != 0.0); break;
        case S::filterAttack:  synth.setFilterAttack (value); break;
        case S::filterDecay:   synth.setFilterDecay (value); break;
        case S::filterSustain: synth.setFilterSustain (value); break;
        case S::filterRelease: synth.setFilterRelease (value); break;
        case S::cutoff:        synth.setCutoff (value); break;
        case S::resonance:     synth.setResonance (value); break;
        case S::filterDepth:   synth.setFilterEnvAmount (value); break;
        case S::gain:          synth.setVolume (value); break;
        case S::ampAttack:     synth.setAmpAttack (value); break;
        case S::ampDecay:      synth.setAmpDecay (value); break;
        case S::ampSustain:    synth.setAmpSustain (value); break;
        case S::ampRelease:    synth.setAmpRelease (value); break;
        case S::echoFeedback:  synth.setEchoFeedback (value); break;
        case S::echoLevel:     synth.setEchoLevel (value); break;
        case S::lfoWave:       synth.setLfoWave (static_cast<int> (value)); break;
        case S::lfoRate:       synth.setLfoRate (value); break;
        case S::lfoDepth:      synth.setLfoDepth (value); break;
        case S::eqSwitch:      synth.setEqOn (value != 0.0); break;
        case S::eqGain:        synth.setEqGain (part, static_cast<float> (value)); break;
        case S::oscSwitch:
        case S::oscDouble:
        case S::lfoSwitch:
        case S::nothing:
            break;
    }
}
