#include "engine/MoogFilter.h"

MoogFilter::MoogFilter()
{
    init();
}

void MoogFilter::init()
{
    y1 = y2 = y3 = y4 = 0.0f;
    oldx = oldy1 = oldy2 = oldy3 = 0.0f;
    updateCoefficients();
}
