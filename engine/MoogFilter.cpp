#include "engine/MoogFilter.h"

#include <cmath>
#include <initializer_list>

MoogFilter::MoogFilter()
{
    init();
}

void MoogFilter::init()
{
    clearState();
    updateCoefficients();
}

void MoogFilter::clearState() noexcept
{
    y1 = y2 = y3 = y4 = 0.0f;
    oldx = oldy1 = oldy2 = oldy3 = 0.0f;
}

bool MoogFilter::stateIsFinite() const noexcept
{
    for (const float v : { y1, y2, y3, y4, oldx, oldy1, oldy2, oldy3 })
        if (! std::isfinite (v))
            return false;

    return true;
}
