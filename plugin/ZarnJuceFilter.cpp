#include "plugin/ZarnJuceFilter.h"

#include "engine/ZarnSound.h"

#include <cmath>
#include <limits>
#include <new>

namespace
{
// The rows whose values are kept truncated toward zero: switches, waves, semitones and cents.
bool isWhole (int index) noexcept
{
    if (index < 21)
    {
        const int row = index % 7;
        return row == 0 || row == 1 || row == 3 || row == 4 || row == 6;
    }

    return index == 36 || index == 37 || index == 40;
}

// A whole stored value as an int; values beyond the int range saturate instead of overflowing.
int toInt (float whole) noexcept
{
    constexpr float limit = 2147483520.0f; // the largest float below 2^31

    if (whole >= limit)
        return std::numeric_limits<int>::max();

    if (whole <= -limit)
        return std::numeric_limits<int>::min();

    return static_cast<int> (whole);
}

// The engine turns semitones and cents into a ratio one step at a time. Beyond these magnitudes
// the ratio is already infinite or zero, so limiting the count there changes no result but keeps
// a huge value from running billions of steps while the audio thread waits.
constexpr int maxSemitoneSteps = 16384;
constexpr int maxCentSteps = 1400000;

double limited (float value, double low, double high) noexcept
{
    return juce::jlimit (low, high, static_cast<double> (value));
}

constexpr double switchedLevel = 1.0;
constexpr double switchedDoubleLevel = 0.19;
constexpr double switchedLfoDepth = 0.32;
constexpr double switchedLfoEntries = 8192.0; // 2 Hz on the 4096-entry table
constexpr double maxCutoff = 5000.0;
constexpr double initialSampleRate = 44100.0;
} // namespace

ZarnJuceFilter::ZarnJuceFilter()
    : juce::AudioProcessor (BusesProperties().withOutput ("Output", juce::AudioChannelSet::stereo(), true))
{
    synth.addSound (ZarnSound::forAllNotes());

    for (int i = 0; i < ZarnSynthesiser::numVoices; ++i)
    {
        synth.addVoice (new ZarnVoice());
        voices[i] = synth.getZarnVoice (i);
    }

    // The framework's synthesiser hands its own rate, 0 until the first prepareToPlay, to every
    // voice it is given; settings made before then (the LFO's increments, the equaliser's
    // coefficients) would divide by it. The voices keep a voice's own initial rate instead.
    synth.setCurrentPlaybackSampleRate (initialSampleRate);

    for (auto& p : params)
        p.store (0.0f, std::memory_order_relaxed);
}

ZarnJuceFilter::~ZarnJuceFilter() = default;

const juce::String ZarnJuceFilter::getName() const
{
    return "zarN the Synthesizer";
}

void ZarnJuceFilter::prepareToPlay (double sampleRate, int)
{
    keyboardState.reset();
    synth.setCurrentPlaybackSampleRate (sampleRate);
}

void ZarnJuceFilter::releaseResources() {}

void ZarnJuceFilter::processBlock (juce::AudioBuffer<float>& buffer, juce::MidiBuffer& midiMessages)
{
    const int n = buffer.getNumSamples();
    const int channels = buffer.getNumChannels();

    for (int ch = 0; ch < juce::jmin (2, channels); ++ch)
        buffer.clear (ch, 0, n);

    keyboardState.processNextMidiBuffer (midiMessages, 0, n, true);

    // The voices write two channels; a narrower buffer stays silent rather than overrun.
    if (channels >= 2)
        synth.renderNextBlock (buffer, midiMessages, 0, n);
}

JUCE_BEGIN_IGNORE_WARNINGS_GCC_LIKE ("-Wdeprecated-declarations")

const juce::String ZarnJuceFilter::getInputChannelName (int channelIndex) const
{
    return juce::String (channelIndex + 1);
}

const juce::String ZarnJuceFilter::getOutputChannelName (int channelIndex) const
{
    return juce::String (channelIndex + 1);
}

bool ZarnJuceFilter::isInputChannelStereoPair (int) const { return false; }
bool ZarnJuceFilter::isOutputChannelStereoPair (int) const { return true; }

int ZarnJuceFilter::getNumParameters() { return numParams; }

const juce::String ZarnJuceFilter::getParameterName (int) { return {}; }

float ZarnJuceFilter::getParameter (int parameterIndex)
{
    if (static_cast<unsigned> (parameterIndex) < static_cast<unsigned> (numParams))
        return params[parameterIndex].load (std::memory_order_relaxed);

    return 0.0f;
}

const juce::String ZarnJuceFilter::getParameterText (int) { return {}; }

void ZarnJuceFilter::setParameter (int parameterIndex, float newValue)
{
    // A NaN or an infinity would stay in a voice's filter and delay state for good: such a
    // value is neither stored nor applied.
    if (static_cast<unsigned> (parameterIndex) < static_cast<unsigned> (numParams) && std::isfinite (newValue))
    {
        const float stored = isWhole (parameterIndex) ? std::trunc (newValue) : newValue;
        params[parameterIndex].store (stored, std::memory_order_relaxed);
        apply (parameterIndex, stored);
    }

    sendChangeMessage();
}

bool ZarnJuceFilter::isParameterAutomatable (int) const { return true; }
bool ZarnJuceFilter::isMetaParameter (int) const { return false; }

JUCE_END_IGNORE_WARNINGS_GCC_LIKE

bool ZarnJuceFilter::isOn (int index) const noexcept
{
    return params[index].load (std::memory_order_relaxed) != 0.0f;
}

void ZarnJuceFilter::apply (int index, float value)
{
    const bool on = value != 0.0f;

    if (index < 21)
    {
        const int o = index / 7;

        switch (index % 7)
        {
            case 0:
                synth.setOscLevels (o, on ? switchedLevel : 0.0, on ? switchedDoubleLevel : 0.0);
                break;
            case 1: synth.setOscWave (o, toInt (value)); break;
            case 2:
                if (isOn (7 * o))
                    synth.setOscLevel (o, value);
                break;
            case 3: synth.setOscSemitones (o, juce::jlimit (-maxSemitoneSteps, maxSemitoneSteps, toInt (value))); break;
            case 4: synth.setOscCents (o, juce::jlimit (-maxCentSteps, maxCentSteps, toInt (value))); break;
            case 5: synth.setOscPulseWidth (o, value); break;
            case 6:
                if (! on)
                    synth.setOscDoubleLevel (o, 0.0);
                else if (isOn (7 * o))
                    synth.setOscDoubleLevel (o, switchedDoubleLevel);
                break;
            default: break;
        }

        return;
    }

    switch (index)
    {
        // The filter switch follows what the editor's switch shows: on when the value truncated
        // toward zero is not 0.
        case 21: synth.setFilterOn (std::trunc (value) != 0.0f); break;
        case 22: synth.setFilterAttack (value); break;
        case 23: synth.setFilterDecay (value); break;
        case 24: synth.setFilterSustain (value); break;
        case 25: synth.setFilterRelease (value); break;
        // Beyond their controls' ranges these four make the ladder or the echo grow without
        // bound, so the voices get them limited to those ranges; params keeps the value as sent.
        case 26: synth.setCutoff (limited (value, 0.0, maxCutoff)); break;
        case 27: synth.setResonance (limited (value, 0.0, 1.0)); break;
        case 28: synth.setFilterEnvAmount (limited (value, 0.0, 1.0)); break;
        case 29: synth.setVolume (value); break;
        case 30: synth.setAmpAttack (value); break;
        case 31: synth.setAmpDecay (value); break;
        case 32: synth.setAmpSustain (value); break;
        case 33: synth.setAmpRelease (value); break;
        case 34: synth.setEchoFeedback (limited (value, 0.0, 1.0)); break;
        case 35: synth.setEchoLevel (value); break;
        case 36:
            // Depth and rate form one setting: no block may hear one without the other.
            synth.writeVoices ([on] (ZarnVoice& v) {
                v.lfoDepth = on ? switchedLfoDepth : 0.0;
                v.lfo.inc = on ? switchedLfoEntries / v.getSampleRate() : 0.0;
            });
            break;
        case 37: synth.setLfoWave (toInt (value)); break;
        case 38:
            if (isOn (36))
                synth.setLfoRate (value);
            break;
        case 39:
            if (isOn (36))
                synth.setLfoDepth (value);
            break;
        case 40: synth.setEqOn (on); break;
        default: synth.setEqGain (index - 41, value); break;
    }
}

bool ZarnJuceFilter::acceptsMidi() const { return true; }
bool ZarnJuceFilter::producesMidi() const { return true; }
double ZarnJuceFilter::getTailLengthSeconds() const { return 0.0; }
void ZarnJuceFilter::reset() {}

juce::AudioProcessorEditor* ZarnJuceFilter::createEditor()
{
    // The editor is not part of the library yet: the wrapper then reports none to the host.
    return nullptr;
}

// Must agree with createEditor.
bool ZarnJuceFilter::hasEditor() const { return false; }

int ZarnJuceFilter::getNumPrograms() { return 0; }
int ZarnJuceFilter::getCurrentProgram() { return 0; }
void ZarnJuceFilter::setCurrentProgram (int) {}
const juce::String ZarnJuceFilter::getProgramName (int) { return {}; }
void ZarnJuceFilter::changeProgramName (int, const juce::String&) {}

void ZarnJuceFilter::getStateInformation (juce::MemoryBlock&) {}
void ZarnJuceFilter::setStateInformation (const void*, int) {}

juce::AudioProcessor* createPluginFilter()
{
    return new (std::nothrow) ZarnJuceFilter();
}
