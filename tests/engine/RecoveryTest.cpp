#include "SynthRig.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

namespace
{
// Every stage at work, so that a hostile value can reach state that outlasts it.
void everyStageWorking (ZarnSynthesiser& synth)
{
    synth.setCutoff (2000.0);
    synth.setResonance (0.5);
    synth.setEqOn (true);

    for (int band = 0; band < ZarnVoice::numBands; ++band)
        synth.setEqGain (band, 3.0f);

    synth.setEchoLevel (0.5);
    synth.setEchoFeedback (0.5);
}

bool allFinite (const std::vector<float>& s, size_t from)
{
    for (size_t i = from; i < s.size(); ++i)
        if (! std::isfinite (s[i]))
            return false;

    return true;
}
} // namespace

// One value far outside its control's range while two notes are held, then the sane value again:
// from the first block after that the voices sound again, finite and audible.
TEST (EngineRecovery, VoicesSoundAgainOnceTheSettingsAreSane)
{
    constexpr double inf = std::numeric_limits<double>::infinity();
    constexpr double nan = std::numeric_limits<double>::quiet_NaN();

    struct Case
    {
        const char* what;
        std::function<void (ZarnSynthesiser&)> hostile, sane;
    };

    const Case cases[] = {
        { "volume 1e30", [] (auto& s) { s.setVolume (1e30); }, [] (auto& s) { s.setVolume (0.5); } },
        { "oscillator level NaN", [] (auto& s) { s.setOscLevel (0, nan); }, [] (auto& s) { s.setOscLevel (0, 0.42); } },
        { "amplitude sustain 1e30", [] (auto& s) { s.setAmpSustain (1e30); }, [] (auto& s) { s.setAmpSustain (0.89); } },
        { "cutoff +inf", [] (auto& s) { s.setCutoff (inf); }, [] (auto& s) { s.setCutoff (2000.0); } },
        { "cutoff -1e30", [] (auto& s) { s.setCutoff (-1e30); }, [] (auto& s) { s.setCutoff (2000.0); } },
        { "resonance 1e30", [] (auto& s) { s.setResonance (1e30); }, [] (auto& s) { s.setResonance (0.5); } },
        { "filter envelope depth 1e30", [] (auto& s) { s.setFilterEnvAmount (1e30); }, [] (auto& s) { s.setFilterEnvAmount (0.95); } },
        { "equaliser gain 1e6 dB", [] (auto& s) { s.setEqGain (2, 1e6f); }, [] (auto& s) { s.setEqGain (2, 3.0f); } },
        { "echo feedback +inf", [] (auto& s) { s.setEchoFeedback (inf); }, [] (auto& s) { s.setEchoFeedback (0.5); } },
        { "echo feedback NaN", [] (auto& s) { s.setEchoFeedback (nan); }, [] (auto& s) { s.setEchoFeedback (0.5); } },
    };

    for (const auto& c : cases)
    {
        SynthRig rig;
        everyStageWorking (rig.synth);
        rig.noteOn (60);
        rig.noteOn (67);
        rig.play (8820);

        c.hostile (rig.synth);
        rig.play (22050);

        c.sane (rig.synth);
        const size_t from = rig.left.size();
        rig.play (22050);

        EXPECT_TRUE (allFinite (rig.left, from) && allFinite (rig.right, from)) << c.what;
        EXPECT_GT (peak (rig.left, from + 11025, rig.left.size()), 0.01f) << c.what;
        EXPECT_GT (peak (rig.right, from + 11025, rig.right.size()), 0.01f) << c.what;
    }
}
