#include "engine/Delay.h"

#include <algorithm>

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
