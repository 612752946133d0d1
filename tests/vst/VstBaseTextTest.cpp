// The text helpers: numbers in an eight-character field, digits truncated, "Huge!" out of range,
// every result cut to maxLen characters with nothing written past its NUL.

#include "tests/vst/VstTestEffect.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>

using namespace vsttest;

namespace
{
    struct VstBaseText : ::testing::Test
    {
        void SetUp() override { reset(); }

        // Runs one helper into a buffer of 'x's and checks that no byte after the NUL changed.
        template <typename Write>
        std::string written (Write&& write, VstInt32 maxLen = 24)
        {
            char buffer[32];
            std::memset (buffer, 'x', sizeof (buffer));
            write (buffer, maxLen);

            const auto length = std::strlen (buffer);
            EXPECT_LE (length, (std::size_t) maxLen);

            for (auto i = length + 1; i < sizeof (buffer); ++i)
                EXPECT_EQ (buffer[i], 'x') << "byte " << i << " after the text";

            return buffer;
        }

        std::string floatText (float value, VstInt32 maxLen = 24)
        {
            return written ([&] (char* t, VstInt32 n) { effect.float2string (value, t, n); }, maxLen);
        }

        std::string intText (VstInt32 value, VstInt32 maxLen = 24)
        {
            return written ([&] (char* t, VstInt32 n) { effect.int2string (value, t, n); }, maxLen);
        }

        MinimalEffect effect { nullptr };
    };

    struct FloatCase { float value; VstInt32 maxLen; const char* text; };
}

TEST_F (VstBaseText, Float2StringFillsEightCharactersAndTruncates)
{
    const FloatCase cases[] {
        { 0.0f,          24, "0.000000" },
        { 0.5f,          24, "0.500000" },
        { 3.25f,         24, "3.250000" },
        { -1.5f,         24, "-1.50000" },
        { 440.0f,        24, "440.0000" },
        { 22050.0f,      24, "22050.00" },
        { 1234567.0f,    24, "1234567." },
        { 0.7f,          24, "0.699999" },
        { 100000000.0f,  24, "Huge!" },
        { -10000000.0f,  24, "Huge!" },
        { 3.25f,         3,  "3.2" },
        { 3.25f,         0,  "" },
        { 100000000.0f,  2,  "Hu" },
        { -0.0f,         24, "0.000000" },
        { -0.001f,       24, "-0.00100" },
        { 0.0999f,       24, "0.099899" },
        { 9999999.0f,    24, "9999999." },
        { -999999.0f,    24, "-999999." },
        // Integer parts longer than the field with its point keep every digit and drop the point.
        { 12345678.0f,   24, "12345678" },
        { 99999992.0f,   24, "99999992" },
        { -1234567.0f,   24, "-1234567" },
        { -9999999.0f,   24, "-9999999" },
        { std::numeric_limits<float>::infinity(),  24, "Huge!" },
        { -std::numeric_limits<float>::infinity(), 24, "Huge!" },
        { std::numeric_limits<float>::quiet_NaN(), 24, "Huge!" },
    };

    for (const auto& c : cases)
        EXPECT_EQ (floatText (c.value, c.maxLen), c.text) << "value " << c.value << ", maxLen " << c.maxLen;
}

TEST_F (VstBaseText, Int2StringWritesEveryDigitBelowTheBound)
{
    const std::pair<VstInt32, const char*> cases[] {
        { 0,           "0" },
        { 7,           "7" },
        { 1000,        "1000" },
        { -42,         "-42" },
        { 99999999,    "99999999" },
        { 100000000,   "Huge!" },
        { std::numeric_limits<VstInt32>::max(), "Huge!" },
        { -123456789,  "-123456789" },
        { -1234567890, "-1234567890" },
        { std::numeric_limits<VstInt32>::min(), "-2147483648" },
    };

    for (const auto& [value, text] : cases)
        EXPECT_EQ (intText (value), text) << "value " << value;

    EXPECT_EQ (intText (12345, 2), "12");
    EXPECT_EQ (intText (-5, 1), "-");
}

TEST_F (VstBaseText, DecibelsOfAnAmplitude)
{
    const std::pair<float, const char*> cases[] {
        { 0.0f,   "-oo" },
        { -1.0f,  "-oo" },
        { 1.0f,   "0.000000" },
        { 0.5f,   "-6.02060" },
        { 10.0f,  "20.00000" },
    };

    for (const auto& [value, text] : cases)
        EXPECT_EQ (written ([&] (char* t, VstInt32 n) { effect.dB2string (value, t, n); }), text) << value;

    EXPECT_EQ (written ([&] (char* t, VstInt32 n) { effect.dB2string (0.0f, t, n); }, 2), "-o");
}

TEST_F (VstBaseText, FrequencyAndTimeOfASampleCount)
{
    auto hz = [this] (float samples) { return written ([&] (char* t, VstInt32 n) { effect.Hz2string (samples, t, n); }); };
    auto ms = [this] (float samples) { return written ([&] (char* t, VstInt32 n) { effect.ms2string (samples, t, n); }); };

    EXPECT_EQ (hz (0.0f), "0.000000");
    EXPECT_EQ (hz (100.0f), "441.0000");
    EXPECT_EQ (ms (441.0f), "10.00000");
    EXPECT_EQ (ms (0.0f), "0.000000");

    effect.send (effSetSampleRate, 0, 0, nullptr, 48000.0f);
    EXPECT_EQ (hz (100.0f), "480.0000");
    EXPECT_EQ (ms (480.0f), "10.00000");
}

TEST_F (VstBaseText, UnitHelpersGoThroughTheVirtualOperations)
{
    // An object with its own rate and number format: the unit helpers must use both.
    struct OwnFormat : MinimalEffect
    {
        OwnFormat() : MinimalEffect (nullptr) {}
        float getSampleRate() override { return 1000.0f; }
        void float2string (float value, char* text, VstInt32 maxLen) override { record ("float2string", value, maxLen); }
    };

    OwnFormat own;
    char text[16];
    own.Hz2string (4.0f, text, 10);
    own.ms2string (250.0f, text, 11);
    own.dB2string (1.0f, text, 12);

    EXPECT_EQ (calls, (std::vector<std::string> { call ("float2string", 250.0f, 10), call ("float2string", 250.0f, 11),
                                                call ("float2string", 0.0f, 12) }));
}
