#pragma once

#include "plugin/vst/AEffect.h"

// What effGetInputProperties and effGetOutputProperties fill in for one audio channel, as the
// VST 2.4 interface lays it out (the host owns the record).
struct VstPinProperties
{
    char label[64];
    VstInt32 flags;             // VstPinFlags
    VstInt32 arrangementType;   // a speaker arrangement, read when kVstPinUseSpeaker is set
    char shortLabel[8];
    char future[48];
};

enum VstPinFlags : VstInt32
{
    kVstPinIsActive = 1,
    kVstPinIsStereo = 2,
    kVstPinUseSpeaker = 4
};

// The speaker arrangement of a stereo pair.
constexpr VstInt32 kSpeakerArrStereo = 1;

static_assert (sizeof (VstPinProperties) == 128, "pin record size");
