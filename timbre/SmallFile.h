#pragma once

#include <juce_core/juce_core.h>

#include <optional>

// Reads the whole of a small data file (a timbre file, "presets.xml", a panel image) that may be
// anything a user put there. Only a regular file is opened for its content, so a folder, a pipe
// or a device of that name reads as nothing instead of blocking or never ending.
class SmallFile
{
public:
    // The content of `file` (following symbolic links) when it is a regular file of at most
    // `maxBytes`; nothing when it is missing, not a regular file, larger, or can't be read.
    static std::optional<juce::MemoryBlock> read (const juce::File& file, size_t maxBytes);
};
