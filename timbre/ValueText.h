#pragma once

#include <juce_core/juce_core.h>

// The text of a setting's value on the status line, in tooltips and in timbre files: at most nine
// significant digits, no trailing zeros and no decimal point for whole values
// (660.0 -> "660", 0.5 -> "0.5", -12.0 -> "-12", 0.89 * 100 -> "89").
class ValueText
{
public:
    static juce::String of (double x);
};
