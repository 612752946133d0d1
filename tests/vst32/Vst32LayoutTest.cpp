// Only in the 32-bit build: the record is the 144-byte one of 32-bit hosts, and a host calling
// the entries with the caller-pops convention gets its answers.

#include "tests/vst/VstTestEffect.h"

#include <gtest/gtest.h>

using namespace vsttest;

static_assert (sizeof (void*) == 4, "this target is built for 32-bit x86");
static_assert (sizeof (AEffect) == 144, "32-bit effect record");
static_assert (sizeof (VstIntPtr) == 4, "pointer-sized dispatcher answers");

TEST (VstBase32, EntriesAnswerThroughTheirCdeclPointers)
{
    reset();
    auto* effect = new RecordingEffect (recordingHost, 0, 8);
    AEffect* e = effect->getAeffect();

    // Called through the record's function pointers, whose type carries the convention.
    EXPECT_EQ (e->dispatcher (e, effIdentify, 0, 0, nullptr, 0.0f), 0x4E764566);
    e->setParameter (e, 5, 0.5f);
    EXPECT_EQ (e->getParameter (e, 5), 0.5f);
    EXPECT_EQ (e->dispatcher (e, effClose, 0, 0, nullptr, 0.0f), 1);
    EXPECT_EQ (effectsAlive, 0);
}
