#include "timbre/SmallFile.h"

std::optional<juce::MemoryBlock> SmallFile::read (const juce::File& file, size_t maxBytes)
{
    if (file == juce::File())
        return {};

    juce::MemoryBlock content;

    if (! file.existsAsFile() || file.getSize() > (juce::int64) maxBytes
        || ! file.loadFileAsData (content) || content.getSize() > maxBytes)
        return {};

    return content;
}
