#pragma once

#include <juce_core/juce_core.h>

#include <memory>

// Reads a timbre document (a user's timbre file, "presets.xml") from a file that may hold any
// bytes at all, and parses it with the framework's XmlDocument only once the text has the shape
// that document needs, on which that parser is known to be sound:
// - at most maxBytes, valid UTF-8, and only characters that XML allows (no NUL);
// - an optional XML declaration, blanks and comments, then one root element; what follows the
//   root is not read;
// - elements with quoted attributes, nested at most maxDepth deep (the root and its timbres,
//   with room for what a timbre may hold and readers ignore), text, comments and CDATA;
// - no document type declaration, no processing instruction after the declaration, no entity
//   reference but the five predefined ones (&amp; &lt; &gt; &quot; &apos;) and character
//   references to characters that XML allows;
// - at most maxElements elements, maxAttributes attributes (maxAttributesPerElement on one
//   element), maxNames distinct tag and attribute names, and maxReferencesPerValue references in
//   one attribute value.
// Each rule stops a fault of that parser on hostile text: work that never ends (a processing
// instruction inside an element, nested entity definitions), a stack overflow (deep nesting,
// recursive entities), reading past the text (broken UTF-8, a character reference cut short),
// work that grows with the square of the text (many references in one value, many distinct
// names), and a result that is slow to read (the framework finds an element's attributes by
// counting). Anything else reads as no document, as a missing file does.
class TimbreDocument
{
public:
    static constexpr size_t maxBytes = 16 * 1024 * 1024;
    static constexpr int maxDepth = 8;
    static constexpr int maxElements = 65536;
    static constexpr int maxAttributes = 1 << 20;
    static constexpr int maxAttributesPerElement = 256;
    static constexpr int maxNames = 16384;
    static constexpr int maxReferencesPerValue = 16;

    // The document's root element; nullptr when the file is missing, is no regular file, is
    // larger than maxBytes, or its text does not have the shape above or does not parse.
    static std::unique_ptr<juce::XmlElement> read (const juce::File& file);

private:
    static std::unique_ptr<juce::XmlElement> parse (const void* data, size_t size);
};
