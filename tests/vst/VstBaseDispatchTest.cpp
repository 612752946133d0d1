// Host requests sent through the record's dispatcher entry: which operation each opcode reaches
// with which arguments, how its answer comes back, and what the base answers by default.

#include "tests/vst/VstTestEffect.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>

using namespace vsttest;

namespace
{
    struct VstBaseDispatch : ::testing::Test
    {
        void SetUp() override { reset(); }
    };

    enum class Answer { none, boolean, integer };

    struct Route
    {
        VstInt32 opcode;
        VstInt32 index;
        VstIntPtr value;
        void* ptr;
        float opt;
        std::string expectedCall;
        Answer answer;
    };

    void* const p = fakePointer<void> (7);
    const VstIntPtr pv = reinterpret_cast<VstIntPtr> (fakePointer<void> (9));
    const void* const pvPointer = fakePointer<void> (9);

    std::vector<Route> routes()
    {
        return {
            { effOpen,                     0, 0,   nullptr, 0.0f, call ("open"), Answer::none },
            { effGetProgram,               0, 0,   nullptr, 0.0f, call ("getProgram"), Answer::integer },
            { effSetProgramName,           0, 0,   p, 0.0f, call ("setProgramName", p), Answer::none },
            { effGetProgramName,           0, 0,   p, 0.0f, call ("getProgramName", p), Answer::none },
            { effGetParamLabel,            4, 0,   p, 0.0f, call ("getParameterLabel", 4, p), Answer::none },
            { effGetParamDisplay,          4, 0,   p, 0.0f, call ("getParameterDisplay", 4, p), Answer::none },
            { effGetParamName,             4, 0,   p, 0.0f, call ("getParameterName", 4, p), Answer::none },
            { effSetSampleRate,            0, 0,   nullptr, 48000.0f, call ("setSampleRate", 48000.0f), Answer::none },
            { effSetBlockSize,             0, 512, nullptr, 0.0f, call ("setBlockSize", 512), Answer::none },
            { effGetChunk,                 0, 0,   p, 0.0f, call ("getChunk", p, false), Answer::integer },
            { effGetChunk,                 1, 0,   p, 0.0f, call ("getChunk", p, true), Answer::integer },
            { effSetChunk,                 0, 300, p, 0.0f, call ("setChunk", p, 300, false), Answer::integer },
            { effSetChunk,                 5, 300, p, 0.0f, call ("setChunk", p, 300, true), Answer::integer },

            { effProcessEvents,            0, 0,   p, 0.0f, call ("processEvents", p), Answer::integer },
            { effCanBeAutomated,           6, 0,   nullptr, 0.0f, call ("canParameterBeAutomated", 6), Answer::boolean },
            { effString2Parameter,         6, 0,   p, 0.0f, call ("string2parameter", 6, p), Answer::boolean },
            { effGetProgramNameIndexed,    3, 2,   p, 0.0f, call ("getProgramNameIndexed", 2, 3, p), Answer::boolean },
            { effGetInputProperties,       1, 0,   p, 0.0f, call ("getInputProperties", 1, p), Answer::boolean },
            { effGetOutputProperties,      1, 0,   p, 0.0f, call ("getOutputProperties", 1, p), Answer::boolean },
            { effGetPlugCategory,          0, 0,   nullptr, 0.0f, call ("getPlugCategory"), Answer::integer },
            { effOfflineNotify,            2, 5,   p, 0.0f, call ("offlineNotify", p, 5, true), Answer::boolean },
            { effOfflineNotify,            0, 5,   p, 0.0f, call ("offlineNotify", p, 5, false), Answer::boolean },
            { effOfflinePrepare,           0, 6,   p, 0.0f, call ("offlinePrepare", p, 6), Answer::boolean },
            { effOfflineRun,               0, 6,   p, 0.0f, call ("offlineRun", p, 6), Answer::boolean },
            { effProcessVarIo,             0, 0,   p, 0.0f, call ("processVariableIo", p), Answer::boolean },
            { effSetSpeakerArrangement,    0, pv,  p, 0.0f, call ("setSpeakerArrangement", pvPointer, p), Answer::boolean },
            { effSetBypass,                0, 2,   nullptr, 0.0f, call ("setBypass", true), Answer::boolean },
            { effSetBypass,                0, 0,   nullptr, 0.0f, call ("setBypass", false), Answer::boolean },
            { effGetEffectName,            0, 0,   p, 0.0f, call ("getEffectName", p), Answer::boolean },
            { effGetVendorString,          0, 0,   p, 0.0f, call ("getVendorString", p), Answer::boolean },
            { effGetProductString,         0, 0,   p, 0.0f, call ("getProductString", p), Answer::boolean },
            { effGetVendorVersion,         0, 0,   nullptr, 0.0f, call ("getVendorVersion"), Answer::integer },
            { effVendorSpecific,           8, 77,  p, 0.5f, call ("vendorSpecific", 8, 77LL, p, 0.5f), Answer::integer },
            { effCanDo,                    0, 0,   p, 0.0f, call ("canDo", p), Answer::integer },
            { effGetTailSize,              0, 0,   nullptr, 0.0f, call ("getGetTailSize"), Answer::integer },
            { effGetParameterProperties,   9, 0,   p, 0.0f, call ("getParameterProperties", 9, p), Answer::boolean },
            { effGetVstVersion,            0, 0,   nullptr, 0.0f, call ("getVstVersion"), Answer::integer },
            { effGetMidiProgramName,       3, 0,   p, 0.0f, call ("getMidiProgramName", 3, p), Answer::integer },
            { effGetCurrentMidiProgram,    3, 0,   p, 0.0f, call ("getCurrentMidiProgram", 3, p), Answer::integer },
            { effGetMidiProgramCategory,   3, 0,   p, 0.0f, call ("getMidiProgramCategory", 3, p), Answer::integer },
            { effHasMidiProgramsChanged,   3, 0,   nullptr, 0.0f, call ("hasMidiProgramsChanged", 3), Answer::boolean },
            { effGetMidiKeyName,           3, 0,   p, 0.0f, call ("getMidiKeyName", 3, p), Answer::boolean },
            { effBeginSetProgram,          0, 0,   nullptr, 0.0f, call ("beginSetProgram"), Answer::boolean },
            { effEndSetProgram,            0, 0,   nullptr, 0.0f, call ("endSetProgram"), Answer::boolean },
            { effGetSpeakerArrangement,    0, pv,  p, 0.0f, call ("getSpeakerArrangement", pvPointer, p), Answer::boolean },
            { effShellGetNextPlugin,       0, 0,   p, 0.0f, call ("getNextShellPlugin", p), Answer::integer },
            { effStartProcess,             0, 0,   nullptr, 0.0f, call ("startProcess"), Answer::integer },
            { effStopProcess,              0, 0,   nullptr, 0.0f, call ("stopProcess"), Answer::integer },
            { effSetTotalSampleToProcess,  0, 4410, nullptr, 0.0f, call ("setTotalSampleToProcess", 4410), Answer::integer },
            { effSetPanLaw,                0, 1,   nullptr, 0.707f, call ("setPanLaw", 1, 0.707f), Answer::boolean },
            { effBeginLoadBank,            0, 0,   p, 0.0f, call ("beginLoadBank", p), Answer::integer },
            { effBeginLoadProgram,         0, 0,   p, 0.0f, call ("beginLoadProgram", p), Answer::integer },
            { effSetProcessPrecision,      0, 1,   nullptr, 0.0f, call ("setProcessPrecision", 1), Answer::boolean },
            { effGetNumMidiInputChannels,  0, 0,   nullptr, 0.0f, call ("getNumMidiInputChannels"), Answer::integer },
            { effGetNumMidiOutputChannels, 0, 0,   nullptr, 0.0f, call ("getNumMidiOutputChannels"), Answer::integer },
        };
    }
}

TEST_F (VstBaseDispatch, EveryOpcodeReachesItsOperationWithItsArguments)
{
    RecordingEffect effect (recordingHost, 4, 10);

    // Once with "yes" and a negative integer, once with "no" and zero: booleans come back as
    // 1 or 0, integers unchanged.
    for (const auto& [yes, number] : { std::pair<bool, VstInt32> { true, -3 }, { false, 0 } })
    {
        for (const auto& r : routes())
        {
            reset();
            boolAnswer = yes;
            intAnswer = number;

            const auto answer = effect.send (r.opcode, r.index, r.value, r.ptr, r.opt);

            EXPECT_EQ (calls, std::vector<std::string> { r.expectedCall }) << "opcode " << r.opcode;

            const VstIntPtr expected = r.answer == Answer::boolean ? (yes ? 1 : 0)
                                     : r.answer == Answer::integer ? number : 0;
            EXPECT_EQ (answer, expected) << "opcode " << r.opcode;
        }
    }
}

TEST_F (VstBaseDispatch, UnhandledOpcodesAnswerZeroAndCallNothing)
{
    RecordingEffect effect (recordingHost, 4, 10);
    effect.setEditor (new RecordingEditor());

    for (const VstInt32 opcode : { 9, 16, 17, 18, 20, 21, 28, 30, 31, 32, 36, 37, 43, 46, 53, 54, 55, 57,
                                   80, 81, 200, -1, std::numeric_limits<VstInt32>::max() })
    {
        reset();
        EXPECT_EQ (effect.send (opcode, 1, 1, p, 1.0f), 0) << "opcode " << opcode;
        EXPECT_TRUE (calls.empty()) << "opcode " << opcode << " called " << calls.front();
    }
}

TEST_F (VstBaseDispatch, IdentifyAnswersTheTag)
{
    MinimalEffect effect (recordingHost);
    EXPECT_EQ (effect.send (effIdentify), 0x4E764566);
}

TEST_F (VstBaseDispatch, SetProgramReachesOnlyExistingPrograms)
{
    RecordingEffect effect (recordingHost, 4, 0);

    for (const VstIntPtr value : { 0, 3 })
    {
        reset();
        EXPECT_EQ (effect.send (effSetProgram, 0, value), 0);
        EXPECT_EQ (calls, std::vector<std::string> { call ("setProgram", (int) value) });
    }

    // Equal to the count, beyond it, and negative: ignored.
    for (const VstIntPtr value : { (VstIntPtr) 4, (VstIntPtr) 5, (VstIntPtr) -1, std::numeric_limits<VstIntPtr>::min() })
    {
        reset();
        EXPECT_EQ (effect.send (effSetProgram, 0, value), 0);
        EXPECT_TRUE (calls.empty()) << "value " << value;
    }

    RecordingEffect noPrograms (recordingHost, 0, 0);

    for (const VstIntPtr value : { 0, 1, 100 })
    {
        reset();
        noPrograms.send (effSetProgram, 0, value);
        EXPECT_TRUE (calls.empty()) << "value " << value;
    }
}

TEST_F (VstBaseDispatch, BaseProgramStateFollowsSetProgram)
{
    MinimalEffect effect (recordingHost, 4, 0);
    EXPECT_EQ (effect.send (effGetProgram), 0);
    effect.send (effSetProgram, 0, 2);
    EXPECT_EQ (effect.send (effGetProgram), 2);
    effect.send (effSetProgram, 0, 4);
    EXPECT_EQ (effect.currentProgram(), 2);
}

TEST_F (VstBaseDispatch, MainsChangedSuspendsOnZeroAndResumesOnAnythingElse)
{
    RecordingEffect effect (recordingHost);

    for (const auto& [value, expected] : { std::pair<VstIntPtr, const char*> { 0, "suspend" }, { 1, "resume" },
                                           { 2, "resume" }, { -1, "resume" },
                                           { std::numeric_limits<VstIntPtr>::min(), "resume" } })
    {
        reset();
        EXPECT_EQ (effect.send (effMainsChanged, 0, value), 0);
        EXPECT_EQ (calls, std::vector<std::string> { call (expected) }) << "value " << value;
    }
}

TEST_F (VstBaseDispatch, EditorOpcodesReachTheEditorObjectOrAnswerZeroWithoutOne)
{
    struct EditorRoute
    {
        VstInt32 opcode;
        VstInt32 index;
        VstIntPtr value;
        float opt;
        std::string expectedCall;
        bool boolean;
    };

    const std::vector<EditorRoute> editorRoutes {
        { effEditGetRect,     0,  0,     0.0f, call ("getRect", p), true },
        { effEditOpen,        0,  0,     0.0f, call ("editorOpen", p), true },
        { effEditClose,       0,  0,     0.0f, call ("editorClose"), false },
        { effEditIdle,        0,  0,     0.0f, call ("idle"), false },
        { effEditKeyDown,     65, 0x1FF, 2.9f, call ("onKeyDown", 65, 0xFF, 2), true },
        { effEditKeyUp,       65, 0x1FF, 2.9f, call ("onKeyUp", 65, 0xFF, 2), true },
        { effEditKeyDown,     -7, 0x2A,  -1.5f, call ("onKeyDown", -7, 0x2A, 0xFF), true },
        { effEditKeyUp,       0,  0x100, 258.0f, call ("onKeyUp", 0, 0, 2), true },
        // Modifiers that no integer holds are none at all.
        { effEditKeyDown,     1,  3,     std::numeric_limits<float>::quiet_NaN(), call ("onKeyDown", 1, 3, 0), true },
        { effEditKeyDown,     1,  3,     std::numeric_limits<float>::infinity(), call ("onKeyDown", 1, 3, 0), true },
        { effSetEditKnobMode, 0,  2,     0.0f, call ("setKnobMode", 2), true },
    };

    RecordingEffect withEditor (recordingHost);
    withEditor.setEditor (new RecordingEditor());
    RecordingEffect withoutEditor (recordingHost);

    for (const bool yes : { true, false })
    {
        for (const auto& r : editorRoutes)
        {
            reset();
            boolAnswer = yes;
            EXPECT_EQ (withEditor.send (r.opcode, r.index, r.value, p, r.opt), r.boolean && yes ? 1 : 0)
                << "opcode " << r.opcode;
            EXPECT_EQ (calls, std::vector<std::string> { r.expectedCall }) << "opcode " << r.opcode;

            reset();
            EXPECT_EQ (withoutEditor.send (r.opcode, r.index, r.value, p, r.opt), 0) << "opcode " << r.opcode;
            EXPECT_TRUE (calls.empty()) << "opcode " << r.opcode;
        }
    }
}

TEST_F (VstBaseDispatch, EffectDeletesItsEditorObject)
{
    {
        MinimalEffect effect (recordingHost);
        effect.setEditor (new RecordingEditor());
        EXPECT_EQ (editorsAlive, 1);
    }
    EXPECT_EQ (editorsAlive, 0);
}

TEST_F (VstBaseDispatch, DefaultsAnswerAsTheBaseDoes)
{
    MinimalEffect effect (recordingHost, 2, 3);
    char text[16];

    const std::vector<std::pair<VstInt32, VstIntPtr>> answers {
        { effGetVstVersion, 2400 },
        { effGetCurrentMidiProgram, -1 },
        { effGetChunk, 0 },
        { effSetChunk, 0 },
        { effString2Parameter, 0 },
        { effGetParameterProperties, 0 },
        { effBeginSetProgram, 0 },
        { effEndSetProgram, 0 },
        { effBeginLoadBank, 0 },
        { effBeginLoadProgram, 0 },
        { effSetBypass, 0 },
        { effSetPanLaw, 0 },
        { effSetProcessPrecision, 0 },
        { effGetNumMidiInputChannels, 0 },
        { effGetNumMidiOutputChannels, 0 },
        { effGetTailSize, 0 },
        { effVendorSpecific, 0 },
        { effGetMidiProgramName, 0 },
        { effGetMidiProgramCategory, 0 },
        { effHasMidiProgramsChanged, 0 },
        { effGetMidiKeyName, 0 },
        { effShellGetNextPlugin, 0 },
        { effStartProcess, 0 },
        { effStopProcess, 0 },
        { effProcessVarIo, 0 },
        { effOfflineNotify, 0 },
        { effOfflinePrepare, 0 },
        { effOfflineRun, 0 },
    };

    for (const auto& [opcode, expected] : answers)
        EXPECT_EQ (effect.send (opcode, 1, 1, text, 1.0f), expected) << "opcode " << opcode;

    EXPECT_EQ (effect.send (effSetTotalSampleToProcess, 0, 12345), 12345);

    for (const VstInt32 opcode : { effGetProgramName, effGetParamLabel, effGetParamDisplay, effGetParamName })
    {
        std::strcpy (text, "stale");
        EXPECT_EQ (effect.send (opcode, 1, 0, text), 0);
        EXPECT_STREQ (text, "") << "opcode " << opcode;
    }

    VstSpeakerArrangement* in = fakePointer<VstSpeakerArrangement> (1);
    VstSpeakerArrangement* out = fakePointer<VstSpeakerArrangement> (2);
    EXPECT_EQ (effect.send (effGetSpeakerArrangement, 0, reinterpret_cast<VstIntPtr> (&in), &out), 0);
    EXPECT_EQ (in, nullptr);
    EXPECT_EQ (out, nullptr);

    EXPECT_EQ (effect.getNumCategories(), 1);
    EXPECT_EQ (effect.getVu(), 0.0f);
    EXPECT_EQ (effect.reportDestinationBuffer(), nullptr);
    EXPECT_EQ (effect.getIcon(), nullptr);
    EXPECT_EQ (effect.getAeffect()->getParameter (effect.getAeffect(), 1), 0.0f);
    EXPECT_TRUE (calls.empty()) << calls.front();
}

TEST_F (VstBaseDispatch, SampleRateAndBlockSizeAreStored)
{
    MinimalEffect effect (recordingHost);
    EXPECT_EQ (effect.getSampleRate(), 44100.0f);
    EXPECT_EQ (effect.getBlockSize(), 1024);

    effect.send (effSetSampleRate, 0, 0, nullptr, 96000.0f);
    effect.send (effSetBlockSize, 0, 64);
    EXPECT_EQ (effect.getSampleRate(), 96000.0f);
    EXPECT_EQ (effect.getBlockSize(), 64);

    effect.setBlockSizeAndSampleRate (256, 22050.0f);
    EXPECT_EQ (effect.rate(), 22050.0f);
    EXPECT_EQ (effect.block(), 256);
}
