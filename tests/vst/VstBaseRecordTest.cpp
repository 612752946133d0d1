// The effect record as the host reads it: its bytes, what the constructor puts there, the flag
// setters, the entry functions, effClose, and the fixed order of the virtual operations.

#include "tests/vst/VstRecordOffsets.h"
#include "tests/vst/VstTestEffect.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>

using namespace vsttest;

namespace
{
    struct VstBaseRecord : ::testing::Test
    {
        void SetUp() override { reset(); }
    };
}

TEST_F (VstBaseRecord, ConstructorFillsTheRecordAsTheHostReadsIt)
{
    MinimalEffect effect (recordingHost, 3, 49);
    const AEffect* e = effect.getAeffect();
    const auto& o = hostOffsets;

    EXPECT_EQ (sizeof (AEffect), o.size);
    EXPECT_EQ (readAt<VstInt32> (e, o.magic), 0x56737450);
    EXPECT_EQ (readAt<VstInt32> (e, o.numPrograms), 3);
    EXPECT_EQ (readAt<VstInt32> (e, o.numParams), 49);
    EXPECT_EQ (readAt<VstInt32> (e, o.numInputs), 1);
    EXPECT_EQ (readAt<VstInt32> (e, o.numOutputs), 2);
    EXPECT_EQ (readAt<VstInt32> (e, o.flags), 0x10);
    EXPECT_EQ (readAt<VstIntPtr> (e, o.resvd1), 0);
    EXPECT_EQ (readAt<VstIntPtr> (e, o.resvd2), 0);
    EXPECT_EQ (readAt<VstInt32> (e, o.initialDelay), 0);
    EXPECT_EQ (readAt<VstInt32> (e, o.realQualities), 0);
    EXPECT_EQ (readAt<VstInt32> (e, o.offQualities), 0);
    EXPECT_EQ (readAt<float> (e, o.ioRatio), 1.0f);
    EXPECT_EQ (readAt<void*> (e, o.object), static_cast<void*> (static_cast<AudioEffect*> (&effect)));
    EXPECT_EQ (readAt<void*> (e, o.user), nullptr);
    EXPECT_EQ (readAt<VstInt32> (e, o.uniqueID), 0x4E6F4566);
    EXPECT_EQ (readAt<VstInt32> (e, o.version), 1);

    for (auto offset : { o.dispatcher, o.process, o.setParameter, o.getParameter, o.processReplacing, o.processDoubleReplacing })
        EXPECT_NE (readAt<void*> (e, offset), nullptr) << "entry at offset " << offset;

    for (std::size_t i = 0; i < 56; ++i)
        EXPECT_EQ (readAt<char> (e, o.future + i), 0) << "future byte " << i;
}

TEST_F (VstBaseRecord, SettersWriteTheFieldsAtTheHostsOffsets)
{
    MinimalEffect effect (nullptr);
    effect.setUniqueID (0x4A63446D);
    effect.setNumInputs (0);
    effect.setNumOutputs (6);
    effect.setInitialDelay (128);
    effect.setRealtimeQualities (7);
    effect.setOfflineQualities (9);

    const AEffect* e = effect.getAeffect();
    EXPECT_EQ (readAt<VstInt32> (e, hostOffsets.uniqueID), 0x4A63446D);
    EXPECT_EQ (readAt<VstInt32> (e, hostOffsets.numInputs), 0);
    EXPECT_EQ (readAt<VstInt32> (e, hostOffsets.numOutputs), 6);
    EXPECT_EQ (readAt<VstInt32> (e, hostOffsets.initialDelay), 128);
    EXPECT_EQ (readAt<VstInt32> (e, hostOffsets.realQualities), 7);
    EXPECT_EQ (readAt<VstInt32> (e, hostOffsets.offQualities), 9);
}

TEST_F (VstBaseRecord, FlagSettersSetAndClearOnlyTheirBit)
{
    const std::vector<std::pair<std::function<void (MinimalEffect&, bool)>, VstInt32>> setters {
        { [] (MinimalEffect& x, bool s) { x.hasClip (s); },             0x2 },
        { [] (MinimalEffect& x, bool s) { x.hasVu (s); },               0x4 },
        { [] (MinimalEffect& x, bool s) { x.canMono (s); },             0x8 },
        { [] (MinimalEffect& x, bool s) { x.canProcessReplacing (s); }, 0x10 },
        { [] (MinimalEffect& x, bool s) { x.programsAreChunks (s); },   0x20 },
        { [] (MinimalEffect& x, bool s) { x.isSynth (s); },             0x100 },
        { [] (MinimalEffect& x, bool s) { x.noTail (s); },              0x200 },
        { [] (MinimalEffect& x, bool s) { x.wantAsyncOperation (s); },  0x400 },
        { [] (MinimalEffect& x, bool s) { x.hasExternalBuffer (s); },   0x800 },
        { [] (MinimalEffect& x, bool s) { x.canDoubleReplacing (s); },  0x1000 },
    };

    for (const auto& [setter, bit] : setters)
    {
        MinimalEffect effect (nullptr);
        auto& flags = effect.getAeffect()->flags;

        flags = 0x5A5A & ~bit;
        setter (effect, true);
        EXPECT_EQ (flags, (0x5A5A & ~bit) | bit) << "bit " << bit;

        flags = 0x5A5A | bit;
        setter (effect, false);
        EXPECT_EQ (flags, 0x5A5A & ~bit) << "bit " << bit;
    }
}

TEST_F (VstBaseRecord, EntryFunctionsReachTheirOperations)
{
    auto* effect = new RecordingEffect (recordingHost, 0, 4);
    AEffect* e = effect->getAeffect();

    float* in[2] {};
    float* out[2] {};
    double* inD[2] {};
    double* outD[2] {};

    e->process (e, in, out, 11);
    e->processReplacing (e, in, out, 12);
    e->processDoubleReplacing (e, inD, outD, 13);
    e->setParameter (e, 2, 0.75f);
    EXPECT_EQ (e->getParameter (e, 2), 0.75f);

    EXPECT_EQ (calls, (std::vector<std::string> { call ("process", 11), call ("processReplacing", 12),
                                                call ("processDoubleReplacing", 13), call ("setParameter", 2, 0.75f),
                                                call ("getParameter", 2) }));

    e->dispatcher (e, effClose, 0, 0, nullptr, 0.0f);
}

TEST_F (VstBaseRecord, CloseThroughTheEntryRunsCloseAnswersOneAndDestroysTheObject)
{
    for (const bool withEditor : { false, true })
    {
        reset();
        auto* effect = new RecordingEffect (recordingHost);

        if (withEditor)
            effect->setEditor (new RecordingEditor());

        AEffect* e = effect->getAeffect();
        ASSERT_EQ (effectsAlive, 1);

        EXPECT_EQ (e->dispatcher (e, effClose, 0, 0, nullptr, 0.0f), 1);
        EXPECT_EQ (effectsAlive, 0);
        EXPECT_EQ (editorsAlive, 0);
        EXPECT_EQ (calls, std::vector<std::string> { call ("close") });
    }
}

TEST_F (VstBaseRecord, DispatcherMethodAloneDoesNotDestroyTheObject)
{
    RecordingEffect effect (recordingHost);
    EXPECT_EQ (effect.dispatcher (effClose, 0, 0, nullptr, 0.0f), 0);
    EXPECT_EQ (effectsAlive, 1);
    EXPECT_EQ (calls, std::vector<std::string> { call ("close") });
}

//==============================================================================
#if defined(__GNUC__)
namespace
{
    // In the Itanium C++ ABI a pointer to a virtual member function holds 1 + its byte offset in
    // the virtual table, where a virtual destructor takes two entries: slot n of the operation
    // tables (the destructor being slot 0) is entry n + 1.
    template <typename F>
    int tableSlot (F member)
    {
        std::uintptr_t word = 0;
        std::memcpy (&word, &member, sizeof (word));
        return word % 2 == 1 ? (int) ((word - 1) / sizeof (void*)) - 1 : -1;
    }
}

TEST_F (VstBaseRecord, VirtualOperationsKeepTheirSlots)
{
    using A = AudioEffect;
    using X = AudioEffectX;

    const std::vector<int> slots {
        tableSlot (&A::dispatcher), tableSlot (&A::open), tableSlot (&A::close), tableSlot (&A::suspend),
        tableSlot (&A::resume), tableSlot (&A::setSampleRate), tableSlot (&A::setBlockSize),
        tableSlot (&A::processReplacing), tableSlot (&A::processDoubleReplacing), tableSlot (&A::setParameter),
        tableSlot (&A::getParameter), tableSlot (&A::setParameterAutomated), tableSlot (&A::getProgram),
        tableSlot (&A::setProgram), tableSlot (&A::setProgramName), tableSlot (&A::getProgramName),
        tableSlot (&A::getParameterLabel), tableSlot (&A::getParameterDisplay), tableSlot (&A::getParameterName),
        tableSlot (&A::getChunk), tableSlot (&A::setChunk), tableSlot (&A::setUniqueID), tableSlot (&A::setNumInputs),
        tableSlot (&A::setNumOutputs), tableSlot (&A::canProcessReplacing), tableSlot (&A::canDoubleReplacing),
        tableSlot (&A::programsAreChunks), tableSlot (&A::setInitialDelay), tableSlot (&A::getEditor),
        tableSlot (&A::getAeffect), tableSlot (&A::getSampleRate), tableSlot (&A::getBlockSize),
        tableSlot (&A::getMasterVersion), tableSlot (&A::getCurrentUniqueId), tableSlot (&A::masterIdle),
        tableSlot (&A::dB2string), tableSlot (&A::Hz2string), tableSlot (&A::ms2string), tableSlot (&A::float2string),
        tableSlot (&A::int2string), tableSlot (&A::process), tableSlot (&A::getVu), tableSlot (&A::hasVu),
        tableSlot (&A::hasClip), tableSlot (&A::canMono), tableSlot (&A::setRealtimeQualities),
        tableSlot (&A::setOfflineQualities), tableSlot (&A::isInputConnected), tableSlot (&A::isOutputConnected),

        tableSlot (&X::canParameterBeAutomated), tableSlot (&X::string2parameter), tableSlot (&X::getParameterProperties),
        tableSlot (&X::beginEdit), tableSlot (&X::endEdit), tableSlot (&X::getProgramNameIndexed),
        tableSlot (&X::beginSetProgram), tableSlot (&X::endSetProgram), tableSlot (&X::beginLoadBank),
        tableSlot (&X::beginLoadProgram), tableSlot (&X::ioChanged), tableSlot (&X::updateSampleRate),
        tableSlot (&X::updateBlockSize), tableSlot (&X::getInputLatency), tableSlot (&X::getOutputLatency),
        tableSlot (&X::getInputProperties), tableSlot (&X::getOutputProperties), tableSlot (&X::setSpeakerArrangement),
        tableSlot (&X::getSpeakerArrangement), tableSlot (&X::setBypass), tableSlot (&X::setPanLaw),
        tableSlot (&X::setProcessPrecision), tableSlot (&X::getNumMidiInputChannels),
        tableSlot (&X::getNumMidiOutputChannels), tableSlot (&X::getTimeInfo), tableSlot (&X::getCurrentProcessLevel),
        tableSlot (&X::getAutomationState), tableSlot (&X::processEvents), tableSlot (&X::startProcess),
        tableSlot (&X::stopProcess), tableSlot (&X::processVariableIo), tableSlot (&X::setTotalSampleToProcess),
        tableSlot (&X::getHostVendorString), tableSlot (&X::getHostProductString), tableSlot (&X::getHostVendorVersion),
        tableSlot (&X::hostVendorSpecific), tableSlot (&X::canHostDo), tableSlot (&X::getHostLanguage),
        tableSlot (&X::isSynth), tableSlot (&X::noTail), tableSlot (&X::getGetTailSize), tableSlot (&X::getDirectory),
        tableSlot (&X::getEffectName), tableSlot (&X::getVendorString), tableSlot (&X::getProductString),
        tableSlot (&X::getVendorVersion), tableSlot (&X::vendorSpecific), tableSlot (&X::canDo),
        tableSlot (&X::getVstVersion), tableSlot (&X::getPlugCategory), tableSlot (&X::getMidiProgramName),
        tableSlot (&X::getCurrentMidiProgram), tableSlot (&X::getMidiProgramCategory),
        tableSlot (&X::hasMidiProgramsChanged), tableSlot (&X::getMidiKeyName), tableSlot (&X::updateDisplay),
        tableSlot (&X::sizeWindow), tableSlot (&X::openFileSelector), tableSlot (&X::closeFileSelector),
        tableSlot (&X::getNextShellPlugin), tableSlot (&X::allocateArrangement), tableSlot (&X::deallocateArrangement),
        tableSlot (&X::copySpeaker), tableSlot (&X::matchArrangement), tableSlot (&X::offlineRead),
        tableSlot (&X::offlineWrite), tableSlot (&X::offlineStart), tableSlot (&X::offlineGetCurrentPass),
        tableSlot (&X::offlineGetCurrentMetaPass), tableSlot (&X::offlineNotify), tableSlot (&X::offlinePrepare),
        tableSlot (&X::offlineRun), tableSlot (&X::offlineGetNumPasses), tableSlot (&X::offlineGetNumMetaPasses),
        tableSlot (&X::wantEvents), tableSlot (&X::tempoAt), tableSlot (&X::getNumAutomatableParameters),
        tableSlot (&X::getParameterQuantization), tableSlot (&X::getNumCategories), tableSlot (&X::copyProgram),
        tableSlot (&X::needIdle), tableSlot (&X::getPreviousPlug), tableSlot (&X::getNextPlug),
        tableSlot (&X::inputConnected), tableSlot (&X::outputConnected), tableSlot (&X::willProcessReplacing),
        tableSlot (&X::wantAsyncOperation), tableSlot (&X::hasExternalBuffer), tableSlot (&X::reportCurrentPosition),
        tableSlot (&X::reportDestinationBuffer), tableSlot (&X::setOutputSamplerate),
        tableSlot (&X::getInputSpeakerArrangement), tableSlot (&X::getOutputSpeakerArrangement),
        tableSlot (&X::openWindow), tableSlot (&X::closeWindow), tableSlot (&X::setBlockSizeAndSampleRate),
        tableSlot (&X::getErrorText), tableSlot (&X::getIcon), tableSlot (&X::setViewPosition), tableSlot (&X::fxIdle),
        tableSlot (&X::keysRequired), tableSlot (&X::getChunkFile),
    };

    ASSERT_EQ (slots.size(), 151u);

    for (std::size_t i = 0; i < slots.size(); ++i)
        EXPECT_EQ (slots[i], (int) i + 1) << "operation number " << i + 1;

    const std::vector<int> editorSlots { tableSlot (&AEffEditor::getRect), tableSlot (&AEffEditor::open),
                                         tableSlot (&AEffEditor::close), tableSlot (&AEffEditor::idle),
                                         tableSlot (&AEffEditor::onKeyDown), tableSlot (&AEffEditor::onKeyUp),
                                         tableSlot (&AEffEditor::setKnobMode) };
    EXPECT_EQ (editorSlots, (std::vector<int> { 2, 3, 4, 6, 7, 8, 10 }));
}
#endif
