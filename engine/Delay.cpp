#include "engine/Delay.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace
{
bool allFinite (const float* values, int count) noexcept
{
    std::uint32_t notFinite = 0;

    for (int i = 0; i < count; ++i)
    {
        std::uint32_t bits;
        std::memcpy (&bits, values + i, sizeof bits);
        notFinite |= (bits & 0x7f800000u) == 0x7f800000u ? 1u : 0u;
    }

    return notFinite == 0;
}
} // namespace

Delay::Delay()
{
    init();
}

Delay::~Delay()
{
    delete[] buffer;
}

void Delay::init()
{
    feedback = 0.0f;
    pos = 0;
    length = static_cast<int> (sampleRate * 0.015);

    // A ring of 0.75 s: 33075 samples, 129 KiB, so the two rings of each of the 32 voices take
    // 8.1 MiB an instance. They are filled with zeros here, where they are made, so that every
    // page is touched before the audio thread reads or writes it: the audio thread takes no page
    // fault on a fresh ring. This is most of what opening an instance costs: of the about 31 ms
    // that each instance after the first takes to open on the project's build machine
    // (bench/SessionBench), making and filling the 64 rings takes about 28, nearly all of it in
    // the kernel's page faults.
    delete[] buffer;
    size = sampleRate * 3 / 4;
    buffer = new float[static_cast<size_t> (size)]();
}

void Delay::clear() noexcept
{
    std::fill (buffer, buffer + size, 0.0f);
    pos = 0;
    output = 0.0;
}

bool Delay::lastWritesAreFinite (int steps) const noexcept
{
    const int count = std::max (0, std::min (steps, length));

    if (count <= pos)
        return allFinite (buffer + pos - count, count);

    return allFinite (buffer, pos) && allFinite (buffer + length - (count - pos), count - pos);
}
