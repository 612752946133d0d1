#include "timbre/SettingWriter.h"

#include "timbre/SettingsTable.h"

#include <cmath>
#include <limits>

namespace
{
// A whole value as an int; values beyond the int range saturate instead of overflowing.
int toInt (double value) noexcept
{
    const double whole = std::trunc (value);

    if (whole >= (double) std::numeric_limits<int>::max())
        return std::numeric_limits<int>::max();

    if (whole <= (double) std::numeric_limits<int>::min())
        return std::numeric_limits<int>::min();

    return static_cast<int> (whole);
}

// The engine turns semitones and cents into a ratio one step at a time. Beyond these magnitudes
// the ratio is already infinite or zero, so limiting the count there changes no result but keeps
// a huge value from running billions of steps while the audio thread waits.
constexpr int maxSemitoneSteps = 16384;
constexpr int maxCentSteps = 1400000;
} // namespace

void SettingWriter::write (ZarnSynthesiser& synth, int index, double value)
{
    using S = SettingsTable;
    const auto& row = S::rows[index];
    const int part = row.part;

    if (row.limited)
        value = juce::jlimit (row.minimum, row.maximum, value);

    switch (row.what)
    {
        case S::oscWave:       synth.setOscWave (part, toInt (value)); break;
        case S::oscLevel:      synth.setOscLevel (part, value); break;
        case S::oscSemitones:  synth.setOscSemitones (part, juce::jlimit (-maxSemitoneSteps, maxSemitoneSteps, toInt (value))); break;
        case S::oscCents:      synth.setOscCents (part, juce::jlimit (-maxCentSteps, maxCentSteps, toInt (value))); break;
        case S::oscPulseWidth: synth.setOscPulseWidth (part, value); break;
        // On when the value truncated toward zero is not 0, as the editor's switch shows it.
        case S::filterSwitch:  synth.setFilterOn (std::trunc (value) != 0.0); break;
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
        case S::lfoWave:       synth.setLfoWave (toInt (value)); break;
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
