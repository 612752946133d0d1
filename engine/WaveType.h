#pragma once

// The wave an Oscillator's table holds. The numbers are stored in timbre files and plug-in parameters.
enum WaveType : int
{
    Square = 0,
    Sawtooth = 1,
    Triangle = 2,
    Sine = 3,
    WhiteNoise = 4,
    Pulse = 5 // unipolar 0/1 square, the LFO's default
};
