// render_scenario PLUGIN_LIBRARY OUTPUT_FILE: loads the plug-in library, plays a fixed scenario
// that works every stage of the engine (three oscillators with their second phases, the pitch
// LFO, the filter sweep with resonance, the equaliser, the echo, settings changed while notes
// sound, voices released and ringing out) and writes the samples, left and right interleaved, as
// 32-bit floats in the machine's byte order. Built for Linux and for Windows, so that the two
// builds' samples can be compared. White noise is left out: its table is seeded from the clock.
#include "tests/plugin/TestHost.h"

#include <cstdio>
#include <vector>

using namespace testhost;

namespace
{
constexpr int blockSize = 512;
constexpr int numBlocks = 345; // 4 s at 44.1 kHz

struct Setting
{
    int index;
    float value;
};

// Parameter indexes in the order of the timbre file's attributes.
const Setting timbre[] = {
    { 0, 1 }, { 1, 0 }, { 2, 0.6f }, { 3, 0 }, { 4, 7 }, { 5, 0.3f }, { 6, 1 },      // square, pulse width 0.3
    { 7, 1 }, { 8, 1 }, { 9, 0.5f }, { 10, -12 }, { 11, -5 }, { 12, 0.5f }, { 13, 1 }, // sawtooth an octave down
    { 14, 1 }, { 15, 2 }, { 16, 0.4f }, { 17, 7 }, { 18, 0 }, { 19, 0.5f }, { 20, 0 }, // triangle a fifth up
    { 21, 1 }, { 22, 30 }, { 23, 200 }, { 24, 0.4f }, { 25, 300 }, { 26, 1800 }, { 27, 0.6f }, { 28, 0.7f },
    { 29, 0.7f }, { 30, 10 }, { 31, 150 }, { 32, 0.6f }, { 33, 250 },
    { 34, 0.4f }, { 35, 0.35f },
    { 36, 1 }, { 37, 1 }, { 38, 5.5f }, { 39, 0.3f },
    { 40, 1 }, { 41, 3 }, { 42, -2 }, { 43, 4 }, { 44, -6 }, { 45, 1.5f }, { 46, 5 }, { 47, -3 }, { 48, 2 },
};

// Changes made while notes sound, at the start of the given block.
struct Change
{
    int block;
    Setting setting;
};

const Change changes[] = {
    { 60, { 15, 0 } },   // third oscillator to square
    { 61, { 19, 0.1f } },
    { 90, { 1, 3 } },    // first oscillator to sine
    { 120, { 37, 5 } },  // LFO to its pulse
    { 150, { 26, 600 } },
    { 180, { 40, 0 } },  // equaliser off
};

struct Note
{
    int block, offset, note, velocity;
    bool on;
};

const Note notes[] = {
    { 0, 0, 57, 100, true }, { 0, 100, 64, 80, true }, { 0, 333, 69, 64, true },
    { 20, 17, 81, 127, true },
    { 70, 5, 57, 0, false }, { 75, 400, 64, 0, false },
    { 100, 250, 45, 90, true }, { 140, 0, 69, 0, false }, { 140, 1, 81, 0, false },
    { 200, 511, 45, 0, false },
};
} // namespace

int main (int argc, char* argv[])
{
    if (argc != 3)
    {
        std::fprintf (stderr, "usage: %s PLUGIN_LIBRARY OUTPUT_FILE\n", argv[0]);
        return 2;
    }

    const Library library (argv[1]);

    if (! library.isLoaded() || library.entry() == nullptr)
    {
        std::fprintf (stderr, "cannot load %s\n", argv[1]);
        return 1;
    }

    Instance fx (library);
    AEffect* e = fx.effect();

    if (e == nullptr)
        return 1;

    fx.start (44100.0f, blockSize);

    for (const auto& s : timbre)
        e->setParameter (e, s.index, s.value);

    std::vector<float> left, right;

    for (int block = 0; block < numBlocks; ++block)
    {
        for (const auto& c : changes)
            if (c.block == block)
                e->setParameter (e, c.setting.index, c.setting.value);

        std::vector<MidiEvent> midi;

        for (const auto& n : notes)
            if (n.block == block)
                midi.push_back (n.on ? noteOn (n.note, n.velocity, n.offset) : noteOff (n.note, n.offset));

        if (! midi.empty())
            fx.sendMidi (midi);

        fx.render (blockSize, left, right);
    }

    std::vector<float> interleaved;
    interleaved.reserve (2 * left.size());

    for (size_t i = 0; i < left.size(); ++i)
    {
        interleaved.push_back (left[i]);
        interleaved.push_back (right[i]);
    }

    std::FILE* out = std::fopen (argv[2], "wb");

    if (out == nullptr)
        return 1;

    const bool written = std::fwrite (interleaved.data(), sizeof (float), interleaved.size(), out) == interleaved.size();
    return std::fclose (out) == 0 && written ? 0 : 1;
}
