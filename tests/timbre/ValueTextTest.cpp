#include "timbre/ValueText.h"

#include <gtest/gtest.h>

TEST (TimbreValueText, FormatsWithNineSignificantDigits)
{
    const struct
    {
        double value;
        const char* text;
    } cases[] = {
        { 660.0, "660" },
        { 0.5, "0.5" },
        { -12.0, "-12" },
        { 0.89 * 100, "89" },
        { 0.3 * 100, "30" },
        { 0.25 * 200, "50" },
        { 5000.0, "5000" },
        { 0.001, "0.001" },
        { 0.1, "0.1" },
        { 0.0, "0" },
        { 1.0 / 3.0, "0.333333333" },
        { 123456789.0, "123456789" },
        { 1234567890.0, "1.23456789e+09" },
        { 0.00001, "1e-05" },
    };

    for (const auto& c : cases)
        EXPECT_EQ (ValueText::of (c.value), juce::String (c.text)) << c.text;
}
