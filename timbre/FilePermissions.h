#pragma once

#include <juce_core/juce_core.h>

// A file that replaces another keeps the other's permission bits, so a private timbre stays
// private when it is saved again.
class FilePermissions
{
public:
    // Gives `replacement` the permission bits of `original`. True when it has them, or when
    // there is nothing to take over (no `original`, or a platform whose files carry none).
    static bool takeOver (const juce::File& original, const juce::File& replacement);
};
