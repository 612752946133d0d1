#include "plugin/ZarnJuceFilter.h"

#include "plugin/ZarnEditorComponent.h"

#include "timbre/SettingWriter.h"
#include "timbre/SettingsTable.h"

#include <cmath>
#include <new>

namespace
{
using S = SettingsTable;

// What the processor's own switches give the voices, whatever the stored level, rate or depth.
constexpr double switchedLevel = 1.0;
constexpr double switchedDoubleLevel = 0.19;
constexpr double switchedLfoDepth = 0.32;
constexpr double switchedLfoRate = 2.0; // Hz
} // namespace

ZarnJuceFilter::ZarnJuceFilter()
    : juce::AudioProcessor (BusesProperties().withOutput ("Output", juce::AudioChannelSet::stereo(), true))
{
    for (int i = 0; i < ZarnSynthesiser::numVoices; ++i)
        voices[i] = synth.getZarnVoice (i);

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
        const float stored = S::rows[parameterIndex].storedWhole ? std::trunc (newValue) : newValue;
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
    return S::forVoices (index, params[index].load (std::memory_order_relaxed)).value_or (0.0) != 0.0;
}

// The stored value reaches the voices bounded as every setting is (SettingsTable::forVoices).
void ZarnJuceFilter::apply (int index, float stored)
{
    const auto bounded = S::forVoices (index, stored);

    if (! bounded)
        return;

    const double value = *bounded;
    const auto& row = S::rows[index];
    const bool on = value != 0.0;
    const int o = row.part;

    switch (row.what)
    {
        case S::oscSwitch:
            synth.setOscLevels (o, on ? switchedLevel : 0.0, on ? switchedDoubleLevel : 0.0);
            break;
        case S::oscLevel:
            if (isOn (S::indexOf (S::oscSwitch, o)))
                synth.setOscLevel (o, value);
            break;
        case S::oscDouble:
            if (! on)
                synth.setOscDoubleLevel (o, 0.0);
            else if (isOn (S::indexOf (S::oscSwitch, o)))
                synth.setOscDoubleLevel (o, switchedDoubleLevel);
            break;
        case S::lfoSwitch:
            // Depth and rate form one setting: no block may hear one without the other.
            synth.writeVoices ([on] (ZarnVoice& v) {
                v.lfoDepth = on ? switchedLfoDepth : 0.0;
                v.lfo.inc = on ? Oscillator::incrementFor (switchedLfoRate, v.getSampleRate()) : 0.0;
            });
            break;
        case S::lfoRate:
        case S::lfoDepth:
            if (isOn (S::indexOf (S::lfoSwitch)))
                SettingWriter::write (synth, index, value);
            break;
        default:
            SettingWriter::write (synth, index, value);
            break;
    }
}

bool ZarnJuceFilter::acceptsMidi() const { return true; }
bool ZarnJuceFilter::producesMidi() const { return true; }
double ZarnJuceFilter::getTailLengthSeconds() const { return 0.0; }
void ZarnJuceFilter::reset() {}

juce::AudioProcessorEditor* ZarnJuceFilter::createEditor()
{
    return new ZarnEditorComponent (*this);
}

bool ZarnJuceFilter::hasEditor() const { return true; }

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
