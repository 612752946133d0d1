// Requests to the host: each helper's opcode and arguments, how it reads the host's answer, and
// what it answers without a host callback.

#include "tests/vst/VstTestEffect.h"

#include <gtest/gtest.h>

#include <functional>

using namespace vsttest;

namespace
{
    struct VstBaseHost : ::testing::Test
    {
        void SetUp() override { reset(); }
    };

    template <typename T>
    VstIntPtr asInt (T* pointer) { return reinterpret_cast<VstIntPtr> (pointer); }

    struct Helper
    {
        const char* name;
        std::function<VstIntPtr (MinimalEffect&)> invoke;   // the helper's result as an integer
        VstInt32 opcode, index;
        VstIntPtr value;
        const void* ptr;
        float opt;
        VstIntPtr whenHostSaysFive, whenHostSaysZero, withoutHost;
    };

    // Pointer arguments, told apart by their address.
    auto* const files = fakePointer<VstAudioFile> (1);
    auto* const task = fakePointer<VstOfflineTask> (2);
    auto* const selector = fakePointer<VstFileSelect> (3);
    auto* const window = fakePointer<VstWindow> (4);
    auto* const path = fakePointer<void> (5);
    auto* const text = fakePointer<char> (6);
    auto* const vendorPtr = fakePointer<void> (8);

    std::vector<Helper> helpers()
    {
        return {
            { "getMasterVersion", [] (MinimalEffect& e) { return (VstIntPtr) e.getMasterVersion(); },
              audioMasterVersion, 0, 0, nullptr, 0.0f, 5, 1, 1 },
            { "getCurrentUniqueId", [] (MinimalEffect& e) { return (VstIntPtr) e.getCurrentUniqueId(); },
              audioMasterCurrentId, 0, 0, nullptr, 0.0f, 5, 0, 0 },
            { "masterIdle", [] (MinimalEffect& e) { e.masterIdle(); return (VstIntPtr) 0; },
              audioMasterIdle, 0, 0, nullptr, 0.0f, 0, 0, 0 },
            { "isInputConnected", [] (MinimalEffect& e) { return (VstIntPtr) e.isInputConnected (3); },
              audioMasterPinConnected, 3, 0, nullptr, 0.0f, 0, 1, 1 },
            { "isOutputConnected", [] (MinimalEffect& e) { return (VstIntPtr) e.isOutputConnected (4); },
              audioMasterPinConnected, 4, 1, nullptr, 0.0f, 0, 1, 1 },
            { "wantEvents", [] (MinimalEffect& e) { e.wantEvents (1); return (VstIntPtr) 0; },
              audioMasterWantMidi, 0, 1, nullptr, 0.0f, 0, 0, 0 },
            { "getTimeInfo", [] (MinimalEffect& e) { return asInt (e.getTimeInfo (0x2F00)); },
              audioMasterGetTime, 0, 0x2F00, nullptr, 0.0f, 5, 0, 0 },
            { "tempoAt", [] (MinimalEffect& e) { return (VstIntPtr) e.tempoAt (9000); },
              audioMasterTempoAt, 0, 9000, nullptr, 0.0f, 5, 0, 0 },
            { "getNumAutomatableParameters", [] (MinimalEffect& e) { return (VstIntPtr) e.getNumAutomatableParameters(); },
              audioMasterGetNumAutomatableParameters, 0, 0, nullptr, 0.0f, 5, 0, 0 },
            { "getParameterQuantization", [] (MinimalEffect& e) { return (VstIntPtr) e.getParameterQuantization(); },
              audioMasterGetParameterQuantization, 0, 0, nullptr, 0.0f, 5, 0, 0 },
            { "ioChanged", [] (MinimalEffect& e) { return (VstIntPtr) e.ioChanged(); },
              audioMasterIOChanged, 0, 0, nullptr, 0.0f, 1, 0, 0 },
            { "needIdle", [] (MinimalEffect& e) { return (VstIntPtr) e.needIdle(); },
              audioMasterNeedIdle, 0, 0, nullptr, 0.0f, 1, 0, 0 },
            { "sizeWindow", [] (MinimalEffect& e) { return (VstIntPtr) e.sizeWindow (800, 550); },
              audioMasterSizeWindow, 800, 550, nullptr, 0.0f, 1, 0, 0 },
            { "getInputLatency", [] (MinimalEffect& e) { return (VstIntPtr) e.getInputLatency(); },
              audioMasterGetInputLatency, 0, 0, nullptr, 0.0f, 5, 0, 0 },
            { "getOutputLatency", [] (MinimalEffect& e) { return (VstIntPtr) e.getOutputLatency(); },
              audioMasterGetOutputLatency, 0, 0, nullptr, 0.0f, 5, 0, 0 },
            { "getPreviousPlug", [] (MinimalEffect& e) { return asInt (e.getPreviousPlug (2)); },
              audioMasterGetPreviousPlug, 0, 0, nullptr, 0.0f, 5, 0, 0 },
            { "getNextPlug", [] (MinimalEffect& e) { return asInt (e.getNextPlug (2)); },
              audioMasterGetNextPlug, 0, 0, nullptr, 0.0f, 5, 0, 0 },
            { "willProcessReplacing", [] (MinimalEffect& e) { return (VstIntPtr) e.willProcessReplacing(); },
              audioMasterWillReplaceOrAccumulate, 0, 0, nullptr, 0.0f, 5, 0, 0 },
            { "getCurrentProcessLevel", [] (MinimalEffect& e) { return (VstIntPtr) e.getCurrentProcessLevel(); },
              audioMasterGetCurrentProcessLevel, 0, 0, nullptr, 0.0f, 5, 0, 0 },
            { "getAutomationState", [] (MinimalEffect& e) { return (VstIntPtr) e.getAutomationState(); },
              audioMasterGetAutomationState, 0, 0, nullptr, 0.0f, 5, 0, 0 },
            { "offlineStart", [] (MinimalEffect& e) { return (VstIntPtr) e.offlineStart (files, 3, 2); },
              audioMasterOfflineStart, 2, 3, files, 0.0f, 1, 0, 0 },
            { "offlineRead", [] (MinimalEffect& e) { return (VstIntPtr) e.offlineRead (task, 6, true); },
              audioMasterOfflineRead, 1, 6, task, 0.0f, 1, 0, 0 },
            { "offlineRead unread source", [] (MinimalEffect& e) { return (VstIntPtr) e.offlineRead (task, 6, false); },
              audioMasterOfflineRead, 0, 6, task, 0.0f, 1, 0, 0 },
            { "offlineWrite", [] (MinimalEffect& e) { return (VstIntPtr) e.offlineWrite (task, 7); },
              audioMasterOfflineWrite, 0, 7, task, 0.0f, 1, 0, 0 },
            { "offlineGetCurrentPass", [] (MinimalEffect& e) { return (VstIntPtr) e.offlineGetCurrentPass(); },
              audioMasterOfflineGetCurrentPass, 0, 0, nullptr, 0.0f, 1, 0, 0 },
            { "offlineGetCurrentMetaPass", [] (MinimalEffect& e) { return (VstIntPtr) e.offlineGetCurrentMetaPass(); },
              audioMasterOfflineGetCurrentMetaPass, 0, 0, nullptr, 0.0f, 1, 0, 0 },
            { "setOutputSamplerate", [] (MinimalEffect& e) { e.setOutputSamplerate (48000.0f); return (VstIntPtr) 0; },
              audioMasterSetOutputSampleRate, 0, 0, nullptr, 48000.0f, 0, 0, 0 },
            { "getOutputSpeakerArrangement", [] (MinimalEffect& e) { return asInt (e.getOutputSpeakerArrangement()); },
              audioMasterGetOutputSpeakerArrangement, 0, 0, nullptr, 0.0f, 5, 0, 0 },
            { "getHostVendorString", [] (MinimalEffect& e) { return (VstIntPtr) e.getHostVendorString (text); },
              audioMasterGetVendorString, 0, 0, text, 0.0f, 1, 0, 0 },
            { "getHostProductString", [] (MinimalEffect& e) { return (VstIntPtr) e.getHostProductString (text); },
              audioMasterGetProductString, 0, 0, text, 0.0f, 1, 0, 0 },
            { "getHostVendorVersion", [] (MinimalEffect& e) { return (VstIntPtr) e.getHostVendorVersion(); },
              audioMasterGetVendorVersion, 0, 0, nullptr, 0.0f, 5, 0, 0 },
            { "hostVendorSpecific", [] (MinimalEffect& e) { return e.hostVendorSpecific (11, 12, vendorPtr, 0.25f); },
              audioMasterVendorSpecific, 11, 12, vendorPtr, 0.25f, 5, 0, 0 },
            { "canHostDo", [] (MinimalEffect& e) { return (VstIntPtr) e.canHostDo (text); },
              audioMasterCanDo, 0, 0, text, 0.0f, 1, 0, 0 },
            { "getHostLanguage", [] (MinimalEffect& e) { return (VstIntPtr) e.getHostLanguage(); },
              audioMasterGetLanguage, 0, 0, nullptr, 0.0f, 5, 0, 0 },
            { "openWindow", [] (MinimalEffect& e) { return asInt (e.openWindow (window)); },
              audioMasterOpenWindow, 0, 0, window, 0.0f, 5, 0, 0 },
            { "closeWindow", [] (MinimalEffect& e) { return (VstIntPtr) e.closeWindow (window); },
              audioMasterCloseWindow, 0, 0, window, 0.0f, 1, 0, 0 },
            { "getDirectory", [] (MinimalEffect& e) { return asInt (e.getDirectory()); },
              audioMasterGetDirectory, 0, 0, nullptr, 0.0f, 5, 0, 0 },
            { "updateDisplay", [] (MinimalEffect& e) { return (VstIntPtr) e.updateDisplay(); },
              audioMasterUpdateDisplay, 0, 0, nullptr, 0.0f, 1, 0, 0 },
            { "beginEdit", [] (MinimalEffect& e) { return (VstIntPtr) e.beginEdit (17); },
              audioMasterBeginEdit, 17, 0, nullptr, 0.0f, 1, 0, 0 },
            { "endEdit", [] (MinimalEffect& e) { return (VstIntPtr) e.endEdit (17); },
              audioMasterEndEdit, 17, 0, nullptr, 0.0f, 1, 0, 0 },
            { "openFileSelector", [] (MinimalEffect& e) { return (VstIntPtr) e.openFileSelector (selector); },
              audioMasterOpenFileSelector, 0, 0, selector, 0.0f, 1, 0, 0 },
            { "closeFileSelector", [] (MinimalEffect& e) { return (VstIntPtr) e.closeFileSelector (selector); },
              audioMasterCloseFileSelector, 0, 0, selector, 0.0f, 1, 0, 0 },
            { "getChunkFile", [] (MinimalEffect& e) { return (VstIntPtr) e.getChunkFile (path); },
              audioMasterGetChunkFile, 0, 0, path, 0.0f, 1, 0, 0 },
            { "getInputSpeakerArrangement", [] (MinimalEffect& e) { return asInt (e.getInputSpeakerArrangement()); },
              audioMasterGetInputSpeakerArrangement, 0, 0, nullptr, 0.0f, 5, 0, 0 },
        };
    }
}

TEST_F (VstBaseHost, EveryHelperSendsItsOpcodeAndReadsTheAnswer)
{
    MinimalEffect effect (recordingHost);

    for (const auto& h : helpers())
    {
        for (const auto& [answer, expected] : { std::pair<VstIntPtr, VstIntPtr> { 5, h.whenHostSaysFive },
                                                { 0, h.whenHostSaysZero } })
        {
            reset();
            hostAnswer = answer;

            EXPECT_EQ (h.invoke (effect), expected) << h.name << " with host answer " << answer;
            EXPECT_EQ (calls, std::vector<std::string> { hostCall (h.opcode, h.index, h.value, h.ptr, h.opt) }) << h.name;
            EXPECT_EQ (lastHostEffect, effect.getAeffect()) << h.name;
        }
    }
}

TEST_F (VstBaseHost, WithoutAHostEveryHelperSendsNothingAndAnswersItsDefault)
{
    MinimalEffect effect (nullptr);

    for (const auto& h : helpers())
        EXPECT_EQ (h.invoke (effect), h.withoutHost) << h.name;

    effect.setParameterAutomated (1, 0.5f);
    EXPECT_TRUE (calls.empty());
}

TEST_F (VstBaseHost, NullSelectorsAndPathsAreRefusedWithoutAskingTheHost)
{
    MinimalEffect effect (recordingHost);
    hostAnswer = 1;

    EXPECT_FALSE (effect.openFileSelector (nullptr));
    EXPECT_FALSE (effect.closeFileSelector (nullptr));
    EXPECT_FALSE (effect.getChunkFile (nullptr));
    EXPECT_TRUE (calls.empty());
}

TEST_F (VstBaseHost, SetParameterAutomatedSetsTheValueBeforeTheHostHearsOfIt)
{
    RecordingEffect effect (recordingHost);
    float valueTheHostSaw = -1.0f;

    // A host that reads the parameter back through the record the moment it is told.
    static float* seen = nullptr;
    seen = &valueTheHostSaw;
    const audioMasterCallback readingHost = [] (AEffect* e, VstInt32 opcode, VstInt32 index, VstIntPtr value,
                                                void* ptr, float opt) -> VstIntPtr
    {
        calls.push_back (hostCall (opcode, index, value, ptr, opt));
        *seen = e->getParameter (e, index);
        return 0;
    };

    RecordingEffect automated (readingHost);
    automated.setParameterAutomated (7, 0.625f);

    EXPECT_EQ (calls, (std::vector<std::string> { call ("setParameter", 7, 0.625f),
                                                hostCall (audioMasterAutomate, 7, 0, nullptr, 0.625f),
                                                call ("getParameter", 7) }));
    EXPECT_EQ (valueTheHostSaw, 0.625f);

    reset();
    effect.setParameterAutomated (3, 0.25f);
    EXPECT_EQ (calls, (std::vector<std::string> { call ("setParameter", 3, 0.25f),
                                                hostCall (audioMasterAutomate, 3, 0, nullptr, 0.25f) }));
}

TEST_F (VstBaseHost, SampleRateAndBlockSizeFromTheHostKeepOnlyPositiveAnswers)
{
    MinimalEffect effect (recordingHost);

    hostAnswer = 48000;
    EXPECT_EQ (effect.updateSampleRate(), 48000.0);
    EXPECT_EQ (effect.getSampleRate(), 48000.0f);
    hostAnswer = 256;
    EXPECT_EQ (effect.updateBlockSize(), 256);
    EXPECT_EQ (effect.getBlockSize(), 256);

    for (const VstIntPtr answer : { 0, -1 })
    {
        reset();
        hostAnswer = answer;
        EXPECT_EQ (effect.updateSampleRate(), 48000.0) << answer;
        EXPECT_EQ (effect.updateBlockSize(), 256) << answer;
        EXPECT_EQ (calls, (std::vector<std::string> { hostCall (audioMasterGetSampleRate, 0, 0, nullptr, 0.0f),
                                                    hostCall (audioMasterGetBlockSize, 0, 0, nullptr, 0.0f) }));
    }

    MinimalEffect alone (nullptr);
    EXPECT_EQ (alone.updateSampleRate(), 44100.0);
    EXPECT_EQ (alone.updateBlockSize(), 1024);
}
