#include "timbre/NumberText.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace
{
enum class Kind
{
    none,     // no number at the start
    finite,
    notFinite // "nan", "inf", or beyond a float's range
};

struct Reading
{
    Kind kind = Kind::none;
    double value = 0.0;
};

bool isDigit (char c) noexcept
{
    return c >= '0' && c <= '9';
}

bool startsWithWord (const char* s, const char* lowerCaseWord) noexcept
{
    for (; *lowerCaseWord != 0; ++s, ++lowerCaseWord)
        if ((*s | 0x20) != *lowerCaseWord) // stops at the text's terminating zero, too
            return false;

    return true;
}

// The leading decimal number, where the framework's reader finds it.
Reading readDecimal (const juce::String& text)
{
    const char* const start = text.getCharPointer().findEndOfWhitespace().getAddress();
    const char* s = start;

    if (*s == '+' || *s == '-')
        ++s;

    if (startsWithWord (s, "nan") || startsWithWord (s, "inf"))
        return { Kind::notFinite };

    // Digits with at most one point, then an exponent only when digits follow its sign.
    const char* const mantissa = s;
    long long integerDigits = 0, zerosAfterPoint = 0;
    bool anyDigit = false, pointSeen = false, nonZeroSeen = false;

    for (;; ++s)
    {
        if (isDigit (*s))
        {
            anyDigit = true;

            if (*s != '0')
                nonZeroSeen = true;

            if (nonZeroSeen && ! pointSeen)
                ++integerDigits;
            else if (! nonZeroSeen && pointSeen)
                ++zerosAfterPoint;
        }
        else if (*s == '.' && ! pointSeen)
        {
            pointSeen = true;
        }
        else
        {
            break;
        }
    }

    if (! anyDigit)
        return {};

    long long exponent = 0;

    if (*s == 'e' || *s == 'E')
    {
        const char* e = s + 1;
        const bool negative = *e == '-';

        if (*e == '+' || *e == '-')
            ++e;

        if (isDigit (*e))
        {
            for (; isDigit (*e); ++e)
                exponent = std::min (exponent * 10 + (*e - '0'), 1000000000LL);

            if (negative)
                exponent = -exponent;

            s = e;
        }
    }

    // std::from_chars takes no plus sign, and no locale can change what it reads.
    const char* const first = (mantissa > start && *start == '-') ? start : mantissa;
    double value = 0.0;
    const auto result = std::from_chars (first, s, value);

    if (result.ec == std::errc::result_out_of_range)
    {
        // Too large, or too small to be told from zero: which, from where the first significant
        // digit stands.
        const auto order = (integerDigits > 0 ? integerDigits : -zerosAfterPoint) + exponent;

        if (order > 0)
            return { Kind::notFinite };

        return { Kind::finite, *start == '-' ? -0.0 : 0.0 };
    }

    if (result.ec != std::errc() || ! std::isfinite (value) || std::abs (value) > std::numeric_limits<float>::max())
        return { Kind::notFinite };

    return { Kind::finite, value };
}
} // namespace

juce::String NumberText::decimal (const juce::String& text)
{
    const auto reading = readDecimal (text);

    if (reading.kind != Kind::finite)
        return "0";

    // The shortest text that reads back as the same double.
    char buffer[32];
    const auto result = std::to_chars (buffer, buffer + sizeof (buffer), reading.value);
    return juce::String (buffer, (size_t) (result.ptr - buffer));
}

juce::String NumberText::integer (const juce::String& text)
{
    if (readDecimal (text).kind == Kind::notFinite)
        return "0";

    // Where atoi finds its digits.
    const char* s = text.toRawUTF8();

    while (*s == ' ' || (*s >= '\t' && *s <= '\r'))
        ++s;

    const bool negative = *s == '-';

    if (*s == '+' || *s == '-')
        ++s;

    long long magnitude = 0;

    for (; isDigit (*s); ++s)
    {
        magnitude = magnitude * 10 + (*s - '0');

        if (magnitude > std::numeric_limits<int>::max())
            return negative ? "-2147483647" : "2147483647";
    }

    return text;
}
