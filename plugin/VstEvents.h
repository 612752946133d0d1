#pragma once

#include "plugin/vst/AEffect.h"

// The event records that host and plug-in exchange through effProcessEvents (host to plug-in)
// and audioMasterProcessEvents (plug-in to host), as the VST 2.4 interface lays them out.

// VstEvent::type of a MIDI event.
constexpr VstInt32 kVstMidiType = 1;

// Any event: a type, the record's size and the frame of the block at which it happens.
struct VstEvent
{
    VstInt32 type;
    VstInt32 byteSize;
    VstInt32 deltaFrames;
    VstInt32 flags;
    char data[16];
};

// A MIDI message of up to three bytes.
struct VstMidiEvent
{
    VstInt32 type;              // kVstMidiType
    VstInt32 byteSize;          // sizeof (VstMidiEvent), 32
    VstInt32 deltaFrames;       // frame of the block
    VstInt32 flags;             // 1: played live
    VstInt32 noteLength;        // in frames, 0 when unknown
    VstInt32 noteOffset;        // frames into the note, 0 when unknown
    char midiData[4];           // the message, the fourth byte 0
    char detune;                // cents, -64 to 63
    char noteOffVelocity;
    char reserved1;
    char reserved2;
};

// A list of events: numEvents pointers follow the header (the record declares two; the sender
// allocates as many as it needs).
struct VstEvents
{
    VstInt32 numEvents;
    VstIntPtr reserved;
    VstEvent* events[2];
};

static_assert (sizeof (VstEvent) == 32, "event record size");
static_assert (sizeof (VstMidiEvent) == 32, "MIDI event record size");
static_assert (offsetof (VstMidiEvent, midiData) == 24, "MIDI event data offset");
static_assert (offsetof (VstEvents, events) == 2 * sizeof (VstIntPtr), "event list offset");
