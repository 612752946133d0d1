#pragma once

#include "engine/UG.h"
#include "engine/WaveType.h"

#include <cmath>
#include <memory>

// Wavetable oscillator with a second read position (the "double", 25 cents above the main one).
// One table cycle is one period; there is no interpolation.
class Oscillator : public UG
{
public:
    static constexpr int tableSize = 4096;
    // One semitone and one cent as pitch ratios (2^(1/12) and 2^(1/1200), to the digits given);
    // detune multiplies them up step by step (see setSemitones), the LFO raises centFactor to a power.
    static constexpr double semitoneFactor = 1.059463094;
    static constexpr double centFactor = 1.00057779;
    static constexpr double doubleRatio = 1.014545335; // the second phase's 25 cents

    // Table entries per sample that play `hz` periods a second at `sampleRate` (one table cycle
    // is one period).
    static double incrementFor (double hz, double sampleRate) noexcept { return hz * tableSize / sampleRate; }

    // The fields that change while a note sounds, for every lane of a synthesiser (see LaneRef).
    struct Lanes : UG::Lanes
    {
        LaneArray<double> phase, phase2, inc, inc2, out2, semitoneRatio, centRatio, baseInc;
        LaneArray<bool> detuned;
    };

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

    // The increments of both phases for the undetuned increment `plain` (the note's, times the
    // LFO's factor): the second phase 25 cents above, both raised by the detune when there is one.
    void setIncrements (double plain) noexcept
    {
        const double plain2 = plain * doubleRatio;

        if (detuned)
        {
            const double ratio = centRatio * semitoneRatio;
            inc = plain * ratio;
            inc2 = plain2 * ratio;
        }
        else
        {
            inc = plain;
            inc2 = plain2;
        }
    }

    // At the end of a note: phases, increments and last samples back to 0; the table, the wave and
    // the detune stay.
    void resetPhases() noexcept
    {
        phase = phase2 = inc = inc2 = output = out2 = baseInc = 0.0;
    }

    // Fills `dest` (tableSize entries) with the table of `wave`; false, leaving `dest` alone,
    // for a number that names no wave.
    static bool buildTable (int wave, double* dest);
    // The table of a Square oscillator reshaped to a pulse width: high part first.
    static void buildPulseTable (double pulseWidth, double* dest);

    // A phase as a table index: truncated toward zero, low 12 bits.
    static int tableIndex (double position) noexcept { return static_cast<int> (position) & (tableSize - 1); }
    // Keeps a phase within one table length of zero without changing the index it gives
    // (fmod keeps the integer part modulo tableSize exactly, for either sign).
    static double wrapped (double position) noexcept
    {
        if (position >= tableSize || position <= -tableSize)
            return std::fmod (position, static_cast<double> (tableSize));

        return position;
    }

    void moveTo (Lanes& lanes, int lane) noexcept;

    // Oscillators whose tables hold the same values may read one copy. A table is handed over whole
    // and the one given back is the caller's to release; init and setPulseWidth first give a shared
    // table's reader a copy of its own, so a change to one oscillator's table reaches no other.
    using SharedTable = std::shared_ptr<double[]>;
    SharedTable exchangeTable (SharedTable other) noexcept;
    const SharedTable& sharedTable() const noexcept { return tableOwner; }

    LaneRef<double> phase { 0.0 };
    LaneRef<double> phase2 { 0.0 };
    LaneRef<double> inc { 0.0 };
    LaneRef<double> inc2 { 0.0 };
    LaneRef<double> out2 { 0.0 };
    LaneRef<double> semitoneRatio { 1.0 };
    LaneRef<double> centRatio { 1.0 };
    LaneRef<bool> detuned { false };
    LaneRef<double> baseInc { 0.0 };
    double* table = nullptr;
    int waveType = Square;

private:
    template <typename Build>
    void rebuildTable (Build&& build);
    void setDetune (LaneRef<double>& ratio, double otherRatio, int steps, double factor);

    SharedTable tableOwner;
};
