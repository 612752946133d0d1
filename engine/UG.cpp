#include "engine/UG.h"

double UG::tick()
{
    return 0.0;
}

void UG::setSampleRate (int newSampleRate)
{
    sampleRate = newSampleRate;
}

void UG::moveTo (Lanes& lanes, int lane) noexcept
{
    input.moveTo (lanes.input, lane);
    output.moveTo (lanes.output, lane);
    sampleRate.moveTo (lanes.sampleRate, lane);
}
