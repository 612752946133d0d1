// The Windows library's record as a 32-bit Windows host reads it: 144 bytes, each field at the
// offset such hosts use, and the entry functions answering through the cdecl pointers stored there.
#include "tests/plugin/PluginUnderTest.h"
#include "tests/vst/VstRecordOffsets.h"

#include <gtest/gtest.h>

static_assert (sizeof (void*) == 4, "this test is built for 32-bit Windows");

using namespace testhost;
using vsttest::readAt;

TEST (PluginRecord32, FieldsAtTheOffsetsOf32BitHosts)
{
    ASSERT_TRUE (pluginLibrary().isLoaded()) << ZARN_PLUGIN_PATH;
    Instance fx (pluginLibrary());
    const AEffect* e = fx.effect();
    ASSERT_NE (e, nullptr);
    const auto& o = vsttest::offsets32;

    EXPECT_EQ (sizeof (AEffect), o.size);
    EXPECT_EQ (readAt<VstInt32> (e, o.magic), 0x56737450);
    EXPECT_EQ (readAt<VstInt32> (e, o.numPrograms), 0);
    EXPECT_EQ (readAt<VstInt32> (e, o.numParams), 49);
    EXPECT_EQ (readAt<VstInt32> (e, o.numInputs), 0);
    EXPECT_EQ (readAt<VstInt32> (e, o.numOutputs), 2);
    EXPECT_EQ (readAt<VstInt32> (e, o.flags), 0x131);
    EXPECT_EQ (readAt<VstInt32> (e, o.initialDelay), 0);
    EXPECT_EQ (readAt<VstInt32> (e, o.uniqueID), 0x4A63446D);
    EXPECT_EQ (readAt<VstInt32> (e, o.version), 0x10100);

    // The host calls the functions it finds at those offsets.
    const auto dispatcher = readAt<AEffectDispatcherProc> (e, o.dispatcher);
    const auto setParameter = readAt<AEffectSetParameterProc> (e, o.setParameter);
    const auto getParameter = readAt<AEffectGetParameterProc> (e, o.getParameter);
    const auto processReplacing = readAt<AEffectProcessProc> (e, o.processReplacing);
    ASSERT_NE (dispatcher, nullptr);
    ASSERT_NE (setParameter, nullptr);
    ASSERT_NE (getParameter, nullptr);
    ASSERT_NE (processReplacing, nullptr);

    auto* effect = fx.effect();
    EXPECT_EQ (dispatcher (effect, effIdentify, 0, 0, nullptr, 0.0f), 0x4E764566);
    EXPECT_EQ (dispatcher (effect, effGetVstVersion, 0, 0, nullptr, 0.0f), 2400);
    setParameter (effect, 38, 12.5f);
    EXPECT_EQ (getParameter (effect, 38), 12.5f);

    float left[64], right[64];
    float* outputs[] = { left, right };
    dispatcher (effect, effMainsChanged, 0, 1, nullptr, 0.0f);
    processReplacing (effect, nullptr, outputs, 64);
    EXPECT_EQ (left[0], 0.0f);
}
