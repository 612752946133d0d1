#include "plugin/vst/AudioEffect.h"

#include "plugin/vst/AEffEditor.h"

#include <cmath>
#include <cstring>

namespace
{
    AudioEffect* effectOf (AEffect* e)
    {
        return e != nullptr ? static_cast<AudioEffect*> (e->object) : nullptr;
    }

    // The entry functions placed in the record: each finds its object through `object`.
    VstIntPtr VSTCALLBACK dispatchEntry (AEffect* e, VstInt32 opcode, VstInt32 index,
                                         VstIntPtr value, void* ptr, float opt)
    {
        auto* effect = effectOf (e);

        if (effect == nullptr)
            return 0;

        if (opcode == effClose)
        {
            // The object goes, record included; the host must not touch the record afterwards.
            effect->dispatcher (opcode, index, value, ptr, opt);
            delete effect;
            return 1;
        }

        return effect->dispatcher (opcode, index, value, ptr, opt);
    }

    void VSTCALLBACK processEntry (AEffect* e, float** inputs, float** outputs, VstInt32 sampleFrames)
    {
        if (auto* effect = effectOf (e))
            effect->process (inputs, outputs, sampleFrames);
    }

    void VSTCALLBACK processReplacingEntry (AEffect* e, float** inputs, float** outputs, VstInt32 sampleFrames)
    {
        if (auto* effect = effectOf (e))
            effect->processReplacing (inputs, outputs, sampleFrames);
    }

    void VSTCALLBACK processDoubleReplacingEntry (AEffect* e, double** inputs, double** outputs,
                                                  VstInt32 sampleFrames)
    {
        if (auto* effect = effectOf (e))
            effect->processDoubleReplacing (inputs, outputs, sampleFrames);
    }

    void VSTCALLBACK setParameterEntry (AEffect* e, VstInt32 index, float value)
    {
        if (auto* effect = effectOf (e))
            effect->setParameter (index, value);
    }

    float VSTCALLBACK getParameterEntry (AEffect* e, VstInt32 index)
    {
        if (auto* effect = effectOf (e))
            return effect->getParameter (index);

        return 0.0f;
    }

    // Copies at most maxLen characters of source and a NUL into text (maxLen + 1 bytes).
    void writeText (char* text, VstInt32 maxLen, const char* source)
    {
        if (text == nullptr || maxLen < 0)
            return;

        VstInt32 n = 0;

        for (; n < maxLen && source[n] != 0; ++n)
            text[n] = source[n];

        text[n] = 0;
    }

    void writeEmpty (char* text)
    {
        if (text != nullptr)
            text[0] = 0;
    }

    // Rounds to single precision for certain. On 32-bit x86 without SSE the compiler may keep a
    // float in an 80-bit register, and the truncated digits would then show the excess bits.
    float toFloat (double value)
    {
        volatile float rounded = (float) value;
        return rounded;
    }

    constexpr int numberField = 8;
    const char* const hugeText = "Huge!";
}

//==============================================================================
AudioEffect::AudioEffect (audioMasterCallback audioMasterToUse, VstInt32 numProgramsToUse, VstInt32 numParamsToUse)
    : audioMaster (audioMasterToUse),
      numPrograms (numProgramsToUse),
      numParams (numParamsToUse)
{
    std::memset (&cEffect, 0, sizeof (cEffect));

    cEffect.magic = kEffectMagic;
    cEffect.dispatcher = dispatchEntry;
    cEffect.process = processEntry;
    cEffect.setParameter = setParameterEntry;
    cEffect.getParameter = getParameterEntry;
    cEffect.numPrograms = numProgramsToUse;
    cEffect.numParams = numParamsToUse;
    cEffect.numInputs = 1;
    cEffect.numOutputs = 2;
    cEffect.flags |= effFlagsCanReplacing;
    cEffect.ioRatio = 1.0f;
    cEffect.object = this;
    cEffect.uniqueID = 0x4E6F4566;   // N, o, E, f
    cEffect.version = 1;
    cEffect.processReplacing = processReplacingEntry;
    cEffect.processDoubleReplacing = processDoubleReplacingEntry;
}

AudioEffect::~AudioEffect()
{
    delete editor;
}

//==============================================================================
VstIntPtr AudioEffect::dispatcher (VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt)
{
    switch (opcode)
    {
        case effOpen:               open(); break;
        case effClose:              close(); break;

        case effSetProgram:
            // Only programs that exist: a negative number would reach derived objects as an index.
            if (value >= 0 && value < numPrograms)
                setProgram ((VstInt32) value);
            break;

        case effGetProgram:         return getProgram();
        case effSetProgramName:     setProgramName (static_cast<char*> (ptr)); break;
        case effGetProgramName:     getProgramName (static_cast<char*> (ptr)); break;
        case effGetParamLabel:      getParameterLabel (index, static_cast<char*> (ptr)); break;
        case effGetParamDisplay:    getParameterDisplay (index, static_cast<char*> (ptr)); break;
        case effGetParamName:       getParameterName (index, static_cast<char*> (ptr)); break;

        case effSetSampleRate:      setSampleRate (opt); break;
        case effSetBlockSize:       setBlockSize ((VstInt32) value); break;

        case effMainsChanged:
            if (value == 0)
                suspend();
            else
                resume();
            break;

        case effEditGetRect:
            if (editor != nullptr)
                return editor->getRect (static_cast<ERect**> (ptr)) ? 1 : 0;
            break;

        case effEditOpen:
            if (editor != nullptr)
                return editor->open (ptr) ? 1 : 0;
            break;

        case effEditClose:
            if (editor != nullptr)
                editor->close();
            break;

        case effEditIdle:
            if (editor != nullptr)
                editor->idle();
            break;

        case effIdentify:           return kEffectIdentify;
        case effGetChunk:           return getChunk (static_cast<void**> (ptr), index != 0);
        case effSetChunk:           return setChunk (ptr, (VstInt32) value, index != 0);

        default:                    break;
    }

    return 0;
}

//==============================================================================
void AudioEffect::setSampleRate (float newSampleRate)
{
    sampleRate = newSampleRate;
}

void AudioEffect::setBlockSize (VstInt32 newBlockSize)
{
    blockSize = newBlockSize;
}

void AudioEffect::setParameterAutomated (VstInt32 index, float value)
{
    setParameter (index, value);

    if (audioMaster != nullptr)
        audioMaster (&cEffect, audioMasterAutomate, index, 0, nullptr, value);
}

void AudioEffect::getProgramName (char* name)                        { writeEmpty (name); }
void AudioEffect::getParameterLabel (VstInt32, char* label)          { writeEmpty (label); }
void AudioEffect::getParameterDisplay (VstInt32, char* text)         { writeEmpty (text); }
void AudioEffect::getParameterName (VstInt32, char* text)            { writeEmpty (text); }

//==============================================================================
void AudioEffect::setFlag (VstInt32 flag, bool state)
{
    if (state)
        cEffect.flags |= flag;
    else
        cEffect.flags &= ~flag;
}

void AudioEffect::setUniqueID (VstInt32 iD)                { cEffect.uniqueID = iD; }
void AudioEffect::setNumInputs (VstInt32 inputs)           { cEffect.numInputs = inputs; }
void AudioEffect::setNumOutputs (VstInt32 outputs)         { cEffect.numOutputs = outputs; }
void AudioEffect::canProcessReplacing (bool state)         { setFlag (effFlagsCanReplacing, state); }
void AudioEffect::canDoubleReplacing (bool state)          { setFlag (effFlagsCanDoubleReplacing, state); }
void AudioEffect::programsAreChunks (bool state)           { setFlag (effFlagsProgramChunks, state); }
void AudioEffect::setInitialDelay (VstInt32 delay)         { cEffect.initialDelay = delay; }
void AudioEffect::hasVu (bool state)                       { setFlag (effFlagsHasVu, state); }
void AudioEffect::hasClip (bool state)                     { setFlag (effFlagsHasClip, state); }
void AudioEffect::canMono (bool state)                     { setFlag (effFlagsCanMono, state); }
void AudioEffect::setRealtimeQualities (VstInt32 q)        { cEffect.realQualities = q; }
void AudioEffect::setOfflineQualities (VstInt32 q)         { cEffect.offQualities = q; }

//==============================================================================
VstInt32 AudioEffect::getMasterVersion()
{
    if (audioMaster == nullptr)
        return 1;

    const auto version = (VstInt32) audioMaster (&cEffect, audioMasterVersion, 0, 0, nullptr, 0.0f);
    return version != 0 ? version : 1;
}

VstInt32 AudioEffect::getCurrentUniqueId()
{
    if (audioMaster == nullptr)
        return 0;

    return (VstInt32) audioMaster (&cEffect, audioMasterCurrentId, 0, 0, nullptr, 0.0f);
}

void AudioEffect::masterIdle()
{
    if (audioMaster != nullptr)
        audioMaster (&cEffect, audioMasterIdle, 0, 0, nullptr, 0.0f);
}

bool AudioEffect::isInputConnected (VstInt32 input)
{
    if (audioMaster == nullptr)
        return true;

    return audioMaster (&cEffect, audioMasterPinConnected, input, 0, nullptr, 0.0f) == 0;
}

bool AudioEffect::isOutputConnected (VstInt32 output)
{
    if (audioMaster == nullptr)
        return true;

    return audioMaster (&cEffect, audioMasterPinConnected, output, 1, nullptr, 0.0f) == 0;
}

//==============================================================================
void AudioEffect::dB2string (float value, char* text, VstInt32 maxLen)
{
    if (value <= 0.0f)
    {
        writeText (text, maxLen, "-oo");
        return;
    }

    // The logarithm in single precision: half the amplitude reads "-6.02060".
    const float logValue = toFloat (std::log10 (value));
    float2string (toFloat (20.0 * (double) logValue), text, maxLen);
}

void AudioEffect::Hz2string (float samples, char* text, VstInt32 maxLen)
{
    if (samples == 0.0f)
        float2string (0.0f, text, maxLen);
    else
        float2string (toFloat (getSampleRate() / samples), text, maxLen);
}

void AudioEffect::ms2string (float samples, char* text, VstInt32 maxLen)
{
    float2string (toFloat ((double) samples * 1000.0 / (double) getSampleRate()), text, maxLen);
}

void AudioEffect::float2string (float value, char* text, VstInt32 maxLen)
{
    double v = value;
    const bool negative = v < 0.0;

    if (negative)
        v = -v;

    // NaN fails every comparison below; it has no digits to show, so it reads as out of range.
    if (std::isnan (v) || (negative ? v > 9999999.0 : v > 99999999.0))
    {
        writeText (text, maxLen, hugeText);
        return;
    }

    // Integer digits, from the units leftwards, while they fit in the field beside the point.
    char integerDigits[numberField + 1];
    int numIntegerDigits = 0;
    int c = negative ? 2 : 1;
    double i = std::floor (v);

    integerDigits[numIntegerDigits++] = (char) ('0' + (int) std::fmod (i, 10.0));
    i /= 10.0;
    ++c;

    while (i >= 1.0 && c < numberField)
    {
        integerDigits[numIntegerDigits++] = (char) ('0' + (int) std::fmod (i, 10.0));
        i /= 10.0;
        ++c;
    }

    // An integer part too long for the field with its point (8 digits, or 7 with a sign) keeps
    // all its digits and gives up the point, so the field still holds eight characters.
    const bool pointFits = i < 1.0;

    if (! pointFits)
        integerDigits[numIntegerDigits++] = (char) ('0' + (int) std::fmod (i, 10.0));

    char result[numberField + 1];
    int length = 0;

    if (negative)
        result[length++] = '-';

    while (numIntegerDigits > 0)
        result[length++] = integerDigits[--numIntegerDigits];

    if (pointFits)
    {
        result[length++] = '.';

        const int n = numberField - c;
        double m = std::fmod (v, 1.0) * std::pow (10.0, n);

        for (int place = n; --place >= 0;)
        {
            if (m <= 0.0)
            {
                result[length + place] = '0';
            }
            else
            {
                result[length + place] = (char) ('0' + (int) std::fmod (m, 10.0));
                m /= 10.0;
            }
        }

        length += n;
    }

    result[length] = 0;
    writeText (text, maxLen, result);
}

void AudioEffect::int2string (VstInt32 value, char* text, VstInt32 maxLen)
{
    if (value >= 100000000)
    {
        writeText (text, maxLen, hugeText);
        return;
    }

    // Negative values are written in full, down to the most negative one: its magnitude is
    // taken in 64 bits, as it has no 32-bit positive counterpart.
    char result[16];
    int length = 0;
    std::int64_t magnitude = value;

    if (magnitude < 0)
    {
        result[length++] = '-';
        magnitude = -magnitude;
    }

    bool written = false;

    for (std::int64_t divisor = 1000000000; divisor >= 1; divisor /= 10)
    {
        const auto digit = magnitude / divisor;
        magnitude -= digit * divisor;

        if (written || digit > 0 || divisor == 1)
        {
            result[length++] = (char) ('0' + digit);
            written = true;
        }
    }

    result[length] = 0;
    writeText (text, maxLen, result);
}
