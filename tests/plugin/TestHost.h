#pragma once

// A small VST 2.4 host for the tests: it loads a plug-in library (with dlopen on Linux,
// LoadLibrary on Windows: linux/ and windows/ hold the two), makes instances through its entry
// and drives them through the effect record. It knows the plug-in only through the record's
// declarations and the interface's event and pin records, declared here anew.
#include "plugin/vst/AEffect.h"

#include <cstring>
#include <string>
#include <vector>

namespace testhost
{
struct MidiEvent
{
    VstInt32 type;
    VstInt32 byteSize;
    VstInt32 deltaFrames;
    VstInt32 flags;
    VstInt32 noteLength;
    VstInt32 noteOffset;
    unsigned char midiData[4];
    char detune;
    char noteOffVelocity;
    char reserved1;
    char reserved2;
};

struct Events
{
    VstInt32 numEvents;
    VstIntPtr reserved;
    void* events[2];
};

struct PinProperties
{
    char label[64];
    VstInt32 flags;
    VstInt32 arrangementType;
    char shortLabel[8];
    char future[48];
};

struct Rect
{
    short top, left, bottom, right;
};

static_assert (sizeof (MidiEvent) == 32 && sizeof (PinProperties) == 128, "interface record sizes");

// What the host heard from one instance.
struct Received
{
    std::vector<MidiEvent> events; // audioMasterProcessEvents
    std::vector<std::pair<int, float>> automated;
    int wantMidiCalls = 0;
    int lastWantMidiValue = 0;
};

using Entry = AEffect* (VSTCALLBACK*) (audioMasterCallback);

class Library
{
public:
    explicit Library (const std::string& path);
    ~Library();

    bool isLoaded() const { return handle != nullptr; }
    void* symbol (const char* name) const;
    Entry entry() const;

private:
    void* handle = nullptr;
};

// One instance made through the library's entry; closed on destruction.
class Instance
{
public:
    Instance (const Library& library, VstIntPtr hostVersion = 2400);
    ~Instance();
    Instance (const Instance&) = delete;
    Instance& operator= (const Instance&) = delete;

    AEffect* effect() const { return fx; }
    VstIntPtr dispatch (VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void* ptr = nullptr, float opt = 0.0f);
    std::string text (VstInt32 opcode, VstInt32 index = 0);
    // effClose; returns its answer (0 when already closed).
    VstIntPtr close();

    // effSetSampleRate, effSetBlockSize and effMainsChanged 1.
    void start (float sampleRate, int blockSize);
    // Hands the host's MIDI for the next block to the plug-in (effProcessEvents).
    void sendMidi (const std::vector<MidiEvent>& events);
    // Renders one block of `frames` frames into left and right (appended).
    void render (int frames, std::vector<float>& left, std::vector<float>& right);

    Received received;

private:
    static VstIntPtr VSTCALLBACK hostCallback (AEffect*, VstInt32, VstInt32, VstIntPtr, void*, float);

    AEffect* fx = nullptr;
    VstIntPtr version;
    std::vector<float> blockLeft, blockRight;
};

// The host's process, each platform's way (linux/ and windows/): the threads it runs now, and
// the messages that its own loop would dispatch (on Windows the framework's run on the host's).
int threadsInProcess();
void handleHostMessages();

MidiEvent noteOn (int note, int velocity, int deltaFrames);
MidiEvent noteOff (int note, int deltaFrames);

// Pitch of a steady stretch of a signal from its rising zero crossings, in Hz.
double pitchOf (const std::vector<float>& samples, size_t begin, size_t end, double sampleRate);
} // namespace testhost
