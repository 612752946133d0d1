#include "engine/ZarnSynthesiser.h"

#include "engine/ZarnSound.h"

#include <algorithm>
#include <vector>

// The working space of the lane groups of one kernel call.
struct ZarnSynthesiser::Scratch
{
    alignas (64) unsigned char stages[LaneKernel::maxGroups][LaneKernel::scratchBytes];
    alignas (64) float y[LaneKernel::maxGroups][LaneKernel::maxWidth * LaneKernel::chunk];
};

ZarnSynthesiser::ZarnSynthesiser()
    : rendering (canRender (Rendering::avx2) ? Rendering::avx2 : Rendering::sse2),
      lanes (std::make_unique<VoiceLanes>()),
      powCache (std::make_unique<LaneKernel::PowCache>()),
      scratch (std::make_unique<Scratch>())
{
    setMinimumRenderingSubdivisionSize (1, true);
    addSound (ZarnSound::forAllNotes());

    for (int i = 0; i < numVoices; ++i)
        addVoice (new ZarnVoice());

    // The framework's synthesiser hands its own rate, 0 until one is set, to every voice it is
    // given; settings made before the device's or the host's rate arrives (the LFO's increments,
    // the equaliser's coefficients) would divide by it.
    setCurrentPlaybackSampleRate (initialSampleRate);
}

ZarnSynthesiser::~ZarnSynthesiser() = default;

juce::SynthesiserVoice* ZarnSynthesiser::addVoice (juce::SynthesiserVoice* newVoice)
{
    const SettingsGate::ControlScope scope (gate);

    if (auto* voice = dynamic_cast<ZarnVoice*> (newVoice))
    {
        // Where a table holds the same values as the voice's before, the new voice reads that copy.
        auto share = [] (const Oscillator& theirs, Oscillator& mine) {
            if (std::equal (theirs.table, theirs.table + Oscillator::tableSize, mine.table))
                mine.exchangeTable (theirs.sharedTable());
        };

        if (auto* before = getNumVoices() > 0 ? dynamic_cast<ZarnVoice*> (voices.getLast()) : nullptr)
        {
            for (int o = 0; o < 3; ++o)
                share (before->osc[o], voice->osc[o]);

            share (before->lfo, voice->lfo);
        }

        if (numLaneVoices == getNumVoices() && numLaneVoices < numVoices)
        {
            voice->moveTo (*lanes, numLaneVoices);
            laneVoices[numLaneVoices++] = voice;
        }
    }

    return juce::Synthesiser::addVoice (newVoice);
}

bool ZarnSynthesiser::canRender (Rendering r)
{
    return r != Rendering::avx2 || LaneKernel::avx2() != nullptr;
}

void ZarnSynthesiser::setRendering (Rendering r)
{
    if (! canRender (r))
        return;

    const SettingsGate::ControlScope scope (gate);
    rendering = r;
}

const LaneKernel* ZarnSynthesiser::kernel() const noexcept
{
    switch (rendering)
    {
        case Rendering::sse2: return &LaneKernel::sse2();
        case Rendering::avx2: return LaneKernel::avx2();
        case Rendering::perVoice: break;
    }

    return nullptr;
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

// The voices in lanes are rendered group by group, the lanes of a group side by side; the others
// after them, each on its own. Every voice adds into the output in the order of the voices.
void ZarnSynthesiser::renderVoices (juce::AudioBuffer<float>& buffer, int startSample, int numSamples)
{
    const auto* k = kernel();
    int inLanes = k != nullptr && voices.size() >= numLaneVoices ? numLaneVoices : 0;

    for (int i = 0; i < inLanes; ++i)
        if (voices.getUnchecked (i) != laneVoices[i])
            inLanes = 0; // a voice was removed: every voice renders on its own

    if (inLanes > 0)
    {
        const int batch = LaneKernel::maxGroups * k->width;

        for (int first = 0; first < inLanes; first += batch)
            renderLanes (*k, first, std::min (batch, inLanes - first), buffer, startSample, numSamples);
    }

    for (int i = inLanes; i < voices.size(); ++i)
        voices.getUnchecked (i)->renderNextBlock (buffer, startSample, numSamples);
}

// Up to LaneKernel::maxGroups lane groups, the voices first ... first + count - 1. Each voice plans
// its stretch as it would on its own (ZarnVoice::planStretch). The chain runs for the lanes that
// need it, split where a lane's chain stops (its echo tail begins), the groups side by side where
// they all run whole pieces; then, in voice order, each voice's delay lines and sums. The stretch
// goes in pieces of LaneKernel::chunk samples.
void ZarnSynthesiser::renderLanes (const LaneKernel& k, int first, int count, juce::AudioBuffer<float>& buffer,
                                   int startSample, int numSamples)
{
    constexpr int batchLanes = LaneKernel::maxGroups * LaneKernel::maxWidth;
    // One voice alone is rendered faster on its own than in a group of mostly idle lanes.
    int chains = 0;

    for (int l = 0; l < count; ++l)
        chains += laneVoices[first + l]->rendersChain() ? 1 : 0;

    if (chains <= 1)
    {
        for (int l = 0; l < count; ++l)
            laneVoices[first + l]->renderNextBlock (buffer, startSample, numSamples);

        return;
    }

    const int width = k.width;
    const int numGroups = (count + width - 1) / width;
    ZarnVoice::Stretch stretch[batchLanes];
    bool rendered[batchLanes] = {}, held[batchLanes] = {}, eq[batchLanes] = {};
    LaneKernel::Group groups[LaneKernel::maxGroups];

    for (int g = 0; g < numGroups; ++g)
    {
        groups[g].lanes = lanes.get();
        groups[g].first = first + g * width;
        groups[g].powCache = powCache.get();
        groups[g].scratch = scratch->stages[g];
        groups[g].y = scratch->y[g];
    }

    bool any = false;

    for (int l = 0; l < numGroups * width; ++l)
    {
        // Lanes past the last voice compute what is thrown away, reading the first voice's tables.
        auto& v = *laneVoices[first + (l < count ? l : 0)];
        auto& tables = groups[l / width].tables;
        tables[0][l % width] = v.osc[0].table;
        tables[1][l % width] = v.osc[1].table;
        tables[2][l % width] = v.osc[2].table;
        tables[3][l % width] = v.lfo.table;

        if (l >= count)
            continue;

        if (! v.rendersChain())
        {
            v.renderNextBlock (buffer, startSample, numSamples); // adds nothing
            continue;
        }

        stretch[l] = v.planStretch (numSamples);
        rendered[l] = any = true;
        held[l] = ! v.releasing;
        eq[l] = v.eqOn;
    }

    if (! any)
        return;

    float* left = buffer.getWritePointer (0, startSample);
    float* right = buffer.getWritePointer (1, startSample);

    // Sets the masks of group g for the lanes whose chain runs at sample `from`; gives the sample
    // where the first of them stops, within the piece up to `to`.
    auto setLanes = [&] (int g, int from, int to) {
        auto& group = groups[g];
        group.chain = group.held = group.eq = 0;
        int until = to;

        for (int l = g * width; l < std::min (count, (g + 1) * width); ++l)
        {
            if (rendered[l] && stretch[l].chain > from)
            {
                const unsigned bit = 1u << (l - g * width);
                group.chain |= bit;
                group.held |= held[l] ? bit : 0u;
                group.eq |= eq[l] ? bit : 0u;
                until = std::min (until, stretch[l].chain);
            }
        }

        return until;
    };

    for (int start = 0; start < numSamples; start += LaneKernel::chunk)
    {
        const int n = std::min (LaneKernel::chunk, numSamples - start);

        for (int l = 0; l < count; ++l)
            if (rendered[l])
                std::fill_n (groups[l / width].y + (l % width) * LaneKernel::chunk, n, 0.0f);

        bool whole = true;

        for (int g = 0; g < numGroups; ++g)
            whole = setLanes (g, start, start + n) == start + n && groups[g].chain != 0 && whole;

        if (whole)
        {
            k.runChain (groups, numGroups, 0, n);
        }
        else
        {
            for (int g = 0; g < numGroups; ++g)
            {
                for (int at = start; at < start + n;)
                {
                    const int stop = setLanes (g, at, start + n);

                    if (groups[g].chain == 0)
                        break;

                    k.runChain (groups + g, 1, at - start, stop - at);
                    at = stop;
                }
            }
        }

        for (int l = 0; l < count; ++l)
        {
            const int samples = std::min (n, stretch[l].rendered - start);

            if (! rendered[l] || samples <= 0)
                continue;

            auto& v = *laneVoices[first + l];
            LaneKernel::Line lineL { v.delayL.buffer, v.delayL.pos, v.delayL.length, v.delayL.feedback, 0.0f };
            LaneKernel::Line lineR { v.delayR.buffer, v.delayR.pos, v.delayR.length, v.delayR.feedback, 0.0f };
            k.addOutput (lineL, lineR, v.delayLevel, groups[l / width].y + (l % width) * LaneKernel::chunk, samples,
                         left + start, right + start);
            v.delayL.pos = lineL.pos;
            v.delayL.output = lineL.last;
            v.delayR.pos = lineR.pos;
            v.delayR.output = lineR.last;
        }
    }

    for (int l = 0; l < count; ++l)
        if (rendered[l])
            laneVoices[first + l]->finishStretch (stretch[l], numSamples);
}

// A table is built once, outside the gate, and handed whole to the voices under it, in the one
// write of the setting; the tables they held are released after the gate. Every voice so reads
// one copy, a white noise table too: it is built once for all voices, as the voices that take a
// new wave together within one second share one noise pattern.
template <typename Taker>
void ZarnSynthesiser::handOutTable (const Oscillator::SharedTable& table, Taker&& taker)
{
    std::vector<Oscillator::SharedTable> released;
    released.reserve (static_cast<size_t> (voices.size()));

    writeVoices ([&] (ZarnVoice& v) {
        if (auto* oscillator = taker (v))
            released.push_back (oscillator->exchangeTable (table));
    });
}

void ZarnSynthesiser::setOscWave (int o, int wave)
{
    Oscillator::SharedTable table (new double[Oscillator::tableSize]);
    const bool known = Oscillator::buildTable (wave, table.get());

    handOutTable (table, [&] (ZarnVoice& v) {
        v.osc[o].waveType = wave;
        return known ? &v.osc[o] : nullptr;
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
    Oscillator::SharedTable table (new double[Oscillator::tableSize]);
    Oscillator::buildPulseTable (pulseWidth, table.get());

    handOutTable (table, [&] (ZarnVoice& v) { return v.osc[o].waveType == Square ? &v.osc[o] : nullptr; });
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
    Oscillator::SharedTable table (new double[Oscillator::tableSize]);
    const bool known = Oscillator::buildTable (wave, table.get());

    handOutTable (table, [&] (ZarnVoice& v) {
        v.lfo.waveType = wave;
        return known ? &v.lfo : nullptr;
    });
}

void ZarnSynthesiser::setLfoRate (double hz)
{
    writeVoices ([=] (ZarnVoice& v) { v.lfo.inc = Oscillator::incrementFor (hz, v.getSampleRate()); });
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
