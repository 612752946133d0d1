#pragma once

#include "engine/ZarnSynthesiser.h"

// The timbre of the benchmark's load (b), every stage of the voices at work: three oscillators
// with their second phases, detuned, the LFO, the filter swept with resonance, the equaliser and
// the echo. The lane tests render it too.
inline void setEveryStageWorking (ZarnSynthesiser& synth)
{
    const int waves[] = { Sawtooth, Square, Triangle };

    for (int o = 0; o < 3; ++o)
    {
        synth.setOscWave (o, waves[o]);
        synth.setOscLevels (o, 0.3, 0.19);
    }

    synth.setOscPulseWidth (1, 0.3);
    synth.setOscSemitones (1, 7);
    synth.setOscCents (2, -8);
    synth.setLfoWave (Triangle);
    synth.setLfoRate (5.0);
    synth.setLfoDepth (0.3);
    synth.setCutoff (1200.0);
    synth.setResonance (0.5);
    synth.setFilterAttack (1500.0); // the filter envelope sweeps through the benchmark's runs
    synth.setFilterDecay (3000.0);
    synth.setFilterEnvAmount (0.8);
    synth.setEqOn (true);

    for (int band = 0; band < ZarnVoice::numBands; ++band)
        synth.setEqGain (band, band % 2 == 0 ? 3.0f : -2.5f);

    synth.setEchoFeedback (0.5);
    synth.setEchoLevel (0.4);
    synth.setVolume (0.3);
}
