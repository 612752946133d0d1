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
    for (const LaneRef<float>* v : { &y1, &y2, &y3, &y4, &oldx, &oldy1, &oldy2, &oldy3 })
        if (! std::isfinite (static_cast<float> (*v)))
            return false;

    return true;
}

void MoogFilter::moveTo (Lanes& lanes, int lane) noexcept
{
    UG::moveTo (lanes, lane);
    cutoff.moveTo (lanes.cutoff, lane);
    baseCutoff.moveTo (lanes.baseCutoff, lane);
    resonance.moveTo (lanes.resonance, lane);
    y1.moveTo (lanes.y1, lane);
    y2.moveTo (lanes.y2, lane);
    y3.moveTo (lanes.y3, lane);
    y4.moveTo (lanes.y4, lane);
    oldx.moveTo (lanes.oldx, lane);
    oldy1.moveTo (lanes.oldy1, lane);
    oldy2.moveTo (lanes.oldy2, lane);
    oldy3.moveTo (lanes.oldy3, lane);
    r.moveTo (lanes.r, lane);
    p.moveTo (lanes.p, lane);
    k.moveTo (lanes.k, lane);
}
