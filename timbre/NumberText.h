#pragma once

#include <juce_core/juce_core.h>

// What a timbre loader is handed for a setting's text. The loaders read numbers with the
// framework's own readers: a decimal as the longest leading number (blanks, a sign, digits with
// at most one point, an exponent; 0 when there is none), an integer as the C library's atoi does
// (blanks, a sign, digits). The decimal reader turns "nan" and "inf" into numbers that are not
// finite and reads an exponent such as "1e30811111111" into an int that overflows; atoi gives
// an arbitrary value for a number beyond an int. These texts keep what the readers make of a sound
// text and read a number that is not finite as no number at all: 0, as "abc" reads. Every
// setting ends as a float, so a number beyond a float's range counts as not finite as well.
class NumberText
{
public:
    // The text of a decimal setting: the shortest text of its finite leading number, or "0".
    static juce::String decimal (const juce::String& text);

    // The text of an integer setting: "0" when its leading number is not finite; a whole number
    // beyond an int as the int nearest to it (2147483647 or -2147483647); otherwise the text as it
    // is, so that a switch read as boolean text ("true", "yes") keeps its word.
    static juce::String integer (const juce::String& text);
};
