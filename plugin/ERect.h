#pragma once

#include <cstdint>

// The editor's rectangle as effEditGetRect hands it to the host.
struct ERect
{
    std::int16_t top;
    std::int16_t left;
    std::int16_t bottom;
    std::int16_t right;
};
