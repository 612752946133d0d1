// Speaker arrangements: blocks of 8 + 112 bytes per channel, made zeroed, freed, and matched
// speaker by speaker with names cut at 63 characters.

#include "tests/vst/VstTestEffect.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <limits>

using namespace vsttest;

namespace
{
    struct VstBaseSpeaker : ::testing::Test
    {
        void SetUp() override { reset(); }
        void TearDown() override { effect.deallocateArrangement (&arrangement); }

        VstSpeakerProperties* speaker (VstSpeakerArrangement* a, int i) { return a->speakers + i; }

        MinimalEffect effect { nullptr };
        VstSpeakerArrangement* arrangement = nullptr;
    };

    void fillSpeaker (VstSpeakerProperties& s, int n)
    {
        std::memset (&s, 0, sizeof (s));
        s.azimuth = 0.5f * (float) n;
        s.elevation = -0.25f * (float) n;
        s.radius = 2.0f + (float) n;
        s.reserved = 9.0f;
        std::snprintf (s.name, sizeof (s.name), "speaker %d", n);
        s.type = 100 + n;

        for (int i = 0; i < (int) sizeof (s.future); ++i)
            s.future[i] = (char) (n + i);
    }
}

TEST_F (VstBaseSpeaker, RecordsHaveTheHostsLayout)
{
    EXPECT_EQ (sizeof (VstSpeakerProperties), 112u);
    EXPECT_EQ (arrangementBytes (2), 232u);
    EXPECT_EQ (offsetof (VstSpeakerArrangement, speakers), 8u);
}

TEST_F (VstBaseSpeaker, AllocateMakesAZeroedBlockAndReplacesTheOldOne)
{
    ASSERT_TRUE (effect.allocateArrangement (&arrangement, 2));
    ASSERT_NE (arrangement, nullptr);

    unsigned char expected[232] {};
    expected[4] = 2;    // numChannels, little-endian
    EXPECT_EQ (std::memcmp (arrangement, expected, sizeof (expected)), 0);
    EXPECT_EQ (arrangement->numChannels, 2);

    // Replacing frees the old block (the leak checker would see it otherwise).
    arrangement->type = 5;
    ASSERT_TRUE (effect.allocateArrangement (&arrangement, 0));
    EXPECT_EQ (arrangement->numChannels, 0);
    EXPECT_EQ (arrangement->type, 0);

    EXPECT_TRUE (effect.deallocateArrangement (&arrangement));
    EXPECT_EQ (arrangement, nullptr);
    EXPECT_TRUE (effect.deallocateArrangement (&arrangement));
}

TEST_F (VstBaseSpeaker, CountsNoBlockCanHoldAreAFailedAllocation)
{
    for (const VstInt32 channels : { -1, std::numeric_limits<VstInt32>::min() })
    {
        ASSERT_TRUE (effect.allocateArrangement (&arrangement, 1));
        EXPECT_FALSE (effect.allocateArrangement (&arrangement, channels)) << channels;
        EXPECT_EQ (arrangement, nullptr);
    }

    EXPECT_FALSE (effect.allocateArrangement (nullptr, 2));
    EXPECT_FALSE (effect.deallocateArrangement (nullptr));
}

TEST_F (VstBaseSpeaker, CopySpeakerCopiesEveryFieldAndCutsTheNameAt63Characters)
{
    VstSpeakerProperties from, to;
    fillSpeaker (from, 3);
    std::memset (from.name, 'n', sizeof (from.name));     // 64 characters and no NUL
    std::memset (&to, 0x55, sizeof (to));

    ASSERT_TRUE (effect.copySpeaker (&to, &from));
    EXPECT_EQ (to.azimuth, from.azimuth);
    EXPECT_EQ (to.elevation, from.elevation);
    EXPECT_EQ (to.radius, from.radius);
    EXPECT_EQ (to.reserved, from.reserved);
    EXPECT_EQ (std::string (to.name), std::string (63, 'n'));
    EXPECT_EQ (to.type, from.type);
    EXPECT_EQ (std::memcmp (to.future, from.future, sizeof (to.future)), 0);

    std::strcpy (from.name, "L");
    ASSERT_TRUE (effect.copySpeaker (&to, &from));
    EXPECT_STREQ (to.name, "L");

    EXPECT_FALSE (effect.copySpeaker (nullptr, &from));
    EXPECT_FALSE (effect.copySpeaker (&to, nullptr));
}

TEST_F (VstBaseSpeaker, MatchArrangementMakesAnEqualArrangement)
{
    // Ten channels: more than the record declares, as hosts pass them.
    VstSpeakerArrangement* from = nullptr;
    ASSERT_TRUE (effect.allocateArrangement (&from, 10));
    from->type = 42;

    for (int i = 0; i < 10; ++i)
        fillSpeaker (*speaker (from, i), i);

    ASSERT_TRUE (effect.allocateArrangement (&arrangement, 1));
    ASSERT_TRUE (effect.matchArrangement (&arrangement, from));
    ASSERT_NE (arrangement, nullptr);
    EXPECT_EQ (arrangement->type, 42);
    EXPECT_EQ (arrangement->numChannels, 10);
    EXPECT_EQ (std::memcmp (arrangement, from, arrangementBytes (10)), 0);

    // No source: false, and the target is left as it was.
    VstSpeakerArrangement* const before = arrangement;
    EXPECT_FALSE (effect.matchArrangement (&arrangement, nullptr));
    EXPECT_EQ (arrangement, before);

    EXPECT_FALSE (effect.matchArrangement (nullptr, from));
    effect.deallocateArrangement (&from);
}
