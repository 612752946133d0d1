#include "engine/UG.h"

double UG::tick()
{
    return 0.0;
}

void UG::setSampleRate (int newSampleRate)
{
    sampleRate = newSampleRate;
}
