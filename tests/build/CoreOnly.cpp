// A program built from the engine and the timbre reader alone, with the framework's core: it
// lists the timbres of the shipped presets and plays a note. Exits 0 when there are timbres and
// the note sounds.

#include "engine/ZarnSynthesiser.h"
#include "timbre/TimbreFile.h"

#include <cmath>
#include <cstdio>

int main (int argc, char* argv[])
{
    if (argc != 2)
    {
        std::fprintf (stderr, "usage: zarn_core_only PRESETS_XML\n");
        return 2;
    }

    const auto names = TimbreFile::listTimbres (juce::File (argv[1]));

    if (names.isEmpty())
    {
        std::fprintf (stderr, "no timbre in %s\n", argv[1]);
        return 1;
    }

    ZarnSynthesiser synth;
    juce::MidiBuffer midi;
    midi.addEvent (juce::MidiMessage::noteOn (1, 69, 1.0f), 0);
    juce::AudioBuffer<float> buffer (2, 4410);
    buffer.clear();
    synth.renderNextBlock (buffer, midi, 0, buffer.getNumSamples());

    const float level = buffer.getMagnitude (0, 0, buffer.getNumSamples());
    std::printf ("%d timbres; the note's peak %.3f\n", names.size(), level);
    return std::isfinite (level) && level > 0.01f ? 0 : 1;
}
