#pragma once

// One level of a voice (an oscillator's main or second phase).
struct Level
{
    double value = 0.8;
};
