#include "engine/Oscillator.h"

#include <cmath>
#include <ctime>

namespace
{
// A generator of values 0 ... 32767 in the manner of the C library's rand(), with its own state so
// that tables can be built on any thread.
class NoiseGenerator
{
public:
    explicit NoiseGenerator (unsigned int seed) : state (seed) {}

    int next() noexcept
    {
        state = state * 214013u + 2531011u;
        return static_cast<int> ((state >> 16) & 0x7fffu);
    }

private:
    unsigned int state;
};

// Seeded with the time in whole seconds, so that tables built within the same second are equal
// (voices switched to noise together share one pattern).
void buildNoiseTable (double* dest)
{
    NoiseGenerator generator (static_cast<unsigned int> (std::time (nullptr)));

    for (int i = 0; i < Oscillator::tableSize; ++i)
    {
        // r / 32768 in 0 ... 1, times 6 x 10923 = 65538 (about 2 x 32768), less 32766, times
        // 32769 / 2^30 (about 1 / 32767): about -1 ... +1. The steps and their roundings to single
        // precision are kept as they are, for they fix the extremes: -0.999969482421875 (r = 0)
        // and 1.000091552734375 (r = 32767).
        const int r = generator.next();
        const float a = static_cast<float> (r / 32768.0);
        const float b = 10923.0f * a;
        dest[i] = static_cast<float> (((b + 2.0f * b) * 2.0 - 32766.0) * 32769.0 / 1073741824.0);
    }
}

double repeatedRatio (int steps, double factor)
{
    double ratio = 1.0;

    if (steps > 0)
        for (int i = 0; i < steps; ++i)
            ratio *= factor;
    else
        for (int i = 0; i < -steps; ++i)
            ratio *= 1.0 / factor;

    return ratio;
}
} // namespace

Oscillator::Oscillator()
    : tableOwner (new double[tableSize])
{
    table = tableOwner.get();
    init();
}

Oscillator::~Oscillator() = default;

void Oscillator::moveTo (Lanes& lanes, int lane) noexcept
{
    UG::moveTo (lanes, lane);
    phase.moveTo (lanes.phase, lane);
    phase2.moveTo (lanes.phase2, lane);
    inc.moveTo (lanes.inc, lane);
    inc2.moveTo (lanes.inc2, lane);
    out2.moveTo (lanes.out2, lane);
    semitoneRatio.moveTo (lanes.semitoneRatio, lane);
    centRatio.moveTo (lanes.centRatio, lane);
    detuned.moveTo (lanes.detuned, lane);
    baseInc.moveTo (lanes.baseInc, lane);
}

Oscillator::SharedTable Oscillator::exchangeTable (SharedTable other) noexcept
{
    std::swap (tableOwner, other);
    table = tableOwner.get();
    return other;
}

template <typename Build>
void Oscillator::rebuildTable (Build&& build)
{
    if (tableOwner.use_count() <= 1)
    {
        build (table);
        return;
    }

    SharedTable fresh (new double[tableSize]);

    if (build (fresh.get()))
        exchangeTable (std::move (fresh));
}

bool Oscillator::buildTable (int wave, double* dest)
{
    constexpr int half = tableSize / 2, quarter = tableSize / 4;

    switch (wave)
    {
        case Square:
            for (int i = 0; i < tableSize; ++i)
                dest[i] = i < half ? -1.0 : 1.0;
            return true;

        case Sawtooth:
            for (int i = 0; i < tableSize; ++i)
                dest[i] = 1.0 - i / static_cast<double> (half);
            return true;

        case Triangle:
            for (int i = 0; i < tableSize; ++i)
            {
                const double x = i / static_cast<double> (quarter);
                dest[i] = i < quarter ? x : (i < 3 * quarter ? 2.0 - x : x - 4.0);
            }
            return true;

        case Sine:
            // pi to nine digits, as the tables have always been built
            for (int i = 0; i < tableSize; ++i)
                dest[i] = std::sin (2.0 * i * 3.14159265 / tableSize);
            return true;

        case WhiteNoise:
            buildNoiseTable (dest);
            return true;

        case Pulse:
            for (int i = 0; i < tableSize; ++i)
                dest[i] = i < half ? 0.0 : 1.0;
            return true;

        default:
            return false;
    }
}

void Oscillator::buildPulseTable (double pulseWidth, double* dest)
{
    const double highEntries = pulseWidth * tableSize;

    for (int i = 0; i < tableSize; ++i)
        dest[i] = i < highEntries ? 1.0 : -1.0;
}

void Oscillator::init()
{
    rebuildTable ([this] (double* dest) { return buildTable (waveType, dest); });
}

void Oscillator::setPulseWidth (double pulseWidth)
{
    if (waveType == Square)
        rebuildTable ([pulseWidth] (double* dest) {
            buildPulseTable (pulseWidth, dest);
            return true;
        });
}

void Oscillator::setSemitones (int semitones)
{
    setDetune (semitoneRatio, centRatio, semitones, semitoneFactor);
}

void Oscillator::setCents (int cents)
{
    setDetune (centRatio, semitoneRatio, cents, centFactor);
}

// Detune by 0 steps ends `detuned` only while the other ratio is exactly 1.
void Oscillator::setDetune (LaneRef<double>& ratio, double otherRatio, int steps, double factor)
{
    ratio = repeatedRatio (steps, factor);

    if (steps != 0)
        detuned = true;
    else if (otherRatio == 1.0)
        detuned = false;
}
