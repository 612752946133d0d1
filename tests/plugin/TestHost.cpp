#include "TestHost.h"

#include <cmath>

namespace testhost
{
namespace
{
// The instance being made: the entry asks for the host's version before the record exists.
thread_local Instance* instanceBeingMade = nullptr;
thread_local VstIntPtr versionBeingMade = 0;
} // namespace

Entry Library::entry() const
{
    return reinterpret_cast<Entry> (symbol ("VSTPluginMain"));
}

Instance::Instance (const Library& library, VstIntPtr hostVersion)
    : version (hostVersion)
{
    instanceBeingMade = this;
    versionBeingMade = hostVersion;
    fx = library.entry() (&Instance::hostCallback);
    instanceBeingMade = nullptr;

    if (fx != nullptr)
        fx->user = this;
}

Instance::~Instance()
{
    close();
}

VstIntPtr Instance::close()
{
    VstIntPtr answer = 0;

    if (fx != nullptr)
        answer = fx->dispatcher (fx, effClose, 0, 0, nullptr, 0.0f);

    fx = nullptr;
    return answer;
}

VstIntPtr Instance::dispatch (VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt)
{
    return fx->dispatcher (fx, opcode, index, value, ptr, opt);
}

std::string Instance::text (VstInt32 opcode, VstInt32 index)
{
    char buffer[256];
    std::memset (buffer, 'x', sizeof (buffer));
    buffer[255] = 0;
    dispatch (opcode, index, 0, buffer);
    return buffer;
}

void Instance::start (float sampleRate, int blockSize)
{
    dispatch (effSetSampleRate, 0, 0, nullptr, sampleRate);
    dispatch (effSetBlockSize, 0, blockSize);
    dispatch (effMainsChanged, 0, 1);
}

void Instance::sendMidi (const std::vector<MidiEvent>& events)
{
    std::vector<unsigned char> list (sizeof (Events) + events.size() * sizeof (void*));
    auto* header = reinterpret_cast<Events*> (list.data());
    header->numEvents = static_cast<VstInt32> (events.size());
    header->reserved = 0;

    for (size_t i = 0; i < events.size(); ++i)
        header->events[i] = const_cast<MidiEvent*> (&events[i]);

    dispatch (effProcessEvents, 0, 0, header);
}

void Instance::render (int frames, std::vector<float>& left, std::vector<float>& right)
{
    blockLeft.assign (static_cast<size_t> (frames), 123.0f);
    blockRight.assign (static_cast<size_t> (frames), 123.0f);
    float* outputs[2] = { blockLeft.data(), blockRight.data() };
    fx->processReplacing (fx, nullptr, outputs, frames);
    left.insert (left.end(), blockLeft.begin(), blockLeft.end());
    right.insert (right.end(), blockRight.begin(), blockRight.end());
}

VstIntPtr VSTCALLBACK Instance::hostCallback (AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value,
                                              void* ptr, float opt)
{
    auto* self = effect != nullptr && effect->user != nullptr ? static_cast<Instance*> (effect->user) : instanceBeingMade;

    switch (opcode)
    {
        case audioMasterVersion:
            return self != nullptr ? self->version : versionBeingMade;

        case audioMasterAutomate:
            if (self != nullptr)
                self->received.automated.emplace_back (index, opt);
            return 0;

        case audioMasterWantMidi:
            if (self != nullptr)
            {
                ++self->received.wantMidiCalls;
                self->received.lastWantMidiValue = static_cast<int> (value);
            }
            return 0;

        case audioMasterProcessEvents:
            if (self != nullptr && ptr != nullptr)
            {
                const auto* list = static_cast<const Events*> (ptr);

                for (VstInt32 i = 0; i < list->numEvents; ++i)
                    self->received.events.push_back (*static_cast<const MidiEvent*> (list->events[i]));
            }
            return 0;

        default:
            return 0;
    }
}

MidiEvent noteOn (int note, int velocity, int deltaFrames)
{
    MidiEvent e {};
    e.type = 1;
    e.byteSize = sizeof (MidiEvent);
    e.deltaFrames = deltaFrames;
    e.midiData[0] = 0x90;
    e.midiData[1] = static_cast<unsigned char> (note);
    e.midiData[2] = static_cast<unsigned char> (velocity);
    return e;
}

MidiEvent noteOff (int note, int deltaFrames)
{
    MidiEvent e = noteOn (note, 0, deltaFrames);
    e.midiData[0] = 0x80;
    return e;
}

double pitchOf (const std::vector<float>& samples, size_t begin, size_t end, double sampleRate)
{
    double first = -1.0, last = -1.0;
    int crossings = 0;

    for (size_t i = begin + 1; i < end; ++i)
    {
        const double a = samples[i - 1], b = samples[i];

        if (a < 0.0 && b >= 0.0)
        {
            const double t = static_cast<double> (i - 1) + (-a) / (b - a);

            if (first < 0.0)
                first = t;

            last = t;
            ++crossings;
        }
    }

    return crossings > 1 ? (crossings - 1) * sampleRate / (last - first) : 0.0;
}
} // namespace testhost
