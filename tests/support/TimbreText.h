#pragma once

#include <juce_core/juce_core.h>

#include <map>
#include <string>

// Timbre documents written by hand for tests, attribute texts exactly as given (also texts that
// no program writes, such as "true").
namespace TimbreText
{
using Attributes = std::map<std::string, std::string>;

// One timbre element, attributes in key order.
inline juce::String element (const juce::String& tag, const Attributes& attributes)
{
    juce::String text = "  <" + tag;

    for (const auto& [key, value] : attributes)
        text << " " << juce::String (key) << "=\"" << juce::String (value) << "\"";

    return text + "/>\n";
}

// A document whose root holds the given elements.
inline juce::String document (const juce::String& elements)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<TIMBRES>\n" + elements + "</TIMBRES>\n";
}
} // namespace TimbreText
