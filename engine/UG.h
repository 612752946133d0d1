#pragma once

#include "engine/LaneRef.h"

// A unit generator: the small signal block from which a voice is built.
// Unit generators are held by value inside their voice and never deleted through this base.
class UG
{
public:
    // The fields of this base for every lane of a synthesiser (see LaneRef).
    struct Lanes
    {
        LaneArray<double> input, output;
        LaneArray<int> sampleRate;
    };

    virtual void init() = 0;
    virtual double tick();
    virtual void setSampleRate (int newSampleRate);

    LaneRef<double> input { 0.0 };
    LaneRef<double> output { 0.0 };
    LaneRef<int> sampleRate { 44100 };

protected:
    UG() = default;
    ~UG() = default;

    void moveTo (Lanes& lanes, int lane) noexcept;
};
