#pragma once

#include "engine/LaneRef.h"

// One level of a voice (an oscillator's main or second phase).
struct Level
{
    LaneRef<double> value { 0.8 };
};
