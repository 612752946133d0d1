#include "engine/Delay.h"
#include "engine/Envelope.h"
#include "engine/Oscillator.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <ctime>

TEST (EngineOscillator, NewOscillatorPlaysSquareUntilTheWaveChanges)
{
    Oscillator osc;
    EXPECT_EQ (osc.waveType, Square);
    EXPECT_EQ (osc.table[0], -1.0);
    EXPECT_EQ (osc.table[2047], -1.0);
    EXPECT_EQ (osc.table[2048], 1.0);
    EXPECT_EQ (osc.table[4095], 1.0);
}

TEST (EngineOscillator, TablesOfEveryWave)
{
    Oscillator osc;
    struct Case { int wave; int index; double value; };
    const Case cases[] = {
        { Sawtooth, 0, 1.0 },      { Sawtooth, 4095, -0.99951171875 }, { Sawtooth, 2048, 0.0 },
        { Triangle, 0, 0.0 },      { Triangle, 1024, 1.0 },            { Triangle, 3072, -1.0 },
        { Triangle, 512, 0.5 },    { Triangle, 4095, -1.0 / 1024 },
        { Sine, 1024, std::sin (2 * 1024 * 3.14159265 / 4096) },       { Sine, 0, 0.0 },
        { Pulse, 0, 0.0 },         { Pulse, 2047, 0.0 },               { Pulse, 2048, 1.0 },
    };

    for (const auto& c : cases)
    {
        osc.waveType = c.wave;
        osc.init();
        EXPECT_DOUBLE_EQ (osc.table[c.index], c.value) << "wave " << c.wave << " index " << c.index;
    }

    osc.waveType = 9; // names no wave: the table stays the pulse
    osc.init();
    EXPECT_EQ (osc.table[2048], 1.0);
    EXPECT_EQ (osc.table[0], 0.0);
}

TEST (EngineOscillator, NoiseTablesStayInRangeAndRepeatWithinOneSecond)
{
    Oscillator a, b;
    a.waveType = b.waveType = WhiteNoise;

    // Both tables must be built within the same calendar second.
    std::time_t before, after;
    do
    {
        before = std::time (nullptr);
        a.init();
        b.init();
        after = std::time (nullptr);
    } while (before != after);

    double lowest = 1.0, highest = -1.0;

    for (int i = 0; i < Oscillator::tableSize; ++i)
    {
        EXPECT_EQ (a.table[i], b.table[i]);
        lowest = std::min (lowest, a.table[i]);
        highest = std::max (highest, a.table[i]);
    }

    EXPECT_GE (lowest, -0.999969482421875);
    EXPECT_LE (highest, 1.000091552734375);
    EXPECT_LT (lowest, -0.9);
    EXPECT_GT (highest, 0.9);
}

TEST (EngineOscillator, PulseWidthReshapesOnlyASquare)
{
    Oscillator osc;
    osc.setPulseWidth (0.5);
    EXPECT_EQ (osc.table[0], 1.0);
    EXPECT_EQ (osc.table[2047], 1.0);
    EXPECT_EQ (osc.table[2048], -1.0);

    osc.setPulseWidth (0.1); // high for i < 409.6
    EXPECT_EQ (osc.table[409], 1.0);
    EXPECT_EQ (osc.table[410], -1.0);

    osc.setPulseWidth (0.0);
    for (int i = 0; i < Oscillator::tableSize; ++i)
        ASSERT_EQ (osc.table[i], -1.0);

    osc.init(); // a new wave selection restores the plain square
    EXPECT_EQ (osc.table[0], -1.0);
    EXPECT_EQ (osc.table[2048], 1.0);

    osc.waveType = Sawtooth;
    osc.init();
    osc.setPulseWidth (0.5);
    EXPECT_EQ (osc.table[0], 1.0);
    EXPECT_EQ (osc.table[4095], 1.0 - 4095 / 2048.0);
}

TEST (EngineOscillator, RatiosAreBuiltByRepeatedMultiplication)
{
    Oscillator osc;
    double twelve = 1.0;
    for (int i = 0; i < 12; ++i)
        twelve *= 1.059463094;

    osc.setSemitones (12);
    EXPECT_EQ (osc.semitoneRatio, twelve);
    EXPECT_LT (osc.semitoneRatio, 2.0);
    EXPECT_TRUE (osc.detuned);

    osc.setSemitones (-2);
    EXPECT_EQ (osc.semitoneRatio, (1.0 / 1.059463094) * (1.0 / 1.059463094));

    osc.setSemitones (0);
    EXPECT_EQ (osc.semitoneRatio, 1.0);
    EXPECT_FALSE (osc.detuned);

    osc.setCents (5);
    osc.setSemitones (0); // the cents still detune
    EXPECT_TRUE (osc.detuned);

    osc.setCents (-1);
    EXPECT_EQ (osc.centRatio, 1.0 / 1.00057779);
    osc.setCents (0);
    EXPECT_FALSE (osc.detuned);
}

TEST (EngineOscillator, TickReadsBothPhasesBeforeAdvancing)
{
    Oscillator osc;
    osc.waveType = Sawtooth;
    osc.init();
    osc.inc = 1000.5;
    osc.inc2 = 2048.0;

    EXPECT_EQ (osc.tick(), 1.0);
    EXPECT_EQ (osc.out2, 1.0);
    EXPECT_EQ (osc.tick(), 1.0 - 1000 / 2048.0); // index 1000 (1000.5 truncated)
    EXPECT_EQ (osc.out2, 0.0);                   // index 2048
    EXPECT_EQ (osc.output, 1.0 - 1000 / 2048.0);
}

// A note at the top of the keyboard held for an hour: the index must still be the integer part
// of the exact phase, modulo 4096. The increment is a binary fraction, so every exact phase is
// representable and the expected index can be computed in integers.
TEST (EngineOscillator, IndexStaysExactForANoteHeldForAnHour)
{
    Oscillator osc;
    osc.waveType = Sawtooth;
    osc.init();
    osc.inc = 2327.0 / 4.0; // 581.75 entries per sample, about 6.3 kHz at 44.1 kHz
    osc.inc2 = osc.inc;

    const std::int64_t hour = 44100LL * 3600;

    for (std::int64_t n = 0; n < hour; ++n)
        osc.tick();

    for (std::int64_t n = hour; n < hour + 5000; ++n)
    {
        const int expected = static_cast<int> ((n * 2327 / 4) % 4096);
        ASSERT_EQ (osc.tick(), 1.0 - expected / 2048.0) << "sample " << n;
    }

    EXPECT_LT (std::abs (osc.phase), 2.0 * Oscillator::tableSize);
}

TEST (EngineEnvelope, AttackDecaySustainToTheTick)
{
    Envelope env;
    EXPECT_EQ (env.attackSamples, 132.3f);
    EXPECT_EQ (env.decaySamples, 441.0f);
    EXPECT_EQ (env.sustain, 0.89f);
    EXPECT_EQ (env.releaseSamples, 4410.0f);
    EXPECT_EQ (env.releaseCounter, 4410.0f);

    EXPECT_EQ (env.tick(), 0.0);
    EXPECT_EQ (env.tick(), 1.0f / 132.3f);
    EXPECT_EQ (env.tick(), 2.0f / 132.3f);

    for (int t = 3; t < 133; ++t)
        ASSERT_LT (env.tick(), 1.0);

    // tick 134 is the first of the decay
    EXPECT_FLOAT_EQ (static_cast<float> (env.tick()), 1.0f - 0.11f * (133.0f - 132.3f) / 441.0f);

    for (int t = 134; t < 574; ++t)
        ASSERT_GT (env.tick(), 0.89);

    for (int t = 574; t < 700; ++t)
        ASSERT_EQ (env.tick(), static_cast<double> (0.89f)) << "tick " << t + 1;

    // value keeps the last decay value; a later sustain change is heard at once
    EXPECT_GT (env.value, 0.89f);
    env.sustain = 0.5f;
    EXPECT_EQ (env.tick(), 0.5);
}

TEST (EngineEnvelope, SettersTurnMillisecondsIntoSamplesAt44100)
{
    Envelope env;
    env.setRelease (250.0);
    EXPECT_EQ (env.releaseSamples, 11025.0f);
    EXPECT_EQ (env.releaseCounter, 11025.0f);
    env.setAttack (1000.0);
    EXPECT_EQ (env.attackSamples, 44100.0f);
    env.setDecay (3.0);
    EXPECT_EQ (env.decaySamples, 44100.0f * (3.0f / 1000.0f));
}

TEST (EngineDelay, DelaysByItsLengthWithFeedbackPerRepeat)
{
    Delay delay;
    EXPECT_EQ (delay.length, 661);
    EXPECT_EQ (delay.bufferSize(), 33075);
    EXPECT_EQ (delay.feedback, 0.0f);

    for (int i = 0; i < 661; ++i)
        ASSERT_EQ (delay.step (static_cast<float> (i + 1)), 0.0f);

    for (int i = 0; i < 661; ++i)
        ASSERT_EQ (delay.step (0.0f), static_cast<float> (i + 1));

    Delay echo;
    echo.length = 100;
    echo.feedback = 0.5f;
    echo.step (1.0f);
    float repeat = 1.0f;

    for (int r = 0; r < 4; ++r)
    {
        for (int i = 1; i < 100; ++i)
            ASSERT_EQ (echo.step (0.0f), 0.0f);

        EXPECT_EQ (echo.step (0.0f), repeat);
        EXPECT_EQ (echo.output, repeat);
        repeat *= 0.5f;
    }
}
