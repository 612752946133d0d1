#pragma once

// Where hosts read the effect record's fields: the byte offsets that 32-bit and 64-bit hosts use,
// and a reader of a field at its offset.
#include "plugin/vst/AEffect.h"

#include <cstddef>
#include <cstring>

namespace vsttest
{
struct Offsets
{
    std::size_t size, magic, dispatcher, process, setParameter, getParameter, numPrograms, numParams,
                numInputs, numOutputs, flags, resvd1, resvd2, initialDelay, realQualities, offQualities,
                ioRatio, object, user, uniqueID, version, processReplacing, processDoubleReplacing, future;
};

constexpr Offsets offsets32 { 144, 0, 4, 8, 12, 16, 20, 24, 28, 32, 36, 40, 44, 48, 52, 56, 60, 64, 68, 72, 76, 80, 84, 88 };
constexpr Offsets offsets64 { 192, 0, 8, 16, 24, 32, 40, 44, 48, 52, 56, 64, 72, 80, 84, 88, 92, 96, 104, 112, 116, 120, 128, 136 };

// The offsets of hosts of this build's word size.
constexpr Offsets hostOffsets = sizeof (void*) == 4 ? offsets32 : offsets64;

template <typename T>
T readAt (const AEffect* e, std::size_t offset)
{
    T value;
    std::memcpy (&value, reinterpret_cast<const char*> (e) + offset, sizeof (T));
    return value;
}
} // namespace vsttest
