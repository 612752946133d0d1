#include "engine/Biquad.h"
#include "engine/MoogFilter.h"
#include "engine/ZarnVoice.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

TEST (EngineLadder, DefaultCoefficients)
{
    MoogFilter filter;
    EXPECT_NEAR (filter.p, 0.0531608, 1e-6);
    EXPECT_NEAR (filter.k, -0.8936784, 1e-6);
    EXPECT_NEAR (filter.r, 0.3324226, 1e-6);
}

TEST (EngineLadder, ZeroCutoffHoldsTheStages)
{
    MoogFilter filter;
    filter.input = 1.0;
    for (int i = 0; i < 100; ++i)
        filter.tick();

    filter.cutoff = 0.0f;
    filter.updateCoefficients();
    EXPECT_EQ (filter.p, 0.0f);
    EXPECT_EQ (filter.k, -1.0f);

    const float y3 = filter.y3;
    double previous = filter.y4;

    for (int i = 0; i < 50; ++i)
    {
        const double y = filter.tick();
        ASSERT_EQ (filter.y3, y3);
        ASSERT_LE (std::abs (y), std::abs (previous));
        previous = y;
    }
}

TEST (EngineLadder, PassesLowsAndDampsHighs)
{
    auto gainAt = [] (double hz) {
        MoogFilter filter;
        filter.cutoff = 1000.0f;
        filter.resonance = 0.0f;
        filter.updateCoefficients();
        double energy = 0.0;

        for (int i = 0; i < 44100; ++i)
        {
            filter.input = 0.1 * std::sin (2 * M_PI * hz * i / 44100.0);
            const double y = filter.tick();
            if (i >= 22050)
                energy += y * y;
        }

        return std::sqrt (energy / 22050) / (0.1 / std::sqrt (2.0));
    };

    EXPECT_NEAR (gainAt (100.0), 1.0, 0.05);
    EXPECT_LT (gainAt (8000.0), 0.01);
}

TEST (EngineEqualiser, FlatAtZeroDecibels)
{
    ZarnVoice voice;
    float x = 0.25f;

    for (int i = 0; i < 2000; ++i)
    {
        const float in = static_cast<float> (0.5 * std::sin (i * 0.05) + 0.3 * std::sin (i * 0.7));
        x = in;
        for (auto& band : voice.eq)
            x = band.process (x);

        ASSERT_NEAR (x, in, 1e-4) << "sample " << i;
    }
}

TEST (EngineEqualiser, BandGainsAtTheirFrequencies)
{
    struct Case { int band; double hz; float gain; };
    const Case cases[] = { { 0, 20.0, 8.0f }, { 3, 500.0, -8.0f }, { 4, 1000.0, 6.0f }, { 6, 4000.0, 5.0f } };

    for (const auto& c : cases)
    {
        ZarnVoice voice;
        voice.setEqGain (c.band, c.gain);
        double energyIn = 0.0, energyOut = 0.0;

        for (int i = 0; i < 88200; ++i)
        {
            const float in = static_cast<float> (0.1 * std::sin (2 * M_PI * c.hz * i / 44100.0));
            float y = in;
            for (auto& band : voice.eq)
                y = band.process (y);

            if (i >= 44100)
            {
                energyIn += in * in;
                energyOut += y * y;
            }
        }

        EXPECT_NEAR (10.0 * std::log10 (energyOut / energyIn), c.gain, 0.5) << "band " << c.band;
    }

    // The high shelf cuts the top of the band and leaves the middle alone.
    auto levelAt = [] (double hz) {
        ZarnVoice voice;
        voice.setEqGain (7, -6.0f);
        double energyIn = 0.0, energyOut = 0.0;

        for (int i = 0; i < 88200; ++i)
        {
            const float in = static_cast<float> (0.1 * std::sin (2 * M_PI * hz * i / 44100.0));
            const float y = voice.eq[7].process (in);
            if (i >= 44100)
            {
                energyIn += in * in;
                energyOut += y * y;
            }
        }

        return 10.0 * std::log10 (energyOut / energyIn);
    };

    EXPECT_LT (levelAt (16000.0), -4.0);
    EXPECT_GT (levelAt (16000.0), -6.5);
    EXPECT_NEAR (levelAt (500.0), 0.0, 0.3);
}

TEST (EngineEqualiser, BandNumbersOutsideTheBandsChangeNothing)
{
    ZarnVoice voice;
    voice.setEqGain (2, 3.0f);
    Biquad before[ZarnVoice::numBands];
    std::copy (std::begin (voice.eq), std::end (voice.eq), before);

    voice.setEqGain (8, 6.0f);
    voice.setEqGain (-1, 6.0f);

    for (int b = 0; b < ZarnVoice::numBands; ++b)
    {
        EXPECT_EQ (voice.eq[b].b0, before[b].b0);
        EXPECT_EQ (voice.eq[b].b1, before[b].b1);
        EXPECT_EQ (voice.eq[b].b2, before[b].b2);
        EXPECT_EQ (voice.eq[b].a1, before[b].a1);
        EXPECT_EQ (voice.eq[b].a2, before[b].a2);
    }
}

TEST (EngineEqualiser, DenormalInputIsProcessedAsZero)
{
    Biquad a, b;
    a.computeBiquad (1000.0, 44100.0, 0.5, 6.0, Biquad::peaking);
    b = a;
    a.process (0.5f);
    b.process (0.5f);

    const float denormal = std::numeric_limits<float>::denorm_min() * 1000.0f;
    ASSERT_TRUE (std::fpclassify (denormal) == FP_SUBNORMAL);
    EXPECT_EQ (a.process (denormal), b.process (0.0f));
    EXPECT_EQ (a.x1, 0.0f);
}

TEST (EngineEqualiser, BandsFollowThePlaybackRateWhileTheLadderStaysAt44100)
{
    ZarnVoice voice;
    voice.setCurrentPlaybackSampleRate (48000.0);
    voice.setEqGain (4, 6.0f);

    Biquad expected;
    expected.computeBiquad (1000.0, 48000.0, 0.52, 6.0, Biquad::peaking);
    EXPECT_EQ (voice.eq[4].b0, expected.b0);
    EXPECT_EQ (voice.eq[4].a1, expected.a1);

    voice.filter.updateCoefficients();
    EXPECT_NEAR (voice.filter.p, 0.0531608, 1e-6);
}

// A band at or above half the rate (a host may play at 8 or 11.025 kHz), or at a rate that leaves
// the numbers no room, would give NaN or a section that grows without bound: it passes its input.
TEST (EngineEqualiser, BandsThatCannotStandAtTheRatePassTheirInput)
{
    const struct { double frequency, rate, bandwidth, gainDb; int type; } cases[] = {
        { 4000.0, 8000.0, 0.35, 8.0, Biquad::peaking },     // coefficients NaN
        { 250.0, 501.0, 0.71, -8.0, Biquad::peaking },      // NaN
        { 8000.0, 11025.0, 0.30, 8.0, Biquad::highShelf },  // a pole outside the unit circle
        { 8000.0, 12000.0, 0.30, -8.0, Biquad::highShelf }, // too
        { 8000.0, 16000.0, 0.30, 8.0, Biquad::highShelf },  // a double pole at -1
        { 64.0, 1.0e30, 0.82, 8.0, Biquad::lowShelf },      // a double pole at 1
    };

    for (const auto& c : cases)
    {
        Biquad band;
        band.computeBiquad (c.frequency, c.rate, c.bandwidth, c.gainDb, c.type);

        for (float x : { 1.0f, -0.5f, 0.25f, 0.0f, 0.75f })
            EXPECT_EQ (band.process (x), x) << c.frequency << " Hz at " << c.rate;
    }
}
