#include "timbre/ValueText.h"

#include <charconv>

juce::String ValueText::of (double x)
{
    // The general format with nine significant digits, as printf's "%.9g" gives it, but without
    // the C library's locale: a host that sets a decimal comma must not change the file text.
    char text[40];
    const auto result = std::to_chars (text, text + sizeof (text), x, std::chars_format::general, 9);
    return juce::String (text, (size_t) (result.ptr - text));
}
