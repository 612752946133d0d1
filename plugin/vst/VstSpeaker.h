#pragma once

#include "plugin/vst/AEffect.h"

#include <cstddef>

// One loudspeaker of a channel arrangement, exchanged with the host (fixed 112-byte layout).
struct VstSpeakerProperties
{
    float azimuth;
    float elevation;
    float radius;
    float reserved;
    char name[64];              // NUL-terminated
    VstInt32 type;
    char future[28];
};

static_assert (sizeof (VstSpeakerProperties) == 112, "speaker record size");
static_assert (offsetof (VstSpeakerProperties, azimuth) == 0, "azimuth");
static_assert (offsetof (VstSpeakerProperties, elevation) == 4, "elevation");
static_assert (offsetof (VstSpeakerProperties, radius) == 8, "radius");
static_assert (offsetof (VstSpeakerProperties, reserved) == 12, "reserved");
static_assert (offsetof (VstSpeakerProperties, name) == 16, "name");
static_assert (offsetof (VstSpeakerProperties, type) == 80, "type");
static_assert (offsetof (VstSpeakerProperties, future) == 84, "future");

// A channel arrangement: a header of 8 bytes followed by one speaker record per channel.
// The speaker list runs for numChannels entries, which may be more than the declared 8: the
// arrangement helpers allocate exactly arrangementBytes (numChannels) bytes.
struct VstSpeakerArrangement
{
    VstInt32 type;
    VstInt32 numChannels;
    VstSpeakerProperties speakers[8];
};

static_assert (offsetof (VstSpeakerArrangement, type) == 0, "arrangement type");
static_assert (offsetof (VstSpeakerArrangement, numChannels) == 4, "arrangement numChannels");
static_assert (offsetof (VstSpeakerArrangement, speakers) == 8, "arrangement speakers");

// Size in bytes of an arrangement with the given number of channels.
constexpr std::size_t arrangementBytes (std::size_t numChannels)
{
    return offsetof (VstSpeakerArrangement, speakers) + sizeof (VstSpeakerProperties) * numChannels;
}
