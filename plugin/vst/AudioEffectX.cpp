#include "plugin/vst/AudioEffectX.h"

#include "plugin/vst/AEffEditor.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace
{
    // The key code of effEditKeyDown / effEditKeyUp: the character from index, the virtual key
    // from the low byte of value and the modifiers from the low byte of opt, truncated toward
    // zero. An opt that no 32-bit integer holds (NaN, infinite, huge) gives no modifiers.
    VstKeyCode makeKeyCode (VstInt32 index, VstIntPtr value, float opt)
    {
        VstKeyCode key {};
        key.character = index;
        key.virt = (std::uint8_t) (value & 0xFF);

        if (opt > -2147483648.0f && opt < 2147483648.0f)
            key.modifier = (std::uint8_t) ((VstInt32) opt & 0xFF);

        return key;
    }
}

AudioEffectX::AudioEffectX (audioMasterCallback audioMasterToUse, VstInt32 numProgramsToUse, VstInt32 numParamsToUse)
    : AudioEffect (audioMasterToUse, numProgramsToUse, numParamsToUse)
{
}

//==============================================================================
VstIntPtr AudioEffectX::dispatcher (VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt)
{
    switch (opcode)
    {
        case effProcessEvents:            return processEvents (static_cast<VstEvents*> (ptr));
        case effCanBeAutomated:           return canParameterBeAutomated (index) ? 1 : 0;
        case effString2Parameter:         return string2parameter (index, static_cast<char*> (ptr)) ? 1 : 0;

        case effGetProgramNameIndexed:
            return getProgramNameIndexed ((VstInt32) value, index, static_cast<char*> (ptr)) ? 1 : 0;

        case effGetInputProperties:
            return getInputProperties (index, static_cast<VstPinProperties*> (ptr)) ? 1 : 0;

        case effGetOutputProperties:
            return getOutputProperties (index, static_cast<VstPinProperties*> (ptr)) ? 1 : 0;

        case effGetPlugCategory:          return getPlugCategory();

        case effOfflineNotify:
            return offlineNotify (static_cast<VstAudioFile*> (ptr), (VstInt32) value, index != 0) ? 1 : 0;

        case effOfflinePrepare:
            return offlinePrepare (static_cast<VstOfflineTask*> (ptr), (VstInt32) value) ? 1 : 0;

        case effOfflineRun:
            return offlineRun (static_cast<VstOfflineTask*> (ptr), (VstInt32) value) ? 1 : 0;

        case effProcessVarIo:             return processVariableIo (static_cast<VstVariableIo*> (ptr)) ? 1 : 0;

        case effSetSpeakerArrangement:
            return setSpeakerArrangement (reinterpret_cast<VstSpeakerArrangement*> (value),
                                          static_cast<VstSpeakerArrangement*> (ptr)) ? 1 : 0;

        case effSetBypass:                return setBypass (value != 0) ? 1 : 0;
        case effGetEffectName:            return getEffectName (static_cast<char*> (ptr)) ? 1 : 0;
        case effGetVendorString:          return getVendorString (static_cast<char*> (ptr)) ? 1 : 0;
        case effGetProductString:         return getProductString (static_cast<char*> (ptr)) ? 1 : 0;
        case effGetVendorVersion:         return getVendorVersion();
        case effVendorSpecific:           return vendorSpecific (index, value, ptr, opt);
        case effCanDo:                    return canDo (static_cast<char*> (ptr));
        case effGetTailSize:              return getGetTailSize();

        case effGetParameterProperties:
            return getParameterProperties (index, static_cast<VstParameterProperties*> (ptr)) ? 1 : 0;

        case effGetVstVersion:            return getVstVersion();

        case effEditKeyDown:
            if (editor != nullptr)
            {
                auto key = makeKeyCode (index, value, opt);
                return editor->onKeyDown (key) ? 1 : 0;
            }
            return 0;

        case effEditKeyUp:
            if (editor != nullptr)
            {
                auto key = makeKeyCode (index, value, opt);
                return editor->onKeyUp (key) ? 1 : 0;
            }
            return 0;

        case effSetEditKnobMode:
            if (editor != nullptr)
                return editor->setKnobMode ((VstInt32) value) ? 1 : 0;
            return 0;

        case effGetMidiProgramName:
            return getMidiProgramName (index, static_cast<MidiProgramName*> (ptr));

        case effGetCurrentMidiProgram:
            return getCurrentMidiProgram (index, static_cast<MidiProgramName*> (ptr));

        case effGetMidiProgramCategory:
            return getMidiProgramCategory (index, static_cast<MidiProgramCategory*> (ptr));

        case effHasMidiProgramsChanged:   return hasMidiProgramsChanged (index) ? 1 : 0;
        case effGetMidiKeyName:           return getMidiKeyName (index, static_cast<MidiKeyName*> (ptr)) ? 1 : 0;
        case effBeginSetProgram:          return beginSetProgram() ? 1 : 0;
        case effEndSetProgram:            return endSetProgram() ? 1 : 0;

        case effGetSpeakerArrangement:
            return getSpeakerArrangement (reinterpret_cast<VstSpeakerArrangement**> (value),
                                          static_cast<VstSpeakerArrangement**> (ptr)) ? 1 : 0;

        case effShellGetNextPlugin:       return getNextShellPlugin (static_cast<char*> (ptr));
        case effStartProcess:             return startProcess();
        case effStopProcess:              return stopProcess();
        case effSetTotalSampleToProcess:  return setTotalSampleToProcess ((VstInt32) value);
        case effSetPanLaw:                return setPanLaw ((VstInt32) value, opt) ? 1 : 0;
        case effBeginLoadBank:            return beginLoadBank (static_cast<VstPatchChunkInfo*> (ptr));
        case effBeginLoadProgram:         return beginLoadProgram (static_cast<VstPatchChunkInfo*> (ptr));
        case effSetProcessPrecision:      return setProcessPrecision ((VstInt32) value) ? 1 : 0;
        case effGetNumMidiInputChannels:  return getNumMidiInputChannels();
        case effGetNumMidiOutputChannels: return getNumMidiOutputChannels();

        default:
            // Opcodes 0 to 24 and every unknown one: the base's own table, not a virtual call.
            return AudioEffect::dispatcher (opcode, index, value, ptr, opt);
    }
}

//==============================================================================
bool AudioEffectX::beginEdit (VstInt32 index)
{
    return audioMaster != nullptr && audioMaster (&cEffect, audioMasterBeginEdit, index, 0, nullptr, 0.0f) != 0;
}

bool AudioEffectX::endEdit (VstInt32 index)
{
    return audioMaster != nullptr && audioMaster (&cEffect, audioMasterEndEdit, index, 0, nullptr, 0.0f) != 0;
}

bool AudioEffectX::ioChanged()
{
    return audioMaster != nullptr && audioMaster (&cEffect, audioMasterIOChanged, 0, 0, nullptr, 0.0f) != 0;
}

double AudioEffectX::updateSampleRate()
{
    if (audioMaster != nullptr)
    {
        const auto answer = audioMaster (&cEffect, audioMasterGetSampleRate, 0, 0, nullptr, 0.0f);

        if (answer > 0)
            sampleRate = (float) answer;
    }

    return sampleRate;
}

VstInt32 AudioEffectX::updateBlockSize()
{
    if (audioMaster != nullptr)
    {
        const auto answer = audioMaster (&cEffect, audioMasterGetBlockSize, 0, 0, nullptr, 0.0f);

        if (answer > 0)
            blockSize = (VstInt32) answer;
    }

    return blockSize;
}

VstInt32 AudioEffectX::getInputLatency()
{
    if (audioMaster == nullptr)
        return 0;

    return (VstInt32) audioMaster (&cEffect, audioMasterGetInputLatency, 0, 0, nullptr, 0.0f);
}

VstInt32 AudioEffectX::getOutputLatency()
{
    if (audioMaster == nullptr)
        return 0;

    return (VstInt32) audioMaster (&cEffect, audioMasterGetOutputLatency, 0, 0, nullptr, 0.0f);
}

bool AudioEffectX::getSpeakerArrangement (VstSpeakerArrangement** pluginInput, VstSpeakerArrangement** pluginOutput)
{
    if (pluginInput != nullptr)
        *pluginInput = nullptr;

    if (pluginOutput != nullptr)
        *pluginOutput = nullptr;

    return false;
}

VstTimeInfo* AudioEffectX::getTimeInfo (VstInt32 filter)
{
    if (audioMaster == nullptr)
        return nullptr;

    return reinterpret_cast<VstTimeInfo*> (audioMaster (&cEffect, audioMasterGetTime, 0, filter, nullptr, 0.0f));
}

VstInt32 AudioEffectX::getCurrentProcessLevel()
{
    if (audioMaster == nullptr)
        return 0;

    return (VstInt32) audioMaster (&cEffect, audioMasterGetCurrentProcessLevel, 0, 0, nullptr, 0.0f);
}

VstInt32 AudioEffectX::getAutomationState()
{
    if (audioMaster == nullptr)
        return 0;

    return (VstInt32) audioMaster (&cEffect, audioMasterGetAutomationState, 0, 0, nullptr, 0.0f);
}

bool AudioEffectX::getHostVendorString (char* text)
{
    return audioMaster != nullptr && audioMaster (&cEffect, audioMasterGetVendorString, 0, 0, text, 0.0f) != 0;
}

bool AudioEffectX::getHostProductString (char* text)
{
    return audioMaster != nullptr && audioMaster (&cEffect, audioMasterGetProductString, 0, 0, text, 0.0f) != 0;
}

VstInt32 AudioEffectX::getHostVendorVersion()
{
    if (audioMaster == nullptr)
        return 0;

    return (VstInt32) audioMaster (&cEffect, audioMasterGetVendorVersion, 0, 0, nullptr, 0.0f);
}

VstIntPtr AudioEffectX::hostVendorSpecific (VstInt32 lArg1, VstIntPtr lArg2, void* ptrArg, float floatArg)
{
    if (audioMaster == nullptr)
        return 0;

    return audioMaster (&cEffect, audioMasterVendorSpecific, lArg1, lArg2, ptrArg, floatArg);
}

VstInt32 AudioEffectX::canHostDo (char* text)
{
    return (audioMaster != nullptr && audioMaster (&cEffect, audioMasterCanDo, 0, 0, text, 0.0f) != 0) ? 1 : 0;
}

VstInt32 AudioEffectX::getHostLanguage()
{
    if (audioMaster == nullptr)
        return 0;

    return (VstInt32) audioMaster (&cEffect, audioMasterGetLanguage, 0, 0, nullptr, 0.0f);
}

void AudioEffectX::isSynth (bool state)                 { setFlag (effFlagsIsSynth, state); }
void AudioEffectX::noTail (bool state)                  { setFlag (effFlagsNoSoundInStop, state); }
void AudioEffectX::wantAsyncOperation (bool state)      { setFlag (effFlagsExtIsAsync, state); }
void AudioEffectX::hasExternalBuffer (bool state)       { setFlag (effFlagsExtHasBuffer, state); }

void* AudioEffectX::getDirectory()
{
    if (audioMaster == nullptr)
        return nullptr;

    return reinterpret_cast<void*> (audioMaster (&cEffect, audioMasterGetDirectory, 0, 0, nullptr, 0.0f));
}

bool AudioEffectX::updateDisplay()
{
    return audioMaster != nullptr && audioMaster (&cEffect, audioMasterUpdateDisplay, 0, 0, nullptr, 0.0f) != 0;
}

bool AudioEffectX::sizeWindow (VstInt32 width, VstInt32 height)
{
    return audioMaster != nullptr && audioMaster (&cEffect, audioMasterSizeWindow, width, height, nullptr, 0.0f) != 0;
}

bool AudioEffectX::openFileSelector (VstFileSelect* ptr)
{
    return audioMaster != nullptr && ptr != nullptr
        && audioMaster (&cEffect, audioMasterOpenFileSelector, 0, 0, ptr, 0.0f) != 0;
}

bool AudioEffectX::closeFileSelector (VstFileSelect* ptr)
{
    return audioMaster != nullptr && ptr != nullptr
        && audioMaster (&cEffect, audioMasterCloseFileSelector, 0, 0, ptr, 0.0f) != 0;
}

//==============================================================================
bool AudioEffectX::allocateArrangement (VstSpeakerArrangement** arrangement, VstInt32 nbChannels)
{
    if (arrangement == nullptr)
        return false;

    if (*arrangement != nullptr)
    {
        std::free (*arrangement);
        *arrangement = nullptr;
    }

    // A negative count, or one whose size the address space cannot hold, is a failed allocation.
    if (nbChannels < 0
        || (std::uint64_t) nbChannels > (SIZE_MAX - arrangementBytes (0)) / sizeof (VstSpeakerProperties))
        return false;

    auto* newArrangement = static_cast<VstSpeakerArrangement*> (std::calloc (1, arrangementBytes ((std::size_t) nbChannels)));

    if (newArrangement == nullptr)
        return false;

    newArrangement->numChannels = nbChannels;
    *arrangement = newArrangement;
    return true;
}

bool AudioEffectX::deallocateArrangement (VstSpeakerArrangement** arrangement)
{
    if (arrangement == nullptr)
        return false;

    std::free (*arrangement);
    *arrangement = nullptr;
    return true;
}

bool AudioEffectX::copySpeaker (VstSpeakerProperties* to, VstSpeakerProperties* from)
{
    if (to == nullptr || from == nullptr)
        return false;

    to->azimuth = from->azimuth;
    to->elevation = from->elevation;
    to->radius = from->radius;
    to->reserved = from->reserved;

    constexpr std::size_t maxNameLength = sizeof (to->name) - 1;
    std::size_t n = 0;

    for (; n < maxNameLength && from->name[n] != 0; ++n)
        to->name[n] = from->name[n];

    to->name[n] = 0;

    to->type = from->type;
    std::memcpy (to->future, from->future, sizeof (to->future));
    return true;
}

bool AudioEffectX::matchArrangement (VstSpeakerArrangement** to, VstSpeakerArrangement* from)
{
    if (from == nullptr)
        return false;

    if (! deallocateArrangement (to) || ! allocateArrangement (to, from->numChannels))
        return false;

    (*to)->type = from->type;

    // The speaker list runs past the declared array for more than 8 channels: step by pointer.
    VstSpeakerProperties* target = (*to)->speakers;
    VstSpeakerProperties* source = from->speakers;

    for (VstInt32 i = 0; i < from->numChannels; ++i)
        if (! copySpeaker (target + i, source + i))
            return false;

    return true;
}

//==============================================================================
bool AudioEffectX::offlineRead (VstOfflineTask* offline, VstInt32 option, bool readSource)
{
    return audioMaster != nullptr
        && audioMaster (&cEffect, audioMasterOfflineRead, readSource ? 1 : 0, option, offline, 0.0f) != 0;
}

bool AudioEffectX::offlineWrite (VstOfflineTask* offline, VstInt32 option)
{
    return audioMaster != nullptr
        && audioMaster (&cEffect, audioMasterOfflineWrite, 0, option, offline, 0.0f) != 0;
}

bool AudioEffectX::offlineStart (VstAudioFile* ptr, VstInt32 numAudioFiles, VstInt32 numNewAudioFiles)
{
    return audioMaster != nullptr
        && audioMaster (&cEffect, audioMasterOfflineStart, numNewAudioFiles, numAudioFiles, ptr, 0.0f) != 0;
}

VstInt32 AudioEffectX::offlineGetCurrentPass()
{
    return (audioMaster != nullptr
            && audioMaster (&cEffect, audioMasterOfflineGetCurrentPass, 0, 0, nullptr, 0.0f) != 0) ? 1 : 0;
}

VstInt32 AudioEffectX::offlineGetCurrentMetaPass()
{
    return (audioMaster != nullptr
            && audioMaster (&cEffect, audioMasterOfflineGetCurrentMetaPass, 0, 0, nullptr, 0.0f) != 0) ? 1 : 0;
}

//==============================================================================
void AudioEffectX::wantEvents (VstInt32 filter)
{
    if (audioMaster != nullptr)
        audioMaster (&cEffect, audioMasterWantMidi, 0, filter, nullptr, 0.0f);
}

VstInt32 AudioEffectX::tempoAt (VstInt32 pos)
{
    if (audioMaster == nullptr)
        return 0;

    return (VstInt32) audioMaster (&cEffect, audioMasterTempoAt, 0, pos, nullptr, 0.0f);
}

VstInt32 AudioEffectX::getNumAutomatableParameters()
{
    if (audioMaster == nullptr)
        return 0;

    return (VstInt32) audioMaster (&cEffect, audioMasterGetNumAutomatableParameters, 0, 0, nullptr, 0.0f);
}

VstInt32 AudioEffectX::getParameterQuantization()
{
    if (audioMaster == nullptr)
        return 0;

    return (VstInt32) audioMaster (&cEffect, audioMasterGetParameterQuantization, 0, 0, nullptr, 0.0f);
}

bool AudioEffectX::needIdle()
{
    return audioMaster != nullptr && audioMaster (&cEffect, audioMasterNeedIdle, 0, 0, nullptr, 0.0f) != 0;
}

AEffect* AudioEffectX::getPreviousPlug (VstInt32)
{
    if (audioMaster == nullptr)
        return nullptr;

    return reinterpret_cast<AEffect*> (audioMaster (&cEffect, audioMasterGetPreviousPlug, 0, 0, nullptr, 0.0f));
}

AEffect* AudioEffectX::getNextPlug (VstInt32)
{
    if (audioMaster == nullptr)
        return nullptr;

    return reinterpret_cast<AEffect*> (audioMaster (&cEffect, audioMasterGetNextPlug, 0, 0, nullptr, 0.0f));
}

VstInt32 AudioEffectX::willProcessReplacing()
{
    if (audioMaster == nullptr)
        return 0;

    return (VstInt32) audioMaster (&cEffect, audioMasterWillReplaceOrAccumulate, 0, 0, nullptr, 0.0f);
}

void AudioEffectX::setOutputSamplerate (float samplerate)
{
    if (audioMaster != nullptr)
        audioMaster (&cEffect, audioMasterSetOutputSampleRate, 0, 0, nullptr, samplerate);
}

VstSpeakerArrangement* AudioEffectX::getInputSpeakerArrangement()
{
    if (audioMaster == nullptr)
        return nullptr;

    return reinterpret_cast<VstSpeakerArrangement*> (
        audioMaster (&cEffect, audioMasterGetInputSpeakerArrangement, 0, 0, nullptr, 0.0f));
}

VstSpeakerArrangement* AudioEffectX::getOutputSpeakerArrangement()
{
    if (audioMaster == nullptr)
        return nullptr;

    return reinterpret_cast<VstSpeakerArrangement*> (
        audioMaster (&cEffect, audioMasterGetOutputSpeakerArrangement, 0, 0, nullptr, 0.0f));
}

void* AudioEffectX::openWindow (VstWindow* window)
{
    if (audioMaster == nullptr)
        return nullptr;

    return reinterpret_cast<void*> (audioMaster (&cEffect, audioMasterOpenWindow, 0, 0, window, 0.0f));
}

bool AudioEffectX::closeWindow (VstWindow* window)
{
    return audioMaster != nullptr && audioMaster (&cEffect, audioMasterCloseWindow, 0, 0, window, 0.0f) != 0;
}

void AudioEffectX::setBlockSizeAndSampleRate (VstInt32 newBlockSize, float newSampleRate)
{
    blockSize = newBlockSize;
    sampleRate = newSampleRate;
}

bool AudioEffectX::getChunkFile (void* nativePath)
{
    return audioMaster != nullptr && nativePath != nullptr
        && audioMaster (&cEffect, audioMasterGetChunkFile, 0, 0, nativePath, 0.0f) != 0;
}
