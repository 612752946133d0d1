#pragma once

#include <cstddef>
#include <cstdint>

// The effect record that a VST 2.4 host and the plug-in share, the entry-function types placed
// in it, the host callback, the opcodes in both directions and the record's flag bits.
// Declared here from the published interface; the record is exchanged by address, so its
// layout is fixed: 144 bytes with 4-byte pointers, 192 bytes with 8-byte pointers.

// Everything that crosses to the host uses the platform's C calling convention; on 32-bit x86
// that is cdecl (the caller removes the arguments).
#if defined(_MSC_VER) && defined(_M_IX86)
 #define VSTCALLBACK __cdecl
#elif defined(__i386__)
 #define VSTCALLBACK __attribute__ ((cdecl))
#else
 #define VSTCALLBACK
#endif

using VstInt32 = std::int32_t;
using VstIntPtr = std::intptr_t;

struct AEffect;

// The host callback: (record, opcode, index, value, pointer, opt) -> pointer-sized answer.
using audioMasterCallback = VstIntPtr (VSTCALLBACK*) (AEffect* effect, VstInt32 opcode, VstInt32 index,
                                                      VstIntPtr value, void* ptr, float opt);

using AEffectDispatcherProc = VstIntPtr (VSTCALLBACK*) (AEffect* effect, VstInt32 opcode, VstInt32 index,
                                                        VstIntPtr value, void* ptr, float opt);
using AEffectProcessProc = void (VSTCALLBACK*) (AEffect* effect, float** inputs, float** outputs,
                                                VstInt32 sampleFrames);
using AEffectProcessDoubleProc = void (VSTCALLBACK*) (AEffect* effect, double** inputs, double** outputs,
                                                      VstInt32 sampleFrames);
using AEffectSetParameterProc = void (VSTCALLBACK*) (AEffect* effect, VstInt32 index, float value);
using AEffectGetParameterProc = float (VSTCALLBACK*) (AEffect* effect, VstInt32 index);

// Record tag: the characters V, s, t, P with V in the most significant byte.
constexpr VstInt32 kEffectMagic = 0x56737450;

struct AEffect
{
    VstInt32 magic;
    AEffectDispatcherProc dispatcher;
    AEffectProcessProc process;                 // accumulating process (deprecated)
    AEffectSetParameterProc setParameter;
    AEffectGetParameterProc getParameter;
    VstInt32 numPrograms;
    VstInt32 numParams;
    VstInt32 numInputs;
    VstInt32 numOutputs;
    VstInt32 flags;
    VstIntPtr resvd1;
    VstIntPtr resvd2;
    VstInt32 initialDelay;                      // latency in samples
    VstInt32 realQualities;                     // deprecated
    VstInt32 offQualities;                      // deprecated
    float ioRatio;                              // deprecated
    void* object;                               // the effect object that owns this record
    void* user;                                 // free for the host's use
    VstInt32 uniqueID;
    VstInt32 version;
    AEffectProcessProc processReplacing;
    AEffectProcessDoubleProc processDoubleReplacing;
    char future[56];
};

// The layout that hosts of each word size expect.
#if UINTPTR_MAX == 0xFFFFFFFFu
static_assert (sizeof (AEffect) == 144, "32-bit effect record size");
static_assert (offsetof (AEffect, magic) == 0, "32-bit magic");
static_assert (offsetof (AEffect, dispatcher) == 4, "32-bit dispatcher");
static_assert (offsetof (AEffect, process) == 8, "32-bit process");
static_assert (offsetof (AEffect, setParameter) == 12, "32-bit setParameter");
static_assert (offsetof (AEffect, getParameter) == 16, "32-bit getParameter");
static_assert (offsetof (AEffect, numPrograms) == 20, "32-bit numPrograms");
static_assert (offsetof (AEffect, numParams) == 24, "32-bit numParams");
static_assert (offsetof (AEffect, numInputs) == 28, "32-bit numInputs");
static_assert (offsetof (AEffect, numOutputs) == 32, "32-bit numOutputs");
static_assert (offsetof (AEffect, flags) == 36, "32-bit flags");
static_assert (offsetof (AEffect, resvd1) == 40, "32-bit resvd1");
static_assert (offsetof (AEffect, resvd2) == 44, "32-bit resvd2");
static_assert (offsetof (AEffect, initialDelay) == 48, "32-bit initialDelay");
static_assert (offsetof (AEffect, realQualities) == 52, "32-bit realQualities");
static_assert (offsetof (AEffect, offQualities) == 56, "32-bit offQualities");
static_assert (offsetof (AEffect, ioRatio) == 60, "32-bit ioRatio");
static_assert (offsetof (AEffect, object) == 64, "32-bit object");
static_assert (offsetof (AEffect, user) == 68, "32-bit user");
static_assert (offsetof (AEffect, uniqueID) == 72, "32-bit uniqueID");
static_assert (offsetof (AEffect, version) == 76, "32-bit version");
static_assert (offsetof (AEffect, processReplacing) == 80, "32-bit processReplacing");
static_assert (offsetof (AEffect, processDoubleReplacing) == 84, "32-bit processDoubleReplacing");
static_assert (offsetof (AEffect, future) == 88, "32-bit future");
#elif UINTPTR_MAX == 0xFFFFFFFFFFFFFFFFu
static_assert (sizeof (AEffect) == 192, "64-bit effect record size");
static_assert (offsetof (AEffect, magic) == 0, "64-bit magic");
static_assert (offsetof (AEffect, dispatcher) == 8, "64-bit dispatcher");
static_assert (offsetof (AEffect, process) == 16, "64-bit process");
static_assert (offsetof (AEffect, setParameter) == 24, "64-bit setParameter");
static_assert (offsetof (AEffect, getParameter) == 32, "64-bit getParameter");
static_assert (offsetof (AEffect, numPrograms) == 40, "64-bit numPrograms");
static_assert (offsetof (AEffect, numParams) == 44, "64-bit numParams");
static_assert (offsetof (AEffect, numInputs) == 48, "64-bit numInputs");
static_assert (offsetof (AEffect, numOutputs) == 52, "64-bit numOutputs");
static_assert (offsetof (AEffect, flags) == 56, "64-bit flags");
static_assert (offsetof (AEffect, resvd1) == 64, "64-bit resvd1");
static_assert (offsetof (AEffect, resvd2) == 72, "64-bit resvd2");
static_assert (offsetof (AEffect, initialDelay) == 80, "64-bit initialDelay");
static_assert (offsetof (AEffect, realQualities) == 84, "64-bit realQualities");
static_assert (offsetof (AEffect, offQualities) == 88, "64-bit offQualities");
static_assert (offsetof (AEffect, ioRatio) == 92, "64-bit ioRatio");
static_assert (offsetof (AEffect, object) == 96, "64-bit object");
static_assert (offsetof (AEffect, user) == 104, "64-bit user");
static_assert (offsetof (AEffect, uniqueID) == 112, "64-bit uniqueID");
static_assert (offsetof (AEffect, version) == 116, "64-bit version");
static_assert (offsetof (AEffect, processReplacing) == 120, "64-bit processReplacing");
static_assert (offsetof (AEffect, processDoubleReplacing) == 128, "64-bit processDoubleReplacing");
static_assert (offsetof (AEffect, future) == 136, "64-bit future");
#else
 #error "the effect record is laid out for 4-byte or 8-byte pointers only"
#endif

// Bits of AEffect::flags.
enum VstAEffectFlags : VstInt32
{
    effFlagsHasEditor          = 0x1,
    effFlagsHasClip            = 0x2,
    effFlagsHasVu              = 0x4,
    effFlagsCanMono            = 0x8,
    effFlagsCanReplacing       = 0x10,
    effFlagsProgramChunks      = 0x20,
    effFlagsIsSynth            = 0x100,
    effFlagsNoSoundInStop      = 0x200,
    effFlagsExtIsAsync         = 0x400,
    effFlagsExtHasBuffer       = 0x800,
    effFlagsCanDoubleReplacing = 0x1000
};

// Requests from the host to the plug-in (the dispatcher's opcode).
enum AEffectOpcodes : VstInt32
{
    effOpen = 0,
    effClose = 1,
    effSetProgram = 2,
    effGetProgram = 3,
    effSetProgramName = 4,
    effGetProgramName = 5,
    effGetParamLabel = 6,
    effGetParamDisplay = 7,
    effGetParamName = 8,
    effSetSampleRate = 10,
    effSetBlockSize = 11,
    effMainsChanged = 12,
    effEditGetRect = 13,
    effEditOpen = 14,
    effEditClose = 15,
    effEditIdle = 19,
    effIdentify = 22,
    effGetChunk = 23,
    effSetChunk = 24,

    effProcessEvents = 25,
    effCanBeAutomated = 26,
    effString2Parameter = 27,
    effGetProgramNameIndexed = 29,
    effGetInputProperties = 33,
    effGetOutputProperties = 34,
    effGetPlugCategory = 35,
    effOfflineNotify = 38,
    effOfflinePrepare = 39,
    effOfflineRun = 40,
    effProcessVarIo = 41,
    effSetSpeakerArrangement = 42,
    effSetBypass = 44,
    effGetEffectName = 45,
    effGetVendorString = 47,
    effGetProductString = 48,
    effGetVendorVersion = 49,
    effVendorSpecific = 50,
    effCanDo = 51,
    effGetTailSize = 52,
    effGetParameterProperties = 56,
    effGetVstVersion = 58,
    effEditKeyDown = 59,
    effEditKeyUp = 60,
    effSetEditKnobMode = 61,
    effGetMidiProgramName = 62,
    effGetCurrentMidiProgram = 63,
    effGetMidiProgramCategory = 64,
    effHasMidiProgramsChanged = 65,
    effGetMidiKeyName = 66,
    effBeginSetProgram = 67,
    effEndSetProgram = 68,
    effGetSpeakerArrangement = 69,
    effShellGetNextPlugin = 70,
    effStartProcess = 71,
    effStopProcess = 72,
    effSetTotalSampleToProcess = 73,
    effSetPanLaw = 74,
    effBeginLoadBank = 75,
    effBeginLoadProgram = 76,
    effSetProcessPrecision = 77,
    effGetNumMidiInputChannels = 78,
    effGetNumMidiOutputChannels = 79
};

// Answer to effIdentify: the characters N, v, E, f.
constexpr VstIntPtr kEffectIdentify = 0x4E764566;

// Requests from the plug-in to the host (the host callback's opcode).
enum AudioMasterOpcodes : VstInt32
{
    audioMasterAutomate = 0,
    audioMasterVersion = 1,
    audioMasterCurrentId = 2,
    audioMasterIdle = 3,
    audioMasterPinConnected = 4,
    audioMasterWantMidi = 6,
    audioMasterGetTime = 7,
    audioMasterProcessEvents = 8,
    audioMasterTempoAt = 10,
    audioMasterGetNumAutomatableParameters = 11,
    audioMasterGetParameterQuantization = 12,
    audioMasterIOChanged = 13,
    audioMasterNeedIdle = 14,
    audioMasterSizeWindow = 15,
    audioMasterGetSampleRate = 16,
    audioMasterGetBlockSize = 17,
    audioMasterGetInputLatency = 18,
    audioMasterGetOutputLatency = 19,
    audioMasterGetPreviousPlug = 20,
    audioMasterGetNextPlug = 21,
    audioMasterWillReplaceOrAccumulate = 22,
    audioMasterGetCurrentProcessLevel = 23,
    audioMasterGetAutomationState = 24,
    audioMasterOfflineStart = 25,
    audioMasterOfflineRead = 26,
    audioMasterOfflineWrite = 27,
    audioMasterOfflineGetCurrentPass = 28,
    audioMasterOfflineGetCurrentMetaPass = 29,
    audioMasterSetOutputSampleRate = 30,
    audioMasterGetOutputSpeakerArrangement = 31,
    audioMasterGetVendorString = 32,
    audioMasterGetProductString = 33,
    audioMasterGetVendorVersion = 34,
    audioMasterVendorSpecific = 35,
    audioMasterCanDo = 37,
    audioMasterGetLanguage = 38,
    audioMasterOpenWindow = 39,
    audioMasterCloseWindow = 40,
    audioMasterGetDirectory = 41,
    audioMasterUpdateDisplay = 42,
    audioMasterBeginEdit = 43,
    audioMasterEndEdit = 44,
    audioMasterOpenFileSelector = 45,
    audioMasterCloseFileSelector = 46,
    audioMasterGetChunkFile = 48,
    audioMasterGetInputSpeakerArrangement = 49
};

// A key press handed to the editor object by effEditKeyDown and effEditKeyUp.
struct VstKeyCode
{
    VstInt32 character;
    std::uint8_t virt;
    std::uint8_t modifier;
};

// Records that the base classes only pass through by pointer and never read or write; whoever
// fills them (the plug-in object or its host) declares them.
struct ERect;
struct VstEvents;
struct VstTimeInfo;
struct VstPinProperties;
struct VstParameterProperties;
struct VstFileSelect;
struct VstOfflineTask;
struct VstAudioFile;
struct VstVariableIo;
struct VstPatchChunkInfo;
struct VstWindow;
struct MidiProgramName;
struct MidiProgramCategory;
struct MidiKeyName;
