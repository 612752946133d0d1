#pragma once

#include "timbre/SettingsTable.h"

#include <juce_core/juce_core.h>

#include <array>
#include <memory>

// The timbre document, shared by the standalone program and the plug-in: a root element that holds
// one child per timbre, the child's tag being the timbre's name and its 49 attributes the settings.
class TimbreFile
{
public:
    struct Attribute
    {
        const char* name;
        bool isInteger;
    };

    static constexpr int numAttributes = SettingsTable::count;

    // The keys of the settings table, in written order (osc0switch, osc0wave, osc0lvl, osc0dtn,
    // osc0cent, osc0pw, osc0double, ... eq7); the index is also the plug-in's parameter index.
    static const std::array<Attribute, numAttributes> attributes;

    // Who reads a timbre: the standalone panel reads the switches that the settings table marks
    // so as boolean text, the editor every switch as an integer.
    enum class Reader
    {
        panel,
        editor
    };

    // The element tag that stands for a timbre name: unchanged when the name is already a valid
    // XML name, otherwise mapped to one (save and load use the same mapping).
    static juce::String tagForName (const juce::String& timbreName);

    // The named timbre of the file at `path` (a relative path resolves against the working
    // directory), names compared ignoring case, the first of equal names; nullptr when the path is
    // empty, the file is missing or is no timbre document (TimbreDocument), or it holds no such
    // timbre. The element keeps the file's tag and carries those of the 49 attributes that the
    // file has, under the names of `attributes` (the file's names compared ignoring case, the
    // first of equal names), so the framework's exact-name getters read them; their texts are
    // those of NumberText, so that a number that is not finite reads as 0 in both loaders.
    // Nothing else is kept.
    static std::unique_ptr<juce::XmlElement> findTimbre (const juce::String& path, const juce::String& timbreName);

    // The value of setting `index` in a timbre that findTimbre gave, as `reader` reads it: an on/off
    // attribute 1.0 or 0.0 (on when its integer text is not 0, or, as boolean text, when its first
    // non-blank character is 1, t, y, T or Y), an integer one its integer text (blanks, a sign,
    // then the digits up to the first other character; 0 without digits), a decimal one its
    // leading number; 0.0 when the attribute is missing.
    static double read (const juce::XmlElement& timbre, int index, Reader reader);

    // The tags of the root's children in document order; empty when the file is missing or is no
    // timbre document.
    static juce::StringArray listTimbres (const juce::File& file);

    // Writes `file` as a document with root "USERTIMBRE" and one child tagged tagForName (timbreName)
    // holding the 49 attributes in order (integer attributes as decimal text of the value truncated
    // toward zero, the others as ValueText). The old content is replaced only when the whole new
    // document was written; false (old content intact) when nothing was saved. A symbolic link is
    // followed (through a chain of them) to the file it names, which is replaced while the links
    // stay; the new file keeps the old one's permissions.
    static bool save (const juce::File& file, const juce::String& timbreName,
                      const std::array<double, numAttributes>& values);
};
