#pragma once

#include "engine/UG.h"
#include "engine/WaveType.h"

#include <cmath>

// Wavetable oscillator with a second read position (the "double", 25 cents above the main one).
// One table cycle is one period; there is no interpolation.
class Oscillator : public UG
{
public:
    static constexpr int tableSize = 4096;

    Oscillator();
    ~Oscillator();
    Oscillator (const Oscillator&) = delete;
    Oscillator& operator= (const Oscillator&) = delete;

    void init() override;

    double tick() override
    {
        output = table[tableIndex (phase)];
        out2 = table[tableIndex (phase2)];
        phase = wrapped (phase + inc);
        phase2 = wrapped (phase2 + inc2);
        return output;
    }

    void setPulseWidth (double pulseWidth);
    void setSemitones (int semitones);
    void setCents (int cents);

    // Fills `dest` (tableSize entries) with the table of `wave`; false, leaving `dest` alone,
    // for a number that names no wave.
    static bool buildTable (int wave, double* dest);
    // The table of a Square oscillator reshaped to a pulse width: high part first.
    static void buildPulseTable (double pulseWidth, double* dest);

    // A phase as a table index: truncated toward zero, low 12 bits.
    static int tableIndex (double position) noexcept { return static_cast<int> (position) & (tableSize - 1); }
    // Keeps a phase within one table length of zero without changing the index it gives
    // (fmod keeps the integer part modulo 4096 exactly, for either sign).
    static double wrapped (double position) noexcept
    {
        if (position >= tableSize || position <= -tableSize)
            return std::fmod (position, static_cast<double> (tableSize));

        return position;
    }

    double phase = 0.0;
    double phase2 = 0.0;
    double inc = 0.0;
    double inc2 = 0.0;
    double out2 = 0.0;
    double semitoneRatio = 1.0;
    double centRatio = 1.0;
    bool detuned = false;
    double baseInc = 0.0;
    double* table = nullptr;
    int waveType = Square;
};
